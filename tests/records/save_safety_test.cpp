// Saves killed at random moments and saves that fail: the file on disk is always the whole old or the
// whole new content, nothing is left that looks like data, and a failure is reported.
#include "records/MemberFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <vector>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tandemx;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writePlain(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

QByteArray pattern(char seed, int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(seed + i % 251);
    return b;
}

QStringList othersThan(const QDir& dir, const QString& name)
{
    QStringList rest = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    rest.removeAll(name);
    return rest;
}

// How long one save of `newData` over `oldData` takes on this machine, in microseconds, as a trial's
// child makes it: each sample is a freshly forked child that saves once (the first save after a fork
// pays for copying the parent's pages, later ones do not) and reports its time through a pipe. The
// median of five samples; -1 when a sample failed.
long measureSaveMicros(const QString& path, const QByteArray& oldData, const QByteArray& newData)
{
    std::vector<long> samples;
    for (int sample = 0; sample < 5; ++sample) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(oldData) != oldData.size())
            return -1;
        f.close();
        int fds[2];
        if (pipe(fds) != 0)
            return -1;
        const pid_t pid = fork();
        if (pid < 0)
            return -1;
        if (pid == 0) {
            close(fds[0]);
            const auto start = std::chrono::steady_clock::now();
            const bool saved = saveFileAtomically(path, newData).isEmpty();
            const long micros = long(std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - start).count());
            _exit(saved && write(fds[1], &micros, sizeof micros) == sizeof micros ? 0 : 1);
        }
        close(fds[1]);
        long micros = -1;
        if (read(fds[0], &micros, sizeof micros) != sizeof micros)
            micros = -1;
        close(fds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        if (micros < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return -1;
        samples.push_back(micros);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

// One trial: a child saves new content over old content and is killed after a random delay.
TEST(SaveSafety, SigkillAtRandomMomentsLeavesOldOrNewAndNoLeftoverAfterNextSave)
{
    struct Kind { const char* name; int oldSize; int newSize; };
    // Sizes of a member file, a match file and a key-data file, enlarged so the write takes a while.
    const Kind kinds[] = {{"CLUB.TD", 180000, 260000}, {"CLUB.CAL", 300000, 120000}, {"CLUB.cfg", 268, 268}};
    std::mt19937 rng(8);
    int oldSeen = 0, newSeen = 0, leftovers = 0;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const QByteArray oldData = pattern('a', kind.oldSize);
        const QByteArray newData = pattern('A', kind.newSize);
        // The kill moments cover the save as long as it takes here, and half as long again after it, so
        // both outcomes occur on a slow machine and on a fast one.
        long saveMicros = 0;
        {
            QTemporaryDir tmp;
            ASSERT_TRUE(tmp.isValid());
            saveMicros = measureSaveMicros(tmp.filePath(kind.name), oldData, newData);
        }
        ASSERT_GE(saveMicros, 0) << "the measuring save failed";
        const long span = std::max(1L, saveMicros * 3 / 2);
        std::printf("%s: one save takes %ld us, kills drawn over 0..%ld us\n", kind.name, saveMicros, span);
        for (int trial = 0; trial < 70; ++trial) {
            QTemporaryDir tmp;
            ASSERT_TRUE(tmp.isValid());
            const QString path = tmp.filePath(kind.name);
            writePlain(path, oldData);
            // The child says when its save begins; the delay counts from there, not from the fork.
            int fds[2];
            ASSERT_EQ(pipe(fds), 0);
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                close(fds[0]);
                const char go = 'g';
                if (write(fds[1], &go, 1) != 1)
                    _exit(3);
                _exit(saveFileAtomically(path, newData).isEmpty() ? 0 : 1);
            }
            close(fds[1]);
            char go = 0;
            const bool started = read(fds[0], &go, 1) == 1;
            close(fds[0]);
            if (started)
                usleep(useconds_t(std::uniform_int_distribution<long>(0, span)(rng)));
            kill(pid, SIGKILL);
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            if (WIFEXITED(status)) {
                ASSERT_EQ(WEXITSTATUS(status), 0);
            }

            const QByteArray onDisk = readAll(path);
            ASSERT_TRUE(onDisk == oldData || onDisk == newData) << "trial " << trial << ": " << onDisk.size() << " bytes";
            (onDisk == oldData ? oldSeen : newSeen)++;
            const QDir dir(tmp.path());
            const QStringList rest = othersThan(dir, kind.name);
            for (const QString& name : rest)
                EXPECT_TRUE(name.startsWith(QString(kind.name) + '.')) << name.toStdString();
            leftovers += rest.size();

            // The next save clears what an interrupted one left behind.
            ASSERT_TRUE(saveFileAtomically(path, oldData).isEmpty());
            EXPECT_EQ(readAll(path), oldData);
            EXPECT_EQ(othersThan(dir, kind.name), QStringList());
        }
    }
    // Both outcomes must have happened, or the kill moments did not cover the save.
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
    std::printf("kills: %d left the old file, %d the new, %d temporary files left behind\n", oldSeen, newSeen,
        leftovers);
}

