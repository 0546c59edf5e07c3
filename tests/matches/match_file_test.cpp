// The match file byte for byte, loading and saving beside the member file, and the match list commands.
#include "matches/MatchFile.h"
#include "messages/ScriptedMessages.h"
#include "records/MemberFile.h"

#include "state/FileTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tandemx;

namespace {

// Offsets of the match file, written out independently of the record classes.
struct Layout {
    int members;
    qint64 block() const { return 6433 + 14 * qint64(members); }
    qint64 size(int count) const { return 2 + count * block(); }
    qint64 matchAt(int n) const { return 2 + (n - 1) * block(); }
    qint64 calcAt(int n, int member, int field) const { return matchAt(n) + 19 + 14 * member + 2 * field; }
    qint64 scoreAt(int n, int round, int court, int place) const
    {
        return matchAt(n) + 19 + 14 * (members + 1) + 256 * round + 8 * (court - 1) + 2 * (place - 1);
    }
};

// TCalcObj fields in file order.
enum Field { ClubNr, Games, TotalGames, GamesPlace, Sets, TotalSets, SetsPlace };

void put16(QByteArray& b, qint64 at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

// A file of count matches for members members: numbers 1..count, the given date, places 1, the rest 0.
QByteArray rawFile(int count, int members, const QByteArray& date = "05-03-2026")
{
    const Layout l{members};
    QByteArray b(l.size(count), '\0');
    put16(b, 0, count);
    for (int n = 1; n <= count; ++n) {
        put16(b, l.matchAt(n), n);
        put16(b, l.matchAt(n) + 4, 6);
        b[l.matchAt(n) + 6] = char(date.size());
        b.replace(l.matchAt(n) + 7, date.size(), date);
        for (int m = 0; m <= members; ++m) {
            put16(b, l.calcAt(n, m, GamesPlace), 1);
            put16(b, l.calcAt(n, m, SetsPlace), 1);
        }
    }
    return b;
}

MatchFileContents readBytes(const QByteArray& bytes, int memberCount)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readMatchFile(buffer, memberCount);
}

QByteArray writeBytes(const std::vector<TMatchCalcObj>& matches, int memberCount)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int failed = -1;
    EXPECT_EQ(writeMatchFile(buffer, matches, memberCount, &failed), 0);
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(data), data.size());
}

// Accepts the first limit bytes, then every write fails.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit) : limit_(limit) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        if (written_ + len > limit_)
            return -1;
        written_ += len;
        return len;
    }

private:
    qint64 limit_;
    qint64 written_ = 0;
};

struct MatchFixture : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    MatchData data;
    QTemporaryDir dir;
    QString memberFile;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        memberFile = dir.filePath(QStringLiteral("club.tdm"));
    }
    QString calFile() const { return dir.filePath(QStringLiteral("club.CAL")); }

    void makeMatches(int count, int members)
    {
        for (int n = 1; n <= count; ++n)
            ASSERT_TRUE(CreateMatch(data, n, members, 6, QStringLiteral("05-03-2026")));
        ASSERT_TRUE(LoadHeader(data, count));
        data.CurrentMatch.match = count;
    }
};

} // namespace

