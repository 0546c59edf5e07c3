// Page layout of the member list and overview printouts on a recording canvas.
#include "RecordingCanvas.h"

#include "printing/MemberListPrint.h"
#include "printing/OverviewPrint.h"

#include <gtest/gtest.h>

#include <limits>

namespace tandemx::printing {
namespace {

using test::RecordingCanvas;

MemberListDocument members(int count)
{
    MemberListDocument doc;
    doc.caption = QStringLiteral("Tennis TandemX");
    doc.fileName = QStringLiteral("club");
    doc.screenWidths = {40, 90, 140, 30, 40, 120};
    doc.rows.push_back({QStringLiteral("ClubNr"), QStringLiteral("Voornaam"), QStringLiteral("Achternaam"),
                        QStringLiteral("Grp"), QStringLiteral("Actie"), QStringLiteral("Opmerking")});
    for (int i = 1; i <= count; ++i)
        doc.rows.push_back({QStringLiteral("m%1").arg(i), QStringLiteral("Voor"), QStringLiteral("Achter"),
                            QStringLiteral("h"), QStringLiteral("1"), QString()});
    return doc;
}

QByteArray bytesOf(const PrintSettings& s)
{
    QByteArray bytes(PrintSettings::Size, '\0');
    s.toBytes(reinterpret_cast<uint8_t*>(bytes.data()));
    return bytes;
}

PrintSettings settingsWith(uint16_t flags, uint16_t pageLength)
{
    PrintSettings s = PrintSettings::defaults();
    s.printFlags = flags;
    s.pageLength = pageLength;
    return s;
}

TEST(MemberListPrint, PageBreaksByOrientation)
{
    struct Case {
        uint16_t flags;
        uint16_t pageLength;
        int members;
        int onFirstPage;
        int pages;
    };
    const Case cases[] = {
        {PrintFlag::Defaults, 61, 100, 56, 2},
        {PrintFlag::Landscape, 61, 100, 39, 3},
        {PrintFlag::Defaults, 61, 20, 20, 1},
        // The last row fills page 1: page 2 gets only its title block and the closing rule.
        {PrintFlag::Defaults, 61, 56, 56, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " members " << c.members);
        RecordingCanvas canvas;
        PrintSettings s = settingsWith(c.flags, c.pageLength);
        const PrintMetrics m = setUpMetrics(canvas, s, false);
        EXPECT_EQ(printMemberList(canvas, s, m, members(c.members)), c.pages);
        EXPECT_EQ(int(canvas.textsOn(0, QStringLiteral("m")).size()), c.onFirstPage);
        EXPECT_EQ(canvas.page + 1, c.pages);
        // Every page starts with the caption, the file name and " Nr." above the first column.
        for (int p = 0; p < c.pages; ++p) {
            EXPECT_EQ(canvas.textsOn(p, QStringLiteral("Tennis TandemX")).size(), 1u);
            EXPECT_EQ(canvas.textsOn(p, QStringLiteral(" Nr.")).size(), 1u);
        }
    }
}

TEST(MemberListPrint, LayoutOfTitleAndRows)
{
    RecordingCanvas canvas;
    // Margins and line height the user set for the overviews.
    PrintSettings s = settingsWith(PrintFlag::Defaults, 61);
    s.leftMargin = 244;
    s.topMargin = 146;
    s.lineHeight = 77;
    const QByteArray before = bytesOf(s);
    const PrintMetrics m = setUpMetrics(canvas, s, false);
    ASSERT_EQ(m.lineHeight, 49); // 10 points at 300 ppi: height 41, x 1.2
    printMemberList(canvas, s, m, members(2));
    // The list is laid out with a left margin of 3 x CharWidth and the measured line height; the
    // settings keep what the user set.
    EXPECT_EQ(bytesOf(s), before);
    const int left = 3 * m.charWidth;
    const auto caption = canvas.textsOn(0, QStringLiteral("Tennis"));
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].x, left);
    EXPECT_EQ(caption[0].y, 2 * 49);
    const auto file = canvas.textsOn(0, QStringLiteral("club"));
    ASSERT_EQ(file.size(), 1u);
    EXPECT_EQ(file[0].x, left + 140 + left);
    // Title row at y = 4 line heights, the member rows one line apart after a half-line rule.
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral(" Nr."))[0].y, 4 * 49);
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("m1"))[0].y, 5 * 49 + 24);
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("m2"))[0].y, 6 * 49 + 24);
    // A bar before each of the six columns, none after the last; columns 2480 x width / 800 apart.
    std::vector<int> bars;
    for (const auto& t : canvas.textsOn(0, QStringLiteral("|")))
        if (t.y == 5 * 49 + 24)
            bars.push_back(t.x);
    const int w0 = 2480 * 40 / 800;
    ASSERT_EQ(bars.size(), 6u);
    EXPECT_EQ(bars[0], left - m.charWidth);
    EXPECT_EQ(bars[1], left + w0 - m.charWidth);
    // The rule under the titles and the closing rule run to the end of the last column.
    ASSERT_EQ(canvas.lines.size(), 2u);
    const int right = left + 124 + 279 + 434 + 93 + 124 + 372; // each width truncated on its own
    EXPECT_EQ(canvas.lines[0].x1, left);
    EXPECT_EQ(canvas.lines[0].x2, right);
    EXPECT_EQ(canvas.lines[1].y1, 7 * 49 + 24);
}

