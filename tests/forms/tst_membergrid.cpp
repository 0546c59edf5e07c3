// The member grid driven with keys and the mouse: copy-back checks, counters, insert, delete, sorts,
// tally mode, search, row moving and the hints.
#include "forms/MemberView.h"
#include "forms/TestSupport.h"
#include "records/MemberOps.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include <memory>

using namespace tandemx;

namespace {

struct M {
    const char* first;
    const char* last;
    const char* grp;
    const char* actie;
};

// Three active men (1, 7, 9) and three active ladies (3, 5, 10).
const M Club10[] = {
    {"Jan", "Jansen", "h", "X"},  {"Piet", "Puk", "h", "-"},    {"Anna", "Aap", "d", "X"},
    {"Bea", "Beuk", "d", "-"},    {"Marjan", "Mol", "d", "X"},  {"JANNEKE", "Smit", "d", "-"},
    {"Kees", "Kok", "h", "X"},    {"Jan", "Zwart", "h", "-"},   {"Dirk", "Dop", "h", "X"},
    {"Els", "Ek", "d", "X"},
};

MemberList club(int count)
{
    MemberList list;
    for (int i = 1; i <= count; ++i) {
        const M& m = Club10[(i - 1) % 10];
        TLedenObj r = makeMemberRecord(i, i, m.grp, m.actie);
        r.setRaw(MemberField::Voornaam, m.first);
        r.setRaw(MemberField::Achternaam, m.last);
        r.setText(MemberField::Straat, QStringLiteral("Straat %1").arg(i));
        list.append(r);
    }
    return list;
}

const QString Hint = QStringLiteral("\n\r corrigeer (zonodig) invoer");

} // namespace

class TestMemberGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TestState> ts;
    std::unique_ptr<MemberView> view;
    QTableWidget* grid = nullptr;

    MemberList& list() { return *ts->state.club.members; }
    Messages& messages() { return ts->messages; }
    QStringList shown() { return ts->sink.texts(); }
    QString label(const char* name) { return view->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    void open(int count)
    {
        ts = std::make_unique<test::TestState>();
        ts->state.club.members = club(count);
        view = std::make_unique<MemberView>(ts->state);
        view->resize(750, 430);
        view->layOut(750);
        view->fill(1);
        view->renumber();
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        grid = view->grid();
        view->focusGrid();
    }

    QWidget* focus() { return view->window()->focusWidget(); }
    void type(const QString& text)
    {
        for (QChar c : text)
            QTest::keyClick(focus(), c.toLatin1());
    }
    void press(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(focus(), key, mods); }
    void goTo(int row, int column)
    {
        grid->setCurrentCell(row - 1, column);
        grid->setFocus();
    }
    void clearCell(int row, int column)
    {
        goTo(row, column);
        press(Qt::Key_F2);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Backspace);
    }
    QStringList firstNames()
    {
        QStringList names;
        for (int i = 1; i <= list().count(); ++i)
            names << list().at(i).voornaam();
        return names;
    }
    QStringList ixColumn()
    {
        QStringList ix;
        for (int r = 1; r <= grid->rowCount(); ++r)
            ix << view->cellText(r, 0);
        return ix;
    }

