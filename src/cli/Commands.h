#pragma once
#include "cli/CliSupport.h"

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
// Each command takes the arguments after its name and returns the exit status.
int runMembers(const QStringList& args);
int runSchedule(const QStringList& args);
int runOverview(const QStringList& args);
int runMatches(const QStringList& args);
// tandemx-cli print: an overview or the member list into a PDF file.
int runPrint(const QStringList& args);

// An overview calculated from the inputs of `schedule`, with the key data it was made with (the
// member file's key-data file, when there is one).
struct OverviewResult {
    const engine::ScheduleState& schedule;
    const overviews::PreparedOverview& prepared;
    const KeyData& keyData;
    const std::optional<TConfigObj>& config;
};
using OverviewOutput = std::function<int(const OverviewResult&)>;

// The inputs of `schedule`; overview and print take them too, without --format.
QList<QCommandLineOption> scheduleOptions(bool withFormat);
// Checks every value of those options on a parsed line: the error text of a bad one, or empty.
QString checkScheduleValues(const QCommandLineParser& line, bool withFormat);
// The error line of a fault on such a line, as schedule prints it; returns status 2.
int scheduleFault(const CommandLine::Fault& fault);
// Calculates as `schedule` does from a line that passed checkScheduleValues(line, false) and hands
// overview `kind` to `output`.
int runOverviewOutput(const QCommandLineParser& line, int kind, const OverviewOutput& output);
// Writes the text export of the overview to stdout.
int writeOverviewExport(const OverviewResult& result);
}
