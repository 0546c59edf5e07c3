// The main window's file commands: New, Open, the save commands, closing the member view and the
// program.
#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/TConfigDial.h"
#include "forms/TTandem12X.h"
#include "state/FileCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QToolButton>

namespace tandemx {

void TTandem12X::newFile()
{
    Club& club = state_.club;
    // Cancelling the key-data dialog leaves the open list with its own name and key data.
    const QString oldName = club.memberFileName;
    const std::optional<TConfigObj> oldConfig = club.config;
    const PrintSettings oldPrintSettings = club.printSettings;
    club.memberFileName = NoFileName;
    setStatusName(NoFileName);
    const bool confirmed = ShowConfig(state_, true, this, [this] { enableNew(); });
    if (!confirmed) {
        club.memberFileName = oldName;
        club.config = oldConfig;
        club.printSettings = oldPrintSettings;
        setStatusName(oldName);
        memberView_->refreshCounters();
        return;
    }
    memberView_->refreshCounters();
    club.members = createMemberList(club.keyData(), club.memberFileName);
    // A new list starts without the previous file's matches; match windows of the old list close.
    closeMatchWindows();
    state_.matches = MatchData{};
    if (club.keyData().keepGames == 1)
        LoadMatchFile(state_, state_.matches);
    showMemberList();
    nieuw1->setEnabled(false);
    nieuwSpdBtn->setEnabled(false);
    club.fileLoaded = true;
}

void TTandem12X::closeMatchWindows()
{
    if (MatchWindows* windows = MatchWindows::of(*this))
        windows->closeWindows();
}

void TTandem12X::openFile()
{
    auto path = state_.files.openFile(memberFileOpenRequest());
    if (!path) {
        state_.club.fileLoaded = false;
        return;
    }
    openPath(*path);
}

bool TTandem12X::openPath(const QString& chosen)
{
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (!openMemberFile(state_, path, [this] { ShowConfig(state_, true, this, [this] { enableNew(); }); }))
        return false;
    closeMatchWindows();
    state_.matches = MatchData{};
    if (state_.club.keyData().keepGames == 1)
        LoadMatchFile(state_, state_.matches);
    applyPrintSettings();
    setFileGroup(true);
    const QString bare = QFileInfo(path).fileName();
    setStatusName(bare.isEmpty() ? NoFileName : bare);
    showMemberList();
    setOverviewGroup(false);
    setMatchGroup(false);
    return true;
}

bool TTandem12X::saveCommand(bool askName, bool confirmBackup, bool report)
{
    Club& club = state_.club;
    if (!club.members)
        return false;
    if (memberViewOn_)
        memberView_->copyBackAll();
    if (!fileNameStep(state_, askName, confirmBackup))
        return false;
    if (!saveMemberList(state_, report))
        return false;
    setStatusName(club.memberFileName);
    nieuw1->setEnabled(true);
    nieuwSpdBtn->setEnabled(true);
    bool ok = saveConfig(state_, club.memberFileName);
    // Matches made before the list had a name are written beside it now.
    if (club.keyData().keepGames == 1 && state_.matches.MatchCount() > 0
        && state_.matches.memberFile != club.memberFileName)
        ok = SaveMatchFile(state_, state_.matches) && ok;
    return ok;
}

void TTandem12X::closeMemberView()
{
    Messages& messages = state_.messages;
    messages.lastErrorState = 0;
    if (!state_.club.members)
        return;
    memberView_->copyBackAll();
    if (!checkClubNumbers(*state_.club.members, messages)) {
        messages.showMessageNo(QString(), 9, 0, 0);
        mayClose_ = false;
        return;
    }
    if (messages.ask(QStringLiteral("Bestand bewaren ?"))) {
        // A save that was cancelled or failed keeps the view open: the list is not yet on disk.
        if (!saveCommand(false, false, false))
            return;
    }
    mayClose_ = true;
    setMemberView(false);
}

void TTandem12X::discardMemberView()
{
    mayClose_ = true;
    setMemberView(false);
}

void TTandem12X::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && memberViewOn_) {
        discardMemberView();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TTandem12X::closeEvent(QCloseEvent* event)
{
    if (!mayClose_ && state_.messages.ask(QStringLiteral("Bestand nog redden\r gebruik dan Sluit"))) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace tandemx
