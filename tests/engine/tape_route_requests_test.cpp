// The requests a tape posts, run after the key as the main window runs them; a key waiting
// for a step is typed again only after the step was done, and never redirected again.
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;

class TapeRequestsTest : public test::TypingTest {
protected:
    void Post(int code, int secondParam = 0) {
        queue_.Post({code, 0, secondParam});
        RunRequests();
    }
    // "+5" committed and totalled: the open series ends with a total line.
    void FillTotalled() {
        Fill({{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", ""}});
    }
};

TEST_F(TapeRequestsTest, AZeroTotalRequestTypesItsKeyOnlyAfterTheZeroTotalWasMade) {
    FillTotalled();
    Post(requests::ZeroTotal, '7');
    EXPECT_EQ(TapeRows(), (Rows{" |+5.00|5.00", "=|==========|", "T|5.00|5.00", "Z|0.00|0.00", " |7|"}));
    EXPECT_EQ(tape_.Editor().Text, "7");

    // On the first line of a tape no zero total can be made: the key is not typed either.
    Fill({{" ", ""}});
    Post(requests::ZeroTotal, '7');
    EXPECT_EQ(TapeRows(), (Rows{" ||"}));
    EXPECT_EQ(Beeps(), (std::vector<std::string>{"The first line in a calculation series can not be a zero total line."}));
}

TEST_F(TapeRequestsTest, AnEmbeddedSeriesRequestTypesItsKeyOnlyAfterTheSeriesWasInserted) {
    // Embedded series do not nest: nothing is inserted, and the key is not typed either.
    Fill({{"(", "", "STYP=e"}, {" ", "+3.00", "STYP=e"}, {" ", "", "STYP=e"}}, 1);
    const Rows before = TapeRows();
    Post(requests::InsertNewEmbeddedSeriesCommand, '7');
    EXPECT_EQ(TapeRows(), before);
    EXPECT_EQ(tape_.Editor().Text, "+3.00");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{
                           "Cannot insert an embedded calculation series into another embedded calculation series."}));
}

// A key typed again skips the redirect that sent it away, so it cannot be sent away again.
TEST_F(TapeRequestsTest, ARetypedKeyIsNeverRedirected) {
    tape_.SetDataEntryOption(DataEntryOption::kAutoStart);
    FillTotalled();
    ASSERT_TRUE(tape_.RetypeKey('7'));
    EXPECT_EQ(tape_.Editor().Text, "7");
    EXPECT_TRUE(posted_.empty());

    tape_.SetDataEntryOption(DataEntryOption::kAutoEmbed);
    Fill({{" ", ""}});
    ASSERT_TRUE(tape_.RetypeKey('7'));
    EXPECT_EQ(tape_.Editor().Text, "7");
    EXPECT_TRUE(posted_.empty());
}

TEST_F(TapeRequestsTest, RowSelectionMessageListAndSeriesCommandsRunOnTheTape) {
    FillTotalled();
    Post(requests::SelectTapeGridRow, 1);  // grid rows count the heading as row 0
    EXPECT_EQ(tape_.FocusLine(), 0);

    Notifier().MessageList().Add("one");
    Post(requests::ShowMessageList);
    EXPECT_EQ(platform_.WindowLines(), (std::vector<std::string>{"one"}));
    EXPECT_EQ(Notifier().MessageList().Count(), 0);

    Post(requests::InsertNewSeriesCommand);
    EXPECT_EQ(tape_.Lines().LineCount(), 8);
    Post(requests::DeleteSeriesCommand);
    EXPECT_EQ(tape_.Lines().LineCount(), 4);
}

TEST_F(TapeRequestsTest, RequestsForMissingTapesAreTakenAndTheWindowsOwnAreLeft) {
    FillTotalled();
    const Rows before = TapeRows();
    for (int code : {requests::MemoryTotalToEntry, requests::SideToEntry, requests::RecallMemoryEntry,
                     requests::LinkWithStoredEntryData, requests::CopyWithStoredEntryData}) {
        EXPECT_TRUE(runner_.Run({code, 0, 0})) << code;
    }
    EXPECT_FALSE(runner_.Run({requests::RecomputeWindowWidth, 0, 0}));
    EXPECT_EQ(TapeRows(), before);
    EXPECT_TRUE(Beeps().empty());
}

}  // namespace
}  // namespace tally
