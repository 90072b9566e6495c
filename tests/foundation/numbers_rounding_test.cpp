// Entry numbers: the rounding rules, the floating-point state and the 18-digit
// decomposition they are built on.

#include <gtest/gtest.h>

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "foundation/numbers/decimal_digits.h"
#include "foundation/numbers/numbers.h"

namespace tally {
namespace {

struct RoundCase {
    long double value;
    int decimals;
    long double up;
    long double even;
};

TEST(NumbersRounding, TiesAndNegatives) {
    const RoundCase cases[] = {
        {2.345L, 2, 2.35L, 2.34L},
        {2.355L, 2, 2.36L, 2.36L},
        {-2.345L, 2, -2.35L, -2.34L},
        {-2.355L, 2, -2.36L, -2.36L},
        {0.125L, 2, 0.13L, 0.12L},
        {-0.125L, 2, -0.13L, -0.12L},
        {0.5L, 0, 1, 0},
        {1.5L, 0, 2, 2},
        {2.5L, 0, 3, 2},
        {-2.5L, 0, -3, -2},
        {-0.5L, 0, -1, 0},
        {1.005L, 2, 1.01L, 1.0L},
        {2.675L, 2, 2.68L, 2.68L},
        {1.2344L, 3, 1.234L, 1.234L},
        {1.2346L, 3, 1.235L, 1.235L},
        {123456789012.345L, 2, 123456789012.35L, 123456789012.34L},
        {0.0005L, 3, 0.001L, 0.0L},
        {0.0015L, 3, 0.002L, 0.002L},
        {7, 2, 7, 7},
        {1234.5678L, -2, 1200, 1200},
    };
    for (const RoundCase& c : cases) {
        EXPECT_EQ(RoundHalfUp(c.value, c.decimals), c.up) << static_cast<double>(c.value) << " @" << c.decimals;
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.even) << static_cast<double>(c.value) << " @" << c.decimals;
        EXPECT_EQ(RoundByMethod(c.value, c.decimals, "up"), c.up);
        EXPECT_EQ(RoundByMethod(c.value, c.decimals, "even"), c.even);
    }
}

TEST(NumbersRounding, MethodText) {
    EXPECT_EQ(RoundByMethod(0.125L, 2, "even"), 0.12L);
    EXPECT_EQ(RoundByMethod(0.125L, 2, "Even"), 0.13L);  // every other text is "up"
    EXPECT_EQ(RoundByMethod(0.125L, 2, ""), 0.13L);
    EXPECT_EQ(RoundByMethod(0.125L, 2, "banana"), 0.13L);
}

TEST(NumbersRounding, ZeroHasNoSign) {
    for (long double v : {-0.001L, -0.004L, -0.0L, -1e-30L}) {
        EXPECT_FALSE(std::signbit(RoundHalfUp(v, 2))) << static_cast<double>(v);
        EXPECT_FALSE(std::signbit(RoundHalfEven(v, 2))) << static_cast<double>(v);
        EXPECT_EQ(FormatDecimal(RoundHalfUp(v, 2), 2, false), "0.00");
    }
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.5L, 0)));
}

TEST(NumbersRounding, OutOfRangeValuesAreUnchanged) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(RoundHalfUp(inf, 2), inf);
    EXPECT_EQ(RoundHalfEven(-inf, 2), -inf);
    EXPECT_TRUE(std::isnan(RoundHalfUp(NAN, 2)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(NAN, 2)));
    EXPECT_EQ(RoundHalfUp(1e300L, 2), 1e300L);
    EXPECT_EQ(RoundHalfEven(1e300L, 2), 1e300L);
    // 10^2 * 1e17 has more than 18 digits.
    EXPECT_EQ(RoundHalfUp(1e17L + 0.25L, 2), 1e17L + 0.25L);
    EXPECT_EQ(RoundHalfEven(123456789012345678.0L, 1), 123456789012345678.0L);
    // 10^5000 is not finite.
    EXPECT_EQ(RoundHalfUp(123.456L, 5000), 123.456L);
    EXPECT_EQ(RoundHalfEven(123.456L, 5000), 123.456L);
    const long double max = std::numeric_limits<long double>::max();
    EXPECT_EQ(RoundHalfUp(max, 0), max);
    EXPECT_EQ(RoundHalfEven(-max, 3), -max);
}

