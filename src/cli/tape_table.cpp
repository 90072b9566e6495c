#include "cli/tape_table.h"

#include <charconv>
#include <optional>

#include "cli/cli_command.h"
#include "cli/tape_actions.h"
#include "table/table_manager.h"

namespace tally::cli {
namespace {

constexpr std::string_view kPrefix = "Table:";

TActionText SplitTableAction(std::string_view text) { return SplitAction(text.substr(kPrefix.size())); }

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

struct TCellPlace {
    int Column = 0;
    int Row = 0;
};

std::optional<TCellPlace> CellPlace(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<int> column = WholeNumber(text.substr(0, comma));
    const std::optional<int> row = WholeNumber(text.substr(comma + 1));
    if (!column || !row) return std::nullopt;
    return TCellPlace{*column, *row};
}

constexpr std::string_view kCell = "Cell";
constexpr std::string_view kDecimals = "Decimals";

}  // namespace

bool IsTableAction(std::string_view actionText) { return actionText.starts_with(kPrefix); }

std::string CheckTableAction(std::string_view actionText) {
    const TActionText action = SplitTableAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    if (action.Name == kCell) {
        return CellPlace(action.Value) ? std::string() : "action " + shown + " needs a column and a row: C,R";
    }
    if (action.Name == kDecimals) {
        return WholeNumber(action.Value) ? std::string() : "action " + shown + " needs a whole number";
    }
    if (!TTableManager::IsActionName(action.Name)) return "unknown action " + shown;
    if (TTableManager::IsOnOffAction(action.Name)) {
        return action.Value == "on" || action.Value == "off" ? std::string()
                                                             : "action " + shown + " needs on or off";
    }
    return action.HasValue ? "action " + shown + " takes no value" : std::string();
}

void RunTableAction(TTableManager& manager, std::string_view actionText) {
    const TActionText action = SplitTableAction(actionText);
    TResultsTable* table = manager.CurrentTable();
    if (table == nullptr) return;
    if (action.Name == kCell) {
        const TCellPlace place = *CellPlace(action.Value);
        table->SetCurrentCell(place.Column, place.Row);
    } else if (action.Name == kDecimals) {
        manager.SetCurrentColumnDecimals(*WholeNumber(action.Value));
    } else {
        manager.PerformAction(action.Name, action.Value == "on");
    }
}

}  // namespace tally::cli
