// The adding machine data entry option: numbers first, the operator key commits them; "+" and
// "-" on an empty entry repeat the number above; "X", divide, "P" and "R" start an embedded
// series from the number; multiplicative entries outside embedded series keep their operator.
#include "engine/entry/typing_checks.h"
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;

const std::string kSep = "=|==========|";

class AddingMachineTest : public test::TypingTest {
protected:
    AddingMachineTest() { tape_.SetDataEntryOption(DataEntryOption::kAddingMachine); }

    void Restart() {
        Fill({{" ", ""}});
        tape_.ResetRunningValue();
        Beeps().clear();
    }
};

TEST_F(AddingMachineTest, OperatorKeysFollowTheNumber) {
    struct Case {
        std::string name;
        std::string keys;
        Rows rows;
        std::vector<std::string> beeps;
    };
    for (const Case& c : {
             Case{"plus and minus commit without a total", "5+3-", {" |+5.00|5.00", " |-3.00|2.00", " ||"}, {}},
             Case{"enter totals as in the other options", "5+3-\n",
                  {" |+5.00|5.00", " |-3.00|2.00", kSep, "T|2.00|2.00", " ||"}, {}},
             Case{"an operator on an empty entry repeats the number above", "5++-",
                  {" |+5.00|5.00", " |+5.00|10.00", " |-5.00|5.00", " ||"}, {}},
             Case{"nothing to repeat", "+", {" ||"}, {"There is no previous number to duplicate."}},
             Case{"a multiplicative operator needs a number", "X", {" ||"}, {FirstEntryOperatorRefusal('X')}},
             Case{"an operator typed first is not taken", "-5+", {" |+5.00|5.00", " ||"},
                  {"There is no previous number to duplicate."}},
             Case{"a multiplicative operator embeds the number", "5X3\n",
                  {"(||", " |+5.00|", " |X3.00|", kSep, "T|15.00|", ")||", " |+15.00|"}, {}},
             Case{"a total starts the embedded series", "5+\nX2\n",
                  {" |+5.00|5.00", kSep, "T|5.00|5.00", "(||", " |+5.00|", " |X2.00|", kSep, "T|10.00|", ")||",
                   " |+10.00|"},
                  {}},
         }) {
        SCOPED_TRACE(c.name);
        Restart();
        Type(c.keys);
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(Beeps(), c.beeps);
    }
}

// A sign typed with the number combines with the operator key.
TEST_F(AddingMachineTest, TheKeysOperatorCombinesWithTheNumbersSign) {
    Fill({{" ", "-5"}});
    Type("-");
    EXPECT_EQ(tape_.Lines().Entries(0), "+5.00");
    Fill({{" ", "-5"}});
    Type("+");
    EXPECT_EQ(tape_.Lines().Entries(0), "-5.00");
}

TEST_F(AddingMachineTest, MultiplicativeEntriesOutsideEmbeddedSeriesKeepTheirOperator) {
    const std::string entryKept =
        "An entry that contains an X, \xF7, P, or R operator, and that is outside of an embedded calculation "
        "series, cannot be changed when the \"Simulate Adding Machine\" data entry option is selected.";
    const std::string operatorKept =
        "The arithmetic operator for an entry that is outside of an embedded calculation series cannot be "
        "changed to an X, \xF7, P, or R operator when the \"Simulate Adding Machine\" data entry option is "
        "selected.";
    const std::string deleteKept =
        "An entry that contains an X, \xF7, P, or R operator, and is outside of an embedded calculation "
        "series, cannot be changed when the \"Simulate Adding Machine\" data entry option is selected.";
    Fill({{" ", "+12.00"}, {" ", "X3.00"}, {"=", "=========="}, {"T", "36.00"}, {" ", ""}}, 1);
    Type("1");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{entryKept}));
    tape_.KeyDown(TTapeKey::Delete);
    EXPECT_EQ(Explanation(), deleteKept);
    EXPECT_EQ(tape_.Lines().Entries(1), "X3.00");

    tape_.SetFocusLine(0);
    tape_.Editor().SelStart = 0;
    tape_.Editor().SelLength = 1;  // the "+"
    Beeps().clear();
    Type("*");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{operatorKept}));
    EXPECT_EQ(tape_.Lines().Entries(0), "+12.00");
}

TEST_F(AddingMachineTest, TotalLinesTakeOnlyEnterAndMultiplicativeOperators) {
    Type("5+\n");
    const LineIndex total = 2;
    tape_.SetFocusLine(total);
    Type("7");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{
                           "Cannot enter numbers into the entries column of a total line, a zero total line, or a "
                           "boundary line for an embedded series."}));
    // Enter opens an empty entry line under the total.
    Type("\n");
    EXPECT_EQ(tape_.FocusLine(), total + 1);
    EXPECT_EQ(tape_.Lines().Entries(total + 1), "");
    EXPECT_EQ(tape_.SavedFocusEntry(), "+0.00");
}

}  // namespace
}  // namespace tally
