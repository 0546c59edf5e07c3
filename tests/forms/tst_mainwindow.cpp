// The main window driven through its real menus, buttons and dialogs.
#include "forms/AppWiring.h"
#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/PrintWiring.h"
#include "forms/ProgramWindows.h"
#include "forms/ScoreGrid.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TResultsForm.h"
#include "forms/QtFileDialogs.h"
#include "forms/TConfigDial.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "forms/WindowList.h"
#include "matches/MatchFile.h"
#include "printing/MemberListPrint.h"
#include "records/MemberFile.h"
#include "records/MemberOps.h"
#include "state/FileCommands.h"
#include "state/UnsavedChanges.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

using namespace tandemx;
using namespace tandemx::test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the next key-data dialog by typing into its fields and pressing "O&k" (or Escape).
void answerKeyData(AppState& state, const QString& clubSize, bool ok = true)
{
    ModalHooks& hooks = state.modalHooks;
    hooks.onShow<TConfigDial>([&hooks, clubSize, ok](TConfigDial& dialog) {
        // One dialog only: the next one is not answered.
        hooks.remove<TConfigDial>();
        QTimer::singleShot(0, &dialog, [&dialog, clubSize, ok] {
            if (!ok) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
                return;
            }
            auto* size = dialog.findChild<QLineEdit*>("Edit2");
            QVERIFY(size);
            size->selectAll();
            QTest::keyClicks(size, clubSize);
            QTest::mouseClick(dialog.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
        });
    });
}

QAction* item(TTandem12X& w, const char* name) { return w.findChild<QAction*>(name); }

// A club of four beside `file`, its key data keeping games (or not) and, with `matches`, a match file
// of that many matches in which member n won 10 * match + n games.
void writeClubWithMatches(const QString& file, bool keepGames, int matches)
{
    ScriptedMessageSink sink;
    Messages messages{sink};
    Clock clock;
    ScriptedFiles files;
    AppState state{messages, clock, files};
    setDefaults(state);
    KeyData& k = state.club.config->keyData;
    k.clubSize = 4;
    k.keepGames = keepGames ? 1 : 0;
    k.maxMatches = 10;
    MemberList list;
    for (int i = 1; i <= 4; ++i)
        list.append(makeMemberRecord(i, 100 + i, i <= 2 ? "h" : "d", "X"));
    state.club.members = list;
    state.club.memberFileName = file;
    QVERIFY(saveMemberList(state, false));
    QVERIFY(saveConfig(state, file));
    for (int n = 1; n <= matches; ++n) {
        QVERIFY(CreateMatch(state, state.matches, n));
        for (int m = 1; m <= 4; ++m)
            state.matches.match(n)->calcs[size_t(m)].Games = int16_t(10 * n + m);
    }
    if (matches > 0)
        QVERIFY(SaveMatchFile(state, state.matches));
    QCOMPARE(QFile::exists(matchFileName(file)), matches > 0);
}

// Clicks the item of a menu of the menu bar as the user does: the menu opened, the item clicked.
void chooseFromMenu(TTandem12X& w, const char* menuName, const char* itemName)
{
    auto* menu = w.findChild<QMenu*>(menuName);
    QAction* action = item(w, itemName);
    QVERIFY(menu && action);
    menu->popup(QPoint());
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

// The window shown and active, with a new list of four members open (the member panel and every file
// item on), and the focus in the grid as after "&Nieuw".
bool openNewListInActiveWindow(TTandem12X& w)
{
    w.show();
    answerKeyData(w.state(), "4");
    item(w, "Nieuw1")->trigger();
    // The key-data dialog has gone: the main window is the active one again.
    QApplication::setActiveWindow(&w);
    if (!QTest::qWaitForWindowActive(&w))
        return false;
    return w.memberViewShown() && QApplication::focusWidget() && QApplication::focusWidget()->window() == &w;
}

// A key as the user types it: to the widget with the focus.
void press(const QKeySequence& key)
{
    const QKeyCombination k = key[0];
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : QApplication::activeWindow(), k.key(), k.keyboardModifiers());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithAllGroupsOff();
    void newSaveAsAndOpenGiveTheSameBytes();
    void cancelledSaveDialogSavesNothing();
    void closingAsksOnlyWithUnsavedChanges();
    void openAsksBeforeAnAddedMemberIsLost();
    void yesForMatchesOfAListWithoutANameSavesBothUnderAName();
    void menuIconsTogglesTheToolBar();
    void cancelledNewKeepsTheOpenListWithItsNameAndKeyData();
    void windowListFollowsOpenWindows();
    void maximiseStoresTheFlagInTheKeyData();
    void everyFileOpensMaximisedOrNormalAsItsKeyDataSay();
    void leavingTheKeyDataDialogEnablesNewOnEveryPath();
    void standardShortcutsRunTheirItems_data();
    void standardShortcutsRunTheirItems();
    void altLetterOpensItsMenuBeforeAnyButton_data();
    void altLetterOpensItsMenuBeforeAnyButton();
    void recentFilesListTheLastSixThatStillExist();
    void memberGridAndCountersFollowTheWindowSize();
    void standingsWithoutASchedule_data();
    void standingsWithoutASchedule();
    void standingsBelongToTheOpenedClub_data();
    void standingsBelongToTheOpenedClub();
    void opensWhereItWasLeftButNotMaximised();
    // The settings (recent files) go to a folder of the test's own, never the user's.
    void initTestCase()
    {
        QVERIFY(settingsDir.useFor());
    }

private:
    TemporarySettings settingsDir;

private slots:
    void memberListPrintoutTakesTheTextBeingTyped();
    void openDialogOffersOnlyWritableFiles();
};

