// The score records of a season belong to the members: through every change of the member list, a save
// and a reopen, and in tandemx-cli matches, each member keeps the games he won, his totals and places.
#include "matches/MatchMembers.h"
#include "matches/MatchScores.h"
#include "messages/ScriptedMessages.h"
#include "records/MemberFile.h"
#include "records/MemberOps.h"
#include "state/FileCommands.h"
#include "state/UnsavedChanges.h"

#include "../cli/CliRun.h"
#include "state/FileTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <functional>
#include <map>

using namespace tandemx;

namespace {

constexpr int Matches = 3;
constexpr int Members = 8;

// The games a member typed in a match: distinct enough that any mix-up shows.
int gamesOf(int clubNr, int match) { return clubNr >= 101 && clubNr <= 108 ? (clubNr * 7 + match * 3) % 11 + 1 : 0; }

struct Expected {
    int games = 0, total = 0, place = 1;
};
// What every member (by club number) must show in match n, computed from the games typed alone.
std::map<int, Expected> expectedFor(const MemberList& list, int n)
{
    std::map<int, Expected> e;
    for (int p = 1; p <= list.count(); ++p) {
        const int nr = list.at(p).clubNr();
        Expected& x = e[nr];
        x.games = gamesOf(nr, n);
        for (int a = 1; a <= n; ++a)
            x.total += gamesOf(nr, a);
    }
    for (auto& [nr, x] : e)
        for (const auto& [other, y] : e)
            x.place += y.total > x.total ? 1 : 0;
    return e;
}

struct Season : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    Clock clock;
    tandemx::testing::NoDialogs files;
    AppState state{messages, clock, files};
    QTemporaryDir dir;
    QString path;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("club.tdm"));
        setDefaults(state);
        state.club.config->keyData.clubSize = Members;
        state.club.config->keyData.keepGames = 1;
        KeyData k;
        k.clubSize = Members;
        state.club.members = createMemberList(k, NoFileName);
        const char* groups[] = {"H", "D"};
        for (int p = 1; p <= Members; ++p) {
            TLedenObj& r = state.club.members->at(p);
            r.setClubNr(int16_t(100 + p));
            r.setText(MemberField::Voornaam, QStringLiteral("V%1").arg(char('A' + (p * 5) % Members)));
            r.setText(MemberField::Achternaam, QStringLiteral("N%1").arg(char('A' + (p * 3) % Members)));
            r.setText(MemberField::Grp, QString::fromLatin1(groups[p % 2]));
        }
        state.club.memberFileName = path;
        // Three evenings: the games typed, then each match ranked (as "Reken" does).
        for (int n = 1; n <= Matches; ++n) {
            ASSERT_TRUE(CreateMatch(state, state.matches, n));
            for (int p = 1; p <= Members; ++p)
                state.matches.match(n)->calcs[size_t(p)].Games = int16_t(gamesOf(state.club.members->at(p).clubNr(), n));
            ASSERT_TRUE(RankMatch(state.matches, n, 0, Members));
        }
    }

    void rankAll()
    {
        followMembers(state.matches, *state.club.members);
        for (int n = 1; n <= Matches; ++n)
            ASSERT_TRUE(RankMatch(state.matches, n, 0, state.club.memberCount()));
    }

    static void expectStandings(const MemberList& list, const MatchData& data)
    {
        ASSERT_EQ(data.MatchCount(), Matches);
        for (int n = 1; n <= Matches; ++n) {
            const auto expected = expectedFor(list, n);
            const TMatchCalcObj& m = *data.match(n);
            ASSERT_EQ(int(m.calcs.size()), list.count() + 1);
            for (int p = 1; p <= list.count(); ++p) {
                const int nr = list.at(p).clubNr();
                const Expected& x = expected.at(nr);
                SCOPED_TRACE(::testing::Message() << "match " << n << " member " << nr << " at " << p);
                EXPECT_EQ(m.calcs[size_t(p)].Games, x.games);
                EXPECT_EQ(m.calcs[size_t(p)].TotalGames, x.total);
                EXPECT_EQ(m.calcs[size_t(p)].GamesPlace, x.place);
            }
        }
    }
};

