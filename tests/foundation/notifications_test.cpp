#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "foundation/notifications/notification_placement.h"
#include "foundation/notifications/notifier.h"
#include "platform/headless_notification_platform.h"

namespace tally {
namespace {

using Lines = std::vector<std::string>;

class NotifierTest : public ::testing::Test {
protected:
    HeadlessNotificationPlatform platform;
    TInstalledNotifier installed{platform};
    TNotifier& notifier = Notifier();
};

TEST_F(NotifierTest, InstalledNotifierIsTheProcessWideOneUntilItGoes) {
    EXPECT_EQ(&notifier, &installed.Get());
    {
        HeadlessNotificationPlatform inner;
        TInstalledNotifier nested(inner);
        Notifier().ExplainAndBeep("inner");
        EXPECT_EQ(inner.BeepCount(), 1);
    }
    EXPECT_EQ(&Notifier(), &notifier);
    EXPECT_EQ(platform.BeepCount(), 0);
    EXPECT_EQ(notifier.LastBeepExplanation(), "");
}

// No empty window: it says that there is nothing to explain.
TEST_F(NotifierTest, ExplainLastBeepWithoutAnExplanationSaysSo) {
    notifier.ShowLastExplanation();
    EXPECT_TRUE(platform.WindowVisible());
    EXPECT_EQ(platform.WindowLines(), Lines{"There is no explanation for the last beep."});
    EXPECT_EQ(platform.BeepCount(), 0);
}

TEST_F(NotifierTest, ExplainAndBeepStoresTheTextAndBeepsWithoutOpeningTheWindow) {
    notifier.ExplainAndBeep("Can not delete the last line.");
    notifier.ExplainAndBeep("Cannot paste here.");
    EXPECT_EQ(notifier.LastBeepExplanation(), "Cannot paste here.");
    EXPECT_EQ(platform.BeepCount(), 2);
    EXPECT_FALSE(platform.IsNotificationWindowOpen());

    notifier.ShowLastExplanation();
    EXPECT_EQ(platform.WindowLines(), Lines{"Cannot paste here."});
}

TEST_F(NotifierTest, RefusalWhileTheWindowIsOpenReplacesItsTextAtOnce) {
    notifier.ExplainAndBeep("first");
    notifier.ShowLastExplanation();
    const int shows = platform.WindowShowCount();

    notifier.ExplainAndBeep("second");
    EXPECT_EQ(platform.WindowLines(), Lines{"second"});
    EXPECT_EQ(platform.WindowShowCount(), shows);  // replaced in place, not shown again

    platform.CloseNotificationWindow();
    notifier.ExplainAndBeep("third");
    EXPECT_FALSE(platform.IsNotificationWindowOpen());
    EXPECT_EQ(notifier.LastBeepExplanation(), "third");
}

TEST_F(NotifierTest, MessageListShowsMessagesAsParagraphsThenEmpties) {
    TWyn_MultMsgList& list = notifier.MessageList();
    list.Add("Line T3: total too big.");
    list.Add("");
    list.Add("Line T7: decimal accuracy reduced.");
    list.Add("");
    ASSERT_EQ(list.Count(), 4u);

    notifier.ShowMessageList();

    EXPECT_EQ(platform.WindowLines(),
              (Lines{"Line T3: total too big.", "", "Line T7: decimal accuracy reduced.", ""}));
    EXPECT_TRUE(platform.WindowVisible());
    EXPECT_EQ(platform.BeepCount(), 1);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(list.Texts().empty());
}

TEST_F(NotifierTest, RepeatedShowRequestDoesNotBlankTheShownMessages) {
    notifier.MessageList().Add("Line T3: total too big.");
    notifier.MessageList().Add("");
    notifier.ShowMessageList();
    notifier.ShowMessageList();
    EXPECT_EQ(platform.WindowLines(), (Lines{"Line T3: total too big.", ""}));
    EXPECT_EQ(platform.BeepCount(), 1);
    EXPECT_EQ(platform.WindowShowCount(), 1);
}

TEST_F(NotifierTest, NotificationWindowIsPlacedBesideTheMainWindow) {
    platform.SetScreenSize({1024, 768});
    platform.SetMainWindowBounds({100, 50, 300, 400});
    platform.SetNotificationWindowSize({212, 210});
    notifier.ShowLastExplanation();
    EXPECT_EQ(platform.WindowPosition(), (TPoint{400, 145}));
}

TEST_F(NotifierTest, MessageBoxPassesTextCaptionAndButtonsAndReturnsTheAnswer) {
    platform.QueueAnswer(TMessageBoxAnswer::No);
    EXPECT_EQ(notifier.MessageBox("Save changes to Untitled?", CaptionConfirm,
                                  TMessageBoxButtons::YesNoCancel, TMessageBoxIcon::Question),
              TMessageBoxAnswer::No);
    // Unscripted, the box gives the answer that abandons the operation.
    EXPECT_EQ(notifier.MessageBox("Delete?", CaptionConfirm, TMessageBoxButtons::YesNo),
              TMessageBoxAnswer::No);

    ASSERT_EQ(platform.MessageBoxes().size(), 2u);
    const TAskedMessageBox& asked = platform.MessageBoxes()[0];
    EXPECT_EQ(asked.Text, "Save changes to Untitled?");
    EXPECT_EQ(asked.Caption, "Tallyroll - Confirm");
    EXPECT_EQ(asked.Buttons, TMessageBoxButtons::YesNoCancel);
    EXPECT_EQ(asked.Icon, TMessageBoxIcon::Question);
}

struct PlacementCase {
    const char* name;
    TRect mainWindow;
    TSize window;
    TSize screen;
    TPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class NotificationPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(NotificationPlacementTest, Places) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(PlaceNotificationWindow(c.mainWindow, c.window, c.screen), c.expected);
}

// Screen 1000 x 800, notification window 200 x 100 unless stated.
INSTANTIATE_TEST_SUITE_P(
    Cases, NotificationPlacementTest,
    ::testing::Values(
        PlacementCase{"RightOfMainWindow", {100, 100, 400, 301}, {200, 101}, {1000, 800},
                      {500, 200}},  // 100 + 150 - 50, halves truncated
        PlacementCase{"RightEdgeExactlyAtScreenEdgeGoesLeft",
                      {300, 100, 500, 300}, {200, 100}, {1000, 800}, {100, 200}},
        PlacementCase{"JustFitsOnTheRight", {300, 100, 499, 300}, {200, 100}, {1000, 800},
                      {799, 200}},
        PlacementCase{"NoRoomOnEitherSideFlushWithScreenRight",
                      {150, 100, 800, 300}, {200, 100}, {1000, 800}, {800, 200}},
        PlacementCase{"WidthEqualToLeftIsNoRoom", {200, 100, 800, 300}, {200, 100},
                      {1000, 800}, {800, 200}},
        PlacementCase{"BelowScreenBottomMovesUp", {100, 700, 300, 200}, {200, 100},
                      {1000, 800}, {400, 700}},
        PlacementCase{"BottomEdgeExactlyAtScreenBottomStays", {100, 650, 300, 200},
                      {200, 100}, {1000, 800}, {400, 700}},
        PlacementCase{"AboveScreenTopClampsToZero", {100, -300, 300, 200}, {200, 100},
                      {1000, 800}, {400, 0}},
        PlacementCase{"TallerThanScreenKeepsTopOnScreen", {100, 100, 300, 200},
                      {200, 900}, {1000, 800}, {400, 0}},
        PlacementCase{"WiderThanScreenKeepsLeftOnScreen", {100, 100, 300, 200},
                      {1200, 100}, {1000, 800}, {0, 150}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tally
