// Whole evenings through "&Start": the edge cases of the doubles rounds, the mixed rounds and the
// court checks.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>

namespace tandemx::engine::testing {
namespace {

// The players of one gender on the courts of round r (doubles: all four places; mixed: the
// gender's two places).
std::multiset<int> onCourt(const ScheduleState& s, int r, int category, int gender = Men)
{
    std::multiset<int> players;
    const auto& rec = s.ScheduleTable[size_t(r)];
    for (int k = std::max(1, rec.range[size_t(category)].first); k <= rec.range[size_t(category)].last; ++k) {
        const auto p = places(s, r, k);
        if (category == MixedDoubles) {
            players.insert(p[gender == Men ? 0 : 1]);
            players.insert(p[gender == Men ? 2 : 3]);
        } else {
            players.insert(p.begin(), p.end());
        }
    }
    return players;
}

bool plays(const ScheduleState& s, int r, int category, int player, int gender = Men)
{
    return onCourt(s, r, category, gender).count(player) > 0;
}

// The players who sat out round r - 1 of a category and play round r.
void expectPausedPlayNext(const ScheduleState& s, int category, int gender, int n, int rounds, int firstRound = 1)
{
    for (int r = firstRound + 1; r < firstRound + rounds; ++r)
        for (int j = 1; j <= n; ++j)
            if (!plays(s, r - 1, category, j, gender)) {
                EXPECT_TRUE(plays(s, r, category, j, gender)) << "player " << j << " sat out round " << r - 1;
            }
}

struct EdgeCase {
    const char* name;
    Evening evening;
    std::vector<std::string> messages; // everything ShowBericht showed, in order
    std::function<void(const ScheduleState&)> check;
    uint16_t options = 17;
    int failedRounds = 0; // rounds left without a solution, as the closing text counts them
};

const std::vector<EdgeCase>& edgeCases()
{
    using V = std::vector<std::string>;
    static const std::vector<EdgeCase> cases = {
        {"round 1 takes the pool in its plain order", {.men = 12, .doubles = 1, .courts = 3}, {},
         [](const ScheduleState& s) {
             EXPECT_EQ(places(s, 1, 1), (std::array<int, 4>{1, 2, 3, 4}));
             EXPECT_EQ(places(s, 1, 2), (std::array<int, 4>{5, 6, 7, 8}));
             EXPECT_EQ(places(s, 1, 3), (std::array<int, 4>{9, 10, 11, 12}));
             EXPECT_TRUE(s.SolutionFound);
         }},
        {"eight men, two courts, four rounds: all play, new partners", {.men = 8, .doubles = 4, .courts = 2}, {},
         [](const ScheduleState& s) {
             std::set<std::pair<int, int>> partners;
             for (int r = 1; r <= 4; ++r) {
                 EXPECT_EQ(onCourt(s, r, MenDoubles), (std::multiset<int>{1, 2, 3, 4, 5, 6, 7, 8})) << "round " << r;
                 for (int k = 1; k <= 2; ++k) {
                     const auto p = places(s, r, k);
                     EXPECT_TRUE(partners.insert(std::minmax(p[0], p[1])).second) << "round " << r;
                     EXPECT_TRUE(partners.insert(std::minmax(p[2], p[3])).second) << "round " << r;
                 }
             }
         }},
        {"nine men, two courts: one pauses and plays next", {.men = 9, .doubles = 6, .courts = 2}, {},
         [](const ScheduleState& s) {
             for (int r = 1; r <= 6; ++r) {
                 const auto players = onCourt(s, r, MenDoubles);
                 EXPECT_EQ(std::set<int>(players.begin(), players.end()).size(), 8u) << "round " << r;
             }
             expectPausedPlayNext(s, MenDoubles, Men, 9, 6);
         }},
        {"player code 2 stops after two rounds", {.men = 9, .doubles = 5, .courts = 2, .menCodes = {2}}, {},
         [](const ScheduleState& s) {
             EXPECT_EQ(s.Counters[Men].TimesPlayed[1], 2);
             int played = 0;
             for (int r = 1; r <= 5; ++r) {
                 if (played == 2) {
                     EXPECT_FALSE(plays(s, r, MenDoubles, 1)) << "round " << r;
                 }
                 played += plays(s, r, MenDoubles, 1);
             }
         }},
        // Code 61: at most 6 rounds, sits out round 1. Without pause rules his pairs leave the doubles
        // pool at round 1; the mixed pool is built afresh, and with option 4 he plays the mixed round.
        {"late starter with pause level 0",
         {.men = 9, .ladies = 8, .doubles = 1, .mixed = 1, .courts = 4, .playOptions = PlayOption::GroupVsGroup,
          .pause3 = 0, .pause2 = 0, .menCodes = {61}, .menCourts = {2}, .ladiesCourts = {2}},
         {},
         [](const ScheduleState& s) {
             EXPECT_EQ(s.PauseLevel, 0);
             EXPECT_FALSE(plays(s, 1, MenDoubles, 1));
             for (int k = 1; k <= s.PairPool[Men].count; ++k)
                 EXPECT_NE(s.PairPool[Men][k].first, 1);
             EXPECT_TRUE(plays(s, 2, MixedDoubles, 1, Men));
         }},
        {"late starter with pause rules keeps his pairs",
         {.men = 9, .ladies = 8, .doubles = 1, .mixed = 1, .courts = 4, .playOptions = PlayOption::GroupVsGroup,
          .menCodes = {61}, .menCourts = {2}, .ladiesCourts = {2}},
         {},
         [](const ScheduleState& s) {
             int withHim = 0;
             for (int k = 1; k <= s.PairPool[Men].count; ++k)
                 withHim += s.PairPool[Men][k].first == 1;
             EXPECT_EQ(withHim, 8);
         }},
        {"late starters count as unavailable", {.men = 8, .doubles = 1, .courts = 2, .menCodes = {61}},
         V{"Geen oplossing heren-tandem     Banen te veel   !  in ronde : 1"}, nullptr, 17, 1},
        // Eight men: nobody paused before round 2, so the empty search ends without a solution, and all
        // count as paused in it: all play round 3.
        {"no courts in a round", {.men = 8, .doubles = 3, .courts = 2, .menCourts = {2, 0, 2}},
         V{"Geen oplossing heren-tandem      in ronde : 2"},
         [](const ScheduleState& s) {
             EXPECT_EQ(s.ScheduleTable[2].range[0].first, 1);
             EXPECT_EQ(s.ScheduleTable[2].range[0].last, 0);
             EXPECT_EQ(onCourt(s, 3, MenDoubles), (std::multiset<int>{1, 2, 3, 4, 5, 6, 7, 8}));
         },
         17, 1},
        // Nine men: the man who paused in round 1 must play in a round without places.
        {"no courts, a must-play player", {.men = 9, .doubles = 2, .courts = 2, .menCourts = {2, 0}},
         V{" Wilt U stoppen", "Geen oplossing heren-tandem     Banen te weinig ! :  in ronde : 2"}, nullptr, 17, 1},
        // After the empty round all nine must play on two courts: the first complete choice fails the
        // must-play check and is kept, and the round is reported.
        {"more must-play players than places", {.men = 9, .doubles = 3, .courts = 2, .menCourts = {2, 0, 2}},
         V{" Wilt U stoppen", "Geen oplossing heren-tandem     Banen te weinig ! :  in ronde : 2",
           "Geen oplossing heren-tandem     Banen te weinig ! :  in ronde : 3"},
         [](const ScheduleState& s) {
             EXPECT_EQ(s.ScheduleTable[3].range[0].last, 2);
             EXPECT_TRUE(s.TooManyMustPlay);
             EXPECT_FALSE(s.SolutionFound);
         },
         17, 2},
        {"no courts, a must-play player, court warnings off", {.men = 9, .doubles = 2, .courts = 2, .menCourts = {2, 0}},
         {}, nullptr, 16, 1},
        {"3 men and 10 ladies on one mixed court: must-play for the men", {.men = 3, .ladies = 10, .mixed = 4, .courts = 1},
         {},
         [](const ScheduleState& s) {
             for (int r = 1; r <= 4; ++r) {
                 EXPECT_EQ(onCourt(s, r, MixedDoubles, Men).size(), 2u) << "round " << r;
                 EXPECT_EQ(onCourt(s, r, MixedDoubles, Ladies).size(), 2u) << "round " << r;
             }
             expectPausedPlayNext(s, MixedDoubles, Men, 3, 4);
         }},
        // Man 2 sits out round 2; with option 4 the first complete choice of round 3 leaves him out again.
        {"option 4 accepts a choice that leaves a paused player out",
         {.men = 4, .ladies = 4, .mixed = 3, .courts = 1, .playOptions = PlayOption::VariedPairs | PlayOption::GroupVsGroup},
         {},
         [](const ScheduleState& s) {
             EXPECT_FALSE(plays(s, 2, MixedDoubles, 2, Men));
             EXPECT_EQ(places(s, 3, 1), (std::array<int, 4>{1, 2, 3, 4}));
             // Under option 4 a man's opponents are the two ladies, a lady's the two men.
             EXPECT_EQ(s.Counters[Men].RoundOpponents[1][3], (std::array<uint8_t, 2>{2, 4}));
             EXPECT_EQ(s.Counters[Ladies].RoundOpponents[2][3], (std::array<uint8_t, 2>{3, 1}));
         }},
        {"without option 4 that round fails", {.men = 4, .ladies = 4, .mixed = 3, .courts = 1, .playOptions = PlayOption::VariedPairs},
         V{"Geen oplossing gemengd-tandem   Selectie niet gelukt in ronde : 3", "Geen oplossing gemengd-tandem    in ronde : 3"},
         [](const ScheduleState& s) { EXPECT_EQ(s.ScheduleTable[3].range[2].last, 0); }, 17, 1},
        // Code 21 without pause rules: his pairs left the pool in round 1, so in round 2 he cannot be
        // placed and the must-play check leaves him out instead of failing the round.
        {"must-play leaves out a player without pairs",
         {.men = 9, .doubles = 2, .courts = 2, .pause3 = 0, .pause2 = 0, .menCodes = {21}}, {},
         [](const ScheduleState& s) {
             EXPECT_EQ(onCourt(s, 2, MenDoubles), (std::multiset<int>{2, 3, 4, 5, 6, 7, 8, 9}));
         }},
        // With one man gone after round 1, three men cannot fill two mixed courts although the
        // players in all would.
        {"two men and two ladies per mixed court",
         {.men = 4, .ladies = 8, .doubles = 1, .mixed = 1, .courts = 3, .menCodes = {'A'}, .menCourts = {1},
          .ladiesCourts = {2}, .mixedCourts = {2}},
         V{"Geen oplossing gemengd-tandem   Selectie niet gelukt in ronde : 2",
           "Geen oplossing gemengd-tandem   Banen te veel   !  in ronde : 2"},
         [](const ScheduleState& s) {
             EXPECT_EQ(s.CourtsPerRound.mixed[1], 2);
             EXPECT_TRUE(s.TooFewPlayers);
             EXPECT_EQ(s.RoundResult[MixedDoubles].count, 0);
         },
         17, 1},
    };
    return cases;
}

TEST(Evening, EdgeCases)
{
    for (const EdgeCase& c : edgeCases()) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        host.options = c.options;
        const auto s = runEvening(c.evening, host);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_EQ(s->FailedRounds, c.failedRounds);
        if (c.check)
            c.check(*s);
    }
}

TEST(CheckCourts, WarningForRoundFifteenIsAnEmptyLine)
{
    RecordingHost host;
    std::vector<int> courts(16, 5);
    courts[13] = courts[14] = 1; // rounds 14 and 15
    auto s = prepareEvening({.men = 20, .doubles = 16, .courts = 5, .menCourts = courts}, host);
    ASSERT_TRUE(PrepareStart(*s, host));
    EXPECT_EQ(host.warnings, std::vector<std::string>{""});
    EXPECT_EQ(host.lastError, 15);
    EXPECT_EQ(host.delays, std::vector<int>{500});
    host.answer = Bericht::ResultYes;
    EXPECT_FALSE(ConfirmStart(*s, host));
    ASSERT_EQ(host.messages, std::vector<std::string>{" Wilt U stoppen"});
    EXPECT_EQ(host.kinds[0], Bericht::Question);
    EXPECT_EQ(host.buttonSets[0], Bericht::ButtonsJaNee);
}

TEST(CheckCourts, TooManyCourtsAreLoweredWithOrWithoutWarnings)
{
    for (uint16_t options : {17, 16}) {
        RecordingHost host;
        host.options = options;
        auto s = prepareEvening({.men = 9, .ladies = 3, .doubles = 1, .mixed = 1, .courts = 4,
                                 .menCourts = {3}, .ladiesCourts = {1}, .mixedCourts = {3}},
                                host);
        ASSERT_TRUE(PrepareStart(*s, host));
        EXPECT_EQ(s->CourtsPerRound.men[1], 2);
        EXPECT_EQ(s->CourtsPerRound.ladies[1], 0);
        EXPECT_EQ(s->CourtsPerRound.mixed[1], 1); // two ladies per court: three ladies hold one
        EXPECT_EQ(s->Run.NumCourts, 2);
        EXPECT_EQ(host.lastError, 0);
        if (options & 1)
            EXPECT_EQ(host.warnings, (std::vector<std::string>{"Te veel banen gekozen   Ronde : 1",
                                                                "Te veel banen gekozen   Ronde : 1",
                                                                "Te veel banen gekozen   Ronde : 2"}));
        else
            EXPECT_TRUE(host.warnings.empty());
        EXPECT_TRUE(ConfirmStart(*s, host));
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(CheckCourts, FirstMixedRoundCountsTheLastDoublesRound)
{
    RecordingHost host;
    auto s = prepareEvening({.men = 20, .ladies = 20, .doubles = 4, .mixed = 2, .courts = 10,
                             .ladiesCourts = {5, 5, 5, 1}, .mixedCourts = {1, 10}},
                            host);
    ASSERT_TRUE(PrepareStart(*s, host));
    // Ladies round 4: 4 x (1 + 5) >= 20, no warning; mixed round 1: 2 x 1 + 4 x 1 < 20.
    EXPECT_EQ(host.warnings, std::vector<std::string>{"Te weinig banen gekozen Ronde : 5"});
    EXPECT_EQ(host.lastError, 5);
}

// Whatever a caller leaves in the inputs, the engine reads and writes only inside its tables: inputs
// outside them are refused at the entry, with no message and nothing changed.
TEST(RunInputs, OutsideTheTablesTheEngineRefusesAndChangesNothing)
{
    struct Case {
        const char* name;
        std::function<void(ScheduleState&)> spoil;
    };
    const auto totals = [](ScheduleState& s) {
        s.TotalPlayers = s.Run.NumMen + s.Run.NumLadies;
        s.TotalRounds = s.Run.NumDoublesRounds + s.Run.NumMixedRounds;
    };
    const Case cases[] = {
        {"men -5 (a court count lowered below 0)", [&](ScheduleState& s) { s.Run.NumMen = -5; totals(s); }},
        {"ladies -5", [&](ScheduleState& s) { s.Run.NumLadies = -5; totals(s); }},
        {"201 ladies", [&](ScheduleState& s) { s.Run.NumLadies = 201; totals(s); }},
        {"150 men + 51 ladies", [&](ScheduleState& s) { s.Run.NumMen = 150; s.Run.NumLadies = 51; totals(s); }},
        {"doubles rounds -3", [&](ScheduleState& s) { s.Run.NumDoublesRounds = -3; totals(s); }},
        {"mixed rounds -1", [&](ScheduleState& s) { s.Run.NumMixedRounds = -1; totals(s); }},
        {"30 doubles rounds", [&](ScheduleState& s) { s.Run.NumDoublesRounds = 30; totals(s); }},
        {"20 + 5 rounds", [&](ScheduleState& s) { s.Run.NumDoublesRounds = 20; s.Run.NumMixedRounds = 5; totals(s); }},
        {"33 courts", [&](ScheduleState& s) { s.Run.NumCourts = 33; }},
        {"courts -1", [&](ScheduleState& s) { s.Run.NumCourts = -1; }},
        {"20 + 13 courts in a doubles round", [&](ScheduleState& s) { s.CourtsPerRound.men[4] = 20; s.CourtsPerRound.ladies[4] = 13; }},
        {"33 mixed courts", [&](ScheduleState& s) { s.CourtsPerRound.mixed[2] = 33; }},
        {"255 men's courts", [&](ScheduleState& s) { s.CourtsPerRound.men[1] = 255; }},
        {"25 rounds in all with 4 + 2 copied", [&](ScheduleState& s) { s.TotalRounds = 25; }},
        {"players in all not the copies' sum", [&](ScheduleState& s) { s.TotalPlayers = 250; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        auto s = prepareEvening({.men = 12, .ladies = 10, .doubles = 4, .mixed = 2, .courts = 6}, host);
        ASSERT_TRUE(PrepareStart(*s, host));
        ASSERT_EQ(ScheduleEngine::RunInputsRefusal(*s), nullptr);
        c.spoil(*s);
        EXPECT_NE(ScheduleEngine::RunInputsRefusal(*s), nullptr);
        const auto courts = s->CourtsPerRound;
        const auto table = s->ScheduleTable;
        const auto availability = s->RoundAvailability;
        host.messages.clear();
        host.warnings.clear();
        ScheduleEngine engine(*s, host);
        EXPECT_FALSE(engine.CheckCourts());
        EXPECT_FALSE(engine.CalculateSchedule());
        RunCalculation(*s, host);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(host.warnings.empty());
        EXPECT_FALSE(s->SolutionFound);
        EXPECT_EQ(std::memcmp(&courts, &s->CourtsPerRound, sizeof courts), 0);
        EXPECT_EQ(std::memcmp(&table, &s->ScheduleTable, sizeof table), 0);
        EXPECT_EQ(std::memcmp(&availability, &s->RoundAvailability, sizeof availability), 0);
    }

    // The limits themselves are inputs the engine takes.
    RecordingHost host;
    auto s = prepareEvening({.men = 100, .ladies = 100, .doubles = 12, .mixed = 12, .courts = 32}, host);
    s->CourtsPerRound.men[12] = 16;
    s->CourtsPerRound.ladies[12] = 16;
    s->CourtsPerRound.mixed[12] = 32;
    s->Run = {100, 100, 12, 12, 32};
    s->TotalPlayers = 200;
    s->TotalRounds = 24;
    EXPECT_EQ(ScheduleEngine::RunInputsRefusal(*s), nullptr);
}

// "&Meer" with counts outside the tables proposes no courts (once a division by zero for men 5,
// ladies -5, and byte overflows for 99999 courts).
TEST(DefaultCourts, CountsOutsideTheTablesProposeNoCourts)
{
    struct Case { int men, ladies, courts, menCourts, ladiesCourts, mixedCourts, beeps; };
    const Case cases[] = {
        {12, 10, 6, 3, 3, 6, 0},
        {5, -5, 6, 0, 0, 0, 1},
        {-5, 10, 6, 0, 0, 0, 1},
        {12, 10, 99999, 0, 0, 0, 1},
        {12, 10, -6, 0, 0, 0, 1},
        {150, 51, 6, 0, 0, 0, 1},
        {0, 0, 6, 0, 0, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.men << " men, " << c.ladies << " ladies, " << c.courts << " courts");
        RecordingHost host;
        auto s = std::make_unique<ScheduleState>();
        s->Settings.NumMen = c.men;
        s->Settings.NumLadies = c.ladies;
        s->Settings.NumCourts = c.courts;
        s->Settings.NumDoublesRounds = 4;
        DefaultCourts(*s, host);
        for (int r = 1; r <= MaxRounds; ++r) {
            // Men's and ladies' courts in the doubles rounds only.
            EXPECT_EQ(s->CourtsPerRound.men[size_t(r)], r <= 4 ? c.menCourts : 0);
            EXPECT_EQ(s->CourtsPerRound.ladies[size_t(r)], r <= 4 ? c.ladiesCourts : 0);
            EXPECT_EQ(s->CourtsPerRound.mixed[size_t(r)], c.mixedCourts);
        }
        EXPECT_EQ(host.beeps, c.beeps);
    }
}

TEST(Evening, ProgressLinesWorkingTextsAndStop)
{
    RecordingHost host;
    host.options = 17 | KeyOption::ProgressMessages;
    runEvening({.men = 8, .ladies = 8, .doubles = 3, .mixed = 1, .courts = 4}, host);
    ASSERT_EQ(host.progressLines.size(), 7u);
    EXPECT_EQ(host.progressLines[2], " Berekening Heren  in ronde : ,1,2,3");
    EXPECT_EQ(host.progressLines[3], " Berekening Dames  in ronde : ,1");
    EXPECT_EQ(host.progressLines[6], " Berekening Mixed  in ronde : ,1");
    EXPECT_EQ(host.workingStates, (std::vector<int>{1, 2, 3, 4}));

    // A stop in the first search ends the calculation; the stopped round is not reported as failed.
    RecordingHost stopper;
    stopper.budget = 0;
    auto s = runEvening({.men = 8, .ladies = 8, .doubles = 3, .mixed = 1, .courts = 4}, stopper);
    EXPECT_EQ(s->StopRequest, 27);
    EXPECT_EQ(stopper.candidates, 1);
    EXPECT_TRUE(stopper.messages.empty());
    EXPECT_EQ(s->FailedRounds, 0);
    EXPECT_EQ(s->ScheduleTable[1].range[0].last, 0);
    EXPECT_EQ(s->ScheduleTable[1].range[1].last, 0);
    EXPECT_EQ(stopper.workingStates, (std::vector<int>{1, 4}));
}

TEST(Evening, NoPlayersRunsNothing)
{
    RecordingHost host;
    auto s = runEvening({.doubles = 2, .courts = 2}, host);
    EXPECT_TRUE(s->ScheduleBusy);
    EXPECT_TRUE(host.workingStates.empty());
}

} // namespace
} // namespace tandemx::engine::testing
