// tandemx-cli print and overview --export: the printouts and the text export without windows.
//
//   tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]
//   tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf
//
// The print settings are those of the member file's key-data file; without a member file (or key-data
// file) the defaults. The PDF file stands in for the printer: no printer question is asked.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "overviews/Overview.h"
#include "printing/MemberListPrint.h"
#include "printing/OverviewPrint.h"
#include "printing/PainterCanvas.h"
#include "records/MemberFile.h"

#include <QDate>
#include <QFileInfo>
#include <QPdfWriter>

#include <cstdio>

namespace tandemx::cli {
namespace {

const QString Usage = QStringLiteral(
    "usage: tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
    "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf");

PrintSettings settingsOf(const std::optional<TConfigObj>& config)
{
    return config ? config->printSettings : PrintSettings::defaults();
}

// Paints one printout into a PDF file; `layOut` returns the number of pages.
template <typename LayOut>
int printPdf(const QString& fileName, const PrintSettings& settings, LayOut layOut)
{
    auto writer = printing::pdfWriter(fileName, printing::landscape(settings));
    printing::PainterCanvas canvas(*writer);
    if (!canvas.isActive())
        return fail(QStringLiteral("cannot write the PDF file %1").arg(fileName));
    const printing::PrintMetrics metrics =
        printing::setUpMetrics(canvas, settings, printing::printFontSetUp(settings));
    const int pages = layOut(canvas, metrics);
    if (!canvas.finish())
        return fail(QStringLiteral("printing into %1 failed").arg(fileName));
    std::printf("%s: %d %s\n", qPrintable(fileName), pages, pages == 1 ? "page" : "pages");
    return 0;
}

int printMembers(const QString& memberFile, bool addressView, const QString& pdf)
{
    if (memberFile.isEmpty())
        return fail(QStringLiteral("--kind members needs --members FILE.tdm\n") + Usage);
    const auto config = readKeyDataFile(configFileName(memberFile));
    const KeyData keyData = config ? config->keyData : KeyData();
    QString error;
    const auto members = readMemberFile(memberFile, keyData.clubSize, &error);
    if (!members)
        return fail(QStringLiteral("cannot read the member file %1: %2").arg(memberFile, error));
    const PrintSettings settings = settingsOf(config);
    const auto doc = printing::memberListDocument(*members, addressView, QStringLiteral("Tennis TandemX"),
                                                  QFileInfo(memberFile).completeBaseName());
    return printPdf(pdf, settings, [&](printing::PrintCanvas& canvas, const printing::PrintMetrics& metrics) {
        return printing::printMemberList(canvas, settings, metrics, doc);
    });
}

} // namespace

int writeOverviewExport(const OverviewResult& r)
{
    if (!r.prepared.show)
        return fail(QStringLiteral("there is no overview to export"));
    const auto doc = printing::overviewDocument(r.prepared, r.schedule, r.keyData, QDate::currentDate());
    const QByteArray bytes = printing::exportOverview(doc, settingsOf(r.config));
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

int runPrint(const QStringList& args)
{
    QStringList rest = args;
    auto take = [&rest](const QString& option, QString* value) -> bool {
        const qsizetype at = rest.indexOf(option);
        if (at < 0)
            return true;
        if (at + 1 >= rest.size())
            return false;
        *value = rest.at(at + 1);
        rest.remove(at, 2);
        return true;
    };
    QString kindText, pdf;
    if (!take(QStringLiteral("--kind"), &kindText) || !take(QStringLiteral("--pdf"), &pdf))
        return fail(QStringLiteral("--kind and --pdf need a value\n") + Usage);
    if (pdf.isEmpty())
        return fail(QStringLiteral("--pdf FILE.pdf is needed\n") + Usage);
    if (kindText == u"members") {
        QString memberFile;
        if (!take(QStringLiteral("--members"), &memberFile))
            return fail(QStringLiteral("--members needs a value\n") + Usage);
        const bool addressView = rest.removeAll(QStringLiteral("--address")) > 0;
        if (!rest.isEmpty())
            return fail(QStringLiteral("unknown argument: ") + rest.front());
        return printMembers(memberFile, addressView, pdf);
    }
    bool ok = false;
    const int kind = kindText.toInt(&ok);
    if (!ok || kind < 1 || kind > 4)
        return fail(QStringLiteral("--kind 1..4 or members is needed\n") + Usage);
    if (rest.contains(QStringLiteral("--format")))
        return fail(QStringLiteral("print writes a PDF file; --format does not apply"));
    return runOverviewOutput(rest, kind, [&pdf](const OverviewResult& r) {
        if (!r.prepared.show)
            return fail(QStringLiteral("there is no overview to print"));
        const PrintSettings settings = settingsOf(r.config);
        const auto doc = printing::overviewDocument(r.prepared, r.schedule, r.keyData, QDate::currentDate());
        return printPdf(pdf, settings, [&](printing::PrintCanvas& canvas, const printing::PrintMetrics& metrics) {
            return printing::printOverview(canvas, settings, metrics, doc);
        });
    });
}

} // namespace tandemx::cli
