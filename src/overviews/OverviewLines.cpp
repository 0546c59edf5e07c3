#include "overviews/OverviewLines.h"

#include "overviews/OverviewTexts.h"

#include <algorithm>
#include <cstdio>

namespace tandemx::overviews {

using engine::Ladies;
using engine::Men;
using engine::ScheduleState;

namespace {

std::string trimmed(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return std::string(text.substr(b, e - b));
}

std::string upperAscii(std::string text)
{
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z')
            ch = char(ch - 'a' + 'A');
    return text;
}

std::string cut(std::string text, size_t length)
{
    if (text.size() > length)
        text.resize(length);
    return text;
}

std::string padded(int number, int width)
{
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%*d", width, number);
    return std::string(digits, size_t(n));
}

int playerCount(const ScheduleState& s, int gender)
{
    return std::clamp(int(s.players(gender)), 0, engine::MaxPlayers);
}

int doublesRounds(const ScheduleState& s)
{
    return std::clamp(int(s.Run.NumDoublesRounds), 0, engine::MaxRounds);
}

bool groupOption(const ScheduleState& s)
{
    return (s.Settings.PlayOptions & engine::PlayOption::GroupVsGroup) != 0;
}

const engine::TNaamObj& player(const ScheduleState& s, int gender, int number)
{
    return s.PlayerTable[size_t(gender)][size_t(std::clamp(number, 0, engine::MaxPlayers))];
}

std::string firstName(const ScheduleState& s, int gender, int number)
{
    return trimmed(player(s, gender, number).firstName.view());
}

std::string lastName(const ScheduleState& s, int gender, int number)
{
    return trimmed(player(s, gender, number).lastName.view());
}

std::string courtCode(const ScheduleState& s, int court)
{
    return std::to_string(s.CourtCodes[size_t(std::clamp(court, 0, engine::MaxCourts))]);
}

// The court positions first..last of a category in a round, kept inside the table.
struct Courts {
    int first = 1;
    int last = 0;
};

Courts courtsOf(const ScheduleState& s, int round, int category)
{
    const engine::CourtRange& range = s.ScheduleTable[size_t(round)].range[size_t(category)];
    return {std::max(1, int(range.first)), std::min(engine::MaxCourts, int(range.last))};
}

int place(const ScheduleState& s, int round, int court, int placeNumber)
{
    return s.ScheduleTable[size_t(round)].court[size_t(court)][size_t(placeNumber - 1)];
}

void addLine(OverviewLines& lines, std::string line)
{
    lines.push_back(cut(std::move(line), MaxLineLength));
}

// "first name,last name" of a player, as one part of a pair-schedule line.
std::string playerPart(const ScheduleState& s, int gender, int number)
{
    return cut(firstName(s, gender, number) + "," + lastName(s, gender, number), MaxHalfPart);
}

// The ruled line under a round: one dash, then four groups of dashes as wide as the stored name fields
// of the list's first player and the court text of the category's last court.
std::string dashLine(const ScheduleState& s, int gender, int lastCourt)
{
    const engine::TNaamObj& first = player(s, gender, 1);
    const std::string group = "," + std::string(first.firstName.length, '-') + ","
        + std::string(first.lastName.length, '-') + "," + std::string(courtCode(s, lastCourt).size(), '-');
    std::string line = "-";
    for (int i = 0; i < 4; ++i)
        line += group;
    return line;
}

} // namespace

GroupHeadings groupHeadings(std::string_view group1Code, std::string_view group2Code)
{
    auto heading = [](std::string_view code, const char* letter, const char* fixed) {
        if (upperAscii(trimmed(code)) == letter)
            return std::string(fixed);
        return cut(" GROEP " + std::string(code), 10);
    };
    return {heading(group1Code, "H", "HEREN  "), heading(group2Code, "D", "DAMES  ")};
}

GroupHeadings groupHeadings(const ScheduleState& state)
{
    return groupHeadings(state.Group1Code.view(), state.Group2Code.view());
}

int totalRounds(const ScheduleState& s)
{
    const int mixed = std::max(0, int(s.Run.NumMixedRounds));
    return std::min(engine::MaxRounds, doublesRounds(s) + mixed);
}

std::array<int, 2> listOrder(const ScheduleState& s)
{
    if (s.LadiesFirst)
        return {Ladies, Men};
    return {Men, Ladies};
}

void FillPlayerTables(ScheduleState& s, const FillHooks& hooks)
{
    const int rounds = totalRounds(s);
    for (int g = Men; g <= Ladies; ++g) {
        for (int r = 1; r <= rounds; ++r) {
            for (auto* table : {&s.PlayerCourtTable, &s.PlayerGamesTable}) {
                engine::OverviewRecord& record = (*table)[size_t(g)][size_t(r)];
                record.count = playerCount(s, g);
                record.player.fill(0);
            }
        }
    }

    auto enter = [&](int gender, int round, int court, int placeNumber) {
        const int number = place(s, round, court, placeNumber);
        if (number == 0) {
            if (hooks.error)
                hooks.error("Geen baanpaar op baan: " + padded(court, 2) + " in ronde: " + std::to_string(round));
            return;
        }
        if (number > engine::MaxPlayers)
            return;
        s.PlayerCourtTable[size_t(gender)][size_t(round)].player[size_t(number)] = uint8_t(court);
        if (hooks.games)
            s.PlayerGamesTable[size_t(gender)][size_t(round)].player[size_t(number)] =
                uint8_t(hooks.games(round, court, placeNumber));
    };

    const int doubles = doublesRounds(s);
    for (int r = 1; r <= doubles; ++r) {
        for (int g : listOrder(s)) {
            if (playerCount(s, g) == 0)
                continue;
            const Courts courts = courtsOf(s, r, g);
            for (int c = courts.first; c <= courts.last; ++c)
                for (int p = 1; p <= 4; ++p)
                    enter(g, r, c, p);
        }
    }
    for (int r = doubles + 1; r <= rounds; ++r) {
        const Courts courts = courtsOf(s, r, engine::MixedDoubles);
        for (int c = courts.first; c <= courts.last; ++c)
            for (int p = 1; p <= 4; ++p)
                enter(p % 2 == 1 ? Men : Ladies, r, c, p);
    }
}

std::vector<int> SortedOrder(const std::array<engine::TNaamObj, engine::MaxPlayers + 1>& list, int count,
                             engine::ScheduleMode scheduleMode)
{
    count = std::clamp(count, 0, engine::MaxPlayers);
    std::vector<int> order(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i + 1;
    if (scheduleMode != engine::ScheduleMode::Names)
        return order;
    std::vector<std::string> keys(size_t(count) + 1);
    for (int j = 1; j <= count; ++j) {
        const engine::TNaamObj& entry = list[size_t(j)];
        keys[size_t(j)] = cut(trimmed(entry.lastName.view()) + std::string(entry.firstName.view()), 20);
    }
    // std::string compares as unsigned bytes.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    return order;
}

std::vector<int> SortedOrder(const ScheduleState& s, int gender)
{
    return SortedOrder(s.PlayerTable[size_t(gender)], playerCount(s, gender), s.Settings.ScheduleMode);
}

OverviewLines buildPairSchedule(const ScheduleState& s)
{
    OverviewLines lines;
    const std::string blank = "    ";
    std::string dashes;
    const int doubles = doublesRounds(s);
    const int rounds = totalRounds(s);

    for (int r = 1; r <= doubles; ++r) {
        if (r % 2 == 1)
            addLine(lines, titleText(SectionTitle::Tandem));
        bool firstCategory = true;
        for (int g : listOrder(s)) {
            if (playerCount(s, g) == 0)
                continue;
            if (!firstCategory)
                addLine(lines, blank);
            firstCategory = false;
            const Courts courts = courtsOf(s, r, g);
            for (int c = courts.first; c <= courts.last; ++c) {
                const std::string code = ",   " + courtCode(s, c);
                addLine(lines, std::to_string(r) + "," + playerPart(s, g, place(s, r, c, 1)) + ",  ,"
                                   + playerPart(s, g, place(s, r, c, 3)) + code);
                addLine(lines, " ," + playerPart(s, g, place(s, r, c, 2)) + ",  ,"
                                   + playerPart(s, g, place(s, r, c, 4)) + code);
                if (c != courts.last)
                    addLine(lines, blank);
            }
            if (r == 1)
                dashes = dashLine(s, g, s.ScheduleTable[1].range[size_t(g)].last);
        }
        addLine(lines, dashes);
    }

    const bool groups = groupOption(s);
    for (int r = doubles + 1; r <= rounds; ++r) {
        if ((r - doubles) % 2 == 1)
            addLine(lines, titleText(groups ? SectionTitle::GroupTandem : SectionTitle::MixedTandem));
        const Courts courts = courtsOf(s, r, engine::MixedDoubles);
        for (int c = courts.first; c <= courts.last; ++c) {
            const std::string round = std::to_string(r) + ",";
            const std::string code = ",   " + courtCode(s, c);
            if (groups) {
                addLine(lines, round + playerPart(s, Men, place(s, r, c, 1)) + ",,"
                                   + playerPart(s, Ladies, place(s, r, c, 2)) + code);
                addLine(lines, round + playerPart(s, Men, place(s, r, c, 3)) + ",,"
                                   + playerPart(s, Ladies, place(s, r, c, 4)) + code);
            } else {
                addLine(lines, round + playerPart(s, Men, place(s, r, c, 1)) + ",,"
                                   + playerPart(s, Men, place(s, r, c, 3)) + code);
                addLine(lines, round + playerPart(s, Ladies, place(s, r, c, 2)) + ",,"
                                   + playerPart(s, Ladies, place(s, r, c, 4)) + code);
            }
            if (c != courts.last)
                addLine(lines, blank);
        }
        // A schedule of mixed rounds only draws its ruled line from its first round.
        if (r == 1)
            dashes = dashLine(s, Men, s.ScheduleTable[1].range[engine::MixedDoubles].last);
        addLine(lines, dashes);
    }
    return lines;
}

OverviewLines buildNumberedPairSchedule(const ScheduleState& s)
{
    OverviewLines lines;
    const bool groups = groupOption(s);
    auto cell = [](char letter, int number) { return "   " + std::string(1, letter) + padded(number, 2); };
    auto courtLine = [&](int r, int c, const char* letters) {
        const int p1 = place(s, r, c, 1), p2 = place(s, r, c, 2), p3 = place(s, r, c, 3), p4 = place(s, r, c, 4);
        std::string a, b, x, y;
        if (groups) {
            a = cell(letters[0], p1), b = cell(letters[0], p3), x = cell(letters[1], p2), y = cell(letters[1], p4);
        } else {
            a = cell(letters[0], p1), b = cell(letters[1], p2), x = cell(letters[0], p3), y = cell(letters[1], p4);
        }
        addLine(lines, "   " + std::to_string(r) + "," + a + "," + b + "   " + "," + "," + x + "," + y + ","
                           + "   " + courtCode(s, c));
    };

    const int doubles = doublesRounds(s);
    const int rounds = totalRounds(s);
    if (doubles > 0)
        addLine(lines, titleText(SectionTitle::Tandem));
    for (int r = 1; r <= doubles; ++r) {
        for (int g : listOrder(s)) {
            if (playerCount(s, g) == 0)
                continue;
            const Courts courts = courtsOf(s, r, g);
            for (int c = courts.first; c <= courts.last; ++c)
                courtLine(r, c, g == Men ? "HH" : "DD");
        }
        addLine(lines, "   ");
    }
    if (rounds > doubles) {
        addLine(lines, "      ");
        addLine(lines, titleText(SectionTitle::MixedTandem));
    }
    for (int r = doubles + 1; r <= rounds; ++r) {
        const Courts courts = courtsOf(s, r, engine::MixedDoubles);
        for (int c = courts.first; c <= courts.last; ++c)
            courtLine(r, c, "HD");
        addLine(lines, "   ");
    }
    return lines;
}

namespace {

// The court schedule and the games overview share their rows: per list its heading, then each player
// in name order with a name part and a part per round.
OverviewLines buildPerRoundRows(const ScheduleState& s, const GroupHeadings& headings, bool changeGrid,
                                bool games)
{
    OverviewLines lines;
    const int rounds = totalRounds(s);
    for (int g : listOrder(s)) {
        if (playerCount(s, g) == 0)
            continue;
        addLine(lines, headings[size_t(g)]);
        int i = 0;
        for (int p : SortedOrder(s, g)) {
            ++i;
            std::string name = firstName(s, g, p) + "," + lastName(s, g, p) + ",";
            if (changeGrid) {
                std::replace(name.begin(), name.end(), ' ', '_');
                name = std::to_string(i) + "," + name + "_";
            }
            std::string after;
            int sum = 0;
            for (int r = 1; r <= rounds; ++r) {
                if (games) {
                    const int value = s.PlayerGamesTable[size_t(g)][size_t(r)].player[size_t(p)];
                    sum += value;
                    after += "," + std::to_string(value);
                } else {
                    const int court = s.PlayerCourtTable[size_t(g)][size_t(r)].player[size_t(p)];
                    after += court == 0 ? std::string(",-") : "," + courtCode(s, court);
                }
            }
            if (games)
                after += "," + std::to_string(sum);
            addLine(lines, cut(name, MaxNamePart) + cut(after, MaxNamePart));
        }
    }
    return lines;
}

} // namespace

OverviewLines buildCourtSchedule(const ScheduleState& s, const GroupHeadings& headings, bool changeGrid)
{
    return buildPerRoundRows(s, headings, changeGrid, false);
}

OverviewLines buildGames(const ScheduleState& s, const GroupHeadings& headings)
{
    return buildPerRoundRows(s, headings, false, true);
}

OverviewLines buildTimesPlayed(const ScheduleState& s, const GroupHeadings& headings)
{
    OverviewLines lines;
    const int left = playerCount(s, Men) > playerCount(s, Ladies) ? Men : Ladies;
    const int right = left == Men ? Ladies : Men;
    const int leftCount = playerCount(s, left);
    const int rightCount = playerCount(s, right);

    std::string first = headings[size_t(left)];
    if (rightCount > 0)
        first += ", , ," + headings[size_t(right)];
    addLine(lines, first);

    auto half = [&](int g, int p) {
        return firstName(s, g, p) + "," + lastName(s, g, p) + ",   "
            + std::to_string(s.Counters[size_t(g)].TimesPlayed[size_t(p)]);
    };
    const std::vector<int> leftOrder = SortedOrder(s, left);
    const std::vector<int> rightOrder = SortedOrder(s, right);
    for (int i = 1; i <= leftCount; ++i) {
        const std::string leftPart = cut(half(left, leftOrder[size_t(i - 1)]) + ",", MaxHalfPart);
        const std::string rightPart = i <= rightCount ? cut(half(right, rightOrder[size_t(i - 1)]), MaxHalfPart)
                                                      : std::string(",");
        addLine(lines, leftPart + rightPart);
    }
    return lines;
}

namespace {

// Whether a slot of a player's opponents in a round holds a player of the player's own list: both
// slots of a doubles round; in a mixed round the man's first (the opposing man) and the lady's second
// (the opposing lady); with "Groep 1 tegen Groep 2" neither, a man's two being ladies and a lady's men.
bool ownListSlot(const ScheduleState& s, int gender, int round, int slot)
{
    if (round <= doublesRounds(s))
        return true;
    if (groupOption(s))
        return false;
    return slot == (gender == Men ? 0 : 1);
}

} // namespace

OverviewLines buildCrossTable(const ScheduleState& s, const GroupHeadings& headings)
{
    OverviewLines lines;
    const int rounds = totalRounds(s);
    const bool names = s.Settings.ScheduleMode == engine::ScheduleMode::Names;
    bool firstList = true;
    for (int g : listOrder(s)) {
        const int count = playerCount(s, g);
        if (count == 0)
            continue;
        if (!firstList)
            addLine(lines, "        ");
        firstList = false;
        addLine(lines, " ," + headings[size_t(g)]);
        const auto& opponents = s.Counters[size_t(g)].RoundOpponents;
        for (int n = 1; n <= count; ++n) {
            const std::string first = firstName(s, g, n);
            const std::string nameParts[2] = {
                (names ? std::to_string(n) : std::string()) + "," + first.substr(0, 1) + ". " + lastName(s, g, n) + ",",
                " , ,",
            };
            for (int slot = 0; slot < 2; ++slot) {
                std::string after;
                std::array<int, engine::MaxPlayers + 1> times{};
                for (int r = 1; r <= rounds; ++r) {
                    const int opponent = opponents[size_t(n)][size_t(r)][size_t(slot)];
                    after += opponent == 0 ? std::string(",-") : "," + std::to_string(opponent);
                    // Man 5 and lady 5 are two players: only numbers of the own list are counted.
                    if (opponent <= engine::MaxPlayers && ownListSlot(s, g, r, slot))
                        ++times[size_t(opponent)];
                }
                // The player of the own list met most often in this slot (more than once), the lowest
                // number on a tie.
                int best = 0, bestTimes = 1;
                for (int j = 1; j <= count; ++j) {
                    if (times[size_t(j)] > bestTimes) {
                        best = j;
                        bestTimes = times[size_t(j)];
                    }
                }
                if (best != 0)
                    after += "," + padded(best, 5) + " (" + padded(bestTimes, slot == 0 ? 2 : 1) + ")";
                addLine(lines, cut(nameParts[slot], MaxNamePart) + cut(after, MaxNamePart));
            }
        }
    }
    return lines;
}

OverviewLines buildOverview(OverviewKind kind, const ScheduleState& s, const GroupHeadings& headings)
{
    const engine::ScheduleMode mode = s.Settings.ScheduleMode;
    if (mode != engine::ScheduleMode::Names && mode != engine::ScheduleMode::Numbered)
        return {};
    if (kind == ChangeGrid && mode != engine::ScheduleMode::Names)
        return {};
    if ((kind < PairSchedule || kind > ChangeGrid) && kind != GamesOverview)
        return {};
    switch (CaptionRow(kind, mode)) {
    case 1:
        return buildPairSchedule(s);
    case 6:
        return buildNumberedPairSchedule(s);
    case 2:
    case 7:
        return buildCourtSchedule(s, headings, false);
    case 5:
        return buildCourtSchedule(s, headings, true);
    case 3:
    case 8:
        return buildTimesPlayed(s, headings);
    case 4:
    case 9:
        return buildCrossTable(s, headings);
    case 10:
    case 15:
        return buildGames(s, headings);
    default:
        return {};
    }
}

OverviewLines buildOverview(OverviewKind kind, const ScheduleState& s)
{
    return buildOverview(kind, s, groupHeadings(s));
}

std::string changeGridHeader(int rounds)
{
    std::string header = captionText(5, 1);
    for (int r = 1; r <= rounds; ++r)
        header += "," + std::to_string(r);
    return header;
}

} // namespace tandemx::overviews
