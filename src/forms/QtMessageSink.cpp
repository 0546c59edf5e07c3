#include "forms/QtMessageSink.h"

#include "forms/TBerichtForm.h"
#include "forms/WindowMemory.h"

#include <QApplication>

namespace tandemx {

int QtMessageSink::showBericht(const QString& text, int kind, uint16_t buttons, int helpContext)
{
    // The message belongs to the window the user works in (an overview, the game input, a dialog), so
    // that window stays in front; the main window only when the program has no active window.
    return TBerichtForm::showBericht(text, kind, buttons, helpContext, workingWindow(parent_));
}

void QtMessageSink::beep()
{
    QApplication::beep();
}

} // namespace tandemx
