#include "matches/GameInput.h"

#include "matches/MatchScores.h"
#include "records/Cp1252.h"

namespace tandemx {

int courtKind(const engine::ScheduleState& schedule, int round, int court)
{
    if (round < 1 || round > engine::MaxRounds)
        return engine::MixedDoubles;
    const engine::RoundRecord& r = schedule.ScheduleTable[size_t(round)];
    const engine::CourtRange men = r.range[engine::MenDoubles];
    const engine::CourtRange ladies = r.range[engine::LadiesDoubles];
    if (round > schedule.Run.NumDoublesRounds || (men.first == 0 && ladies.first == 0))
        return engine::MixedDoubles;
    if (men.first == 0)
        return engine::LadiesDoubles;
    if (ladies.first == 0)
        return engine::MenDoubles;
    const bool ladiesCourt = schedule.LadiesFirst ? court < men.first : court > men.last;
    return ladiesCourt ? engine::LadiesDoubles : engine::MenDoubles;
}

QString displayName(const engine::TNaamObj& player)
{
    const std::string_view first = player.firstName.view();
    const std::string_view last = player.lastName.view();
    const QString lastName = fromCp1252(QByteArrayView(last.data(), qsizetype(last.size()))).trimmed();
    const QString initial = first.empty() ? QString() : fromCp1252(QByteArrayView(first.data(), 1));
    return initial + QStringLiteral(". ") + lastName;
}

CourtPlayers courtPlayers(const engine::ScheduleState& schedule, int round, int court)
{
    CourtPlayers c;
    c.kind = courtKind(schedule, round, court);
    if (round < 1 || round > engine::MaxRounds || court < 1 || court > engine::MaxCourts)
        return c;
    const auto& places = schedule.ScheduleTable[size_t(round)].court[size_t(court)];
    for (int p = 1; p <= 4; ++p) {
        const int player = places[size_t(p - 1)];
        c.players[size_t(p - 1)] = player;
        if (player >= 1 && player <= engine::MaxPlayers)
            c.names[size_t(p - 1)] = displayName(schedule.PlayerTable[size_t(placeGender(c.kind, p))][size_t(player)]);
    }
    return c;
}

void storeCourtGames(TScoreObj& round, int court, int kind, uint16_t playOptions, int g1, int g2)
{
    if (court < 1 || court > MaxScoreCourts)
        return;
    const bool menAgainstLadies = kind == engine::MixedDoubles && playOptions > 3;
    const int16_t a = int16_t(g1), b = int16_t(g2);
    round.at(court, 1) = a;
    round.at(court, 2) = menAgainstLadies ? b : a;
    round.at(court, 3) = menAgainstLadies ? a : b;
    round.at(court, 4) = b;
}

} // namespace tandemx
