// The match selection "Selectie van matches" driven through the main window's "&Match" commands.
#include "forms/MatchWiring.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

using namespace tandemx;
using namespace tandemx::test;

namespace {

const QString kOpenQuestion = QStringLiteral("Match openen ?");

// A club of six members with `matches` matches of 5 rounds, the last one current, and the main
// window with its match commands on.
struct Season {
    TestState t;
    TTandem12X window{t.state};
    MatchData& data = t.state.matches;

    explicit Season(int matches, int maxMatches = 10)
    {
        setDefaults(t.state);
        KeyData& key = t.state.club.config->keyData;
        key.maxMatches = int16_t(maxMatches);
        key.keepGames = 1;
        key.doublesRounds = 4;
        t.state.club.members = MemberList{};
        for (int i = 1; i <= 6; ++i) {
            TLedenObj r;
            r.setClubNr(int16_t(i));
            t.state.club.members->append(r);
        }
        t.state.schedule->TotalRounds = 5;
        data.memberFile = QStringLiteral("club.tdm");
        for (int n = 1; n <= matches; ++n)
            CreateMatch(data, n, 6, 5, QStringLiteral("0%1-11-2026").arg(n));
        if (matches > 0) {
            LoadHeader(data, matches);
            data.CurrentMatch.match = matches;
        }
        wireMatches(window, t.state);
        window.show();
        window.setMatchGroup(true);
    }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }

    // Drives the selection dialogs from now on once they run; a dialog the steps leave open is
    // cancelled.
    void answerSelection(std::function<void(TMatchSelDlg&)> steps)
    {
        t.state.modalHooks.onShow<TMatchSelDlg>([steps](TMatchSelDlg& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, steps] {
                if (QTest::qWaitForWindowActive(&dialog))
                    steps(dialog);
                else
                    QTest::qFail("the selection dialog did not become active", __FILE__, __LINE__);
                if (dialog.isVisible())
                    dialog.reject();
            });
        });
    }
};

template <typename T>
T* child(TMatchSelDlg& d, const char* name)
{
    return d.findChild<T*>(QString::fromLatin1(name));
}

void typeInto(QWidget* w, const QString& text)
{
    if (auto* combo = qobject_cast<QComboBox*>(w))
        w = combo->lineEdit();
    static_cast<QLineEdit*>(w)->selectAll();
    QTest::keyClicks(w, text);
}

} // namespace

class TestMatchSel : public QObject {
    Q_OBJECT
private slots:
    void newMatchIsMadeWithTheTypedFields();
    void cancellingANewMatchRemovesIt();
    void maxMatchesAsksOnlyAtEquality();
    void roundsAndDateTakeOver_data();
    void roundsAndDateTakeOver();
    void enterInTheNumberBoxShowsThatMatch();
    void refusedNumbersCloseAsCancelled();
    void roundsQuestionNeeCancels();
    void deleteOnlyTheLastMatch();
    void gameInputChoosesAMatchWithoutAsking();
};

