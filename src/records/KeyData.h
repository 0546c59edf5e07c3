#pragma once
// The key-data file (".cfg", 268 bytes): 4 reserved bytes, the 61-byte KeyData and the 203-byte
// PrintSettings block.
#include "records/Record.h"

#include <QIODevice>

#include <array>

namespace tandemx {

struct KeyData {
    static constexpr int Size = 61;
    QByteArray clubName;      // raw Windows-1252 bytes, at most 32
    int32_t clubSize = 24;
    int32_t doublesRounds = 4;
    int32_t mixedRounds = 2;
    int16_t courts = 9;
    int16_t maxMatches = 1;
    QByteArray group1Code = "h"; // at most 3
    QByteArray group2Code = "d";
    int16_t keepGames = 0;
    uint16_t options = 17;
    // Bytes beyond the string lengths as they were read, so a file is written back unchanged.
    std::array<uint8_t, Size> image{};

    QString clubNameText() const;
    QString group1() const;
    QString group2() const;

    void fromBytes(const uint8_t* p); // 61 bytes
    void toBytes(uint8_t* p) const;   // 61 bytes
};

namespace PrintFlag {
constexpr uint16_t Header = 1, Maximized = 2, Defaults = 4, Owner = 8, Landscape = 16, Title = 32;
}

struct PrintSettings {
    static constexpr int Size = 203;
    QByteArray textFontName = "MS Sans Serif"; // at most 32
    int16_t textFontSize = 10;
    int16_t printFontSize = 10;
    uint16_t leftMargin = 118;
    uint16_t topMargin = 177;
    uint16_t bottomMargin = 118;
    int16_t lineHeight = 50;
    uint16_t pageLength = 61;
    int32_t printerIndex = -1;
    std::array<QByteArray, 5> personalData; // at most 24 each
    QByteArray printFontName = "MS Sans Serif"; // at most 24
    uint16_t printFlags = PrintFlag::Defaults;
    std::array<uint8_t, Size> image{};

    // The defaults of a new key-data record, taking the window text font in use.
    static PrintSettings defaults(const QByteArray& windowFontName = "MS Sans Serif", int16_t windowFontSize = 10);
    void fromBytes(const uint8_t* p);
    void toBytes(uint8_t* p) const;
};

struct TConfigObj {
    static constexpr int FileSize = 268;
    std::array<uint8_t, 4> reserved{};
    KeyData keyData;
    PrintSettings printSettings;

    static TConfigObj withDefaults(const PrintSettings& printDefaults = PrintSettings::defaults());
    // Reads as far as the device goes; the rest stays zero. Returns bytes read.
    static TConfigObj read(QIODevice& in, qint64* bytesRead = nullptr);
    QByteArray toBytes() const;
};

} // namespace tandemx
