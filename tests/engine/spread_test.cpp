// "Tegenstanders spreiden": over a seeded corpus of evenings (numbered and named players, every play
// option, pause rules, sit-outs, late starters and early leavers, per-member limits) each evening is
// calculated without and with the pass, and the two schedules are compared: the frame of every round
// stays, no rule gets a breach more, the figures never get worse, the tables read from the courts are
// those the calculation would have made of them, and the same evening gives the same schedule.
#include "EngineTestSupport.h"

#include "engine/OpponentSpread.h"
#include "overviews/OverviewLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace tandemx::engine::testing {
namespace {

constexpr long long kBudget = 40000;  // candidates per calculation (a few corpus evenings search long)
constexpr int64_t kMoves = 30000;     // moves per pass in the corpus (the sanitizer build is slow)

Evening randomEvening(std::mt19937& rng, bool withCodes)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Evening e;
    do {
        e.men = pick(0, 20);
        e.ladies = pick(0, 20);
    } while (e.men + e.ladies < 4);
    e.doubles = pick(0, 6);
    e.mixed = pick(0, 4);
    e.courts = pick(1, 7);
    e.playOptions = uint16_t(pick(0, 7));
    e.pause3 = pick(0, 3);
    e.pause2 = pick(0, 3);
    if (withCodes) {
        auto code = [&]() -> uint8_t {
            switch (pick(0, 5)) {
            case 0: return uint8_t(pick(1, 9));                         // at most n rounds
            case 1: return uint8_t(pick(1, 6) * 10 + pick(0, 3));       // at most X, sits out 1..Y
            case 2: return uint8_t('A' + pick(0, 8) + 50 * pick(0, 2)); // rounds 1..k, starts late
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

std::string describe(int i, const Evening& e)
{
    return "evening " + std::to_string(i) + " (" + std::to_string(e.men) + " men, " + std::to_string(e.ladies)
        + " ladies, " + std::to_string(e.doubles) + "+" + std::to_string(e.mixed) + " rounds, "
        + std::to_string(e.courts) + " courts, options " + std::to_string(e.playOptions)
        + (e.menCodes.empty() && e.ladiesCodes.empty() ? ", numbered)" : ", with codes)");
}

bool mixedRound(const ScheduleState& s, int r) { return r > s.Run.NumDoublesRounds; }

// The courts of a category in a round, as the overviews read them.
std::pair<int, int> courtsOf(const ScheduleState& s, int r, int category)
{
    const CourtRange range = s.ScheduleTable[size_t(r)].range[size_t(category)];
    return {std::max(1, range.first), std::min(MaxCourts, range.last)};
}

// Players of the evening as one number: the men 1.., the ladies 1001..
int who(int gender, int number) { return gender == Men ? number : 1000 + number; }

int genderOfPlace(int category, int place) { return category == MixedDoubles ? (place % 2 == 0 ? Men : Ladies) : category; }

// The figures counted from the courts, read as the play options read a court.
SpreadFigures figuresOf(const ScheduleState& s)
{
    const bool groupVsGroup = s.Settings.PlayOptions & PlayOption::GroupVsGroup;
    std::map<std::pair<int, int>, int> opponents, mates;
    auto key = [](int a, int b) { return std::pair{std::min(a, b), std::max(a, b)}; };
    for (int r = 1; r <= s.TotalRounds; ++r) {
        for (int category = 0; category < 3; ++category) {
            if ((category == MixedDoubles) != mixedRound(s, r))
                continue;
            const auto [first, last] = courtsOf(s, r, category);
            for (int k = first; k <= last; ++k) {
                const auto p = places(s, r, k);
                int id[4];
                for (int i = 0; i < 4; ++i)
                    id[i] = who(genderOfPlace(category, i), p[size_t(i)]);
                for (int i = 0; i < 4; ++i)
                    for (int j = i + 1; j < 4; ++j)
                        ++mates[key(id[i], id[j])];
                // Opponents: across the pairs; with "Groep 1 tegen Groep 2" the men against the ladies.
                for (int i = 0; i < 4; ++i)
                    for (int j = i + 1; j < 4; ++j) {
                        const bool across = groupVsGroup && category == MixedDoubles ? (i % 2) != (j % 2) : (i < 2) != (j < 2);
                        if (across)
                            ++opponents[key(id[i], id[j])];
                    }
            }
        }
    }
    SpreadFigures f;
    for (const auto& [pair, times] : opponents) {
        f.maxOpponents = std::max(f.maxOpponents, times);
        f.opponentRepeats += times - 1;
    }
    for (const auto& [pair, times] : mates)
        f.mateRepeats += times - 1;
    return f;
}

bool notWorse(const SpreadFigures& a, const SpreadFigures& b)
{
    return std::tie(a.maxOpponents, a.opponentRepeats, a.mateRepeats) <= std::tie(b.maxOpponents, b.opponentRepeats, b.mateRepeats);
}

// Breaches of the rules, per rule, counted from the courts.
struct Breaches {
    int partnerTwice = 0;   // a partnership again (with "Groep 1 tegen Groep 2": also two men or two ladies of a mixed court)
    int doublesHistory = 0; // with varied pairs: a doubles pair formed of an earlier round's history entry
    int mixedHistory = 0;   // with varied pairs: two players on a mixed court who shared one before (as the rule reads them)
};

Breaches breachesOf(const ScheduleState& s)
{
    Breaches b;
    const bool groupVsGroup = s.Settings.PlayOptions & PlayOption::GroupVsGroup;
    std::map<std::tuple<int, int, int>, int> partners; // (kind, a, b)
    std::array<std::set<std::pair<int, int>>, 2> entries;
    Meetings met;
    for (int r = 1; r <= s.TotalRounds; ++r) {
        std::array<std::vector<std::pair<int, int>>, 2> roundEntries;
        for (int category = 0; category < 3; ++category) {
            if ((category == MixedDoubles) != mixedRound(s, r))
                continue;
            const auto [first, last] = courtsOf(s, r, category);
            for (int k = first; k <= last; ++k) {
                const auto p = places(s, r, k);
                if (category != MixedDoubles) {
                    for (int i : {0, 2}) {
                        const int x = std::min(p[size_t(i)], p[size_t(i + 1)]), y = std::max(p[size_t(i)], p[size_t(i + 1)]);
                        b.partnerTwice += partners[{category, x, y}]++ > 0;
                        if (s.VariedPairs)
                            b.doublesHistory += entries[size_t(category)].count({p[size_t(i)], p[size_t(i + 1)]}) > 0;
                    }
                    roundEntries[size_t(category)].push_back({p[0], p[3]});
                    roundEntries[size_t(category)].push_back({p[1], p[2]});
                    continue;
                }
                b.partnerTwice += partners[{2, p[0], p[1]}]++ > 0;
                b.partnerTwice += partners[{2, p[2], p[3]}]++ > 0;
                if (groupVsGroup) {
                    b.partnerTwice += partners[{Men, std::min(p[0], p[2]), std::max(p[0], p[2])}]++ > 0;
                    b.partnerTwice += partners[{Ladies, std::min(p[1], p[3]), std::max(p[1], p[3])}]++ > 0;
                }
                if (s.VariedPairs) {
                    // Each of the court's four readings the history-conflict rule makes counts.
                    b.mixedHistory += int(met.men.count({std::min(p[0], p[2]), std::max(p[0], p[2])}))
                        + int(met.ladies.count({std::min(p[1], p[3]), std::max(p[1], p[3])}))
                        + int(met.across.count({p[0], p[3]})) + int(met.across.count({p[2], p[1]}));
                }
            }
            if (category == MixedDoubles)
                for (int k = first; k <= last; ++k)
                    met.add(places(s, r, k));
        }
        for (int g = Men; g <= Ladies; ++g)
            entries[size_t(g)].insert(roundEntries[size_t(g)].begin(), roundEntries[size_t(g)].end());
    }
    return b;
}

// The tables the calculation fills round by round, made here from the courts alone.
struct Derived {
    std::array<std::array<std::array<std::array<uint8_t, 2>, MaxRounds + 1>, MaxPlayers + 1>, 2> opponents{};
    std::array<std::array<std::set<int>, MaxPlayers + 1>, 2> met;
    std::array<std::vector<Pair>, 2> history;
    std::vector<Pair> mixedHistory;
};

Derived derive(const ScheduleState& s)
{
    Derived d;
    const bool groupVsGroup = s.Settings.PlayOptions & PlayOption::GroupVsGroup;
    for (int r = 1; r <= s.TotalRounds; ++r) {
        if (!mixedRound(s, r)) {
            for (int g = Men; g <= Ladies; ++g) {
                const auto [first, last] = courtsOf(s, r, g);
                for (int k = first; k <= last; ++k) {
                    const auto p = places(s, r, k);
                    for (int i = 0; i < 4; ++i) {
                        const int other = i < 2 ? 2 : 0;
                        d.opponents[size_t(g)][size_t(p[size_t(i)])][size_t(r)] = {uint8_t(p[size_t(other)]), uint8_t(p[size_t(other + 1)])};
                        for (int j = 0; j < 4; ++j)
                            if (j != i)
                                d.met[size_t(g)][size_t(p[size_t(i)])].insert(p[size_t(j)]);
                    }
                    if (s.VariedPairs) {
                        d.history[size_t(g)].push_back({uint8_t(p[0]), uint8_t(p[3])});
                        d.history[size_t(g)].push_back({uint8_t(p[1]), uint8_t(p[2])});
                    }
                }
            }
            continue;
        }
        const auto [first, last] = courtsOf(s, r, MixedDoubles);
        // The calculation fills a mixed round's opponents only when it filled all the round's courts.
        const bool full = last - first + 1 == s.CourtsPerRound.mixed[size_t(r - s.Run.NumDoublesRounds)];
        for (int k = first; k <= last; ++k) {
            const auto p = places(s, r, k);
            const uint8_t m1 = uint8_t(p[0]), l1 = uint8_t(p[1]), m2 = uint8_t(p[2]), l2 = uint8_t(p[3]);
            if (s.VariedPairs)
                for (Pair e : {Pair{m1, l1}, Pair{m2, l2}, Pair{m1, l2}, Pair{m2, l1}})
                    d.mixedHistory.push_back(e);
            if (!full)
                continue;
            auto& men = d.opponents[Men];
            auto& ladies = d.opponents[Ladies];
            if (groupVsGroup) {
                men[m1][size_t(r)] = {l1, l2};
                men[m2][size_t(r)] = {l2, l1};
                ladies[l1][size_t(r)] = {m2, m1};
                ladies[l2][size_t(r)] = {m1, m2};
            } else {
                men[m1][size_t(r)] = ladies[l1][size_t(r)] = {m2, l2};
                men[m2][size_t(r)] = ladies[l2][size_t(r)] = {m1, l1};
            }
        }
    }
    return d;
}

// Every table read from the courts holds what the courts give.
void expectTablesMatchCourts(const ScheduleState& s, const std::string& label)
{
    const Derived d = derive(s);
    for (int g = Men; g <= Ladies; ++g) {
        const int n = s.players(g);
        // A gender without doubles rounds (or players) has its opponents only from the mixed rounds.
        const bool doublesPlayed = n > 0 && s.Run.NumDoublesRounds > 0;
        for (int j = 1; j <= n; ++j) {
            for (int r = 1; r <= s.TotalRounds; ++r) {
                if (!mixedRound(s, r) && !doublesPlayed)
                    continue;
                EXPECT_EQ(s.Counters[size_t(g)].RoundOpponents[size_t(j)][size_t(r)], d.opponents[size_t(g)][size_t(j)][size_t(r)])
                    << label << ": opponents of " << (g == Men ? "man " : "lady ") << j << " in round " << r;
            }
            std::set<int> met;
            for (int q = 1; q <= n; ++q)
                if (s.Counters[size_t(g)].MetSet[size_t(j)].test(size_t(q)))
                    met.insert(q);
            EXPECT_EQ(met, d.met[size_t(g)][size_t(j)]) << label << ": met set of " << (g == Men ? "man " : "lady ") << j;
        }
        const auto& history = s.OpponentHistory[size_t(g)];
        EXPECT_EQ(std::vector<Pair>(history.pairs.begin() + 1, history.pairs.begin() + 1 + history.count), d.history[size_t(g)])
            << label << ": opponent history " << g;
    }
    const auto& mixed = s.MixedOpponentHistory;
    EXPECT_EQ(std::vector<Pair>(mixed.pairs.begin() + 1, mixed.pairs.begin() + 1 + mixed.count), d.mixedHistory)
        << label << ": mixed opponent history";
    // The overviews' table of court positions, filled from the courts, puts every player where the
    // courts say and nobody twice.
    auto copy = std::make_unique<ScheduleState>(s);
    std::vector<std::string> errors;
    overviews::FillPlayerTables(*copy, {[&](const std::string& text) { errors.push_back(text); }, nullptr});
    EXPECT_TRUE(errors.empty()) << label << ": " << (errors.empty() ? "" : errors.front());
    for (int r = 1; r <= s.TotalRounds; ++r)
        for (int category = 0; category < 3; ++category) {
            const auto [first, last] = courtsOf(s, r, category);
            for (int k = first; k <= last; ++k)
                for (int i = 0; i < 4; ++i) {
                    const int g = genderOfPlace(category, i);
                    EXPECT_EQ(copy->PlayerCourtTable[size_t(g)][size_t(r)].player[size_t(places(s, r, k)[size_t(i)])], k)
                        << label << ": court of a player in round " << r;
                }
        }
}

// The frame of every round: who plays in which block, the ranges, the counts.
void expectSameFrame(const ScheduleState& a, const ScheduleState& b, const std::string& label)
{
    for (int r = 1; r <= a.TotalRounds; ++r) {
        for (int category = 0; category < 3; ++category) {
            EXPECT_EQ(a.ScheduleTable[size_t(r)].range[size_t(category)], b.ScheduleTable[size_t(r)].range[size_t(category)])
                << label << ", round " << r;
            std::array<std::multiset<int>, 2> inA, inB;
            const auto [first, last] = courtsOf(a, r, category);
            for (int k = first; k <= last; ++k)
                for (int i = 0; i < 4; ++i) {
                    inA[size_t(genderOfPlace(category, i))].insert(places(a, r, k)[size_t(i)]);
                    inB[size_t(genderOfPlace(category, i))].insert(places(b, r, k)[size_t(i)]);
                }
            EXPECT_EQ(inA, inB) << label << ", round " << r << ", category " << category;
            // Doubles pairs stay lower number first, as the calculation records them.
            if (category != MixedDoubles)
                for (int k = first; k <= last; ++k) {
                    const auto p = places(b, r, k);
                    EXPECT_TRUE(p[0] < p[1] && p[2] < p[3]) << label << ", round " << r << ", court " << k;
                }
        }
    }
    for (int g = Men; g <= Ladies; ++g) {
        EXPECT_EQ(a.Counters[size_t(g)].TimesPlayed, b.Counters[size_t(g)].TimesPlayed) << label;
        EXPECT_EQ(a.Counters[size_t(g)].PausedLastRound, b.Counters[size_t(g)].PausedLastRound) << label;
    }
    EXPECT_EQ(a.CourtsPerRound.men, b.CourtsPerRound.men) << label;
    EXPECT_EQ(a.CourtsPerRound.ladies, b.CourtsPerRound.ladies) << label;
    EXPECT_EQ(a.CourtsPerRound.mixed, b.CourtsPerRound.mixed) << label;
}

std::unique_ptr<ScheduleState> runSpread(const Evening& e, RecordingHost& host, int64_t moveLimit)
{
    auto s = prepareEvening(e, host);
    s->Settings.SpreadOpponents = true;
    s->spread.moveLimit = moveLimit;
    StartSchedule(*s, host);
    return s;
}

TEST(Spread, CorpusKeepsTheFrameAndTheRules)
{
    std::mt19937 rng(20261211);
    int spread = 0, improved = 0, withBreaches = 0;
    for (int i = 0; i < 120; ++i) {
        const Evening e = randomEvening(rng, i % 2 == 1);
        const std::string label = describe(i, e);
        RecordingHost plainHost, spreadHost, againHost;
        plainHost.budget = spreadHost.budget = againHost.budget = kBudget;
        const auto plain = runEvening(e, plainHost);
        const auto a = runSpread(e, spreadHost, kMoves);
        const auto b = runSpread(e, againHost, kMoves);
        EXPECT_FALSE(plain->spread.applied) << label;
        if (plain->StopRequest != 0) {
            // A stopped calculation is left as it stands.
            EXPECT_FALSE(a->spread.applied) << label;
            continue;
        }
        ASSERT_TRUE(a->spread.applied) << label;
        ++spread;
        // The pass shows nothing of its own but the closing line.
        EXPECT_EQ(plainHost.messages, spreadHost.messages) << label;
        EXPECT_EQ(plainHost.warnings, spreadHost.warnings) << label;
        expectSameFrame(*plain, *a, label);

        const Breaches before = breachesOf(*plain), after = breachesOf(*a);
        EXPECT_LE(after.partnerTwice, before.partnerTwice) << label;
        EXPECT_LE(after.doublesHistory, before.doublesHistory) << label;
        EXPECT_LE(after.mixedHistory, before.mixedHistory) << label;

        // Rules come first: a schedule the calculation left with a breach may give up some spreading
        // for one breach less; otherwise the figures never get worse.
        const SpreadFigures plainFigures = figuresOf(*plain), spreadFigures = figuresOf(*a);
        const int breachesBefore = before.partnerTwice + before.doublesHistory + before.mixedHistory;
        const int breachesAfter = after.partnerTwice + after.doublesHistory + after.mixedHistory;
        EXPECT_TRUE(breachesAfter < breachesBefore || notWorse(spreadFigures, plainFigures)) << label;
        EXPECT_EQ(a->spread.before, plainFigures) << label;
        EXPECT_EQ(a->spread.after, spreadFigures) << label;
        EXPECT_EQ(MeasureSpread(*plain), plainFigures) << label;
        improved += !(spreadFigures == plainFigures);
        withBreaches += breachesBefore > 0;

        expectTablesMatchCourts(*plain, label + ", calculated");
        expectTablesMatchCourts(*a, label + ", spread");

        // The same evening, the same schedule.
        for (int r = 1; r <= MaxRounds; ++r)
            EXPECT_EQ(a->ScheduleTable[size_t(r)], b->ScheduleTable[size_t(r)]) << label << ", round " << r;
        EXPECT_EQ(a->spread.tried, b->spread.tried) << label;
        if (::testing::Test::HasFailure())
            break;
    }
    std::printf("[ spread   ] %d evenings spread, %d of them better, %d calculated with a breach\n", spread, improved,
                withBreaches);
    EXPECT_GT(spread, 80);
    EXPECT_GT(improved, spread / 2);
}

// Without the option the calculation is all there is: the pass leaves no trace, and the closing text
// has no line of it; with it, the line gives the figures of the spread schedule.
TEST(Spread, OnlyWhenAskedAndTheClosingLineSaysWhatItDid)
{
    const Evening e{.men = 12, .ladies = 12, .doubles = 3, .mixed = 3, .courts = 6};
    RecordingHost plainHost, spreadHost;
    const auto plain = runEvening(e, plainHost);
    const auto spread = runSpread(e, spreadHost, 0);
    EXPECT_FALSE(plain->spread.applied);
    EXPECT_EQ(plain->spread.tried, 0);
    for (const std::string& line : plainHost.progressLines)
        EXPECT_EQ(line.find("Tegenstanders"), std::string::npos) << line;
    const SpreadFigures f = figuresOf(*spread);
    const std::string expected = " Tegenstanders: hoogstens " + std::to_string(f.maxOpponents) + " x, "
        + std::to_string(f.opponentRepeats) + " herhaald";
    ASSERT_FALSE(spreadHost.progressLines.empty());
    EXPECT_EQ(spreadHost.progressLines.back(), expected);
    // The calculated evening puts the same two men on a mixed court three rounds running; spread, no
    // two players meet as opponents more than once.
    EXPECT_GT(figuresOf(*plain).maxOpponents, 2);
    EXPECT_EQ(f.maxOpponents, 1);
}

// Evenings where the calculation leaves the most to gain, with their full number of moves: the most
// times two players meet as opponents and the opponent repeats reach what no placing can beat, also at
// 16 men on 4 courts for 15 rounds, where every two men are partners once and meet as opponents twice.
TEST(Spread, TightEveningsReachTheBound)
{
    struct Case {
        const char* name;
        Evening e;
    };
    const Case cases[] = {
        {"8 + 8, 6 mixed rounds on 4 courts", {.men = 8, .ladies = 8, .mixed = 6, .courts = 4}},
        {"12 + 12, 6 mixed rounds on 6 courts", {.men = 12, .ladies = 12, .mixed = 6, .courts = 6}},
        {"18 men, 6 rounds on 4 courts", {.men = 18, .doubles = 6, .courts = 4}},
        {"16 men, 15 rounds on 4 courts", {.men = 16, .doubles = 15, .courts = 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        const auto s = runSpread(c.e, host, 0);
        ASSERT_TRUE(s->spread.applied);
        const SpreadFigures bound = SpreadBound(*s);
        const SpreadFigures f = figuresOf(*s);
        EXPECT_EQ(f.maxOpponents, bound.maxOpponents);
        EXPECT_EQ(f.opponentRepeats, bound.opponentRepeats);
        EXPECT_TRUE(notWorse(bound, f));
        EXPECT_EQ(breachesOf(*s).partnerTwice, 0);
    }
}

} // namespace
} // namespace tandemx::engine::testing
