#include "forms/WindowMemory.h"

#include "state/AppState.h"
#include "state/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace tandemx {

namespace {

QMargins marginsOf(const QWidget& w)
{
    const QRect frame = w.frameGeometry();
    const QRect client = w.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom());
}

// The frame around a window's client area: its own once it was shown with a frame, else that of the
// window the user works in (the same window manager draws both), else none.
QMargins frameMargins(const QWidget& window)
{
    const QMargins own = marginsOf(window);
    if (!own.isNull())
        return own;
    if (const QWidget* other = workingWindow(nullptr); other && other != &window)
        return marginsOf(*other);
    return {};
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

int screenIndex(const QWidget* w)
{
    const QScreen* screen = w ? w->screen() : QGuiApplication::primaryScreen();
    return int(QGuiApplication::screens().indexOf(const_cast<QScreen*>(screen)));
}

// Gives `window` the frame rectangle `wanted` (its frame being `margins`), moved and sized onto the
// screen it covers most (else the screen of `owner`). The window's own area is set, which the window
// manager frames where it was: a frame rectangle would move by the frame each time.
void placeFrame(QWidget& window, const QRect& wanted, const QMargins& margins, const QWidget* owner)
{
    const QList<QRect> areas = availableAreas();
    const int screen = screenFor(areas, wanted, screenIndex(owner));
    const QRect placed = screen >= 0 ? placeOnScreen(areas[screen], wanted) : wanted;
    const QRect client = placed.marginsRemoved(margins);
    window.setGeometry(QRect(client.topLeft(), client.size().expandedTo(window.minimumSize())));
}

QRect centredFrame(const QWidget& window, const QMargins& margins, const QWidget* owner)
{
    QRect frame(QPoint(), window.size().grownBy(margins));
    if (owner && owner->isVisible()) {
        frame.moveCenter(owner->frameGeometry().center());
    } else {
        const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            frame.moveCenter(screen->availableGeometry().center());
    }
    return frame;
}

// Keeps the place of one window: restores it on every showing, stores it on every hiding.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget& window, AppState& state, bool keepMaximized)
        : QObject(&window), window_(window), state_(state), keepMaximized_(keepMaximized)
    {
        setObjectName(QStringLiteral("PlaceKeeper"));
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &window_ || event->spontaneous()) // minimised and restored by the user: no change
            return false;
        switch (event->type()) {
        case QEvent::Show:
            // Before the window is mapped: it appears where it goes.
            restore();
            break;
        case QEvent::Hide:
        case QEvent::Close:
            store();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void restore()
    {
        const QWidget* owner = window_.parentWidget() ? window_.parentWidget()->window() : nullptr;
        if (!owner || !owner->isVisible() || owner == &window_)
            owner = workingWindow(nullptr);
        if (owner == &window_)
            owner = nullptr;
        std::optional<WindowPlace> kept = last_;
        if (state_.windowPlaces)
            kept = state_.windowPlaces->load(window_.objectName());
        // The frame as it was when the place was kept; else as it is (or will be) now.
        const QMargins margins = kept && !kept->margins.isNull() ? kept->margins : frameMargins(window_);
        // The size the window was given before showing is its least, unless it is still the size of
        // the maximised window it was when hidden.
        QSize least = window_.size();
        if (hiddenMaximized_ && least == hiddenSize_)
            least = window_.minimumSize();
        QRect wanted;
        if (kept) {
            wanted = QRect(kept->frame.topLeft(), kept->frame.size().expandedTo(least.grownBy(margins)));
        } else if (window_.testAttribute(Qt::WA_Moved)) {
            wanted = QRect(window_.pos(), window_.size().grownBy(margins));
        } else {
            wanted = centredFrame(window_, margins, owner);
        }
        // A window hidden while maximised is placed as a normal window first, so that the place is the
        // one it returns to when the user restores it.
        constexpr Qt::WindowStates full = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (keepMaximized_ && (window_.windowState() & full))
            window_.setWindowState(window_.windowState() & ~full);
        placeFrame(window_, wanted, margins, owner);
        margins_ = margins;
        // Maximised once it is on the screen in its normal place: the window manager then knows the
        // place to restore it to.
        if (kept && keepMaximized_ && kept->maximized) {
            QPointer<QWidget> window = &window_;
            QMetaObject::invokeMethod(
                this,
                [window] {
                    if (window && window->isVisible())
                        window->setWindowState(window->windowState() | Qt::WindowMaximized);
                },
                Qt::QueuedConnection);
        }
    }

    void store()
    {
        if (!window_.testAttribute(Qt::WA_WState_Created))
            return; // never shown: nothing to keep
        const bool maximized = window_.isMaximized() || window_.isFullScreen();
        // The frame of the normal window: the one seen last, else the one it has now.
        if (!maximized || margins_.isNull())
            margins_ = frameMargins(window_);
        // The normal-state rectangle, also of a maximised window.
        const QRect client = maximized ? window_.normalGeometry() : window_.geometry();
        if (!client.isValid())
            return;
        hiddenSize_ = window_.size();
        hiddenMaximized_ = maximized;
        last_ = WindowPlace{client.marginsAdded(margins_), keepMaximized_ && maximized, margins_};
        if (state_.windowPlaces)
            state_.windowPlaces->save(window_.objectName(), *last_);
    }

    QWidget& window_;
    AppState& state_;
    bool keepMaximized_;
    QMargins margins_;
    std::optional<WindowPlace> last_; // for this run, also without a store
    QSize hiddenSize_;
    bool hiddenMaximized_ = false;
};

} // namespace

void rememberPlace(QWidget& window, AppState& state, bool keepMaximized)
{
    new PlaceKeeper(window, state, keepMaximized);
}

void centreOver(QWidget& window, const QWidget* owner)
{
    const QMargins margins = frameMargins(window);
    placeFrame(window, centredFrame(window, margins, owner), margins, owner);
}

QWidget* workingWindow(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback;
}

} // namespace tandemx
