#pragma once
// The overview window's column layout (captions, widths in pixels, alignment), its sizes, and the
// splitting of OverviewLines into list-view rows and change-grid cells. No widgets: the window applies
// these values.
#include "overviews/OverviewLines.h"

#include <string>
#include <string_view>
#include <vector>

namespace tandemx::overviews {

enum class ColumnAlign { Left, Center };

struct OverviewColumn {
    std::string caption;
    int width = 0;
    ColumnAlign align = ColumnAlign::Left;
};

struct OverviewLayout {
    bool useGrid = false;           // kind 5: the change grid instead of the list view
    std::vector<OverviewColumn> columns; // list-view columns, or grid columns (captions unused) for kind 5
    int listWidth = 0;              // list view (or grid) width
    int listHeight = 384;
    int listTop = 35;
    int listLeft = 20;              // centred in the window
    int windowWidth = 720;
    int windowHeight = 504;         // list height + 120
    bool printExportVisible = true; // "&Print" and "&Export"; hidden for the grid
    // Kind 4: the label GroepKopLab1 above the round columns.
    bool groupLabelVisible = false;
    std::string groupLabel;         // "Tegenspelers"
    int groupLabelTop = 30;
    int groupLabelLeft = 0;         // the middle of the list
};

// The layout of an overview kind for a schedule mode (1 names, 2 numbered), with N rounds and the
// player counts of the two lists (kind 3 shows a second half only when both lists have players).
OverviewLayout overviewLayout(OverviewKind kind, engine::ScheduleMode scheduleMode, int rounds, int numMen, int numLadies);

// A list-view row: the line split at every comma; the first field is the row caption, the rest
// sub-items. A line without a comma is a caption only.
std::vector<std::string> listRow(std::string_view line);

// The cells of a line read as comma text: blanks and commas separate cells, runs of blanks count once,
// a blank-surrounded comma counts once, "..." quotes a cell, a trailing separator adds no cell.
std::vector<std::string> commaTextCells(std::string_view line);

// The change grid's rows: row 0 the header line's cells with its first cell replaced by the first six
// characters of the first line (the first group heading); row k (k >= 1) the cells of line k.
std::vector<std::vector<std::string>> changeGridRows(const OverviewLines& lines, const std::string& header);

} // namespace tandemx::overviews
