#include "cli/Commands.h"

#include <cstdio>

namespace tandemx::cli {
int runSchedule(const QStringList&)
{
    std::fputs("tandemx-cli: schedule is not available yet\n", stderr);
    return 2;
}
}
