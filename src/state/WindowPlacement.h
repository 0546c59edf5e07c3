#pragma once
// Where a window goes: the rule that keeps a window on a screen, and the store of the size and place
// each window was left at (kept per window name, restored the next time the window opens).
// Rectangles are frame rectangles (title bar and borders included) in desktop coordinates.
#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>

#include <optional>

namespace tandemx {

// The rectangle to use for a window that wants `wanted` on a screen whose available area (the
// desktop without panels) is `available`: as large as wanted but no larger than the area, moved the
// least distance that puts it wholly inside. An empty area leaves the wanted rectangle as it is.
QRect placeOnScreen(const QRect& available, const QRect& wanted);

// The screen a wanted rectangle belongs to: the one it covers most; when it covers none (a screen
// that has gone), `fallback` (the screen of the window's owner). An index into `screens`, -1 when
// there are none.
int screenFor(const QList<QRect>& screens, const QRect& wanted, int fallback);

// The size and place a window was left at: its frame rectangle in normal state, whether it was
// maximised, and its frame (title bar and borders) around the window's own area, so that it can be
// put back exactly before the window manager has framed it again.
struct WindowPlace {
    QRect frame;
    bool maximized = false;
    QMargins margins;
    QRect client() const { return frame.marginsRemoved(margins); }
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// Where the window places are kept. The desktop program keeps them in the program's settings
// (SettingsWindowPlaces); without a store nothing is remembered.
class WindowPlaces {
public:
    virtual ~WindowPlaces() = default;
    virtual std::optional<WindowPlace> load(const QString& window) const = 0;
    virtual void save(const QString& window, const WindowPlace& place) = 0;
};

// The places in the program's settings (QSettings), one group per window under "windows".
class SettingsWindowPlaces : public WindowPlaces {
public:
    std::optional<WindowPlace> load(const QString& window) const override;
    void save(const QString& window, const WindowPlace& place) override;
};

} // namespace tandemx
