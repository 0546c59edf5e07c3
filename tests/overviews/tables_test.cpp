// FillPlayerTables, SortedOrder, the court schedule (and its change-grid variant), times played, the
// cross table and the games overview.
#include "OverviewFixture.h"
#include "overviews/OverviewLines.h"

#include <gtest/gtest.h>

#include <vector>

namespace tandemx::overviews {
namespace {

using namespace testing;

const GroupHeadings kHeadings = {"HEREN  ", "DAMES  "};

TEST(FillPlayerTables, CourtPositionsPerRoundAndEmptyPlaces)
{
    auto s = smallEvening();
    // Left-overs of an earlier overview must not survive the rebuild.
    s->PlayerCourtTable[Men][2].player[2] = 9;
    s->PlayerGamesTable[Ladies][1].player[1] = 9;
    setCourt(*s, 2, 1, 1, 0, 3, 4); // place 2 of the men's court empty in round 2
    setCourt(*s, 3, 2, 4, 3, 5, 0); // place 4 (a lady) of mixed court 2 empty
    std::vector<std::string> errors;
    FillPlayerTables(*s, {[&](const std::string& text) { errors.push_back(text); }, nullptr});

    EXPECT_EQ(errors, (std::vector<std::string>{"Geen baanpaar op baan:  1 in ronde: 2",
                                                "Geen baanpaar op baan:  2 in ronde: 3"}));
    // [player][round] court positions.
    const int men[6][4] = {{}, {0, 1, 1, 1}, {0, 1, 0, 1}, {0, 1, 1, 0}, {0, 1, 1, 2}, {0, 0, 0, 2}};
    const int ladies[5][4] = {{}, {0, 2, 2, 1}, {0, 2, 2, 1}, {0, 2, 2, 2}, {0, 2, 2, 0}};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(s->PlayerCourtTable[Men][size_t(r)].count, 5);
        EXPECT_EQ(s->PlayerCourtTable[Ladies][size_t(r)].count, 4);
        for (int j = 1; j <= 5; ++j)
            EXPECT_EQ(s->PlayerCourtTable[Men][size_t(r)].player[size_t(j)], men[j][r]) << "man " << j << " round " << r;
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(s->PlayerCourtTable[Ladies][size_t(r)].player[size_t(j)], ladies[j][r])
                << "lady " << j << " round " << r;
    }
    EXPECT_EQ(s->PlayerGamesTable[Ladies][1].player[1], 0);
}

TEST(FillPlayerTables, LadiesFirstReportsLadiesCourtsFirst)
{
    auto s = smallEvening();
    s->LadiesFirst = true;
    setCourt(*s, 1, 1, 0, 2, 3, 4);
    setCourt(*s, 1, 2, 1, 2, 3, 0);
    std::vector<std::string> errors;
    FillPlayerTables(*s, {[&](const std::string& text) { errors.push_back(text); }, nullptr});
    EXPECT_EQ(errors, (std::vector<std::string>{"Geen baanpaar op baan:  2 in ronde: 1",
                                                "Geen baanpaar op baan:  1 in ronde: 1"}));
}

std::vector<int> order(const std::vector<std::pair<std::string, std::string>>& names, int mode)
{
    auto s = std::make_unique<ScheduleState>();
    for (size_t j = 0; j < names.size(); ++j)
        setName(*s, Men, int(j + 1), names[j].first, names[j].second);
    return SortedOrder(s->PlayerTable[Men], int(names.size()), engine::ScheduleMode(mode));
}

TEST(SortedOrder, Cases)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> names; // first, last
        int mode;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"last name, then first name", {{"Piet", "Vries"}, {"Jan", "Bakker"}, {"Anna", "Vries"}}, 1, {2, 3, 1}},
        {"byte order: upper case before lower case before accented",
         {{"A", "de Wit"}, {"A", "\xC9lzinga"}, {"A", "Zwart"}}, 1, {3, 1, 2}},
        {"equal names keep list order", {{"Jan", "Kok"}, {"Els", "Kok"}, {"Jan", "Kok"}}, 1, {2, 1, 3}},
        {"the key is cut to 20 characters",
         {{"Zeno", "Abcdefghijklmnopqr"}, {"Anna", "Abcdefghijklmnopqr"}, {"Bert", "Abcdefghijklmnopqrst"},
          {"Abel", "Abcdefghijklmnopqrst"}},
         1, {2, 1, 3, 4}},
        {"leading blanks of the last name do not count", {{"B", "  Zwart"}, {"A", "Kok"}}, 1, {2, 1}},
        {"numbered: list order", {{"H", "2"}, {"H", "1"}}, 2, {1, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(order(c.names, c.mode), c.expected) << c.what;
}

TEST(CourtSchedule, CodesSitOutsAndNameOrder)
{
    auto s = smallEvening();
    FillPlayerTables(*s);
    const OverviewLines expected = {
        "HEREN  ",
        "Bram,Bakker,,7,7,12",
        "Piet,Bakker,,7,-,7",
        "Jan,Vries,,7,7,7",
        "Ed,Zwart,,-,7,12",
        "Kees,de Wit,,7,7,-",
        "DAMES  ",
        "Ria,Berg,,12,12,12",
        "Els,Kok,,12,12,7",
        "Lot,Kok,,12,12,12",
        "Mia,Smit,,12,12,7",
    };
    EXPECT_EQ(buildCourtSchedule(*s, kHeadings, false), expected);
}

TEST(CourtSchedule, ChangeGridRowsWithLadiesFirst)
{
    auto s = smallEvening();
    s->LadiesFirst = true;
    setName(*s, Ladies, 2, "Mia Jo", "Smit");
    FillPlayerTables(*s);
    const OverviewLines expected = {
        "DAMES  ",
        "1,Ria,Berg,_,12,12,12",
        "2,Els,Kok,_,12,12,7",
        "3,Lot,Kok,_,12,12,12",
        "4,Mia_Jo,Smit,_,12,12,7",
        "HEREN  ",
        "1,Bram,Bakker,_,7,7,12",
        "2,Piet,Bakker,_,7,-,7",
        "3,Jan,Vries,_,7,7,7",
        "4,Ed,Zwart,_,-,7,12",
        "5,Kees,de_Wit,_,7,7,-",
    };
    EXPECT_EQ(buildCourtSchedule(*s, kHeadings, true), expected);
    EXPECT_EQ(changeGridHeader(3), "Ix,Voornaam,Achternaam,ronde: ,1,2,3");
}

TEST(CourtSchedule, EmptyListAddsNoSection)
{
    auto s = smallEvening();
    s->Run = {0, 4, 2, 0, 2};
    FillPlayerTables(*s);
    const OverviewLines lines = buildCourtSchedule(*s, kHeadings, false);
    const OverviewLines expected = {
        "DAMES  ", "Ria,Berg,,12,12", "Els,Kok,,12,12", "Lot,Kok,,12,12", "Mia,Smit,,12,12",
    };
    EXPECT_EQ(lines, expected);
}

TEST(TimesPlayed, LargerListLeftAndShorterListPadded)
{
    auto s = smallEvening();
    const OverviewLines expected = {
        "HEREN  , , ,DAMES  ",
        "Bram,Bakker,   3,Ria,Berg,   3",
        "Piet,Bakker,   2,Els,Kok,   3",
        "Jan,Vries,   3,Lot,Kok,   3",
        "Ed,Zwart,   2,Mia,Smit,   3",
        "Kees,de Wit,   2,,",
    };
    EXPECT_EQ(buildTimesPlayed(*s, kHeadings), expected);
}

TEST(TimesPlayed, EqualListsPutLadiesLeft)
{
    auto s = smallEvening();
    s->Run.NumMen = 4;
    s->Counters[Ladies].TimesPlayed[2] = 11;
    const OverviewLines expected = {
        "DAMES  , , ,HEREN  ",
        "Ria,Berg,   3,Bram,Bakker,   3",
        "Els,Kok,   3,Piet,Bakker,   2",
        "Lot,Kok,   3,Jan,Vries,   3",
        "Mia,Smit,   11,Kees,de Wit,   2",
    };
    EXPECT_EQ(buildTimesPlayed(*s, kHeadings), expected);
}

TEST(TimesPlayed, OneListAloneAndHalfCutAt48)
{
    auto s = smallEvening();
    s->Run.NumLadies = 0;
    s->Run.NumMen = 2;
    // 20 + 1 + 30 + 4 + 1 + 1 = 57 characters: the half keeps 48 and so loses the count.
    setName(*s, Men, 1, "Maximiliaan-Johannes", "van Oldenbarnevelt-Schimmelpen");
    const OverviewLines expected = {
        "HEREN  ",
        "Piet,Bakker,   2,,",
        "Maximiliaan-Johannes,van Oldenbarnevelt-Schimmel,",
    };
    EXPECT_EQ(buildTimesPlayed(*s, kHeadings), expected);
}

TEST(CrossTable, OpponentsPerSlotWithRepeatSuffix)
{
    auto s = smallEvening();
    const OverviewLines expected = {
        " ,HEREN  ",
        "1,J. Vries,,3,3,2,    3 ( 2)",
        " , ,,4,4,2,    4 (2)",
        "2,P. Bakker,,3,-,1",
        " , ,,4,-,1",
        "3,K. de Wit,,1,1,-,    1 ( 2)",
        " , ,,2,5,-",
        "4,B. Bakker,,1,1,5,    1 ( 2)",
        " , ,,2,5,4",
        "5,E. Zwart,,-,3,4",
        " , ,,-,4,3",
        "        ",
        " ,DAMES  ",
        "1,E. Kok,,3,2,2",
        " , ,,4,4,2,    4 (2)",
        "2,M. Smit,,3,1,1",
        " , ,,4,3,1",
        "3,R. Berg,,1,2,5",
        " , ,,2,4,4,    4 (2)",
        "4,L. Kok,,1,1,4,    1 ( 2)",
        " , ,,2,3,3,    3 (2)",
    };
    EXPECT_EQ(buildCrossTable(*s, kHeadings), expected);
}

TEST(CrossTable, TieTakesLowestNumberAndNumberedModeHasNoIndex)
{
    auto s = std::make_unique<ScheduleState>();
    s->Settings.ScheduleMode = engine::ScheduleMode::Numbered;
    s->Run = {0, 6, 6, 0, 3};
    for (int j = 1; j <= 6; ++j)
        setName(*s, Ladies, j, "D", std::to_string(j) + "          ");
    const int first[] = {5, 2, 5, 2, 3, 3};
    const int second[] = {6, 6, 6, 4, 4, 4};
    for (int r = 1; r <= 6; ++r)
        setOpponents(*s, Ladies, 1, r, first[r - 1], second[r - 1]);
    const OverviewLines lines = buildCrossTable(*s, kHeadings);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], " ,DAMES  ");
    EXPECT_EQ(lines[1], ",D. 1,,5,2,5,2,3,3,    2 ( 2)");
    EXPECT_EQ(lines[2], " , ,,6,6,6,4,4,4,    4 (3)");
    EXPECT_EQ(lines[3], ",D. 2,,-,-,-,-,-,-");
}

