// tandemx-cli: the headless side of TandemX.
#include "cli/Commands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const QString usage = QStringLiteral(
        "usage: tandemx-cli members FILE.tdm [--format json|text]\n"
        "       tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n"
        "       tandemx-cli overview --kind 1..4 [the inputs of schedule]\n"
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
    std::fputs(qPrintable(usage), stderr);
    return 2;
}
