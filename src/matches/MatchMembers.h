#pragma once
// The score records of the matches belong to members, not to list positions. The match file stores
// them in member order and the matches in memory are indexed by position, so whenever the member list
// changes its order or its members, every match's records are carried along with their members; and
// a match file written for another order is put right by the club numbers its records hold.
#include "matches/MatchFile.h"
#include "records/MemberList.h"

namespace tandemx {

// Makes record p of every match belong to the member at position p of list again, whatever the list
// went through since the matches were last aligned with it (reordering, inserts, deletes): each
// member's records move with him, a new member gets fresh records in every match, a removed member's
// records go with him. Matches that were never aligned with the list are taken as they stand.
void followMembers(MatchData& data, const MemberList& list);

// Takes the matches as belonging to the members at their positions in list now (after reading them
// for this list or creating them).
void adoptMembers(MatchData& data, const MemberList& list);

// Writes each member's club number into his score record of every match, so that the file says whose
// records they are.
void stampClubNumbers(MatchData& data, const MemberList& list);

// Gives match m exactly list.count() + 1 score records for the members of list. Where the club numbers
// stored in the records agree with the members at their positions (0 stands for "not yet known" and
// agrees), the records stay where they are; otherwise each member gets the record with his club
// number (a number shared by two members or 0 finds nothing) and the others a fresh record.
// Returns true when the records were rearranged; *unattached counts the records that held scores but
// belong to no member of the list.
bool attachByClubNumber(TMatchCalcObj& m, const MemberList& list, int* unattached);

} // namespace tandemx
