// Entry numbers: formatting of decimals, fractions and time values.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/numbers/numbers.h"

namespace tally {
namespace {

class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFormatSettings(); }
    void TearDown() override { ResetFormatSettings(); }
};

struct DecimalCase {
    long double value;
    int decimals;
    bool thousands;
    const char* expected;
};

TEST_F(NumberFormatTest, FormatDecimal) {
    const DecimalCase cases[] = {
        {1234567.5L, 2, true, "1,234,567.50"},
        {1234567.5L, 2, false, "1234567.50"},
        {0, 2, false, "0.00"},
        {0, 0, true, "0"},
        {-0.0L, 0, true, "0"},
        {-0.001L, 2, false, "0.00"},  // a zero result has no sign
        {-0.004L, 2, true, "0.00"},
        {-0.005L, 2, false, "-0.01"},
        {0.005L, 2, false, "0.01"},
        {2.345L, 2, false, "2.35"},  // half away from zero on the 18-digit value
        {-2.345L, 2, false, "-2.35"},
        {0.5L, 0, false, "1"},
        {-0.5L, 0, false, "-1"},
        {2.5L, 0, false, "3"},
        {123.456L, 1, false, "123.5"},
        {1000, 0, true, "1,000"},
        {100, 0, true, "100"},
        {-1234, 0, true, "-1,234"},
        {123456, 3, true, "123,456.000"},
        {999999999999999.0L, 0, true, "999,999,999,999,999"},
        {0.1L, 2, false, "0.10"},
        {0.1L, 20, false, "0.100000000000000000"},  // decimals clamp to 18
        {1.23456789012345678L, 18, false, "1.234567890123460000"},
        {0.000123L, 6, false, "0.000123"},
        {0.000123L, 5, false, "0.00012"},
        {1e-30L, 18, false, "0.000000000000000000"},
        {1234.5678L, -3, true, "1,235"},  // negative decimals clamp to 0
        // More than 15 integer digits: exponent form, no thousand separators.
        {1234567890123456.0L, 0, true, "1.23456789012346E15"},
        {12345678901234567.0L, 2, true, "1.23456789012346E16"},
        {1e16L, 0, true, "1E16"},
        {-1e20L, 2, false, "-1E20"},
        {999999999999999.5L, 0, false, "1E15"},
        {1.5e300L, 2, false, "1.5E300"},
        {std::numeric_limits<long double>::max(), 0, false, "1.18973149535723E4932"},
    };
    for (const DecimalCase& c : cases) {
        EXPECT_EQ(FormatDecimal(c.value, c.decimals, c.thousands), c.expected)
            << static_cast<double>(c.value) << " " << c.decimals;
    }
    EXPECT_EQ(FormatDecimal(INFINITY, 2, false), "INF");
    EXPECT_EQ(FormatDecimal(-INFINITY, 2, false), "-INF");
    EXPECT_EQ(FormatDecimal(NAN, 2, false), "NAN");
}

TEST_F(NumberFormatTest, FormatDecimalOtherSeparators) {
    ASSERT_TRUE(SetFormatSeparators(",", "."));
    EXPECT_EQ(FormatDecimal(1234567.5L, 2, true), "1.234.567,50");
    EXPECT_EQ(FormatDecimal(12345678901234567.0L, 2, true), "1,23456789012346E16");
    ASSERT_TRUE(SetFormatSeparators(",", " "));
    EXPECT_EQ(FormatDecimal(1234567.5L, 2, true), "1\xA0" "234\xA0" "567,50");
}

TEST_F(NumberFormatTest, FormatGeneral) {
    struct Case {
        long double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"}, {-0.0L, "0"}, {1.5L, "1.5"}, {0.1L, "0.1"}, {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"}, {-2.0L / 3, "-0.666666666666667"}, {1e15L, "1E15"},
        {999999999999999.0L, "999999999999999"}, {0.0001L, "0.0001"}, {0.00001L, "1E-5"},
        {-0.000012345L, "-1.2345E-5"}, {123456789012345678.0L, "1.23456789012346E17"}, {100, "100"},
        {1.75L, "1.75"}, {12.5L, "12.5"}, {2.345L, "2.345"}, {1234.5L, "1234.5"}, {1e-30L, "1E-30"},
        {9.999999999999999e-5L, "0.0001"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.expected) << static_cast<double>(c.value);
}

