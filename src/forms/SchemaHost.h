#pragma once
// The schedule engine's surroundings in the desktop program: messages and LastErrorState through the
// program's Messages, the key-data Options, and the set-up window's warning line, memo, progress bar,
// Stop button and DelayTimer.
#include "engine/ScheduleHost.h"

#include <QElapsedTimer>

namespace tandemx {

struct AppState;
class TSchemaForm;

class SchemaHost : public engine::ScheduleHost {
public:
    SchemaHost(AppState& state, TSchemaForm& form);

    int showBericht(std::string_view text, int kind, int buttons) override;
    void beep() override;
    int lastErrorState() const override;
    void setLastErrorState(int state) override;
    uint16_t keyDataOptions() const override;

    void showFoutregel(std::string_view text) override;
    void hideFoutregel() override;
    void delay(int milliseconds) override;
    void showWorkingText(int state, std::string_view line) override;
    void showProgressLine(std::string_view text, int memoHeight, int memoLine) override;
    void resetProgress(int maximum) override;
    void stepProgress() override;
    void setStopVisible(bool visible) override;
    // Lets pending events run (at most every BreakInterval ms, so the search is not slowed down by
    // painting) and answers true on StopRequest 27 or 3.
    bool breakTest() override;

    static constexpr int BreakInterval = 15;
    // The bar moves one step per ProgressInterval ms while the calculation runs.
    static constexpr int ProgressInterval = 100;

private:
    void showProgressValue();

    AppState& state_;
    TSchemaForm& form_;
    QElapsedTimer sinceEvents_;
    QElapsedTimer sinceStep_;
    unsigned calls_ = 0;
    int progress_ = 0;
    int progressMax_ = 0;
};

} // namespace tandemx
