#pragma once
// Swapping two players by hand in the change grid (overview kind 5): the two clicks, the guide text,
// Enter, and the swap in the ScheduleTable, TimesPlayed and the PlayerCourtTable. No widgets: the
// overview window passes the clicked cells and writes back the cells this returns.
//
// The grid as the court schedule of kind 5 builds it: row 0 the captions; rows 1..F the players of the
// list shown first (F of them, in name order), row F + 1 the heading of the second list, then its
// players. Columns 0..3 hold number, first name, last name and "_"; column 3 + r holds the court code
// the player plays on in round r, or "-".
#include "engine/ScheduleTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace tandemx {
class Messages;
struct KeyData;
}

namespace tandemx::overviews {

constexpr int FirstRoundColumn = 4;

// One click: the trimmed cell text ("0" for an empty cell or "-", at most 12 characters) and the grid
// row.
struct ChangeSlot {
    std::string text = "0";
    int row = 0;
};

// A grid cell to rewrite after a swap.
struct CellUpdate {
    int row = 0;
    int column = 0;
    std::string text;
    bool operator==(const CellUpdate&) const = default;
};

// Court coding as the key data set it: codes are turned into court positions 1..courts.
struct CourtCoding {
    bool active = false;
    int courts = 0;
};
CourtCoding courtCoding(const KeyData& keyData);

// The slot text of a cell text.
std::string slotText(std::string_view cellText);

// The court position of a code: with coding active the first position 1..courts whose code it is, a
// code not found (and 0, sitting out) unchanged; without coding the code itself.
int courtPosition(const engine::ScheduleState& state, const CourtCoding& coding, int code);

// The swap of step "apply": players on grid rows slot1.row and slot2.row, round column `column`.
// Shows message 11, "Wijziging niet gelukt" or the "Wissel paar: " report as the case may be;
// returns the two cells to rewrite (empty when nothing changed).
std::vector<CellUpdate> applyChange(engine::ScheduleState& state, const CourtCoding& coding,
                                    const ChangeSlot& slot1, const ChangeSlot& slot2, int column,
                                    Messages& messages);

class ScheduleChange {
public:
    enum class Click {
        OutsideRounds, // columns 0..3: information, nothing else
        First,         // slot 1 taken, change state on
        Second,        // slot 2 taken in the same column, change state on
        OtherColumn,   // slot 2 in another column: message 10, change state off
    };

    // Opening an overview: change state off, counter 0.
    void reset();

    // A click on the cell at (row, column) holding cellText.
    Click click(int row, int column, std::string_view cellText, Messages& messages);

    // Enter in the grid with currentColumn the grid's current column. Does nothing while the change
    // state is off, and waits for the second click while only one was made. Otherwise switches the
    // change state off and, in a round column, makes the swap; returns the cells to rewrite.
    std::vector<CellUpdate> enter(int currentColumn, engine::ScheduleState& state, const CourtCoding& coding,
                                  Messages& messages);

    bool active() const { return active_; }
    int counter() const { return counter_; }
    int column() const { return column_; }
    const ChangeSlot& slot(int n) const { return slots_[n == 2 ? 1 : 0]; }
    // The text of the guide label BewerkTextLab; empty while it is hidden.
    const std::string& guideText() const { return guide_; }

private:
    bool active_ = false;
    int counter_ = 0;
    int column_ = 0;
    ChangeSlot slots_[2];
    std::string guide_;
};

} // namespace tandemx::overviews