OverviewDocument overview(int rows)
{
    OverviewDocument doc;
    doc.kind = overviews::CourtSchedule;
    doc.rounds = 2;
    doc.clubName = "TC De Baan";
    doc.title = "BAANSCHEMA";
    doc.columns = {{QStringLiteral("Voornaam"), 90}, {QStringLiteral("Achternaam"), 145}, {QStringLiteral("Nr"), 60},
                   {QStringLiteral("1"), 35}, {QStringLiteral("2"), 35}};
    doc.header.numMen = 10;
    doc.header.numLadies = 8;
    doc.header.numCourts = 4;
    doc.header.doublesRounds = 2;
    doc.header.mixedRounds = 1;
    doc.header.mixedCourts = {4};
    doc.header.playDate = QDate(2026, 3, 7);
    for (int i = 1; i <= rows; ++i)
        doc.rows.push_back({QStringLiteral("r%1").arg(i), QStringLiteral("Naam"), QString(), QStringLiteral("1"),
                            QStringLiteral("2")});
    return doc;
}

TEST(OverviewPrint, PageBreaks)
{
    struct Case {
        const char* name;
        uint16_t flags;
        uint16_t pageLength;
        int rows;
        std::vector<int> perPage; // rows on each page
    };
    // Title block and column header count 6 lines; the header with one mixed round 8 more.
    const Case cases[] = {
        {"portrait 61", 0, 61, 100, {54, 46}},
        {"portrait 61, titles on every page", PrintFlag::Title, 61, 100, {54, 46}},
        {"landscape 62: 44 counted lines", PrintFlag::Landscape, 62, 50, {38, 12}},
        {"header", PrintFlag::Header, 61, 50, {46, 4}},
        {"header and titles", PrintFlag::Header | PrintFlag::Title, 61, 60, {46, 14}},
        // Above 998: down to the bottom margin, (3508 - 118) / 49 lines.
        {"to the bottom margin", 0, 999, 100, {64, 36}},
        {"last row fills page 1", 0, 61, 54, {54}},
        {"one row more", PrintFlag::Title, 61, 55, {54, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        const PrintSettings s = settingsWith(c.flags, c.pageLength);
        const PrintMetrics m = setUpMetrics(canvas, s, false);
        const int pages = printOverview(canvas, s, m, overview(c.rows));
        ASSERT_EQ(pages, int(c.perPage.size()));
        for (int p = 0; p < pages; ++p) {
            EXPECT_EQ(int(canvas.textsOn(p, QStringLiteral("r")).size()), c.perPage[size_t(p)]) << "page " << p;
            // Page numbers at the foot of every page.
            EXPECT_EQ(canvas.textsOn(p, QStringLiteral("-%1-").arg(p + 1)).size(), 1u);
            const bool titled = p == 0 || (c.flags & PrintFlag::Title);
            EXPECT_EQ(canvas.textsOn(p, QStringLiteral("BAANSCHEMA")).size(), titled ? 1u : 0u) << "page " << p;
            EXPECT_EQ(canvas.textsOn(p, QStringLiteral(" U heeft gekozen voor :")).size(),
                      (c.flags & PrintFlag::Header) ? 1u : 0u);
        }
    }
}

TEST(OverviewPrint, RowsColumnsRulesFooterAndOwner)
{
    RecordingCanvas canvas;
    PrintSettings s = settingsWith(PrintFlag::Owner, 61);
    s.personalData = {"Jan Jansen", "Dorpsstraat 1", "1234 AB", "Ons Dorp", "0123-456789"};
    const PrintMetrics m = setUpMetrics(canvas, s, false);
    OverviewDocument doc = overview(2);
    doc.rows.insert(doc.rows.begin() + 1, {QStringLiteral("-------"), QStringLiteral("-----")}); // a dash row
    doc.rows.push_back({QString()});                                                               // an inserted row
    printOverview(canvas, s, m, doc);

    const int left = 118, lh = 49;
    const int total = 2480 * 90 / 800 + 2480 * 145 / 800 + 2480 * 60 / 800 + 2 * (2480 * 35 / 800);
    // Club name, title and " " from the top margin; then rule, captions, rule.
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("TC De Baan"))[0].y, 177);
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("BAANSCHEMA"))[0].y, 177 + lh);
    const auto achternaam = canvas.textsOn(0, QStringLiteral("Achternaam"));
    ASSERT_EQ(achternaam.size(), 1u);
    EXPECT_EQ(achternaam[0].x, left + 2480 * 90 / 800);
    EXPECT_EQ(achternaam[0].y, 177 + 3 * lh + lh / 2);
    // The dash row is a rule, not a text; the inserted row prints only its bars.
    EXPECT_TRUE(canvas.textsOn(0, QStringLiteral("---")).empty());
    ASSERT_EQ(canvas.lines.size(), 3u);
    for (const auto& l : canvas.lines) {
        EXPECT_EQ(l.x1, left);
        EXPECT_EQ(l.x2, left + total);
    }
    const int r1 = 177 + 4 * lh + 2 * (lh / 2);
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("r1"))[0].y, r1);
    EXPECT_EQ(canvas.lines[2].y1, r1 + lh);
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("r2"))[0].y, r1 + lh + lh / 2);
    int barsOfInserted = 0;
    for (const auto& t : canvas.textsOn(0, QStringLiteral("|")))
        barsOfInserted += t.y == r1 + 2 * lh + lh / 2;
    EXPECT_EQ(barsOfInserted, 2);
    // Footer right of the table, then the owner one line further, one item per line.
    const auto footer = canvas.textsOn(0, QStringLiteral("-1-"));
    ASSERT_EQ(footer.size(), 1u);
    EXPECT_EQ(footer[0].x, left + total - 30);
    EXPECT_EQ(footer[0].y, r1 + 3 * lh + lh / 2);
    const auto place = canvas.textsOn(0, QStringLiteral("1234 AB"));
    ASSERT_EQ(place.size(), 1u);
    EXPECT_EQ(place[0].text, QStringLiteral("1234 AB   Ons Dorp"));
    EXPECT_EQ(canvas.textsOn(0, QStringLiteral("Jan Jansen"))[0].y, footer[0].y + lh);
    EXPECT_EQ(place[0].y, footer[0].y + 3 * lh);
}

