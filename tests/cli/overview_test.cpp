// tandemx-cli overview: the lines of an overview after the calculation, one per line.
#include "CliRun.h"

#include <QStringDecoder>

#include <gtest/gtest.h>


namespace {

CliRun overview(const QStringList& args) { return runCli(QStringLiteral("overview"), args); }

} // namespace

// Four men and four ladies, one doubles round on one court each, one mixed round on two courts: the
// men take court 1 with (1,2) against (3,4), the ladies court 2 likewise; the fresh mixed pool gives
// (1,1) against (2,2) and (3,3) against (4,4). Numbered cells are "   " + letter + number in two places.
TEST(OverviewCommand, NumberedPairSchedule)
{
    const CliRun r = overview({"--kind", "1", "--men", "4", "--ladies", "4", "--doubles", "1", "--mixed", "1",
                                    "--courts", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, " ,Schema,Tandem\n"
                     "   1,   H 1,   H 2   ,,   H 3,   H 4,   1\n"
                     "   1,   D 1,   D 2   ,,   D 3,   D 4,   2\n"
                     "   \n"
                     "      \n"
                     " ,Schema,Gemengd Tandem\n"
                     "   2,   H 1,   D 1   ,,   H 2,   D 2,   1\n"
                     "   2,   H 3,   D 3   ,,   H 4,   D 4,   2\n"
                     "   \n");
}

TEST(OverviewCommand, TimesPlayedOfTheSampleClubAndRefusals)
{
    const CliRun r = overview({"--kind", "3", "--members", TANDEMX_EXAMPLES "/tennisclub.tdm"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.split('\n');
    EXPECT_EQ(lines.first(), "DAMES  , , ,HEREN  ");
    EXPECT_EQ(lines.size(), 1 + 17 + 1); // heading, 17 rows, the empty end
    for (const QStringList& args : {QStringList{"--men", "4"}, QStringList{"--kind", "5"},
                                    QStringList{"--kind", "2", "--format", "json"},
                                    QStringList{"--kind", "1", "--courts", "40"}}) {
        const CliRun bad = overview(args);
        EXPECT_EQ(bad.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(bad.out.isEmpty());
        EXPECT_EQ(bad.err.count('\n'), 1);
    }
}

// The export of the sample club, where "Ren\xc3\xa9" "e Vos" plays: UTF-8 and CR LF, as from the window.
TEST(OverviewCommand, ExportIsUtf8WithCrLf)
{
    const CliRun r = overview({"--kind", "3", "--export", "--members", TANDEMX_EXAMPLES "/tennisclub.tdm"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Ren\xc3\xa9" "e"));
    EXPECT_FALSE(r.out.contains("Ren\xe9" "e"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(r.out);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(r.out.endsWith("\r\n"));
    EXPECT_EQ(r.out.count("\r\n"), r.out.count('\n'));
}

