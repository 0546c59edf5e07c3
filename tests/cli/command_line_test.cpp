// tandemx-cli's command lines: for each line the exit status and the exact error line, or a key line of
// the output. The refused lines are the contract scripts rely on: the same text for the same mistake.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kSample = QStringLiteral(TANDEMX_EXAMPLES "/tennisclub.tdm");

// "{sample}" in a case stands for the sample club, "{pdf}" for a PDF file in the test's folder.
struct Line {
    QStringList args;
    int status;
    const char* err;  // the whole of stderr
    QStringList out;  // texts stdout holds; none: stdout is empty
};

const char* const kUsage =
    "usage: tandemx-cli members FILE.tdm [--format json|text]\n"
    "       tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n"
    "       tandemx-cli overview --kind 1..4 [--export] [the inputs of schedule]\n"
    "       tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
    "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf\n"
    "       tandemx-cli matches FILE.tdm [--format json|text]\n";

#define PRINT_USAGE                                                                                             \
    " usage: tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]        tandemx-cli print " \
    "--kind members --members FILE.tdm [--address] --pdf FILE.pdf\n"

const Line kRefused[] = {
    // No command, or one that does not exist.
    {{}, 2, kUsage, {}},
    {{"frob"}, 2, kUsage, {}},
    {{"--frob"}, 2, kUsage, {}},
    {{"help"}, 2, kUsage, {}},

    {{"members"}, 2, "tandemx-cli: usage: tandemx-cli members FILE.tdm [--format json|text]\n", {}},
    {{"members", "a.tdm", "b.tdm"}, 2, "tandemx-cli: unknown argument: b.tdm\n", {}},
    {{"members", "--format"}, 2, "tandemx-cli: unknown argument: --format\n", {}},
    {{"members", "--format", "xml"}, 2, "tandemx-cli: usage: tandemx-cli members FILE.tdm [--format json|text]\n", {}},
    {{"members", "{sample}", "--format", "xml"}, 2, "tandemx-cli: unknown format: xml\n", {}},
    {{"members", "{sample}", "--format"}, 2, "tandemx-cli: unknown argument: --format\n", {}},
    {{"members", "--x", "{sample}"}, 2, "tandemx-cli: unknown argument: --x\n", {}},
    {{"members", "/nonexistent/club.tdm", "--format", "xml"}, 2, "tandemx-cli: unknown format: xml\n", {}},
    {{"members", "/nonexistent/club.tdm"}, 2, "tandemx-cli: Bestand bestaat niet : /nonexistent/club.tdm\n", {}},
    {{"members", "{sample}", "--format", "xml", "--format", "text"}, 0, "", {"Aantal leden: 40\n"}},

    {{"matches"}, 2, "tandemx-cli: usage: tandemx-cli matches FILE.tdm [--format json|text]\n", {}},
    {{"matches", "a.tdm", "b.tdm"}, 2, "tandemx-cli: unknown argument: b.tdm\n", {}},
    {{"matches", "{sample}", "--format"}, 2, "tandemx-cli: unknown argument: --format\n", {}},
    {{"matches", "{sample}", "--format", "xml"}, 2, "tandemx-cli: unknown format: xml\n", {}},
    {{"matches", "{sample}"}, 2, "tandemx-cli: Matchlijst bestaat niet: " TANDEMX_EXAMPLES "/tennisclub.CAL\n", {}},

    {{"schedule", "foo"}, 2, "tandemx-cli schedule: unknown argument: foo\n", {}},
    {{"schedule", "--men"}, 2, "tandemx-cli schedule: --men needs a value\n", {}},
    {{"schedule", "--men", "eight"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"schedule", "--men", "-1"}, 2, "tandemx-cli schedule: --men: a negative number is not allowed: -1\n", {}},
    {{"schedule", "--men", "4", "--members", "x.tdm"}, 2,
     "tandemx-cli schedule: --members cannot be combined with --men or --ladies\n", {}},
    {{"schedule", "--members", "x.tdm", "--ladies", "4"}, 2,
     "tandemx-cli schedule: --members cannot be combined with --men or --ladies\n", {}},
    {{"schedule", "--pause3", "4"}, 2, "tandemx-cli schedule: --pause3 must be 0..3\n", {}},
    {{"schedule", "--pause2", "x"}, 2, "tandemx-cli schedule: --pause2: not a number: x\n", {}},
    {{"schedule", "--options", "70000"}, 2, "tandemx-cli schedule: --options must be 0..65535\n", {}},
    {{"schedule", "--options", "-1"}, 2, "tandemx-cli schedule: --options: a negative number is not allowed: -1\n", {}},
    {{"schedule", "--format"}, 2, "tandemx-cli schedule: --format needs a value\n", {}},
    {{"schedule", "--format", "xml"}, 2, "tandemx-cli schedule: --format must be json or text\n", {}},
    {{"schedule", "--engine"}, 2, "tandemx-cli schedule: --engine needs a value\n", {}},
    {{"schedule", "--engine", "slow"}, 2, "tandemx-cli schedule: --engine must be fast or reference\n", {}},
    {{"schedule", "--men-courts", "1,x"}, 2, "tandemx-cli schedule: --men-courts: not a number: x\n", {}},
    {{"schedule", "--men-courts", ""}, 2, "tandemx-cli schedule: --men-courts: not a number: \n", {}},
    {{"schedule", "--men-courts", "1,2,3,4,5", "--doubles", "4"}, 2,
     "tandemx-cli schedule: --men-courts has more values than rounds (4)\n", {}},
    {{"schedule", "--mixed-courts", "40"}, 2, "tandemx-cli schedule: --mixed-courts: courts is more than 32 (40)\n", {}},
    {{"schedule", "--courts", "33"}, 2, "tandemx-cli schedule: courts is more than 32 (33)\n", {}},
    {{"schedule", "--men", "201"}, 2, "tandemx-cli schedule: men + ladies is more than 200 (225)\n", {}},
    {{"schedule", "--ladies-first=1"}, 2, "tandemx-cli schedule: unknown argument: --ladies-first=1\n", {}},
    {{"schedule", "--members", "/nonexistent/club.tdm"}, 2,
     "tandemx-cli schedule: cannot read the member file /nonexistent/club.tdm: Bestand bestaat niet : "
     "/nonexistent/club.tdm\n",
     {}},
    // Of several mistakes the first one on the line is reported; range checks of the whole line come last.
    {{"schedule", "--men", "eight", "--rounds", "4"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"schedule", "--rounds", "4", "--men", "eight"}, 2, "tandemx-cli schedule: unknown argument: --rounds\n", {}},
    {{"schedule", "foo", "--men", "eight"}, 2, "tandemx-cli schedule: unknown argument: foo\n", {}},
    {{"schedule", "--men", "eight", "--format"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"schedule", "--options", "70000", "--men", "eight"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"schedule", "--men", "4", "--members", "x.tdm", "--options", "70000"}, 2,
     "tandemx-cli schedule: --members cannot be combined with --men or --ladies\n", {}},
    {{"schedule", "--men", "eight", "--men", "4"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    // A later value replaces an earlier one.
    {{"schedule", "--men", "6", "--men", "4", "--ladies", "0", "--doubles", "1", "--mixed", "0", "--courts", "1",
      "--format", "json", "--format", "text"},
     0, "", {"Schedule (numbered players): 4 men, 0 ladies, 1 doubles + 0 mixed rounds, 1 courts, pause level 3\n"}},

    {{"overview"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--kind"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--kind", "0"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--kind", "x", "--export"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--kind", "5", "--format", "text"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--men", "eight"}, 2,
     "tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, 3 times played, 4 cross table)\n", {}},
    {{"overview", "--kind", "1", "--format", "text"}, 2,
     "tandemx-cli schedule: overview prints its lines; --format does not apply\n", {}},
    {{"overview", "--kind", "1", "--rounds", "4"}, 2, "tandemx-cli schedule: unknown argument: --rounds\n", {}},
    {{"overview", "--kind", "1", "--kind", "2"}, 2, "tandemx-cli schedule: unknown argument: --kind\n", {}},
    {{"overview", "--kind", "1", "--courts", "40"}, 2, "tandemx-cli schedule: courts is more than 32 (40)\n", {}},
    {{"overview", "--kind", "1", "--men", "eight"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"overview", "--kind", "1", "--men"}, 2, "tandemx-cli schedule: --men needs a value\n", {}},
    {{"overview", "--export", "--kind", "3", "--men", "4", "--ladies", "0", "--doubles", "1", "--mixed", "0", "--courts",
      "1"},
     0, "", {"AANTALMALEN  GESPEELD\r\n"}},

    {{"print"}, 2, "tandemx-cli: --pdf FILE.pdf is needed" PRINT_USAGE, {}},
    {{"print", "--kind"}, 2, "tandemx-cli: --kind and --pdf need a value" PRINT_USAGE, {}},
    {{"print", "--pdf"}, 2, "tandemx-cli: --kind and --pdf need a value" PRINT_USAGE, {}},
    {{"print", "--kind", "1"}, 2, "tandemx-cli: --pdf FILE.pdf is needed" PRINT_USAGE, {}},
    {{"print", "--kind", "1", "--pdf"}, 2, "tandemx-cli: --kind and --pdf need a value" PRINT_USAGE, {}},
    {{"print", "--kind", "1", "--pdf", ""}, 2, "tandemx-cli: --pdf FILE.pdf is needed" PRINT_USAGE, {}},
    {{"print", "--men", "eight"}, 2, "tandemx-cli: --pdf FILE.pdf is needed" PRINT_USAGE, {}},
    {{"print", "--pdf", "{pdf}"}, 2, "tandemx-cli: --kind 1..4 or members is needed" PRINT_USAGE, {}},
    {{"print", "--kind", "5", "--pdf", "{pdf}"}, 2, "tandemx-cli: --kind 1..4 or members is needed" PRINT_USAGE, {}},
    {{"print", "--kind", "members", "--pdf", "{pdf}"}, 2,
     "tandemx-cli: --kind members needs --members FILE.tdm" PRINT_USAGE, {}},
    {{"print", "--kind", "members", "--pdf", "{pdf}", "--members"}, 2,
     "tandemx-cli: --members needs a value" PRINT_USAGE, {}},
    {{"print", "--kind", "members", "--pdf", "{pdf}", "--members", "/nonexistent/club.tdm"}, 2,
     "tandemx-cli: cannot read the member file /nonexistent/club.tdm: Bestand bestaat niet : /nonexistent/club.tdm\n", {}},
    {{"print", "--kind", "members", "--pdf", "{pdf}", "--members", "{sample}", "--men", "4"}, 2,
     "tandemx-cli: unknown argument: --men\n", {}},
    {{"print", "--kind", "members", "--pdf", "{pdf}", "--members", "{sample}", "foo"}, 2,
     "tandemx-cli: unknown argument: foo\n", {}},
    {{"print", "--kind", "1", "--pdf", "{pdf}", "--format", "text"}, 2,
     "tandemx-cli: print writes a PDF file; --format does not apply\n", {}},
    {{"print", "--kind", "1", "--pdf", "{pdf}", "--address"}, 2, "tandemx-cli schedule: unknown argument: --address\n", {}},
    {{"print", "--kind", "1", "--pdf", "{pdf}", "--rounds", "4"}, 2, "tandemx-cli schedule: unknown argument: --rounds\n", {}},
    {{"print", "--kind", "1", "--pdf", "{pdf}", "--men", "eight"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"print", "--kind", "2", "--pdf", "{pdf}", "--men", "4", "--ladies", "0", "--doubles", "1", "--mixed", "0",
      "--courts", "1"},
     0, "", {"{pdf}: 1 page\n"}},
};

// --help and --version, and what QCommandLineParser reads as command-line programs do: "--name=value",
// "--" before words that are no options.
const Line kHelpAndForms[] = {
    {{"--help"}, 0, "",
     {"Usage: tandemx-cli COMMAND [options]\n", "\n  -v, --version ", "\nCommands:\n", "\n  members ", "\n  schedule ",
      "\n  overview ", "\n  print ", "\n  matches ", "\"tandemx-cli COMMAND --help\" shows the options of a command.\n"}},
    {{"-h"}, 0, "", {"Usage: tandemx-cli COMMAND [options]\n"}},
    {{"--help", "schedule"}, 0, "", {"Usage: tandemx-cli COMMAND [options]\n"}},
    {{"--version"}, 0, "", {"tandemx-cli " TANDEMX_VERSION "\n"}},
    {{"-v"}, 0, "", {"tandemx-cli " TANDEMX_VERSION "\n"}},
    {{"--version", "--frob"}, 2, kUsage, {}},
    {{"--", "members", "{sample}"}, 2, kUsage, {}},

    {{"members", "--help"}, 0, "",
     {"Usage: tandemx-cli members FILE.tdm [--format json|text]\n", "  --format <json|text> ", "  FILE.tdm "}},
    {{"members", "{sample}", "-h"}, 0, "", {"Usage: tandemx-cli members FILE.tdm [--format json|text]\n"}},
    {{"members", "--help", "--frob"}, 2, "tandemx-cli: unknown argument: --frob\n", {}},
    {{"members", "-x"}, 2, "tandemx-cli: unknown argument: -x\n", {}},
    {{"members", "--format=text", "{sample}"}, 0, "", {"Aantal leden: 40\n"}},
    {{"members", "--format", "text", "--", "{sample}"}, 0, "", {"Aantal leden: 40\n"}},
    {{"matches", "--help"}, 0, "",
     {"Usage: tandemx-cli matches FILE.tdm [--format json|text]\n", "  --format <json|text> ", "  FILE.tdm "}},

    {{"schedule", "--help"}, 0, "",
     {"Usage: tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n", "  --members <FILE.tdm> ",
      "  --men <N> ", "  --ladies <N> ", "  --doubles <R> ", "  --mixed <R> ", "  --courts <C> ",
      "  --men-courts <a,b,..> ", "  --ladies-courts <a,b,..> ", "  --mixed-courts <a,b,..> ", "  --ladies-first ",
      "  --varied-pairs ", "  --group-vs-group ", "  --pause3 <N> ", "  --pause2 <N> ", "  --options <N> ",
      "  --format <json|text> ", "  --engine <fast|reference> "}},
    // Help is for a line that reads: its values are not checked, its unknown words are refused.
    {{"schedule", "--men", "eight", "-h"}, 0, "",
     {"Usage: tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]\n"}},
    {{"schedule", "--help", "--rounds", "4"}, 2, "tandemx-cli schedule: unknown argument: --rounds\n", {}},
    {{"schedule", "-men", "4"}, 2, "tandemx-cli schedule: unknown argument: -men\n", {}},
    {{"schedule", "--", "--men", "4"}, 2, "tandemx-cli schedule: unknown argument: --men\n", {}},
    {{"schedule", "--men=eight"}, 2, "tandemx-cli schedule: --men: not a number: eight\n", {}},
    {{"schedule", "--men=4", "--ladies=0", "--doubles=1", "--mixed=0", "--courts=1", "--format=text"}, 0, "",
     {"Schedule (numbered players): 4 men, 0 ladies, 1 doubles + 0 mixed rounds, 1 courts, pause level 3\n"}},

    {{"overview", "--help"}, 0, "",
     {"Usage: tandemx-cli overview --kind 1..4 [--export] [the inputs of schedule]\n", "  --kind <1..4> ",
      "  --export ", "  --men <N> ", "  --engine <fast|reference> "}},
    {{"overview", "--kind", "1", "--export=1"}, 2, "tandemx-cli schedule: unknown argument: --export=1\n", {}},
    {{"overview", "--kind", "1", "--format=text"}, 2,
     "tandemx-cli schedule: overview prints its lines; --format does not apply\n", {}},
    {{"overview", "--kind", "1", "--kind"}, 2, "tandemx-cli schedule: unknown argument: --kind\n", {}},

    {{"print", "--help"}, 0, "",
     {"Usage: tandemx-cli print --kind 1..4 --pdf FILE.pdf [the inputs of schedule]\n"
      "       tandemx-cli print --kind members --members FILE.tdm [--address] --pdf FILE.pdf\n",
      "  --kind <1..4|members> ", "  --pdf <FILE.pdf> ", "  --address ", "  --members <FILE.tdm> ", "  --men <N> "}},
    {{"print", "--kind", "members", "--pdf", "{pdf}", "--members", "{sample}", "--kind", "members"}, 2,
     "tandemx-cli: unknown argument: --kind\n", {}},
    {{"print", "--kind", "1", "--pdf", "{pdf}", "--pdf", "{pdf}"}, 2, "tandemx-cli schedule: unknown argument: --pdf\n", {}},
    {{"print", "--kind=members", "--pdf={pdf}", "--members={sample}"}, 0, "", {"{pdf}: 1 page\n"}},
};

#undef PRINT_USAGE

QString filled(QString text, const QString& pdf)
{
    return text.replace(QStringLiteral("{sample}"), kSample).replace(QStringLiteral("{pdf}"), pdf);
}

// Runs every line and compares status, stderr and stdout.
void checkLines(const Line* begin, const Line* end)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    // The offscreen platform of `print` warns on stderr where XDG_RUNTIME_DIR is missing.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    for (const Line* line = begin; line != end; ++line) {
        QStringList args;
        for (const QString& arg : line->args)
            args << filled(arg, pdf);
        SCOPED_TRACE(("tandemx-cli " + args.join(u' ')).toStdString());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TANDEMX_CLI), args);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), line->status);
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), filled(QString::fromUtf8(line->err), pdf));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        if (line->out.isEmpty()) {
            EXPECT_EQ(out, QString());
        }
        for (const QString& text : line->out)
            EXPECT_TRUE(out.contains(filled(text, pdf))) << text.toStdString() << " not in:\n" << out.toStdString();
    }
}

} // namespace

TEST(CommandLine, RefusedLinesKeepTheirTextAndStatus)
{
    checkLines(std::begin(kRefused), std::end(kRefused));
}

TEST(CommandLine, HelpVersionAndTheUsualForms)
{
    checkLines(std::begin(kHelpAndForms), std::end(kHelpAndForms));
}
