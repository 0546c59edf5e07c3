// What the overview window takes from the core: titles, captions, hints, column layouts, the splitting
// of lines into rows and grid cells, and the preparation of an overview.
#include "OverviewFixture.h"
#include "messages/ScriptedMessages.h"
#include "overviews/Overview.h"
#include "overviews/OverviewTexts.h"

#include <gtest/gtest.h>

namespace tandemx::overviews {
namespace {

using namespace testing;

TEST(OverviewTexts, TitlesAndHeadings)
{
    EXPECT_EQ(overviewTitle(PairSchedule), "PAREN INDELING");
    EXPECT_EQ(overviewTitle(CourtSchedule), "BAAN SCHEMA");
    EXPECT_EQ(overviewTitle(TimesPlayedOverview), "AANTALMALEN  GESPEELD");
    EXPECT_EQ(overviewTitle(CrossTable), "KRUIS TABEL ");
    EXPECT_EQ(overviewTitle(ChangeGrid), "BAANSCHEMA BEWERKEN");
    EXPECT_EQ(overviewHeading(GamesOverview, 3), "UITVOER van GAMES, Match: 3");
    EXPECT_EQ(overviewHeading(CourtSchedule, 3), "BAAN SCHEMA");
    EXPECT_EQ(overviewHeadingWidth(GamesOverview), 250);
    EXPECT_EQ(overviewHeadingWidth(CrossTable), 225);
    EXPECT_STREQ(titleText(8), "SLEUTEL GEGEVENS");
    EXPECT_STREQ(titleText(14), "UITVOER van MATCHES");
    EXPECT_STREQ(titleText(15), "");
}

TEST(OverviewTexts, CaptionRowsAndCaptions)
{
    EXPECT_EQ(CaptionRow(PairSchedule, engine::ScheduleMode::Names), 1);
    EXPECT_EQ(CaptionRow(PairSchedule, engine::ScheduleMode::Numbered), 6);
    EXPECT_EQ(CaptionRow(GamesOverview, engine::ScheduleMode::Names), 10);
    EXPECT_EQ(CaptionRow(GamesOverview, engine::ScheduleMode::Numbered), 15);
    using Row = std::array<std::string, 7>;
    EXPECT_EQ(captionsFor(PairSchedule, engine::ScheduleMode::Numbered), (Row{"ronde", "Paar 1(1)", "Paar 1(2)", "tegen", "Paar 2(1)", "Paar2(1)", " Baan"}));
    EXPECT_EQ(captionsFor(TimesPlayedOverview, engine::ScheduleMode::Numbered), (Row{"Naam", "Index", "Aantal", "Naam", "Index", "Aantal", ""}));
    // The cross table keeps row 4 and the games overview row 10 in both modes.
    EXPECT_EQ(captionsFor(CrossTable, engine::ScheduleMode::Numbered), (Row{"Nr", "V.Achternaam", "ronde: ", "Nr", "", "", ""}));
    EXPECT_EQ(captionsFor(GamesOverview, engine::ScheduleMode::Numbered), (Row{"Voornaam", "Achternaam", "ronde : ", "", "", "", ""}));
    EXPECT_STREQ(captionText(5, 1), "Ix,Voornaam,Achternaam,ronde: ");
    EXPECT_STREQ(captionText(9, 3), "");
    EXPECT_STREQ(captionText(11, 1), "");
}

TEST(OverviewTexts, HintZones)
{
    struct Case {
        int kind, x, rounds;
        bool ladies;
        int zone;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, 3, true, 0, "Ronde "},
        {1, 54, 3, true, 0, "Ronde "},
        {1, 55, 3, true, -1, "Ronde "},
        {1, 58, 3, true, 1, "Eerste Tandem-paar"},
        {1, 300, 3, true, -1, "Ronde "},
        {1, 559, 3, true, 2, "Tweede Tandem-paar"},
        {1, 562, 3, true, -1, "Ronde "},
        {1, 563, 3, true, 3, "Speel-baan"},
        {2, 89, 3, true, 0, "Voornaam-"},
        {2, 93, 3, true, 1, "Achternaam Speler "},
        {2, 294, 3, true, 2, "Speelronde "},
        {2, 296, 3, true, -1, "Voornaam-"},
        {2, 298, 3, true, 3, "baan-nummer"},
        {10, 238, 3, true, 2, "Speelronde "},
        {3, 100, 3, true, 0, "Dames speler "},
        {3, 100, 3, false, 0, " Heren speler "},
        {3, 258, 3, true, 1, "Gespeeld aantal matches"},
        {3, 400, 3, true, 2, " Heren speler "},
        {3, 571, 3, true, -1, "Dames speler "},
        {3, 573, 3, true, 3, "Gespeeld aantal matches"},
        {4, 0, 3, true, -1, "Index"},
        {4, 39, 3, true, 0, "Index"},
        {4, 43, 3, true, 1, "Naam "},
        {4, 213, 3, true, 2, "Speelronde"},
        {4, 273, 3, true, 3, "Tegenspeler "},
        {4, 374, 3, true, 3, "Tegenspeler "},
        {4, 375, 3, true, -1, "Index"},
        {4, 378, 3, true, 4, "Meermaal (aantal)"},
        {4, 378, 4, true, 3, "Tegenspeler "},
        {5, 100, 3, true, -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hintZone(OverviewKind(c.kind), c.x, c.rounds), c.zone) << "kind " << c.kind << " x " << c.x;
        EXPECT_EQ(hint(OverviewKind(c.kind), c.x, c.rounds, c.ladies), c.text) << "kind " << c.kind << " x " << c.x;
    }
}

std::vector<int> widths(const OverviewLayout& layout)
{
    std::vector<int> result;
    for (const auto& column : layout.columns)
        result.push_back(column.width);
    return result;
}

std::vector<std::string> captions(const OverviewLayout& layout)
{
    std::vector<std::string> result;
    for (const auto& column : layout.columns)
        result.push_back(column.caption);
    return result;
}

TEST(OverviewLayout, PairSchedule)
{
    const OverviewLayout names = overviewLayout(PairSchedule, engine::ScheduleMode::Names, 3, 5, 4);
    EXPECT_EQ(widths(names), (std::vector<int>{55, 90, 140, 55, 90, 140, 45}));
    EXPECT_EQ(names.columns[0].align, ColumnAlign::Center);
    EXPECT_EQ(names.columns[1].align, ColumnAlign::Left);
    EXPECT_EQ(names.columns[6].align, ColumnAlign::Center);
    EXPECT_EQ(names.listWidth, 645);
    EXPECT_EQ(names.listHeight, 395);
    EXPECT_EQ(names.windowWidth, 720);
    EXPECT_EQ(names.windowHeight, 515);
    EXPECT_EQ(names.listLeft, 37);
    EXPECT_FALSE(names.useGrid);
    EXPECT_TRUE(names.printExportVisible);

    const OverviewLayout numbered = overviewLayout(PairSchedule, engine::ScheduleMode::Numbered, 3, 5, 4);
    EXPECT_EQ(widths(numbered), (std::vector<int>{80, 80, 80, 55, 80, 80, 55}));
    EXPECT_EQ(captions(numbered)[6], " Baan");
    EXPECT_EQ(numbered.listWidth, 550);
}

TEST(OverviewLayout, RoundColumns)
{
    const OverviewLayout court = overviewLayout(CourtSchedule, engine::ScheduleMode::Names, 6, 5, 4);
    EXPECT_EQ(captions(court),
              (std::vector<std::string>{"Voornaam", "Achternaam", "ronde : ", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(widths(court), (std::vector<int>{90, 145, 60, 35, 35, 35, 35, 35, 35}));
    EXPECT_EQ(court.columns[3].align, ColumnAlign::Center);
    EXPECT_EQ(court.listWidth, 535);
    EXPECT_EQ(court.listHeight, 384);
    EXPECT_EQ(court.windowHeight, 504);

    const OverviewLayout games = overviewLayout(GamesOverview, engine::ScheduleMode::Numbered, 10, 5, 4);
    EXPECT_EQ(games.columns.size(), 14u);
    EXPECT_EQ(games.columns[0].caption, "Voornaam");
    EXPECT_EQ(games.columns[0].width, 60);
    EXPECT_EQ(games.columns.back().caption, "Som");
    EXPECT_EQ(games.columns.back().width, 45);
    EXPECT_EQ(games.listWidth, 605);
    EXPECT_EQ(games.listHeight, 366);
    EXPECT_EQ(games.windowWidth, 720);

    const OverviewLayout cross = overviewLayout(CrossTable, engine::ScheduleMode::Numbered, 24, 5, 4);
    EXPECT_EQ(captions(cross)[1], "V.Achternaam");
    EXPECT_EQ(cross.columns[1].width, 50);
    EXPECT_EQ(cross.columns.size(), 3u + 24u + 1u);
    EXPECT_EQ(cross.columns.back().caption, "N2");
    EXPECT_EQ(cross.columns.back().width, 80);
    EXPECT_EQ(cross.listWidth, 1100);
    EXPECT_EQ(cross.windowWidth, 1140);
    EXPECT_EQ(cross.listTop, 50);
    EXPECT_TRUE(cross.groupLabelVisible);
    EXPECT_EQ(cross.groupLabel, "Tegenspelers");
    EXPECT_EQ(cross.groupLabelTop, 30);
    EXPECT_EQ(cross.groupLabelLeft, 20 + 550);
}

TEST(OverviewLayout, TimesPlayedHalvesAndChangeGrid)
{
    const OverviewLayout both = overviewLayout(TimesPlayedOverview, engine::ScheduleMode::Names, 3, 5, 4);
    EXPECT_EQ(widths(both), (std::vector<int>{110, 145, 60, 110, 145, 60}));
    EXPECT_EQ(both.columns[2].align, ColumnAlign::Center);
    EXPECT_EQ(both.columns[5].align, ColumnAlign::Center);
    EXPECT_EQ(both.listWidth, 660);
    const OverviewLayout alone = overviewLayout(TimesPlayedOverview, engine::ScheduleMode::Numbered, 3, 0, 4);
    EXPECT_EQ(captions(alone), (std::vector<std::string>{"Naam", "Index", "Aantal"}));
    EXPECT_EQ(widths(alone), (std::vector<int>{70, 50, 50}));
    EXPECT_EQ(alone.listWidth, 200);

    const OverviewLayout grid = overviewLayout(ChangeGrid, engine::ScheduleMode::Names, 4, 5, 4);
    EXPECT_TRUE(grid.useGrid);
    EXPECT_FALSE(grid.printExportVisible);
    EXPECT_EQ(widths(grid), (std::vector<int>{50, 90, 145, 60, 30, 30, 30, 30}));
    EXPECT_EQ(grid.windowWidth, 560);
    EXPECT_EQ(grid.listHeight, 384);
    EXPECT_EQ(grid.windowHeight, 504);
}

TEST(LineSplitting, ListRowsAndCommaText)
{
    EXPECT_EQ(listRow("1,Jan,Vries,  ,Kees,de Wit,   7"),
              (std::vector<std::string>{"1", "Jan", "Vries", "  ", "Kees", "de Wit", "   7"}));
    EXPECT_EQ(listRow("    "), (std::vector<std::string>{"    "}));
    EXPECT_EQ(listRow("Kees,de Wit,   2,,"), (std::vector<std::string>{"Kees", "de Wit", "   2", "", ""}));

    struct Case {
        const char* line;
        std::vector<std::string> cells;
    };
    const Case cases[] = {
        {"Ix,Voornaam,Achternaam,ronde: ,1,2", {"Ix", "Voornaam", "Achternaam", "ronde:", "1", "2"}},
        {"HEREN  ", {"HEREN"}},
        {"5,Kees,de_Wit,_,7,-", {"5", "Kees", "de_Wit", "_", "7", "-"}},
        {"a b,,c", {"a", "b", "", "c"}},
        {",x", {"", "x"}},
        {"a,", {"a"}},
        {"\"a b\",c", {"a b", "c"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(commaTextCells(c.line), c.cells) << c.line;

    const OverviewLines lines = {"HEREN  ", "1,Bram,Bakker,_,7", "DAMES  ", "1,Ria,Berg,_,12"};
    const auto rows = changeGridRows(lines, "Ix,Voornaam,Achternaam,ronde: ,1");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"HEREN ", "Voornaam", "Achternaam", "ronde:", "1"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "Bram", "Bakker", "_", "7"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"DAMES"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"1", "Ria", "Berg", "_", "12"}));
}

TEST(PrepareOverview, BuilderChosenByCaptionRow)
{
    struct Case {
        int kind, mode;
        const char* secondLine;
    };
    const Case cases[] = {
        {1, 1, "1,Jan,Vries,  ,Kees,de Wit,   7"},
        {2, 1, "Bram,Bakker,,7,7,12"},
        {3, 1, "Bram,Bakker,   3,Ria,Berg,   3"},
        {4, 1, "1,J. Vries,,3,3,2,    3 ( 2)"},
        {5, 1, "1,Bram,Bakker,_,7,7,12"},
        {10, 1, "Bram,Bakker,,0,0,0,0"},
        {1, 2, "   1,   H 1,   H 2   ,,   H 3,   H 4,   7"},
        {2, 2, "Jan,Vries,,7,7,7"},
        {3, 2, "Jan,Vries,   3,Els,Kok,   3"},
        {4, 2, ",J. Vries,,3,3,2,    3 ( 2)"},
        {10, 2, "Jan,Vries,,0,0,0,0"},
    };
    for (const Case& c : cases) {
        auto s = smallEvening();
        s->Settings.ScheduleMode = engine::ScheduleMode(c.mode);
        const PreparedOverview prepared = prepareOverview(OverviewKind(c.kind), *s);
        ASSERT_TRUE(prepared.show);
        ASSERT_GE(prepared.lines.size(), 2u);
        EXPECT_EQ(prepared.lines[1], c.secondLine) << "kind " << c.kind << " mode " << c.mode;
        EXPECT_EQ(prepared.captionRow, c.kind + 5 * (c.mode - 1));
    }
}

TEST(PrepareOverview, NoScheduleRefusedGridAndMessages)
{
    ScriptedMessageSink sink;
    Messages messages(sink);

    auto s = smallEvening();
    s->Settings.ScheduleMode = engine::ScheduleMode::None;
    s->PlayerCourtTable[Men][1].player[1] = 9;
    const PreparedOverview none = prepareOverview(CourtSchedule, *s, messageHooks(messages));
    EXPECT_FALSE(none.show);
    EXPECT_TRUE(none.lines.empty());
    EXPECT_EQ(s->PlayerCourtTable[Men][1].player[1], 9); // tables untouched
    EXPECT_TRUE(sink.shown.empty());

    s->Settings.ScheduleMode = engine::ScheduleMode::Numbered;
    const PreparedOverview refused = prepareOverview(ChangeGrid, *s, messageHooks(messages));
    EXPECT_FALSE(refused.show);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Alleen mogelijk voor Schema Op Naam ");
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_EQ(sink.shown[0].buttons, Btn::OK);

    sink.shown.clear();
    s->Settings.ScheduleMode = engine::ScheduleMode::Names;
    setCourt(*s, 1, 2, 1, 2, 0, 4);
    const PreparedOverview grid =
        prepareOverview(ChangeGrid, *s, groupHeadings(*s), messageHooks(messages), 0);
    ASSERT_TRUE(grid.show);
    EXPECT_EQ(grid.heading, "BAANSCHEMA BEWERKEN");
    EXPECT_EQ(grid.gridHeader, "Ix,Voornaam,Achternaam,ronde: ,1,2,3");
    EXPECT_TRUE(grid.layout.useGrid);
    ASSERT_EQ(sink.shown.size(), 1u); // the overview is still built after the error
    EXPECT_EQ(sink.shown[0].text, "Geen baanpaar op baan:  2 in ronde: 1");
    EXPECT_EQ(sink.shown[0].kind, Error);

    EXPECT_FALSE(prepareOverview(OverviewKind(6), *s).show); // not an overview kind

    sink.shown.clear();
    const PreparedOverview games = prepareOverview(GamesOverview, *s, {}, 4);
    EXPECT_EQ(games.heading, "UITVOER van GAMES, Match: 4");
    EXPECT_EQ(games.headingWidth, 250);
}

TEST(PrepareOverview, LinesAsDisplayText)
{
    auto s = smallEvening();
    setName(*s, Men, 1, "J\xE9r\xF4me", "Vries");
    const PreparedOverview prepared = prepareOverview(CourtSchedule, *s);
    const QStringList texts = lineTexts(prepared.lines);
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Jérôme,Vries,,7,7,7")));
}

} // namespace
} // namespace tandemx::overviews
