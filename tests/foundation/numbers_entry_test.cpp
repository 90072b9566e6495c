// Entry numbers: digit capacity, the finished-entry check and its texts, the divide operator
// rules, and the conversion toolbox's conversion.

#include <gtest/gtest.h>

#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/numbers/numbers.h"

namespace tally {
namespace {

class NumberEntryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFormatSettings(); }
    void TearDown() override { ResetFormatSettings(); }
};

TEST_F(NumberEntryTest, MessageTexts) {
    EXPECT_EQ(kDigitCapacityMessage,
              "Any more digits in this entry would exceed the calculator's capacity of 15 significant digits.");
    EXPECT_EQ(kInvalidEntryNumberMessage,
              "The entry with the focus highlight does not contain a valid number.  If you are trying to enter a "
              "fraction, make sure the numerator is preceded by a single space (or underscore if appropriate).");
    EXPECT_EQ(kTimeCapacityMessage,
              "The time value entered exceeds the calculator's capacity of 2,147,483,647 seconds, which is "
              "00:35791394:07 or 596523:14:07 in hours:minutes:seconds.");
    EXPECT_NE(kInvalidEntryNumberMessage.find("number.  If"), std::string_view::npos);
}

TEST_F(NumberEntryTest, DigitCapacity) {
    struct Case {
        const char* text;
        bool exceeds;
    };
    const Case cases[] = {
        {"123456789012345", false},
        {"1234567890123456", true},    // a sixteenth digit
        {"+123456789012345", false},   // operator characters do not count
        {"+-123456789012345", false},
        {"123,456,789,012,345", false},  // nor thousand separators
        {"123456789012.3456", true},   // a digit after 123456789012.345
        {"1234567890123.450", false},  // trailing zeros do not count
        {"1234567890123.451", true},
        {"0.12345678901234", false},
        {"0.123456789012345", true},
        {"123456789012345 1", true},   // fraction leader at position 16
        {"12345678901234 1", false},
        {"12345678901234 1/23456", false},
        {"123456789012345:00", false},
        {"1234567890123456:00", true},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryExceedsDigitCapacity(c.text), c.exceeds) << c.text;
}

TEST_F(NumberEntryTest, FinishedEntryCheck) {
    struct Case {
        const char* text;
        std::string_view message;
    };
    const Case cases[] = {
        {"3/4", kInvalidEntryNumberMessage},
        {"+3/4", kInvalidEntryNumberMessage},
        {"+ 3/4", ""},
        {"1 3/4", ""},
        {"1 3 /4", kInvalidEntryNumberMessage},
        {"1 3/0", kInvalidEntryNumberMessage},
        {"1.5 3/4", kInvalidEntryNumberMessage},
        {"+1,234.5", ""},
        {"+596523:14:07", ""},
        {"+596523:14:08", kTimeCapacityMessage},
        {"596523:14:08", kTimeCapacityMessage},
        {"X596523:14:08", kTimeCapacityMessage},  // any operator character
        {"+0:00:59.6", kInvalidEntryNumberMessage},
        {"+1E5000", kInvalidEntryNumberMessage},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckEntryNumber(c.text), c.message) << c.text;
}

TEST_F(NumberEntryTest, DivideRulesRegisterAndChoose) {
    TStMediator mediator;
    {
        TFixedSystemLanguage english(kLangEnglish);
        TDivideOperCharRules rules(mediator, english);
        EXPECT_TRUE(mediator.Exists(events::GloObj_GetDivideOperCharRulesObj));
        TMedObjectReference out;
        mediator.Handle(events::GloObj_GetDivideOperCharRulesObj, nullptr, &out);
        EXPECT_EQ(out.ObjRef, &rules);
        EXPECT_EQ(rules.CurrentChar(), '\xF7');
        EXPECT_EQ(rules.DivisionSign(), '\xF7');
        EXPECT_EQ(rules.Slash(), '/');
        EXPECT_EQ(FormatSettings().DivideOperChar, '\xF7');
        EXPECT_EQ(rules.Normalize('/'), '\xF7');
        EXPECT_EQ(rules.Normalize('\xF7'), '\xF7');
        EXPECT_EQ(rules.Normalize('a'), 'a');
    }
    EXPECT_FALSE(mediator.Exists(events::GloObj_GetDivideOperCharRulesObj));
}

