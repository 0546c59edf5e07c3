// The schedule set-up window driven through its real fields, keys and buttons: opening, field checks,
// "&Meer" and the court grid, Start with its checks and questions, the run, Stop and Escape, closing.
#include "engine/OpponentSpread.h"
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"
#include "forms/AppWiring.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "records/MemberOps.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <set>
#include <memory>

using namespace tandemx;
using namespace tandemx::test;

namespace {

const QString Hint = QStringLiteral("\n\r corrigeer (zonodig) invoer");
const QString CloseQuestion = QStringLiteral("Wilt u niet verder rekenen kies dan \"Nee\"");
const QString NoScheduleYet = QStringLiteral("U heeft nog geen schema gemaakt\rdoe dit eerst...");

// A club with active men and ladies (and some members who are not present), key data: 4 doubles
// rounds, 2 mixed rounds, 6 courts, court warnings on.
struct SetupClub {
    TestState ts;
    AppState& state = ts.state;

    SetupClub(int men, int ladies, int absent = 3)
    {
        MemberList list;
        int n = 0;
        auto add = [&](const char* grp, const char* actie, const QString& first) {
            ++n;
            TLedenObj r = makeMemberRecord(n, 100 + n, grp, actie);
            r.setText(MemberField::Voornaam, first);
            r.setText(MemberField::Achternaam, QStringLiteral("Lid%1").arg(n));
            list.append(r);
        };
        for (int i = 1; i <= men; ++i)
            add("h", "X", QStringLiteral("Heer%1").arg(i));
        for (int i = 1; i <= ladies; ++i)
            add("d", "X", QStringLiteral("Dame%1").arg(i));
        for (int i = 1; i <= absent; ++i)
            add(i % 2 ? "h" : "d", "-", QStringLiteral("Weg%1").arg(i));
        state.club.members = list;
        setDefaults(state);
        KeyData& kd = keyData();
        kd.doublesRounds = 4;
        kd.mixedRounds = 2;
        kd.courts = 6;
        kd.options = 17;
    }
    KeyData& keyData() { return state.club.config->keyData; }
    engine::ScheduleState& schedule() { return *state.schedule; }
};

template <typename T = QWidget>
T* child(QWidget& w, const QString& name)
{
    T* c = w.findChild<T*>(name);
    if (!c)
        QTest::qFail(qPrintable("no control " + name), __FILE__, __LINE__);
    return c;
}

QLineEdit* edit(QWidget& w, const QString& name) { return child<QLineEdit>(w, name); }
QPushButton* button(QWidget& w, const QString& name) { return child<QPushButton>(w, name); }
QLineEdit* gridEdit(TSchemaForm& f, int tag) { return f.gridEdit(tag); }

// Types text into a field (replacing what it held) and presses Enter.
void typeEnter(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    if (text.isEmpty())
        e->clear();
    else
        QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

QString focusName()
{
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// Opens the form without running it modally, so a test can drive it step by step.
void showForm(TSchemaForm& f, int mode)
{
    QVERIFY(f.prepare(engine::ScheduleMode(mode)));
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

QStringList gridColumn(TSchemaForm& f, int column)
{
    QStringList values;
    for (int k = 0; k < 6; ++k)
        values << f.gridEdit(11 + 6 * column + k)->text();
    return values;
}

} // namespace

class TestSchemaForm : public QObject {
    Q_OBJECT
    // The program settings ("Tegenstanders spreiden") go to a folder of the test's own.
    TemporarySettings settingsDir;
private slots:
    void initTestCase()
    {
        QVERIFY(settingsDir.useFor());
        QVERIFY2(QSettings().fileName().startsWith(settingsDir.path()), qPrintable(QSettings().fileName()));
    }

    void modeOneWithoutMemberListOnlyReports();
    void openingTakesPresentMembersAndDefaults();
    void openingWithGroupCodes();
    void fieldValidation_data();
    void fieldValidation();
    void enterAndArrowKeysMoveThroughTheFields();
    void meerProposesCourts_data();
    void meerProposesCourts();
    void gridScrollsWithTenRounds();
    void startChecks_data();
    void startChecks();
    void refusedTextsNeverReachTheEngine_data();
    void refusedTextsNeverReachTheEngine();
    void keyDataRoundsBeyondTheTablesAreCut();
    void pauseSpinsAtStart_data();
    void pauseSpinsAtStart();
    void startRunsAndOkEnablesTheOverviews_data();
    void startRunsAndOkEnablesTheOverviews();
    void okWithoutAScheduleAcceptsNothing_data();
    void okWithoutAScheduleAcceptsNothing();
    void closingTextCountsTheRoundsWithoutASolution_data();
    void closingTextCountsTheRoundsWithoutASolution();
    void stopAndEscapeDuringARun_data();
    void stopAndEscapeDuringARun();
    void longSearchStaysResponsiveAndStopEndsIt();
    void closingWithoutOkAsks();
    void spreadOpponentsGivesTheSpreadScheduleAndIsRemembered();
    void tabGoesThroughTheSpelOptiesInTheirOrder();
    void gridKeysLeaveTheOptionBoxesAlone_data();
    void gridKeysLeaveTheOptionBoxesAlone();
};

void TestSchemaForm::modeOneWithoutMemberListOnlyReports()
{
    TestState t;
    TTandem12X w(t.state);
    t.state.modalHooks.onShow<TSchemaForm>([](TSchemaForm&) { QFAIL("the set-up window must not open"); });
    t.sink.expect(Result::Ok);
    OpenScheduleSetup(t.state, w, engine::ScheduleMode::Names);
    QCOMPARE(t.sink.texts(), QStringList{"Geen Schema mogelijk zonder Bestand"});
    QCOMPARE(t.sink.shown.front().kind, int(Error));
    QVERIFY(!w.findChild<QAction*>("Parenschema1")->isEnabled());
}

void TestSchemaForm::openingTakesPresentMembersAndDefaults()
{
    SetupClub c(5, 7);
    c.schedule().Settings.PauseOptions = 9;
    TSchemaForm f(c.state);
    showForm(f, 1);
    QCOMPARE(edit(f, "HerenEdit")->text(), QString("5"));
    QCOMPARE(edit(f, "DamesEdit")->text(), QString("7"));
    QCOMPARE(edit(f, "TandemEdit")->text(), QString("4"));
    QCOMPARE(edit(f, "Mixedit")->text(), QString("2"));
    QCOMPARE(edit(f, "BanenEdit")->text(), QString("6"));
    QCOMPARE(edit(f, "Datumedit")->text(), QString("10-12-2026"));
    QCOMPARE(focusName(), QString("HerenEdit"));
    QVERIFY(!child(f, "BanenBox")->isVisible());
    QVERIFY(!child(f, "FoutregelLabel")->isVisible());
    QVERIFY(!child(f, "RekenProgress")->isVisible());
    QCOMPARE(f.windowTitle(), QString("Schema Opzet"));
    QCOMPARE(f.helpContext(), 241);
    const engine::ScheduleState& s = c.schedule();
    QCOMPARE(s.Settings.PlayOptions, uint16_t(2));
    QCOMPARE(s.Settings.PauseOptions, uint16_t(0));
    QVERIFY(s.ScheduleBusy);
    QCOMPARE(QByteArray(s.PlayerTable[0][5].firstName.view().data(), 5), QByteArray("Heer5"));
    QCOMPARE(s.PlayerTable[1][1].memberNumber, uint8_t(106));
    for (int court = 1; court <= 32; ++court)
        QCOMPARE(s.CourtCodes[size_t(court)], court);

    // Numbered players (mode 2) keep the inputs of the previous opening.
    f.hide();
    c.schedule().Settings.NumMen = 3;
    QVERIFY(f.prepare(engine::ScheduleMode::Numbered));
    QCOMPARE(edit(f, "HerenEdit")->text(), QString("3"));
    QCOMPARE(f.helpContext(), 242);
}

void TestSchemaForm::openingWithGroupCodes()
{
    SetupClub c(2, 0, 0);
    c.keyData().group1Code = "a";
    c.keyData().group2Code = "Bee";
    TSchemaForm f(c.state);
    showForm(f, 1);
    // No ladies: no mixed rounds.
    QCOMPARE(edit(f, "Mixedit")->text(), QString("0"));
    QCOMPARE(child<QLabel>(f, "NherenLabel")->text(), QString(" Groep a"));
    QCOMPARE(child<QLabel>(f, "NDamesLabel")->text(), QString(" Groep Bee"));
    QCOMPARE(child<QLabel>(f, "HerenLab")->text(), QString("Groep a"));
    QCOMPARE(child<QLabel>(f, "DamesLab")->text(), QString("Groep Bee"));
    // The group codes decide who is taken: members of group "h" are not in group "a".
    QCOMPARE(edit(f, "HerenEdit")->text(), QString("0"));
}

void TestSchemaForm::fieldValidation_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<QString>("shown");   // the field's text afterwards
    QTest::addColumn<QString>("focus");   // where the focus is afterwards
    QTest::addColumn<int>("beeps");

    // 12 men, 10 ladies, 3 absent: 25 members; 4 + 2 rounds, 6 courts.
    const QString big = QStringLiteral(" niet toegestaan") + Hint;
    const QString wrong = QStringLiteral(" bestaat niet") + Hint;
    QTest::newRow("men ok") << "HerenEdit" << " 8 " << "" << " 8 " << "DamesEdit" << 0;
    QTest::newRow("men above members") << "HerenEdit" << "26" << "Aantal  heren te groot: 26" + big << "12" << "HerenEdit" << 1;
    QTest::newRow("men + ladies above members") << "HerenEdit" << "16" << "Aantal  heren te groot: 16" + big << "12" << "HerenEdit" << 1;
    QTest::newRow("ladies + men above members") << "DamesEdit" << "14" << "Aantal  dames te groot: 14" + big << "10" << "DamesEdit" << 1;
    // The largest number: men + ladies is checked without overflow.
    QTest::newRow("ladies 2147483647") << "DamesEdit" << "2147483647" << "Aantal  dames te groot: 2147483647" + big
                                       << "10" << "DamesEdit" << 1;
    QTest::newRow("negative men") << "HerenEdit" << "-1" << "Aantal  heren foutief: -1" + wrong << "12" << "HerenEdit" << 1;
    QTest::newRow("not a number") << "HerenEdit" << "1x" << "" << "12" << "HerenEdit" << 1;
    QTest::newRow("empty") << "DamesEdit" << "" << "" << "10" << "DamesEdit" << 1;
    QTest::newRow("doubles rounds") << "TandemEdit" << "5" << "Aantal  tandem te groot: 5" + big << "4" << "TandemEdit" << 1;
    QTest::newRow("mixed rounds") << "Mixedit" << "3" << "Aantal  Mixtandem te groot: 3" + big << "2" << "Mixedit" << 1;
    QTest::newRow("mixed rounds ok") << "Mixedit" << "1" << "" << "1" << "BanenEdit" << 0;
    QTest::newRow("courts") << "BanenEdit" << "7" << "Aantal  banen te groot: 7" + big << "6" << "BanenEdit" << 1;
    QTest::newRow("courts ok") << "BanenEdit" << "6" << "" << "6" << "Datumedit" << 0;
    // Beyond what the tables hold: refused with the nearest message, the field shows the value in force.
    QTest::newRow("courts 99999") << "BanenEdit" << "99999" << "Aantal  banen te groot: 99999" + big << "6" << "BanenEdit" << 1;
    QTest::newRow("men's grid value") << "BaanGridEdit11" << "7" << "Aantal heren ronde 1 te groot: 7" + big << "3" << "BaanGridEdit11" << 1;
    QTest::newRow("ladies' grid value ok") << "BaanGridEdit22" << "2" << "" << "2" << "BaanGridEdit23" << 0;
    // A negative grid value has a state of 10 or more: it reads as "te groot".
    QTest::newRow("negative mixed grid value") << "BaanGridEdit24" << "-2" << "Aantal Mixed paar ronde 2te groot: -2" + big << "0" << "BaanGridEdit24" << 1;
    QTest::newRow("last grid edit") << "BaanGridEdit28" << "5" << "" << "5" << "StartSchemaBtn" << 0;
    QTest::newRow("day") << "Datumedit" << "5" << "" << "5-12-2026" << "MoreBtn" << 0;
    QTest::newRow("day and month") << "Datumedit" << "0102" << "" << "1-2-2026" << "MoreBtn" << 0;
    QTest::newRow("six digits") << "Datumedit" << "010227" << "" << "1-2-2027" << "MoreBtn" << 0;
    QTest::newRow("eight digits") << "Datumedit" << "29022028" << "" << "29-2-2028" << "MoreBtn" << 0;
    QTest::newRow("with separators") << "Datumedit" << "3-4-2027" << "" << "3-4-2027" << "MoreBtn" << 0;
    QTest::newRow("no such day") << "Datumedit" << "29022027" << "29022027 is geen geldige datum" + Hint << "29022027" << "Datumedit" << 0;
    QTest::newRow("no date") << "Datumedit" << "morgen" << "morgen is geen geldige datum" + Hint << "morgen" << "Datumedit" << 0;
}

void TestSchemaForm::fieldValidation()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    QFETCH(int, beeps);

    SetupClub c(12, 10);
    TSchemaForm f(c.state);
    showForm(f, 1);
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    const engine::ScheduleState& s = c.schedule();
    const auto before = std::make_tuple(s.Settings.NumMen, s.Settings.NumLadies, s.Settings.NumDoublesRounds,
                                        s.Settings.NumMixedRounds, s.Settings.NumCourts, f.playDate());

    if (!message.isEmpty())
        c.ts.sink.expect(Result::Ok);
    const int beepsBefore = c.ts.sink.beeps;
    typeEnter(edit(f, field), typed);
    QCOMPARE(c.ts.sink.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(c.ts.sink.shown.back().kind, int(Error));
    QCOMPARE(edit(f, field)->text(), shown);
    QCOMPARE(focusName(), focus);
    QCOMPARE(c.ts.sink.beeps - beepsBefore, beeps);
    QCOMPARE(c.state.messages.lastErrorState, 0);

    // A refused value leaves what is stored unchanged.
    const auto after = std::make_tuple(s.Settings.NumMen, s.Settings.NumLadies, s.Settings.NumDoublesRounds,
                                       s.Settings.NumMixedRounds, s.Settings.NumCourts, f.playDate());
    if (!message.isEmpty() || beeps > 0)
        QCOMPARE(after, before);
    if (field == "HerenEdit" && message.isEmpty() && beeps == 0)
        QCOMPARE(s.Settings.NumMen, 8);
    if (field == "Datumedit" && message.isEmpty())
        QCOMPARE(f.playDate().toString("d-M-yyyy"), shown);
}

void TestSchemaForm::enterAndArrowKeysMoveThroughTheFields()
{
    SetupClub c(12, 10);
    TSchemaForm f(c.state);
    showForm(f, 1);
    for (const char* name : {"HerenEdit", "DamesEdit", "TandemEdit", "Mixedit", "BanenEdit", "Datumedit"})
        QTest::keyClick(edit(f, name), Qt::Key_Return);
    QCOMPARE(focusName(), QString("MoreBtn"));
    // Before "&Meer" there is no grid to go down into.
    QTest::keyClick(edit(f, "HerenEdit"), Qt::Key_Down);
    QCOMPARE(focusName(), QString("MoreBtn"));

    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    QCOMPARE(focusName(), QString("BaanGridEdit11"));
    QTest::keyClick(edit(f, "HerenEdit"), Qt::Key_Up);
    QCOMPARE(focusName(), QString("BaanGridEdit11"));
    QTest::keyClick(gridEdit(f, 16), Qt::Key_Return);
    QCOMPARE(focusName(), QString("BaanGridEdit17"));
    QTest::keyClick(gridEdit(f, 17), Qt::Key_Up);
    QCOMPARE(focusName(), QString("BaanGridEdit16"));
    QTest::keyClick(gridEdit(f, 16), Qt::Key_Down);
    QCOMPARE(focusName(), QString("BaanGridEdit17"));

    auto* dameFirst = child<QCheckBox>(f, "DameFirstBox");
    dameFirst->setFocus();
    QTest::keyClick(dameFirst, Qt::Key_Space);
    QTest::keyClick(dameFirst, Qt::Key_Return);
    QCOMPARE(c.schedule().Settings.PlayOptions & 1, 1);
    QCOMPARE(focusName(), QString("VariPairsBox"));
    QTest::keyClick(child(f, "VariPairsBox"), Qt::Key_Return);
    QCOMPARE(focusName(), QString("Groep1to2Box"));
    QTest::keyClick(child(f, "Groep1to2Box"), Qt::Key_Return);
    QCOMPARE(focusName(), QString("Groep1to2Box"));
    QVERIFY(f.isVisible());

    // The pause spins write their bits of PauseOptions.
    child<QSpinBox>(f, "PauzeEdit1")->setValue(3);
    child<QSpinBox>(f, "PauzeEdit2")->setValue(2);
    QCOMPARE(c.schedule().Settings.PauseOptions, uint16_t(3 | 2 << 2));

    // Without mixed rounds the mixed column is hidden: Enter on the last ladies' round goes to Start.
    SetupClub noMixed(8, 0);
    TSchemaForm g(noMixed.state);
    showForm(g, 1);
    QTest::mouseClick(button(g, "MoreBtn"), Qt::LeftButton);
    QVERIFY(!gridEdit(g, 23)->isVisible());
    QVERIFY(!gridEdit(g, 23)->isEnabled());
    QVERIFY(!gridEdit(g, 17)->isVisible());
    QTest::keyClick(gridEdit(g, 16), Qt::Key_Return);
    QCOMPARE(focusName(), QString("StartSchemaBtn"));
}

void TestSchemaForm::meerProposesCourts_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("men");
    QTest::addColumn<int>("ladies");
    QTest::addColumn<QStringList>("menCourts");
    QTest::addColumn<QStringList>("ladiesCourts");
    QTest::addColumn<QStringList>("mixedCourts");
    QTest::addColumn<QString>("mixedRounds");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("ladiesFirstAtStart");

    // Men's and ladies' courts are proposed for the doubles rounds 1..4 only; the mixed rounds 5 and 6
    // show 0 there.
    const QStringList zero = {"0", "0", "0", "0", "0", "0"};
    QTest::newRow("12 men, 10 ladies")
        << 1 << 12 << 10 << QStringList{"3", "3", "3", "3", "0", "0"} << QStringList{"3", "3", "3", "3", "0", "0"}
        << QStringList{"0", "0", "0", "0", "6", "6"} << "2" << "BaanGridEdit11" << false;
    QTest::newRow("14 men, 8 ladies")
        << 1 << 14 << 8 << QStringList{"4", "4", "4", "4", "0", "0"} << QStringList{"2", "2", "2", "2", "0", "0"}
        << QStringList{"0", "0", "0", "0", "6", "6"} << "2" << "BaanGridEdit11" << false;
    // No men: every court goes to the ladies, no mixed rounds (the hidden mixed column keeps what
    // was proposed), ladies first at Start.
    const QStringList hiddenMixed = {"0", "0", "0", "0", "6", "6"};
    QTest::newRow("0 men") << 1 << 0 << 10 << zero << QStringList{"6", "6", "6", "6", "0", "0"} << hiddenMixed
                           << "0" << "BaanGridEdit17" << true;
    QTest::newRow("0 men, numbered") << 2 << 0 << 10 << zero << QStringList{"6", "6", "6", "6", "0", "0"}
                                     << hiddenMixed << "0" << "BaanGridEdit17" << true;
}

void TestSchemaForm::meerProposesCourts()
{
    QFETCH(int, mode);
    QFETCH(int, men);
    QFETCH(int, ladies);
    QFETCH(QStringList, menCourts);
    QFETCH(QStringList, ladiesCourts);
    QFETCH(QStringList, mixedCourts);
    QFETCH(QString, mixedRounds);
    QFETCH(QString, focus);
    QFETCH(bool, ladiesFirstAtStart);

    SetupClub c(mode == 1 ? men : 12, mode == 1 ? ladies : 10);
    TSchemaForm f(c.state);
    showForm(f, mode);
    if (mode == 2) {
        typeEnter(edit(f, "HerenEdit"), QString::number(men));
        typeEnter(edit(f, "DamesEdit"), QString::number(ladies));
        typeEnter(edit(f, "BanenEdit"), "6");
    }
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    QVERIFY(child(f, "BanenBox")->isVisible());
    QCOMPARE(gridColumn(f, 0), menCourts);
    QCOMPARE(gridColumn(f, 1), ladiesCourts);
    QCOMPARE(gridColumn(f, 2), mixedCourts);
    QCOMPARE(gridEdit(f, 11)->isVisible(), men > 0);
    QCOMPARE(gridEdit(f, 23)->isVisible(), mixedRounds != "0");
    QCOMPARE(child(f, "GemengdLab")->isVisible(), mixedRounds != "0");
    QCOMPARE(edit(f, "Mixedit")->text(), mixedRounds);
    QCOMPARE(focusName(), focus);
    QCOMPARE(child<QLabel>(f, "RondeLabel1")->text(), QString("ronde 1"));
    QCOMPARE(child<QSpinBox>(f, "PauzeEdit1")->value(), 1);
    QCOMPARE(child<QSpinBox>(f, "PauzeEdit2")->value(), 1);
    QCOMPARE(c.schedule().Settings.PauseOptions, uint16_t(5));
    QVERIFY(!child(f, "Rondeplusbtn")->isVisible());
    // "Steeds ander begin paren" is never ticked from the options.
    QVERIFY(!child<QCheckBox>(f, "VariPairsBox")->isChecked());

    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.texts(), QStringList());
    QCOMPARE(c.schedule().LadiesFirst, ladiesFirstAtStart);
    // Start takes the unticked box: no varied pairs.
    QVERIFY(!c.schedule().VariedPairs);
    QCOMPARE(c.schedule().Run.NumMixedRounds, mixedRounds.toInt());
    QCOMPARE(c.schedule().ScheduleTable[1].range[1].first, men > 0 ? c.schedule().CourtsPerRound.men[1] + 1 : 1);
}

