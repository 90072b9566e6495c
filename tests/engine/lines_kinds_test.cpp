#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "engine/lines/line_kinds.h"
#include "engine/lines/operator_keys.h"

namespace tally {
namespace {

struct GroupCase {
    std::string_view indicator;
    std::string_view groups;  // one letter per group the indicator is in: e t s E x b l r
};

TEST(LineKinds, IndicatorsFallIntoTheirGroups) {
    const std::pair<char, std::string_view> groups[] = {
        {'e', LineGroup::kEntryLine},         {'t', LineGroup::kTotalLine},
        {'s', LineGroup::kStandardTotal},     {'E', LineGroup::kSeriesEnding},
        {'x', LineGroup::kEndsSeriesOrEmbedded}, {'b', LineGroup::kBoundary},
        {'l', LineGroup::kLeadingBoundary},   {'r', LineGroup::kLeadingRangeBoundary},
    };
    const GroupCase cases[] = {
        {"", "e"},    {" ", "e"},    {"h", "e"},    {"b", "e"},     {"d", "e"},
        {"T", "ts"},  {"T(3)", "ts"}, {"S", "ts"},  {"S(12)", "ts"}, {"H", "t"},
        {"B", "t"},   {"D", "t"},    {"g(2)", "t"}, {"G", "t"},     {"=", ""},
        {"Z", "Ex"},  {"z", "Ex"},   {"]", "Exb"},  {"}", "Exb"},   {">", "Exb"},
        {")", "xb"},  {"(", "bl"},   {"[", "blr"},  {"{", "blr"},   {"<", "blr"},
        {"?", ""},    {std::string_view("\0", 1), ""},
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE("indicator \"" + std::string(c.indicator) + "\"");
        for (const auto& [letter, group] : groups) {
            EXPECT_EQ(IndicatorInGroup(c.indicator, group), c.groups.find(letter) != std::string_view::npos)
                << "group " << letter;
        }
    }
    EXPECT_TRUE(IndicatorHasKind("T(3)", LineKind::kTotal));
    EXPECT_TRUE(IndicatorHasKind("", LineKind::kEntry));
    EXPECT_FALSE(IndicatorHasKind("h", LineKind::kEntry));
}

TEST(OperatorKeys, MapTypedKeysToStoredOperators) {
    const std::pair<char, std::optional<char>> cases[] = {
        {'+', '+'}, {'A', '+'}, {'a', '+'}, {'-', '-'}, {'*', 'X'}, {'X', 'X'}, {'x', 'X'},
        {'\xD7', 'X'}, {'P', 'P'}, {'p', 'P'}, {'R', 'R'}, {'r', 'R'}, {'/', '/'}, {'\xF7', '/'},
        {'=', std::nullopt}, {'1', std::nullopt}, {'b', std::nullopt},
    };
    for (const auto& [key, stored] : cases) {
        EXPECT_EQ(StoredOperatorForKey(key, '/'), stored) << "key " << key;
    }
    EXPECT_EQ(StoredOperatorForKey('/', '\xF7'), '\xF7');
}

TEST(OperatorKeys, OperatorOnlyEntries) {
    const std::pair<std::string_view, bool> cases[] = {
        {"+", true},   {"-", true},    {"X", true},  {"\xF7", true}, {"P", true},  {"R", true},
        {"X-", true},  {"\xF7-", true}, {"R-", true}, {"+-", false},  {"--", false}, {"X-3", false},
        {"+3", false}, {"", false},    {"x", false}, {"/", false},
    };
    for (const auto& [entry, operatorOnly] : cases) {
        EXPECT_EQ(IsOperatorOnlyEntry(entry, '\xF7'), operatorOnly) << "entry " << entry;
    }
    EXPECT_TRUE(IsOperatorOnlyEntry("/-", '/'));
}

}  // namespace
}  // namespace tally
