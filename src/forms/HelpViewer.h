#pragma once
// The help: Dutch pages shipped inside the program (resources under :/help), a viewer with back,
// forward and contents, and the table that turns a help context number into a page.
#include <QDialog>
#include <QList>
#include <QUrl>

class QApplication;
class QObject;
class QTextBrowser;
class QToolButton;

namespace tandemx {

// Opens the help page of a help context (10: the contents).
void showHelp(int helpContext, QWidget* parent = nullptr);

// The page (with its anchor) of a help context; empty for a number without a page (showHelp then
// opens the contents).
QUrl helpUrl(int helpContext);
// The page of a window or control by its object name, for the few whose number is shared with
// another command; empty when the name is not in that table.
QUrl helpUrlForName(const QString& objectName);
QUrl helpContentsUrl();
// Every help context number that has a page.
QList<int> helpContexts();

// The help context number an object carries (0: none).
int helpContextOf(const QObject* object);
// The page for context help (F1) from the widget that has the focus: the nearest "helpContext"
// property up the parent chain, the window's own context, or the page of the window by its name.
QUrl contextHelpUrl(QWidget* widget);
// Opens a page in the viewer.
void showHelpUrl(const QUrl& url, QWidget* parent = nullptr);

// Makes F1 open the help page of the window in front (or of the menu item under the cursor).
void installHelpKey(QApplication& app);

class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    void open(const QUrl& url);
    QUrl source() const;
    QTextBrowser* browser() const { return browser_; }
    // The viewer that is open, or nullptr.
    static HelpViewer* current();

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

} // namespace tandemx
