// tandemx-cli members: every field of the sample club, and one-line errors for files it cannot read.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

CliRun members(const QStringList& args) { return runCli(QStringLiteral("members"), args); }

const QString kSample = QStringLiteral(TANDEMX_EXAMPLES "/tennisclub.tdm");

} // namespace

TEST(MembersCommand, PrintsKeyDataAndEveryMemberOfTheSampleClub)
{
    const CliRun r = members({kSample});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(root["memberCount"].toInt(), 40);
    EXPECT_EQ(root["headerCount"].toString(), "40");
    const QJsonObject key = root["keyData"].toObject();
    EXPECT_EQ(key["clubName"].toString(), "T.V. De Wisselbaan");
    EXPECT_EQ(key["group1Code"].toString(), "h");
    EXPECT_EQ(key["options"].toInt(), 17);
    const QJsonArray list = root["members"].toArray();
    ASSERT_EQ(list.size(), 40);
    const QJsonObject third = list[2].toObject();
    EXPECT_EQ(third["clubNr"].toInt(), 103);
    EXPECT_EQ(third["achternaam"].toString(), "van Dam");
    EXPECT_EQ(third["postcode"].toString(), "5611 AB");
    EXPECT_EQ(third["email"].toString(), "pieter@voorbeeld.nl");
    EXPECT_EQ(list[39].toObject()["voornaam"].toString(), QString::fromUtf8("Renée"));

    const CliRun text = members({kSample, "--format", "text"});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains("Aantal leden: 40"));
    EXPECT_TRUE(text.out.contains("Molenaar"));
}

TEST(MembersCommand, DamagedOrMissingFilesGiveOneLineAndStatusTwo)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    QByteArray negative(232, '\0');
    negative[2] = char(0xFE);
    negative[3] = char(0xFF);
    const QStringList cases = {dir.filePath("missing.tdm"), write("empty.tdm", {}), write("short.tdm", QByteArray(50, 'x')),
                               write("negative.tdm", negative)};
    for (const QString& file : cases) {
        const CliRun r = members({file});
        EXPECT_EQ(r.exitCode, 2) << file.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << file.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.startsWith("tandemx-cli: ")) << r.err.toStdString();
    }
}
