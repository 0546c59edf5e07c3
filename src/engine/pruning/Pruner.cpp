#include "Pruner.h"

namespace tandemx::engine::pruning {

void Pruner::prepare(const ScheduleState& state, const PairList<MaxMixedPairs>& pool, int gender, int mustPlayGender,
                     int minStart, bool balance)
{
    state_ = &state;
    pool_ = &pool;
    gender_ = gender;
    positions_.prepare(state, pool, gender);
    scenarios_.prepare(state, gender, mustPlayGender, minStart, balance);
}

void Pruner::startSearch(bool costlierTests)
{
    const int32_t exactFrom = state_->pruning.exactFrom;
    exact_ = costlierTests && exactFrom == 0;
    exactAfter_ = !costlierTests ? -1 : exactFrom >= 0 ? exactFrom + 1 : 2LL * pool_->count + 4000;
    work_.examined = 0;
    orderNodes_ = orderCalls_ = orderSkips_ = 0;
    courtCalls_.fill(0);
    courtUnknown_.fill(0);
}

bool Pruner::canComplete(int cursor, int remaining)
{
    const SearchView v = view();
    for (int g = Men; g <= Ladies; ++g) {
        if (!v.mixed && g != gender_)
            continue;
        const int slots = v.mixed ? remaining : 2 * remaining;
        bool any = false;
        for (int sc = 0; sc < scenarios_.count(g) && !any; ++sc)
            any = scenarioTest_.holds(v, g, sc, cursor, slots, work_)
                && (v.mixed || !exact_ || exactTest_.holds(v, g, sc, cursor, remaining));
        if (!any)
            return false;
    }
    if (!v.mixed || !exact_)
        return true;
    return mixedTestsHold(v, cursor, remaining);
}

bool Pruner::mixedTestsHold(const SearchView& v, int cursor, int remaining)
{
    // The costlier tests may take a few times the work of the candidates examined, never more: where they
    // do not pay, the search goes on as it would without them. Nor do they run past the work limit of a
    // varied-pairs search, which the search itself only tests between candidates.
    if (!work_.testsWithinAllowance() || !work_.withinLimit(*state_))
        return true;
    // The order test first (it is the cheaper one): where it does not pay (it ends fewer than one in 32
    // of the nodes it tests), it tests one node in 64 only.
    if (remaining <= OrderTest::MaxPairs) {
        ++orderNodes_;
        if (orderCalls_ < 256 || orderSkips_ * 32 >= orderCalls_ || orderNodes_ % 64 == 0) {
            ++orderCalls_;
            const bool fits = orderTest_.fits(v, Men, cursor, remaining, work_)
                && orderTest_.fits(v, Ladies, cursor, remaining, work_);
            orderSkips_ += !fits;
            if (!fits)
                return false;
        }
    }
    // The courts test (whole courts only) answers exactly unless it gives up; per number of courts to
    // go, once it has given up on more than half of 16 or more calls in a search, it is no longer asked
    // there.
    const int level = remaining / 2;
    const bool wholeCourts = state_->chosenCount % 2 == 0;
    if (wholeCourts && (courtCalls_[size_t(level)] < 16 || 2 * courtUnknown_[size_t(level)] <= courtCalls_[size_t(level)])) {
        const int courts = courtsTest_.fits(v, cursor, remaining, work_);
        ++courtCalls_[size_t(level)];
        courtUnknown_[size_t(level)] += courts < 0;
        return courts != 0;
    }
    return true;
}

} // namespace tandemx::engine::pruning
