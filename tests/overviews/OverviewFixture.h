#pragma once
// A small evening filled by hand: 5 men, 4 ladies, two doubles rounds on one men's and one ladies'
// court, one mixed round on two courts, court positions 1 and 2 labelled 7 and 12.
//
//   round 1  men court 1: 1 2 | 3 4 (man 5 sits out)     ladies court 2: 1 2 | 3 4
//   round 2  men court 1: 1 5 | 3 4 (man 2 sits out)     ladies court 2: 1 3 | 2 4
//   round 3  mixed court 1: man 1 lady 1 | man 2 lady 2   mixed court 2: man 4 lady 3 | man 5 lady 4
//            (man 3 sits out)
#include "engine/ScheduleTables.h"

#include <memory>
#include <string>

namespace tandemx::overviews::testing {

using engine::Ladies;
using engine::Men;
using engine::ScheduleState;

// Stored as the set-up window stores names: first name padded to 24, last name to 40.
inline void setName(ScheduleState& s, int gender, int number, const std::string& first, const std::string& last)
{
    auto& entry = s.PlayerTable[size_t(gender)][size_t(number)];
    entry.firstName.assign((first + std::string(24, ' ')).substr(0, 24));
    entry.lastName.assign((last + std::string(40, ' ')).substr(0, 40));
}

inline void setCourt(ScheduleState& s, int round, int court, int p1, int p2, int p3, int p4)
{
    s.ScheduleTable[size_t(round)].court[size_t(court)] = {uint8_t(p1), uint8_t(p2), uint8_t(p3), uint8_t(p4)};
}

inline void setRange(ScheduleState& s, int round, int category, int first, int last)
{
    s.ScheduleTable[size_t(round)].range[size_t(category)] = {first, last};
}

inline void setOpponents(ScheduleState& s, int gender, int player, int round, int a, int b)
{
    s.Counters[size_t(gender)].RoundOpponents[size_t(player)][size_t(round)] = {uint8_t(a), uint8_t(b)};
}

inline std::unique_ptr<ScheduleState> smallEvening()
{
    auto s = std::make_unique<ScheduleState>();
    s->Settings.ScheduleMode = engine::ScheduleMode::Names;
    s->Settings.PlayOptions = 0;
    s->Run = {5, 4, 2, 1, 2};
    s->TotalRounds = 3;
    s->CourtCodes[1] = 7;
    s->CourtCodes[2] = 12;

    setName(*s, Men, 1, "Jan", "Vries");
    setName(*s, Men, 2, "Piet", "Bakker");
    setName(*s, Men, 3, "Kees", "de Wit");
    setName(*s, Men, 4, "Bram", "Bakker");
    setName(*s, Men, 5, "Ed", "Zwart");
    setName(*s, Ladies, 1, "Els", "Kok");
    setName(*s, Ladies, 2, "Mia", "Smit");
    setName(*s, Ladies, 3, "Ria", "Berg");
    setName(*s, Ladies, 4, "Lot", "Kok");

    for (int r = 1; r <= 2; ++r) {
        setRange(*s, r, engine::MenDoubles, 1, 1);
        setRange(*s, r, engine::LadiesDoubles, 2, 2);
        setRange(*s, r, engine::MixedDoubles, 1, 0);
    }
    setRange(*s, 3, engine::MenDoubles, 1, 0);
    setRange(*s, 3, engine::LadiesDoubles, 1, 0);
    setRange(*s, 3, engine::MixedDoubles, 1, 2);

    setCourt(*s, 1, 1, 1, 2, 3, 4);
    setCourt(*s, 1, 2, 1, 2, 3, 4);
    setCourt(*s, 2, 1, 1, 5, 3, 4);
    setCourt(*s, 2, 2, 1, 3, 2, 4);
    setCourt(*s, 3, 1, 1, 1, 2, 2);
    setCourt(*s, 3, 2, 4, 3, 5, 4);

    const int menPlayed[] = {0, 3, 2, 2, 3, 2};
    for (int j = 1; j <= 5; ++j)
        s->Counters[Men].TimesPlayed[size_t(j)] = uint8_t(menPlayed[j]);
    for (int j = 1; j <= 4; ++j)
        s->Counters[Ladies].TimesPlayed[size_t(j)] = 3;

    // The opposing pair per round, as the calculation records it (mixed: the opposing man, then lady).
    setOpponents(*s, Men, 1, 1, 3, 4), setOpponents(*s, Men, 2, 1, 3, 4);
    setOpponents(*s, Men, 3, 1, 1, 2), setOpponents(*s, Men, 4, 1, 1, 2);
    setOpponents(*s, Men, 1, 2, 3, 4), setOpponents(*s, Men, 5, 2, 3, 4);
    setOpponents(*s, Men, 3, 2, 1, 5), setOpponents(*s, Men, 4, 2, 1, 5);
    setOpponents(*s, Men, 1, 3, 2, 2), setOpponents(*s, Men, 2, 3, 1, 1);
    setOpponents(*s, Men, 4, 3, 5, 4), setOpponents(*s, Men, 5, 3, 4, 3);
    setOpponents(*s, Ladies, 1, 1, 3, 4), setOpponents(*s, Ladies, 2, 1, 3, 4);
    setOpponents(*s, Ladies, 3, 1, 1, 2), setOpponents(*s, Ladies, 4, 1, 1, 2);
    setOpponents(*s, Ladies, 1, 2, 2, 4), setOpponents(*s, Ladies, 3, 2, 2, 4);
    setOpponents(*s, Ladies, 2, 2, 1, 3), setOpponents(*s, Ladies, 4, 2, 1, 3);
    setOpponents(*s, Ladies, 1, 3, 2, 2), setOpponents(*s, Ladies, 2, 3, 1, 1);
    setOpponents(*s, Ladies, 3, 3, 5, 4), setOpponents(*s, Ladies, 4, 3, 4, 3);
    return s;
}

} // namespace tandemx::overviews::testing
