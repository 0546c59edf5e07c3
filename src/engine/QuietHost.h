#pragma once
// A host that shows nothing and never stops the calculation: for tandemx-cli, the benches and tests that
// only want the schedule. It keeps the messages and warning lines given, LastErrorState and the number
// of candidates examined; the question " Wilt U stoppen" gets the answer it was made with.
#include "ScheduleHost.h"

#include <string>
#include <vector>

namespace tandemx::engine {

class QuietHost : public ScheduleHost {
public:
    // options: the key data's Options; answer: the reply to questions (" Wilt U stoppen").
    explicit QuietHost(uint16_t options = 17, int answer = Bericht::ResultNo) : options_(options), answer_(answer) {}

    int showBericht(std::string_view text, int, int buttons) override
    {
        messages.emplace_back(text);
        return buttons == Bericht::ButtonsJaNee ? answer_ : Bericht::ResultOk;
    }
    int lastErrorState() const override { return lastError; }
    void setLastErrorState(int state) override { lastError = state; }
    uint16_t keyDataOptions() const override { return options_; }
    void showFoutregel(std::string_view text) override { warnings.emplace_back(text); }
    bool breakTest() override
    {
        ++candidates;
        return false;
    }

    std::vector<std::string> messages;
    std::vector<std::string> warnings;
    int lastError = 0;
    long long candidates = 0;

private:
    uint16_t options_;
    int answer_;
};

} // namespace tandemx::engine
