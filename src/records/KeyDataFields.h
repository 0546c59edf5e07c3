#pragma once
// Taking the key-data dialog's fields over into a KeyData record: the conversion of the typed texts,
// the range checks with their messages and LastErrorState, the group-code rule and the option bits.
// Plain Qt Core so the rules are tested without windows.
#include "messages/Messages.h"
#include "records/KeyData.h"

#include <QString>

#include <array>

namespace tandemx {

// The tag of every control of the key-data dialog.
namespace KeyTag {
constexpr int ClubName = 1, ClubSize = 2, DoublesRounds = 3, MixedRounds = 4, Courts = 5, Group1 = 6,
              Group2 = 7, MaxMatches = 8, Games = 9, VeelWeinig = 10, Helpmess = 11, Baancode = 12;
constexpr int First = 1, Last = 12;
}

// Option bits edited by the dialog's three option boxes.
namespace KeyOption {
constexpr uint16_t CourtWarnings = 1, Progress = 2, CourtCoding = 4;
}

// What the dialog's controls hold: the texts of Edit1..Edit8 and the four check boxes.
struct KeyDataControls {
    std::array<QString, 8> edits;
    bool games = false;
    bool veelWeinig = false;
    bool helpmess = false;
    bool baancode = false;

    // Edit1..Edit8 by tag 1..8.
    QString& edit(int tag) { return edits.at(size_t(tag - 1)); }
    const QString& edit(int tag) const { return edits.at(size_t(tag - 1)); }

    // The controls as the dialog shows a record: Edit8 is empty while games are not kept.
    static KeyDataControls from(const KeyData& data);
};

// A typed number: trimmed, empty is 0, kept as its low 16 bits (sign-extended). isNumber is false
// for a text that is no whole number (the value is then 0).
int16_t keyDataNumber(const QString& text, bool* isNumber = nullptr);

class KeyDataFields {
public:
    KeyDataFields(KeyData& data, Messages& messages) : data_(data), messages_(messages) {}

    // Takes the control with this tag over into the record. With check, numbers are range-checked:
    // a failure beeps, shows its message and sets LastErrorState, and the value is stored all the
    // same. Group codes are always checked; a refused code keeps the old one.
    void takeField(int tag, const KeyDataControls& controls, bool check);
    // Tags 1..12 in order, without range checks.
    void takeAll(const KeyDataControls& controls);

    // Set when KeepGames went from 0 to 1: the match part only starts with the program.
    bool restartNeeded = false;

private:
    void takeNumber(int tag, const QString& text, bool check);
    void checkNumber(int tag, int value, const QString& text);
    void takeGroupCode(int tag, const QString& text);
    void setOption(uint16_t bit, bool on);

    KeyData& data_;
    Messages& messages_;
};

} // namespace tandemx
