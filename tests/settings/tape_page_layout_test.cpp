#include "settings/tape_page_layout.h"

#include <gtest/gtest.h>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"

namespace tally {
namespace {

using Col = TTapeColumn;

// A document bus that answers with its main tape, as a document does.
class TapePageLayoutTest : public ::testing::Test {
protected:
    TapePageLayoutTest() {
        bus_.Add(events::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedObjectReference>(out)->ObjRef = &tape_;
        });
    }
    void Show(std::initializer_list<Col> columns) {
        for (Col column : {Col::Line, Col::Links, Col::RunningTotal, Col::TableColumns, Col::Annotations}) {
            tape_.SetColumnShown(column, false);
        }
        for (Col column : columns) tape_.SetColumnShown(column, true);
    }
    // The print column walk as (kind, print column number) pairs.
    std::vector<std::pair<Col, int>> Walk() {
        std::vector<std::pair<Col, int>> walk;
        TPrintFieldsListItem item;
        for (bool more = layout_.FirstPrintField(item); more; more = layout_.NextPrintField(item)) {
            walk.emplace_back(item.Kind, item.PrintColNum);
            if (walk.size() > 20) break;  // a walk that does not end
        }
        return walk;
    }

    TStMediator bus_;
    TCalculator tape_{'t'};
    TTapePageLayout layout_{&bus_};
};

TEST_F(TapePageLayoutTest, WithoutChosenColumnsTheShownColumnsArePrintedInTapeOrder) {
    Show({Col::Line, Col::Annotations});
    EXPECT_TRUE(layout_.PrintsAllColumns());
    EXPECT_EQ(Walk(), (std::vector<std::pair<Col, int>>{
                          {Col::Line, 0}, {Col::Entries, 1}, {Col::Indicator, 2}, {Col::Annotations, 3}}));
    TPrintFieldsListItem annotations;
    layout_.FirstPrintField(annotations);
    for (int i = 0; i < 3; ++i) layout_.NextPrintField(annotations);
    EXPECT_EQ(annotations.Heading, "Annotations");
    EXPECT_EQ(annotations.Position, 3);
    EXPECT_TRUE(annotations.Wrap);
    EXPECT_EQ(annotations.Alignment, TFieldAlignment::Left);
}

TEST_F(TapePageLayoutTest, AChosenColumnTheTapeNoLongerShowsLeavesThePrintColumns) {
    Show({Col::Links, Col::Annotations});
    layout_.RefreshTapeFields();
    layout_.AddPrintField(Col::Annotations, 0);
    layout_.AddPrintField(Col::Links, 1);
    EXPECT_EQ(Walk(), (std::vector<std::pair<Col, int>>{{Col::Annotations, 0}, {Col::Links, 1}}));

    Show({Col::Annotations, Col::Line});
    EXPECT_EQ(Walk(), (std::vector<std::pair<Col, int>>{{Col::Annotations, 0}}));
    ASSERT_EQ(layout_.PrintFields().size(), 1u);
    EXPECT_EQ(layout_.PrintFields()[0].Position, 3);  // moved right by the Line column
}

TEST_F(TapePageLayoutTest, RemovedColumnsRenumberTheRest) {
    Show({Col::Line, Col::RunningTotal});
    layout_.RefreshTapeFields();
    layout_.AddPrintField(Col::RunningTotal, 0);
    layout_.AddPrintField(Col::Line, 1);
    layout_.AddPrintField(Col::Entries, 2);
    Show({Col::Line});
    EXPECT_EQ(Walk(), (std::vector<std::pair<Col, int>>{{Col::Line, 0}, {Col::Entries, 1}}));
}

TEST_F(TapePageLayoutTest, AddingAKindTheTapeDoesNotShowDoesNothing) {
    layout_.RefreshTapeFields();
    layout_.AddPrintField(Col::Annotations, 0);
    EXPECT_TRUE(layout_.PrintsAllColumns());
}

TEST(PrintFieldsListTest, AddingComparesWithTheFirstItemOnly) {
    struct Case {
        const char* name;
        std::vector<int> keys;   // print column numbers added in order
        std::vector<int> order;  // the resulting keys
    };
    const Case cases[] = {
        {"Increasing", {0, 1, 2}, {0, 1, 2}},
        {"SameAsFirstReplacesIt", {0, 1, 0}, {0, 1}},
        {"SmallerGoesInFront", {2, 3, 1}, {1, 2, 3}},
        {"OthersAppendedEvenOutOfOrder", {0, 3, 2}, {0, 3, 2}},
        {"DuplicateOfALaterItemIsAppended", {0, 1, 1}, {0, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPrintFieldsList list;
        for (int key : c.keys) AddPrintField(list, {.Heading = std::to_string(key), .PrintColNum = key});
        std::vector<int> order;
        for (const TPrintFieldsListItem& item : list) order.push_back(item.PrintColNum);
        EXPECT_EQ(order, c.order);
    }
    TPrintFieldsList list;
    AddPrintField(list, {.Heading = "old", .PrintColNum = 0});
    AddPrintField(list, {.Heading = "new", .PrintColNum = 0});
    EXPECT_EQ(list.front().Heading, "new");
}

TEST_F(TapePageLayoutTest, TapeFieldsComeInColumnOrderWithTheirLayout) {
    Show({Col::Line, Col::Links, Col::RunningTotal, Col::TableColumns, Col::Annotations});
    std::vector<Col> kinds;
    for (auto kind = layout_.FirstTapeFieldKind(); kind; kind = layout_.NextTapeFieldKind()) kinds.push_back(*kind);
    EXPECT_EQ(kinds, (std::vector<Col>{Col::Line, Col::Entries, Col::Indicator, Col::Links, Col::RunningTotal,
                                       Col::TableColumns, Col::Annotations}));
    for (std::size_t position = 0; position < layout_.TapeFields().size(); ++position) {
        EXPECT_EQ(layout_.TapeFields()[position].Position, static_cast<int>(position));
    }
    EXPECT_EQ(layout_.HeadingOf(Col::RunningTotal), "Running Total");
    EXPECT_TRUE(layout_.TapeFields()[3].Links);
    EXPECT_EQ(layout_.KindAtPosition(4), Col::RunningTotal);
    EXPECT_EQ(layout_.KindAtPosition(7), std::nullopt);
}

TEST(TapePageLayoutNoTapeTest, WithoutAnAnswerTheWalkEndsAtOnce) {
    TStMediator bus;
    TTapePageLayout layout(&bus);
    TPrintFieldsListItem item;
    EXPECT_FALSE(layout.FirstPrintField(item));
    EXPECT_FALSE(layout.NextPrintField(item));
    EXPECT_EQ(layout.FirstTapeFieldKind(), std::nullopt);
    EXPECT_EQ(layout.HeadingOf(Col::Entries), "");
}

TEST_F(TapePageLayoutTest, SettersAndReset) {
    layout_.SetTapeColumnGroups(false, 0);
    EXPECT_EQ(layout_.TapeColumnGroups(), (TColumnGroups{false, 1}));
    layout_.SetTableColumnGroups(false, -3);
    EXPECT_EQ(layout_.TableColumnGroups().Count, 1);
    layout_.SetTableLinesPerGroup(7);
    layout_.SetTableLinesPerGroup(0);
    EXPECT_EQ(layout_.TableLinesPerGroup(), 7);

    layout_.RefreshTapeFields();
    layout_.AddPrintField(Col::Entries, 0);
    layout_.SetTapeFlags({.ShowPageNumbers = false});
    layout_.Reset();
    EXPECT_EQ(layout_.TapeFlags(), TTapePrintFlags{});
    EXPECT_EQ(layout_.TableLinesPerGroup(), 5);
    EXPECT_EQ(layout_.TapeColumnGroups(), TColumnGroups{});
    EXPECT_TRUE(layout_.PrintsAllColumns());
    EXPECT_FALSE(layout_.TapeFields().empty());  // the tape fields stay
}

}  // namespace
}  // namespace tally
