// The operator check, the typing warnings and the rule for totals after multiplicative entries.
#include <gtest/gtest.h>

#include <string>

#include "engine/entry/typing_checks.h"
#include "lines_test_tape.h"

namespace tally {
namespace {

TEST(TypingChecksTest, OperatorsNeedingATotalAreRefusedOnTheFirstEntry) {
    struct Case {
        char key;
        bool firstEntry;
        char stored;
        std::string refusal;
    } const cases[] = {
        {'*', true, '\0', "Operator \"X\" is not valid in the first entry of a calculation series."},
        {'/', true, '\0', "Operator \"\xF7\" is not valid in the first entry of a calculation series."},
        {'p', true, '\0', "Operator \"P\" is not valid in the first entry of a calculation series."},
        {'-', true, '-', ""},
        {'a', true, '+', ""},
        {'x', false, 'X', ""},
        {'r', false, 'R', ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.key));
        const TOperatorKeyCheck check = CheckOperatorKey(c.key, c.firstEntry);
        EXPECT_EQ(check.Operator, c.stored);
        EXPECT_EQ(check.Refusal, c.refusal);
    }
}

TEST(TypingChecksTest, WarningsFollowTheSeriesSettings) {
    struct Case {
        std::string text;
        TTypingWarningContext context;
        std::optional<std::string_view> warning;
    } const cases[] = {
        {"+1.23", {2, "DE", false, false}, std::nullopt},
        {"+1.234", {2, "DE", false, false}, kDecimalPlacesWarning},
        {"+1,234.5", {0, "DE", false, false}, kDecimalPlacesWarning},
        {"+1.234", {2, "DE", true, false}, std::nullopt},
        {"+1:30:0", {2, "T2", false, false}, kSecondsInHoursMinutesWarning},
        {"+1:30:0", {2, "T2", false, true}, std::nullopt},
        {"+1:30:0", {2, "T3", false, false}, std::nullopt},
        {"+1:30", {2, "T2", false, false}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypingWarning(c.text, c.context), c.warning);
    }
}

TEST(TypingChecksTest, MultiplicativeNeighboursNeedATotal) {
    TLineStore lines;
    test::FillTape(lines, {{" ", "+12.00"},   // 0 first entry, line 2 is "X": needs a total
                           {" ", "+5.00"},    // 1 next entry is multiplicative
                           {" ", "X2.00"},    // 2 multiplicative itself
                           {" ", "+1.00"},    // 3 previous entry is multiplicative
                           {" ", "+4.00"},    // 4 nothing multiplicative around, but the series ends
                           {"Z", "0.00"},
                           {" ", "+1.00"},    // 6 plain first entry of an open series
                           {" ", "+2.00"},    // 7
                           {" ", "+3.00"},
                           {" ", ""}});
    const bool expected[] = {true, true, true, true, true, false, false, false};
    for (LineIndex line : {0, 1, 2, 3, 4, 6, 7}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(NeedsTotalAfter(lines, line), expected[line]);
    }
}

}  // namespace
}  // namespace tally
