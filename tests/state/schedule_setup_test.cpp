// The set-up rules without the window: what a count may be and which message refuses it, the play
// date as typed, the defaults of an opening, the players from the member list and the table limits.
#include "state/ScheduleSetup.h"

#include "engine/QuietHost.h"

#include "records/MemberOps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tandemx;
using namespace tandemx::setup;

namespace {

const QString Big = QStringLiteral(" niet toegestaan\n\r corrigeer (zonodig) invoer");
const QString Wrong = QStringLiteral(" bestaat niet\n\r corrigeer (zonodig) invoer");

TEST(ScheduleSetup, CountChecksAndTheirMessages)
{
    // 25 members; the stored counts: 12 men, 10 ladies, 4 + 2 rounds, 6 courts.
    engine::ScheduleSettings stored;
    stored.NumMen = 12;
    stored.NumLadies = 10;
    stored.NumDoublesRounds = 4;
    stored.NumMixedRounds = 2;
    stored.NumCourts = 6;
    const CountLimits club{25, 4, 2, 6};
    // A club whose key data allow more than the tables hold.
    const CountLimits huge = countLimits(KeyData{.clubSize = 400, .doublesRounds = 30, .mixedRounds = 30, .courts = 99}, 400);
    EXPECT_EQ(huge.doublesRounds, 24);
    EXPECT_EQ(huge.mixedRounds, 24);
    EXPECT_EQ(huge.courts, 32);

    struct Case {
        const char* name;
        int tag;
        const char* text;
        CountLimits limits;
        int error; // -1: no number
        QString message;
    };
    const Case cases[] = {
        {"men ok", Heren, " 8 ", club, 0, {}},
        {"men = members - ladies", Heren, "15", club, 0, {}},
        {"men above members", Heren, "26", club, 11, "Aantal  heren te groot: 26" + Big},
        {"men + ladies above members", Heren, "16", club, 12, "Aantal  heren te groot: 16" + Big},
        {"ladies + men above members", Dames, "14", club, 12, "Aantal  dames te groot: 14" + Big},
        {"negative men", Heren, "-5", club, 1, "Aantal  heren foutief: -5" + Wrong},
        {"negative ladies", Dames, "-5", club, 2, "Aantal  dames foutief: -5" + Wrong},
        {"200 men", Heren, "200", huge, 0, {}},
        {"men above 200", Heren, "201", huge, 11, "Aantal  heren te groot: 201" + Big},
        {"ladies above 200", Dames, "201", huge, 12, "Aantal  dames te groot: 201" + Big},
        {"188 ladies beside 12 men", Dames, "188", huge, 0, {}},
        {"not a number", Heren, "1x", club, -1, {}},
        {"empty", Dames, "", club, -1, {}},
        {"doubles rounds", Tandem, "5", club, 13, "Aantal  tandem te groot: 5" + Big},
        {"negative doubles rounds", Tandem, "-3", club, 3, "Aantal  tandem foutief: -3" + Wrong},
        {"doubles rounds 22 + 2 mixed", Tandem, "22", huge, 0, {}},
        {"doubles rounds 23 + 2 mixed", Tandem, "23", huge, 13, "Aantal  tandem te groot: 23" + Big},
        {"doubles rounds 30 from the key data", Tandem, "30", huge, 13, "Aantal  tandem te groot: 30" + Big},
        {"mixed rounds", Mix, "3", club, 14, "Aantal  Mixtandem te groot: 3" + Big},
        {"mixed rounds 20 + 4 doubles", Mix, "20", huge, 0, {}},
        {"mixed rounds 21 + 4 doubles", Mix, "21", huge, 14, "Aantal  Mixtandem te groot: 21" + Big},
        {"courts", Banen, "7", club, 20, "Aantal  banen te groot: 7" + Big},
        {"courts 32", Banen, "32", huge, 0, {}},
        {"courts 33", Banen, "33", huge, 20, "Aantal  banen te groot: 33" + Big},
        {"courts 99999", Banen, "99999", club, 20, "Aantal  banen te groot: 99999" + Big},
        {"courts beyond an int", Banen, "99999999999", club, 20, "Aantal  banen te groot: 99999999999" + Big},
        {"negative courts", Banen, "-1", club, 5, "Aantal  banen foutief: -1" + Wrong},
        {"men's grid", 11, "7", club, 20, "Aantal heren ronde 1 te groot: 7" + Big},
        {"ladies' grid 33", 22, "33", huge, 20, "Aantal dames ronde 6 te groot: 33" + Big},
        {"negative mixed grid reads too large", 24, "-2", club, 24, "Aantal Mixed paar ronde 2te groot: -2" + Big},
        {"mixed grid ok", 28, "6", club, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CountCheck check = checkCount(c.tag, QString::fromLatin1(c.text), stored, c.limits);
        EXPECT_EQ(check.notNumber, c.error == -1);
        EXPECT_EQ(check.error, std::max(c.error, 0));
        EXPECT_EQ(check.message.toStdString(), c.message.toStdString());
        if (c.error == 0) {
            EXPECT_EQ(check.value, QString::fromLatin1(c.text).trimmed().toInt());
        }
    }
}

TEST(ScheduleSetup, PlayDateAsTyped)
{
    const QDate today(2026, 12, 11);
    struct Case {
        const char* typed;
        QDate date; // invalid: no date
    };
    const Case cases[] = {
        {"5", QDate(2026, 12, 5)},
        {"31", QDate(2026, 12, 31)},
        {"0102", QDate(2026, 2, 1)},
        {"010227", QDate(2027, 2, 1)},
        {"29022028", QDate(2028, 2, 29)},
        {"3-4-2027", QDate(2027, 4, 3)},
        {" 3.4.27 ", QDate(2027, 4, 3)},
        {"3/4", QDate(2026, 4, 3)},
        {"29022027", {}},
        {"32", {}},
        {"3-4-202", {}},
        {"123", {}},
        {"morgen", {}},
        {"", {}},
        {"1-2-3-4", {}},
        {"-5", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<QDate> date = parsePlayDate(QString::fromLatin1(c.typed), today);
        EXPECT_EQ(date.has_value(), c.date.isValid());
        if (date) {
            EXPECT_EQ(*date, c.date);
        }
    }
    EXPECT_EQ(playDateText(QDate(2027, 2, 1)), QStringLiteral("1-2-2027"));
}

TEST(ScheduleSetup, ModeDefaultsStayWithinTheTables)
{
    struct Case {
        int doubles, mixed, courts;
        int wantDoubles, wantMixed, wantCourts;
    };
    const Case cases[] = {
        {4, 2, 9, 4, 2, 9},
        {30, 2, 9, 24, 0, 9},
        {20, 10, 40, 20, 4, 32},
        {-3, -1, -2, 0, 0, 0},
        {0, 24, 32, 0, 24, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.doubles << " + " << c.mixed << " rounds, " << c.courts << " courts");
        KeyData kd;
        kd.doublesRounds = c.doubles;
        kd.mixedRounds = c.mixed;
        kd.courts = int16_t(c.courts);
        engine::ScheduleSettings in;
        engine::CourtsPerRoundTable courts;
        courts.mixed.fill(7);
        applyModeDefaults(in, courts, kd);
        EXPECT_EQ(in.NumMen, 0);
        EXPECT_EQ(in.NumLadies, 0);
        EXPECT_EQ(in.NumDoublesRounds, c.wantDoubles);
        EXPECT_EQ(in.NumMixedRounds, c.wantMixed);
        EXPECT_EQ(in.NumCourts, c.wantCourts);
        EXPECT_EQ(in.PlayOptions, engine::PlayOption::VariedPairs);
        EXPECT_EQ(in.PauseOptions, 0);
        for (int r = 1; r <= 24; ++r)
            EXPECT_EQ(courts.mixed[size_t(r)], r <= 6 ? 0 : 7) << r;
    }
}

TEST(ScheduleSetup, PlayersFromTheMemberList)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> members; // group, Actie
        int men, ladies, mixedRounds;
    };
    const Case cases[] = {
        {{{"h", "X"}, {"d", "X"}, {"H", "2"}, {"d", "-"}, {"d", "0"}, {"x", "X"}}, 2, 1, 2},
        {{{"h", "X"}, {"h", "X"}, {"d", "-"}}, 2, 0, 0},
        {{{"d", "A"}}, 0, 1, 0},
    };
    for (const Case& c : cases) {
        MemberList list;
        int n = 0;
        for (const auto& [grp, actie] : c.members) {
            ++n;
            TLedenObj r = makeMemberRecord(n, 300 + n, grp, actie);
            r.setText(MemberField::Achternaam, QStringLiteral("Lid%1").arg(n));
            list.append(r);
        }
        engine::QuietHost host;
        auto s = std::make_unique<engine::ScheduleState>();
        s->Settings.NumMixedRounds = 2;
        takePlayers(*s, host, list, KeyData{});
        EXPECT_EQ(s->Settings.NumMen, c.men);
        EXPECT_EQ(s->Settings.NumLadies, c.ladies);
        EXPECT_EQ(s->Settings.NumMixedRounds, c.mixedRounds);
        EXPECT_TRUE(host.messages.empty());
    }
    // The views hold the stored bytes of each member, in list order.
    MemberList list;
    list.append(makeMemberRecord(1, 301, "h", "X"));
    list.append(makeMemberRecord(2, 302, "d", "B1"));
    const MemberPlayers players(list);
    ASSERT_EQ(players.views().size(), 2u);
    EXPECT_EQ(players.views()[1].clubNr, 302);
    EXPECT_EQ(std::string(players.views()[1].actie.substr(0, 2)), "B1");
}

TEST(ScheduleSetup, TableLimits)
{
    struct Case {
        const char* name;
        int men, ladies, doubles, mixed, courts;
        int menCourts, ladiesCourts, mixedCourts; // of every round
        bool breaks;
    };
    const Case cases[] = {
        {"the limits themselves", 200, 0, 12, 12, 32, 16, 16, 32, false},
        {"no players, no rounds", 0, 0, 0, 0, 0, 0, 0, 0, false},
        {"201 players", 101, 100, 4, 2, 9, 3, 3, 9, true},
        {"201 men alone", 201, 0, 4, 0, 9, 3, 0, 0, true},
        {"negative men", -5, 10, 4, 2, 9, 3, 3, 9, true},
        {"negative doubles rounds", 10, 10, -3, 2, 9, 3, 3, 9, true},
        {"25 rounds", 10, 10, 20, 5, 9, 3, 3, 9, true},
        {"33 courts", 10, 10, 4, 2, 33, 3, 3, 9, true},
        {"negative courts", 10, 10, 4, 2, -1, 3, 3, 9, true},
        {"17 + 16 courts in a doubles round", 100, 100, 4, 2, 32, 17, 16, 9, true},
        {"33 mixed courts", 100, 100, 4, 2, 32, 3, 3, 33, true},
        {"33 mixed courts, no mixed rounds", 100, 100, 4, 0, 32, 3, 3, 33, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        engine::ScheduleSettings in;
        in.NumMen = c.men;
        in.NumLadies = c.ladies;
        in.NumDoublesRounds = c.doubles;
        in.NumMixedRounds = c.mixed;
        in.NumCourts = c.courts;
        engine::CourtsPerRoundTable courts;
        courts.men.fill(uint8_t(c.menCourts));
        courts.ladies.fill(uint8_t(c.ladiesCourts));
        courts.mixed.fill(uint8_t(c.mixedCourts));
        EXPECT_EQ(!tableLimitBreach(in, courts).isEmpty(), c.breaks) << tableLimitBreach(in, courts).toStdString();
    }
}

} // namespace
