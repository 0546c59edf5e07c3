#include "printing/OverviewPrint.h"

#include "engine/ScheduleTables.h"
#include "overviews/Overview.h"
#include "overviews/OverviewLayout.h"
#include "overviews/OverviewTexts.h"
#include "records/Cp1252.h"


#include <algorithm>

#include <array>

namespace tandemx::printing {
namespace {

QString text(const std::string& bytes)
{
    return fromCp1252(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

// One printout in progress: the position, the lines counted on the page and the page number.
class OverviewPrinter {
public:
    OverviewPrinter(PrintCanvas& c, const PrintSettings& s, const PrintMetrics& m, const OverviewDocument& d)
        : canvas(c), settings(s), metrics(m), doc(d), scale(pageScale(s))
    {
        for (const PrintColumn& column : doc.columns) {
            widths.push_back(printedWidth(canvas.pageWidth(), column.screenWidth));
            totalWidth += widths.back();
        }
    }

    int run()
    {
        startPage();
        printHeader();
        printTitleBlock();
        for (size_t i = 0; i < doc.rows.size(); ++i) {
            printRow(doc.rows[i]);
            if (i + 1 < doc.rows.size()
                && pageFull(settings, canvas.pageHeight(), metrics.lineHeight, linesOnPage, scale))
                pageBreak();
        }
        footer();
        nextLine();
        if (settings.printFlags & PrintFlag::Owner) {
            for (const QString& line : personalDataLines(settings)) {
                canvas.drawText(left(), y, line);
                nextLine();
            }
            linesOnPage += 6;
        }
        return page;
    }

private:
    int left() const { return settings.leftMargin; }
    void nextLine() { y += metrics.lineHeight; }
    void ruledLine()
    {
        canvas.drawLine(left(), y, left() + totalWidth, y);
        y += metrics.lineHeight / 2;
    }
    void startPage()
    {
        linesOnPage = 0;
        y = settings.topMargin;
    }
    void printHeader()
    {
        if (!(settings.printFlags & PrintFlag::Header))
            return;
        for (const QString& line : selectionHeaderLines(doc.header)) {
            canvas.drawText(left(), y, line);
            nextLine();
        }
        ruledLine();
        linesOnPage += doc.header.mixedRounds + 7;
    }
    void printTitleBlock()
    {
        for (const QString& line : {fromCp1252(doc.clubName), text(doc.title), QStringLiteral(" ")}) {
            canvas.drawText(left(), y, line);
            nextLine();
        }
        linesOnPage += 3;
        ruledLine();
        canvas.drawText(left() - metrics.charWidth, y, QStringLiteral("|"));
        int x = left();
        for (size_t c = 0; c < doc.columns.size(); ++c) {
            canvas.drawText(x, y, doc.columns[c].caption);
            x += widths[c];
        }
        canvas.drawText(x, y, QStringLiteral("|"));
        nextLine();
        ruledLine();
        linesOnPage += 3;
    }
    void printRow(const QStringList& row)
    {
        if (!row.isEmpty() && row.front().startsWith(u'-')) {
            ruledLine();
        } else {
            canvas.drawText(left() - metrics.charWidth, y, QStringLiteral("|"));
            int x = left();
            for (qsizetype c = 0; c < row.size() && size_t(c) < widths.size(); ++c) {
                if (!row[c].isEmpty())
                    canvas.drawText(x, y, row[c]);
                x += widths[size_t(c)];
            }
            canvas.drawText(left() + totalWidth, y, QStringLiteral("|"));
            nextLine();
        }
        ++linesOnPage;
    }
    void footer()
    {
        const int x = left() + totalWidth - 3 * safeTextFontSize(settings);
        canvas.drawText(x, y, QStringLiteral("-%1-").arg(page));
    }
    void pageBreak()
    {
        footer();
        canvas.newPage();
        ++page;
        startPage();
        printHeader();
        if (settings.printFlags & PrintFlag::Title)
            printTitleBlock();
    }

    PrintCanvas& canvas;
    const PrintSettings& settings;
    const PrintMetrics& metrics;
    const OverviewDocument& doc;
    const int scale;
    std::vector<int> widths;
    int totalWidth = 0;
    int linesOnPage = 0;
    int y = 0;
    int page = 1;
};

// Export widths of the fixed columns per kind.
const std::array<int, 7>& exportWidths(overviews::OverviewKind kind)
{
    static const std::array<int, 7> kind1{7, 10, 12, 7, 10, 12, 2};
    static const std::array<int, 7> kind2{10, 14, 7, 4, 4, 4, 4};
    static const std::array<int, 7> kind3{11, 10, 8, 12, 13, 4, 0};
    static const std::array<int, 7> kind4{4, 15, 7, 4, 4, 4, 4};
    switch (kind) {
    case overviews::PairSchedule: return kind1;
    case overviews::TimesPlayedOverview: return kind3;
    case overviews::CrossTable: return kind4;
    default: return kind2; // the court schedule and the games overview
    }
}

bool hasRoundFields(overviews::OverviewKind kind)
{
    return kind == overviews::CourtSchedule || kind == overviews::CrossTable || kind == overviews::GamesOverview;
}

QByteArray blanks(int n)
{
    return n > 0 ? QByteArray(n, ' ') : QByteArray();
}

QByteArray roundFieldGap(qsizetype length)
{
    return length < 2 ? QByteArray("   ") : QByteArray("  ");
}

} // namespace

QStringList selectionHeaderLines(const SelectionHeader& h)
{
    QStringList lines{QStringLiteral(" U heeft gekozen voor :")};
    if (h.group1Code.startsWith(u'H', Qt::CaseInsensitive))
        lines << QStringLiteral(" Aantal heren = %1").arg(h.numMen);
    else
        lines << QStringLiteral(" Aantal spelers in Groep %1 = %2").arg(h.group1Code).arg(h.numMen);
    if (h.group2Code.startsWith(u'D', Qt::CaseInsensitive))
        lines << QStringLiteral(" Aantal dames = %1").arg(h.numLadies);
    else
        lines << QStringLiteral(" Aantal spelers in Groep %1 = %2").arg(h.group2Code).arg(h.numLadies);
    lines << QStringLiteral(" Aantalbanen  = %1").arg(h.numCourts);
    lines << QStringLiteral(" Aantaltandem = %1   Aantal Gemengd tandem = %2").arg(h.doublesRounds).arg(h.mixedRounds);
    for (int k = 1; k <= h.mixedRounds; ++k) {
        const int courts = size_t(k - 1) < h.mixedCourts.size() ? h.mixedCourts[size_t(k - 1)] : 0;
        lines << QStringLiteral(" Aantalbanen Gemengd Tandem(%1) = %2").arg(k).arg(courts);
    }
    lines << QStringLiteral(" Datum : ") + h.playDate.toString(QStringLiteral("d-M-yyyy"));
    return lines;
}

SelectionHeader selectionHeader(const engine::ScheduleState& s, const QString& group1Code,
                                const QString& group2Code, const QDate& playDate)
{
    SelectionHeader h;
    h.group1Code = group1Code;
    h.group2Code = group2Code;
    h.numMen = s.Settings.NumMen;
    h.numLadies = s.Settings.NumLadies;
    h.numCourts = s.Settings.NumCourts;
    h.doublesRounds = s.Settings.NumDoublesRounds;
    h.mixedRounds = std::clamp(s.Settings.NumMixedRounds, 0, engine::MaxRounds);
    for (int k = 1; k <= h.mixedRounds; ++k)
        h.mixedCourts.push_back(s.CourtsPerRound.mixed[size_t(k)]);
    h.playDate = playDate;
    return h;
}

void fillFromLines(OverviewDocument& doc, const std::vector<std::pair<std::string, int>>& captionsAndWidths,
                   const overviews::OverviewLines& lines)
{
    doc.columns.clear();
    for (const auto& [caption, width] : captionsAndWidths)
        doc.columns.push_back({text(caption), width});
    doc.rows.clear();
    for (const std::string& line : lines) {
        QStringList row;
        for (const std::string& field : overviews::listRow(line))
            row << text(field);
        doc.rows.push_back(row);
    }
    doc.lines = lines;
}

OverviewDocument overviewDocument(overviews::OverviewKind kind, const overviews::OverviewLayout& layout,
                                  const overviews::OverviewLines& lines, const engine::ScheduleState& schedule,
                                  const KeyData& keyData, const QDate& playDate)
{
    OverviewDocument doc;
    doc.kind = kind;
    doc.rounds = overviews::totalRounds(schedule);
    doc.bothLists = schedule.Settings.NumMen > 0 && schedule.Settings.NumLadies > 0;
    doc.clubName = keyData.clubName;
    doc.title = overviews::overviewTitle(kind);
    doc.header = selectionHeader(schedule, keyData.group1(), keyData.group2(), playDate);
    std::vector<std::pair<std::string, int>> columns;
    for (const auto& column : layout.columns)
        columns.emplace_back(column.caption, column.width);
    fillFromLines(doc, columns, lines);
    return doc;
}

OverviewDocument overviewDocument(const overviews::PreparedOverview& prepared, const engine::ScheduleState& schedule,
                                  const KeyData& keyData, const QDate& playDate)
{
    return overviewDocument(prepared.kind, prepared.layout, prepared.lines, schedule, keyData, playDate);
}

int printedWidth(int pageWidth, int screenWidth)
{
    return pageWidth * screenWidth / 800;
}

int printOverview(PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics,
                  const OverviewDocument& doc)
{
    return OverviewPrinter(canvas, settings, metrics, doc).run();
}

int fixedColumns(overviews::OverviewKind kind, bool bothLists)
{
    switch (kind) {
    case overviews::PairSchedule: return 7;
    case overviews::TimesPlayedOverview: return bothLists ? 6 : 3;
    case overviews::GamesOverview: return 4;
    default: return 3;
    }
}

int exportIndent(const PrintSettings& settings)
{
    return std::max(1, settings.leftMargin / safeTextFontSize(settings));
}

QByteArray exportOverview(const OverviewDocument& doc, const PrintSettings& settings)
{
    const QByteArray indent(exportIndent(settings), ' ');
    const int fixed = fixedColumns(doc.kind, doc.bothLists);
    const int rounds = std::clamp(doc.rounds, 0, engine::MaxRounds);
    const auto& widths = exportWidths(doc.kind);
    QByteArray out;
    auto line = [&](const QByteArray& bytes, bool indented = true) {
        if (indented)
            out += indent;
        out += bytes;
        out += "\r\n";
    };

    if (settings.printFlags & PrintFlag::Header) {
        const QStringList header = selectionHeaderLines(doc.header);
        for (qsizetype i = 0; i + 1 < header.size(); ++i)
            line(toCp1252(header[i]));
        line(" ", false);
        line(toCp1252(header.back()));
    }

    line(doc.clubName);
    line(QByteArray::fromStdString(doc.title));
    line(" ");

    // The column header.
    const int captionCount = hasRoundFields(doc.kind) ? fixed + rounds : fixed;
    QByteArray captions;
    for (int c = 0; c < captionCount && size_t(c) < doc.columns.size(); ++c) {
        const QByteArray caption = toCp1252(doc.columns[size_t(c)].caption);
        captions += caption;
        if (doc.kind == overviews::PairSchedule) {
            if (c + 1 < captionCount)
                captions += ',';
        } else if (doc.kind != overviews::GamesOverview) {
            if (c < 2)
                captions += ',';
            else if (c > 2)
                captions += roundFieldGap(caption.size());
        }
    }
    line(captions);

    for (const std::string& source : doc.lines) {
        const QList<QByteArray> fields = QByteArray::fromStdString(source).split(',');
        QByteArray row;
        for (int f = 0; f < fixed && f < fields.size(); ++f) {
            const QByteArray& field = fields[f];
            row += field;
            const bool last = f + 1 == fields.size();
            row += blanks(widths[size_t(f)] - int(field.size()) - (last ? 0 : 1));
        }
        if (hasRoundFields(doc.kind)) {
            for (int f = fixed; f < fixed + rounds && f < fields.size(); ++f) {
                row += fields[f];
                row += roundFieldGap(fields[f].size());
            }
        }
        line(row);
    }

    if (settings.printFlags & PrintFlag::Owner)
        for (const QString& item : personalDataLines(settings))
            line(toCp1252(item));
    // Laid out in single-byte characters, so the columns line up by character; written as UTF-8.
    return textFileBytes(out);
}

QByteArray textFileBytes(const QByteArray& cp1252)
{
    return fromCp1252(cp1252).toUtf8();
}

QString exportFileName(const QString& chosen)
{
    return chosen.endsWith(QStringLiteral("txt"), Qt::CaseSensitive) ? chosen : chosen + QStringLiteral(".txt");
}

} // namespace tandemx::printing