void TestSchemaForm::gridScrollsWithTenRounds()
{
    SetupClub c(12, 10);
    c.keyData().doublesRounds = 8;
    TSchemaForm f(c.state);
    showForm(f, 1);
    typeEnter(edit(f, "TandemEdit"), "8");
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    QVERIFY(child(f, "Rondeplusbtn")->isVisible());
    QVERIFY(child(f, "RondeMinBtn")->isVisible());

    typeEnter(gridEdit(f, 11), "2");
    QTest::keyClick(gridEdit(f, 12), Qt::Key_PageDown);
    QCOMPARE(f.gridOffset(), 1);
    QCOMPARE(c.schedule().CourtsPerRound.men[1], uint8_t(2));
    // A value typed without Enter is taken over when the rows scroll.
    gridEdit(f, 12)->setText("1");
    QTest::mouseClick(button(f, "Rondeplusbtn"), Qt::LeftButton);
    QCOMPARE(c.schedule().CourtsPerRound.men[3], uint8_t(1));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(gridEdit(f, 11), Qt::Key_PageDown);
    QCOMPARE(f.gridOffset(), 3);
    QCOMPARE(child<QLabel>(f, "RondeLabel1")->text(), QString("ronde 4"));
    QCOMPARE(child<QLabel>(f, "RondeLabel6")->text(), QString("ronde 9"));
    // Round 9 is the first mixed round: mixed courts only.
    QCOMPARE(gridColumn(f, 0), (QStringList{"3", "3", "3", "3", "3", "0"}));
    QCOMPARE(gridColumn(f, 1), (QStringList{"3", "3", "3", "3", "3", "0"}));
    QCOMPARE(gridColumn(f, 2), (QStringList{"0", "0", "0", "0", "0", "6"}));
    QCOMPARE(gridEdit(f, 12)->text(), QString("3"));

    // Field names stay fixed when scrolled: the first row is "heren ronde 1".
    c.ts.sink.expect(Result::Ok);
    typeEnter(gridEdit(f, 11), "9");
    QCOMPARE(c.ts.sink.texts().last(), "Aantal heren ronde 1 te groot: 9 niet toegestaan" + Hint);
    gridEdit(f, 11)->setText("3");

    QTest::keyClick(gridEdit(f, 11), Qt::Key_PageUp);
    QCOMPARE(f.gridOffset(), 2);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(button(f, "RondeMinBtn"), Qt::LeftButton);
    QCOMPARE(f.gridOffset(), 0);
    QCOMPARE(gridColumn(f, 0), (QStringList{"2", "3", "1", "3", "3", "3"}));
}

