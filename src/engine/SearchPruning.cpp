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
#include "ScheduleEngine.h"
#include "pruning/Workspace.h"

namespace tandemx::engine {

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
        const int courts = w.courtsTest.fits(view, cursor, remaining, w.work);
        ++pr.courtCalls[size_t(level)];
        pr.courtUnknown[size_t(level)] += courts < 0;
        return courts != 0;
    }
    return true;
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
