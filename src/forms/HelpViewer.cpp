#include "forms/HelpViewer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tandemx {

void showHelp(int helpContext, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("HelpViewer"));
    dialog.setWindowTitle(QStringLiteral("Help"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QTextBrowser(&dialog);
    text->setHtml(QStringLiteral("<h3>Tennis Programma TandemX</h3><p>Helponderwerp %1.</p>").arg(helpContext));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(480, 360);
    dialog.exec();
}

} // namespace tandemx
