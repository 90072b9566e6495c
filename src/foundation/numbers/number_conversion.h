#pragma once
// The conversion toolbox's conversion: one number between the decimal, fraction and time
// notations. Shared by the dialog and tallyroll-cli.

#include <optional>
#include <string>
#include <string_view>

namespace tally {

struct TNumberConversion {
    std::string Equivalent;      // decimal or fraction; empty when no case applies
    std::string EquivalentTime;  // hours:minutes:seconds; meaningful only when Matched
    bool Matched = false;        // false: case 7 (the caller keeps its previous time text)
};

// The denominator text as an integer: optional sign and digits within 64 bits; nullopt when
// it does not parse (an empty text does not).
std::optional<long long> ParseDenominator(std::string_view text) noexcept;

// original: the Original Number (Windows-1252; thousand separators are removed here);
// denominatorText: empty or an integer text; halfEven: the rounding method is "even";
// showThousands: the thousand separator in the whole part of a fraction result.
TNumberConversion ConvertNumber(std::string_view original, std::string_view denominatorText,
                                bool halfEven, bool showThousands = false);

}  // namespace tally
