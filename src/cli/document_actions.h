#pragma once
// The document actions `tallyroll-cli tape` runs by name in square brackets: every command of
// the document's command table ([EnableMemory], [MemPlusTotal], [BeginSide], [CopyToTable], ...)
// and the ones that take a name:
//
//   [NewAuxTape=LABEL]    adds the next auxiliary tape with that label and shows it
//   [RemoveAuxTape=NAME]  removes the auxiliary tape "Aux A", ...
//   [View=NAME]           shows the tape or table the View menu calls NAME ("Tape", "Memory",
//                         "Side Tape", "Aux A", "Table A")
//
// Keys are then typed into the visible tape (the main tape while the table is visible).

#include <cstdio>
#include <string>
#include <string_view>

namespace tally {
class TTlyFile;
}

namespace tally::cli {

bool IsDocumentAction(std::string_view actionText);
// Why the action text cannot run; empty when it can.
std::string CheckDocumentAction(std::string_view actionText);
// Runs an action that passed CheckDocumentAction; what cannot be done is written to `err`.
void RunDocumentAction(TTlyFile& document, std::string_view actionText, std::FILE* err);

}  // namespace tally::cli
