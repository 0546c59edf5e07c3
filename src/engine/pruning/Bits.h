#pragma once
// Small helpers the search's tests share: sets of players as bits, hashes of such sets, and the other
// player of a pool pair.
#include "../ScheduleTables.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace tandemx::engine::pruning {

// Words of a set of players of one gender as bits (players 0..200).
constexpr int PlayerWords = (MaxPlayers + 64) / 64;

inline uint64_t bit(int i) { return uint64_t(1) << i; }

// The number of set bits, inline: without a popcount instruction in the target the builtin is a call.
inline int bitCount(uint64_t x)
{
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return int((x * 0x0101010101010101ull) >> 56);
}

// Mixes words into a hash, for the tables of dead ends.
template <size_t N>
uint64_t hashWords(uint64_t h, const std::array<uint64_t, N>& words)
{
    for (uint64_t w : words) {
        h ^= w + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
    }
    return h ^ (h >> 31);
}

// The other player of pool pair p, seen from player j of gender g (a mixed pair holds a man and a lady;
// a doubles pair two players of one gender).
inline int partnerIn(Pair p, bool mixed, int g, int j)
{
    if (mixed)
        return g == Men ? p.second : p.first;
    return p.first == j ? p.second : p.first;
}

} // namespace tandemx::engine::pruning
