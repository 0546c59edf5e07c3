#include "forms/QtFileDialogs.h"

#include "state/FileCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

namespace tandemx {

bool WritableFilesOnly::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files)
        return true;
    const QFileInfo info = files->fileInfo(files->index(sourceRow, 0, sourceParent));
    return info.isDir() || writableFile(info);
}

std::optional<QString> QtFileDialogs::openFile(const Request& request)
{
    QFileDialog dialog(parent_, request.caption, folder_, request.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (request.writableOnly) {
        // The platform's own dialog takes no filter of ours.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setProxyModel(new WritableFilesOnly(&dialog));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    folder_ = QFileInfo(path).absolutePath();
    return path;
}

std::optional<QString> QtFileDialogs::saveFile(const Request& request)
{
    QFileDialog dialog(parent_, request.caption, request.folder.isEmpty() ? folder_ : request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    // A suggested name stands in the name field; a pattern like "*.tdm" is said by the filter already.
    if (!request.fileName.isEmpty() && !request.fileName.contains(u'*'))
        dialog.selectFile(request.fileName);
    // The overwrite question is the program's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    folder_ = QFileInfo(path).absolutePath();
    return path;
}

} // namespace tandemx