void TestMatchSel::newMatchIsMadeWithTheTypedFields()
{
    Season c(2);
    QStringList shown;
    c.answerSelection([&](TMatchSelDlg& d) {
        QCOMPARE(d.windowTitle(), QString("Selectie van matches"));
        QCOMPARE(d.kind(), TMatchSelDlg::NewMatch);
        auto* box = child<QComboBox>(d, "MatchSelBox");
        QCOMPARE(box->currentText(), QString("  3"));
        QCOMPARE(box->count(), 0);
        QVERIFY(box->hasFocus());
        shown << child<QLineEdit>(d, "RondenEdit")->text()
              << child<QDateEdit>(d, "DatePicker")->date().toString("d-M-yyyy");
        QVERIFY(child<QRadioButton>(d, "Invoerkeuze0")->isChecked());
        QCOMPARE(child<QDateEdit>(d, "DatePicker")->maximumDate(), QDate(2026, 12, 31));
        QTest::keyClick(box, Qt::Key_Return);
        auto* rounds = child<QLineEdit>(d, "RondenEdit");
        QVERIFY(rounds->hasFocus());
        typeInto(rounds, "6");
        QTest::keyClick(rounds, Qt::Key_Return);
        auto* picker = child<QDateEdit>(d, "DatePicker");
        QVERIFY(picker->hasFocus());
        picker->setDate(QDate(2026, 3, 5));
        QTest::keyClick(picker, Qt::Key_Return);
        QVERIFY(child<QPushButton>(d, "OKMatchBtn")->hasFocus());
        QTest::mouseClick(child<QRadioButton>(d, "Invoerkeuze1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
    });
    c.t.sink.expect(Result::Yes); // "Match openen ?"
    c.item("NieuweMatch1")->trigger();
    QCOMPARE(shown, QStringList({"5", "10-12-2026"})); // TotalRounds and the program-start date
    QCOMPARE(c.t.sink.texts(), QStringList{kOpenQuestion});
    QCOMPARE(c.data.MatchCount(), 3);
    const MatchHeader& h = c.data.match(3)->header;
    QCOMPARE(int(h.MatchNr), 3);
    QCOMPARE(int(h.MatchRounds), 6);
    QCOMPARE(h.matchDate(), QString("05-03-2026"));
    QCOMPARE(int(h.InputMode), 1);
    QCOMPARE(c.data.CurrentMatch.match, 3);
    QCOMPARE(c.data.CurrentMatch.header, h);
    QVERIFY(MatchWindows::of(c.window)->matchChosen());
    // The set-up window compares its rounds with the chosen match.
    QCOMPARE(scheduleForm(c.t.state, c.window).matchRounds(), 6);

    // Nee to "Match openen ?" keeps the new match, but no match is chosen.
    c.answerSelection([](TMatchSelDlg& d) { QTest::keyClick(child<QPushButton>(d, "OKMatchBtn"), Qt::Key_Space); });
    c.t.sink.expect(Result::No);
    c.item("NieuweMatch1")->trigger();
    QCOMPARE(c.data.MatchCount(), 4);
    QVERIFY(!MatchWindows::of(c.window)->matchChosen());
    QCOMPARE(scheduleForm(c.t.state, c.window).matchRounds(), 0);
}

void TestMatchSel::cancellingANewMatchRemovesIt()
{
    Season c(3);
    c.data.match(3)->header.MatchRounds = 7;
    // Match 2 is current; the new match 4 made and cancelled leaves match 3, the last, current.
    LoadHeader(c.data, 2);
    c.data.CurrentMatch.match = 2;
    // Escape, and a refused number typed into a new match: both leave no match behind.
    for (const QString& typed : {QString(), QString("9")}) {
        c.answerSelection([typed](TMatchSelDlg& d) {
            if (typed.isEmpty()) {
                QTest::keyClick(&d, Qt::Key_Escape);
                return;
            }
            typeInto(child<QComboBox>(d, "MatchSelBox"), typed);
            QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
        });
        if (!typed.isEmpty())
            c.t.sink.expect(Result::Ok);
        c.item("NieuweMatch1")->trigger();
        QCOMPARE(c.data.MatchCount(), 3);
        QCOMPARE(c.data.CurrentMatch.match, 3);
        QCOMPARE(c.data.CurrentMatch.header, c.data.match(3)->header);
        QCOMPARE(int(c.data.CurrentMatch.header.MatchRounds), 7);
        QVERIFY(!MatchWindows::of(c.window)->matchChosen());
    }
    QCOMPARE(c.t.sink.texts(), QStringList{"Match niet te openen \rgebruik \"Nieuwe Match\" "});
}

void TestMatchSel::maxMatchesAsksOnlyAtEquality()
{
    const QString question = "Aantal matches groter dan in Sleutelgegevens\rWilt u toch doorgaan";
    Season c(5, 5);
    bool shown = false;
    c.answerSelection([&](TMatchSelDlg&) { shown = true; });
    c.t.sink.expect(Result::No);
    c.item("NieuweMatch1")->trigger();
    QVERIFY(!shown);
    QCOMPARE(c.data.MatchCount(), 5);

    // Ja makes match 6 (its number is beyond the key data, so it is accepted as typed only up to 5).
    c.answerSelection([&](TMatchSelDlg& d) {
        shown = true;
        QCOMPARE(child<QComboBox>(d, "MatchSelBox")->currentText(), QString("  6"));
        d.reject();
    });
    c.t.sink.expect(Result::Yes);
    c.item("NieuweMatch1")->trigger();
    QVERIFY(shown);
    QCOMPARE(c.t.sink.texts(), QStringList({question, question}));

    // With 6 matches the question is not asked again.
    CreateMatch(c.data, 6, 6, 5, "01-12-2026");
    shown = false;
    c.answerSelection([&](TMatchSelDlg& d) {
        shown = true;
        QCOMPARE(child<QComboBox>(d, "MatchSelBox")->currentText(), QString("  7"));
    });
    c.item("NieuweMatch1")->trigger();
    QVERIFY(shown);
    QCOMPARE(c.t.sink.texts().size(), 2);
    QCOMPARE(c.data.MatchCount(), 6);
}

void TestMatchSel::roundsAndDateTakeOver_data()
{
    QTest::addColumn<QString>("rounds");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("matchRounds");
    QTest::addColumn<QString>("matchDate");
    QTest::addColumn<int>("beeps");
    QTest::newRow("typed") << "7" << QDate(2026, 3, 5) << 7 << "05-03-2026" << 0;
    QTest::newRow("zero gives DoublesRounds") << "0" << QDate(2026, 11, 25) << 4 << "25-11-2026" << 0;
    QTest::newRow("no number beeps") << "x" << QDate(2026, 10, 1) << 4 << "01-10-2026" << 1;
    QTest::newRow("low byte") << "261" << QDate(2026, 1, 31) << 5 << "31-01-2026" << 0;
}

void TestMatchSel::roundsAndDateTakeOver()
{
    QFETCH(QString, rounds);
    QFETCH(QDate, date);
    QFETCH(int, matchRounds);
    QFETCH(QString, matchDate);
    QFETCH(int, beeps);
    Season c(2);
    c.answerSelection([&](TMatchSelDlg& d) {
        auto* edit = child<QLineEdit>(d, "RondenEdit");
        edit->setFocus();
        typeInto(edit, rounds);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), QString::number(matchRounds));
        QCOMPARE(int(c.data.CurrentMatch.header.MatchRounds), matchRounds);
        auto* picker = child<QDateEdit>(d, "DatePicker");
        picker->setDate(date);
        QTest::keyClick(picker, Qt::Key_Return);
        QCOMPARE(c.data.CurrentMatch.header.matchDate(), matchDate);
        QTest::keyClick(child<QPushButton>(d, "OKMatchBtn"), Qt::Key_Return);
    });
    if (matchRounds < 5)
        c.t.sink.expect(Result::Yes); // schedule of 5 rounds, match of fewer
    c.t.sink.expect(Result::Yes);     // "Match openen ?"
    c.item("OpenMatch1")->trigger();
    QVERIFY(c.t.sink.allAnswersUsed());
    QCOMPARE(c.t.sink.beeps, beeps);
    // Opened on match 1: the typed fields went into match 1.
    QCOMPARE(c.data.CurrentMatch.match, 1);
    QCOMPARE(int(c.data.match(1)->header.MatchRounds), matchRounds);
    QCOMPARE(c.data.match(1)->header.matchDate(), matchDate);
    QCOMPARE(c.data.match(2)->header.matchDate(), QString("02-11-2026"));
}

