// The post-edit pass and the series total texts a tape reports.
#include <string>
#include <vector>

#include "tape_test_fixture.h"

namespace tally {
namespace {

class TapePostEditTest : public test::TapeTest {};

// Links and totals feed each other; the pass alternates until no link is pending and lets the
// view repaint (never take input) between rounds.
TEST_F(TapePostEditTest, PendingLinksAndTotalsAreProcessedInRoundsWithRepaintsBetween) {
    struct Case {
        int linksPendingAtStart;
        int linksQueuedByFirstTotals;
        std::string expectedCalls;
        int expectedRepaints;
    };
    // Links carried by a round may change series totals, so totals always run after links.
    for (const Case& c : {Case{0, 0, "T", 1}, Case{0, 1, "TLT", 2}, Case{2, 0, "LTLT", 2}}) {
        SCOPED_TRACE(c.expectedCalls);
        HeadlessTapeView view;
        TCalculator tape('t', &bus_, &view);
        int pending = c.linksPendingAtStart;
        bool firstTotals = true;
        std::string calls;
        tape.Hooks().GetPendingLinkCount = [&] { return pending; };
        tape.Hooks().ProcessPendingLinks = [&] {
            calls += 'L';
            --pending;
        };
        tape.Hooks().ProcessPendingTotals = [&](TCalculator&) {
            calls += 'T';
            if (firstTotals) pending += c.linksQueuedByFirstTotals;
            firstTotals = false;
        };
        tape.PostEditPass();
        EXPECT_EQ(calls, c.expectedCalls);
        EXPECT_EQ(view.RepaintCount(), c.expectedRepaints);
    }
}

TEST_F(TapePostEditTest, CollectedMessagesAreShownAfterTheEvent) {
    tape_.PostEditPass();
    EXPECT_FALSE(Posted(108));
    notifier_.Get().MessageList().Add("Operation at line T3 not performed.");
    tape_.PostEditPass();
    EXPECT_TRUE(Posted(108));
}

TEST_F(TapePostEditTest, SeriesTotalTextsFollowTheFocusSeries) {
    Fill({{" ", "+10.00"}, {"=", "=========="}, {"T", "10.00"}, {"Z", "0.00", "SDP=2"},
          {" ", "+2.50"}, {" ", ""}}, 0);
    std::vector<std::string> shown;
    tape_.Hooks().OnSeriesTotalChange = [&](TCalculator&, const std::string& text) { shown.push_back(text); };
    tape_.SetRunningValue(2.5L, "00:00:00");
    EXPECT_EQ(tape_.GetSeriesTotalText(), "10.00");
    EXPECT_EQ(tape_.GetSeriesFinalTotalText(), "10.00");
    tape_.NotifySeriesTotal(5);
    EXPECT_EQ(shown, (std::vector<std::string>{"2.50"}));

    tape_.SetFocusLine(5);
    tape_.SetOpenSeriesTotalType("T2");
    tape_.SetRunningValue(5400, "01:30");
    EXPECT_EQ(tape_.GetSeriesTotalText(), "01:30");
    EXPECT_EQ(tape_.GetSeriesFinalTotalText(), "01:30");
}

}  // namespace
}  // namespace tally
