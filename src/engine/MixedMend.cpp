// The mend of a varied-pairs mixed round. The mixed search puts chosen pair 1 against pair 2, pair 3
// against pair 4, and so on, and with varied pairs tests each court's second pair against its first
// only: a club whose players all play gets court 1 with the same two men every round, who met in round
// 1, and from round 2 on no round at all, although full rounds without any history conflict exist.
// Where that search ends without a valid choice (or at its work limit), the mend looks for the round
// again with the same rules - eligible pairs, no player twice, the must-play and balance checks - and
// takes the first choice in pool order whose pairs can all be put on courts two by two without a
// history conflict on any court: a perfect matching of the chosen pairs over "no conflict", found with
// Edmonds' blossom algorithm. Unlike the search it may also give up the pool's first pair.
//
// Both engines mend alike. The fast engine skips subtrees with the same balance and must-play tests as
// its search (they leave the history out, so they hold for the mend too) and reads the history from
// its tables; the reference engine tries every candidate. Both therefore take the same first choice.
//
// The work limits (MixedSearchWorkLimit) count the fast engine's work. The reference engine counts none:
// a limit of 0 stops its searches at once as it does the fast engine's, any other leaves them to run to
// their end. Counting its own work would stop its literal search in other rounds than the fast one's
// (it examines every candidate the fast search skips), so it could not check the fast engine wherever
// that one's searches end within their limits.
#include "Blossom.h"
#include "ScheduleEngine.h"
#include "pruning/Workspace.h"

#include <algorithm>

namespace tandemx::engine {

int64_t ScheduleEngine::mixedSearchWork() const
{
    if (s_.Engine == EngineMode::Reference)
        return 0;
    return s_.search->pruner.work().units(s_.mend.work);
}

bool ScheduleEngine::withinWorkLimit() const
{
    return !s_.VariedPairs || mixedSearchWork() < s_.mend.limit;
}

void ScheduleEngine::startMixedWork(bool forMend)
{
    auto& mend = s_.mend;
    mend.work = 0;
    s_.search->pruner.work().start();
    // Each search gets its whole limit, whatever the rounds before it spent: where a literal search ends
    // within it, the round is the one the search without a limit gives.
    mend.limit = forMend ? mend.mendLimit : mend.searchLimit;
}

bool ScheduleEngine::mendCourts(const PairList<MaxMixedPairs>& pool, int count)
{
    auto& mend = s_.mend;
    auto& together = mend.together;
    auto pairAt = [&](int i) { return pool[mend.position[size_t(i + 1)]]; };
    for (int i = 0; i < count; ++i)
        together[size_t(i)] = 0;
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (!HistoryConflict(pairAt(i), pairAt(j))) {
                together[size_t(i)] |= uint64_t(1) << j;
                together[size_t(j)] |= uint64_t(1) << i;
            }
        }
    }
    mend.work += count * (count - 1) / 2;
    // Start from the courts in the order chosen, where they have no conflict.
    auto& match = mend.blossom.match;
    for (int i = 0; i < count; ++i)
        match[size_t(i)] = -1;
    for (int i = 0; i + 1 < count; i += 2) {
        if (together[size_t(i)] >> (i + 1) & 1) {
            match[size_t(i)] = int16_t(i + 1);
            match[size_t(i + 1)] = int16_t(i);
        }
    }
    auto forEachNeighbour = [&](int v, auto&& visit) {
        for (uint64_t rest = together[size_t(v)]; rest != 0; rest &= rest - 1)
            if (visit(__builtin_ctzll(rest)))
                return;
    };
    if (!completeMatching(count, mend.blossom, forEachNeighbour))
        return false;
    // The courts in the order of their first pair's choice.
    auto& result = s_.RoundResult[MixedDoubles];
    result.count = 0;
    for (int i = 0; i < count; ++i) {
        const int j = match[size_t(i)];
        if (j < i)
            continue;
        result.append(pairAt(i));
        result.append(pairAt(j));
    }
    return true;
}

