// Entry numbers: text tests, conversions and the format settings.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/numbers/numbers.h"

namespace tally {
namespace {

class NumberTextsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFormatSettings(); }
    void TearDown() override { ResetFormatSettings(); }
};

struct BoolCase {
    const char* text;
    bool expected;
};

TEST_F(NumberTextsTest, IsDigitText) {
    for (const BoolCase& c : {BoolCase{"", false}, {"0123", true}, {"12a", false}, {" 1", false}, {"-1", false}}) {
        EXPECT_EQ(IsDigitText(c.text), c.expected) << c.text;
    }
}

TEST_F(NumberTextsTest, IsDecimalText) {
    const BoolCase cases[] = {
        {"1234.5", true}, {"-1.5", true}, {"+1.5", true}, {".5", true}, {"5.", true}, {"0", true},
        {".", false}, {"", false}, {"+", false}, {"1 2", false}, {" 1", false}, {"1.5 ", false},
        {"1,234", false}, {"1.2.3", false}, {"1e5", true}, {"1E-5", true}, {"1e+5", true},
        {"1E", false}, {"E5", false}, {"1E5.0", false}, {"--1", false}, {"inf", false}, {"nan", false},
        {"0x10", false}, {"1E5000", false}, {"-1E5000", false}, {"1E-5000", true}, {"0E99999", true},
        {"123456789012345678901234567890", true},
    };
    for (const BoolCase& c : cases) EXPECT_EQ(IsDecimalText(c.text), c.expected) << c.text;
}

TEST_F(NumberTextsTest, IsDecimalTextUsesCurrentDecimalSeparator) {
    ASSERT_TRUE(SetFormatSeparators(",", "."));
    EXPECT_TRUE(IsDecimalText("1,5"));
    EXPECT_FALSE(IsDecimalText("1.5"));
    EXPECT_EQ(EntryNumberValue("1.234,5"), 1234.5L);
}

TEST_F(NumberTextsTest, IsFractionText) {
    std::string hugeDigits(6000, '9');
    const BoolCase cases[] = {
        {"3/4", true}, {" 3/4", true}, {"1 3/4", true}, {"-1 3/4", true}, {"+12 1/8", true},
        {"1 3/0", false}, {"1 3/000", false}, {"1.5 3/4", false}, {"1/2/3", false}, {"1 a/4", false},
        {"1 3/", false}, {"/4", false}, {"", false}, {"-", false}, {"1,234 3/4", true},
        {"1  3/4", true}, {"1 2 3/4", false},
        // Denominators beyond 64 bits and with leading zeros: "not zero" is tested on the digits.
        {"1 3/18446744073709551616", true}, {"3/0000000000000000000000000001", true},
    };
    for (const BoolCase& c : cases) EXPECT_EQ(IsFractionText(c.text), c.expected) << c.text;
    // A numerator beyond the range of the value type makes no finite number.
    EXPECT_FALSE(IsFractionText(" " + hugeDigits + "/1"));
    EXPECT_TRUE(IsFractionText("1 3/" + hugeDigits));
    EXPECT_FALSE(IsFractionText(" " + hugeDigits + "/" + hugeDigits));
}

TEST_F(NumberTextsTest, IsEntryFractionText) {
    const BoolCase cases[] = {
        {"3/4", false}, {" 3/4", true}, {"1 3/4", true}, {"1 3 /4", false}, {"-1 3/4", true}, {"12 1/8", true},
        {"1 3/0", false},
    };
    for (const BoolCase& c : cases) EXPECT_EQ(IsEntryFractionText(c.text), c.expected) << c.text;
}

TEST_F(NumberTextsTest, BlankThousandSeparatorMakesUnderscoreLeader) {
    EXPECT_TRUE(SetFormatSeparators(".", " "));
    EXPECT_EQ(FormatSettings().ThousandSeparator, '\xA0');
    EXPECT_EQ(FormatSettings().FractionLeader, '_');
    EXPECT_TRUE(IsEntryFractionText("1_3/4"));
    EXPECT_FALSE(IsFractionText("1 3/4"));
    EXPECT_TRUE(IsValidEntryNumber("1\xA0" "234"));
    EXPECT_EQ(EntryNumberValue("1\xA0" "234"), 1234.0L);
    EXPECT_EQ(EntryNumberValue("1\xA0" "234_1/2"), 1234.5L);
}

