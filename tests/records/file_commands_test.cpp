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
    auto& list = *state.club.members;
    list.at(2).setClubNr(3);
    list.at(2).setText(MemberField::Voornaam, u"Anna");
    list.at(2).setText(MemberField::Achternaam, u"Bos");
    list.at(3).setText(MemberField::Voornaam, u"Kees");
    list.at(3).setText(MemberField::Achternaam, u"Post");
    sink.expect(Result::Ok);
    EXPECT_FALSE(saveMemberList(state, true));
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text, "Lidnummer in duplo  :\r    3   Anna  Bos \r    3   Kees   Post");
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Fixture, SaveReportsSuccessAndFailureKeepingTheListInMemory)
{
    const QString file = path("club.tdm");
    state.club.memberFileName = file;
    sink.expect(Result::Ok);
    EXPECT_TRUE(saveMemberList(state, true));
    EXPECT_EQ(sink.texts().last(), "Wegschrijven van " + file + " gelukt");

    // A folder that is a file: nothing can be written below it.
    writeAll(path("notafolder"), "x");
    const QString bad = path("notafolder") + "/club.tdm";
    state.club.memberFileName = bad;
    sink.expect(Result::Ok);
    EXPECT_FALSE(saveMemberList(state, true));
    EXPECT_EQ(sink.texts().last(), "Wegschrijven van " + bad + " niet gelukt");
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
