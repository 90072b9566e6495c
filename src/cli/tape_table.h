#pragma once
// The results table of `tallyroll-cli tape`: a table manager wired to the typed tape, the
// table actions the key script runs as [Table:Name] (and [Table:Name=value]), and the table
// printed in the tab-separated layout of the table text export.
//
//   [Table:Cell=C,R]              puts the table's current cell at column C, row R
//   [Table:Decimals=N]            total decimals of the current column
//   [Table:ShowColTotal=on|off]   and EnableAnnots, ShowLineNums
//   [Table:CopyToTable] ...       every other table command by its action name

#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/mediator.h"
#include "platform/clipboard.h"
#include "table/table_manager.h"

namespace tally {
class TCalculator;
}

namespace tally::cli {

bool IsTableAction(std::string_view actionText);
// Why the table action cannot run; empty when it can.
std::string CheckTableAction(std::string_view actionText);

class TCliTable {
public:
    TCliTable(TStMediator& documentBus, TCalculator& tape);
    // Runs an action that passed CheckTableAction.
    void Run(std::string_view actionText);
    // After a tape edit, as the document does: columns whose lines are gone are deleted.
    void AfterTapeEdit() { manager_.RemoveUnassignedColumns(); }
    // The table's text export lines; nothing when the table has no data.
    void Print(std::FILE* out) const;

private:
    HeadlessClipboard clipboard_;
    TTableManager manager_;
};

}  // namespace tally::cli
