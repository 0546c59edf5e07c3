#pragma once
// A host that records what the engine shows, and a small description of an evening that runs it.
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tandemx::engine::testing {

class RecordingHost : public ScheduleHost {
public:
    int showBericht(std::string_view text, int kind, int buttons) override
    {
        messages.emplace_back(text);
        kinds.push_back(kind);
        buttonSets.push_back(buttons);
        return kind == Bericht::Question ? answer : Bericht::ResultOk;
    }
    void beep() override { ++beeps; }
    int lastErrorState() const override { return lastError; }
    void setLastErrorState(int state) override { lastError = state; }
    uint16_t keyDataOptions() const override { return options; }
    void showFoutregel(std::string_view text) override { warnings.emplace_back(text); }
    void delay(int milliseconds) override { delays.push_back(milliseconds); }
    void showWorkingText(int state, std::string_view) override { workingStates.push_back(state); }
    void showProgressLine(std::string_view text, int, int) override { progressLines.emplace_back(text); }
    // With a budget, the break test answers "stop" once that many candidates have been examined.
    bool breakTest() override { return ++candidates > budget && budget >= 0; }

    std::vector<std::string> messages;
    std::vector<int> kinds;
    std::vector<int> buttonSets;
    std::vector<std::string> warnings;
    std::vector<std::string> progressLines;
    std::vector<int> delays;
    std::vector<int> workingStates;
    uint16_t options = 17;
    int lastError = 0;
    int answer = Bericht::ResultNo;
    int beeps = 0;
    long long budget = -1;
    long long candidates = 0;
};

// An evening as the set-up window would start it: "&Meer" defaults, then overrides, then "&Start".
struct Evening {
    int men = 0;
    int ladies = 0;
    int doubles = 0;
    int mixed = 0;
    int courts = 0;
    uint16_t playOptions = 0;
    int pause3 = 1;
    int pause2 = 1;
    // With codes the players are taken "with names" (mode 1); without, they are numbered (mode 2).
    std::vector<uint8_t> menCodes;
    std::vector<uint8_t> ladiesCodes;
    std::vector<int> menCourts;    // doubles rounds 1.. (empty: the defaults)
    std::vector<int> ladiesCourts;
    std::vector<int> mixedCourts;
};

inline std::unique_ptr<ScheduleState> prepareEvening(const Evening& e, RecordingHost& host)
{
    auto s = std::make_unique<ScheduleState>();
    ScheduleSettings& in = s->Settings;
    in.NumMen = e.men;
    in.NumLadies = e.ladies;
    in.NumDoublesRounds = e.doubles;
    in.NumMixedRounds = e.mixed;
    in.NumCourts = e.courts;
    const bool named = !e.menCodes.empty() || !e.ladiesCodes.empty();
    in.ScheduleMode = named ? ScheduleMode::Names : ScheduleMode::Numbered;
    for (size_t j = 0; j < e.menCodes.size(); ++j)
        s->PlayerTable[Men][j + 1].PlayerCode = e.menCodes[j];
    for (size_t j = 0; j < e.ladiesCodes.size(); ++j)
        s->PlayerTable[Ladies][j + 1].PlayerCode = e.ladiesCodes[j];
    if (named) { // a player without a code takes part plainly ("X")
        for (int j = int(e.menCodes.size()) + 1; j <= e.men; ++j)
            s->PlayerTable[Men][size_t(j)].PlayerCode = 'X';
        for (int j = int(e.ladiesCodes.size()) + 1; j <= e.ladies; ++j)
            s->PlayerTable[Ladies][size_t(j)].PlayerCode = 'X';
    }
    in.PlayOptions = e.playOptions;
    DefaultCourts(*s, host);
    for (size_t r = 0; r < e.menCourts.size(); ++r)
        s->CourtsPerRound.men[r + 1] = uint8_t(e.menCourts[r]);
    for (size_t r = 0; r < e.ladiesCourts.size(); ++r)
        s->CourtsPerRound.ladies[r + 1] = uint8_t(e.ladiesCourts[r]);
    for (size_t r = 0; r < e.mixedCourts.size(); ++r)
        s->CourtsPerRound.mixed[r + 1] = uint8_t(e.mixedCourts[r]);
    in.PauseOptions = uint16_t(e.pause3 | (e.pause2 << 2));
    return s;
}

inline std::unique_ptr<ScheduleState> runEvening(const Evening& e, RecordingHost& host)
{
    auto s = prepareEvening(e, host);
    StartSchedule(*s, host);
    return s;
}

// The four places of court k in round r.
inline std::array<int, 4> places(const ScheduleState& s, int r, int k)
{
    const auto& c = s.ScheduleTable[size_t(r)].court[size_t(k)];
    return {c[0], c[1], c[2], c[3]};
}

// Who met whom in the mixed rounds so far, read from the schedule as the history-conflict rule reads
// the history: for a court of A = (a man, a lady) against B = (b man, b lady) the men a and b, the
// ladies a and b, and across: a man with b lady, b man with a lady, and each man with his own partner
// (the second entry pair of the court, (a man, b lady) against (b man, a lady)).
struct Meetings {
    std::set<std::pair<int, int>> men, ladies, across; // across: (man, lady)

    void add(std::array<int, 4> c)
    {
        men.insert({std::min(c[0], c[2]), std::max(c[0], c[2])});
        ladies.insert({std::min(c[1], c[3]), std::max(c[1], c[3])});
        across.insert({c[0], c[3]});
        across.insert({c[2], c[1]});
        across.insert({c[0], c[1]});
        across.insert({c[2], c[3]});
    }
    bool conflict(std::array<int, 4> c) const
    {
        return men.count({std::min(c[0], c[2]), std::max(c[0], c[2])}) || ladies.count({std::min(c[1], c[3]), std::max(c[1], c[3])})
            || across.count({c[0], c[3]}) || across.count({c[2], c[1]});
    }
};

// Every mixed court of the evening against the mixed rounds before it; returns the courts checked.
inline int expectNoConflictOnACourt(const ScheduleState& s, const std::string& label)
{
    Meetings met;
    int courts = 0;
    for (int r = s.Run.NumDoublesRounds + 1; r <= s.TotalRounds; ++r) {
        const CourtRange range = s.ScheduleTable[size_t(r)].range[MixedDoubles];
        for (int k = std::max(1, range.first); k <= range.last; ++k) {
            EXPECT_FALSE(met.conflict(places(s, r, k))) << label << ", round " << r << ", court " << k;
            ++courts;
        }
        for (int k = std::max(1, range.first); k <= range.last; ++k)
            met.add(places(s, r, k));
    }
    return courts;
}

} // namespace tandemx::engine::testing
