#include "state/ScheduleSetup.h"

#include "messages/MessageTable.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace tandemx::setup {

using namespace engine;

namespace {

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

} // namespace

void applyModeDefaults(ScheduleSettings& in, CourtsPerRoundTable& courts, const KeyData& keyData)
{
    in.NumMen = in.NumLadies = 0;
    in.NumDoublesRounds = std::clamp<int>(keyData.doublesRounds, 0, MaxRounds);
    in.NumMixedRounds = std::clamp<int>(keyData.mixedRounds, 0, MaxRounds - in.NumDoublesRounds);
    in.NumCourts = std::clamp<int>(keyData.courts, 0, MaxCourts);
    for (int r = 1; r <= GridRows; ++r)
        courts.mixed[size_t(r)] = 0;
    in.PlayOptions = PlayOption::VariedPairs;
    in.PauseOptions = 0;
}

MemberPlayers::MemberPlayers(const MemberList& members)
{
    fields_.reserve(size_t(members.count()));
    views_.reserve(size_t(members.count()));
    for (int i = 1; i <= members.count(); ++i) {
        const TLedenObj& r = members.at(i);
        fields_.push_back({r.raw(MemberField::Voornaam), r.raw(MemberField::Achternaam), r.raw(MemberField::Grp),
                           r.raw(MemberField::Actie)});
        const auto& f = fields_.back();
        views_.push_back({r.clubNr(), view(f[0]), view(f[1]), view(f[2]), view(f[3])});
    }
}

void takePlayers(ScheduleState& schedule, ScheduleHost& host, const MemberList& members, const KeyData& keyData)
{
    const MemberPlayers players(members);
    ScheduleSettings& in = schedule.Settings;
    in.NumMen = BuildPlayerTable(schedule, host, Men, players.views(), view(keyData.group1Code));
    in.NumLadies = BuildPlayerTable(schedule, host, Ladies, players.views(), view(keyData.group2Code));
    if (in.NumMen == 0 || in.NumLadies == 0)
        in.NumMixedRounds = 0;
}

