// Typing into standard series through the tape's key handlers: whole tapes (indicator, entry,
// running total) after key sequences on the last line under the data entry options, in decimal
// and time series, and the refusals and warnings given on the way.
#include "engine/entry/typing_checks.h"
#include "foundation/numbers/entry_checks.h"
#include "foundation/numbers/format_settings.h"
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;

constexpr std::string_view kSeparatorRow = "=|==========|";

struct TypingCase {
    std::string name;
    int option;
    std::string keys;
    Rows rows;
    std::vector<std::string> beeps;
};

class SeriesTypingTest : public test::TypingTest {
protected:
    void Check(const TypingCase& c) {
        SCOPED_TRACE(c.name);
        tape_.SetDataEntryOption(c.option);
        Type(c.keys);
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(Beeps(), c.beeps);
    }
};

TEST_F(SeriesTypingTest, EnterAndOperatorKeysOnTheLastLineBuildTotalsAndSubtotals) {
    const std::string sep(kSeparatorRow);
    const std::string firstX = FirstEntryOperatorRefusal('X');
    for (const TypingCase& c : {
             TypingCase{"enter totals the open series", 1, "12+5\n",
                        {" |+12.00|12.00", " |+5.00|17.00", sep, "T|17.00|17.00", " ||"}, {}},
             TypingCase{"enter on an empty line after a total closes the series", 1, "12+5\n\n",
                        {" |+12.00|12.00", " |+5.00|17.00", sep, "T|17.00|17.00", "Z|0.00|0.00", " ||"}, {}},
             TypingCase{"an operator-only entry is cleared into the total", 1, "12-\n",
                        {" |+12.00|12.00", sep, "T|12.00|12.00", " ||"}, {}},
             TypingCase{"a product is totalled at once", 1, "12X3+",
                        {" |+12.00|12.00", " |X3.00|36.00", sep, "T|36.00|36.00", " |+|"}, {}},
             TypingCase{"a subtotal goes before a multiplicative entry", 1, "12+5X2\n",
                        {" |+12.00|12.00", " |+5.00|17.00", sep, "S|17.00|17.00", " |X2.00|34.00", sep,
                         "T|34.00|34.00", " ||"},
                        {}},
             TypingCase{"a total becomes a subtotal when the series goes on", 1, "5\n7\n",
                        {" |+5.00|5.00", sep, "S|5.00|5.00", " |+7.00|12.00", sep, "T|12.00|12.00", " ||"}, {}},
             TypingCase{"a multiplicative first entry is refused", 1, "X", {" ||"}, {firstX}},
             TypingCase{"x after a number commits it and starts the next entry", 1, "12x",
                        {" |+12.00|12.00", " |X|"}, {}},
             // Without a fraction leader before it, "/" can be no fraction's slash: it divides.
             TypingCase{"slash after a number divides", 1, "100/4\n",
                        {" |+100.00|100.00", " |\xF7" "4.00|25.00", sep, "T|25.00|25.00", " ||"}, {}},
             TypingCase{"slash after a single digit divides", 1, "3/4\n",
                        {" |+3.00|3.00", " |\xF7" "4.00|0.75", sep, "T|0.75|0.75", " ||"}, {}},
             TypingCase{"auto start begins a new series with the number typed after a total", 2, "5\n7\n",
                        {" |+5.00|5.00", sep, "T|5.00|5.00", "Z|0.00|0.00", " |+7.00|7.00", sep, "T|7.00|7.00",
                         " ||"},
                        {}},
             TypingCase{"auto start leaves an operator to the open series", 2, "5\n+7\n",
                        {" |+5.00|5.00", sep, "S|5.00|5.00", " |+7.00|12.00", sep, "T|12.00|12.00", " ||"}, {}},
             TypingCase{"enter key start closes every total", 3, "5\n7+2\n",
                        {" |+5.00|5.00", sep, "T|5.00|5.00", "Z|0.00|0.00", " |+7.00|7.00", " |+2.00|9.00", sep,
                         "T|9.00|9.00", "Z|0.00|0.00", " ||"},
                        {}},
             TypingCase{"auto embed leaves an entry typed operator first", 4, "+7\n",
                        {" |+7.00|7.00", sep, "T|7.00|7.00", " ||"}, {}},
             TypingCase{"auto embed puts a bare number into a new embedded series", 4, "7+3\n",
                        {"(||", " |+7.00|", " |+3.00|", sep, "T|10.00|", ")||", " |+10.00|10.00", " |+|"}, {}},
         }) {
        tape_.Lines().RemoveLines(0, tape_.Lines().LineCount());
        test::FillTape(tape_.Lines(), {{" ", ""}});
        tape_.SetFocusLine(0);
        tape_.ResetRunningValue();
        Beeps().clear();
        Check(c);
    }
}

