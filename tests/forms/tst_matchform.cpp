// The match window "Invoeren van Matchpunten" on a season of three matches, opened through the main
// window's "&Open Match" and driven through its grid, keys and buttons.
#include "forms/MatchWiring.h"
#include "forms/ScoreGrid.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "forms/WindowList.h"
#include "state/FileCommands.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

using namespace tandemx;
using namespace tandemx::test;

namespace {

struct Member {
    int clubNr;
    const char *first, *last, *grp, *actie;
};
// Club numbers unlike the list positions; Bas did not play, Dirk is "0" (not active).
const Member kMembers[] = {
    {11, "Aart", "Vos", "H", "X"},
    {12, "Bas", "de Boer", "h ", "-"},
    {20, "Ank", "Kok", "D", "X"},
    {31, "Dirk", "Bos", "H", "0"},
    {13, "Bep", "Smit", "d", "1"},
};
constexpr int M = 5;

// Three matches; games per member in matches 1 and 3 (match 2 is typed in the tests).
struct Season {
    TestState t;
    TTandem12X window{t.state};
    MatchData& data = t.state.matches;
    QTemporaryDir dir;

    Season(int matches = 3)
    {
        setDefaults(t.state);
        KeyData& key = t.state.club.config->keyData;
        key.maxMatches = 40;
        key.keepGames = 1;
        t.state.club.members = MemberList{};
        for (const Member& m : kMembers) {
            TLedenObj r;
            r.setClubNr(int16_t(m.clubNr));
            r.setText(MemberField::Voornaam, QString::fromLatin1(m.first));
            r.setText(MemberField::Achternaam, QString::fromLatin1(m.last));
            r.setText(MemberField::Grp, QString::fromLatin1(m.grp));
            r.setText(MemberField::Actie, QString::fromLatin1(m.actie));
            t.state.club.members->append(r);
        }
        for (int i = 1; i <= M; ++i)
            t.state.club.members->at(i).setIx(uint16_t(i));
        t.state.club.memberFileName = dir.filePath("club.tdm");
        t.state.schedule->TotalRounds = 5;
        data.memberFile = t.state.club.memberFileName;
        const char* dates[] = {"05-03-2026", "12-03-2026", "19-03-2026"};
        for (int n = 1; n <= matches; ++n)
            CreateMatch(data, n, M, 5, QString::fromLatin1(dates[(n - 1) % 3]));
        const int games1[] = {5, 3, 4, 0, 2};
        const int games3[] = {1, 1, 1, 1, 1};
        for (int m = 1; m <= M; ++m) {
            data.match(1)->calcs[size_t(m)].Games = int16_t(games1[m - 1]);
            data.match(1)->calcs[size_t(m)].GamesPlace = int16_t(9);
            if (matches >= 3)
                data.match(3)->calcs[size_t(m)].Games = int16_t(games3[m - 1]);
        }
        LoadHeader(data, matches);
        data.CurrentMatch.match = matches;
        wireMatches(window, t.state);
        window.show();
        window.setMatchGroup(true);
    }

