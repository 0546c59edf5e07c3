#pragma once
// The member-file commands without windows: open, the file-name step of the save commands, save.
#include "state/AppState.h"

#include <QFileInfo>

#include <functional>

namespace tandemx {

const FileDialogs::Request& memberFileOpenRequest();
const FileDialogs::Request& memberFileSaveRequest();

// The save request for a file made from the open club (a printout into a PDF file, a text export):
// it opens in the member file's folder and suggests "<member file>-<what>.<extension>", for example
// "tennisclub-parenschema.pdf". While the list has no file name: the last folder used and
// "<what>.<extension>".
FileDialogs::Request clubOutputRequest(const QString& memberFileName, const QString& caption, const QString& what,
                                       const QString& extension, const QString& filter,
                                       const QString& defaultExtension = QString());

// True for a file the program can save over: writable and not marked read-only.
bool writableFile(const QFileInfo& file);

// Reads the key data and the member file at path. The key-data dialog with defaults is the caller's:
// showConfigDefaults runs it when the key data are missing or damaged. A member file that cannot be
// read, or cannot be written (it could never be saved again), is reported and leaves the program
// state as it was. Returns true when a list was loaded.
bool openMemberFile(AppState& state, const QString& path, const std::function<void()>& showConfigDefaults);

// Settles the name to save under: asks for one (always with askName, or while the list has none),
// confirms overwriting, and with confirmBackup asks before keeping the existing file as backup.
// Returns false when the user stopped.
bool fileNameStep(AppState& state, bool askName, bool confirmBackup);

// Saves the member list under its name: club-number check, backup on the first save of the run,
// a complete write or none. report shows the result either way.
bool saveMemberList(AppState& state, bool report);

// Keeps the file at path as its backup copy (".~td"), replacing an older backup. Reports a failure
// with "Reserve kopie maken mislukt: " and returns false.
bool makeBackup(AppState& state, const QString& path);

} // namespace tandemx
