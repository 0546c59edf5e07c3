// tandemx-cli schedule: golden outputs for small evenings (worked out by hand, see each case), a member
// file with player codes, the text format and the refused inputs.
#include "records/MemberFile.h"

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace {

CliRun schedule(const QStringList& args) { return runCli(QStringLiteral("schedule"), args); }

QJsonObject parse(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << text.toStdString();
    return doc.object();
}

struct Golden {
    const char* name;
    QStringList args;
    const char* json;
};

// 1. Five men, one court, two rounds. Round 1 takes (1,2),(3,4). Man 5 paused: class 6, the others
//    class 1; with one paused player (<= 2 courts' pairs) the pairs with him weigh 32, the rest 2.
//    The selection sort of (1,3)(1,4)(1,5)(2,3)(2,4)(2,5)(3,5)(4,5) gives (1,5)(2,5)(3,5)(4,5)(2,4)
//    (1,4)(1,3)(2,3). Round 2 must include man 5: (1,5) then (2,4); counts 2 2 1 2 1 balance (max 2,
//    min 1). The meeting score of (1,5) against (2,4) is 2 + 1; one court keeps that order.
// 2. Four men and four ladies, one doubles round of one court each and one mixed round of two courts.
//    Ladies take court 2 after the men. The fresh mixed pool weighs 2 everywhere and stays in order;
//    the search takes (1,1) (2,2) (3,3) (4,4): everybody played once, the projected counts are all 2.
// 3. Nine men, courts 2 and 0. Court check: 4 x (0 + 2) < 9 in round 2 gives the warning and the
//    question (answered No). Round 1 takes (1,2)..(7,8); man 9 paused and has eligible pairs, so the
//    search of round 2 with no courts ends with one must-play player for no places: "Banen te weinig"
//    with court warnings on, count 0, an empty range (1, 0).
// 4. Case 2 with "Dames op de 1e banen": the ladies take court 1 and the men court 2; mixed courts
//    start at court 1 all the same.
const Golden kGolden[] = {
    {"five men", {"--men", "5", "--ladies", "0", "--doubles", "2", "--mixed", "0", "--courts", "1"},
     R"({"mode": 2, "men": 5, "ladies": 0, "doublesRounds": 2, "mixedRounds": 0, "courts": 1, "pauseLevel": 3,
         "courtsPerRound": {"men": [1, 1], "ladies": [0, 0], "mixed": []},
         "rounds": [
           {"round": 1, "men": [1, 1], "ladies": [0, 0], "mixed": [0, 0], "courts": [[1, 2, 3, 4]]},
           {"round": 2, "men": [1, 1], "ladies": [0, 0], "mixed": [0, 0], "courts": [[1, 5, 2, 4]]}],
         "timesPlayed": {"men": [2, 2, 1, 2, 1], "ladies": []},
         "messages": [], "warnings": []})"},
    {"four and four", {"--men", "4", "--ladies", "4", "--doubles", "1", "--mixed", "1", "--courts", "2"},
     R"({"mode": 2, "men": 4, "ladies": 4, "doublesRounds": 1, "mixedRounds": 1, "courts": 2, "pauseLevel": 3,
         "courtsPerRound": {"men": [1], "ladies": [1], "mixed": [2]},
         "rounds": [
           {"round": 1, "men": [1, 1], "ladies": [2, 2], "mixed": [0, 0], "courts": [[1, 2, 3, 4], [1, 2, 3, 4]]},
           {"round": 2, "men": [0, 0], "ladies": [0, 0], "mixed": [1, 2], "courts": [[1, 1, 2, 2], [3, 3, 4, 4]]}],
         "timesPlayed": {"men": [2, 2, 2, 2], "ladies": [2, 2, 2, 2]},
         "messages": [], "warnings": []})"},
    {"ladies first", {"--men", "4", "--ladies", "4", "--doubles", "1", "--mixed", "1", "--courts", "2", "--ladies-first"},
     R"({"mode": 2, "men": 4, "ladies": 4, "doublesRounds": 1, "mixedRounds": 1, "courts": 2, "pauseLevel": 3,
         "courtsPerRound": {"men": [1], "ladies": [1], "mixed": [2]},
         "rounds": [
           {"round": 1, "men": [2, 2], "ladies": [1, 1], "mixed": [0, 0], "courts": [[1, 2, 3, 4], [1, 2, 3, 4]]},
           {"round": 2, "men": [0, 0], "ladies": [0, 0], "mixed": [1, 2], "courts": [[1, 1, 2, 2], [3, 3, 4, 4]]}],
         "timesPlayed": {"men": [2, 2, 2, 2], "ladies": [2, 2, 2, 2]},
         "messages": [], "warnings": []})"},
    {"no courts", {"--men", "9", "--ladies", "0", "--doubles", "2", "--mixed", "0", "--courts", "2", "--men-courts", "2,0"},
     R"({"mode": 2, "men": 9, "ladies": 0, "doublesRounds": 2, "mixedRounds": 0, "courts": 2, "pauseLevel": 3,
         "courtsPerRound": {"men": [2, 0], "ladies": [0, 0], "mixed": []},
         "rounds": [
           {"round": 1, "men": [1, 2], "ladies": [0, 0], "mixed": [0, 0], "courts": [[1, 2, 3, 4], [5, 6, 7, 8]]},
           {"round": 2, "men": [1, 0], "ladies": [0, 0], "mixed": [0, 0], "courts": []}],
         "timesPlayed": {"men": [1, 1, 1, 1, 1, 1, 1, 1, 0], "ladies": []},
         "messages": [" Wilt U stoppen", "Geen oplossing heren-tandem     Banen te weinig ! :  in ronde : 2"],
         "warnings": ["Te weinig banen gekozen Ronde : 2"]})"},
};

