#pragma once
// Connects the main window's overview commands to the overview window "Schema Resultaten".
#include "overviews/OverviewTexts.h"

namespace tandemx {

struct AppState;
class TResultsForm;
class TTandem12X;

// "&Parenschema" .. "&Wijzigen", the tool button "Parenschema overzicht" and "Uitvoer Games" open the
// overview window, or only bring it to the front while it is visible.
void wireOverviews(TTandem12X& window, AppState& state);

// The overview window of the main window, created on first use.
TResultsForm& resultsForm(TTandem12X& window, AppState& state);

// What those commands do: brings a visible overview window to the front, or shows overview `kind`
// in it. The window is then listed in the "Bee&ld" menu.
void openOverview(TTandem12X& window, AppState& state, overviews::OverviewKind kind);

} // namespace tandemx
