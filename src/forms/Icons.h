#pragma once
// The program's icons, drawn in code (one style: dark outline, club green, clay, ball yellow), sharp
// at the tool bar's 22 to 28 pixels and at the sizes a desktop asks for.
#include <QIcon>

namespace tandemx {

enum class ToolIcon {
    New, Open, Save, SaveAs, Print, InsertRow, DeleteRow, Search, Sort, ScheduleNames, SchedulePairs, Overview,
};

QIcon toolIcon(ToolIcon kind);
// The application icon: a clay court seen from above with a ball, on club green.
QIcon appIcon();
// One size of an icon as a picture (for tests and screenshots).
QPixmap iconPixmap(ToolIcon kind, int size);
QPixmap appIconPixmap(int size);

} // namespace tandemx
