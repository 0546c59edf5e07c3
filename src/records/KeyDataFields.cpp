#include "records/KeyDataFields.h"

#include "records/Cp1252.h"

namespace tandemx {
namespace {

constexpr int ClubNameCapacity = 32;
constexpr int GroupCodeCapacity = 3;
constexpr int StateDoesNotExist = 1;  // " bestaat niet"
constexpr int StateWrongFormat = 2;   // " heeft verkeerd formaat"
constexpr int StateNoNumber = 5;      // " is geen geldig getal"
constexpr int HintCorrect = 8;        // shows " corrigeer (zonodig) invoer"
constexpr int MessageNoMembers = 1;   // "Aantal Leden = 0 : "

// The subject of the "is no valid number" message per tag.
QString negativeSubject(int tag)
{
    switch (tag) {
    case KeyTag::DoublesRounds: return QStringLiteral("Geen tandem ");
    case KeyTag::MixedRounds: return QStringLiteral("Geen mixtandem ");
    case KeyTag::Courts: return QStringLiteral("Aantal banen ");
    case KeyTag::MaxMatches: return QStringLiteral("Aantal matches ");
    default: return {};
    }
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

KeyDataControls KeyDataControls::from(const KeyData& data)
{
    KeyDataControls c;
    c.edit(KeyTag::ClubName) = fromCp1252(data.clubName);
    c.edit(KeyTag::ClubSize) = QString::number(data.clubSize);
    c.edit(KeyTag::DoublesRounds) = QString::number(data.doublesRounds);
    c.edit(KeyTag::MixedRounds) = QString::number(data.mixedRounds);
    c.edit(KeyTag::Courts) = QString::number(data.courts);
    c.edit(KeyTag::Group1) = fromCp1252(data.group1Code);
    c.edit(KeyTag::Group2) = fromCp1252(data.group2Code);
    c.games = data.keepGames == 1;
    if (c.games)
        c.edit(KeyTag::MaxMatches) = QString::number(data.maxMatches);
    c.veelWeinig = data.options & KeyOption::CourtWarnings;
    c.helpmess = data.options & KeyOption::Progress;
    c.baancode = data.options & KeyOption::CourtCoding;
    return c;
}

int16_t keyDataNumber(const QString& text, bool* isNumber)
{
    const QString t = text.trimmed();
    bool ok = true;
    int value = 0;
    if (!t.isEmpty())
        value = t.toInt(&ok, 10);
    if (isNumber)
        *isNumber = ok;
    return ok ? int16_t(uint16_t(uint32_t(value))) : 0;
}

void KeyDataFields::takeField(int tag, const KeyDataControls& controls, bool check)
{
    switch (tag) {
    case KeyTag::ClubName:
        data_.clubName = toCp1252(controls.edit(tag).left(ClubNameCapacity));
        break;
    case KeyTag::ClubSize:
    case KeyTag::DoublesRounds:
    case KeyTag::MixedRounds:
    case KeyTag::Courts:
    case KeyTag::MaxMatches:
        takeNumber(tag, controls.edit(tag), check);
        break;
    case KeyTag::Group1:
    case KeyTag::Group2:
        takeGroupCode(tag, controls.edit(tag));
        break;
    case KeyTag::Games: {
        const int16_t keep = controls.games ? 1 : 0;
        if (data_.keepGames == 0 && keep == 1)
            restartNeeded = true;
        data_.keepGames = keep;
        break;
    }
    case KeyTag::VeelWeinig: setOption(KeyOption::CourtWarnings, controls.veelWeinig); break;
    case KeyTag::Helpmess: setOption(KeyOption::Progress, controls.helpmess); break;
    case KeyTag::Baancode: setOption(KeyOption::CourtCoding, controls.baancode); break;
    default: break;
    }
}

void KeyDataFields::takeAll(const KeyDataControls& controls)
{
    for (int tag = KeyTag::First; tag <= KeyTag::Last; ++tag)
        takeField(tag, controls, false);
}

void KeyDataFields::takeNumber(int tag, const QString& text, bool check)
{
    bool isNumber = true;
    const int16_t value = keyDataNumber(text, &isNumber);
    if (!isNumber)
        messages_.beep();
    if (check)
        checkNumber(tag, value, text.trimmed());
    switch (tag) {
    case KeyTag::ClubSize: data_.clubSize = value; break;
    case KeyTag::DoublesRounds: data_.doublesRounds = value; break;
    case KeyTag::MixedRounds: data_.mixedRounds = value; break;
    case KeyTag::Courts: data_.courts = value; break;
    case KeyTag::MaxMatches: data_.maxMatches = value; break;
    default: break;
    }
}

void KeyDataFields::checkNumber(int tag, int value, const QString& text)
{
    enum class Failure { None, NoMembers, NoNumber, TooLarge };
    Failure failure = Failure::None;
    int state = 0;
    if (value < 0) {
        failure = tag == KeyTag::ClubSize ? Failure::NoMembers : Failure::NoNumber;
        state = tag;
    } else {
        switch (tag) {
        case KeyTag::ClubSize:
            if (value < 4)
                failure = Failure::NoMembers, state = 2;
            if (value > 400)
                failure = Failure::TooLarge, state = 12;
            break;
        case KeyTag::DoublesRounds:
            if (value > 24)
                failure = Failure::TooLarge, state = 13;
            break;
        case KeyTag::MixedRounds:
            if (value > 24 - data_.doublesRounds)
                failure = Failure::TooLarge, state = 14;
            break;
        case KeyTag::Courts:
            if (value == 0)
                failure = Failure::NoNumber, state = 5;
            if (value > 32)
                failure = Failure::TooLarge, state = 15;
            break;
        case KeyTag::MaxMatches:
            if (value > 40)
                failure = Failure::TooLarge, state = 16;
            break;
        default: break;
        }
    }
    if (failure == Failure::None)
        return;

    messages_.beep();
    switch (failure) {
    case Failure::NoMembers:
        messages_.showMessageNo(text, MessageNoMembers, state, HintCorrect);
        break;
    case Failure::NoNumber:
        messages_.showMessageNo(negativeSubject(tag), 0, StateNoNumber, HintCorrect);
        break;
    case Failure::TooLarge:
        messages_.showMessageNo(QStringLiteral("Aantal te groot ") + text, 0, StateDoesNotExist, HintCorrect);
        break;
    case Failure::None: break;
    }
    messages_.lastErrorState = state;
}

void KeyDataFields::takeGroupCode(int tag, const QString& text)
{
    const QString t = text.trimmed();
    // An empty code is refused like one that does not start with a letter: the member grid could not
    // tell the groups apart by it.
    if (t.isEmpty() || !isAsciiLetter(t.front())) {
        messages_.beep();
        messages_.showMessageNo(QStringLiteral("Aanduiding foutief ") + t, 0, StateWrongFormat, HintCorrect);
        return;
    }
    const QByteArray code = toCp1252(t.left(GroupCodeCapacity));
    if (tag == KeyTag::Group1)
        data_.group1Code = code;
    else
        data_.group2Code = code;
}

void KeyDataFields::setOption(uint16_t bit, bool on)
{
    data_.options = on ? uint16_t(data_.options | bit) : uint16_t(data_.options & ~bit);
}

} // namespace tandemx
