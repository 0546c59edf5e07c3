#include "matches/MatchMembers.h"

#include <unordered_map>

namespace tandemx {

namespace {

bool holdsScores(const TCalcObj& c)
{
    return c.Games != 0 || c.TotalGames != 0 || c.Sets != 0 || c.TotalSets != 0;
}

} // namespace

void adoptMembers(MatchData& data, const MemberList& list)
{
    for (TMatchCalcObj& m : data.MatchList)
        m.fitMemberCount(list.count());
    data.memberIds = list.ids();
    data.departed.clear();
}

void followMembers(MatchData& data, const MemberList& list)
{
    if (data.memberIds == list.ids())
        return;
    if (data.memberIds.empty()) {
        adoptMembers(data, list);
        return;
    }
    std::unordered_map<MemberId, size_t> before;
    for (size_t p = 1; p < data.memberIds.size(); ++p)
        before.emplace(data.memberIds[p], p);
    std::unordered_map<MemberId, size_t> now;
    for (int p = 1; p <= list.count(); ++p)
        now.emplace(list.id(p), size_t(p));
    // Those who left keep their records aside, in case they come back.
    for (const auto& [id, p] : before) {
        if (now.count(id))
            continue;
        std::vector<TCalcObj>& kept = data.departed[id];
        kept.clear();
        for (const TMatchCalcObj& m : data.MatchList)
            kept.push_back(p < m.calcs.size() ? m.calcs[p] : TCalcObj{});
    }
    const int members = list.count();
    for (size_t a = 0; a < data.MatchList.size(); ++a) {
        TMatchCalcObj& m = data.MatchList[a];
        std::vector<TCalcObj> calcs(size_t(members + 1));
        if (!m.calcs.empty())
            calcs[0] = m.calcs[0];
        for (int p = 1; p <= members; ++p) {
            const auto found = before.find(list.id(p));
            if (found != before.end()) {
                if (found->second < m.calcs.size())
                    calcs[size_t(p)] = m.calcs[found->second];
            } else if (const auto back = data.departed.find(list.id(p));
                       back != data.departed.end() && a < back->second.size()) {
                calcs[size_t(p)] = back->second[a];
            }
        }
        m.calcs = std::move(calcs);
    }
    for (int p = 1; p <= members; ++p)
        data.departed.erase(list.id(p));
    data.memberIds = list.ids();
}

void stampClubNumbers(MatchData& data, const MemberList& list)
{
    followMembers(data, list);
    for (TMatchCalcObj& m : data.MatchList)
        for (int p = 1; p <= list.count() && p < int(m.calcs.size()); ++p)
            m.calcs[size_t(p)].ClubNr = list.at(p).clubNr();
}

bool attachByClubNumber(TMatchCalcObj& m, const MemberList& list, int* unattached)
{
    const int members = list.count();
    const int stored = int(m.calcs.size()) - 1;
    int lost = 0;
    bool inPlace = true;
    for (int p = 1; p <= std::min(members, stored) && inPlace; ++p) {
        const int16_t nr = m.calcs[size_t(p)].ClubNr;
        inPlace = nr == 0 || nr == list.at(p).clubNr();
    }
    if (inPlace) {
        for (int q = members + 1; q <= stored; ++q)
            lost += holdsScores(m.calcs[size_t(q)]) ? 1 : 0;
        m.fitMemberCount(members);
        if (unattached)
            *unattached = lost;
        return false;
    }

    std::unordered_map<int16_t, int> memberCounts;
    for (int p = 1; p <= members; ++p)
        ++memberCounts[list.at(p).clubNr()];
    std::unordered_map<int16_t, int> recordOf; // club number -> first record that holds it
    for (int q = stored; q >= 1; --q)
        if (m.calcs[size_t(q)].ClubNr != 0)
            recordOf[m.calcs[size_t(q)].ClubNr] = q;

    std::vector<TCalcObj> calcs(size_t(members + 1));
    if (!m.calcs.empty())
        calcs[0] = m.calcs[0];
    std::vector<bool> used(size_t(stored + 1), false);
    for (int p = 1; p <= members; ++p) {
        const int16_t nr = list.at(p).clubNr();
        if (nr == 0 || memberCounts[nr] != 1)
            continue;
        const auto found = recordOf.find(nr);
        if (found == recordOf.end())
            continue;
        calcs[size_t(p)] = m.calcs[size_t(found->second)];
        used[size_t(found->second)] = true;
    }
    // A member whose number finds no record keeps the record at his own position when no member of
    // the list claims that record's number: his club number was changed after the file was written.
    for (int p = 1; p <= std::min(members, stored); ++p) {
        const int16_t nr = list.at(p).clubNr();
        const bool found = nr != 0 && memberCounts[nr] == 1 && recordOf.count(nr) != 0;
        const int16_t own = m.calcs[size_t(p)].ClubNr;
        if (found || used[size_t(p)] || own == 0 || memberCounts.count(own) != 0)
            continue;
        calcs[size_t(p)] = m.calcs[size_t(p)];
        used[size_t(p)] = true;
    }
    for (int q = 1; q <= stored; ++q)
        lost += !used[size_t(q)] && holdsScores(m.calcs[size_t(q)]) ? 1 : 0;
    m.calcs = std::move(calcs);
    if (unattached)
        *unattached = lost;
    return true;
}

} // namespace tandemx