void TestMainWindow::startsWithAllGroupsOff()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(750, 540));
    QCOMPARE(w.windowTitle(), QString("Tennis Programma TandemX"));
    for (const char* name : {"Bewaren1", "Bewarenals1", "SchemametNamen1", "Parenschema1", "NieuweMatch1", "Verwijderen1"})
        QVERIFY2(!item(w, name)->isEnabled(), name);
    QVERIFY(item(w, "Nieuw1")->isEnabled());
    QVERIFY(!w.findChild<QWidget*>("LedenPanel")->isVisible());
    QCOMPARE(w.findChild<QLabel*>("Panel2")->text(), QString("Datum: 10-12-2026"));
    QCOMPARE(w.findChild<QLabel*>("Panel3")->text(), QString("Tijd: 19:30:00"));
}

void TestMainWindow::newSaveAsAndOpenGiveTheSameBytes()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("club.tdm");
    QByteArray saved;
    {
        TestState t;
        TTandem12X w(t.state);
        w.show();
        answerKeyData(t.state, "24");
        item(w, "Nieuw1")->trigger();
        QVERIFY(t.state.club.members);
        QCOMPARE(t.state.club.members->count(), 24);
        QVERIFY(w.memberViewShown());
        QVERIFY(item(w, "Bewaren1")->isEnabled());
        QVERIFY(!item(w, "Nieuw1")->isEnabled());
        QCOMPARE(w.findChild<QLabel*>("Panel1")->text(), QString("N_N"));

        t.files.answers.push_back(file);
        t.sink.expect(Result::Ok); // "Wegschrijven van ... gelukt"
        QTest::mouseClick(w.findChild<QToolButton*>("BewAlsSpdBtn"), Qt::LeftButton);
        QCOMPARE(t.sink.texts().last(), "Wegschrijven van " + file + " gelukt");
        QCOMPARE(w.findChild<QLabel*>("Panel1")->toolTip(), file);
        saved = readAll(file);
        QCOMPARE(saved.size(), 25 * 232);
        QCOMPARE(readAll(dir.filePath("club.cfg")).size(), 268);
        QVERIFY(item(w, "Nieuw1")->isEnabled());

        // "S&chrap" hides the view; the program then closes without a question.
        QTest::mouseClick(w.findChild<QPushButton*>("SchrapBitBtn"), Qt::LeftButton);
        QVERIFY(!w.memberViewShown());
        QVERIFY(w.close());
    }
    TestState t;
    TTandem12X w(t.state);
    w.show();
    t.files.answers.push_back(file);
    item(w, "Open1")->trigger();
    QVERIFY(t.state.club.members);
    QCOMPARE(t.state.club.members->count(), 24);
    QCOMPARE(w.findChild<QLabel*>("Panel1")->text(), QString("club.tdm"));
    QVERIFY(!item(w, "Parenschema1")->isEnabled());
    // Saving again without changes writes the same bytes (the first save keeps a backup).
    item(w, "Bewaren1")->trigger();
    QCOMPARE(readAll(file), saved);
    QCOMPARE(readAll(dir.filePath("club.~td")), saved);
}

void TestMainWindow::cancelledSaveDialogSavesNothing()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "6");
    item(w, "Nieuw1")->trigger();
    QCOMPARE(t.state.club.members->count(), 6);
    t.files.answers.push_back(std::nullopt);
    item(w, "Bewaren1")->trigger();
    QCOMPARE(t.files.requests.size(), size_t(1));
    QCOMPARE(w.findChild<QLabel*>("Panel1")->text(), QString("N_N"));
    QCOMPARE(t.state.club.memberFileName, QString("N_N"));
    // The next save asks for a name again.
    item(w, "Bewaren1")->trigger();
    QCOMPARE(t.files.requests.size(), size_t(2));
}

