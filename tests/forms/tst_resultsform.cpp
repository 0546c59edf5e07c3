// The overview window "Schema Resultaten" on a calculated evening, driven through the main window's
// commands, its list view, popup menu, change grid and buttons.
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"
#include "forms/HelpViewer.h"
#include "forms/ProgramWindows.h"
#include "forms/ResultsWiring.h"
#include "forms/TResultsForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "forms/WindowList.h"
#include "overviews/OverviewLines.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using namespace tandemx;
using namespace tandemx::test;
using engine::Ladies;
using engine::Men;

namespace {

void setName(engine::ScheduleState& s, int gender, int number, const std::string& first, const std::string& last)
{
    auto& entry = s.PlayerTable[size_t(gender)][size_t(number)];
    entry.firstName.assign((first + std::string(24, ' ')).substr(0, 24));
    entry.lastName.assign((last + std::string(40, ' ')).substr(0, 40));
    entry.PlayerCode = 'X';
}

// A small club evening calculated for real: 5 men and 4 ladies, two doubles rounds (one men's and one
// ladies' court each) and one mixed round on two courts.
void calculate(engine::ScheduleState& s, int mode)
{
    engine::QuietHost host(0);
    engine::SetGroupCodes(s, "H", "D");
    const char* men[][2] = {{"Aart", "Vos"}, {"Bas", "de Boer"}, {"Cor", "Mol"}, {"Dirk", "Bos"}, {"Eef", "Mol"}};
    const char* ladies[][2] = {{"Ank", "Kok"}, {"Bep", "Smit"}, {"Cis", "Berg"}, {"Door", "Kok"}};
    for (int j = 1; j <= 5; ++j)
        setName(s, Men, j, men[j - 1][0], men[j - 1][1]);
    for (int j = 1; j <= 4; ++j)
        setName(s, Ladies, j, ladies[j - 1][0], ladies[j - 1][1]);
    s.Settings = {5, 4, 2, 1, 2, 0, 0, engine::ScheduleMode(mode)};
    engine::DefaultCourts(s, host);
    s.Settings.PlayOptions = 0;
    s.Settings.PauseOptions = 0;
    engine::StartSchedule(s, host);
    QVERIFY(s.SolutionFound);
}

struct Evening {
    TestState t;
    TTandem12X window{t.state};
    engine::ScheduleState& s = *t.state.schedule;

    explicit Evening(int mode = 1)
    {
        setDefaults(t.state);
        calculate(s, mode);
        wireOverviews(window, t.state);
        window.show();
        window.setOverviewGroup(true); // as accepting the calculation does
    }
    TResultsForm& form() { return resultsForm(window, t.state); }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }
    template <typename T = QWidget>
    T* child(const char* name) { return form().findChild<T*>(name); }
    QStringList row(int index)
    {
        QStringList texts;
        QTreeWidgetItem* item = form().listView()->topLevelItem(index);
        for (int c = 0; item && c < item->columnCount(); ++c)
            texts << item->text(c);
        return texts;
    }
    QStringList captions()
    {
        QStringList texts;
        QTreeWidgetItem* header = form().listView()->headerItem();
        for (int c = 0; c < header->columnCount(); ++c)
            texts << header->text(c);
        return texts;
    }
};

} // namespace

QWidget* viewport(QAbstractItemView* view) { return view->viewport(); }