// The numeric pad's divide key types the divide operator itself, and the key after it is
// typed as it is.
TEST_F(SeriesTypingTest, TheKeypadDivideKeyIsTheDivideOperatorAndNoKeyIsLost) {
    Type("100");
    EXPECT_TRUE(tape_.KeyDown(TTapeKey::NumPadDivide));
    Type("4\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+100.00|100.00", " |\xF7" "4.00|25.00", std::string(kSeparatorRow),
                                "T|25.00|25.00", " ||"}));
    EXPECT_TRUE(Beeps().empty());

    // At the start of a series the operator is refused, and the next digit is a digit.
    tape_.EraseTape();
    EXPECT_TRUE(tape_.KeyDown(TTapeKey::NumPadDivide));
    EXPECT_EQ(Beeps(), (std::vector<std::string>{FirstEntryOperatorRefusal('\xF7')}));
    Type("4");
    EXPECT_EQ(tape_.Editor().Text, "4");
}

// Where blanks group thousands (stored as the no-break space), a typed blank groups them too.
TEST_F(SeriesTypingTest, ABlankGroupsThousandsWhereTheSeparatorIsASpace) {
    SetFormatSeparators(",", " ");
    Type("1 234,5");
    EXPECT_EQ(tape_.Editor().Text, "1\xA0" "234,5");
    Type("\n");
    EXPECT_EQ(tape_.RunningValue(), 1234.5L);
    EXPECT_TRUE(Beeps().empty());
    ResetFormatSettings();
}

TEST_F(SeriesTypingTest, TimeEntriesSetTheTotalTypeAndWarnAboutSecondsInAnHoursMinutesSeries) {
    const std::string sep(kSeparatorRow);
    const std::string seconds(kSecondsInHoursMinutesWarning);
    for (const TypingCase& c : {
             TypingCase{"hours and minutes", 1, "1:30+0:45\n",
                        {" |+01:30|01:30", " |+00:45|02:15", sep, "T|02:15|02:15", " ||"}, {}},
             TypingCase{"seconds in the first entry make the series hours:minutes:seconds", 1, "1:00:10+0:00:30\n",
                        {" |+01:00:10|01:00:10", " |+00:00:30|01:00:40", sep, "T|01:00:40|01:00:40", " ||"}, {}},
             // Each key that leaves three components in the text warns; the entry is rounded.
             TypingCase{"seconds typed later are rounded to minutes", 1, "1:30+0:00:30\n",
                        {" |+01:30|01:30", " |+00:01|01:31", sep, "T|01:31|01:31", " ||"},
                        {seconds, seconds, seconds}},
         }) {
        tape_.Lines().RemoveLines(0, tape_.Lines().LineCount());
        test::FillTape(tape_.Lines(), {{" ", ""}});
        tape_.SetOpenSeriesTotalType("DE");
        tape_.SetFocusLine(0);
        tape_.ResetRunningValue();
        Beeps().clear();
        Check(c);
    }
}

