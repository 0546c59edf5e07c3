// Swapping two players by hand in the change grid: the clicks and Enter, the group and row arithmetic,
// court codes, and what the swap does to the ScheduleTable, TimesPlayed and the PlayerCourtTable.
//
// The small evening's change grid (court positions 1 and 2 carry the codes 7 and 12):
//   row  1 Bram Bakker (man 4)   7  7 12        row  6 "DAMES"
//   row  2 Piet Bakker (man 2)   7  - 7         row  7 Ria Berg (lady 3)   12 12 12
//   row  3 Jan Vries   (man 1)   7  7 7         row  8 Els Kok  (lady 1)   12 12 7
//   row  4 Ed Zwart    (man 5)   -  7 12        row  9 Lot Kok  (lady 4)   12 12 12
//   row  5 Kees de Wit (man 3)   7  7 -         row 10 Mia Smit (lady 2)   12 12 7
#include "OverviewFixture.h"
#include "messages/ScriptedMessages.h"
#include "overviews/Overview.h"
#include "overviews/OverviewTexts.h"
#include "overviews/ScheduleChange.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tandemx::overviews {
namespace {

using namespace testing;

const QString Kolom = QStringLiteral("Alleen voor de kolommen \"ronde\"");

struct Fixture {
    std::unique_ptr<ScheduleState> s = smallEvening();
    ScriptedMessageSink sink;
    Messages messages{sink};
    std::vector<std::vector<std::string>> grid;