void TestMatchSel::enterInTheNumberBoxShowsThatMatch()
{
    Season c(4);
    c.data.match(3)->header.MatchRounds = 8;
    c.data.match(3)->header.InputMode = 1;
    c.answerSelection([&](TMatchSelDlg& d) {
        auto* box = child<QComboBox>(d, "MatchSelBox");
        QCOMPARE(box->count(), 4);
        QCOMPARE(box->itemText(3), QString("  4"));
        QCOMPARE(box->currentText(), QString("  1"));
        QCOMPARE(child<QDateEdit>(d, "DatePicker")->date(), QDate(2026, 11, 1));
        typeInto(box, "3");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(child<QLineEdit>(d, "RondenEdit")->text(), QString("8"));
        QCOMPARE(child<QDateEdit>(d, "DatePicker")->date(), QDate(2026, 11, 3));
        QVERIFY(child<QRadioButton>(d, "Invoerkeuze1")->isChecked());
        QVERIFY(child<QLineEdit>(d, "RondenEdit")->hasFocus());
        QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
    });
    c.t.sink.expect(Result::Yes);
    c.item("OpenMatch1")->trigger();
    QCOMPARE(c.data.CurrentMatch.match, 3);
    QCOMPARE(int(c.data.CurrentMatch.header.MatchRounds), 8);
    QCOMPARE(int(c.data.CurrentMatch.header.InputMode), 1);
    QVERIFY(MatchWindows::of(c.window)->matchChosen());
    // A double click in the number box shows the typed match as Enter does.
    c.answerSelection([&](TMatchSelDlg& d) {
        auto* box = child<QComboBox>(d, "MatchSelBox");
        typeInto(box, "2");
        QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
        QCOMPARE(child<QDateEdit>(d, "DatePicker")->date(), QDate(2026, 11, 2));
    });
    c.item("OpenMatch1")->trigger();
    QCOMPARE(c.data.CurrentMatch.match, 3); // cancelled: as it was, but no longer chosen
    QVERIFY(!MatchWindows::of(c.window)->matchChosen());
}

