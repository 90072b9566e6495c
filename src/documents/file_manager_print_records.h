#pragma once
// The records of the file manager's page layout, print and print preview commands. Each starts
// at the values it keeps when there is no document to ask.

#include <cstdint>
#include <string>

#include "documents/file_document.h"
#include "foundation/mediator.h"
#include "output/print_source.h"

namespace tally {

class TAuxiliaryCalculatorManager;
class TPrintColPropList;
class TResultsTable;
class TTableManager;
class TTapePageLayout;
class TWyn_ReportProperties;

// The answer of "FileMgr_GetPrintPreviewFormInfo".
class TMedFileMgr_PrintPreviewFormInfo : public TMedRecord {
public:
    std::string FileName;
    // The visible tape, or the current table while a table is visible.
    std::string VisibleName;
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
};

// The answer of "FileMgr_GetVisibleDocPrintParams": what printing the visible page needs.
class TMedVisibleDocPrintParams : public TMedRecord {
public:
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
    // The visible tape or table: the table while a table is visible (null when the document has
    // none), the tape otherwise.
    TCalculator* Tape = nullptr;
    TResultsTable* Table = nullptr;
    TTapePageLayout* PageLayout = nullptr;
    // The table's report properties while a table is visible, the tapes' otherwise.
    TWyn_ReportProperties* ReportProps = nullptr;
    // The Links cell prefixes, and the text the Links column is made wide enough for.
    std::string UsedAtLinePrefix;
    std::string FromLinePrefix;
    std::string LinksSampleText;
    // The main tape's Entries column among its shown columns.
    std::int32_t EntriesColumn = 0;
};

// The answer of "FileMgr_GetPageLayoutFormParams": what the page layout dialog edits.
class TMedPageLayoutFormParams : public TMedRecord {
public:
    TCalculator* CurrentTape = nullptr;
    TCalculator* MainTape = nullptr;
    TCalculator* MemoryTape = nullptr;
    TCalculator* SideTape = nullptr;
    TTableManager* TableManager = nullptr;
    TAuxiliaryCalculatorManager* AuxManager = nullptr;
    TTapePageLayout* PageLayout = nullptr;
    TWyn_ReportProperties* TapeReportProps = nullptr;
    TWyn_ReportProperties* TableReportProps = nullptr;
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
    std::string FileName;
};

// The In record of "FileMgr_FillCurrTablePrintColPropList": the list the current table's print
// columns are put into.
class TMedPrintColPropList : public TMedRecord {
public:
    TPrintColPropList* List = nullptr;
};

// What the print and print preview commands print: the visible tape or table of the visible
// document, as "FileMgr_GetVisibleDocPrintParams" on the application bus answers, with that
// bus for the footer's file name. Without an answer the source has no page layout and prints
// nothing.
TPrintSource VisiblePrintSource(const TStMediator& applicationBus);

}  // namespace tally
