// The table functions of a document: the assigned entries copied into the current table, and
// moving its current line and column. Nothing happens while the document has no table.

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "table/table_manager.h"

namespace tally {

void TCrossTapeCommands::CopyToTable() {
    if ((document_.EnabledParts() & DocumentPart::kTables) == 0) return;
    document_.TableManager().CopyEntriesToTable();
}

void TCrossTapeCommands::MoveInTable(std::string_view action) {
    if ((document_.EnabledParts() & DocumentPart::kTables) == 0) return;
    document_.TableManager().PerformAction(action);
}

}  // namespace tally