// Player numbers count per list: in a mixed round a man's second opponent is a lady and a lady's first
// a man (with "Groep 1 tegen Groep 2" a man's two are ladies, a lady's two men), so man 2 and lady 2
// are two players and never one opponent met twice. Round 1 is a doubles round, rounds 2 and 3 mixed;
// man 1 and lady 1 meet number 2 in slot 1 and number 3 in slot 2 in every round.
TEST(CrossTable, RepeatsCountOnlyPlayersOfTheOwnList)
{
    struct Case {
        const char* what;
        uint16_t playOptions;
        std::vector<std::string> expected; // the four lines of man 1 and lady 1
    };
    const Case cases[] = {
        {"mixed", 0,
         {"1,A. Man,,2,2,2,    2 ( 3)", " , ,,3,3,3", "1,A. Vrouw,,2,2,2", " , ,,3,3,3,    3 (3)"}},
        {"Groep 1 tegen Groep 2", engine::PlayOption::GroupVsGroup,
         {"1,A. Man,,2,2,2", " , ,,3,3,3", "1,A. Vrouw,,2,2,2", " , ,,3,3,3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = std::make_unique<ScheduleState>();
        s->Settings.ScheduleMode = engine::ScheduleMode::Names;
        s->Settings.PlayOptions = c.playOptions;
        s->Run = {3, 3, 1, 2, 2};
        s->TotalRounds = 3;
        for (int g : {Men, Ladies})
            for (int j = 1; j <= 3; ++j)
                setName(*s, g, j, std::string(1, char('A' + j - 1)), g == Men ? "Man" : "Vrouw");
        for (int g : {Men, Ladies})
            for (int r = 1; r <= 3; ++r)
                setOpponents(*s, g, 1, r, 2, 3);
        const OverviewLines lines = buildCrossTable(*s, kHeadings);
        ASSERT_EQ(lines.size(), 1u + 6u + 1u + 1u + 6u);
        EXPECT_EQ((std::vector<std::string>{lines[1], lines[2], lines[9], lines[10]}), c.expected);
    }
}

TEST(CrossTable, LongRowLosesTheEndOfItsSuffix)
{
    auto s = std::make_unique<ScheduleState>();
    s->Settings.ScheduleMode = engine::ScheduleMode::Names;
    s->Run = {12, 0, 24, 0, 6};
    for (int j = 1; j <= 12; ++j)
        setName(*s, Men, j, "Jan", "Kok");
    for (int r = 1; r <= 24; ++r)
        setOpponents(*s, Men, 1, r, 12, 11);
    const OverviewLines lines = buildCrossTable(*s, kHeadings);
    std::string rounds12, rounds11;
    for (int r = 1; r <= 24; ++r)
        rounds12 += ",12", rounds11 += ",11";
    // 72 characters of rounds leave 8 of ",   12 (24)" and of ",   11 (24)".
    EXPECT_EQ(lines[1], "1,J. Kok," + rounds12 + ",   12 (");
    EXPECT_EQ(lines[2], " , ," + rounds11 + ",   11 (");
}

TEST(Games, RoundValuesAndSum)
{
    auto s = smallEvening();
    // The games of a place are its place number, so each player's row is easy to follow.
    FillPlayerTables(*s, {nullptr, [](int, int, int place) { return place; }});
    const OverviewLines expected = {
        "HEREN  ",
        "Bram,Bakker,,4,4,1,9",
        "Piet,Bakker,,2,0,3,5",
        "Jan,Vries,,1,1,1,3",
        "Ed,Zwart,,0,2,3,5",
        "Kees,de Wit,,3,3,0,6",
        "DAMES  ",
        "Ria,Berg,,3,2,2,7",
        "Els,Kok,,1,1,2,4",
        "Lot,Kok,,4,4,4,12",
        "Mia,Smit,,2,3,4,9",
    };
    EXPECT_EQ(buildGames(*s, kHeadings), expected);
}

TEST(Games, WithoutOpenMatchAllZero)
{
    auto s = smallEvening();
    s->PlayerGamesTable[Men][1].player[4] = 5; // an earlier match's games
    FillPlayerTables(*s);
    const OverviewLines lines = buildGames(*s, kHeadings);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "Bram,Bakker,,0,0,0,0");
    EXPECT_EQ(lines[10], "Mia,Smit,,0,0,0,0");
}

TEST(GroupHeadingsFromCodes, Cases)
{
    EXPECT_EQ(groupHeadings("h", "D "), (GroupHeadings{"HEREN  ", "DAMES  "}));
    EXPECT_EQ(groupHeadings("A", "B12"), (GroupHeadings{" GROEP A", " GROEP B12"}));
    EXPECT_EQ(groupHeadings("Jun", "d"), (GroupHeadings{" GROEP Jun", "DAMES  "}));
}

} // namespace
} // namespace tandemx::overviews
