#include "state/UnsavedChanges.h"

#include "matches/MatchMembers.h"

#include "records/MemberOps.h"

#include <QBuffer>
#include <QDataStream>

namespace tandemx {

namespace {

// What the user can change in the member list, field by field: the order, the club numbers and the
// texts (Actie as copying the grid back normalises it). The row numbers, which the grid renumbers, and
// bytes beyond the texts are left out, so that showing and copying back an untouched list is no change.
QByteArray memberBytes(const Club& club)
{
    if (!club.members)
        return {};
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const MemberList& list = *club.members;
    for (int p = 1; p <= list.count(); ++p) {
        TLedenObj r = list.at(p);
        normaliseActie(r);
        out << r.clubNr();
        for (MemberField f : {MemberField::Voornaam, MemberField::Achternaam, MemberField::Grp, MemberField::Actie,
                              MemberField::Straat, MemberField::Postcode, MemberField::Plaats, MemberField::Telefoon,
                              MemberField::EMail, MemberField::Opmerking})
            out << r.raw(f).trimmed();
    }
    return bytes;
}

QByteArray configBytes(const Club& club)
{
    if (!club.config)
        return {};
    TConfigObj config = *club.config;
    config.printSettings = club.printSettings;
    return config.toBytes();
}

QByteArray matchBytes(const AppState& state)
{
    MatchData data = state.matches;
    if (state.club.members)
        followMembers(data, *state.club.members);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int failed = 0;
    writeMatchFile(buffer, data.MatchList, state.club.memberCount(), &failed);
    return bytes;
}

} // namespace

void markMembersSaved(AppState& state)
{
    Club& club = state.club;
    club.savedMembers = club.members;
    club.savedMemberBytes = memberBytes(club);
}

void markConfigSaved(AppState& state)
{
    state.club.savedConfigBytes = configBytes(state.club);
}

void markMatchesSaved(AppState& state)
{
    state.matches.savedBytes = matchBytes(state);
}

bool membersUnsaved(const AppState& state)
{
    const Club& club = state.club;
    return club.members && (memberBytes(club) != club.savedMemberBytes || configBytes(club) != club.savedConfigBytes);
}

bool matchesUnsaved(const AppState& state)
{
    return state.club.keyData().keepGames == 1 && state.matches.MatchCount() > 0
        && matchBytes(state) != state.matches.savedBytes;
}

bool hasUnsavedChanges(const AppState& state)
{
    return membersUnsaved(state) || matchesUnsaved(state);
}

void recomputePrintSettings(AppState& state, const std::function<void(PrintSettings&)>& recompute)
{
    Club& club = state.club;
    recompute(club.printSettings);
    if (club.savedConfigBytes.isEmpty())
        return;
    QBuffer buffer(&club.savedConfigBytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return;
    TConfigObj saved = TConfigObj::read(buffer);
    buffer.close();
    recompute(saved.printSettings);
    club.savedConfigBytes = saved.toBytes();
}

void dropMemberChanges(AppState& state)
{
    Club& club = state.club;
    if (!club.savedMembers)
        return;
    const std::optional<MemberList> edited = std::move(club.members);
    club.members = club.savedMembers;
    if (edited)
        club.members->continueIdsAfter(*edited);
    followMembers(state.matches, *club.members);
}

} // namespace tandemx