void TestMainWindow::closingAsksOnlyWithUnsavedChanges()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    QCOMPARE(w.windowTitle(), QString("N_N[*] - Tennis Programma TandemX"));
    QVERIFY(!w.isWindowModified());
    MemberView* view = w.memberView();

    // A member added: the title says so, and closing asks; Schrap keeps everything as it is.
    item(w, "Nieuwrecord1")->trigger();
    QCOMPARE(t.state.club.members->count(), 5);
    QVERIFY(w.isWindowModified());
    t.sink.expect(Result::Cancel);
    QVERIFY(!w.close());
    QCOMPARE(t.sink.texts().last(), QString("Bestand bewaren ?"));
    QCOMPARE(t.sink.shown.back().buttons, uint16_t(Btn::Ja | Btn::Nee | Btn::Schrap));
    QVERIFY(w.memberViewShown());
    QCOMPARE(t.state.club.members->count(), 5);

    // "S&chrap" asks too; Nee drops the added member and hides the view.
    t.sink.expect(Result::No);
    QTest::mouseClick(w.findChild<QPushButton*>("SchrapBitBtn"), Qt::LeftButton);
    QCOMPARE(t.sink.texts().last(), QString("Bestand bewaren ?"));
    QVERIFY(!w.memberViewShown());
    QCOMPARE(t.state.club.members->count(), 4);

    // "&Toon Adressen" shows the list again: nothing can be edited unseen.
    item(w, "ToonAdressen1")->trigger();
    QVERIFY(w.memberViewShown());
    QVERIFY(w.findChild<QWidget*>("LedenPanel")->isVisible());

    // Attendance typed, then Escape in the grid: asked first; Ja saves under a chosen name.
    view->grid()->item(0, 5)->setText("-");
    t.sink.expect(Result::Yes);
    t.files.answers.push_back(dir.filePath("club.tdm"));
    QTest::keyClick(view->grid(), Qt::Key_Escape);
    QCOMPARE(t.sink.texts().last(), QString("Bestand bewaren ?"));
    QVERIFY(!w.memberViewShown());
    QCOMPARE(readAll(dir.filePath("club.tdm")).size(), 5 * 232);
    QCOMPARE(t.state.club.members->at(1).actie(), QString("-"));
    QCOMPARE(w.windowTitle(), "club.tdm (" + QDir::toNativeSeparators(dir.path()) + ")[*] - Tennis Programma TandemX");
    QVERIFY(!w.isWindowModified());

    // Saved: "&Sluit" and closing the program ask nothing.
    item(w, "ToonAdressen1")->trigger();
    const int shown = int(t.sink.shown.size());
    QTest::mouseClick(w.findChild<QPushButton*>("SluitBitBtn"), Qt::LeftButton);
    QVERIFY(!w.memberViewShown());
    QVERIFY(w.close());
    QCOMPARE(int(t.sink.shown.size()), shown);
    QVERIFY(t.sink.allAnswersUsed());
}

void TestMainWindow::openAsksBeforeAnAddedMemberIsLost()
{
    QTemporaryDir dir;
    const QString other = dir.filePath("other.tdm");
    {
        TestState t;
        TTandem12X w(t.state);
        answerKeyData(t.state, "4");
        item(w, "Nieuw1")->trigger();
        t.files.answers.push_back(other);
        item(w, "Bewaren1")->trigger();
    }
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    item(w, "Nieuwrecord1")->trigger();
    // Schrap: the dialog does not even open, the list stays.
    t.sink.expect(Result::Cancel);
    item(w, "Open1")->trigger();
    QCOMPARE(t.files.requests.size(), size_t(0));
    QCOMPARE(t.state.club.members->count(), 5);
    // Ja: saved first (under a new name), then the other file opens.
    t.sink.expect(Result::Yes);
    t.files.answers.push_back(dir.filePath("club.tdm"));
    t.files.answers.push_back(other);
    item(w, "Open1")->trigger();
    QCOMPARE(readAll(dir.filePath("club.tdm")).size(), 6 * 232);
    QCOMPARE(t.state.club.memberFileName, other);
    QCOMPARE(t.state.club.members->count(), 4);
    QVERIFY(t.sink.allAnswersUsed());
}

// Games kept in a match of the new list while the list itself is untouched: Ja to "Bestand bewaren ?"
// asks for a name and writes the list and its matches; nothing is dropped after a Ja.
void TestMainWindow::yesForMatchesOfAListWithoutANameSavesBothUnderAName()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    t.state.club.config->keyData.keepGames = 1; // as chosen in the key-data dialog
    markConfigSaved(t.state);
    QVERIFY(CreateMatch(t.state, t.state.matches, 1));
    t.state.matches.match(1)->calcs[2].Games = 7;
    QVERIFY(!membersUnsaved(t.state));
    QVERIFY(matchesUnsaved(t.state));

    t.sink.expect(Result::Yes);
    t.files.answers.push_back(dir.filePath("club.tdm"));
    QVERIFY(w.close());
    QCOMPARE(t.sink.texts().last(), QString("Bestand bewaren ?"));
    QCOMPARE(t.files.requests.size(), size_t(1));
    QCOMPARE(readAll(dir.filePath("club.tdm")).size(), 5 * 232);
    const QByteArray matches = readAll(dir.filePath("club.CAL"));
    QCOMPARE(matches.size(), 2 + 6433 + 14 * 4);
    QCOMPARE(int(matches[2 + 19 + 2 * 14 + 2]), 7); // Games of member 2 in match 1
    QVERIFY(!hasUnsavedChanges(t.state));
    QVERIFY(t.sink.allAnswersUsed());
}