// Moves the mouse over a list view (delivered to its viewport whatever window lies on top).
void hover(QAbstractItemView* view, QPoint pos)
{
    QWidget* port = view->viewport();
    QMouseEvent move(QEvent::MouseMove, pos, port->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(port, &move);
}

// Clicks a cell of the change grid (table row = grid row - 1).
void clickCell(QTableWidget* grid, int gridRow, int column)
{
    const QRect r = grid->visualRect(grid->model()->index(gridRow - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

QString cell(QTableWidget* grid, int gridRow, int column)
{
    const QTableWidgetItem* item = grid->item(gridRow - 1, column);
    return item ? item->text() : QString();
}

class TestResultsForm : public QObject {
    Q_OBJECT
private slots:
    void eachOverviewInTheListView();
    void aNewScheduleRefreshesTheOpenOverviewAndClosesTheChangeGrid();
    void commandsOnlyRaiseAVisibleWindow();
    void sluitRemovesTheWindowListEntry();
    void popupMenuSwitchesOverviewsAndEditsRows();
    void eitherButtonOpensThePopupForTheRowUnderTheMouse_data();
    void eitherButtonOpensThePopupForTheRowUnderTheMouse();
    void hintsFollowTheMouse();
    void changeGridSwapsThroughClicksAndEnter();
    void changeGridRefusals();
    void numberedScheduleRefusesTheChangeGrid();
    void nothingWithoutASchedule();
    void helpButtonOpensItsTopic();
    void listAndChangeGridTakeTheRoomTheUserGivesTheWindow();
};

// Each overview through its command: heading, columns and their widths, the first rows.
void TestResultsForm::eachOverviewInTheListView()
{
    struct Case {
        const char* command; // menu item
        int kind;
        QString heading;
        QStringList captions; // the first columns
        QList<int> widths;
        int columns;
        QList<QStringList> rows; // the first rows
    };
    const QList<Case> cases = {
        {"Parenschema1", 1, "PAREN INDELING",
         {"ronde", "Voornaam", "Achternaam", "tegen", "Voornaam", "Achternaam", "baan"},
         {55, 90, 140, 55, 90, 140, 45}, 7,
         {{" ", "Schema", "Tandem"}, {"1", "Aart", "Vos", "  ", "Cor", "Mol", "   1"},
          {" ", "Bas", "de Boer", "  ", "Dirk", "Bos", "   1"}, {"    "}}},
        {"BaanSchema1", 2, "BAAN SCHEMA", {"Voornaam", "Achternaam", "ronde : ", "1", "2", "3"},
         {90, 145, 60, 35, 35, 35}, 6,
         {{"HEREN  "}, {"Dirk", "Bos", "", "1", "1", "2"}, {"Cor", "Mol", "", "1", "-", "1"}}},
        {"Aantalmalengespeeld1", 3, "AANTALMALEN  GESPEELD",
         {"Voornaam", "Achternaam", "Aantal", "Voornaam", "Achternaam", "Aantal"}, {110, 145, 60, 110, 145, 60}, 6,
         {{"HEREN  ", " ", " ", "DAMES  "}, {"Dirk", "Bos", "   3", "Cis", "Berg", "   3"}}},
        // Aart Vos meets man 4 in both doubles rounds and lady 4 in the mixed round: man 4 twice.
        {"Kruistabel1", 4, "KRUIS TABEL ", {"Nr", "V.Achternaam", "ronde: ", "1", "2", "3", "N2"},
         {40, 170, 60, 35, 35, 35, 80}, 7,
         {{" ", "HEREN  "}, {"1", "A. Vos", "", "3", "2", "4"}, {" ", " ", "", "4", "4", "4", "    4 (2)"}}},
        {"UitvoerGames1", 10, "UITVOER van GAMES, Match: 0",
         {"Voornaam", "Achternaam", "ronde : ", "1", "2", "3", "Som"}, {90, 145, 60, 35, 35, 35, 45}, 7,
         {{"HEREN  "}, {"Dirk", "Bos", "", "0", "0", "0", "0"}}},
    };
    Evening e;
    auto* beeld = e.window.findChild<QMenu*>("Beeld1");
    for (const Case& c : cases) {
        QTest::mouseClick(e.child<QPushButton>("StopBtn"), Qt::LeftButton);
        // "Uitvoer Games" is a match command: the window switches the overview commands on.
        e.window.setOverviewGroup(c.kind != 10);
        e.window.setMatchGroup(c.kind == 10);
        e.item(c.command)->trigger();
        TResultsForm& f = e.form();
        QVERIFY2(f.isVisible(), c.command);
        QCOMPARE(f.kind(), overviews::OverviewKind(c.kind));
        QCOMPARE(f.windowTitle(), QString("Schema Resultaten"));
        QCOMPARE(e.child<QLabel>("Resulthead")->text(), c.heading);
        QCOMPARE(e.child<QLabel>("Resulthead")->width(), c.kind == 10 ? 250 : 225);
        QCOMPARE(f.listView()->columnCount(), c.columns);
        QCOMPARE(e.captions().mid(0, c.captions.size()), c.captions);
        for (int k = 0; k < c.widths.size(); ++k)
            QCOMPARE(f.listView()->columnWidth(k), c.widths[k]);
        QCOMPARE(f.listView()->topLevelItemCount(), int(f.lines().size()));
        for (int k = 0; k < c.rows.size(); ++k)
            QCOMPARE(e.row(k), c.rows[k]);
        QVERIFY(f.listView()->isVisible());
        QVERIFY(!f.grid()->isVisible());
        QVERIFY(e.child<QPushButton>("PrintBtn")->isVisible());
        QVERIFY(e.child<QPushButton>("RedBtn")->isVisible());
        QCOMPARE(e.child<QLabel>("GroepKopLab1")->isVisible(), c.kind == 4);
        // Listed in "Bee&ld" with its hint; the overview commands are on.
        QVERIFY(e.window.windowList()->isOpen(&f));
        QCOMPARE(beeld->actions().last()->text(), QString("Schema Resultaten"));
        QCOMPARE(beeld->actions().last()->statusTip(), QString("Selecteer Uitvoer venster"));
        QVERIFY(e.item("Wijzigen1")->isEnabled());
        QVERIFY(e.window.uitSpdBtn->isEnabled());
    }
    // The list view and the grid take the window text font of the print settings.
    QCOMPARE(e.form().listView()->font().pointSize(), int(e.t.state.club.printSettings.textFontSize));
    QVERIFY(e.t.sink.shown.empty());
}

// While the window is visible the commands only bring it to the front; the tool button opens the pair
// schedule.
void TestResultsForm::commandsOnlyRaiseAVisibleWindow()
{
    Evening e;
    QTest::mouseClick(e.window.uitSpdBtn, Qt::LeftButton);
    QVERIFY(e.form().isVisible());
    QCOMPARE(e.form().kind(), overviews::PairSchedule);
    e.item("Kruistabel1")->trigger();
    QCOMPARE(e.form().kind(), overviews::PairSchedule);
    QCOMPARE(e.child<QLabel>("Resulthead")->text(), QString("PAREN INDELING"));
}

void TestResultsForm::sluitRemovesTheWindowListEntry()
{
    Evening e;
    auto* beeld = e.window.findChild<QMenu*>("Beeld1");
    e.item("BaanSchema1")->trigger();
    QCOMPARE(beeld->actions().size(), 2);
    QTest::mouseClick(e.child<QPushButton>("StopBtn"), Qt::LeftButton);
    QVERIFY(!e.form().isVisible());
    QVERIFY(!e.window.windowList()->isOpen(&e.form()));
    QCOMPARE(beeld->actions().size(), 1);
    // Opened again: one entry again.
    e.item("Parenschema1")->trigger();
    QCOMPARE(beeld->actions().size(), 2);
    QCOMPARE(e.form().kind(), overviews::PairSchedule);
}

void TestResultsForm::popupMenuSwitchesOverviewsAndEditsRows()
{
    Evening e;
    e.item("Parenschema1")->trigger();
    TResultsForm& f = e.form();
    QTreeWidget* list = f.listView();
    QMenu* popup = f.popupMenu();
    QCOMPARE(popup->objectName(), QString("PopupResultMenu"));
    auto choose = [&](int row, const char* action) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(viewport(list), Qt::LeftButton, {}, r.center());
        QVERIFY(popup->isVisible());
        QAction* a = popup->findChild<QAction*>(action);
        QVERIFY(a && a->isEnabled());
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(a).center());
        QVERIFY(!popup->isVisible());
    };

    // "Voegin regel" puts an empty row before the chosen one; "Verwijder regel" takes the chosen row
    // away. The lines (and so the export) stay as built.
    const QStringList second = e.row(2);
    choose(2, "Voeginregel1");
    QCOMPARE(list->topLevelItemCount(), int(f.lines().size()) + 1);
    QCOMPARE(e.row(2), QStringList{"  "});
    QCOMPARE(e.row(3), second);
    choose(3, "VerwijderRij");
    choose(2, "VerwijderRij");
    QCOMPARE(list->topLevelItemCount(), int(f.lines().size()) - 1);
    QCOMPARE(e.row(1), QStringList({"1", "Aart", "Vos", "  ", "Cor", "Mol", "   1"}));
    QCOMPARE(e.row(2), QStringList({"    "}));

    // The overview items close the window and show their overview; it stays listed.
    choose(0, "Baanschema2");
    QVERIFY(f.isVisible());
    QCOMPARE(f.kind(), overviews::CourtSchedule);
    QCOMPARE(e.row(1), QStringList({"Dirk", "Bos", "", "1", "1", "2"}));
    QVERIFY(e.window.windowList()->isOpen(&f));
    QCOMPARE(e.window.findChild<QMenu*>("Beeld1")->actions().size(), 2);
    choose(0, "BewerkenSchema2");
    QCOMPARE(f.kind(), overviews::ChangeGrid);
    QVERIFY(f.grid()->isVisible());
    QVERIFY(!f.listView()->isVisible());
    QVERIFY(!e.child<QPushButton>("PrintBtn")->isVisible());
    QVERIFY(!e.child<QPushButton>("RedBtn")->isVisible());
    QVERIFY(!popup->findChild<QAction*>("Voeginregel1")->isEnabled());
    QVERIFY(!popup->findChild<QAction*>("VerwijderRij")->isEnabled());
}

void TestResultsForm::eitherButtonOpensThePopupForTheRowUnderTheMouse_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

// Clicked as the window system delivers it (a right press also asks for a context menu): the row under
// the mouse is chosen and the popup menu acts on it.
void TestResultsForm::eitherButtonOpensThePopupForTheRowUnderTheMouse()
{
    QFETCH(Qt::MouseButton, button);
    Evening e;
    e.item("Parenschema1")->trigger();
    TResultsForm& f = e.form();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTreeWidget* list = f.listView();
    QMenu* popup = f.popupMenu();
    const QStringList second = e.row(2);
    const QRect r = list->visualItemRect(list->topLevelItem(2));
    QTest::mouseClick(f.windowHandle(), button, {}, list->viewport()->mapTo(&f, r.center()));
    QVERIFY(popup->isVisible());
    QCOMPARE(list->currentItem(), list->topLevelItem(2));
    QAction* insert = popup->findChild<QAction*>("Voeginregel1");
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(insert).center());
    QVERIFY(!popup->isVisible());
    QCOMPARE(e.row(2), QStringList{"  "});
    QCOMPARE(e.row(3), second);
}

// Names mode: the hint of the zone under the mouse, in the main window's status bar and as tool tip.
void TestResultsForm::hintsFollowTheMouse()
{
    Evening e;
    e.item("Parenschema1")->trigger();
    QTreeWidget* list = e.form().listView();
    auto* panel0 = e.window.findChild<QLabel*>("Panel0");
    const struct {
        int x;
        const char* hint;
    } cases[] = {{30, "Ronde "}, {100, "Eerste Tandem-paar"}, {400, "Tweede Tandem-paar"}, {600, "Speel-baan"},
                 {300, "Ronde "}};
    for (const auto& c : cases) {
        hover(list, QPoint(c.x, 30));
        QCOMPARE(panel0->text(), QString(c.hint));
        QCOMPARE(list->toolTip(), QString(c.hint));
    }
    e.form().ShowOverview(overviews::CrossTable);
    hover(list, QPoint(100, 30));
    QCOMPARE(panel0->text(), QString("Naam "));
    hover(list, QPoint(300, 30));
    QCOMPARE(panel0->text(), QString("Tegenspeler "));
}

// Eef sits out in round 1 and Aart plays on court 1: swapping them by two clicks and Enter. The
// courts are coded (positions 1 and 2 are courts 7 and 12), so the grid shows codes.
void TestResultsForm::changeGridSwapsThroughClicksAndEnter()
{
    Evening e;
    e.t.state.club.config->keyData.options |= 4;
    e.t.state.club.config->keyData.courts = 2;
    e.s.CourtCodes[1] = 7;
    e.s.CourtCodes[2] = 12;
    e.item("Wijzigen1")->trigger();
    TResultsForm& f = e.form();
    QTableWidget* grid = f.grid();
    QCOMPARE(f.kind(), overviews::ChangeGrid);
    QCOMPARE(e.child<QLabel>("Resulthead")->text(), QString("BAANSCHEMA BEWERKEN"));
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("HEREN "));
    QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("ronde:"));
    QCOMPARE(grid->horizontalHeaderItem(6)->text(), QString("3"));
    QCOMPARE(grid->rowCount(), int(f.lines().size()) - 1);
    const QList<int> widths = {50, 90, 145, 60, 30, 30, 30};
    for (int c = 0; c < widths.size(); ++c)
        QCOMPARE(grid->columnWidth(c), widths[c]);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(cell(grid, 3, 1), QString("Eef"));
    QCOMPARE(cell(grid, 3, 3), QString("_"));
    QCOMPARE(cell(grid, 3, 4), QString("-"));
    QCOMPARE(cell(grid, 4, 1), QString("Aart"));
    QCOMPARE(cell(grid, 4, 4), QString("7"));
    QCOMPARE(cell(grid, 6, 0), QString("DAMES"));
    QCOMPARE(f.focusWidget(), grid);

    auto* guide = e.child<QLabel>("BewerkTextLab");
    QVERIFY(!guide->isVisible());
    clickCell(grid, 3, 4);
    QVERIFY(guide->isVisible());
    QCOMPARE(guide->text(), QString("Klik  nu de andere baan"));
    clickCell(grid, 4, 4);
    QCOMPARE(guide->text(), QString("Toets <Enter> voor baan verwisselen"));

    engine::ScheduleState& s = e.s;
    const int eefPlayed = s.Counters[Men].TimesPlayed[5];
    const int aartPlayed = s.Counters[Men].TimesPlayed[1];
    e.t.sink.expect(Result::Ok);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(e.t.sink.texts().last(), QString("Wissel paar: 3 op baan: 0\r    met paar: 4 op baan: 7"));
    QCOMPARE(e.t.sink.shown.back().kind, int(Information));
    QVERIFY(!guide->isVisible());
    QCOMPARE(cell(grid, 3, 4), QString("7"));
    QCOMPARE(cell(grid, 4, 4), QString("-"));
    QCOMPARE(int(s.Counters[Men].TimesPlayed[5]), eefPlayed + 1);
    QCOMPARE(int(s.Counters[Men].TimesPlayed[1]), aartPlayed - 1);
    const auto& court = s.ScheduleTable[1].court[size_t(s.ScheduleTable[1].range[engine::MenDoubles].first)];
    QVERIFY(std::find(court.begin(), court.end(), 5) != court.end());
    QVERIFY(std::find(court.begin(), court.end(), 1) == court.end());

    // Enter again: the change state is off, nothing happens.
    QTest::keyClick(grid, Qt::Key_Return);
    // The court schedule shows the swap.
    QTest::mouseClick(e.child<QPushButton>("StopBtn"), Qt::LeftButton);
    e.item("BaanSchema1")->trigger();
    QCOMPARE(e.row(3), QStringList({"Eef", "Mol", "", "7", "7", "7"}));
    QCOMPARE(e.row(4), QStringList({"Aart", "Vos", "", "-", "7", "12"}));
    QVERIFY(e.t.sink.allAnswersUsed());
}

