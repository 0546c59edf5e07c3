// The member dialog driven with keys and clicks: the new and edit flows, field checks, "&Herstel" and
// the duplicate check.
#include "forms/MemberView.h"
#include "forms/TNewLidDlg.h"
#include "forms/TestSupport.h"
#include "records/MemberOps.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tandemx;

namespace {

const char* const Names[][2] = {{"Jan", "Jansen"}, {"Piet", "Puk"}, {"Anna", "Aap"}, {"Bea", "Beuk"}, {"Marjan", "Mol"}};

MemberList club(int count)
{
    MemberList list;
    for (int i = 1; i <= count; ++i) {
        TLedenObj r = makeMemberRecord(i, i, i % 2 ? "h" : "d", "X");
        r.setRaw(MemberField::Voornaam, QByteArray(Names[(i - 1) % 5][0]) + QByteArray::number(i));
        r.setRaw(MemberField::Achternaam, Names[(i - 1) % 5][1]);
        r.setRaw(MemberField::Straat, "Straat " + QByteArray::number(i));
        list.append(r);
    }
    return list;
}

const QString Hint = QStringLiteral("\n\r corrigeer (zonodig) invoer");
constexpr int ClubNo = 1, Voornaam = 2, Achternaam = 3, Groep = 4, Status = 5, Opmerking = 6, Adres = 7,
              Postcode = 8, EMail = 11;

} // namespace

class TestMemberDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestState> ts;
    std::unique_ptr<MemberView> view;

    MemberList& list() { return *ts->state.club.members; }
    QStringList shown() { return ts->sink.texts(); }

    void open(int count, int row)
    {
        ts = std::make_unique<test::TestState>();
        ts->state.club.members = club(count);
        view = std::make_unique<MemberView>(ts->state);
        view->resize(750, 430);
        view->layOut(750);
        view->fill(row);
        view->renumber();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    // Runs `steps` on the dialog once it is shown modally; a dialog the steps leave open is closed so a
    // failing test cannot hang.
    void whenShown(std::function<void(TNewLidDlg*)> steps)
    {
        QTimer::singleShot(0, this, [steps] {
            auto* dlg = qobject_cast<TNewLidDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            steps(dlg);
            if (dlg->isVisible()) {
                dlg->reject();
                QFAIL("the dialog was left open");
            }
        });
    }

    static void enter(TNewLidDlg* dlg) { QTest::keyClick(dlg->focusWidget(), Qt::Key_Return); }
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
    static void click(TNewLidDlg* dlg, const char* button)
    {
        QTest::mouseClick(dlg->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

private slots:
    void cleanup()
    {
        if (ts)
            QVERIFY2(ts->sink.allAnswersUsed(), "a queued answer was not asked for");
        view.reset();
        ts.reset();
    }

    void newMemberOnRow5_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        const QString bad = "ActieStatus  is geen geldig karakter" + Hint;
        // "&Voeg in" takes every field over again, so a refused status is reported twice.
        QTest::newRow("k is refused") << "k" << "-" << QStringList{bad, bad};
        QTest::newRow("x is stored as X") << "x" << "X" << QStringList{};
        QTest::newRow("C2") << "C2" << "C2" << QStringList{};
    }
    void newMemberOnRow5()
    {
        QFETCH(QString, status);
        QFETCH(QStringList, messages);
        open(20, 5);
        for (int i = 0; i < messages.size(); ++i)
            ts->sink.expect(Result::Ok);
        whenShown([&](TNewLidDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Nieuw Lid toevoegen"));
            QCOMPARE(dlg->findChild<QLabel*>("Koplabel")->text(), QStringLiteral(" Invoeren van de velden van een Clublid"));
            QCOMPARE(dlg->size(), QSize(630, 372));
            QCOMPARE(dlg->findChild<QLabel*>("ClubIndex")->text(), QStringLiteral("6"));
            QCOMPARE(dlg->edit(ClubNo)->text(), QStringLiteral("21"));
            QCOMPARE(dlg->edit(Groep)->text(), QStringLiteral("h"));
            QCOMPARE(dlg->edit(Status)->text(), QStringLiteral("-"));
            QCOMPARE(dlg->focusWidget(), dlg->edit(ClubNo));

            enter(dlg);
            QCOMPARE(dlg->focusWidget(), dlg->edit(Voornaam));
            QTest::keyClicks(dlg->edit(Voornaam), "Nina");
            enter(dlg);
            QTest::keyClicks(dlg->edit(Achternaam), "Nieuw");
            enter(dlg);
            QCOMPARE(dlg->focusWidget(), dlg->edit(Groep));
            retype(dlg->edit(Groep), "d");
            enter(dlg);
            retype(dlg->edit(Status), status);
            enter(dlg);
            QTEST(dlg->record().actie(), "stored");
            QCOMPARE(dlg->focusWidget(), dlg->edit(Opmerking)); // a refused status still moves on
            for (int tag = Opmerking; tag <= EMail; ++tag)
                enter(dlg);
            auto* voegIn = dlg->findChild<QPushButton*>("InvoegKnop");
            QCOMPARE(dlg->focusWidget(), voegIn);
            QTest::keyClick(voegIn, Qt::Key_Return);
        });
        QVERIFY(view->openNewMember());
        QCOMPARE(shown(), messages);
        QCOMPARE(list().count(), 21);
        const TLedenObj& added = list().at(5);
        QCOMPARE(added.voornaam(), QStringLiteral("Nina"));
        QCOMPARE(added.achternaam(), QStringLiteral("Nieuw"));
        QCOMPARE(added.clubNr(), 21);
        QCOMPARE(added.grp(), QStringLiteral("d"));
        QTEST(added.actie(), "stored");
        QCOMPARE(list().at(6).voornaam(), QStringLiteral("Marjan5"));
        QCOMPARE(view->cellText(5, GridCol::Voornaam), QStringLiteral("Nina"));
        QCOMPARE(view->cellText(6, GridCol::Voornaam), QStringLiteral("Marjan5"));
        QCOMPARE(view->currentRow(), 6);
        for (int i = 1; i <= 21; ++i)
            QCOMPARE(view->cellText(i, 0), QString::number(i));
    }

    void clubNumberField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("beeps");
        QTest::newRow("empty") << "" << 21 << QStringList{"ClubNummer is geen geldig getal" + Hint} << 0;
        QTest::newRow("no number") << "1a" << 21 << QStringList{} << 1;
        QTest::newRow("number") << " 33 " << 33 << QStringList{} << 0;
    }
    void clubNumberField()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        open(20, 5);
        for (int i = 0; i < messages.size(); ++i)
            ts->sink.expect(Result::Ok);
        whenShown([&](TNewLidDlg* dlg) {
            retype(dlg->edit(ClubNo), typed);
            enter(dlg);
            QTEST(int(dlg->record().clubNr()), "stored");
            QCOMPARE(dlg->focusWidget(), dlg->edit(Voornaam)); // the focus moves on in every case
            QCOMPARE(ts->messages.lastErrorState, 0);
            click(dlg, "StopKnop");
        });
        QVERIFY(!view->openNewMember());
        QCOMPARE(shown(), messages);
        QTEST(ts->sink.beeps, "beeps");
        QCOMPARE(list().count(), 20);
        QCOMPARE(view->currentRow(), 6); // "S&chrap" refills on the row after
    }

    void groupField_data()
    {
        QTest::addColumn<QByteArray>("group1Code");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty is accepted") << QByteArray("h") << "" << "" << false;
        QTest::newRow("unknown code") << QByteArray("h") << "q" << "h" << true;
        QTest::newRow("untouched h with code m") << QByteArray("m") << "h" << "h" << true;
        QTest::newRow("code m in capitals") << QByteArray("m") << "M" << "M" << false;
        QTest::newRow("ladies") << QByteArray("m") << " d " << "d" << false;
    }
    void groupField()
    {
        QFETCH(QByteArray, group1Code);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        open(20, 5);
        ts->state.club.config = TConfigObj::withDefaults();
        ts->state.club.config->keyData.group1Code = group1Code;
        if (refused)
            ts->sink.expect(Result::Ok);
        whenShown([&](TNewLidDlg* dlg) {
            if (typed != dlg->edit(Groep)->text())
                retype(dlg->edit(Groep), typed);
            dlg->edit(Groep)->setFocus();
            enter(dlg);
            QTEST(dlg->record().grp(), "stored");
            QCOMPARE(dlg->focusWidget(), refused ? dlg->edit(Groep) : dlg->edit(Status));
            QCOMPARE(ts->messages.lastErrorState, refused ? 2 : 0);
            QTest::keyClick(dlg->focusWidget(), Qt::Key_Escape); // Escape is "S&chrap"
        });
        QVERIFY(!view->openNewMember());
        QCOMPARE(shown(), refused ? QStringList{"Groep  heeft verkeerd formaat" + Hint} : QStringList{});
        QCOMPARE(list().count(), 20);
        QCOMPARE(view->currentRow(), 6);
    }

    void duplicates_data()
    {
        QTest::addColumn<QString>("clubNr");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("warning");
        QTest::newRow("club number of the current member") << "5" << "Nina" << "Nieuw" << "ClubNummer: 5 bestaat al!";
        QTest::newRow("same names") << "30" << "Anna3" << "Aap" << "Voor-AchterNaam :Anna3 Aap is al gebruikt";
        QTest::newRow("no names, used number") << "5" << "" << "" << "";
    }
    void duplicates()
    {
        QFETCH(QString, clubNr);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, warning);
        open(20, 5);
        if (!warning.isEmpty())
            ts->sink.expect(Result::Ok);
        whenShown([&](TNewLidDlg* dlg) {
            retype(dlg->edit(ClubNo), clubNr);
            QTest::keyClicks(dlg->edit(Voornaam), first);
            QTest::keyClicks(dlg->edit(Achternaam), last);
            click(dlg, "InvoegKnop");
        });
        QCOMPARE(view->openNewMember(), warning.isEmpty());
        if (warning.isEmpty()) {
            QVERIFY(shown().isEmpty());
            QCOMPARE(list().count(), 21);
            QCOMPARE(list().at(5).clubNr(), clubNr.toInt());
            QCOMPARE(view->currentRow(), 6);
        } else {
            QCOMPARE(shown(), QStringList{warning});
            QCOMPARE(ts->sink.shown[0].kind, int(Warning));
            QCOMPARE(list().count(), 20);
            QCOMPARE(ts->messages.lastErrorState, 1);
            QCOMPARE(view->currentRow(), 5); // not refilled
        }
    }

    void emailThenClickVoegIn()
    {
        open(20, 20);
        whenShown([&](TNewLidDlg* dlg) {
            QTest::mouseClick(dlg->edit(EMail), Qt::LeftButton);
            QTest::keyClicks(dlg->edit(EMail), "nina@club.nl");
            click(dlg, "InvoegKnop");
        });
        QVERIFY(view->openNewMember());
        QCOMPARE(list().count(), 21);
        QCOMPARE(list().at(21).text(MemberField::EMail), QStringLiteral("nina@club.nl"));
        QCOMPARE(int(list().at(21).ix()), 21);
        QCOMPARE(view->currentRow(), 21);
    }

    void closedAnotherWay()
    {
        open(20, 5);
        whenShown([](TNewLidDlg* dlg) {
            QTest::keyClicks(dlg->edit(Voornaam), "Nina");
            enter(dlg);
            dlg->close();
        });
        QVERIFY(!view->openNewMember());
        QCOMPARE(list().count(), 20);
        QCOMPARE(ts->messages.lastErrorState, 1);
        QCOMPARE(view->currentRow(), 5);
    }

    void editThenSchrap_data()
    {
        QTest::addColumn<bool>("herstel");
        QTest::addColumn<QString>("kept");
        QTest::newRow("the change stays") << false << "Ans";
        QTest::newRow("Herstel brings the old name back") << true << "Anna3";
    }
    void editThenSchrap()
    {
        QFETCH(bool, herstel);
        open(20, 3);
        whenShown([&](TNewLidDlg* dlg) {
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Gegevens bewerken"));
            QCOMPARE(dlg->findChild<QLabel*>("Koplabel")->text(), QStringLiteral(" Wijzigen van de velden van een Clublid : "));
            QCOMPARE(dlg->edit(Voornaam)->text(), QStringLiteral("Anna3"));
            QCOMPARE(dlg->edit(Adres)->text(), QStringLiteral("Straat 3"));
            retype(dlg->edit(Voornaam), "Ans");
            enter(dlg);
            QCOMPARE(list().at(3).voornaam(), QStringLiteral("Ans")); // changed in place
            if (herstel) {
                click(dlg, "Herstelknop");
                QCOMPARE(dlg->edit(Voornaam)->text(), QStringLiteral("Anna3"));
                QCOMPARE(dlg->focusWidget(), dlg->edit(ClubNo));
            }
            click(dlg, "StopKnop");
        });
        view->openEditMember();
        QTEST(list().at(3).voornaam(), "kept");
        QTEST(view->cellText(3, GridCol::Voornaam), "kept");
        QCOMPARE(list().count(), 20);
        QCOMPARE(view->currentRow(), 3);
    }

    void tabTakesOverMostFields()
    {
        open(20, 1);
        whenShown([](TNewLidDlg* dlg) {
            struct Step { int tag; const char* text; } steps[] = {
                {Voornaam, "Joop"}, {Status, "1"}, {Opmerking, "opm"}, {Adres, "Dorp 1"}, {Postcode, "1234 AB"},
            };
            for (const Step& s : steps) {
                retype(dlg->edit(s.tag), QString::fromLatin1(s.text));
                QTest::keyClick(dlg->edit(s.tag), Qt::Key_Tab);
                QCOMPARE(dlg->focusWidget(), dlg->edit(s.tag + 1));
            }
            click(dlg, "StopKnop");
        });
        view->openEditMember();
        const TLedenObj& m = list().at(1);
        QCOMPARE(m.voornaam(), QStringLiteral("Joop"));
        QCOMPARE(m.actie(), QStringLiteral("X"));
        QCOMPARE(m.text(MemberField::Opmerking), QString());
        QCOMPARE(m.text(MemberField::Straat), QStringLiteral("Straat 1"));
        QCOMPARE(m.text(MemberField::Postcode), QStringLiteral("1234 AB"));
    }

    void editDuplicateIsReportedButKept()
    {
        open(20, 4);
        ts->sink.expect(Result::Ok);
        whenShown([](TNewLidDlg* dlg) {
            retype(dlg->edit(ClubNo), "2");
            click(dlg, "InvoegKnop");
        });
        view->openEditMember();
        QCOMPARE(shown(), QStringList{"ClubNummer: 2 bestaat al!"});
        QCOMPARE(list().at(4).clubNr(), 2);
        QCOMPARE(view->cellText(4, GridCol::ClubNr), QStringLiteral("2"));
        QCOMPARE(view->currentRow(), 4);
    }

    // A click that arrives while the dialog runs (a mnemonic key clicks its button a moment later) does
    // not reorder or resize the list under the member being edited: the edit lands on that member.
    void lateListCommandsWaitForTheDialog()
    {
        open(20, 3);
        whenShown([this](TNewLidDlg* dlg) {
            retype(dlg->edit(Voornaam), "Ans");
            enter(dlg);
            view->shuffle();
            view->sortMembers(SortKind::Achternaam);
            view->deleteRecord();
            view->insertEmptyRecord();
            view->openNewMember();
            retype(dlg->edit(Achternaam), "Aalders");
            click(dlg, "InvoegKnop");
        });
        view->openEditMember();
        QCOMPARE(shown(), QStringList{});
        QCOMPARE(list().count(), 20);
        QCOMPARE(list().at(1).voornaam(), QStringLiteral("Jan1"));
        QCOMPARE(list().at(3).voornaam(), QStringLiteral("Ans"));
        QCOMPARE(list().at(3).achternaam(), QStringLiteral("Aalders"));
        QCOMPARE(view->cellText(3, GridCol::Achternaam), QStringLiteral("Aalders"));
        // Once the dialog is closed the commands work again.
        view->shuffle();
        QVERIFY(list().at(1).voornaam() != QStringLiteral("Jan1") || list().at(2).voornaam() != QStringLiteral("Piet2"));
    }

    // A click on the closed dialog's buttons that arrives late (after "&Voeg in" by its mnemonic, the
    // list was sorted) changes nothing: the member it edited has moved.
    void lateClickOnTheClosedDialogChangesNothing()
    {
        open(20, 3);
        TNewLidDlg* shown = nullptr;
        whenShown([&shown](TNewLidDlg* dlg) {
            shown = dlg;
            retype(dlg->edit(Voornaam), "Ans");
            click(dlg, "InvoegKnop");
        });
        view->openEditMember();
        QVERIFY(shown);
        view->sortMembers(SortKind::Achternaam);
        std::vector<TLedenObj> before;
        for (int i = 1; i <= list().count(); ++i)
            before.push_back(list().at(i));
        for (const char* button : {"InvoegKnop", "Herstelknop", "StopKnop"})
            shown->findChild<QPushButton*>(button)->click();
        QCOMPARE(list().count(), int(before.size()));
        for (int i = 1; i <= list().count(); ++i)
            QVERIFY2(list().at(i).data == before[size_t(i - 1)].data, qPrintable(QString::number(i)));
    }
};

QTEST_MAIN(TestMemberDialog)
#include "tst_memberdialog.moc"
