// Saves that fail, through the commands the windows use (member list, matches, key data): a full disk, a
// folder that is a file, a target that is a folder. Each gives its report, leaves what is on disk as it
// was, and keeps the data in memory, so that a save elsewhere still writes it.
#include "matches/MatchFile.h"
#include "messages/ScriptedMessages.h"
#include "state/FileCommands.h"

#include "state/FileTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tandemx;
using namespace tandemx::testing;

namespace {

// Everything below a folder, names and contents, to compare before and after.
QStringList snapshot(const QString& folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = dir.filePath(name);
        if (QFileInfo(path).isDir()) {
            out << name + "/";
            for (const QString& inner : snapshot(path))
                out << name + "/" + inner;
        } else {
            out << name + "=" + QString::fromLatin1(readAll(path).toHex());
        }
    }
    return out;
}

const QString kNietGelukt = QStringLiteral(" Wegschrijven NIET gelukt\n\r probeer opnieuw of controleer file");

enum class Fault { FullDisk, FolderIsAFile, TargetIsAFolder };
enum class Kind { Members, Matches, KeyData };

struct SaveFaults : ClubFixture {
    // A club of four members with one match and key data, saved once beside `club.tdm`, then changed in
    // memory (a member's name, a match's games, the key data's club size) so a save would write new bytes.
    void SetUp() override
    {
        saveClubOfFour(dir.filePath("club.tdm"));
        ASSERT_TRUE(CreateMatch(state.matches, 1, 4, 6, QStringLiteral("10-12-2026")));
        ASSERT_TRUE(SaveMatchFile(state, state.matches));
        state.club.backupPending = false;

        state.club.members->at(1).setText(MemberField::Voornaam, QStringLiteral("Anna"));
        state.matches.match(1)->calcs[2].Games = 7;
        state.club.config->keyData.clubSize = 9;
        sink.shown.clear();
    }

    // Saves the kind to the member file name given; true when the command reported success.
    bool save(Kind kind, const QString& memberFile)
    {
        state.club.memberFileName = memberFile;
        switch (kind) {
        case Kind::Members:
            return saveMemberList(state, true);
        case Kind::Matches:
            return SaveMatchFile(state, state.matches);
        case Kind::KeyData:
            return saveConfig(state, memberFile);
        }
        return false;
    }

    static QString fileOf(Kind kind, const QString& memberFile)
    {
        QString base = memberFile;
        base.chop(4);
        switch (kind) {
        case Kind::Members: return memberFile;
        case Kind::Matches: return base + ".CAL";
        case Kind::KeyData: return base + ".cfg";
        }
        return {};
    }

    static QString failureReport(Kind kind, const QString& memberFile)
    {
        return kind == Kind::Members ? "Wegschrijven van " + memberFile + " niet gelukt"
                                     : fileOf(kind, memberFile) + kNietGelukt;
    }

    // The changes made in SetUp are all still in memory.
    bool dataKept() const
    {
        return state.club.members && state.club.members->count() == 4
            && state.club.members->at(1).voornaam() == QStringLiteral("Anna") && state.matches.MatchCount() == 1
            && state.matches.match(1)->calcs[2].Games == 7 && state.club.config
            && state.club.config->keyData.clubSize == 9;
    }
};

} // namespace

