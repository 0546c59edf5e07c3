#pragma once
// The desktop program's message sink: every message is shown in the message dialog, the beep is the
// system beep.
#include "messages/Messages.h"

#include <QPointer>
#include <QWidget>

namespace tandemx {

class QtMessageSink : public MessageSink {
public:
    // A message belongs to the active modal dialog, else to the active window, else to this window.
    void setParent(QWidget* parent) { parent_ = parent; }

    int showBericht(const QString& text, int kind, uint16_t buttons, int helpContext) override;
    void beep() override;

private:
    QPointer<QWidget> parent_;
};

} // namespace tandemx