void TestSchemaForm::startChecks_data()
{
    QTest::addColumn<int>("men");
    QTest::addColumn<int>("ladies");
    QTest::addColumn<int>("courts");
    QTest::addColumn<int>("menCourts"); // typed into the men's rounds 1..4; 0: as proposed
    QTest::addColumn<int>("matchRounds");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("warningLine"); // empty: hidden
    QTest::addColumn<bool>("runs");

    const QString stop = QStringLiteral(" Wilt U stoppen");
    // Too many courts are lowered with a warning line, and the run goes on without a question.
    QTest::newRow("too many courts") << 5 << 10 << 6 << 0 << 0 << QList<int>{} << QStringList{}
                                     << "Te veel banen gekozen   Ronde : 6" << true;
    // One court for twelve men leaves players out two rounds in a row: the question, answered Ja.
    QTest::newRow("too few courts") << 12 << 12 << 6 << 1 << 0 << QList<int>{Result::Yes} << QStringList{stop} << ""
                                    << false;
    QTest::newRow("match has fewer rounds")
        << 12 << 10 << 4 << 0 << 3 << QList<int>{Result::Ok, Result::Yes}
        << QStringList{"Aantal schema ronden: 6 is groter dan het aantal rondes: 3 van de Match", stop} << "" << false;
    QTest::newRow("match has the rounds") << 12 << 10 << 4 << 0 << 6 << QList<int>{} << QStringList{} << "" << true;
    // 20 men's courts beside the 15 ladies' courts proposed: 35 courts in one round.
    QTest::newRow("more than 32 courts in a round")
        << 12 << 10 << 32 << 20 << 0 << QList<int>{Result::Ok}
        << QStringList{"Geen oplossing heren-tandem     \rAantal banen meer dan 32 "} << "" << false;
}

