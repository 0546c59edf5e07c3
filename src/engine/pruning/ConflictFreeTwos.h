#pragma once
// The mend's test of a whole varied-pairs mixed round, in both engines. Two chosen pairs on one court
// have two men who have not met and two ladies who have not met. So the players of a gender that a
// valid choice may hold (available, with a pair in the pool, not left out by every balance scenario)
// must hold `courts` disjoint twos of players who have not met, covering the players every scenario
// needs. As in the doubles search's exact test: with d = (players) - 2 x courts stand-ins, each joined
// to every player not needed, such twos exist exactly when the graph has a perfect matching. When, say,
// every man plays every round, this settles at once that no choice of ladies can help, where the search
// would try them all.
#include "../Blossom.h"
#include "../ScheduleTables.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class BalanceScenarios;

class ConflictFreeTwos {
public:
    // Whether the players of gender g a valid choice may hold can make `courts` twos who have not met
    // (the history as the state's MixedMet reads it). Adds its work to `work` (in candidates).
    bool possible(const ScheduleState& state, const BalanceScenarios& scenarios, int g, int courts, int64_t& work);

private:
    static constexpr int MaxVertices = 2 * MaxPlayers;
    std::array<int16_t, MaxVertices> player_{};
    std::array<uint8_t, MaxVertices> owed_{};
    BlossomTables<MaxVertices> blossom_;
};

} // namespace tandemx::engine::pruning