void ScheduleEngine::MendMixedRound(int courts, int overallRound)
{
    const int needed = 2 * courts;
    const bool groupVsGroup = s_.Settings.PlayOptions & PlayOption::GroupVsGroup;
    const int smaller = s_.Run.NumMen <= s_.Run.NumLadies ? Men : Ladies;
    startMixedWork(true);
    if (!s_.VariedPairs || s_.SolutionFound || s_.TooFewPlayers || needed <= 0 || needed > MaxRoundPairs)
        return;
    // With more must-play players than places no choice passes the must-play check.
    if (!groupVsGroup && s_.MustPlayList[size_t(smaller)].count > needed)
        return;
    const auto& pool = s_.MixedPairPool;
    const auto& menAvail = s_.mixedAvailability[Men];
    const auto& ladiesAvail = s_.mixedAvailability[Ladies];
    auto& menChosen = s_.inChosen[Men];
    auto& ladiesChosen = s_.inChosen[Ladies];
    menChosen.fill(0);
    ladiesChosen.fill(0);
    auto& mend = s_.mend;
    // The balance and must-play scenarios, for the test of both genders' twos, and in the fast engine
    // its subtree tests without the ones that read the pool order as courts.
    pruning::Pruner* const pruner = fastPruner();
    auto& scenarios = s_.search->scenarios;
    const int mustPlayGender = groupVsGroup ? -1 : smaller;
    if (pruner) {
        pruner->prepare(s_, pool, -1, mustPlayGender, overallRound, !groupVsGroup);
        pruner->startSearch(false);
    } else {
        scenarios.prepare(s_, -1, mustPlayGender, overallRound, !groupVsGroup);
        buildMixedMet();
    }
    auto& twos = s_.search->twos;
    if (!twos.possible(s_, scenarios, Men, courts, mend.work) || !twos.possible(s_, scenarios, Ladies, courts, mend.work))
        return;
    int chosen = 0, cursor = 1;
    bool found = false;
    try {
        for (;;) {
            if (pruner && chosen < needed && !pruner->canComplete(cursor, needed - chosen))
                cursor = pool.count + 1;
            bool reachedLimit = false;
            while (chosen < needed && cursor <= pool.count) {
                if (!withinWorkLimit()) {
                    reachedLimit = true;
                    break;
                }
                ++mend.work;
                const Pair p = pool[cursor];
                const bool take = !menChosen[p.first] && !ladiesChosen[p.second] && !(pruner && pruner->excluded(p));
                if (take) {
                    mend.position[size_t(++chosen)] = cursor;
                    menChosen[p.first] = ladiesChosen[p.second] = 1;
                }
                ++cursor;
                if (userBreak())
                    return;
                host_.stepProgress();
                if (take && pruner && chosen < needed && !pruner->canComplete(cursor, needed - chosen))
                    cursor = pool.count + 1;
            }
            if (reachedLimit) {
                mend.plan[size_t(overallRound)] |= RoundPlan::MendLimit;
                break;
            }
            if (chosen == needed
                && (groupVsGroup
                    || (mustPlayCheck(smaller) && balanceCheck(Men, menAvail, overallRound)
                        && balanceCheck(Ladies, ladiesAvail, overallRound)))
                && mendCourts(pool, chosen)) {
                found = true;
                break;
            }
            if (chosen == 0)
                break;
            cursor = mend.position[size_t(chosen)] + 1;
            const Pair last = pool[mend.position[size_t(chosen--)]];
            menChosen[last.first] = ladiesChosen[last.second] = 0;
        }
    } catch (const std::exception&) {
        found = false;
    }
    if (!found)
        return;
    // The working pool without the pairs chosen (their positions ascend, as buildWorkingPool needs).
    for (int k = 1; k <= chosen; ++k)
        s_.chosenPosition[size_t(k)] = mend.position[size_t(k)];
    s_.chosenCount = chosen;
    buildWorkingPool(nullptr, &s_.MixedWorkingPool, chosen);
    s_.SolutionFound = true;
    s_.TooManyMustPlay = false;
    mend.plan[size_t(overallRound)] |= RoundPlan::Mended;
}

} // namespace tandemx::engine
