#include "CourtsTest.h"

#include "BalanceScenarios.h"
#include "Bits.h"
#include "PlayerPositions.h"

#include <algorithm>

namespace tandemx::engine::pruning {

int CourtsTest::fits(const SearchView& view, int cursor, int remaining, SearchWork& work)
{
    state_ = &view.state;
    work_ = &work;
    if (!readPlayers(view, cursor))
        return -1;
    budget_ = Budget;
    placed_ = 0;
    // Each pair of balance scenarios that the chosen players leave open.
    const ScheduleState& s = view.state;
    const auto& scenarios = view.scenarios;
    bool unknown = false;
    for (int sm = 0; sm < scenarios.count(Men); ++sm) {
        for (int sl = 0; sl < scenarios.count(Ladies); ++sl) {
            bool open = true;
            for (int g = Men; g <= Ladies && open; ++g) {
                const auto& st = scenarios.status(g, g == Men ? sm : sl);
                const auto& chosen = s.inChosen[size_t(g)];
                uint64_t need = 0, allowed = 0;
                for (int j = 1; j <= s.players(g) && open; ++j) {
                    const int x = localOf_[size_t(g)][size_t(j)];
                    if (chosen[size_t(j)])
                        open = st[size_t(j)] != BalanceScenarios::Out;
                    else if (x < 0)
                        open = st[size_t(j)] != BalanceScenarios::In;
                    else if (st[size_t(j)] != BalanceScenarios::Out)
                        allowed |= bit(x);
                    if (x >= 0 && st[size_t(j)] == BalanceScenarios::In)
                        need |= bit(x);
                }
                (g == Men ? needMen_ : needLadies_) = need;
                (g == Men ? allowedMen_ : allowedLadies_) = allowed;
            }
            if (!open)
                continue;
            placed_ = 0;
            const int found = place(0, 0, remaining / 2);
            if (found == 1)
                return 1;
            unknown |= found < 0;
        }
    }
    return unknown ? -1 : 0;
}

bool CourtsTest::readPlayers(const SearchView& view, int cursor)
{
    const ScheduleState& s = view.state;
    const auto& pool = view.pool;
    std::array<int, 2> count{};
    for (int g = Men; g <= Ladies; ++g) {
        const auto& chosen = s.inChosen[size_t(g)];
        for (int j = 1; j <= s.players(g); ++j) {
            localOf_[size_t(g)][size_t(j)] = -1;
            if (chosen[size_t(j)] || view.scenarios.blocked(g, j))
                continue;
            if (count[size_t(g)] == LocalPlayers)
                return false;
            localOf_[size_t(g)][size_t(j)] = int16_t(count[size_t(g)]);
            localPlayer_[size_t(g)][size_t(count[size_t(g)]++)] = int16_t(j);
        }
    }
    const int men = count[Men], ladies = count[Ladies];
    // The pairs left between them, and who met whom.
    for (int l = 0; l < ladies; ++l)
        localPairs_[Ladies][size_t(l)] = localMet_[Ladies][size_t(l)] = localAcross_[Ladies][size_t(l)] = 0;
    const auto& met = s.MixedMet;
    for (int m = 0; m < men; ++m) {
        const int j = localPlayer_[Men][size_t(m)];
        uint64_t pairs = 0;
        const int32_t* end = view.positions.end(Men, j);
        for (const int32_t* e = view.positions.from(Men, j, cursor); e != end; ++e) {
            const int l = localOf_[Ladies][pool[*e].second];
            if (l < 0)
                continue;
            pairs |= bit(l);
            localPosition_[size_t(m)][size_t(l)] = *e;
            localPairs_[Ladies][size_t(l)] |= bit(m);
        }
        localPairs_[Men][size_t(m)] = pairs;
        uint64_t metMen = 0, across = 0;
        if (s.VariedPairs) {
            for (int o = 0; o < men; ++o)
                if (met.men[size_t(j)][size_t(localPlayer_[Men][size_t(o)])])
                    metMen |= bit(o);
            for (int l = 0; l < ladies; ++l)
                if (met.across[size_t(j)][size_t(localPlayer_[Ladies][size_t(l)])]) {
                    across |= bit(l);
                    localAcross_[Ladies][size_t(l)] |= bit(m);
                }
        }
        localMet_[Men][size_t(m)] = metMen;
        localAcross_[Men][size_t(m)] = across;
    }
    if (s.VariedPairs)
        for (int l = 0; l < ladies; ++l)
            for (int o = 0; o < ladies; ++o)
                if (met.ladies[size_t(localPlayer_[Ladies][size_t(l)])][size_t(localPlayer_[Ladies][size_t(o)])])
                    localMet_[Ladies][size_t(l)] |= bit(o);
    work_->testWork += men * (men + ladies) + ladies * ladies;
    return true;
}

bool CourtsTest::apart(int a, int b)
{
    work_->lookWork += placed_;
    for (int i = 0; i < placed_; ++i)
        if (!(b < placedCourts_[size_t(i)].first || placedCourts_[size_t(i)].second < a))
            return false;
    return true;
}

int CourtsTest::gapOf(int p) const
{
    int gap = 0;
    for (int i = 0; i < placed_; ++i) {
        const auto [a, b] = placedCourts_[size_t(i)];
        if (a <= p && p <= b)
            return -1;
        gap += b < p;
    }
    return gap;
}

template <class Visit>
bool CourtsTest::courtsOf(int g, int x, int y, uint64_t others, Visit&& visit)
{
    const uint64_t A = localPairs_[size_t(g)][size_t(x)] & others & ~localAcross_[size_t(g)][size_t(y)];
    const uint64_t B = localPairs_[size_t(g)][size_t(y)] & others & ~localAcross_[size_t(g)][size_t(x)];
    const int looked = bitCount(A) + bitCount(B);
    work_->testWork += looked;
    budget_ -= looked;
    std::array<uint64_t, MaxCourts + 1> inGap{};
    for (uint64_t c = B; c; c &= c - 1) {
        const int b = __builtin_ctzll(c);
        if (const int gap = gapOf(positionOf(g, y, b)); gap >= 0)
            inGap[size_t(gap)] |= bit(b);
    }
    const auto& metOther = localMet_[size_t(1 - g)];
    for (uint64_t c = A; c; c &= c - 1) {
        const int a = __builtin_ctzll(c);
        const int p = positionOf(g, x, a);
        const int gap = gapOf(p);
        if (gap >= 0 && visit(a, p, inGap[size_t(gap)] & ~bit(a) & ~metOther[size_t(a)]))
            return true;
    }
    return false;
}

// One court to go: a pair of players of the gender with more players still needed (else with fewer
// free), x the first needed one, y the other needed one or any other (a later one when none is needed),
// and partners for both in one gap.
int CourtsTest::lastCourt(uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies)
{
    const int owedM = bitCount(owedMen), owedL = bitCount(owedLadies);
    const int g = owedL > owedM || (owedL == owedM && bitCount(freeLadies) <= bitCount(freeMen)) ? Ladies : Men;
    const uint64_t freeG = g == Men ? freeMen : freeLadies, owedG = g == Men ? owedMen : owedLadies;
    const uint64_t others = g == Men ? freeLadies : freeMen, owedO = g == Men ? owedLadies : owedMen;
    for (uint64_t cx = owedG ? owedG & (~owedG + 1) : freeG; cx; cx &= cx - 1) {
        const int x = __builtin_ctzll(cx);
        uint64_t ys = freeG & ~bit(x) & ~localMet_[size_t(g)][size_t(x)];
        if (const uint64_t rest = owedG & ~bit(x))
            ys &= rest;
        else if (owedG == 0)
            ys &= ~((bit(x) << 1) - 1);
        for (; ys; ys &= ys - 1) {
            if (budget_ < 0)
                return -1;
            const int y = __builtin_ctzll(ys);
            const bool found = courtsOf(g, x, y, others, [&](int a, int, uint64_t bs) {
                const uint64_t rest = owedO & ~bit(a);
                return bitCount(rest) <= 1 && (rest ? bs & rest : bs) != 0;
            });
            if (found)
                return 1;
        }
    }
    return budget_ < 0 ? -1 : 0;
}

// Two courts to go with the four players of gender g on them known: for each way to split them in two,
// the courts each two can have, and whether a court of the one fits wholly before a court of the other
// with none of the other gender twice and all the needed ones on them.
int CourtsTest::lastTwoCourts(uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies)
{
    using Option = CourtOption;
    const int g = bitCount(owedMen) == 4 ? Men : Ladies;
    const uint64_t owedG = g == Men ? owedMen : owedLadies;
    const uint64_t others = g == Men ? freeLadies : freeMen, owedO = g == Men ? owedLadies : owedMen;
    // Each court needs all but at most two of the needed players of the other gender.
    const int owedOnEach = bitCount(owedO) - 2;
    auto optionsOf = [&](int x, int y, Option* out) {
        int n = 0;
        courtsOf(g, x, y, others, [&](int a, int pa, uint64_t bs) {
            for (; bs; bs &= bs - 1) {
                const int b = __builtin_ctzll(bs);
                if (bitCount((bit(a) | bit(b)) & owedO) < owedOnEach)
                    continue;
                const int pb = positionOf(g, y, b);
                out[n++] = {std::min(pa, pb), std::max(pa, pb), bit(a) | bit(b)};
            }
            return false;
        });
        work_->testWork += n;
        budget_ -= n;
        return n;
    };
    auto before = [&](const Option* first, int n1, Option* second, int n2) {
        std::sort(second, second + n2, [](const Option& u, const Option& v) { return u.lo > v.lo; });
        for (int i = 0; i < n1; ++i) {
            for (int k = 0; k < n2 && second[k].lo > first[i].hi; ++k) {
                ++work_->testWork;
                if (--budget_ < 0)
                    return -1;
                const uint64_t players = first[i].players | second[k].players;
                if ((first[i].players & second[k].players) == 0 && (owedO & ~players) == 0)
                    return 1;
            }
        }
        return 0;
    };
    std::array<int, 4> q{};
    int k = 0;
    for (uint64_t c = owedG; c; c &= c - 1)
        q[size_t(k++)] = __builtin_ctzll(c);
    const auto& met = localMet_[size_t(g)];
    Option* one = courtOptions_[0].data();
    Option* two = courtOptions_[1].data();
    static constexpr std::array<std::array<int, 4>, 3> splits{{{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}}};
    for (const auto& split : splits) {
        const int x = q[size_t(split[0])], y = q[size_t(split[1])];
        const int u = q[size_t(split[2])], v = q[size_t(split[3])];
        if ((met[size_t(x)] >> y & 1) || (met[size_t(u)] >> v & 1))
            continue;
        const int n1 = optionsOf(x, y, one);
        const int n2 = n1 > 0 ? optionsOf(u, v, two) : 0;
        if (budget_ < 0)
            return -1;
        if (n2 == 0)
            continue;
        int found = before(one, n1, two, n2);
        if (found == 0)
            found = before(two, n2, one, n1);
        if (found != 0)
            return found;
    }
    return budget_ < 0 ? -1 : 0;
}

// More courts to go, with few free players of gender g (at most ChainPlayers). Leaving out that a player
// of the other gender may play on one court only, the courts in position order are a chain - each next
// one two of these players with a court that starts after the previous one ends - and of the chains
// that place a given set of them and a given number of the needed players of the other gender, the one
// that ends earliest leaves the most room; so a table over those sets and numbers decides whether some
// set of the right size with every needed one of gender g and all needed ones of the other gender can be
// placed. None: no completion (0). One whose courts have no player of the other gender twice: a
// completion (1). Otherwise 2, undecided.
int CourtsTest::chainOfCourts(int g, uint64_t freeG, uint64_t owedG, uint64_t others, uint64_t owedO, int left)
{
    using Option = CourtOption;
    std::array<int, ChainPlayers> q{};
    int n = 0;
    uint32_t required = 0;
    for (uint64_t c = freeG; c; c &= c - 1) {
        const int x = __builtin_ctzll(c);
        required |= uint32_t((owedG >> x) & 1) << n;
        q[size_t(n++)] = x;
    }
    const int owedCount = bitCount(owedO); // at most 2 * left
    // Each one's partners in gaps between the placed courts, latest position first.
    struct Partner {
        int32_t position;
        int16_t other, gap;
    };
    std::array<std::array<Partner, LocalPlayers>, ChainPlayers> partners;
    std::array<int, ChainPlayers> partnerCount{};
    for (int i = 0; i < n; ++i) {
        auto& list = partners[size_t(i)];
        int& count = partnerCount[size_t(i)];
        for (uint64_t c = localPairs_[size_t(g)][size_t(q[size_t(i)])] & others; c; c &= c - 1) {
            const int o = __builtin_ctzll(c);
            const int p = positionOf(g, q[size_t(i)], o);
            if (const int gap = gapOf(p); gap >= 0)
                list[size_t(count++)] = {p, int16_t(o), int16_t(gap)};
        }
        std::sort(list.begin(), list.begin() + count,
                  [](const Partner& u, const Partner& v) { return u.position > v.position; });
        work_->testWork += count;
    }
    // For each two of them and each number k of needed players of the other gender (0, 1 or 2), the
    // courts with at least k of them worth trying: those that no other one beats with a later start and an
    // earlier end, ascending in start and in end. Going down the positions, each partner that comes in
    // starts courts with the partners of the other one already in; the earliest end among them is the
    // compatible one that came in last (a needed one, for more needed players).
    const auto& metOther = localMet_[size_t(1 - g)];
    auto pairIndex = [n](int i, int j) { return i * (2 * n - i - 1) / 2 + (j - i - 1); };
    const int kinds = std::min(owedCount, 2) + 1;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const size_t index = size_t(pairIndex(i, j));
            for (int k = 0; k < 3; ++k)
                chainFrontSize_[size_t(k)][index] = 0;
            const int x = q[size_t(i)], y = q[size_t(j)];
            if (localMet_[size_t(g)][size_t(x)] >> y & 1)
                continue;
            const std::array<const Partner*, 2> list{partners[size_t(i)].data(), partners[size_t(j)].data()};
            const std::array<int, 2> count{partnerCount[size_t(i)], partnerCount[size_t(j)]};
            // Partners of x must not have met y, and the other way round.
            const std::array<uint64_t, 2> barred{localAcross_[size_t(g)][size_t(y)], localAcross_[size_t(g)][size_t(x)]};
            std::array<std::array<const Partner*, LocalPlayers>, 2> in;
            std::array<int, 2> inCount{}, next{};
            std::array<int, 3> earliest{1 << 30, 1 << 30, 1 << 30};
            auto offer = [&](const Partner& come, const Partner& with) {
                const int needed = int(owedO >> come.other & 1) + int(owedO >> with.other & 1);
                for (int k = 0; k <= std::min(needed, kinds - 1); ++k) {
                    if (with.position < earliest[size_t(k)]) {
                        earliest[size_t(k)] = with.position;
                        chainFront_[size_t(k)][index][size_t(chainFrontSize_[size_t(k)][index]++)] = {
                            come.position, with.position, bit(come.other) | bit(with.other)};
                    }
                }
            };
            while (next[0] < count[0] || next[1] < count[1]) {
                const int side = next[1] >= count[1]
                        || (next[0] < count[0] && list[0][next[0]].position > list[1][next[1]].position)
                    ? 0 : 1;
                const Partner& come = list[size_t(side)][next[size_t(side)]++];
                if (barred[size_t(side)] >> come.other & 1)
                    continue;
                in[size_t(side)][size_t(inCount[size_t(side)]++)] = &come;
                // The last compatible one, and the last compatible needed one when that counts.
                bool offered = false;
                for (int k = inCount[size_t(1 - side)] - 1; k >= 0; --k) {
                    const Partner& with = *in[size_t(1 - side)][size_t(k)];
                    ++work_->testWork;
                    if (with.gap != come.gap || with.other == come.other
                        || (metOther[size_t(come.other)] >> with.other & 1))
                        continue;
                    const bool owedWith = owedO >> with.other & 1;
                    if (!offered || owedWith)
                        offer(come, with);
                    offered = true;
                    if (owedWith || kinds == 1)
                        break;
                }
            }
            for (int k = 0; k < kinds; ++k) {
                auto& front = chainFront_[size_t(k)][index];
                std::reverse(front.begin(), front.begin() + chainFrontSize_[size_t(k)][index]);
            }
        }
    }
    // Per set of them placed and number of needed players of the other gender on their courts (at most
    // all of them), the earliest end of a chain and its last step. The entries are reached in order of the
    // number placed, two more at each step, and only those reached are looked at; an entry counts in this
    // call only with its stamp.
    const int levels = owedCount + 1;
    auto& end = chainEnd_;
    auto& step = chainStep_;
    auto& seen = chainSeen_;
    if (++chainCall_ == 0) {
        seen.fill(0);
        chainCall_ = 1;
    }
    auto& queue = chainQueue_;
    int queued = 0;
    seen[0] = chainCall_;
    end[0] = -1;
    queue[size_t(queued++)] = 0;
    bool chained = false;
    for (int head = 0; head < queued; ++head) {
        const uint32_t at = queue[size_t(head)];
        const uint32_t set = at / uint32_t(levels);
        const int c = int(at % uint32_t(levels));
        const int placedHere = bitCount(set);
        // The courts still to come take at most two needed players each.
        if (c + (2 * left - placedHere) < owedCount)
            continue;
        if (placedHere == 2 * left) {
            if ((set & required) != required)
                continue;
            chained = true;
            uint64_t used = 0;
            bool apart = true;
            for (uint32_t s = at; s != 0 && apart; s = step[s].before) {
                const auto& st = step[s];
                const uint64_t players = chainFront_[size_t(st.kind)][size_t(st.pair)][size_t(st.entry)].players;
                apart = (used & players) == 0;
                used |= players;
            }
            if (apart)
                return 1;
            continue;
        }
        work_->testWork += n * n / 2;
        for (int i = 0; i < n; ++i) {
            if (set >> i & 1)
                continue;
            for (int j = i + 1; j < n; ++j) {
                if (set >> j & 1)
                    continue;
                const int index = pairIndex(i, j);
                const uint32_t nextSet = set | uint32_t(1) << i | uint32_t(1) << j;
                for (int k = 0; k < kinds; ++k) {
                    const auto& front = chainFront_[size_t(k)][size_t(index)];
                    const auto last = front.begin() + chainFrontSize_[size_t(k)][size_t(index)];
                    const auto first = std::upper_bound(front.begin(), last, end[at],
                                                        [](int t, const Option& o) { return t < o.lo; });
                    if (first == last)
                        continue;
                    const uint32_t to = nextSet * uint32_t(levels) + uint32_t(std::min(owedCount, c + k));
                    const bool fresh = seen[to] != chainCall_;
                    if (fresh || first->hi < end[to]) {
                        if (fresh) {
                            seen[to] = chainCall_;
                            queue[size_t(queued++)] = to;
                        }
                        end[to] = first->hi;
                        step[to] = {at, int8_t(index), int8_t(k), int16_t(first - front.begin())};
                    }
                }
            }
        }
    }
    return chained ? 2 : 0;
}

