#pragma once
// The exact test of a doubles scenario (on once a search has examined many candidates). V: the free
// players the scenario does not leave out; the edges: the pool pairs at or after the cursor between
// them; U: the owed players. A valid completion is a matching of exactly `remaining` pairs covering U.
// Add d = |V| - 2 x remaining stand-ins, each joined to every player of V outside U: the enlarged graph
// has a perfect matching exactly when such a completion exists (the players the stand-ins take are the
// ones the completion leaves out, never an owed one). Perfect matching by Edmonds' blossom algorithm; a
// vertex without an augmenting path keeps none after later augmentations, so the first one found ends
// the test.
#include "../Blossom.h"
#include "SearchView.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class ExactMatchingTest {
public:
    bool holds(const SearchView& view, int g, int scenario, int cursor, int remaining);

private:
    static constexpr int MaxVertices = 2 * MaxPlayers;
    std::array<int16_t, MaxPlayers + 1> vertexOf_{};
    std::array<int16_t, MaxVertices> player_{};
    std::array<uint8_t, MaxVertices> owed_{};
    BlossomTables<MaxVertices> blossom_;
};

} // namespace tandemx::engine::pruning
