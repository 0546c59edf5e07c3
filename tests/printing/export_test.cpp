// The overview text export: exact lines for small fixtures of every kind.
#include "printing/OverviewPrint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tandemx::printing {
namespace {

std::string sp(int n)
{
    return std::string(size_t(n), ' ');
}

const std::string In = sp(11); // 118 pixels / text font size 10

// The export as lines without their CR LF; fails when a line ends otherwise.
std::vector<std::string> exportLines(const OverviewDocument& doc, const PrintSettings& s)
{
    const std::string bytes = exportOverview(doc, s).toStdString();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    return lines;
}

OverviewDocument document(int kind, int rounds, std::vector<const char*> captions, overviews::OverviewLines lines)
{
    OverviewDocument doc;
    doc.kind = overviews::OverviewKind(kind);
    doc.rounds = rounds;
    doc.clubName = "TC De Baan";
    doc.title = "TITEL";
    for (const char* c : captions)
        doc.columns.push_back({QString::fromLatin1(c), 35});
    doc.lines = std::move(lines);
    return doc;
}

PrintSettings plain()
{
    return PrintSettings::defaults(); // flags 4: no header, no owner
}

TEST(OverviewExport, PairScheduleWithDashRow)
{
    const auto doc = document(1, 2, {"Baan", "Voornaam", "Achternaam", "", "Voornaam", "Achternaam", "R"},
                              {" ,Schema,Tandem", "1,Bram,de Vries,  ,Pieter,van Dam,   1", "-,----,--------,-,----,----,--"});
    const std::vector<std::string> expected = {
        In + "TC De Baan",
        In + "TITEL",
        In + " ",
        In + "Baan,Voornaam,Achternaam,,Voornaam,Achternaam,R",
        // widths 7, 10, 12, 7, 10, 12, 2; a field before a comma gets w - L - 1 blanks
        In + " " + sp(5) + "Schema" + sp(3) + "Tandem" + sp(6),
        In + "1" + sp(5) + "Bram" + sp(5) + "de Vries" + sp(3) + "  " + sp(4) + "Pieter" + sp(3) + "van Dam" + sp(4) + "   1",
        In + "-" + sp(5) + "----" + sp(5) + "--------" + sp(3) + "-" + sp(5) + "----" + sp(5) + "----" + sp(7) + "--",
    };
    EXPECT_EQ(exportLines(doc, plain()), expected);
}

TEST(OverviewExport, RoundKinds)
{
    struct Case {
        const char* name;
        OverviewDocument doc;
        std::vector<std::string> body; // column header and rows, without indent
    };
    const Case cases[] = {
        {"court schedule: 3 fixed, then the rounds",
         document(2, 3, {"Voornaam", "Achternaam", "Nr", "1", "2", "3"}, {"HEREN  ", "H,1,,1,1,2", "Jan,Smit,12,10,-,3"}),
         {"Voornaam,Achternaam,Nr1   2   3   ",
          "HEREN  " + sp(3),
          "H" + sp(8) + "1" + sp(12) + sp(6) + "1   1   2   ",
          "Jan" + sp(6) + "Smit" + sp(9) + "12" + sp(4) + "10  -   3   "}},
        {"cross table: the repeated-opponent column is not exported",
         document(4, 2, {"Nr", "Naam", "", "1", "2", "N2"}, {" ,HEREN  ", " , ,,4,4,    4 (3)", "12,B. de Vries,,3,11"}),
         {"Nr,Naam,1   2   ",
          " " + sp(2) + "HEREN  " + sp(8),
          " " + sp(2) + " " + sp(13) + sp(6) + "4   4   ",
          "12" + sp(1) + "B. de Vries" + sp(3) + sp(6) + "3   11  "}},
        {"games: widths 10, 14, 7, 4, then the rounds and the sum",
         document(10, 2, {"Voornaam", "Achternaam", "Nr", "1", "2", "Som"}, {"Jan,Smit,12,6,4,10"}),
         {"VoornaamAchternaamNr12Som",
          "Jan" + sp(6) + "Smit" + sp(9) + "12" + sp(4) + "6" + sp(2) + "4   10  "}},
        {"times played, both lists",
         [] {
             auto d = document(3, 2, {"Voornaam", "Achternaam", "X", "Voornaam", "Achternaam", "X"},
                               {"H,1,   3,D,1,   3"});
             return d;
         }(),
         {"Voornaam,Achternaam,XVoornaam  Achternaam  X   ",
          "H" + sp(9) + "1" + sp(8) + "   3" + sp(3) + "D" + sp(10) + "1" + sp(11) + "   3"}},
        {"times played, one list",
         [] {
             auto d = document(3, 2, {"Voornaam", "Achternaam", "X"}, {"H,1,   3,,"});
             d.bothLists = false;
             return d;
         }(),
         {"Voornaam,Achternaam,X", "H" + sp(9) + "1" + sp(8) + "   3" + sp(3)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto lines = exportLines(c.doc, plain());
        ASSERT_EQ(lines.size(), 3 + c.body.size());
        for (size_t i = 0; i < c.body.size(); ++i)
            EXPECT_EQ(lines[3 + i], In + c.body[i]) << "line " << 3 + i;
    }
}

TEST(OverviewExport, HeaderOwnerAndIndent)
{
    OverviewDocument doc = document(2, 1, {"Voornaam", "Achternaam", "Nr", "1"}, {"H,1,,1"});
    doc.header.group1Code = QStringLiteral("h");
    doc.header.group2Code = QStringLiteral("d");
    doc.header.numMen = 5;
    doc.header.numLadies = 4;
    doc.header.numCourts = 2;
    doc.header.doublesRounds = 0;
    doc.header.mixedRounds = 1;
    doc.header.mixedCourts = {2};
    doc.header.playDate = QDate(2026, 12, 10);
    PrintSettings s = plain();
    s.printFlags = PrintFlag::Header | PrintFlag::Owner;
    s.personalData = {"Jan Jansen", "Dorpsstraat 1", "1234 AB", "Ons Dorp", "0123-456789"};
    const std::vector<std::string> expected = {
        In + " U heeft gekozen voor :",
        In + " Aantal heren = 5",
        In + " Aantal dames = 4",
        In + " Aantalbanen  = 2",
        In + " Aantaltandem = 0   Aantal Gemengd tandem = 1",
        In + " Aantalbanen Gemengd Tandem(1) = 2",
        " ",
        In + " Datum : 10-12-2026",
        In + "TC De Baan",
        In + "TITEL",
        In + " ",
        In + "Voornaam,Achternaam,Nr1   ",
        In + "H" + sp(8) + "1" + sp(12) + sp(6) + "1   ",
        In + "Jan Jansen",
        In + "Dorpsstraat 1",
        In + "1234 AB   Ons Dorp",
        In + "0123-456789",
    };
    EXPECT_EQ(exportLines(doc, s), expected);

    // The indent is left margin / text font size, at least one blank.
    struct Indent {
        uint16_t margin;
        int16_t fontSize;
        int blanks;
    };
    for (const Indent& i : {Indent{118, 10, 11}, Indent{240, 12, 20}, Indent{5, 10, 1}, Indent{118, 0, 11}}) {
        s.leftMargin = i.margin;
        s.textFontSize = i.fontSize;
        EXPECT_EQ(exportIndent(s), i.blanks) << i.margin << "/" << i.fontSize;
    }
}

TEST(OverviewExport, WrittenAsUtf8WithColumnsCountedInCharacters)
{
    // Names and club name come from the records in Windows-1252; the file holds UTF-8 and the blanks
    // after a field are counted in characters, so "Ren\xe9e" lines up with "Anna".
    OverviewDocument doc = document(3, 2, {"Voornaam", "Achternaam", "X", "Voornaam", "Achternaam", "X"},
                                    {"Ren\xe9" "e,M\xfc" "ller,   3,D,Vos,   2", "Anna,Smit,   1,D,Kok,   1"});
    doc.clubName = "TC Caf\xe9";
    const std::vector<std::string> expected = {
        In + "TC Caf\xc3\xa9",
        In + "TITEL",
        In + " ",
        In + "Voornaam,Achternaam,XVoornaam  Achternaam  X   ",
        In + "Ren\xc3\xa9" "e" + sp(5) + "M\xc3\xbc" "ller" + sp(3) + "   3" + sp(3) + "D" + sp(10) + "Vos" + sp(9) + "   2",
        In + "Anna" + sp(6) + "Smit" + sp(5) + "   1" + sp(3) + "D" + sp(10) + "Kok" + sp(9) + "   1",
    };
    EXPECT_EQ(exportLines(doc, plain()), expected);
    // Read as UTF-8, the last names start in the same column.
    const QStringList read = QString::fromUtf8(exportOverview(doc, plain())).split(QStringLiteral("\r\n"));
    ASSERT_GE(read.size(), 6);
    EXPECT_EQ(read[4].indexOf(QStringLiteral("M\u00fcller")), read[5].indexOf(QStringLiteral("Smit")));
}

// Writing goes through saveFileAtomically, tested with the other saves.
TEST(OverviewExport, FileName)
{
    EXPECT_EQ(exportFileName(QStringLiteral("/tmp/lijst.TXT")), QStringLiteral("/tmp/lijst.TXT.txt"));
    EXPECT_EQ(exportFileName(QStringLiteral("/tmp/lijst")), QStringLiteral("/tmp/lijst.txt"));
    EXPECT_EQ(exportFileName(QStringLiteral("/tmp/lijst.txt")), QStringLiteral("/tmp/lijst.txt"));
    EXPECT_EQ(exportFileName(QStringLiteral("/tmp/lijsttxt")), QStringLiteral("/tmp/lijsttxt"));
}

} // namespace
} // namespace tandemx::printing
