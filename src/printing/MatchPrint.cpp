#include "printing/MatchPrint.h"

#include "printing/OverviewPrint.h"
#include "records/Cp1252.h"

namespace tandemx::printing {

int printMatches(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& m, const MatchDocument& doc)
{
    const int n = doc.matches();
    const int last = 7 + n; // the last grid column
    const int left = settings.leftMargin;
    const int lh = m.lineHeight;
    const int scale = pageScale(settings);
    std::vector<int> widths;
    int totalWidth = 0;
    for (int c = 0; c <= last; ++c) {
        widths.push_back(printedWidth(canvas.pageWidth(), size_t(c) < doc.screenWidths.size() ? doc.screenWidths[size_t(c)] : 0));
        totalWidth += widths.back();
    }
    auto width = [&](int c) { return widths[size_t(c)]; };
    auto cell = [](const QStringList& cells, int c) { return c < cells.size() ? cells[c] : QString(); };

    int linesOnPage = 0;
    int y = settings.topMargin;
    int page = 1;
    auto ruledLine = [&] {
        canvas.drawLine(left, y, left + totalWidth, y);
        y += lh / 2;
    };
    auto titleAndHeader = [&] {
        for (const QString& line : {fromCp1252(doc.clubName), MatchTitle, QStringLiteral(" ")}) {
            canvas.drawText(left, y, line);
            y += lh;
        }
        linesOnPage += 3;
        ruledLine();
        canvas.drawText(left - m.charWidth, y, QStringLiteral("|"));
        int x = left;
        for (int c = 1; c <= last; ++c) {
            canvas.drawText(x, y, cell(doc.headerCells, c));
            x += width(c);
        }
        canvas.drawText(x - m.charWidth, y, QStringLiteral("|"));
        y += lh;
        canvas.drawText(left - m.charWidth, y, QStringLiteral("|  Nr"));
        x = left;
        for (int c = 1; c <= 5; ++c)
            x += width(c);
        for (int b = 1; b <= n; ++b) {
            canvas.drawText(x, y, doc.matchDates[b - 1].left(5));
            x += width(5 + b);
        }
        x += width(6 + n) + width(7 + n);
        canvas.drawText(x - m.charWidth, y, QStringLiteral("|"));
        y += lh;
        ruledLine();
        linesOnPage += 4;
    };
    auto footer = [&] {
        canvas.drawText(left + totalWidth - 3 * safeTextFontSize(settings), y, QStringLiteral("-%1-").arg(page));
    };

    titleAndHeader();
    for (size_t r = 0; r < doc.rows.size(); ++r) {
        const QStringList& row = doc.rows[r];
        canvas.drawText(left - m.charWidth, y, QStringLiteral("|"));
        int x = left;
        for (int c = 1; c <= last; ++c) {
            const QString text = cell(row, c);
            if (!text.isEmpty())
                canvas.drawText(x, y, text);
            x += width(c);
        }
        canvas.drawText(x - m.charWidth, y, QStringLiteral("|"));
        y += lh;
        ++linesOnPage;
        if (r + 1 < doc.rows.size() && pageFull(settings, canvas.pageHeight(), lh, linesOnPage, scale)) {
            footer();
            canvas.newPage();
            ++page;
            linesOnPage = 0;
            y = settings.topMargin;
            if (settings.printFlags & PrintFlag::Title)
                titleAndHeader();
        }
    }
    footer();
    y += lh;
    if (settings.printFlags & PrintFlag::Owner) {
        for (const QString& line : personalDataLines(settings)) {
            canvas.drawText(left, y, line);
            y += lh;
        }
        linesOnPage += 6;
    }
    return page;
}

QByteArray exportMatches(const MatchDocument& doc, const PrintSettings& settings)
{
    const QByteArray indent(exportIndent(settings), ' ');
    QByteArray out;
    auto line = [&](const QByteArray& bytes, bool indented = true) {
        if (indented)
            out += indent;
        out += bytes + "\r\n";
    };
    line(doc.clubName);
    line(toCp1252(MatchTitle));
    line(" ");
    QStringList header;
    for (int c = 1; c <= 7 + doc.matches(); ++c)
        header << (c == 1 ? QStringLiteral(" ClubNr.") : (c < doc.headerCells.size() ? doc.headerCells[c] : QString()));
    line(toCp1252(header.join(u',')));
    QStringList dates;
    for (const QString& date : doc.matchDates)
        dates << date.left(5);
    line(toCp1252(QString(QStringLiteral("    ,") + dates.join(u','))), false);
    for (const QString& row : doc.exportLines)
        line(toCp1252(row));
    if (settings.printFlags & PrintFlag::Owner)
        line(toCp1252(personalDataLines(settings).join(QString())));
    // Laid out in single-byte characters, so the columns line up by character; written as UTF-8.
    return textFileBytes(out);
}

} // namespace tandemx::printing
