#include "records/Cp1252.h"

namespace tandemx {
namespace {

// 0x80..0x9F; the undefined values (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of that value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString fromCp1252(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b)));
    }
    return out;
}

QByteArray toCp1252(QStringView text, bool* ok)
{
    QByteArray out;
    out.reserve(text.size());
    bool good = true;
    for (QChar c : text) {
        const int b = encodeOne(c.unicode());
        if (b < 0) {
            good = false;
            out.append('?');
        } else {
            out.append(char(b));
        }
    }
    if (ok)
        *ok = good;
    return out;
}

bool isCp1252(QStringView text)
{
    for (QChar c : text)
        if (encodeOne(c.unicode()) < 0)
            return false;
    return true;
}

} // namespace tandemx
