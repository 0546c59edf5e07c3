#include "forms/QtMessageSink.h"

#include "forms/TBerichtForm.h"
#include "state/ModalHooks.h"

#include <QApplication>

namespace tandemx {

int QtMessageSink::showBericht(const QString& text, int kind, uint16_t buttons, int helpContext)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = parent_;
    if (!parent)
        parent = QApplication::activeWindow();
    TBerichtForm dialog(text, kind, buttons, helpContext, parent);
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