void TestResultsForm::changeGridRefusals()
{
    Evening e;
    e.item("Wijzigen1")->trigger();
    QTableWidget* grid = e.form().grid();
    auto* guide = e.child<QLabel>("BewerkTextLab");

    // Outside the round columns.
    e.t.sink.expect(Result::Ok);
    clickCell(grid, 2, 2);
    QCOMPARE(e.t.sink.texts().last(), QString("Alleen voor de kolommen \"ronde\""));
    QVERIFY(!guide->isVisible());

    // Another round column: message 10 with the text clicked; Enter then changes nothing.
    clickCell(grid, 3, 4);
    e.t.sink.expect(Result::Ok);
    clickCell(grid, 4, 5);
    QCOMPARE(e.t.sink.texts().last(), QString("Kolom niet gelijk voor baan: 1"));
    QCOMPARE(e.t.sink.shown.back().kind, int(Error));
    QVERIFY(!guide->isVisible());
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(cell(grid, 3, 4), QString("-"));

    // A lady and a man.
    const auto before = e.s.ScheduleTable;
    clickCell(grid, 7, 4);
    clickCell(grid, 4, 4);
    e.t.sink.expect(Result::Ok);
    QTest::keyClick(grid, Qt::Key_Enter);
    QCOMPARE(e.t.sink.texts().last(), QString("Verwisselen dame <--> heer niet toegestaan"));
    QCOMPARE(e.t.sink.shown.back().kind, int(Error));
    QCOMPARE(cell(grid, 7, 4), QString("2"));
    QCOMPARE(cell(grid, 4, 4), QString("1"));
    QVERIFY(std::memcmp(&before, &e.s.ScheduleTable, sizeof before) == 0);
    QVERIFY(e.t.sink.allAnswersUsed());
}

