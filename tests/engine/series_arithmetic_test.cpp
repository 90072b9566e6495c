// The operators, time arithmetic, refusal checks and entry normal forms of a standard series.
#include <gtest/gtest.h>

#include <string>

#include "engine/series/series_arithmetic.h"
#include "foundation/numbers/number_format.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr char kDivide = '\xF7';

struct OperatorCase {
    long double total;
    char op;
    long double x;
    int decimals;
    std::string expected;  // the result at `decimals`, formatted without thousand separators
};

TEST(ApplyOperatorTest, EachOperatorRoundsToTheSeriesDecimals) {
    const OperatorCase cases[] = {
        {12, '+', 5, 2, "17.00"},
        {12, '-', 20, 2, "-8.00"},
        {2.5L, 'X', 1.25L, 2, "3.13"},   // 3.125 half away from zero
        {10, kDivide, 3, 2, "3.33"},
        {10, kDivide, 0, 2, "10.00"},    // a zero divisor leaves the total
        {2, 'P', 10, 0, "1024"},
        {-2, 'P', 3, 0, "-8"},           // a negative base with an integer power
        {-2, 'P', 0.5L, 2, "-2.00"},     // refused: a negative base, fractional power
        {0, 'P', 0, 2, "0.00"},          // refused: zero to the power zero
        {27, 'R', 3, 4, "3.0000"},
        {-27, 'R', 3, 2, "-27.00"},      // refused: the root of a negative number
        {27, 'R', 0, 2, "27.00"},        // refused: the zero root
        {1.005L, '?', 1, 2, "1.01"},     // an unknown operator changes nothing
        // The digit limit of additions: 15 significant digits in all.
        {99999999999999.9L, '+', 0.05L, 2, "100000000000000.00"},
    };
    for (const OperatorCase& c : cases) {
        SCOPED_TRACE(std::string(1, c.op) + " " + c.expected);
        long double total = c.total;
        ASSERT_TRUE(ApplyOperator(total, c.op, c.x, c.decimals, TRoundingMethod::Up));
        EXPECT_EQ(FormatDecimal(total, c.decimals, false), c.expected);
    }
}

TEST(ApplyOperatorTest, SumsKeepNoMoreThanFifteenSignificantDigits) {
    // 13 integer digits leave 2 decimals: the 0.001 is rounded away before it is added.
    long double total = 1234567890123.45L;
    ASSERT_TRUE(ApplyOperator(total, '+', 0.001L, 3, TRoundingMethod::Up));
    EXPECT_EQ(total, 1234567890123.45L);
    total = 12.345L;
    ASSERT_TRUE(ApplyOperator(total, '+', 0.001L, 3, TRoundingMethod::Up));
    EXPECT_EQ(total, 12.346L);
}

TEST(ApplyOperatorTest, AddingATenthTenTimesGivesExactlyOne) {
    long double total = 0;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(ApplyOperator(total, '+', 0.1L, 2, TRoundingMethod::Up));
    EXPECT_EQ(total, 1.0L);
}

TEST(ApplyOperatorTest, OverflowFailsAndKeepsTheTotal) {
    long double total = 1e4000L;
    EXPECT_FALSE(ApplyOperator(total, 'X', 1e4000L, 2, TRoundingMethod::Up));
    EXPECT_EQ(total, 1e4000L);
}

TEST(ApplyOperatorTest, EvenRoundingAppliesToEveryStep) {
    long double up = 0;
    long double even = 0;
    ASSERT_TRUE(ApplyOperator(up, '+', 2.345L, 3, TRoundingMethod::Up));
    ASSERT_TRUE(ApplyOperator(up, 'X', 1, 2, TRoundingMethod::Up));
    ASSERT_TRUE(ApplyOperator(even, '+', 2.345L, 3, TRoundingMethod::Even));
    ASSERT_TRUE(ApplyOperator(even, 'X', 1, 2, TRoundingMethod::Even));
    EXPECT_EQ(FormatDecimal(up, 2, false), "2.35");
    EXPECT_EQ(FormatDecimal(even, 2, false), "2.34");
}

struct TimeCase {
    std::string totalType;
    std::string steps;  // operator and number texts separated by '|', applied in turn
    std::string expected;
};

TEST(ApplyTimeOperatorTest, OperandsAreHoursWhenAddedAndFactorsOtherwise) {
    const TimeCase cases[] = {
        {"T2", "+1:30|+0.5", "02:00"},
        {"T2", "+1:00:29", "01:00"},
        {"T2", "+1:00:30", "01:01"},
        {"T3", "+1:30|X2", "03:00:00"},
        {"T3", "+1:00|-0:15|" + std::string(1, kDivide) + "3", "00:15:00"},
        {"T3", "+596523:14:07", "596523:14:07"},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.steps);
        long double total = 0;
        std::size_t start = 0;
        while (start <= c.steps.size()) {
            std::size_t end = c.steps.find('|', start);
            if (end == std::string::npos) end = c.steps.size();
            const std::string step = c.steps.substr(start, end - start);
            const TEntryOperand operand = SplitEntryOperand(step);
            ApplyTimeOperator(total, operand.Operator, operand.NumberText, c.totalType, 2,
                              TRoundingMethod::Up);
            start = end + 1;
        }
        EXPECT_EQ(FormatTotal(total, c.totalType, 2, true), c.expected);
    }
}