TEST(MatchRecords, TwoMatchesOfThirtyMembersLieAtTheDocumentedOffsets)
{
    MatchData data;
    ASSERT_TRUE(CreateMatch(data, 1, 30, 6, QStringLiteral("05-03-2026")));
    ASSERT_TRUE(CreateMatch(data, 2, 30, 8, QStringLiteral("12-03-2026")));
    TMatchCalcObj& m2 = *data.match(2);
    m2.header.InputMode = 1;
    m2.calcs[30] = {-7, 11, 23, 4, 2, 5, 9};
    m2.scores[24].at(32, 4) = -2;
    data.match(1)->scores[1].at(1, 1) = 6;
    data.match(1)->scores[3].at(2, 3) = 300;

    const QByteArray b = writeBytes(data.MatchList, 30);
    const Layout l{30};
    ASSERT_EQ(b.size(), 13708);
    ASSERT_EQ(l.matchAt(2), 6855);
    // The same file from the documented offsets: count, headers (number, mode, rounds, date with its
    // length byte), member records with places 1, court scores round by round.
    QByteArray expected = rawFile(2, 30);
    put16(expected, l.matchAt(2) + 2, 1);
    put16(expected, l.matchAt(2) + 4, 8);
    expected.replace(l.matchAt(2) + 6, 11, "\x0a" "12-03-2026");
    const int fields[] = {-7, 11, 23, 4, 2, 5, 9};
    for (int f = ClubNr; f <= SetsPlace; ++f)
        put16(expected, l.calcAt(2, 30, f), fields[f]);
    put16(expected, l.scoreAt(2, 24, 32, 4), -2);
    put16(expected, l.scoreAt(1, 1, 1, 1), 6);
    put16(expected, l.scoreAt(1, 3, 2, 3), 300);
    EXPECT_EQ(l.scoreAt(2, 24, 32, 4) + 2, b.size());
    EXPECT_EQ(b.toHex(' '), expected.toHex(' '));
}

TEST(MatchRecords, ReadingAndWritingKeepsEveryByte)
{
    // Stale characters after the date's length, negative numbers, scores in every round and in the
    // unused entries 0 all survive.
    QByteArray b = rawFile(3, 12, "1-3-2026");
    const Layout l{12};
    b.replace(l.matchAt(2) + 7 + 8, 4, "ZZ\xff!");
    for (int n = 1; n <= 3; ++n) {
        put16(b, l.matchAt(n) + 2, n % 2);
        for (int m = 0; m <= 12; ++m)
            for (int f = ClubNr; f <= SetsPlace; ++f)
                put16(b, l.calcAt(n, m, f), n * 1000 - m * 37 - f * 5);
        for (int r = 0; r <= 24; ++r)
            put16(b, l.scoreAt(n, r, 1 + (r + n) % 32, 1 + r % 4), r - 12);
    }
    const MatchFileContents read = readBytes(b, 12);
    ASSERT_EQ(read.errorState, 0);
    EXPECT_EQ(read.fileMemberCount, 12);
    ASSERT_EQ(read.matches.size(), 3u);
    EXPECT_EQ(read.matches[1].header.matchDate(), QStringLiteral("1-3-2026"));
    EXPECT_EQ(read.matches[2].calcs[12].TotalSets, 3000 - 12 * 37 - 25);
    EXPECT_EQ(read.matches[0].scores[5].at(7, 2), -7);
    EXPECT_EQ(writeBytes(read.matches, 12), b);
}

// A full club: a file of exactly 400 members reads back whole (401 are refused below).
TEST(MatchRecords, AMatchFileOfAFullClubReadsBack)
{
    QByteArray b = rawFile(2, MaxMembers);
    const Layout l{MaxMembers};
    put16(b, l.calcAt(2, MaxMembers, Games), 77);
    const MatchFileContents read = readBytes(b, MaxMembers);
    ASSERT_EQ(read.errorState, 0);
    EXPECT_EQ(read.fileMemberCount, MaxMembers);
    ASSERT_EQ(read.matches.size(), 2u);
    EXPECT_EQ(read.matches[1].calcs[MaxMembers].Games, 77);
    EXPECT_EQ(writeBytes(read.matches, MaxMembers), b);
}

TEST(MatchRecords, AMatchDateIsCutToTwelveCharacters)
{
    MatchHeader h;
    h.setMatchDate(QStringLiteral("05-03-2026 extra"));
    EXPECT_EQ(h.matchDate(), QStringLiteral("05-03-2026 e"));
    EXPECT_EQ(matchDateText(QDate(2026, 3, 5)), QStringLiteral("05-03-2026"));
}

