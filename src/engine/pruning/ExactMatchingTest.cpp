#include "ExactMatchingTest.h"

#include "BalanceScenarios.h"
#include "Bits.h"
#include "PlayerPositions.h"

#include <algorithm>

namespace tandemx::engine::pruning {

bool ExactMatchingTest::holds(const SearchView& view, int g, int scenario, int cursor, int remaining)
{
    const ScheduleState& s = view.state;
    const auto& pool = view.pool;
    const auto& st = view.scenarios.status(g, scenario);
    const auto& chosen = s.inChosen[size_t(g)];
    const int n = s.players(g);
    int m = 0;
    for (int j = 1; j <= n; ++j) {
        vertexOf_[size_t(j)] = -1;
        if (!chosen[size_t(j)] && st[size_t(j)] != BalanceScenarios::Out) {
            vertexOf_[size_t(j)] = int16_t(m);
            player_[size_t(m)] = int16_t(j);
            owed_[size_t(m)] = st[size_t(j)] == BalanceScenarios::In;
            ++m;
        }
    }
    const int d = m - 2 * remaining;
    if (d < 0)
        return false;
    const int V = m + d;
    const int32_t* entry = view.positions.entries();
    const auto& start = view.positions.start(g);
    auto& match = blossom_.match;

    // Visits the neighbours of v until visit answers true.
    auto forEachNeighbour = [&](int v, auto&& visit) {
        if (v >= m) {
            for (int w = 0; w < m; ++w)
                if (!owed_[size_t(w)] && visit(w))
                    return;
            return;
        }
        const int j = player_[size_t(v)];
        const int32_t* end = entry + start[size_t(j) + 1];
        for (const int32_t* e = std::lower_bound(entry + start[size_t(j)], end, cursor); e != end; ++e) {
            const int w = vertexOf_[size_t(partnerIn(pool[*e], false, g, j))];
            if (w >= 0 && visit(w))
                return;
        }
        if (!owed_[size_t(v)])
            for (int w = m; w < V; ++w)
                if (visit(w))
                    return;
    };
    for (int v = 0; v < V; ++v)
        match[size_t(v)] = -1;
    for (int v = 0; v < V; ++v) {
        if (match[size_t(v)] != -1)
            continue;
        forEachNeighbour(v, [&](int w) {
            if (match[size_t(w)] != -1 || w == v)
                return false;
            match[size_t(v)] = int16_t(w);
            match[size_t(w)] = int16_t(v);
            return true;
        });
    }
    return completeMatching(V, blossom_, forEachNeighbour);
}

} // namespace tandemx::engine::pruning
