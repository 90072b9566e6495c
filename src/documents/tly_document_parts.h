#pragma once
// What the ".tly" reader and writer need of a document: its tapes, tables, print settings and
// rounding method, reached by the names the file uses. The document implements it; the file
// code never sees the document's views or managers, so it can be tested against hand-wired
// tapes and a fresh document can be filled before it replaces the open one.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/series/series_arithmetic.h"

namespace tally {

class TCalculator;
class TResultsTable;
class TTapePageLayout;
class TWyn_ReportProperties;

class ITlyDocumentParts {
public:
    virtual ~ITlyDocumentParts() = default;

    virtual TCalculator& MainTape() = 0;
    // Null while that tape is disabled.
    virtual TCalculator* MemoryTape() = 0;
    virtual TCalculator* SideTape() = 0;
    // Enables the tape when it is not (an enabled one is kept as it is) and returns it.
    virtual TCalculator& EnableMemoryTape() = 0;
    virtual TCalculator& EnableSideTape() = 0;

    // In the auxiliary tape manager's order, each with its tape name ("Aux B").
    virtual std::vector<std::pair<std::string, TCalculator*>> AuxiliaryTapes() = 0;
    // Adds the tape without showing it. Null when refused: no tape left, the name taken,
    // reserved or malformed.
    virtual TCalculator* AddAuxiliaryTape(std::string_view tapeName) = 0;
    // The tape's label ("TapeLabel="): kept for auxiliary tapes, empty and ignored for others.
    virtual std::string TapeLabel(const TCalculator& tape) const = 0;
    virtual void SetTapeLabel(const TCalculator& tape, std::string label) = 0;

    // In the table manager's order, each with its table name ("Table A").
    virtual std::vector<std::pair<std::string, TResultsTable*>> Tables() = 0;
    // Adds the table without changing the tapes' shown columns. Null when refused (no table
    // left, the name taken or malformed).
    virtual TResultsTable* AddTable(std::string_view tableName) = 0;

    virtual TTapePageLayout& PageLayout() = 0;
    virtual TWyn_ReportProperties& TapeReportProps() = 0;
    virtual TWyn_ReportProperties& TableReportProps() = 0;

    virtual TRoundingMethod RoundingMethod() const = 0;
    virtual void SetRoundingMethod(TRoundingMethod method) = 0;

    // Called once all sections are read: every tape recomputes and redisplays its lines, links,
    // link columns and tables are refreshed, and the modified flags are cleared. Answers the
    // reason the content is refused (for example a stored circle of links), empty when it is
    // accepted.
    virtual std::string FinishLoad() = 0;
};

}  // namespace tally
