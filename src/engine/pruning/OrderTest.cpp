#include "OrderTest.h"

#include "BalanceScenarios.h"
#include "PlayerPositions.h"

#include <algorithm>

namespace tandemx::engine::pruning {

bool OrderTest::fits(const SearchView& view, int g, int cursor, int remaining, SearchWork& work)
{
    const ScheduleState& s = view.state;
    const auto& pool = view.pool;
    const auto& scenarios = view.scenarios;
    const int og = 1 - g;
    const int n = s.players(g);
    const auto& chosen = s.inChosen[size_t(g)];
    const auto& otherChosen = s.inChosen[size_t(og)];
    const auto& positions = view.positions;
    g_ = g;
    n_ = n;
    variedPairs_ = s.VariedPairs;
    met_ = g == Men ? &s.MixedMet.men : &s.MixedMet.ladies;
    blocked_ = &scenarios.blocked(g);
    work_ = &work;
    int owed = 0;
    for (int j = 1; j <= n; ++j) {
        used_[size_t(j)] = chosen[size_t(j)];
        const bool inAll = !chosen[size_t(j)] && scenarios.neededByAll(g, j);
        owed_[size_t(j)] = inAll;
        owed += inAll;
    }
    // Each free player's usable positions at or after the cursor, ascending.
    int size = 0;
    for (int j = 1; j <= n; ++j) {
        from_[size_t(j)] = size;
        if (chosen[size_t(j)] || scenarios.blocked(g, j))
            continue;
        const int32_t* end = positions.end(g, j);
        for (const int32_t* e = positions.from(g, j, cursor); e != end; ++e) {
            const Pair q = pool[*e];
            const int other = g == Men ? q.second : q.first;
            if (!otherChosen[size_t(other)] && !scenarios.blocked(og, other))
                list_[size_t(size++)] = *e;
        }
    }
    from_[size_t(n) + 1] = size;
    for (int j = 1; j <= n; ++j)
        last_[size_t(j)] = from_[size_t(j) + 1] > from_[size_t(j)] ? list_[size_t(from_[size_t(j) + 1] - 1)] : 0;
    // Dead ends of earlier tests do not hold here: the usable positions differ.
    if (++test_ == 0) {
        for (auto& e : memo_)
            e.test = 0;
        test_ = 1;
    }
    budget_ = Budget;
    int open = 0;
    if (s.chosenCount % 2 == 1) {
        const Pair p = pool[s.chosenPosition[size_t(s.chosenCount)]];
        open = g == Men ? p.first : p.second;
    }
    return search(cursor - 1, remaining, open, owed, 0) != 0;
}

int OrderTest::next(int j, int p) const
{
    const int32_t* end = list_.data() + from_[size_t(j) + 1];
    const int32_t* e = std::upper_bound(list_.data() + from_[size_t(j)], end, p);
    return e == end ? 0 : int(*e);
}

OrderTest::State OrderTest::stateAt(int p, int left, int open, int owedLeft, int level) const
{
    State state;
    for (int i = 0; i < level; ++i) {
        const int j = path_[size_t(i)];
        if (last_[size_t(j)] > p)
            state.live[size_t(j >> 6)] |= uint64_t(1) << (j & 63);
    }
    state.position = p;
    state.open = int16_t(open);
    state.left = int16_t(left);
    state.owedLeft = int16_t(owedLeft);
    state.test = test_;
    return state;
}

OrderTest::State& OrderTest::slotOf(const State& state)
{
    const uint64_t seed = uint64_t(state.position) << 32 ^ uint64_t(state.open) << 16 ^ uint64_t(state.left) << 8
        ^ uint64_t(state.owedLeft);
    return memo_[size_t(hashWords(seed, state.live) & (MemoSlots - 1))];
}

int OrderTest::search(int p, int left, int open, int owedLeft, int level)
{
    if (left == 0)
        return owedLeft == 0 ? 1 : 0;
    if (owedLeft > left || --budget_ < 0)
        return owedLeft > left ? 0 : -1;
    if (level == 0)
        return explore(p, left, open, owedLeft, level);
    const State state = stateAt(p, left, open, owedLeft, level);
    State& slot = slotOf(state);
    if (slot == state)
        return 0;
    const int found = explore(p, left, open, owedLeft, level);
    if (found == 0)
        slot = state;
    return found;
}

int OrderTest::explore(int p, int left, int open, int owedLeft, int level)
{
    auto* cand = candidates_[size_t(level)].data();
    const auto& blocked = *blocked_;
    int count = 0;
    work_->testWork += n_;
    for (int j = 1; j <= n_; ++j) {
        if (used_[size_t(j)] || blocked[size_t(j)])
            continue;
        const int q = next(j, p);
        if (q == 0) {
            if (owed_[size_t(j)])
                return 0;
            continue;
        }
        cand[count++] = {q, j};
    }
    if (count < left)
        return 0;
    std::sort(cand, cand + count);
    const auto& met = *met_;
    for (int i = 0; i < count; ++i) {
        const auto [q, j] = cand[i];
        if (open && variedPairs_ && met[size_t(open)][size_t(j)])
            continue;
        used_[size_t(j)] = 1;
        path_[size_t(level)] = int16_t(j);
        const int found = search(q, left - 1, open ? 0 : j, owedLeft - owed_[size_t(j)], level + 1);
        used_[size_t(j)] = 0;
        if (found != 0)
            return found;
    }
    return 0;
}

} // namespace tandemx::engine::pruning
