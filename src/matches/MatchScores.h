#pragma once
// Running totals and places of the matches, and crediting the games entered per court and round to
// the members of the open match.
#include "engine/ScheduleTables.h"
#include "matches/MatchFile.h"

#include <QDate>

#include <array>
#include <optional>

namespace tandemx {

class MemberList;

// Running totals of matches 1..n and the places of match n, for members 1..memberCount. mode 0 sums
// Games into TotalGames (TotalSets becomes 0) and places by TotalGames into GamesPlace; mode 1 the same
// with Sets. Equal totals share a place and the following places are skipped. Places of the matches
// before n stay. The member lists of matches 1..n are fitted to memberCount first. False when there
// is no match n.
bool RankMatch(MatchData& data, int n, int mode, int memberCount);

// For each gender (engine::Men, engine::Ladies) and player number of the PlayerTable: the member's
// position in the member list (0: unknown).
using PlayerPositions = std::array<std::array<int16_t, engine::MaxPlayers + 1>, 2>;

// The positions of the players of a schedule with names, each member found by the club number the
// schedule was made with. Nothing when a player's member is no longer in the list, or two members
// share that club number.
std::optional<PlayerPositions> playerPositions(const MemberList& members, const engine::ScheduleState& schedule);

// "Kopie van Games": after the question, credits the court scores of every round of the schedule to
// the member the schedule placed there (Games, or Sets with inputMode 1), after clearing Games and
// Sets of the current match, and ranks the current match (and the last one when later matches exist).
// Refused: a match dated other than playDate, a current match without member records. Nothing is
// saved. True when the scores were copied.
bool CopyScoresToMatch(MatchData& data, const engine::ScheduleState& schedule, const QDate& playDate,
                       int inputMode, const PlayerPositions& positions, int memberCount, Messages& messages);

// The gender of the player in place 1..4 of a court of the given kind (engine::MenDoubles,
// engine::LadiesDoubles, engine::MixedDoubles).
inline int placeGender(int kind, int place)
{
    if (kind == engine::MixedDoubles)
        return place % 2 == 1 ? engine::Men : engine::Ladies;
    return kind == engine::MenDoubles ? engine::Men : engine::Ladies;
}

} // namespace tandemx
