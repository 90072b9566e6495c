#pragma once
// What may be typed into an entry cell: the test that a text is a valid beginning of an entry,
// and the key-at-caret check built on it.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// Whether a lower-case letter names a tape of the document ('t', 'm', 's' or an enabled
// auxiliary tape).
using TTapeLetterTest = std::function<bool(char letter)>;

// True when the text can still grow into an entry: an optional operator (one operator
// character, or a multiplicative operator followed by "-"), then nothing, a decimal number in
// progress, a time value in progress, a fraction in progress, or a line-reference command in
// progress ("c" or "l", an optional tape letter, digits). Thousand separators are ignored.
bool IsValidPartialEntry(std::string_view text, const TTapeLetterTest& isTapeLetter);

// A key is an entry character when it is an operator key, a digit, a separator, a fraction
// character, "c", "l" or a tape letter.
bool IsEntryCharacter(char key, const TTapeLetterTest& isTapeLetter);

// The text after the key replaces the selection at the caret.
std::string TextWithKeyAt(std::string_view text, int caret, int selectionLength, char key);

// The character to insert for a key typed at the caret: the key itself when the resulting text
// is a valid partial entry, else its stored operator character when that one is ("*" becomes
// "X"); nullopt when neither may be typed there. `operatorsAfterNumber` is the adding machine
// option, where an entry may not become an operator alone.
std::optional<char> KeyAllowedAt(char key, std::string_view text, int caret, int selectionLength,
                                 bool operatorsAfterNumber, const TTapeLetterTest& isTapeLetter);

}  // namespace tally
