#pragma once
// Comma text: the one quoting convention for property lists (tape lines, table rows and
// columns). A list of texts is written as items separated by commas; items holding a blank,
// a control character, a double quote or a comma are quoted with inner quotes doubled.

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Writes the items as comma text; an empty list gives the empty text. An empty last item is
// written as two double quotes (so a list of one empty item is ""), because an unquoted empty
// item after the final comma would not read back.
std::string CommaTextFromItems(const std::vector<std::string>& items);

// Reads comma text into its items. Characters 1..32 around items are skipped, two commas in
// a row give an empty item, and a quoted item whose closing quote is missing runs to the end
// of the text.
std::vector<std::string> ItemsFromCommaText(std::string_view text);

// NAME=value items. Names compare case-insensitively (ASCII); the first match counts.
// An item without "=" is not a pair and is never matched.
std::string_view ValueOfName(const std::vector<std::string>& items, std::string_view name);

// Replaces the value of the first pair with that name, or appends NAME=value when there is
// none; an empty value removes the first pair with that name.
void SetValueOfName(std::vector<std::string>& items, std::string_view name, std::string_view value);

// Splits "NAME=value" at its first "="; false when the item holds no "=".
bool SplitNameValue(std::string_view item, std::string_view& name, std::string_view& value);

// ASCII case-insensitive comparison of two names.
bool SameName(std::string_view a, std::string_view b);

}  // namespace tally
