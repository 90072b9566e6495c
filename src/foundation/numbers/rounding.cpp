#include "foundation/numbers/rounding.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

#include "foundation/numbers/decimal_digits.h"

namespace tally {

using numbers_detail::Decompose18;
using numbers_detail::kPow10U64;
using numbers_detail::Pow10;

namespace {

constexpr long double kEighteenDigits = 1e18L;

// The value scaled to the rounding position: y = x * 10^decimals (x / 10^-decimals for negative
// decimals, so that the scale stays exact). False when x is not finite or y leaves the finite
// range or has 18 or more integer digits: then the value is returned unchanged.
struct TScaled {
    long double Y = 0;
    long double Power = 1;  // 10^|decimals|
    bool Divide = false;    // negative decimals
};

bool Scale(long double x, int decimals, TScaled& s) noexcept {
    if (!std::isfinite(x)) return false;
    s.Divide = decimals < 0;
    s.Power = Pow10(s.Divide ? -decimals : decimals);
    if (!std::isfinite(s.Power) || !(s.Power > 0)) return false;
    s.Y = s.Divide ? x / s.Power : x * s.Power;
    return std::isfinite(s.Y) && std::fabs(s.Y) < kEighteenDigits;
}

long double Finish(std::uint64_t integer, bool negative, const TScaled& s) noexcept {
    if (integer == 0) return 0.0L;
    const long double magnitude = static_cast<long double>(integer);
    const long double r = s.Divide ? magnitude * s.Power : magnitude / s.Power;
    return negative ? -r : r;
}

}  // namespace

long double RoundHalfUp(long double value, int decimals) noexcept {
    TScaled s;
    if (!Scale(value, decimals, s)) return value == 0 ? 0.0L : value;
    const bool negative = value < 0;
    const long double y = negative ? s.Y - 0.5L : s.Y + 0.5L;
    // |y| >= 0.5 here; clean it to 18 significant digits and truncate toward zero.
    const auto d = Decompose18(std::fabs(y));
    const int fractionDigits = 18 - d.PointPos;  // digits of d.Digits after the point
    std::uint64_t integer = 0;
    if (fractionDigits <= 0) {
        integer = d.Digits * kPow10U64[-fractionDigits];  // PointPos <= 19: fits
    } else if (fractionDigits <= 18) {
        integer = d.Digits / kPow10U64[fractionDigits];
    }
    return Finish(integer, negative, s);
}

long double RoundHalfEven(long double value, int decimals) noexcept {
    TScaled s;
    if (!Scale(value, decimals, s)) return value == 0 ? 0.0L : value;
    const long double y = s.Y;
    if (y == 0) return 0.0L;
    const bool negative = y < 0;
    const auto d = Decompose18(std::fabs(y));
    const int fractionDigits = 18 - d.PointPos;
    std::uint64_t integer = 0;
    if (fractionDigits <= 0) {
        integer = d.Digits * kPow10U64[-fractionDigits];
    } else if (fractionDigits <= 18) {
        const std::uint64_t unit = kPow10U64[fractionDigits];
        integer = d.Digits / unit;
        const std::uint64_t rest = d.Digits % unit;
        if (rest * 2 > unit || (rest * 2 == unit && (integer & 1U))) ++integer;
    }
    return Finish(integer, negative, s);
}

long double RoundByMethod(long double value, int decimals, std::string_view method) noexcept {
    return method == "even" ? RoundHalfEven(value, decimals) : RoundHalfUp(value, decimals);
}

void RestoreDefaultFloatingPointMode() noexcept {
    bool changed = std::fegetround() != FE_TONEAREST;
#if defined(__GLIBC__)
    changed = changed || fegetexcept() != 0;  // some exception unmasked
#endif
#if defined(__x86_64__) || defined(__i386__)
    unsigned short x87 = 0;
    __asm__ volatile("fnstcw %0" : "=m"(x87));
    changed = changed || (x87 & 0x0F3F) != 0x033F;  // extended precision, nearest, all masked
    unsigned int mxcsr = 0;
    __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
    changed = changed || (mxcsr & 0xFFC0) != 0x1F80;  // nearest, all masked, no FTZ/DAZ
#endif
    if (changed) {
        std::fesetenv(FE_DFL_ENV);
        std::fesetround(FE_TONEAREST);
    }
}

}  // namespace tally
