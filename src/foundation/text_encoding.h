#pragma once
// Windows-1252 <-> Unicode. Internal texts are Windows-1252 bytes (DESIGN.md, Text); these are
// the one pair of conversions used at the boundaries (Qt strings, UTF-8 output, arguments).
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control characters of the same value, as Windows does, so every byte round-trips.

#include <string>
#include <string_view>

namespace tally {

// The Unicode code point of a Windows-1252 byte.
char32_t Windows1252ToUnicode(unsigned char byte) noexcept;

// The Windows-1252 byte of a code point; false when it has none.
bool UnicodeToWindows1252(char32_t codePoint, char& byte) noexcept;

// Appends the code point's UTF-8 bytes.
void AppendUtf8(std::string& out, char32_t codePoint);

std::string Windows1252ToUtf8(std::string_view text);

// Converts UTF-8 to Windows-1252. A character without a Windows-1252 form, or a malformed
// UTF-8 sequence, becomes `replacement`; `lossless` (when given) tells whether none did.
std::string Utf8ToWindows1252(std::string_view utf8, char replacement = '?', bool* lossless = nullptr);

// The text with every malformed UTF-8 sequence replaced by U+FFFD, for bytes that should be
// UTF-8 (a file name) on their way into a UTF-8 output.
std::string ValidUtf8(std::string_view bytes);

// A file name, which is the system's bytes (UTF-8 here), as a text of the program to quote in a
// message: Windows-1252, with "?" for a character it lacks.
inline std::string FileNameText(std::string_view systemName) { return Utf8ToWindows1252(systemName); }

}  // namespace tally
