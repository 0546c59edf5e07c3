#pragma once
#include <cstdint>

namespace tandemx::engine {

// How the players of a schedule are given: members with names from the member file ("Schema met
// Namen"), or numbered players ("Schema met Paren"). None: no schedule has been computed yet.
enum class ScheduleMode : uint8_t { None = 0, Names = 1, Numbered = 2 };

} // namespace tandemx::engine