TEST_F(NumberTextsTest, TimeTests) {
    const BoolCase timeCases[] = {
        {"1:30", true}, {"12:05:09", true}, {"-1:30", true}, {"+1:30", true}, {":", true}, {"::", true},
        {"1:2:3:4", false}, {"1:3a", false}, {"1", false}, {"0:00:59.6", false}, {"--1:30", false},
        {"", false}, {"1 :30", false},
    };
    for (const BoolCase& c : timeCases) EXPECT_EQ(IsTimeText(c.text), c.expected) << c.text;
    EXPECT_FALSE(IsUnsignedTimeText("-1:30"));
    EXPECT_FALSE(IsUnsignedTimeText("+1:30"));
    EXPECT_TRUE(IsUnsignedTimeText("1:30"));
    EXPECT_EQ(TimeComponentCount("1:30"), 2);
    EXPECT_EQ(TimeComponentCount("-1:30:00"), 3);
    EXPECT_EQ(TimeComponentCount("abc"), 0);
    EXPECT_EQ(TimeComponentCount("1.5"), 0);
}

TEST_F(NumberTextsTest, IsWellFormedTime) {
    const BoolCase cases[] = {
        {"01:30", true}, {"1:30", false}, {"001:30", false}, {"100:30", true}, {"01:60", false},
        {"01:5", false}, {"01:30:59", true}, {"01:30:60", false}, {"01:30:5", false}, {"-01:30", true},
        {"abc", false},
    };
    for (const BoolCase& c : cases) EXPECT_EQ(IsWellFormedTime(c.text), c.expected) << c.text;
}

TEST_F(NumberTextsTest, TimeCapacity) {
    EXPECT_EQ(TimeTextToSeconds("596523:14:07"), 2147483647.0L);
    EXPECT_FALSE(TimeTextOverflows("596523:14:07"));
    EXPECT_TRUE(TimeTextOverflows("596523:14:08"));
    EXPECT_FALSE(TimeTextOverflows("0:0:2147483647"));
    EXPECT_TRUE(TimeTextOverflows("0:0:2147483648"));
    EXPECT_TRUE(TimeTextOverflows("-0:0:2147483648"));
    EXPECT_FALSE(TimeTextOverflows("1.5"));
    // An hours part too long for the value type overflows instead of reading as 0.
    EXPECT_TRUE(TimeTextOverflows(std::string(6000, '9') + ":00"));

    EXPECT_FALSE(SecondsOverflow(2147483647.0L));
    EXPECT_FALSE(SecondsOverflow(2147483647.4L));
    EXPECT_TRUE(SecondsOverflow(2147483647.5L));
    EXPECT_TRUE(SecondsOverflow(2147483648.0L));
    EXPECT_TRUE(SecondsOverflow(-2147483648.0L));
    EXPECT_FALSE(SecondsOverflow(0.0L));
    // Tiny magnitudes are no capacity limit: they show as zero.
    EXPECT_FALSE(SecondsOverflow(1e-10L));
    EXPECT_FALSE(SecondsOverflow(-0.00009L));
    EXPECT_TRUE(SecondsOverflow(INFINITY));
    EXPECT_TRUE(SecondsOverflow(NAN));
    EXPECT_FALSE(HoursOverflow(596523.0L));
    EXPECT_TRUE(HoursOverflow(596524.0L));
    EXPECT_FALSE(HoursOverflow(1e-12L));
}

TEST_F(NumberTextsTest, TimeOverflowException) {
    EXPECT_STREQ(ETimeValueOverflow().what(), "Time Value Overflow");
    EXPECT_THROW(CheckedSeconds(2147483648.0L), ETimeValueOverflow);
    EXPECT_EQ(CheckedSeconds(-2147483647.0L), -2147483647.0L);
}

TEST_F(NumberTextsTest, IsValidEntryNumber) {
    const BoolCase cases[] = {
        {"+3/4", false}, {"+ 3/4", true}, {"+1 3/4", true}, {"+1 3 /4", false}, {"+1,234.5", true},
        {"1,234.5", true}, {"X1:30", true}, {"-1:30", true}, {"--5", true}, {"---5", false}, {"+abc", false},
        {"", false}, {"+", false}, {"\xF7" "2", true}, {"P", false}, {"R1.5", true}, {"+1E5000", false},
        {"3/4", false}, {" 3/4", true}, {"1 3/4", true}, {"+0:00:59.6", false},
    };
    for (const BoolCase& c : cases) EXPECT_EQ(IsValidEntryNumber(c.text), c.expected) << c.text;
}

