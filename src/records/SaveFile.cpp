#include "records/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tandemx {

namespace {

QString suffix() { return QString::fromLatin1(SaveTempSuffix); }

// A save killed midway leaves "<name>.XXXXXX.tandemx-opslag" beside the target: the next save of the
// same target removes the ones of its own name (six letters or digits in the middle) and nothing else.
void removeInterruptedSaves(const QFileInfo& target)
{
    const QString prefix = target.fileName() + QLatin1Char('.');
    QDir dir = target.absoluteDir();
    const QStringList names = dir.entryList({prefix + QStringLiteral("??????") + suffix()},
                                            QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    for (const QString& name : names) {
        const QStringView middle = QStringView(name).mid(prefix.size(), 6);
        const bool ours = std::all_of(middle.begin(), middle.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        });
        if (ours)
            dir.remove(name);
    }
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString saveFileAtomically(const QString& givenPath, const QByteArray& data)
{
    // Through a link the file it points to is saved, and the link stays.
    const QFileInfo given(givenPath);
    const QString path = given.isSymLink() ? given.symLinkTarget() : givenPath;
    const QFileInfo target(path);
    // A file marked read-only stays so, also for an administrator.
    if (target.exists() && !target.isDir() && (!target.isWritable() || !(target.permissions() & QFileDevice::WriteOwner)))
        return QStringLiteral("%1 is read-only").arg(path);
    if (target.isDir())
        return QStringLiteral("%1 is a folder").arg(path);
    if (!target.absoluteDir().exists())
        return QStringLiteral("folder %1 does not exist").arg(target.absolutePath());
    removeInterruptedSaves(target);

    QTemporaryFile file(path + QStringLiteral(".XXXXXX") + suffix());
    if (!file.open())
        return file.errorString();
    const int fd = file.handle();
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(path).constData(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    if (::fchmod(fd, mode) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (file.write(data) != data.size() || !file.flush())
        return file.errorString().isEmpty() ? QStringLiteral("write failed") : file.errorString();
    if (::fsync(fd) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    // rename() replaces the old file in one step: a reader sees the whole old or the whole new file.
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    file.setAutoRemove(false);
    return {};
}

} // namespace tandemx
