#pragma once
// The work tables of the search's tests, made once with the ScheduleState (SearchWorkspace), so that a
// calculation never allocates.
#include "DeadEnds.h"

namespace tandemx::engine::pruning {

struct Workspace {
    DeadEnds deadEnds;
};

} // namespace tandemx::engine::pruning
