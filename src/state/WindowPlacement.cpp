#include "state/WindowPlacement.h"

#include <QSettings>

#include <algorithm>

namespace tandemx {

QRect placeOnScreen(const QRect& available, const QRect& wanted)
{
    if (available.isEmpty())
        return wanted;
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    // Right and bottom edges first, then left and top: a window never starts above or left of the area.
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    if (placed.left() < available.left())
        placed.moveLeft(available.left());
    if (placed.top() < available.top())
        placed.moveTop(available.top());
    return placed;
}

int screenFor(const QList<QRect>& screens, const QRect& wanted, int fallback)
{
    if (screens.isEmpty())
        return -1;
    int best = -1;
    qint64 bestArea = 0;
    for (int i = 0; i < screens.size(); ++i) {
        const QRect common = screens[i].intersected(wanted);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (best >= 0)
        return best;
    return fallback >= 0 && fallback < screens.size() ? fallback : 0;
}

namespace {
QString group(const QString& window) { return QStringLiteral("windows/") + window; }
} // namespace

std::optional<WindowPlace> SettingsWindowPlaces::load(const QString& window) const
{
    QSettings settings;
    settings.beginGroup(group(window));
    const QRect frame = settings.value(QStringLiteral("frame")).toRect();
    if (!frame.isValid())
        return std::nullopt;
    const QRect inner = settings.value(QStringLiteral("client")).toRect();
    const QMargins margins = frame.contains(inner) ? QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                                              frame.right() - inner.right(), frame.bottom() - inner.bottom())
                                                   : QMargins();
    return WindowPlace{frame, settings.value(QStringLiteral("maximized"), false).toBool(), margins};
}

void SettingsWindowPlaces::save(const QString& window, const WindowPlace& place)
{
    QSettings settings;
    settings.beginGroup(group(window));
    settings.setValue(QStringLiteral("frame"), place.frame);
    settings.setValue(QStringLiteral("client"), place.client());
    settings.setValue(QStringLiteral("maximized"), place.maximized);
}

} // namespace tandemx
