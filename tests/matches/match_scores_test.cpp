// Running totals and places, and crediting the court scores of the schedule to the members of a match.
#include "matches/MatchScores.h"
#include "messages/ScriptedMessages.h"
#include "records/MemberList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tandemx;

namespace {

MatchData matchesOf(int count, int members)
{
    MatchData data;
    for (int n = 1; n <= count; ++n)
        EXPECT_TRUE(CreateMatch(data, n, members, 2, QStringLiteral("05-03-2026")));
    return data;
}

std::vector<int> column(const TMatchCalcObj& m, int16_t TCalcObj::*field)
{
    std::vector<int> v;
    for (size_t i = 1; i < m.calcs.size(); ++i)
        v.push_back(m.calcs[i].*field);
    return v;
}

const QString kCopyQuestion = QStringLiteral("Weet U zeker dat u de behaalde punten \rwilt Kopieren naar het Match - bestand ?");

} // namespace

TEST(RankMatch, EqualTotalsSharePlacesAndSkipTheNext)
{
    struct Case {
        std::vector<int> totals, places;
    };
    const Case cases[] = {
        {{12, 15, 15, 9}, {3, 1, 1, 4}},
        {{30, 28, 28, 25}, {1, 2, 2, 4}},
        {{0, 0, 0}, {1, 1, 1}},
        {{-2, 5}, {2, 1}},
    };
    for (int mode : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "mode " << mode << ", first total " << c.totals[0]);
            const int members = int(c.totals.size());
            MatchData data = matchesOf(1, members);
            for (int m = 1; m <= members; ++m)
                (mode == 1 ? data.match(1)->calcs[size_t(m)].Sets : data.match(1)->calcs[size_t(m)].Games) =
                    int16_t(c.totals[size_t(m - 1)]);
            ASSERT_TRUE(RankMatch(data, 1, mode, members));
            const TMatchCalcObj& m = *data.match(1);
            EXPECT_EQ(column(m, mode == 1 ? &TCalcObj::TotalSets : &TCalcObj::TotalGames), c.totals);
            EXPECT_EQ(column(m, mode == 1 ? &TCalcObj::SetsPlace : &TCalcObj::GamesPlace), c.places);
            EXPECT_EQ(column(m, mode == 1 ? &TCalcObj::GamesPlace : &TCalcObj::SetsPlace), std::vector<int>(size_t(members), 1));
        }
    }
}

TEST(RankMatch, OpenedOnMatchTwoOfThree)
{
    // Games per match for three members; match 1 carries places and set totals from earlier.
    const int games[3][3] = {{5, 3, 4}, {2, 6, 1}, {0, 1, 7}};
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        MatchData data = matchesOf(3, 3);
        for (int a = 1; a <= 3; ++a)
            for (int m = 1; m <= 3; ++m) {
                TCalcObj& c = data.match(a)->calcs[size_t(m)];
                (mode == 1 ? c.Sets : c.Games) = int16_t(games[a - 1][m - 1]);
                (mode == 1 ? c.TotalGames : c.TotalSets) = 50;
                c.GamesPlace = c.SetsPlace = int16_t(10 + m);
            }
        // What "Reken" does on match 2 while match 3 exists.
        ASSERT_TRUE(RankMatch(data, 2, mode, 3));
        ASSERT_TRUE(RankMatch(data, 3, mode, 3));
        const auto total = mode == 1 ? &TCalcObj::TotalSets : &TCalcObj::TotalGames;
        const auto other = mode == 1 ? &TCalcObj::TotalGames : &TCalcObj::TotalSets;
        const auto place = mode == 1 ? &TCalcObj::SetsPlace : &TCalcObj::GamesPlace;
        EXPECT_EQ(column(*data.match(1), total), (std::vector<int>{5, 3, 4}));
        EXPECT_EQ(column(*data.match(2), total), (std::vector<int>{7, 9, 5}));
        EXPECT_EQ(column(*data.match(3), total), (std::vector<int>{7, 10, 12}));
        for (int a = 1; a <= 3; ++a)
            EXPECT_EQ(column(*data.match(a), other), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(column(*data.match(1), place), (std::vector<int>{11, 12, 13}));
        EXPECT_EQ(column(*data.match(2), place), (std::vector<int>{2, 1, 3}));
        EXPECT_EQ(column(*data.match(3), place), (std::vector<int>{3, 2, 1}));
    }
}

