#pragma once
// "Tegenstanders spreiden": after the calculation the players of each round are placed again within
// their own block of courts (the round's men's, ladies' or mixed courts), so that two players meet as
// opponents as seldom as the rules allow and share a court as seldom as they can. Who plays in which
// round and block, who sits out, the court ranges and every play count stay as calculated.
#include "ScheduleTables.h"

#include <cstdint>

namespace tandemx::engine {

// The figures of the schedule in the ScheduleTable, read as the play options read a court (with
// "Groep 1 tegen Groep 2" the two men of a mixed court play the two ladies). Uses state.spread as its
// work space.
SpreadFigures MeasureSpread(ScheduleState& state);

// What no placing of the players within the schedule's blocks of courts can beat: per kind of two
// players (two men, two ladies, a man and a lady) and per player, the meetings the courts hold against
// the players there are to meet. Uses state.spread as its work space.
SpreadFigures SpreadBound(ScheduleState& state);

// The pass. Rewrites the courts of the calculated rounds in the ScheduleTable and rebuilds the tables
// read from them (RebuildOpponentTables); leaves the figures before and after in state.spread.
void SpreadOpponents(ScheduleState& state);

// RoundOpponents, the MetSets and the opponent histories of the calculation, made again from the
// ScheduleTable the way the calculation makes them round by round.
void RebuildOpponentTables(ScheduleState& state);

// The most moves the pass tries for an evening with this many courts in its rounds, and the length of
// its first run (each further run is twice as long as the one before, while they fit).
int64_t SpreadMoves(int courts);
int64_t SpreadFirstRun(int courts);

} // namespace tandemx::engine
