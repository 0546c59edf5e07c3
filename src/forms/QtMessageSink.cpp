#include "forms/QtMessageSink.h"

#include "forms/TBerichtForm.h"

#include <QApplication>

namespace tandemx {

int QtMessageSink::showBericht(const QString& text, int kind, uint16_t buttons, int helpContext)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = parent_;
    if (!parent)
        parent = QApplication::activeWindow();
    return TBerichtForm::showBericht(text, kind, buttons, helpContext, parent);
}

void QtMessageSink::beep()
{
    QApplication::beep();
}

} // namespace tandemx
