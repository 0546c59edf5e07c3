#pragma once
// The balance and must-play scenarios of a round: which players every valid complete choice must cover
// and which it must leave out.
//
// What a valid complete choice needs (the set S of players covered by the chosen pairs):
// - must-play: every player of the MustPlayList is in S;
// - balance: with p(j) = TimesPlayed(j) + [j in S], A = the largest p over the available players and
//   B = the smallest p over the available players whose byte is neither 2 nor 3 (the "counted" ones),
//   the check max(1, A) - min(R, B) in {0, 1} holds (R = CurrentRound, or the overall round in mixed).
//   When some available player is counted, B <= A and 1 <= min(R, B) + 1, so the check is
//   A <= min(R, B) + 1, which holds exactly when some L <= R has every available p <= L + 1 and every
//   counted p >= L. For one L that reads per player: an available player with TimesPlayed = L + 1 must
//   stay out of S, a counted one with TimesPlayed = L - 1 must be in S, the others are free. Only
//   L = maxT - 1 .. min(R, minT + 1) can hold (maxT over the available, minT over the counted players),
//   at most three values: each is a scenario. Without a counted player no balance scenario is drawn
//   (one scenario with only the must-play players).
// A scenario whose must-play players it must leave out cannot hold and is dropped.
#include "../ScheduleTables.h"

#include <array>
#include <cstdint>

namespace tandemx::engine::pruning {

class BalanceScenarios {
public:
    static constexpr int MaxScenarios = 3;
    enum : uint8_t { Free = 0, In = 1, Out = 2 };
    using Status = std::array<uint8_t, MaxPlayers + 1>;

    // The scenarios of the doubles gender `gender`, or of both genders in a mixed round (gender -1), from
    // the round's availability and counters; the must-play players count for mustPlayGender only (-1:
    // none), minStart is R, and without `balance` only the must-play players are drawn.
    void prepare(const ScheduleState& state, int gender, int mustPlayGender, int minStart, bool balance);

    int count(int g) const { return scenarios_[size_t(g)]; }
    const Status& status(int g, int scenario) const { return status_[size_t(g)][size_t(scenario)]; }
    // Out in every scenario: no valid choice holds the player.
    const Status& blocked(int g) const { return blocked_[size_t(g)]; }
    bool blocked(int g, int j) const { return blocked_[size_t(g)][size_t(j)] != 0; }
    // In in every scenario (and there is one): every valid choice holds the player.
    bool neededByAll(int g, int j) const
    {
        bool needed = scenarios_[size_t(g)] > 0;
        for (int sc = 0; sc < scenarios_[size_t(g)] && needed; ++sc)
            needed = status_[size_t(g)][size_t(sc)][size_t(j)] == In;
        return needed;
    }

private:
    std::array<int32_t, 2> scenarios_{};
    std::array<std::array<Status, MaxScenarios>, 2> status_{};
    std::array<Status, 2> blocked_{};
};

} // namespace tandemx::engine::pruning
