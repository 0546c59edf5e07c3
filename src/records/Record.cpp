#include "records/Record.h"

#include "records/Cp1252.h"

namespace tandemx {

QByteArray getRawString(const uint8_t* record, StringField f)
{
    const int len = std::min<int>(record[f.offset], f.capacity);
    return QByteArray(reinterpret_cast<const char*>(record + f.offset + 1), len);
}

void putRawString(uint8_t* record, StringField f, QByteArrayView bytes)
{
    const int len = std::min<int>(int(bytes.size()), f.capacity);
    record[f.offset] = uint8_t(len);
    if (len > 0)
        std::memcpy(record + f.offset + 1, bytes.data(), size_t(len));
}

QString getString(const uint8_t* record, StringField f)
{
    return fromCp1252(getRawString(record, f));
}

void putString(uint8_t* record, StringField f, QStringView text)
{
    putRawString(record, f, toCp1252(text));
}

} // namespace tandemx
