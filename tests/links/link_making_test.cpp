// Marking link sources and pasting link destinations, with each refusal, the values and
// annotations the destinations take, and the Links column.
#include "link_test_fixture.h"

namespace tally::test {
namespace {

// A closed series (lines 1-5), a second one with two entries (6, 7) and the open last line.
const std::vector<TapeRow> kMainRows = {{" ", "+5.00"}, {" ", "+2.50"}, {"=", "=========="}, {"T", "7.50"},
                                        {"Z", "0.00"},  {" ", "-3.00"}, {" ", "+1.00"},      {" ", ""}};

void FillMakingTapes(LinkDocument& d) {
    ReplaceTapeLines(d.main_, kMainRows);
    ReplaceTapeLines(d.memory_, {{" ", "+10.00"}, {" ", "+4.00"}, {" ", ""}});
    d.main_.SetColumnShown(TTapeColumn::Links, true);
    d.memory_.SetColumnShown(TTapeColumn::Links, true);
}

class LinkMakingTest : public LinkTest {
protected:
    LinkMakingTest() { FillMakingTapes(*this); }
};

struct SourceRefusal {
    std::string name;
    std::vector<TapeRow> rows;
    int line;
    std::string refusal;
};

TEST_F(LinkMakingTest, MarkingASourceRefusesWithItsReason) {
    const std::vector<SourceRefusal> cases = {
        {"separator line", kMainRows, 3, "The entry cell at line T3 can not be used as a Link Source."},
        {"zero total line", kMainRows, 5, "The entry cell at line T5 can not be used as a Link Source."},
        {"last line", kMainRows, 8, "The last line on a tape can not be a Link Source."},
        {"last line of an incomplete embedded series",
         {{" ", "+1.00"}, {"(", ""}, {" ", "+2.00", "STYP=e"}, {")", ""}, {" ", "+"}, {" ", ""}},
         3,
         "The last line in an incomplete embedded series cannot be a Link Source."},
        {"no number", {{" ", "+1.00"}, {" ", "+"}, {" ", ""}}, 2,
         "The entry cell at line T2 must contain a number before it can be used as a Link Source."},
        {"already a destination", {{" ", "+1.00", Lid("AD+", 9)}, {" ", ""}}, 1,
         "The entry cell at line T1 can not be used as a Link Source because it already is used as a Link "
         "Destination."},
        {"damaged link data", {{" ", "+1.00", "LID=QQ"}, {" ", ""}}, 1,
         "The entry cell at line T1 can not be used as a Link Source because of a program error."},
    };
    for (const SourceRefusal& c : cases) {
        ReplaceTapeLines(main_, c.rows);
        const std::string before = LinkOf(main_, c.line);
        EXPECT_FALSE(manager_.SetAsLinkSource('t', c.line, "")) << c.name;
        EXPECT_EQ(Explanation(), c.refusal) << c.name;
        EXPECT_EQ(LinkOf(main_, c.line), before) << c.name;
        EXPECT_FALSE(manager_.HasPendingLinkSource()) << c.name;
    }
}

TEST_F(LinkMakingTest, MarkedSourceIsPendingUntilItsFirstDestination) {
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    EXPECT_EQ(LinkOf(main_, 1), "PS+" + std::string(LinkDataNumber(LinkOf(main_, 1))));
    ASSERT_TRUE(manager_.SetAsLinkDest('m', 2, ""));
    const std::string number(LinkDataNumber(LinkOf(main_, 1)));
    EXPECT_EQ(LinkOf(main_, 1), "AS+" + number);
    EXPECT_EQ(LinkOf(memory_, 2), "AD+" + number);
    EXPECT_EQ(Entry(memory_, 2), "+5.00");
    EXPECT_EQ(Entry(memory_, 3), "") << "the memory tape's open line is untouched";
    // Marking again with "P" makes the source permanent; the same number stays.
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, "P"));
    EXPECT_EQ(LinkOf(main_, 1), "AS+" + number + ",P");
}

TEST_F(LinkMakingTest, OneSourceManyDestinationsAndTheLinksColumn) {
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 7, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 6, "")) << "the pending source stays for further pastes";
    ASSERT_TRUE(manager_.SetAsLinkDest('m', 1, ""));
    EXPECT_EQ(LinksCell(main_, 1), "Used at line  6-, 7, M1");
    EXPECT_EQ(LinksCell(main_, 6), "From line  1-");
    EXPECT_EQ(LinksCell(memory_, 1), "From line  T1");
    // "-3.00" made line 6 a negated destination; its series' total follows.
    EXPECT_EQ(Entry(main_, 6), "-5.00");
    EXPECT_EQ(Entry(main_, 7), "+5.00");
    EXPECT_EQ(Entry(memory_, 1), "+5.00");
}

TEST_F(LinkMakingTest, NegativeSourceValuesAndOperators) {
    ReplaceTapeLines(main_, {{" ", "-5.00"}, {" ", "+1.00"}, {" ", "-2.00"}, {" ", "X3"}, {" ", ""}});
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('m', 1, ""));
    EXPECT_EQ(Entry(memory_, 1), "+5.00") << "an entry's number is taken without its operator";
    ReplaceTapeLines(memory_, {{" ", "-10.00"}, {" ", "-4.00"}, {"=", "=========="}, {"T", "-14.00"}, {"Z", "0.00"},
                               {" ", ""}});
    ASSERT_TRUE(manager_.SetAsLinkSource('m', 4, ""));
    const std::vector<std::pair<int, std::string>> expected = {
        {2, "-14.00"}, {3, "+14.00"}, {4, "X-14.00"}};
    for (const auto& [line, entry] : expected) {
        ASSERT_TRUE(manager_.SetAsLinkDest('t', line, ""));
        EXPECT_EQ(Entry(main_, line), entry) << "line " << line << " (a negative total never gives +-14.00)";
    }
}

