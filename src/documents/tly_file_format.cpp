#include "documents/tly_file_format.h"

#include <cstring>

namespace tally::tly {

namespace {

constexpr std::string_view kCrLfMark = "<CR*LF>";
constexpr std::string_view kCrMark = "<CR>";
constexpr std::string_view kLfMark = "<LF>";
constexpr std::string_view kLtMark = "<LT>";

bool StartsWithMark(std::string_view text) {
    return text.starts_with(kCrLfMark) || text.starts_with(kCrMark) || text.starts_with(kLfMark) ||
           text.starts_with(kLtMark);
}

}  // namespace

std::string CompanionHeader(std::string_view prefix, TCompanionSection section, bool auxTape) {
    const std::size_t index = static_cast<std::size_t>(section);
    std::string header = "[";
    header.append(prefix);
    header.append(auxTape ? kAuxTapeSuffixes[index] : kCompanionSuffixes[index]);
    header.push_back(']');
    return header;
}

char ColumnLetter(TTapeColumn column) { return kColumnLetters[static_cast<std::size_t>(column)]; }

std::optional<TTapeColumn> ColumnOfLetter(char letter) {
    const std::size_t kind = kColumnLetters.find(letter);
    if (kind == std::string_view::npos || kind == 6) return std::nullopt;
    return static_cast<TTapeColumn>(kind);
}

void AppendEscaped(std::string& out, std::string_view value) {
    if (value.find_first_of("\r\n<") == std::string_view::npos) {
        out.append(value);
        return;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') {
            out.append(kCrLfMark);
            ++i;
        } else if (c == '\r') {
            out.append(kCrMark);
        } else if (c == '\n') {
            out.append(kLfMark);
        } else if (c == '<' && StartsWithMark(value.substr(i))) {
            out.append(kLtMark);
        } else {
            out.push_back(c);
        }
    }
}

std::string Unescape(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size();) {
        const std::string_view rest = value.substr(i);
        if (value[i] != '<') {
            const std::size_t next = rest.find('<');
            const std::size_t length = next == std::string_view::npos ? rest.size() : next;
            text.append(rest.substr(0, length));
            i += length;
        } else if (rest.starts_with(kCrLfMark)) {
            text.append("\r\n");
            i += kCrLfMark.size();
        } else if (rest.starts_with(kCrMark)) {
            text.push_back('\r');
            i += kCrMark.size();
        } else if (rest.starts_with(kLfMark)) {
            text.push_back('\n');
            i += kLfMark.size();
        } else if (rest.starts_with(kLtMark)) {
            text.push_back('<');
            i += kLtMark.size();
        } else {
            text.push_back('<');
            ++i;
        }
    }
    return text;
}

}  // namespace tally::tly