TEST_F(SaveFaults, EachFaultIsReportedLeavesTheDiskAndKeepsTheData)
{
    const struct {
        const char* name;
        Kind kind;
        Fault fault;
    } cases[] = {
        {"member list, full disk", Kind::Members, Fault::FullDisk},
        {"member list, folder is a file", Kind::Members, Fault::FolderIsAFile},
        {"member list, target is a folder", Kind::Members, Fault::TargetIsAFolder},
        {"matches, full disk", Kind::Matches, Fault::FullDisk},
        {"matches, folder is a file", Kind::Matches, Fault::FolderIsAFile},
        {"matches, target is a folder", Kind::Matches, Fault::TargetIsAFolder},
        {"key data, full disk", Kind::KeyData, Fault::FullDisk},
        {"key data, folder is a file", Kind::KeyData, Fault::FolderIsAFile},
        {"key data, target is a folder", Kind::KeyData, Fault::TargetIsAFolder},
    };
    const QString saved = dir.filePath("club.tdm");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString target = saved;
        if (c.fault == Fault::FolderIsAFile) {
            writeAll(dir.filePath("notafolder"), "a file");
            target = dir.filePath("notafolder/club.tdm");
        } else if (c.fault == Fault::TargetIsAFolder) {
            ASSERT_TRUE(QDir().mkpath(dir.filePath("folder/") + QFileInfo(fileOf(c.kind, saved)).fileName()));
            writeAll(dir.filePath("folder/") + QFileInfo(fileOf(c.kind, saved)).fileName() + "/inside", "kept");
            target = dir.filePath("folder/club.tdm");
        }
        const QStringList before = snapshot(dir.path());
        const QString report = failureReport(c.kind, target);

        if (c.fault == Fault::FullDisk) {
            // 200 bytes per file: less than any of the three files.
            const int status = inChildWithFileLimit(200, [&] {
                const bool ok = save(c.kind, target);
                const bool reported = !sink.shown.empty() && sink.texts().last() == report;
                return ok ? 1 : !reported ? 2 : !dataKept() ? 3 : 0;
            });
            EXPECT_EQ(status, 0) << "1: claimed success, 2: no or another report, 3: data lost";
        } else {
            EXPECT_FALSE(save(c.kind, target));
            ASSERT_FALSE(sink.shown.empty());
            EXPECT_EQ(sink.texts().last().toStdString(), report.toStdString());
            EXPECT_TRUE(dataKept());
        }
        EXPECT_EQ(snapshot(dir.path()), before);

        // The data is still there to be saved elsewhere.
        sink.shown.clear();
        const QString elsewhere = dir.filePath("elsewhere/club.tdm");
        ASSERT_TRUE(QDir().mkpath(dir.filePath("elsewhere")));
        EXPECT_TRUE(save(c.kind, elsewhere));
        EXPECT_TRUE(QFileInfo(fileOf(c.kind, elsewhere)).size() > 200);
        QDir(dir.filePath("elsewhere")).removeRecursively();
        QDir(dir.filePath("folder")).removeRecursively();
        QFile::remove(dir.filePath("notafolder"));
        sink.shown.clear();
    }
}

// A backup that cannot be written (a full disk) leaves the old backup and the member file as they were,
// and the next save of the run tries the backup again: the file is still the one to keep.
TEST_F(SaveFaults, ABackupThatCannotBeWrittenIsTriedAgain)
{
    const QString file = dir.filePath("club.tdm");
    const QString backup = dir.filePath("club.~td");
    writeAll(backup, "an older backup");
    state.club.backupPending = true;
    const QStringList before = snapshot(dir.path());
    const int status = inChildWithFileLimit(200, [&] {
        const bool ok = saveMemberList(state, true);
        return ok ? 1 : state.club.backupPending ? 0 : 2;
    });
    EXPECT_EQ(status, 0) << "1: claimed success, 2: backup no longer pending";
    EXPECT_EQ(snapshot(dir.path()), before);

    const QByteArray old = readAll(file);
    EXPECT_TRUE(saveMemberList(state, true));
    EXPECT_EQ(readAll(backup), old);
    EXPECT_FALSE(state.club.backupPending);
}

// A backup that cannot be made while the save succeeds is reported once: the file is then this run's
// own, and no later save of the run copies it as "backup".
TEST_F(SaveFaults, ABackupThatFailsBeforeASuccessfulSaveIsReportedOnce)
{
    const QString file = dir.filePath("club.tdm");
    const QString backup = dir.filePath("club.~td");
    ASSERT_TRUE(QDir(dir.path()).mkdir("club.~td")); // a folder where the backup should go
    state.club.backupPending = true;
    EXPECT_TRUE(saveMemberList(state, false));
    ASSERT_EQ(sink.texts().size(), 1);
    EXPECT_TRUE(sink.texts()[0].startsWith("Reserve kopie maken mislukt")) << sink.texts()[0].toStdString();
    EXPECT_FALSE(state.club.backupPending);
    sink.shown.clear();
    EXPECT_TRUE(saveMemberList(state, false));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_TRUE(QFileInfo(backup).isDir());
}
