#include "forms/ResultsWiring.h"

#include "forms/TResultsForm.h"
#include "forms/TTandem12X.h"
#include "forms/WindowList.h"
#include "overviews/OverviewTexts.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

namespace tandemx {

namespace {
const QString WindowHint = QStringLiteral("Selecteer Uitvoer venster");
constexpr int UitvoerGames = 5; // the "&Match" command "Uitvoer Games"
}

TResultsForm& resultsForm(TTandem12X& window, AppState& state)
{
    if (auto* form = window.findChild<TResultsForm*>(QStringLiteral("TResultsForm"), Qt::FindDirectChildrenOnly))
        return *form;
    auto* form = new TResultsForm(state, &window);
    TTandem12X* main = &window;
    QObject::connect(form, &TResultsForm::overviewsEnabled, main, [main] { main->setOverviewGroup(true); });
    QObject::connect(form, &TResultsForm::overviewShown, main,
                     [main, form] { main->windowList()->add(form, WindowHint); });
    QObject::connect(form, &TResultsForm::closing, main, [main, form] {
        main->windowList()->remove(form);
        main->activateWindow();
        main->setFocus();
    });
    // The list view's hints go to the main window's status bar.
    QObject::connect(form, &TResultsForm::hintChanged, main, [main](const QString& hint) {
        QStatusTipEvent tip(hint);
        QCoreApplication::sendEvent(main, &tip);
    });
    return *form;
}

void openOverview(TTandem12X& window, AppState& state, int kind)
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
    QObject::connect(&window, &TTandem12X::overviewRequested, &window,
                     [&window, &state](int kind) { openOverview(window, state, kind); });
    QObject::connect(&window, &TTandem12X::matchCommandRequested, &window, [&window, &state](int command) {
        if (command == UitvoerGames)
            openOverview(window, state, overviews::GamesOverview);
    });
}

} // namespace tandemx
