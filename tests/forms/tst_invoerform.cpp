// The game input "Invoer van Game of Set-punten" on a calculated evening, opened through the main
// window's "Invoer Games", and "Kopie van Games" crediting what was typed to the members.
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"
#include "forms/MatchWiring.h"
#include "forms/ResultsWiring.h"
#include "forms/TResultsForm.h"
#include "forms/ScoreGrid.h"
#include "forms/TInvoerForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "forms/WindowList.h"
#include "matches/GameInput.h"
#include "matches/MatchScores.h"
#include "state/UnsavedChanges.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

using namespace tandemx;
using namespace tandemx::test;
using engine::Ladies;
using engine::Men;

namespace {

struct Member {
    int clubNr;
    const char *first, *last, *grp, *actie;
};
// Men and ladies alternating, club numbers unlike the positions; the last member is not present.
const Member kMembers[] = {
    {101, "Aart", "Vos", "H", "X"}, {57, "Ank", "Kok", "D", "X"},    {3, "Bas", "de Boer", "H", "X"},
    {250, "Bep", "Smit", "D", "X"}, {12, "Cor", "Mol", "H", "X"},    {40, "Cis", "Berg", "D", "X"},
    {7, "Dirk", "Bos", "H", "X"},   {200, "Door", "Kok", "D", "X"}, {9, "Eef", "Mol", "H", "X"},
    {77, "Frits", "Wit", "H", "-"},
};
constexpr int M = 10;

// A small evening calculated for real: 5 men and 4 ladies, two doubles rounds and one mixed round on
// two courts; one match of three rounds dated on the play date; the main window with its match
// commands.
struct Evening {
    TestState t;
    TTandem12X window{t.state};
    engine::ScheduleState& s = *t.state.schedule;
    MatchData& data = t.state.matches;
    QTemporaryDir dir;
    std::array<std::array<int, engine::MaxPlayers + 1>, 2> position{}; // member position per player

    Evening()
    {
        setDefaults(t.state);
        KeyData& key = t.state.club.config->keyData;
        key.keepGames = 1;
        key.maxMatches = 10;
        t.state.club.members = MemberList{};
        int count[2] = {0, 0};
        for (int i = 1; i <= M; ++i) {
            const Member& m = kMembers[i - 1];
            TLedenObj r;
            r.setClubNr(int16_t(m.clubNr));
            r.setText(MemberField::Voornaam, QString::fromLatin1(m.first));
            r.setText(MemberField::Achternaam, QString::fromLatin1(m.last));
            r.setText(MemberField::Grp, QString::fromLatin1(m.grp));
            r.setText(MemberField::Actie, QString::fromLatin1(m.actie));
            t.state.club.members->append(r);
            if (m.actie[0] == '-')
                continue;
            const int gender = m.grp[0] == 'H' ? Men : Ladies;
            auto& entry = s.PlayerTable[size_t(gender)][size_t(++count[gender])];
            entry.memberNumber = uint8_t(m.clubNr);
            entry.clubNr = int16_t(m.clubNr);
            entry.firstName.assign((std::string(m.first) + std::string(24, ' ')).substr(0, 24));
            entry.lastName.assign((std::string(m.last) + std::string(40, ' ')).substr(0, 40));
            entry.PlayerCode = 'X';
            position[size_t(gender)][size_t(count[gender])] = i;
        }
        engine::QuietHost host(0);
        engine::SetGroupCodes(s, "H", "D");
        s.Settings = {5, 4, 2, 1, 2, 0, 0, engine::ScheduleMode::Names};
        engine::DefaultCourts(s, host);
        s.Settings.PlayOptions = 0;
        s.Settings.PauseOptions = 0;
        engine::StartSchedule(s, host);
        if (!s.SolutionFound)
            qWarning("no schedule");

        t.state.club.memberFileName = dir.filePath("club.tdm");
        data.memberFile = t.state.club.memberFileName;
        CreateMatch(t.state, data, 1);
        LoadHeader(data, 1);
        data.CurrentMatch.match = 1;
        wireMatches(window, t.state);
        window.show();
        window.setMatchGroup(true);
    }

