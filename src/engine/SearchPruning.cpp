// The fast search's subtree tests. Every test here is a necessary condition for a valid complete choice
// below a node of the search; the search skips a subtree only when one fails, so it meets the valid
// choices in the same order as the exhaustive search and stops at the same first one.
//
// What a valid complete choice needs (the set S of players covered by the chosen pairs):
// - must-play: every player of the MustPlayList is in S;
// - balance: with p(j) = TimesPlayed(j) + [j in S], A = the largest p over the available players and
//   B = the smallest p over the available players whose byte is neither 2 nor 3 (the "counted" ones),
//   the check max(1, A) - min(R, B) in {0, 1} holds (R = CurrentRound, or the overall round in mixed).
//   When some available player is counted, B <= A and 1 <= min(R, B) + 1, so the check is
//   A <= min(R, B) + 1, which holds exactly when some L <= R has every available p <= L + 1 and every
//   counted p >= L. For one L that reads per player: an available player with TimesPlayed = L + 1 must
//   stay out of S, a counted one with TimesPlayed = L - 1 must be in S, the others are free. Only
//   L = maxT - 1 .. min(R, minT + 1) can hold (maxT over the available, minT over the counted players),
//   at most three values: each is a scenario. Without a counted player no balance scenario is drawn
//   (one scenario with only the must-play players).
// At a node with chosen pairs C and `remaining` pairs still to take from positions >= cursor, a
// scenario can still hold only if: no chosen player must stay out; the players who must be in and are
// not yet covered fit in the remaining places; each of them can get a distinct partner through a pool
// pair at or after the cursor whose other player is still free and not excluded (a bipartite matching,
// Hall's condition, which every real choice satisfies by giving each player his own partner); and
// enough free, not excluded players still have such a pair to fill the remaining places.
// The tests above leave the history conflicts of the mixed search out (leaving a constraint out keeps
// a test a necessary condition). Mixed searches that run long get three more: the order test (the pool
// order makes the courts, and two players who met cannot share one), the courts test (exact: both
// genders, the history and the pool order together, unless it gives up) and the dead ends the search
// has already met (the same players at the same or a later cursor). The order and courts tests are
// bounded by the work of the search itself.
#include "Blossom.h"
#include "ScheduleEngine.h"
#include "pruning/Workspace.h"

#include <algorithm>

