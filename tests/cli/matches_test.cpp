// tandemx-cli matches: the match file beside a member file as JSON and as text, a file written before
// members were added, and the refused inputs.
#include "matches/MatchFile.h"
#include "records/MemberFile.h"

#include "CliRun.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace tandemx;

namespace {

CliRun matches(const QStringList& args) { return runCli(QStringLiteral("matches"), args); }

QJsonObject parse(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n" << text.toStdString();
    return doc.object();
}

struct MatchesCommand : ::testing::Test {
    QTemporaryDir dir;
    QString memberFile;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        memberFile = dir.filePath(QStringLiteral("club.tdm"));
    }
    QString calFile() const { return dir.filePath(QStringLiteral("club.CAL")); }

    // Members "Voornaam<i> Naam<i>".
    void writeMembers(int count)
    {
        KeyData k;
        k.clubSize = int16_t(count);
        MemberList list = createMemberList(k, NoFileName);
        for (int i = 1; i <= count; ++i) {
            list.at(i).setText(MemberField::Voornaam, QStringLiteral("Voornaam%1").arg(i));
            list.at(i).setText(MemberField::Achternaam, QStringLiteral("Naam%1").arg(i));
        }
        QFile f(memberFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(writeMemberFile(f, list));
    }

    void writeMatches(const std::vector<TMatchCalcObj>& list, int memberCount)
    {
        QFile f(calFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        int failed = 0;
        ASSERT_EQ(writeMatchFile(f, list, memberCount, &failed), 0);
    }

    // Two matches of three members: match 2 counts sets, has games for member 2 and scores in rounds 1
    // and 24.
    std::vector<TMatchCalcObj> season()
    {
        std::vector<TMatchCalcObj> list{TMatchCalcObj::fresh(1, 3, 6, u"05-03-2026"),
                                        TMatchCalcObj::fresh(2, 3, 4, u"12-03-2026")};
        list[1].header.InputMode = 1;
        list[1].calcs[2] = {17, 6, 13, 2, 1, 3, 1};
        list[1].scores[1].at(3, 1) = 6;
        list[1].scores[1].at(3, 2) = 6;
        list[1].scores[24].at(32, 4) = -1;
        return list;
    }
};

} // namespace

TEST_F(MatchesCommand, JsonShowsHeadersMemberRecordsAndNonZeroCourtScores)
{
    writeMembers(3);
    writeMatches(season(), 3);
    const CliRun run = matches({memberFile});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QString fresh = QStringLiteral(
        R"("clubNr": 0, "games": 0, "totalGames": 0, "gamesPlace": 1, "sets": 0, "totalSets": 0, "setsPlace": 1)");
    const QString expected = QStringLiteral(R"({"file": "%1", "memberFile": "%2", "memberCount": 3,
        "fileMemberCount": 3, "matchCount": 2, "matches": [
          {"matchNr": 1, "inputMode": 0, "inputModeName": "Games", "matchRounds": 6, "matchDate": "05-03-2026",
           "members": [{"position": 1, "name": "Voornaam1 Naam1", %3},
                       {"position": 2, "name": "Voornaam2 Naam2", %3},
                       {"position": 3, "name": "Voornaam3 Naam3", %3}],
           "courtScores": []},
          {"matchNr": 2, "inputMode": 1, "inputModeName": "Sets", "matchRounds": 4, "matchDate": "12-03-2026",
           "members": [{"position": 1, "name": "Voornaam1 Naam1", %3},
                       {"position": 2, "name": "Voornaam2 Naam2", "clubNr": 17, "games": 6, "totalGames": 13,
                        "gamesPlace": 2, "sets": 1, "totalSets": 3, "setsPlace": 1},
                       {"position": 3, "name": "Voornaam3 Naam3", %3}],
           "courtScores": [{"round": 1, "court": 3, "places": [6, 6, 0, 0]},
                           {"round": 24, "court": 32, "places": [0, 0, 0, -1]}]}]})")
                                 .arg(calFile(), memberFile, fresh);
    EXPECT_EQ(parse(run.out), parse(expected.toUtf8()));
}

