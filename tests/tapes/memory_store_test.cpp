// Storing values into the memory tape: a new series in an empty memory, lines before the total
// of the memory series, decimal places and time forms following the values, annotations, and
// the values the memory refuses.
#include <vector>

#include "foundation/numbers/entry_checks.h"
#include "tapes/calculator_memory.h"
#include "tapes/tapes_test_fixture.h"

namespace tally {
namespace {

using test::Rows;
using MemoryStoreTest = test::TapesTest<TCalculatorMemory>;

struct TStore {
    std::string entry;
    int decimals = 2;
    std::string totalType = "DE";
    std::string kind = "";
    bool minus = false;
};

struct StoreCase {
    std::string name;
    std::vector<TStore> stores;  // all but the last build the memory; the last is the one tested
    Rows rows;                   // the memory afterwards
    std::string total;           // the memory total shown
};

const std::vector<StoreCase>& StoreCases() {
    static const std::vector<StoreCase> cases = {
        {"EmptyMemoryGetsOneSeriesAndTheTotalOperatorGoes",
         {{"X3"}},
         {" |+3.00", "=|==========", "T|3.00", "Z|0.00", " |"},
         "3.00"},
        {"MinusTurnsTheSign", {{"-4", 2, "DE", "", true}}, {" |+4.00", "=|==========", "T|4.00", "Z|0.00", " |"}, "4.00"},
        {"MinusPutsASignBeforeAnUnsignedTotal",
         {{"1,234.50", 2, "DE", "", true}},
         {" |-1,234.50", "=|==========", "T|-1,234.50", "Z|0.00", " |"},
         "-1,234.50"},
        {"GroupAndGrandTotalsGoIntoTheStandardSeries",
         {{"+5", 2, "DE", "gro"}, {"7.5", 2, "DE", "gra"}},
         {" |+5.00", " |+7.50", "=|==========", "T|12.50", "Z|0.00", " |"},
         "12.50"},
        {"SecondStoreGoesBeforeTheTotal",
         {{"+3"}, {"+2", 2, "DE", "", true}},
         {" |+3.00", " |-2.00", "=|==========", "T|1.00", "Z|0.00", " |"},
         "1.00"},
        {"MoreDecimalPlacesRaiseTheSeries",
         {{"+3"}, {"+1.125", 3}},
         {" |+3.000", " |+1.125", "=|==========", "T|4.125", "Z|0.000", " |"},
         "4.125"},
        {"FewerDecimalPlacesLeaveTheSeries",
         {{"+3.125", 3}, {"+1.5", 1}},
         {" |+3.125", " |+1.500", "=|==========", "T|4.625", "Z|0.000", " |"},
         "4.625"},
        {"SecondsTurnAnHoursMinutesSeriesIntoHoursMinutesSeconds",
         {{"+01:30", 0, "T2"}, {"+00:10:30", 0, "T3"}},
         {" |+01:30:00", " |+00:10:30", "=|==========", "T|01:40:30", "Z|0", " |"},
         "01:40:30"},
        {"ADecimalValueInATimeSeriesCountsAsHours",
         {{"+01:30", 2, "T2"}, {"+0.5", 2}},
         {" |+01:30", " |+0.50", "=|==========", "T|02:00", "Z|0.00", " |"},
         "02:00"},
    };
    return cases;
}

class MemoryStoreCases : public MemoryStoreTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(MemoryStoreCases, StoresTheValue) {
    const StoreCase& c = GetParam();
    for (const TStore& store : c.stores) {
        ASSERT_TRUE(tape_.StoreEntry(store.entry, store.decimals, store.totalType, store.kind, "", store.minus))
            << store.entry;
    }
    EXPECT_EQ(TapeRows(), c.rows);
    EXPECT_EQ(shownTotal_, c.total);
    EXPECT_TRUE(Beeps().empty());
    EXPECT_TRUE(tape_.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Memory, MemoryStoreCases, ::testing::ValuesIn(StoreCases()),
                         [](const auto& info) { return info.param.name; });

TEST_F(MemoryStoreTest, TheAnnotationGoesWithTheValueWhenAnnotationsAreShown) {
    ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "hidden", false));
    EXPECT_EQ(tape_.Lines().Annotations(0), "");
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    // A line break in the source's annotation would split the memory line in files.
    ASSERT_TRUE(tape_.StoreEntry("+2", 2, "DE", "", "rent\r\nMay", false));
    EXPECT_EQ(tape_.Lines().Annotations(1), "rent  May");
    EXPECT_EQ(tape_.FocusLine(), 1);
}

TEST_F(MemoryStoreTest, TextTheSourceKindRejectsIsDroppedSilently) {
    for (const auto& [entry, kind] : std::vector<std::pair<std::string, std::string>>{
             {"abc", ""}, {"", ""}, {"X", "gro"}, {"+5", "e"}, {"+5", "xyz"}}) {
        EXPECT_FALSE(tape_.StoreEntry(entry, 2, "DE", kind, "", false)) << entry << " " << kind;
    }
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
    EXPECT_TRUE(Beeps().empty());
    EXPECT_FALSE(tape_.IsModified());
}

// The time total type is the series' own, held by its zero total line; its total line has none.
TEST_F(MemoryStoreTest, ATimeTotalBeyondTheCapacityIsRefusedAndShownAtOnce) {
    ASSERT_TRUE(tape_.StoreEntry("+596000:00", 0, "T2", "", "", false));
    ASSERT_EQ(tape_.Lines().Property(2, LineKey::kTotalType), "");
    const Rows before = TapeRows();
    EXPECT_FALSE(tape_.StoreEntry("+1000:00", 0, "T2", "", "", false));
    EXPECT_EQ(TapeRows(), before);
    const std::string refusal =
        "Storing this entry number or total number in memory would produce a memory total too big for a time "
        "value.  The memory total type is set to one of the time total types.";
    EXPECT_EQ(Beeps(), (Rows{refusal}));
    EXPECT_EQ(platform_.WindowLines(), (Rows{refusal}));
    EXPECT_TRUE(platform_.WindowVisible());

    // Taking value out again is fine.
    EXPECT_TRUE(tape_.StoreEntry("+1000:00", 0, "T2", "", "", true));
    EXPECT_EQ(shownTotal_, "595000:00");
}

// The store moves the focus as the user would: an annotation edited on the line left reaches
// the table manager first.
TEST_F(MemoryStoreTest, AnAnnotationEditPendingOnTheLineLeftIsHandedOn) {
    std::vector<LineIndex> committed;
    tape_.Hooks().CommitAnnotation = [&committed](TCalculator&, LineIndex line) { committed.push_back(line); };
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    for (const bool emptyFirst : {false, true}) {
        tape_.EraseTape();
        ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "", false));
        // Line 0, or the memory's only line when the memory is empty again.
        if (emptyFirst) tape_.EraseTape();
        tape_.Lines().SetProperty(0, LineKey::kTableColumnId, "c1");
        ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 0));
        Type("x");
        committed.clear();
        ASSERT_TRUE(tape_.StoreEntry("+2", 2, "DE", "", "", false));
        EXPECT_EQ(committed, (std::vector<LineIndex>{0})) << emptyFirst;
    }
}

