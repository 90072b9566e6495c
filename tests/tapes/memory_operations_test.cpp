// What the memory tape lets the user do: delete entry lines and edit annotations and table
// column numbers. Every other operation and key is refused with its text or ignored, and
// changes nothing.
#include <functional>
#include <vector>

#include "tapes/calculator_memory.h"
#include "tapes/tapes_test_fixture.h"

namespace tally {
namespace {

using test::Rows;

class MemoryOperationsTest : public test::TapesTest<TCalculatorMemory> {
protected:
    // Two values stored: +3.00 and +2.00 with their total 5.00.
    void StoreTwo() {
        ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "", false));
        ASSERT_TRUE(tape_.StoreEntry("+2", 2, "DE", "", "", false));
        Beeps().clear();
        tape_.SetModified(false);
    }
};

const Rows kTwoStored = {" |+3.00", " |+2.00", "=|==========", "T|5.00", "Z|0.00", " |"};

struct RefusalCase {
    std::string name;
    LineIndex focus;
    std::function<void(TCalculatorMemory&)> operation;
    std::string refusal;
};

const std::vector<RefusalCase>& RefusalCases() {
    static const std::vector<RefusalCase> cases = {
        {"ClearEntry", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.ClearEntry()); },
         "Cannot clear the contents of an entry cell on the memory tape."},
        {"ZeroTotal", 5, [](TCalculatorMemory& m) { EXPECT_FALSE(m.ZeroTotal()); }, "Cannot zero the memory tape total"},
        {"InsertNewSeries", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.InsertNewSeries()); },
         "Can not insert a calculation series into the memory tape."},
        {"InsertNewEmbeddedSeries", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.InsertNewEmbeddedSeries()); },
         "Cannot insert an embedded calculation series into the memory tape."},
        {"PasteSeries", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.PasteSeries("id")); },
         "Can not paste a calculation series to the memory tape."},
        {"PasteLine", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.PasteLine("id")); },
         "Can not paste a tape line to the memory tape."},
        {"PasteTape", 0, [](TCalculatorMemory& m) { EXPECT_FALSE(m.PasteTape("id")); },
         "Can not paste a tape to the memory tape."},
        {"DeleteZeroTotalLine", 4, [](TCalculatorMemory& m) { EXPECT_FALSE(m.DeleteLine()); },
         "Can not delete the zero total line from the memory tape."},
        {"DeleteTotalLine", 3, [](TCalculatorMemory& m) { EXPECT_FALSE(m.DeleteLine()); },
         "Can not delete the total line from the memory tape."},
        {"DeleteTotalIndicatorLine", 2, [](TCalculatorMemory& m) { EXPECT_FALSE(m.DeleteLine()); },
         "Can not delete the total line from the memory tape."},
        {"DeleteKey", 0, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyDown(TTapeKey::Delete)); },
         "Can not delete entry characters from the memory tape."},
        {"Digit", 5, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress('5')); },
         "Cannot enter data into a memory tape entry."},
        {"OperatorOnAnEntry", 0, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress('+')); },
         "Cannot enter data into a memory tape entry."},
        {"Enter", 1, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress(TapeChar::kEnter)); },
         "Cannot enter data into a memory tape entry."},
        {"Backspace", 0, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress(TapeChar::kBackspace)); },
         "Cannot enter data into a memory tape entry."},
        {"CommandLetter", 5, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress('m')); },
         "Cannot enter data into a memory tape entry."},
        {"NumericPadDivide", 5, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyDown(TTapeKey::NumPadDivide)); },
         "Cannot enter data into a memory tape entry."},
        {"CtrlV", 5, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress(TapeChar::kCtrlV)); },
         "Can not paste data to a memory tape entry."},
        {"CtrlX", 0, [](TCalculatorMemory& m) { EXPECT_TRUE(m.KeyPress(TapeChar::kCtrlX)); },
         "Can not cut data from a memory tape entry."},
    };
    return cases;
}

class MemoryRefusals : public MemoryOperationsTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(MemoryRefusals, ExplainBeepAndChangeNothing) {
    const RefusalCase& c = GetParam();
    StoreTwo();
    clipboard_.SetText("7");
    tape_.SetFocusLine(c.focus);
    c.operation(tape_);
    EXPECT_EQ(Beeps(), (Rows{c.refusal}));
    EXPECT_EQ(TapeRows(), kTwoStored);
    EXPECT_EQ(tape_.Editor().Text, std::string(tape_.Lines().Entries(c.focus)));
    EXPECT_FALSE(tape_.IsModified());
    EXPECT_TRUE(posted_.empty());
}

INSTANTIATE_TEST_SUITE_P(Memory, MemoryRefusals, ::testing::ValuesIn(RefusalCases()),
                         [](const auto& info) { return info.param.name; });

