#pragma once
// The order test of a mixed round, one gender at a time: the remaining pairs take the players in pool
// order, each once, two by two into courts, and two who met in the history cannot share a court (with
// varied pairs). Leaving the other gender out, it searches such a sequence: each step takes a player
// who is still free at his first usable position after the previous one (a later one leaves less room),
// players every scenario needs first of all. It remembers the steps it has searched to the end in vain,
// so that another way to the same step is not searched again. A search that runs out of its budget
// answers yes.
#include "Bits.h"
#include "SearchView.h"
#include "SearchWork.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <utility>

namespace tandemx::engine::pruning {

class OrderTest {
public:
    static constexpr int Budget = 4000; // steps before it gives up (and answers yes)
    // It is asked only at nodes with at most this many pairs to go.
    static constexpr int MaxPairs = 24;

    // Whether the players of gender g can still come up in order for the `remaining` pairs from the
    // cursor on.
    bool fits(const SearchView& view, int g, int cursor, int remaining, SearchWork& work);

private:
    // What the search can still do after a step depends only on the position reached, the player of an
    // unfinished court, the players still to take, how many of them must be owed ones, and which of the
    // players taken so far still have usable positions later on (the others can come up no more).
    struct State {
        std::array<uint64_t, PlayerWords> live{};
        int32_t position = 0;
        int16_t open = 0, left = 0, owedLeft = 0;
        uint32_t test = 0; // the test it was found in
        bool operator==(const State& o) const
        {
            return test == o.test && live == o.live && position == o.position && open == o.open && left == o.left
                && owedLeft == o.owedLeft;
        }
    };
    static constexpr int MemoSlots = 1 << 12;

    // The steps after position p: 1 a sequence, 0 none, -1 out of budget.
    int search(int p, int left, int open, int owedLeft, int level);
    int explore(int p, int left, int open, int owedLeft, int level);
    // The first usable position of player j after position p, or 0.
    int next(int j, int p) const;
    // The state after the steps on path_ up to `level`, and its slot in the memo.
    State stateAt(int p, int left, int open, int owedLeft, int level) const;
    State& slotOf(const State& state);

    // This test: the gender, its players, what is left of the budget, and what it reads.
    int g_ = 0, n_ = 0, budget_ = 0;
    bool variedPairs_ = false;
    const std::array<std::bitset<MaxPlayers + 1>, MaxPlayers + 1>* met_ = nullptr;
    const std::array<uint8_t, MaxPlayers + 1>* blocked_ = nullptr;
    SearchWork* work_ = nullptr;

    // Players taken, players every scenario needs, each free player's usable positions (list_ from
    // from_[j]), each player's last usable position or 0, and per step of the search the players that
    // can come next with their positions, and the players taken in order.
    std::array<uint8_t, MaxPlayers + 1> used_{}, owed_{};
    std::array<int32_t, MaxMixedPairs> list_{};
    std::array<int32_t, MaxPlayers + 2> from_{};
    std::array<int32_t, MaxPlayers + 1> last_{};
    std::array<std::array<std::pair<int32_t, int32_t>, MaxPlayers>, 2 * MaxCourts + 1> candidates_{};
    std::array<int16_t, 2 * MaxCourts + 1> path_{};
    // The steps searched in vain, one test at a time.
    std::array<State, MemoSlots> memo_{};
    uint32_t test_ = 0;
};

} // namespace tandemx::engine::pruning
