#pragma once
// The fast search's subtree tests behind one face. Every test is a necessary condition for a valid
// complete choice below a node of the search; the search skips a subtree only when one fails, so it meets
// the valid choices in the same order as the exhaustive search and stops at the same first one. The
// reference engine runs the same searches without a pruner.
//
// Per round the pruner prepares, from the round's pool, availability and counters, the balance and
// must-play scenarios (BalanceScenarios) and each player's pool positions (PlayerPositions). At a node it
// asks of each gender whether some scenario can still hold (ScenarioTest; in doubles, once the search
// has gone on for a while, also ExactMatchingTest). Mixed searches that run long get two more tests:
// the order test (OrderTest: the pool order makes the courts, and two players who met cannot share one)
// and the courts test (CourtsTest: exact, both genders, the history and the pool order together, unless
// it gives up); both are bounded by the work of the search itself. A mixed search also remembers its
// dead ends (DeadEnds: the same players at the same or a later cursor).
#include "BalanceScenarios.h"
#include "CourtsTest.h"
#include "DeadEnds.h"
#include "ExactMatchingTest.h"
#include "OrderTest.h"
#include "PlayerPositions.h"
#include "ScenarioTest.h"
#include "SearchView.h"
#include "SearchWork.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class Pruner {
public:
    explicit Pruner(BalanceScenarios& scenarios) : scenarios_(scenarios) {}

    // Prepare per round: a search of the doubles pool of `gender`, or of a mixed pool (gender -1). The
    // scenarios as BalanceScenarios::prepare draws them.
    void prepare(const ScheduleState& state, const PairList<MaxMixedPairs>& pool, int gender, int mustPlayGender,
                 int minStart, bool balance);
    // A new search over the prepared pool. The costlier tests (the exact matching in doubles, the order
    // and courts tests in mixed) join in once it has examined a number of candidates (the state's
    // pruning.exactFrom; -1: twice the pool + 4000), or never (without costlierTests).
    void startSearch(bool costlierTests);
    // A candidate examined.
    void countCandidate()
    {
        if (++work_.examined == exactAfter_)
            exact_ = true;
    }

    // Whether no valid choice holds pair p: one of its players is out in every scenario.
    bool excluded(Pair p) const
    {
        if (gender_ < 0)
            return scenarios_.blocked(Men, p.first) || scenarios_.blocked(Ladies, p.second);
        return scenarios_.blocked(gender_, p.first) || scenarios_.blocked(gender_, p.second);
    }
    // False only when no valid complete choice extends the chosen pairs (the state's inChosen,
    // chosenCount and chosenPosition) with `remaining` pairs from pool positions >= cursor, so the
    // search may skip that subtree.
    bool canComplete(int cursor, int remaining);

    // The dead ends of a mixed search: a new search, a pair taken or given back, a node searched to the
    // end, and whether the chosen players (and open pair) are a known dead end at this cursor.
    void startDeadEnds() { deadEnds_.start(); }
    void toggleChosen(Pair p) { deadEnds_.toggle(p); }
    void recordDeadEnd(int cursor, Pair open) { deadEnds_.record(cursor, open); }
    bool knownDeadEnd(int cursor, Pair open) { return deadEnds_.known(cursor, open); }

    // The work of the tests, for the work limit of a varied-pairs mixed search.
    SearchWork& work() { return work_; }
    const SearchWork& work() const { return work_; }

private:
    SearchView view() const { return {*state_, *pool_, positions_, scenarios_, gender_ < 0}; }
    // Whether the costlier tests of a mixed node are worth asking, and their answer.
    bool mixedTestsHold(const SearchView& view, int cursor, int remaining);

    // The search prepared for.
    const ScheduleState* state_ = nullptr;
    const PairList<MaxMixedPairs>* pool_ = nullptr;
    int gender_ = -1;

    BalanceScenarios& scenarios_;
    PlayerPositions positions_;
    ScenarioTest scenarioTest_;
    ExactMatchingTest exactTest_;
    OrderTest orderTest_;
    CourtsTest courtsTest_;
    DeadEnds deadEnds_;
    SearchWork work_;

    // Whether the costlier tests are on, and after how many candidates they join in.
    bool exact_ = false;
    int64_t exactAfter_ = 0;
    // This search: the nodes the order test was asked at, tested, and skipped; the courts test's calls
    // and the ones it gave up on, per number of courts to go.
    int64_t orderNodes_ = 0, orderCalls_ = 0, orderSkips_ = 0;
    std::array<int32_t, MaxCourts + 1> courtCalls_{}, courtUnknown_{};
};

} // namespace tandemx::engine::pruning
