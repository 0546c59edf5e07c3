#include "records/TLedenObj.h"

namespace tandemx {

StringField TLedenObj::field(MemberField f)
{
    switch (f) {
    case MemberField::Voornaam: return {4, 24};
    case MemberField::Achternaam: return {29, 40};
    case MemberField::Grp: return {70, 3};
    case MemberField::Actie: return {74, 3};
    case MemberField::Straat: return {78, 40};
    case MemberField::Postcode: return {119, 8};
    case MemberField::Plaats: return {128, 24};
    case MemberField::Telefoon: return {153, 12};
    case MemberField::EMail: return {166, 32};
    case MemberField::Opmerking: return {199, 32};
    }
    return {199, 32};
}

bool TLedenObj::isActive() const
{
    // Byte-wise string comparison with "0": greater when the first byte is above '0', or it is '0'
    // and more characters follow.
    const QByteArray a = raw(MemberField::Actie);
    if (a.isEmpty())
        return false;
    const auto first = static_cast<unsigned char>(a[0]);
    return first > '0' || (first == '0' && a.size() > 1);
}

qint64 TLedenObj::read(QIODevice& in)
{
    const qint64 n = in.read(reinterpret_cast<char*>(data.data()), Size);
    return n < 0 ? 0 : n;
}

bool TLedenObj::write(QIODevice& out) const
{
    return out.write(reinterpret_cast<const char*>(data.data()), Size) == Size;
}

} // namespace tandemx
