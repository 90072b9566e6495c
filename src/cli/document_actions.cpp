#include "cli/document_actions.h"

#include <algorithm>

#include "cli/cli_command.h"
#include "cli/tape_actions.h"
#include "documents/file_document.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::cli {
namespace {

constexpr std::string_view kEnableMemory = "EnableMemory";
constexpr std::string_view kEnableSideTape = "EnableSideTape";
constexpr std::string_view kEnableTable = "EnableTable";
constexpr std::string_view kNewAuxTape = "NewAuxTape";
constexpr std::string_view kView = "View";

}  // namespace

bool IsDocumentAction(std::string_view actionText) {
    const std::string_view name = SplitAction(actionText).Name;
    return name == kEnableMemory || name == kEnableSideTape || name == kEnableTable || name == kNewAuxTape ||
           name == kView;
}

std::string CheckDocumentAction(std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    if (action.Name == kNewAuxTape || action.Name == kView) {
        return action.HasValue && !action.Value.empty() ? std::string() : "action " + shown + " needs a name";
    }
    return action.HasValue ? "action " + shown + " takes no value" : std::string();
}

void RunDocumentAction(TTlyFile& document, std::string_view actionText, std::FILE* err) {
    const TActionText action = SplitAction(actionText);
    if (action.Name == kEnableMemory) {
        document.EnableMemory(true);
    } else if (action.Name == kEnableSideTape) {
        document.EnableSide(true);
    } else if (action.Name == kEnableTable) {
        if (document.Tables().empty() && document.AddTableNamed().empty()) {
            WriteLine(err, "tallyroll-cli tape: no table can be added");
        }
    } else if (action.Name == kNewAuxTape) {
        const std::string name = document.AddAuxTape();
        if (name.empty()) {
            WriteLine(err, "tallyroll-cli tape: no auxiliary tape is left to add");
            return;
        }
        document.AuxManager().SetLabel(document.TapeByName(name), std::string(action.Value));
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
    }
}

}  // namespace tally::cli
