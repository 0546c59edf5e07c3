// The court coding dialog driven with its buttons and keys, alone and from the set-up window.
#include "forms/TBanenDlg.h"
#include "forms/TSchemaForm.h"
#include "forms/TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace tandemx;
using namespace tandemx::test;

namespace {

struct CodingClub {
    TestState ts;
    AppState& state = ts.state;
    CodingClub()
    {
        state.club.members.emplace();
        setDefaults(state);
        state.club.config->keyData.courts = 6;
        for (int c = 0; c <= 32; ++c)
            state.schedule->CourtCodes[size_t(c)] = c;
    }
    const auto& codes() const { return state.schedule->CourtCodes; }
};

QLineEdit* edit(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
QPushButton* button(QWidget& w, const char* name) { return w.findChild<QPushButton*>(name); }

void typeCode(TBanenDlg& d, const QString& code)
{
    QLineEdit* e = edit(d, "BaanCodeEdit");
    e->selectAll();
    QTest::keyClicks(e, code);
}

} // namespace

class TestBanenDlg : public QObject {
    Q_OBJECT
private slots:
    void codesGoToTheCurrentPositionAndPositionsCycle();
    void codeThatIsNoWholeNumberIsNotStored_data();
    void codeThatIsNoWholeNumberIsNotStored();
    void openedBySetupWindowOnlyWithTheOption_data();
    void openedBySetupWindowOnlyWithTheOption();
    void opensCentredOverTheProgram();
};

void TestBanenDlg::codesGoToTheCurrentPositionAndPositionsCycle()
{
    CodingClub c;
    c.state.schedule->CourtCodes[1] = 9; // what an earlier coding left
    TBanenDlg d(c.state);
    d.prepare(6);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Coderen van banen"));
    QCOMPARE(d.findChild<QLabel*>("BaanLabel")->text(), QString("Baan: 1..6"));
    QCOMPARE(d.findChild<QLabel*>("BaanCodelabel")->text(), QString("Baan Codering: 1..6"));
    QCOMPARE(edit(d, "BaanEdit")->text(), QString("1"));
    QCOMPARE(edit(d, "BaanCodeEdit")->text(), QString("1"));

    // "Baan - " on position 1 stores its code and shows position 6 with its code.
    typeCode(d, "11");
    QTest::mouseClick(button(d, "PrevBnBtn"), Qt::LeftButton);
    QCOMPARE(c.codes()[1], 11);
    QCOMPARE(edit(d, "BaanEdit")->text(), QString("6"));
    QCOMPARE(edit(d, "BaanCodeEdit")->text(), QString("6"));
    // "Baan +" on the last position goes back to position 1.
    typeCode(d, "40");
    QTest::mouseClick(button(d, "NextBnBtn"), Qt::LeftButton);
    QCOMPARE(c.codes()[6], 40);
    QCOMPARE(edit(d, "BaanEdit")->text(), QString("1"));
    QCOMPARE(edit(d, "BaanCodeEdit")->text(), QString("11"));
    QTest::mouseClick(button(d, "NextBnBtn"), Qt::LeftButton);
    QCOMPARE(edit(d, "BaanEdit")->text(), QString("2"));

    // Two positions may share a code; "O&k" (Enter) keeps the code shown.
    typeCode(d, "11");
    QTest::keyClick(edit(d, "BaanCodeEdit"), Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(c.codes()[2], 11);
    for (int court = 3; court <= 5; ++court)
        QCOMPARE(c.codes()[size_t(court)], court);
    QCOMPARE(c.ts.sink.beeps, 0);
}

void TestBanenDlg::codeThatIsNoWholeNumberIsNotStored_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("typed");
    QTest::newRow("Baan +") << "NextBnBtn" << "3a";
    QTest::newRow("Baan -") << "PrevBnBtn" << "";
    QTest::newRow("O&k") << "BaanOkBtn" << "2.5";
}

void TestBanenDlg::codeThatIsNoWholeNumberIsNotStored()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, typed);
    CodingClub c;
    TBanenDlg d(c.state);
    d.prepare(6);
    d.show();
    edit(d, "BaanCodeEdit")->setText(typed);
    QTest::mouseClick(d.findChild<QPushButton*>(buttonName), Qt::LeftButton);
    QCOMPARE(c.ts.sink.beeps, 1);
    QCOMPARE(c.codes()[1], 1);
    QCOMPARE(d.currentCourt(), 1);
    QCOMPARE(edit(d, "BaanEdit")->text(), QString("1"));
    QVERIFY(d.isVisible());
    // Corrected, the same button goes on.
    typeCode(d, "7");
    QTest::mouseClick(d.findChild<QPushButton*>(buttonName), Qt::LeftButton);
    QCOMPARE(c.codes()[1], 7);
}

