#include "forms/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace tandemx {

namespace {
const char* const kKey = "recentFiles";

QStringList existing(const QStringList& paths)
{
    QStringList kept;
    for (const QString& p : paths)
        if (!p.isEmpty() && QFileInfo(p).isFile() && !kept.contains(p))
            kept.append(p);
    return kept.mid(0, RecentFiles::MaxFiles);
}
} // namespace

RecentFiles::RecentFiles(QMenu* menu, QAction* before, QObject* parent)
    : QObject(parent), menu_(menu), before_(before), separator_(new QAction(menu))
{
    separator_->setSeparator(true);
    separator_->setVisible(false);
    menu_->insertAction(before_, separator_);
    connect(menu_, &QMenu::aboutToShow, this, &RecentFiles::fillMenu);
}

QStringList RecentFiles::files() const { return existing(QSettings().value(kKey).toStringList()); }

void RecentFiles::add(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList paths = QSettings().value(kKey).toStringList();
    paths.removeAll(file);
    paths.prepend(file);
    QSettings().setValue(kKey, existing(paths));
}

void RecentFiles::fillMenu()
{
    qDeleteAll(entries_);
    entries_.clear();
    const QStringList paths = files();
    int number = 0;
    for (const QString& path : paths) {
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(++number).arg(caption), menu_);
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(number));
        entry->setStatusTip(QStringLiteral("Openen van ") + QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit openRequested(path); });
        menu_->insertAction(separator_, entry);
        entries_.append(entry);
    }
    separator_->setVisible(!entries_.isEmpty());
}

} // namespace tandemx
