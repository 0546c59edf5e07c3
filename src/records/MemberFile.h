#pragma once
// Reading, checking and writing the member file and the key-data file beside it.
#include "records/KeyData.h"
#include "records/MemberList.h"
#include "records/SaveFile.h"

#include <QString>

#include <optional>

namespace tandemx {

class Messages;

inline const QString NoFileName = QStringLiteral("N_N");

// Names of the companion files: the member file's name with its extension replaced.
QString withExtension(const QString& path, const QString& extension); // extension with its dot
inline QString configFileName(const QString& memberFile) { return withExtension(memberFile, QStringLiteral(".cfg")); }
inline QString backupFileName(const QString& memberFile) { return withExtension(memberFile, QStringLiteral(".~td")); }
inline QString matchFileName(const QString& memberFile) { return withExtension(memberFile, QStringLiteral(".CAL")); }

// A new list of clubSize members (24 when 0): the first half group 1, the rest group 2, Actie "-".
MemberList createMemberList(const KeyData& keyData, const QString& memberFileName);

// Reads a member file. clubSize is the count used when the header gives none. On failure error holds
// the text to report (without the file name) and nothing is returned.
std::optional<MemberList> readMemberFile(QIODevice& in, int32_t clubSize, QString* error);
std::optional<MemberList> readMemberFile(const QString& path, int32_t clubSize, QString* error);

// Writes the header (count 0 in ClubNr, the count as text in Opmerking) and every member.
bool writeMemberFile(QIODevice& out, MemberList& list);

// Reads a key-data file; nullopt when it cannot be opened.
std::optional<TConfigObj> readKeyDataFile(const QString& path, qint64* bytesRead = nullptr);

// True when no two members share a club number; otherwise shows the duplicate message.
bool checkClubNumbers(const MemberList& list, Messages& messages);

} // namespace tandemx