TEST_F(Season, EveryListChangeKeepsEachMembersGamesTotalsAndPlacesThroughSaveReopenAndTheCli)
{
    const struct {
        const char* name;
        std::function<void(MemberList&)> change;
    } changes[] = {
        {"shuffle", [](MemberList& l) { shuffleMembers(l, 4711); }},
        {"sort by club number", [](MemberList& l) { sortMembers(l, SortKind::ClubNr); }},
        {"sort by first name", [](MemberList& l) { sortMembers(l, SortKind::Voornaam); }},
        {"sort by last name", [](MemberList& l) { sortMembers(l, SortKind::Achternaam); }},
        {"sort by group", [](MemberList& l) { sortMembers(l, SortKind::Group); }},
        {"insert", [](MemberList& l) { l.insert(3, makeMemberRecord(3, 109, "H", "X")); }},
        {"delete", [](MemberList& l) { l.remove(2); }},
        {"row drag", [](MemberList& l) { l.move(1, 6); }},
        {"shuffle, insert, delete, sort",
         [](MemberList& l) {
             shuffleMembers(l, 99);
             l.insert(1, makeMemberRecord(1, 110, "D", "X"));
             l.remove(5);
             sortMembers(l, SortKind::Achternaam);
         }},
    };
    const MemberList original = *state.club.members;
    const MatchData originalMatches = state.matches;
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        state.club.members = original;
        state.matches = originalMatches;
        c.change(*state.club.members);
        rankAll();
        expectStandings(*state.club.members, state.matches);

        // Saved (member file, key data, matches) and opened again in a fresh program.
        ASSERT_TRUE(saveMemberList(state, false));
        ASSERT_TRUE(saveConfig(state, path));
        ASSERT_TRUE(SaveMatchFile(state, state.matches));
        EXPECT_FALSE(hasUnsavedChanges(state));
        ScriptedMessageSink freshSink;
        Messages freshMessages{freshSink};
        AppState fresh{freshMessages, clock, files};
        ASSERT_TRUE(openMemberFile(fresh, path, {}));
        ASSERT_TRUE(LoadMatchFile(fresh, fresh.matches));
        EXPECT_TRUE(freshSink.shown.empty()) << freshSink.texts().join('|').toStdString();
        expectStandings(*fresh.club.members, fresh.matches);
        EXPECT_FALSE(hasUnsavedChanges(fresh));

        // The command-line tool lists the same games for the same members.
        const CliRun run = runCli(QStringLiteral("matches"), {path});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonArray matches = QJsonDocument::fromJson(run.out).object()["matches"].toArray();
        ASSERT_EQ(matches.size(), Matches);
        for (int n = 1; n <= Matches; ++n) {
            const auto expected = expectedFor(*fresh.club.members, n);
            for (const QJsonValue v : matches[n - 1].toObject()["members"].toArray()) {
                const QJsonObject r = v.toObject();
                const Expected& x = expected.at(r["clubNr"].toInt());
                EXPECT_EQ(r["games"].toInt(), x.games);
                EXPECT_EQ(r["totalGames"].toInt(), x.total);
                EXPECT_EQ(r["gamesPlace"].toInt(), x.place);
            }
        }
    }
}

TEST_F(Season, ARemovedMemberWhoseRemovalIsDroppedGetsHisRecordsBack)
{
    markMembersSaved(state);
    markConfigSaved(state);
    state.club.members->remove(4);
    followMembers(state.matches, *state.club.members);
    EXPECT_TRUE(membersUnsaved(state));
    dropMemberChanges(state);
    EXPECT_FALSE(membersUnsaved(state));
    rankAll();
    expectStandings(*state.club.members, state.matches);
}

// A member added and dropped again (the list put back as saved) leaves his records aside; a member added
// after that is somebody else and starts with fresh records in every match.
TEST_F(Season, AMemberAddedAfterDroppedChangesDoesNotInheritTheDroppedMembersGames)
{
    markMembersSaved(state);
    markConfigSaved(state);
    state.club.members->insert(3, makeMemberRecord(3, 109, "H", "X"));
    followMembers(state.matches, *state.club.members);
    for (int n = 1; n <= Matches; ++n)
        state.matches.match(n)->calcs[3].Games = 9; // his games of each evening
    dropMemberChanges(state);
    EXPECT_FALSE(membersUnsaved(state));

    state.club.members->insert(5, makeMemberRecord(5, 110, "D", "X"));
    followMembers(state.matches, *state.club.members);
    for (int n = 1; n <= Matches; ++n)
        EXPECT_EQ(state.matches.match(n)->calcs[5], TCalcObj{}) << "match " << n;
    rankAll();
    expectStandings(*state.club.members, state.matches);
}