TEST_F(MemoryOperationsTest, TabCtrlCAndTheIgnoredOperationsChangeNothingAndSayNothing) {
    StoreTwo();
    tape_.SetFocusLine(0);
    EXPECT_TRUE(tape_.KeyPress('\t'));
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlC));
    EXPECT_EQ(clipboard_.GetText(), "+3.00");
    tape_.SetDataEntryOption(DataEntryOption::kAutoStart);
    EXPECT_EQ(tape_.DataEntryOption(), DataEntryOption::kManualStart);
    for (char letter : {'e', 'm', 's'}) EXPECT_FALSE(tape_.IsTapeCommandLetter(letter));
    EXPECT_FALSE(tape_.CanInsertNewSeries());
    EXPECT_FALSE(tape_.CanInsertNewEmbeddedSeries());
    EXPECT_FALSE(tape_.CanDeleteEmbeddedSeries());
    EXPECT_FALSE(tape_.CanEmptyEmbeddedSeries());
    tape_.SetFocusLine(5);
    EXPECT_FALSE(tape_.InsertLine());  // the last line
    tape_.SetFocusLine(4);
    EXPECT_FALSE(tape_.InsertLine());  // the zero total line
    EXPECT_EQ(TapeRows(), kTwoStored);
    EXPECT_TRUE(Beeps().empty());
    EXPECT_TRUE(posted_.empty());
}

TEST_F(MemoryOperationsTest, CanInsertLineOnlyWhereTheSeriesTakesANewEntry) {
    EXPECT_FALSE(tape_.CanInsertLine(0));  // an empty memory
    StoreTwo();
    EXPECT_FALSE(tape_.CanInsertLine(-1));
    EXPECT_FALSE(tape_.CanInsertLine(6));
    EXPECT_FALSE(tape_.CanInsertLine(5));  // the last line
    EXPECT_FALSE(tape_.CanInsertLine(4));  // the zero total line
    EXPECT_TRUE(tape_.CanInsertLine(0));
    EXPECT_TRUE(tape_.CanInsertLine(3));
}

TEST_F(MemoryOperationsTest, DeletingAnEntryLineRecalculatesTheMemoryTotal) {
    StoreTwo();
    tape_.SetFocusLine(0);
    ASSERT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(TapeRows(), (Rows{" |+2.00", "=|==========", "T|2.00", "Z|0.00", " |"}));
    EXPECT_EQ(shownTotal_, "2.00");

    // The only entry of the series: the whole series goes, after the event.
    ASSERT_FALSE(tape_.DeleteLine());
    RunRequests();
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
    EXPECT_EQ(shownTotal_, "0.00");
}

TEST_F(MemoryOperationsTest, AnnotationsAreEditedAsOnEveryTape) {
    StoreTwo();
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    tape_.SetFocusLine(1);
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 1));
    tape_.SetModified(false);
    Type("gas\n");
    EXPECT_EQ(tape_.Lines().Annotations(1), "gas");
    EXPECT_TRUE(tape_.IsModified());
    Type("x\x1B");
    EXPECT_EQ(tape_.Lines().Annotations(1), "gas");
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(MemoryOperationsTest, TableColumnsTakeDigitsUpToTheMaximumOnEntryAndTotalLines) {
    StoreTwo();
    tape_.SetColumnShown(TTapeColumn::TableColumns, true);
    tape_.Hooks().GetMaxTableColumn = [] { return 12; };
    struct KeyCase {
        LineIndex line;
        std::string keys;
        std::string cell;
        std::string refusal;
    };
    const std::vector<KeyCase> cases = {
        {0, "7", "7", ""},
        {3, "12", "12", ""},
        {0, "a", "", "Only digits are permitted in the table columns column."},
        {2, "a", "", "Only digits are permitted in the table columns column."},
        {2, "3", "", "A total indicator line cannot be assigned to a table column."},
        {4, "3", "", "A zero total line cannot be assigned to a table column."},
        {1, "13", "1",
         "The number you are trying to enter exceeds the maximum table column number of 12.  (You can change "
         "this maximum number by changing the maximum number of table DATA columns allowed in the General "
         "Options window.)"},
    };
    for (const KeyCase& c : cases) {
        Beeps().clear();
        tape_.SetFocusLine(c.line);
        ASSERT_TRUE(tape_.SelectCell(TTapeColumn::TableColumns, c.line));
        Type(c.keys);
        EXPECT_EQ(tape_.Lines().TableColumns(c.line), c.cell) << c.line << " " << c.keys;
        EXPECT_EQ(Beeps(), c.refusal.empty() ? Rows{} : Rows{c.refusal}) << c.line << " " << c.keys;
        Type("\x1B");
        ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Entries, c.line));
    }
    EXPECT_EQ(TapeRows(), kTwoStored);
}

TEST_F(MemoryOperationsTest, AFullRefreshClosesAnOpenLastSeriesAndFocusesTheFirstLine) {
    Fill({{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", ""}});
    tape_.RefreshAll();
    EXPECT_EQ(TapeRows(), (Rows{" |+5.00", "=|==========", "T|5.00", "Z|0.00", " |"}));
    EXPECT_EQ(tape_.FocusLine(), 0);
    EXPECT_TRUE(Beeps().empty());

    // A closed memory and an empty one stay as they are.
    tape_.SetFocusLine(4);
    tape_.RefreshAll();
    EXPECT_EQ(tape_.Lines().LineCount(), 5);
    EXPECT_EQ(tape_.FocusLine(), 4);
    tape_.EraseTape();
    tape_.RefreshAll();
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
    EXPECT_TRUE(Beeps().empty());
}

}  // namespace
}  // namespace tally
