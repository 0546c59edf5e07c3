#pragma once
// A message sink without windows: records every message and answers from a queue. Used by tests and
// by the command-line tool.
#include "messages/Messages.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace tandemx {

class ScriptedMessageSink : public MessageSink {
public:
    struct Shown {
        QString text;
        int kind;
        uint16_t buttons;
    };

    // Queue the answer for the next message (a result such as Result::Yes).
    void expect(int answer) { answers_.push_back(answer); }
    // Called with the message when nothing was queued; by default the message is answered like the
    // dialog's Escape key. Tests install a handler that fails the test.
    void onUnexpected(std::function<void(const Shown&)> handler) { unexpected_ = std::move(handler); }

    int showBericht(const QString& text, int kind, uint16_t buttons, int helpContext) override;
    void beep() override { ++beeps; }

    QStringList texts() const;
    bool allAnswersUsed() const { return answers_.empty(); }

    std::vector<Shown> shown;
    int beeps = 0;

private:
    std::deque<int> answers_;
    std::function<void(const Shown&)> unexpected_;
};

// The result Escape gives for a button set: "Schrap", else "&Nee", else "OK".
int cancelResult(uint16_t buttons);
// The result Enter gives: "OK", else "&Ja", else "&Af", else "&Opnieuw".
int defaultResult(uint16_t buttons);

} // namespace tandemx