TEST(RankMatch, MembersAddedAfterTheMatchesGetFreshRecordsAndAPlace)
{
    MatchData data = matchesOf(2, 2);
    data.match(1)->calcs[1].Games = 4;
    data.match(2)->calcs[2].Games = 1;
    ASSERT_TRUE(RankMatch(data, 2, 0, 3));
    EXPECT_EQ(data.match(1)->calcs.size(), 4u);
    EXPECT_EQ(column(*data.match(2), &TCalcObj::TotalGames), (std::vector<int>{4, 1, 0}));
    EXPECT_EQ(column(*data.match(2), &TCalcObj::GamesPlace), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(RankMatch(data, 3, 0, 3));
    EXPECT_FALSE(RankMatch(data, 0, 0, 3));
}

namespace {

// Nine members, men and ladies alternating, club numbers unlike their positions; member 9 is a man who
// is not present. The schedule: round 1 men's doubles on court 1 and ladies' doubles on court 2, round
// 2 mixed doubles on courts 1 (man 1 and lady 2 against man 2 and lady 1) and 2 (3 and 4 likewise).
struct Copy : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    MemberList members;
    std::unique_ptr<engine::ScheduleState> schedule = std::make_unique<engine::ScheduleState>();
    MatchData data = matchesOf(1, 9);
    const QDate playDate{2026, 3, 5};

    static constexpr int16_t kClubNr[] = {101, 57, 3, 250, 12, 40, 7, 200, 9};

    void SetUp() override
    {
        for (int i = 1; i <= 9; ++i) {
            TLedenObj r;
            r.setClubNr(kClubNr[i - 1]);
            r.setRaw(MemberField::Grp, i % 2 == 1 ? "H" : "d");
            r.setRaw(MemberField::Actie, i == 9 ? "-" : "1");
            members.append(r);
        }
        engine::ScheduleState& s = *schedule;
        s.Group1Code.assign("h");
        s.Group2Code.assign("D");
        for (int p = 1; p <= 4; ++p) {
            s.PlayerTable[engine::Men][size_t(p)].memberNumber = uint8_t(kClubNr[2 * p - 2]);
            s.PlayerTable[engine::Men][size_t(p)].clubNr = kClubNr[2 * p - 2];
            s.PlayerTable[engine::Ladies][size_t(p)].memberNumber = uint8_t(kClubNr[2 * p - 1]);
            s.PlayerTable[engine::Ladies][size_t(p)].clubNr = kClubNr[2 * p - 1];
        }
        s.Run.NumMen = 4;
        s.Run.NumLadies = 4;
        s.Run.NumDoublesRounds = 1;
        s.Run.NumMixedRounds = 1;
        s.ScheduleTable[1].range = {engine::CourtRange{1, 1}, engine::CourtRange{2, 2}, engine::CourtRange{0, 0}};
        s.ScheduleTable[1].court[1] = {1, 2, 3, 4};
        s.ScheduleTable[1].court[2] = {1, 2, 3, 4};
        s.ScheduleTable[2].range = {engine::CourtRange{0, 0}, engine::CourtRange{0, 0}, engine::CourtRange{1, 2}};
        s.ScheduleTable[2].court[1] = {1, 2, 2, 1};
        s.ScheduleTable[2].court[2] = {3, 4, 4, 3};

        TMatchCalcObj& m = *data.match(1);
        auto court = [&](int round, int k, std::array<int16_t, 4> places) {
            for (int p = 1; p <= 4; ++p)
                m.scores[size_t(round)].at(k, p) = places[size_t(p - 1)];
        };
        court(1, 1, {6, 6, 3, 3});
        court(1, 2, {2, 2, 6, 6});
        court(2, 1, {4, 4, 6, 6});
        court(2, 2, {5, 5, 1, 1});
        court(3, 1, {9, 9, 9, 9}); // beyond the schedule's rounds
        m.calcs[9].Games = 5;      // stale
        m.calcs[9].Sets = 2;
        ASSERT_TRUE(LoadHeader(data, 1));
        data.CurrentMatch.match = 1;
    }

    bool copy(int inputMode, int answer = Result::Yes)
    {
        sink.expect(answer);
        const auto positions = playerPositions(members, *schedule);
        EXPECT_TRUE(positions.has_value());
        return positions && CopyScoresToMatch(data, *schedule, playDate, inputMode, *positions, 9, messages);
    }
};

// Men 1..4 are members 1, 3, 5, 7; ladies 1..4 members 2, 4, 6, 8. Man 1: 6 + 4, lady 1: 2 + 6,
// man 2: 6 + 6, lady 2: 2 + 4, man 3: 3 + 5, lady 3: 6 + 1, man 4: 3 + 1, lady 4: 6 + 5.
const std::vector<int> kCredited{10, 8, 12, 6, 8, 7, 4, 11, 0};
const std::vector<int> kPlaces{3, 4, 1, 7, 4, 6, 8, 2, 9};

} // namespace