TEST(OverviewPrint, SelectionHeaderTexts)
{
    SelectionHeader h;
    h.group1Code = QStringLiteral("Hr");
    h.group2Code = QStringLiteral("G2");
    h.numMen = 12;
    h.numLadies = 9;
    h.numCourts = 5;
    h.doublesRounds = 4;
    h.mixedRounds = 2;
    h.mixedCourts = {5, 4};
    h.playDate = QDate(2026, 3, 7);
    EXPECT_EQ(selectionHeaderLines(h),
              QStringList({QStringLiteral(" U heeft gekozen voor :"), QStringLiteral(" Aantal heren = 12"),
                           QStringLiteral(" Aantal spelers in Groep G2 = 9"), QStringLiteral(" Aantalbanen  = 5"),
                           QStringLiteral(" Aantaltandem = 4   Aantal Gemengd tandem = 2"),
                           QStringLiteral(" Aantalbanen Gemengd Tandem(1) = 5"),
                           QStringLiteral(" Aantalbanen Gemengd Tandem(2) = 4"), QStringLiteral(" Datum : 7-3-2026")}));
}

TEST(PrintMetrics, MeasuresAndMendsDamagedSettings)
{
    RecordingCanvas canvas(2480, 3508, 300);
    PrintSettings s = PrintSettings::defaults();
    PrintMetrics m = setUpMetrics(canvas, s, false);
    EXPECT_EQ(canvas.fontFamily, QStringLiteral("MS Sans-Serif"));
    EXPECT_EQ(canvas.fontPixels, 41);
    EXPECT_EQ(m.lineHeight, 49);
    EXPECT_EQ(m.linesPerPage, 3508 / 49);
    EXPECT_EQ(m.charWidth, 11);
    EXPECT_EQ(m.pixelsPer10mm, 2480 * 10 / 203);
    // The same paper turned: fewer lines a page, but millimetres and pixels convert as in portrait.
    RecordingCanvas turned(3508, 2480, 300);
    const PrintMetrics l = setUpMetrics(turned, s, false);
    EXPECT_EQ(l.linesPerPage, 2480 / 49);
    EXPECT_EQ(l.pixelsPer10mm, 2480 * 10 / 203);
    // A chosen print font is used once it is set up.
    s.printFontName = "Arial";
    s.printFontSize = 12;
    m = setUpMetrics(canvas, s, true);
    EXPECT_EQ(canvas.fontFamily, QStringLiteral("Arial"));
    EXPECT_EQ(m.lineHeight, 60);

    // Zeros from a damaged key-data file: nothing divides by zero.
    RecordingCanvas empty(0, 0, 0);
    m = setUpMetrics(empty, s, true);
    EXPECT_EQ(m.lineHeight, 50);
    EXPECT_EQ(m.pixelsPer10mm, 118);
    PrintSettings damaged = s;
    damaged.textFontSize = 0;
    damaged.lineHeight = 0;
    EXPECT_EQ(exportIndent(damaged), 11);
    EXPECT_EQ(recomputedPageLength(damaged, 66), 66 - (177 + 118) / 50);
    EXPECT_EQ(pixelsToMm(118, 0), 10);
    EXPECT_EQ(damaged.textFontSize, 0); // the settings themselves are kept
}