TEST(ScheduleCommand, GoldenOutputs)
{
    for (const Golden& g : kGolden) {
        const CliRun run = schedule(g.args);
        EXPECT_EQ(run.exitCode, 0) << g.name;
        EXPECT_TRUE(run.err.isEmpty()) << g.name;
        EXPECT_EQ(parse(run.out), parse(g.json)) << g.name << "\n" << run.out.toStdString();
    }
}

// A member file with player codes. Taken as men, in list order: Bram (code "A": round 1 only), the
// member without a last name (reported), Piet (" h"), Gijs ("x"), Teun; not taken: "-", "0" and the
// ladies. No ladies, so no mixed round. Round 1 as in golden case 1; round 2 has no man 1: from the
// sorted pool (2,5)(3,5)(4,5)(2,4)(2,3) the choice (2,5) cannot be completed, so the search backtracks
// to (3,5),(2,4); counts 1 2 2 2 1.
TEST(ScheduleCommand, MembersWithCodes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("club.tdm"));
    tandemx::MemberList list;
    struct M {
        int clubNr;
        const char *first, *last, *grp, *actie;
    };
    const M members[] = {{101, "Bram", "de Vries", "h", "A"}, {102, "Joost", "Hendriksen", "h", "-"},
                         {103, "Anne", "Jansen", "d", "-"},   {104, "Kees", "", "H ", "X"},
                         {105, "Piet", "Post", " h", "X"},    {106, "Gijs", "Bos", "h", "x"},
                         {107, "Teun", "Smit", "h", "X"},     {108, "Ria", "Hof", "d", "0"}};
    for (const M& m : members) {
        tandemx::TLedenObj r;
        r.setClubNr(int16_t(m.clubNr));
        r.setRaw(tandemx::MemberField::Voornaam, m.first);
        r.setRaw(tandemx::MemberField::Achternaam, m.last);
        r.setRaw(tandemx::MemberField::Grp, m.grp);
        r.setRaw(tandemx::MemberField::Actie, m.actie);
        list.append(r);
    }
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(tandemx::writeMemberFile(f, list));
    }
    tandemx::TConfigObj config = tandemx::TConfigObj::withDefaults();
    config.keyData.courts = 1;
    config.keyData.doublesRounds = 2;
    config.keyData.mixedRounds = 1;
    ASSERT_TRUE(tandemx::saveFileAtomically(tandemx::configFileName(path), config.toBytes()).isEmpty());

    const CliRun run = schedule({QStringLiteral("--members"), path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(parse(run.out), parse(R"({"mode": 1, "men": 5, "ladies": 0, "doublesRounds": 2, "mixedRounds": 0,
         "courts": 1, "pauseLevel": 3,
         "courtsPerRound": {"men": [1, 1], "ladies": [0, 0], "mixed": []},
         "rounds": [
           {"round": 1, "men": [1, 1], "ladies": [0, 0], "mixed": [0, 0], "courts": [[1, 2, 3, 4]]},
           {"round": 2, "men": [1, 1], "ladies": [0, 0], "mixed": [0, 0], "courts": [[3, 5, 2, 4]]}],
         "timesPlayed": {"men": [1, 2, 2, 2, 1], "ladies": []},
         "messages": ["Actief lid: 104 heeft geen achternaam!"], "warnings": []})"))
        << run.out.toStdString();

    // Without the key-data file the defaults apply: 4 + 2 rounds and 9 courts, lowered to one court.
    ASSERT_TRUE(QFile::remove(tandemx::configFileName(path)));
    const QJsonObject defaults = parse(schedule({QStringLiteral("--members"), path}).out);
    EXPECT_EQ(defaults["doublesRounds"].toInt(), 4);
    EXPECT_EQ(defaults["courtsPerRound"].toObject()["men"].toArray().first().toInt(), 1);
    EXPECT_EQ(defaults["warnings"].toArray().first().toString(), QStringLiteral("Te veel banen gekozen   Ronde : 1"));
}

TEST(ScheduleCommand, SampleClubAndTextFormat)
{
    const QString club = QStringLiteral(TANDEMX_EXAMPLES "/tennisclub.tdm");
    const CliRun json = schedule({QStringLiteral("--members"), club, QStringLiteral("--courts"), QStringLiteral("6")});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = parse(json.out);
    EXPECT_EQ(o["mode"].toInt(), 1);
    EXPECT_GT(o["men"].toInt(), 0);
    EXPECT_GT(o["ladies"].toInt(), 0);
    EXPECT_EQ(o["rounds"].toArray().size(), o["doublesRounds"].toInt() + o["mixedRounds"].toInt());

    const CliRun text = schedule({QStringLiteral("--men"), QStringLiteral("8"), QStringLiteral("--ladies"), QStringLiteral("0"),
                               QStringLiteral("--doubles"), QStringLiteral("1"), QStringLiteral("--mixed"),
                               QStringLiteral("0"), QStringLiteral("--courts"), QStringLiteral("2"),
                               QStringLiteral("--format"), QStringLiteral("text")});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("court  2  men       5   6  -    7   8")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("men   : 1 1 1 1 1 1 1 1")) << text.out.toStdString();
}

