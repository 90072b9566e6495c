// Destinations following their sources through edits, across tapes and through series totals,
// and a circle stored in the lines ending with a message instead of a hang.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

class LinkRefreshTest : public LinkTest {
protected:
    LinkRefreshTest() {
        // T1 feeds M1; the memory total M4 feeds A1; A1's series totals on A3.
        ReplaceTapeLines(main_, {{" ", "+5.00", Lid("AS+", 1)}, {" ", "+2.00"}, {"=", "=========="}, {"T", "7.00"},
                                 {"Z", "0.00"}, {" ", ""}});
        ReplaceTapeLines(memory_, {{" ", "+5.00", Lid("AD+", 1)}, {" ", "+1.00"}, {"=", "=========="},
                                   {"T", "6.00", Lid("AS+", 2)}, {"Z", "0.00"}, {" ", ""}});
        ReplaceTapeLines(aux_, {{" ", "+6.00", Lid("AD+", 2)}, {"=", "=========="}, {"T", "6.00"}, {"Z", "0.00"},
                                {" ", ""}});
    }
};

TEST_F(LinkRefreshTest, AnEditedSourceReachesEveryTapeDownTheChain) {
    main_.SetFocusLine(0);
    Type(main_, "\b\b\b\b\b9\n");
    EXPECT_EQ(Entry(main_, 1), "+9.00");
    EXPECT_EQ(Entry(main_, 4), "11.00");
    EXPECT_EQ(Entry(memory_, 1), "+9.00");
    EXPECT_EQ(Entry(memory_, 4), "10.00");
    EXPECT_EQ(Entry(aux_, 1), "+10.00");
    EXPECT_EQ(Entry(aux_, 3), "10.00");
    EXPECT_EQ(manager_.PendingLinkCount(), 0);
}

TEST_F(LinkRefreshTest, ADestinationWithTheFocusTakesItsNewValueAsCommitted) {
    memory_.SetFocusLine(0);
    main_.Lines().SetEntries(0, "+9.00");
    manager_.RefreshAllLinks();  // as after the thousand separators are switched: no recalculation
    EXPECT_EQ(memory_.Editor().Text, "+9.00");
    ASSERT_TRUE(memory_.NextLine());
    EXPECT_EQ(LinkOf(memory_, 1), "AD+" + Num(1)) << "leaving the line is no edit that unlinks it";
}

TEST_F(LinkRefreshTest, EditingADestinationsNumberUnlinksItAndItsSignFlipsTheLink) {
    memory_.SetFocusLine(0);
    Type(memory_, "\b\b\b\b\b-5.00\n");
    EXPECT_EQ(LinkOf(memory_, 1), "AD-" + Num(1)) << "only the sign changed";
    EXPECT_EQ(Entry(memory_, 1), "-5.00");
    EXPECT_EQ(Entry(memory_, 4), "-4.00");
    EXPECT_EQ(Entry(aux_, 1), "-4.00");
    main_.SetFocusLine(0);
    Type(main_, "\b\b\b\b\b8\n");
    EXPECT_EQ(Entry(memory_, 1), "-8.00") << "a negated destination follows with the other sign";
    memory_.SetFocusLine(0);
    Type(memory_, "\b\b\b\b3\n");
    EXPECT_EQ(LinkOf(memory_, 1), "") << "a new number leaves the link";
    EXPECT_EQ(LinkOf(main_, 1), "") << "... and the source had no other destination";
    EXPECT_EQ(Entry(memory_, 1), "-3.00");
}

TEST_F(LinkRefreshTest, AStoredCircleEndsWithAMessage) {
    // A file could hold this circle: T2 -> T4 -> M2 -> M4 -> A1 -> A3 -> T2, each total a
    // source feeding the next tape, each destination feeding its series' total.
    ReplaceTapeLines(main_, {{" ", "+5.00"}, {" ", "+2.00", Lid("AD+", 3)}, {"=", "=========="},
                             {"T", "7.00", Lid("AS+", 1)}, {"Z", "0.00"}, {" ", ""}});
    ReplaceTapeLines(memory_, {{" ", "+1.00"}, {" ", "+7.00", Lid("AD+", 1)}, {"=", "=========="},
                               {"T", "8.00", Lid("AS+", 2)}, {"Z", "0.00"}, {" ", ""}});
    ReplaceTapeLines(aux_, {{" ", "+8.00", Lid("AD+", 2)}, {"=", "=========="}, {"T", "8.00", Lid("AS+", 3)},
                            {"Z", "0.00"}, {" ", ""}});
    main_.SetFocusLine(0);
    Type(main_, "\b\b\b\b\b6\n");
    EXPECT_EQ(manager_.PendingLinkCount(), 0);
    EXPECT_EQ(platform_.WindowLines(),
              (std::vector<std::string>{"The linked values could not all be updated because the links form a "
                                        "circle.  Unlink one of the linked lines to break the circle."}));
}

TEST_F(LinkRefreshTest, OneSourceManyDestinationsInOneSeries) {
    ReplaceTapeLines(aux_, {{" ", "+1.00", Lid("AD+", 1)}, {" ", "+1.00", Lid("AD+", 1)}, {" ", "-1.00", Lid("AD-", 1)},
                            {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00"}, {" ", ""}});
    main_.SetFocusLine(0);
    Type(main_, "\b\b\b\b\b4\n");
    EXPECT_EQ(Entry(aux_, 1), "+4.00");
    EXPECT_EQ(Entry(aux_, 2), "+4.00");
    EXPECT_EQ(Entry(aux_, 3), "-4.00");
    EXPECT_EQ(Entry(aux_, 5), "4.00");
}

}  // namespace
}  // namespace tally::test
