#include "forms/PrintWiring.h"

#include "forms/MatchWiring.h"
#include "forms/PrintDialogs.h"
#include "forms/MemberView.h"
#include "forms/ProgramWindows.h"
#include "forms/ScoreGrid.h"
#include "forms/TMatchForm.h"
#include "forms/ResultsWiring.h"
#include "forms/TOptiesForm.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "messages/MessageTable.h"
#include "overviews/OverviewLines.h"
#include "overviews/OverviewTexts.h"
#include "printing/MatchPrint.h"
#include "printing/MemberListPrint.h"
#include "printing/OverviewPrint.h"
#include "printing/PainterCanvas.h"
#include "records/SaveFile.h"
#include "state/FileCommands.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace tandemx {
namespace {

using namespace printing;

enum class NoPrinter { Message21, GeenPrinter };

// A printer for the preview of a PDF file: the page of the PDF file (A4 at 300 pixels per inch without
// device margins) in the orientation of the settings, so that the preview shows the file's pages.
void setUpPdfPreview(QPrinter& printer, bool landscape)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
}

// The shared road of a printout: the printer of the settings (or, with none set up, a PDF file if the
// user wants one) and the question, the preview, then the system's print dialog for a printer or the
// file name for a PDF file, the layout on the device with the metrics, and the end of the document.
// `what` names the printout in the suggested PDF file name. `layOut` gets the settings to lay out by.
void runPrintout(TTandem12X& window, AppState& state, NoPrinter noPrinter, const QString& what,
                 const std::function<void(PrintCanvas&, const PrintSettings&, const PrintMetrics&)>& layOut)
{
    PrintSettings& settings = state.club.printSettings;
    const QStringList printers = printerNames();
    QString name;
    if (settings.printerIndex < 0 || settings.printerIndex >= printers.size()) {
        // No printer set up (new key data): a PDF file can always be made.
        const QString none = noPrinter == NoPrinter::Message21 ? QString::fromLatin1(messageText(21))
                                                                : QStringLiteral("Geen Printer aanwezig");
        if (state.messages.showBericht(none + QStringLiteral("\rAfdrukken naar PDF-bestand?"), Question, Btn::JaNee)
            != Result::Yes)
            return;
        name = PdfPrinterName;
    } else {
        name = printers[settings.printerIndex];
        if (state.messages.showBericht(QStringLiteral("Afdrukken op printer: \r") + name, Information, Btn::JaNee)
            == Result::No)
            return;
    }
    const bool toPdf = name == PdfPrinterName;

    auto paint = [&state, &settings, &layOut](QPagedPaintDevice& device) {
        // Laid out for the page it is drawn on: a page turned in the preview (or the print dialog)
        // breaks as a turned page. The settings stay as they are.
        PrintSettings onPage = settings;
        if (device.pageLayout().orientation() == QPageLayout::Landscape)
            onPage.printFlags |= PrintFlag::Landscape;
        else
            onPage.printFlags &= uint16_t(~PrintFlag::Landscape);
        PainterCanvas canvas(device);
        bool ok = canvas.isActive();
        if (ok)
            layOut(canvas, onPage, setUpMetrics(canvas, onPage, state.club.printFontSetUp()));
        return canvas.finish() && ok;
    };

    std::unique_ptr<QPrinter> printer;
    if (toPdf) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        setUpPdfPreview(*printer, landscape(settings));
    } else {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
        printer->setFullPage(true);
        printer->setPageOrientation(landscape(settings) ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    PrintDialogs& dialogs = window.windows().printDialogs();
    if (!dialogs.preview(*printer, QStringLiteral("Afdrukvoorbeeld - ") + name, [&paint](QPrinter& p) { paint(p); }))
        return;

    bool ok = false;
    if (toPdf) {
        const auto file = state.files.saveFile(clubOutputRequest(state.club.memberFileName,
                                                                 QStringLiteral("Afdrukken naar PDF-bestand"), what,
                                                                 QStringLiteral("pdf"), QStringLiteral("PDF-bestand (*.pdf)"),
                                                                 QStringLiteral("pdf")));
        if (!file)
            return;
        // In the orientation the preview shows last.
        const auto pdf = pdfWriter(*file, printer->pageLayout().orientation() == QPageLayout::Landscape);
        ok = paint(*pdf);
    } else {
        if (!dialogs.printDialog(*printer))
            return;
        ok = paint(*printer);
    }
    if (!ok)
        state.messages.showBericht(QStringLiteral(" Afdrukken niet gelukt"), Error, Btn::OK);
}

OverviewDocument documentOf(TTandem12X&, TResultsForm& form, AppState& state)
{
    OverviewDocument doc = printing::overviewDocument(form.kind(), form.overviewLayout(), form.lines(), *state.schedule,
                                                      state.club.keyData(), state.playDate);
    // The printout takes the columns and rows as the list view shows them, inserted and deleted rows
    // included.
    if (QTreeWidget* list = form.listView()) {
        for (size_t c = 0; c < doc.columns.size() && int(c) < list->columnCount(); ++c)
            doc.columns[c].screenWidth = list->columnWidth(int(c));
        doc.rows.clear();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList row;
            const QTreeWidgetItem* item = list->topLevelItem(i);
            for (int c = 0; c < list->columnCount(); ++c)
                row << item->text(c);
            doc.rows.push_back(row);
        }
    }
    return doc;
}

