// The key-data dialog driven through its real widgets: typing, Enter, the games box, OK and cancel.
#include "forms/TConfigDial.h"
#include "forms/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tandemx;
using tandemx::test::TestState;

namespace {

const QString TooLarge30 = QStringLiteral("Aantal te groot 30 bestaat niet\n\r corrigeer (zonodig) invoer");
const QString Restart = QStringLiteral("Voor het activeren van Matches\rHet programma opnieuw starten");

// A club with a member list and default key data, saved beside a member file in a temporary folder.
struct TestClub {
    QTemporaryDir dir;
    TestState ts;
    AppState& state = ts.state;

    TestClub()
    {
        state.club.members.emplace();
        state.club.memberFileName = dir.filePath(QStringLiteral("club.tdm"));
        setDefaults(state);
    }
    QString configPath() const { return dir.filePath(QStringLiteral("club.cfg")); }
    QByteArray configFile() const
    {
        QFile f(configPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// The dialog shown without a modal loop, so the test types into it step by step.
struct OpenDialog {
    TConfigDial dialog;

    explicit OpenDialog(AppState& state) : dialog(state)
    {
        dialog.fillControls();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            QTest::qFail("key-data dialog not active", __FILE__, __LINE__);
    }
    QLineEdit* edit(int tag) { return dialog.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(tag)); }
    QCheckBox* box(const char* name) { return dialog.findChild<QCheckBox*>(QString::fromLatin1(name)); }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QString::fromLatin1(name)); }

    // Replaces the field's text by typing, then presses Enter in it.
    void enter(int tag, const QString& text)
    {
        QLineEdit* e = edit(tag);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(e, Qt::Key_Delete);
        else
            QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    // Clicks a check box on its indicator, where a user clicks.
    void click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
    QString focusName() const { return dialog.focusWidget() ? dialog.focusWidget()->objectName() : QString(); }
};

int16_t i16At(const QByteArray& b, int offset) { return int16_t(uint8_t(b[offset]) | (uint8_t(b[offset + 1]) << 8)); }
int32_t i32At(const QByteArray& b, int offset)
{
    return int32_t(uint32_t(uint8_t(b[offset])) | (uint32_t(uint8_t(b[offset + 1])) << 8)
                   | (uint32_t(uint8_t(b[offset + 2])) << 16) | (uint32_t(uint8_t(b[offset + 3])) << 24));
}

} // namespace

class TstConfigDial : public QObject {
    Q_OBJECT

private slots:
    void showsTheKeyData()
    {
        TestClub club;
        KeyData& kd = club.state.club.config->keyData;
        kd.clubName = "TC De Lob";
        kd.courts = 6;
        kd.options = 17 | 4;
        OpenDialog d(club.state);
        QCOMPARE(d.dialog.windowTitle(), QStringLiteral("Sleutel gegevens"));
        QCOMPARE(d.dialog.size(), QSize(530, 440));
        const QStringList texts{"TC De Lob", "24", "4", "2", "6", "h", "d", ""};
        const QStringList hints{"Naam van de vereniging", "Grootte van de club", "Totaal aantal tandem",
                                "Totaal aantal gemengde tandem", "Aantal beschikbare banen",
                                "Groepaanduiding (Heren)", "Groepaanduiding (Dames)", "Aantal matches voor tee"};
        for (int tag = 1; tag <= 8; ++tag) {
            QVERIFY(d.edit(tag));
            QCOMPARE(d.edit(tag)->text(), texts[tag - 1]);
            QCOMPARE(d.edit(tag)->toolTip(), hints[tag - 1]);
        }
        // Games are not kept: no matches field.
        QVERIFY(!d.box("GamesBox")->isChecked());
        QVERIFY(!d.edit(8)->isEnabled());
        QVERIFY(!d.dialog.findChild<QLabel*>(QStringLiteral("Label8"))->isEnabled());
        QCOMPARE(d.box("GamesBox")->text(), QStringLiteral("Aantal games of sets bijhouden"));
        QVERIFY(d.box("VeelWeinigBox")->isChecked());
        QVERIFY(!d.box("HelpmessBox")->isChecked());
        QVERIFY(d.box("BaancodeBox")->isChecked());
        QCOMPARE(d.button("OkBtn")->text(), QStringLiteral("O&k"));
        QCOMPARE(d.button("SchrapBtn")->text(), QStringLiteral("Schrap"));
        QCOMPARE(d.focusName(), QStringLiteral("Edit1"));
    }

