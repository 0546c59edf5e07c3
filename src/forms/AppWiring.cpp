#include "forms/AppWiring.h"

#include "forms/MatchWiring.h"
#include "forms/PrintWiring.h"
#include "forms/ResultsWiring.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"

namespace tandemx {

void wireWindows(TTandem12X& window)
{
    QObject::connect(&window, &TTandem12X::scheduleRequested, &window,
                     [&window](engine::ScheduleMode mode) { OpenScheduleSetup(window.state(), window, mode); });
    wireOverviews(window, window.state());
    wireMatches(window, window.state());
    // After the match windows: the match window's Print and Export are connected to its printouts.
    wirePrinting(window, window.state());
}

} // namespace tandemx