TEST_F(Copy, CreditsTheMembersTheSchedulePlacedThereAndRanks)
{
    ASSERT_TRUE(copy(0));
    EXPECT_EQ(sink.texts(), QStringList{kCopyQuestion});
    EXPECT_EQ(sink.shown[0].kind, Question);
    const TMatchCalcObj& m = *data.match(1);
    EXPECT_EQ(column(m, &TCalcObj::Games), kCredited);
    EXPECT_EQ(column(m, &TCalcObj::Sets), std::vector<int>(9, 0));
    EXPECT_EQ(column(m, &TCalcObj::TotalGames), kCredited);
    EXPECT_EQ(column(m, &TCalcObj::GamesPlace), kPlaces);

    // Copying again gives the same records.
    const std::vector<TCalcObj> once = m.calcs;
    ASSERT_TRUE(copy(0));
    EXPECT_EQ(data.match(1)->calcs, once);
}

TEST_F(Copy, SetsModeCreditsSets)
{
    ASSERT_TRUE(copy(1));
    const TMatchCalcObj& m = *data.match(1);
    EXPECT_EQ(column(m, &TCalcObj::Sets), kCredited);
    EXPECT_EQ(column(m, &TCalcObj::Games), std::vector<int>(9, 0));
    EXPECT_EQ(column(m, &TCalcObj::TotalSets), kCredited);
    EXPECT_EQ(column(m, &TCalcObj::SetsPlace), kPlaces);
}

TEST_F(Copy, LaterMatchesAreRankedAsWell)
{
    ASSERT_TRUE(CreateMatch(data, 2, 9, 2, QStringLiteral("12-03-2026")));
    data.match(2)->calcs[7].Games = 20;
    ASSERT_TRUE(copy(0));
    EXPECT_EQ(data.match(2)->calcs[7].TotalGames, 24);
    EXPECT_EQ(data.match(2)->calcs[7].GamesPlace, 1);
    EXPECT_EQ(data.match(2)->calcs[3].GamesPlace, 2);
}

TEST_F(Copy, RefusedCopiesChangeNothing)
{
    const std::vector<TCalcObj> before = data.match(1)->calcs;
    struct Case {
        const char* name;
        std::function<void(Copy&)> setUp;
        int answer;
        QString message; // after the question
    };
    const Case cases[] = {
        {"answered Nee", [](Copy&) {}, Result::No, {}},
        {"another date", [](Copy& t) { t.data.CurrentMatch.header.setMatchDate(u"06-03-2026"); }, Result::Yes,
         QStringLiteral("Datum van Schema is niet gelijk aan Match-datum")},
        {"no date", [](Copy& t) { t.data.CurrentMatch.header.setMatchDate(u"x"); }, Result::Yes,
         QStringLiteral("Datum van Schema is niet gelijk aan Match-datum")},
        {"no member records", [](Copy& t) { t.data.match(1)->calcs.clear(); }, Result::Yes,
         QStringLiteral("Matchbestand niet geladen")},
        {"no current match", [](Copy& t) { t.data.CurrentMatch.match = 0; }, Result::Yes,
         QStringLiteral("Matchbestand niet geladen")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.match(1)->calcs = before;
        ASSERT_TRUE(LoadHeader(data, 1));
        data.CurrentMatch.match = 1;
        sink.shown.clear();
        c.setUp(*this);
        const std::vector<TCalcObj> start = data.match(1)->calcs;
        EXPECT_FALSE(copy(0, c.answer));
        QStringList expected{kCopyQuestion};
        if (!c.message.isEmpty())
            expected << c.message;
        EXPECT_EQ(sink.texts(), expected);
        EXPECT_EQ(data.match(1)->calcs, start);
    }
}

TEST_F(Copy, ADateWithoutLeadingZerosIsTheSameDate)
{
    data.CurrentMatch.header.setMatchDate(u"5-3-2026");
    EXPECT_TRUE(copy(0));
}

TEST_F(Copy, PlayerPositionsFollowTheMembersByClubNumber)
{
    const auto positions = playerPositions(members, *schedule);
    ASSERT_TRUE(positions);
    EXPECT_EQ((*positions)[engine::Men][2], 3);
    EXPECT_EQ((*positions)[engine::Ladies][4], 8);
    EXPECT_EQ((*positions)[engine::Men][5], 0);

    // Shuffled after the schedule was made: man 1 (member 1) and man 2 (member 3) changed places.
    MemberList shuffled = members;
    shuffled.exchange(1, 3);
    const auto moved = playerPositions(shuffled, *schedule);
    ASSERT_TRUE(moved);
    EXPECT_EQ((*moved)[engine::Men][1], 3);
    EXPECT_EQ((*moved)[engine::Men][2], 1);
    // Marked present afterwards: the schedule's players are still found.
    MemberList longer = members;
    longer.at(9).setRaw(MemberField::Actie, "2");
    EXPECT_TRUE(playerPositions(longer, *schedule));
    // A player's member removed, or two members with one club number: nobody can be credited safely.
    MemberList shorter = members;
    shorter.remove(8);
    EXPECT_FALSE(playerPositions(shorter, *schedule));
    MemberList twice = members;
    twice.at(9).setClubNr(kClubNr[0]);
    EXPECT_FALSE(playerPositions(twice, *schedule));
}
