#pragma once
// Everything of showing an overview that needs no window: the schedule check, the work tables, the
// heading, the lines and the layout. The overview window calls prepareOverview and applies the result;
// tandemx-cli prints its lines. In the window:
//
//   auto p = prepareOverview(kind, schedule, messageHooks(messages, gamesOfOpenMatch), matchNumber);
//   if (!p.show) return;                       // no schedule, or the refused change grid
//   Resulthead: lineText(p.heading), width p.headingWidth
//   list view:  p.layout.columns, one row per listRow(line) of p.lines (texts through lineText)
//   grid:       changeGridRows(p.lines, p.gridHeader) when p.layout.useGrid
//   hints:      hint(kind, x, rounds, ladies > 0) with names only; hintZone(...) < 0 cancels the hint
#include "overviews/OverviewLayout.h"
#include "overviews/OverviewLines.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace tandemx {
class Messages;
}

namespace tandemx::overviews {

struct PreparedOverview {
    bool show = false;      // false: no schedule (nothing happens) or refused (message shown)
    OverviewKind kind = NoOverview;
    int captionRow = 0;
    std::string heading;    // the caption of Resulthead
    int headingWidth = 225;
    std::string gridHeader; // kind 5: the change grid's header line
    OverviewLines lines;
    OverviewLayout layout;
};

// Builds an overview of the schedule in the state: nothing without a schedule (ScheduleMode 0);
// runs FillPlayerTables; refuses the change grid of a numbered schedule with message 34
// ("Alleen mogelijk voor Schema Op Naam ") through hooks.error; builds the lines and the layout.
// matchNumber is the open match's number, shown in the heading of kind 10.
PreparedOverview prepareOverview(OverviewKind kind, engine::ScheduleState& state, const FillHooks& hooks = {},
                                 int matchNumber = 0);
PreparedOverview prepareOverview(OverviewKind kind, engine::ScheduleState& state, const GroupHeadings& headings,
                                 const FillHooks& hooks, int matchNumber);

// Hooks that show each error through the message dialog (kind 1 "Fout", button OK).
FillHooks messageHooks(Messages& messages,
                       std::function<int(int round, int court, int place)> games = nullptr);

// The lines as display texts (Windows-1252 decoded).
QString lineText(const std::string& line);
QStringList lineTexts(const OverviewLines& lines);

} // namespace tandemx::overviews
