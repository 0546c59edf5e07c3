#include "forms/WindowList.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace tandemx {

WindowList::WindowList(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {}

bool WindowList::add(QWidget* window, const QString& hint)
{
    if (!window || !window->isVisible())
        return false;
    if (entries_.count(window))
        return true;
    auto* action = menu_->addAction(window->windowTitle());
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, window, [this, window] { raise(window); });
    entries_[window] = action;
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this, window] {
        auto it = entries_.find(window);
        if (it != entries_.end()) {
            delete it->second;
            entries_.erase(it);
        }
    });
    return true;
}

void WindowList::remove(QWidget* window)
{
    auto it = entries_.find(window);
    if (it == entries_.end())
        return;
    delete it->second;
    entries_.erase(it);
    window->removeEventFilter(this);
}

bool WindowList::raise(QWidget* window)
{
    if (!entries_.count(window))
        return false;
    window->show();
    window->raise();
    window->activateWindow();
    window->setFocus();
    return true;
}

QAction* WindowList::entry(QWidget* window) const
{
    auto it = entries_.find(window);
    return it == entries_.end() ? nullptr : it->second;
}

bool WindowList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close || event->type() == QEvent::Hide)
        if (auto* w = qobject_cast<QWidget*>(watched))
            remove(w);
    return QObject::eventFilter(watched, event);
}

} // namespace tandemx