    QAction* item(const char* name) { return window.findChild<QAction*>(name); }

    // "Invoer Games": the selection (kind 3) is accepted as it shows match 1.
    TInvoerForm& open()
    {
        t.state.modalHooks.onShow<TMatchSelDlg>([](TMatchSelDlg& d) {
            QTimer::singleShot(0, &d, [&d] { QTest::mouseClick(d.findChild<QPushButton*>("OKMatchBtn"), Qt::LeftButton); });
        });
        item("InvoerGames1")->trigger();
        t.state.modalHooks.remove<TMatchSelDlg>();
        return MatchWindows::of(window)->gameInputForm();
    }
    const TScoreObj& scores(int round) const { return data.match(1)->scores[size_t(round)]; }
};

QWidget* keyTarget(ScoreGrid* g)
{
    for (auto* editor : g->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return g;
}

void key(ScoreGrid* g, Qt::Key k) { QTest::keyClick(keyTarget(g), k); }

// Types as a user does: the first key opens the cell editor, the others go into it.
void type(ScoreGrid* g, const QString& text)
{
    for (QChar ch : text)
        QTest::keyClick(keyTarget(g), ch.toLatin1());
}

// The games of both pairs of court k: g1, Enter, g2.
void typeCourt(ScoreGrid* g, int k, const QString& g1, const QString& g2)
{
    g->selectCell(k, TInvoerForm::Games1);
    type(g, g1);
    key(g, Qt::Key_Return);
    type(g, g2);
    g->finishEditing();
}

QString text(TInvoerForm& f, const char* label) { return f.findChild<QLabel*>(label)->text(); }
QPushButton* button(TInvoerForm& f, const char* name) { return f.findChild<QPushButton*>(name); }

std::array<int, 4> places(const TScoreObj& s, int k) { return {s.at(k, 1), s.at(k, 2), s.at(k, 3), s.at(k, 4)}; }

} // namespace

class TestInvoerForm : public QObject {
    Q_OBJECT
private slots:
    void opensOnRoundOneWithThePairsOfEachCourt();
    void gamesTypedButNotYetStoredAreAskedAboutOnClosing();
    void typedGamesGoToThePlacesOfTheCourt();
    void roundsStayWithinTheMatch();
    void atMostTwelveCourtsAreVisible();
    void gridTakesTheRoomOfTheWindow();
    void keysMoveBetweenTheGamesCells();
    void aCellThatIsNoNumberKeepsTheRound();
    void gamesOutsideWhatAPairCanWinAreRefused_data();
    void gamesOutsideWhatAPairCanWinAreRefused();
    void okAsksToSaveAndClosingAsksUnlessConfirmed();
    void kopieVanGamesCreditsTheMembers();
    void setsAreCreditedAsSets();
};

void TestInvoerForm::opensOnRoundOneWithThePairsOfEachCourt()
{
    Evening e;
    TInvoerForm& f = e.open();
    QVERIFY(f.isVisible());
    QCOMPARE(f.windowTitle(), QString("Invoer van Game of Set-punten"));
    QVERIFY(e.t.sink.texts().isEmpty()); // kind 3: no "Match openen ?"
    QCOMPARE(text(f, "Matchlabel"), QString("Match: 1"));
    QCOMPARE(text(f, "RondeLabel"), QString("Ronde: 1"));
    QCOMPARE(text(f, "DatumLabel"), QString("Datum: 10-12-2026"));
    ScoreGrid* g = f.grid();
    QCOMPARE(g->rowCount(), 2);
    QStringList titles;
    for (int c = 0; c < 5; ++c)
        titles << g->cell(0, c);
    QCOMPARE(titles, QStringList({"Baan", "Paar--1", "Games", "Paar--2", "Games"}));
    QCOMPARE(g->height(), 2 * 36 + 32);
    QCOMPARE(f.height(), 2 * 36 + 32 + 150);
    QCOMPARE(g->toolTip(), QString("Aantal games paar 1 , paar2"));
    for (int k = 1; k <= 2; ++k) {
        const CourtPlayers c = courtPlayers(e.s, 1, k);
        QCOMPARE(g->cell(k, 0), QString::number(k));
        QCOMPARE(g->cell(k, 1), c.names[0] + "\n" + c.names[1]);
        QCOMPARE(g->cell(k, 3), c.names[2] + "\n" + c.names[3]);
        QCOMPARE(g->cell(k, 2), QString("0"));
        QVERIFY(!c.names[0].isEmpty());
    }
    QCOMPARE(g->row(), 1);
    QCOMPARE(g->column(), 2);
    QVERIFY(e.window.windowList()->isOpen(&f));
    QCOMPARE(e.window.windowList()->entry(&f)->text(), QString("Invoer van Game of Set-punten"));

    // Again: the open window only comes to the front, without a selection.
    bool asked = false;
    e.t.state.modalHooks.onShow<TMatchSelDlg>([&](TMatchSelDlg& d) { asked = true; QTimer::singleShot(0, &d, &QDialog::reject); });
    e.item("InvoerGames1")->trigger();
    QVERIFY(!asked);
    QCOMPARE(f.round(), 1);
}

void TestInvoerForm::typedGamesGoToThePlacesOfTheCourt()
{
    Evening e;
    TInvoerForm& f = e.open();
    ScoreGrid* g = f.grid();
    // Round 1 has one doubles court of each kind: 6 and 3 go to the pairs 1-2 and 3-4.
    typeCourt(g, 1, "6", "3");
    typeCourt(g, 2, "2", "7");
    key(g, Qt::Key_PageDown);
    QCOMPARE(f.round(), 2);
    QCOMPARE(text(f, "RondeLabel"), QString("Ronde: 2"));
    QCOMPARE(places(e.scores(1), 1), (std::array<int, 4>{6, 6, 3, 3}));
    QCOMPARE(places(e.scores(1), 2), (std::array<int, 4>{2, 2, 7, 7}));
    // Round 3 is mixed: with "Groep 1 tegen Groep 2" the men get the first number, the ladies the second.
    QTest::mouseClick(button(f, "RndplusBtn"), Qt::LeftButton);
    QCOMPARE(f.round(), 3);
    QCOMPARE(courtKind(e.s, 3, 1), int(engine::MixedDoubles));
    e.s.Settings.PlayOptions = engine::PlayOption::GroupVsGroup;
    typeCourt(g, 1, "6", "3");
    QTest::mouseClick(button(f, "RndminBtn"), Qt::LeftButton);
    QCOMPARE(places(e.scores(3), 1), (std::array<int, 4>{6, 3, 6, 3}));
    // Going back shows what was stored.
    key(g, Qt::Key_PageUp);
    QCOMPARE(f.round(), 1);
    QCOMPARE(g->cell(1, 2), QString("6"));
    QCOMPARE(g->cell(2, 4), QString("7"));
    // The games overview reads the stored games of the current match.
    TResultsForm& overview = resultsForm(e.window, e.t.state);
    QCOMPARE(overview.matchNumber(), 1);
    QCOMPARE(overview.games(1, 2, 3), 7);
    QCOMPARE(overview.games(3, 1, 2), 3);
    QCOMPARE(overview.games(25, 1, 1), 0);
    e.data.CurrentMatch.match = 0;
    QCOMPARE(overview.matchNumber(), 0);
    QCOMPARE(overview.games(1, 2, 3), 0);
}

void TestInvoerForm::roundsStayWithinTheMatch()
{
    Evening e;
    QCOMPARE(int(e.data.match(1)->header.MatchRounds), 3);
    TInvoerForm& f = e.open();
    QTest::mouseClick(button(f, "RndminBtn"), Qt::LeftButton);
    QCOMPARE(f.round(), 1);
    for (int expected : {2, 3, 3}) {
        QTest::mouseClick(button(f, "RndplusBtn"), Qt::LeftButton);
        QCOMPARE(f.round(), expected);
    }
    QCOMPARE(text(f, "RondeLabel"), QString("Ronde: 3"));
}

void TestInvoerForm::atMostTwelveCourtsAreVisible()
{
    for (int courts : {9, 12, 14}) {
        Evening e;
        e.s.Run.NumCourts = courts; // courts the schedule left empty show no names
        TInvoerForm& f = e.open();
        ScoreGrid* g = f.grid();
        QCOMPARE(g->rowCount(), courts);
        const int visible = std::min(courts, 12);
        QCOMPARE(g->height(), visible * 36 + 32);
        QCOMPARE(f.height(), visible * 36 + 32 + 150);
        QCOMPARE(g->cell(courts, 0), QString::number(courts));
        QCOMPARE(g->cell(courts, 1), QString("\n"));
        QVERIFY(g->rowViewportPosition(visible - 1) + 36 <= g->viewport()->height());
        if (courts > visible)
            QVERIFY(g->rowViewportPosition(visible) + 36 > g->viewport()->height());
    }
}

// A larger window shows more courts and wider names; the starting size is the smallest.
void TestInvoerForm::gridTakesTheRoomOfTheWindow()
{
    Evening e;
    e.s.Run.NumCourts = 14;
    TInvoerForm& f = e.open();
    ScoreGrid* g = f.grid();
    QCOMPARE(g->size(), QSize(TInvoerForm::GridWidth, 12 * 36 + 32));
    const QList<int> starting{g->columnWidth(0), g->columnWidth(1), g->columnWidth(2), g->columnWidth(3), g->columnWidth(4)};
    QCOMPARE(starting, QList<int>({40, 190, 50, 190, 50}));

    f.resize(TInvoerForm::DefaultWidth + 200, 14 * 36 + 32 + 150);
    QCOMPARE(g->size(), QSize(TInvoerForm::GridWidth + 200, 14 * 36 + 32));
    QVERIFY(g->rowViewportPosition(13) + 36 <= g->viewport()->height()); // all 14 in view
    QCOMPARE(g->verticalScrollBar()->maximum(), 0);
    const QList<int> wider{g->columnWidth(0), g->columnWidth(1), g->columnWidth(2), g->columnWidth(3), g->columnWidth(4)};
    QCOMPARE(wider, QList<int>({40, 290, 50, 290, 50})); // the names get the room, the games cells keep theirs
    auto* plus = button(f, "RndplusBtn");
    QCOMPARE(plus->x(), g->geometry().right() + 1 + 15);
    QVERIFY(plus->geometry().right() < f.width());
    QVERIFY(button(f, "SluitBtn2")->mapTo(&f, QPoint(0, 25)).y() <= f.height());

    f.resize(100, 100);
    QCOMPARE(f.width(), TInvoerForm::DefaultWidth);
    QCOMPARE(g->width(), TInvoerForm::GridWidth);
    QVERIFY(g->height() >= 36 + 32);
}

void TestInvoerForm::keysMoveBetweenTheGamesCells()
{
    Evening e;
    TInvoerForm& f = e.open();
    ScoreGrid* g = f.grid();
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {0, Qt::Key_Tab, 2},   {1, Qt::Key_Tab, 2},   {2, Qt::Key_Tab, 4},    {3, Qt::Key_Tab, 4},
        {4, Qt::Key_Tab, 2},   {2, Qt::Key_Right, 4}, {3, Qt::Key_Right, 4},  {4, Qt::Key_Right, 2},
        {0, Qt::Key_Right, 2}, {4, Qt::Key_Left, 2},  {2, Qt::Key_Left, 2},   {2, Qt::Key_Return, 4},
        {4, Qt::Key_Return, 2},
    };
    for (const Case& c : cases) {
        g->selectCell(2, c.from);
        key(g, c.key);
        QCOMPARE(g->row(), 2);
        QCOMPARE(g->column(), c.to);
    }
    // F3 writes the match file.
    QVERIFY(!QFile::exists(e.dir.filePath("club.CAL")));
    key(g, Qt::Key_F3);
    QVERIFY(QFile::exists(e.dir.filePath("club.CAL")));
}

