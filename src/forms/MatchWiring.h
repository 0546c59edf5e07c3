#pragma once
// Connects the main window's "&Match" commands to the match windows: "&Nieuwe Match" and "&Open Match"
// choose a match and open the match window, "&Verwijder Match" removes the last match, "Invoer Games"
// opens the game input, "Kopie van Games" credits the games entered to the members of the open match.
// "Uitvoer Games" belongs to the overview window; before tonight's schedule it shows the standings in the
// match window.
#include "forms/TMatchSelDlg.h"
#include "state/MenuCommands.h"

#include <QObject>

namespace tandemx {

struct AppState;
class TInvoerForm;
class TMatchForm;
class TTandem12X;

void wireMatches(TTandem12X& window, AppState& state);

// The match windows of one main window and the program-wide match-chosen flag.
class MatchWindows : public QObject {
    Q_OBJECT
public:
    MatchWindows(TTandem12X& window, AppState& state);

    // Runs a "&Match" command ("Uitvoer Games" belongs to the overview window: nothing here).
    void command(MatchCommand command);
    // The standings of the season so far: the match window of the current match (the last one kept),
    // without choosing one and without tonight's schedule ("Uitvoer Games" before a schedule).
    void showStandings();

    // Closes the match window and the game input without taking anything over, and forgets the
    // chosen match: for when the match list is replaced (another member file, a new list).
    void closeWindows();
    // Games were copied into the current match / the member list changed: an open match window
    // shows the records as they are now.
    void scoresCopied();
    void membersChanged();
    // The games typed into an open game input, taken into the round's scores (as changing the round
    // does), so that they count as changes to save. False when a cell could not be taken (reported).
    bool storeTypedScores();

    // A match was chosen in the selection and is still the current match of the same match list.
    bool matchChosen() const;
    // The round count of the chosen match, 0 without one (the set-up window compares it).
    int chosenMatchRounds() const;
    // The input mode the game input was last opened with (0 games until then).
    int gameInputMode() const { return gameInputMode_; }

    TMatchSelDlg& selection();
    TMatchForm& matchForm();
    TInvoerForm& gameInputForm();

    // The match windows of a main window (created by wireMatches).
    static MatchWindows* of(TTandem12X& window);

private:
    void selectAndOpenMatch(TMatchSelDlg::Kind kind);
    void gameInput();
    void copyScores();
    void markChosen(bool chosen);

    TTandem12X& window_;
    AppState& state_;
    TMatchSelDlg* selection_ = nullptr;
    TMatchForm* matchForm_ = nullptr;
    TInvoerForm* gameInput_ = nullptr;
    int chosenMatch_ = 0;
    QString chosenFile_;
    int gameInputMode_ = 0;
};

} // namespace tandemx
