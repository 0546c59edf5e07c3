#pragma once
// The 232-byte member record. Its payload is its file form.
#include "records/Record.h"

#include <QIODevice>

#include <array>

namespace tandemx {

enum class MemberField { Voornaam, Achternaam, Grp, Actie, Straat, Postcode, Plaats, Telefoon, EMail, Opmerking };

class TLedenObj {
public:
    static constexpr int Size = 232;
    static constexpr int IxOffset = 0;
    static constexpr int ClubNrOffset = 2;

    static StringField field(MemberField f);

    uint16_t ix() const { return getU16(data.data() + IxOffset); }
    void setIx(uint16_t v) { putU16(data.data() + IxOffset, v); }
    int16_t clubNr() const { return getI16(data.data() + ClubNrOffset); }
    void setClubNr(int16_t v) { putI16(data.data() + ClubNrOffset, v); }

    QString text(MemberField f) const { return getString(data.data(), field(f)); }
    void setText(MemberField f, QStringView v) { putString(data.data(), field(f), v); }
    QByteArray raw(MemberField f) const { return getRawString(data.data(), field(f)); }
    void setRaw(MemberField f, QByteArrayView v) { putRawString(data.data(), field(f), v); }

    QString voornaam() const { return text(MemberField::Voornaam); }
    QString achternaam() const { return text(MemberField::Achternaam); }
    QString grp() const { return text(MemberField::Grp); }
    QString actie() const { return text(MemberField::Actie); }

    // Taking part: the stored Actie compares greater than "0" byte-wise.
    bool isActive() const;

    // Reads up to 232 bytes; what the device does not hold stays as it was. Returns bytes read.
    qint64 read(QIODevice& in);
    bool write(QIODevice& out) const;

    bool operator==(const TLedenObj&) const = default;

    std::array<uint8_t, Size> data{};
};

} // namespace tandemx
