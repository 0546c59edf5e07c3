#pragma once
// Runs the built tandemx-cli with a command and its arguments.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QByteArray out, err;
};

inline CliRun runCli(const QString& command, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TANDEMX_CLI), QStringList{command} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