void TestResultsForm::numberedScheduleRefusesTheChangeGrid()
{
    Evening e(2);
    e.window.setOverviewGroup(false);
    e.t.sink.expect(Result::Ok);
    e.form().ShowOverview(overviews::ChangeGrid);
    QCOMPARE(e.t.sink.texts().last(), QString("Alleen mogelijk voor Schema Op Naam "));
    QCOMPARE(e.t.sink.shown.back().kind, int(Error));
    QVERIFY(!e.form().isVisible());
    QVERIFY(!e.window.windowList()->isOpen(&e.form()));
    // The overview commands go on all the same.
    QVERIFY(e.item("Parenschema1")->isEnabled());

    // The numbered pair schedule, without hints.
    e.item("Parenschema1")->trigger();
    QCOMPARE(e.captions(), QStringList({"ronde", "Paar 1(1)", "Paar 1(2)", "tegen", "Paar 2(1)", "Paar2(1)", " Baan"}));
    QCOMPARE(e.form().listView()->columnWidth(1), 80);
    QCOMPARE(e.row(0), QStringList({" ", "Schema", "Tandem"}));
    auto* panel0 = e.window.findChild<QLabel*>("Panel0");
    const QString before = panel0->text();
    hover(e.form().listView(), QPoint(100, 30));
    QCOMPARE(panel0->text(), before);
    QCOMPARE(e.form().listView()->toolTip(), QString());
}

