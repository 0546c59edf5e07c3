// Properties of every schedule over a seeded corpus of evenings, with players numbered and with
// random player codes. A few ordinary evenings make the exhaustive search run for minutes; every run
// gets a candidate budget through the break test, and the runs that hit it are counted.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace tandemx::engine::testing {
namespace {

constexpr int kEvenings = 300;
constexpr long long kBudget = 40000;

Evening randomEvening(std::mt19937& rng, bool withCodes)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Evening e;
    do {
        e.men = pick(0, 24);
        e.ladies = pick(0, 24);
    } while (e.men + e.ladies == 0);
    e.doubles = pick(0, 6);
    e.mixed = pick(0, 4);
    e.courts = pick(1, 8);
    e.playOptions = uint16_t(pick(0, 7));
    e.pause3 = pick(0, 3);
    e.pause2 = pick(0, 3);
    if (withCodes) {
        auto code = [&]() -> uint8_t {
            switch (pick(0, 5)) {
            case 0: return uint8_t(pick(1, 9));                          // at most n rounds
            case 1: return uint8_t(pick(1, 6) * 10 + pick(0, 3));        // at most X, sits out 1..Y
            case 2: return uint8_t('A' + pick(0, 8) + 50 * pick(0, 2));  // rounds 1..k, sits out 0..2
            default: return 'X';
            }
        };
        for (int j = 0; j < e.men; ++j)
            e.menCodes.push_back(code());
        for (int j = 0; j < e.ladies; ++j)
            e.ladiesCodes.push_back(code());
    }
    return e;
}

// What a code allows: the most rounds, the first round to play in and the last.
struct Limits {
    int rounds = 24, first = 1, last = 24;
};

Limits limitsOf(uint8_t c)
{
    if (c < 10)
        return {c, 1, 24};
    if (c < 64)
        return {c / 10, c % 10 + 1, 24};
    const int k = c < 114 ? c - 64 : c < 164 ? c - 114 : c - 164;
    const int s = c < 114 ? 0 : c < 164 ? 1 : 2;
    return {24, s + 1, k};
}

// Checks one calculated evening; returns the number of places checked (to see that rounds were stored).
int checkEvening(const Evening& e, const ScheduleState& s, const std::string& label)
{
    const int n[2] = {s.Run.NumMen, s.Run.NumLadies};
    std::set<std::pair<int, int>> partners[3];
    std::array<std::array<int, MaxPlayers + 1>, 2> times{};
    int checked = 0;
    for (int r = 1; r <= s.TotalRounds; ++r) {
        const auto& rec = s.ScheduleTable[size_t(r)];
        std::set<int> seen[2];
        for (int category = 0; category < 3; ++category) {
            for (int k = std::max(1, rec.range[size_t(category)].first); k <= rec.range[size_t(category)].last; ++k) {
                const auto p = places(s, r, k);
                // Mixed: men in places 1 and 3, ladies in 2 and 4.
                const int gender[4] = {category == MixedDoubles ? Men : category,
                                       category == MixedDoubles ? Ladies : category,
                                       category == MixedDoubles ? Men : category,
                                       category == MixedDoubles ? Ladies : category};
                for (int i = 0; i < 4; ++i) {
                    const int g = gender[i];
                    EXPECT_GE(p[size_t(i)], 1) << label << " round " << r << " court " << k;
                    EXPECT_LE(p[size_t(i)], n[g]) << label << " round " << r << " court " << k;
                    // Four different players, and nobody twice in a round.
                    EXPECT_TRUE(seen[g].insert(p[size_t(i)]).second)
                        << label << " round " << r << " court " << k << " player " << p[size_t(i)];
                    ++times[size_t(g)][size_t(p[size_t(i)])];
                    const auto codes = g == Men ? e.menCodes : e.ladiesCodes;
                    if (!codes.empty()) {
                        const Limits l = limitsOf(codes[size_t(p[size_t(i)] - 1)]);
                        EXPECT_GE(r, l.first) << label << " round " << r << " player " << p[size_t(i)];
                        EXPECT_LE(r, l.last) << label << " round " << r << " player " << p[size_t(i)];
                    }
                    ++checked;
                }
                // No partnership twice in the evening.
                for (int pair = 0; pair < 2; ++pair) {
                    const int a = p[size_t(2 * pair)], b = p[size_t(2 * pair + 1)];
                    const std::pair<int, int> key = category == MixedDoubles ? std::pair{a, b} : std::pair{std::min(a, b), std::max(a, b)};
                    EXPECT_TRUE(partners[category].insert(key).second)
                        << label << " round " << r << " pair " << a << "," << b;
                }
            }
        }
    }
    // With varied pairs no mixed court holds two pairs with a history conflict, mended rounds included.
    if (e.playOptions & PlayOption::VariedPairs)
        expectNoConflictOnACourt(s, label);
    for (int g = Men; g <= Ladies; ++g) {
        const auto& codes = g == Men ? e.menCodes : e.ladiesCodes;
        for (int j = 1; j <= n[g]; ++j) {
            EXPECT_EQ(s.Counters[size_t(g)].TimesPlayed[size_t(j)], times[size_t(g)][size_t(j)])
                << label << " gender " << g << " player " << j;
            if (!codes.empty()) {
                EXPECT_LE(times[size_t(g)][size_t(j)], limitsOf(codes[size_t(j - 1)]).rounds)
                    << label << " gender " << g << " player " << j;
            }
        }
    }
    return checked;
}

