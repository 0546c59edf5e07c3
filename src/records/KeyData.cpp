#include "records/KeyData.h"

#include "records/Cp1252.h"

namespace tandemx {
namespace {

constexpr StringField kClubName{0, 32}, kGroup1{49, 3}, kGroup2{53, 3};
constexpr StringField kTextFont{0, 32}, kPrintFont{176, 24};
constexpr StringField personalField(int i) { return {51 + 25 * i, 24}; }

} // namespace

QString KeyData::clubNameText() const { return fromCp1252(clubName); }
QString KeyData::group1() const { return fromCp1252(group1Code); }
QString KeyData::group2() const { return fromCp1252(group2Code); }

void KeyData::fromBytes(const uint8_t* p)
{
    std::copy(p, p + Size, image.begin());
    clubName = getRawString(p, kClubName);
    clubSize = getI32(p + 33);
    doublesRounds = getI32(p + 37);
    mixedRounds = getI32(p + 41);
    courts = getI16(p + 45);
    maxMatches = getI16(p + 47);
    group1Code = getRawString(p, kGroup1);
    group2Code = getRawString(p, kGroup2);
    keepGames = getI16(p + 57);
    options = getU16(p + 59);
}

void KeyData::toBytes(uint8_t* p) const
{
    std::copy(image.begin(), image.end(), p);
    putRawString(p, kClubName, clubName);
    putI32(p + 33, clubSize);
    putI32(p + 37, doublesRounds);
    putI32(p + 41, mixedRounds);
    putI16(p + 45, courts);
    putI16(p + 47, maxMatches);
    putRawString(p, kGroup1, group1Code);
    putRawString(p, kGroup2, group2Code);
    putI16(p + 57, keepGames);
    putU16(p + 59, options);
}

PrintSettings PrintSettings::defaults(const QByteArray& windowFontName, int16_t windowFontSize)
{
    PrintSettings s;
    s.textFontName = windowFontName.left(32);
    s.textFontSize = windowFontSize;
    s.printFontName = windowFontName.left(24);
    s.printFontSize = windowFontSize;
    s.leftMargin = 118;
    s.topMargin = 177;
    s.bottomMargin = 118;
    s.lineHeight = 50;
    s.pageLength = uint16_t(66 - (177 + 118) / 50);
    s.printerIndex = -1;
    s.printFlags = PrintFlag::Defaults;
    return s;
}

void PrintSettings::fromBytes(const uint8_t* p)
{
    std::copy(p, p + Size, image.begin());
    textFontName = getRawString(p, kTextFont);
    textFontSize = getI16(p + 33);
    printFontSize = getI16(p + 35);
    leftMargin = getU16(p + 37);
    topMargin = getU16(p + 39);
    bottomMargin = getU16(p + 41);
    lineHeight = getI16(p + 43);
    pageLength = getU16(p + 45);
    printerIndex = getI32(p + 47);
    for (int i = 0; i < 5; ++i)
        personalData[size_t(i)] = getRawString(p, personalField(i));
    printFontName = getRawString(p, kPrintFont);
    printFlags = getU16(p + 201);
}

void PrintSettings::toBytes(uint8_t* p) const
{
    std::copy(image.begin(), image.end(), p);
    putRawString(p, kTextFont, textFontName);
    putI16(p + 33, textFontSize);
    putI16(p + 35, printFontSize);
    putU16(p + 37, leftMargin);
    putU16(p + 39, topMargin);
    putU16(p + 41, bottomMargin);
    putI16(p + 43, lineHeight);
    putU16(p + 45, pageLength);
    putI32(p + 47, printerIndex);
    for (int i = 0; i < 5; ++i)
        putRawString(p, personalField(i), personalData[size_t(i)]);
    putRawString(p, kPrintFont, printFontName);
    putU16(p + 201, printFlags);
}

TConfigObj TConfigObj::withDefaults(const PrintSettings& printDefaults)
{
    TConfigObj c;
    c.printSettings = printDefaults;
    return c;
}

TConfigObj TConfigObj::read(QIODevice& in, qint64* bytesRead)
{
    std::array<uint8_t, FileSize> buf{};
    qint64 total = 0;
    while (total < FileSize) {
        const qint64 n = in.read(reinterpret_cast<char*>(buf.data()) + total, FileSize - total);
        if (n <= 0)
            break;
        total += n;
    }
    if (bytesRead)
        *bytesRead = total;
    TConfigObj c;
    std::copy(buf.begin(), buf.begin() + 4, c.reserved.begin());
    c.keyData.fromBytes(buf.data() + 4);
    c.printSettings.fromBytes(buf.data() + 4 + KeyData::Size);
    return c;
}

QByteArray TConfigObj::toBytes() const
{
    QByteArray out(FileSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(out.data());
    std::copy(reserved.begin(), reserved.end(), p);
    keyData.toBytes(p + 4);
    printSettings.toBytes(p + 4 + KeyData::Size);
    return out;
}

} // namespace tandemx