void TestMainWindow::menuIconsTogglesTheToolBar()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    auto* bar = w.findChild<QToolBar*>("MenuBar");
    QVERIFY(bar->isVisible());
    item(w, "MenuIconen1")->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!item(w, "MenuIconen1")->isChecked());
    answerKeyData(t.state, "4", false);
    item(w, "Nieuw1")->trigger();
    QVERIFY(!t.state.club.members);
    QVERIFY(item(w, "Nieuw1")->isEnabled());
}

void TestMainWindow::cancelledNewKeepsTheOpenListWithItsNameAndKeyData()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "6");
    item(w, "Nieuw1")->trigger();
    t.state.club.config->keyData.clubName = "De Baan";
    t.files.answers.push_back(dir.filePath("club.tdm"));
    item(w, "Bewaren1")->trigger();
    const QByteArray keyFile = readAll(dir.filePath("club.cfg"));

    answerKeyData(t.state, "4", false);
    item(w, "Nieuw1")->trigger();
    QCOMPARE(t.state.club.memberFileName, dir.filePath("club.tdm"));
    QCOMPARE(t.state.club.keyData().clubName, QByteArray("De Baan"));
    QCOMPARE(t.state.club.members->count(), 6);
    // A save afterwards writes the club's own key data again, not the defaults.
    item(w, "Bewaren1")->trigger();
    QCOMPARE(readAll(dir.filePath("club.cfg")), keyFile);
}

void TestMainWindow::windowListFollowsOpenWindows()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    auto* beeld = w.findChild<QMenu*>("Beeld1");
    QWidget overview;
    overview.setWindowTitle("Schema Resultaten");
    QVERIFY(!w.windowList()->add(&overview)); // not visible: no entry
    overview.show();
    QVERIFY(w.windowList()->add(&overview, "Selecteer Uitvoer venster"));
    QCOMPARE(beeld->actions().size(), 2);
    QCOMPARE(beeld->actions().last()->text(), QString("Schema Resultaten"));
    QCOMPARE(beeld->actions().last()->statusTip(), QString("Selecteer Uitvoer venster"));
    overview.close();
    QCOMPARE(beeld->actions().size(), 1);
    QVERIFY(!w.windowList()->isOpen(&overview));
}

void TestMainWindow::maximiseStoresTheFlagInTheKeyData()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    t.files.answers.push_back(dir.filePath("club.tdm"));
    item(w, "Bewaren1")->trigger();
    QAction* maximise = item(w, "Maximaalscherm1");
    maximise->trigger();
    QCOMPARE(maximise->text(), QString("Normaal scherm"));
    QVERIFY(t.state.club.printSettings.printFlags & PrintFlag::Maximized);
    QCOMPARE(uint8_t(readAll(dir.filePath("club.cfg")).at(65 + 201)) & PrintFlag::Maximized, int(PrintFlag::Maximized));
    maximise->trigger();
    QCOMPARE(maximise->text(), QString("Maximaal scherm"));
    QCOMPARE(uint8_t(readAll(dir.filePath("club.cfg")).at(65 + 201)) & PrintFlag::Maximized, 0);
}

// Two member files, one stored with the maximised bit: each opens in its own window state, whatever the
// file before it had.
void TestMainWindow::everyFileOpensMaximisedOrNormalAsItsKeyDataSay()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    t.files.answers.push_back(dir.filePath("groot.tdm"));
    item(w, "Bewaren1")->trigger();
    item(w, "Maximaalscherm1")->trigger(); // stores the bit in groot.cfg
    QVERIFY(w.isMaximized());
    QVERIFY(QFile::copy(dir.filePath("groot.tdm"), dir.filePath("klein.tdm")));
    QByteArray keyData = readAll(dir.filePath("groot.cfg"));
    keyData[65 + 201] = char(uint8_t(keyData[65 + 201]) & ~PrintFlag::Maximized);
    QFile normal(dir.filePath("klein.cfg"));
    QVERIFY(normal.open(QIODevice::WriteOnly) && normal.write(keyData) == keyData.size());
    normal.close();

    for (const char* name : {"klein.tdm", "groot.tdm", "klein.tdm"}) {
        const bool maximised = QByteArray(name) == "groot.tdm";
        t.files.answers.push_back(dir.filePath(name));
        item(w, "Open1")->trigger();
        QCOMPARE(w.findChild<QLabel*>("Panel1")->text(), QString(name));
        QVERIFY2(w.isMaximized() == maximised, name);
        QCOMPARE(item(w, "Maximaalscherm1")->text(), maximised ? QString("Normaal scherm") : QString("Maximaal scherm"));
    }
    QVERIFY(t.sink.shown.empty());
}

