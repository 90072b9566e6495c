#pragma once
// Entry numbers: the rounding rules "up" and "even" and the floating-point state they
// rely on.

#include <string_view>

namespace tally {

// Half away from zero at `decimals` decimals. The scaled value is first cleaned to 18
// significant digits, so 2.345 gives 2.35 although its binary value is a little below.
// Returns the value unchanged when it is not finite or when scaling it by 10^decimals would
// leave the finite range or give more than 18 integer digits. Never returns a negative zero.
long double RoundHalfUp(long double value, int decimals) noexcept;
// Ties to even at `decimals` decimals, after the same 18-digit cleaning (2.345 gives 2.34).
long double RoundHalfEven(long double value, int decimals) noexcept;
// "even" selects RoundHalfEven, every other text RoundHalfUp.
long double RoundByMethod(long double value, int decimals, std::string_view method) noexcept;

// Restores the default floating-point control state (round to nearest, ties to even, all
// exceptions masked, x87 extended precision) when something has changed it.
void RestoreDefaultFloatingPointMode() noexcept;

}  // namespace tally
