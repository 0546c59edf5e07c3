#pragma once
// The work tables of the search's tests, made once with the ScheduleState (SearchWorkspace), so that a
// calculation never allocates: the scenarios of a round and the mend's test of it (both engines), and
// the fast engine's pruner.
#include "BalanceScenarios.h"
#include "ConflictFreeTwos.h"
#include "Pruner.h"

namespace tandemx::engine::pruning {

struct Workspace {
    BalanceScenarios scenarios;
    ConflictFreeTwos twos;
    Pruner pruner{scenarios};
};

} // namespace tandemx::engine::pruning