void TestInvoerForm::aCellThatIsNoNumberKeepsTheRound()
{
    Evening e;
    TInvoerForm& f = e.open();
    ScoreGrid* g = f.grid();
    typeCourt(g, 1, "6", "3");
    typeCourt(g, 2, " ", "3"); // a blank cell: letters cannot be typed
    const QString notANumber = "Game  is geen geldig getal\n\r corrigeer (zonodig) invoer";
    e.t.sink.expect(Result::Ok);
    QTest::mouseClick(button(f, "RndplusBtn"), Qt::LeftButton);
    QCOMPARE(e.t.sink.texts(), QStringList{notANumber});
    QCOMPARE(f.round(), 1);
    QCOMPARE(g->row(), 2);
    QCOMPARE(g->column(), 2);
    QCOMPARE(places(e.scores(1), 1), (std::array<int, 4>{6, 6, 3, 3})); // courts before it were stored
    QCOMPARE(places(e.scores(1), 2), (std::array<int, 4>{0, 0, 0, 0}));

    // "&Ok" adds "ScoreLijst is niet correct" and stays open.
    e.t.sink.expect(Result::Ok);
    e.t.sink.expect(Result::Ok);
    QTest::mouseClick(button(f, "SluitBtn2"), Qt::LeftButton);
    QCOMPARE(e.t.sink.texts().mid(1), QStringList({notANumber, "ScoreLijst is niet correct"}));
    QVERIFY(f.isVisible());
    QCOMPARE(g->row(), 2);
}