// Removing the last match writes the file in the order of the list in memory; the records carry their
// members' club numbers, so a member file still in the old order finds its members' games again.
TEST_F(Season, TheFileWrittenByRemovingTheLastMatchSaysWhoseRecordsTheyAre)
{
    ASSERT_TRUE(saveMemberList(state, false));
    ASSERT_TRUE(saveConfig(state, path));
    shuffleMembers(*state.club.members, 4711); // not saved
    ASSERT_TRUE(LoadHeader(state.matches, Matches));
    state.matches.CurrentMatch.match = Matches;
    ASSERT_TRUE(DeleteLastMatch(state, state.matches, true));
    ASSERT_TRUE(QFile::exists(matchFileName(path)));

    ScriptedMessageSink freshSink;
    Messages freshMessages{freshSink};
    AppState fresh{freshMessages, clock, files};
    ASSERT_TRUE(openMemberFile(fresh, path, {}));
    ASSERT_TRUE(LoadMatchFile(fresh, fresh.matches));
    const MemberList& list = *fresh.club.members;
    ASSERT_EQ(fresh.matches.MatchCount(), Matches - 1);
    for (int n = 1; n < Matches; ++n)
        for (int p = 1; p <= list.count(); ++p)
            EXPECT_EQ(fresh.matches.match(n)->calcs[size_t(p)].Games, gamesOf(list.at(p).clubNr(), n))
                << "match " << n << " member " << list.at(p).clubNr();
}

TEST_F(Season, AFileInAnotherOrderIsPutRightByClubNumberAndSaidOnce)
{
    ASSERT_TRUE(saveMemberList(state, false));
    ASSERT_TRUE(saveConfig(state, path));
    ASSERT_TRUE(SaveMatchFile(state, state.matches));
    // The member file is saved after a shuffle, the match file (the old order) is not.
    shuffleMembers(*state.club.members, 12345);
    ASSERT_TRUE(saveMemberList(state, false));

    ScriptedMessageSink freshSink;
    Messages freshMessages{freshSink};
    AppState fresh{freshMessages, clock, files};
    ASSERT_TRUE(openMemberFile(fresh, path, {}));
    ASSERT_TRUE(LoadMatchFile(fresh, fresh.matches));
    ASSERT_EQ(freshSink.texts().size(), 1);
    EXPECT_EQ(freshSink.texts()[0], QStringLiteral("Volgorde van de leden gewijzigd: de scores van match 1, 2, 3 zijn "
                                                   "op clubnummer bij de leden gezet"));
    EXPECT_EQ(freshSink.shown[0].kind, Information);
    expectStandings(*fresh.club.members, fresh.matches);
    // Not yet as it should be on disk: the next save writes it.
    EXPECT_TRUE(matchesUnsaved(fresh));
}

TEST(AttachByClubNumber, RecordsFindTheirMembersOrAreCountedAsUnattached)
{
    KeyData k;
    k.clubSize = 3;
    MemberList list = createMemberList(k, NoFileName);
    for (int p = 1; p <= 3; ++p)
        list.at(p).setClubNr(int16_t(10 * p)); // 10 20 30
    auto match = [](std::vector<std::pair<int, int>> records) {
        TMatchCalcObj m = TMatchCalcObj::fresh(1, 0, 6, u"01-01-2026");
        for (auto [nr, games] : records) {
            TCalcObj c;
            c.ClubNr = int16_t(nr);
            c.Games = int16_t(games);
            m.calcs.push_back(c);
        }
        return m;
    };
    const struct {
        const char* name;
        std::vector<std::pair<int, int>> records;
        bool rearranged;
        std::vector<int> games; // of members 10, 20, 30
        int unattached;
    } cases[] = {
        {"in order", {{10, 1}, {20, 2}, {30, 3}}, false, {1, 2, 3}, 0},
        {"numbers not yet known", {{0, 1}, {0, 2}, {30, 3}}, false, {1, 2, 3}, 0},
        {"shuffled", {{30, 3}, {10, 1}, {20, 2}}, true, {1, 2, 3}, 0},
        {"a member left, one came", {{20, 2}, {99, 9}, {10, 1}}, true, {1, 2, 0}, 1},
        {"a number changed since", {{20, 2}, {77, 7}, {30, 3}}, true, {0, 2, 3}, 1},
        {"a number changed, order kept", {{10, 1}, {55, 5}, {30, 3}}, true, {1, 5, 3}, 0},
        {"more records than members", {{10, 1}, {20, 2}, {30, 3}, {40, 4}}, false, {1, 2, 3}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMatchCalcObj m = match(c.records);
        int unattached = -1;
        EXPECT_EQ(attachByClubNumber(m, list, &unattached), c.rearranged);
        ASSERT_EQ(m.calcs.size(), 4u);
        EXPECT_EQ((std::vector<int>{m.calcs[1].Games, m.calcs[2].Games, m.calcs[3].Games}), c.games);
        EXPECT_EQ(unattached, c.unattached);
    }
}

} // namespace