TEST_F(NumberTextsTest, EntryNumberValue) {
    struct Case {
        const char* text;
        long double value;
    };
    const Case cases[] = {
        {"", 0}, {"1,234.5", 1234.5L}, {"1 3/4", 1.75L}, {"-1 3/4", -1.75L}, {" 3/4", 0.75L},
        {"1:30", 1.5L}, {"-1:30", -1.5L}, {"0:0:36", 0.01L}, {"abc", 0}, {"3/4", 0}, {"1E3", 1000},
        {"0.1", 0.1L}, {"123456789012345", 123456789012345.0L}, {"1.5E-3", 0.0015L},
        {"12345678901234567890123", 12345678901234567890123.0L}, {"0.000000000000000000000000000001", 1e-30L},
    };
    for (const Case& c : cases) EXPECT_EQ(EntryNumberValue(c.text), c.value) << c.text;
    EXPECT_FALSE(std::signbit(EntryNumberValue("-0")));
    EXPECT_FALSE(std::signbit(EntryNumberValue("-0:00")));
}

TEST_F(NumberTextsTest, FractionValueAndSplit) {
    EXPECT_EQ(FractionValue("1 3/4"), 1.75L);
    EXPECT_EQ(FractionValue("3/4"), 0.75L);
    EXPECT_EQ(FractionValue("-3/4"), -0.75L);
    EXPECT_EQ(FractionValue("1 3/0"), 0);
    EXPECT_EQ(FractionValue("1,234 1/2"), 1234.5L);
    EXPECT_EQ(FractionValue("1 1/18446744073709551616"), 1.0L + 1.0L / 18446744073709551616.0L);

    TFractionParts p = SplitFraction("-12 1/8");
    EXPECT_EQ(p.Whole, "12");
    EXPECT_EQ(p.Numerator, "1");
    EXPECT_EQ(p.Denominator, "8");
    EXPECT_EQ(p.Sign, '-');
    p = SplitFraction(" 3/4");
    EXPECT_EQ(p.Whole, "");
    EXPECT_EQ(p.Numerator, "3");
    EXPECT_EQ(p.Denominator, "4");
    EXPECT_EQ(p.Sign, '+');
    EXPECT_EQ(SplitFraction("1,234 3/4").Whole, "1234");
    p = SplitFraction("1 2 3/4");
    EXPECT_EQ(p.Whole + p.Numerator + p.Denominator, "");
    p = SplitFraction("abc");
    EXPECT_EQ(p.Whole + p.Numerator + p.Denominator, "");
}

TEST_F(NumberTextsTest, SplitTimeAndSeconds) {
    struct Case {
        const char* text;
        const char* h;
        const char* m;
        const char* s;
    };
    const Case cases[] = {
        {"1:30", "1", "30", "0"}, {"-:5", "-0", "5", "0"}, {"+:", "+0", "0", "0"}, {":", "0", "0", "0"},
        {"12:05:09", "12", "05", "09"}, {"1:2:3", "1", "2", "3"}, {"-3:00:7", "-3", "00", "7"},
    };
    for (const Case& c : cases) {
        const TTimeParts t = SplitTime(c.text);
        EXPECT_EQ(t.Hours, c.h) << c.text;
        EXPECT_EQ(t.Minutes, c.m) << c.text;
        EXPECT_EQ(t.Seconds, c.s) << c.text;
    }
    EXPECT_EQ(TimeTextToSeconds("1:30"), 5400);
    EXPECT_EQ(TimeTextToSeconds("-1:30:15"), -5415);
    EXPECT_EQ(TimeTextToSeconds("0:0:60"), 60);
    EXPECT_EQ(TimeTextToSeconds(":"), 0);
    EXPECT_EQ(TimeTextToHours("1:30"), 1.5L);

    TSecondsParts s = SplitSeconds(3661);
    EXPECT_EQ(s.Hours, 1);
    EXPECT_EQ(s.Minutes, 1);
    EXPECT_EQ(s.Seconds, 1);
    s = SplitSeconds(-3661);
    EXPECT_EQ(s.Hours, 1);
    EXPECT_EQ(s.Seconds, 1);
    s = SplitSeconds(59.6L);
    EXPECT_EQ(s.Minutes, 0);
    EXPECT_EQ(s.Seconds, 60);
    s = SplitSeconds(INFINITY);
    EXPECT_EQ(s.Hours, 0);
}

// --- Format settings --------------------------------------------------------------------------

