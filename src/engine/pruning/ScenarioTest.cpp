#include "ScenarioTest.h"

#include "BalanceScenarios.h"
#include "Bits.h"
#include "PlayerPositions.h"

#include <algorithm>

namespace tandemx::engine::pruning {

bool ScenarioTest::holds(const SearchView& view, int g, int scenario, int cursor, int slots, SearchWork& work)
{
    const ScheduleState& s = view.state;
    const auto& pool = view.pool;
    const bool mixed = view.mixed;
    const auto& scenarios = view.scenarios;
    const auto& st = scenarios.status(g, scenario);
    const auto& chosen = s.inChosen[size_t(g)];
    const int og = mixed ? 1 - g : g;
    const auto& otherChosen = s.inChosen[size_t(og)];
    const auto& otherBlocked = scenarios.blocked(og);
    const int n = s.players(g);
    const int32_t* entry = view.positions.entries();
    const auto& start = view.positions.start(g);

    work.lookWork += n;
    auto usable = [&](int v) {
        return !otherChosen[size_t(v)]
            && (mixed ? !otherBlocked[size_t(v)] : st[size_t(v)] != BalanceScenarios::Out);
    };
    // No chosen player may be excluded; the players still owed a place must fit.
    int owed = 0;
    for (int j = 1; j <= n; ++j) {
        if (chosen[size_t(j)]) {
            if (st[size_t(j)] == BalanceScenarios::Out)
                return false;
        } else if (st[size_t(j)] == BalanceScenarios::In) {
            need_[size_t(++owed)] = uint8_t(j);
        }
    }
    if (owed > slots)
        return false;
    // Enough free players with a usable pair at or after the cursor.
    int free = 0;
    int64_t looked = 0;
    for (int j = 1; j <= n && free < slots; ++j) {
        if (chosen[size_t(j)] || st[size_t(j)] == BalanceScenarios::Out)
            continue;
        const int last = start[size_t(j) + 1] - 1;
        int e = last;
        for (; e >= start[size_t(j)] && entry[e] >= cursor; --e) {
            if (usable(partnerIn(pool[entry[e]], mixed, g, j))) {
                ++free;
                break;
            }
        }
        looked += last - e + 1;
    }
    work.lookWork += looked;
    if (free < slots)
        return false;
    if (owed == 0)
        return true;
    // Every owed player gets his own partner (augmenting paths).
    auto& partnerOf = partnerOf_[size_t(og)];
    auto& visited = visited_[size_t(og)];
    for (int v = 1; v <= s.players(og); ++v)
        partnerOf[size_t(v)] = 0;
    struct Augment {
        const PairList<MaxMixedPairs>& pool;
        const int32_t* entry;
        const std::array<int32_t, MaxPlayers + 2>& start;
        std::array<int16_t, MaxPlayers + 1>& partnerOf;
        std::array<int32_t, MaxPlayers + 1>& visited;
        decltype(usable)& isUsable;
        bool mixed;
        int g, cursor, stamp;
        int64_t& looked; // the pairs looked at
        bool operator()(int u)
        {
            const int32_t* const end = entry + start[size_t(u) + 1];
            const int32_t* first = std::lower_bound(entry + start[size_t(u)], end, cursor);
            // A partner nobody has yet first, then the augmenting paths through taken partners.
            for (const int32_t* e = first; e != end; ++e) {
                const int v = partnerIn(pool[*e], mixed, g, u);
                if (partnerOf[size_t(v)] == 0 && isUsable(v)) {
                    partnerOf[size_t(v)] = int16_t(u);
                    looked += e - first + 1;
                    return true;
                }
            }
            looked += end - first;
            for (const int32_t* e = first; e != end; ++e) {
                ++looked;
                const int v = partnerIn(pool[*e], mixed, g, u);
                if (visited[size_t(v)] == stamp || !isUsable(v))
                    continue;
                visited[size_t(v)] = stamp;
                if (partnerOf[size_t(v)] == 0 || (*this)(partnerOf[size_t(v)])) {
                    partnerOf[size_t(v)] = int16_t(u);
                    return true;
                }
            }
            return false;
        }
    };
    looked = 0;
    Augment augment{pool, entry, start, partnerOf, visited, usable, mixed, g, cursor, 0, looked};
    bool matched = true;
    for (int i = 1; i <= owed && matched; ++i) {
        augment.stamp = ++stamp_;
        matched = augment(need_[size_t(i)]);
    }
    work.lookWork += looked;
    return matched;
}

} // namespace tandemx::engine::pruning
