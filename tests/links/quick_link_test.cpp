// Quick links typed into an entry cell: "l", an optional tape id and a line number.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class QuickLinkTest : public LinkTest {
protected:
    QuickLinkTest() {
        ReplaceTapeLines(main_, {{" ", "+5.00"}, {" ", "+2.50"}, {"=", "=========="}, {"T", "7.50"}, {"Z", "0.00"},
                                 {" ", "+1.00", Lid("AD+", 5)}, {" ", ""}});
        ReplaceTapeLines(memory_, {{" ", "+10.00"}, {" ", "+4.00"}, {"=", "=========="}, {"T", "14.00"},
                                   {"Z", "0.00"}, {" ", ""}}, 0);
        ReplaceTapeLines(aux_, {{" ", "+1.00"}, {" ", ""}});
        aux_.RefreshAll();  // the running value of the open series
    }
};

TEST_F(QuickLinkTest, CheckRefusesWithItsReason) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"l", "The entry does not contain valid quick link characters."},
        {"Lt1", "The entry does not contain valid quick link characters."},
        {"x1", "The entry does not contain valid quick link characters."},
        {"lt1x", "The entry does not contain valid quick link characters."},
        {"ls1", "Cannot use line on side tape as a Link Source.  The side tape is not enabled."},
        {"lq1", "Cannot use line on unknown tape as a Link Source."},
        {"lt", "Cannot use the main tape's current series total as a Link source.  The main tape's current series "
               "does not have a final total line."},
        {"la", "Cannot use the Aux A tape's current series total as a Link source.  The tape's current series "
               "does not have a final total line."},
        {"lt3", "The entry cell at line T3 can not be used as a Link Source."},
        {"lt0", "The entry cell at line T0 can not be used as a Link Source."},
        {"lt99", "The entry cell at line T99 can not be used as a Link Source."},
        {"lt99999999999999999999", "The entry cell at line T99999999999999999999 can not be used as a Link Source."},
        {"l2", "The last line on a tape can not be a Link Source."},
        {"lt6", "The entry cell at line T6 can not be used as a Link Source because it already is used as a Link "
                "Destination."},
    };
    for (const Case& c : cases) {
        const TQuickLinkCheck check = manager_.CheckQuickLink('a', 2, c.text);
        EXPECT_FALSE(check.Valid) << c.text;
        EXPECT_EQ(check.Message, c.message) << c.text;
    }
    memoryEnabled_ = false;
    EXPECT_EQ(manager_.CheckQuickLink('t', 7, "lm").Message,
              "Cannot use line on memory tape as a Link Source.  The memory tape is not enabled.");
    for (const std::string_view valid : {"lt1", "lT1", "lt4", "l1"}) {
        EXPECT_TRUE(manager_.CheckQuickLink('t', 7, valid).Valid) << valid;
    }
}

TEST_F(QuickLinkTest, TypedOnTheLastLineAcrossTapes) {
    Type(aux_, "lt1\n");
    EXPECT_EQ(Entry(aux_, 2), "+5.00");
    EXPECT_EQ(LinkOf(aux_, 2).substr(0, 3), "AD+");
    EXPECT_EQ(LinkDataNumber(LinkOf(aux_, 2)), LinkDataNumber(LinkOf(main_, 1)));
    EXPECT_EQ(aux_.Lines().Indicator(3), "T") << "the Enter that ended the quick link totalled the series";
    EXPECT_EQ(Entry(aux_, 4), "6.00");
}

TEST_F(QuickLinkTest, WithoutALineNumberTheNamedTapesCurrentSeriesTotal) {
    Type(main_, "lm\n");
    EXPECT_EQ(Entry(main_, 7), "+14.00");
    EXPECT_EQ(LinkOf(memory_, 4).substr(0, 3), "AS+");
}

TEST_F(QuickLinkTest, WithinTheTapeAndARefusalKeepsTheTypedText) {
    Type(main_, "l4+");
    EXPECT_EQ(Entry(main_, 7), "+7.50");
    EXPECT_EQ(main_.Editor().Text, "+") << "the operator key that ended it typed its operator on the next line";
    Type(main_, "l99\n");
    EXPECT_EQ(Explanation(), "The entry cell at line T99 can not be used as a Link Source.");
    EXPECT_EQ(main_.Editor().Text, "+l99");
}

TEST_F(QuickLinkTest, TypedOverAnEarlierEntry) {
    main_.SetFocusLine(1);
    Type(main_, "\b\b\b\b\bl4\n");
    EXPECT_EQ(Explanation(),
              "Can not use line T2 as a Link Destination for line T4.  It would create a Circular Link between the "
              "following lines: T2 to T4 to T2");
    EXPECT_EQ(Entry(main_, 2), "+2.50") << "the refused link leaves the line as it was";
    EXPECT_EQ(main_.Editor().Text, "+2.50");
    Type(main_, "\b\b\b\b\blm4\n");
    EXPECT_EQ(Entry(main_, 2), "+14.00");
    EXPECT_EQ(LinkOf(main_, 2).substr(0, 3), "AD+") << "the Enter typed again leaves the new link alone";
    EXPECT_EQ(Entry(main_, 4), "19.00");
}

}  // namespace
}  // namespace tally::test
