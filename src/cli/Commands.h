#pragma once
#include "cli/CliSupport.h"
#include "overviews/OverviewTexts.h"
#include "state/Seams.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

namespace tandemx {
struct KeyData;
struct TConfigObj;
namespace engine {
struct ScheduleState;
}
namespace overviews {
struct PreparedOverview;
}
}

namespace tandemx::cli {
// Each command takes the arguments after its name and returns the exit status. The clock gives the date
// a schedule is made for (printouts and exports carry it).
int runMembers(const QStringList& args, const Clock& clock);
int runSchedule(const QStringList& args, const Clock& clock);
int runOverview(const QStringList& args, const Clock& clock);
int runMatches(const QStringList& args, const Clock& clock);
// tandemx-cli print: an overview or the member list into a PDF file.
int runPrint(const QStringList& args, const Clock& clock);

// An overview calculated from the inputs of `schedule`, with the key data it was made with (the
// member file's key-data file, when there is one).
struct OverviewResult {
    const engine::ScheduleState& schedule;
    const overviews::PreparedOverview& prepared;
    const KeyData& keyData;
    const std::optional<TConfigObj>& config;
    QDate playDate;
};
using OverviewOutput = std::function<int(const OverviewResult&)>;

// The inputs of `schedule`; overview and print take them too, without --format.
QList<QCommandLineOption> scheduleOptions(bool withFormat);
// Checks every value of those options on a parsed line: the error text of a bad one, or empty.
QString checkScheduleValues(const QCommandLineParser& line, bool withFormat);
// The error line of a fault on such a line, as schedule prints it; returns status 2.
int scheduleFault(const CommandLine::Fault& fault);
// The overview a --kind value names: 1 pair schedule, 2 court schedule, 3 times played, 4 cross table;
// nothing for any other text.
std::optional<overviews::OverviewKind> overviewKindFrom(const QString& text);
// Calculates as `schedule` does from a line that passed checkScheduleValues(line, false) and hands
// overview `kind` to `output`.
int runOverviewOutput(const QCommandLineParser& line, overviews::OverviewKind kind, const Clock& clock,
                      const OverviewOutput& output);
// Writes the text export of the overview to stdout.
int writeOverviewExport(const OverviewResult& result);
}
