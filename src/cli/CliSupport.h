#pragma once
// What the commands of tandemx-cli share: reading their command lines, their help and their one-line
// errors.
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tandemx::cli {

// Prints "tandemx-cli: " + text on one line of stderr (line breaks become blanks); returns status 2.
int fail(const QString& text);

// Prints a help text on stdout; returns status 0.
int showHelp(const QString& text);

// -h, --help: every command takes it.
QCommandLineOption helpOption();

// A command's line, read with QCommandLineParser. Of several mistakes on one line the first one as typed
// is the fault: the line is read again, one word longer each time, up to the word where it turns up.
class CommandLine {
public:
    // `syntax` is the help's usage line without "Usage: " (Qt's own line names the program by its path);
    // `about` says what the command does.
    CommandLine(QString syntax, const QString& about);

    void addOptions(const QList<QCommandLineOption>& options);
    // The one word on the line that is not an option (a member file). Without it every such word is a
    // fault.
    void addFileArgument(const QString& name, const QString& description);

    enum class Result { Ok, Help, Fault };
    // Checks the values of a parsed line: the error text of a bad value, or empty.
    using ValueCheck = std::function<QString(const QCommandLineParser&)>;
    // Help: --help on a line without unknown options or missing values.
    Result read(const QStringList& args, const ValueCheck& check = {});

    // After read(): the line as parsed; after a fault it holds what could be read.
    const QCommandLineParser& parser() const { return parser_; }
    QStringList files() const { return parser_.positionalArguments(); }

    struct Fault {
        enum Kind { UnknownArgument, MissingValue, BadValue } kind = UnknownArgument;
        QString argument; // the word as typed
        QString text;     // BadValue: what the check said
    };
    const Fault& fault() const { return fault_; }

    QString helpText() const;

private:
    void setUp(QCommandLineParser& parser) const;

    QString syntax_;
    QList<QCommandLineOption> options_;
    QString fileName_, fileDescription_;
    QCommandLineParser parser_;
    Fault fault_;
};

// True when option `name` came without its value: it was the line's last word.
bool valueMissing(const QCommandLineParser& parser, const QString& name);

// FILE [--format json|text], the line of `members` and `matches`.
struct FileArguments {
    QString file;
    bool text = false;
};
// nullopt: the help or an error line has been printed and *status is the exit status.
std::optional<FileArguments> readFileArguments(const QStringList& args, const QString& syntax, const QString& about,
                                               int* status);

} // namespace tandemx::cli