TEST(SaveSafety, LeftoverCleanupSparesOtherFiles)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("CLUB.TD");
    // A user's own copies with a six-letter ending ("backup", "kopie1") are not ours to remove.
    const QStringList keep = {"CLUB.cfg", "CLUB.CAL", "CLUB.~td", "CLUB.TD.bak", "CLUB.TD.abc12", "OTHER.TD.a1B2c3",
                              "CLUB.TD.backup", "CLUB.TD.kopie1", "CLUB.TD.a1B2c3", "OTHER.TD.a1B2c3.tandemx-opslag",
                              "CLUB.TD.a1-2c3.tandemx-opslag"};
    for (const QString& name : keep)
        writePlain(tmp.filePath(name), "keep");
    writePlain(tmp.filePath("CLUB.TD.a1B2c3.tandemx-opslag"), "half");
    ASSERT_TRUE(saveFileAtomically(path, "new").isEmpty());
    QStringList expected = keep;
    expected << "CLUB.TD";
    expected.sort();
    QStringList present = QDir(tmp.path()).entryList(QDir::Files);
    present.sort();
    EXPECT_EQ(present, expected);
    for (const QString& name : keep)
        EXPECT_EQ(readAll(tmp.filePath(name)), "keep");
}

// A save keeps the old file's permissions, saves through a link into the file it points to, and
// refuses a read-only file (also when run by an administrator).
TEST(SaveSafety, PermissionsLinksAndReadOnlyFiles)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("CLUB.TD");
    writePlain(path, "old");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    ASSERT_TRUE(saveFileAtomically(path, "new").isEmpty());
    EXPECT_EQ(readAll(path), "new");
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode); // owner, group and others (not the "user" bits)

    const QString link = tmp.filePath("LINK.TD");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(saveFileAtomically(link, "through the link").isEmpty());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(path), "through the link");

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_FALSE(saveFileAtomically(path, "refused").isEmpty());
    EXPECT_EQ(readAll(path), "through the link");
    EXPECT_EQ(othersThan(QDir(tmp.path()), "CLUB.TD"), QStringList{"LINK.TD"});
}

// Each fault: a reason is returned, the old file is untouched and the caller still holds the data.
TEST(SaveSafety, FailedSavesReportAndKeepTheOldFile)
{
    const QByteArray oldData = pattern('a', 5000);
    const QByteArray newData = pattern('A', 200000);

    {
        SCOPED_TRACE("full disk (file-size limit)");
        QTemporaryDir tmp;
        const QString path = tmp.filePath("CLUB.TD");
        writePlain(path, oldData);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit lim{65536, 65536};
            setrlimit(RLIMIT_FSIZE, &lim);
            const QString reason = saveFileAtomically(path, newData);
            // 2: reported a failure; 0: claimed success.
            _exit(reason.isEmpty() ? 0 : 2);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2);
        EXPECT_EQ(readAll(path), oldData);
        EXPECT_EQ(othersThan(QDir(tmp.path()), "CLUB.TD"), QStringList());
    }
    {
        SCOPED_TRACE("folder that is a file");
        QTemporaryDir tmp;
        writePlain(tmp.filePath("notadir"), oldData);
        EXPECT_FALSE(saveFileAtomically(tmp.filePath("notadir/CLUB.TD"), newData).isEmpty());
        EXPECT_EQ(readAll(tmp.filePath("notadir")), oldData);
    }
    {
        SCOPED_TRACE("folder that does not exist");
        QTemporaryDir tmp;
        EXPECT_FALSE(saveFileAtomically(tmp.filePath("missing/CLUB.TD"), newData).isEmpty());
    }
    {
        SCOPED_TRACE("target is a directory");
        QTemporaryDir tmp;
        const QString path = tmp.filePath("CLUB.TD");
        ASSERT_TRUE(QDir().mkdir(path));
        writePlain(path + "/inside", oldData);
        EXPECT_FALSE(saveFileAtomically(path, newData).isEmpty());
        EXPECT_EQ(readAll(path + "/inside"), oldData);
        EXPECT_EQ(othersThan(QDir(tmp.path()), "CLUB.TD"), QStringList());
    }
}