// "&Nieuw" goes off with a new list until it is saved; leaving the key-data dialog without OK makes it
// available again, from "Configuratie" and from an Open that found no key data as well as from "&Nieuw".
void TestMainWindow::leavingTheKeyDataDialogEnablesNewOnEveryPath()
{
    QTemporaryDir dir;
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "4");
    item(w, "Nieuw1")->trigger();
    t.files.answers.push_back(dir.filePath("club.tdm"));
    item(w, "Bewaren1")->trigger();
    QVERIFY(QFile::remove(dir.filePath("club.cfg")));

    auto newIsEnabled = [&] { return item(w, "Nieuw1")->isEnabled() && w.nieuwSpdBtn->isEnabled(); };
    const struct {
        const char* path;
        std::function<void()> leaveDialog;
    } paths[] = {
        {"Configuratie", [&] { item(w, "Configuratie1")->trigger(); }},
        {"Open without key data", [&] {
             t.sink.expect(Result::Ok); // "Bestand bestaat niet : ...club.cfg"
             t.files.answers.push_back(dir.filePath("club.tdm"));
             item(w, "Open1")->trigger();
             QCOMPARE(t.sink.texts().last(), "Bestand bestaat niet : " + dir.filePath("club.cfg"));
             QVERIFY(t.state.club.members);
         }},
    };
    for (const auto& p : paths) {
        answerKeyData(t.state, "4");
        item(w, "Nieuw1")->trigger(); // a new list: "&Nieuw" off
        QVERIFY2(!newIsEnabled(), p.path);
        answerKeyData(t.state, "4", false); // Escape
        p.leaveDialog();
        QVERIFY2(newIsEnabled(), p.path);
    }
    QVERIFY(t.sink.allAnswersUsed());
}

void TestMainWindow::standardShortcutsRunTheirItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Nieuw") << "Nieuw1" << QKeySequence("Ctrl+N");
    QTest::newRow("Open") << "Open1" << QKeySequence("Ctrl+O");
    QTest::newRow("Bewaren") << "Bewaren1" << QKeySequence("Ctrl+S");
    QTest::newRow("Bewaren als") << "Bewarenals1" << QKeySequence("Ctrl+Shift+S");
    QTest::newRow("Print ledenlijst") << "Printledenlijst1" << QKeySequence("Ctrl+P");
    QTest::newRow("Exit") << "Exit1" << QKeySequence("Ctrl+Q");
    QTest::newRow("Zoeken") << "Zoeken1" << QKeySequence("Ctrl+F");
}

// The key, typed in the member grid, runs the item, and the item's menu shows it.
void TestMainWindow::standardShortcutsRunTheirItems()
{
    QFETCH(QString, name);
    QFETCH(QKeySequence, key);
    TestState t;
    TTandem12X w(t.state);
    if (name == "Nieuw1") {
        // "&Nieuw" is there while no list is open.
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        answerKeyData(t.state, "5");
    } else {
        QVERIFY(openNewListInActiveWindow(w));
    }
    QAction* action = w.findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->shortcut().toString(QKeySequence::NativeText), key.toString(QKeySequence::NativeText));
    QSignalSpy triggered(action, &QAction::triggered);
    QSignalSpy print(&w, &TTandem12X::printMembersRequested);
    press(key);
    QCOMPARE(triggered.size(), 1);
    // What the item does, as far as this window does it by itself.
    if (name == "Nieuw1")
        QCOMPARE(t.state.club.members ? t.state.club.members->count() : 0, 5);
    if (name == "Open1" || name == "Bewaren1" || name == "Bewarenals1")
        QCOMPARE(t.files.requests.size(), size_t(1)); // no name chosen: nothing else happens
    if (name == "Printledenlijst1")
        QCOMPARE(print.size(), 1);
    if (name == "Exit1")
        QVERIFY(!w.isVisible());
    if (name == "Zoeken1")
        QVERIFY(w.findChild<QWidget*>("Zoekpanel")->isVisible());
    QVERIFY(t.sink.allAnswersUsed());
}

void TestMainWindow::altLetterOpensItsMenuBeforeAnyButton_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<Qt::Key>("letter");
    // S, B, U and H are also the letters of the member panel's "&Sluit", "&Bewaar", "Sch&ud" and "&Help".
    QTest::newRow("Bestand") << "Bestand1" << Qt::Key_B;
    QTest::newRow("Bewerken") << "Bewerken2" << Qt::Key_W;
    QTest::newRow("Schema") << "Schema1" << Qt::Key_S;
    QTest::newRow("Uitvoer") << "Uitvoer1" << Qt::Key_U;
    QTest::newRow("Match") << "Match1" << Qt::Key_M;
    QTest::newRow("Opties") << "Opties1" << Qt::Key_O;
    QTest::newRow("Beeld") << "Beeld1" << Qt::Key_L;
    QTest::newRow("Help") << "Help1" << Qt::Key_H;
}

