#pragma once
// Printing a tape that no document holds yet (the desktop window's tape, the command-line
// tool's): it prints as the main tape of an untitled document with the default page layout.

#include <string>

#include "output/print_job.h"

namespace tally {

class TCalculator;
struct TReportSettings;

// The footer names the file name given (none when empty).
TPrintJobResult PrintStandaloneTape(const TCalculator& tape, IPrinter& printer, const TReportSettings& settings,
                                    const std::string& fileName);

}  // namespace tally