    Fixture()
    {
        sink.onUnexpected([](const ScriptedMessageSink::Shown& m) { ADD_FAILURE() << "unexpected: " << m.text.toStdString(); });
    }
    // Builds the change grid as the window does.
    void open()
    {
        PreparedOverview p = prepareOverview(ChangeGrid, *s);
        ASSERT_TRUE(p.show);
        grid = changeGridRows(p.lines, p.gridHeader);
    }
    std::string cell(int row, int column) const
    {
        const auto& cells = grid.at(size_t(row));
        return size_t(column) < cells.size() ? cells[size_t(column)] : std::string();
    }
    int court(int gender, int round, int player) const
    {
        return s->PlayerCourtTable[size_t(gender)][size_t(round)].player[size_t(player)];
    }
    int played(int gender, int player) const { return s->Counters[size_t(gender)].TimesPlayed[size_t(player)]; }
    std::array<uint8_t, 4> places(int round, int court) const { return s->ScheduleTable[size_t(round)].court[size_t(court)]; }
};

const CourtCoding Coded{true, 2};

TEST(ScheduleChange, GridRowsAsTheChangeWorksOnThem)
{
    Fixture f;
    f.open();
    EXPECT_EQ(f.grid[0], (std::vector<std::string>{"HEREN ", "Voornaam", "Achternaam", "ronde:", "1", "2", "3"}));
    EXPECT_EQ(f.grid[1], (std::vector<std::string>{"1", "Bram", "Bakker", "_", "7", "7", "12"}));
    EXPECT_EQ(f.grid[4], (std::vector<std::string>{"4", "Ed", "Zwart", "_", "-", "7", "12"}));
    EXPECT_EQ(f.grid[6], (std::vector<std::string>{"DAMES"}));
    EXPECT_EQ(f.grid[8], (std::vector<std::string>{"2", "Els", "Kok", "_", "12", "12", "7"}));
}

// A player who sits out swapped with one on a court, with the men's list first and with the ladies'
// list first (the men's rows then lie below the ladies' and their heading).
TEST(ScheduleChange, SitOutSwappedWithAPlayerOnACourt)
{
    for (bool ladiesFirst : {false, true}) {
        SCOPED_TRACE(ladiesFirst ? "ladies first" : "men first");
        Fixture f;
        f.s->LadiesFirst = ladiesFirst;
        f.open();
        const int ed = ladiesFirst ? 9 : 4;   // "-" in round 1
        const int bram = ladiesFirst ? 6 : 1; // "7" in round 1
        ASSERT_EQ(f.cell(ed, 1), "Ed");
        ASSERT_EQ(f.cell(bram, 1), "Bram");

        ScheduleChange change;
        EXPECT_EQ(change.click(ed, 4, f.cell(ed, 4), f.messages), ScheduleChange::Click::First);
        EXPECT_EQ(change.guideText(), "Klik  nu de andere baan");
        EXPECT_EQ(change.click(bram, 4, f.cell(bram, 4), f.messages), ScheduleChange::Click::Second);
        EXPECT_EQ(change.guideText(), "Toets <Enter> voor baan verwisselen");
        EXPECT_TRUE(change.active());

        f.sink.expect(Result::Ok);
        const auto cells = change.enter(4, *f.s, Coded, f.messages);
        EXPECT_EQ(cells, (std::vector<CellUpdate>{{ed, 4, "7"}, {bram, 4, "-"}}));
        EXPECT_EQ(f.sink.shown.back().text,
                  QStringLiteral("Wissel paar: %1 op baan: 0\r    met paar: %2 op baan: 7").arg(ed).arg(bram));
        EXPECT_EQ(f.sink.shown.back().kind, Information);
        EXPECT_FALSE(change.active());
        EXPECT_EQ(change.guideText(), "");

        EXPECT_EQ(f.places(1, 1), (std::array<uint8_t, 4>{1, 2, 3, 5}));
        EXPECT_EQ(f.played(Men, 5), 3);
        EXPECT_EQ(f.played(Men, 4), 2);
        EXPECT_EQ(f.court(Men, 1, 5), 1);
        EXPECT_EQ(f.court(Men, 1, 4), 0);
        // Reopening shows the swap.
        f.open();
        EXPECT_EQ(f.cell(ed, 4), "7");
        EXPECT_EQ(f.cell(bram, 4), "-");
        const OverviewLines court = buildOverview(CourtSchedule, *f.s);
        EXPECT_NE(std::find(court.begin(), court.end(), "Ed,Zwart,,7,7,12"), court.end());
        EXPECT_NE(std::find(court.begin(), court.end(), "Bram,Bakker,,-,7,12"), court.end());
    }
}

// An evening of men only with "Dames op de 1e banen" set: the grid holds the men's rows alone.
TEST(ScheduleChange, OneListOnlyWithTheOtherListedFirst)
{
    Fixture f;
    f.s->Run.NumLadies = 0;
    f.s->Run.NumMixedRounds = 0;
    f.s->LadiesFirst = true;
    f.open();
    ASSERT_EQ(f.grid.size(), 6u);
    ASSERT_EQ(f.cell(4, 1), "Ed");
    ASSERT_EQ(f.cell(1, 1), "Bram");
    ScheduleChange change;
    change.click(4, 4, f.cell(4, 4), f.messages);
    change.click(1, 4, f.cell(1, 4), f.messages);
    f.sink.expect(Result::Ok);
    EXPECT_EQ(change.enter(4, *f.s, Coded, f.messages), (std::vector<CellUpdate>{{4, 4, "7"}, {1, 4, "-"}}));
    EXPECT_EQ(f.places(1, 1), (std::array<uint8_t, 4>{1, 2, 3, 5}));
}

// In a mixed round only the places of the group move: man 2 and lady 2 share court 1, and swapping
// the man must leave the lady where she is.
TEST(ScheduleChange, MixedRoundMovesMenBetweenTheMensPlaces)
{
    Fixture f;
    f.open();
    ScheduleChange change;
    change.click(2, 6, f.cell(2, 6), f.messages); // Piet, "7"
    change.click(1, 6, f.cell(1, 6), f.messages); // Bram, "12"
    f.sink.expect(Result::Ok);
    EXPECT_EQ(change.enter(6, *f.s, Coded, f.messages), (std::vector<CellUpdate>{{2, 6, "12"}, {1, 6, "7"}}));
    EXPECT_EQ(f.places(3, 1), (std::array<uint8_t, 4>{1, 1, 4, 2}));
    EXPECT_EQ(f.places(3, 2), (std::array<uint8_t, 4>{2, 3, 5, 4}));
    EXPECT_EQ(f.played(Men, 2), 2);
    EXPECT_EQ(f.played(Men, 4), 3);
    EXPECT_EQ(f.court(Men, 3, 2), 2);
    EXPECT_EQ(f.court(Men, 3, 4), 1);
    EXPECT_EQ(f.court(Ladies, 3, 2), 1);
}

// The cases that change nothing: the message (if any) and untouched tables.
TEST(ScheduleChange, RefusedChangesLeaveTheTables)
{
    struct Case {
        const char* what;
        ChangeSlot slot1, slot2;
        int column;
        CourtCoding coding;
        const char* message; // nullptr: nothing is shown
    };
    const char* noChange = "Wijziging niet gelukt";
    const char* ladyMan = "Verwisselen dame <--> heer niet toegestaan";
    const Case cases[] = {
        {"two players on the same court", {"7", 3}, {"7", 2}, 4, Coded, nullptr},
        {"a lady and a man", {"7", 1}, {"12", 8}, 4, Coded, ladyMan},
        {"a man and a lady, second first", {"12", 8}, {"7", 1}, 4, Coded, ladyMan},
        {"the ladies' heading row", {"0", 6}, {"12", 7}, 4, Coded, ladyMan},
        {"a text that is no number", {"7x", 1}, {"0", 4}, 4, Coded, nullptr},
        {"codes without court coding are positions", {"0", 4}, {"7", 1}, 4, CourtCoding{}, noChange},
        {"the players are not on those courts", {"0", 1}, {"7", 4}, 4, Coded, noChange},
        {"two codes of one court", {"7", 1}, {"1", 2}, 6, Coded, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.open();
        const auto table = f.s->ScheduleTable;
        const auto counters = f.s->Counters[Men].TimesPlayed;
        const auto courts = f.s->PlayerCourtTable;
        if (c.message)
            f.sink.expect(Result::Ok);
        EXPECT_TRUE(applyChange(*f.s, c.coding, c.slot1, c.slot2, c.column, f.messages).empty());
        if (c.message) {
            ASSERT_EQ(f.sink.shown.size(), 1u);
            EXPECT_EQ(f.sink.shown[0].text, QString::fromLatin1(c.message));
            EXPECT_EQ(f.sink.shown[0].kind, Error); // refusals and failures alike
        } else {
            EXPECT_TRUE(f.sink.shown.empty());
        }
        EXPECT_TRUE(std::memcmp(&table, &f.s->ScheduleTable, sizeof table) == 0);
        EXPECT_EQ(counters, f.s->Counters[Men].TimesPlayed);
        EXPECT_TRUE(std::memcmp(&courts, &f.s->PlayerCourtTable, sizeof courts) == 0);
    }
}

// A code that is not in the court table is taken as a court position.
TEST(ScheduleChange, CourtCodes)
{
    Fixture f;
    EXPECT_EQ(courtPosition(*f.s, Coded, 12), 2);
    EXPECT_EQ(courtPosition(*f.s, Coded, 7), 1);
    EXPECT_EQ(courtPosition(*f.s, Coded, 1), 1);
    EXPECT_EQ(courtPosition(*f.s, Coded, 0), 0);
    EXPECT_EQ(courtPosition(*f.s, CourtCoding{}, 12), 12);
    f.s->CourtCodes[2] = 7; // the first position holding a code wins
    EXPECT_EQ(courtPosition(*f.s, Coded, 7), 1);

    Fixture g;
    g.open();
    g.sink.expect(Result::Ok);
    // Piet on court position 1 ("1" is no code) with Bram on code 12 in the mixed round.
    EXPECT_EQ(applyChange(*g.s, Coded, {"1", 2}, {"12", 1}, 6, g.messages).size(), 2u);
    EXPECT_EQ(g.places(3, 1), (std::array<uint8_t, 4>{1, 1, 4, 2}));
    EXPECT_EQ(g.places(3, 2), (std::array<uint8_t, 4>{2, 3, 5, 4}));
}

TEST(ScheduleChange, ClicksAndEnter)
{
    Fixture f;
    f.open();
    ScheduleChange change;

    // Outside the round columns: information only.
    f.sink.expect(Result::Ok);
    EXPECT_EQ(change.click(1, 2, f.cell(1, 2), f.messages), ScheduleChange::Click::OutsideRounds);
    EXPECT_EQ(f.sink.shown.back().text, Kolom);
    EXPECT_EQ(change.counter(), 0);
    EXPECT_FALSE(change.active());

    // A second click in another round column: message 10 with its text; Enter then does nothing and
    // the next click is a first click again.
    change.click(4, 4, f.cell(4, 4), f.messages);
    EXPECT_EQ(change.slot(1).text, "0");
    EXPECT_EQ(change.slot(1).row, 4);
    f.sink.expect(Result::Ok);
    EXPECT_EQ(change.click(1, 5, f.cell(1, 5), f.messages), ScheduleChange::Click::OtherColumn);
    EXPECT_EQ(f.sink.shown.back().text, QStringLiteral("Kolom niet gelijk voor baan: 7"));
    EXPECT_EQ(f.sink.shown.back().kind, Error);
    EXPECT_FALSE(change.active());
    EXPECT_EQ(change.guideText(), "");
    EXPECT_EQ(change.counter(), 2);
    EXPECT_TRUE(change.enter(5, *f.s, Coded, f.messages).empty());
    EXPECT_EQ(change.click(1, 5, f.cell(1, 5), f.messages), ScheduleChange::Click::First);
    EXPECT_EQ(change.column(), 5);

    // Enter after one click waits for the second one.
    EXPECT_TRUE(change.enter(5, *f.s, Coded, f.messages).empty());
    EXPECT_TRUE(change.active());
    EXPECT_EQ(change.guideText(), "Klik  nu de andere baan");

    // Enter with the current cell outside the round columns: information, change state off.
    change.click(2, 5, f.cell(2, 5), f.messages);
    f.sink.expect(Result::Ok);
    EXPECT_TRUE(change.enter(1, *f.s, Coded, f.messages).empty());
    EXPECT_EQ(f.sink.shown.back().text, Kolom);
    EXPECT_FALSE(change.active());
    EXPECT_EQ(f.played(Men, 2), 2);

    // Opening an overview starts over.
    change.click(2, 5, f.cell(2, 5), f.messages);
    change.reset();
    EXPECT_EQ(change.counter(), 0);
    EXPECT_FALSE(change.active());
    EXPECT_TRUE(f.sink.allAnswersUsed());
}

TEST(ScheduleChange, SlotTexts)
{
    EXPECT_EQ(slotText(""), "0");
    EXPECT_EQ(slotText(" - "), "0");
    EXPECT_EQ(slotText(" 12 "), "12");
    EXPECT_EQ(slotText("1234567890123456"), "123456789012");
}

} // namespace
} // namespace tandemx::overviews
