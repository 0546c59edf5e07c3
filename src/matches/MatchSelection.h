#pragma once
// The values the match selection takes over from its fields, and the check of the chosen match
// number before the selection is accepted.
#include <QDate>
#include <QString>

namespace tandemx {

// The match number typed in the number box: trimmed and converted; a text that is no number gives 1
// (and *beep). Only the low 8 bits count, as a signed value; a negative value becomes 0.
int matchNumberField(const QString& text, bool* beep);

// The round count typed in the rounds field: trimmed and converted; a text that is no number counts
// as 0 (and *beep). Only the low 8 bits count, as a signed value; below 1 gives doublesRounds.
int matchRoundsField(const QString& text, int doublesRounds, bool* beep);

// The play date as a match stores it: two-digit day and month and the year, joined by "-".
QString matchDateField(const QDate& date);

// The last date the date picker offers: 31 December of the current year.
QDate latestMatchDate(const QDate& today);

// Why a typed match number cannot be accepted, in the order the checks apply (the last one that
// applies wins): 10 zero (also a text that is no number, or a negative number), 13 beyond the
// existing matches, 14 beyond the matches the key data allow. 0 when it can be accepted; *number
// receives the number read as a 16-bit value.
enum MatchNumberRefusal : int { MatchNumberZero = 10, MatchNumberNotOpen = 13, MatchNumberTooHigh = 14 };
int checkMatchNumber(const QString& text, int matchCount, int maxMatches, int* number);

} // namespace tandemx