    // "&Open Match" on match n, answering the selection and "Match openen ?".
    TMatchForm& open(int n)
    {
        t.state.modalHooks.onShow<TMatchSelDlg>([n](TMatchSelDlg& d) {
            QTimer::singleShot(0, &d, [&d, n] {
                auto* box = d.findChild<QComboBox*>("MatchSelBox");
                box->setEditText(QString::number(n));
                QTest::keyClick(box, Qt::Key_Return);
                QTest::mouseClick(d.findChild<QPushButton*>("OKMatchBtn"), Qt::LeftButton);
            });
        });
        t.sink.expect(Result::Yes);
        window.findChild<QAction*>("OpenMatch1")->trigger();
        t.state.modalHooks.remove<TMatchSelDlg>();
        t.sink.shown.clear();
        TMatchForm& f = MatchWindows::of(window)->matchForm();
        return f;
    }
    std::vector<int> column(int match, int16_t TCalcObj::*field) const
    {
        std::vector<int> v;
        for (int m = 1; m <= M; ++m)
            v.push_back(data.match(match)->calcs[size_t(m)].*field);
        return v;
    }
};

ScoreGrid* grid(TMatchForm& f) { return f.grid(); }

// The widget that receives the keys typed into the grid: the open cell editor, else the grid.
QWidget* keyTarget(ScoreGrid* g)
{
    for (auto* editor : g->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return g;
}

void key(ScoreGrid* g, Qt::Key k) { QTest::keyClick(keyTarget(g), k); }

// Types into a cell as a user does: the first key opens the cell editor.
void typeCell(ScoreGrid* g, int row, int column, const QString& text)
{
    g->selectCell(row, column);
    for (QChar ch : text)
        QTest::keyClick(keyTarget(g), ch.toLatin1());
}

QPushButton* button(TMatchForm& f, const char* name) { return f.findChild<QPushButton*>(name); }

std::vector<int> ints(std::initializer_list<int> l) { return l; }

} // namespace

class TestMatchForm : public QObject {
    Q_OBJECT
private slots:
    void opensWithEveryMatchUpToTheChosenOne();
    void typedGamesAreRankedOverTheSeason();
    void sharedPlacesSkipTheNext();
    void setsModeRanksBySetsAndClearsGameTotals();
    void aMemberWhoDidNotPlayKeepsTypedGamesOut();
    void keysMoveAsTheGridExpects();
    void sluitRefusesCellsThatAreNoNumber();
    void closingAsksUnlessConfirmed();
    void gegevensShowsTheMatchParameters();
    void matchFortyTurnsNewMatchOff();
    void openingAnotherListClosesTheMatchWindow();
    void opensWhereItWasLeftAndWhollyOnTheScreen();
    void gridGrowsWithTheWindow();
    void maximisedStaysMaximisedAndReturnsToItsPlace();
    // The window places go to a settings folder of the test's own, never the user's.
    void initTestCase()
    {
        QVERIFY(settingsDir.useFor());
    }

private:
    TemporarySettings settingsDir;
};

void TestMatchForm::opensWithEveryMatchUpToTheChosenOne()
{
    Season s;
    TMatchForm& f = s.open(2);
    QVERIFY(f.isVisible());
    QCOMPARE(f.windowTitle(), QString("Invoeren van Matchpunten"));
    QCOMPARE(f.height(), 480);
    QCOMPARE(f.matchNumber(), 2);
    ScoreGrid* g = grid(f);
    QCOMPARE(g->columnCount(), 10);
    QCOMPARE(g->rowCount(), M);
    QStringList titles;
    for (int c = 0; c < g->columnCount(); ++c)
        titles << g->cell(0, c);
    QCOMPARE(titles, QStringList({"Ix", "Club\nNr.", "Voornaam", "Achternaam", "Grp", "Actie", "Games\n05-03",
                                  "Games\n12-03", "Tot.Gms", "Plaats"}));
    QCOMPARE(f.headerCell(1), QString("Club"));
    QCOMPARE(f.headerCell(7), QString("Games"));
    QCOMPARE(f.headerCell(9), QString("Plaats"));
    QList<int> widths;
    for (int c = 0; c < g->columnCount(); ++c)
        widths << g->columnWidth(c);
    QCOMPARE(widths, QList<int>({30, 40, 100, 145, 40, 35, 50, 50, 50, 50}));
    QCOMPARE(g->width(), 620);
    QCOMPARE(g->x(), (f.width() - 620) / 2);
    QStringList row1;
    for (int c = 0; c < g->columnCount(); ++c)
        row1 << g->cell(1, c);
    QCOMPARE(row1, QStringList({"1", "11", "Aart", "Vos", "H", "X", "5", "0", "0", "1"}));
    QCOMPARE(g->item(0, TMatchForm::Actie)->foreground().color(), QColor(Qt::blue));
    QVERIFY(g->item(1, TMatchForm::Actie)->foreground().color() != QColor(Qt::blue)); // "-"
    QCOMPARE(f.exportLines().first(), QString("11,Aart,Vos,H,X,5,0,0,1"));
    QCOMPARE(f.exportLines().size(), M);
    // Active: Aart and Bep's group compares without case and blanks; Bas ("-") and Dirk ("0") not.
    QCOMPARE(f.findChild<QLabel*>("AantalHrnLab")->text(), QString("1"));
    QCOMPARE(f.findChild<QLabel*>("AantalDmsLab")->text(), QString("2"));
    QVERIFY(!f.findChild<QLineEdit*>("TotalTxt")->isVisible());
    QCOMPARE(g->row(), 1);
    QCOMPARE(g->column(), 2);
    QAction* entry = s.window.windowList()->entry(&f);
    QVERIFY(entry);
    QCOMPARE(entry->text(), QString("Invoeren van Matchpunten"));
    QCOMPARE(entry->statusTip(), QString("Selecteer MatchScore venster"));

    // Opening another match closes this one first (no question) and shows the other.
    TMatchForm& again = s.open(3);
    QCOMPARE(&again, &f);
    QCOMPARE(f.matchNumber(), 3);
    QCOMPARE(g->columnCount(), 11);
    QCOMPARE(s.window.findChild<QMenu*>("Beeld1")->actions().size(), 2);
}

void TestMatchForm::typedGamesAreRankedOverTheSeason()
{
    Season s;
    TMatchForm& f = s.open(2);
    ScoreGrid* g = grid(f);
    const int games = f.gamesColumn();
    QCOMPARE(games, 7);
    // Clicking a name goes to this evening's games; Enter takes the row over.
    const QRect name = g->visualRect(g->model()->index(0, TMatchForm::Voornaam));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, name.center());
    QCOMPARE(g->column(), games);
    const char* typed[] = {"7", nullptr, "11", "6", "13"};
    for (int r = 1; r <= M; ++r) {
        if (!typed[r - 1])
            continue;
        typeCell(g, r, games, QString::fromLatin1(typed[r - 1]));
        key(g, Qt::Key_Return);
    }
    QCOMPARE(s.column(2, &TCalcObj::Games), ints({7, 0, 11, 6, 13}));
    QCOMPARE(s.column(2, &TCalcObj::ClubNr), ints({11, 0, 20, 31, 13}));

