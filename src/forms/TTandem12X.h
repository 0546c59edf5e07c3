#pragma once
// The main window: menus, tool bar, status bar, the member view and the commands that start every
// other window.
#include "overviews/OverviewTexts.h"
#include "state/AppState.h"
#include "state/MenuCommands.h"

#include <QMainWindow>

#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;
class QToolButton;
class QWidget;

namespace tandemx {

class MemberView;
class ProgramWindows;
class RecentFiles;
class WindowList;

class TTandem12X : public QMainWindow {
    Q_OBJECT
public:
    explicit TTandem12X(AppState& state, QWidget* parent = nullptr);
    ~TTandem12X() override;

    AppState& state() { return state_; }
    MemberView* memberView() const { return memberView_; }
    WindowList* windowList() const { return windowList_; }
    RecentFiles* recentFiles() const { return recentFiles_; }
    // The owner of the other windows (created on first use).
    ProgramWindows& windows();
    bool mayClose() const { return mayClose_; }
    bool memberViewShown() const { return memberViewOn_; }

    // Command groups.
    void setFileGroup(bool on);
    void setMemberView(bool on);
    void setOverviewGroup(bool on);
    void setMatchGroup(bool on);
    // "&Open Match" and "Uitvoer Games" alone: the standings of the matches kept, without a schedule.
    void setStandingsGroup(bool on);
    // Whether all match commands are on: tonight's schedule was made (not only the standings).
    bool matchGroupOn() const { return matchGroupOn_; }

    // File commands.
    void newFile();
    void openFile();
    // Opens path as Open does after its dialog.
    bool openPath(const QString& path);
    // The save commands: see saveCommand().
    void saveFile() { saveCommand(false, false, false); }
    void saveFileAs() { saveCommand(true, true, true); }
    void saveWithReport() { saveCommand(false, false, true); }
    bool saveCommand(bool askName, bool confirmBackup, bool report);
    void closeMemberView();   // "&Sluit"
    void discardMemberView(); // "S&chrap", Escape
    // Before the open list is set aside (Open, New, closing the program): with changes not yet on
    // disk asks "Bestand bewaren ?" (Ja saves, Nee drops them, Schrap keeps everything as it is).
    // True when the caller may go on.
    bool settleUnsavedChanges();
    // The title: the club that is open, and "*" while it has changes not yet on disk.
    void updateTitle();
    void toggleMaximized();
    void showAbout();
    void showKeyData();

    // Applies the fonts and window options of the loaded print settings.
    void applyPrintSettings();

signals:
    // Commands whose windows other parts of the program provide.
    void scheduleRequested(tandemx::engine::ScheduleMode mode);
    void overviewRequested(tandemx::overviews::OverviewKind kind);
    void matchCommandRequested(tandemx::MatchCommand command);
    void optionsRequested(tandemx::OptionsPage page);
    void printMembersRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildMemberPanel();
    QAction* addItem(QMenu* menu, const char* objectName, const char* caption, const char* hint,
                     int helpContext, int tag = 0);
    void showMemberList();
    void setStatusName(const QString& name);
    void showHint(const QString& hint);
    void tick();
    void newMember();
    void editMember();
    void layOutMemberView();
    // The match windows belong to the list they were opened for.
    void closeMatchWindows();
    // The member view's "Bestand bewaren ?" (Sluit, Schrap, Escape): false when the view stays.
    bool settleMemberChanges();
    // "&Nieuw" and its tool button, available again (a save, or the key-data dialog left without OK).
    void enableNew();

    AppState& state_;
    MemberView* memberView_ = nullptr;
    WindowList* windowList_ = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    ProgramWindows* windows_ = nullptr;
    bool mayClose_ = true;
    bool memberViewOn_ = false;
    bool matchGroupOn_ = false;

    QLabel* panels_[4] = {};
    QTimer* clock_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QWidget* ledenPanel_ = nullptr;
    QPushButton* turvenBtn_ = nullptr;
    QPushButton* randomBtn_ = nullptr;

public:
    // Menu items and buttons by name, for the command groups (and tests).
    QAction *nieuw1 = nullptr, *open1 = nullptr, *configuratie1 = nullptr, *bewaren1 = nullptr,
            *bewarenAls1 = nullptr, *printLedenlijst1 = nullptr, *toonAdressen1 = nullptr, *exit1 = nullptr,
            *nieuwLid1 = nullptr, *nieuwRecord1 = nullptr, *bewerken1 = nullptr, *verwijderen1 = nullptr,
            *zoeken1 = nullptr, *schemaNamen1 = nullptr, *schemaParen1 = nullptr, *maximaal1 = nullptr,
            *menuIconen1 = nullptr, *informatie1 = nullptr;
    QMenu *menuInvoegen = nullptr, *menuSorteren = nullptr, *menuMatch = nullptr, *menuBeeld = nullptr;
    std::vector<QAction*> overviewItems; // Parenschema .. Wijzigen
    std::vector<QAction*> matchItems;    // Nieuwe Match .. Kopie van Games
    QToolButton *nieuwSpdBtn = nullptr, *openSpdBtn = nullptr, *bewaarSpdBtn = nullptr, *bewAlsSpdBtn = nullptr,
                *printSpdBtn = nullptr, *invoegSpdBtn = nullptr, *wegSpdBtn = nullptr, *zoekSpdbtn = nullptr,
                *sortSpdBtn = nullptr, *naamSpdBtn = nullptr, *paarSpdBtn = nullptr, *uitSpdBtn = nullptr;
};

} // namespace tandemx
