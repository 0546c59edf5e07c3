#pragma once
// The one way this program writes a file over an older one.
#include <QByteArray>
#include <QString>

namespace tandemx {

// Writes data to a temporary file beside path ("<name>.XXXXXX.tandemx-opslag"), checks every write,
// the flush and the sync to disk, and only then puts it in the place of the old file in one step: on
// any failure, or when the program is killed midway, the old file stays whole. The new file keeps the
// old one's permissions (a new one gets the usual ones). A temporary file an interrupted save left
// behind is removed by the next save of the same file; no other file is touched. Returns an empty
// string or the reason it failed.
QString saveFileAtomically(const QString& path, const QByteArray& data);

// The ending of the temporary files of saveFileAtomically.
inline constexpr char SaveTempSuffix[] = ".tandemx-opslag";

} // namespace tandemx
