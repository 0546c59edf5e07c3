#include "messages/Messages.h"

#include "messages/MessageTable.h"
#include "messages/ScriptedMessages.h"

namespace tandemx {

void Messages::showMessageNo(const QString& text, int number, int state, int hint)
{
    QString message;
    if (number != 0)
        message = QString::fromUtf8(messageText(number)) + text;
    else
        message = text + QString::fromUtf8(stateText(state)) + QStringLiteral("\n\r") + QString::fromUtf8(hintText(hint));
    showBericht(message, Error, Btn::OK, 0);
    if (lastErrorState == 0)
        lastErrorState = state;
}

void Messages::showRoundMessage(int prefixNumber, int number, int round)
{
    if (number == 2 && !(options_ && (options_() & 1)))
        return;
    showBericht(QString::fromUtf8(composeRoundMessage(prefixNumber, number, round)), Error, Btn::OK, 0);
    lastErrorState = round;
}

int cancelResult(uint16_t buttons)
{
    if (buttons & Btn::Schrap)
        return Result::Cancel;
    if (buttons & Btn::Nee)
        return Result::No;
    return Result::Ok;
}

int defaultResult(uint16_t buttons)
{
    if (buttons & Btn::OK)
        return Result::Ok;
    if (buttons & Btn::Ja)
        return Result::Yes;
    if (buttons & Btn::Af)
        return Result::No;
    return Result::Retry;
}

int ScriptedMessageSink::showBericht(const QString& text, int kind, uint16_t buttons, int)
{
    shown.push_back({text, kind, buttons});
    if (!answers_.empty()) {
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    if (unexpected_)
        unexpected_(shown.back());
    return cancelResult(buttons);
}

QStringList ScriptedMessageSink::texts() const
{
    QStringList list;
    for (const auto& s : shown)
        list << s.text;
    return list;
}

} // namespace tandemx
