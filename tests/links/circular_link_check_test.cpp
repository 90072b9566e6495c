#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "links/circular_link_check.h"

namespace tally {
namespace {

// A linked line: tape, line, series key, role letter, link number (short texts stand for the
// 16 digits), line kind; range start for group and grand totals.
TMergedLinkInfoListItem Linked(char tape, int line, int series, char role, std::string number,
                               std::string kind = " ", int rangeStart = 0) {
    TMergedLinkInfoListItem item;
    item.TapeId = tape;
    item.Line = line;
    item.SeriesStart = series;
    item.State = 'A';
    item.Role = role;
    item.Sign = '+';
    item.LinkNumber = std::move(number);
    item.LineKind = std::move(kind);
    item.RangeStart = rangeStart;
    return item;
}

struct CircleCase {
    std::string name;
    TMergedLinkInfoList picture;
    std::optional<std::string> chain;
};

TEST(CircularLinkCheck, FindsTheFirstCircleOrNone) {
    const std::vector<CircleCase> cases = {
        {"a source and its destination", {Linked('t', 5, 1, 'S', "1"), Linked('m', 3, 1, 'D', "1")}, std::nullopt},
        {"through a series total on another tape and back",
         {Linked('t', 5, 1, 'S', "1", "T"), Linked('m', 3, 1, 'D', "1"), Linked('m', 5, 1, 'S', "2", "T"),
          Linked('t', 2, 1, 'D', "2")},
         "M3 to M5 to T2 to T5 to M3"},
        {"a destination feeding its own source's total",
         {Linked('t', 4, 1, 'S', "1", "T"), Linked('t', 2, 1, 'D', "1")},
         "T2 to T4 to T2"},
        {"a destination after the total does not feed it",
         {Linked('t', 4, 1, 'S', "1", "T"), Linked('t', 6, 1, 'D', "1")},
         std::nullopt},
        {"a feeding destination whose total goes elsewhere is no circle",
         {Linked('t', 2, 1, 'D', "1"), Linked('t', 4, 1, 'S', "2", "T"), Linked('m', 1, 1, 'D', "2"),
          Linked('s', 9, 1, 'S', "1", "+")},
         std::nullopt},
        {"a diamond joining again",
         {Linked('t', 1, 1, 'S', "1", "+"), Linked('t', 10, 10, 'D', "1"), Linked('t', 20, 20, 'D', "1"),
          Linked('t', 12, 10, 'S', "2", "T"), Linked('t', 22, 20, 'S', "3", "T"), Linked('t', 30, 30, 'D', "2"),
          Linked('t', 31, 30, 'D', "3"), Linked('t', 33, 30, 'S', "4", "T"), Linked('m', 2, 1, 'D', "4")},
         std::nullopt},
        {"a group total covering the destination it feeds",
         {Linked('t', 2, 1, 'D', "1"), Linked('t', 10, 9, 'S', "1", "g", 1)},
         "T2 to T10 to T2"},
        {"a group total whose range starts after the destination",
         {Linked('t', 2, 1, 'D', "1"), Linked('t', 10, 9, 'S', "1", "g", 5)},
         std::nullopt},
        {"a grand total over a pasted destination",
         [] {
             TMergedLinkInfoListItem pasted = Linked('t', 40, 40, 'D', "1");
             pasted.OwnLine = 2;
             return TMergedLinkInfoList{pasted, Linked('t', 20, 8, 'S', "1", "G", 1)};
         }(),
         "T20 to T40 to T20"},
        {"two circles: the one met first from the lowest parent",
         {Linked('t', 8, 7, 'S', "1", "T"), Linked('t', 7, 7, 'D', "1"), Linked('m', 4, 3, 'S', "2", "T"),
          Linked('m', 3, 3, 'D', "2")},
         "M3 to M4 to M3"},
    };
    for (const CircleCase& c : cases) {
        EXPECT_EQ(CheckCircularLinks(c.picture), c.chain) << c.name;
    }
}

std::vector<std::string> EdgeTexts(const TMergedLinkInfoList& picture) {
    std::vector<std::string> texts;
    for (const TLinkParentChildListItem& edge : BuildLinkEdges(picture)) {
        static constexpr const char* kKinds[] = {"link", "series total", "range total"};
        texts.push_back(LineReference(edge.ParentTape, edge.ParentLine) + ">" +
                        LineReference(edge.ChildTape, edge.ChildLine) + " " + kKinds[static_cast<int>(edge.Kind)]);
    }
    return texts;
}

TEST(CircularLinkCheck, EdgesOfEachKind) {
    // T1 feeds T3 and T9; T3 feeds T5, the total of its series; the group total T9 covers T3.
    TMergedLinkInfoList picture = {Linked('t', 1, 1, 'S', "1", "+"), Linked('t', 3, 3, 'D', "1"),
                                   Linked('t', 5, 3, 'S', "2", "T"), Linked('t', 9, 8, 'D', "1", "g", 3),
                                   Linked('m', 1, 1, 'D', "2")};
    EXPECT_EQ(EdgeTexts(picture), (std::vector<std::string>{"T1>T3 link", "T1>T9 link", "T5>M1 link",
                                                            "T3>T5 series total", "T3>T9 range total"}));
    // A grand total from line 1 covers both destinations; a group total on another tape none.
    picture.push_back(Linked('t', 12, 11, 'S', "3", "G", 1));
    picture.push_back(Linked('m', 7, 6, 'S', "4", "g", 1));
    EXPECT_EQ(EdgeTexts(picture), (std::vector<std::string>{"T1>T3 link", "T1>T9 link", "T5>M1 link",
                                                            "T3>T5 series total", "M1>M7 range total",
                                                            "T3>T9 range total", "T3>T12 range total",
                                                            "T9>T12 range total"}));
}

// A chain as long as a large document's links neither overflows the stack nor is cut short.
TEST(CircularLinkCheck, LongChainClosedAtItsEnd) {
    constexpr int kLinks = 60000;
    TMergedLinkInfoList picture;
    for (int i = 0; i < kLinks; ++i) {
        // The total T(2i+1) of series 2i feeds T(2i+2), which opens series 2i+2 with the next total.
        picture.push_back(Linked('t', 2 * i + 1, 2 * i, 'S', std::to_string(i), "T"));
        picture.push_back(Linked('t', 2 * i + 2, 2 * i + 2, 'D', std::to_string(i)));
    }
    EXPECT_EQ(CheckCircularLinks(picture), std::nullopt);
    // The last total also feeds line 0, in the first total's series.
    picture.push_back(Linked('t', 0, 0, 'D', std::to_string(kLinks - 1)));
    const std::optional<std::string> chain = CheckCircularLinks(picture);
    ASSERT_TRUE(chain.has_value());
    EXPECT_EQ(chain->substr(0, 18), "T0 to T1 to T2 to ");
    const std::string end = "to T" + std::to_string(2 * kLinks - 1) + " to T0";
    EXPECT_EQ(chain->substr(chain->size() - end.size()), end);
}

}  // namespace
}  // namespace tally
