#include "forms/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tandemx {

QString qtTranslationsPath() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool installDutchQtTranslations(QCoreApplication& app, const QString& folder)
{
    // The program speaks Dutch whatever the system's language is.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Dutch, QLocale::Netherlands), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder)
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace tandemx
