#include "settings/setting_values.h"

#include <charconv>
#include <cmath>

namespace tally {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = Trim(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

std::optional<bool> ParseBoolean(std::string_view text) {
    const std::optional<std::int32_t> value = ParseInteger(text);
    if (!value) return std::nullopt;
    return *value != 0;
}

std::string BooleanText(bool value) { return value ? "1" : "0"; }

std::optional<long double> ParseMargin(std::string_view text) {
    std::string copy(Trim(text));
    const auto comma = copy.find(',');
    if (comma != std::string::npos) copy[comma] = '.';
    long double value = 0;
    const char* end = copy.data() + copy.size();
    const auto result = std::from_chars(copy.data(), end, value, std::chars_format::fixed);
    if (copy.empty() || result.ec != std::errc() || result.ptr != end || !IsValidMargin(value)) {
        return std::nullopt;
    }
    return value;
}

std::string MarginText(long double margin) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, margin, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

bool IsValidMargin(long double margin) { return std::isfinite(margin) && margin >= 0 && margin <= kMaxMargin; }

}  // namespace tally
