#pragma once
// What the search's tests read of the search they serve: the state (players, the chosen players in
// inChosen, chosenCount and chosenPosition, the history tables), the pool searched, and the tables
// prepared for it this round.
#include "../ScheduleTables.h"

namespace tandemx::engine::pruning {

class BalanceScenarios;
class PlayerPositions;

struct SearchView {
    const ScheduleState& state;
    const PairList<MaxMixedPairs>& pool;
    const PlayerPositions& positions;
    const BalanceScenarios& scenarios;
    bool mixed; // a mixed round (pairs of a man and a lady), else a doubles round of one gender
};

} // namespace tandemx::engine::pruning