TEST(NumbersRounding, LargeButInRange) {
    EXPECT_EQ(RoundHalfUp(99999999999999999.5L, 0), 100000000000000000.0L);
    EXPECT_EQ(RoundHalfEven(99999999999999998.5L, 0), 99999999999999998.0L);
    EXPECT_EQ(RoundHalfUp(123456789012345.25L, 1), 123456789012345.3L);
}

TEST(NumbersRounding, RestoreDefaultFloatingPointMode) {
    std::fesetround(FE_UPWARD);
    RestoreDefaultFloatingPointMode();
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
#if defined(__GLIBC__)
    feenableexcept(FE_DIVBYZERO);
    RestoreDefaultFloatingPointMode();
    EXPECT_EQ(fegetexcept(), 0);
#endif
    std::fesetround(FE_TOWARDZERO);
    RestoreDefaultFloatingPointMode();
    EXPECT_EQ(RoundHalfEven(2.345L, 2), 2.34L);
    EXPECT_EQ(1.0L / 3 * 3, 1.0L);
    RestoreDefaultFloatingPointMode();  // already default: nothing to do
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

// The fast exact decomposition agrees with std::to_chars at 18 significant digits.
TEST(NumbersRounding, Decompose18MatchesToChars) {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> exp(-40, 40);
    for (int i = 0; i < 20000; ++i) {
        long double v = static_cast<long double>(mant(rng)) * numbers_detail::Pow10(exp(rng));
        // Use all 64 significand bits.
        v = std::nextafter(v, 0.0L) + static_cast<long double>(rng() % 1000) * std::numeric_limits<long double>::epsilon() * v;
        if (!(v > 0)) continue;
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 17);
        std::uint64_t digits = 0;
        const char* p = buf;
        for (; *p != 'e'; ++p) {
            if (*p != '.') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        }
        int e10 = 0;
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, res.ptr, e10);
        const auto d = numbers_detail::Decompose18(v);
        ASSERT_EQ(d.Digits, digits) << std::string(buf, res.ptr);
        ASSERT_EQ(d.PointPos, e10 + 1) << std::string(buf, res.ptr);
    }
}

TEST(NumbersRounding, Decompose18Boundaries) {
    for (int e = -25; e <= 25; ++e) {
        const long double p = numbers_detail::Pow10(e);
        for (long double v : {p, std::nextafter(p, 0.0L), std::nextafter(p, 1e30L)}) {
            char buf[64];
            const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 17);
            const auto d = numbers_detail::Decompose18(v);
            std::uint64_t digits = 0;
            const char* q = buf;
            for (; *q != 'e'; ++q) {
                if (*q != '.') digits = digits * 10 + static_cast<std::uint64_t>(*q - '0');
            }
            int e10 = 0;
            ++q;
            if (*q == '+') ++q;
            std::from_chars(q, res.ptr, e10);
            EXPECT_EQ(d.Digits, digits) << std::string(buf, res.ptr);
            EXPECT_EQ(d.PointPos, e10 + 1) << std::string(buf, res.ptr);
        }
    }
}

// The fast decimal parser gives the same value as std::from_chars.
TEST(NumbersRounding, ParseDecimalMatchesFromChars) {
    const char* texts[] = {"0.1", "1234.5678", "0.000000000000000000000000001", "12345678901234567890",
                           "1234567890123456789.5", "9.999999999999999999999", "1e-27", "1e27", "1e28",
                           "123.456e-30", "0.3", "2.345", "17976931348623157e292", "4.9e-4951"};
    for (const char* t : texts) {
        long double fast = 0, ref = 0;
        ASSERT_TRUE(numbers_detail::ParseDecimal(t, '.', fast)) << t;
        std::from_chars(t, t + std::char_traits<char>::length(t), ref);
        EXPECT_EQ(fast, ref) << t;
    }
}

}  // namespace
}  // namespace tally
