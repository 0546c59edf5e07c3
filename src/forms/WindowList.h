#pragma once
// The open subsidiary windows, listed in the "Bee&ld" menu after "Menu &Iconen". A window's entry
// goes when the window closes.
#include <QObject>

#include <map>

class QAction;
class QMenu;
class QWidget;

namespace tandemx {

class WindowList : public QObject {
    Q_OBJECT
public:
    explicit WindowList(QMenu* menu, QObject* parent = nullptr);

    // Adds an entry when the window is visible; returns whether it was added.
    bool add(QWidget* window, const QString& hint = {});
    void remove(QWidget* window);
    bool isOpen(QWidget* window) const { return entries_.count(window) > 0; }
    // Brings an open window to the front; false when it has no entry.
    bool raise(QWidget* window);
    QAction* entry(QWidget* window) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* menu_;
    std::map<QWidget*, QAction*> entries_;
};

} // namespace tandemx
