// The main window's file commands: New, Open, the save commands, closing the member view and the
// program.
#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/ProgramWindows.h"
#include "forms/RecentFiles.h"
#include "forms/TConfigDial.h"
#include "forms/TTandem12X.h"
#include "records/MemberFile.h"
#include "state/FileCommands.h"
#include "state/UnsavedChanges.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QToolButton>

namespace tandemx {

void TTandem12X::newFile()
{
    if (!settleUnsavedChanges())
        return;
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
    // The standings shown without a schedule were those of the club set aside; the new list has no
    // match file. (The match commands that tonight's schedule switched on stay as they are.)
    if (!matchGroupOn_)
        setStandingsGroup(false);
    nieuw1->setEnabled(false);
    nieuwSpdBtn->setEnabled(false);
    club.fileLoaded = true;
    // An untouched new list holds nothing to lose.
    markMembersSaved(state_);
    markConfigSaved(state_);
    markMatchesSaved(state_);
    updateTitle();
}

void TTandem12X::closeMatchWindows()
{
    windows().clubReplaced();
}

ProgramWindows& TTandem12X::windows()
{
    if (!windows_)
        windows_ = new ProgramWindows(*this, state_);
    return *windows_;
}

void TTandem12X::openFile()
{
    if (!settleUnsavedChanges())
        return;
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
    const bool keepsGames = state_.club.keyData().keepGames == 1;
    const bool matchFile = QFileInfo::exists(matchFileName(path));
    if (keepsGames)
        LoadMatchFile(state_, state_.matches);
    applyPrintSettings();
    setFileGroup(true);
    const QString bare = QFileInfo(path).fileName();
    setStatusName(bare.isEmpty() ? NoFileName : bare);
    showMemberList();
    // Showing the list numbers its rows afresh: that is no change of the user's.
    markMembersSaved(state_);
    setOverviewGroup(false);
    setMatchGroup(false);
    // The season so far can be looked at and printed before tonight's schedule is made.
    setStandingsGroup(keepsGames && matchFile && state_.matches.MatchCount() > 0);
    updateTitle();
    recentFiles_->add(path);
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
    recentFiles_->add(club.memberFileName);
    setStatusName(club.memberFileName);
    nieuw1->setEnabled(true);
    nieuwSpdBtn->setEnabled(true);
    bool ok = saveConfig(state_, club.memberFileName);
    updateTitle();
    // Matches made before the list had a name are written beside it now, and so are matches whose
    // file holds the members in another order than the list now saved: the two files always agree.
    const MatchData& matches = state_.matches;
    if (club.keyData().keepGames == 1 && matches.MatchCount() > 0
        && (matches.memberFile != club.memberFileName || matches.fileIds != club.members->ids()))
        ok = SaveMatchFile(state_, state_.matches) && ok;
    updateTitle();
    return ok;
}

bool TTandem12X::settleUnsavedChanges()
{
    if (!windows().storeTypedScores())
        return false;
    if (memberViewOn_)
        memberView_->copyBackAll();
    if (!hasUnsavedChanges(state_))
        return true;
    const int answer = state_.messages.showBericht(QStringLiteral("Bestand bewaren ?"), Question,
                                                   Btn::Ja | Btn::Nee | Btn::Schrap, 0);
    if (answer == Result::No)
        return true;
    if (answer != Result::Yes)
        return false;
    // Matches of a list that has no name yet can only be written beside it: the list is saved (under
    // a name asked for) with them.
    const bool unnamed = state_.club.memberFileName == NoFileName;
    if ((membersUnsaved(state_) || unnamed) && !saveCommand(false, false, false))
        return false;
    if (matchesUnsaved(state_) && !SaveMatchFile(state_, state_.matches))
        return false;
    updateTitle();
    return true;
}

bool TTandem12X::settleMemberChanges()
{
    if (!membersUnsaved(state_))
        return true;
    const int answer = state_.messages.showBericht(QStringLiteral("Bestand bewaren ?"), Question,
                                                   Btn::Ja | Btn::Nee | Btn::Schrap, 0);
    if (answer == Result::Yes)
        return saveCommand(false, false, false);
    if (answer != Result::No)
        return false;
    dropMemberChanges(state_);
    windows().membersChanged();
    updateTitle();
    return true;
}

void TTandem12X::updateTitle()
{
    const Club& club = state_.club;
    QString name;
    if (club.members) {
        if (club.memberFileName != NoFileName) {
            const QFileInfo file(club.memberFileName);
            name = file.fileName() + QStringLiteral(" (") + QDir::toNativeSeparators(file.absolutePath())
                + QStringLiteral(")");
        } else {
            const QString clubName = club.keyData().clubNameText().trimmed();
            name = clubName.isEmpty() ? NoFileName : clubName;
        }
    }
    const QString app = QStringLiteral("Tennis Programma TandemX");
    setWindowTitle(name.isEmpty() ? app : name + QStringLiteral("[*] - ") + app);
    setWindowModified(club.members && hasUnsavedChanges(state_));
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
    // A save that was cancelled or failed keeps the view open: the list is not yet on disk.
    if (!settleMemberChanges())
        return;
    mayClose_ = true;
    setMemberView(false);
}

void TTandem12X::discardMemberView()
{
    if (state_.club.members) {
        memberView_->copyBackAll();
        if (!settleMemberChanges())
            return;
    }
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
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    // What was to be kept is kept: the other windows close without asking again.
    windows().clubReplaced();
    event->accept();
}

} // namespace tandemx