void TestSchemaForm::startChecks()
{
    QFETCH(int, men);
    QFETCH(int, ladies);
    QFETCH(int, courts);
    QFETCH(int, menCourts);
    QFETCH(int, matchRounds);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, messages);
    QFETCH(QString, warningLine);
    QFETCH(bool, runs);

    SetupClub c(men, ladies);
    c.keyData().courts = int16_t(courts);
    TSchemaForm f(c.state);
    f.matchRounds = [matchRounds] { return matchRounds; };
    showForm(f, 1);
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    if (menCourts > 0)
        for (int tag = 11; tag <= 14; ++tag)
            typeEnter(gridEdit(f, tag), QString::number(menCourts));
    for (int a : answers)
        c.ts.sink.expect(a);
    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.texts(), messages);
    QVERIFY(c.ts.sink.allAnswersUsed());
    auto* warning = child<QLabel>(f, "FoutregelLabel");
    QCOMPARE(warning->isVisible(), !warningLine.isEmpty());
    if (!warningLine.isEmpty())
        QCOMPARE(warning->text(), warningLine);
    QCOMPARE(c.schedule().ScheduleTable[1].range[0].last > 0, runs);
    QCOMPARE(child<QPlainTextEdit>(f, "RekenTxtMemo")->isVisible(), runs);
    if (men == 5) { // lowered to what five men can fill, and shown so
        QCOMPARE(c.schedule().CourtsPerRound.men[1], uint8_t(1));
        QCOMPARE(gridColumn(f, 0), (QStringList{"1", "1", "1", "1", "0", "0"})); // rounds 5, 6 are mixed
    }
    if (matchRounds == 3)
        QCOMPARE(focusName(), QString("TandemEdit"));
    QVERIFY(button(f, "StartSchemaBtn")->isEnabled());
    QVERIFY(button(f, "MoreBtn")->isEnabled());
}

void TestSchemaForm::refusedTextsNeverReachTheEngine_data()
{
    QTest::addColumn<bool>("meerFirst");    // "&Meer" with the values in force before typing
    QTest::addColumn<QStringList>("typed"); // "field=text", typed without Enter; "field=text!" with Enter
    QTest::addColumn<QString>("button");    // then clicked: MoreBtn or StartSchemaBtn (and Start when shown)
    QTest::addColumn<QString>("message");   // the one message of it all
    QTest::addColumn<QString>("field");     // shows afterwards...
    QTest::addColumn<QString>("shown");     // ...this text
    QTest::addColumn<QString>("focus");

    // 12 men, 10 ladies, 3 absent; 4 + 2 rounds, 6 courts.
    const QString wrong = QStringLiteral(" bestaat niet") + Hint;
    // Once a division by zero in the courts' share.
    QTest::newRow("ladies -5, Meer, Start") << false << QStringList{"HerenEdit=5", "DamesEdit=-5"} << "MoreBtn"
                                     << "Aantal  dames foutief: -5" + wrong << "DamesEdit" << "10" << "DamesEdit";
    // Once an endless loop lowering a court count below 0.
    QTest::newRow("men -5, Meer, Start") << false << QStringList{"HerenEdit=-5"} << "MoreBtn"
                                  << "Aantal  heren foutief: -5" + wrong << "HerenEdit" << "12" << "HerenEdit";
    QTest::newRow("men -5, Start") << true << QStringList{"HerenEdit=-5"} << "StartSchemaBtn"
                                   << "Aantal  heren foutief: -5" + wrong << "HerenEdit" << "12" << "HerenEdit";
    // Once indexes far outside the round tables.
    QTest::newRow("doubles -3, Start") << true << QStringList{"TandemEdit=-3"} << "StartSchemaBtn"
                                       << "Aantal  tandem foutief: -3" + wrong << "TandemEdit" << "4" << "TandemEdit";
    // Once fifteen messages in a row: the first refused field speaks, the rest wait their turn.
    QTest::newRow("three refused, Start")
        << true << QStringList{"HerenEdit=-5", "DamesEdit=-5", "BanenEdit=99"} << "StartSchemaBtn"
        << "Aantal  heren foutief: -5" + wrong << "HerenEdit" << "12" << "HerenEdit";
    // Once the refused text stayed and "&Meer" proposed 151 men's courts from it.
    QTest::newRow("courts 99999, Enter, Meer, Start")
        << false << QStringList{"BanenEdit=99999!"} << "MoreBtn"
        << "Aantal  banen te groot: 99999 niet toegestaan" + Hint << "BanenEdit" << "6" << "SluitBtn";
}

