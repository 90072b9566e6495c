#pragma once
// What a tape's printed pages and its written documents (HTML, word processor) take from the
// tape alike: the print columns the page layout walks, a line's text in a column, the notes as
// one text, and headings that line up at the bottom.

#include <string>
#include <vector>

#include "output/print_lists.h"

namespace tally {

class TLineStore;
class TTapePageLayout;

// The page layout's print columns in print order, each with its heading, alignment, wrap and
// links flags; width and offset are left for the page to measure.
TPrintColPropList TapePrintColumns(TTapePageLayout& layout);

// The text of the line in the column of that kind; the Line column numbers lines from 1.
std::string TapeCellText(const TLineStore& lines, LineIndex line, TTapeColumn kind);

// The note lines as one text: an empty note line gives a line break, a note line that ends with
// a blank runs on into the next, any other is followed by a line break.
std::string JoinNoteLines(const std::vector<std::string>& noteLines);

// Puts line breaks in front of every heading with fewer lines than the tallest, so that all
// have as many lines and line up at the bottom; answers that number of lines.
int AlignHeadingsAtBottom(TPrintColPropList& columns);

}  // namespace tally