TEST_F(MatchesCommand, TextFormat)
{
    writeMembers(2);
    std::vector<TMatchCalcObj> list{TMatchCalcObj::fresh(1, 2, 5, u"05-03-2026")};
    list[0].calcs[1] = {12, 7, 7, 1, 0, 0, 1};
    list[0].scores[2].at(1, 1) = 7;
    writeMatches(list, 2);
    const CliRun run = matches({memberFile, QStringLiteral("--format"), QStringLiteral("text")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString expected = QStringLiteral("Matchbestand: ") + calFile() + QStringLiteral(
        "\n"
        "Leden: 2  Matches: 1\n"
        "Match 1  Games  ronden 5  datum 05-03-2026\n"
        "    Nr  Club  Naam                             Games Tot.Gms Plaats  Sets Tot.Sets Plaats\n"
        "     1    12  Voornaam1 Naam1                      7       7      1     0        0      1\n"
        "     2     0  Voornaam2 Naam2                      0       0      1     0        0      1\n"
        "  Ronde  2  baan  1:   7   0   0   0\n");
    EXPECT_EQ(QString::fromUtf8(run.out), expected);
}

TEST_F(MatchesCommand, AFileWrittenBeforeMembersWereAddedIsShownForTheWholeList)
{
    writeMembers(5);
    writeMatches(season(), 3);
    const CliRun run = matches({memberFile});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject root = parse(run.out);
    EXPECT_EQ(root["memberCount"].toInt(), 5);
    EXPECT_EQ(root["fileMemberCount"].toInt(), 3);
    const QJsonArray members = root["matches"].toArray()[1].toObject()["members"].toArray();
    ASSERT_EQ(members.size(), 5);
    EXPECT_EQ(members[1].toObject()["totalGames"].toInt(), 13);
    EXPECT_EQ(members[4].toObject()["name"].toString(), QStringLiteral("Voornaam5 Naam5"));
    EXPECT_EQ(members[4].toObject()["gamesPlace"].toInt(), 1);
    EXPECT_EQ(members[4].toObject()["games"].toInt(), 0);
    EXPECT_EQ(root["matches"].toArray()[1].toObject()["courtScores"].toArray().size(), 2);
}

TEST_F(MatchesCommand, RefusedInputsGiveOneLineAndStatusTwo)
{
    writeMembers(3);
    writeMatches(season(), 3);
    QFile cal(calFile());
    ASSERT_TRUE(cal.open(QIODevice::ReadWrite));
    const QByteArray whole = cal.readAll();
    cal.close();

    struct Case {
        const char* name;
        QByteArray calBytes; // empty: no match file
        QStringList args;
        QString error;
    };
    const QString missingMembers = dir.filePath(QStringLiteral("none.tdm"));
    const Case cases[] = {
        {"damaged", whole.left(whole.size() - 300), {memberFile},
         QStringLiteral("Matchlijst is niet correctmatch: 2 (") + calFile() + QStringLiteral(")")},
        {"negative count", QByteArray("\xfe\xff", 2) + whole.mid(2), {memberFile},
         QStringLiteral("Matchlijst is niet correctmatch: -2 (") + calFile() + QStringLiteral(")")},
        {"no match file", {}, {memberFile}, QStringLiteral("Matchlijst bestaat niet: ") + calFile()},
        {"no member file", whole, {missingMembers}, {}},
        {"unknown format", whole, {memberFile, QStringLiteral("--format"), QStringLiteral("xml")},
         QStringLiteral("unknown format: xml")},
        {"no file named", whole, {}, QStringLiteral("usage: tandemx-cli matches FILE.tdm [--format json|text]")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(calFile());
        if (!c.calBytes.isEmpty()) {
            QFile f(calFile());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.calBytes);
        }
        const CliRun run = matches(c.args);
        EXPECT_EQ(run.exitCode, 2);
        // A damaged file still lists the matches before the damage.
        if (c.name == std::string("damaged"))
            EXPECT_EQ(QJsonDocument::fromJson(run.out).object()["matchCount"].toInt(), 1);
        else
            EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_TRUE(run.err.startsWith("tandemx-cli: "));
        if (!c.error.isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(run.err), QStringLiteral("tandemx-cli: ") + c.error + QStringLiteral("\n"));
        }
    }
}
