#include "forms/ResultsWiring.h"

#include "forms/ProgramWindows.h"
#include "forms/TResultsForm.h"
#include "forms/TTandem12X.h"
#include "forms/WindowList.h"
#include "overviews/OverviewTexts.h"


namespace tandemx {

namespace {
constexpr int UitvoerGames = 5; // the "&Match" command "Uitvoer Games"
}

TResultsForm& resultsForm(TTandem12X& window, AppState&)
{
    return window.windows().resultsForm();
}

void openOverview(TTandem12X& window, AppState& state, overviews::OverviewKind kind)
{
    TResultsForm& form = resultsForm(window, state);
    if (form.isVisible()) {
        form.raise();
        form.activateWindow();
        return;
    }
    form.ShowOverview(kind);
}

void wireOverviews(TTandem12X& window, AppState& state)
{
    if (!window.windows().firstWiring(ProgramWindows::Wiring::Overviews))
        return;
    QObject::connect(&window, &TTandem12X::overviewRequested, &window,
                     [&window, &state](overviews::OverviewKind kind) { openOverview(window, state, kind); });
    QObject::connect(&window, &TTandem12X::matchCommandRequested, &window, [&window, &state](MatchCommand command) {
        // Without tonight's schedule the match window shows the standings instead (MatchWiring).
        if (command == MatchCommand::UitvoerGames && window.matchGroupOn())
            openOverview(window, state, overviews::GamesOverview);
    });
}

} // namespace tandemx