    void enterMovesThroughTheFields_data()
    {
        QTest::addColumn<bool>("games");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("games kept") << true
                                    << QStringList{"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8", "GamesBox"};
        QTest::newRow("no games") << false
                                  << QStringList{"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "GamesBox"};
    }

    void enterMovesThroughTheFields()
    {
        QFETCH(bool, games);
        QFETCH(QStringList, order);
        TestClub club;
        club.state.club.config->keyData.keepGames = games ? 1 : 0;
        OpenDialog d(club.state);
        for (const QString& next : order) {
            QTest::keyClick(d.dialog.focusWidget(), Qt::Key_Return);
            QCOMPARE(d.focusName(), next);
        }
        // Enter on a check box leaves the dialog open.
        QTest::keyClick(d.dialog.focusWidget(), Qt::Key_Return);
        QVERIFY(d.dialog.isVisible());
    }

    void enterChecksTheField_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("lastErrorState");
        QTest::newRow("30 rounds") << 3 << "30" << TooLarge30 << 13;
        QTest::newRow("24 rounds") << 3 << "24" << "" << 0;
        QTest::newRow("3 members") << 2 << "3" << "Aantal Leden = 0 : 3" << 2;
        QTest::newRow("0 courts") << 5 << "0"
                                  << "Aantal banen  is geen geldig getal\n\r corrigeer (zonodig) invoer" << 5;
        QTest::newRow("digit first") << 6 << "1h"
                                     << "Aanduiding foutief 1h heeft verkeerd formaat\n\r corrigeer (zonodig) invoer" << 2;
        QTest::newRow("empty code") << 7 << ""
                                    << "Aanduiding foutief  heeft verkeerd formaat\n\r corrigeer (zonodig) invoer" << 2;
        QTest::newRow("heren") << 6 << "heren" << "" << 0;
    }

    void enterChecksTheField()
    {
        QFETCH(int, tag);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, lastErrorState);
        TestClub club;
        OpenDialog d(club.state);
        if (!message.isEmpty())
            club.ts.sink.expect(Result::Ok);
        d.enter(tag, text);
        QCOMPARE(club.ts.sink.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(club.state.messages.lastErrorState, lastErrorState);
        QCOMPARE(club.ts.sink.beeps, message.isEmpty() ? 0 : 1);
        // A refused field keeps the focus; an accepted one hands it on.
        QCOMPARE(d.focusName(), message.isEmpty() ? QStringLiteral("Edit%1").arg(tag + 1) : QStringLiteral("Edit%1").arg(tag));
    }

    // A refused count keeps "O&k" from closing and from writing the .cfg: the first failing field is
    // reported once more and gets the focus; a valid value then closes and saves.
    void okRefusesWhileACountFailsItsCheck_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("valid");
        QTest::newRow("30 rounds") << 3 << "30" << TooLarge30 << "20";
        QTest::newRow("99 courts") << 5 << "99" << "Aantal te groot 99 bestaat niet\n\r corrigeer (zonodig) invoer" << "12";
        QTest::newRow("0 courts") << 5 << "0" << "Aantal banen  is geen geldig getal\n\r corrigeer (zonodig) invoer" << "1";
    }
    void okRefusesWhileACountFailsItsCheck()
    {
        QFETCH(int, tag);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, valid);
        TestClub club;
        OpenDialog d(club.state);
        const KeyData before = club.state.club.config->keyData;
        club.ts.sink.expect(Result::Ok);
        d.enter(tag, typed);
        QCOMPARE(club.ts.sink.texts(), QStringList{message});
        // The refused text stays in its field; OK from another field reports it once more, writes nothing.
        d.edit(1)->setFocus();
        club.ts.sink.expect(Result::Ok);
        QTest::mouseClick(d.button("OkBtn"), Qt::LeftButton);
        QCOMPARE(club.ts.sink.texts(), (QStringList{message, message}));
        QVERIFY(d.dialog.isVisible());
        QCOMPARE(d.focusName(), QStringLiteral("Edit%1").arg(tag));
        QCOMPARE(club.state.club.config->keyData.doublesRounds, before.doublesRounds);
        QCOMPARE(club.state.club.config->keyData.courts, before.courts);
        QVERIFY(!QFile::exists(club.configPath()));