void TestSchemaForm::refusedTextsNeverReachTheEngine()
{
    QFETCH(bool, meerFirst);
    QFETCH(QStringList, typed);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, field);
    QFETCH(QString, shown);
    QFETCH(QString, focus);

    SetupClub c(12, 10);
    TSchemaForm f(c.state);
    showForm(f, 1);
    if (meerFirst)
        QTest::mouseClick(::button(f, "MoreBtn"), Qt::LeftButton);
    c.ts.sink.expect(Result::Ok);
    for (const QString& step : typed) {
        const QString name = step.section('=', 0, 0);
        QString text = step.section('=', 1);
        const bool enter = text.endsWith('!');
        text.remove('!');
        QLineEdit* e = edit(f, name);
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, text);
        if (enter)
            QTest::keyClick(e, Qt::Key_Return);
    }
    QTest::mouseClick(::button(f, button), Qt::LeftButton);
    // Then "&Start", as far as it can be reached (once an endless loop after men -5 and "&Meer").
    if (button == "MoreBtn" && ::button(f, "StartSchemaBtn")->isVisible())
        QTest::mouseClick(::button(f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.texts(), QStringList{message});
    QCOMPARE(edit(f, field)->text(), shown);
    QCOMPARE(focusName(), focus);

    // What is stored and what the grid proposes lie within the club's limits.
    const engine::ScheduleState& s = c.schedule();
    QVERIFY(s.Settings.NumMen >= 0 && s.Settings.NumMen <= 12);
    QVERIFY(s.Settings.NumLadies >= 0 && s.Settings.NumLadies <= 10);
    QVERIFY(s.Settings.NumDoublesRounds >= 0 && s.Settings.NumDoublesRounds <= 4);
    QVERIFY(s.Settings.NumCourts >= 0 && s.Settings.NumCourts <= 6);
    for (int r = 1; r <= 24; ++r)
        QVERIFY2(s.CourtsPerRound.men[size_t(r)] + s.CourtsPerRound.ladies[size_t(r)] <= 6, qPrintable(QString::number(r)));
    // A refusal at Start runs nothing.
    if (button == "StartSchemaBtn") {
        QCOMPARE(s.ScheduleTable[1].range[0].last, 0);
        QVERIFY(!child(f, "RekenTxtMemo")->isVisible());
        QVERIFY(::button(f, "StartSchemaBtn")->isEnabled());
    }
}

// Key data that allow more rounds than the tables hold (30): the window offers 24 at most.
void TestSchemaForm::keyDataRoundsBeyondTheTablesAreCut()
{
    SetupClub c(12, 10);
    c.keyData().doublesRounds = 30;
    TSchemaForm f(c.state);
    showForm(f, 1);
    QCOMPARE(edit(f, "TandemEdit")->text(), QString("24"));
    QCOMPARE(edit(f, "Mixedit")->text(), QString("0"));

    const QString big = QStringLiteral(" niet toegestaan") + Hint;
    c.ts.sink.expect(Result::Ok);
    typeEnter(edit(f, "TandemEdit"), "25");
    c.ts.sink.expect(Result::Ok);
    typeEnter(edit(f, "Mixedit"), "1");
    QCOMPARE(c.ts.sink.texts(), (QStringList{"Aantal  tandem te groot: 25" + big, "Aantal  Mixtandem te groot: 1" + big}));
    QCOMPARE(edit(f, "TandemEdit")->text(), QString("24"));
    QCOMPARE(edit(f, "Mixedit")->text(), QString("0"));

    typeEnter(edit(f, "TandemEdit"), "3");
    typeEnter(edit(f, "Mixedit"), "2");
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.texts().size(), 2);
    QCOMPARE(c.schedule().Run.NumDoublesRounds, 3);
    QCOMPARE(c.schedule().TotalRounds, 5);
    QVERIFY(c.schedule().ScheduleTable[5].range[2].last > 0);
}

void TestSchemaForm::pauseSpinsAtStart_data()
{
    QTest::addColumn<int>("threeTimes");
    QTest::addColumn<int>("twoTimes");
    QTest::addColumn<int>("pauseLevel");
    QTest::addColumn<int>("threeTimesShown");
    QTest::addColumn<int>("beeps");
    QTest::newRow("as proposed") << 1 << 1 << 3 << 1 << 0;
    QTest::newRow("none") << 0 << 0 << 0 << 0 << 0;
    // Bit 1 of the "3 X" value is dropped with a beep.
    QTest::newRow("3 X is 2") << 2 << 1 << 2 << 0 << 1;
    QTest::newRow("3 X is 3") << 3 << 2 << 5 << 1 << 1;
    QTest::newRow("2 X is 3") << 0 << 3 << 6 << 0 << 0;
}

void TestSchemaForm::pauseSpinsAtStart()
{
    QFETCH(int, threeTimes);
    QFETCH(int, twoTimes);
    QFETCH(int, pauseLevel);
    QFETCH(int, threeTimesShown);
    QFETCH(int, beeps);
    SetupClub c(12, 10);
    c.keyData().courts = 4;
    TSchemaForm f(c.state);
    showForm(f, 1);
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    auto* spin3 = child<QSpinBox>(f, "PauzeEdit1");
    auto* spin2 = child<QSpinBox>(f, "PauzeEdit2");
    spin3->setFocus();
    spin3->selectAll();
    QTest::keyClicks(spin3, QString::number(threeTimes));
    spin2->setFocus();
    spin2->selectAll();
    QTest::keyClicks(spin2, QString::number(twoTimes));
    QCOMPARE(c.schedule().Settings.PauseOptions, uint16_t(threeTimes | twoTimes << 2));
    const int beepsBefore = c.ts.sink.beeps;
    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.beeps - beepsBefore, beeps);
    QCOMPARE(int(c.schedule().PauseLevel), pauseLevel);
    QCOMPARE(spin3->value(), threeTimesShown);
    QCOMPARE(spin2->value(), twoTimes);
}

void TestSchemaForm::startRunsAndOkEnablesTheOverviews_data()
{
    QTest::addColumn<int>("keepGames");
    QTest::newRow("without games") << 0;
    QTest::newRow("with games") << 1;
}

