#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "links/link_data_codec.h"

namespace tally {
namespace {

constexpr std::string_view kNumber = "1234567890123456";

TEST(LinkDataCodec, EditsOnlyWellFormedStringsWithAllowedValues) {
    const std::string source = "PS+" + std::string(kNumber);
    struct Case {
        std::string name;
        std::string result;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"state A", WithLinkState(source, 'A'), "AS+" + std::string(kNumber)},
        {"state X is no state", WithLinkState(source, 'X'), source},
        {"sign", WithLinkSign(source, '-'), "PS-" + std::string(kNumber)},
        {"new number", WithLinkNumber(source, "6543210987654321"), "PS+6543210987654321"},
        {"a short number is refused", WithLinkNumber(source, "123"), source},
        // A table id is 16 digits too: only a link data string has its number replaced.
        {"a table id is no link data", WithLinkNumber("T" + std::string(kNumber), "6543210987654321"),
         "T" + std::string(kNumber)},
        {"flag P", WithLinkFlag(source, "P"), source + ",P"},
        {"P becomes D", WithLinkFlag(source + ",P", "D"), source + ",D"},
        {"flag removed", WithLinkFlag(source + ",P", ""), source},
        {"unknown flag", WithLinkFlag(source, "Q"), source},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
    EXPECT_EQ(LinkDataFlag(source + ",P"), 'P');
    EXPECT_EQ(LinkDataFlag(source), '\0');
    EXPECT_EQ(LinkDataFlag(source + "xP"), '\0') << "no comma before the letter";
}

TEST(LinkDataCodec, NumbersDrawnInOneStepDifferEvenFromARepeatingGenerator) {
    EXPECT_EQ(DrawLinkNumber([] { return 0.25; }), "2500000000000000");
    EXPECT_EQ(DrawLinkNumber([] { return std::nextafter(1.0, 0.0); }), "9999999999999999");
    EXPECT_EQ(DrawLinkNumber([] { return 1.5; }), "0000000000000000") << "out of range";
    std::set<std::string, std::less<>> taken = {"2500000000000000"};
    const TRandomFraction stuck = [] { return 0.25; };
    EXPECT_EQ(DrawUnusedLinkNumber(stuck, taken), "2500000000000001");
    EXPECT_EQ(DrawUnusedLinkNumber(stuck, taken), "2500000000000002");
    EXPECT_EQ(taken.size(), 3u);
}

}  // namespace
}  // namespace tally
