#pragma once
// The work tables of the search's tests, made once with the ScheduleState (SearchWorkspace), so that a
// calculation never allocates.
#include "BalanceScenarios.h"
#include "ConflictFreeTwos.h"
#include "CourtsTest.h"
#include "DeadEnds.h"
#include "ExactMatchingTest.h"
#include "OrderTest.h"
#include "PlayerPositions.h"
#include "ScenarioTest.h"
#include "SearchWork.h"

namespace tandemx::engine::pruning {

struct Workspace {
    BalanceScenarios scenarios;
    PlayerPositions positions;
    SearchWork work;
    ScenarioTest scenarioTest;
    ExactMatchingTest exactTest;
    OrderTest orderTest;
    CourtsTest courtsTest;
    ConflictFreeTwos twos;
    DeadEnds deadEnds;
};

} // namespace tandemx::engine::pruning