int CourtsTest::place(uint64_t usedMen, uint64_t usedLadies, int left)
{
    const uint64_t freeMen = allowedMen_ & ~usedMen, freeLadies = allowedLadies_ & ~usedLadies;
    uint64_t owedMen = needMen_ & ~usedMen, owedLadies = needLadies_ & ~usedLadies;
    if (left == 0)
        return owedMen == 0 && owedLadies == 0;
    const int freeMenCount = bitCount(freeMen), freeLadiesCount = bitCount(freeLadies);
    if (freeMenCount < 2 * left || freeLadiesCount < 2 * left || bitCount(owedMen) > 2 * left
        || bitCount(owedLadies) > 2 * left)
        return 0;
    // Where just enough players of a gender are free, every one of them must play.
    if (freeMenCount == 2 * left)
        owedMen = freeMen;
    if (freeLadiesCount == 2 * left)
        owedLadies = freeLadies;
    ++work_->testWork;
    if (--budget_ < 0)
        return -1;
    if (left == 1)
        return lastCourt(freeMen, freeLadies, owedMen, owedLadies);
    if (left == 2 && (bitCount(owedMen) == 4 || bitCount(owedLadies) == 4))
        return lastTwoCourts(freeMen, freeLadies, owedMen, owedLadies);
    // The players of a gender who can still come on: all free ones, or only the needed ones when they
    // fill the courts.
    const uint64_t menOn = bitCount(owedMen) == 2 * left ? owedMen : freeMen;
    const uint64_t ladiesOn = bitCount(owedLadies) == 2 * left ? owedLadies : freeLadies;
    // The chain has a work allowance of its own, so that where it does not pay it does not take the
    // other tests' share. A search that has examined many candidates has a large allowance, which one
    // courts test could spend at once: the chain also stops at the search's work limit.
    if (std::min(bitCount(menOn), bitCount(ladiesOn)) <= ChainPlayers && work_->chainWithinAllowance()
        && work_->withinLimit(*state_)) {
        const int64_t before = work_->testWork;
        const int found = bitCount(menOn) <= bitCount(ladiesOn)
            ? chainOfCourts(Men, menOn, owedMen, freeLadies, owedLadies, left)
            : chainOfCourts(Ladies, ladiesOn, owedLadies, freeMen, owedMen, left);
        work_->chainWork += work_->testWork - before;
        work_->testWork = before;
        if (found != 2)
            return found;
    }
    // The player with the fewest pairs left: a needed one if any.
    int bestGender = -1, best = -1, fewest = 1 << 20;
    const bool needed = (owedMen | owedLadies) != 0;
    work_->lookWork += needed ? bitCount(owedMen) + bitCount(owedLadies) : freeMenCount + freeLadiesCount;
    for (int g = Men; g <= Ladies; ++g) {
        const uint64_t others = g == Men ? freeLadies : freeMen;
        for (uint64_t c = needed ? (g == Men ? owedMen : owedLadies) : (g == Men ? freeMen : freeLadies); c;
             c &= c - 1) {
            const int x = __builtin_ctzll(c);
            const int pairs = bitCount(localPairs_[size_t(g)][size_t(x)] & others);
            if (pairs < fewest) {
                fewest = pairs;
                best = x;
                bestGender = g;
            }
        }
    }
    if (fewest == 0 && needed)
        return 0;
    const uint64_t others = bestGender == Men ? freeLadies : freeMen;
    for (uint64_t c = localPairs_[size_t(bestGender)][size_t(best)] & others; c; c &= c - 1) {
        const int m1 = bestGender == Men ? best : __builtin_ctzll(c);
        const int l1 = bestGender == Men ? __builtin_ctzll(c) : best;
        const int p1 = localPosition_[size_t(m1)][size_t(l1)];
        if (!apart(p1, p1))
            continue;
        const uint64_t menLeft = freeMen & ~bit(m1), ladiesLeft = freeLadies & ~bit(l1);
        for (uint64_t cm = menLeft & ~localMet_[Men][size_t(m1)] & ~localAcross_[Ladies][size_t(l1)]; cm;
             cm &= cm - 1) {
            const int m2 = __builtin_ctzll(cm);
            for (uint64_t cl = localPairs_[Men][size_t(m2)] & ladiesLeft & ~localMet_[Ladies][size_t(l1)]
                     & ~localAcross_[Men][size_t(m1)];
                 cl; cl &= cl - 1) {
                const int l2 = __builtin_ctzll(cl);
                ++work_->testWork;
                if (--budget_ < 0)
                    return -1;
                const int p2 = localPosition_[size_t(m2)][size_t(l2)];
                const int a = std::min(p1, p2), b = std::max(p1, p2);
                if (!apart(a, b))
                    continue;
                placedCourts_[size_t(placed_++)] = {a, b};
                const int found = place(usedMen | bit(m1) | bit(m2), usedLadies | bit(l1) | bit(l2), left - 1);
                --placed_;
                if (found != 0)
                    return found;
            }
        }
    }
    if (needed)
        return 0;
    // The player sits out.
    return bestGender == Men ? place(usedMen | bit(best), usedLadies, left) : place(usedMen, usedLadies | bit(best), left);
}

} // namespace tandemx::engine::pruning