void TestBanenDlg::openedBySetupWindowOnlyWithTheOption_data()
{
    QTest::addColumn<bool>("coding");
    QTest::newRow("court coding on") << true;
    QTest::newRow("court coding off") << false;
}

void TestBanenDlg::openedBySetupWindowOnlyWithTheOption()
{
    QFETCH(bool, coding);
    CodingClub c;
    KeyData& kd = c.state.club.config->keyData;
    kd.options = uint16_t(coding ? 17 | 4 : 17);
    c.state.schedule->CourtCodes[3] = 12; // the set-up window starts again from 1..32
    // The court count the set-up window holds from its last use (4), not the key data's 6.
    c.state.schedule->Settings.NumCourts = 4;
    int opened = 0;
    QStringList labels;
    c.state.modalHooks.onShow<TBanenDlg>([&](TBanenDlg& d) {
        ++opened;
        QTimer::singleShot(0, &d, [&] {
            labels << d.findChild<QLabel*>("BaanLabel")->text();
            typeCode(d, "21");
            QTest::mouseClick(button(d, "BaanOkBtn"), Qt::LeftButton);
        });
    });
    TSchemaForm f(c.state);
    QVERIFY(f.prepare(engine::ScheduleMode::Names));
    QCOMPARE(opened, coding ? 1 : 0);
    QCOMPARE(c.codes()[1], coding ? 21 : 1);
    for (int court = 2; court <= 32; ++court)
        QCOMPARE(c.codes()[size_t(court)], court);
    if (coding) {
        QCOMPARE(labels, QStringList{"Baan: 1..4"});
        // The dialog is made once and used again at the next opening, which finds the 6 courts the
        // first opening took from the key data.
        TBanenDlg* first = f.courtCoding();
        QVERIFY(f.prepare(engine::ScheduleMode::Names));
        QCOMPARE(f.courtCoding(), first);
        QCOMPARE(opened, 2);
        QCOMPARE(labels, (QStringList{"Baan: 1..4", "Baan: 1..6"}));
    } else {
        QVERIFY(!f.courtCoding());
    }
}

void TestBanenDlg::opensCentredOverTheProgram()
{
    CodingClub c;
    c.state.club.config->keyData.options = uint16_t(17 | 4);
    QWidget program;
    program.setGeometry(260, 180, 480, 360);
    program.show();
    QVERIFY(QTest::qWaitForWindowExposed(&program));
    QRect placed;
    c.state.modalHooks.onShow<TBanenDlg>([&](TBanenDlg& d) {
        QTimer::singleShot(0, &d, [&] {
            placed = d.frameGeometry();
            QTest::mouseClick(button(d, "BaanOkBtn"), Qt::LeftButton);
        });
    });
    // The set-up window is still hidden while it prepares the opening: the dialog goes over the
    // program's window it belongs to.
    TSchemaForm f(c.state, &program);
    QVERIFY(f.prepare(engine::ScheduleMode::Names));
    QVERIFY(placed.isValid());
    const QPoint off = placed.center() - program.frameGeometry().center();
    QVERIFY2(off.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2 off the centre").arg(off.x()).arg(off.y())));
}

QTEST_MAIN(TestBanenDlg)
#include "tst_banendlg.moc"