bool sameSchedule(const ScheduleState& a, const ScheduleState& b)
{
    for (int r = 1; r <= MaxRounds; ++r) {
        const auto& x = a.ScheduleTable[size_t(r)];
        const auto& y = b.ScheduleTable[size_t(r)];
        for (int c = 0; c < 3; ++c)
            if (x.range[size_t(c)].first != y.range[size_t(c)].first || x.range[size_t(c)].last != y.range[size_t(c)].last)
                return false;
        if (x.court != y.court)
            return false;
    }
    return a.Counters[Men].TimesPlayed == b.Counters[Men].TimesPlayed
        && a.Counters[Ladies].TimesPlayed == b.Counters[Ladies].TimesPlayed && a.CourtsPerRound.men == b.CourtsPerRound.men
        && a.CourtsPerRound.ladies == b.CourtsPerRound.ladies && a.CourtsPerRound.mixed == b.CourtsPerRound.mixed;
}

TEST(Corpus, EveryScheduleKeepsTheRules)
{
    std::mt19937 rng(20261210);
    int overBudget = 0, stored = 0, balanced = 0;
    for (int i = 0; i < kEvenings; ++i) {
        const bool withCodes = i % 2 == 0;
        const Evening e = randomEvening(rng, withCodes);
        const std::string label = "evening " + std::to_string(i) + " (" + std::to_string(e.men) + " men, "
            + std::to_string(e.ladies) + " ladies, " + std::to_string(e.doubles) + "+" + std::to_string(e.mixed)
            + " rounds, " + std::to_string(e.courts) + " courts, options " + std::to_string(e.playOptions) + ")";
        RecordingHost first, second;
        first.budget = second.budget = kBudget;
        const auto a = runEvening(e, first);
        const auto b = runEvening(e, second);
        if (a->StopRequest == 27)
            ++overBudget;
        stored += checkEvening(e, *a, label) > 0;
        // Numbered players in an evening without a failed round: every search passed its balance
        // check, so the counts of a gender end at most one apart.
        const bool failed = std::any_of(first.messages.begin(), first.messages.end(),
                                        [](const std::string& m) { return m != " Wilt U stoppen"; });
        if (!withCodes && !failed && a->StopRequest == 0) {
            ++balanced;
            for (int g = Men; g <= Ladies; ++g) {
                const auto& t = a->Counters[size_t(g)].TimesPlayed;
                const int n = a->players(g);
                if (n > 0) {
                    const auto [lo, hi] = std::minmax_element(t.begin() + 1, t.begin() + 1 + n);
                    EXPECT_LE(*hi - *lo, 1) << label << " gender " << g;
                }
            }
        }
        EXPECT_TRUE(sameSchedule(*a, *b)) << label;
        EXPECT_EQ(first.messages, second.messages) << label;
        EXPECT_EQ(first.warnings, second.warnings) << label;
        if (::testing::Test::HasFailure())
            break;
    }
    std::printf("[ corpus   ] %d evenings, %d stopped at the budget of %lld candidates, %d with courts, "
                "%d numbered without a failed round\n",
                kEvenings, overBudget, kBudget, stored, balanced);
    EXPECT_LT(overBudget, kEvenings / 5);
    EXPECT_GT(stored, kEvenings / 2);
}

