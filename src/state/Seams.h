#pragma once
// Seams to the outside world that tests replace: the clock and the file dialogs.
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace tandemx {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
    virtual QTime timeOfDay() const { return QTime::currentTime(); }
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    struct Request {
        QString caption;
        QString fileName;         // initial name: a pattern ("*.tdm") or a suggested name ("club-kruistabel.txt")
        QString filter;           // Qt filter text, e.g. "Tandem bestand (*.tdm)"
        QString defaultExtension; // without dot; appended when the chosen name has none
        QString folder;           // the folder to open in; empty: the folder of the last chosen file
        bool writableOnly = false; // offer only files that can be written (and folders)
    };
    virtual std::optional<QString> openFile(const Request& request) = 0;
    virtual std::optional<QString> saveFile(const Request& request) = 0;
};

} // namespace tandemx
