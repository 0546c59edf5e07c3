// The pair schedule with names (dash lines, section lines, ladies first, the group option, part cuts)
// and the numbered pair schedule.
#include "OverviewFixture.h"
#include "overviews/OverviewLines.h"

#include <gtest/gtest.h>

namespace tandemx::overviews {
namespace {

using namespace testing;

// The ruled line: "-", then four times "," + dashes for the 24-character first-name field, "," +
// dashes for the 40-character last-name field, "," + dashes for the court text; 255 characters kept.
std::string ruled(int courtTextLength)
{
    const std::string group = "," + std::string(24, '-') + "," + std::string(40, '-') + ","
        + std::string(size_t(courtTextLength), '-');
    return ("-" + group + group + group + group).substr(0, 255);
}

TEST(PairSchedule, NamesWithDashLinesAndMixedRound)
{
    auto s = smallEvening();
    const OverviewLines expected = {
        " ,Schema,Tandem",
        "1,Jan,Vries,  ,Kees,de Wit,   7",
        " ,Piet,Bakker,  ,Bram,Bakker,   7",
        "    ",
        "1,Els,Kok,  ,Ria,Berg,   12",
        " ,Mia,Smit,  ,Lot,Kok,   12",
        ruled(2), // made after the ladies' category, whose last court is labelled 12
        "2,Jan,Vries,  ,Kees,de Wit,   7",
        " ,Ed,Zwart,  ,Bram,Bakker,   7",
        "    ",
        "2,Els,Kok,  ,Mia,Smit,   12",
        " ,Ria,Berg,  ,Lot,Kok,   12",
        ruled(2),
        " ,Schema,Gemengd Tandem",
        "3,Jan,Vries,,Piet,Bakker,   7",
        "3,Els,Kok,,Mia,Smit,   7",
        "    ",
        "3,Bram,Bakker,,Ed,Zwart,   12",
        "3,Ria,Berg,,Lot,Kok,   12",
        ruled(2),
    };
    EXPECT_EQ(buildPairSchedule(*s), expected);
}

TEST(PairSchedule, LadiesFirstAndGroupOption)
{
    auto s = smallEvening();
    s->LadiesFirst = true;
    s->Settings.PlayOptions = engine::PlayOption::LadiesFirst | engine::PlayOption::GroupVsGroup;
    const OverviewLines lines = buildPairSchedule(*s);
    const OverviewLines expectedRound1 = {
        " ,Schema,Tandem",
        "1,Els,Kok,  ,Ria,Berg,   12",
        " ,Mia,Smit,  ,Lot,Kok,   12",
        "    ",
        "1,Jan,Vries,  ,Kees,de Wit,   7",
        " ,Piet,Bakker,  ,Bram,Bakker,   7",
        ruled(1), // now made after the men's category: court text "7"
    };
    ASSERT_GE(lines.size(), 19u);
    EXPECT_EQ(OverviewLines(lines.begin(), lines.begin() + 7), expectedRound1);
    // With "Groep 1 tegen Groep 2": group 1 (places 1 and 3) on the left, group 2 (places 2 and 4) right.
    const OverviewLines expectedMixed = {
        " ,Schema,Groepen Tandem",
        "3,Jan,Vries,,Els,Kok,   7",
        "3,Piet,Bakker,,Mia,Smit,   7",
        "    ",
        "3,Bram,Bakker,,Ria,Berg,   12",
        "3,Ed,Zwart,,Lot,Kok,   12",
        ruled(1),
    };
    EXPECT_EQ(OverviewLines(lines.end() - 7, lines.end()), expectedMixed);
}

TEST(PairSchedule, SectionLineEveryOtherRoundRuledLineOfRoundOneAndEmptyListSkipped)
{
    auto s = smallEvening();
    s->Run = {5, 0, 3, 0, 1};
    setRange(*s, 3, engine::MenDoubles, 2, 2); // court 2, labelled 12
    setCourt(*s, 3, 2, 5, 4, 2, 1);
    const OverviewLines lines = buildPairSchedule(*s);
    const OverviewLines expected = {
        " ,Schema,Tandem",
        "1,Jan,Vries,  ,Kees,de Wit,   7",
        " ,Piet,Bakker,  ,Bram,Bakker,   7",
        ruled(1),
        "2,Jan,Vries,  ,Kees,de Wit,   7",
        " ,Ed,Zwart,  ,Bram,Bakker,   7",
        ruled(1),
        " ,Schema,Tandem",
        "3,Ed,Zwart,  ,Piet,Bakker,   12",
        " ,Bram,Bakker,  ,Jan,Vries,   12",
        ruled(1), // the ruled line of round 1 stays

    };
    EXPECT_EQ(lines, expected);
}

TEST(PairSchedule, MixedRoundsOnlyTakeTheirRuledLineFromTheFirstRound)
{
    auto s = smallEvening();
    s->Run = {2, 2, 0, 2, 1};
    setRange(*s, 1, engine::MixedDoubles, 1, 1);
    setRange(*s, 2, engine::MixedDoubles, 2, 2);
    setCourt(*s, 1, 1, 1, 1, 2, 2);
    setCourt(*s, 2, 2, 2, 1, 1, 2);
    const OverviewLines expected = {
        " ,Schema,Gemengd Tandem",
        "1,Jan,Vries,,Piet,Bakker,   7",
        "1,Els,Kok,,Mia,Smit,   7",
        ruled(1),
        "2,Piet,Bakker,,Jan,Vries,   12",
        "2,Els,Kok,,Mia,Smit,   12",
        ruled(1),
    };
    EXPECT_EQ(buildPairSchedule(*s), expected);
}

TEST(PairSchedule, PlayerPartCutAt48)
{
    auto s = smallEvening();
    // 20 + 1 + 30 = 51 characters: the player part keeps 48.
    setName(*s, Men, 1, "Maximiliaan-Johannes", "van Oldenbarnevelt-Schimmelpen");
    const OverviewLines lines = buildPairSchedule(*s);
    EXPECT_EQ(lines[1], "1,Maximiliaan-Johannes,van Oldenbarnevelt-Schimmel,  ,Kees,de Wit,   7");
}

TEST(PairSchedule, Numbered)
{
    auto s = std::make_unique<ScheduleState>();
    s->Settings.ScheduleMode = engine::ScheduleMode::Numbered;
    s->Run = {4, 12, 1, 1, 2};
    s->CourtCodes[2] = 5;
    setRange(*s, 1, engine::MenDoubles, 1, 1);
    setRange(*s, 1, engine::LadiesDoubles, 2, 2);
    setRange(*s, 2, engine::MixedDoubles, 1, 1);
    setCourt(*s, 1, 1, 1, 2, 3, 4);
    setCourt(*s, 1, 2, 12, 3, 2, 1);
    setCourt(*s, 2, 1, 1, 2, 3, 4);

    struct Case {
        uint16_t options;
        bool ladiesFirst;
        OverviewLines expected;
    };
    const Case cases[] = {
        {0, false,
         {" ,Schema,Tandem",
          "   1,   H 1,   H 2   ,,   H 3,   H 4,   1",
          "   1,   D12,   D 3   ,,   D 2,   D 1,   5",
          "   ",
          "      ",
          " ,Schema,Gemengd Tandem",
          "   2,   H 1,   D 2   ,,   H 3,   D 4,   1",
          "   "}},
        // The group option pairs places 1 and 3 against 2 and 4; ladies first swaps the categories.
        {engine::PlayOption::GroupVsGroup | engine::PlayOption::LadiesFirst, true,
         {" ,Schema,Tandem",
          "   1,   D12,   D 2   ,,   D 3,   D 1,   5",
          "   1,   H 1,   H 3   ,,   H 2,   H 4,   1",
          "   ",
          "      ",
          " ,Schema,Gemengd Tandem",
          "   2,   H 1,   H 3   ,,   D 2,   D 4,   1",
          "   "}},
    };
    for (const Case& c : cases) {
        s->Settings.PlayOptions = c.options;
        s->LadiesFirst = c.ladiesFirst;
        EXPECT_EQ(buildNumberedPairSchedule(*s), c.expected) << "options " << c.options;
    }
}

TEST(PairSchedule, NumberedWithoutMixedRounds)
{
    auto s = std::make_unique<ScheduleState>();
    s->Settings.ScheduleMode = engine::ScheduleMode::Numbered;
    s->Run = {4, 0, 2, 0, 1};
    for (int r = 1; r <= 2; ++r) {
        setRange(*s, r, engine::MenDoubles, 1, 1);
        setCourt(*s, r, 1, 1, 2, 3, 4);
    }
    const OverviewLines expected = {
        " ,Schema,Tandem",
        "   1,   H 1,   H 2   ,,   H 3,   H 4,   1",
        "   ",
        "   2,   H 1,   H 2   ,,   H 3,   H 4,   1",
        "   ",
    };
    EXPECT_EQ(buildNumberedPairSchedule(*s), expected);
}

} // namespace
} // namespace tandemx::overviews
