#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"

namespace tally {
namespace {

// A table whose line i has the indicator kinds[i] (a blank is an entry line).
TLineStore LinesOfKinds(std::string_view kinds) {
    TLineStore lines;
    lines.InsertLines(0, static_cast<LineIndex>(kinds.size()));
    for (LineIndex i = 0; i < lines.LineCount(); ++i) {
        lines.SetIndicator(i, std::string(1, kinds[static_cast<std::size_t>(i)]));
    }
    return lines;
}

std::string KindsOf(const TLineStore& lines) {
    std::string kinds;
    for (LineIndex i = 0; i < lines.LineCount(); ++i) kinds += lines.KindOf(i);
    return kinds;
}

bool IsFound(const TLineStore& lines, LineIndex line, std::string_view group) {
    return lines.InGroup(line, group) && lines.InGroup(line, TLineStore::kStructuralKinds);
}

// Compares the index's answers with a scan of the rows, from every line and just outside
// the table, for the whole structural group and narrower ones (the range openings and closings
// are served by an index of their own).
void ExpectIndexMatchesRows(const TLineStore& lines, const std::string& context) {
    for (std::string_view group : {TLineStore::kStructuralKinds, std::string_view("("), std::string_view("Zz]}>[{<"),
                                   std::string_view(")Z"), std::string_view("]}"), std::string_view("[{"),
                                   std::string_view("{")}) {
        for (LineIndex from = -1; from <= lines.LineCount(); ++from) {
            LineIndex before = kNoLine;
            for (LineIndex i = std::min(from, lines.LastLine()); i >= 0; --i) {
                if (IsFound(lines, i, group)) {
                    before = i;
                    break;
                }
            }
            LineIndex after = kNoLine;
            for (LineIndex i = std::max(from, 0); i < lines.LineCount(); ++i) {
                if (IsFound(lines, i, group)) {
                    after = i;
                    break;
                }
            }
            const std::string where = context + ", group \"" + std::string(group) + "\", from " + std::to_string(from);
            EXPECT_EQ(lines.StructuralLineAtOrBefore(from, group), before) << where;
            EXPECT_EQ(lines.StructuralLineAtOrAfter(from, group), after) << where;
        }
    }
}

enum class Op { Kind, Insert, Remove, Move, Swap };

struct Step {
    Op op;
    LineIndex a = 0;
    LineIndex b = 0;
    LineIndex c = 0;
    std::string indicator = {};
};

void Apply(TLineStore& lines, const Step& step) {
    switch (step.op) {
        case Op::Kind: lines.SetIndicator(step.a, step.indicator); break;
        case Op::Insert: lines.InsertLines(step.a, step.b); break;
        case Op::Remove: lines.RemoveLines(step.a, step.b); break;
        case Op::Move: lines.MoveLines(step.a, step.b, step.c); break;
        case Op::Swap: lines.SwapLines(step.a, step.b); break;
    }
}

Step Kind(LineIndex line, std::string indicator) { return {Op::Kind, line, 0, 0, std::move(indicator)}; }
Step Insert(LineIndex at, LineIndex count) { return {Op::Insert, at, count}; }
Step Remove(LineIndex first, LineIndex count) { return {Op::Remove, first, count}; }
Step Move(LineIndex first, LineIndex count, LineIndex to) { return {Op::Move, first, count, to}; }
Step Swap(LineIndex a, LineIndex b) { return {Op::Swap, a, b}; }

struct IndexCase {
    const char* name;
    std::string start;
    std::vector<Step> steps;
    std::string end;
};

TEST(StructuralIndex, FollowsEveryKindOfEditAtTheEndsAndInTheMiddle) {
    const IndexCase cases[] = {
        {"append at the end", "  Z",
         {Insert(3, 1), Kind(3, "("), Insert(4, 2), Kind(5, ")"), Insert(6, 1), Kind(6, "Z")},
         "  Z( )Z"},
        {"insert at the start, in the middle and at the end", "(  )Z",
         {Insert(0, 2), Insert(4, 1), Insert(8, 1), Kind(8, "[")},
         "  (   )Z["},
        {"remove at the start, across structural lines and past the end", "Z ( ) z [ ]",
         {Remove(0, 1), Remove(3, 3), Remove(5, 100), Remove(0, 1)},
         "(  ["},
        {"move forward, backward, to the start and to the end", "(Z ) [ ]",
         {Move(0, 2, 4), Move(5, 2, 1), Move(6, 2, 0), Move(0, 1, 7)},
         "] Z ) [("},
        {"swap structural with entry, structural with structural, entry with entry", "( Z )",
         {Swap(0, 1), Swap(0, 4), Swap(1, 3), Swap(2, 2)},
         ") Z( "},
        {"re-kind between structural kinds, to and from entries, empty and long indicators", " Z( )",
         {Kind(1, ")"), Kind(2, " "), Kind(0, "<"), Kind(4, ""), Kind(3, "T(3)"), Kind(1, "Zz"), Kind(4, "z")},
         "<Z Tz"},
        {"range openings and closings among zero totals, re-kinded, moved and removed", "Z[Z]Z{Z}Z",
         {Kind(1, "Z"), Kind(2, "{"), Move(0, 3, 5), Swap(0, 8), Kind(3, "["), Remove(4, 2), Insert(0, 1)},
         " ZZ{[Z{]"},
        {"edits outside the table change nothing", "( Z",
         {Insert(-1, 1), Insert(4, 1), Remove(3, 1), Remove(-1, 2), Move(0, 2, 2), Move(-1, 1, 0), Swap(0, 3),
          Kind(3, "Z"), Kind(-1, "(")},
         "( Z"},
    };
    for (const IndexCase& test : cases) {
        TLineStore lines = LinesOfKinds(test.start);
        ExpectIndexMatchesRows(lines, std::string(test.name) + ", start");
        for (std::size_t i = 0; i < test.steps.size(); ++i) {
            Apply(lines, test.steps[i]);
            ExpectIndexMatchesRows(lines, std::string(test.name) + ", after step " + std::to_string(i + 1));
        }
        EXPECT_EQ(KindsOf(lines), test.end) << test.name;
    }
}

TEST(StructuralIndex, MovesWithTheStore) {
    TLineStore source = LinesOfKinds(" ( )Z");
    TLineStore moved(std::move(source));
    ExpectIndexMatchesRows(moved, "move-constructed");
    TLineStore assigned = LinesOfKinds("Z");
    assigned = std::move(moved);
    ExpectIndexMatchesRows(assigned, "move-assigned");
    EXPECT_EQ(assigned.StructuralLineAtOrBefore(10, "Z"), 4);
}

}  // namespace
}  // namespace tally
