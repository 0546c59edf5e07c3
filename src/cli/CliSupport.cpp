#include "cli/CliSupport.h"

#include <cstdio>
#include <utility>

namespace tandemx::cli {

int fail(const QString& text)
{
    std::fprintf(stderr, "tandemx-cli: %s\n", qPrintable(QString(text).replace(u'\r', u' ').replace(u'\n', u' ')));
    return 2;
}

int showHelp(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return 0;
}

QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
}

CommandLine::CommandLine(QString syntax, const QString& about) : syntax_(std::move(syntax))
{
    parser_.setApplicationDescription(about);
}

void CommandLine::addOptions(const QList<QCommandLineOption>& options)
{
    options_ += options;
}

void CommandLine::addFileArgument(const QString& name, const QString& description)
{
    fileName_ = name;
    fileDescription_ = description;
}

void CommandLine::setUp(QCommandLineParser& parser) const
{
    parser.addOption(helpOption());
    parser.addOptions(options_);
    if (!fileName_.isEmpty())
        parser.addPositionalArgument(fileName_, fileDescription_);
}

CommandLine::Result CommandLine::read(const QStringList& args, const ValueCheck& check)
{
    const QString program = QStringLiteral("tandemx-cli");
    const qsizetype files = fileName_.isEmpty() ? 0 : 1;
    setUp(parser_);
    const bool parsed = parser_.parse(QStringList{program} + args);
    if (parsed && parser_.isSet(QStringLiteral("help")))
        return Result::Help;
    if (parsed && parser_.positionalArguments().size() <= files && (!check || check(parser_).isEmpty()))
        return Result::Ok;

    for (qsizetype n = 1; n <= args.size(); ++n) {
        QCommandLineParser part;
        setUp(part);
        const bool ok = part.parse(QStringList{program} + args.first(n));
        const QString& word = args.at(n - 1);
        if (!part.unknownOptionNames().isEmpty() || part.positionalArguments().size() > files) {
            fault_ = {Fault::UnknownArgument, word, {}};
            return Result::Fault;
        }
        if (!ok) {
            // A value given to an option that takes none ("--ladies-first=1").
            if (word.contains(u'=')) {
                fault_ = {Fault::UnknownArgument, word, {}};
                return Result::Fault;
            }
            // Otherwise the word is an option whose value comes next, unless the line ends here.
            if (n < args.size())
                continue;
            fault_ = {Fault::MissingValue, word, {}};
            return Result::Fault;
        }
        if (check) {
            if (QString text = check(part); !text.isEmpty()) {
                fault_ = {Fault::BadValue, word, text};
                return Result::Fault;
            }
        }
    }
    // Not reached: the whole line has a fault, so one of its beginnings has.
    fault_ = {Fault::UnknownArgument, args.isEmpty() ? QString() : args.last(), {}};
    return Result::Fault;
}

QString CommandLine::helpText() const
{
    QString text = parser_.helpText();
    text.remove(0, text.indexOf(u'\n') + 1);
    return QStringLiteral("Usage: ") + syntax_ + u'\n' + text;
}

bool valueMissing(const QCommandLineParser& parser, const QString& name)
{
    return parser.isSet(name) && parser.values(name).isEmpty();
}

std::optional<FileArguments> readFileArguments(const QStringList& args, const QString& syntax, const QString& about,
                                               int* status)
{
    CommandLine line(syntax, about);
    line.addOptions({QCommandLineOption(QStringLiteral("format"),
                                        QStringLiteral("Writes JSON (json, the default) or a table (text)."),
                                        QStringLiteral("json|text"))});
    line.addFileArgument(QStringLiteral("FILE.tdm"), QStringLiteral("The member file."));
    switch (line.read(args)) {
    case CommandLine::Result::Help:
        *status = showHelp(line.helpText());
        return std::nullopt;
    case CommandLine::Result::Fault:
        // --format without its value counts as an unknown word as well.
        *status = fail(QStringLiteral("unknown argument: ") + line.fault().argument);
        return std::nullopt;
    case CommandLine::Result::Ok:
        break;
    }
    FileArguments parsed;
    parsed.file = line.files().value(0);
    if (parsed.file.isEmpty()) {
        *status = fail(QStringLiteral("usage: ") + syntax);
        return std::nullopt;
    }
    const QCommandLineParser& parser = line.parser();
    const QString format = parser.isSet(QStringLiteral("format")) ? parser.value(QStringLiteral("format"))
                                                                  : QStringLiteral("json");
    if (format != QLatin1String("json") && format != QLatin1String("text")) {
        *status = fail(QStringLiteral("unknown format: ") + format);
        return std::nullopt;
    }
    parsed.text = format == QLatin1String("text");
    return parsed;
}

} // namespace tandemx::cli