TEST_F(NumberFormatTest, FormatFractionText) {
    struct Case {
        const char* text;
        bool thousands;
        const char* expected;
    };
    const Case cases[] = {
        {"1234 3/4", true, "1,234 3/4"},
        {"1234 3/4", false, "1234 3/4"},
        {"-0 3/4", true, "-0 3/4"},  // the sign survives a zero whole part
        {"-1234 3/4", true, "-1,234 3/4"},
        {"+5 1/2", false, "5 1/2"},
        {"007 3/4", false, "7 3/4"},
        {"1 6/8", true, "1 6/8"},  // never reduced
        {" 3/4", true, " 3/4"},    // no whole part: unchanged
        {"3/4", true, "3/4"},
        {"1.5", true, "1.5"},
        {"abc", true, "abc"},
        {"12345678901234567890 1/2", true, "12,345,678,901,234,567,890 1/2"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFractionText(c.text, c.thousands), c.expected) << c.text;
    ASSERT_TRUE(SetFormatSeparators(".", " "));
    EXPECT_EQ(FormatFractionText("1234_3/4", true), "1\xA0" "234_3/4");
}

TEST_F(NumberFormatTest, DecimalToFractionText) {
    struct Case {
        long double value;
        long long denominator;
        bool halfEven;
        const char* expected;
    };
    const Case cases[] = {
        {1.75L, 8, false, "1 6/8"},
        {1.75L, 1, false, "2"},
        {0.5L, 0, false, "1"},  // denominator 0 counts as 1
        {-2.25L, 4, false, "-2 1/4"},
        {0.99L, 2, false, "2/2"},  // not carried
        {-0.25L, 4, false, "-1/4"},
        {0, 4, false, "0"},
        {3, 4, false, "3"},
        {0.125L, 4, true, "0"},  // numerator 0.5: ties to even
        {0.125L, 4, false, "1/4"},
        {0.375L, 4, true, "2/4"},
        {-0.001L, 4, false, "0"},
        {1.75L, -8, false, "1 6/8"},  // a negative denominator counts as its magnitude
        {2.5L, 1, true, "2"},
        {2.5L, 1, false, "3"},
        {1e20L, 4, false, "100000000000000000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecimalToFractionText(c.value, c.denominator, c.halfEven), c.expected)
            << static_cast<double>(c.value) << " / " << c.denominator;
    }
    EXPECT_EQ(DecimalToFractionText(INFINITY, 4, false), "");
    EXPECT_EQ(DecimalToFractionText(0.5L, std::numeric_limits<long long>::min(), false),
              "4611686018427387904/9223372036854775808");
}

TEST_F(NumberFormatTest, TimeTexts) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case pad[] = {{"1:5", "01:05"}, {"007:30", "07:30"}, {"-3:00:7", "-03:00:07"}, {"100:5", "100:05"},
                        {":", "00:00"}, {"1:2:3", "01:02:03"}, {"abc", "abc"}};
    for (const Case& c : pad) EXPECT_EQ(PadTimeText(c.text), c.expected) << c.text;

    const Case normalize[] = {{"1:75", "02:15"}, {"0:0:60", "00:01:00"}, {"-1:75", "-02:15"}, {"-0:00", "00:00"},
                              {"1:5", "01:05"}, {"596523:14:08", ""}, {"596523:14:07", "596523:14:07"},
                              {"x", "x"}, {"0:120:120", "02:02:00"}};
    for (const Case& c : normalize) EXPECT_EQ(NormalizeTimeText(c.text), c.expected) << c.text;

    const Case hms[] = {{"1:30", "01:30:00"}, {"1:2:3", "01:02:03"}, {"-1:30", "-01:30:00"}, {"1.5", "1.5"}};
    for (const Case& c : hms) EXPECT_EQ(ToHoursMinutesSecondsText(c.text), c.expected) << c.text;

    const Case hm[] = {{"0:0:30", "00:01"}, {"0:0:29", "00:00"}, {"01:30", "01:30"}, {"1:75", "02:15"},
                       {"-1:30:45", "-01:31"}, {"12:05:09", "12:05"}, {"596523:14:08", ""}, {"1.5", "1.5"}};
    for (const Case& c : hm) EXPECT_EQ(ToHoursMinutesText(c.text), c.expected) << c.text;
}

TEST_F(NumberFormatTest, SecondsAndHoursToText) {
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(59.6L), "00:01:00");
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(3661), "01:01:01");
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(-3661), "-01:01:01");
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(-0.3L), "00:00:00");
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(2147483647), "596523:14:07");
    EXPECT_EQ(SecondsToHoursMinutesSecondsText(2147483648.0L), "");
    EXPECT_EQ(SecondsToHoursMinutesText(30), "00:01");
    EXPECT_EQ(SecondsToHoursMinutesText(29), "00:00");
    EXPECT_EQ(SecondsToHoursMinutesText(3599.5L), "01:00");
    EXPECT_EQ(SecondsToHoursMinutesText(-5400), "-01:30");
    EXPECT_EQ(SecondsToHoursMinutesText(INFINITY), "");
    EXPECT_EQ(HoursToTimeText(1.75L), "01:45:00");
    EXPECT_EQ(HoursToTimeText(-1.5L), "-01:30:00");
    EXPECT_EQ(HoursToTimeText(596524), "");
    EXPECT_EQ(HoursToTimeText(1e-9L), "00:00:00");  // tiny: zero, not an overflow
    EXPECT_EQ(HoursToTimeText(NAN), "");
}

}  // namespace
}  // namespace tally
