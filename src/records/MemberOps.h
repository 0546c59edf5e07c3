#pragma once
// Operations on the member list that the member grid and the member dialog share: the sorts, the
// shuffle, the active counts per group, the checks of typed group and Actie codes, copying a grid row
// back into its record, the Actie normalisation and the duplicate check. Qt Core only.
#include "records/KeyData.h"
#include "records/MemberList.h"

#include <QStringList>
#include <QTime>

#include <cstdint>

namespace tandemx {

class Messages;

// Sort kinds of "Sorteren op".
namespace SortKind {
constexpr int ClubNr = 1, Voornaam = 2, Achternaam = 3, Group = 4;
}

// ASCII-only upper-casing of stored bytes and of typed text.
QByteArray asciiUpper(QByteArray bytes);
QString asciiUpperText(QString text);
// Byte-wise comparison of stored strings: a prefix sorts before the longer string.
int compareBytes(QByteArrayView a, QByteArrayView b);

// The key a name sort orders a member by (kinds 2 and 3); the tie-break is the other name's first
// 24 bytes. Kind 2: upper-cased group + first name, cut to 24; "zzzz" stands in for an empty first
// name. Kind 3: the group's first character upper-cased + last name, likewise.
QByteArray nameSortKey(const TLedenObj& r, int kind);

// Reorders members 1..count(); the header stays at position 0. Unknown kinds do nothing.
void sortMembers(MemberList& list, int kind);

// The shuffle's generator: seed = seed * 134775813 + 1 (mod 2^32), a draw below n is the new seed
// times n divided by 2^32.
class ShuffleRandom {
public:
    explicit ShuffleRandom(uint32_t seed) : seed_(seed) {}
    uint32_t below(uint32_t n)
    {
        seed_ = seed_ * 134775813u + 1u;
        return uint32_t((uint64_t(seed_) * n) >> 32);
    }
    uint32_t seed() const { return seed_; }

private:
    uint32_t seed_;
};

inline uint32_t shuffleSeed(const QTime& timeOfDay) { return uint32_t(timeOfDay.msecsSinceStartOfDay()); }

// For every position i exchanges member i with a drawn partner j (0 < j < count, j != i). A list with
// fewer than 3 members has no valid partner for every i: it is left as it is and false is returned.
bool shuffleOrder(MemberList& list, uint32_t seed);
// The shuffle: shuffleOrder, then the sort by group.
bool shuffleMembers(MemberList& list, uint32_t seed);

struct ActiveCounts {
    int group1 = 0;
    int group2 = 0;
};
// Members whose Actie is active, counted by group (Grp trimmed and upper-cased against the codes).
ActiveCounts countActive(const MemberList& list, const KeyData& keyData);

// The caption of a counter: "Heren"/"Dames" for the codes H and D, else "Groep " + code as stored.
QString groupCaption(const KeyData& keyData, int group);

// True when grp (trimmed, upper-cased) is one of the two group codes.
bool isGroupCode(const QString& grp, const KeyData& keyData);
// Group check of the grid: a group code, or empty for a member whose Actie is "-".
bool isValidGridGroup(const QString& grp, const QString& actie, const KeyData& keyData);
// Group check of the member dialog: a group code or empty.
bool isValidDialogGroup(const QString& grp, const KeyData& keyData);
// Actie check: any code whose trimmed length is not 1; a single character must be one of
// "-", "1".."9", "A".."I", "X" (upper-cased first).
bool isValidActie(const QString& actie);

// Columns of the two grid views.
namespace GridCol {
constexpr int Ix = 0, ClubNr = 1, Voornaam = 2, Achternaam = 3, Grp = 4, Actie = 5, Opmerking = 6;
constexpr int Straat = 4, Postcode = 5, Plaats = 6, Telefoon = 7;
}
QStringList gridTitles(bool addressView);
QList<int> gridColumnWidths(bool addressView);
// The cells of one grid row, from its record.
QStringList gridCells(const TLedenObj& r, bool addressView);

// Copies the cells of grid row `row` into its record, checking the club number, group and Actie with
// their messages; the cells the checks change are rewritten. Returns false when the Ix or club
// number cell is not a number (reported); the row is then copied no further.
bool copyBackCells(TLedenObj& r, QStringList& cells, int row, bool addressView, const KeyData& keyData,
                   Messages& messages);

// The Actie normalisation of copying back all rows: first byte upper-cased; a three-character code
// with its second byte above '2' gets '2' there (returns true); a one-character code gets blanks in
// the bytes of the second and third character.
bool normaliseActie(TLedenObj& r);

// A fresh member record.
TLedenObj makeMemberRecord(int ix, int clubNr, const QByteArray& grp, const QByteArray& actie);

enum class DuplicateMark { None, Number, Name };
struct Duplicate {
    DuplicateMark mark = DuplicateMark::None;
    int position = 0;
};
// The member dialog's check of a record against members 1..count() (skipPosition skipped, 0 for none).
Duplicate findDuplicate(const MemberList& list, const TLedenObj& r, int skipPosition);
// The warning for a mark.
QString duplicateWarning(DuplicateMark mark, const TLedenObj& r);

// A typed integer of 16 bits: trimmed decimal text in -32768..32767.
bool parseInt16(const QString& text, int16_t* value);

} // namespace tandemx
