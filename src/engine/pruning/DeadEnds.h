#pragma once
// The dead ends of a mixed search. Below a node, what the search can still do depends on which men and
// ladies are chosen, on the pair of an unfinished court (it decides the history conflicts of the next
// pair) and on the cursor alone; once such a node has been searched to the end without a valid choice,
// the same players and open pair at the same or a later cursor cannot give one either. A table
// remembers them (the players as bits; a newer dead end takes the place of an older one), one search at
// a time.
#include "Bits.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class DeadEnds {
public:
    using ChosenKey = std::array<uint64_t, 2 * PlayerWords + 1>; // men, ladies, the open pair
    static constexpr int Slots = 1 << 15;

    // A new search: nothing chosen, no dead end known.
    void start();
    // A pair taken or given back.
    void toggle(Pair p)
    {
        key_[size_t(p.first >> 6)] ^= uint64_t(1) << (p.first & 63);
        key_[size_t(PlayerWords + (p.second >> 6))] ^= uint64_t(1) << (p.second & 63);
    }
    // The node of the chosen players and open pair, searched to its end at this cursor.
    void record(int cursor, Pair open);
    // Whether the chosen players and open pair are a known dead end at this cursor.
    bool known(int cursor, Pair open);

private:
    struct Entry {
        ChosenKey key{};
        int32_t cursor = 0;
        uint32_t search = 0;
    };
    static size_t slotOf(const ChosenKey& key);

    ChosenKey key_{};
    uint32_t search_ = 0;
    std::array<Entry, Slots> table_{};
};

} // namespace tandemx::engine::pruning
