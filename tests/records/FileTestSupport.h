#pragma once
// Files and dialogs for the tests of the file commands: no file dialog, whole-file reads and writes,
// and a child process that runs with a file-size limit (a full disk).
#include "state/AppState.h"

#include <gtest/gtest.h>

#include <QFile>

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

} // namespace tandemx::testing
