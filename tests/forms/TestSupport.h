#pragma once
// Shared fixtures for window tests: a scripted message sink that fails the test on a message nobody
// expected, fixed clock and scripted file dialogs.
#include "messages/ScriptedMessages.h"
#include "state/AppState.h"

#include <QTest>

#include <deque>

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

// One program state with the three test seams.
struct TestState {
    StrictMessages sink;
    Messages messages{sink};
    FixedClock clock;
    ScriptedFiles files;
    AppState state{messages, clock, files};
};

} // namespace tandemx::test