TEST_F(LinkMakingTest, AnnotationBeforeTheBarIsCarriedOver) {
    main_.SetColumnShown(TTapeColumn::Annotations, true);
    memory_.SetColumnShown(TTapeColumn::Annotations, true);
    main_.Lines().SetCell(0, TLineColumn::Annotations, "Rent|paid");
    main_.Lines().SetCell(5, TLineColumn::Annotations, "old|keep");
    main_.Lines().SetCell(6, TLineColumn::Annotations, "plain  ");
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 6, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 7, ""));
    EXPECT_EQ(main_.Lines().Annotations(5), "Rent|keep");
    EXPECT_EQ(main_.Lines().Annotations(6), "Rent");
}

// The table manager keeps a column's heading equal to its line's annotation, so a destination
// assigned to a table column tells it when its link carried an annotation over; others do not.
TEST_F(LinkMakingTest, ADestinationInATableColumnHasItsHeadingUpdated) {
    std::vector<std::pair<const TCalculator*, int>> updates;
    bus_.Add(events::TableMgr_UpdateTableColHeading, [&updates](TMedRecord* in, TMedRecord*) {
        const auto* data = RecordAs<TMedTableMgr_UpdTableColHeadingData>(in);
        updates.emplace_back(data->Tape, data->Line);
    });
    main_.Lines().SetProperty(6, LineKey::kTableColumnId, "1234567890123456");
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 6, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 7, ""));
    EXPECT_EQ(updates, (std::vector<std::pair<const TCalculator*, int>>{{&main_, 6}}));
}

struct DestRefusal {
    std::string name;
    std::function<void(LinkDocument&)> arrange;
    char tape;
    int line;
    std::string refusal;
};

TEST_F(LinkMakingTest, PastingADestinationRefusesWithItsReason) {
    auto markT1 = [](LinkDocument& t) { ASSERT_TRUE(t.manager_.SetAsLinkSource('t', 1, "")); };
    const std::vector<DestRefusal> cases = {
        {"no source marked", [](LinkDocument&) {}, 't', 6,
         "A Link Source has not been specified for this Link Destination."},
        {"source tape disabled",
         [](LinkDocument& t) {
             ASSERT_TRUE(t.manager_.SetAsLinkSource('m', 1, ""));
             t.memoryEnabled_ = false;
         },
         't', 6,
         "The tape containing the entry specified as the Link Source for this Link Destination is no longer "
         "enabled."},
        {"permanent destination",
         [markT1](LinkDocument& t) {
             markT1(t);
             t.main_.Lines().SetProperty(5, LineKey::kLinkId, "AD+" + Num(77) + ",P");
         },
         't', 6,
         "The entry cell at line 6 is a permanent Link Destination. Its Link Source cannot be changed."},
        {"total line", markT1, 't', 4, "The entry cell at line 4 can not be a Link Destination."},
        {"series kinds",
         [markT1](LinkDocument& t) {
             markT1(t);
             t.main_.Lines().SetProperty(5, LineKey::kSeriesType, "xyz");
         },
         't', 6, std::string(kSeriesKindMismatchMessage)},
        {"a source with destinations",
         [markT1](LinkDocument& t) {
             ASSERT_TRUE(t.manager_.SetAsLinkSource('t', 7, ""));
             ASSERT_TRUE(t.manager_.SetAsLinkDest('m', 1, ""));
             markT1(t);
         },
         't', 7,
         "The entry cell at line 7 can not be used as a Link Destination because it already is used as a Link "
         "Source."},
        {"source unlinked since",
         [markT1](LinkDocument& t) {
             markT1(t);
             t.main_.Lines().SetProperty(0, LineKey::kLinkId, "");
         },
         't', 6,
         "The line containing the entry specified as the Link Source for this Link Destination is no longer "
         "present; or else the Link Source has been unlinked.  Recopy a line as a Link Source before pasting as "
         "a Link Destination."},
        {"circle through the series total",
         [](LinkDocument& t) { ASSERT_TRUE(t.manager_.SetAsLinkSource('t', 4, "")); }, 't', 2,
         "Can not use line T2 as a Link Destination for line T4.  It would create a Circular Link between the "
         "following lines: T2 to T4 to T2"},
    };
    for (const DestRefusal& c : cases) {
        LinkDocument fresh;
        FillMakingTapes(fresh);
        c.arrange(fresh);
        const std::string entry = Entry(c.tape == 't' ? fresh.main_ : fresh.memory_, c.line);
        EXPECT_FALSE(fresh.manager_.SetAsLinkDest(c.tape, c.line, "")) << c.name;
        EXPECT_EQ(fresh.Explanation(), c.refusal) << c.name;
        EXPECT_EQ(Entry(c.tape == 't' ? fresh.main_ : fresh.memory_, c.line), entry) << c.name;
    }
}

TEST_F(LinkMakingTest, PastingOntoADestinationOfAnotherNumberMovesIt) {
    ASSERT_TRUE(manager_.SetAsLinkSource('m', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 6, ""));
    const std::string memoryNumber(LinkDataNumber(LinkOf(memory_, 1)));
    ASSERT_TRUE(manager_.SetAsLinkSource('t', 1, ""));
    ASSERT_TRUE(manager_.SetAsLinkDest('t', 6, ""));
    EXPECT_EQ(LinkOf(memory_, 1), "") << "the old source lost its only destination";
    EXPECT_EQ(LinksCell(memory_, 1), "");
    EXPECT_EQ(Entry(main_, 6), "-5.00");
    EXPECT_NE(LinkDataNumber(LinkOf(main_, 6)), memoryNumber);
}

}  // namespace
}  // namespace tally::test
