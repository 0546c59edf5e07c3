// Court kinds, players and names of the game input, and where the typed games go.
#include "matches/GameInput.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tandemx;
using engine::LadiesDoubles;
using engine::MenDoubles;
using engine::MixedDoubles;

namespace {

void setName(engine::ScheduleState& s, int gender, int number, const char* first, const char* last)
{
    auto& entry = s.PlayerTable[size_t(gender)][size_t(number)];
    entry.firstName.assign((std::string(first) + std::string(24, ' ')).substr(0, 24));
    entry.lastName.assign((std::string(last) + std::string(40, ' ')).substr(0, 40));
}

} // namespace

TEST(GameInput, CourtKindsFollowTheRangesOfTheRound)
{
    auto s = std::make_unique<engine::ScheduleState>();
    s->Run.NumDoublesRounds = 3;
    s->Run.NumMixedRounds = 1;
    // Round 1: men on 1-2, ladies on 3. Round 2: only ladies. Round 3: only men. Round 4: mixed.
    s->ScheduleTable[1].range = {engine::CourtRange{1, 2}, engine::CourtRange{3, 3}, engine::CourtRange{}};
    s->ScheduleTable[2].range = {engine::CourtRange{}, engine::CourtRange{1, 3}, engine::CourtRange{}};
    s->ScheduleTable[3].range = {engine::CourtRange{1, 3}, engine::CourtRange{}, engine::CourtRange{}};
    s->ScheduleTable[4].range = {engine::CourtRange{}, engine::CourtRange{}, engine::CourtRange{1, 3}};
    struct Case {
        bool ladiesFirst;
        int round, court, kind;
    };
    const Case cases[] = {
        {false, 1, 1, MenDoubles},    {false, 1, 2, MenDoubles},    {false, 1, 3, LadiesDoubles},
        {false, 2, 1, LadiesDoubles}, {false, 3, 3, MenDoubles},    {false, 4, 1, MixedDoubles},
        {false, 5, 1, MixedDoubles}, // a round of the match beyond the schedule
    };
    for (const Case& c : cases) {
        s->LadiesFirst = c.ladiesFirst;
        EXPECT_EQ(courtKind(*s, c.round, c.court), c.kind) << c.round << "/" << c.court;
    }
    // Ladies first: ladies on 1, men on 2-3.
    s->LadiesFirst = true;
    s->ScheduleTable[1].range = {engine::CourtRange{2, 3}, engine::CourtRange{1, 1}, engine::CourtRange{}};
    EXPECT_EQ(courtKind(*s, 1, 1), LadiesDoubles);
    EXPECT_EQ(courtKind(*s, 1, 2), MenDoubles);
    EXPECT_EQ(courtKind(*s, 1, 3), MenDoubles);
    // A round with neither men's nor ladies' courts within the doubles rounds is mixed.
    s->ScheduleTable[1].range = {engine::CourtRange{}, engine::CourtRange{}, engine::CourtRange{1, 2}};
    EXPECT_EQ(courtKind(*s, 1, 1), MixedDoubles);
}

TEST(GameInput, PlayersComeFromTheTableOfTheirPlace)
{
    auto s = std::make_unique<engine::ScheduleState>();
    s->Run.NumDoublesRounds = 1;
    setName(*s, engine::Men, 1, "Aart", "Vos");
    setName(*s, engine::Men, 2, "Bas", "de Boer");
    setName(*s, engine::Ladies, 1, "Ank", "Kok");
    setName(*s, engine::Ladies, 2, "\xc9lise", "  van Dam");
    s->ScheduleTable[1].range = {engine::CourtRange{1, 1}, engine::CourtRange{2, 2}, engine::CourtRange{}};
    s->ScheduleTable[1].court[1] = {1, 2, 2, 1};
    s->ScheduleTable[1].court[2] = {1, 2, 0, 0};
    s->ScheduleTable[2].range = {engine::CourtRange{}, engine::CourtRange{}, engine::CourtRange{1, 1}};
    s->ScheduleTable[2].court[1] = {1, 2, 2, 1};

    const CourtPlayers men = courtPlayers(*s, 1, 1);
    EXPECT_EQ(men.kind, MenDoubles);
    EXPECT_EQ(men.names, (std::array<QString, 4>{"A. Vos", "B. de Boer", "B. de Boer", "A. Vos"}));
    const CourtPlayers ladies = courtPlayers(*s, 1, 2);
    EXPECT_EQ(ladies.names, (std::array<QString, 4>{"A. Kok", QString::fromUtf8("É. van Dam"), "", ""}));
    const CourtPlayers mixed = courtPlayers(*s, 2, 1);
    EXPECT_EQ(mixed.kind, MixedDoubles);
    EXPECT_EQ(mixed.names, (std::array<QString, 4>{"A. Vos", QString::fromUtf8("É. van Dam"), "B. de Boer", "A. Kok"}));
    EXPECT_EQ(mixed.players, (std::array<int, 4>{1, 2, 2, 1}));
}

TEST(GameInput, GamesGoToThePairsOrToMenAndLadies)
{
    struct Case {
        int kind;
        uint16_t options;
        std::array<int16_t, 4> places;
    };
    const Case cases[] = {
        {MenDoubles, 0, {6, 6, 3, 3}},
        {MenDoubles, engine::PlayOption::GroupVsGroup, {6, 6, 3, 3}},
        {LadiesDoubles, engine::PlayOption::GroupVsGroup, {6, 6, 3, 3}},
        {MixedDoubles, 0, {6, 6, 3, 3}},
        {MixedDoubles, engine::PlayOption::GroupVsGroup, {6, 3, 6, 3}},
        {MixedDoubles, engine::PlayOption::GroupVsGroup | engine::PlayOption::LadiesFirst, {6, 3, 6, 3}},
        {MixedDoubles, engine::PlayOption::LadiesFirst | engine::PlayOption::VariedPairs, {6, 6, 3, 3}},
    };
    for (const Case& c : cases) {
        TScoreObj round;
        storeCourtGames(round, 7, c.kind, c.options, 6, 3);
        EXPECT_EQ((std::array<int16_t, 4>{round.at(7, 1), round.at(7, 2), round.at(7, 3), round.at(7, 4)}), c.places)
            << c.kind << " " << c.options;
        EXPECT_EQ(round.at(6, 4), 0);
        EXPECT_EQ(round.at(8, 1), 0);
    }
}
