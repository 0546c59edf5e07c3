#include "forms/AppWiring.h"

#include "forms/MatchWiring.h"
#include "forms/ResultsWiring.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"

namespace tandemx {

void wireWindows(TTandem12X& window)
{
    // "Schema met &Namen" (1) and "Schema met &Paren" (2).
    QObject::connect(&window, &TTandem12X::scheduleRequested, &window,
                     [&window](int mode) { OpenScheduleSetup(window.state(), window, mode); });
    wireOverviews(window, window.state());
    wireMatches(window, window.state());
    // The options and print windows connect here as they are built.
}

} // namespace tandemx