std::optional<QDate> parsePlayDate(const QString& typed, const QDate& today)
{
    QString text = typed.trimmed();
    static const QRegularExpression separators(QStringLiteral("[-./]"));
    if (!text.contains(separators)) {
        switch (text.size()) {
        case 1:
        case 2: text += QLatin1Char('-') + QString::number(today.month()); break;
        case 4: text.insert(2, QLatin1Char('-')); break;
        case 6:
        case 8:
            text.insert(4, QLatin1Char('-'));
            text.insert(2, QLatin1Char('-'));
            break;
        default: break;
        }
    }
    const QStringList parts = text.split(separators);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
    bool allDigits = parts.size() == 2 || parts.size() == 3;
    for (const QString& p : parts)
        allDigits = allDigits && digits.match(p).hasMatch();
    if (!allDigits || parts[0].size() > 2 || parts[1].size() > 2)
        return std::nullopt;
    int year = today.year();
    if (parts.size() == 3) {
        year = parts[2].toInt();
        if (parts[2].size() <= 2)
            year += 2000;
        else if (parts[2].size() == 3)
            return std::nullopt;
    }
    const QDate date(year, parts[1].toInt(), parts[0].toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString playDateText(const QDate& date)
{
    return date.toString(QStringLiteral("d-M-yyyy"));
}

CountLimits countLimits(const KeyData& keyData, int memberCount)
{
    return {memberCount, std::min<int>(keyData.doublesRounds, MaxRounds), std::min<int>(keyData.mixedRounds, MaxRounds),
            std::min<int>(keyData.courts, MaxCourts)};
}

QString fieldName(int tag)
{
    switch (tag) {
    case Heren: return QStringLiteral(" heren ");
    case Dames: return QStringLiteral(" dames ");
    case Tandem: return QStringLiteral(" tandem ");
    case Mix: return QStringLiteral(" Mixtandem ");
    case Banen: return QStringLiteral(" banen ");
    default: break;
    }
    const int row = (tag - FirstGrid) % GridRows + 1;
    switch ((tag - FirstGrid) / GridRows) {
    case 0: return QStringLiteral("heren ronde %1 ").arg(row);
    case 1: return QStringLiteral("dames ronde %1 ").arg(row);
    default: return QStringLiteral("Mixed paar ronde %1").arg(row) + (row == 1 || row == 4 ? QStringLiteral(" ") : QString());
    }
}

CountCheck checkCount(int tag, const QString& text, const ScheduleSettings& stored, const CountLimits& limits)
{
    CountCheck check;
    bool ok = false;
    // Through a wider type, so a huge number is too large rather than no number.
    const qlonglong wide = text.trimmed().toLongLong(&ok);
    if (!ok) {
        check.notNumber = true;
        return check;
    }
    const int value = int(std::clamp<qlonglong>(wide, -1000000, 1000000));
    check.value = value;
    const bool grid = tag >= FirstGrid && tag <= LastGrid;
    int error = 0;
    if (value < 0)
        error = tag;
    else if (tag == Heren && (value > limits.memberCount || value > MaxPlayers))
        error = 11;
    else if ((tag == Heren && value + stored.NumLadies > limits.memberCount)
             || (tag == Dames && (stored.NumMen + value > limits.memberCount || value > MaxPlayers)))
        error = 12;
    else if (tag == Tandem && (value > limits.doublesRounds || value + std::max(0, stored.NumMixedRounds) > MaxRounds))
        error = 13;
    else if (tag == Mix && (value > limits.mixedRounds || value + std::max(0, stored.NumDoublesRounds) > MaxRounds))
        error = 14;
    else if ((tag == Banen || grid) && value > limits.courts)
        error = 20;
    if (error == 0)
        return check;
    const bool tooLarge = error >= 10;
    check.error = error;
    check.message = QStringLiteral("Aantal ") + fieldName(tag)
        + (tooLarge ? QStringLiteral("te groot: ") : QStringLiteral("foutief: ")) + text
        + QString::fromUtf8(stateText(tooLarge ? 10 : 1)) + QStringLiteral("\n\r") + QString::fromUtf8(hintText(5));
    return check;
}

QString tableLimitBreach(const ScheduleSettings& in, const CourtsPerRoundTable& courts)
{
    if (in.NumMen < 0 || in.NumLadies < 0 || in.NumDoublesRounds < 0 || in.NumMixedRounds < 0 || in.NumCourts < 0)
        return QStringLiteral("a negative number of players, rounds or courts");
    if (in.NumMen > MaxPlayers || in.NumLadies > MaxPlayers || in.NumMen + in.NumLadies > MaxPlayers)
        return QStringLiteral("men + ladies is more than %1 (%2)").arg(MaxPlayers).arg(in.NumMen + in.NumLadies);
    if (in.NumCourts > MaxCourts)
        return QStringLiteral("courts is more than %1 (%2)").arg(MaxCourts).arg(in.NumCourts);
    if (in.NumDoublesRounds + in.NumMixedRounds > MaxRounds)
        return QStringLiteral("doubles + mixed rounds is more than %1 (%2)")
            .arg(MaxRounds)
            .arg(in.NumDoublesRounds + in.NumMixedRounds);
    for (int r = 1; r <= in.NumDoublesRounds; ++r) {
        const int both = courts.men[size_t(r)] + courts.ladies[size_t(r)];
        if (both > MaxCourts)
            return QStringLiteral("round %1: men's + ladies' courts is more than %2 (%3)").arg(r).arg(MaxCourts).arg(both);
    }
    for (int r = 1; r <= in.NumMixedRounds; ++r)
        if (courts.mixed[size_t(r)] > MaxCourts)
            return QStringLiteral("mixed round %1: courts is more than %2 (%3)").arg(r).arg(MaxCourts).arg(courts.mixed[size_t(r)]);
    return {};
}

} // namespace tandemx::setup
