// The memory lines that receive linked values: prepared empty (or holding "-"), then, once the
// link manager has written the value, closed or totalled.
#include "engine/series/series_base.h"
#include "tapes/calculator_memory.h"
#include "tapes/tapes_test_fixture.h"

namespace tally {
namespace {

using test::Rows;
using MemoryLinkTest = test::TapesTest<TCalculatorMemory>;

// The link manager writes the linked value into the prepared line, as it does under its guard.
void WriteLinkedValue(TCalculatorMemory& memory, const std::string& value) {
    memory.Lines().SetEntries(memory.FocusLine(), value);
}

TEST_F(MemoryLinkTest, AnEmptyMemoryGetsAnOpenLineThatAZeroTotalCloses) {
    ASSERT_TRUE(tape_.PrepareLinkLine("gro", "T2", true, 0));
    EXPECT_EQ(TapeRows(), (Rows{" |-"}));
    // The line holding the minus waits to become the destination.
    EXPECT_TRUE(tape_.CanSetAsLinkDest(0));
    EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 0);
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "T2");
    EXPECT_EQ(tape_.CurrentSeries()->TotalType(), "T2");

    WriteLinkedValue(tape_, "-01:30");
    ASSERT_TRUE(tape_.CloseForLink("gro"));
    EXPECT_EQ(TapeRows(), (Rows{" |-01:30", "=|==========", "T|-01:30", "Z|0", " |"}));
    EXPECT_EQ(tape_.FocusLine(), 0);
    EXPECT_EQ(shownTotal_, "-01:30");
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(MemoryLinkTest, AMemorySeriesGetsALineBeforeItsTotalThatEnterCommits) {
    ASSERT_TRUE(tape_.StoreEntry("+3", 2, "DE", "", "", false));
    ASSERT_TRUE(tape_.PrepareLinkLine("", "DE", false, 3));
    EXPECT_EQ(TapeRows(), (Rows{" |+3.000", " |", "=|==========", "T|3.000", "Z|0.000", " |"}));
    EXPECT_EQ(tape_.FocusLine(), 1);

    WriteLinkedValue(tape_, "+1.5");
    ASSERT_TRUE(tape_.CloseForLink(""));
    EXPECT_EQ(TapeRows(), (Rows{" |+3.000", " |+1.500", "=|==========", "T|4.500", "Z|0.000", " |"}));
    EXPECT_EQ(shownTotal_, "4.500");
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(MemoryLinkTest, OtherKindsAreRefusedWithoutAChange) {
    EXPECT_FALSE(tape_.PrepareLinkLine("e", "DE", false, 2));
    EXPECT_FALSE(tape_.CloseForLink("xyz"));
    EXPECT_EQ(TapeRows(), (Rows{" |"}));
}

}  // namespace
}  // namespace tally
