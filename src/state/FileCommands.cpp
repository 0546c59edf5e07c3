#include "state/FileCommands.h"

#include "state/UnsavedChanges.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace tandemx {

const FileDialogs::Request& memberFileOpenRequest()
{
    // A member file is saved over where it was opened: only files that can be written are offered.
    static const FileDialogs::Request r = [] {
        FileDialogs::Request request{QStringLiteral("Openen"), QStringLiteral("*.TDM"),
                                     QStringLiteral("Tandem bestand (*.tdm *.TDM)"), QStringLiteral("tdm")};
        request.writableOnly = true;
        return request;
    }();
    return r;
}

const FileDialogs::Request& memberFileSaveRequest()
{
    static const FileDialogs::Request r{QStringLiteral("Bewaren als"), QStringLiteral("*.tdm"),
                                        QStringLiteral("Tandem bestand (*.tdm *.TDM)"), QStringLiteral("tdm")};
    return r;
}

FileDialogs::Request clubOutputRequest(const QString& memberFileName, const QString& caption, const QString& what,
                                       const QString& extension, const QString& filter,
                                       const QString& defaultExtension)
{
    FileDialogs::Request r{caption, what + u'.' + extension, filter, defaultExtension};
    if (memberFileName.isEmpty() || memberFileName == NoFileName)
        return r;
    const QFileInfo member(memberFileName);
    r.folder = member.absolutePath();
    r.fileName = member.completeBaseName() + u'-' + r.fileName;
    return r;
}

bool writableFile(const QFileInfo& file)
{
    // The owner's write bit counts too: a file marked read-only stays so, also for an administrator.
    return file.isFile() && file.isWritable() && (file.permissions() & QFileDevice::WriteOwner);
}

bool openMemberFile(AppState& state, const QString& path, const std::function<void()>& showConfigDefaults)
{
    Club& club = state.club;
    if (!QFileInfo::exists(path)) {
        state.messages.showMessageNo(path, 3, 0, 0);
        return false;
    }
    if (!writableFile(QFileInfo(path))) {
        state.messages.showBericht(QStringLiteral("Bestand kan niet worden bewaard (alleen-lezen) : ") + path, Error,
                                   Btn::OK, 0);
        return false;
    }
    // Work on a copy so that a file that cannot be read leaves the open list, its name and its key
    // data untouched: a later save must never write the old list over another file.
    const Club before = club;
    club.memberFileName = path;
    if (!loadConfig(state, path) && showConfigDefaults)
        showConfigDefaults();
    QString error;
    auto list = readMemberFile(path, club.keyData().clubSize, &error);
    if (!list) {
        state.messages.showBericht(error, Error, Btn::OK, 0);
        club = before;
        return false;
    }
    club.members = std::move(*list);
    club.fileLoaded = true;
    markMembersSaved(state);
    markConfigSaved(state);
    return true;
}

bool makeBackup(AppState& state, const QString& path)
{
    // Copy rather than rename: the member file stays in place until its new content has been
    // written completely. The copy is written like any save, so an older backup survives a copy that
    // cannot be completed.
    QFile file(path);
    const bool copied = file.open(QIODevice::ReadOnly) && saveFileAtomically(backupFileName(path), file.readAll()).isEmpty();
    if (!copied)
        state.messages.showMessageNo(path, 8, 0, 0);
    return copied;
}

bool fileNameStep(AppState& state, bool askName, bool confirmBackup)
{
    Club& club = state.club;
    QString name = club.memberFileName;
    if (askName || name == NoFileName) {
        auto chosen = state.files.saveFile(memberFileSaveRequest());
        if (!chosen || chosen->isEmpty())
            return false;
        name = *chosen;
        if (QFileInfo::exists(name)
            && !state.messages.ask(QStringLiteral("Bestand bestaat al\rbestand:") + name + QStringLiteral(" overschrijven?")))
            return false;
    }
    if (confirmBackup && QFileInfo::exists(name)) {
        if (!state.messages.ask(QStringLiteral(" Tandem Programma\r Bewaren van ") + name))
            return false;
        makeBackup(state, name);
        // This was the run's backup, made or reported: the save that follows does not try (and
        // report) it again.
        club.backupPending = false;
    }
    club.memberFileName = name;
    return true;
}

bool saveMemberList(AppState& state, bool report)
{
    Club& club = state.club;
    if (!club.members)
        return false;
    if (!checkClubNumbers(*club.members, state.messages))
        return false;
    const QString name = club.memberFileName;
    // One backup per run, of the file as it was before the run's first save. One that cannot be made
    // is tried again only while the file is still that one: once a save of this run has replaced it,
    // a backup would copy this run's own save.
    if (club.backupPending)
        club.backupPending = QFileInfo::exists(name) && !makeBackup(state, name);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool ok = writeMemberFile(buffer, *club.members);
    if (ok)
        ok = saveFileAtomically(name, bytes).isEmpty();
    if (!ok) {
        state.messages.lastErrorState = 1;
    } else {
        club.backupPending = false;
        markMembersSaved(state);
    }
    if (report)
        state.messages.showBericht(QStringLiteral("Wegschrijven van ") + name
                                       + (ok ? QStringLiteral(" gelukt") : QStringLiteral(" niet gelukt")),
                                   ok ? Information : Error, Btn::OK, 0);
    else if (!ok)
        state.messages.showMessageNo(name, 0, 8, 4);
    return ok;
}

} // namespace tandemx
