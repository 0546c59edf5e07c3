#include "ConflictFreeTwos.h"

#include "BalanceScenarios.h"

namespace tandemx::engine::pruning {

bool ConflictFreeTwos::possible(const ScheduleState& s, const BalanceScenarios& scenarios, int g, int courts,
                                int64_t& work)
{
    const auto& avail = s.mixedAvailability[size_t(g)];
    const auto& met = g == Men ? s.MixedMet.men : s.MixedMet.ladies;
    int m = 0;
    for (int j = 1; j <= s.players(g); ++j) {
        if (!isAvailable(avail.player[size_t(j)]) || !s.hasEligiblePair[size_t(g)].test(size_t(j))
            || scenarios.blocked(g, j))
            continue;
        player_[size_t(m)] = int16_t(j);
        owed_[size_t(m)] = scenarios.neededByAll(g, j);
        ++m;
    }
    const int d = m - 2 * courts;
    if (d < 0)
        return false;
    const int V = m + d;
    auto forEachNeighbour = [&](int v, auto&& visit) {
        if (v >= m) {
            for (int w = 0; w < m; ++w)
                if (!owed_[size_t(w)] && visit(w))
                    return;
            return;
        }
        const auto& metV = met[size_t(player_[size_t(v)])];
        for (int w = 0; w < m; ++w)
            if (w != v && !metV.test(size_t(player_[size_t(w)])) && visit(w))
                return;
        if (!owed_[size_t(v)])
            for (int w = m; w < V; ++w)
                if (visit(w))
                    return;
    };
    work += int64_t(V) * V;
    auto& match = blossom_.match;
    for (int v = 0; v < V; ++v)
        match[size_t(v)] = -1;
    return completeMatching(V, blossom_, forEachNeighbour);
}

} // namespace tandemx::engine::pruning
