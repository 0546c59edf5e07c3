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

const QString Syntax = QStringLiteral(
    "tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
    "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf");
const QString Usage = QStringLiteral("usage: ") + Syntax;
const QString About = QStringLiteral(
    "Writes the printout of an overview, calculated as schedule does, or of the member\n"
    "list into a PDF file, with the print settings of the member file's key data.");

QCommandLineOption kindOption()
{
    return QCommandLineOption(QStringLiteral("kind"),
                              QStringLiteral("1 pair schedule, 2 court schedule, 3 times played, 4 cross table, "
                                             "members the member list."),
                              QStringLiteral("1..4|members"));
}

QCommandLineOption pdfOption()
{
    return QCommandLineOption(QStringLiteral("pdf"), QStringLiteral("The PDF file to write."),
                              QStringLiteral("FILE.pdf"));
}

QCommandLineOption addressOption()
{
    return QCommandLineOption(QStringLiteral("address"),
                              QStringLiteral("With --kind members: the address view of the list."));
}

// --kind, --pdf and --members are taken once; the second one is a word too many.
QString onceEach(const QCommandLineParser& line, const QStringList& names)
{
    for (const QString& name : names)
        if (line.values(name).size() > 1)
            return QStringLiteral("unknown argument: --") + name;
    return {};
}


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
    const auto doc = printing::overviewDocument(r.prepared, r.schedule, r.keyData, r.playDate);
    const QByteArray bytes = printing::exportOverview(doc, settingsOf(r.config));
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

int runPrint(const QStringList& args, const Clock& clock)
{
    CommandLine line(Syntax, About);
    line.addOptions({kindOption(), pdfOption(), addressOption()});
    line.addOptions(scheduleOptions(false));
    if (line.read(args) == CommandLine::Result::Help)
        return showHelp(line.helpText());
    const QCommandLineParser& parsed = line.parser();
    if (valueMissing(parsed, QStringLiteral("kind")) || valueMissing(parsed, QStringLiteral("pdf")))
        return fail(QStringLiteral("--kind and --pdf need a value\n") + Usage);
    const QString kindText = parsed.values(QStringLiteral("kind")).value(0);
    const QString pdf = parsed.values(QStringLiteral("pdf")).value(0);
    if (pdf.isEmpty())
        return fail(QStringLiteral("--pdf FILE.pdf is needed\n") + Usage);

    if (kindText == u"members") {
        if (valueMissing(parsed, QStringLiteral("members")))
            return fail(QStringLiteral("--members needs a value\n") + Usage);
        // The member list takes none of the inputs of schedule.
        CommandLine members(Syntax, About);
        members.addOptions({kindOption(), pdfOption(), addressOption(),
                            QCommandLineOption(QStringLiteral("members"), QString(), QStringLiteral("FILE.tdm"))});
        if (members.read(args, [](const QCommandLineParser& p) {
                return onceEach(p, {QStringLiteral("kind"), QStringLiteral("pdf"), QStringLiteral("members")});
            }) != CommandLine::Result::Ok) {
            const CommandLine::Fault& fault = members.fault();
            return fail(fault.kind == CommandLine::Fault::BadValue ? fault.text
                                                                   : QStringLiteral("unknown argument: ") + fault.argument);
        }
        return printMembers(members.parser().values(QStringLiteral("members")).value(0),
                            members.parser().isSet(QStringLiteral("address")), pdf);
    }

    const std::optional<overviews::OverviewKind> kind = overviewKindFrom(kindText);
    if (!kind)
        return fail(QStringLiteral("--kind 1..4 or members is needed\n") + Usage);
    if (parsed.unknownOptionNames().contains(QStringLiteral("format")))
        return fail(QStringLiteral("print writes a PDF file; --format does not apply"));
    // An overview takes the inputs of schedule, and --address is not one of them.
    CommandLine overview(Syntax, About);
    overview.addOptions({kindOption(), pdfOption()});
    overview.addOptions(scheduleOptions(false));
    if (overview.read(args, [](const QCommandLineParser& p) {
            const QString twice = onceEach(p, {QStringLiteral("kind"), QStringLiteral("pdf")});
            return twice.isEmpty() ? checkScheduleValues(p, false) : twice;
        }) != CommandLine::Result::Ok) {
        CommandLine::Fault fault = overview.fault();
        // --kind and --pdf have their values: another one at the end of the line is one too many.
        if (fault.kind == CommandLine::Fault::MissingValue && (fault.argument == u"--kind" || fault.argument == u"--pdf"))
            fault.kind = CommandLine::Fault::UnknownArgument;
        return scheduleFault(fault);
    }
    return runOverviewOutput(overview.parser(), *kind, clock, [&pdf](const OverviewResult& r) {
        if (!r.prepared.show)
            return fail(QStringLiteral("there is no overview to print"));
        const PrintSettings settings = settingsOf(r.config);
        const auto doc = printing::overviewDocument(r.prepared, r.schedule, r.keyData, r.playDate);
        return printPdf(pdf, settings, [&](printing::PrintCanvas& canvas, const printing::PrintMetrics& metrics) {
            return printing::printOverview(canvas, settings, metrics, doc);
        });
    });
}

} // namespace tandemx::cli
