#include "forms/ProgramWindows.h"

#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/TMatchForm.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/WindowList.h"
#include "matches/MatchMembers.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

namespace tandemx {

ProgramWindows::ProgramWindows(TTandem12X& main, AppState& state) : QObject(&main), main_(main), state_(state)
{
    setObjectName(QStringLiteral("ProgramWindows"));
}

TSchemaForm& ProgramWindows::scheduleForm()
{
    if (!schedule_)
        schedule_ = new TSchemaForm(state_, &main_);
    return *schedule_;
}

TResultsForm& ProgramWindows::resultsForm()
{
    if (results_)
        return *results_;
    auto* form = results_ = new TResultsForm(state_, &main_);
    TTandem12X* main = &main_;
    connect(form, &TResultsForm::overviewsEnabled, main, [main] { main->setOverviewGroup(true); });
    connect(form, &TResultsForm::overviewShown, main,
            [main, form] { main->windowList()->add(form, QStringLiteral("Selecteer Uitvoer venster")); });
    connect(form, &TResultsForm::closing, main, [main, form] {
        main->windowList()->remove(form);
        main->activateWindow();
        main->setFocus();
    });
    // The list view's hints go to the main window's status bar.
    connect(form, &TResultsForm::hintChanged, main, [main](const QString& hint) {
        QStatusTipEvent tip(hint);
        QCoreApplication::sendEvent(main, &tip);
    });
    return *form;
}

TOptiesForm& ProgramWindows::optionsForm()
{
    if (options_)
        return *options_;
    options_ = new TOptiesForm(state_, &main_);
    TTandem12X* main = &main_;
    connect(options_, &TOptiesForm::windowFontChanged, main, [main] {
        main->applyPrintSettings();
        // The grid has a font of its own, set when it is laid out; it follows the change at once.
        if (MemberView* view = main->memberView())
            view->applyWindowFont();
    });
    return *options_;
}

MatchWindows& ProgramWindows::matchWindows()
{
    if (!matches_)
        matches_ = new MatchWindows(main_, state_);
    return *matches_;
}

void ProgramWindows::scheduleAccepted()
{
    if (results_)
        results_->scheduleChanged();
}

void ProgramWindows::scoresCopied()
{
    if (matches_)
        matches_->scoresCopied();
}

void ProgramWindows::clubReplaced()
{
    if (matches_)
        matches_->closeWindows();
    if (results_)
        results_->closeForOtherClub();
}

void ProgramWindows::membersChanged()
{
    if (!state_.club.members || state_.matches.memberIds == state_.club.members->ids())
        return; // the grid was only filled again: nothing to follow, nothing typed to overwrite
    followMembers(state_.matches, *state_.club.members);
    if (matches_)
        matches_->membersChanged();
}

bool ProgramWindows::storeTypedScores()
{
    return !matches_ || matches_->storeTypedScores();
}

} // namespace tandemx
