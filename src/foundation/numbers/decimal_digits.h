#pragma once
// Internal helpers of the number rules: exact powers of ten, locale-independent parsing and the
// decomposition of a value into 18 significant decimal digits (the "precision 18" of the rounding
// rules). Not for use outside src/foundation/numbers.

#include <cstdint>
#include <limits>
#include <string_view>

namespace tally::numbers_detail {

static_assert(std::numeric_limits<long double>::digits == 64,
              "Tallyroll needs the 80-bit extended long double (64-bit significand)");

inline constexpr std::uint64_t kPow10U64[20] = {
    1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL, 100000000ULL,
    1000000000ULL, 10000000000ULL, 100000000000ULL, 1000000000000ULL, 10000000000000ULL,
    100000000000000ULL, 1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
    1000000000000000000ULL, 10000000000000000000ULL};

// 10^n; exact for 0 <= n <= 27 (5^27 < 2^64), the general power function otherwise.
long double Pow10(int n) noexcept;

// |v| = 0.d1 d2 ... d18 x 10^PointPos, Digits = d1..d18 in [10^17, 10^18), rounded to nearest
// (ties to even) from the exact binary value, like std::to_chars with 18 significant digits.
struct TDigits18 {
    std::uint64_t Digits = 0;
    int PointPos = 0;
};
// magnitude must be finite and > 0.
TDigits18 Decompose18(long double magnitude) noexcept;

// Parses a decimal text (optional sign, digits with at most one `decimalSep`, optional exponent
// E/e with optional sign and digits), independent of the C locale. False when the text does
// not have that shape or its value is not finite; an underflow reads as 0.
bool ParseDecimal(std::string_view text, char decimalSep, long double& value) noexcept;

// Value of a run of digits, skipping every `skip` character (pass '\0' to skip none). Too many
// digits for the range give +infinity. The caller has checked that the text is digits.
long double DigitRunValue(std::string_view digits, char skip = '\0') noexcept;

// True when the text has a digit other than "0".
bool HasNonZeroDigit(std::string_view digits) noexcept;

// Writes an unsigned integer; returns the end pointer.
char* WriteUnsigned(char* out, std::uint64_t value) noexcept;
int DigitCount(std::uint64_t value) noexcept;

}  // namespace tally::numbers_detail
