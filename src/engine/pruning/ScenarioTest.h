#pragma once
// Whether one balance scenario of one gender can still hold below a node of the search: at a node with
// chosen pairs C and `slots` places of that gender still to fill from pool positions >= cursor, only if
// no chosen player must stay out; the players who must be in and are not yet covered fit in the places;
// each of them can get a distinct partner through a pool pair at or after the cursor whose other player
// is still free and not excluded (a bipartite matching, Hall's condition, which every real choice
// satisfies by giving each player his own partner); and enough free, not excluded players still have
// such a pair to fill the places.
// The test leaves the history conflicts of the mixed search out (leaving a constraint out keeps it a
// necessary condition).
#include "SearchView.h"
#include "SearchWork.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class ScenarioTest {
public:
    bool holds(const SearchView& view, int g, int scenario, int cursor, int slots, SearchWork& work);

private:
    // The owed players of the scenario, and per gender the partner given to a player and the stamp of
    // the augmenting path that last visited him.
    std::array<uint8_t, MaxPlayers + 1> need_{};
    std::array<std::array<int16_t, MaxPlayers + 1>, 2> partnerOf_{};
    std::array<std::array<int32_t, MaxPlayers + 1>, 2> visited_{};
    int32_t stamp_ = 0;
};

} // namespace tandemx::engine::pruning