TEST_F(SeriesTypingTest, ExtraDecimalsWarnUnlessTheSeriesTakesThem) {
    const std::string sep(kSeparatorRow);
    Check({"rounded", 1, "1.234\n", {" |+1.23|1.23", sep, "T|1.23|1.23", " ||"}, {std::string(kDecimalPlacesWarning)}});

    Fill({{" ", ""}});
    tape_.ResetRunningValue();
    Beeps().clear();
    tape_.SetAutoIncreaseDecimalPlaces(true);
    Check({"decimal places raised", 1, "1.234\n", {" |+1.234|1.234", sep, "T|1.234|1.234", " ||"}, {}});
}

TEST_F(SeriesTypingTest, TheFifteenthDigitIsTakenAndTheSixteenthRefused) {
    Type("123456789012345");
    EXPECT_TRUE(Beeps().empty());
    Type("6");
    EXPECT_EQ(tape_.Editor().Text, "123456789012345");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{std::string(kDigitCapacityMessage)}));
    // Decimals count too.
    Fill({{" ", ""}});
    tape_.SetAutoIncreaseDecimalPlaces(true);  // no decimal places warnings
    Beeps().clear();
    Type("1.23456789012345");
    EXPECT_TRUE(Beeps().empty());
    Type("9");
    EXPECT_EQ(tape_.Editor().Text, "1.23456789012345");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{std::string(kDigitCapacityMessage)}));
}

TEST_F(SeriesTypingTest, ItemCountsFollowTheTotalWhenShown) {
    tape_.SetShowSeriesTotalItemCount(true);
    Type("5+7\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+5.00|5.00", " |+7.00|12.00", std::string(kSeparatorRow), "T(2)|12.00|12.00", " ||"}));
}

// The request to start a new series carries the key, which the runner types once the zero
// total is in; the key typed again meets no second redirect.
TEST_F(SeriesTypingTest, AutoStartAndAutoEmbedPostTheirStepWithTheKey) {
    tape_.SetDataEntryOption(DataEntryOption::kAutoStart);
    Type("5\n");
    posted_.clear();
    tape_.KeyPress('7');
    ASSERT_EQ(posted_.size(), 1U);
    EXPECT_EQ(posted_[0].Code, requests::ZeroTotal);
    EXPECT_EQ(posted_[0].SecondParam, '7');
    EXPECT_EQ(tape_.Editor().Text, "");
    RunRequests();
    EXPECT_EQ(tape_.Editor().Text, "7");

    Fill({{" ", ""}});
    tape_.SetDataEntryOption(DataEntryOption::kAutoEmbed);
    posted_.clear();
    tape_.KeyPress('c');  // a quick copy is no number
    tape_.KeyPress('\b');
    tape_.KeyPress('4');
    ASSERT_EQ(posted_.size(), 1U);
    EXPECT_EQ(posted_[0].Code, requests::InsertNewEmbeddedSeriesCommand);
    EXPECT_EQ(posted_[0].SecondParam, '4');
}

// The series leaves a repeated operator to the tape, which asks for a new embedded series
// instead of refusing the key.
TEST_F(SeriesTypingTest, ARepeatedOperatorAsksForAnEmbeddedSeries) {
    Type("12+");
    posted_.clear();
    Type("+");
    EXPECT_TRUE(Beeps().empty());
    ASSERT_FALSE(posted_.empty());
    EXPECT_EQ(posted_[0].Code, requests::InsertNewEmbeddedSeriesCommand);
    EXPECT_EQ(posted_[0].SecondParam, 0);
    EXPECT_EQ(TapeRows(), (Rows{" |+12.00|12.00", "(||", " ||", ")||", " |+|"}));
}

TEST_F(SeriesTypingTest, LineReferenceCommandsAreHandedToTheMainWindow) {
    Type("12+");
    posted_.clear();
    Type("c5\n");
    EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::CopyWithStoredEntryData}));
    EXPECT_EQ(tape_.Editor().Text, "+c5");
    posted_.clear();
    Type("\b\b\bl3+");
    EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::LinkWithStoredEntryData}));
    EXPECT_EQ(tape_.Editor().Text, "l3");
}

}  // namespace
}  // namespace tally
