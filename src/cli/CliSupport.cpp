#include "cli/CliSupport.h"

#include <cstdio>

namespace tandemx::cli {

int fail(const QString& text)
{
    std::fprintf(stderr, "tandemx-cli: %s\n", qPrintable(QString(text).replace(u'\r', u' ').replace(u'\n', u' ')));
    return 2;
}

std::optional<FileArguments> parseFileArguments(const QStringList& args, const QString& usage)
{
    FileArguments parsed;
    QString format = QStringLiteral("json");
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--format") && i + 1 < args.size())
            format = args[++i];
        else if (args[i].startsWith(QLatin1String("--")) || !parsed.file.isEmpty())
            return fail(QStringLiteral("unknown argument: ") + args[i]), std::nullopt;
        else
            parsed.file = args[i];
    }
    if (parsed.file.isEmpty())
        return fail(usage), std::nullopt;
    if (format != QLatin1String("json") && format != QLatin1String("text"))
        return fail(QStringLiteral("unknown format: ") + format), std::nullopt;
    parsed.text = format == QLatin1String("text");
    return parsed;
}

} // namespace tandemx::cli
