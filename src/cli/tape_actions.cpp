#include "cli/tape_actions.h"

#include <charconv>
#include <optional>

#include "engine/decimals/tape_decimals.h"
#include "engine/series/series_arithmetic.h"
#include "engine/tape/calculator.h"
#include "links/tape_edit_actions.h"

namespace tally::cli {

TActionText SplitAction(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {text, {}, false};
    return {text.substr(0, equals), text.substr(equals + 1), true};
}

namespace {

std::optional<int> DecimalPlacesValue(std::string_view value) {
    int decimals = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), decimals);
    if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return decimals;
}

std::optional<TRoundingMethod> RoundingValue(std::string_view value) {
    if (value == "up") return TRoundingMethod::Up;
    if (value == "even") return TRoundingMethod::Even;
    return std::nullopt;
}

constexpr std::string_view kDecimalPlaces = "SpecifyTapeDecimalPlaces";
constexpr std::string_view kTotalType = "SpecifyTapeTotalType";
constexpr std::string_view kRounding = "SetRoundingMethod";

}  // namespace

std::string CheckTapeAction(std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    if (IsTapeEditAction(action.Name)) {
        return action.HasValue ? "action " + shown + " takes no value" : std::string();
    }
    const bool valued = action.Name == kDecimalPlaces || action.Name == kTotalType || action.Name == kRounding;
    if (!valued) return "unknown action " + shown;
    if (!action.HasValue) return "action " + shown + " needs a value after \"=\"";
    // Decimal places outside 0..15 and unknown total types reach the tape, which refuses them
    // with its own explanation; only values that are not of the right form are errors here.
    if (action.Name == kDecimalPlaces && !DecimalPlacesValue(action.Value)) {
        return "action " + shown + " needs a whole number";
    }
    if (action.Name == kRounding && !RoundingValue(action.Value)) {
        return "action " + shown + " needs up or even";
    }
    return {};
}

void RunTapeAction(TCalculator& tape, TLinkManager& links, std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    if (IsTapeEditAction(action.Name)) {
        RunTapeEditAction(tape, links, action.Name);
    } else if (action.Name == kDecimalPlaces) {
        SpecifyTapeDecimalPlaces(tape, *DecimalPlacesValue(action.Value));
    } else if (action.Name == kTotalType) {
        SpecifyTapeTotalType(tape, action.Value);
    } else if (action.Name == kRounding) {
        ChangeRoundingMethod(tape, *RoundingValue(action.Value));
    }
}

}  // namespace tally::cli
