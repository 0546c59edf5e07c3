// tandemx-cli overview --export and tandemx-cli print: the exact export text and the pages of real
// PDF printouts.
#include "CliRun.h"

#include "records/KeyData.h"
#include "records/MemberFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int pdfPages(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count("/Type /Page\n"));
}

// A copy of the sample club whose key-data file holds the given print flags and page length.
QString sampleWithPrintSettings(const QTemporaryDir& dir, uint16_t flags, uint16_t pageLength)
{
    const QString members = dir.filePath(QStringLiteral("club.tdm"));
    EXPECT_TRUE(QFile::copy(QStringLiteral(TANDEMX_EXAMPLES "/tennisclub.tdm"), members));
    auto config = tandemx::readKeyDataFile(QStringLiteral(TANDEMX_EXAMPLES "/tennisclub.cfg"));
    EXPECT_TRUE(config.has_value());
    config->printSettings.printFlags = flags;
    config->printSettings.pageLength = pageLength;
    QFile cfg(dir.filePath(QStringLiteral("club.cfg")));
    EXPECT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.write(config->toBytes());
    return members;
}

} // namespace

// Four men and four ladies as in the overview command's test: the pair schedule as the export writes it
// with the default settings (indent 118 / 10 = 11 blanks, no header, no owner, no club name).
TEST(PrintCommand, ExportOfNumberedPairSchedule)
{
    const CliRun r = runCli(QStringLiteral("overview"), {"--kind", "1", "--export", "--men", "4", "--ladies", "4",
                                                         "--doubles", "1", "--mixed", "1", "--courts", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray in(11, ' ');
    // Widths 7, 10, 12, 7, 10, 12, 2: "   1" + 2, "   H 1" + 3, "   H 2   " + 2, "" + 6, ...
    const QByteArray pair1 = in + "   1  " + "   H 1   " + "   H 2     " + "      " + "   H 3   " + "   H 4     " + "   1";
    EXPECT_EQ(r.out, in + "\r\n"
                         + in + "PAREN INDELING\r\n"
                         + in + " \r\n"
                         + in + "ronde,Paar 1(1),Paar 1(2),tegen,Paar 2(1),Paar2(1), Baan\r\n"
                         + in + " " + QByteArray(5, ' ') + "Schema   Tandem      \r\n"
                         + pair1 + "\r\n"
                         + in + "   1  " + "   D 1   " + "   D 2     " + "      " + "   D 3   " + "   D 4     " + "   2\r\n"
                         + in + "       \r\n"
                         + in + "       \r\n"
                         + in + "      Schema   Gemengd Tandem\r\n"
                         + in + "   2  " + "   H 1   " + "   D 1     " + "      " + "   H 2   " + "   D 2     " + "   1\r\n"
                         + in + "   2  " + "   H 3   " + "   D 3     " + "      " + "   H 4   " + "   D 4     " + "   2\r\n"
                         + in + "       \r\n");
}

TEST(PrintCommand, MemberListPagesByOrientation)
{
    // 40 members; page length 20: the break comes when scale x (4 + rows) / 100 reaches 19.
    struct Case {
        uint16_t flags;
        bool address;
        int pages;
    };
    const Case cases[] = {
        {tandemx::PrintFlag::Defaults, false, 3},  // 15 rows a page
        {tandemx::PrintFlag::Defaults, true, 3},   // the address view breaks alike
        // 10 rows a page; the 40th fills page 4, so page 5 holds only its title block and the rule.
        {tandemx::PrintFlag::Landscape, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << (c.address ? " address view" : ""));
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString members = sampleWithPrintSettings(dir, c.flags, 20);
        const QString pdf = dir.filePath(QStringLiteral("leden.pdf"));
        QStringList args{"--kind", "members", "--members", members, "--pdf", pdf};
        if (c.address)
            args << QStringLiteral("--address");
        const CliRun r = runCli(QStringLiteral("print"), args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(pdfPages(pdf), c.pages);
        EXPECT_EQ(r.out, (pdf + QStringLiteral(": %1 pages\n").arg(c.pages)).toUtf8());
    }
}

TEST(PrintCommand, OverviewPdfsAndRefusals)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* kind : {"1", "2", "3", "4"}) {
        SCOPED_TRACE(kind);
        const QString pdf = dir.filePath(QStringLiteral("overzicht%1.pdf").arg(QLatin1String(kind)));
        const CliRun r = runCli(QStringLiteral("print"),
                                {"--kind", kind, "--pdf", pdf, "--members", TANDEMX_EXAMPLES "/tennisclub.tdm"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, 1);
        EXPECT_TRUE(r.out.endsWith(QStringLiteral(": %1 page%2\n").arg(pages).arg(pages == 1 ? "" : "s").toUtf8()));
    }
    // The cross table of the sample club has 71 rows: in portrait with page length 61, 54 and 17; in
    // landscape with page length 40, 22 rows on page 1 (6 title lines), then 28 and 21.
    EXPECT_EQ(pdfPages(dir.filePath(QStringLiteral("overzicht4.pdf"))), 2);
    QTemporaryDir landscapeDir;
    const QString members = sampleWithPrintSettings(landscapeDir, tandemx::PrintFlag::Landscape, 40);
    const QString pdf = landscapeDir.filePath(QStringLiteral("kruis.pdf"));
    ASSERT_EQ(runCli(QStringLiteral("print"), {"--kind", "4", "--pdf", pdf, "--members", members}).exitCode, 0);
    EXPECT_EQ(pdfPages(pdf), 3);

    for (const QStringList& args : {QStringList{"--kind", "5", "--pdf", dir.filePath("x.pdf")},
                                    QStringList{"--kind", "1"},
                                    QStringList{"--kind", "members", "--pdf", dir.filePath("x.pdf")},
                                    QStringList{"--kind", "members", "--members", dir.filePath("none.tdm"),
                                                "--pdf", dir.filePath("x.pdf")}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CliRun r = runCli(QStringLiteral("print"), args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains("tandemx-cli: ")) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
    }
}

// The header of an export ("Print kop") carries the date of the evening: today from the clock, which
// TANDEMX_TODAY can set.
TEST(PrintCommand, ExportHeaderCarriesTheClocksDate)
{
    QTemporaryDir dir;
    const QString members = sampleWithPrintSettings(dir, tandemx::PrintFlag::Header, 61);
    const QStringList args{"--kind", "2", "--export", "--members", members};
    const CliRun r = runCli(QStringLiteral("overview"), args, {"TANDEMX_TODAY=2026-03-05"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(" Datum : 5-3-2026\r\n")) << r.out.toStdString();
    const CliRun other = runCli(QStringLiteral("overview"), args, {"TANDEMX_TODAY=2026-11-28"});
    EXPECT_TRUE(other.out.contains(" Datum : 28-11-2026\r\n")) << other.out.toStdString();
}
