#pragma once
#include "state/Seams.h"

#include <QSortFilterProxyModel>

class QWidget;

namespace tandemx {

// Over a file dialog's file-system model: folders, and only the files that can be written.
class WritableFilesOnly : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};

// The desktop file dialogs. The folder of the last chosen file is remembered.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<QString> openFile(const Request& request) override;
    std::optional<QString> saveFile(const Request& request) override;

private:
    QWidget* parent_;
    QString folder_;
};

} // namespace tandemx
