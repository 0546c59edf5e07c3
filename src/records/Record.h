#pragma once
// Helpers for fixed-size packed records: little-endian integers and length-prefixed strings with a
// fixed capacity (one length byte, then the capacity in bytes, all of it stored).
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>

namespace tandemx {

struct StringField {
    int offset;   // offset of the length byte
    int capacity; // characters that fit
};

inline uint16_t getU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline int16_t getI16(const uint8_t* p) { return int16_t(getU16(p)); }
inline int32_t getI32(const uint8_t* p)
{
    return int32_t(uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
}
inline void putU16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void putI16(uint8_t* p, int16_t v) { putU16(p, uint16_t(v)); }
inline void putI32(uint8_t* p, int32_t v)
{
    const auto u = uint32_t(v);
    p[0] = uint8_t(u); p[1] = uint8_t(u >> 8); p[2] = uint8_t(u >> 16); p[3] = uint8_t(u >> 24);
}

// The stored bytes of a string; a length byte beyond the capacity is cut to the capacity.
QByteArray getRawString(const uint8_t* record, StringField f);
// Stores length and characters, cut to the capacity; bytes beyond the new length stay as they are.
void putRawString(uint8_t* record, StringField f, QByteArrayView bytes);
QString getString(const uint8_t* record, StringField f);
void putString(uint8_t* record, StringField f, QStringView text);

} // namespace tandemx