void connectResults(TTandem12X& window, AppState& state)
{
    TResultsForm& form = resultsForm(window, state);
    if (!window.windows().firstWiring(ProgramWindows::Wiring::OverviewPrinting))
        return;
    QObject::connect(&form, &TResultsForm::printRequested, &window,
                     [&window, &form, &state] { printOverview(window, form, state); });
    QObject::connect(&form, &TResultsForm::exportRequested, &window,
                     [&window, &form, &state] { exportOverview(window, form, state); });
}

MatchDocument matchDocumentOf(TMatchForm& form, AppState& state)
{
    MatchDocument doc;
    doc.clubName = state.club.keyData().clubName;
    const int n = form.matchNumber();
    for (int b = 1; b <= n; ++b) {
        const TMatchCalcObj* match = state.matches.match(b);
        doc.matchDates << (match ? match->header.matchDate().left(5) : QString());
    }
    ScoreGrid* grid = form.grid();
    for (int c = 0; c <= 7 + n; ++c) {
        doc.headerCells << form.headerCell(c);
        doc.screenWidths.push_back(grid && c < grid->columnCount() ? grid->columnWidth(c) : 0);
    }
    if (grid) {
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->columnCount(); ++c)
                row << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
            doc.rows.push_back(row);
        }
    }
    doc.exportLines = form.exportLines();
    return doc;
}

void connectMatchForm(TTandem12X& window, AppState& state)
{
    TMatchForm& form = window.windows().matchWindows().matchForm();
    if (!window.windows().firstWiring(ProgramWindows::Wiring::MatchPrinting))
        return;
    QObject::connect(&form, &TMatchForm::printRequested, &window,
                     [&window, &form, &state] { printMatches(window, form, state); });
    QObject::connect(&form, &TMatchForm::exportRequested, &window,
                     [&window, &form, &state] { exportMatches(window, form, state); });
}

} // namespace

namespace {

// Asks for the export file (`what` names it in the suggested file name), writes the text made by
// makeText and reports the result.
void exportText(TTandem12X& window, AppState& state, const QString& what, const QString& success,
                const std::function<QByteArray()>& makeText)
{
    const auto chosen = state.files.saveFile(clubOutputRequest(state.club.memberFileName, QStringLiteral("Exporteren"),
                                                               what, QStringLiteral("txt"),
                                                               QStringLiteral("Text files (*.txt *.TXT)")));
    if (!chosen)
        return;
    PrintingState& printing = printingState(window);
    printing.exportFileName = exportFileName(*chosen);
    const QString error = saveFileAtomically(printing.exportFileName, makeText());
    if (!error.isEmpty()) {
        state.messages.showBericht(error, Error, Btn::OK);
        return;
    }
    state.messages.showInfo(success);
}

} // namespace