// A memory read from a file may hold a range of another kind: the value starts a standard
// series after it.
TEST_F(MemoryStoreTest, AMemoryWithoutASeriesOfTheKindGetsANewOneAtItsEnd) {
    Fill({{"[", "", "STYP=gro"}, {"g", "5.00", "STYP=gro"}, {"]", "", "STYP=gro"}, {" ", ""}}, 1);
    ASSERT_TRUE(tape_.StoreEntry("+2.5", 1, "DE", "gra", "", false));
    EXPECT_EQ(TapeRows(), (Rows{"[|", "g|5.00", "]|", " |+2.5", "=|==========", "T|2.5", "Z|0.0", " |"}));
    EXPECT_EQ(tape_.FocusLine(), 3);
    EXPECT_EQ(shownTotal_, "2.5");
}

// The commit refuses a value the first look let through: the lines made for it go again.
TEST_F(MemoryStoreTest, AValueTheCommitRefusesLeavesNoLineBehind) {
    EXPECT_FALSE(tape_.StoreEntry("+600000:00", 0, "T2", "", "", false));
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
    ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "", false));
    const Rows stored = TapeRows();
    EXPECT_FALSE(tape_.StoreEntry("+600000:00", 2, "DE", "", "", false));
    EXPECT_EQ(TapeRows(), stored);
    EXPECT_EQ(shownTotal_, "3.00");
    EXPECT_EQ(Beeps(), (Rows{std::string(kTimeCapacityMessage), std::string(kTimeCapacityMessage)}));
}

// A prepared link line that never got its value holds the focus on an empty entry: the store
// cannot reach the total and writes nothing anywhere.
TEST_F(MemoryStoreTest, AStoreThatCannotReachTheTotalWritesNothing) {
    ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "", false));
    ASSERT_TRUE(tape_.PrepareLinkLine("", "DE", false, 2));
    ASSERT_EQ(tape_.FocusLine(), 1);
    const Rows before = TapeRows();
    EXPECT_FALSE(tape_.StoreEntry("+4", 2, "DE", "", "", false));
    EXPECT_EQ(TapeRows(), before);
    EXPECT_EQ(Beeps().size(), 1u);
}

TEST_F(MemoryStoreTest, SignedFocusNumberDropsOnlyATotalOperator) {
    tape_.SetFocusLine(0);
    EXPECT_EQ(tape_.SignedFocusNumber(), "");
    ASSERT_TRUE(tape_.StoreEntry("X-3", 2, "DE", "", "", false));
    EXPECT_EQ(tape_.SignedFocusNumber(), "-3.00");
    tape_.SetFocusLine(1);
    EXPECT_EQ(tape_.SignedFocusNumber(), "");  // the total indicator line
    tape_.SetFocusLine(2);
    EXPECT_EQ(tape_.SignedFocusNumber(), "-3.00");
}

}  // namespace
}  // namespace tally