// With the member panel's buttons on screen, Alt+letter opens the menu at once, every time, and no
// button is pressed or focused.
void TestMainWindow::altLetterOpensItsMenuBeforeAnyButton()
{
    QFETCH(QString, menu);
    QFETCH(Qt::Key, letter);
    TestState t;
    TTandem12X w(t.state);
    QVERIFY(openNewListInActiveWindow(w));
    QVERIFY(w.findChild<QWidget*>("LedenPanel")->isVisible());
    auto* m = w.findChild<QMenu*>(menu);
    QVERIFY(m);
    QSignalSpy shown(m, &QMenu::aboutToShow);
    for (int time = 1; time <= 2; ++time) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus, letter, Qt::AltModifier);
        QVERIFY2(m->isVisible(), qPrintable(QString("press %1").arg(time)));
        QCOMPARE(shown.size(), time);
        QCOMPARE(w.menuBar()->activeAction(), m->menuAction());
        m->close();
        QTRY_VERIFY(!m->isVisible());
        w.menuBar()->setActiveAction(nullptr);
        // Nothing in the panel took the key.
        QVERIFY(w.memberViewShown());
        QVERIFY(!qobject_cast<QPushButton*>(QApplication::focusWidget()));
    }
}

// The last six member files opened or saved stand in "&Bestand", newest first; a file that is gone is
// left out, and an entry opens its file. A new program window opens nothing by itself.
void TestMainWindow::recentFilesListTheLastSixThatStillExist()
{
    QVERIFY2(QSettings().fileName().startsWith(settingsDir.path()), qPrintable(QSettings().fileName()));
    QTemporaryDir dir;
    auto club = [&](int n) { return dir.filePath(QString("club%1.tdm").arg(n)); };
    auto entries = [](TTandem12X& w) {
        auto* bestand = w.findChild<QMenu*>("Bestand1");
        bestand->popup(QPoint());
        QStringList texts;
        for (int n = 1; QAction* a = bestand->findChild<QAction*>(QString("RecentFile%1").arg(n)); ++n)
            texts << a->text();
        bestand->close();
        return texts;
    };
    auto entry = [&](int number, int n) { return QString("&%1 %2").arg(number).arg(QDir::toNativeSeparators(club(n))); };
    {
        TestState t;
        TTandem12X w(t.state);
        w.show();
        answerKeyData(t.state, "4");
        item(w, "Nieuw1")->trigger();
        QCOMPARE(entries(w), QStringList());
        for (int n = 1; n <= 7; ++n) {
            t.files.answers.push_back(club(n));
            t.sink.expect(Result::Ok); // "Wegschrijven van ... gelukt"
            item(w, "Bewarenals1")->trigger();
        }
        QVERIFY(t.sink.allAnswersUsed());
        QCOMPARE(entries(w), QStringList({entry(1, 7), entry(2, 6), entry(3, 5), entry(4, 4), entry(5, 3), entry(6, 2)}));
    }
    QVERIFY(QFile::remove(club(4)));

    TestState t;
    TTandem12X w(t.state);
    w.show();
    QVERIFY(!t.state.club.members);
    QCOMPARE(entries(w), QStringList({entry(1, 7), entry(2, 6), entry(3, 5), entry(4, 3), entry(5, 2)}));
    // The fourth entry opens club3, which becomes the newest.
    auto* bestand = w.findChild<QMenu*>("Bestand1");
    bestand->popup(QPoint());
    QAction* fourth = bestand->findChild<QAction*>("RecentFile4");
    QTest::mouseClick(bestand, Qt::LeftButton, {}, bestand->actionGeometry(fourth).center());
    QCOMPARE(t.state.club.memberFileName, club(3));
    QCOMPARE(t.state.club.members->count(), 4);
    QCOMPARE(entries(w), QStringList({entry(1, 3), entry(2, 7), entry(3, 6), entry(4, 5), entry(5, 2)}));
}

void TestMainWindow::memberListPrintoutTakesTheTextBeingTyped()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData(t.state, "6");
    item(w, "Nieuw1")->trigger();
    MemberView* view = w.memberView();
    QTableWidget* grid = view->grid();
    grid->setCurrentCell(1, GridCol::Achternaam);
    grid->editItem(grid->item(1, GridCol::Achternaam));
    QVERIFY(view->cellEditorOpen());
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "Zwart");

    const printing::MemberListDocument doc = shownMemberList(w, t.state);
    QCOMPARE(doc.rows.size(), size_t(7));
    QCOMPARE(doc.rows[2].at(GridCol::Achternaam - 1), QString("Zwart"));
    QCOMPARE(doc.rows[0].at(GridCol::Achternaam - 1), QString("Achternaam"));
    // Only printed: the cell and the record do not have it yet, and the editor stays open.
    QVERIFY(view->cellText(2, GridCol::Achternaam) != "Zwart");
    QVERIFY(t.state.club.members->at(2).achternaam() != "Zwart");
    QVERIFY(view->cellEditorOpen());
    // The other rows print their cells.
    QCOMPARE(doc.rows[1].at(GridCol::Achternaam - 1), view->cellText(1, GridCol::Achternaam));
}