// Varied-pairs evenings with mixed rounds whose literal search ran without end (a seeded random walk
// over evenings of up to 40 + 40 players found them) or found nothing after round 1 (8 + 8): the work
// limit stops the search, the mend plans every round, and the same evening gives the same schedule
// again (the limit counts work, not time).
TEST(Corpus, VariedPairsEveningsPlanEveryRound)
{
    const Evening evenings[] = {
        {.men = 26, .ladies = 34, .doubles = 1, .mixed = 4, .courts = 15, .playOptions = 2, .pause3 = 3, .pause2 = 2},
        {.men = 19, .ladies = 32, .doubles = 4, .mixed = 3, .courts = 8, .playOptions = 2, .pause3 = 0, .pause2 = 0},
        {.men = 22, .ladies = 24, .doubles = 1, .mixed = 5, .courts = 11, .playOptions = 2, .pause3 = 1, .pause2 = 3},
        {.men = 8, .ladies = 8, .mixed = 3, .courts = 4, .playOptions = 2},
    };
    int limited = 0;
    for (const Evening& e : evenings) {
        const std::string label = std::to_string(e.men) + " + " + std::to_string(e.ladies);
        RecordingHost first, second;
        const auto a = runEvening(e, first);
        const auto b = runEvening(e, second);
        EXPECT_EQ(first.messages, std::vector<std::string>{}) << label;
        EXPECT_GT(checkEvening(e, *a, label), 0) << label;
        for (int r = e.doubles + 1; r <= e.doubles + e.mixed; ++r) {
            EXPECT_EQ(a->ScheduleTable[size_t(r)].range[MixedDoubles].last, a->CourtsPerRound.mixed[size_t(r - e.doubles)])
                << label << ", round " << r;
            limited += (a->mend.plan[size_t(r)] & RoundPlan::WorkLimit) != 0;
        }
        EXPECT_TRUE(sameSchedule(*a, *b)) << label;
        EXPECT_EQ(a->mend.plan, b->mend.plan) << label;
    }
    EXPECT_GT(limited, 0);
}

// Evenings at the program's limits (200 players, 32 courts, 24 rounds) and with every player code byte,
// under every play option: each keeps the rules and finishes (the sanitizer build watches the memory).
TEST(Corpus, EveningsAtTheLimitsKeepTheRules)
{
    auto everyCode = [](int count, int first) {
        std::vector<uint8_t> codes;
        for (int j = 0; j < count; ++j)
            codes.push_back(uint8_t((first + j) % 256));
        return codes;
    };
    struct Case {
        const char* name;
        Evening e;
    };
    const Case cases[] = {
        {"200 men, 24 rounds", {200, 0, 24, 0, 32, 0}},
        {"200 ladies, 24 rounds, all options", {0, 200, 24, 0, 32, 7}},
        {"100 + 100, 12 + 12 rounds", {100, 100, 12, 12, 32, 2}},
        {"100 + 100, 24 mixed rounds, pause rules", {100, 100, 0, 24, 32, 0, 3, 3}},
        {"199 + 1, 24 rounds", {199, 1, 12, 12, 32, 0}},
        {"200 men, codes 0..199", {200, 0, 24, 0, 32, 2, 1, 1, everyCode(200, 0)}},
        {"100 + 100, codes 200..255 and on", {100, 100, 12, 12, 32, 7, 2, 2, everyCode(100, 200), everyCode(100, 44)}},
        {"8 + 8, 32 courts", {8, 8, 12, 12, 32, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        host.budget = 50'000'000;
        const auto s = runEvening(c.e, host);
        EXPECT_EQ(s->StopRequest, 0) << "over the candidate budget";
        EXPECT_GT(checkEvening(c.e, *s, c.name), 0);
    }
}

} // namespace
} // namespace tandemx::engine::testing
