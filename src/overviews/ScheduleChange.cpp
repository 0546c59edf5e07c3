#include "overviews/ScheduleChange.h"

#include "messages/Messages.h"
#include "overviews/OverviewLines.h"
#include "records/KeyData.h"
#include "records/KeyDataFields.h"

#include <algorithm>
#include <charconv>

namespace tandemx::overviews {

using engine::Ladies;
using engine::Men;
using engine::ScheduleState;

namespace {

const QString OnlyRoundColumns = QStringLiteral("Alleen voor de kolommen \"ronde\"");
constexpr size_t MaxSlotText = 12;

std::string_view trimmedView(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

bool toNumber(const std::string& text, int& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    if (begin == end)
        return false;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    return ec == std::errc() && ptr == end;
}

QString ascii(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// The places of a list's players on court position `court` in `round`: all four on a doubles court of
// the list's category, the list's two places (1 and 3 for the men's list, 2 and 4 for the ladies') on
// a mixed court; none on a court the list does not play on in that round.
std::vector<int> placesOf(const ScheduleState& s, int round, int gender, int court)
{
    const engine::RoundRecord& record = s.ScheduleTable[size_t(round)];
    const int doubles = std::clamp(int(s.Run.NumDoublesRounds), 0, engine::MaxRounds);
    const bool mixed = round > doubles;
    const engine::CourtRange& range = record.range[size_t(mixed ? engine::MixedDoubles : gender)];
    if (court < std::max(1, int(range.first)) || court > std::min(engine::MaxCourts, int(range.last)))
        return {};
    if (!mixed)
        return {0, 1, 2, 3};
    return gender == Men ? std::vector<int>{0, 2} : std::vector<int>{1, 3};
}

} // namespace

CourtCoding courtCoding(const KeyData& keyData)
{
    return {(keyData.options & KeyOption::CourtCoding) != 0, keyData.courts};
}

std::string slotText(std::string_view cellText)
{
    std::string text(trimmedView(cellText).substr(0, MaxSlotText));
    if (text.empty() || text == "-")
        return "0";
    return text;
}

int courtPosition(const ScheduleState& s, const CourtCoding& coding, int code)
{
    if (!coding.active || code == 0)
        return code;
    const int courts = std::min(coding.courts, engine::MaxCourts);
    for (int k = 1; k <= courts; ++k)
        if (s.CourtCodes[size_t(k)] == code)
            return k;
    return code;
}

std::vector<CellUpdate> applyChange(ScheduleState& s, const CourtCoding& coding, const ChangeSlot& slot1,
                                    const ChangeSlot& slot2, int column, Messages& messages)
{
    // Group and rows: rows below the first list count from the second list's heading row.
    std::array<int, 2> order = listOrder(s);
    // A list without players has no rows (nor heading): the grid then holds the other list alone.
    if (s.players(order[0]) <= 0)
        std::swap(order[0], order[1]);
    const int listedFirst = std::clamp(int(s.players(order[0])), 0, engine::MaxPlayers);
    int row1 = slot1.row;
    int row2 = slot2.row;
    if (row1 > listedFirst || row2 > listedFirst) {
        row1 -= listedFirst + 1;
        row2 -= listedFirst + 1;
        if (row1 < 1 || row2 < 1) {
            messages.showMessageNo(QString(), 11, 0, 0);
            return {};
        }
    }
    if (row1 <= 0 || row2 <= 0)
        return {};
    const int gender = slot1.row <= listedFirst ? order[0] : order[1];

    const std::vector<int> sorted = SortedOrder(s, gender);
    if (row1 > int(sorted.size()) || row2 > int(sorted.size()))
        return {};
    const int p1 = sorted[size_t(row1 - 1)];
    const int p2 = sorted[size_t(row2 - 1)];

    int v1 = 0;
    int v2 = 0;
    if (!toNumber(slot1.text, v1) || !toNumber(slot2.text, v2) || v1 == v2)
        return {};
    v1 = courtPosition(s, coding, v1);
    v2 = courtPosition(s, coding, v2);
    // Two codes that come down to one court would leave a player on it twice.
    if (v1 == v2 || v1 < 0 || v2 < 0 || v1 > engine::MaxCourts || v2 > engine::MaxCourts)
        return {};

    const int round = column - (FirstRoundColumn - 1);
    if (round < 1 || round > totalRounds(s))
        return {};

    engine::RoundRecord copy = s.ScheduleTable[size_t(round)];
    std::array<int, engine::MaxPlayers + 1> played{};
    int changed = 0;
    auto move = [&](int court, int from, int to) {
        if (court <= 0)
            return;
        for (int place : placesOf(s, round, gender, court)) {
            uint8_t& holder = copy.court[size_t(court)][size_t(place)];
            if (holder != from)
                continue;
            holder = uint8_t(to);
            --played[size_t(from)];
            ++played[size_t(to)];
            ++changed;
        }
    };
    move(v1, p1, p2);
    move(v2, p2, p1);
    if (changed == 0) {
        messages.showBericht(QStringLiteral("Wijziging niet gelukt"), Error, Btn::OK); // a failure: the error icon
        return {};
    }

    s.ScheduleTable[size_t(round)] = copy;
    auto& timesPlayed = s.Counters[size_t(gender)].TimesPlayed;
    for (int p : {p1, p2})
        timesPlayed[size_t(p)] = uint8_t(std::clamp(int(timesPlayed[size_t(p)]) + played[size_t(p)], 0, 255));
    auto& courts = s.PlayerCourtTable[size_t(gender)][size_t(round)].player;
    courts[size_t(p1)] = uint8_t(v2);
    courts[size_t(p2)] = uint8_t(v1);

    auto shown = [](const std::string& text) { return text == "0" ? std::string("-") : text; };
    messages.showInfo(QStringLiteral("Wissel paar: ") + QString::number(slot1.row) + QStringLiteral(" op baan: ")
                      + ascii(slot1.text) + QStringLiteral("\r") + QStringLiteral("    met ") + QStringLiteral("paar: ")
                      + QString::number(slot2.row) + QStringLiteral(" op baan: ") + ascii(slot2.text));
    return {{slot1.row, column, shown(slot2.text)}, {slot2.row, column, shown(slot1.text)}};
}

void ScheduleChange::reset()
{
    active_ = false;
    counter_ = 0;
    guide_.clear();
}

ScheduleChange::Click ScheduleChange::click(int row, int column, std::string_view cellText, Messages& messages)
{
    if (column < FirstRoundColumn) {
        messages.showInfo(OnlyRoundColumns);
        return Click::OutsideRounds;
    }
    if (counter_ > 1)
        counter_ = 0;
    ++counter_;
    ChangeSlot& slot = slots_[size_t(counter_ - 1)];
    slot.text = slotText(cellText);
    slot.row = row;
    if (counter_ == 1) {
        column_ = column;
        active_ = true;
        guide_ = "Klik  nu de andere baan";
        return Click::First;
    }
    if (column != column_) {
        messages.showMessageNo(ascii(slot.text), 10, 0, 0);
        active_ = false;
        guide_.clear();
        return Click::OtherColumn;
    }
    active_ = true;
    guide_ = "Toets <Enter> voor baan verwisselen";
    return Click::Second;
}

std::vector<CellUpdate> ScheduleChange::enter(int currentColumn, ScheduleState& state, const CourtCoding& coding,
                                              Messages& messages)
{
    // Enter before the second click waits for it: slot 2 still holds an earlier click.
    if (!active_ || counter_ < 2)
        return {};
    active_ = false;
    guide_.clear();
    if (currentColumn < FirstRoundColumn) {
        messages.showInfo(OnlyRoundColumns);
        return {};
    }
    return applyChange(state, coding, slots_[0], slots_[1], column_, messages);
}

} // namespace tandemx::overviews
