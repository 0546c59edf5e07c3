// A season of three club evenings through the real windows: the list shuffled before every evening, a
// member inserted, one deleted and the list sorted in between; each evening calculated in the set-up
// window, its games copied into a new match with the match window open, ranked and saved. Every
// member ends with the games, totals and places computed from the games of the schedule alone, in
// the window and after reopening the file.
#include "forms/AppWiring.h"
#include "forms/MatchWiring.h"
#include "forms/ProgramWindows.h"
#include "forms/MemberView.h"
#include "forms/ScoreGrid.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "matches/MatchScores.h"
#include "records/MemberFile.h"
#include "records/MemberOps.h"
#include "state/FileCommands.h"
#include "state/UnsavedChanges.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <map>
#include <set>

using namespace tandemx;
using namespace tandemx::test;

namespace {

// Answers every question with Ja and every notice with OK, and keeps what it was shown.
class AnsweringSink : public MessageSink {
public:
    int showBericht(const QString& text, int kind, uint16_t buttons, int) override
    {
        shown.push_back({text, kind});
        return buttons & Btn::Ja ? Result::Yes : Result::Ok;
    }
    void beep() override {}
    struct Shown {
        QString text;
        int kind;
    };
    std::vector<Shown> shown;
    QStringList texts() const
    {
        QStringList list;
        for (const Shown& s : shown)
            list << s.text;
        return list;
    }
    QStringList errors() const
    {
        QStringList list;
        for (const Shown& s : shown)
            if (s.kind == Error || s.kind == Warning)
                list << s.text;
        return list;
    }
};

struct Program {
    AnsweringSink sink;
    Messages messages{sink};
    FixedClock clock;
    ScriptedFiles files;
    AppState state{messages, clock, files};
    TTandem12X window{state};

    Program()
    {
        wireWindows(window);
        window.show();
    }
    QAction* item(const char* name) { return window.findChild<QAction*>(name); }
};

// Games won per match, per club number.
using Games = std::map<int, std::map<int, int>>;

void writeClub(const QString& file)
{
    ScriptedMessageSink sink;
    Messages messages{sink};
    Clock clock;
    ScriptedFiles files;
    AppState state{messages, clock, files};
    setDefaults(state);
    KeyData& k = state.club.config->keyData;
    k.clubSize = 16;
    k.doublesRounds = 2;
    k.mixedRounds = 1;
    k.courts = 4;
    k.keepGames = 1;
    k.maxMatches = 10;
    MemberList list;
    for (int i = 1; i <= 16; ++i) {
        TLedenObj r = makeMemberRecord(i, i <= 8 ? 200 + i : 300 + i, i <= 8 ? "h" : "d", "X");
        r.setText(MemberField::Voornaam, QStringLiteral("Voor%1").arg(char('A' + (i * 7) % 16)));
        r.setText(MemberField::Achternaam, QStringLiteral("Naam%1").arg(char('A' + (i * 5) % 16)));
        list.append(r);
    }
    state.club.members = list;
    state.club.memberFileName = file;
    QVERIFY(saveMemberList(state, false));
    QVERIFY(saveConfig(state, file));
}

// Selection dialogs: accept what they show.
void acceptSelections(AppState& state)
{
    state.modalHooks.onShow<TMatchSelDlg>([](TMatchSelDlg& d) {
        QTimer::singleShot(0, &d, [&d] { QTest::mouseClick(d.findChild<QPushButton*>("OKMatchBtn"), Qt::LeftButton); });
    });
}

void expectStandings(const AppState& state, const Games& games, const std::map<int, std::set<int>>& rankedAmong)
{
    const MemberList& list = *state.club.members;
    const MatchData& data = state.matches;
    QCOMPARE(data.MatchCount(), 3);
    for (int n = 1; n <= 3; ++n) {
        auto gamesOf = [&](int nr, int match) {
            const auto g = games.at(match).find(nr);
            return g == games.at(match).end() ? 0 : g->second;
        };
        auto totalOf = [&](int nr) {
            int total = 0;
            for (int a = 1; a <= n; ++a)
                total += gamesOf(nr, a);
            return total;
        };
        for (int p = 1; p <= list.count(); ++p) {
            const int nr = list.at(p).clubNr();
            const TCalcObj& c = data.match(n)->calcs[size_t(p)];
            int place = 1;
            for (int other : rankedAmong.at(n))
                place += totalOf(other) > totalOf(nr) ? 1 : 0;
            const QByteArray where = QStringLiteral("match %1, member %2").arg(n).arg(nr).toLatin1();
            QVERIFY2(c.Games == gamesOf(nr, n), where + " games " + QByteArray::number(c.Games));
            QVERIFY2(c.TotalGames == totalOf(nr), where + " total " + QByteArray::number(c.TotalGames));
            if (rankedAmong.at(n).count(nr))
                QVERIFY2(c.GamesPlace == place, where + " place " + QByteArray::number(c.GamesPlace));
        }
    }
}

} // namespace

class TestSeason : public QObject {
    Q_OBJECT
private slots:
    void threeEveningsWithListChangesKeepEveryMembersStandings();
};

