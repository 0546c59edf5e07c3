// Damaged files through the open commands: each is reported and nothing on disk changes.
#include "matches/MatchFile.h"
#include "messages/ScriptedMessages.h"
#include "state/FileCommands.h"

#include "state/FileTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <random>

using namespace tandemx;
using namespace tandemx::testing;

namespace {

QByteArray randomBytes(int size, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArray b(size, '\0');
    for (char& c : b)
        c = char(rng());
    return b;
}

// The first member's first name (length byte at 4 of its record, room for 24) claims `length` bytes.
QByteArray withFirstNameLength(QByteArray file, uint8_t length)
{
    file[232 + 4] = char(length);
    for (int i = 1; i <= 30; ++i)
        file[232 + 4 + i] = char('a' + i % 26);
    return file;
}

QByteArray withCount(QByteArray file, int16_t count)
{
    file[2] = char(count & 0xFF);
    file[3] = char((count >> 8) & 0xFF);
    return file;
}

struct DamagedFiles : ClubFixture {
    QString good;

    void SetUp() override
    {
        good = dir.filePath("good.tdm");
        saveClubOfFour(good);
    }
};

} // namespace

// A file shorter than its count is read as far as it goes: the missing members come out blank, without a
// message. Everything else that cannot be a member list is refused with a message and the open list stays.
TEST_F(DamagedFiles, DamagedMemberFilesAreReportedOrPaddedAndLeaveDisk)
{
    const QByteArray valid = readAll(good);
    const QByteArray config = readAll(dir.filePath("good.cfg"));
    ASSERT_EQ(valid.size(), 5 * 232);
    const struct {
        const char* name;
        QByteArray bytes;
        int members; // 0: refused
        int firstNameLength = -1; // the first member's first name as read; -1: not looked at
    } cases[] = {
        {"empty", {}, 0},
        {"half a header", valid.left(100), 0},
        {"header only", valid.left(232), 4},
        {"truncated record", valid.left(valid.size() - 100), 4},
        {"count beyond the file", withCount(valid, 40), 40},
        {"length byte beyond capacity", withFirstNameLength(valid, 200), 4, 24},
        {"length byte at capacity", withFirstNameLength(valid, 24), 4, 24},
        {"length byte 255", withFirstNameLength(valid, 255), 4, 24},
        {"negative count", withCount(valid, -16), 0},
        {"huge count", withCount(valid, 32767), 0},
        {"random bytes", withCount(randomBytes(5000, 1), 9999), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("bad.tdm");
        writeAll(path, c.bytes);
        writeAll(dir.filePath("bad.cfg"), config);
        sink.shown.clear();
        state.club.memberFileName = good;
        state.club.members = createMemberList(state.club.keyData(), good);
        const bool opened = openMemberFile(state, path, [] {});
        EXPECT_EQ(opened, c.members > 0);
        if (opened) {
            EXPECT_TRUE(sink.shown.empty());
            EXPECT_EQ(state.club.members->count(), c.members);
            if (c.firstNameLength >= 0) {
                const QString name = state.club.members->at(1).voornaam();
                EXPECT_EQ(name.size(), c.firstNameLength);
                EXPECT_EQ(name, QString::fromLatin1(c.bytes.mid(232 + 5, c.firstNameLength)));
            }
        } else {
            ASSERT_FALSE(sink.shown.empty());
            EXPECT_TRUE(sink.texts().last().startsWith("Fout in data bestand: ")) << sink.texts().last().toStdString();
            EXPECT_EQ(state.club.memberFileName, good);
            EXPECT_EQ(state.club.members->count(), 4);
        }
        EXPECT_EQ(readAll(path), c.bytes);
    }
}

// A key-data file is read as far as it goes; one without a club size is refused for the defaults dialog.
TEST_F(DamagedFiles, KeyDataFilesOfOddSizesAndLeaveDisk)
{
    const QByteArray valid = readAll(dir.filePath("good.cfg"));
    ASSERT_EQ(valid.size(), 268);
    const struct {
        int size;
        bool accepted;
    } cases[] = {{0, false}, {1, false}, {267, true}, {269, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const QString cfg = dir.filePath("good.cfg");
        const QByteArray bytes = (valid + QByteArray(1, 'x')).left(c.size);
        writeAll(cfg, bytes);
        sink.shown.clear();
        EXPECT_EQ(loadConfig(state, good), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(sink.shown.empty());
            EXPECT_EQ(state.club.keyData().clubSize, 4);
        } else {
            // The file name follows the message text directly, as the message table composes it.
            EXPECT_EQ(sink.texts(), QStringList{QStringLiteral("Ledenbestand is niet correct") + cfg});
        }
        EXPECT_EQ(readAll(cfg), bytes);
    }
    // A key-data "file" that cannot be read at all gets the same message.
    const QString cfg = dir.filePath("good.cfg");
    ASSERT_TRUE(QFile::remove(cfg));
    ASSERT_TRUE(QDir(dir.path()).mkdir("good.cfg"));
    sink.shown.clear();
    EXPECT_FALSE(loadConfig(state, good));
    EXPECT_EQ(sink.texts(), QStringList{QStringLiteral("Ledenbestand is niet correct") + cfg});
}

TEST_F(DamagedFiles, DamagedMatchFilesAreReportedAndLeaveDisk)
{
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"fits no member count", randomBytes(1001, 3)},
        {"random bytes", randomBytes(4096, 4)},
        {"one byte", QByteArray(1, '\x01')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString cal = matchFileName(good);
        writeAll(cal, c.bytes);
        MatchData data;
        sink.shown.clear();
        EXPECT_FALSE(LoadMatchFile(data, good, 4, 6, "10-12-2026", messages));
        ASSERT_FALSE(sink.shown.empty());
        EXPECT_TRUE(sink.texts().first().startsWith("Matchlijst is niet correct")) << sink.texts().first().toStdString();
        EXPECT_EQ(readAll(cal), c.bytes);
    }
}
