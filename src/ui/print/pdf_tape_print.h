#pragma once
// Printing a tape into a PDF file with Qt's PDF printer. The header is free of Qt, so the
// command-line tool includes it; when no Qt application runs, one is started on the offscreen
// platform for the time of the call.

#include <string>

#include "output/print_job.h"

namespace tally {

class TCalculator;
struct TReportSettings;

// The footer names `fileName`; the PDF goes to `pdfPathUtf8` on the locale's paper size.
TPrintJobResult PrintTapeToPdf(const TCalculator& tape, const TReportSettings& settings, const std::string& fileName,
                               const std::string& pdfPathUtf8);

}  // namespace tally
