#pragma once
// The property list of one tape line: NAME=value pairs, read from and written as comma text.
// The text is parsed once when it is set; lookups work on the parsed pairs.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tally {

namespace LineKey {
inline constexpr std::string_view kSeriesType = "STYP";
inline constexpr std::string_view kTotalType = "TT";
inline constexpr std::string_view kDecimalPlaces = "SDP";
inline constexpr std::string_view kLinkId = "LID";
inline constexpr std::string_view kTableColumnNumber = "TCN";
inline constexpr std::string_view kTableColumnId = "TCID";
inline constexpr std::string_view kTotalStatusFlag = "TLSF";
inline constexpr std::string_view kTotalDisplayState = "TSD";
inline constexpr std::string_view kTotalDecimalsState = "TSDS";
}  // namespace LineKey

inline constexpr int kMaxSeriesDecimalPlaces = 15;

class TCalcParams {
public:
    using Pair = std::pair<std::string, std::string>;

    TCalcParams() = default;
    // Parses comma text. Items without "=" or with an empty name or value are dropped, and a
    // name given twice keeps its first value.
    static TCalcParams FromText(std::string_view commaText);

    void SetText(std::string_view commaText);
    // The pairs as comma text, in the order they were added.
    std::string Text() const;

    // The value of the key (names compare case-insensitively); empty when missing.
    std::string_view Value(std::string_view key) const;
    // Replaces the value or appends the pair; an empty value removes the pair.
    void SetValue(std::string_view key, std::string_view value);

    bool IsEmpty() const { return pairs_.empty(); }
    const std::vector<Pair>& Pairs() const { return pairs_; }

    // SDP as an integer 0..15; anything else counts as missing.
    std::optional<int> DecimalPlaces() const;
    // TCN as a non-negative 32-bit integer; anything else counts as missing.
    std::optional<int> TableColumnNumber() const;

private:
    std::vector<Pair> pairs_;
};

// Parses a whole text of decimal digits as an integer within [minimum, maximum]; no sign,
// blank or other character is accepted.
std::optional<int> ParseBoundedInteger(std::string_view text, int minimum, int maximum);

}  // namespace tally
