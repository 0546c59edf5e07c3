#include "messages/MessageTable.h"

#include <cstdio>

namespace tandemx {
namespace {

const char* const kMessages[MessageTableSize] = {
    "",
    "Aantal Leden = 0 : ",
    "Aantal spelers te weinig : ",
    "Bestand bestaat niet : ",
    "Ledenbestand is niet correct",
    "Er is geen Schema beschikbaar : ",
    "Fout in data bestand: ",
    "Foutief getal, probeer opnieuw: ",
    "Reserve kopie maken mislukt: ",
    "Ledenlijst is niet correct",
    "Kolom niet gelijk voor baan: ",
    "Verwisselen dame <--> heer niet toegestaan",
    "Sluit eerst alle vensters,\rdan Nieuw openen",
    "Match niet te openen \rgebruik \"Nieuwe Match\" ",
    "MatchNr te hoog, zie sleutelgegevens ",
    "Geen Ledenbestand geopend: ",
    "Er is nog geen match geopend\rdoe dit eerst...",
    "Lijst van Matchpunten is niet correct",
    "Aantal ronden te groot, zie sleutelgegevens ",
    "ScoreLijst is niet correct",
    " P R I N T E R  N I E T  C O R R E C T ",
    " P R I N T E R  N I E T  A A N W E Z I G ",
    "Aantal personen = 0 : ",
    "Banen te weinig ! : ",
    "Selectie niet gelukt",
    "Banen te veel   ! ",
    "Te weinig banen gekozen",
    "Te veel banen gekozen  ",
    "Geen oplossing heren-tandem     ",
    "Geen oplossing dames-tandem     ",
    "Geen oplossing gemengd-tandem   ",
    "U heeft nog geen schema gemaakt\rdoe dit eerst...",
    "Geen Schema mogelijk zonder Bestand",
    " P R I N T E R  N I E T  C O R R E C T ",
    "Alleen mogelijk voor Schema Op Naam ",
    " Wijziging niet toegestaan ! ",
    "Te veel banen gekozen\r\n Aantal wordt aangepast... ",
    "Bestand bestaat niet",
    " P R I N T E R  zonder P A P I E R",
    " P R I N T E R  N I E T  K L A A R",
    "Aantal heren + dames meer dan 200 ",
    "Aantal dames + heren meer dan 200 ",
    "Aantal banen meer dan 32 ",
    "Gebruik eerst optie Bestand :Openen",
    "Bestand is al open",
};

const char* const kStates[StateTextCount] = {
    " is geen geldig karakter",
    " bestaat niet",
    " heeft verkeerd formaat",
    " met foutief aantalleden",
    " is geen geldige datum",
    " is geen geldig getal",
    " Er is een Inputfout opgetreden",
    " Inlezen NIET gelukt",
    " Wegschrijven NIET gelukt",
    " bestaat al",
    " niet toegestaan",
    " heeft 4 cijfers",
    " heeft 4 cijfers en 2 letters",
    " heeft min. 10, max. 12 cijfers + spaties",
    " is geen geldig adres",
    " alleen M  of  V  toegestaan",
};

const char* const kHints[HintTextCount] = {
    " is niet ingevuld!",
    " controleer bestandnaam",
    " maak eerst nieuw Tandem bestand",
    " gebruik bij voorkeur naam met jaartal",
    " probeer opnieuw of controleer file",
    " corrigeer (zonodig) invoer",
};

} // namespace

const char* messageText(int number)
{
    return number >= 0 && number < MessageTableSize ? kMessages[number] : "";
}

const char* stateText(int index)
{
    return index >= 0 && index < StateTextCount ? kStates[index] : "";
}

const char* hintText(int index)
{
    // Three checks ask for hint 8, which the table does not have: they get the correction hint.
    return index >= 0 && index < HintTextCount ? kHints[index] : kHints[5];
}

std::string composeRoundMessage(int prefixNumber, int number, int round)
{
    std::string text;
    if (round == 0) {
        text = messageText(number + 21);
    } else if (round >= 1 && round <= 20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%2d", round);
        text = std::string(messageText(number + 21)) + " in ronde :" + buf;
    }
    if (prefixNumber != 0)
        text = std::string(messageText(prefixNumber + 21)) + text;
    return text;
}

std::string composeInputError(const std::string& text, int state, int hint)
{
    return text + stateText(state) + "\n\r" + hintText(hint);
}

} // namespace tandemx
