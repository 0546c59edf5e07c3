#pragma once
// What the file commands of tandemx-cli share: their arguments and their one-line errors.
#include <QString>
#include <QStringList>

#include <optional>

namespace tandemx::cli {

// Prints "tandemx-cli: " + text on one line of stderr (line breaks become blanks); returns status 2.
int fail(const QString& text);

// FILE [--format json|text]. On an error the error line has been printed and nullopt comes back.
struct FileArguments {
    QString file;
    bool text = false;
};
std::optional<FileArguments> parseFileArguments(const QStringList& args, const QString& usage);

} // namespace tandemx::cli
