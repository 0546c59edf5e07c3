#pragma once
// Printing and text export in the desktop program: "&Print ledenlijst" and the member list's print
// buttons, "&Print" and "&Export" of the overview and match windows, and the options dialog of
// "&Print Opties" and "Pers.&Gegevens".
#include <QString>

#include <functional>

namespace tandemx {

namespace printing {
struct MemberListDocument;
}
struct AppState;
struct PrintingState;
class TMatchForm;
class TOptiesForm;
class TResultsForm;
class TTandem12X;

// Connects the main window's print and options commands and the overview window's print and export
// buttons.
void wirePrinting(TTandem12X& window, AppState& state);

// The print state and the options dialog of the main window, created on first use.
PrintingState& printingState(TTandem12X& window);
TOptiesForm& optionsForm(TTandem12X& window, AppState& state);

// The member list as the grid shows it, what is being typed in a cell included (needs a member list
// and the main window's member view).
printing::MemberListDocument shownMemberList(TTandem12X& window, AppState& state);

// What the commands do.
void printMemberList(TTandem12X& window, AppState& state);
void printOverview(TTandem12X& window, TResultsForm& form, AppState& state);
void exportOverview(TTandem12X& window, TResultsForm& form, AppState& state);
void printMatches(TTandem12X& window, TMatchForm& form, AppState& state);
void exportMatches(TTandem12X& window, TMatchForm& form, AppState& state);

} // namespace tandemx
