#pragma once
// Windows-1252 <-> QString. Strings in the files are single-byte Windows-1252; the five byte values
// the code page leaves undefined decode to the C1 control of the same value so they survive a round
// trip unchanged.
#include <QByteArray>
#include <QString>

namespace tandemx {

QString fromCp1252(QByteArrayView bytes);
// Characters without a Windows-1252 code point make ok false (and come out as '?').
QByteArray toCp1252(QStringView text, bool* ok = nullptr);
bool isCp1252(QStringView text);

} // namespace tandemx