private slots:
    void cleanup()
    {
        if (ts)
            QVERIFY2(ts->sink.allAnswersUsed(), "a queued answer was not asked for");
        view.reset();
        ts.reset();
    }

    void layoutAndColumns()
    {
        open(10);
        QCOMPARE(grid->objectName(), QStringLiteral("LedenGrid"));
        QCOMPARE(grid->geometry(), QRect(85, 4, 580, 354)); // the height of a 430-pixel view above the counters
        QCOMPARE(grid->columnCount(), 7);
        QStringList titles;
        QList<int> widths;
        for (int c = 0; c < grid->columnCount(); ++c) {
            titles << view->cellText(0, c);
            widths << grid->columnWidth(c);
        }
        QCOMPARE(titles.join(u','), QStringLiteral("Ix,ClubNr,Voornaam,Achternaam,Grp,Actie,Opmerking"));
        QCOMPARE(widths, (QList<int>{30, 55, 115, 150, 40, 40, 115}));
        QCOMPARE(grid->rowCount(), 10);
        QCOMPARE(view->currentRow(), 1);
        QCOMPARE(view->currentColumn(), 2);
        QCOMPARE(label("AantalHrntxt"), QStringLiteral("Heren"));
        QCOMPARE(label("AantalDmstxt"), QStringLiteral("Dames"));
        QCOMPARE(label("AantalHrnLab"), QStringLiteral("3"));
        QCOMPARE(label("AantalDmsLab"), QStringLiteral("3"));
        QCOMPARE(view->findChild<QWidget*>("GridPanel")->geometry(), QRect(85, 4 + 354 + 12, 576, 60));
        QVERIFY(!view->findChild<QWidget*>("Zoekpanel")->isVisible());
        QVERIFY(!view->findChild<QWidget*>("Movelabel")->isVisible());
    }

    // The grid takes the room of its window: as wide as its columns (the window's width at most), as
    // high as the window leaves above the counters, which stay in view below it. Its starting size is
    // the smallest: the view never gets smaller than grid and counters.
    void gridTakesTheRoomOfItsWindow_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("addresses");
        QTest::addColumn<int>("widenColumn"); // pixels added to "Opmerking" or "Telefoon" by the user
        QTest::addColumn<QRect>("expected");
        QTest::newRow("starting size") << QSize(750, 430) << false << 0 << QRect(85, 4, 580, 354);
        QTest::newRow("maximised") << QSize(1280, 900) << false << 0 << QRect(350, 4, 580, 824);
        QTest::newRow("maximised, addresses") << QSize(1280, 900) << true << 0 << QRect(250, 4, 780, 824);
        QTest::newRow("a column dragged wider") << QSize(1280, 900) << false << 100 << QRect(); // see below
        QTest::newRow("wider than the window") << QSize(750, 430) << false << 400 << QRect(4, 4, 742, 354);
        QTest::newRow("smaller than the start") << QSize(300, 200) << false << 0 << QRect(4, 4, 580, 340);
    }
    void gridTakesTheRoomOfItsWindow()
    {
        QFETCH(QSize, window);
        QFETCH(bool, addresses);
        QFETCH(int, widenColumn);
        QFETCH(QRect, expected);
        open(30);
        if (addresses)
            view->toggleAddressView();
        view->resize(window);
        view->layOut(view->width());
        if (widenColumn)
            grid->setColumnWidth(grid->columnCount() - 1, grid->columnWidth(grid->columnCount() - 1) + widenColumn);
        if (expected.isNull()) {
            // Wider by the column's extra width, still centred, every column in view without scrolling.
            const QRect g = grid->geometry();
            QVERIFY2(g.width() > 580 + widenColumn - 10 && g.width() <= 580 + widenColumn, qPrintable(QString::number(g.width())));
            QCOMPARE(g.left(), (window.width() - g.width()) / 2);
            QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
            expected = g;
        }
        QCOMPARE(grid->geometry(), expected);
        QVERIFY(view->size().width() >= 588 && view->size().height() >= 4 + 340 + 12 + 60);
        const QRect panel = view->findChild<QWidget*>("GridPanel")->geometry();
        QCOMPARE(panel.top(), expected.bottom() + 1 + 12);
        QVERIFY(view->rect().contains(panel));
        QVERIFY(view->findChild<QLabel*>("AantalHrntxt")->isVisible());
        QVERIFY(view->findChild<QLabel*>("AantalDmsLab")->isVisible());
    }

    void actieTypedAndEntered_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("heren");
        QTest::addColumn<QString>("dames");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("x marks a man present") << 2 << "x" << "X" << "4" << "3" << QStringList{};
        QTest::newRow("- takes a lady off") << 3 << "-" << "-" << "3" << "2" << QStringList{};
        QTest::newRow("K becomes X") << 4 << "K" << "X" << "3" << "4"
                                     << QStringList{"ActieStatus  is geen geldig karakter" + Hint};
        QTest::newRow("C2 is taken as typed") << 8 << "c2" << "C2" << "4" << "3" << QStringList{};
        QTest::newRow("0 is no valid code") << 1 << "0" << "X" << "3" << "3"
                                            << QStringList{"ActieStatus  is geen geldig karakter" + Hint};
    }
    void actieTypedAndEntered()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        open(10);
        goTo(row, GridCol::Actie);
        type(typed);
        QCOMPARE(label("AantalHrnLab"), QStringLiteral("3")); // nothing taken over while typing
        QFETCH(QStringList, messages);
        for (int i = 0; i < messages.size(); ++i)
            ts->sink.expect(Result::Ok);
        press(Qt::Key_Return);
        QTEST(list().at(row).actie(), "stored");
        QTEST(view->cellText(row, GridCol::Actie), "stored");
        QTEST(label("AantalHrnLab"), "heren");
        QTEST(label("AantalDmsLab"), "dames");
        QCOMPARE(shown(), messages);
        QVERIFY(!view->cellEditorOpen()); // Enter closed the editor
    }

    void emptyGroup_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("member not playing") << 2 << "" << QStringList{};
        QTest::newRow("member playing") << 1 << " " << QStringList{"Groep  heeft verkeerd formaat" + Hint};
    }
    void emptyGroup()
    {
        QFETCH(int, row);
        QFETCH(QStringList, messages);
        open(10);
        clearCell(row, GridCol::Grp);
        if (!messages.isEmpty())
            ts->sink.expect(Result::Ok);
        press(Qt::Key_Down); // leaving the row takes it over
        QTEST(list().at(row).grp(), "stored");
        QTEST(view->cellText(row, GridCol::Grp), "stored");
        QCOMPARE(shown(), messages);
        QCOMPARE(view->currentRow(), row + 1);
        QCOMPARE(view->currentColumn(), int(GridCol::Grp));
    }

    void clubNumberNoNumber()
    {
        open(10);
        goTo(4, GridCol::ClubNr);
        type("4x");
        ts->sink.expect(Result::Ok);
        press(Qt::Key_Up);
        QCOMPARE(shown(), QStringList{"'4x' is geen geldig getal"});
        QCOMPARE(list().at(4).clubNr(), 4);
        QCOMPARE(view->currentRow(), 3);
    }

    void enterWalksTheColumns()
    {
        open(10);
        goTo(2, GridCol::Opmerking);
        type("nieuw");
        press(Qt::Key_Return); // closes the editor; not on Actie: nothing taken over yet
        QCOMPARE(list().at(2).text(MemberField::Opmerking), QString());
        press(Qt::Key_Return); // closed editor on Opmerking: take over, back to the club number
        QCOMPARE(list().at(2).text(MemberField::Opmerking), QStringLiteral("nieuw"));
        QCOMPARE(view->currentColumn(), int(GridCol::ClubNr));
        QVERIFY(view->cellEditorOpen()); // and the grid opened its editor
        press(Qt::Key_Escape);
        press(Qt::Key_Return);
        QCOMPARE(view->currentColumn(), int(GridCol::Voornaam));
    }

    void insertEmptyRecord_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("newAt");
        QTest::newRow("row 3 of 10") << 3 << 3;
        QTest::newRow("last row") << 10 << 11;
    }
    void insertEmptyRecord()
    {
        QFETCH(int, row);
        QFETCH(int, newAt);
        open(10);
        const QStringList before = firstNames();
        goTo(row, GridCol::Voornaam);
        view->insertEmptyRecord();
        QCOMPARE(list().count(), 11);
        QCOMPARE(grid->rowCount(), 11);
        const TLedenObj& added = list().at(newAt);
        QCOMPARE(added.clubNr(), 11);
        QCOMPARE(added.grp(), QStringLiteral("h"));
        QCOMPARE(added.actie(), QStringLiteral("X"));
        QCOMPARE(added.voornaam(), QString());
        QStringList expected = before;
        expected.insert(newAt - 1, QString());
        QCOMPARE(firstNames(), expected);
        QCOMPARE(view->currentRow(), std::min(row + 1, 11));
        QStringList numbers;
        for (int i = 1; i <= 11; ++i) {
            numbers << QString::number(i);
            QCOMPARE(int(list().at(i).ix()), i);
        }
        QCOMPARE(ixColumn(), numbers);
        QCOMPARE(label("AantalHrnLab"), QStringLiteral("4"));
    }

    void fourHundredMembersRefused()
    {
        open(400);
        goTo(7, GridCol::Voornaam);
        const QString text = "Aantal leden groter dan 400 niet toegestaan" + Hint;
        ts->sink.expect(Result::Ok);
        view->insertEmptyRecord();
        ts->sink.expect(Result::Ok);
        QVERIFY(!view->openNewMember()); // no dialog: the test would hang on one
        QCOMPARE(shown(), (QStringList{text, text}));
        QCOMPARE(ts->sink.beeps, 2);
        QCOMPARE(messages().lastErrorState, 0);
        QCOMPARE(list().count(), 400);
        QCOMPARE(grid->rowCount(), 400);
    }

    void deleteAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("Ja") << Result::Yes
                            << QStringList{"Jan", "Anna", "Bea", "Marjan", "JANNEKE", "Kees", "Jan", "Dirk", "Els"};
        QTest::newRow("Nee") << Result::No
                             << QStringList{"Jan", "Piet", "Anna", "Bea", "Marjan", "JANNEKE", "Kees", "Jan", "Dirk", "Els"};
    }
    void deleteAsks()
    {
        QFETCH(int, answer);
        open(10);
        goTo(6, GridCol::Opmerking);
        type("getypt"); // not taken over yet: the delete takes every row over first
        goTo(2, GridCol::Achternaam);
        ts->sink.expect(answer);
        press(Qt::Key_F8);
        QCOMPARE(shown(), QStringList{"Weet u zeker dat u dit Record wilt verwijderen"});
        QCOMPARE(ts->sink.shown[0].kind, int(Question));
        QCOMPARE(ts->sink.shown[0].buttons, Btn::JaNee);
        QTEST(firstNames(), "names");
        QCOMPARE(grid->rowCount(), list().count());
        const int remarkRow = answer == Result::Yes ? 5 : 6;
        QCOMPARE(list().at(remarkRow).text(MemberField::Opmerking), QStringLiteral("getypt"));
        QCOMPARE(view->currentRow(), 2);
        QCOMPARE(view->cellText(2, GridCol::Voornaam), firstNames().at(1));
        QCOMPARE(list().at(2).text(MemberField::Straat), QStringLiteral("Straat %1").arg(answer == Result::Yes ? 3 : 2));
        QCOMPARE(ixColumn().last(), QString::number(list().count()));
    }

    void f4SortsByLastName()
    {
        open(10);
        goTo(5, GridCol::Grp);
        press(Qt::Key_F4);
        QStringList last;
        for (int r = 1; r <= 10; ++r)
            last << view->cellText(r, GridCol::Achternaam);
        QCOMPARE(last, (QStringList{"Aap", "Beuk", "Ek", "Mol", "Smit", "Dop", "Jansen", "Kok", "Puk", "Zwart"}));
        QCOMPARE(ixColumn(), (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        QCOMPARE(list().at(6).text(MemberField::Straat), QStringLiteral("Straat 9"));
        QCOMPARE(view->currentRow(), 1);

        goTo(3, GridCol::ClubNr);
        view->sortByCurrentColumn();
        QCOMPARE(view->cellText(3, GridCol::Voornaam), QStringLiteral("Anna"));
        goTo(3, GridCol::Actie);
        ts->sink.expect(Result::Ok);
        view->sortByCurrentColumn();
        QCOMPARE(shown(), QStringList{"Kies kolom: ClubNr,Voornaam of Achternaam"});
        QCOMPARE(ts->sink.shown[0].kind, int(Information));
    }

    void shuffleKeepsIxUntilRenumbered()
    {
        open(10);
        press(Qt::Key_F5);
        QStringList groups;
        for (int r = 1; r <= 10; ++r) {
            groups << view->cellText(r, GridCol::Grp);
            QCOMPARE(view->cellText(r, 0), QString::number(list().at(r).ix()));
            QCOMPARE(list().at(r).text(MemberField::Straat), QStringLiteral("Straat %1").arg(list().at(r).ix()));
        }
        QCOMPARE(groups, (QStringList{"d", "d", "d", "d", "d", "h", "h", "h", "h", "h"}));
        QVERIFY(ixColumn() != (QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));

        open(2);
        press(Qt::Key_F5);
        QCOMPARE(firstNames(), (QStringList{"Jan", "Piet"}));
    }

    void tallyModeWalksTheActieColumn()
    {
        open(4);
        QSignalSpy turf(view.get(), &MemberView::turfModeChanged);
        view->toggleTurfMode();
        QCOMPARE(turf.size(), 1);
        QCOMPARE(turf.at(0).at(0).toBool(), true);
        QCOMPARE(view->currentRow(), 1);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));
        QVERIFY(grid->hasFocus());

        type("-");
        press(Qt::Key_Tab);
        QCOMPARE(list().at(1).actie(), QStringLiteral("-"));
        QCOMPARE(label("AantalHrnLab"), QStringLiteral("0"));
        QCOMPARE(view->currentRow(), 2);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));

        type("x");
        press(Qt::Key_Tab);
        QCOMPARE(label("AantalHrnLab"), QStringLiteral("1"));
        press(Qt::Key_Left);
        press(Qt::Key_Right);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab); // not past the last row
        QCOMPARE(view->currentRow(), 4);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));

        const QRect cell = grid->visualRect(grid->model()->index(1, GridCol::Achternaam));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(view->currentRow(), 2);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));

        view->fill(3);
        QCOMPARE(view->currentColumn(), int(GridCol::Actie));
        view->toggleTurfMode();
        QCOMPARE(turf.at(1).at(0).toBool(), false);
        QCOMPARE(view->currentColumn(), int(GridCol::Voornaam));
        press(Qt::Key_Right);
        QCOMPARE(view->currentColumn(), int(GridCol::Achternaam));
    }

    void addressViewSwitchesTallyModeOff()
    {
        open(10);
        view->toggleTurfMode();
        QSignalSpy turf(view.get(), &MemberView::turfModeChanged);
        QSignalSpy address(view.get(), &MemberView::addressViewChanged);
        goTo(2, GridCol::Voornaam);
        type("Paul"); // typing not taken over is lost
        view->toggleAddressView();
        QCOMPARE(turf.size(), 1);
        QCOMPARE(address.size(), 1);
        QVERIFY(address.at(0).at(0).toBool());
        QVERIFY(!view->turfMode());
        QCOMPARE(view->cellText(0, 4), QStringLiteral("Straat"));
        QCOMPARE(grid->columnCount(), 8);
        QCOMPARE(grid->columnWidth(4), 150);
        QCOMPARE(grid->geometry(), QRect(4, 4, 742, 354)); // the address columns take the window's width
        view->layOut(1000); // a wider window: room for all of them
        QCOMPARE(grid->geometry(), QRect(110, 4, 780, 354));
        QCOMPARE(view->cellText(2, GridCol::Voornaam), QStringLiteral("Piet"));
        QCOMPARE(view->cellText(2, GridCol::Straat), QStringLiteral("Straat 2"));

        goTo(3, GridCol::Straat);
        type("Dorpsweg 7");
        press(Qt::Key_Down);
        QCOMPARE(list().at(3).text(MemberField::Straat), QStringLiteral("Dorpsweg 7"));
        QCOMPARE(list().at(3).grp(), QStringLiteral("d"));
        QCOMPARE(list().at(3).actie(), QStringLiteral("X"));
    }

    void searchFirstNames()
    {
        open(10);
        goTo(9, GridCol::Voornaam);
        view->showSearch();
        auto* panel = view->findChild<QWidget*>("Zoekpanel");
        auto* edit = view->findChild<QLineEdit*>("ZoekEdit");
        QVERIFY(panel->isVisible());
        QTest::keyClicks(edit, "jan"); // no choice made: nothing is searched
        QCOMPARE(view->currentRow(), 9);

        QTest::mouseClick(view->findChild<QRadioButton*>("ZoekVoornaam"), Qt::LeftButton);
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, "jan");
        QCOMPARE(view->currentRow(), 1);
        QCOMPARE(view->currentColumn(), int(GridCol::Voornaam));
        QTest::keyClicks(edit, "n");
        QCOMPARE(view->currentRow(), 6); // JANNEKE
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!panel->isVisible());
        QVERIFY(grid->hasFocus());

        view->showSearch();
        QTest::mouseClick(view->findChild<QRadioButton*>("ZoekAchternaam"), Qt::LeftButton);
        QTest::keyClicks(edit, "KO");
        QCOMPARE(view->currentRow(), 7);
        QCOMPARE(view->currentColumn(), int(GridCol::Achternaam));
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!panel->isVisible());
    }

    void rowDragKeepsRecordsWhole()
    {
        open(10);
        QHeaderView* rows = grid->verticalHeader();
        const QPoint from(rows->width() / 2, rows->sectionViewportPosition(1) + 10);
        const QPoint to(rows->width() / 2, rows->sectionViewportPosition(3) + 15);
        QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(rows->viewport(), QPoint(from.x(), from.y() + 12));
        QTest::mouseMove(rows->viewport(), to);
        QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, to);

        auto* moveLabel = view->findChild<QLabel*>("Movelabel");
        QCOMPARE(moveLabel->text(), QStringLiteral("Rij van: 2 naar: 4"));
        QVERIFY(moveLabel->isVisible());
        QCOMPARE(firstNames(), (QStringList{"Jan", "Anna", "Bea", "Piet", "Marjan", "JANNEKE", "Kees", "Jan", "Dirk", "Els"}));
        QCOMPARE(view->cellText(4, GridCol::Voornaam), QStringLiteral("Piet"));
        QCOMPARE(view->cellText(4, 0), QStringLiteral("2"));
        QCOMPARE(rows->visualIndex(3), 3);

        view->copyBackAll();
        for (int r = 1; r <= 10; ++r) {
            const TLedenObj& m = list().at(r);
            QCOMPARE(m.text(MemberField::Straat), QStringLiteral("Straat %1").arg(m.clubNr()));
            QCOMPARE(int(m.ix()), m.clubNr());
        }
        QCOMPARE(list().at(4).voornaam(), QStringLiteral("Piet"));

        auto* timer = view->findChild<QTimer*>("HulpTimer");
        QVERIFY(timer->isActive());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 2000);
        QTRY_VERIFY(!moveLabel->isVisible());
        QVERIFY(!timer->isActive());
    }

    void functionKeys()
    {
        open(10);
        QSignalSpy save(view.get(), &MemberView::saveWithReportRequested);
        QSignalSpy newMember(view.get(), &MemberView::newMemberRequested);
        goTo(3, GridCol::Voornaam);
        type("Ans");
        press(Qt::Key_F3);
        QCOMPARE(save.size(), 1);
        QVERIFY(!view->cellEditorOpen());
        QCOMPARE(view->cellText(3, GridCol::Voornaam), QStringLiteral("Ans")); // the editor's text stays
        press(Qt::Key_F7);
        QCOMPARE(newMember.size(), 1);
    }

    void mouseHints_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Ix") << 10 << "Index";
        QTest::newRow("club number") << 40 << "Club-nummer";
        QTest::newRow("first name") << 150 << "Voornaam speler";
        QTest::newRow("last name") << 300 << "Achternaam  speler";
        QTest::newRow("group") << 360 << "Groep (dames/heren)";
        QTest::newRow("Actie") << 400 << "Actief";
        QTest::newRow("remark") << 500 << "Opmerking";
        QTest::newRow("between columns") << 86 << "Index";
        QTest::newRow("right of the columns") << 550 << "Index";
    }
    void mouseHints()
    {
        QFETCH(int, x);
        open(10);
        QTest::mouseMove(grid->viewport(), QPoint(250, 30));
        QTest::mouseMove(grid->viewport(), QPoint(x, 30));
        QTEST(grid->statusTip(), "hint");
    }

    // A press on a member's cell checks the row's Ix: 1..MemberCount passes, the last row included.
    void ixCheckedOnPress_data()
    {
        QTest::addColumn<int>("row");   // grid row pressed (0 is member 1)
        QTest::addColumn<QString>("ix"); // typed into its Ix cell; empty: as renumbered
        QTest::addColumn<QString>("message");
        QTest::newRow("above the members") << 4 << "11" << "Record index 11 foutief";
        QTest::newRow("Ix 0") << 4 << "0" << "Record index 0 foutief";
        QTest::newRow("negative") << 4 << "-1" << "Record index -1 foutief";
        QTest::newRow("the last row") << 9 << "" << "";
        QTest::newRow("the first row") << 0 << "" << "";
        QTest::newRow("Ix of the last member on another row") << 4 << "10" << "";
    }
    void ixCheckedOnPress()
    {
        QFETCH(int, row);
        QFETCH(QString, ix);
        QFETCH(QString, message);
        open(10);
        if (!ix.isEmpty())
            grid->item(row, 0)->setText(ix);
        if (!message.isEmpty())
            ts->sink.expect(Result::Ok);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, GridCol::Voornaam)).center());
        QCOMPARE(shown(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(ts->sink.shown[0].kind, int(Information));
        // Another member's row with its own Ix says nothing.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row == 3 ? 2 : 3, GridCol::Voornaam)).center());
        QCOMPARE(shown().size(), message.isEmpty() ? 0 : 1);
    }

    void copyBackAllNormalisesActie()
    {
        open(10);
        list().at(2).setRaw(MemberField::Actie, "b5");
        list().at(7).setRaw(MemberField::Actie, "C9");
        list().at(9).setRaw(MemberField::Actie, "A31");
        view->fill(1);
        ts->sink.expect(Result::Ok);
        view->copyBackAll();
        QCOMPARE(shown(), QStringList{"ActieStatus: 9 heeft verkeerd formaat" + Hint});
        QCOMPARE(ts->sink.beeps, 2);
        QCOMPARE(list().at(2).actie(), QStringLiteral("B5"));
        QCOMPARE(list().at(9).actie(), QStringLiteral("A21"));
        QCOMPARE(view->cellText(9, GridCol::Actie), QStringLiteral("A21"));
        const int actie = TLedenObj::field(MemberField::Actie).offset;
        QCOMPARE(char(list().at(1).data[size_t(actie + 2)]), ' ');
        QCOMPARE(char(list().at(1).data[size_t(actie + 3)]), ' ');
    }
};

QTEST_MAIN(TestMemberGrid)
#include "tst_membergrid.moc"