void TestInvoerForm::gamesOutsideWhatAPairCanWinAreRefused_data()
{
    QTest::addColumn<int>("inputMode"); // 0 games, 1 sets
    QTest::addColumn<QString>("typed"); // into both games cells of court 1
    QTest::addColumn<int>("stored");    // -1: refused
    QTest::newRow("99 games") << 0 << "99" << 99;
    QTest::newRow("100 games") << 0 << "100" << -1;
    QTest::newRow("99999 games") << 0 << "99999" << -1; // 16 bits would keep -31073
    QTest::newRow("9 sets") << 1 << "9" << 9;
    QTest::newRow("10 sets") << 1 << "10" << -1;
    QTest::newRow("letters are not typed") << 0 << "a1b-2" << 12;
    QTest::newRow("only letters leave the 0") << 0 << "xy" << 0;
}

// A refused number gets the message and a beep, keeps the round and stores nothing of the court.
void TestInvoerForm::gamesOutsideWhatAPairCanWinAreRefused()
{
    QFETCH(int, inputMode);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    Evening e;
    e.data.match(1)->header.InputMode = int16_t(inputMode);
    LoadHeader(e.data, 1);
    TInvoerForm& f = e.open();
    QCOMPARE(f.inputMode(), inputMode);
    ScoreGrid* g = f.grid();
    typeCourt(g, 1, typed, typed);
    if (stored < 0)
        e.t.sink.expect(Result::Ok);
    QTest::mouseClick(button(f, "RndplusBtn"), Qt::LeftButton);
    if (stored < 0) {
        QCOMPARE(e.t.sink.texts(), QStringList{"Game  is geen geldig getal\n\r corrigeer (zonodig) invoer"});
        QCOMPARE(e.t.sink.beeps, 1);
        QCOMPARE(f.round(), 1);
        QCOMPARE(g->row(), 1);
        QCOMPARE(places(e.scores(1), 1), (std::array<int, 4>{0, 0, 0, 0}));
    } else {
        QVERIFY(e.t.sink.texts().isEmpty());
        QCOMPARE(e.t.sink.beeps, 0);
        QCOMPARE(f.round(), 2);
        QCOMPARE(places(e.scores(1), 1), (std::array<int, 4>{stored, stored, stored, stored}));
    }
}

