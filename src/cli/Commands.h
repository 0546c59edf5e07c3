#pragma once
#include <QStringList>

namespace tandemx::cli {
// Each command takes the arguments after its name and returns the exit status.
int runMembers(const QStringList& args);
int runSchedule(const QStringList& args);
int runOverview(const QStringList& args);
int runMatches(const QStringList& args);
}
