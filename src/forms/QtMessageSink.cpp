#include "forms/QtMessageSink.h"

#include "forms/TBerichtForm.h"
#include "forms/WindowMemory.h"
#include "state/ModalHooks.h"

#include <QApplication>

namespace tandemx {

int QtMessageSink::showBericht(const QString& text, int kind, uint16_t buttons, int helpContext)
{
    // The message belongs to the window the user works in (an overview, the game input, a dialog), so
    // that window stays in front; the main window only when the program has no active window.
    TBerichtForm dialog(text, kind, buttons, helpContext, workingWindow(parent_));
    dialog.onHelp = help_;
    if (hooks_)
        hooks_->aboutToShow(dialog);
    return dialog.exec();
}

void QtMessageSink::beep()
{
    QApplication::beep();
}

} // namespace tandemx
