#pragma once
// The program's fixed message texts: the numbered message table, the state texts and the hint texts
// that input-error messages are composed from. Plain C++ so the engine can use them without Qt.
#include <string>

namespace tandemx {

constexpr int MessageTableSize = 45;
constexpr int StateTextCount = 16;
constexpr int HintTextCount = 6;

// Entry 0 is "". Out-of-range numbers give "".
const char* messageText(int number);
// State texts 0..15; out of range gives "".
const char* stateText(int index);
// Hint texts 0..5. Index 8 (asked by a few checks) and any other out-of-range index give hint 5.
const char* hintText(int index);

// The round text of round messages: the message of entry number + 21, with " in ronde :" and the
// round right-aligned in two characters for rounds 1..20, without it for round 0, and empty above 20;
// a prefix number other than 0 puts entry prefix + 21 in front.
std::string composeRoundMessage(int prefixNumber, int number, int round);

// Composed input error: text + state text + "\n\r" + hint text.
std::string composeInputError(const std::string& text, int state, int hint);

} // namespace tandemx
