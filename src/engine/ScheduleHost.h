#pragma once
// Everything the schedule engine needs from its surroundings: the message dialog, the beep, the
// LastErrorState, the key-data Options, and the set-up window's widgets (warning line, working and
// progress texts in the memo, progress bar, DelayTimer) and its event processing. The set-up window
// implements it with its widgets; QuietHost (tandemx-cli, benches, tests) records the messages and the
// warning lines. The display hooks do nothing unless a host overrides them.
//
// Texts are single-byte Windows-1252 strings.
#include <cstdint>
#include <string_view>

namespace tandemx::engine {

// ShowBericht kinds, button sets and results.
namespace Bericht {
constexpr int Warning = 0, Error = 1, Information = 2, Question = 3;
constexpr int ButtonsOk = 16, ButtonsJaNee = 12;
constexpr int ResultOk = 1, ResultYes = 6, ResultNo = 7;
}

class ScheduleHost {
public:
    virtual ~ScheduleHost() = default;

    // The message dialog; returns the button's result.
    virtual int showBericht(std::string_view text, int kind, int buttons) = 0;
    virtual void beep() {}
    virtual int lastErrorState() const = 0;
    virtual void setLastErrorState(int state) = 0;
    // The key data's Options (bit 0 court warnings, bit 1 progress messages).
    virtual uint16_t keyDataOptions() const = 0;

    // The warning line of the set-up window (FoutregelLabel): show it with this text, or hide it.
    virtual void showFoutregel(std::string_view) {}
    virtual void hideFoutregel() {}
    // Runs the DelayTimer once with this interval and processes events until it has fired.
    virtual void delay(int /*milliseconds*/) {}
    // The working text of states 1..4 as the memo's first line (memo at left 135, top 200, height 25).
    virtual void showWorkingText(int /*state*/, std::string_view /*line*/) {}
    // The progress line of a round: the memo gets the given height and the text in the given line.
    virtual void showProgressLine(std::string_view /*text*/, int /*memoHeight*/, int /*memoLine*/) {}
    // The progress bar: position 0, step 1, range 0..maximum, shown with its label; and one step.
    virtual void resetProgress(int /*maximum*/) {}
    virtual void stepProgress() {}
    // Shows or hides the Stop button.
    virtual void setStopVisible(bool) {}
    // The user-break test, called after every candidate pair: lets pending events run and answers
    // true when the user asked to stop (StopRequest 27 or 3).
    virtual bool breakTest() { return false; }
};

} // namespace tandemx::engine
