#include "engine/lines/calc_params.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "engine/lines/comma_text.h"

namespace tally {

TCalcParams TCalcParams::FromText(std::string_view commaText) {
    TCalcParams params;
    params.SetText(commaText);
    return params;
}

void TCalcParams::SetText(std::string_view commaText) {
    pairs_.clear();
    for (const std::string& item : ItemsFromCommaText(commaText)) {
        std::string_view name;
        std::string_view value;
        if (!SplitNameValue(item, name, value) || name.empty() || value.empty()) continue;
        if (!Value(name).empty()) continue;
        pairs_.emplace_back(std::string(name), std::string(value));
    }
}

std::string TCalcParams::Text() const {
    std::vector<std::string> items;
    items.reserve(pairs_.size());
    for (const Pair& pair : pairs_) items.push_back(pair.first + '=' + pair.second);
    return CommaTextFromItems(items);
}

std::string_view TCalcParams::Value(std::string_view key) const {
    for (const Pair& pair : pairs_) {
        if (SameName(pair.first, key)) return pair.second;
    }
    return {};
}

void TCalcParams::SetValue(std::string_view key, std::string_view value) {
    const auto it = std::find_if(pairs_.begin(), pairs_.end(),
                                 [key](const Pair& pair) { return SameName(pair.first, key); });
    if (it == pairs_.end()) {
        if (!value.empty() && !key.empty()) pairs_.emplace_back(std::string(key), std::string(value));
    } else if (value.empty()) {
        pairs_.erase(it);
    } else {
        it->second.assign(value);
    }
}

std::optional<int> TCalcParams::DecimalPlaces() const {
    return ParseBoundedInteger(Value(LineKey::kDecimalPlaces), 0, kMaxSeriesDecimalPlaces);
}

std::optional<int> TCalcParams::TableColumnNumber() const {
    return ParseBoundedInteger(Value(LineKey::kTableColumnNumber), 0, std::numeric_limits<int>::max());
}

std::optional<int> ParseBoundedInteger(std::string_view text, int minimum, int maximum) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < minimum || value > maximum) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace tally
