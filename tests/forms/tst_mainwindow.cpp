// The main window driven through its real menus, buttons and dialogs.
#include "forms/MemberView.h"
#include "forms/PrintWiring.h"
#include "forms/QtFileDialogs.h"
#include "forms/TConfigDial.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "forms/WindowList.h"
#include "printing/MemberListPrint.h"
#include "records/MemberOps.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace tandemx;
using namespace tandemx::test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers the next key-data dialog by typing into its fields and pressing "O&k" (or Escape).
void answerKeyData(const QString& clubSize, bool ok = true)
{
    TConfigDial::aboutToShow = [clubSize, ok](TConfigDial& dialog) {
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
    };
    // One dialog only: the hook is cleared once that dialog has been answered.
    QTimer::singleShot(0, [] { TConfigDial::aboutToShow = nullptr; });
}

QAction* item(TTandem12X& w, const char* name) { return w.findChild<QAction*>(name); }

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsWithAllGroupsOff();
    void newSaveAsAndOpenGiveTheSameBytes();
    void cancelledSaveDialogSavesNothing();
    void closingAsksOnlyWhileTheListIsShown();
    void menuIconsTogglesTheToolBar();
    void cancelledNewKeepsTheOpenListWithItsNameAndKeyData();
    void windowListFollowsOpenWindows();
    void maximiseStoresTheFlagInTheKeyData();
    void memberListPrintoutTakesTheTextBeingTyped();
    void openDialogOffersOnlyWritableFiles();
    void cleanup() { TConfigDial::aboutToShow = nullptr; }
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
        answerKeyData("24");
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
    answerKeyData("6");
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

void TestMainWindow::closingAsksOnlyWhileTheListIsShown()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData("4");
    item(w, "Nieuw1")->trigger();
    t.sink.expect(Result::Yes); // keep the program open
    QVERIFY(!w.close());
    QCOMPARE(t.sink.texts().last(), QString("Bestand nog redden\r gebruik dan Sluit"));

    // "&Sluit" with Nee: nothing written, the view closes, the program closes without a question.
    t.sink.expect(Result::No);
    QTest::mouseClick(w.findChild<QPushButton*>("SluitBitBtn"), Qt::LeftButton);
    QCOMPARE(t.sink.texts().last(), QString("Bestand bewaren ?"));
    QVERIFY(!w.memberViewShown());
    QVERIFY(t.sink.allAnswersUsed());
    QVERIFY(w.close());
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
    answerKeyData("4", false);
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
    answerKeyData("6");
    item(w, "Nieuw1")->trigger();
    t.state.club.config->keyData.clubName = "De Baan";
    t.files.answers.push_back(dir.filePath("club.tdm"));
    item(w, "Bewaren1")->trigger();
    const QByteArray keyFile = readAll(dir.filePath("club.cfg"));

    answerKeyData("4", false);
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
    answerKeyData("4");
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

void TestMainWindow::memberListPrintoutTakesTheTextBeingTyped()
{
    TestState t;
    TTandem12X w(t.state);
    w.show();
    answerKeyData("6");
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
