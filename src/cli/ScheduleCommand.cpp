// tandemx-cli schedule: the schedule set-up and calculation without windows.
//
//   tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [--doubles R] [--mixed R]
//                        [--courts C] [--men-courts a,b,..] [--ladies-courts a,b,..] [--mixed-courts a,b,..]
//                        [--ladies-first] [--varied-pairs] [--group-vs-group] [--pause3 N] [--pause2 N]
//                        [--spread] [--options N] [--format json|text] [--engine fast|reference]
//
// The line is read with QCommandLineParser (see CliSupport.h); the refusals are worded as scripts that
// call tandemx-cli know them.
//
// --spread: "Tegenstanders spreiden", the spreading pass after the calculation (overview and print take
// it too, with the other inputs of schedule).
#include "cli/Commands.h"
#include "overviews/Overview.h"

#include "engine/QuietHost.h"
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"
#include "records/Cp1252.h"
#include "records/MemberFile.h"
#include "state/ScheduleSetup.h"

#include <QFileInfo>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tandemx::cli {
namespace {

using namespace tandemx::engine;

struct UsageError {
    QString text;
};

int parseNumber(const QString& option, const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw UsageError{option + QStringLiteral(": not a number: ") + text};
    if (value < 0)
        throw UsageError{option + QStringLiteral(": a negative number is not allowed: ") + text};
    return value;
}

std::vector<int> parseList(const QString& option, const QString& text)
{
    std::vector<int> values;
    for (const QString& part : text.split(u','))
        values.push_back(parseNumber(option, part));
    return values;
}

struct Options {
    QString members;
    std::optional<int> men, ladies, doubles, mixed, courts, options;
    std::optional<std::vector<int>> menCourts, ladiesCourts, mixedCourts;
    uint16_t playOptions = 0;
    bool spread = false;
    int pause3 = 1, pause2 = 1;
    bool text = false;
    EngineMode engine = EngineMode::Fast;
};

// Every value of the line is checked; of an option given more than once the last value counts.
Options optionsFrom(const QCommandLineParser& line, bool withFormat)
{
    Options o;
    const auto values = [&line](const char* name) { return line.values(QLatin1String(name)); };
    const auto number = [&](const char* name, std::optional<int>& target) {
        for (const QString& value : values(name))
            target = parseNumber(QStringLiteral("--") + QLatin1String(name), value);
    };
    const auto list = [&](const char* name, std::optional<std::vector<int>>& target) {
        for (const QString& value : values(name))
            target = parseList(QStringLiteral("--") + QLatin1String(name), value);
    };
    const auto pause = [&](const char* name, int& target) {
        const QString option = QStringLiteral("--") + QLatin1String(name);
        for (const QString& value : values(name)) {
            const int v = parseNumber(option, value);
            if (v > 3)
                throw UsageError{option + QStringLiteral(" must be 0..3")};
            target = v;
        }
    };
    o.members = line.value(QStringLiteral("members"));
    number("men", o.men);
    number("ladies", o.ladies);
    number("doubles", o.doubles);
    number("mixed", o.mixed);
    number("courts", o.courts);
    number("options", o.options);
    list("men-courts", o.menCourts);
    list("ladies-courts", o.ladiesCourts);
    list("mixed-courts", o.mixedCourts);
    if (line.isSet(QStringLiteral("ladies-first")))
        o.playOptions |= PlayOption::LadiesFirst;
    if (line.isSet(QStringLiteral("varied-pairs")))
        o.playOptions |= PlayOption::VariedPairs;
    if (line.isSet(QStringLiteral("group-vs-group")))
        o.playOptions |= PlayOption::GroupVsGroup;
    o.spread = line.isSet(QStringLiteral("spread"));
    pause("pause3", o.pause3);
    pause("pause2", o.pause2);
    if (withFormat) {
        for (const QString& f : values("format")) {
            if (f != u"json" && f != u"text")
                throw UsageError{QStringLiteral("--format must be json or text")};
            o.text = f == u"text";
        }
    }
    for (const QString& e : values("engine")) {
        if (e != u"fast" && e != u"reference")
            throw UsageError{QStringLiteral("--engine must be fast or reference")};
        o.engine = e == u"reference" ? EngineMode::Reference : EngineMode::Fast;
    }
    return o;
}

// What only the whole line can tell.
void checkCombination(const Options& o)
{
    if (!o.members.isEmpty() && (o.men || o.ladies))
        throw UsageError{QStringLiteral("--members cannot be combined with --men or --ladies")};
    if (o.options && *o.options > 0xFFFF)
        throw UsageError{QStringLiteral("--options must be 0..65535")};
}

QString text(std::string_view bytes)
{
    return fromCp1252(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

QByteArray jsonString(std::string_view bytes)
{
    const QByteArray utf8 = text(bytes).toUtf8();
    QByteArray out = "\"";
    for (char ch : utf8) {
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (uint8_t(ch) < 0x20)
                out += QByteArray("\\u00") + QByteArray::number(uint8_t(ch), 16).rightJustified(2, '0');
            else
                out += ch;
        }
    }
    return out + "\"";
}

template <typename List>
QByteArray jsonInts(const List& values, int from, int to)
{
    QByteArray out = "[";
    for (int i = from; i <= to; ++i) {
        if (i > from)
            out += ", ";
        out += QByteArray::number(int(values[size_t(i)]));
    }
    return out + "]";
}

QByteArray jsonRange(const CourtRange& r)
{
    return "[" + QByteArray::number(r.first) + ", " + QByteArray::number(r.last) + "]";
}

int lastCourt(const RoundRecord& rec)
{
    int k = 0;
    for (const CourtRange& r : rec.range)
        k = std::max<int>(k, r.last);
    return std::min(k, MaxCourts);
}

QByteArray writeJson(const ScheduleState& s, const QuietHost& host, ScheduleMode mode)
{
    const int D = s.Settings.NumDoublesRounds, X = s.Settings.NumMixedRounds;
    const int M = s.Settings.NumMen, L = s.Settings.NumLadies;
    QByteArray out = "{\n";
    out += "  \"mode\": " + QByteArray::number(int(mode)) + ",\n";
    out += "  \"men\": " + QByteArray::number(M) + ", \"ladies\": " + QByteArray::number(L)
        + ", \"doublesRounds\": " + QByteArray::number(D) + ", \"mixedRounds\": " + QByteArray::number(X)
        + ", \"courts\": " + QByteArray::number(s.Run.NumCourts) + ",\n";
    out += "  \"pauseLevel\": " + QByteArray::number(s.PauseLevel) + ",\n";
    out += "  \"courtsPerRound\": {\"men\": " + jsonInts(s.CourtsPerRound.men, 1, D)
        + ", \"ladies\": " + jsonInts(s.CourtsPerRound.ladies, 1, D)
        + ", \"mixed\": " + jsonInts(s.CourtsPerRound.mixed, 1, X) + "},\n";
    out += "  \"rounds\": [";
    for (int r = 1; r <= D + X; ++r) {
        const RoundRecord& rec = s.ScheduleTable[size_t(r)];
        out += r > 1 ? ",\n    " : "\n    ";
        out += "{\"round\": " + QByteArray::number(r) + ", \"men\": " + jsonRange(rec.range[0])
            + ", \"ladies\": " + jsonRange(rec.range[1]) + ", \"mixed\": " + jsonRange(rec.range[2])
            + ", \"courts\": [";
        for (int k = 1; k <= lastCourt(rec); ++k) {
            if (k > 1)
                out += ", ";
            out += jsonInts(rec.court[size_t(k)], 0, 3);
        }
        out += "]}";
    }
    out += D + X > 0 ? "\n  ],\n" : "],\n";
    out += "  \"timesPlayed\": {\"men\": " + jsonInts(s.Counters[Men].TimesPlayed, 1, M)
        + ", \"ladies\": " + jsonInts(s.Counters[Ladies].TimesPlayed, 1, L) + "},\n";
    auto strings = [](const std::vector<std::string>& list) {
        QByteArray a = "[";
        for (size_t i = 0; i < list.size(); ++i)
            a += (i ? ", " : "") + jsonString(list[i]);
        return a + "]";
    };
    out += "  \"messages\": " + strings(host.messages) + ",\n";
    out += "  \"warnings\": " + strings(host.warnings) + "\n";
    return out + "}\n";
}

QString visible(std::string_view bytes)
{
    return text(bytes).replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
}

QByteArray writeText(const ScheduleState& s, const QuietHost& host, ScheduleMode mode)
{
    const int D = s.Settings.NumDoublesRounds, X = s.Settings.NumMixedRounds;
    const int M = s.Settings.NumMen, L = s.Settings.NumLadies;
    QString out;
    out += QStringLiteral("Schedule (%1): %2 men, %3 ladies, %4 doubles + %5 mixed rounds, %6 courts, pause level %7\n")
               .arg(mode == ScheduleMode::Names ? QStringLiteral("players with names") : QStringLiteral("numbered players"))
               .arg(M).arg(L).arg(D).arg(X).arg(s.Run.NumCourts).arg(s.PauseLevel);
    static const char* const kCategory[3] = {"men", "ladies", "mixed"};
    for (int r = 1; r <= D + X; ++r) {
        const RoundRecord& rec = s.ScheduleTable[size_t(r)];
        out += QStringLiteral("\nRound %1 (%2)\n").arg(r, 2).arg(r <= D ? u"doubles" : u"mixed");
        for (int g = 0; g < 3; ++g) {
            for (int k = rec.range[size_t(g)].first; k <= rec.range[size_t(g)].last && k <= MaxCourts; ++k) {
                if (k < 1)
                    continue;
                const auto& c = rec.court[size_t(k)];
                out += QStringLiteral("  court %1  %2  %3 %4  -  %5 %6\n")
                           .arg(k, 2)
                           .arg(QLatin1String(kCategory[g]), -6)
                           .arg(c[0], 3).arg(c[1], 3).arg(c[2], 3).arg(c[3], 3);
            }
        }
    }
    out += QStringLiteral("\nTimes played\n");
    for (int g = Men; g <= Ladies; ++g) {
        const int n = g == Men ? M : L;
        out += g == Men ? QStringLiteral("  men   :") : QStringLiteral("  ladies:");
        for (int j = 1; j <= n; ++j)
            out += QStringLiteral(" %1").arg(s.Counters[size_t(g)].TimesPlayed[size_t(j)]);
        out += u'\n';
    }
    out += QStringLiteral("\nMessages\n");
    for (const auto& m : host.messages)
        out += QStringLiteral("  ") + visible(m) + u'\n';
    out += QStringLiteral("\nWarnings\n");
    for (const auto& w : host.warnings)
        out += QStringLiteral("  ") + visible(w) + u'\n';
    return out.toUtf8();
}

// The error line of schedule, and of overview and print where they calculate.
int refuse(const QString& reason)
{
    QString line = reason;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    std::fprintf(stderr, "tandemx-cli schedule: %s\n", qPrintable(line));
    return 2;
}

void applyCourts(std::array<uint8_t, MaxRounds + 1>& target, const std::optional<std::vector<int>>& values)
{
    if (!values)
        return;
    for (size_t i = 0; i < values->size(); ++i)
        target[i + 1] = uint8_t((*values)[i]);
}

// The schedule of the inputs on a line read with scheduleOptions(), printed as JSON or text, or
// (an overviewKind) as the lines of that overview, or handed to `output`.
int runCalculation(const QCommandLineParser& line, bool withFormat, overviews::OverviewKind overviewKind,
                   const Clock& clock, const OverviewOutput& output = nullptr)
{
    Options o;
    try {
        o = optionsFrom(line, withFormat);
        checkCombination(o);
    } catch (const UsageError& e) {
        return refuse(e.text);
    }
    const ScheduleMode mode = o.members.isEmpty() ? ScheduleMode::Numbered : ScheduleMode::Names;

    KeyData keyData;
    std::optional<TConfigObj> config;
    std::optional<MemberList> members;
    if (mode == ScheduleMode::Names) {
        config = readKeyDataFile(configFileName(o.members));
        if (config)
            keyData = config->keyData;
        QString error;
        members = readMemberFile(o.members, keyData.clubSize, &error);
        if (!members)
            return refuse(QStringLiteral("cannot read the member file %1: %2").arg(o.members, error));
    }
    const uint16_t keyOptions = o.options ? uint16_t(*o.options) : (mode == ScheduleMode::Names ? keyData.options : uint16_t(17));

    auto state = std::make_unique<ScheduleState>();
    state->Engine = o.engine;
    // Records every message and warning line; the question " Wilt U stoppen" is answered "&Nee".
    QuietHost host(keyOptions);
    ScheduleSettings& in = state->Settings;
    in.ScheduleMode = mode;
    const std::string group1 = keyData.group1Code.toStdString(), group2 = keyData.group2Code.toStdString();
    SetGroupCodes(*state, mode == ScheduleMode::Names ? group1 : "h", mode == ScheduleMode::Names ? group2 : "d");

    if (mode == ScheduleMode::Names) {
        setup::takePlayers(*state, host, *members, keyData);
        in.NumDoublesRounds = o.doubles.value_or(keyData.doublesRounds);
        in.NumMixedRounds = o.mixed.value_or(keyData.mixedRounds);
        in.NumCourts = o.courts.value_or(keyData.courts);
    } else {
        in.NumMen = o.men.value_or(24);
        in.NumLadies = o.ladies.value_or(24);
        in.NumDoublesRounds = o.doubles.value_or(4);
        in.NumMixedRounds = o.mixed.value_or(2);
        in.NumCourts = o.courts.value_or(10);
    }

    // The limits of the tables, as the set-up window keeps them.
    if (const QString breach = setup::tableLimitBreach(in, state->CourtsPerRound); !breach.isEmpty())
        return refuse(breach);
    auto checkList = [&](const char* option, const std::optional<std::vector<int>>& values, int rounds) -> QString {
        if (!values)
            return {};
        if (int(values->size()) > rounds)
            return QStringLiteral("%1 has more values than rounds (%2)").arg(QLatin1String(option)).arg(rounds);
        for (int v : *values)
            if (v > MaxCourts)
                return QStringLiteral("%1: courts is more than %2 (%3)").arg(QLatin1String(option)).arg(MaxCourts).arg(v);
        return {};
    };
    for (const QString& problem : {checkList("--men-courts", o.menCourts, in.NumDoublesRounds),
                                   checkList("--ladies-courts", o.ladiesCourts, in.NumDoublesRounds),
                                   checkList("--mixed-courts", o.mixedCourts, in.NumMixedRounds)})
        if (!problem.isEmpty())
            return refuse(problem);

    in.PlayOptions = o.playOptions;
    DefaultCourts(*state, host);
    applyCourts(state->CourtsPerRound.men, o.menCourts);
    applyCourts(state->CourtsPerRound.ladies, o.ladiesCourts);
    applyCourts(state->CourtsPerRound.mixed, o.mixedCourts);
    if (const QString breach = setup::tableLimitBreach(in, state->CourtsPerRound); !breach.isEmpty())
        return refuse(breach);
    in.PauseOptions = uint16_t(o.pause3 | (o.pause2 << 2));
    in.SpreadOpponents = o.spread;

    StartSchedule(*state, host);

    QByteArray out;
    if (overviewKind != overviews::NoOverview) {
        overviews::FillHooks hooks;
        hooks.error = [](const std::string& message) {
            std::fprintf(stderr, "tandemx-cli overview: %s\n", qPrintable(text(message)));
        };
        const auto prepared = overviews::prepareOverview(overviewKind, *state, hooks);
        if (output)
            return output(OverviewResult{*state, prepared, keyData, config, clock.today()});
        for (const std::string& line : prepared.lines)
            out += overviews::lineText(line).toUtf8() + '\n';
    } else {
        out = o.text ? writeText(*state, host, mode) : writeJson(*state, host, mode);
    }
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return 0;
}

} // namespace

const char* const ScheduleSyntax = "tandemx-cli schedule [--members FILE.tdm | --men N --ladies N] [options]";

QList<QCommandLineOption> scheduleOptions(bool withFormat)
{
    auto option = [](const char* name, const char* description, const char* value = nullptr) {
        return value ? QCommandLineOption(QLatin1String(name), QLatin1String(description), QLatin1String(value))
                     : QCommandLineOption(QLatin1String(name), QLatin1String(description));
    };
    QList<QCommandLineOption> options{
        option("members",
               "The members marked present in this member file play, with their names; rounds, courts and "
               "options come from its key data (the .cfg file beside it).",
               "FILE.tdm"),
        option("men", "Numbered men (without --members; default 24).", "N"),
        option("ladies", "Numbered ladies (without --members; default 24).", "N"),
        option("doubles", "Doubles rounds (default 4, or the key data's).", "R"),
        option("mixed", "Mixed rounds (default 2, or the key data's).", "R"),
        option("courts", "Courts, at most 32 (default 10, or the key data's).", "C"),
        option("men-courts", "The men's courts per doubles round (default: as the set-up window proposes).",
               "a,b,.."),
        option("ladies-courts", "The ladies' courts per doubles round (default: as proposed).", "a,b,.."),
        option("mixed-courts", "The courts per mixed round (default: as proposed).", "a,b,.."),
        option("ladies-first", "\"Dames op de 1e banen\": the ladies take the first courts."),
        option("varied-pairs", "\"Steeds ander begin paren\": other pairs to begin with."),
        option("group-vs-group", "\"Groep 1 tegen Groep 2\" in the mixed rounds."),
        option("spread", "\"Tegenstanders spreiden\": after the calculation, spread opponents and court-mates "
                         "over the evening, keeping who plays in which round."),
        option("pause3", "\"Pauzes voor 3 X spelen\", 0..3 (default 1).", "N"),
        option("pause2", "\"Pauzes voor 2 X spelen\", 0..3 (default 1).", "N"),
        option("options", "The key data's options, 0..65535 (default 17, or the key data's).", "N"),
    };
    if (withFormat)
        options << option("format", "Writes JSON (json, the default) or text.", "json|text");
    options << option("engine", "The fast search (fast, the default) or the literal one (reference).",
                      "fast|reference");
    return options;
}

QString checkScheduleValues(const QCommandLineParser& line, bool withFormat)
{
    try {
        optionsFrom(line, withFormat);
    } catch (const UsageError& e) {
        return e.text;
    }
    return {};
}

int scheduleFault(const CommandLine::Fault& fault)
{
    switch (fault.kind) {
    case CommandLine::Fault::MissingValue:
        return refuse(fault.argument + QStringLiteral(" needs a value"));
    case CommandLine::Fault::BadValue:
        return refuse(fault.text);
    case CommandLine::Fault::UnknownArgument:
        break;
    }
    return refuse(QStringLiteral("unknown argument: ") + fault.argument);
}

int runSchedule(const QStringList& args, const Clock& clock)
{
    CommandLine line(QLatin1String(ScheduleSyntax),
                     QStringLiteral("Computes the schedule of a club evening, from the present members of a\n"
                                    "member file or from numbers of men and ladies, and writes it as JSON or text."));
    line.addOptions(scheduleOptions(true));
    switch (line.read(args, [](const QCommandLineParser& parser) { return checkScheduleValues(parser, true); })) {
    case CommandLine::Result::Help:
        return showHelp(line.helpText());
    case CommandLine::Result::Fault:
        return scheduleFault(line.fault());
    case CommandLine::Result::Ok:
        break;
    }
    return runCalculation(line.parser(), true, overviews::NoOverview, clock);
}

std::optional<overviews::OverviewKind> overviewKindFrom(const QString& text)
{
    bool ok = false;
    const int kind = text.toInt(&ok);
    if (!ok || kind < overviews::PairSchedule || kind > overviews::CrossTable)
        return std::nullopt;
    return overviews::OverviewKind(kind);
}

int runOverviewOutput(const QCommandLineParser& line, overviews::OverviewKind kind, const Clock& clock,
                      const OverviewOutput& output)
{
    return runCalculation(line, false, kind, clock, output);
}

int runOverview(const QStringList& args, const Clock& clock)
{
    CommandLine line(QStringLiteral("tandemx-cli overview --kind 1..4 [--export] [the inputs of schedule]"),
                     QStringLiteral("Calculates as schedule does and prints the lines of an overview."));
    line.addOptions({QCommandLineOption(QStringLiteral("kind"),
                                        QStringLiteral("1 pair schedule, 2 court schedule, 3 times played, "
                                                       "4 cross table."),
                                        QStringLiteral("1..4")),
                     QCommandLineOption(QStringLiteral("export"),
                                        QStringLiteral("In the layout of the text export (\"&Export\").")),
                     });
    line.addOptions(scheduleOptions(false));
    const auto result = line.read(args, [](const QCommandLineParser& parser) {
        if (parser.values(QStringLiteral("kind")).size() > 1)
            return QStringLiteral("unknown argument: --kind");
        return checkScheduleValues(parser, false);
    });
    if (result == CommandLine::Result::Help)
        return showHelp(line.helpText());
    const QCommandLineParser& parsed = line.parser();
    const std::optional<overviews::OverviewKind> kind = overviewKindFrom(parsed.values(QStringLiteral("kind")).value(0));
    if (!kind) {
        std::fputs("tandemx-cli overview: --kind 1..4 is needed (1 pair schedule, 2 court schedule, "
                   "3 times played, 4 cross table)\n", stderr);
        return 2;
    }
    if (parsed.unknownOptionNames().contains(QStringLiteral("format")))
        return refuse(QStringLiteral("overview prints its lines; --format does not apply"));
    if (result == CommandLine::Result::Fault) {
        CommandLine::Fault fault = line.fault();
        // --kind has its value: a second one at the end of the line is one too many.
        if (fault.kind == CommandLine::Fault::MissingValue && fault.argument == u"--kind")
            fault.kind = CommandLine::Fault::UnknownArgument;
        return scheduleFault(fault);
    }
    if (parsed.isSet(QStringLiteral("export")))
        return runOverviewOutput(parsed, *kind, clock, writeOverviewExport);
    return runCalculation(parsed, false, *kind, clock);
}

} // namespace tandemx::cli
