#pragma once
// What the game input shows and stores for one court of one round of the schedule: the court's kind,
// its four players with their display names, and where the games typed for the two pairs go.
#include "engine/ScheduleTables.h"
#include "matches/MatchRecords.h"

#include <QString>

#include <array>

namespace tandemx {

// The kind of court k in round r: engine::MenDoubles, engine::LadiesDoubles or engine::MixedDoubles.
// Rounds beyond the doubles rounds, and rounds without men's and ladies' courts, are mixed.
int courtKind(const engine::ScheduleState& schedule, int round, int court);

struct CourtPlayers {
    int kind = engine::MixedDoubles;
    std::array<int, 4> players{};  // player numbers of places 1..4 (0: nobody)
    std::array<QString, 4> names{}; // their display names ("" for nobody)
};
CourtPlayers courtPlayers(const engine::ScheduleState& schedule, int round, int court);

// "A. Name": the first letter of the first name, ". ", and the last name without surrounding blanks.
QString displayName(const engine::TNaamObj& player);

// Stores the games of pair 1 (g1) and pair 2 (g2) of court k. On a mixed court while "Groep 1 tegen
// Groep 2" is set, places 1 and 3 (the men) get g1 and places 2 and 4 (the ladies) g2; otherwise the
// pairs are places 1-2 and 3-4.
void storeCourtGames(TScoreObj& round, int court, int kind, uint16_t playOptions, int g1, int g2);

// The most a pair can win on a court: 99 games, or 9 sets (input mode 1).
constexpr int MaxCourtGames = 99;
constexpr int MaxCourtSets = 9;
inline int maxCourtScore(int inputMode) { return inputMode == 1 ? MaxCourtSets : MaxCourtGames; }

} // namespace tandemx
