// Unlinking both ways, broken links after deletes and cuts, and the Links column kept current.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

// T1 is the source of T6 and M1 (number 1); M2 is the source of T7 (number 2, permanent).
void FillLinkedTapes(LinkDocument& d) {
    ReplaceTapeLines(d.main_, {{" ", "+5.00", Lid("AS+", 1)}, {" ", "+2.50"}, {"=", "=========="}, {"T", "7.50"},
                               {"Z", "0.00"}, {" ", "+5.00", Lid("AD+", 1)}, {" ", "+4.00", Lid("AD+", 2, "P")},
                               {" ", ""}});
    ReplaceTapeLines(d.memory_, {{" ", "+5.00", Lid("AD+", 1)}, {" ", "+4.00", Lid("AS+", 2, "P")}, {" ", ""}});
    d.main_.SetColumnShown(TTapeColumn::Links, true);
    d.memory_.SetColumnShown(TTapeColumn::Links, true);
    d.manager_.UpdateLinksDisplay();
}

struct UnlinkCase {
    std::string name;
    char tape;
    int line;
    char mode;
    // Link data left on T1, T6, M1, M2, T7, and T1's Links cell.
    std::vector<std::string> left;
    std::string sourceCell;
};

TEST(LinkMaintenance, UnlinkBothWays) {
    const std::string one = Num(1);
    const std::string two = Num(2);
    const std::vector<UnlinkCase> cases = {
        {"one of two destinations", 't', 6, 'u',
         {"AS+" + one, "", "AD+" + one, "AS+" + two + ",P", "AD+" + two + ",P"}, "Used at line  M1"},
        {"the source", 't', 1, 'u', {"", "", "", "AS+" + two + ",P", "AD+" + two + ",P"}, ""},
        {"a permanent destination by the user", 't', 7, 'u',
         {"AS+" + one, "AD+" + one, "AD+" + one, "AS+" + two + ",P", "AD+" + two + ",P"}, "Used at line  6, M1"},
        {"a permanent destination by the program", 't', 7, 'p',
         {"AS+" + one, "AD+" + one, "AD+" + one, "", ""}, "Used at line  6, M1"},
        {"a permanent source by the user keeps permanent destinations", 'm', 2, 'u',
         {"AS+" + one, "AD+" + one, "AD+" + one, "AS+" + two + ",P", "AD+" + two + ",P"}, "Used at line  6, M1"},
        {"a permanent source by the program", 'm', 2, 'p', {"AS+" + one, "AD+" + one, "AD+" + one, "", ""},
         "Used at line  6, M1"},
        {"a line without a link", 't', 2, 'u',
         {"AS+" + one, "AD+" + one, "AD+" + one, "AS+" + two + ",P", "AD+" + two + ",P"}, "Used at line  6, M1"},
    };
    for (const UnlinkCase& c : cases) {
        LinkDocument d;
        FillLinkedTapes(d);
        d.manager_.Unlink(c.tape, c.line, c.mode);
        const std::vector<std::string> left = {LinkTest::LinkOf(d.main_, 1), LinkTest::LinkOf(d.main_, 6),
                                               LinkTest::LinkOf(d.memory_, 1), LinkTest::LinkOf(d.memory_, 2),
                                               LinkTest::LinkOf(d.main_, 7)};
        EXPECT_EQ(left, c.left) << c.name;
        EXPECT_EQ(LinkTest::LinksCell(d.main_, 1), c.sourceCell) << c.name;
        if (c.left[1].empty()) {
            EXPECT_EQ(LinkTest::LinksCell(d.main_, 6), "") << c.name;
        }
    }
}

class BrokenLinksTest : public LinkTest {
protected:
    BrokenLinksTest() { FillLinkedTapes(*this); }
};

TEST_F(BrokenLinksTest, DeletingADestinationLineLeavesNoHalfLink) {
    ReplaceTapeLines(memory_, {{" ", "+9.00"}, {" ", "+4.00", Lid("AS+", 2, "P")}, {" ", ""}}, 0);
    main_.SetFocusLine(5);
    ASSERT_TRUE(main_.DeleteLine());
    manager_.RemoveBrokenLinks();
    EXPECT_EQ(LinkOf(main_, 1), "") << "T1 lost both its destinations";
    EXPECT_EQ(LinksCell(main_, 1), "");
    EXPECT_EQ(LinkOf(main_, 6), "AD+" + Num(2) + ",P") << "the line after moved up and kept its link";
    EXPECT_EQ(LinksCell(main_, 6), "From line  M2");
    EXPECT_EQ(LinksCell(memory_, 2), "Used at line  T6");
}

TEST_F(BrokenLinksTest, CutDataKeepsItsPartnersUntilItLeavesTheClipboard) {
    // The source line T1 is cut: its record holds the source's link data.
    clipboard_.SetText("[Tape Line]\r\nSessionId=1\r\nOperation=cut\r\nEntry=+5\r\nLinkId=AS+" + Num(1) +
                       "\r\nTableColId=\r\nTableColNum=\r\nAnnot=\r\nSeriesType=\r\n");
    main_.Lines().RemoveLines(0, 1);
    manager_.RemoveBrokenLinks();
    EXPECT_EQ(LinkOf(main_, 5), "AD+" + Num(1));
    EXPECT_EQ(LinkOf(memory_, 1), "AD+" + Num(1));
    clipboard_.SetText("[Tape Line]\r\nOperation=copy\r\nLinkId=AS+" + Num(1) + "\r\n");
    manager_.RemoveBrokenLinks();
    EXPECT_EQ(LinkOf(main_, 5), "");
    EXPECT_EQ(LinkOf(memory_, 1), "");
    EXPECT_EQ(LinkOf(memory_, 2), "AS+" + Num(2) + ",P") << "whole links stay";
}

TEST_F(BrokenLinksTest, ASourceMarkedButNeverUsedIsRemoved) {
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 2, ""));
    manager_.RemoveBrokenLinks();
    EXPECT_EQ(LinkOf(main_, 2), "");
    EXPECT_FALSE(manager_.SetAsLinkDest('a', 1, ""));
    EXPECT_EQ(Explanation().substr(0, 40), "The line containing the entry specified ");
}

TEST_F(BrokenLinksTest, LinksColumnFollowsLinesThatMove) {
    main_.SetFocusLine(1);
    ASSERT_TRUE(main_.InsertLine());
    EXPECT_EQ(LinksCell(main_, 1), "Used at line  7, M1");
    EXPECT_EQ(LinksCell(main_, 7), "From line  1");
    EXPECT_EQ(LinksCell(memory_, 1), "From line  T1");
    EXPECT_EQ(LinksCell(memory_, 2), "Used at line  T8");
}

}  // namespace
}  // namespace tally::test
