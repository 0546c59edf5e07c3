#pragma once
// The member list printout: the grid as it is shown, laid out without windows.
#include "printing/PrintMetrics.h"

#include <QStringList>

#include <vector>

namespace tandemx {
class MemberList;
}

namespace tandemx::printing {

struct MemberListDocument {
    QString caption;           // the main window's caption
    QString fileName;          // MemberFileName
    std::vector<int> screenWidths; // the printed grid columns (1..6, or 1..7 in the address view)
    std::vector<QStringList> rows; // row 0 the column titles, then the member rows in display order
};

// The printed columns of the grid: 1 to 6, or 1 to 7 in the address view (the Ix column 0 is not
// printed).
int memberListColumns(bool addressView);

// The document of a member list as the grid shows it fresh from the records.
MemberListDocument memberListDocument(const MemberList& members, bool addressView, const QString& caption,
                                      const QString& fileName);

// Lays the list out (document begun by the caller) with its own line height (the metrics' line
// height) and left margin (3 x CharWidth). The settings give the orientation and page length only;
// the margins and line height the user keeps for the overviews are not touched. Returns the number
// of pages.
int printMemberList(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics,
                    const MemberListDocument& doc);

} // namespace tandemx::printing
