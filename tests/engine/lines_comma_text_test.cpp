#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/lines/comma_text.h"

namespace tally {
namespace {

using Items = std::vector<std::string>;

struct WriteCase {
    Items items;
    std::string text;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class CommaTextWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(CommaTextWrite, WritesAndReadsBack) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(CommaTextFromItems(c.items), c.text);
    EXPECT_EQ(ItemsFromCommaText(c.text), c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CommaTextWrite,
    testing::Values(WriteCase{{}, ""},
                    WriteCase{{""}, "\"\""},
                    WriteCase{{"TT=DE", "LID=a b"}, "TT=DE,\"LID=a b\""},
                    WriteCase{{"say \"hi\""}, "\"say \"\"hi\"\"\""},
                    WriteCase{{"a,b", "c"}, "\"a,b\",c"},
                    WriteCase{{"tab\there", "nl\nx"}, "\"tab\there\",\"nl\nx\""},
                    WriteCase{{"a", "", "b"}, "a,,b"},
                    WriteCase{{"", "b"}, ",b"},
                    // An empty last item must stay readable: it is quoted.
                    WriteCase{{"a", ""}, "a,\"\""},
                    WriteCase{{"\xF7" "3", "\xA0"}, "\xF7" "3,\xA0"}));

struct ReadCase {
    std::string text;
    Items items;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class CommaTextRead : public testing::TestWithParam<ReadCase> {};

TEST_P(CommaTextRead, Reads) {
    EXPECT_EQ(ItemsFromCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommaTextRead,
    testing::Values(ReadCase{"a=1 b=2", {"a=1", "b=2"}},
                    ReadCase{"  \t a , b ,c", {"a", "b", "c"}},
                    ReadCase{"a,,b", {"a", "", "b"}},
                    ReadCase{",", {""}},
                    ReadCase{"a,", {"a"}},
                    ReadCase{"\"x y\"z", {"x y", "z"}},
                    ReadCase{"\"\"", {""}},
                    ReadCase{"   ", {}},
                    // An unterminated quote runs to the end of the text.
                    ReadCase{"a,\"open item", {"a", "open item"}},
                    ReadCase{"\"ends in a doubled quote\"\"", {"ends in a doubled quote\""}},
                    ReadCase{"\"", {""}}));

TEST(CommaTextRead, NulSeparatesUnquotedItemsAndIsKeptInQuotes) {
    const std::string text("a\0b,\"c\0d\"", 9);
    EXPECT_EQ(ItemsFromCommaText(text), (Items{"a", "b", std::string("c\0d", 3)}));
    const Items withNul{std::string("x\0", 2)};
    EXPECT_EQ(ItemsFromCommaText(CommaTextFromItems(withNul)), withNul);
}

TEST(NameValueItems, LookupIsCaseInsensitiveAndIgnoresItemsWithoutEquals) {
    const Items items{"TT", "tt=T2", "TT=DE", "SDP=3"};
    EXPECT_EQ(ValueOfName(items, "TT"), "T2");
    EXPECT_EQ(ValueOfName(items, "sdp"), "3");
    EXPECT_EQ(ValueOfName(items, "LID"), "");
}

TEST(NameValueItems, SetReplacesAppendsAndEmptyRemoves) {
    Items items{"TT=DE", "SDP=2"};
    SetValueOfName(items, "SDP", "4");
    SetValueOfName(items, "LID", "x=y");
    EXPECT_EQ(items, (Items{"TT=DE", "SDP=4", "LID=x=y"}));
    EXPECT_EQ(ValueOfName(items, "LID"), "x=y");
    SetValueOfName(items, "TT", "");
    SetValueOfName(items, "TCN", "");
    EXPECT_EQ(items, (Items{"SDP=4", "LID=x=y"}));
}

}  // namespace
}  // namespace tally
