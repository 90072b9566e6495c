// What an entry text tells its series: the decimal places it carries and the total type it
// calls for.
#include <gtest/gtest.h>

#include <string>

#include "engine/decimals/entry_decimals.h"

namespace tally {
namespace {

TEST(EntryDecimalsTest, OnlyTheFractionDigitsOfAFixedPointNumberCount) {
    struct Case {
        const char* text;
        int digits;
    };
    const Case cases[] = {
        {"12", 0},
        {"1.5", 1},
        {"-0.125", 3},
        {"1.250", 3},                  // trailing zeros are typed digits too
        {"1.23456789012346E16", 0},    // exponent form: the mantissa's digits are no decimals
        {"2.5e-3", 0},
        {"0.0000000000000001", 15},    // never beyond what a series can hold
        {"1 3/4", 0},
        {"1:30", 0},
        {"abc", 0},
        {"", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(FractionDigitCount(c.text), c.digits) << c.text;
}

TEST(EntryDecimalsTest, TimesOfTwoAndThreePartsCallForTimeTotals) {
    struct Case {
        const char* entry;
        const char* totalType;
    };
    const Case cases[] = {
        {"1:30", "T2"},   {"+1:30", "T2"},     {"-0:45", "T2"}, {"1:30:00", "T3"},
        {"+12:00:05", "T3"}, {"+1.5", "DE"},   {"X2", "DE"},    {"1 1/2", "DE"},
        {"", "DE"},
    };
    for (const Case& c : cases) EXPECT_EQ(TotalTypeForEntry(c.entry), c.totalType) << c.entry;
}

}  // namespace
}  // namespace tally