TEST_F(NumberEntryTest, DivideRulesForEastAsianLanguages) {
    struct Case {
        int language;
        char expected;
    };
    for (const Case& c : {Case{kLangChinese, '/'}, {kLangJapanese, '/'}, {kLangKorean, '/'}, {kLangEnglish, '\xF7'},
                          {7, '\xF7'}, {0, '\xF7'}}) {
        TStMediator mediator;
        TDivideOperCharRules rules(mediator, TFixedSystemLanguage(c.language));
        EXPECT_EQ(rules.CurrentChar(), c.expected) << c.language;
        EXPECT_EQ(FormatSettings().DivideOperChar, c.expected) << c.language;
        if (c.expected == '/') {
            EXPECT_EQ(rules.Normalize('\xF7'), '/');
            EXPECT_EQ(rules.Normalize('/'), '/');
            EXPECT_EQ(FormatSettings().OperatorKeys(), "+-/XRP");
        }
        rules.Choose();  // the language was asked once; choosing again gives the same
        EXPECT_EQ(rules.CurrentChar(), c.expected);
    }
}

TEST_F(NumberEntryTest, DivideRulesRefuseASecondInstanceOnOneBus) {
    TStMediator mediator;
    TFixedSystemLanguage english;
    TDivideOperCharRules rules(mediator, english);
    EXPECT_THROW(TDivideOperCharRules(mediator, english), EMediatorError);
    EXPECT_TRUE(mediator.Exists(events::GloObj_GetDivideOperCharRulesObj));
}

TEST_F(NumberEntryTest, ConvertNumberCases) {
    struct Case {
        const char* original;
        const char* denominator;
        bool halfEven;
        const char* equivalent;
        const char* time;
        bool matched;
    };
    const Case cases[] = {
        {"1.75", "8", false, "1 6/8", "01:45:00", true},          // case 1
        {"1.75", "1", false, "2", "01:45:00", true},
        {"0.5", "0", false, "1", "00:30:00", true},
        {"-2.25", "4", false, "-2 1/4", "-02:15:00", true},
        {"1.75", "", false, "1.75", "01:45:00", true},            // case 2
        {"1,234.5", "", false, "1234.5", "1234:30:00", true},
        {"2.345", "", false, "2.345", "02:20:42", true},
        {"1E20", "", false, "1E20", "", true},                    // time overflows: empty
        {"1 3/4", "", false, "1.75", "01:45:00", true},           // case 3
        {"3/4", "", false, "0.75", "00:45:00", true},
        {"1 1/3", "", false, "1.33333333333333", "01:20:00", true},
        {"1 3/4", "8", false, "1 6/8", "01:45:00", true},         // case 4
        {"1 1/8", "4", true, "1", "01:07:30", true},
        {"1 1/8", "4", false, "1 1/4", "01:07:30", true},
        {"1:30", "", false, "1.5", "01:30:00", true},             // case 5
        {"-0:45", "", false, "-0.75", "-00:45:00", true},
        {"1:30", "4", false, "1 2/4", "01:30:00", true},          // case 6
        {"", "", false, "", "", false},                          // case 7
        {"abc", "", false, "", "", false},
        {"1.5", "abc", false, "", "", false},
        {"1.5", " 4", false, "", "", false},
        {"1E5000", "", false, "", "", false},
    };
    for (const Case& c : cases) {
        const TNumberConversion r = ConvertNumber(c.original, c.denominator, c.halfEven);
        EXPECT_EQ(r.Matched, c.matched) << c.original << " / " << c.denominator;
        EXPECT_EQ(r.Equivalent, c.equivalent) << c.original << " / " << c.denominator;
        if (c.matched) {
            EXPECT_EQ(r.EquivalentTime, c.time) << c.original << " / " << c.denominator;
        }
    }
    EXPECT_EQ(ConvertNumber("1234.5", "2", false, true).Equivalent, "1,234 1/2");
    EXPECT_EQ(ParseDenominator("+8"), 8);
    EXPECT_EQ(ParseDenominator("-8"), -8);
    EXPECT_FALSE(ParseDenominator(""));
    EXPECT_FALSE(ParseDenominator("99999999999999999999"));
}

}  // namespace
}  // namespace tally
