// The single steps of a round: messages and warning line, pool order, weights, match forming, store,
// and the mixed history rule.
#include "EngineTestSupport.h"
#include "messages/MessageTable.h"

#include <memory>
#include <gtest/gtest.h>

namespace tandemx::engine::testing {
namespace {

TEST(ShowRoundMessage, ComposesPrefixReasonAndRound)
{
    struct Case {
        int prefix, number, round;
        const char* text;
    };
    const Case cases[] = {
        {7, 4, 3, "Geen oplossing heren-tandem     Banen te veel   !  in ronde : 3"},
        {8, 2, 20, "Geen oplossing dames-tandem     Banen te weinig ! :  in ronde :20"},
        {0, 7, 12, "Geen oplossing heren-tandem      in ronde :12"},
        {9, 3, 21, "Geen oplossing gemengd-tandem   "}, // above round 20 only the prefix
        {0, 9, 22, ""},
        {0, 11, 0, "Geen Schema mogelijk zonder Bestand"},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        auto state = std::make_unique<ScheduleState>();
        ScheduleState& s = *state;
        ScheduleEngine(s, host).ShowRoundMessage(c.prefix, c.number, c.round);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], c.text);
        EXPECT_EQ(host.kinds[0], Bericht::Error);
        EXPECT_EQ(host.buttonSets[0], Bericht::ButtonsOk);
        EXPECT_EQ(host.lastError, c.round);
    }
    // "Banen te weinig" only with court warnings on.
    RecordingHost host;
    host.options = 16;
    host.lastError = 5;
    auto state = std::make_unique<ScheduleState>();
    ScheduleState& s = *state;
    ScheduleEngine(s, host).ShowRoundMessage(7, 2, 3);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.lastError, 5);
}

// The engine composes round messages in a fixed buffer; they read as the message table composes them.
TEST(ShowRoundMessage, SameTextAsTheMessageTable)
{
    for (int prefix : {0, 7, 8, 9})
        for (int number : {2, 3, 4, 7, 9, 11})
            for (int round : {0, 1, 9, 10, 20, 21, 24}) {
                RecordingHost host;
                auto state = std::make_unique<ScheduleState>();
                ScheduleState& s = *state;
                ScheduleEngine(s, host).ShowRoundMessage(prefix, number, round);
                ASSERT_EQ(host.messages.size(), 1u);
                EXPECT_EQ(host.messages[0], composeRoundMessage(prefix, number, round)) << prefix << " " << number << " " << round;
            }
}

TEST(ShowFoutregel, TextByNumberAndCategory)
{
    struct Case {
        int n, g;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "Te weinig banen gekozen"},
        {3, 1, "Te weinig banen gekozen Ronde : 3"},
        {10, 0, "Te weinig banen gekozen Ronde : 10"},
        {11, 0, ""},
        {15, 2, ""},
        {20, 2, ""},
        {21, 2, "Te weinig banen gekozen, Mixed  Ronde : 21"},
        {40, 0, "Te weinig banen gekozen, Heren  Ronde : 40"},
        {41, 2, ""},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        auto state = std::make_unique<ScheduleState>();
        ScheduleState& s = *state;
        ScheduleEngine(s, host).ShowFoutregel("Te weinig banen gekozen", c.n, c.g);
        ASSERT_EQ(host.warnings.size(), 1u) << c.n;
        EXPECT_EQ(host.warnings[0], c.text) << c.n;
        EXPECT_EQ(host.lastError, c.n);
        EXPECT_EQ(host.delays, std::vector<int>{500});
    }
    RecordingHost host;
    host.options = 16;
    auto state = std::make_unique<ScheduleState>();
    ScheduleState& s = *state;
    ScheduleEngine(s, host).ShowFoutregel("Te weinig banen gekozen", 3, 0);
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_TRUE(host.delays.empty());
    EXPECT_EQ(host.lastError, 0);
}

// Equal weights keep the order the selection sort leaves, which is not the previous order.
TEST(PoolSort, SelectionSortOrderAmongEqualWeights)
{
    RecordingHost host;
    auto s = std::make_unique<ScheduleState>();
    auto& pool = s->PairPool[Men];
    const Pair a{1, 2}, b{1, 3}, c{1, 4}, d{2, 3}, e{2, 4};
    const Pair input[] = {a, b, c, d, e};
    const uint8_t weights[] = {1, 2, 2, 1, 2};
    for (int i = 0; i < 5; ++i) {
        pool.append(input[i]);
        s->PairWeight[Men][size_t(i + 1)] = weights[i];
    }
    ScheduleEngine(*s, host).SortDoublesPool(Men);
    const Pair expected[] = {b, c, e, d, a}; // a stable sort would give b, c, e, a, d
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pool[i + 1], expected[i]) << i;
    EXPECT_EQ(s->PairWeight[Men][5], 1);
}