void TestSchemaForm::startRunsAndOkEnablesTheOverviews()
{
    QFETCH(int, keepGames);
    SetupClub c(8, 8);
    c.keyData().keepGames = int16_t(keepGames);
    c.keyData().courts = 4;
    c.keyData().options = 17 | 2; // progress lines
    TTandem12X w(c.state);
    QStringList memoAtEnd;
    QString focusAtEnd;
    bool stopShown = true;
    c.state.modalHooks.onShow<TSchemaForm>([&](TSchemaForm& f) {
        QTimer::singleShot(0, &f, [&] {
            QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
            QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
            memoAtEnd = child<QPlainTextEdit>(f, "RekenTxtMemo")->toPlainText().split('\n');
            stopShown = child(f, "StopSchemaBtn")->isVisible();
            focusAtEnd = focusName();
            QTest::keyClick(button(f, "SluitBtn"), Qt::Key_Return);
        });
    });
    OpenScheduleSetup(c.state, w, engine::ScheduleMode::Names);

    QCOMPARE(c.ts.sink.texts(), QStringList());
    QCOMPARE(memoAtEnd.value(0), QString(" Klaar met rekenen .... "));
    QCOMPARE(memoAtEnd.value(1), QString(" Berekening Mixed  in ronde : ,1,2"));
    QVERIFY(!stopShown);
    QCOMPARE(focusAtEnd, QString("SluitBtn"));
    const engine::ScheduleState& s = c.schedule();
    QVERIFY(!s.ScheduleBusy);
    // Eight men on courts 1 and 2 and eight ladies on courts 3 and 4, then mixed on four courts.
    QCOMPARE(s.ScheduleTable[1].range[0].first, 1);
    QCOMPARE(s.ScheduleTable[1].range[0].last, 2);
    QCOMPARE(s.ScheduleTable[4].range[1].first, 3);
    QCOMPARE(s.ScheduleTable[6].range[2].last, 4);
    for (const char* name : {"Parenschema1", "Wijzigen1"})
        QVERIFY2(w.findChild<QAction*>(name)->isEnabled(), name);
    QCOMPARE(w.findChild<QAction*>("NieuweMatch1")->isEnabled(), keepGames == 1);
}

void TestSchemaForm::okWithoutAScheduleAcceptsNothing_data()
{
    QTest::addColumn<bool>("meer");  // "&Meer" pressed (Start shows)
    QTest::addColumn<bool>("start"); // Start pressed and refused, or not pressed at all
    QTest::addColumn<QString>("focus");
    QTest::newRow("before Meer") << false << false << "MoreBtn";
    QTest::newRow("no Start") << true << false << "StartSchemaBtn";
    QTest::newRow("Start stopped at the question") << true << true << "StartSchemaBtn";
}

// "&OK" before anything was computed says so and keeps the form; closed, it enables nothing, also with
// games kept.
void TestSchemaForm::okWithoutAScheduleAcceptsNothing()
{
    QFETCH(bool, meer);
    QFETCH(bool, start);
    QFETCH(QString, focus);
    SetupClub c(12, 12);
    c.keyData().keepGames = 1;
    TTandem12X w(c.state);
    bool openAfterOk = false;
    QString focusAfterOk;
    c.state.modalHooks.onShow<TSchemaForm>([&](TSchemaForm& f) {
        QTimer::singleShot(0, &f, [&] {
            if (meer)
                QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
            if (start) {
                // One court for twelve men: the question, answered Ja (stop).
                for (int tag = 11; tag <= 14; ++tag)
                    typeEnter(gridEdit(f, tag), "1");
                c.ts.sink.expect(Result::Yes);
                QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
            }
            c.ts.sink.expect(Result::Ok);
            QTest::mouseClick(button(f, "SluitBtn"), Qt::LeftButton);
            openAfterOk = f.isVisible();
            focusAfterOk = f.focusWidget() ? f.focusWidget()->objectName() : QString();
            c.ts.sink.expect(Result::No); // the close question: close
            c.ts.sink.expect(Result::Ok); // "Berekening gestopt"
            f.close();
        });
    });
    OpenScheduleSetup(c.state, w, engine::ScheduleMode::Names);

    QVERIFY(openAfterOk);
    QCOMPARE(focusAfterOk, focus);
    QStringList expected{NoScheduleYet, CloseQuestion, "Berekening gestopt"};
    if (start)
        expected.prepend(" Wilt U stoppen");
    QCOMPARE(c.ts.sink.texts(), expected);
    QVERIFY(c.ts.sink.allAnswersUsed());
    for (const char* name : {"Parenschema1", "Wijzigen1", "NieuweMatch1", "InvoerGames1"})
        QVERIFY2(!w.findChild<QAction*>(name)->isEnabled(), name);
}

void TestSchemaForm::closingTextCountsTheRoundsWithoutASolution_data()
{
    QTest::addColumn<int>("men");
    QTest::addColumn<QString>("courtsRound2");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QStringList>("memo");
    // Eight men, three rounds on two courts, none in round 2: that round has no solution.
    QTest::newRow("one round") << 8 << "0" << QList<int>{Result::Ok} << 1
                               << QStringList{" Klaar met rekenen .... ", " Geen oplossing in 1 ronde"};
    // Nine men: the one who sat out round 1 cannot play round 2, and after it all nine must play on
    // two courts. The question is answered Nee (go on).
    QTest::newRow("two rounds") << 9 << "0" << QList<int>{Result::No, Result::Ok, Result::Ok} << 3
                                << QStringList{" Klaar met rekenen .... ", " Geen oplossing in 2 ronden"};
    // Two courts in every round: plain success.
    QTest::newRow("none") << 8 << "2" << QList<int>{} << 0 << QStringList{" Klaar met rekenen .... "};
}

// The closing text stays, with the count of the rounds the messages named on the line under it.
void TestSchemaForm::closingTextCountsTheRoundsWithoutASolution()
{
    QFETCH(int, men);
    QFETCH(QString, courtsRound2);
    QFETCH(QList<int>, answers);
    QFETCH(int, messages);
    QFETCH(QStringList, memo);
    SetupClub c(men, 0);
    TSchemaForm f(c.state);
    showForm(f, 1);
    typeEnter(edit(f, "TandemEdit"), "3");
    typeEnter(edit(f, "BanenEdit"), "2");
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    typeEnter(gridEdit(f, 12), courtsRound2);
    for (int a : answers)
        c.ts.sink.expect(a);
    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    QVERIFY(c.ts.sink.allAnswersUsed());
    QCOMPARE(int(c.ts.sink.shown.size()), messages);
    QCOMPARE(child<QPlainTextEdit>(f, "RekenTxtMemo")->toPlainText().split('\n'), memo);
    // A schedule with failed rounds is still a schedule: OK accepts it.
    QTest::mouseClick(button(f, "SluitBtn"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), int(TSchemaForm::Accepted));
}

void TestSchemaForm::stopAndEscapeDuringARun_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<int>("afterRound"); // 0: as soon as Stop can be pressed
    QTest::addColumn<bool>("byKey");     // Stop by its mnemonic Alt+T
    QTest::addColumn<bool>("closeBox");  // the window's close box instead of Stop
    QTest::newRow("Stop at once") << false << 0 << false << false;
    QTest::newRow("Stop in round 2") << false << 2 << false << false;
    QTest::newRow("Alt+T in round 2") << false << 2 << true << false;
    QTest::newRow("Escape at once") << true << 0 << false << false;
    QTest::newRow("Escape in round 2") << true << 2 << false << false;
    QTest::newRow("close box at once") << false << 0 << false << true;
    QTest::newRow("close box in round 2") << false << 2 << false << true;
}