void TestResultsForm::nothingWithoutASchedule()
{
    Evening e;
    e.s.Settings.ScheduleMode = engine::ScheduleMode::None;
    e.window.setOverviewGroup(false);
    e.form().ShowOverview(overviews::PairSchedule);
    QVERIFY(!e.form().isVisible());
    QVERIFY(!e.item("Parenschema1")->isEnabled());
}

void TestResultsForm::helpButtonOpensItsTopic()
{
    Evening e;
    e.item("Parenschema1")->trigger();
    QTest::mouseClick(e.child<QPushButton>("HelpResBtn"), Qt::LeftButton);
    HelpViewer* viewer = HelpViewer::current();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->source(), helpUrl(250));
    viewer->close();
}

// An overview left open while another schedule is accepted shows (and so prints and exports) the
// new one; the change grid of the old schedule closes.
void TestResultsForm::aNewScheduleRefreshesTheOpenOverviewAndClosesTheChangeGrid()
{
    Evening e;
    e.item("Parenschema1")->trigger();
    QVERIFY(e.form().isVisible());
    auto shownText = [&e] {
        QStringList all;
        for (int i = 0; i < e.form().listView()->topLevelItemCount(); ++i)
            all << e.row(i).join(',');
        return all.join('|');
    };
    QVERIFY(shownText().contains("Aart"));
    calculate(e.s, 1);
    setName(e.s, Men, 1, "Zeno", "Vos"); // another evening, another man
    e.window.windows().scheduleAccepted();
    QVERIFY(e.form().isVisible());
    QVERIFY(!shownText().contains("Aart"));
    QVERIFY(shownText().contains("Zeno"));
    QVERIFY(e.form().lines().size() > 0);

    QTest::mouseClick(e.child<QPushButton>("StopBtn"), Qt::LeftButton);
    e.item("Wijzigen1")->trigger();
    QVERIFY(e.form().isVisible());
    e.window.windows().scheduleAccepted();
    QVERIFY(!e.form().isVisible());
    QVERIFY(!e.window.windowList()->isOpen(&e.form()));
}