void TestMainWindow::openDialogOffersOnlyWritableFiles()
{
    QTemporaryDir dir;
    for (const char* name : {"open.tdm", "locked.tdm"}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir("map"));
    QVERIFY(QFile::setPermissions(dir.filePath("locked.tdm"), QFileDevice::ReadOwner | QFileDevice::ReadOther));
    QFileSystemModel files;
    const QModelIndex root = files.setRootPath(dir.path());
    QTRY_COMPARE(files.rowCount(root), 3);
    WritableFilesOnly offered;
    offered.setSourceModel(&files);
    const QModelIndex shownRoot = offered.mapFromSource(root);
    QStringList names;
    for (int r = 0; r < offered.rowCount(shownRoot); ++r)
        names << offered.index(r, 0, shownRoot).data().toString();
    names.sort();
    QCOMPARE(names, (QStringList{"map", "open.tdm"}));
}

// Maximised, the grid shows more members; made small, the window keeps the grid's starting size and
// the counters below it in view.
void TestMainWindow::memberGridAndCountersFollowTheWindowSize()
{
    TestState t;
    TTandem12X w(t.state);
    QVERIFY(openNewListInActiveWindow(w));
    auto* grid = w.findChild<QTableWidget*>("LedenGrid");
    auto* panel = w.findChild<QWidget*>("GridPanel");
    QVERIFY(grid && panel);
    auto inView = [&w](QWidget* child) {
        return child->isVisible() && w.rect().contains(QRect(child->mapTo(&w, QPoint(0, 0)), child->size()));
    };
    QCOMPARE(grid->size(), QSize(580, 340)); // the starting size

    w.showMaximized();
    QTRY_VERIFY(w.isMaximized());
    const QRect screen = w.screen()->availableGeometry();
    QTRY_COMPARE(w.frameGeometry().height(), screen.height());
    QVERIFY2(grid->height() > 340 + (screen.height() - 540) / 2, qPrintable(QString::number(grid->height())));
    QVERIFY(inView(grid) && inView(panel));
    QVERIFY(inView(w.findChild<QLabel*>("AantalHrntxt")) && inView(w.findChild<QLabel*>("AantalDmsLab")));
    QVERIFY(inView(w.findChild<QPushButton*>("SluitBitBtn")));

    w.showNormal();
    QTRY_VERIFY(!w.isMaximized());
    w.resize(300, 200);
    QVERIFY(w.width() > 580 && w.height() > 340);
    QCOMPARE(grid->size(), QSize(580, 340));
    QVERIFY(inView(grid) && inView(panel));
    for (const char* name : {"Panel2", "Panel3"}) { // date and time not cut off
        auto* label = w.findChild<QLabel*>(name);
        QVERIFY2(inView(label) && label->width() >= label->sizeHint().width(), name);
    }
    QVERIFY(inView(w.findChild<QLabel*>("AantalHrntxt")) && inView(w.findChild<QLabel*>("AantalDmsLab")));
    QVERIFY(inView(w.findChild<QPushButton*>("SluitBitBtn")));
}

// The main window comes back at the size and place it was left at; whether it is maximised the key
// data of the member file decide ("Maximaal scherm"), not the last run.
void TestMainWindow::opensWhereItWasLeftButNotMaximised()
{
    SettingsWindowPlaces places;
    QSettings().remove(QStringLiteral("windows"));
    QRect left;
    {
        TestState t;
        t.state.windowPlaces = &places;
        TTandem12X w(t.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect screen = w.screen()->availableGeometry();
        QVERIFY2(screen.contains(w.frameGeometry()), "the starting place is on the screen");
        w.setGeometry(screen.left() + 8, screen.top() + 20, 780, 560); // larger than the starting size
        left = w.frameGeometry();
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        QVERIFY(w.close());
    }
    QCOMPARE(places.load(QStringLiteral("Tandem12X")), (WindowPlace{left, false, QMargins(2, 2, 2, 2)})); // the offscreen frame
    TestState t;
    t.state.windowPlaces = &places;
    TTandem12X w(t.state);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.isMaximized());
    QCOMPARE(w.frameGeometry(), left);
}

// After opening a club that keeps games and has a match file, "&Open Match" and "Uitvoer Games" show
// the standings without a schedule; the other match items wait for tonight's schedule.
void TestMainWindow::standingsWithoutASchedule_data()
{
    QTest::addColumn<bool>("keepGames");
    QTest::addColumn<int>("matches");
    QTest::addColumn<bool>("standings");
    QTest::newRow("games kept, two matches") << true << 2 << true;
    QTest::newRow("games kept, no match file yet") << true << 0 << false;
    QTest::newRow("games not kept") << false << 2 << false;
}