TEST(ScheduleCommand, LimitsAreRefused)
{
    const QStringList refused[] = {
        {"--men", "150", "--ladies", "51"},
        {"--courts", "33"},
        {"--doubles", "20", "--mixed", "5"},
        {"--men", "-1"},
        {"--pause2", "-2"},
        {"--men-courts", "4,-1"},
        {"--men", "eight"},
        {"--members", "/nonexistent/club.tdm"},
        {"--format", "xml"},
        {"--rounds", "4"},
    };
    for (const QStringList& args : refused) {
        const CliRun run = schedule(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.endsWith('\n') && run.err.count('\n') == 1) << run.err.toStdString();
    }
    // The limits themselves are allowed.
    const CliRun full = schedule({"--men", "200", "--ladies", "0", "--doubles", "0", "--mixed", "0", "--courts", "32"});
    EXPECT_EQ(full.exitCode, 0) << full.err.toStdString();
    EXPECT_EQ(parse(full.out)["men"].toInt(), 200);
}

} // namespace

// The fast engine (the default) and the reference engine print the same bytes.
TEST(ScheduleCommand, EnginesPrintTheSameSchedule)
{
    std::vector<QStringList> inputs;
    for (const Golden& g : kGolden)
        inputs.push_back(g.args);
    inputs.push_back({"--men", "13", "--ladies", "11", "--doubles", "6", "--mixed", "4", "--courts", "5", "--varied-pairs"});
    inputs.push_back({"--men", "8", "--ladies", "8", "--doubles", "0", "--mixed", "3", "--courts", "4", "--varied-pairs"});
    inputs.push_back({"--men", "10", "--ladies", "7", "--doubles", "5", "--mixed", "3", "--courts", "4", "--pause2", "2",
                      "--group-vs-group", "--format", "text"});
    for (const QStringList& args : inputs) {
        const CliRun reference = schedule(args + QStringList{"--engine", "reference"});
        const CliRun fast = schedule(args + QStringList{"--engine", "fast"});
        ASSERT_EQ(reference.exitCode, 0) << args.join(' ').toStdString() << reference.err.toStdString();
        EXPECT_EQ(fast.out, reference.out) << args.join(' ').toStdString();
        EXPECT_EQ(schedule(args).out, fast.out) << args.join(' ').toStdString();
    }
    const CliRun wrong = schedule({"--engine", "literal"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.out.isEmpty());
}

// Eight men and eight ladies on four courts with "Steeds ander begin paren": every mixed round is
// planned in full (from round 2 on by the mend), without a message.
TEST(ScheduleCommand, VariedPairsMixedRoundsAreAllPlanned)
{
    const CliRun run = schedule({"--men", "8", "--ladies", "8", "--doubles", "0", "--mixed", "3", "--courts", "4",
                                 "--varied-pairs"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = parse(run.out);
    EXPECT_EQ(json["messages"].toArray().size(), 0);
    const QJsonArray rounds = json["rounds"].toArray();
    ASSERT_EQ(rounds.size(), 3);
    for (const auto& round : rounds) {
        EXPECT_EQ(round.toObject()["mixed"].toArray(), (QJsonArray{1, 4}));
        EXPECT_EQ(round.toObject()["courts"].toArray().size(), 4);
    }
}

// --spread ("Tegenstanders spreiden"): the same JSON, with the courts placed again. Eight men and eight
// ladies play three mixed rounds on four courts; the calculation puts the same two men on each court
// every round, the spread schedule no two men twice on one court. Every round keeps its ranges and the
// players of each block; the counts and messages stay. overview and print take the option too: the
// cross table of the spread schedule names nobody met twice in a slot (the "(n)" after a name).
TEST(ScheduleCommand, SpreadPlacesTheCourtsAgainWithinTheRounds)
{
    const QStringList args{"--men", "8", "--ladies", "8", "--doubles", "0", "--mixed", "3", "--courts", "4"};
    const CliRun plainRun = schedule(args);
    const CliRun spreadRun = schedule(args + QStringList{"--spread"});
    ASSERT_EQ(spreadRun.exitCode, 0) << spreadRun.err.toStdString();
    const QJsonObject plain = parse(plainRun.out), spread = parse(spreadRun.out);
    EXPECT_EQ(spread.keys(), plain.keys());
    for (const char* key : {"mode", "men", "ladies", "courtsPerRound", "timesPlayed", "messages", "warnings"})
        EXPECT_EQ(spread[key], plain[key]) << key;
    const QJsonArray plainRounds = plain["rounds"].toArray(), spreadRounds = spread["rounds"].toArray();
    ASSERT_EQ(spreadRounds.size(), 3);
    auto menPairs = [](const QJsonArray& rounds) {
        std::vector<std::pair<int, int>> pairs;
        for (const auto& round : rounds)
            for (const auto& court : round.toObject()["courts"].toArray()) {
                const QJsonArray c = court.toArray();
                pairs.push_back({std::min(c[0].toInt(), c[2].toInt()), std::max(c[0].toInt(), c[2].toInt())});
            }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    };
    for (int r = 0; r < 3; ++r) {
        const QJsonObject a = plainRounds[r].toObject(), b = spreadRounds[r].toObject();
        for (const char* key : {"round", "men", "ladies", "mixed"})
            EXPECT_EQ(b[key], a[key]) << key;
        std::multiset<int> men[2], ladies[2];
        for (int which = 0; which < 2; ++which)
            for (const auto& court : (which == 0 ? a : b)["courts"].toArray()) {
                const QJsonArray c = court.toArray();
                men[which].insert({c[0].toInt(), c[2].toInt()});
                ladies[which].insert({c[1].toInt(), c[3].toInt()});
            }
        EXPECT_EQ(men[1], men[0]) << "round " << r + 1;
        EXPECT_EQ(ladies[1], ladies[0]) << "round " << r + 1;
    }
    const auto plainPairs = menPairs(plainRounds), spreadPairs = menPairs(spreadRounds);
    EXPECT_NE(std::adjacent_find(plainPairs.begin(), plainPairs.end()), plainPairs.end());
    EXPECT_EQ(std::adjacent_find(spreadPairs.begin(), spreadPairs.end()), spreadPairs.end());

    const CliRun plainCross = runCli(QStringLiteral("overview"), QStringList{"--kind", "4"} + args);
    const CliRun spreadCross = runCli(QStringLiteral("overview"), QStringList{"--kind", "4", "--spread"} + args);
    ASSERT_EQ(spreadCross.exitCode, 0) << spreadCross.err.toStdString();
    EXPECT_TRUE(plainCross.out.contains(" ("));
    EXPECT_FALSE(spreadCross.out.contains(" (")) << spreadCross.out.toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("kruis.pdf"));
    const CliRun printed = runCli(QStringLiteral("print"), QStringList{"--kind", "4", "--pdf", pdf, "--spread"} + args);
    EXPECT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
}