// A run with progress lines waits half a second before every round; Stop or Escape comes during
// those waits. While it runs nothing can start a second run or close the form under it.
void TestSchemaForm::stopAndEscapeDuringARun()
{
    QFETCH(bool, escape);
    QFETCH(int, afterRound);
    QFETCH(bool, byKey);
    QFETCH(bool, closeBox);
    SetupClub c(8, 8);
    c.keyData().courts = 4;
    c.keyData().options = 17 | 2;
    TTandem12X w(c.state);
    QStringList enabledWhileRunning;
    bool stopped = false;
    bool stillOpen = false;
    c.state.modalHooks.onShow<TSchemaForm>([&](TSchemaForm& f) {
        auto* poll = new QTimer(&f);
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, &f, [&, poll] {
            QPushButton* stop = button(f, "StopSchemaBtn");
            const QString memo = child<QPlainTextEdit>(f, "RekenTxtMemo")->toPlainText();
            if (stopped || !f.running() || !stop->isVisible() || !stop->isEnabled())
                return;
            if (afterRound > 0 && !memo.contains(QStringLiteral(",%1").arg(afterRound)))
                return;
            poll->stop();
            stopped = true;
            for (const char* name : {"StartSchemaBtn", "MoreBtn", "SluitBtn", "HerenEdit", "BaanGridEdit11",
                                     "DameFirstBox", "PauzeEdit1", "Rondeplusbtn", "HelpSchbtn"})
                if (child(f, name)->isEnabled())
                    enabledWhileRunning << name;
            // A click on the disabled Start and a close both leave the run alone.
            QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
            if (escape) {
                QTest::keyClick(stop, Qt::Key_Escape);
            } else {
                c.ts.sink.expect(Result::No); // the close question after the run: close
                if (closeBox) {
                    c.ts.sink.expect(Result::Ok); // "Berekening gestopt"
                    f.close();
                } else if (byKey)
                    QTest::keyClick(&f, Qt::Key_T, Qt::AltModifier);
                else
                    QTest::mouseClick(stop, Qt::LeftButton);
            }
        });
        poll->start();
        QTimer::singleShot(0, &f, [&] {
            QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
            QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
            if (escape) {
                // Escape only stops: the form stays open with what was computed, and OK accepts it.
                // Stopped before any round was stored, there is nothing to accept: OK says so, and
                // the form is closed without it.
                stillOpen = f.isVisible() && button(f, "StartSchemaBtn")->isEnabled();
                if (afterRound == 0)
                    c.ts.sink.expect(Result::Ok);
                QTest::mouseClick(button(f, "SluitBtn"), Qt::LeftButton);
                if (afterRound == 0) {
                    stillOpen = stillOpen && f.isVisible();
                    c.ts.sink.expect(Result::No); // the close question: close
                    c.ts.sink.expect(Result::Ok); // "Berekening gestopt"
                    f.close();
                }
            }
        });
    });
    OpenScheduleSetup(c.state, w, engine::ScheduleMode::Names);

    QVERIFY(stopped);
    QCOMPARE(enabledWhileRunning, QStringList());
    const engine::ScheduleState& s = c.schedule();
    QCOMPARE(s.StopRequest, uint8_t(27));
    // Stop and OK clear the busy flag; a close leaves it to the next opening, which sets it anew.
    if (!escape || afterRound > 0)
        QCOMPARE(s.ScheduleBusy, closeBox);
    // The run ended in the round it was stopped in: nothing later was computed.
    QCOMPARE(s.ScheduleTable[1].range[0].last > 0, afterRound == 2);
    QCOMPARE(s.ScheduleTable[2].range[0].last, 0);
    QCOMPARE(s.ScheduleTable[1].range[1].last, 0);
    // The round that was stopped is not reported as a failed search.
    if (escape && afterRound > 0) {
        QVERIFY(stillOpen);
        QCOMPARE(c.ts.sink.texts(), QStringList());
        QVERIFY(!s.ScheduleBusy);
        QVERIFY(w.findChild<QAction*>("Parenschema1")->isEnabled());
    } else if (escape) {
        QVERIFY(stillOpen);
        QCOMPARE(c.ts.sink.texts(), (QStringList{NoScheduleYet, CloseQuestion, "Berekening gestopt"}));
    } else if (closeBox) {
        // The close box stops the run, then closes the form as any close does: the question, then
        // "Berekening gestopt".
        QCOMPARE(c.ts.sink.texts(), (QStringList{CloseQuestion, "Berekening gestopt"}));
        QVERIFY(!w.findChild<QAction*>("Parenschema1")->isEnabled());
    } else {
        // Stop closes the form after the close question, without "Berekening gestopt".
        QCOMPARE(c.ts.sink.texts(), QStringList{CloseQuestion});
        QVERIFY(!w.findChild<QAction*>("Parenschema1")->isEnabled());
    }
}

// Sixteen numbered men and fifteen ladies on three courts: the literal search of the second mixed round
// runs for minutes. The form keeps handling events during it, its bar moves a step at a time, and Stop
// ends it.
void TestSchemaForm::longSearchStaysResponsiveAndStopEndsIt()
{
    SetupClub c(16, 15, 20);
    c.keyData().courts = 3;
    c.keyData().options = 16;
    // Messages are compared below; a run that ends by itself is skipped.
    c.ts.sink.onUnexpected([](const ScriptedMessageSink::Shown&) {});
    TSchemaForm f(c.state);
    showForm(f, 2);
    typeEnter(edit(f, "HerenEdit"), "16");
    typeEnter(edit(f, "DamesEdit"), "15");
    typeEnter(edit(f, "BanenEdit"), "3");
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    c.schedule().Engine = engine::EngineMode::Reference;
    int ticks = 0;
    QList<int> barValues;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &f, [&] {
        if (!f.running())
            return;
        const int value = child<QProgressBar>(f, "RekenProgress")->value();
        if (barValues.isEmpty() || barValues.last() != value)
            barValues << value;
        if (++ticks == 100) {
            ticker.stop();
            c.ts.sink.expect(Result::No); // the close question after the run: close
            QTest::mouseClick(button(f, "StopSchemaBtn"), Qt::LeftButton);
        }
    });
    ticker.start(10);
    QTest::mouseClick(button(f, "StartSchemaBtn"), Qt::LeftButton);
    if (ticks < 100)
        QSKIP("the calculation finished before Stop was pressed: no long search to stop");
    // The bar moved while the search ran, one step at a time (starting over after the end: 6 rounds);
    // the search ended in the round that was stopped.
    QVERIFY2(barValues.size() > 3, qPrintable(QString::number(barValues.size())));
    for (int i = 1; i < barValues.size(); ++i)
        QVERIFY2(barValues[i] == barValues[i - 1] + 1 || (barValues[i] == 0 && barValues[i - 1] == 6),
                 qPrintable(QString("%1 -> %2").arg(barValues[i - 1]).arg(barValues[i])));
    QCOMPARE(c.ts.sink.texts(), QStringList{CloseQuestion});
    QCOMPARE(c.schedule().StopRequest, uint8_t(27));
    // (It is the second mixed round: the doubles rounds and the first mixed round are stored.)
    QCOMPARE(c.schedule().CurrentRound, 2);
    QCOMPARE(c.schedule().ScheduleTable[4].range[1].last, 3);
    QCOMPARE(c.schedule().ScheduleTable[5].range[2].last, 3);
    QCOMPARE(c.schedule().ScheduleTable[6].range[2].last, 0);
    QVERIFY(!f.isVisible());
    QCOMPARE(f.result(), int(TSchemaForm::Aborted));
}

void TestSchemaForm::closingWithoutOkAsks()
{
    SetupClub c(8, 8);
    TTandem12X w(c.state);
    bool openAfterJa = false;
    c.state.modalHooks.onShow<TSchemaForm>([&](TSchemaForm& f) {
        QTimer::singleShot(0, &f, [&] {
            c.ts.sink.expect(Result::Yes); // keep the form open
            QTest::keyClick(edit(f, "HerenEdit"), Qt::Key_Escape);
            openAfterJa = f.isVisible() && c.ts.sink.shown.size() == 1;
            c.ts.sink.expect(Result::No);
            c.ts.sink.expect(Result::Ok); // "Berekening gestopt"
            f.close();
        });
    });
    // Through the menu command, as the program wires it.
    wireWindows(w);
    w.setFileGroup(true);
    w.findChild<QAction*>("SchemametNamen1")->trigger();
    QVERIFY(openAfterJa);
    QCOMPARE(c.ts.sink.texts(), (QStringList{CloseQuestion, CloseQuestion, "Berekening gestopt"}));
    QCOMPARE(c.ts.sink.shown.back().kind, int(Information));
    QCOMPARE(c.ts.sink.shown.front().kind, int(Question));
    QVERIFY(!w.findChild<QAction*>("Parenschema1")->isEnabled());
}

