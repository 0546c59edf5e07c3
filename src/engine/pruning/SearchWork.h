#pragma once
// The work of the fast search's tests in one search, against which the costlier of them are bounded, and
// which counts towards the work limit of a varied-pairs mixed search (see MixedSearchWorkLimit).
#include "../ScheduleTables.h"

#include <cstdint>

namespace tandemx::engine::pruning {

struct SearchWork {
    // The order and courts tests stop once their work exceeds WorkPerCandidate per candidate examined
    // plus WorkAllowance; the courts test's chain keeps its own count against the same allowance.
    static constexpr int64_t WorkPerCandidate = 1024;
    static constexpr int64_t WorkAllowance = int64_t(1) << 20;

    // Units of the order and courts tests (about one per player or court looked at), of the chain, and
    // the players and pool pairs looked at by the tests where their own counts leave them out (the
    // balance and must-play tests, the courts test's choice of the next player).
    int64_t testWork = 0, chainWork = 0, lookWork = 0;
    // Candidates the current search has examined (counted from its start, Pruner::startSearch).
    int64_t examined = 0;

    // A new mixed search or mend: nothing spent yet.
    void start() { testWork = chainWork = lookWork = 0; }
    bool testsWithinAllowance() const { return testWork <= WorkPerCandidate * examined + WorkAllowance; }
    bool chainWithinAllowance() const { return chainWork <= WorkPerCandidate * examined + WorkAllowance; }
    // The units of the current mixed search that has examined `candidates`.
    int64_t units(int64_t candidates) const
    {
        return MixedCandidateWork * candidates + MixedTestWork * testWork + MixedChainWork * chainWork
            + MixedLookWork * lookWork;
    }
    // Whether the current mixed search is still within its work limit (always, without varied pairs).
    bool withinLimit(const ScheduleState& s) const { return !s.VariedPairs || units(s.mend.work) < s.mend.limit; }
};

} // namespace tandemx::engine::pruning