TEST(MatchRecords, AFileWrittenForAnotherMemberCountIsFittedToTheMemberList)
{
    // Two matches written with 3 members; member m of match n has games 10n + m, and each match has a
    // court score after its member records.
    QByteArray b = rawFile(2, 3);
    const Layout l{3};
    for (int n = 1; n <= 2; ++n) {
        for (int m = 1; m <= 3; ++m)
            put16(b, l.calcAt(n, m, Games), 10 * n + m);
        put16(b, l.scoreAt(n, 4, 2, 3), 100 + n);
    }
    for (int current : {3, 5, 2, 0}) {
        SCOPED_TRACE(current);
        const MatchFileContents read = readBytes(b, current);
        ASSERT_EQ(read.errorState, 0);
        EXPECT_EQ(read.fileMemberCount, 3);
        ASSERT_EQ(read.matches.size(), 2u);
        for (int n = 1; n <= 2; ++n) {
            const TMatchCalcObj& m = read.matches[size_t(n - 1)];
            ASSERT_EQ(m.calcs.size(), size_t(current + 1));
            for (int member = 1; member <= current; ++member) {
                if (member <= 3)
                    EXPECT_EQ(m.calcs[size_t(member)].Games, 10 * n + member);
                else
                    EXPECT_EQ(m.calcs[size_t(member)], TCalcObj{});
            }
            EXPECT_EQ(m.scores[4].at(2, 3), 100 + n);
            EXPECT_EQ(m.header.MatchNr, n);
        }
        // Written again, the file has the layout of the current member count.
        EXPECT_EQ(writeBytes(read.matches, current).size(), Layout{current}.size(2));
    }
}

