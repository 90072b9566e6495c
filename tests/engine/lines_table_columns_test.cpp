#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/lines/table_column_info.h"
#include "lines_test_tape.h"

namespace tally {
namespace {

std::vector<std::string> Walk(TTapeTableColumnInfoList& list) {
    std::vector<std::string> seen;
    for (auto* item = list.First(); item; item = list.Next()) {
        seen.push_back(item->tableColumnId + "@" + std::to_string(item->lineIndex) + "#" +
                       std::to_string(item->tableColumnNumber));
    }
    return seen;
}

TEST(TableColumnInfoList, ListsLinesWithBothAssignmentKeysAndSortsById) {
    TLineStore lines;
    test::FillTape(lines, {
                              {"T", "5.00", "TCID=c,TCN=3"},
                              {" ", "+1", "TCID=a"},             // no column number
                              {" ", "+2", "TCN=4"},              // no column id
                              {" ", "+3", "TCID=B,TCN=1"},       // upper case sorts first
                              {" ", "+4", "TCID=a,TCN=2"},
                              {" ", "+5", "TCID=d,TCN=-1"},      // not a column number
                              {" ", "+6", "TCID=a,TCN=7"},
                          });
    TTapeTableColumnInfoList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.First(), nullptr);
    const auto* tape = reinterpret_cast<const TCalculator*>(&lines);
    list.AddAssignedLines(lines, tape);
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"c@0#3", "B@3#1", "a@4#2", "a@6#7"}));
    EXPECT_EQ(list.Next(), nullptr);  // stays at the end

    list.SortByTableColumnId();
    EXPECT_EQ(Walk(list), (std::vector<std::string>{"B@3#1", "a@4#2", "a@6#7", "c@0#3"}));
    ASSERT_NE(list.FindByTableColumnId("a"), nullptr);
    EXPECT_EQ(list.FindByTableColumnId("a")->lineIndex, 4);
    EXPECT_EQ(list.FindByTableColumnId("a")->tape, tape);
    EXPECT_EQ(list.FindByTableColumnId("A"), nullptr);  // exact match only

    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.First(), nullptr);
}

}  // namespace
}  // namespace tally