TEST(ApplyTimeOperatorTest, PassingTheTimeCapacityThrowsAndKeepsTheTotal) {
    long double total = 2147483647.0L;
    EXPECT_THROW(ApplyTimeOperator(total, '+', "0:00:01", "T3", 2, TRoundingMethod::Up),
                 ETimeValueOverflow);
    EXPECT_EQ(total, 2147483647.0L);
}

struct RefusalCase {
    std::string entry;
    bool firstEntry;
    long double totalBefore;
    std::string totalType;
    std::string message;  // for line T3; empty when accepted
};

TEST(CheckOperationTest, RefusalsNameTheLineAndTheReason) {
    const std::string divide(1, kDivide);
    const RefusalCase cases[] = {
        {divide + "0", false, 5, "DE",
         "Attempting invalid division operation at line T3.  Division operation not performed. "
         "Can not divide by zero."},
        // The divisor is checked as it is applied: 0.001 rounds to 0.00.
        {divide + "0.001", false, 5, "DE",
         "Attempting invalid division operation at line T3.  Division operation not performed. "
         "Can not divide by zero."},
        {"Pabc", false, 5, "DE",
         "Attempting invalid power operation at line T3.  Power operation not performed. "
         "Invalid entry for power operation."},
        {"P2", true, 0, "DE",
         "Attempting invalid power operation at line T3.  Power operation not performed. "
         "Operator \"P\" is not valid in the first entry of a calculation series."},
        {"P0.5", false, -4, "DE",
         "Attempting invalid power operation at line T3.  Power operation not performed. "
         "Can not raise a negative total to a non-integer power.  The calculation series total "
         "is negative at the point of the power operation."},
        {"P0", false, 0, "DE",
         "Attempting invalid power operation at line T3.  Power operation not performed. "
         "Can not raise zero to the power of zero."},
        {"P2", false, -4, "DE", ""},
        {"R0", true, 0, "DE",
         "Attempting invalid root operation at line T3.  Root operation not performed. "
         "Can not calculate the zero root of a number."},
        {"Rx", false, 8, "DE",
         "Attempting invalid root operation at line T3.  Root operation not performed. "
         "Invalid entry for root operation."},
        {"R3", true, 0, "DE",
         "Attempting invalid root operation at line T3.  Root operation not performed. "
         "Operator \"R\" is not valid in the first entry of a calculation series."},
        {"R3", false, -8, "DE",
         "Attempting invalid root operation at line T3.  Root operation not performed. "
         "Can not calculate the root of a negative number."},
        {"X1E5000", false, 1e4000L, "DE",
         "Operation at line T3 not performed.  The entry does not contain a valid number."},
        {"X1E4000", false, 1e4000L, "DE",
         "Operation at line T3 not performed.  Performing this operation would produce a total "
         "that exceeds the calculator's capacity."},
        {"+0:00:01", false, 2147483647.0L, "T3",
         "Operation at line T3 not performed.  Performing this operation would produce a total "
         "too big for a time value."},
        {"+0:00:01", false, 2147483646.0L, "T3", ""},
        {"Xabc", false, 5, "DE",
         "Operation at line T3 not performed.  The entry does not contain a valid number."},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.entry);
        const auto refusal =
            CheckOperation(c.entry, c.firstEntry, c.totalBefore, 2, c.totalType, TRoundingMethod::Up);
        EXPECT_EQ(refusal ? refusal->MessageForLine("T3") : std::string(), c.message);
    }
}

struct NormalFormCase {
    std::string entry;
    std::string totalType;
    std::string expected;
};

TEST(NormalFormEntryTest, EntriesAreRewrittenForTheSeries) {
    const NormalFormCase cases[] = {
        {"12", "DE", "+12.00"},
        {"1.236", "DE", "+1.24"},
        {"-1234567", "DE", "-1,234,567.00"},
        {"X-3", "DE", "X-3.00"},
        {"+1234 3/4", "DE", "+1,234 3/4"},
        {"+1:30:40", "T2", "+01:31"},
        {"+1:30", "T3", "+01:30:00"},
        {"+1:5", "DE", "+01:05"},
    };
    for (const NormalFormCase& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(NormalFormEntry(SplitEntryOperand(c.entry), c.totalType, 2, TRoundingMethod::Up, true),
                  c.expected);
    }
}

}  // namespace
}  // namespace tally
