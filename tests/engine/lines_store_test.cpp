#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/lines/compact_text.h"
#include "engine/lines/line_store.h"

namespace tally {
namespace {

using testing::ElementsAre;

TEST(CompactText, KeepsShortAndLongTextsThroughCopyMoveAndSelfAssignment) {
    const std::string longText(40, 'x');
    for (const std::string& text : {std::string(), std::string("T(12)"), std::string(15, 'a'),
                                    std::string(16, 'b'), longText}) {
        TCompactText original(text);
        TCompactText copy(original);
        TCompactText moved(std::move(original));
        EXPECT_EQ(copy.View(), text);
        EXPECT_EQ(moved.View(), text);
        EXPECT_TRUE(original.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from is empty
        copy = moved;
        EXPECT_EQ(copy.View(), text);
    }
    TCompactText aliased(longText);
    aliased.Assign(aliased.View().substr(30));  // shrinks from the heap to inline storage
    EXPECT_EQ(aliased.View(), std::string(10, 'x'));
    aliased.Assign(longText);
    aliased.Assign(aliased.View().substr(1));  // stays on the heap
    EXPECT_EQ(aliased.View(), std::string(39, 'x'));
}

// Lines "L0".."Ln" in Entries, each with the annotation "A<i>", SDP i and height 10 + i.
TLineStore NumberedLines(int count) {
    TLineStore lines;
    lines.InsertLines(0, count);
    for (LineIndex i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        lines.SetEntries(i, "L" + n);
        lines.SetCell(i, TLineColumn::Annotations, "A" + n);
        lines.SetProperty(i, "SDP", n);
        lines.SetRowHeight(i, 10 + i);
    }
    return lines;
}

// Checks that each line carries its own annotation, property and height along.
std::vector<std::string> Order(const TLineStore& lines) {
    std::vector<std::string> order;
    for (LineIndex i = 0; i < lines.LineCount(); ++i) {
        const std::string entries(lines.Entries(i));
        const std::string n = entries.substr(1);
        EXPECT_EQ(lines.Annotations(i), "A" + n);
        EXPECT_EQ(lines.Property(i, "SDP"), n);
        EXPECT_EQ(lines.RowHeight(i), 10 + std::stoi(n));
        order.push_back(entries);
    }
    return order;
}

TEST(LineStore, WholeLinesMoveWithTheirCellsPropertiesAndHeights) {
    TLineStore lines = NumberedLines(5);
    lines.MoveLines(3, 2, 0);
    EXPECT_THAT(Order(lines), ElementsAre("L3", "L4", "L0", "L1", "L2"));
    lines.MoveLines(0, 1, 4);
    EXPECT_THAT(Order(lines), ElementsAre("L4", "L0", "L1", "L2", "L3"));
    lines.SwapLines(0, 4);
    EXPECT_THAT(Order(lines), ElementsAre("L3", "L0", "L1", "L2", "L4"));
    lines.RemoveLines(1, 2);
    EXPECT_THAT(Order(lines), ElementsAre("L3", "L2", "L4"));
    lines.InsertLines(1, 2);
    EXPECT_EQ(lines.LineCount(), 5);
    EXPECT_EQ(lines.Entries(1), "");
    EXPECT_EQ(lines.Params(2), nullptr);
    EXPECT_EQ(lines.RowHeight(2), 0);
    EXPECT_EQ(lines.Entries(3), "L2");
    EXPECT_EQ(lines.RowHeight(4), 14);
}

// Long tables are stored in blocks of rows: edits that cross block boundaries, and lines
// appended after a table shrank, must behave as on a plain list.
TEST(LineStore, EditsAcrossRowBlocksMatchAPlainList) {
    TLineStore lines;
    std::vector<std::string> model;
    const auto expectSame = [&](const char* step) {
        ASSERT_EQ(lines.LineCount(), static_cast<LineIndex>(model.size())) << step;
        for (LineIndex i = 0; i < lines.LineCount(); ++i) {
            ASSERT_EQ(lines.Entries(i), model[static_cast<std::size_t>(i)]) << step << ", line " << i;
        }
    };
    lines.InsertLines(0, 1300);
    for (LineIndex i = 0; i < 1300; ++i) {
        model.push_back("L" + std::to_string(i));
        lines.SetEntries(i, model.back());
    }
    lines.InsertLines(500, 30);
    model.insert(model.begin() + 500, 30, "");
    expectSame("insert across a block end");
    lines.RemoveLines(1000, 40);
    model.erase(model.begin() + 1000, model.begin() + 1040);
    expectSame("remove across a block end");
    lines.MoveLines(10, 20, 1200);
    std::rotate(model.begin() + 10, model.begin() + 30, model.begin() + 1220);
    expectSame("move forward into another block");
    lines.MoveLines(1100, 50, 3);
    std::rotate(model.begin() + 3, model.begin() + 1100, model.begin() + 1150);
    expectSame("move backward into another block");
    lines.RemoveLines(400, 2000);
    model.resize(400);
    lines.InsertLines(400, 700);
    model.resize(1100);
    expectSame("lines appended after shrinking are blank");
}

TEST(LineStore, RefusesRangesOutsideTheTable) {
    TLineStore lines = NumberedLines(3);
    lines.InsertLines(4, 1);
    lines.InsertLines(-1, 1);
    lines.MoveLines(2, 2, 0);
    lines.MoveLines(0, 1, 3);
    lines.SwapLines(0, 3);
    lines.RemoveLines(3, 1);
    EXPECT_THAT(Order(lines), ElementsAre("L0", "L1", "L2"));
    lines.RemoveLines(1, 100);  // cut to the table's end
    EXPECT_THAT(Order(lines), ElementsAre("L0"));
}

TEST(LineStore, CellsReadEmptyOutsideTheTableAndKeepLongTexts) {
    TLineStore lines;
    lines.InsertLines(0, 1);
    const std::string annotation(200, 'n');
    lines.SetCell(0, TLineColumn::Annotations, annotation);
    lines.SetCell(0, TLineColumn::Links, "<- T3");
    lines.SetCell(0, TLineColumn::TableColumns, "4");
    lines.SetCell(0, TLineColumn::RunningTotal, "1,234,567,890.12");
    lines.SetIndicator(0, "T(12)");
    EXPECT_EQ(lines.Annotations(0), annotation);
    EXPECT_EQ(lines.Links(0), "<- T3");
    EXPECT_EQ(lines.TableColumns(0), "4");
    EXPECT_EQ(lines.RunningTotal(0), "1,234,567,890.12");
    EXPECT_EQ(lines.Indicator(0), "T(12)");
    for (LineIndex outside : {-1, 1}) {
        EXPECT_EQ(lines.Entries(outside), "");
        EXPECT_EQ(lines.Annotations(outside), "");
        EXPECT_EQ(lines.KindOf(outside), '\0');
        EXPECT_FALSE(lines.InGroup(outside, LineGroup::kEntryLine));
        EXPECT_EQ(lines.RowHeight(outside), 0);
    }
}

struct RecordingObserver : TLineObserver {
    std::vector<std::string> events;
    void BeforeLinesInserted(LineIndex first, LineIndex count) override { Add("before insert", first, count); }
    void LinesInserted(LineIndex first, LineIndex count) override { Add("insert", first, count); }
    void BeforeLinesRemoved(LineIndex first, LineIndex count) override { Add("before remove", first, count); }
    void LinesRemoved(LineIndex first, LineIndex count) override { Add("remove", first, count); }
    void CellChanged(LineIndex line, TLineColumn column) override {
        Add("cell", line, static_cast<int>(column));
    }
    void LinesChanged(LineIndex first, LineIndex last) override { Add("lines", first, last); }
    void RowHeightChanged(LineIndex line) override { Add("height", line, 0); }
    void Add(const char* what, int a, int b) {
        events.push_back(std::string(what) + " " + std::to_string(a) + " " + std::to_string(b));
    }
};

TEST(LineStore, TellsObserversWhatChanged) {
    TLineStore lines;
    RecordingObserver observer;
    lines.AddObserver(&observer);
    lines.InsertLines(0, 3);
    lines.SetEntries(1, "+5");
    lines.SetCell(2, TLineColumn::Annotations, "note");
    lines.SetProperty(0, "TT", "DE");
    lines.SetRowHeight(2, 30);
    lines.SetRowHeight(2, 30);  // unchanged: no event
    lines.MoveLines(2, 1, 0);
    lines.RemoveLines(1, 5);
    lines.RemoveObserver(&observer);
    lines.InsertLines(0, 1);
    EXPECT_THAT(observer.events,
                ElementsAre("before insert 0 3", "insert 0 3", "cell 1 0", "cell 2 4", "lines 0 0", "height 2 0",
                            "lines 0 2", "before remove 1 2", "remove 1 2"));
}

}  // namespace
}  // namespace tally
