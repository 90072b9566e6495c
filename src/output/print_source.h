#pragma once
// What a print or print preview command prints: a tape with its Links prefixes or a results
// table, with its document's page layout and report properties. A job runs on the printer
// that prints, with the document's report settings (orientation, font, margins) carried over
// to that printer's pixels.

#include "output/table_page_composer.h"
#include "output/tape_page_composer.h"

namespace tally {

struct TPrintSource {
    bool IsTable = false;
    const TCalculator* Tape = nullptr;
    // Null for a table kind without a table: one empty page is printed.
    const TResultsTable* Table = nullptr;
    TTapePageLayout* Layout = nullptr;
    // The document's report properties of the kind printed.
    const TWyn_ReportProperties* ReportProps = nullptr;
    TLinkPrefixes Prefixes;
    // Answers "FileMgr_GetVisibleFileName" for the footer.
    const TStMediator* FileNameBus = nullptr;
};

// Failed without a tape (for a tape) or a page layout.
TPrintJobResult PrintSource(const TPrintSource& source, IPrinter& printer);
// Opens the preview of the source's pages as the printer prints them; false (nothing shown)
// without a tape or a page layout.
bool PreviewSource(const TPrintSource& source, IPrinter& printer, IPrintPreview& preview);

}  // namespace tally
