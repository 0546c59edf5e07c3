#include "state/AppState.h"

#include "state/UnsavedChanges.h"

#include <QFile>

namespace tandemx {

const KeyData& Club::keyData() const
{
    static const KeyData defaults;
    return config ? config->keyData : defaults;
}

void setDefaults(AppState& state)
{
    Club& club = state.club;
    club.config = TConfigObj::withDefaults(PrintSettings::defaults(club.windowFontName, int16_t(club.windowFontSize)));
    club.printSettings = club.config->printSettings;
    club.printFontChosen.reset();
}

bool loadConfig(AppState& state, const QString& memberFileName)
{
    Club& club = state.club;
    const QString name = configFileName(memberFileName);
    club.configFileName = name;
    club.configAccepted = false;
    if (!QFile::exists(name)) {
        state.messages.showMessageNo(name, 3, 0, 0);
        return false;
    }
    auto read = readKeyDataFile(name);
    if (!read) {
        state.messages.showMessageNo(name, 4, 0, 0);
        return false;
    }
    club.config = *read;
    club.configAccepted = true;
    club.printSettings = club.config->printSettings;
    club.printFontChosen.reset();
    if (club.config->keyData.clubSize == 0) {
        state.messages.showMessageNo(name, 4, 0, 0);
        return false;
    }
    if (!club.printerInstalled)
        club.printSettings.printerIndex = -1;
    return true;
}

bool saveConfig(AppState& state, const QString& memberFileName)
{
    Club& club = state.club;
    if (memberFileName == NoFileName)
        return true;
    const QString name = configFileName(memberFileName);
    if (!club.config) {
        state.messages.showBericht(QStringLiteral("Configuratie bestaat niet; wordt aangemaakt"), Warning, Btn::OK, 0);
        setDefaults(state);
    } else {
        club.config->printSettings = club.printSettings;
    }
    const QString failure = saveFileAtomically(name, club.config->toBytes());
    if (!failure.isEmpty()) {
        state.messages.showMessageNo(name, 0, 8, 4);
        return false;
    }
    club.configAccepted = true;
    markConfigSaved(state);
    return true;
}

} // namespace tandemx
