#pragma once
// Printing into files with Qt's PDF printer on the locale's paper size: a PDF of the printed
// pages, or one PNG image per page as the print preview draws it. The header is free of Qt, so
// the command-line tool includes it; when no Qt application runs, one is started on the
// offscreen platform for the time of the call.

#include <string>
#include <vector>

#include "output/print_source.h"

namespace tally {

// The PDF replaces the file only once it is complete; a failed job leaves the old file.
TPrintJobResult PrintToPdf(const TPrintSource& source, const std::string& pdfPathUtf8);

// The screen resolution the PNG pages are drawn at: the zoomed preview at 96 dots per inch.
inline constexpr int kPngPagesDpi = 96;

struct TPngPages {
    TPrintJobResult Result = TPrintJobResult::Printed;
    std::vector<std::string> Files;  // the pages written, in order
    std::string Failure;             // why a page could not be written
};

// "page-1.png", "page-2.png", ... in the folder (made when missing), each written whole or not
// at all. A job the composer refuses writes no page.
TPngPages WritePngPages(const TPrintSource& source, const std::string& folderUtf8);

}  // namespace tally
