#include "forms/PrintDialogs.h"

#include "forms/WindowMemory.h"

#include <QAction>
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tandemx {

bool QtPrintDialogs::preview(QPrinter& printer, const QString& title, const std::function<void(QPrinter&)>& paint)
{
    QPrintPreviewDialog dialog(&printer, workingWindow(nullptr));
    dialog.setObjectName(QStringLiteral("Afdrukvoorbeeld"));
    dialog.setWindowTitle(title);
    dialog.resize(800, 700);
    rememberPlace(dialog, state_);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(*p); });

    // The preview's print button goes on with this printout: the system's print dialog for a printer
    // or the file name for a PDF file come after the preview, from the caller. (Left to itself the
    // preview would print on its own.)
    bool chosen = false;
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (action->text() != printText)
            continue;
        QObject::disconnect(action, SIGNAL(triggered(bool)), &dialog, SLOT(_q_print()));
        QObject::connect(action, &QAction::triggered, &dialog, [&dialog, &chosen] {
            chosen = true;
            dialog.accept();
        });
    }
    dialog.exec();
    return chosen;
}

bool QtPrintDialogs::printDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, workingWindow(nullptr));
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace tandemx
