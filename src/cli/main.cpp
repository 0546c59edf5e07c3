// tandemx-cli: the headless side of TandemX.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char* const kUsage =
    "usage: tandemx-cli members FILE.tdm [--format json|text]\n"
    "       tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n"
    "       tandemx-cli overview --kind 1..4 [--export] [the inputs of schedule]\n"
    "       tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
    "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf\n"
    "       tandemx-cli matches FILE.tdm [--format json|text]\n";

// Today's date, or the date TANDEMX_TODAY gives (yyyy-mm-dd), so that a printout or export can be made
// again exactly as it was on the club evening.
class CliClock : public tandemx::Clock {
public:
    QDate today() const override
    {
        const QDate given = QDate::fromString(qEnvironmentVariable("TANDEMX_TODAY"), Qt::ISODate);
        return given.isValid() ? given : tandemx::Clock::today();
    }
};

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

using Command = int (*)(const QStringList&, const tandemx::Clock&);

struct CommandEntry {
    const char* name;
    Command run;
    const char* about;
};

const CommandEntry kCommands[] = {
    {"members", tandemx::cli::runMembers, "Lists the key data and every member of a member file."},
    {"schedule", tandemx::cli::runSchedule, "Computes a schedule, from a member file or from numbers of players."},
    {"overview", tandemx::cli::runOverview,
     "Prints an overview: pair schedule, court schedule, times played or cross table."},
    {"print", tandemx::cli::runPrint, "Writes the printout of an overview or of the member list as a PDF file."},
    {"matches", tandemx::cli::runMatches, "Lists the match file beside a member file."},
};

} // namespace

int main(int argc, char** argv)
{
    // Printing lays text out with fonts, which needs the GUI side of Qt; without a display it runs
    // on the offscreen platform.
    std::unique_ptr<QCoreApplication> application;
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
            && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication& app = *application;
    app.setApplicationVersion(QStringLiteral(TANDEMX_VERSION));

    // The program's own options stand before the command; everything after it is the command's.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.setApplicationDescription(
        QStringLiteral("TandemX without windows: reads the club's member and match files, computes\n"
                       "schedules and writes their overviews and printouts."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(tandemx::cli::helpOption());
    parser.addOption(version);
    for (const CommandEntry& command : kCommands)
        parser.addPositionalArgument(QLatin1String(command.name), QLatin1String(command.about));
    const QStringList args = app.arguments();
    if (!parser.parse(args))
        return usage();
    if (parser.isSet(QStringLiteral("help"))) {
        QString help = parser.helpText();
        help.remove(0, help.indexOf(u'\n') + 1);
        help.replace(QStringLiteral("\nArguments:\n"), QStringLiteral("\nCommands:\n"));
        return tandemx::cli::showHelp(QStringLiteral("Usage: tandemx-cli COMMAND [options]\n") + help
                                      + QStringLiteral("\n\"tandemx-cli COMMAND --help\" shows the options of a "
                                                       "command.\n"));
    }
    if (parser.isSet(version)) {
        std::printf("tandemx-cli %s\n", TANDEMX_VERSION);
        return 0;
    }
    const CliClock clock;
    QStringList rest = parser.positionalArguments();
    // The command is the first word ("--" before it is no command).
    if (rest.isEmpty() || rest.first() != args.value(1))
        return usage();
    const QString name = rest.takeFirst();
    for (const CommandEntry& command : kCommands)
        if (name == QLatin1String(command.name))
            return command.run(rest, clock);
    return usage();
}
