#include "matches/MatchSelection.h"

#include <cstdint>

namespace tandemx {

namespace {

bool toNumber(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok, 10);
    return ok;
}

int lowByte(int value) { return int(int8_t(uint8_t(value & 0xFF))); }

} // namespace

int matchNumberField(const QString& text, bool* beep)
{
    int value = 0;
    const bool ok = toNumber(text, &value);
    if (beep)
        *beep = !ok;
    if (!ok)
        value = 1;
    value = lowByte(value);
    return value < 0 ? 0 : value;
}

int matchRoundsField(const QString& text, int doublesRounds, bool* beep)
{
    int value = 0;
    const bool ok = toNumber(text, &value);
    if (beep)
        *beep = !ok;
    if (!ok)
        value = 0;
    value = lowByte(value);
    return value < 1 ? doublesRounds : value;
}

QString matchDateField(const QDate& date)
{
    QString text = date.toString(QStringLiteral("d-M-yyyy")).left(12);
    if (text.indexOf(QLatin1Char('-')) == 1)
        text.prepend(QLatin1Char('0'));
    if (text.size() == 9)
        text.insert(3, QLatin1Char('0'));
    return text;
}

QDate latestMatchDate(const QDate& today)
{
    return QDate::fromString(QStringLiteral("31-12-") + QString::number(today.year()), QStringLiteral("d-M-yyyy"));
}

int checkMatchNumber(const QString& text, int matchCount, int maxMatches, int* number)
{
    int value = 0;
    if (!toNumber(text, &value))
        value = 0;
    value = int(int16_t(uint16_t(value & 0xFFFF)));
    if (number)
        *number = value;
    int refusal = 0;
    if (value <= 0)
        refusal = MatchNumberZero;
    if (value > matchCount)
        refusal = MatchNumberNotOpen;
    if (value > maxMatches)
        refusal = MatchNumberTooHigh;
    return refusal;
}

} // namespace tandemx
