#pragma once
// The overview printout and the overview text export, laid out without windows. The overview window
// and tandemx-cli hand in what they show: the columns of the list view, its rows as displayed (for
// the printout) and the OverviewLines (for the export).
#include "overviews/OverviewLines.h"
#include "printing/PrintMetrics.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

#include <string>
#include <vector>

namespace tandemx {
struct KeyData;
namespace engine {
struct ScheduleState;
}
namespace overviews {
struct PreparedOverview;
struct OverviewLayout;
}
}

namespace tandemx::printing {

// The choices of the schedule, printed above an overview when "Print kop" is set.
struct SelectionHeader {
    QString group1Code = QStringLiteral("h");
    QString group2Code = QStringLiteral("d");
    int numMen = 0;
    int numLadies = 0;
    int numCourts = 0;
    int doublesRounds = 0;
    int mixedRounds = 0;
    std::vector<int> mixedCourts; // courts of mixed round 1..mixedRounds
    QDate playDate;
};

// The header texts: " U heeft gekozen voor :", the two group lines, courts, rounds, one line per
// mixed round and " Datum : " + the play date, in that order.
QStringList selectionHeaderLines(const SelectionHeader& header);
SelectionHeader selectionHeader(const engine::ScheduleState& schedule, const QString& group1Code,
                                const QString& group2Code, const QDate& playDate);

struct PrintColumn {
    QString caption;
    int screenWidth = 0; // list-view column width in screen pixels
};

struct OverviewDocument {
    overviews::OverviewKind kind = overviews::NoOverview;
    int rounds = 0;
    bool bothLists = true;       // kind 3: both lists have players
    QByteArray clubName;         // Windows-1252, as stored in the key data
    std::string title;           // Windows-1252
    SelectionHeader header;
    std::vector<PrintColumn> columns;
    std::vector<QStringList> rows;   // the list view's rows as displayed: caption, then sub-items
    overviews::OverviewLines lines;  // what the export writes
};

// Columns and rows taken from the overview lines and their layout (every line one row).
void fillFromLines(OverviewDocument& doc, const std::vector<std::pair<std::string, int>>& captionsAndWidths,
                   const overviews::OverviewLines& lines);

// The document of a prepared overview: club name and group codes of the key data, the title of the
// kind, the layout's columns and one row per line.
OverviewDocument overviewDocument(const overviews::PreparedOverview& prepared, const engine::ScheduleState& schedule,
                                  const KeyData& keyData, const QDate& playDate);
// The same from the parts of an overview a window keeps: its kind, column layout and lines.
OverviewDocument overviewDocument(overviews::OverviewKind kind, const overviews::OverviewLayout& layout,
                                  const overviews::OverviewLines& lines, const engine::ScheduleState& schedule,
                                  const KeyData& keyData, const QDate& playDate);

// Printed column width: page width x screen width / 800.
int printedWidth(int pageWidth, int screenWidth);

// Lays the overview out on the canvas (document begun by the caller). Returns the number of pages.
int printOverview(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics,
                  const OverviewDocument& doc);

// The leading fields written with the width table: kind 1: 7; 2: 3; 3: 6 with both lists, else 3;
// 4: 3; 10: 4.
int fixedColumns(overviews::OverviewKind kind, bool bothLists);
// left margin / text font size blanks, at least one.
int exportIndent(const PrintSettings& settings);
// The export file's bytes (UTF-8, lines ending in CR LF).
QByteArray exportOverview(const OverviewDocument& doc, const PrintSettings& settings);

// The bytes of a text export laid out in Windows-1252 (one byte a character), as written to the file:
// UTF-8 without byte-order mark.
QByteArray textFileBytes(const QByteArray& cp1252);

// The chosen export name with ".txt" appended unless its last three characters are exactly "txt".
QString exportFileName(const QString& chosen);

} // namespace tandemx::printing