    s.data.match(3)->calcs[1].SetsPlace = 5;
    QTest::mouseClick(button(f, "RekenBtn"), Qt::LeftButton);
    // Running totals over matches 1..3, places of match 2 and of match 3; match 1's places stay.
    QCOMPARE(s.column(1, &TCalcObj::TotalGames), ints({5, 3, 4, 0, 2}));
    QCOMPARE(s.column(2, &TCalcObj::TotalGames), ints({12, 3, 15, 6, 15}));
    QCOMPARE(s.column(3, &TCalcObj::TotalGames), ints({13, 4, 16, 7, 16}));
    QCOMPARE(s.column(2, &TCalcObj::GamesPlace), ints({3, 5, 1, 4, 1}));
    QCOMPARE(s.column(3, &TCalcObj::GamesPlace), ints({3, 5, 1, 4, 1}));
    QCOMPARE(s.column(1, &TCalcObj::GamesPlace), ints({9, 9, 9, 9, 9}));
    QCOMPARE(s.column(2, &TCalcObj::TotalSets), ints({0, 0, 0, 0, 0}));
    QCOMPARE(g->cell(3, f.totalColumn()), QString("15"));
    QCOMPARE(g->cell(3, f.placeColumn()), QString("1"));
    QCOMPARE(f.exportLines().at(2), QString("20,Ank,Kok,D,X,4,11,15,1"));
    auto* total = f.findChild<QLineEdit*>("TotalTxt");
    QVERIFY(total->isVisible());
    QCOMPARE(total->text(), QString("51"));