void TestMatchSel::refusedNumbersCloseAsCancelled()
{
    struct Case {
        QString typed;
        int maxMatches;
        QString message;
    };
    const Case cases[] = {
        {"7", 10, "Match niet te openen \rgebruik \"Nieuwe Match\" "},
        {"0", 10, "Match = 0  is geen geldig getal\n\r corrigeer (zonodig) invoer"},
        {"x", 10, "Match = 0  is geen geldig getal\n\r corrigeer (zonodig) invoer"},
        {"4", 3, "MatchNr te hoog, zie sleutelgegevens lagere MatchIndex"},
    };
    for (const Case& k : cases) {
        Season c(4, k.maxMatches);
        const CurrentMatchState before = c.data.CurrentMatch;
        const auto headers = c.data.MatchList;
        c.answerSelection([&](TMatchSelDlg& d) {
            typeInto(child<QLineEdit>(d, "RondenEdit"), "9");
            typeInto(child<QComboBox>(d, "MatchSelBox"), k.typed);
            QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        });
        c.t.sink.expect(Result::Ok);
        c.item("OpenMatch1")->trigger();
        QCOMPARE(c.t.sink.texts(), QStringList{k.message});
        QVERIFY(c.t.sink.beeps >= 1);
        QCOMPARE(c.data.CurrentMatch.header, before.header);
        QCOMPARE(c.data.MatchList, headers);
        QVERIFY(!MatchWindows::of(c.window)->matchChosen());
    }
}