        d.edit(tag)->setText(valid);
        QTest::mouseClick(d.button("OkBtn"), Qt::LeftButton);
        QCOMPARE(d.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(club.ts.sink.shown.size(), size_t(2));
        const QByteArray file = club.configFile();
        QCOMPARE(tag == 3 ? i32At(file, 41) : int(i16At(file, 49)), valid.toInt());
    }

    void mixedRoundsAreBoundedByTheDoublesRounds()
    {
        TestClub club;
        OpenDialog d(club.state);
        d.enter(3, QStringLiteral("20"));
        QCOMPARE(d.focusName(), QStringLiteral("Edit4"));
        club.ts.sink.expect(Result::Ok);
        d.enter(4, QStringLiteral("5"));
        QCOMPARE(club.ts.sink.texts(),
                 QStringList{QStringLiteral("Aantal te groot 5 bestaat niet\n\r corrigeer (zonodig) invoer")});
        QCOMPARE(d.focusName(), QStringLiteral("Edit4"));
        d.enter(4, QStringLiteral("4"));
        QCOMPARE(club.ts.sink.shown.size(), size_t(1));
        QCOMPARE(d.focusName(), QStringLiteral("Edit5"));
        QCOMPARE(d.dialog.keyData().mixedRounds, 4);
    }

