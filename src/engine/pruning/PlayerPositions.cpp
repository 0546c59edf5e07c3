#include "PlayerPositions.h"

namespace tandemx::engine::pruning {

void PlayerPositions::prepare(const ScheduleState& s, const PairList<MaxMixedPairs>& pool, int gender)
{
    const bool mixed = gender < 0;
    int offset = 0;
    for (int g = Men; g <= Ladies; ++g) {
        if (!mixed && g != gender)
            continue;
        const int n = s.players(g);
        // Count each player's pairs, then give each list its place and fill it in pool order.
        auto& start = start_[size_t(g)];
        std::fill(start.begin(), start.begin() + n + 2, 0);
        for (int k = 1; k <= pool.count; ++k) {
            const Pair p = pool[k];
            if (mixed) {
                ++start[g == Men ? p.first : p.second];
            } else {
                ++start[p.first];
                ++start[p.second];
            }
        }
        int sum = offset;
        for (int j = 0; j <= n + 1; ++j) {
            const int c = start[size_t(j)];
            start[size_t(j)] = sum;
            sum += c;
        }
        for (int j = 0; j <= n; ++j)
            fillAt_[size_t(j)] = start[size_t(j)];
        for (int k = 1; k <= pool.count; ++k) {
            const Pair p = pool[k];
            if (mixed) {
                entry_[size_t(fillAt_[g == Men ? p.first : p.second]++)] = k;
            } else {
                entry_[size_t(fillAt_[p.first]++)] = k;
                entry_[size_t(fillAt_[p.second]++)] = k;
            }
        }
        offset = sum;
    }
}

} // namespace tandemx::engine::pruning