TEST(WeighPairs, ClassesAndTheTwoTables)
{
    // Times played 2 2 1 1 1, paused 0 1 0 1 1: classes 1, 5, 2, 6, 6; three players paused.
    auto weigh = [](int courts) {
        RecordingHost host;
        auto s = std::make_unique<ScheduleState>();
        s->Run.NumMen = 5;
        const uint8_t played[] = {2, 2, 1, 1, 1}, paused[] = {0, 1, 0, 1, 1};
        for (int j = 1; j <= 5; ++j) {
            s->Counters[Men].TimesPlayed[size_t(j)] = played[j - 1];
            s->Counters[Men].PausedLastRound[size_t(j)] = paused[j - 1];
        }
        auto& working = s->WorkingPool[Men];
        for (int a = 1; a < 5; ++a)
            for (int b = a + 1; b <= 5; ++b)
                working.append({uint8_t(a), uint8_t(b)});
        ScheduleEngine(*s, host).WeighPairs(Men, courts);
        std::vector<int> w;
        for (int k = 1; k <= working.count; ++k)
            w.push_back(s->PairWeight[Men][size_t(k)]);
        return w;
    };
    // Pairs (1,2) (1,3) (1,4) (1,5) (2,3) (2,4) (2,5) (3,4) (3,5) (4,5).
    EXPECT_EQ(weigh(2), (std::vector<int>{12, 6, 32, 32, 18, 96, 96, 255, 255, 128})); // 3 <= 2c: S 255, X 128
    EXPECT_EQ(weigh(1), (std::vector<int>{12, 6, 32, 32, 18, 96, 96, 128, 128, 255})); // 3 > 2c: S 128, X 255
}

TEST(WeighMixedPairs, ManByLadyTable)
{
    RecordingHost host;
    auto s = std::make_unique<ScheduleState>();
    // Men: 1 played most (class 1), 2 played less and paused (class 6).
    // Ladies: 1 played less (class 2), 2 played less and paused (class 6), 3 played most (class 1).
    s->Run.NumMen = 2;
    s->Run.NumLadies = 3;
    s->Counters[Men].TimesPlayed = {0, 3, 1};
    s->Counters[Men].PausedLastRound = {0, 0, 1};
    s->Counters[Ladies].TimesPlayed = {0, 1, 1, 3};
    s->Counters[Ladies].PausedLastRound = {0, 0, 1, 0};
    PairList<MaxMixedPairs> pool;
    pool.append({1, 1}); // 1 x 2
    pool.append({1, 2}); // 1 x 6
    pool.append({2, 1}); // 6 x 2
    pool.append({2, 2}); // 6 x 6
    pool.append({2, 3}); // 6 x 1
    ScheduleEngine(*s, host).WeighMixedPairs(pool);
    EXPECT_EQ(s->MixedWeight[1], 6);
    EXPECT_EQ(s->MixedWeight[2], 32);
    EXPECT_EQ(s->MixedWeight[3], 48);
    EXPECT_EQ(s->MixedWeight[4], 255);
    EXPECT_EQ(s->MixedWeight[5], 32);
}

class FormMatchesTest : public ::testing::Test {
protected:
    // Pairs (1,2) (3,4) (5,6) ...; a meeting between pairs i and j counts once.
    void choose(int pairs) 
    {
        s->Run.NumMen = 2 * pairs;
        auto& result = s->RoundResult[Men];
        result.count = 0;
        for (int k = 0; k < pairs; ++k)
            result.append({uint8_t(2 * k + 1), uint8_t(2 * k + 2)});
    }
    void met(int i, int j) { s->Counters[Men].MetSet[size_t(2 * i - 1)].set(size_t(2 * j - 1)); }
    std::vector<int> order() const
    {
        std::vector<int> o;
        const auto& result = s->RoundResult[Men];
        for (int k = 1; k <= result.count; ++k)
            o.push_back((result[k].first + 1) / 2);
        return o;
    }

    RecordingHost host;
    std::unique_ptr<ScheduleState> s = std::make_unique<ScheduleState>();
};

TEST_F(FormMatchesTest, FewestOptionsFirstThenOpponentWithFewestEqualEntries)
{
    choose(6);
    for (auto [i, j] : {std::pair{1, 4}, {1, 5}, {1, 6}, {2, 3}, {3, 5}, {3, 6}})
        met(i, j);
    s->CurrentRound = 2;
    ScheduleEngine(*s, host).FormMatches(Men);
    // Pair 1 has the fewest options (2 and 3); pair 3's row has fewer zeros than pair 2's.
    EXPECT_EQ(order(), (std::vector<int>{1, 3, 2, 4, 5, 6}));
}