    // "&Sluit": the rows again, then "Matches redden" Ja writes the match file.
    s.t.sink.expect(Result::Yes);
    QTest::mouseClick(button(f, "SluitMatchBtn"), Qt::LeftButton);
    QCOMPARE(s.t.sink.texts().last(), QString("Matches redden"));
    QVERIFY(!f.isVisible());
    QVERIFY(!s.window.windowList()->isOpen(&f));
    QFile file(s.dir.filePath("club.CAL"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const MatchFileContents read = readMatchFile(file, M);
    QCOMPARE(read.errorState, 0);
    QCOMPARE(read.matches, s.data.MatchList);
}

void TestMatchForm::sharedPlacesSkipTheNext()
{
    // Totals 12, 15, 15, 9 give places 3, 1, 1, 4; the member who did not play (3) is fifth.
    Season s(1);
    TMatchForm& f = s.open(1);
    ScoreGrid* g = grid(f);
    const char* typed[] = {"12", nullptr, "15", "9", "15"};
    for (int r = 1; r <= M; ++r)
        if (typed[r - 1])
            typeCell(g, r, f.gamesColumn(), QString::fromLatin1(typed[r - 1]));
    g->finishEditing();
    QTest::mouseClick(button(f, "RekenBtn"), Qt::LeftButton);
    QCOMPARE(s.column(1, &TCalcObj::TotalGames), ints({12, 3, 15, 9, 15}));
    QCOMPARE(s.column(1, &TCalcObj::GamesPlace), ints({3, 5, 1, 4, 1}));
}

void TestMatchForm::setsModeRanksBySetsAndClearsGameTotals()
{
    Season s(2);
    for (int m = 1; m <= M; ++m) {
        s.data.match(1)->calcs[size_t(m)].Sets = int16_t(m);
        s.data.match(2)->calcs[size_t(m)].Sets = int16_t(2 * m);
        s.data.match(2)->calcs[size_t(m)].TotalGames = 99;
    }
    s.data.match(2)->header.InputMode = 1;
    TMatchForm& f = s.open(2);
    QTest::mouseClick(button(f, "RekenBtn"), Qt::LeftButton);
    QCOMPARE(s.column(2, &TCalcObj::TotalSets), ints({3, 6, 9, 12, 15}));
    QCOMPARE(s.column(2, &TCalcObj::SetsPlace), ints({5, 4, 3, 2, 1}));
    QCOMPARE(s.column(1, &TCalcObj::TotalGames), ints({0, 0, 0, 0, 0}));
    QCOMPARE(s.column(2, &TCalcObj::TotalGames), ints({0, 0, 0, 0, 0}));
    // The total box sums the running totals of the mode.
    QCOMPARE(f.findChild<QLineEdit*>("TotalTxt")->text(), QString("45"));
}

void TestMatchForm::aMemberWhoDidNotPlayKeepsTypedGamesOut()
{
    Season s;
    TMatchForm& f = s.open(2);
    ScoreGrid* g = grid(f);
    typeCell(g, 2, f.gamesColumn(), "8");
    s.t.sink.expect(Result::Ok);
    key(g, Qt::Key_Return);
    QCOMPARE(s.t.sink.texts(), QStringList{"Speler heeft niet getennist"});
    QCOMPARE(s.t.sink.shown.back().kind, int(Warning));
    QTest::mouseClick(button(f, "RekenBtn"), Qt::LeftButton); // skips the row without a message
    QCOMPARE(s.data.match(2)->calcs[2].Games, int16_t(0));
    QCOMPARE(s.data.match(2)->calcs[2].TotalGames, int16_t(3));
    QCOMPARE(g->cell(2, f.gamesColumn()), QString("0"));
    QCOMPARE(g->cell(2, f.placeColumn()), QString("3"));
}

void TestMatchForm::keysMoveAsTheGridExpects()
{
    Season s;
    TMatchForm& f = s.open(2);
    ScoreGrid* g = grid(f);
    // Enter walks from the first name to this evening's games and stays there.
    for (int expected : {3, 4, 5, 6, 7, 7}) {
        key(g, Qt::Key_Return);
        QCOMPARE(g->column(), expected);
    }
    // Tab goes down in the same column, not beyond the last row.
    for (int r = 2; r <= M + 1; ++r) {
        key(g, Qt::Key_Tab);
        QCOMPARE(g->row(), std::min(r, M));
    }
    // Right from "Plaats" wraps to the games.
    g->selectCell(1, f.placeColumn());
    key(g, Qt::Key_Right);
    QCOMPARE(g->column(), f.gamesColumn());
    // Down takes the row over before moving.
    typeCell(g, 1, f.gamesColumn(), "4");
    key(g, Qt::Key_Down);
    QCOMPARE(g->row(), 2);
    QCOMPARE(s.data.match(2)->calcs[1].Games, int16_t(4));
    // F3 writes the match file.
    QVERIFY(!QFile::exists(s.dir.filePath("club.CAL")));
    key(g, Qt::Key_F3);
    QVERIFY(QFile::exists(s.dir.filePath("club.CAL")));
}

void TestMatchForm::sluitRefusesCellsThatAreNoNumber()
{
    Season s;
    TMatchForm& f = s.open(2);
    ScoreGrid* g = grid(f);
    typeCell(g, 3, f.gamesColumn(), "x");
    g->finishEditing();
    s.t.sink.expect(Result::Ok);
    s.t.sink.expect(Result::Ok);
    QTest::mouseClick(button(f, "SluitMatchBtn"), Qt::LeftButton);
    QCOMPARE(s.t.sink.texts(), QStringList({" Invoer: 3 is geen geldig getal\n\r corrigeer (zonodig) invoer",
                                            "Lijst van Matchpunten is niet correct"}));
    QVERIFY(f.isVisible());
    QVERIFY(s.window.windowList()->isOpen(&f));
    QVERIFY(!QFile::exists(s.dir.filePath("club.CAL")));
}

void TestMatchForm::closingAsksUnlessConfirmed()
{
    Season s;
    TMatchForm& f = s.open(2);
    s.t.sink.expect(Result::Yes); // keep it open
    QVERIFY(!f.close());
    QCOMPARE(s.t.sink.texts().last(), QString("Matches nog redden\r gebruik dan [Sluit]"));
    QVERIFY(f.isVisible());
    s.t.sink.expect(Result::No);
    QVERIFY(f.close());
    QVERIFY(!s.window.windowList()->isOpen(&f));

    // "S&chrap" closes without a question and takes nothing over.
    s.open(2);
    typeCell(grid(f), 1, f.gamesColumn(), "9");
    const int before = int(s.t.sink.shown.size());
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(int(s.t.sink.shown.size()), before);
    QCOMPARE(s.data.match(2)->calcs[1].Games, int16_t(0));
    QVERIFY(!s.window.windowList()->isOpen(&f));

    // When the match list is replaced the window goes the same way, and no match is chosen.
    s.open(2);
    QVERIFY(MatchWindows::of(s.window)->matchChosen());
    MatchWindows::of(s.window)->closeWindows();
    QVERIFY(!f.isVisible());
    QVERIFY(!s.window.windowList()->isOpen(&f));
    QVERIFY(!MatchWindows::of(s.window)->matchChosen());
    QCOMPARE(int(s.t.sink.shown.size()), before);
}

void TestMatchForm::gegevensShowsTheMatchParameters()
{
    Season s;
    TMatchForm& f = s.open(2);
    auto* box = f.findChild<QGroupBox*>("ParameterBox");
    QVERIFY(!box->isVisible());
    QTest::mouseClick(button(f, "GegevensBtn"), Qt::LeftButton);
    QVERIFY(box->isVisible());
    QStringList values;
    for (int i = 0; i < 5; ++i)
        values << f.findChild<QLabel*>(QString("ParameterValue%1").arg(i))->text();
    QCOMPARE(values, QStringList({"  2", "  3", "  3", "  5", "12-03-26"}));
    QTest::mouseClick(f.findChild<QPushButton*>("ParameterOkBtn"), Qt::LeftButton);
    QVERIFY(!box->isVisible());
}

void TestMatchForm::matchFortyTurnsNewMatchOff()
{
    Season s(40);
    QAction* nieuw = s.window.findChild<QAction*>("NieuweMatch1");
    s.open(39);
    QVERIFY(nieuw->isEnabled());
    s.open(40);
    QVERIFY(!nieuw->isEnabled());
}

// "S&chrap" and "&Open Match" again: the window comes back at the size and place it was left at (the
// program's settings), and a place partly off the screen (the window once opened 15 pixels below the
// screen's bottom) is moved onto it.
void TestMatchForm::opensWhereItWasLeftAndWhollyOnTheScreen()
{
    SettingsWindowPlaces places;
    QSettings().remove(QStringLiteral("windows"));
    Season s;
    s.t.state.windowPlaces = &places;
    const QRect screen = s.window.screen()->availableGeometry();
    TMatchForm& f = s.open(2);
    QVERIFY(f.isVisible());
    QVERIFY2(screen.contains(f.frameGeometry()), "opened partly off the screen");
    QCOMPARE(f.size(), QSize(TMatchForm::DefaultWidth, TMatchForm::OpenHeight)); // nothing kept yet: the starting size

    // Places are frame rectangles: the window with its title bar and borders.
    f.setGeometry(screen.left() + 20, screen.top() + 30, 760, 540);
    const QRect left = f.frameGeometry();
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(places.load(QStringLiteral("TMatchForm")), (WindowPlace{left, false, QMargins(2, 2, 2, 2)})); // the offscreen frame

    s.open(3);
    QVERIFY(f.isVisible());
    QCOMPARE(f.frameGeometry(), left);
    QCOMPARE(f.size(), QSize(760, 540));

    // Kept 15 pixels below the screen: it opens with its bottom on the screen's bottom.
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
    places.save(QStringLiteral("TMatchForm"), {QRect(left.x(), screen.bottom() + 15 - 543, 764, 544), false});
    s.open(3);
    QCOMPARE(f.frameGeometry(), QRect(left.x(), screen.bottom() - 543, 764, 544));
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);

    // Kept on a screen that has gone (far right): back on this one.
    places.save(QStringLiteral("TMatchForm"), {QRect(screen.right() + 400, 100, 764, 544), false});
    s.open(1);
    QVERIFY2(screen.contains(f.frameGeometry()), "left on a screen that has gone");
    QCOMPARE(f.size(), QSize(760, 540));
    // Kept smaller than the starting size: the starting size.
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
    places.save(QStringLiteral("TMatchForm"), {QRect(screen.left() + 10, screen.top() + 10, 300, 200), false});
    s.open(1);
    QCOMPARE(f.frameGeometry().topLeft(), screen.topLeft() + QPoint(10, 10));
    QCOMPARE(f.size(), QSize(TMatchForm::DefaultWidth, TMatchForm::OpenHeight));
}

// The grid takes the room the window has: wider up to its columns, higher with the window, the
// counters and buttons below it in view.
void TestMatchForm::gridGrowsWithTheWindow()
{
    Season s(3);
    TMatchForm& f = s.open(3);
    ScoreGrid* g = grid(f);
    QCOMPARE(g->size(), QSize(520 + 3 * 50, 330)); // the starting size
    const QRect screen = f.screen()->availableGeometry();
    f.resize(screen.width(), screen.height());
    QCOMPARE(g->width(), 520 + 3 * 50); // as wide as its columns
    QCOMPARE(g->height(), 330 + screen.height() - TMatchForm::OpenHeight);
    QCOMPARE(g->x(), (f.width() - g->width()) / 2);
    for (const char* name : {"AantalHrntxt", "AantalDmsLab"}) {
        auto* label = f.findChild<QLabel*>(name);
        QVERIFY2(label->isVisible() && label->y() > g->geometry().bottom() && label->geometry().bottom() < f.height() - 41, name);
    }
    QVERIFY(button(f, "PrintMatchBtn")->mapTo(&f, QPoint(0, 0)).y() + 25 <= f.height());
    f.resize(100, 100); // no smaller than the starting size
    QCOMPARE(f.size(), QSize(TMatchForm::DefaultWidth, TMatchForm::OpenHeight));
    QCOMPARE(g->height(), 330);
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
}

// Closed while maximised, the window opens maximised again, and "restore" brings back the place it
// had before it was maximised.
void TestMatchForm::maximisedStaysMaximisedAndReturnsToItsPlace()
{
    Season s;
    TMatchForm& f = s.open(3);
    const QRect screen = f.screen()->availableGeometry();
    f.setGeometry(screen.left() + 30, screen.top() + 40, 720, 500);
    const QRect normal = f.geometry();
    f.showMaximized();
    QTRY_COMPARE(f.frameGeometry(), screen);
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    s.open(2);
    QVERIFY(f.isVisible());
    QTRY_VERIFY(f.isMaximized());
    QTRY_COMPARE(f.frameGeometry(), screen);
    QVERIFY(f.grid()->height() > 330);
    f.showNormal();
    QTRY_COMPARE(f.geometry(), normal);
    QTest::mouseClick(button(f, "SchrapMatchBtn"), Qt::LeftButton);
}

QTEST_MAIN(TestMatchForm)
// A match window belongs to the list it was opened for: opening another member file closes it, so its
// rows can never be taken over into the other club's matches.
void TestMatchForm::openingAnotherListClosesTheMatchWindow()
{
    Season s;
    TMatchForm& f = s.open(2);
    QVERIFY(f.isVisible());
    const QString other = s.dir.filePath("other.tdm");
    s.t.state.club.memberFileName = other;
    s.t.state.club.config->keyData.keepGames = 0;
    QVERIFY(saveMemberList(s.t.state, false));
    QVERIFY(saveConfig(s.t.state, other));
    QVERIFY(s.window.openPath(other));
    QVERIFY(!f.isVisible());
    QCOMPARE(s.t.state.matches.MatchCount(), 0);
}

#include "tst_matchform.moc"
