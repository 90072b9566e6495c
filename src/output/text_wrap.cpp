#include "output/text_wrap.h"

namespace tally {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Skips the line break at `at`: a carriage return, a line feed, or the two together.
std::size_t SkipLineBreak(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
    return at;
}

// The end of the next word from `at`: the blanks before it, then up to a blank or line end.
std::size_t NextWordEnd(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ') ++at;
    while (at < text.size() && text[at] != ' ' && !IsLineEnd(text[at])) ++at;
    return at;
}

}  // namespace

std::vector<std::string> WrapTextLines(std::string_view text, int width, const TTextWidthFunction& measure) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsLineEnd(text[at])) {
            lines.emplace_back();
            at = SkipLineBreak(text, at);
            continue;
        }
        const std::size_t start = at;
        std::size_t end = start;  // the end of what the line holds so far
        for (;;) {
            const std::size_t wordEnd = NextWordEnd(text, end);
            if (end != start && measure(text.substr(start, wordEnd - start)) > width) {
                // Too wide: break at the blank before the word and drop that blank.
                lines.emplace_back(text.substr(start, end - start));
                at = end + 1;
                break;
            }
            end = wordEnd;
            if (end == text.size() || IsLineEnd(text[end])) {
                lines.emplace_back(text.substr(start, end - start));
                at = SkipLineBreak(text, end);
                break;
            }
        }
    }
    return lines;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    return WrapTextLines(text, 0, [](std::string_view) { return 0; });
}

std::string SemicolonsToLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == ';') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace tally
