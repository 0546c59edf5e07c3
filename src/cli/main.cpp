// tandemx-cli: the headless side of TandemX.
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

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
    QStringList args = app.arguments();
    args.removeFirst();
    const QString usage = QStringLiteral(
        "usage: tandemx-cli members FILE.tdm [--format json|text]\n"
        "       tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n"
        "       tandemx-cli overview --kind 1..4 [--export] [the inputs of schedule]\n"
        "       tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
        "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf\n"
        "       tandemx-cli matches FILE.tdm [--format json|text]\n");
    if (args.isEmpty()) {
        std::fputs(qPrintable(usage), stderr);
        return 2;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("members"))
        return tandemx::cli::runMembers(args);
    if (command == QLatin1String("schedule"))
        return tandemx::cli::runSchedule(args);
    if (command == QLatin1String("overview"))
        return tandemx::cli::runOverview(args);
    if (command == QLatin1String("matches"))
        return tandemx::cli::runMatches(args);
    if (command == QLatin1String("print"))
        return tandemx::cli::runPrint(args);
    std::fputs(qPrintable(usage), stderr);
    return 2;
}
