#pragma once
// Each player's pairs in the pool searched: for every player the pool positions of the pairs that hold
// him, ascending, so that the tests find a player's pairs at or after the cursor at once.
#include "../ScheduleTables.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class PlayerPositions {
public:
    // The lists of the doubles gender `gender` in a doubles pool, or of both genders in a mixed pool
    // (gender -1).
    void prepare(const ScheduleState& state, const PairList<MaxMixedPairs>& pool, int gender);

    // All lists in one array: player j of gender g has entries()[start(g)[j]] .. entries()[start(g)[j + 1] - 1].
    const int32_t* entries() const { return entry_.data(); }
    const std::array<int32_t, MaxPlayers + 2>& start(int g) const { return start_[size_t(g)]; }
    // The end of player j's list, and its first entry at or after the cursor.
    const int32_t* end(int g, int j) const { return entry_.data() + start_[size_t(g)][size_t(j) + 1]; }
    const int32_t* from(int g, int j, int cursor) const
    {
        return std::lower_bound(entry_.data() + start_[size_t(g)][size_t(j)], end(g, j), cursor);
    }

private:
    std::array<std::array<int32_t, MaxPlayers + 2>, 2> start_{};
    std::array<int32_t, 2 * MaxMixedPairs> entry_{};
    std::array<int32_t, MaxPlayers + 1> fillAt_{};
};

} // namespace tandemx::engine::pruning
