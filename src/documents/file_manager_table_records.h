#pragma once
// The records the window reads before it shows the table's Edit and Configure Table menus, and
// before it sends a command that throws tape lines away: what those lines feed into the table.
// Each starts at the values that hold when there is no table to ask.

#include <string>

#include "foundation/mediator.h"

namespace tally {

// The answer of "FileMgr_GetEditTableMenuDecisionInfo", for the current table's current column.
class TMedFileMgr_EditTableMenuDecisionInfo : public TMedRecord {
public:
    // The table has an annotation column and the focus is in it.
    bool FocusInAnnotationColumn = false;
    bool FocusInDataColumnOfFilledTable = false;
    bool ColumnHasColumnId = false;
};

// The answer of "FileMgr_GetConfigTableMenuDecisionInfo".
class TMedFileMgr_ConfigTableMenuDecisionInfo : public TMedRecord {
public:
    bool ColumnShowsTotal = false;
    // There is no table, or it has no data column.
    bool TableUndefined = true;
    bool HasAnnotationColumn = false;
    bool HasLineNumberColumn = false;
    // "DE", "T2", "T3", or empty when the column shows no total.
    std::string ColumnTotalType;
};

// The answer of "FileMgr_GetCurrentSeriesState", for the current tape's focus line. A line
// "feeds the table" when it is assigned to a table column that holds data.
class TMedFileMgr_SeriesStateVariables : public TMedRecord {
public:
    // A line of the series (inside an embedded series: of its content lines) feeds the table.
    bool SeriesFeedsTable = false;
    // Inside an embedded series: its external total line, or the total that deleting it would
    // take along, feeds the table.
    bool ExternalTotalFeedsTable = false;
    bool HasSingleEntry = false;
    bool InEmbeddedSeries = false;
    bool InGroupOrGrandTotalSeries = false;
    // "leading" or "trailing", " (at line n)": where that total stands, when it is assigned to
    // a table column; empty otherwise.
    std::string AdjacentTotalText;
};

// The answer of "FileMgr_GetCurrentTapeLineState", for the current tape's focus line.
class TMedFileMgr_TapeLineStateVariables : public TMedRecord {
public:
    // The embedded series that ends just above the focus line has a content line feeding the
    // table.
    bool EmbeddedAboveFeedsTable = false;
    // The focus line (for a separator line, the total line below it) feeds the table.
    bool LineFeedsTable = false;
    // The total that deleting the focus line would take along feeds the table.
    bool AdjacentTotalFeedsTable = false;
    // The focus line is an embedded series' external total line.
    bool ExternalTotalLine = false;
    bool LastLine = false;
    // "leading" or "trailing": where that total stands, when it is assigned to a table column.
    std::string AdjacentTotalPosition;
};

}  // namespace tally
