// Line editing that asks the link manager: merging series across a zero total line, and
// unlinking the line that becomes a zero total line.
#include "engine/tape/link_manager_records.h"
#include "tape_test_fixture.h"

namespace tally::test {
namespace {

class EditingLinksTest : public TapeTest {};

TEST_F(EditingLinksTest, ZeroTotalLineStaysWhenMergingWouldCloseACircleOfLinks) {
    int asked = 0;
    bus_.Add(events::LinkMgr_ZTLDeletionCircLink, [&](TMedRecord* in, TMedRecord* out) {
        auto* request = RecordAs<TMedLnkMgr_ZTLDeletionCircLink_In>(in);
        ++asked;
        EXPECT_EQ(request->Line, 4);
        request->Chain = "T3, T6";
        RecordAs<TMedBoolean>(out)->Value = true;
    });
    Fill({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00", "SDP=2"}, {" ", "+2.00"},
          {"=", "=========="}, {"T", "2.00"}, {"Z", "0.00", "SDP=2"}, {" ", ""}},
         3);
    EXPECT_FALSE(tape_.DeleteLine());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Explanation(),
              "Cannot delete the zero total line at line 4.  Its deletion would create a circular "
              "link between the following lines: T3, T6");
    EXPECT_EQ(Indicators()[3], "Z");
}

TEST_F(EditingLinksTest, ZeroTotalLineMergesWhenTheLinkManagerSeesNoCircle) {
    bus_.Add(events::LinkMgr_ZTLDeletionCircLink, [](TMedRecord*, TMedRecord*) {});
    Fill({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00", "SDP=2"}, {" ", "+2.00"},
          {"=", "=========="}, {"T", "2.00"}, {"Z", "0.00", "SDP=2"}, {" ", ""}},
         3);
    EXPECT_TRUE(tape_.DeleteLine());
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "S", " ", "=", "T", "Z", " "}));
    EXPECT_EQ(Entries()[5], "3.00");
}

TEST_F(EditingLinksTest, LinkedLineIsUnlinkedBeforeItBecomesAZeroTotalLine) {
    std::vector<int> unlinked;
    bus_.Add(events::LinkMgr_Unlink, [&](TMedRecord* in, TMedRecord*) {
        const auto* request = RecordAs<TMedLnkMgr_UnLinkData_In>(in);
        EXPECT_EQ(request->Mode, 'u');
        unlinked.push_back(request->Line);
    });
    Fill({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {" ", "", "LID=AD+1234567890123456"},
          {" ", "+5.00"}, {" ", ""}},
         3);
    ASSERT_TRUE(tape_.ZeroTotal());
    EXPECT_EQ(unlinked, (std::vector<int>{4}));
    EXPECT_EQ(Indicators()[3], "Z");
}

}  // namespace
}  // namespace tally::test