void printMatches(TTandem12X& window, TMatchForm& form, AppState& state)
{
    const MatchDocument doc = matchDocumentOf(form, state);
    runPrintout(window, state, NoPrinter::GeenPrinter, QStringLiteral("matches"),
                [&](PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics) {
                    printing::printMatches(canvas, settings, metrics, doc);
                });
}

void exportMatches(TTandem12X& window, TMatchForm& form, AppState& state)
{
    exportText(window, state, QStringLiteral("matches"), QStringLiteral("Bewaren gamesresultaten gelukt"), [&] {
        return printing::exportMatches(matchDocumentOf(form, state), state.club.printSettings);
    });
}

PrintingState& printingState(TTandem12X& window)
{
    return window.windows().printing();
}

TOptiesForm& optionsForm(TTandem12X& window, AppState&)
{
    return window.windows().optionsForm();
}

MemberListDocument shownMemberList(TTandem12X& window, AppState& state)
{
    MemberView* view = window.memberView();
    MemberListDocument doc;
    doc.caption = QStringLiteral("Tennis TandemX");
    doc.fileName = QFileInfo(state.club.memberFileName).completeBaseName();
    const int columns = memberListColumns(view->addressView());
    for (int c = 1; c <= columns && c < view->columnCount(); ++c)
        doc.screenWidths.push_back(view->columnWidth(c));
    for (int r = 0; r <= state.club.memberCount(); ++r) {
        QStringList row;
        for (int c = 1; c <= int(doc.screenWidths.size()); ++c)
            row << view->shownText(r, c); // typing not yet taken over is printed too
        doc.rows.push_back(row);
    }
    return doc;
}

void printMemberList(TTandem12X& window, AppState& state)
{
    if (!state.club.members || !window.memberView())
        return;
    const MemberListDocument doc = shownMemberList(window, state);
    runPrintout(window, state, NoPrinter::GeenPrinter, QStringLiteral("ledenlijst"),
                [&](PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics) {
                    printing::printMemberList(canvas, settings, metrics, doc);
                });
}

void printOverview(TTandem12X& window, TResultsForm& form, AppState& state)
{
    const OverviewDocument doc = documentOf(window, form, state);
    runPrintout(window, state, NoPrinter::Message21,
                QString::fromLatin1(overviews::overviewFileWord(form.kind())),
                [&](PrintCanvas& canvas, const PrintSettings& settings, const PrintMetrics& metrics) {
                    printing::printOverview(canvas, settings, metrics, doc);
                });
}

void exportOverview(TTandem12X& window, TResultsForm& form, AppState& state)
{
    exportText(window, state, QString::fromLatin1(overviews::overviewFileWord(form.kind())),
               QStringLiteral("Bewaren overzicht(en) gelukt"), [&] {
        return printing::exportOverview(documentOf(window, form, state), state.club.printSettings);
    });
}

void wirePrinting(TTandem12X& window, AppState& state)
{
    // Once per window: a second call would print and open every dialog twice.
    if (!window.windows().firstWiring(ProgramWindows::Wiring::Printing))
        return;
    QObject::connect(&window, &TTandem12X::printMembersRequested, &window,
                     [&window, &state] { printMemberList(window, state); });
    QObject::connect(&window, &TTandem12X::optionsRequested, &window,
                     [&window, &state](OptionsPage page) { optionsForm(window, state).ShowOptions(page); });
    // The overview window exists once an overview command ran.
    QObject::connect(&window, &TTandem12X::overviewRequested, &window,
                     [&window, &state] { connectResults(window, state); });
    // "Uitvoer Games" opens the overview window too (before tonight's schedule the match window);
    // "&Nieuwe Match" and "&Open Match" the match window.
    QObject::connect(&window, &TTandem12X::matchCommandRequested, &window, [&window, &state](MatchCommand command) {
        if (command == MatchCommand::UitvoerGames)
            connectResults(window, state);
        if (command == MatchCommand::NieuweMatch || command == MatchCommand::OpenMatch || command == MatchCommand::UitvoerGames)
            connectMatchForm(window, state);
    });
}

} // namespace tandemx
