#pragma once
// Line kinds: the kind of a tape line is the first character of its Indicator text (an empty
// Indicator counts as a blank, an entry line). Code tests kinds one by one or by group.

#include <string_view>

namespace tally {

namespace LineKind {
inline constexpr char kEntry = ' ';
inline constexpr char kSubtotal = 'S';
inline constexpr char kTotal = 'T';
inline constexpr char kSeparator = '=';
inline constexpr char kZeroTotal = 'Z';
inline constexpr char kEmbeddedLeading = '(';
inline constexpr char kEmbeddedTrailing = ')';
inline constexpr char kGroupLeading = '[';
inline constexpr char kGroupTotal = 'g';
inline constexpr char kGroupTrailing = ']';
inline constexpr char kGrandLeading = '{';
inline constexpr char kGrandTotal = 'G';
inline constexpr char kGrandTrailing = '}';
// Recognized when read, never written.
inline constexpr char kReadZeroTotal = 'z';
inline constexpr char kReadLeading = '<';
inline constexpr char kReadTrailing = '>';
inline constexpr char kReadTotalH = 'H';
inline constexpr char kReadTotalB = 'B';
inline constexpr char kReadTotalD = 'D';
inline constexpr char kReadEntryH = 'h';
inline constexpr char kReadEntryB = 'b';
inline constexpr char kReadEntryD = 'd';
}  // namespace LineKind

namespace LineGroup {
inline constexpr std::string_view kEntryLine = " hbd";
inline constexpr std::string_view kTotalLine = "TSHBDgG";
inline constexpr std::string_view kStandardTotal = "ST";
inline constexpr std::string_view kSeriesEnding = "Zz]}>";
inline constexpr std::string_view kEndsSeriesOrEmbedded = "Zz)]}>";
inline constexpr std::string_view kBoundary = "()[]{}<>";
inline constexpr std::string_view kLeadingBoundary = "([{<";
inline constexpr std::string_view kLeadingRangeBoundary = "[{<";
inline constexpr std::string_view kZeroTotal = "Zz";
}  // namespace LineGroup

// The kind character of an Indicator text.
constexpr char KindOfIndicator(std::string_view indicator) {
    return indicator.empty() ? LineKind::kEntry : indicator.front();
}

constexpr bool KindInGroup(char kind, std::string_view group) {
    return kind != '\0' && group.find(kind) != std::string_view::npos;
}

constexpr bool IndicatorHasKind(std::string_view indicator, char kind) {
    return KindOfIndicator(indicator) == kind;
}

constexpr bool IndicatorInGroup(std::string_view indicator, std::string_view group) {
    return KindInGroup(KindOfIndicator(indicator), group);
}

}  // namespace tally
