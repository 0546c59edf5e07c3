#pragma once
// The courts test of a mixed round: the rest of the round as whole courts. A valid completion is a set
// of courts, each two pool pairs at or after the cursor without a history conflict, no player twice,
// every player the balance and must-play rules need and none they leave out, and - since the chosen
// pairs come in pool order and each court is two consecutive ones - the courts' position spans apart
// from each other. Any such set, sorted, is a completion, so searching sets is exact; it branches on the
// player with the fewest pairs left (a needed one first; where just enough players of a gender are free,
// all of them are needed). Three steps settle nodes without branching: the last court (lastCourt), the
// last two once the four players of one gender on them are known (lastTwoCourts), and, with few free
// players of one gender, a table of the earliest chains of courts (chainOfCourts), which settles most
// nodes before the search branches.
//
// It is exact only when at most 64 players of each gender are still free, and it gives up after Budget
// units of work (about one per court looked at).
#include "SearchView.h"
#include "SearchWork.h"

#include <array>
#include <cstdint>
#include <utility>

namespace tandemx::engine::pruning {

class CourtsTest {
public:
    static constexpr int Budget = 20000;

    // Whether the `remaining` pairs from the cursor on can complete the chosen ones (an even number) as
    // whole courts: 1 a completion exists, 0 none, -1 unknown (too many players or too much work).
    int fits(const SearchView& view, int cursor, int remaining, SearchWork& work);

private:
    static constexpr int LocalPlayers = 64;
    // The chain works with at most this many free players of one gender.
    static constexpr int ChainPlayers = 10;
    static constexpr int ChainPairs = ChainPlayers * (ChainPlayers - 1) / 2;
    static constexpr int ChainEntries = (1 << ChainPlayers) * (ChainPlayers + 1);

    // The courts two given players of one gender can have: their position span and their two partners
    // as bits.
    struct CourtOption {
        int32_t lo = 0, hi = 0;
        uint64_t players = 0;
    };
    struct ChainStep {
        uint32_t before = 0; // the table entry before
        int8_t pair = 0, kind = 0;
        int16_t entry = 0;
    };

    // The local numbers of the free players and the tables between them; false with too many of them.
    bool readPlayers(const SearchView& view, int cursor);
    // The search: usedMen/usedLadies are placed or sitting out. 1, 0, or -1 out of work.
    int place(uint64_t usedMen, uint64_t usedLadies, int left);
    // The settling steps: 1, 0, or -1 out of work; the chain also 2, undecided.
    int lastCourt(uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies);
    int lastTwoCourts(uint64_t freeMen, uint64_t freeLadies, uint64_t owedMen, uint64_t owedLadies);
    int chainOfCourts(int g, uint64_t freeG, uint64_t owedG, uint64_t others, uint64_t owedO, int left);

    // Whether the span a..b is apart from the courts placed.
    bool apart(int a, int b);
    // The gap between the placed courts that position p lies in (the number of them before it), or -1
    // inside one. Two pairs in one gap make a court apart from the placed ones.
    int gapOf(int p) const;
    // The position of the pair of player x of gender g with player o of the other gender.
    int positionOf(int g, int x, int o) const
    {
        return g == Men ? localPosition_[size_t(x)][size_t(o)] : localPosition_[size_t(o)][size_t(x)];
    }
    // The courts of players x and y of gender g with free players of the other gender: x with a, y with
    // b. For each a that can join x, visit(a, its position, the b that can then join y) until it says so.
    template <class Visit>
    bool courtsOf(int g, int x, int y, uint64_t others, Visit&& visit);

    // This test: what it reads and counts, its work left, the courts it has placed, and the players the
    // current pair of scenarios needs and allows (local numbers as bits).
    const ScheduleState* state_ = nullptr;
    SearchWork* work_ = nullptr;
    int budget_ = 0;
    int placed_ = 0;
    uint64_t needMen_ = 0, needLadies_ = 0, allowedMen_ = 0, allowedLadies_ = 0;

    // Local numbers of the free players, the pool position of each free man and lady's pair, who met
    // whom among them as bits, and the courts placed.
    std::array<std::array<int16_t, LocalPlayers>, 2> localPlayer_{};
    std::array<std::array<int16_t, MaxPlayers + 1>, 2> localOf_{};
    std::array<std::array<int32_t, LocalPlayers>, LocalPlayers> localPosition_{}; // [man][lady]
    std::array<std::array<uint64_t, LocalPlayers>, 2> localPairs_{}, localMet_{}, localAcross_{};
    std::array<std::pair<int32_t, int32_t>, MaxCourts> placedCourts_{};
    // lastTwoCourts: the courts of each two.
    std::array<std::array<CourtOption, LocalPlayers * LocalPlayers>, 2> courtOptions_{};
    // chainOfCourts: for each two of the few players and each number of needed players of the other
    // gender on them (0, 1, 2) the courts worth trying, and per set of them placed and number of needed
    // players of the other gender placed the earliest end of the courts and the step that reached it.
    std::array<std::array<std::array<CourtOption, 2 * LocalPlayers>, ChainPairs>, 3> chainFront_{}; // [k][pair]
    std::array<std::array<int32_t, ChainPairs>, 3> chainFrontSize_{};
    std::array<int32_t, ChainEntries> chainEnd_{};
    std::array<ChainStep, ChainEntries> chainStep_{};
    // The call that last reached each entry, and the entries this call has reached in order.
    std::array<uint32_t, ChainEntries> chainSeen_{}, chainQueue_{};
    uint32_t chainCall_ = 0;
};

} // namespace tandemx::engine::pruning
