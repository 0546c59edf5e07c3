// Player codes, the player table and the availability per round built from the codes.
#include "EngineTestSupport.h"

#include <memory>
#include <gtest/gtest.h>

namespace tandemx::engine::testing {
namespace {

TEST(PlayerCode, FromActie)
{
    struct Case {
        const char* actie;
        int code;
        bool beep;
    };
    const Case cases[] = {
        {"1", 1, false},   {"9", 9, false},    {"62", 62, false}, {"64", 64, false},
        {"65", 65, true},  {"1A", 1, true},    {"1 ", 1, true},   {"999", 231, true}, // kept in a byte
        {"X", 88, false},  {"x", 88, false},   {"A", 65, false},  {"A1", 115, false},
        {"b2", 166, false}, {"C3", 67, false}, {"\xE9", 0xE9, false}, // no upper case beyond ASCII
    };
    for (const Case& c : cases) {
        bool beep = !c.beep;
        EXPECT_EQ(playerCodeFromActie(c.actie, &beep), c.code) << c.actie;
        EXPECT_EQ(beep, c.beep) << c.actie;
    }
}

TEST(BuildPlayerTable, TakesActiveMembersOfTheGroupInListOrder)
{
    RecordingHost host;
    auto state = std::make_unique<ScheduleState>();
    ScheduleState& s = *state;
    const MemberView members[] = {
        {101, "Bram", "de Vries", "h", "X"},
        {102, "Joost", "Hendriksen", "H ", "-"},  // not taking part
        {103, "Anne", "Jansen", "d", "X"},        // other group
        {300, "Kees", "Molenaar", " h", "3"},     // club number beyond a byte
        {104, "Wim", "", "h", "B1"},              // no last name: taken and reported
        {105, "Piet", "Post", "h", "0"},          // "0" does not take part
        {106, "Gijs", "Bos", "h", ""},
        {107, "Teun", "Gerritsen", "hh", "X"},
    };
    ASSERT_EQ(BuildPlayerTable(s, host, Men, members, " H "), 3);
    const auto& list = s.PlayerTable[Men];
    EXPECT_EQ(list[1].memberNumber, 101);
    EXPECT_EQ(list[1].firstName.view(), std::string("Bram") + std::string(20, ' '));
    EXPECT_EQ(list[1].lastName.view(), std::string("de Vries") + std::string(32, ' '));
    EXPECT_EQ(list[1].PlayerCode, 'X');
    EXPECT_EQ(list[2].memberNumber, 300 & 0xFF);
    EXPECT_EQ(list[2].PlayerCode, 3);
    EXPECT_EQ(list[3].PlayerCode, 'B' + 50);
    EXPECT_EQ(list[3].lastName.view(), std::string(40, ' '));
    EXPECT_EQ(list[4].lastName.length, 0); // beyond the players stays blank
    EXPECT_EQ(list[0].firstName.view(), "G r o t e   ");
    EXPECT_EQ(list[0].lastName.view(), "O n b e k e n d e ? ");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "Actief lid: 104 heeft geen achternaam!");
    EXPECT_EQ(host.kinds[0], Bericht::Warning);
    EXPECT_EQ(host.buttonSets[0], Bericht::ButtonsOk);
}

TEST(BuildPlayerTable, CountsBeyondTheTableWithoutWritingPastIt)
{
    RecordingHost host;
    auto s = std::make_unique<ScheduleState>();
    std::vector<MemberView> members(230, MemberView{1, "A", "B", "d", "X"});
    EXPECT_EQ(BuildPlayerTable(*s, host, Ladies, members, "d"), 230);
    EXPECT_EQ(s->PlayerTable[Ladies][200].PlayerCode, 'X');
}

TEST(GroupCodes, CategoryNames)
{
    auto state = std::make_unique<ScheduleState>();
    ScheduleState& s = *state;
    SetGroupCodes(s, " h", "d ");
    EXPECT_EQ(s.CategoryName[0].view(), " Heren ");
    EXPECT_EQ(s.CategoryName[1].view(), " Dames ");
    SetGroupCodes(s, "A1", "xyz");
    EXPECT_EQ(s.CategoryName[0].view(), " Groep A1");
    EXPECT_EQ(s.CategoryName[1].view(), " Groep xyz");
    EXPECT_EQ(s.CategoryName[2].view(), " Mixed ");
}

// Availability bytes of one player over rounds 1..6, and which rounds count him unavailable.
TEST(BuildRoundAvailability, BytesFromPlayerCodes)
{
    struct Case {
        int code;
        std::array<int, 6> bytes;
        std::array<int, 6> counted;
    };
    const Case cases[] = {
        {2, {2, 2, 2, 2, 2, 2}, {0, 0, 0, 0, 0, 0}},
        {62, {103, 103, 6, 6, 6, 6}, {0, 0, 0, 0, 0, 0}},  // late start: counted by the round's preparation
        {40, {4, 4, 4, 4, 4, 4}, {0, 0, 0, 0, 0, 0}},
        {'C', {24, 24, 24, 0, 0, 0}, {0, 0, 0, 1, 1, 1}},
        {'C' + 50, {102, 24, 24, 0, 0, 0}, {0, 0, 0, 1, 1, 1}},
        {'A' + 100, {102, 102, 0, 0, 0, 0}, {0, 1, 1, 1, 1, 1}},  // left after round 1, still counted
        {'X', {24, 24, 24, 24, 24, 24}, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        auto state = std::make_unique<ScheduleState>();
        ScheduleState& s = *state;
        s.Settings.ScheduleMode = ScheduleMode::Names;
        s.Run.NumMen = 1;
        s.TotalRounds = 6;
        s.PlayerTable[Men][1].PlayerCode = uint8_t(c.code);
        ScheduleEngine(s, host).BuildRoundAvailability(Men);
        for (int r = 1; r <= 6; ++r) {
            EXPECT_EQ(s.RoundAvailability[Men][size_t(r)].player[1], c.bytes[size_t(r - 1)]) << c.code << " round " << r;
            EXPECT_EQ(s.RoundAvailability[Men][size_t(r)].count, c.counted[size_t(r - 1)]) << c.code << " round " << r;
        }
    }
    // Numbered players ignore the codes.
    RecordingHost host;
    auto state = std::make_unique<ScheduleState>();
    ScheduleState& s = *state;
    s.Settings.ScheduleMode = ScheduleMode::Numbered;
    s.Run.NumMen = 1;
    s.TotalRounds = 2;
    s.PlayerTable[Men][1].PlayerCode = 'A' + 100;
    ScheduleEngine(s, host).BuildRoundAvailability(Men);
    EXPECT_EQ(s.RoundAvailability[Men][1].player[1], 24);
    EXPECT_EQ(s.RoundAvailability[Men][2].count, 0);
}

} // namespace
} // namespace tandemx::engine::testing
