#pragma once
// The member files opened or saved last, listed in "&Bestand" to open again with one click. They are
// kept in the program's settings (QSettings); the program never opens one by itself.
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace tandemx {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxFiles = 6;

    // The entries stand in menu before `before`, with a separator of their own; they are listed afresh
    // each time the menu opens.
    RecentFiles(QMenu* menu, QAction* before, QObject* parent = nullptr);

    // path is the newest; an older entry of the same file goes.
    void add(const QString& path);
    // The stored files that still exist, newest first.
    QStringList files() const;

signals:
    void openRequested(const QString& path);

private:
    void fillMenu();

    QMenu* menu_;
    QAction* before_;
    QAction* separator_;
    QList<QAction*> entries_;
};

} // namespace tandemx