TEST_F(FormMatchesTest, FirstPairIsTheOneWithFewestOptions)
{
    choose(4);
    for (auto [i, j] : {std::pair{2, 3}, {2, 4}})
        met(i, j);
    s->CurrentRound = 3;
    ScheduleEngine(*s, host).FormMatches(Men);
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 3, 4}));
}

TEST_F(FormMatchesTest, OddCountPutsTheLeftOverPairLast)
{
    choose(3);
    met(1, 2);
    s->CurrentRound = 2;
    ScheduleEngine(*s, host).FormMatches(Men);
    EXPECT_EQ(order(), (std::vector<int>{1, 3, 2}));
}

TEST_F(FormMatchesTest, RoundOneKeepsTheChoiceOrder)
{
    choose(4);
    for (auto [i, j] : {std::pair{2, 3}, {2, 4}})
        met(i, j);
    s->CurrentRound = 1;
    ScheduleEngine(*s, host).FormMatches(Men);
    EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 4}));
}

TEST(StoreRound, CourtOffsetsAndRanges)
{
    RecordingHost host;
    auto s = std::make_unique<ScheduleState>();
    s->CourtsPerRound.men[1] = 2;
    s->CourtsPerRound.ladies[1] = 3;
    s->LadiesFirst = true;
    auto& men = s->RoundResult[Men];
    for (uint8_t k = 1; k <= 4; ++k)
        men.append({k, uint8_t(k + 10)});
    s->RoundResult[Ladies].count = -1;
    ScheduleEngine engine(*s, host);
    engine.StoreRound(MenDoubles, 1);
    engine.StoreRound(LadiesDoubles, 1);
    const auto& rec = s->ScheduleTable[1];
    EXPECT_EQ(rec.range[0].first, 4);
    EXPECT_EQ(rec.range[0].last, 5);
    EXPECT_EQ(rec.range[1].first, 1);
    EXPECT_EQ(rec.range[1].last, 0); // no solution: an empty range
    EXPECT_EQ(places(*s, 1, 4), (std::array<int, 4>{1, 11, 2, 12}));
    EXPECT_EQ(places(*s, 1, 5), (std::array<int, 4>{3, 13, 4, 14}));

    // An odd count stores the left-over pair but the range holds whole courts only.
    men.count = 3;
    s->LadiesFirst = false;
    engine.StoreRound(MenDoubles, 2);
    EXPECT_EQ(s->ScheduleTable[2].range[0].last, 1);
    EXPECT_EQ(places(*s, 2, 2), (std::array<int, 4>{3, 13, 0, 0}));
}

TEST(MixedHistory, ConflictRules)
{
    RecordingHost host;
    auto s = std::make_unique<ScheduleState>();
    // One court: man 1 + lady 1 against man 2 + lady 2.
    s->RoundResult[MixedDoubles].count = 0;
    s->RoundResult[MixedDoubles].append({1, 1});
    s->RoundResult[MixedDoubles].append({2, 2});
    ScheduleEngine engine(*s, host);
    engine.UpdateMixedHistory();
    ASSERT_EQ(s->MixedOpponentHistory.count, 4);
    EXPECT_EQ(s->MixedOpponentHistory[3], (Pair{1, 2}));
    EXPECT_EQ(s->MixedOpponentHistory[4], (Pair{2, 1}));
    struct Case {
        Pair last, candidate;
        bool conflict;
    };
    const Case cases[] = {
        {{1, 3}, {2, 4}, true},  // the two men met
        {{2, 3}, {1, 4}, true},
        {{3, 1}, {4, 2}, true},  // the two ladies met
        {{1, 3}, {4, 2}, true},  // man 1 met lady 2
        {{3, 1}, {2, 4}, true},  // lady 1 met man 2
        {{3, 3}, {4, 4}, false},
        {{1, 3}, {4, 1}, true},  // crossed entries: man 1 with lady 1 of the entry (2,1)
        {{1, 3}, {3, 4}, false},
        {{3, 2}, {4, 1}, true},  // second entry pair: (1,2) and (2,1) hold ladies 2 and 1
    };
    // The reference walks the history; the fast engine reads the tables made from it.
    for (EngineMode mode : {EngineMode::Reference, EngineMode::Fast}) {
        s->Engine = mode;
        engine.buildMixedMet();
        for (const Case& c : cases)
            EXPECT_EQ(engine.HistoryConflict(c.last, c.candidate), c.conflict)
                << (mode == EngineMode::Fast ? "fast " : "reference ") << int(c.last.first) << ","
                << int(c.last.second) << " / " << int(c.candidate.first) << "," << int(c.candidate.second);
    }
}

} // namespace
} // namespace tandemx::engine::testing
