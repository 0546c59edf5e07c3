#pragma once
// Shared fixtures for window tests: a scripted message sink that fails the test on a message nobody
// expected, fixed clock and scripted file dialogs.
#include "forms/PrintDialogs.h"
#include "messages/ScriptedMessages.h"
#include "state/AppState.h"

#include <QPrinter>
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <functional>
#include <vector>

namespace tandemx::test {

class StrictMessages : public ScriptedMessageSink {
public:
    StrictMessages()
    {
        onUnexpected([](const Shown& s) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + s.text), __FILE__, __LINE__);
        });
    }
};

class FixedClock : public Clock {
public:
    QDate date{2026, 12, 10};
    QTime time{19, 30, 0, 125};
    QDate today() const override { return date; }
    QTime timeOfDay() const override { return time; }
};

class ScriptedFiles : public FileDialogs {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<Request> requests;
    std::optional<QString> openFile(const Request& r) override { return next(r); }
    std::optional<QString> saveFile(const Request& r) override { return next(r); }

private:
    std::optional<QString> next(const Request& r)
    {
        requests.push_back(r);
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

// The preview and print dialogs answered from queues; a dialog nobody expected fails the test. Each
// preview is drawn into a PDF file of its own (previewFile(n)), so that a test can count its pages.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    struct Preview {
        QString title;
        QPageLayout::Orientation orientation;
        QString file;
    };
    std::deque<bool> previewAnswers;
    std::deque<bool> printAnswers;
    std::vector<Preview> previews;
    int printDialogs = 0;
    QString folder; // where the previews are drawn
    // Applied to the printer before a preview is answered (the user turning the page in the preview).
    std::function<void(QPrinter&)> inPreview;

    bool preview(QPrinter& printer, const QString& title, const std::function<void(QPrinter&)>& paint) override
    {
        const QString file = folder + QStringLiteral("/preview%1.pdf").arg(previews.size() + 1);
        QPrinter shown(QPrinter::HighResolution);
        shown.setOutputFormat(QPrinter::PdfFormat);
        shown.setOutputFileName(file);
        shown.setResolution(printer.resolution());
        shown.setFullPage(printer.fullPage());
        shown.setPageLayout(printer.pageLayout());
        paint(shown);
        previews.push_back({title, printer.pageLayout().orientation(), file});
        if (previewAnswers.empty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected preview: ") + title), __FILE__, __LINE__);
            return false;
        }
        const bool answer = previewAnswers.front();
        previewAnswers.pop_front();
        if (answer && inPreview)
            inPreview(printer);
        return answer;
    }
    bool printDialog(QPrinter&) override
    {
        ++printDialogs;
        if (printAnswers.empty()) {
            QTest::qFail("unexpected print dialog", __FILE__, __LINE__);
            return false;
        }
        const bool answer = printAnswers.front();
        printAnswers.pop_front();
        return answer;
    }
};

// Points the program settings (recent files, window places, set-up choices) at a folder of the test's
// own, never the user's. Call useFor() once, in initTestCase.
struct TemporarySettings {
    QTemporaryDir dir;
    bool useFor()
    {
        if (!dir.isValid())
            return false;
        QCoreApplication::setOrganizationName("TandemX-test");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        return true;
    }
    QString path() const { return dir.path(); }
};

// One program state with the three test seams.
struct TestState {
    StrictMessages sink;
    Messages messages{sink};
    FixedClock clock;
    ScriptedFiles files;
    AppState state{messages, clock, files};
};

} // namespace tandemx::test
