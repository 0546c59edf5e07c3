// Edmonds' algorithm (the doubles search's exact test and the mend's courts both rest on it) against an
// exhaustive answer, on random graphs of up to 12 vertices with odd cycles, from an empty start and
// from a random matching to grow.
#include "engine/Blossom.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace tandemx::engine {
namespace {

// Whether the vertices in `left` (a bit set) can be matched among themselves: match the lowest one.
bool perfectByHand(const std::vector<uint32_t>& adjacent, uint32_t left)
{
    if (left == 0)
        return true;
    const int v = __builtin_ctz(left);
    for (uint32_t c = adjacent[size_t(v)] & left & ~(1u << v); c; c &= c - 1)
        if (perfectByHand(adjacent, left & ~(1u << v) & ~(1u << __builtin_ctz(c))))
            return true;
    return false;
}

TEST(Blossom, AgreesWithAnExhaustiveSearch)
{
    std::mt19937 rng(1965);
    int perfect = 0, none = 0;
    for (int round = 0; round < 3000; ++round) {
        const int V = 2 + int(rng() % 11);
        const unsigned density = 1 + rng() % 5; // an edge with probability density / 8
        std::vector<uint32_t> adjacent(size_t(V), 0);
        for (int a = 0; a < V; ++a)
            for (int b = a + 1; b < V; ++b)
                if (rng() % 8 < density) {
                    adjacent[size_t(a)] |= 1u << b;
                    adjacent[size_t(b)] |= 1u << a;
                }
        BlossomTables<16> t;
        for (int v = 0; v < V; ++v)
            t.match[size_t(v)] = -1;
        // Every other graph starts from a greedy matching in random vertex order.
        if (round % 2 == 1) {
            for (int i = 0; i < V; ++i) {
                const int v = int(rng() % unsigned(V));
                if (t.match[size_t(v)] != -1)
                    continue;
                for (uint32_t c = adjacent[size_t(v)]; c; c &= c - 1) {
                    const int w = __builtin_ctz(c);
                    if (t.match[size_t(w)] == -1) {
                        t.match[size_t(v)] = int16_t(w);
                        t.match[size_t(w)] = int16_t(v);
                        break;
                    }
                }
            }
        }
        auto forEachNeighbour = [&](int v, auto&& visit) {
            for (uint32_t c = adjacent[size_t(v)]; c; c &= c - 1)
                if (visit(__builtin_ctz(c)))
                    return;
        };
        const bool expected = perfectByHand(adjacent, (1u << V) - 1);
        ASSERT_EQ(completeMatching(V, t, forEachNeighbour), expected) << "graph " << round << " of " << V << " vertices";
        if (expected) {
            ++perfect;
            for (int v = 0; v < V; ++v) {
                const int w = t.match[size_t(v)];
                ASSERT_GE(w, 0) << "graph " << round;
                ASSERT_EQ(t.match[size_t(w)], v) << "graph " << round;
                ASSERT_TRUE(adjacent[size_t(v)] >> w & 1) << "graph " << round << ": " << v << "-" << w << " is no edge";
            }
        } else {
            ++none;
        }
    }
    // Both answers come up often enough to count.
    EXPECT_GT(perfect, 300);
    EXPECT_GT(none, 300);
}

} // namespace
} // namespace tandemx::engine
