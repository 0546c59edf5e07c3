#pragma once
// Qt's own texts (the buttons and labels of file, print, colour and font dialogs, the standard buttons of
// message boxes) in Dutch, as the rest of the program.
#include <QString>

class QCoreApplication;

namespace tandemx {

// The folder Qt's translations are installed in (Debian: /usr/share/qt6/translations).
QString qtTranslationsPath();

// Installs Qt's Dutch translations (qtbase_nl.qm) on app. The translator belongs to app. Returns false when
// the file is not there or cannot be read; Qt's texts then stay English.
bool installDutchQtTranslations(QCoreApplication& app, const QString& folder = qtTranslationsPath());

} // namespace tandemx
