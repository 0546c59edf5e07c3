#pragma once
// Files and dialogs for the tests of the file commands: no file dialog, whole-file reads and writes,
// a child process that runs with a file-size limit (a full disk), and a saved club to start from.
#include "messages/ScriptedMessages.h"
#include "state/FileCommands.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandemx::testing {

class NoDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(const Request&) override { return std::nullopt; }
    std::optional<QString> saveFile(const Request&) override { return std::nullopt; }
};

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

// Runs `body` in a child process that may write at most `bytes` per file (SIGXFSZ ignored, so a write
// beyond fails instead of killing it) and returns its exit status: the body's result, or -1 when the
// child did not exit normally.
inline int inChildWithFileLimit(rlim_t bytes, const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// The program state of a test, in a temporary folder.
struct ClubFixture : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    Clock clock;
    NoDialogs files;
    AppState state{messages, clock, files};
    QTemporaryDir dir;

    // A club of four members, saved with its key data as `path` and open under that name.
    void saveClubOfFour(const QString& path)
    {
        setDefaults(state);
        KeyData k;
        k.clubSize = 4;
        state.club.members = createMemberList(k, NoFileName);
        state.club.memberFileName = path;
        state.club.config->keyData.clubSize = 4;
        ASSERT_TRUE(saveMemberList(state, false));
        ASSERT_TRUE(saveConfig(state, path));
    }
};

} // namespace tandemx::testing
