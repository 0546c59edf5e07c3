#pragma once
// Every window opens where the user left it and always wholly on a screen.

class QWidget;

namespace tandemx {

struct AppState;

// From now on `window` (a top-level window with an object name) keeps its place: each time it is
// shown it takes the size and place it was left at (AppState::windowPlaces, by its object name; without
// that store the place it was left at in this run), but
// never a size below the one it was given before showing, its starting size. A window shown for the
// first time that placed itself keeps that place, else it is centred over the window the user works
// in. Either way it is moved wholly onto a screen (placeOnScreen). When it is hidden or closed its
// place is kept. `keepMaximized` false leaves the maximised state to others (the main window: the key
// data decide it).
void rememberPlace(QWidget& window, AppState& state, bool keepMaximized = true);

// Puts `window` (shown or about to be shown) centred over `owner`'s frame, or over the middle of the
// screen without an owner, and wholly on that screen.
void centreOver(QWidget& window, const QWidget* owner);

// The window the user works in: the active modal dialog, else the active window; `fallback` when the
// program has no active window.
QWidget* workingWindow(QWidget* fallback);

} // namespace tandemx
