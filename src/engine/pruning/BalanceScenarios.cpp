#include "BalanceScenarios.h"

#include <algorithm>

namespace tandemx::engine::pruning {

void BalanceScenarios::prepare(const ScheduleState& s, int gender, int mustPlayGender, int minStart, bool balance)
{
    const bool mixed = gender < 0;
    for (int g = Men; g <= Ladies; ++g) {
        if (!mixed && g != gender)
            continue;
        const int n = s.players(g);
        const AvailabilityRecord& avail =
            mixed ? s.mixedAvailability[size_t(g)] : s.RoundAvailability[size_t(g)][size_t(s.CurrentRound)];
        const auto& T = s.Counters[size_t(g)].TimesPlayed;
        int maxT = -1, minT = 1 << 20, counted = 0;
        for (int j = 1; j <= n; ++j) {
            const uint8_t a = avail.player[size_t(j)];
            if (!isAvailable(a))
                continue;
            maxT = std::max<int>(maxT, T[size_t(j)]);
            if (a != 2 && a != 3) {
                minT = std::min<int>(minT, T[size_t(j)]);
                ++counted;
            }
        }
        const bool drawBalance = balance && counted > 0;
        const int lo = drawBalance ? maxT - 1 : 0;
        const int hi = drawBalance ? std::min(minStart, minT + 1) : 0;
        const auto& mustPlay = s.MustPlayList[size_t(g)];
        int scenarios = 0;
        for (int L = lo; L <= hi; ++L) {
            auto& st = status_[size_t(g)][size_t(scenarios)];
            for (int j = 0; j <= n; ++j) {
                st[size_t(j)] = Free;
                const uint8_t a = avail.player[size_t(j)];
                if (!drawBalance || j == 0 || !isAvailable(a))
                    continue;
                if (T[size_t(j)] == L + 1)
                    st[size_t(j)] = Out;
                else if (a != 2 && a != 3 && T[size_t(j)] == L - 1)
                    st[size_t(j)] = In;
            }
            bool holds = true;
            if (g == mustPlayGender) {
                for (int i = 1; i <= mustPlay.count; ++i) {
                    uint8_t& m = st[mustPlay.player[size_t(i)]];
                    if (m == Out)
                        holds = false;
                    m = In;
                }
            }
            if (holds)
                ++scenarios;
        }
        scenarios_[size_t(g)] = scenarios;
        for (int j = 0; j <= n; ++j) {
            bool out = true;
            for (int sc = 0; sc < scenarios && out; ++sc)
                out = status_[size_t(g)][size_t(sc)][size_t(j)] == Out;
            blocked_[size_t(g)][size_t(j)] = out;
        }
    }
}

} // namespace tandemx::engine::pruning