TEST(PrintMetrics, ConversionsAndPageLength)
{
    EXPECT_EQ(mmToPixels(10, 118), 118);
    EXPECT_EQ(pixelsToMm(118, 118), 10);
    EXPECT_EQ(mmToPixels(15, 118), 177);
    EXPECT_EQ(pixelsToMm(177, 118), 15);
    // Typed margins of any size: no overflow, the result saturates.
    EXPECT_EQ(mmToPixels(1601029350, 122), std::numeric_limits<int>::max());
    EXPECT_EQ(mmToPixels(-2147483647 - 1, 118), std::numeric_limits<int>::min());
    EXPECT_EQ(mmToPixels(2147483647, 1), 214748364);
    EXPECT_EQ(pixelsToMm(100, 118), 8); // 8.47 rounds down
    EXPECT_EQ(pixelsToMm(112, 118), 9); // 9.49
    EXPECT_EQ(pixelsToMm(113, 118), 10); // 9.58
    const PrintSettings s = PrintSettings::defaults();
    EXPECT_EQ(recomputedPageLength(s, 66), 61);
    EXPECT_EQ(pageScale(s), 100);
    PrintSettings l = s;
    l.printFlags |= PrintFlag::Landscape;
    EXPECT_EQ(pageScale(l), 140);
}

} // namespace
} // namespace tandemx::printing
