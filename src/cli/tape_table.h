#pragma once
// The table actions `tallyroll-cli tape` runs on the document's results table as [Table:Name]
// (and [Table:Name=value]).
//
//   [Table:Cell=C,R]              puts the table's current cell at column C, row R
//   [Table:Decimals=N]            total decimals of the current column
//   [Table:ShowColTotal=on|off]   and EnableAnnots, ShowLineNums
//   [Table:CopyToTable] ...       every other table command by its action name

#include <string>
#include <string_view>

namespace tally {
class TTableManager;
}

namespace tally::cli {

bool IsTableAction(std::string_view actionText);
// Why the table action cannot run; empty when it can.
std::string CheckTableAction(std::string_view actionText);

// Runs an action that passed CheckTableAction on the current table; nothing without one.
void RunTableAction(TTableManager& manager, std::string_view actionText);

}  // namespace tally::cli