// The list (and the change grid) grow with the window; a window the user made larger keeps its size
// from one overview to the next, one smaller than the overview's own size is not possible.
void TestResultsForm::listAndChangeGridTakeTheRoomTheUserGivesTheWindow()
{
    Evening e;
    e.item("Parenschema1")->trigger();
    TResultsForm& f = e.form();
    QVERIFY(f.isVisible());
    const QSize start = f.size();
    const int listHeight = f.listView()->height();
    const QRect screen = f.screen()->availableGeometry();
    const QSize larger(std::min(start.width() + 60, screen.width() - 4), screen.height() - 4);
    QVERIFY(larger.height() > start.height());
    f.resize(larger);
    QCOMPARE(f.listView()->height(), listHeight + larger.height() - start.height());
    auto* stop = e.child<QPushButton>("StopBtn");
    QVERIFY(stop->mapTo(&f, QPoint(0, stop->height())).y() <= f.height());

    for (const char* other : {"Baanschema2", "Aantalmaalgespeeld2", "Kruistabel2", "BewerkenSchema2"}) {
        f.popupMenu()->findChild<QAction*>(other)->trigger();
        QVERIFY2(f.width() >= larger.width() && f.height() == larger.height(), other);
        QWidget* shown = f.kind() == 5 ? static_cast<QWidget*>(f.grid()) : f.listView();
        QVERIFY2(shown->isVisible() && shown->geometry().bottom() > f.height() - 100, other);
    }
    f.resize(100, 100);
    QVERIFY(f.width() >= 200 && f.height() >= listHeight);
}

QTEST_MAIN(TestResultsForm)
#include "tst_resultsform.moc"
