// Whole tapes typed key by key through the tape's route, with the requests run after each
// key, for the five data entry options, decimal and time series, and the typing refusals.
#include "tape_route_typing.h"

#include "foundation/numbers/entry_checks.h"

namespace tally {
namespace {

using test::Rows;

struct TypingCase {
    int option;
    std::string keys;  // '\n' is Enter
    Rows rows;         // "indicator|entries|running total" per line
    std::vector<std::string> beeps = {};
    std::string totalType = "DE";
};

class TapeRouteOptionsTest : public test::TypingTest {
protected:
    void Check(const TypingCase& c) {
        SCOPED_TRACE("option " + std::to_string(c.option) + " keys " + c.keys);
        Fill({{" ", ""}});
        tape_.ResetRunningValue();
        tape_.SetDataEntryOption(c.option);
        tape_.SetOpenSeriesTotalType(c.totalType);
        tape_.ChooseCurrentSeries();
        Beeps().clear();
        Type(c.keys);
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(Beeps(), c.beeps);
    }
};

TEST_F(TapeRouteOptionsTest, EachOptionStartsAndEndsSeriesItsOwnWay) {
    const TypingCase cases[] = {
        // Manual start: a number after the total continues the series; the total becomes a
        // subtotal.
        {1, "12+5\n7\n",
         {" |+12.00|12.00", " |+5.00|17.00", "=|==========|", "S|17.00|17.00", " |+7.00|24.00",
          "=|==========|", "T|24.00|24.00", " ||"}},
        // Enter on the empty line after a total closes the series.
        {1, "12\n\n", {" |+12.00|12.00", "=|==========|", "T|12.00|12.00", "Z|0.00|0.00", " ||"}},
        // Auto start: the number after the total starts a new series.
        {2, "12\n7\n",
         {" |+12.00|12.00", "=|==========|", "T|12.00|12.00", "Z|0.00|0.00", " |+7.00|7.00", "=|==========|",
          "T|7.00|7.00", " ||"}},
        // Auto start does not apply to an operator: "+7" continues the series.
        {2, "12\n+7\n",
         {" |+12.00|12.00", "=|==========|", "S|12.00|12.00", " |+7.00|19.00", "=|==========|",
          "T|19.00|19.00", " ||"}},
        // Enter key start: every total is followed by a zero total.
        {3, "12\n", {" |+12.00|12.00", "=|==========|", "T|12.00|12.00", "Z|0.00|0.00", " ||"}},
        // Auto embed: a number typed first opens an embedded series that holds it; an operator
        // typed first does not.
        {4, "7+3\n",
         {"(||", " |+7.00|", " |+3.00|", "=|==========|", "T|10.00|", ")||", " |+10.00|10.00", " |+|"}},
        {4, "+7\n", {" |+7.00|7.00", "=|==========|", "T|7.00|7.00", " ||"}},
        // Adding machine: the operator follows the number; "+" on an empty entry repeats it.
        {5, "5++", {" |+5.00|5.00", " |+5.00|10.00", " ||"}},
        {5, "+", {" ||"}, {"There is no previous number to duplicate."}},
        // A repeated operator outside embedded series asks for an embedded series.
        {1, "++3\n", {"(||", " |+3.00|", "=|==========|", "T|3.00|", ")||", " |+3.00|3.00", " |+|"}},
    };
    for (const TypingCase& c : cases) Check(c);
}

TEST_F(TapeRouteOptionsTest, TypingChecksRefuseOrWarnAndTheTapeShowsTheOutcome) {
    const TypingCase cases[] = {
        // A total operator cannot start a series; after a number it totals at once.
        {1, "X12X3+",
         {" |+12.00|12.00", " |X3.00|36.00", "=|==========|", "T|36.00|36.00", " |+|"},
         {"Operator \"X\" is not valid in the first entry of a calculation series."}},
        // The fifteenth digit is taken, the sixteenth refused.
        {1, "1234567890123456", {" |123456789012345|"}, {std::string(kDigitCapacityMessage)}},
        // A third decimal warns and is rounded away when committed.
        {1, "1.234\n",
         {" |+1.23|1.23", "=|==========|", "T|1.23|1.23", " ||"},
         {"Entering more decimal places than specified.  The number will be rounded unless the decimal "
          "places setting is increased."}},
        // A subtotal goes before a multiplicative entry that follows a sum.
        {1, "12+5X2\n",
         {" |+12.00|12.00", " |+5.00|17.00", "=|==========|", "S|17.00|17.00", " |X2.00|34.00",
          "=|==========|", "T|34.00|34.00", " ||"}},
    };
    for (const TypingCase& c : cases) Check(c);
}

TEST_F(TapeRouteOptionsTest, TimeSeriesTotalInTheirTotalType) {
    const TypingCase cases[] = {
        {1, "1:30+0:45\n", {" |+01:30|01:30", " |+00:45|02:15", "=|==========|", "T|02:15|02:15", " ||"}, {}, "T2"},
        {1, "1:30:15+0:45\n",
         {" |+01:30:15|01:30:15", " |+00:45:00|02:15:15", "=|==========|", "T|02:15:15|02:15:15", " ||"}, {}, "T3"},
    };
    for (const TypingCase& c : cases) Check(c);
}

}  // namespace
}  // namespace tally
