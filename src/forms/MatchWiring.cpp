#include "forms/MatchWiring.h"

#include "forms/ProgramWindows.h"
#include "forms/ResultsWiring.h"
#include "forms/TInvoerForm.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/WindowList.h"
#include "matches/MatchMembers.h"
#include "matches/MatchScores.h"

#include <QAction>

namespace tandemx {

namespace {
const QString MatchWindowHint = QStringLiteral("Selecteer MatchScore venster");
}

MatchWindows::MatchWindows(TTandem12X& window, AppState& state) : QObject(&window), window_(window), state_(state)
{
    setObjectName(QStringLiteral("MatchWindows"));
}

MatchWindows* MatchWindows::of(TTandem12X& window)
{
    return &window.windows().matchWindows();
}

TMatchSelDlg& MatchWindows::selection()
{
    if (!selection_)
        selection_ = new TMatchSelDlg(state_, &window_);
    return *selection_;
}

TMatchForm& MatchWindows::matchForm()
{
    if (matchForm_)
        return *matchForm_;
    matchForm_ = new TMatchForm(state_, &window_);
    TTandem12X* main = &window_;
    TMatchForm* form = matchForm_;
    connect(form, &TMatchForm::lastMatchOpen, main, [main] {
        if (!main->matchItems.empty())
            main->matchItems.front()->setEnabled(false); // "&Nieuwe Match"
    });
    connect(form, &TMatchForm::closing, main, [main, form] {
        main->windowList()->remove(form);
        main->activateWindow();
    });
    return *matchForm_;
}

TInvoerForm& MatchWindows::gameInputForm()
{
    if (gameInput_)
        return *gameInput_;
    gameInput_ = new TInvoerForm(state_, &window_);
    TTandem12X* main = &window_;
    TInvoerForm* form = gameInput_;
    connect(form, &TInvoerForm::scoresAccepted, main, [main] {
        if (!main->matchItems.empty())
            main->matchItems.front()->setEnabled(false); // "&Nieuwe Match"
    });
    connect(form, &TInvoerForm::closing, main, [main, form] {
        main->windowList()->remove(form);
        main->activateWindow();
    });
    return *gameInput_;
}

bool MatchWindows::matchChosen() const
{
    const MatchData& data = state_.matches;
    return chosenMatch_ > 0 && data.CurrentMatch.match == chosenMatch_ && data.memberFile == chosenFile_
        && data.match(chosenMatch_) != nullptr;
}

int MatchWindows::chosenMatchRounds() const
{
    return matchChosen() ? state_.matches.CurrentMatch.header.MatchRounds : 0;
}

void MatchWindows::markChosen(bool chosen)
{
    chosenMatch_ = chosen ? state_.matches.CurrentMatch.match : 0;
    chosenFile_ = state_.matches.memberFile;
}

void MatchWindows::command(MatchCommand command)
{
    switch (command) {
    case MatchCommand::NieuweMatch:
        selectAndOpenMatch(TMatchSelDlg::NewMatch);
        break;
    case MatchCommand::OpenMatch:
        selectAndOpenMatch(TMatchSelDlg::OpenMatch);
        break;
    case MatchCommand::VerwijderMatch:
        DeleteLastMatch(state_, state_.matches, true);
        break;
    case MatchCommand::InvoerGames:
        gameInput();
        break;
    case MatchCommand::KopieVanGames:
        copyScores();
        break;
    case MatchCommand::UitvoerGames:
        break;
    }
}

void MatchWindows::scoresCopied()
{
    if (matchForm_ && matchForm_->isVisible())
        matchForm_->showCopiedScores();
}

void MatchWindows::membersChanged()
{
    if (matchForm_ && matchForm_->isVisible())
        matchForm_->showCopiedScores();
}

bool MatchWindows::storeTypedScores()
{
    return !gameInput_ || !gameInput_->isVisible() || gameInput_->storeRound();
}

void MatchWindows::closeWindows()
{
    if (matchForm_ && matchForm_->isVisible())
        matchForm_->Schrap();
    if (gameInput_ && gameInput_->isVisible())
        gameInput_->Schrap();
    markChosen(false);
}

void MatchWindows::selectAndOpenMatch(TMatchSelDlg::Kind kind)
{
    const bool chosen = selection().SelectMatch(kind);
    markChosen(chosen);
    if (!chosen)
        return;
    // A match window that is open goes first, without taking anything over.
    TMatchForm& form = matchForm();
    if (form.isVisible())
        form.Schrap();
    form.OpenMatchForm();
    window_.windowList()->add(&form, MatchWindowHint);
    if (form.matchNumber() == TMatchForm::LastMatch && !window_.matchItems.empty())
        window_.matchItems.front()->setEnabled(false);
}

void MatchWindows::showStandings()
{
    if (!state_.matches.current())
        return;
    TMatchForm& form = matchForm();
    if (form.isVisible()) {
        form.raise();
        form.activateWindow();
        return;
    }
    form.OpenMatchForm();
    window_.windowList()->add(&form, MatchWindowHint);
    if (form.matchNumber() == TMatchForm::LastMatch && !window_.matchItems.empty())
        window_.matchItems.front()->setEnabled(false);
}

void MatchWindows::gameInput()
{
    if (gameInput_ && window_.windowList()->isOpen(gameInput_)) {
        window_.windowList()->raise(gameInput_);
        return;
    }
    if (!matchChosen())
        markChosen(selection().SelectMatch(TMatchSelDlg::FromGameInput));
    if (!matchChosen())
        return;
    const CurrentMatchState& current = state_.matches.CurrentMatch;
    TInvoerForm& form = gameInputForm();
    if (!form.OpenGameInput(current.match, current.header.InputMode))
        return;
    gameInputMode_ = form.inputMode();
    window_.windowList()->add(&form);
}

void MatchWindows::copyScores()
{
    const MemberList* members = state_.club.members ? &*state_.club.members : nullptr;
    if (members)
        followMembers(state_.matches, *members);
    const engine::ScheduleState& schedule = *state_.schedule;
    const auto positions = members ? playerPositions(*members, schedule) : std::nullopt;
    if (!positions) {
        // The member list no longer agrees with the schedule: nobody can be credited safely.
        state_.messages.showBericht(matchMessage(NoPairFound), Error, Btn::OK, 0);
        return;
    }
    if (!CopyScoresToMatch(state_.matches, schedule, state_.playDate, gameInputMode_, *positions,
                           state_.club.memberCount(), state_.messages))
        return;
    window_.windows().scoresCopied();
    state_.messages.showInfo(QStringLiteral("Kopie van Games gelukt"));
}

void wireMatches(TTandem12X& window, AppState& state)
{
    if (!window.windows().firstWiring(ProgramWindows::Wiring::Matches))
        return;
    MatchWindows* windows = &window.windows().matchWindows();
    TTandem12X* main = &window;
    QObject::connect(&window, &TTandem12X::matchCommandRequested, windows, [windows, main](MatchCommand command) {
        // "Uitvoer Games" opens the overview window of tonight's games; before there is a schedule it
        // shows the standings of the last match.
        if (command != MatchCommand::UitvoerGames)
            windows->command(command);
        else if (!main->matchGroupOn())
            windows->showStandings();
    });
    scheduleForm(state, window).matchRounds = [windows] { return windows->chosenMatchRounds(); };
    // The games overview shows the games of the current match.
    TResultsForm& overview = resultsForm(window, state);
    overview.matchNumber = [&state] { return state.matches.current() ? state.matches.CurrentMatch.match : 0; };
    overview.games = [&state](int round, int court, int place) {
        const TMatchCalcObj* match = state.matches.current();
        if (!match || round < 1 || round >= int(match->scores.size()) || court < 1 || court > MaxScoreCourts
            || place < 1 || place > ScorePlaces)
            return 0;
        return int(match->scores[size_t(round)].at(court, place));
    };
}

} // namespace tandemx
