#include "printing/MemberListPrint.h"

#include "printing/OverviewPrint.h"
#include "records/MemberList.h"
#include "records/MemberOps.h"

namespace tandemx::printing {

int memberListColumns(bool addressView)
{
    return addressView ? 7 : 6;
}

MemberListDocument memberListDocument(const MemberList& members, bool addressView, const QString& caption,
                                      const QString& fileName)
{
    MemberListDocument doc;
    doc.caption = caption;
    doc.fileName = fileName;
    const int columns = memberListColumns(addressView);
    const QList<int> widths = gridColumnWidths(addressView);
    for (int c = 1; c <= columns && c < widths.size(); ++c)
        doc.screenWidths.push_back(widths[c]);
    doc.rows.push_back(gridTitles(addressView).mid(1, columns));
    for (int i = 1; i <= members.count(); ++i)
        doc.rows.push_back(gridCells(members.at(i), addressView).mid(1, columns));
    return doc;
}

int printMemberList(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics,
                    const MemberListDocument& doc)
{
    const int lineHeight = metrics.lineHeight;
    const int left = 3 * metrics.charWidth;
    const int scale = pageScale(settings);
    std::vector<int> widths;
    for (int w : doc.screenWidths)
        widths.push_back(printedWidth(canvas.pageWidth(), w));

    int linesOnPage = 0;
    int y = 0;
    int lastX = left;
    int pages = 1;

    auto printRow = [&](QStringList row) {
        int x = left;
        for (size_t c = 0; c < widths.size(); ++c) {
            canvas.drawText(x - metrics.charWidth, y, QStringLiteral("|"));
            const QString cell = qsizetype(c) < row.size() ? row[qsizetype(c)] : QString();
            if (!cell.isEmpty())
                canvas.drawText(x, y, cell);
            x += widths[c];
        }
        lastX = x;
        y += lineHeight;
        ++linesOnPage;
    };
    auto ruledLine = [&] {
        canvas.drawLine(left, y, lastX, y);
        y += lineHeight / 2;
        ++linesOnPage;
    };
    auto titleBlock = [&] {
        y = 2 * lineHeight;
        canvas.drawText(left, y, doc.caption);
        canvas.drawText(left + canvas.textWidth(doc.caption) + left, y, doc.fileName);
        y += 2 * lineHeight;
        linesOnPage += 2;
        QStringList titles = doc.rows.empty() ? QStringList() : doc.rows.front();
        if (titles.isEmpty())
            titles << QString();
        titles[0] = QStringLiteral(" Nr.");
        printRow(titles);
        ruledLine();
    };

    titleBlock();
    for (size_t r = 1; r < doc.rows.size(); ++r) {
        printRow(doc.rows[r]);
        if (scale * linesOnPage / 100 >= int(settings.pageLength) - 1) {
            canvas.newPage();
            ++pages;
            linesOnPage = 0;
            titleBlock();
        }
    }
    ruledLine();
    return pages;
}

} // namespace tandemx::printing