QTEST_MAIN(TestSchemaForm)
#include "tst_schemaform.moc"

// "Tegenstanders spreiden" starts off. Eight men and eight ladies play three mixed rounds on four
// courts: the calculation puts the same two men on each court every round. Ticked, Start gives the
// schedule the engine's pass makes of the same inputs (each round with the same players), the closing
// text says how often two players meet at most and how many meetings repeat, and the box keeps its
// state for the next window, through the user's settings.
void TestSchemaForm::spreadOpponentsGivesTheSpreadScheduleAndIsRemembered()
{
    QSettings().remove("schedule/spreadOpponents");
    SetupClub c(8, 8);
    c.keyData().mixedRounds = 3;
    auto f = std::make_unique<TSchemaForm>(c.state);
    showForm(*f, 1);
    auto* box = child<QCheckBox>(*f, "SpreidBox");
    QCOMPARE(box->parentWidget()->objectName(), QString("SpelOptiesBox"));
    QVERIFY(!box->isChecked());
    typeEnter(edit(*f, "TandemEdit"), "0");
    typeEnter(edit(*f, "Mixedit"), "3");
    typeEnter(edit(*f, "BanenEdit"), "4");
    QTest::mouseClick(button(*f, "MoreBtn"), Qt::LeftButton);
    QTest::mouseClick(button(*f, "StartSchemaBtn"), Qt::LeftButton);
    auto* memo = child<QPlainTextEdit>(*f, "RekenTxtMemo");
    QCOMPARE(memo->toPlainText(), QString(" Klaar met rekenen .... "));
    const auto plain = std::make_unique<engine::ScheduleState>(c.schedule());
    QVERIFY(!plain->spread.applied);
    QVERIFY(engine::MeasureSpread(*plain).maxOpponents > 1);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(box->isChecked());
    QCOMPARE(QSettings().value("schedule/spreadOpponents").toBool(), true);
    QTest::mouseClick(button(*f, "StartSchemaBtn"), Qt::LeftButton);
    QCOMPARE(c.ts.sink.texts(), QStringList());
    const engine::ScheduleState& s = c.schedule();
    QVERIFY(s.spread.applied);
    const engine::SpreadFigures figures = engine::MeasureSpread(*std::make_unique<engine::ScheduleState>(s));
    QCOMPARE(figures.maxOpponents, 1);
    QCOMPARE(memo->toPlainText().split('\n'),
             QStringList({" Klaar met rekenen .... ", QString(" Tegenstanders: hoogstens %1 x, %2 herhaald")
                                                              .arg(figures.maxOpponents)
                                                              .arg(figures.opponentRepeats)}));
    // The engine's pass on the same inputs gives the same courts; every round keeps its players.
    auto expected = std::make_unique<engine::ScheduleState>(*plain);
    expected->Settings.SpreadOpponents = true;
    engine::QuietHost quiet;
    engine::RunCalculation(*expected, quiet);
    for (int r = 1; r <= 3; ++r) {
        QVERIFY2(s.ScheduleTable[size_t(r)] == expected->ScheduleTable[size_t(r)], qPrintable(QString::number(r)));
        std::multiset<int> before, after;
        for (int k = 1; k <= 4; ++k)
            for (int p = 0; p < 4; ++p) {
                before.insert(p % 2 * 100 + plain->ScheduleTable[size_t(r)].court[size_t(k)][size_t(p)]);
                after.insert(p % 2 * 100 + s.ScheduleTable[size_t(r)].court[size_t(k)][size_t(p)]);
            }
        QCOMPARE(after, before);
    }

    // The next window opens with the box ticked and the option in force; unticked, it is off again.
    f.reset();
    SetupClub d(8, 8);
    TSchemaForm g(d.state);
    showForm(g, 1);
    auto* again = child<QCheckBox>(g, "SpreidBox");
    QVERIFY(again->isChecked());
    QVERIFY(d.schedule().Settings.SpreadOpponents);
    QTest::mouseClick(again, Qt::LeftButton);
    QVERIFY(!d.schedule().Settings.SpreadOpponents);
    QCOMPARE(QSettings().value("schedule/spreadOpponents").toBool(), false);
    SetupClub e(8, 8);
    TSchemaForm h(e.state);
    QVERIFY(!child<QCheckBox>(h, "SpreidBox")->isChecked());
}

// Tab walks the option boxes top to bottom: after "Groep 1 tegen Groep 2" comes "Tegenstanders
// spreiden", then the first pause spin; Shift+Tab walks back.
void TestSchemaForm::tabGoesThroughTheSpelOptiesInTheirOrder()
{
    SetupClub c(8, 8);
    TSchemaForm f(c.state);
    showForm(f, 1);
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    auto focusedIs = [&](const char* name) {
        QWidget* w = QApplication::focusWidget();
        for (; w; w = w->parentWidget())
            if (w->objectName() == QLatin1String(name))
                return true;
        return false;
    };
    const char* order[] = {"DameFirstBox", "VariPairsBox", "Groep1to2Box", "SpreidBox", "PauzeEdit1"};
    child<QCheckBox>(f, "DameFirstBox")->setFocus();
    QVERIFY(focusedIs("DameFirstBox"));
    for (size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(focusedIs(order[i]), order[i]);
    }
    for (size_t i = std::size(order) - 1; i-- > 0;) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY2(focusedIs(order[i]), order[i]);
    }
}

// The grid's keys belong to the grid edits. In an option box Up and Down go to the widget before or
// after it, as Shift+Tab and Tab do (Qt's way for check boxes), and PageUp and PageDown do nothing: they
// never scroll the grid (8 doubles rounds and 2 mixed rounds: the grid can scroll).
void TestSchemaForm::gridKeysLeaveTheOptionBoxesAlone_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    for (const char* box : {"DameFirstBox", "VariPairsBox", "Groep1to2Box", "SpreidBox"})
        for (const auto& [name, key] : {std::pair{"Up", Qt::Key_Up}, std::pair{"Down", Qt::Key_Down},
                                        std::pair{"PageUp", Qt::Key_PageUp}, std::pair{"PageDown", Qt::Key_PageDown}})
            QTest::addRow("%s %s", box, name) << QString(box) << int(key);
}

void TestSchemaForm::gridKeysLeaveTheOptionBoxesAlone()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    SetupClub c(12, 10);
    c.keyData().doublesRounds = 8;
    TSchemaForm f(c.state);
    showForm(f, 1);
    typeEnter(edit(f, "TandemEdit"), "8");
    QTest::mouseClick(button(f, "MoreBtn"), Qt::LeftButton);
    // One scroll down first, so that PageUp as well as PageDown could scroll.
    QTest::keyClick(gridEdit(f, 11), Qt::Key_PageDown);
    QCOMPARE(f.gridOffset(), 1);
    auto* option = f.findChild<QCheckBox*>(box);
    QVERIFY(option);
    QWidget* expected = option;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        option->setFocus();
        if (key == Qt::Key_Up)
            QTest::keyClick(option, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(option, Qt::Key_Tab);
        expected = QApplication::focusWidget();
        QVERIFY(expected != option);
    }
    option->setFocus();
    QCOMPARE(QApplication::focusWidget(), option);
    const bool checked = option->isChecked();
    QTest::keyClick(option, Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), expected);
    QCOMPARE(f.gridOffset(), 1);
    QCOMPARE(option->isChecked(), checked);
}
