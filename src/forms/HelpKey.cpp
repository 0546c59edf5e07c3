// F1: the help page of the window in front, of the control that has the focus or of the menu item
// under the cursor.
#include "forms/HelpViewer.h"

#include "forms/TBerichtForm.h"
#include "forms/TInvoerForm.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TOptiesForm.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace tandemx {

namespace {

// The page of a window that carries its number in code rather than in a property.
QUrl windowUrl(QWidget* window)
{
    if (auto* schema = qobject_cast<TSchemaForm*>(window))
        return helpUrl(schema->helpContext());
    if (auto* bericht = qobject_cast<TBerichtForm*>(window))
        return helpUrl(bericht->helpContext());
    if (qobject_cast<TResultsForm*>(window))
        return helpUrl(TResultsForm::HelpContext);
    if (qobject_cast<TMatchForm*>(window))
        return helpUrl(TMatchForm::HelpContext);
    if (qobject_cast<TInvoerForm*>(window))
        return helpUrl(TInvoerForm::HelpContext);
    if (qobject_cast<TMatchSelDlg*>(window))
        return helpUrl(TMatchSelDlg::HelpContext);
    if (auto* opties = qobject_cast<TOptiesForm*>(window))
        return helpUrl(opties->currentPage() == 1 ? TOptiesForm::HelpPrint : TOptiesForm::HelpPersonal);
    if (window->objectName() == QLatin1String("TBanenDlg"))
        return helpUrl(256);
    return QUrl();
}

QUrl objectUrl(QObject* object)
{
    if (!object)
        return QUrl();
    QUrl url = helpUrlForName(object->objectName());
    if (url.isEmpty()) {
        const int context = helpContextOf(object);
        if (context > 0)
            url = helpUrl(context);
    }
    return url;
}

QUrl menuUrl(QMenu* menu)
{
    if (QAction* action = menu->activeAction()) {
        if (QUrl url = objectUrl(action); !url.isEmpty())
            return url;
        if (action->menu())
            if (QUrl url = objectUrl(action->menu()); !url.isEmpty())
                return url;
    }
    return objectUrl(menu);
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1
            || !watched->isWidgetType())
            return false;
        QUrl url;
        QWidget* from = nullptr;
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            url = menuUrl(menu);
            // The menu closes; the help belongs to the window the menu came from.
            while (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            from = QApplication::activeWindow();
        } else {
            from = QApplication::focusWidget();
            if (!from)
                from = QApplication::activeWindow();
            if (!from)
                from = static_cast<QWidget*>(watched);
            url = contextHelpUrl(from);
        }
        showHelpUrl(url.isEmpty() ? helpContentsUrl() : url, from);
        return true;
    }
};

} // namespace

int helpContextOf(const QObject* object)
{
    // Windows carry the number as "helpContext"; the options dialog spells it "HelpContext".
    QVariant context = object->property("helpContext");
    if (!context.isValid())
        context = object->property("HelpContext");
    return context.toInt();
}

QUrl contextHelpUrl(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        // A window that knows its page (the options dialog by its current tab) goes first.
        if (w->isWindow())
            if (QUrl url = windowUrl(w); !url.isEmpty())
                return url;
        if (QUrl url = objectUrl(w); !url.isEmpty())
            return url;
    }
    return helpContentsUrl();
}

void installHelpKey(QApplication& app) { app.installEventFilter(new HelpKeyFilter(&app)); }

} // namespace tandemx
