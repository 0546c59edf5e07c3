// Opening and saving member files the way the main window's commands do, without windows.
#include "messages/ScriptedMessages.h"
#include "state/FileCommands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <deque>

using namespace tandemx;

namespace {

class Files : public FileDialogs {
public:
    std::deque<std::optional<QString>> answers;
    std::optional<QString> openFile(const Request&) override { return next(); }
    std::optional<QString> saveFile(const Request&) override { return next(); }

private:
    std::optional<QString> next()
    {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

struct Fixture : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    Clock clock;
    Files files;
    AppState state{messages, clock, files};
    QTemporaryDir dir;

    void SetUp() override
    {
        sink.onUnexpected([](const ScriptedMessageSink::Shown& s) { ADD_FAILURE() << "unexpected: " << s.text.toStdString(); });
        setDefaults(state);
        KeyData k;
        k.clubSize = 4;
        state.club.members = createMemberList(k, NoFileName);
    }
    QString path(const char* name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(Fixture, FirstSaveOfARunKeepsTheOldFileAsBackupOnlyOnce)
{
    const QString file = path("club.tdm");
    writeAll(file, "old contents");
    state.club.memberFileName = file;
    ASSERT_TRUE(saveMemberList(state, false));
    EXPECT_EQ(readAll(path("club.~td")), "old contents");
    const QByteArray first = readAll(file);
    EXPECT_EQ(first.size(), 5 * 232);

    state.club.members->at(1).setText(MemberField::Voornaam, u"Bram");
    ASSERT_TRUE(saveMemberList(state, false));
    EXPECT_EQ(readAll(path("club.~td")), "old contents");
    EXPECT_NE(readAll(file), first);
}

TEST_F(Fixture, DuplicateClubNumbersBlockTheSaveNamingBothMembers)
{
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    // Two in the middle, the first and the last, the last two: a check that stops one short of
    // either end lets a duplicate through.
    const std::pair<int, int> pairs[] = {{2, 3}, {1, 4}, {3, 4}};
    for (const auto& [a, b] : pairs) {
        SCOPED_TRACE(::testing::Message() << "members " << a << " and " << b);
        KeyData k;
        k.clubSize = 4;
        state.club.members = createMemberList(k, NoFileName);
        auto& list = *state.club.members;
        const int nr = list.at(b).clubNr();
        list.at(a).setClubNr(nr);
        list.at(a).setText(MemberField::Voornaam, u"Anna");
        list.at(a).setText(MemberField::Achternaam, u"Bos");
        list.at(b).setText(MemberField::Voornaam, u"Kees");
        list.at(b).setText(MemberField::Achternaam, u"Post");
        const size_t before = sink.shown.size();
        sink.expect(Result::Ok);
        EXPECT_FALSE(saveMemberList(state, true));
        ASSERT_EQ(sink.shown.size(), before + 1);
        EXPECT_EQ(sink.shown.back().text,
                  QStringLiteral("Lidnummer in duplo  :\r  %1   Anna  Bos \r  %1   Kees   Post").arg(nr, 3));
        EXPECT_EQ(sink.shown.back().kind, Error);
        EXPECT_FALSE(QFile::exists(file));
    }
}

TEST_F(Fixture, SaveReportsSuccessAndFailureKeepingTheListInMemory)
{
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    sink.expect(Result::Ok);
    EXPECT_TRUE(saveMemberList(state, true));
    EXPECT_EQ(sink.texts().last(), "Wegschrijven van " + file + " gelukt");
    EXPECT_EQ(sink.shown.back().kind, Information);

    // A folder that is a file: nothing can be written below it.
    writeAll(path("notafolder"), "x");
    const QString bad = path("notafolder") + "/club.tdm";
    state.club.memberFileName = bad;
    sink.expect(Result::Ok);
    EXPECT_FALSE(saveMemberList(state, true));
    EXPECT_EQ(sink.texts().last(), "Wegschrijven van " + bad + " niet gelukt");
    EXPECT_EQ(sink.shown.back().kind, Error); // a failure shows the error icon
    EXPECT_EQ(state.club.members->count(), 4);

    sink.expect(Result::Ok);
    state.messages.lastErrorState = 0;
    EXPECT_FALSE(saveMemberList(state, false));
    EXPECT_EQ(sink.texts().last(), bad + " Wegschrijven NIET gelukt\n\r probeer opnieuw of controleer file");
    EXPECT_EQ(readAll(path("notafolder")), "x");
}

TEST_F(Fixture, SaveAsOntoAnExistingFileAsksTwiceAndKeepsABackup)
{
    const QString file = path("other.tdm");
    writeAll(file, "previous");
    files.answers.push_back(file);
    sink.expect(Result::Yes);
    sink.expect(Result::Yes);
    ASSERT_TRUE(fileNameStep(state, true, true));
    EXPECT_EQ(sink.texts()[0], "Bestand bestaat al\rbestand:" + file + " overschrijven?");
    EXPECT_EQ(sink.texts()[1], " Tandem Programma\r Bewaren van " + file);
    EXPECT_EQ(state.club.memberFileName, file);
    EXPECT_EQ(readAll(path("other.~td")), "previous");

    // Cancelling the dialog, or answering Nee, leaves the name as it was.
    files.answers.push_back(std::nullopt);
    EXPECT_FALSE(fileNameStep(state, true, true));
    files.answers.push_back(path("third.tdm"));
    writeAll(path("third.tdm"), "t");
    sink.expect(Result::No);
    EXPECT_FALSE(fileNameStep(state, true, false));
    EXPECT_EQ(state.club.memberFileName, file);
}

// "Bewaren als..." over an existing file takes the run's backup in its own step: a backup that cannot
// be made is reported once, not again by the save that follows.
TEST_F(Fixture, SaveAsWhoseBackupCannotBeMadeReportsItOnce)
{
    const QString file = path("other.tdm");
    writeAll(file, "previous");
    ASSERT_TRUE(QDir(dir.path()).mkdir("other.~td")); // a folder where the backup should go
    state.club.backupPending = true;
    files.answers.push_back(file);
    sink.expect(Result::Yes);
    sink.expect(Result::Yes);
    sink.expect(Result::Ok);
    sink.expect(Result::Ok);
    ASSERT_TRUE(fileNameStep(state, true, true));
    EXPECT_TRUE(saveMemberList(state, true));
    QStringList backupMessages;
    for (const QString& t : sink.texts())
        if (t.startsWith("Reserve kopie maken mislukt"))
            backupMessages << t;
    EXPECT_EQ(backupMessages.size(), 1) << sink.texts().join('|').toStdString();
    EXPECT_EQ(sink.texts().last(), "Wegschrijven van " + file + " gelukt");
    EXPECT_FALSE(state.club.backupPending);
}

TEST_F(Fixture, OpeningReadsKeyDataAndMembersAndADamagedFileChangesNothing)
{
    // Save a list with its key data, then open it again.
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    state.club.config->keyData.clubName = "De Baan";
    state.club.config->keyData.clubSize = 4;
    ASSERT_TRUE(saveMemberList(state, false));
    ASSERT_TRUE(saveConfig(state, file));
    EXPECT_EQ(readAll(path("club.cfg")).size(), 268);

    state.club.members.reset();
    state.club.config.reset();
    ASSERT_TRUE(openMemberFile(state, file, [] { ADD_FAILURE() << "key data dialog"; }));
    EXPECT_EQ(state.club.members->count(), 4);
    EXPECT_EQ(state.club.keyData().clubName, "De Baan");

    // A damaged file: a negative count.
    QByteArray damaged = readAll(file);
    damaged[2] = char(0xF0);
    damaged[3] = char(0xFF);
    const QString bad = path("bad.tdm");
    writeAll(bad, damaged);
    writeAll(path("bad.cfg"), readAll(path("club.cfg")));
    sink.expect(Result::Ok);
    EXPECT_FALSE(openMemberFile(state, bad, [] {}));
    EXPECT_TRUE(sink.texts().last().startsWith("Fout in data bestand: "));
    EXPECT_EQ(state.club.memberFileName, file);
    EXPECT_EQ(state.club.members->count(), 4);
    EXPECT_EQ(readAll(bad), damaged);
}

TEST_F(Fixture, MissingKeyDataIsReportedAndTheDialogAsked)
{
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    ASSERT_TRUE(saveMemberList(state, false));
    bool asked = false;
    sink.expect(Result::Ok);
    ASSERT_TRUE(openMemberFile(state, file, [&] { asked = true; setDefaults(state); }));
    EXPECT_TRUE(asked);
    EXPECT_EQ(sink.texts().last(), "Bestand bestaat niet : " + path("club.cfg"));
}

// A member file marked read-only could be opened but never saved again: it is refused at once with its
// name, the open list, its name and key data stay, and nothing on disk changes. The open dialog is
// asked for writable files only.
TEST_F(Fixture, ReadOnlyMemberFileIsRefusedWhenOpened)
{
    EXPECT_TRUE(memberFileOpenRequest().writableOnly);
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    state.club.config->keyData.clubName = "De Baan";
    ASSERT_TRUE(saveMemberList(state, false));
    ASSERT_TRUE(saveConfig(state, file));
    const QString other = path("other.tdm");
    ASSERT_TRUE(QFile::copy(file, other));
    ASSERT_TRUE(QFile::copy(path("club.cfg"), path("other.cfg")));
    const QByteArray bytes = readAll(other);
    EXPECT_TRUE(writableFile(QFileInfo(other)));
    ASSERT_TRUE(QFile::setPermissions(other, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_FALSE(writableFile(QFileInfo(other)));
    EXPECT_FALSE(writableFile(QFileInfo(dir.path()))); // a folder is no member file

    const int before = state.club.members->count();
    sink.expect(Result::Ok);
    EXPECT_FALSE(openMemberFile(state, other, [] { ADD_FAILURE() << "key data dialog"; }));
    EXPECT_EQ(sink.texts(), QStringList{"Bestand kan niet worden bewaard (alleen-lezen) : " + other});
    EXPECT_EQ(state.club.memberFileName, file);
    EXPECT_EQ(state.club.members->count(), before);
    EXPECT_EQ(state.club.keyData().clubName, "De Baan");
    EXPECT_EQ(readAll(other), bytes);

    // Writable again, it opens.
    ASSERT_TRUE(QFile::setPermissions(other, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_TRUE(openMemberFile(state, other, [] { ADD_FAILURE() << "key data dialog"; }));
    EXPECT_EQ(state.club.memberFileName, other);
}