TEST_F(NumberTextsTest, DefaultSettingsAndCharacterSets) {
    const TFormatSettings& fs = FormatSettings();
    EXPECT_EQ(fs.DecimalSeparator, '.');
    EXPECT_EQ(fs.ThousandSeparator, ',');
    EXPECT_EQ(fs.TimeSeparator, ':');
    EXPECT_EQ(fs.FractionLeader, ' ');
    EXPECT_EQ(fs.FractionSlash, '/');
    EXPECT_EQ(fs.DivideOperChar, '\xF7');
    EXPECT_EQ(fs.OperatorKeys(), "+-\xF7XRP");
    EXPECT_EQ(fs.Digits(), "0123456789");
    EXPECT_EQ(fs.FractionChars(), " /");
    EXPECT_EQ(fs.AllowedEntryChars(), "+-\xF7XRP0123456789 /:,.");
    EXPECT_TRUE(fs.IsOperatorKey('X'));
    EXPECT_FALSE(fs.IsOperatorKey('x'));
    EXPECT_TRUE(fs.IsAllowedEntryChar(':'));
    EXPECT_FALSE(fs.IsAllowedEntryChar('a'));

    SetDivideOperChar('/');
    EXPECT_EQ(fs.OperatorKeys(), "+-/XRP");
    SetDivideOperChar('x');  // ignored
    EXPECT_EQ(fs.DivideOperChar, '/');

    ASSERT_TRUE(SetFormatSeparators(",", " "));
    EXPECT_EQ(fs.FractionChars(), "_/");
    EXPECT_EQ(fs.AllowedEntryChars(), "+-/XRP0123456789_/:\xA0,");
}

TEST_F(NumberTextsTest, SeparatorFallbacks) {
    struct Case {
        const char* decimal;
        const char* thousand;
        bool accepted;
        char dec;
        char tho;
        char leader;
    };
    const Case cases[] = {
        {",", ".", true, ',', '.', ' '},
        {".", ",", true, '.', ',', ' '},
        {".", " ", true, '.', '\xA0', '_'},
        {",", "\xA0", true, ',', '\xA0', '_'},
        {".", "'", true, '.', '\'', ' '},
        {"", ",", false, '.', ',', ' '},
        {".", "", false, '.', ',', ' '},
        {".", ".", false, '.', ',', ' '},
        {"ab", ",", false, '.', ',', ' '},
        {"/", ",", false, '.', ',', ' '},
        {":", ",", false, '.', ',', ' '},
        {"+", ",", false, '.', ',', ' '},
        {".", "-", false, '.', ',', ' '},
        {"5", ",", false, '.', ',', ' '},
        {".", "X", false, '.', ',', ' '},
        {"P", ",", false, '.', ',', ' '},
        {".", "R", false, '.', ',', ' '},
        {" ", ",", false, '.', ',', ' '},
        {"\xA0", ",", false, '.', ',', ' '},
        {",", "_", false, '.', ',', ' '},
        {"\xF7", ",", false, '.', ',', ' '},
    };
    for (const Case& c : cases) {
        ResetFormatSettings();
        EXPECT_EQ(SetFormatSeparators(c.decimal, c.thousand), c.accepted) << c.decimal << "|" << c.thousand;
        EXPECT_EQ(FormatSettings().DecimalSeparator, c.dec) << c.decimal << "|" << c.thousand;
        EXPECT_EQ(FormatSettings().ThousandSeparator, c.tho) << c.decimal << "|" << c.thousand;
        EXPECT_EQ(FormatSettings().FractionLeader, c.leader) << c.decimal << "|" << c.thousand;
    }
}

TEST_F(NumberTextsTest, SeparatorsFromUtf8) {
    EXPECT_TRUE(SetFormatSeparatorsUtf8(",", "\xE2\x80\xAF"));  // narrow no-break space
    EXPECT_EQ(FormatSettings().ThousandSeparator, '\xA0');
    EXPECT_EQ(FormatSettings().FractionLeader, '_');
    EXPECT_TRUE(SetFormatSeparatorsUtf8(".", "\xC2\xA0"));
    EXPECT_EQ(FormatSettings().ThousandSeparator, '\xA0');
    EXPECT_TRUE(SetFormatSeparatorsUtf8("\xC2\xB7", ","));  // middle dot, 0xB7 in Windows-1252
    EXPECT_EQ(FormatSettings().DecimalSeparator, '\xB7');
    EXPECT_FALSE(SetFormatSeparatorsUtf8("\xE4\xB8\x80", ","));  // no Windows-1252 form
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
    EXPECT_FALSE(SetFormatSeparatorsUtf8("\xC2\xA0", ","));  // space-like decimal separator
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
}

}  // namespace
}  // namespace tally