TEST(MatchRecords, DamagedFilesNameTheMatchThatCannotBeReadAndKeepThoseBefore)
{
    const Layout l30{30};
    auto withCount = [](QByteArray b, int count) {
        put16(b, 0, count);
        return b;
    };
    auto numbered = [&](int position, int nr) {
        QByteArray b = rawFile(3, 30);
        put16(b, l30.matchAt(position), nr);
        return b;
    };
    struct Case {
        const char* name;
        QByteArray bytes;
        int match;
    };
    const Case cases[] = {
        {"empty file", QByteArray(), 0},
        {"half a count", QByteArray(1, '\1'), 0},
        {"negative count", withCount(rawFile(2, 30), -3), -3},
        {"count 0 with matches behind it", withCount(rawFile(2, 30), 0), 0},
        {"last match cut short", rawFile(3, 30).left(int(l30.size(3) - 1)), 3},
        {"second match cut in its member records", rawFile(3, 30).left(int(l30.matchAt(2) + 100)), 2},
        {"count larger than the file", withCount(rawFile(2, 30), 5), 3},
        {"one byte too many", rawFile(2, 30) + QByteArray(1, '\0'), 2},
        {"block that fits no member count", withCount(rawFile(1, 30).left(6433 + 2 + 7), 1), 1},
        {"more members than a list can hold", rawFile(1, MaxMembers + 1), 1},
        {"match numbered out of order", numbered(2, 3), 2},
        {"match number 0", numbered(1, 0), 1},
        // Written for another member count and damaged: where 30 members put the second match there is
        // none, so the first one's records would come from the wrong places.
        {"file for 3 members, one byte too many", rawFile(2, 3) + QByteArray(1, '\0'), 1},
        {"file for 40 members, last match cut short", rawFile(3, 40).left(int(Layout{40}.size(3) - 1)), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MatchFileContents read = readBytes(c.bytes, 30);
        EXPECT_EQ(read.errorState, MatchListIncorrect);
        EXPECT_EQ(read.errorMatch, c.match);
        ASSERT_EQ(int(read.matches.size()), std::max(c.match - 1, 0));
        for (int n = 1; n < c.match; ++n)
            EXPECT_EQ(read.matches[size_t(n - 1)].header.MatchNr, n);
    }
}

TEST(MatchRecords, AFailingWriteNamesThePartAndTheMatch)
{
    const Layout l{4};
    std::vector<TMatchCalcObj> matches;
    for (int n = 1; n <= 2; ++n)
        matches.push_back(TMatchCalcObj::fresh(n, 4, 6, u"05-03-2026"));
    struct Case {
        const char* name;
        qint64 limit;
        int state, match;
    };
    const Case cases[] = {
        {"count", 1, MatchListIncorrect, 0},
        {"header of match 1", 2 + 18, MatchListIncorrect, 1},
        {"member records of match 1", l.calcAt(1, 4, 0) + 13, MatchListIncorrect, 1},
        {"court scores of match 1", l.scoreAt(1, 0, 1, 1) + 255, ScoreListIncorrect, 1},
        {"header of match 2", l.matchAt(2), MatchListIncorrect, 2},
        {"last round of match 2", l.size(2) - 1, ScoreListIncorrect, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FailingDevice device(c.limit);
        int match = -1;
        EXPECT_EQ(writeMatchFile(device, matches, 4, &match), c.state);
        EXPECT_EQ(match, c.match);
    }
    // A member list that does not fit the member count, and a missing round, are refused as well.
    FailingDevice roomy(1 << 20);
    int match = -1;
    EXPECT_EQ(writeMatchFile(roomy, matches, 5, &match), MatchListIncorrect);
    EXPECT_EQ(match, 1);
    matches[1].scores.pop_back();
    FailingDevice roomy2(1 << 20);
    EXPECT_EQ(writeMatchFile(roomy2, matches, 4, &match), ScoreListIncorrect);
    EXPECT_EQ(match, 2);
}

TEST_F(MatchFixture, ASavedMemberFileWithoutMatchFileStartsWithMatchOne)
{
    EXPECT_TRUE(LoadMatchFile(data, memberFile, 30, 7, QStringLiteral("10-12-2026"), messages));
    EXPECT_TRUE(sink.shown.empty());
    ASSERT_EQ(data.MatchCount(), 1);
    const TMatchCalcObj& m = *data.current();
    EXPECT_EQ(m.header.MatchNr, 1);
    EXPECT_EQ(m.header.InputMode, 0);
    EXPECT_EQ(m.header.MatchRounds, 7);
    EXPECT_EQ(m.header.matchDate(), QStringLiteral("10-12-2026"));
    EXPECT_EQ(m.calcs.size(), 31u);
    EXPECT_EQ(m.scores.size(), 25u);
    EXPECT_EQ(data.CurrentMatch.header, m.header);
    EXPECT_FALSE(QFile::exists(calFile())); // nothing is written by loading
}

TEST_F(MatchFixture, SavingAndLoadingBesideTheMemberFile)
{
    makeMatches(2, 30);
    data.match(2)->calcs[17].Games = 9;
    data.match(1)->scores[2].at(5, 1) = 4;
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    EXPECT_EQ(QFileInfo(calFile()).size(), 13708);
    EXPECT_EQ(data.memberFile, memberFile);

    MatchData loaded;
    EXPECT_TRUE(LoadMatchFile(loaded, memberFile, 30, 3, QStringLiteral("01-01-2027"), messages));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(loaded.MatchList, data.MatchList);
    EXPECT_EQ(loaded.CurrentMatch.match, 2);
    EXPECT_EQ(loaded.CurrentMatch.header, data.match(2)->header);
    EXPECT_EQ(messages.lastErrorState, 0);

    // Members added after the matches were made: the next save writes them all with fresh records.
    loaded.match(1)->calcs.resize(20); // a list that has fallen behind
    ASSERT_TRUE(SaveMatchFile(loaded, memberFile, 32, messages));
    EXPECT_EQ(QFileInfo(calFile()).size(), Layout{32}.size(2));
    EXPECT_EQ(loaded.match(1)->calcs.size(), 33u);
    EXPECT_EQ(loaded.match(2)->calcs[17].Games, 9);
    EXPECT_EQ(loaded.match(2)->calcs[32], TCalcObj{});
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(MatchFixture, ADamagedFileKeepsTheMatchesBeforeTheDamageAndTheFileItself)
{
    makeMatches(2, 30);
    data.match(1)->calcs[7].Games = 11;
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    const TMatchCalcObj first = *data.match(1);
    const QByteArray damaged = readAll(calFile()).left(13000); // match 2 is cut short
    writeAll(calFile(), damaged);

    // Match 1 is read; which match was damaged is said, and the file stays beside the next save's.
    EXPECT_FALSE(LoadMatchFile(data, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    const QString kept = calFile() + QStringLiteral(".beschadigd");
    ASSERT_EQ(sink.texts(), (QStringList{QStringLiteral("Matchlijst is niet correctmatch: 2"),
                                         QStringLiteral("Ingelezen: 1 match(es); het beschadigde bestand is bewaard als ") + kept}));
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_EQ(sink.shown[1].kind, Information);
    EXPECT_EQ(messages.lastErrorState, 6);
    ASSERT_EQ(data.MatchCount(), 1);
    EXPECT_EQ(*data.match(1), first);
    EXPECT_EQ(data.CurrentMatch.match, 1);
    EXPECT_EQ(readAll(calFile()), damaged);
    EXPECT_EQ(readAll(kept), damaged);
    // A second damaged load keeps its own copy: an earlier one is not written over.
    sink.shown.clear();
    EXPECT_FALSE(LoadMatchFile(data, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_EQ(readAll(kept + QStringLiteral("2")), damaged);

    // Nothing readable, loaded for the same member file: the list in memory stays.
    const QByteArray broken = damaged.left(3000);
    writeAll(calFile(), broken);
    sink.shown.clear();
    data.CurrentMatch.header.MatchRounds = 99;
    EXPECT_FALSE(LoadMatchFile(data, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_EQ(sink.texts().value(0), QStringLiteral("Matchlijst is niet correctmatch: 1"));
    EXPECT_EQ(data.MatchCount(), 1);
    EXPECT_EQ(data.CurrentMatch.header.MatchRounds, 99);
    EXPECT_EQ(readAll(calFile()), broken);

    // Loaded for another member file: that club does not get this club's matches.
    const QString other = dir.filePath(QStringLiteral("other.tdm"));
    writeAll(dir.filePath(QStringLiteral("other.CAL")), broken);
    EXPECT_FALSE(LoadMatchFile(data, other, 30, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_EQ(data.MatchCount(), 0);
    EXPECT_EQ(data.current(), nullptr);
    EXPECT_EQ(data.CurrentMatch.header, MatchHeader{});
}

TEST_F(MatchFixture, ADamagedFileThatCannotBeCopiedIsSaidToBeUnkept)
{
    makeMatches(2, 30);
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    const TMatchCalcObj first = *data.match(1);
    const QByteArray damaged = readAll(calFile()).left(13000); // match 2 is cut short
    writeAll(calFile(), damaged);
    tandemx::testing::takeEveryCopyName(calFile(), QStringLiteral(".beschadigd"));

    // The damage, then that the copy failed: the next save writes over the only copy there is.
    EXPECT_FALSE(LoadMatchFile(data, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    ASSERT_EQ(sink.texts(), (QStringList{QStringLiteral("Matchlijst is niet correctmatch: 2"),
                                         calFile() + QStringLiteral(".beschadigd Wegschrijven NIET gelukt\n\r probeer "
                                                                    "opnieuw of controleer file")}));
    EXPECT_EQ(sink.shown[1].kind, Error);
    EXPECT_EQ(messages.lastErrorState, 6);
    ASSERT_EQ(data.MatchCount(), 1);
    EXPECT_EQ(*data.match(1), first);
    EXPECT_EQ(readAll(calFile()), damaged);
    EXPECT_TRUE(QFileInfo(calFile() + QStringLiteral(".beschadigd")).isDir());
}

TEST_F(MatchFixture, TheUnsavedListKeepsItsMatchesInMemoryOnly)
{
    // A stray file of that name in the current folder is neither read nor written.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    writeAll(QStringLiteral("N_N.CAL"), rawFile(4, 10));
    const QByteArray stray = readAll(QStringLiteral("N_N.CAL"));

    makeMatches(3, 10); // the matches of the file open before "Nieuw"
    EXPECT_FALSE(LoadMatchFile(data, NoFileName, 10, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_EQ(sink.texts(), QStringList{QStringLiteral("Geen Ledenbestand geopend: N_N.CAL")});
    EXPECT_EQ(data.MatchCount(), 0);
    EXPECT_EQ(data.current(), nullptr);

    ASSERT_TRUE(CreateMatch(data, 1, 10, 6, QStringLiteral("10-12-2026")));
    EXPECT_TRUE(SaveMatchFile(data, NoFileName, 10, messages));
    EXPECT_EQ(readAll(QStringLiteral("N_N.CAL")), stray);

    // Once the member list has a name the match goes beside it.
    EXPECT_TRUE(SaveMatchFile(data, memberFile, 10, messages));
    EXPECT_EQ(QFileInfo(calFile()).size(), Layout{10}.size(1));
    EXPECT_EQ(sink.texts().size(), 1);
    QDir::setCurrent(previous);
}

TEST_F(MatchFixture, AnEmptyListWritesNothingAndAFailedSaveIsReported)
{
    EXPECT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    EXPECT_FALSE(QFile::exists(calFile()));

    makeMatches(1, 30);
    const QString unreachable = dir.filePath(QStringLiteral("missing/club.tdm"));
    EXPECT_FALSE(SaveMatchFile(data, unreachable, 30, messages));
    ASSERT_EQ(sink.texts().size(), 1);
    EXPECT_EQ(sink.texts()[0], dir.filePath(QStringLiteral("missing/club.CAL"))
                                   + QStringLiteral(" Wegschrijven NIET gelukt\n\r probeer opnieuw of controleer file"));
    EXPECT_EQ(messages.lastErrorState, 8);
    EXPECT_EQ(data.MatchCount(), 1);
}

TEST_F(MatchFixture, AFileWithCountZeroLeavesNoCurrentMatchAndNewMatchesWork)
{
    writeAll(calFile(), QByteArray(2, '\0'));
    EXPECT_TRUE(LoadMatchFile(data, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(data.MatchCount(), 0);
    EXPECT_EQ(data.current(), nullptr);
    EXPECT_FALSE(LoadHeader(data, 1));
    EXPECT_FALSE(CreateMatch(data, 2, 30, 6, QStringLiteral("10-12-2026"))); // only the next number
    EXPECT_TRUE(CreateMatch(data, 1, 30, 6, QStringLiteral("10-12-2026")));
    EXPECT_EQ(data.MatchCount(), 1);
}

TEST_F(MatchFixture, HeadersAreCopiedToTheCurrentMatchAndBack)
{
    makeMatches(3, 5);
    ASSERT_TRUE(LoadHeader(data, 2));
    EXPECT_EQ(data.CurrentMatch.header.MatchNr, 2);
    data.CurrentMatch.header.MatchRounds = 9;
    data.CurrentMatch.header.InputMode = 1;
    data.CurrentMatch.header.setMatchDate(u"07-04-2026");
    data.CurrentMatch.header.MatchNr = 3;
    ASSERT_TRUE(StoreHeader(data, 2));
    const MatchHeader& h = data.match(2)->header;
    EXPECT_EQ(h.MatchNr, 2);
    EXPECT_EQ(h.MatchRounds, 9);
    EXPECT_EQ(h.InputMode, 1);
    EXPECT_EQ(h.matchDate(), QStringLiteral("07-04-2026"));
    EXPECT_EQ(data.match(3)->header.MatchRounds, 6);
    EXPECT_FALSE(StoreHeader(data, 4));
    EXPECT_FALSE(StoreHeader(data, 0));
    EXPECT_FALSE(LoadHeader(data, 4));
    EXPECT_EQ(data.CurrentMatch.header.MatchNr, 3);
}

TEST_F(MatchFixture, OnlyTheLastMatchCanBeDeleted)
{
    makeMatches(3, 30);
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    const QByteArray saved = readAll(calFile());

    ASSERT_TRUE(LoadHeader(data, 2));
    data.CurrentMatch.match = 2;
    EXPECT_FALSE(DeleteLastMatch(data, true, memberFile, 30, messages));
    ASSERT_EQ(sink.texts(), QStringList{QStringLiteral("Matches niet opvolgend\rgebruik laatste Match")});
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_EQ(data.MatchCount(), 3);
    EXPECT_EQ(data.CurrentMatch.match, 2);
    EXPECT_EQ(readAll(calFile()), saved);

    sink.shown.clear();
    ASSERT_TRUE(LoadHeader(data, 3));
    data.CurrentMatch.match = 3;
    EXPECT_TRUE(DeleteLastMatch(data, true, memberFile, 30, messages));
    EXPECT_EQ(sink.texts(), QStringList{QStringLiteral("Match verwijderd, Nr: 3")});
    EXPECT_EQ(sink.shown[0].kind, Information);
    EXPECT_EQ(data.MatchCount(), 2);
    EXPECT_EQ(data.CurrentMatch.match, 2);
    EXPECT_EQ(data.CurrentMatch.header.MatchNr, 2);
    EXPECT_EQ(QFileInfo(calFile()).size(), Layout{30}.size(2));
    EXPECT_EQ(readAll(calFile()), saved.left(int(Layout{30}.size(2))).replace(0, 2, QByteArray("\x02\x00", 2)));
}

TEST_F(MatchFixture, DeletingWithoutConfirmationNeitherSavesNorReports)
{
    makeMatches(2, 8);
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 8, messages));
    EXPECT_TRUE(DeleteLastMatch(data, false, memberFile, 8, messages));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(data.MatchCount(), 1);
    EXPECT_EQ(data.CurrentMatch.match, 1);
    EXPECT_EQ(QFileInfo(calFile()).size(), Layout{8}.size(2));
}

TEST_F(MatchFixture, DeletingTheOnlyMatchEmptiesTheListAndTheFile)
{
    makeMatches(1, 30);
    ASSERT_TRUE(SaveMatchFile(data, memberFile, 30, messages));
    EXPECT_TRUE(DeleteLastMatch(data, true, memberFile, 30, messages));
    EXPECT_EQ(sink.texts(), QStringList{QStringLiteral("Match verwijderd, Nr: 1")});
    EXPECT_EQ(data.MatchCount(), 0);
    EXPECT_EQ(data.current(), nullptr);
    EXPECT_EQ(data.CurrentMatch.header, MatchHeader{});
    EXPECT_EQ(readAll(calFile()), QByteArray(2, '\0'));

    // Nothing left to delete; the file reads back as an empty list.
    EXPECT_FALSE(DeleteLastMatch(data, true, memberFile, 30, messages));
    EXPECT_EQ(sink.texts().size(), 1);
    MatchData loaded;
    EXPECT_TRUE(LoadMatchFile(loaded, memberFile, 30, 6, QStringLiteral("10-12-2026"), messages));
    EXPECT_EQ(loaded.MatchCount(), 0);
    EXPECT_EQ(loaded.current(), nullptr);
    EXPECT_TRUE(CreateMatch(loaded, 1, 30, 6, QStringLiteral("10-12-2026")));
}
