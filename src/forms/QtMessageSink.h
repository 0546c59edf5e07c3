#pragma once
// The desktop program's message sink: every message is shown in the message dialog, the beep is the
// system beep.
#include "messages/Messages.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace tandemx {

class ModalHooks;

class QtMessageSink : public MessageSink {
public:
    // A message belongs to the active modal dialog, else to the active window, else to this window.
    void setParent(QWidget* parent) { parent_ = parent; }
    // The hooks every message dialog is handed just before it runs modally: those of the program
    // state (none: the dialog simply runs).
    void setModalHooks(const ModalHooks& hooks) { hooks_ = &hooks; }
    // Opens the help for a context number: a message's "&Help" button calls it.
    void setHelp(std::function<void(int)> help) { help_ = std::move(help); }

    int showBericht(const QString& text, int kind, uint16_t buttons, int helpContext) override;
    void beep() override;

private:
    QPointer<QWidget> parent_;
    const ModalHooks* hooks_ = nullptr;
    std::function<void(int)> help_;
};

} // namespace tandemx
