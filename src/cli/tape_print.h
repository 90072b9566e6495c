#pragma once
// `tallyroll-cli tape --pdf FILE` and `--png-pages DIR`: the tape or the table --show names,
// printed as the window prints it, with its document's page layout and report properties:
// into a PDF file, or one PNG image per page as the print preview draws it.

#include <cstdio>
#include <string_view>

#include "cli/tape_show.h"

namespace tally {
class TStMediator;
}  // namespace tally

namespace tally::cli {

struct TPrintFiles {
    std::string_view PdfFile;    // none when empty
    std::string_view PngFolder;  // none when empty
};

// Shows the part in the document, then prints the visible part; the PNG files' names go to
// `out`, one a line. Returns the exit status.
int PrintToFiles(const TStMediator& applicationBus, TTlyFile& document, const TShowChoice& choice,
                 const TCalculator& typedTape, const TPrintFiles& files, std::FILE* out, std::FILE* err);

}  // namespace tally::cli
