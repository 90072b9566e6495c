#include "platform/headless_notification_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace tally {
namespace {

using Buttons = TMessageBoxButtons;
using Answer = TMessageBoxAnswer;

TEST(ButtonsAllowTest, EachButtonSetAllowsExactlyItsAnswers) {
    const std::tuple<Buttons, bool, bool, bool, bool> table[] = {
        // buttons, Yes, No, Cancel, Ok
        {Buttons::Ok, false, false, false, true},
        {Buttons::OkCancel, false, false, true, true},
        {Buttons::YesNo, true, true, false, false},
        {Buttons::YesNoCancel, true, true, true, false},
    };
    for (const auto& [buttons, yes, no, cancel, ok] : table) {
        SCOPED_TRACE(static_cast<int>(buttons));
        EXPECT_EQ(ButtonsAllow(buttons, Answer::Yes), yes);
        EXPECT_EQ(ButtonsAllow(buttons, Answer::No), no);
        EXPECT_EQ(ButtonsAllow(buttons, Answer::Cancel), cancel);
        EXPECT_EQ(ButtonsAllow(buttons, Answer::Ok), ok);
    }
}

TEST(HeadlessNotificationPlatformTest, UnscriptedBoxesGiveTheAnswerThatChangesLeast) {
    HeadlessNotificationPlatform platform;
    const std::pair<Buttons, Answer> table[] = {
        {Buttons::Ok, Answer::Ok},
        {Buttons::OkCancel, Answer::Cancel},
        {Buttons::YesNo, Answer::No},
        {Buttons::YesNoCancel, Answer::Cancel},
    };
    for (const auto& [buttons, expected] : table) {
        EXPECT_EQ(platform.AskMessageBox("text", "caption", buttons, TMessageBoxIcon::None),
                  expected);
    }
}

TEST(HeadlessNotificationPlatformTest, ScriptedAnswersAreUsedInOrderAndMustFitTheButtons) {
    HeadlessNotificationPlatform platform;
    platform.QueueAnswer(Answer::Yes);
    platform.QueueAnswer(Answer::Yes);
    EXPECT_EQ(platform.AskMessageBox("a", "c", Buttons::YesNo, TMessageBoxIcon::Question),
              Answer::Yes);
    EXPECT_THROW(platform.AskMessageBox("b", "c", Buttons::Ok, TMessageBoxIcon::None),
                 std::logic_error);
}

TEST(HeadlessNotificationPlatformTest, ClosingTheWindowDestroysItAndItsText) {
    HeadlessNotificationPlatform platform;
    platform.SetNotificationWindowLines({"one"});
    platform.ShowNotificationWindowAt({5, 6});
    EXPECT_TRUE(platform.IsNotificationWindowOpen());
    platform.CloseNotificationWindow();
    EXPECT_FALSE(platform.IsNotificationWindowOpen());
    EXPECT_FALSE(platform.WindowVisible());
    EXPECT_TRUE(platform.WindowLines().empty());
}

}  // namespace
}  // namespace tally
