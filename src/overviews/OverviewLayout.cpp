#include "overviews/OverviewLayout.h"

#include "overviews/OverviewTexts.h"

#include <algorithm>

namespace tandemx::overviews {
namespace {

constexpr int RoundColumnWidth = 35;
constexpr int GridRoundColumnWidth = 30;

void addFixed(OverviewLayout& layout, const std::array<std::string, 7>& captions, int firstCaption,
              std::initializer_list<int> widths, std::initializer_list<ColumnAlign> aligns)
{
    auto align = aligns.begin();
    int i = firstCaption;
    for (int width : widths) {
        layout.columns.push_back({captions[size_t(i++)], width, align != aligns.end() ? *align++ : ColumnAlign::Left});
    }
}

void addRounds(OverviewLayout& layout, int rounds, int width)
{
    for (int r = 1; r <= rounds; ++r)
        layout.columns.push_back({std::to_string(r), width, ColumnAlign::Center});
}

} // namespace

OverviewLayout overviewLayout(OverviewKind kind, engine::ScheduleMode scheduleMode, int rounds, int numMen, int numLadies)
{
    OverviewLayout layout;
    const bool names = scheduleMode == engine::ScheduleMode::Names;
    const auto captions = captionsFor(kind, scheduleMode);
    constexpr auto L = ColumnAlign::Left;
    constexpr auto C = ColumnAlign::Center;
    rounds = std::clamp(rounds, 0, 24);
    int minWindowWidth = 720;

    switch (kind) {
    case PairSchedule:
        if (names)
            addFixed(layout, captions, 0, {55, 90, 140, 55, 90, 140, 45}, {C, L, L, L, L, L, C});
        else
            addFixed(layout, captions, 0, {80, 80, 80, 55, 80, 80, 55}, {});
        layout.listWidth = names ? 645 : 550;
        layout.listHeight = 395;
        break;
    case CourtSchedule:
    case GamesOverview:
        if (names)
            addFixed(layout, captions, 0, {90, 145, 60}, {});
        else
            addFixed(layout, captions, 0, {60, 60, 60}, {});
        addRounds(layout, rounds, RoundColumnWidth);
        layout.listWidth = (names ? 325 : 210) + RoundColumnWidth * rounds;
        if (kind == GamesOverview) {
            layout.columns.push_back({"Som", 45, C});
            layout.listWidth += 45;
            layout.listHeight = 366;
        }
        break;
    case TimesPlayedOverview: {
        const bool both = numMen > 0 && numLadies > 0;
        if (names)
            addFixed(layout, captions, 0, {110, 145, 60}, {L, L, C});
        else
            addFixed(layout, captions, 0, {70, 50, 50}, {});
        layout.listWidth = names ? 345 : 200;
        if (both) {
            if (names)
                addFixed(layout, captions, 3, {110, 145, 60}, {L, L, C});
            else
                addFixed(layout, captions, 3, {70, 50, 50}, {});
            layout.listWidth += names ? 315 : 170;
        }
        break;
    }
    case CrossTable:
        if (names)
            addFixed(layout, captions, 0, {40, 170, 60}, {});
        else
            addFixed(layout, captions, 0, {40, 50, 60}, {});
        addRounds(layout, rounds, RoundColumnWidth);
        layout.columns.push_back({"N2", 80, L});
        layout.listWidth = (names ? 300 : 180) + RoundColumnWidth * rounds + 80;
        layout.listTop = 50;
        layout.groupLabelVisible = true;
        layout.groupLabel = "Tegenspelers";
        break;
    case ChangeGrid:
        layout.useGrid = true;
        layout.printExportVisible = false;
        for (int width : {50, 90, 145, 60})
            layout.columns.push_back({"", width, L});
        addRounds(layout, rounds, GridRoundColumnWidth);
        layout.listWidth = 50 + 90 + 145 + 60 + GridRoundColumnWidth * rounds;
        minWindowWidth = 560;
        break;
    default:
        break;
    }

    layout.windowWidth = std::max(minWindowWidth, layout.listWidth + 40);
    layout.windowHeight = layout.listHeight + 120;
    layout.listLeft = (layout.windowWidth - layout.listWidth) / 2;
    layout.groupLabelLeft = layout.listLeft + layout.listWidth / 2;
    return layout;
}

std::vector<std::string> listRow(std::string_view line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::vector<std::string> commaTextCells(std::string_view line)
{
    std::vector<std::string> cells;
    auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
    size_t i = 0;
    const size_t n = line.size();
    while (i < n && blank(line[i]))
        ++i;
    while (i < n) {
        std::string cell;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
        } else {
            const size_t start = i;
            while (i < n && static_cast<unsigned char>(line[i]) > ' ' && line[i] != ',')
                ++i;
            cell.assign(line.substr(start, i - start));
        }
        cells.push_back(std::move(cell));
        while (i < n && blank(line[i]))
            ++i;
        if (i < n && line[i] == ',') {
            do
                ++i;
            while (i < n && blank(line[i]));
        }
    }
    return cells;
}

std::vector<std::vector<std::string>> changeGridRows(const OverviewLines& lines, const std::string& header)
{
    std::vector<std::vector<std::string>> rows;
    if (lines.empty())
        return rows;
    rows.push_back(commaTextCells(header));
    if (rows[0].empty())
        rows[0].emplace_back();
    rows[0][0] = lines[0].substr(0, 6);
    for (size_t k = 1; k < lines.size(); ++k)
        rows.push_back(commaTextCells(lines[k]));
    return rows;
}

} // namespace tandemx::overviews
