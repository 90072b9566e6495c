#pragma once
// The document's commands by their action names, for every front end: the parts it enables, the
// memory, side tape and table functions, and the steps of recalling a memory entry. The window's
// menus and `tallyroll-cli tape` both run them through this table.

#include <span>
#include <string_view>

namespace tally {

class TTlyFile;

enum class TDocumentCommandGroup { Parts, Memory, SideTape, Table, Recall };

struct TDocumentCommand {
    std::string_view Name;
    TDocumentCommandGroup Group;
    void (*Run)(TTlyFile&);
};

std::span<const TDocumentCommand> DocumentCommands();
// Null for a name the table does not hold.
const TDocumentCommand* FindDocumentCommand(std::string_view name);
// Runs the command, removes links the command broke and lets the pages show the result; false
// for an unknown name.
bool PerformDocumentCommand(TTlyFile& document, std::string_view name);

}  // namespace tally
