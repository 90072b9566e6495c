#pragma once
// The word wrap of printed text, done here rather than by the platform so that the height a
// text is measured to take and the lines it is drawn in always agree.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Width of a piece of text in pixels.
using TTextWidthFunction = std::function<int(std::string_view)>;

// The text cut into the lines it prints as within `width` pixels. A carriage return (with the
// line feed after it) ends a line; a line grows word by word while it fits and is broken at
// the last blank inside it, the blank itself dropped; a line without a blank keeps its whole
// word even when it is too wide. An empty text is no line.
std::vector<std::string> WrapTextLines(std::string_view text, int width, const TTextWidthFunction& measure);

// The text cut at its line breaks only.
std::vector<std::string> SplitTextLines(std::string_view text);

// ";" stands for a line break in titles and page headers.
std::string SemicolonsToLineBreaks(std::string_view text);

}  // namespace tally
