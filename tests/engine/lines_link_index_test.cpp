#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/lines/line_store.h"

namespace tally {
namespace {

constexpr std::string_view kSource = "PS+1234567890123456";
constexpr std::string_view kDest = "AD+1234567890123456";

// The lines whose property `key` holds a value, found by walking the lines.
std::vector<LineIndex> ScanWith(const TLineStore& lines, std::string_view key) {
    std::vector<LineIndex> found;
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        if (!lines.Property(line, key).empty()) found.push_back(line);
    }
    return found;
}

// Ten lines; lines 2 and 6 carry link data, lines 3 and 6 a total status flag, lines 4 and 6 a
// table column id, line 5 closes a group total range.
TLineStore TenLinesTwoLinked() {
    TLineStore lines;
    lines.InsertLines(0, 10);
    lines.SetProperty(2, LineKey::kLinkId, kSource);
    lines.SetProperty(6, LineKey::kLinkId, kDest);
    lines.SetProperty(3, LineKey::kTotalStatusFlag, "C");
    lines.SetProperty(6, LineKey::kTotalStatusFlag, "I");
    lines.SetProperty(4, LineKey::kTableColumnId, "1111111111111111");
    lines.SetProperty(6, LineKey::kTableColumnId, "2222222222222222");
    lines.SetIndicator(5, "]");
    return lines;
}

struct MutationCase {
    std::string name;
    std::function<void(TLineStore&)> mutate;
    bool changesLinks;
};

std::vector<MutationCase> Mutations() {
    return {
        {"append after the last linked line", [](TLineStore& l) { l.InsertLines(10, 3); }, false},
        {"insert before a linked line", [](TLineStore& l) { l.InsertLines(4, 2); }, true},
        {"remove unlinked lines after all links", [](TLineStore& l) { l.RemoveLines(7, 3); }, false},
        {"remove a linked line", [](TLineStore& l) { l.RemoveLines(5, 2); }, true},
        {"remove before linked lines", [](TLineStore& l) { l.RemoveLines(0, 1); }, true},
        {"move linked lines", [](TLineStore& l) { l.MoveLines(1, 3, 5); }, true},
        {"swap a linked and an unlinked line", [](TLineStore& l) { l.SwapLines(2, 9); }, true},
        {"swap two unlinked lines", [](TLineStore& l) { l.SwapLines(0, 9); }, false},
        {"clear link data", [](TLineStore& l) { l.SetProperty(6, LineKey::kLinkId, ""); }, true},
        {"change link data", [](TLineStore& l) { l.SetProperty(2, LineKey::kLinkId, "AS+1234567890123456"); }, true},
        {"same link data again", [](TLineStore& l) { l.SetProperty(2, LineKey::kLinkId, kSource); }, false},
        {"other property", [](TLineStore& l) { l.SetProperty(4, LineKey::kSeriesType, "e"); }, false},
        {"link data through a property text", [](TLineStore& l) { l.SetParamsText(8, "LID=AD-1234567890123456"); }, true},
        {"property text without the link", [](TLineStore& l) { l.SetParamsText(2, "STYP=e"); }, true},
        {"cells only", [](TLineStore& l) { l.SetEntries(2, "+5"); }, false},
        {"clear a flag", [](TLineStore& l) { l.SetProperty(3, LineKey::kTotalStatusFlag, ""); }, false},
        {"flag through a property text", [](TLineStore& l) { l.SetParamsText(8, "TLSF=TD"); }, false},
        {"clear a table column id", [](TLineStore& l) { l.SetProperty(4, LineKey::kTableColumnId, ""); }, false},
        {"assign through a property text", [](TLineStore& l) { l.SetParamsText(1, "TCID=3333333333333333,TCN=2"); }, false},
        {"close a range", [](TLineStore& l) { l.SetIndicator(8, "}"); }, false},
        {"reopen a range", [](TLineStore& l) { l.SetIndicator(5, " "); }, false},
    };
}

TEST(LinkIndex, FollowsEveryMutationAndTellsWhetherLinksChanged) {
    for (const MutationCase& c : Mutations()) {
        TLineStore lines = TenLinesTwoLinked();
        const std::uint64_t before = lines.LinkGeneration();
        c.mutate(lines);
        EXPECT_EQ(lines.LinkedLines(), ScanWith(lines, LineKey::kLinkId)) << c.name;
        EXPECT_EQ(lines.LinkGeneration() != before, c.changesLinks) << c.name;
    }
}

// The flagged lines, the assigned lines and the range closing lines are indexed through the same
// edits.
TEST(FlagAssignmentAndRangeIndex, FollowEveryMutation) {
    for (const MutationCase& c : Mutations()) {
        TLineStore lines = TenLinesTwoLinked();
        c.mutate(lines);
        EXPECT_EQ(lines.FlaggedLines(), ScanWith(lines, LineKey::kTotalStatusFlag)) << c.name;
        EXPECT_EQ(lines.AssignedLines(), ScanWith(lines, LineKey::kTableColumnId)) << c.name;
        std::vector<LineIndex> closings;
        for (LineIndex line = 0; line < lines.LineCount(); ++line) {
            if (lines.InGroup(line, "]}")) closings.push_back(line);
        }
        std::vector<LineIndex> found;
        for (LineIndex line = lines.StructuralLineAtOrAfter(0, "]}"); line != kNoLine;
             line = lines.StructuralLineAtOrAfter(line + 1, "]}")) {
            found.push_back(line);
        }
        EXPECT_EQ(found, closings) << c.name;
        EXPECT_EQ(lines.StructuralLineAtOrBefore(lines.LastLine(), "]}"), closings.empty() ? kNoLine : closings.back())
            << c.name;
    }
}

TEST(LinkIndex, ALineThatLosesItsLinkDataLosesItsLinksText) {
    TLineStore lines = TenLinesTwoLinked();
    lines.SetCell(2, TLineColumn::Links, "Used at line  7");
    lines.SetCell(6, TLineColumn::Links, "From line  3");
    lines.SetProperty(2, LineKey::kLinkId, "AS+6543210987654321");
    EXPECT_EQ(lines.Links(2), "Used at line  7") << "still linked";
    lines.SetParamsText(6, "STYP=e");
    EXPECT_EQ(lines.Links(6), "");
}

}  // namespace
}  // namespace tally
