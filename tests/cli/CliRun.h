#pragma once
// Runs the built tandemx-cli with a command and its arguments.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QByteArray out, err;
};

// environment: variables added to the test's own (NAME=value).
inline CliRun runCli(const QString& command, const QStringList& args, const QStringList& environment = {})
{
    QProcess p;
    if (!environment.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : environment)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(TANDEMX_CLI), QStringList{command} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