namespace tandemx::engine {

namespace {

// The number of set bits, inline: without a popcount instruction in the target the builtin is a call.
inline int bitCount(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return int((x * 0x0101010101010101ull) >> 56);
}

// Mixes words into a hash, for the tables of dead ends.
template <size_t N>
uint64_t hashWords(uint64_t h, const std::array<uint64_t, N>& words)
{
    for (uint64_t w : words) {
        h ^= w + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
    }
    return h ^ (h >> 31);
}

// The other player of the pair at pool position k, seen from player j of gender g.
inline int partnerIn(Pair p, bool mixed, int g, int j)
{
    if (mixed)
        return g == Men ? p.second : p.first;
    return p.first == j ? p.second : p.first;
}

} // namespace

void ScheduleEngine::preparePruning(const PairList<MaxMixedPairs>& pool, int gender, int mustPlayGender, int minStart,
                                    bool balance)
{
    s_.search->positions.prepare(s_, pool, gender);
    s_.search->scenarios.prepare(s_, gender, mustPlayGender, minStart, balance);
}

bool ScheduleEngine::prunedPair(Pair p, int gender) const
{
    const auto& scenarios = s_.search->scenarios;
    if (gender < 0)
        return scenarios.blocked(Men, p.first) || scenarios.blocked(Ladies, p.second);
    return scenarios.blocked(gender, p.first) || scenarios.blocked(gender, p.second);
}

bool ScheduleEngine::canComplete(const PairList<MaxMixedPairs>& pool, int gender, int cursor, int remaining)
{
    const bool mixed = gender < 0;
    auto& w = *s_.search;
    auto& pr = s_.pruning;
    const pruning::SearchView view{s_, pool, w.positions, w.scenarios, mixed};
    for (int g = Men; g <= Ladies; ++g) {
        if (!mixed && g != gender)
            continue;
        const int slots = mixed ? remaining : 2 * remaining;
        bool any = false;
        for (int sc = 0; sc < w.scenarios.count(g) && !any; ++sc)
            any = w.scenarioTest.holds(view, g, sc, cursor, slots, w.work)
                && (mixed || !pr.exact || w.exactTest.holds(view, g, sc, cursor, remaining));
        if (!any)
            return false;
    }
    auto& searchWork = s_.search->work;
    if (!mixed || !pr.exact)
        return true;
    // The costlier tests may take a few times the work of the candidates examined, never more: where
    // they do not pay, the search goes on as it would without them. Nor do they run past the work limit
    // of a varied-pairs search, which the search itself only tests between candidates.
    if (!searchWork.testsWithinAllowance() || !withinWorkLimit())
        return true;
    // The order test first (it is the cheaper one): where it does not pay (it ends fewer than one in 32
    // of the nodes it tests), it tests one node in 64 only.
    if (remaining <= pruning::OrderTest::MaxPairs) {
        ++pr.orderNodes;
        if (pr.orderCalls < 256 || pr.orderSkips * 32 >= pr.orderCalls || pr.orderNodes % 64 == 0) {
            ++pr.orderCalls;
            const bool fits = w.orderTest.fits(view, Men, cursor, remaining, w.work)
                && w.orderTest.fits(view, Ladies, cursor, remaining, w.work);
            pr.orderSkips += !fits;
            if (!fits)
                return false;
        }
    }
    // The courts test (whole courts only) answers exactly unless it gives up; at a number of courts to
    // go where it mostly gives up, it stops being asked.
    const int level = remaining / 2;
    const bool wholeCourts = s_.chosenCount % 2 == 0;
    if (wholeCourts
        && (pr.courtCalls[size_t(level)] < 16 || 2 * pr.courtUnknown[size_t(level)] <= pr.courtCalls[size_t(level)])) {
        const int courts = courtsInOrder(pool, cursor, remaining);
        ++pr.courtCalls[size_t(level)];
        pr.courtUnknown[size_t(level)] += courts < 0;
        return courts != 0;
    }
    return true;
}

// The rest of a mixed round as whole courts. A valid completion is a set of courts, each two pool
// pairs at or after the cursor without a history conflict, no player twice, every player the balance and
// must-play rules need and none they leave out, and - since the chosen pairs come in pool order and each
// court is two consecutive ones - the courts' position spans apart from each other. Any such set, sorted,
// is a completion, so searching sets is exact; it branches on the player with the fewest pairs left (a
// needed one first; where just enough players of a gender are free, all of them are needed). The last
// court, and the last two once the four players of one gender on them are known, it settles without
// branching; with few free players of one gender a table of the earliest chains of courts settles most
// nodes before it branches. Answers 1 (a completion exists), 0 (none) or -1 (too many players or too much work:
// unknown).
int ScheduleEngine::courtsInOrder(const PairList<MaxMixedPairs>& pool, int cursor, int remaining)
{
    auto& pr = s_.pruning;
    const auto& scen = s_.search->scenarios;
    const auto& pos = s_.search->positions;
    auto& searchWork = s_.search->work;
    constexpr int W = SearchPruning::LocalPlayers;
    std::array<int, 2> count{};
    for (int g = Men; g <= Ladies; ++g) {
        const auto& chosen = s_.inChosen[size_t(g)];
        for (int j = 1; j <= s_.players(g); ++j) {
            pr.localOf[size_t(g)][size_t(j)] = -1;
            if (chosen[size_t(j)] || scen.blocked(g, j))
                continue;
            if (count[size_t(g)] == W)
                return -1;
            pr.localOf[size_t(g)][size_t(j)] = int16_t(count[size_t(g)]);
            pr.localPlayer[size_t(g)][size_t(count[size_t(g)]++)] = int16_t(j);
        }
    }
    const int men = count[Men], ladies = count[Ladies];
    auto bit = [](int i) { return uint64_t(1) << i; };
    // The pairs left between them, and who met whom.
    for (int l = 0; l < ladies; ++l)
        pr.localPairs[Ladies][size_t(l)] = pr.localMet[Ladies][size_t(l)] = pr.localAcross[Ladies][size_t(l)] = 0;
    const int32_t* entry = pos.entries();
    const auto& start = pos.start(Men);
    const auto& met = s_.MixedMet;
    for (int m = 0; m < men; ++m) {
        const int j = pr.localPlayer[Men][size_t(m)];
        uint64_t pairs = 0;
        const int32_t* end = entry + start[size_t(j) + 1];
        for (const int32_t* e = std::lower_bound(entry + start[size_t(j)], end, cursor); e != end; ++e) {
            const int l = pr.localOf[Ladies][pool[*e].second];
            if (l < 0)
                continue;
            pairs |= bit(l);
            pr.localPosition[size_t(m)][size_t(l)] = *e;
            pr.localPairs[Ladies][size_t(l)] |= bit(m);
        }
        pr.localPairs[Men][size_t(m)] = pairs;
        uint64_t metMen = 0, across = 0;
        if (s_.VariedPairs) {
            for (int o = 0; o < men; ++o)
                if (met.men[size_t(j)][size_t(pr.localPlayer[Men][size_t(o)])])
                    metMen |= bit(o);
            for (int l = 0; l < ladies; ++l)
                if (met.across[size_t(j)][size_t(pr.localPlayer[Ladies][size_t(l)])]) {
                    across |= bit(l);
                    pr.localAcross[Ladies][size_t(l)] |= bit(m);
                }
        }
        pr.localMet[Men][size_t(m)] = metMen;
        pr.localAcross[Men][size_t(m)] = across;
    }
    if (s_.VariedPairs)
        for (int l = 0; l < ladies; ++l)
            for (int o = 0; o < ladies; ++o)
                if (met.ladies[size_t(pr.localPlayer[Ladies][size_t(l)])][size_t(pr.localPlayer[Ladies][size_t(o)])])
                    pr.localMet[Ladies][size_t(l)] |= bit(o);

    searchWork.testWork += men * (men + ladies) + ladies * ladies;
    int work = SearchPruning::CourtBudget;
    int placed = 0;
    uint64_t needMen = 0, needLadies = 0, allowedMen = 0, allowedLadies = 0;
    auto apart = [&](int a, int b) {
        searchWork.lookWork += placed;
        for (int i = 0; i < placed; ++i)
            if (!(b < pr.placedCourts[size_t(i)].first || pr.placedCourts[size_t(i)].second < a))
                return false;
        return true;
    };
    // The gap between the placed courts that position p lies in (the number of them before it), or -1
    // inside one. Two pairs in one gap make a court apart from the placed ones.
    auto gapOf = [&](int p) {
        int gap = 0;
        for (int i = 0; i < placed; ++i) {
            const auto [a, b] = pr.placedCourts[size_t(i)];
            if (a <= p && p <= b)
                return -1;
            gap += b < p;
        }
        return gap;
    };
    // The position of the pair of player x of gender g with player o of the other gender.
    auto positionOf = [&](int g, int x, int o) {
        return g == Men ? pr.localPosition[size_t(x)][size_t(o)] : pr.localPosition[size_t(o)][size_t(x)];
    };
    // The courts of players x and y of gender g with free players of the other gender: x with a, y with
    // b. For each a that can join x, visit(a, its position, the b that can then join y) until it says so.
    auto courtsOf = [&](int g, int x, int y, uint64_t others, auto&& visit) {
        const uint64_t A = pr.localPairs[size_t(g)][size_t(x)] & others & ~pr.localAcross[size_t(g)][size_t(y)];
        const uint64_t B = pr.localPairs[size_t(g)][size_t(y)] & others & ~pr.localAcross[size_t(g)][size_t(x)];
        const int looked = bitCount(A) + bitCount(B);
        searchWork.testWork += looked;
        work -= looked;
        std::array<uint64_t, MaxCourts + 1> inGap{};
        for (uint64_t c = B; c; c &= c - 1) {
            const int b = __builtin_ctzll(c);
            if (const int gap = gapOf(positionOf(g, y, b)); gap >= 0)
                inGap[size_t(gap)] |= bit(b);
        }
        const auto& metOther = pr.localMet[size_t(1 - g)];
        for (uint64_t c = A; c; c &= c - 1) {
            const int a = __builtin_ctzll(c);
            const int p = positionOf(g, x, a);
            const int gap = gapOf(p);
            if (gap >= 0 && visit(a, p, inGap[size_t(gap)] & ~bit(a) & ~metOther[size_t(a)]))
                return true;
        }
        return false;
    };
    // One court to go: a pair of players of the gender with more players still needed (else with fewer
    // free), x the first needed one, y the other needed one or any other (a later one when none is
    // needed), and partners for both in one gap. 1, 0, or -1 out of work.
    auto lastCourt = [&](uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies) -> int {
        const int owedM = bitCount(owedMen), owedL = bitCount(owedLadies);
        const int g = owedL > owedM || (owedL == owedM && bitCount(freeLadies) <= bitCount(freeMen)) ? Ladies : Men;
        const uint64_t freeG = g == Men ? freeMen : freeLadies, owedG = g == Men ? owedMen : owedLadies;
        const uint64_t others = g == Men ? freeLadies : freeMen, owedO = g == Men ? owedLadies : owedMen;
        for (uint64_t cx = owedG ? owedG & (~owedG + 1) : freeG; cx; cx &= cx - 1) {
            const int x = __builtin_ctzll(cx);
            uint64_t ys = freeG & ~bit(x) & ~pr.localMet[size_t(g)][size_t(x)];
            if (const uint64_t rest = owedG & ~bit(x))
                ys &= rest;
            else if (owedG == 0)
                ys &= ~((bit(x) << 1) - 1);
            for (; ys; ys &= ys - 1) {
                if (work < 0)
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
        return work < 0 ? -1 : 0;
    };
    // Two courts to go with the four players of gender g on them known: for each way to split them in
    // two, the courts each two can have, and whether a court of the one fits wholly before a court of the
    // other with none of the other gender twice and all the needed ones on them. 1, 0, or -1 out of work.
    auto lastTwoCourts = [&](uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies) -> int {
        using Option = SearchPruning::CourtOption;
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
            searchWork.testWork += n;
            work -= n;
            return n;
        };
        auto before = [&](const Option* first, int n1, Option* second, int n2) {
            std::sort(second, second + n2, [](const Option& u, const Option& v) { return u.lo > v.lo; });
            for (int i = 0; i < n1; ++i) {
                for (int k = 0; k < n2 && second[k].lo > first[i].hi; ++k) {
                    ++searchWork.testWork;
                    if (--work < 0)
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
        const auto& met = pr.localMet[size_t(g)];
        Option* one = pr.courtOptions[0].data();
        Option* two = pr.courtOptions[1].data();
        static constexpr std::array<std::array<int, 4>, 3> splits{{{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}}};
        for (const auto& split : splits) {
            const int x = q[size_t(split[0])], y = q[size_t(split[1])];
            const int u = q[size_t(split[2])], v = q[size_t(split[3])];
            if ((met[size_t(x)] >> y & 1) || (met[size_t(u)] >> v & 1))
                continue;
            const int n1 = optionsOf(x, y, one);
            const int n2 = n1 > 0 ? optionsOf(u, v, two) : 0;
            if (work < 0)
                return -1;
            if (n2 == 0)
                continue;
            int found = before(one, n1, two, n2);
            if (found == 0)
                found = before(two, n2, one, n1);
            if (found != 0)
                return found;
        }
        return work < 0 ? -1 : 0;
    };
    // More courts to go, with few free players of gender g (at most ChainPlayers). Leaving out that a
    // player of the other gender may play on one court only, the courts in position order are a chain -
    // each next one two of these players with a court that starts after the previous one ends - and of
    // the chains that place a given set of them and a given number of the needed players of the other
    // gender, the one that ends earliest leaves the most room; so a table over those sets and numbers
    // decides whether some set of the right size with every needed one of gender g and all needed ones
    // of the other gender can be placed. None: no completion (0). One whose courts have no player of the
    // other gender twice: a completion (1). Otherwise 2, undecided.
    auto chainOfCourts = [&](int g, uint64_t freeG, uint64_t owedG, uint64_t others, uint64_t owedO, int left) -> int {
        using Option = SearchPruning::CourtOption;
        std::array<int, SearchPruning::ChainPlayers> q{};
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
        std::array<std::array<Partner, W>, SearchPruning::ChainPlayers> partners;
        std::array<int, SearchPruning::ChainPlayers> partnerCount{};
        for (int i = 0; i < n; ++i) {
            auto& list = partners[size_t(i)];
            int& count = partnerCount[size_t(i)];
            for (uint64_t c = pr.localPairs[size_t(g)][size_t(q[size_t(i)])] & others; c; c &= c - 1) {
                const int o = __builtin_ctzll(c);
                const int p = positionOf(g, q[size_t(i)], o);
                if (const int gap = gapOf(p); gap >= 0)
                    list[size_t(count++)] = {p, int16_t(o), int16_t(gap)};
            }
            std::sort(list.begin(), list.begin() + count,
                      [](const Partner& u, const Partner& v) { return u.position > v.position; });
            searchWork.testWork += count;
        }
        // For each two of them and each number k of needed players of the other gender (0, 1 or 2), the
        // courts with at least k of them worth trying: those that no other one beats with a later start
        // and an earlier end, ascending in start and in end. Going down the positions, each partner that
        // comes in starts courts with the partners of the other one already in; the earliest end among
        // them is the compatible one that came in last (a needed one, for more needed players).
        const auto& metOther = pr.localMet[size_t(1 - g)];
        auto pairIndex = [n](int i, int j) { return i * (2 * n - i - 1) / 2 + (j - i - 1); };
        const int kinds = std::min(owedCount, 2) + 1;
        for (int i = 0; i < n; ++i) {
            for (int j = i + 1; j < n; ++j) {
                const size_t index = size_t(pairIndex(i, j));
                for (int k = 0; k < 3; ++k)
                    pr.chainFrontSize[size_t(k)][index] = 0;
                const int x = q[size_t(i)], y = q[size_t(j)];
                if (pr.localMet[size_t(g)][size_t(x)] >> y & 1)
                    continue;
                const std::array<const Partner*, 2> list{partners[size_t(i)].data(), partners[size_t(j)].data()};
                const std::array<int, 2> count{partnerCount[size_t(i)], partnerCount[size_t(j)]};
                // Partners of x must not have met y, and the other way round.
                const std::array<uint64_t, 2> barred{pr.localAcross[size_t(g)][size_t(y)],
                                                     pr.localAcross[size_t(g)][size_t(x)]};
                std::array<std::array<const Partner*, W>, 2> in;
                std::array<int, 2> inCount{}, next{};
                std::array<int, 3> earliest{1 << 30, 1 << 30, 1 << 30};
                auto offer = [&](const Partner& come, const Partner& with) {
                    const int needed = int(owedO >> come.other & 1) + int(owedO >> with.other & 1);
                    for (int k = 0; k <= std::min(needed, kinds - 1); ++k) {
                        if (with.position < earliest[size_t(k)]) {
                            earliest[size_t(k)] = with.position;
                            pr.chainFront[size_t(k)][index][size_t(pr.chainFrontSize[size_t(k)][index]++)] = {
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
                        ++searchWork.testWork;
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
                    auto& front = pr.chainFront[size_t(k)][index];
                    std::reverse(front.begin(), front.begin() + pr.chainFrontSize[size_t(k)][index]);
                }
            }
        }
        // Per set of them placed and number of needed players of the other gender on their courts (at
        // most all of them), the earliest end of a chain and its last step. The entries are reached in
        // order of the number placed, two more at each step, and only those reached are looked at; an
        // entry counts in this call only with its stamp.
        const int levels = owedCount + 1;
        auto& end = pr.chainEnd;
        auto& step = pr.chainStep;
        auto& seen = pr.chainSeen;
        if (++pr.chainCall == 0) {
            seen.fill(0);
            pr.chainCall = 1;
        }
        auto& queue = pr.chainQueue;
        int queued = 0;
        seen[0] = pr.chainCall;
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
                    const uint64_t players = pr.chainFront[size_t(st.kind)][size_t(st.pair)][size_t(st.entry)].players;
                    apart = (used & players) == 0;
                    used |= players;
                }
                if (apart)
                    return 1;
                continue;
            }
            searchWork.testWork += n * n / 2;
            for (int i = 0; i < n; ++i) {
                if (set >> i & 1)
                    continue;
                for (int j = i + 1; j < n; ++j) {
                    if (set >> j & 1)
                        continue;
                    const int index = pairIndex(i, j);
                    const uint32_t nextSet = set | uint32_t(1) << i | uint32_t(1) << j;
                    for (int k = 0; k < kinds; ++k) {
                        const auto& front = pr.chainFront[size_t(k)][size_t(index)];
                        const auto last = front.begin() + pr.chainFrontSize[size_t(k)][size_t(index)];
                        const auto first = std::upper_bound(front.begin(), last, end[at],
                                                            [](int t, const Option& o) { return t < o.lo; });
                        if (first == last)
                            continue;
                        const uint32_t to = nextSet * uint32_t(levels) + uint32_t(std::min(owedCount, c + k));
                        const bool fresh = seen[to] != pr.chainCall;
                        if (fresh || first->hi < end[to]) {
                            if (fresh) {
                                seen[to] = pr.chainCall;
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
    };
    // usedMen/usedLadies: placed or sitting out. 1, 0, or -1 out of work.
    auto search = [&](auto& self, uint64_t usedMen, uint64_t usedLadies, int left) -> int {
        const uint64_t freeMen = allowedMen & ~usedMen, freeLadies = allowedLadies & ~usedLadies;
        uint64_t owedMen = needMen & ~usedMen, owedLadies = needLadies & ~usedLadies;
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
        ++searchWork.testWork;
        if (--work < 0)
            return -1;
        if (left == 1)
            return lastCourt(freeMen, freeLadies, owedMen, owedLadies);
        if (left == 2 && (bitCount(owedMen) == 4 || bitCount(owedLadies) == 4))
            return lastTwoCourts(freeMen, freeLadies, owedMen, owedLadies);
        // The players of a gender who can still come on: all free ones, or only the needed ones when they
        // fill the courts.
        const uint64_t menOn = bitCount(owedMen) == 2 * left ? owedMen : freeMen;
        const uint64_t ladiesOn = bitCount(owedLadies) == 2 * left ? owedLadies : freeLadies;
        // The chain has a work allowance of its own, so that where it does not pay it does not take
        // the other tests' share. A search that has examined many candidates has a large allowance,
        // which one courts test could spend at once: the chain also stops at the search's work limit.
        if (std::min(bitCount(menOn), bitCount(ladiesOn)) <= SearchPruning::ChainPlayers
            && searchWork.chainWithinAllowance()
            && withinWorkLimit()) {
            const int64_t before = searchWork.testWork;
            const int found = bitCount(menOn) <= bitCount(ladiesOn)
                ? chainOfCourts(Men, menOn, owedMen, freeLadies, owedLadies, left)
                : chainOfCourts(Ladies, ladiesOn, owedLadies, freeMen, owedMen, left);
            searchWork.chainWork += searchWork.testWork - before;
            searchWork.testWork = before;
            if (found != 2)
                return found;
        }
        // The player with the fewest pairs left: a needed one if any.
        int bestGender = -1, best = -1, fewest = 1 << 20;
        const bool needed = (owedMen | owedLadies) != 0;
        searchWork.lookWork += needed ? bitCount(owedMen) + bitCount(owedLadies) : freeMenCount + freeLadiesCount;
        for (int g = Men; g <= Ladies; ++g) {
            const uint64_t others = g == Men ? freeLadies : freeMen;
            for (uint64_t c = needed ? (g == Men ? owedMen : owedLadies) : (g == Men ? freeMen : freeLadies); c;
                 c &= c - 1) {
                const int x = __builtin_ctzll(c);
                const int pairs = bitCount(pr.localPairs[size_t(g)][size_t(x)] & others);
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
        for (uint64_t c = pr.localPairs[size_t(bestGender)][size_t(best)] & others; c; c &= c - 1) {
            const int m1 = bestGender == Men ? best : __builtin_ctzll(c);
            const int l1 = bestGender == Men ? __builtin_ctzll(c) : best;
            const int p1 = pr.localPosition[size_t(m1)][size_t(l1)];
            if (!apart(p1, p1))
                continue;
            const uint64_t menLeft = freeMen & ~bit(m1), ladiesLeft = freeLadies & ~bit(l1);
            for (uint64_t cm = menLeft & ~pr.localMet[Men][size_t(m1)] & ~pr.localAcross[Ladies][size_t(l1)]; cm;
                 cm &= cm - 1) {
                const int m2 = __builtin_ctzll(cm);
                for (uint64_t cl = pr.localPairs[Men][size_t(m2)] & ladiesLeft & ~pr.localMet[Ladies][size_t(l1)]
                         & ~pr.localAcross[Men][size_t(m1)];
                     cl; cl &= cl - 1) {
                    const int l2 = __builtin_ctzll(cl);
                    ++searchWork.testWork;
                    if (--work < 0)
                        return -1;
                    const int p2 = pr.localPosition[size_t(m2)][size_t(l2)];
                    const int a = std::min(p1, p2), b = std::max(p1, p2);
                    if (!apart(a, b))
                        continue;
                    pr.placedCourts[size_t(placed++)] = {a, b};
                    const int found = self(self, usedMen | bit(m1) | bit(m2), usedLadies | bit(l1) | bit(l2), left - 1);
                    --placed;
                    if (found != 0)
                        return found;
                }
            }
        }
        if (needed)
            return 0;
        // The player sits out.
        return bestGender == Men ? self(self, usedMen | bit(best), usedLadies, left)
                                 : self(self, usedMen, usedLadies | bit(best), left);
    };
    // Each pair of balance scenarios that the chosen players leave open.
    bool unknown = false;
    for (int sm = 0; sm < scen.count(Men); ++sm) {
        for (int sl = 0; sl < scen.count(Ladies); ++sl) {
            bool open = true;
            for (int g = Men; g <= Ladies && open; ++g) {
                const auto& st = scen.status(g, g == Men ? sm : sl);
                const auto& chosen = s_.inChosen[size_t(g)];
                uint64_t need = 0, allowed = 0;
                for (int j = 1; j <= s_.players(g) && open; ++j) {
                    const int x = pr.localOf[size_t(g)][size_t(j)];
                    if (chosen[size_t(j)])
                        open = st[size_t(j)] != pruning::BalanceScenarios::Out;
                    else if (x < 0)
                        open = st[size_t(j)] != pruning::BalanceScenarios::In;
                    else if (st[size_t(j)] != pruning::BalanceScenarios::Out)
                        allowed |= bit(x);
                    if (x >= 0 && st[size_t(j)] == pruning::BalanceScenarios::In)
                        need |= bit(x);
                }
                (g == Men ? needMen : needLadies) = need;
                (g == Men ? allowedMen : allowedLadies) = allowed;
            }
            if (!open)
                continue;
            placed = 0;
            const int found = search(search, 0, 0, remaining / 2);
            if (found == 1)
                return 1;
            unknown |= found < 0;
        }
    }
    return unknown ? -1 : 0;
}

void ScheduleEngine::startDeadEnds()
{
    s_.search->deadEnds.start();
}

void ScheduleEngine::toggleChosenKey(Pair p)
{
    s_.search->deadEnds.toggle(p);
}

void ScheduleEngine::recordDeadEnd(int cursor, Pair open)
{
    s_.search->deadEnds.record(cursor, open);
}

bool ScheduleEngine::knownDeadEnd(int cursor, Pair open)
{
    return s_.search->deadEnds.known(cursor, open);
}

} // namespace tandemx::engine
