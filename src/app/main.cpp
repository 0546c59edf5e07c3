// tandemx: the desktop program.
#include "forms/HelpViewer.h"
#include "forms/Icons.h"
#include "forms/PrintDialogs.h"
#include "forms/ProgramWindows.h"
#include "forms/QtFileDialogs.h"
#include "forms/QtMessageSink.h"
#include "forms/TSplashForm.h"
#include "forms/TTandem12X.h"
#include "forms/Translations.h"
#include "forms/AppWiring.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application title; message dialogs without a kind show it as their caption.
    app.setApplicationName(QStringLiteral("Tennis Programma TandemX"));
    app.setOrganizationName(QStringLiteral("TandemX")); // where the settings (recent files) are kept
    app.setApplicationVersion(QStringLiteral(TANDEMX_VERSION));
    app.setDesktopFileName(QStringLiteral("tandemx"));
    app.setWindowIcon(tandemx::appIcon());
    // Qt's own dialogs and buttons in Dutch; without the translations (qt6-translations-l10n) they stay
    // English and the program works as before.
    if (!tandemx::installDutchQtTranslations(app))
        qWarning("Qt's Dutch translations (qtbase_nl.qm) not found in %s", qPrintable(tandemx::qtTranslationsPath()));
    // F1 opens the help page of the window in front.
    tandemx::installHelpKey(app);

    tandemx::TSplashForm splash;
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    tandemx::QtMessageSink sink;
    tandemx::Messages messages(sink);
    tandemx::Clock clock;
    tandemx::QtFileDialogs files;
    tandemx::AppState state(messages, clock, files);
    // The printer list always holds "PDF-bestand", so a printer is always there to choose.
    state.club.printerInstalled = true;
    sink.setModalHooks(state.modalHooks);
    sink.setHelp([](int context) { tandemx::showHelp(context); });
    // Every window opens where it was left last time (the settings, with the recent files).
    tandemx::SettingsWindowPlaces windowPlaces;
    state.windowPlaces = &windowPlaces;

    splash.waitAndClose();

    tandemx::TTandem12X window(state);
    sink.setParent(&window);
    files.setParent(&window);
    tandemx::wireWindows(window);
    // A preview before every printout, and the system's print dialog for a printer.
    tandemx::QtPrintDialogs printDialogs(state);
    window.windows().setPrintDialogs(printDialogs);
    window.show();

    const QStringList args = app.arguments();
    if (args.size() > 1)
        window.openPath(args.at(1));
    return app.exec();
}