    void groupCodesAndClubNameAsTyped()
    {
        TestClub club;
        OpenDialog d(club.state);
        d.enter(6, QStringLiteral("heren"));
        d.enter(7, QStringLiteral("Dames"));
        // A refused code keeps the code taken before.
        club.ts.sink.expect(Result::Ok);
        d.enter(7, QStringLiteral("2d"));

        QLineEdit* name = d.edit(1);
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Caf"));
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("é"), Qt::NoModifier);
        // A character the key-data file cannot hold is not taken.
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QStringLiteral("Ω"), Qt::NoModifier);
        QCOMPARE(name->text(), QStringLiteral("Café"));
        QTest::keyClick(name, Qt::Key_Return);

        QCOMPARE(d.dialog.keyData().group1Code, QByteArray("her"));
        QCOMPARE(d.dialog.keyData().group2Code, QByteArray("Dam"));
        QCOMPARE(d.dialog.keyData().clubName, QByteArray("Caf\xE9"));
        QCOMPARE(club.ts.sink.shown.size(), size_t(1));
    }

    void gamesBoxSwitchesTheMatchesField()
    {
        TestClub club;
        club.state.club.config->keyData.maxMatches = 12;
        OpenDialog d(club.state);
        QCheckBox* games = d.box("GamesBox");
        auto* label = d.dialog.findChild<QLabel*>(QStringLiteral("Label8"));
        d.click(games);
        QVERIFY(games->isChecked());
        QVERIFY(d.edit(8)->isEnabled());
        QVERIFY(label->isEnabled());
        QCOMPARE(d.edit(8)->text(), QStringLiteral("12"));

        games->setFocus();
        QTest::keyClick(games, Qt::Key_Space);
        QVERIFY(!games->isChecked());
        QVERIFY(!d.edit(8)->isEnabled());
        QVERIFY(!label->isEnabled());
        QVERIFY(d.edit(8)->text().isEmpty());

        // Left unchecked, OK stores no matches and needs no restart.
        QTest::mouseClick(d.button("OkBtn"), Qt::LeftButton);
        const QByteArray file = club.configFile();
        QCOMPARE(i16At(file, 51), int16_t(0));
        QCOMPARE(i16At(file, 61), int16_t(0));
    }

    void switchingGamesOnAsksForARestart()
    {
        TestClub club;
        OpenDialog d(club.state);
        d.click(d.box("GamesBox"));
        d.enter(8, QStringLiteral("10"));
        QCOMPARE(d.focusName(), QStringLiteral("GamesBox"));
        club.ts.sink.expect(Result::Ok);
        QTest::mouseClick(d.button("OkBtn"), Qt::LeftButton);
        QCOMPARE(club.ts.sink.texts(), QStringList{Restart});
        QCOMPARE(club.ts.sink.shown[0].kind, int(Information));
        QCOMPARE(club.ts.sink.shown[0].buttons, Btn::OK);
        const QByteArray file = club.configFile();
        QCOMPARE(i16At(file, 51), int16_t(10));
        QCOMPARE(i16At(file, 61), int16_t(1));
    }

    void newConfigurationWrittenAtOnce()
    {
        TestClub club;
        club.state.club.config.reset();
        bool cancelled = false;
        club.state.modalHooks.onShow<TConfigDial>([](TConfigDial& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog] {
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OkBtn")), Qt::LeftButton);
            });
        });
        QVERIFY(ShowConfig(club.state, true, nullptr, [&] { cancelled = true; }));
        QVERIFY(club.state.club.configAccepted);
        QVERIFY(!cancelled);

        const QByteArray file = club.configFile();
        QCOMPARE(file.size(), 268);
        QCOMPARE(file.left(5), QByteArray(5, '\0')); // reserved, empty club name
        QCOMPARE(i32At(file, 37), 24);
        QCOMPARE(i32At(file, 41), 4);
        QCOMPARE(i32At(file, 45), 2);
        QCOMPARE(i16At(file, 49), int16_t(9));
        // MaxMatches: 1 in the defaults, but OK takes the empty matches field of a club without games as 0.
        QCOMPARE(i16At(file, 51), int16_t(0));
        QCOMPARE(file.mid(53, 2), QByteArray("\x01" "h"));
        QCOMPARE(file.mid(57, 2), QByteArray("\x01" "d"));
        QCOMPARE(i16At(file, 61), int16_t(0));
        QCOMPARE(i16At(file, 63), int16_t(17));
        QByteArray printDefaults(PrintSettings::Size, '\0');
        PrintSettings::defaults(club.state.club.windowFontName, int16_t(club.state.club.windowFontSize))
            .toBytes(reinterpret_cast<uint8_t*>(printDefaults.data()));
        QCOMPARE(file.mid(65), printDefaults);
    }

    void leavingWithoutOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("Schrap") << "schrap";
        QTest::newRow("close box") << "close";
    }

    void leavingWithoutOk()
    {
        QFETCH(QString, how);
        TestClub club;
        club.state.club.configAccepted = true;
        int cancelled = 0;
        club.state.modalHooks.onShow<TConfigDial>([how](TConfigDial& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, how] {
                // A value taken with Enter is not kept when the dialog is left without OK.
                auto* rounds = dialog.findChild<QLineEdit*>(QStringLiteral("Edit3"));
                rounds->setText(QStringLiteral("7"));
                QTest::keyClick(rounds, Qt::Key_Return);
                if (how == QLatin1String("escape"))
                    QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
                else if (how == QLatin1String("schrap"))
                    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SchrapBtn")), Qt::LeftButton);
                else
                    dialog.close();
            });
        });
        QVERIFY(!ShowConfig(club.state, false, nullptr, [&] { ++cancelled; }));
        QCOMPARE(cancelled, 1);
        QVERIFY(!club.state.club.configAccepted);
        QCOMPARE(club.state.club.config->keyData.doublesRounds, 4);
        QVERIFY(!QFile::exists(club.configPath()));
    }

    void noMemberListNoDialog()
    {
        TestClub club;
        club.state.club.members.reset();
        bool shown = false;
        club.state.modalHooks.onShow<TConfigDial>([&](TConfigDial&) { shown = true; });
        club.ts.sink.expect(Result::Ok);
        QVERIFY(!ShowConfig(club.state, false, nullptr));
        QVERIFY(!shown);
        QCOMPARE(club.ts.sink.texts(), QStringList{QStringLiteral("Geen Ledenbestand geladen")});
        QCOMPARE(club.ts.sink.shown[0].kind, int(Warning));
        QCOMPARE(club.ts.sink.shown[0].buttons, Btn::OK);
    }
};

QTEST_MAIN(TstConfigDial)
#include "tst_configdial.moc"
