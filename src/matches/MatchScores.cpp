#include "matches/MatchScores.h"

#include "engine/ScheduleStart.h"
#include "messages/Messages.h"
#include "records/MemberList.h"

#include <algorithm>

namespace tandemx {

bool RankMatch(MatchData& data, int n, int mode, int memberCount)
{
    if (!data.match(n))
        return false;
    const int members = std::max(memberCount, 0);
    for (int a = 1; a <= n; ++a)
        data.match(a)->fitMemberCount(members);

    for (int m = 1; m <= members; ++m) {
        int sum = 0;
        for (int a = 1; a <= n; ++a) {
            TCalcObj& c = data.match(a)->calcs[size_t(m)];
            if (mode == InputSets) {
                sum += c.Sets;
                c.TotalSets = int16_t(sum);
                c.TotalGames = 0;
            } else {
                sum += c.Games;
                c.TotalGames = int16_t(sum);
                c.TotalSets = 0;
            }
        }
    }

    std::vector<TCalcObj>& calcs = data.match(n)->calcs;
    auto total = [&](int m) { return mode == InputSets ? calcs[size_t(m)].TotalSets : calcs[size_t(m)].TotalGames; };
    std::vector<int16_t> places(size_t(members + 1), 1);
    for (int m = 1; m <= members; ++m)
        for (int j = 1; j <= members; ++j)
            if (total(j) > total(m))
                ++places[size_t(m)];
    for (int m = 1; m <= members; ++m)
        (mode == InputSets ? calcs[size_t(m)].SetsPlace : calcs[size_t(m)].GamesPlace) = places[size_t(m)];
    return true;
}

std::optional<PlayerPositions> playerPositions(const MemberList& members, const engine::ScheduleState& schedule)
{
    // Each player is found again by the club number the schedule was made with, so a list that was
    // shuffled, sorted or edited since still credits every game to the member who played it.
    PlayerPositions positions{};
    for (int gender : {engine::Men, engine::Ladies}) {
        const int players = std::min(schedule.players(gender), engine::MaxPlayers);
        const auto& table = schedule.PlayerTable[size_t(gender)];
        for (int p = 1; p <= players; ++p) {
            const int16_t clubNr = table[size_t(p)].clubNr;
            int found = 0;
            for (int i = 1; i <= members.count(); ++i) {
                if (members.at(i).clubNr() != clubNr)
                    continue;
                if (found)
                    return std::nullopt; // two members share the number: whose games are these?
                found = i;
            }
            if (!found)
                return std::nullopt; // the member has left the list
            positions[size_t(gender)][size_t(p)] = int16_t(found);
        }
    }
    return positions;
}

bool CopyScoresToMatch(MatchData& data, const engine::ScheduleState& schedule, const QDate& playDate,
                       int inputMode, const PlayerPositions& positions, int memberCount, Messages& messages)
{
    if (!messages.ask(QStringLiteral("Weet U zeker dat u de behaalde punten \rwilt Kopieren naar het Match - bestand ?")))
        return false;
    const QDate matchDate = QDate::fromString(data.CurrentMatch.header.matchDate(), QStringLiteral("d-M-yyyy"));
    if (!matchDate.isValid() || matchDate != playDate) {
        messages.showBericht(QStringLiteral("Datum van Schema is niet gelijk aan Match-datum"), Error, Btn::OK, 0);
        return false;
    }
    TMatchCalcObj* match = data.current();
    if (!match || match->calcs.empty() || match->scores.size() != size_t(ScoreRoundEntries)) {
        messages.showBericht(QStringLiteral("Matchbestand niet geladen"), Error, Btn::OK, 0);
        return false;
    }
    const int members = std::max(memberCount, 0);
    match->fitMemberCount(members);
    for (int m = 1; m <= members; ++m) {
        match->calcs[size_t(m)].Games = 0;
        match->calcs[size_t(m)].Sets = 0;
    }

    const int rounds = std::clamp(int(schedule.Run.NumDoublesRounds + schedule.Run.NumMixedRounds), 0, engine::MaxRounds);
    for (int r = 1; r <= rounds; ++r) {
        const engine::RoundRecord& round = schedule.ScheduleTable[size_t(r)];
        const TScoreObj& scores = match->scores[size_t(r)];
        for (int kind = engine::MenDoubles; kind <= engine::MixedDoubles; ++kind) {
            const engine::CourtRange range = round.range[size_t(kind)];
            if (range.first <= 0 || range.last < range.first)
                continue;
            for (int k = range.first; k <= std::min(int(range.last), engine::MaxCourts); ++k) {
                for (int p = 1; p <= ScorePlaces; ++p) {
                    const int player = round.court[size_t(k)][size_t(p - 1)];
                    const int position = player >= 1 && player <= engine::MaxPlayers
                        ? positions[size_t(placeGender(kind, p))][size_t(player)]
                        : 0;
                    if (position < 1 || position > members)
                        continue;
                    TCalcObj& c = match->calcs[size_t(position)];
                    (inputMode == 1 ? c.Sets : c.Games) += scores.at(k, p);
                }
            }
        }
    }

    const int nr = data.CurrentMatch.match;
    RankMatch(data, nr, inputMode, members);
    if (data.MatchCount() > nr)
        RankMatch(data, data.MatchCount(), inputMode, members);
    return true;
}

} // namespace tandemx
