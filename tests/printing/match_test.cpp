// The match printout and export of "UITVOER van MATCHES".
#include "RecordingCanvas.h"

#include "printing/MatchPrint.h"

#include <gtest/gtest.h>

namespace tandemx::printing {
namespace {

using test::RecordingCanvas;

// Three matches; `members` rows.
MatchDocument matches(int members)
{
    MatchDocument doc;
    doc.clubName = "TC De Baan";
    doc.screenWidths = {30, 40, 90, 120, 30, 30, 50, 50, 50, 50, 50};
    doc.headerCells = {"Ix", "Club", "Voornaam", "Achternaam", "Grp", "Actie", "Games", "Games", "Games",
                       "Tot.Gms", "Plaats"};
    doc.matchDates = {"07-01-26", "14-01-26", "21-01-26"};
    for (int r = 1; r <= members; ++r) {
        doc.rows.push_back({QString::number(r), QStringLiteral("m%1").arg(r), "Jan", "Smit", "h", "X", "5", "6", "7",
                            "18", "1"});
        doc.exportLines << QStringLiteral("%1,Jan,Smit,h,X,5,6,7,18,1").arg(100 + r);
    }
    return doc;
}

TEST(MatchExport, ExactLines)
{
    PrintSettings s = PrintSettings::defaults();
    MatchDocument doc = matches(2);
    const std::string in(11, ' ');
    EXPECT_EQ(exportMatches(doc, s).toStdString(),
              in + "TC De Baan\r\n" + in + "UITVOER van MATCHES\r\n" + in + " \r\n"
                  + in + " ClubNr.,Voornaam,Achternaam,Grp,Actie,Games,Games,Games,Tot.Gms,Plaats\r\n"
                  + "    ,07-01,14-01,21-01\r\n"
                  + in + "101,Jan,Smit,h,X,5,6,7,18,1\r\n" + in + "102,Jan,Smit,h,X,5,6,7,18,1\r\n");

    // The owner on one line, the items written one after another.
    s.printFlags |= PrintFlag::Owner;
    s.personalData = {"Jan Jansen", "Dorpsstraat 1", "1234 AB", "Ons Dorp", "0123-456789"};
    s.leftMargin = 50;
    const std::string text = exportMatches(doc, s).toStdString();
    EXPECT_TRUE(text.ends_with("\r\n     Jan JansenDorpsstraat 11234 AB   Ons Dorp0123-456789\r\n")) << text;
}

TEST(MatchPrint, HeaderRowsAndPages)
{
    RecordingCanvas canvas;
    PrintSettings s = PrintSettings::defaults();
    s.printFlags |= PrintFlag::Title;
    const PrintMetrics m = setUpMetrics(canvas, s, false);
    // 7 lines of title and column header; 60 - 7 = 53 rows on page 1, then 53 again with the titles.
    const MatchDocument doc = matches(110);
    EXPECT_EQ(printMatches(canvas, s, m, doc), 3);
    EXPECT_EQ(canvas.textsOn(0, "m").size(), 53u);
    EXPECT_EQ(canvas.textsOn(1, "m").size(), 53u);
    EXPECT_EQ(canvas.textsOn(2, "m").size(), 4u);
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(canvas.textsOn(p, MatchTitle).size(), 1u);
        EXPECT_EQ(canvas.textsOn(p, QStringLiteral("-%1-").arg(p + 1)).size(), 1u);
    }

    // The second header line: "|  Nr", then the day and month of each match over its games column.
    const int left = 118, cw = m.charWidth;
    const auto nr = canvas.textsOn(0, "|  Nr");
    ASSERT_EQ(nr.size(), 1u);
    EXPECT_EQ(nr[0].x, left - cw);
    const auto date = canvas.textsOn(0, "14-01");
    ASSERT_EQ(date.size(), 1u);
    const int games1 = left + 2480 * 40 / 800 + 2480 * 90 / 800 + 2480 * 120 / 800 + 2 * (2480 * 30 / 800);
    EXPECT_EQ(date[0].x, games1 + 2480 * 50 / 800);
    EXPECT_EQ(date[0].y, nr[0].y);
    // Both header lines close with "|" one character before the right edge of the last column, as
    // the member rows do.
    int right = left;
    for (size_t c = 1; c < doc.screenWidths.size(); ++c)
        right += 2480 * doc.screenWidths[c] / 800;
    const auto titles = canvas.textsOn(0, "Club");
    ASSERT_EQ(titles.size(), 1u);
    const auto row1 = canvas.textsOn(0, "m1")[0]; // the first row; m10.. come later
    ASSERT_EQ(row1.text, QStringLiteral("m1"));
    auto barsAt = [&](int y) {
        std::vector<int> xs;
        for (const auto& t : canvas.textsOn(0, "|"))
            if (t.y == y && t.text == "|")
                xs.push_back(t.x);
        return xs;
    };
    // The date line opens with "|  Nr" (above).
    EXPECT_EQ(barsAt(titles[0].y), (std::vector<int>{left - cw, right - cw}));
    EXPECT_EQ(barsAt(nr[0].y), std::vector<int>{right - cw});
    EXPECT_EQ(barsAt(row1.y), (std::vector<int>{left - cw, right - cw}));
    // Club numbers (column 1) at the left margin, no Ix column.
    EXPECT_EQ(canvas.textsOn(0, "m1")[0].x, left);
    EXPECT_TRUE(canvas.textsOn(0, "Ix").empty());

    // Without "Print titel" later pages hold member rows and the footer only.
    RecordingCanvas plain;
    PrintSettings noTitle = PrintSettings::defaults();
    printMatches(plain, noTitle, m, matches(70));
    EXPECT_TRUE(plain.textsOn(1, MatchTitle).empty());
    EXPECT_EQ(plain.textsOn(1, "m").size(), 17u);
}

} // namespace
} // namespace tandemx::printing
