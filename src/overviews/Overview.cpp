#include "overviews/Overview.h"

#include "messages/MessageTable.h"
#include "messages/Messages.h"
#include "overviews/OverviewTexts.h"
#include "records/Cp1252.h"

namespace tandemx::overviews {

PreparedOverview prepareOverview(OverviewKind kind, engine::ScheduleState& state, const FillHooks& hooks, int matchNumber)
{
    return prepareOverview(kind, state, groupHeadings(state), hooks, matchNumber);
}

PreparedOverview prepareOverview(OverviewKind kind, engine::ScheduleState& state, const GroupHeadings& headings,
                                 const FillHooks& hooks, int matchNumber)
{
    PreparedOverview result;
    const engine::ScheduleMode mode = state.Settings.ScheduleMode;
    if (mode != engine::ScheduleMode::Names && mode != engine::ScheduleMode::Numbered)
        return result;
    if ((kind < PairSchedule || kind > ChangeGrid) && kind != GamesOverview)
        return result;
    result.kind = kind;
    result.captionRow = CaptionRow(kind, mode);
    FillPlayerTables(state, hooks);
    result.heading = overviewHeading(kind, matchNumber);
    result.headingWidth = overviewHeadingWidth(kind);
    const int rounds = totalRounds(state);
    if (kind == ChangeGrid) {
        if (mode != engine::ScheduleMode::Names) {
            if (hooks.error)
                hooks.error(messageText(34));
            return result;
        }
        result.gridHeader = changeGridHeader(rounds);
    }
    result.lines = buildOverview(kind, state, headings);
    result.layout = overviewLayout(kind, mode, rounds, state.players(engine::Men), state.players(engine::Ladies));
    result.show = true;
    return result;
}

FillHooks messageHooks(Messages& messages, std::function<int(int, int, int)> games)
{
    FillHooks hooks;
    hooks.error = [&messages](const std::string& text) {
        messages.showBericht(fromCp1252(QByteArrayView(text.data(), qsizetype(text.size()))), Error, Btn::OK);
    };
    hooks.games = std::move(games);
    return hooks;
}

QString lineText(const std::string& line)
{
    return fromCp1252(QByteArrayView(line.data(), qsizetype(line.size())));
}

QStringList lineTexts(const OverviewLines& lines)
{
    QStringList texts;
    texts.reserve(qsizetype(lines.size()));
    for (const std::string& line : lines)
        texts.append(lineText(line));
    return texts;
}

} // namespace tandemx::overviews
