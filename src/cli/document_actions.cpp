#include "cli/document_actions.h"

#include <algorithm>

#include "cli/cli_command.h"
#include "cli/tape_actions.h"
#include "documents/document_command_table.h"
#include "documents/file_document.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::cli {
namespace {

// The actions that take a name; the document's command table holds the others.
constexpr std::string_view kNewAuxTape = "NewAuxTape";
constexpr std::string_view kRemoveAuxTape = "RemoveAuxTape";
constexpr std::string_view kView = "View";

bool IsNamedAction(std::string_view name) { return name == kNewAuxTape || name == kRemoveAuxTape || name == kView; }

}  // namespace

bool IsDocumentAction(std::string_view actionText) {
    const std::string_view name = SplitAction(actionText).Name;
    return IsNamedAction(name) || FindDocumentCommand(name) != nullptr;
}

std::string CheckDocumentAction(std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    if (IsNamedAction(action.Name)) {
        return action.HasValue && !action.Value.empty() ? std::string() : "action " + shown + " needs a name";
    }
    return action.HasValue ? "action " + shown + " takes no value" : std::string();
}

void RunDocumentAction(TTlyFile& document, std::string_view actionText, std::FILE* err) {
    const TActionText action = SplitAction(actionText);
    if (action.Name == kNewAuxTape) {
        const std::string name = document.AddAuxTape();
        if (name.empty()) {
            WriteLine(err, "tallyroll-cli tape: no auxiliary tape is left to add");
            return;
        }
        document.AuxManager().SetLabel(document.TapeByName(name), std::string(action.Value));
    } else if (action.Name == kRemoveAuxTape) {
        // Removing a tape that a side calculation or a memory recall still needs is refused, with a beep.
        document.RemoveAuxTape(action.Value);
    } else if (action.Name == kView) {
        const auto tables = document.Tables();
        const bool exists = document.TapeByName(action.Value) != nullptr ||
                            std::any_of(tables.begin(), tables.end(),
                                        [&action](const auto& table) { return table.first == action.Value; });
        if (!exists) {
            WriteLine(err, "tallyroll-cli tape: the document has nothing called '" + std::string(action.Value) + "'");
            return;
        }
        // Leaving the visible page may be refused, with a beep.
        document.ShowByName(action.Value, true);
    } else {
        PerformDocumentCommand(document, action.Name);
    }
}

}  // namespace tally::cli
