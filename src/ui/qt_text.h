#pragma once
// Conversion between the program's Windows-1252 texts and QString, used wherever a text
// crosses into or out of Qt.

#include <QString>

#include <string>
#include <string_view>

namespace tally {

// Every byte has a character, so this never fails.
QString ToQString(std::string_view cp1252);

// The Windows-1252 bytes of the text. A character without a Windows-1252 form refuses the
// whole text: the result is empty and `ok` (when given) is false.
std::string FromQString(const QString& text, bool* ok = nullptr);

}  // namespace tally
