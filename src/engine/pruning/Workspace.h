#pragma once
// The work tables of the search's tests, made once with the ScheduleState (SearchWorkspace), so that a
// calculation never allocates.
#include "BalanceScenarios.h"
#include "DeadEnds.h"
#include "PlayerPositions.h"
#include "SearchWork.h"

namespace tandemx::engine::pruning {

struct Workspace {
    BalanceScenarios scenarios;
    PlayerPositions positions;
    SearchWork work;
    DeadEnds deadEnds;
};

} // namespace tandemx::engine::pruning
