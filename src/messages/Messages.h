#pragma once
// Every message of the program reaches the user through a MessageSink: the desktop program shows its
// message dialog, tests and the command-line tool use a scripted sink. Messages composes the texts
// and keeps LastErrorState.
#include <QString>

#include <cstdint>
#include <functional>

namespace tandemx {

// Message kinds (caption and icon of the dialog).
enum BerichtKind : int { Warning = 0, Error = 1, Information = 2, Question = 3, Plain = 4 };

// Button bits and the results they return.
namespace Btn {
constexpr uint16_t Bij = 1 << 0, Af = 1 << 1, Ja = 1 << 2, Nee = 1 << 3, OK = 1 << 4, Schrap = 1 << 5,
                   Breek = 1 << 6, Opnieuw = 1 << 7, Negeren = 1 << 8, Alles = 1 << 9,
                   AllesNee = 1 << 10, AllesJa = 1 << 11, Help = 1 << 12;
constexpr uint16_t JaNee = Ja | Nee;
}
namespace Result {
constexpr int None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, All = 8,
              NoToAll = 9, YesToAll = 10;
}

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual int showBericht(const QString& text, int kind, uint16_t buttons, int helpContext) = 0;
    virtual void beep() = 0;
};

class Messages {
public:
    explicit Messages(MessageSink& sink) : sink_(&sink) {}

    // The key-data Options (bit 0: court warnings) are read when a round message is shown.
    void setOptionsSource(std::function<uint16_t()> source) { options_ = std::move(source); }
    void setSink(MessageSink& sink) { sink_ = &sink; }
    MessageSink& sink() { return *sink_; }

    int showBericht(const QString& text, int kind, uint16_t buttons, int helpContext = 0)
    {
        return sink_->showBericht(text, kind, buttons, helpContext);
    }
    // Number not 0: table entry + text; number 0: text + state text + "\n\r" + hint text. As an error.
    void showMessageNo(const QString& text, int number, int state, int hint);
    void showRoundMessage(int prefixNumber, int number, int round);
    void showInfo(const QString& text) { showBericht(text, Information, Btn::OK, 0); }
    bool ask(const QString& text) { return showBericht(text, Question, Btn::JaNee, 0) == Result::Yes; }
    void beep() { sink_->beep(); }

    int lastErrorState = 0;

private:
    MessageSink* sink_;
    std::function<uint16_t()> options_;
};

} // namespace tandemx