void TestSeason::threeEveningsWithListChangesKeepEveryMembersStandings()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("seizoen.tdm");
    writeClub(file);
    Games games;
    std::map<int, std::set<int>> rankedAmong;
    {
        Program program;
        AppState& state = program.state;
        program.files.answers.push_back(file);
        program.item("Open1")->trigger();
        QVERIFY(state.club.members);
        MemberView* view = program.window.memberView();

        for (int evening = 1; evening <= 3; ++evening) {
            // The list changes of the evening, through the main window.
            if (evening == 2) {
                view->grid()->setCurrentCell(2, 2);
                program.item("Nieuwrecord1")->trigger();
                view->grid()->item(2, 3)->setText("Nieuwkomer"); // his last name, typed in the grid
                view->copyBackAll();
            }
            if (evening == 3) {
                view->grid()->setCurrentCell(4, 2);
                program.item("Verwijderen1")->trigger();
                program.item("Achternaam1")->trigger();
            }
            program.clock.time = QTime(19, 30 + evening, evening * 7, evening * 111);
            QTest::mouseClick(program.window.findChild<QPushButton*>("RandomBtn"), Qt::LeftButton);
            QVERIFY(program.sink.errors().isEmpty());

            // The evening's match: the first one exists (its commands come with the first schedule), the
            // others are made with "&Nieuwe Match" before the evening's schedule.
            TMatchForm& matchForm = program.window.windows().matchWindows().matchForm();
            auto openMatch = [&] {
                acceptSelections(state);
                program.item(evening == 1 ? "OpenMatch1" : "NieuweMatch1")->trigger();
                QCOMPARE(state.matches.CurrentMatch.match, evening);
                QVERIFY2(matchForm.isVisible(), qPrintable(program.sink.texts().join('|')));
            };
            if (evening > 1)
                openMatch();
            // The schedule: "&Meer", "&Start", "&OK".
            state.modalHooks.onShow<TSchemaForm>([](TSchemaForm& f) {
                QTimer::singleShot(0, &f, [&f] {
                    QTest::mouseClick(f.findChild<QPushButton*>("MoreBtn"), Qt::LeftButton);
                    QTest::mouseClick(f.findChild<QPushButton*>("StartSchemaBtn"), Qt::LeftButton);
                    QTest::keyClick(f.findChild<QPushButton*>("SluitBtn"), Qt::Key_Return);
                });
            });
            program.item("SchemametNamen1")->trigger();
            const engine::ScheduleState& s = *state.schedule;
            QVERIFY(s.SolutionFound);

            if (evening == 1)
                openMatch();
            // The games of every court and round (as the game input stores them), and who won them.
            TMatchCalcObj& match = *state.matches.current();
            std::map<int, int>& won = games[evening];
            for (int r = 1; r <= s.TotalRounds; ++r) {
                const engine::RoundRecord& round = s.ScheduleTable[size_t(r)];
                for (int kind = engine::MenDoubles; kind <= engine::MixedDoubles; ++kind) {
                    const engine::CourtRange range = round.range[size_t(kind)];
                    for (int k = range.first; range.first > 0 && k <= range.last; ++k)
                        for (int p = 1; p <= 4; ++p) {
                            const int g = (evening + 3 * r + 5 * k + 7 * p) % 9 + 1;
                            match.scores[size_t(r)].at(k, p) = int16_t(g);
                            const int player = round.court[size_t(k)][size_t(p - 1)];
                            won[s.PlayerTable[size_t(placeGender(kind, p))][size_t(player)].clubNr] += g;
                        }
                }
            }
            program.item("KopievanGames1")->trigger();
            QVERIFY2(program.sink.errors().isEmpty(), qPrintable(program.sink.errors().join('|')));
            QCOMPARE(program.sink.shown.back().text, QString("Kopie van Games gelukt"));

            // The open match window shows the copied games at once; "Reken" and "&Sluit" keep them.
            const MemberList& list = *state.club.members;
            for (int p = 1; p <= list.count(); ++p) {
                const auto g = won.find(list.at(p).clubNr());
                QCOMPARE(matchForm.grid()->cell(p, matchForm.gamesColumn()).toInt(), g == won.end() ? 0 : g->second);
            }
            matchForm.Reken();
            matchForm.Sluit();
            QVERIFY(!matchForm.isVisible());
            for (int p = 1; p <= list.count(); ++p)
                rankedAmong[evening].insert(list.at(p).clubNr());
        }
        QCOMPARE(state.club.memberCount(), 16);
        expectStandings(state, games, rankedAmong);
        QVERIFY(hasUnsavedChanges(state));
        program.item("Bewaren1")->trigger();
        QVERIFY(!hasUnsavedChanges(state));
        QVERIFY(program.sink.errors().isEmpty());
    }

    // Opened again: the same standings, without a word; and in the command-line tool.
    Program again;
    again.files.answers.push_back(file);
    again.item("Open1")->trigger();
    QCOMPARE(again.sink.shown.size(), size_t(0));
    expectStandings(again.state, games, rankedAmong);
    QVERIFY(!hasUnsavedChanges(again.state));
    QVERIFY(again.window.close());
}

QTEST_MAIN(TestSeason)
#include "tst_season.moc"