void TestMatchSel::roundsQuestionNeeCancels()
{
    // Match 2 of 2 is current; "&Open Match" edits match 1. Nee to the rounds question cancels, but the
    // edited header was stored before the question; match 2 stays current.
    Season c(2);
    c.t.state.schedule->TotalRounds = 6;
    const MatchHeader second = c.data.match(2)->header;
    c.answerSelection([&](TMatchSelDlg& d) {
        typeInto(child<QLineEdit>(d, "RondenEdit"), "4");
        child<QRadioButton>(d, "Invoerkeuze1")->click();
        QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
    });
    c.t.sink.expect(Result::No);
    c.item("OpenMatch1")->trigger();
    QCOMPARE(c.t.sink.texts(),
             QStringList{"Aantal Schema ronden is groter dan het aantal rondes van de Match\rWilt u toch doorgaan"});
    QCOMPARE(int(c.data.match(1)->header.MatchRounds), 4);
    QCOMPARE(int(c.data.match(1)->header.InputMode), 1);
    QCOMPARE(int(c.data.match(1)->header.MatchNr), 1);
    QCOMPARE(c.data.match(2)->header, second);
    QCOMPARE(c.data.CurrentMatch.match, 2);
    QCOMPARE(c.data.CurrentMatch.header, second);
    QVERIFY(!MatchWindows::of(c.window)->matchChosen());
}

void TestMatchSel::deleteOnlyTheLastMatch()
{
    Season c(3);
    LoadHeader(c.data, 2);
    c.data.CurrentMatch.match = 2;
    c.t.sink.expect(Result::Ok);
    c.item("VerwijderMatch1")->trigger();
    QCOMPARE(c.t.sink.texts().last(), QString("Matches niet opvolgend\rgebruik laatste Match"));
    QCOMPARE(c.data.MatchCount(), 3);

    LoadHeader(c.data, 3);
    c.data.CurrentMatch.match = 3;
    c.t.sink.expect(Result::Ok);
    c.item("VerwijderMatch1")->trigger();
    QCOMPARE(c.t.sink.texts().last(), QString("Match verwijderd, Nr: 3"));
    QCOMPARE(c.data.MatchCount(), 2);
    QCOMPARE(c.data.CurrentMatch.match, 2);

    // Deleting the last ones empties the list; "&Open Match" then has nothing to open, "&Nieuwe
    // Match" starts again at 1.
    for (int n : {2, 1}) {
        c.t.sink.expect(Result::Ok);
        c.item("VerwijderMatch1")->trigger();
        QCOMPARE(c.t.sink.texts().last(), QString("Match verwijderd, Nr: %1").arg(n));
    }
    QCOMPARE(c.data.MatchCount(), 0);
    c.t.sink.expect(Result::Ok);
    c.item("OpenMatch1")->trigger();
    QCOMPARE(c.t.sink.texts().last(), QString("Er is nog geen match geopend\rdoe dit eerst..."));
    c.answerSelection([](TMatchSelDlg& d) {
        QCOMPARE(child<QComboBox>(d, "MatchSelBox")->currentText(), QString("  1"));
        QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
    });
    c.t.sink.expect(Result::Yes);
    c.item("NieuweMatch1")->trigger();
    QCOMPARE(c.data.MatchCount(), 1);
    QCOMPARE(c.data.CurrentMatch.match, 1);
}

void TestMatchSel::gameInputChoosesAMatchWithoutAsking()
{
    Season c(2);
    int dialogs = 0;
    c.answerSelection([&](TMatchSelDlg& d) {
        ++dialogs;
        QCOMPARE(d.kind(), TMatchSelDlg::FromGameInput);
        typeInto(child<QComboBox>(d, "MatchSelBox"), "2");
        QTest::keyClick(child<QComboBox>(d, "MatchSelBox"), Qt::Key_Return);
        QTest::mouseClick(child<QPushButton>(d, "OKMatchBtn"), Qt::LeftButton);
    });
    c.item("InvoerGames1")->trigger();
    QCOMPARE(dialogs, 1);
    QVERIFY(c.t.sink.texts().isEmpty()); // no "Match openen ?"
    QCOMPARE(c.data.CurrentMatch.match, 2);
    QVERIFY(MatchWindows::of(c.window)->matchChosen());
    // A chosen match is not chosen again.
    c.item("InvoerGames1")->trigger();
    QCOMPARE(dialogs, 1);
}

QTEST_MAIN(TestMatchSel)
#include "tst_matchsel.moc"
