#pragma once
// The owner of the program's windows: the set-up window, the overview window and the match windows
// of one main window, created on first use and held by typed pointers. The commands that change what
// those windows show (a schedule accepted, games copied into a match, another club opened or made,
// the member list edited) tell the owner, and the owner brings every open window up to date, so that
// no window shows, prints or takes back data that are no longer true.
#include "forms/PrintDialogs.h"
#include "forms/TOptiesForm.h"

#include <QObject>

namespace tandemx {

struct AppState;
class MatchWindows;
class TResultsForm;
class TSchemaForm;
class TTandem12X;

class ProgramWindows : public QObject {
    Q_OBJECT
public:
    ProgramWindows(TTandem12X& main, AppState& state);

    TSchemaForm& scheduleForm();
    TResultsForm& resultsForm();
    MatchWindows& matchWindows();
    TOptiesForm& optionsForm();
    // What the printouts and exports of this run remember (the last export file).
    PrintingState& printing() { return printing_; }
    // The preview and print dialogs of the printouts (none until the program installs its own).
    PrintDialogs& printDialogs() { return *printDialogs_; }
    void setPrintDialogs(PrintDialogs& dialogs) { printDialogs_ = &dialogs; }

    // A new schedule was accepted: an open overview shows it (the change grid of the old schedule
    // closes).
    void scheduleAccepted();
    // Games were credited to the current match: an open match window shows them.
    void scoresCopied();
    // Another member list replaced the open one (Open, New): the windows of the old one close.
    void clubReplaced();
    // The member list was reordered or members were added or removed: the score records follow their
    // members and an open match window shows the list as it is now.
    void membersChanged();
    // Before the open club is set aside: what is typed in the match windows is taken into the matches
    // so that the save question sees it. False when something typed could not be taken (reported).
    bool storeTypedScores();

    // Each part of the wiring connects its commands once per main window: true the first time.
    enum class Wiring { Overviews = 1, Matches = 2, Printing = 4, OverviewPrinting = 8, MatchPrinting = 16 };
    bool firstWiring(Wiring part)
    {
        const bool first = (wired_ & int(part)) == 0;
        wired_ |= int(part);
        return first;
    }

private:
    TTandem12X& main_;
    AppState& state_;
    TSchemaForm* schedule_ = nullptr;
    TResultsForm* results_ = nullptr;
    MatchWindows* matches_ = nullptr;
    TOptiesForm* options_ = nullptr;
    PrintingState printing_;
    NoPrintDialogs noPrintDialogs_;
    PrintDialogs* printDialogs_ = &noPrintDialogs_;
    int wired_ = 0;
};

} // namespace tandemx
