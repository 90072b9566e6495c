#pragma once
// The results table's print columns, as every table output takes them.

#include "output/print_lists.h"

namespace tally {

class TResultsTable;

// The table's print columns, left to right (only the columns selected for printing when any
// is): headings as they are, the annotation column left aligned and wrapped, every other
// column right aligned on one line; the order key is the position in the list.
void FillTablePrintColumns(const TResultsTable& table, TPrintColPropList& list);

}  // namespace tally