void TestMainWindow::standingsWithoutASchedule()
{
    QFETCH(bool, keepGames);
    QFETCH(int, matches);
    QFETCH(bool, standings);
    QTemporaryDir dir;
    const QString file = dir.filePath("club.tdm");
    writeClubWithMatches(file, keepGames, matches);
    TestState t;
    TTandem12X w(t.state);
    wireWindows(w);
    // A schedule made for another club earlier in the run is not tonight's.
    t.state.schedule->Settings.ScheduleMode = engine::ScheduleMode::Names;
    w.show();
    QVERIFY(w.openPath(file));
    QVERIFY(w.findChild<QMenu*>("Match1")->menuAction()->isEnabled());
    for (const char* name : {"NieuweMatch1", "VerwijderMatch1", "InvoerGames1", "KopievanGames1"})
        QVERIFY2(!item(w, name)->isEnabled(), name);
    for (const char* name : {"OpenMatch1", "UitvoerGames1"})
        QCOMPARE(item(w, name)->isEnabled(), standings);
    if (!standings)
        return;

    // "Uitvoer Games": the match window with the last match, every match's games, totals and places.
    chooseFromMenu(w, "Match1", "UitvoerGames1");
    TMatchForm& form = MatchWindows::of(w)->matchForm();
    QVERIFY(form.isVisible());
    QVERIFY(!w.windows().resultsForm().isVisible());
    QCOMPARE(form.matchNumber(), 2);
    QCOMPARE(form.grid()->cell(1, form.gamesColumn() - 1), QString("11"));
    QCOMPARE(form.grid()->cell(1, form.gamesColumn()), QString("21"));
    QCOMPARE(form.grid()->cell(4, form.gamesColumn()), QString("24"));
    QVERIFY(t.sink.shown.empty());
    // Its "&Print" prints the standings (the key data have no printer: Nee to the PDF file).
    t.sink.expect(Result::No);
    QTest::mouseClick(form.findChild<QPushButton*>("PrintMatchBtn"), Qt::LeftButton);
    QCOMPARE(t.sink.texts().last(), QString("Geen Printer aanwezig\rAfdrukken naar PDF-bestand?"));
    QTest::mouseClick(form.findChild<QPushButton*>("SchrapMatchBtn"), Qt::LeftButton);
    QVERIFY(!form.isVisible());

    // "&Open Match" chooses match 1.
    t.state.modalHooks.onShow<TMatchSelDlg>([](TMatchSelDlg& d) {
        QTimer::singleShot(0, &d, [&d] {
            auto* box = d.findChild<QComboBox*>("MatchSelBox");
            box->setEditText(QStringLiteral("1"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::mouseClick(d.findChild<QPushButton*>("OKMatchBtn"), Qt::LeftButton);
        });
    });
    t.sink.expect(Result::Yes); // "Match openen ?"
    chooseFromMenu(w, "Match1", "OpenMatch1");
    t.state.modalHooks.remove<TMatchSelDlg>();
    QVERIFY(form.isVisible());
    QCOMPARE(form.matchNumber(), 1);
    QCOMPARE(form.grid()->cell(3, form.gamesColumn()), QString("13"));
    QVERIFY(t.sink.allAnswersUsed());
    QTest::mouseClick(form.findChild<QPushButton*>("SchrapMatchBtn"), Qt::LeftButton);
}

// The standings are those of the club that was opened: a new list (without a match file) leaves
// "&Open Match" and "Uitvoer Games" off; a cancelled "&Nieuw" keeps the opened club and its standings.
void TestMainWindow::standingsBelongToTheOpenedClub_data()
{
    QTest::addColumn<bool>("newConfirmed");
    QTest::newRow("new list") << true;
    QTest::newRow("new cancelled") << false;
}

void TestMainWindow::standingsBelongToTheOpenedClub()
{
    QFETCH(bool, newConfirmed);
    QTemporaryDir dir;
    const QString file = dir.filePath("club.tdm");
    writeClubWithMatches(file, true, 2);
    TestState t;
    TTandem12X w(t.state);
    wireWindows(w);
    w.show();
    QVERIFY(w.openPath(file));
    QVERIFY(item(w, "OpenMatch1")->isEnabled() && item(w, "UitvoerGames1")->isEnabled());

    answerKeyData(t.state, "4", newConfirmed);
    chooseFromMenu(w, "Bestand1", "Nieuw1");
    QCOMPARE(t.state.club.memberFileName == file, !newConfirmed);
    for (const char* name : {"OpenMatch1", "UitvoerGames1"})
        QCOMPARE(item(w, name)->isEnabled(), !newConfirmed);
    for (const char* name : {"NieuweMatch1", "VerwijderMatch1", "InvoerGames1", "KopievanGames1"})
        QVERIFY2(!item(w, name)->isEnabled(), name);
    QVERIFY(t.sink.shown.empty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