void TestInvoerForm::okAsksToSaveAndClosingAsksUnlessConfirmed()
{
    Evening e;
    TInvoerForm& f = e.open();
    QAction* nieuw = e.item("NieuweMatch1");
    QVERIFY(nieuw->isEnabled());
    typeCourt(f.grid(), 1, "4", "6");
    e.t.sink.expect(Result::Yes);
    QTest::mouseClick(button(f, "SluitBtn2"), Qt::LeftButton);
    QCOMPARE(e.t.sink.texts(), QStringList{"Scores bewaren ?"});
    QVERIFY(!f.isVisible());
    QVERIFY(!e.window.windowList()->isOpen(&f));
    QVERIFY(!nieuw->isEnabled());
    QFile file(e.dir.filePath("club.CAL"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const MatchFileContents read = readMatchFile(file, M);
    QCOMPARE(read.errorState, 0);
    QCOMPARE(places(read.matches.at(0).scores[1], 1), (std::array<int, 4>{4, 4, 6, 6}));

    // The close box asks; Ja keeps the window open, Nee closes it.
    e.open();
    e.t.sink.expect(Result::Yes);
    QVERIFY(!f.close());
    QCOMPARE(e.t.sink.texts().last(), QString("Scores nog redden\r gebruik dan [ OK ]"));
    e.t.sink.expect(Result::No);
    QVERIFY(f.close());
    QVERIFY(!e.window.windowList()->isOpen(&f));

    // "&Schrap" closes without a question and without storing the round.
    e.open();
    typeCourt(f.grid(), 1, "9", "9");
    const int shown = int(e.t.sink.shown.size());
    QTest::mouseClick(button(f, "SchapBtn2"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(int(e.t.sink.shown.size()), shown);
    QCOMPARE(places(e.scores(1), 1), (std::array<int, 4>{4, 4, 6, 6}));
}

void TestInvoerForm::kopieVanGamesCreditsTheMembers()
{
    Evening e;
    TInvoerForm& f = e.open();
    ScoreGrid* g = f.grid();
    // Court k of round r: pair 1 wins 10 r + k games, pair 2 one.
    for (int r = 1; r <= 3; ++r) {
        for (int k = 1; k <= 2; ++k)
            typeCourt(g, k, QString::number(10 * r + k), "1");
        key(g, Qt::Key_PageDown);
    }
    std::vector<int> expected(M, 0);
    for (int r = 1; r <= 3; ++r)
        for (int k = 1; k <= 2; ++k) {
            const CourtPlayers c = courtPlayers(e.s, r, k);
            for (int p = 1; p <= 4; ++p)
                if (c.players[size_t(p - 1)] > 0)
                    expected[size_t(e.position[size_t(placeGender(c.kind, p))][size_t(c.players[size_t(p - 1)])] - 1)] +=
                        p <= 2 ? 10 * r + k : 1;
        }
    auto credited = [&] {
        std::vector<int> v;
        for (int m = 1; m <= M; ++m)
            v.push_back(e.data.match(1)->calcs[size_t(m)].Games);
        return v;
    };
    const QString question = "Weet U zeker dat u de behaalde punten \rwilt Kopieren naar het Match - bestand ?";
    for (int twice = 0; twice < 2; ++twice) {
        e.t.sink.expect(Result::Yes);
        e.t.sink.expect(Result::Ok);
        e.item("KopievanGames1")->trigger();
        const QStringList texts = e.t.sink.texts();
        QCOMPARE(texts.mid(texts.size() - 2), (QStringList{question, "Kopie van Games gelukt"}));
        QCOMPARE(e.t.sink.shown.back().kind, int(Information));
        QCOMPARE(credited(), expected);
    }
    QCOMPARE(expected[M - 1], 0); // not present
    QCOMPARE(e.data.match(1)->calcs[1].TotalGames, int16_t(expected[0]));

    // A match dated other than the schedule is not copied.
    e.data.match(1)->calcs[1].Games = 0;
    e.data.CurrentMatch.header.setMatchDate(QStringLiteral("11-12-2026"));
    e.t.sink.expect(Result::Yes);
    e.t.sink.expect(Result::Ok);
    e.item("KopievanGames1")->trigger();
    QCOMPARE(e.t.sink.texts().last(), QString("Datum van Schema is niet gelijk aan Match-datum"));
    QCOMPARE(e.data.match(1)->calcs[1].Games, int16_t(0));

    // A player whose member is no longer in the list (its club number changed) credits nobody.
    e.data.CurrentMatch.header.setMatchDate(QStringLiteral("10-12-2026"));
    e.t.state.club.members->at(1).setClubNr(999);
    e.t.sink.expect(Result::Ok);
    e.item("KopievanGames1")->trigger();
    QCOMPARE(e.t.sink.texts().last(), QString("Geen Paar gevonden"));
    QCOMPARE(e.data.match(1)->calcs[1].Games, int16_t(0));
}

void TestInvoerForm::setsAreCreditedAsSets()
{
    Evening e;
    e.data.match(1)->header.InputMode = 1;
    LoadHeader(e.data, 1);
    TInvoerForm& f = e.open();
    QCOMPARE(f.inputMode(), 1);
    typeCourt(f.grid(), 1, "2", "1");
    e.t.sink.expect(Result::No); // "Scores bewaren ?"
    QTest::mouseClick(button(f, "SluitBtn2"), Qt::LeftButton);
    e.t.sink.expect(Result::Yes);
    e.t.sink.expect(Result::Ok); // "Kopie van Games gelukt"
    e.item("KopievanGames1")->trigger();
    const CourtPlayers c = courtPlayers(e.s, 1, 1);
    const int winners[] = {1, 2}, losers[] = {3, 4};
    for (int p : winners) {
        const TCalcObj& r = e.data.match(1)->calcs[size_t(e.position[size_t(placeGender(c.kind, p))][size_t(c.players[size_t(p - 1)])])];
        QCOMPARE(r.Sets, int16_t(2));
        QCOMPARE(r.Games, int16_t(0));
        QCOMPARE(r.TotalSets, int16_t(2));
    }
    for (int p : losers)
        QCOMPARE(e.data.match(1)->calcs[size_t(e.position[size_t(placeGender(c.kind, p))][size_t(c.players[size_t(p - 1)])])].Sets,
                 int16_t(1));
}

// Games typed into the round on screen are changes like any other: closing the program asks about
// them, and "Schrap" keeps them.
void TestInvoerForm::gamesTypedButNotYetStoredAreAskedAboutOnClosing()
{
    Evening e;
    markMembersSaved(e.t.state);
    markConfigSaved(e.t.state);
    markMatchesSaved(e.t.state);
    TInvoerForm& f = e.open();
    typeCourt(f.grid(), 1, "6", "2");
    e.t.sink.expect(Result::Cancel);
    QVERIFY(!e.window.close());
    QCOMPARE(e.t.sink.texts().last(), QString("Bestand bewaren ?"));
    QVERIFY(f.isVisible());
    QCOMPARE(e.scores(1).at(1, 1), int16_t(6));
    QVERIFY(e.t.sink.allAnswersUsed());
}

QTEST_MAIN(TestInvoerForm)
#include "tst_invoerform.moc"
