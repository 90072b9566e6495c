#pragma once
// The table column assignments of one tape: one item per line whose TCID and TCN are both set.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"

namespace tally {

class TCalculator;

struct TTapeTableColumnInfoListItem {
    const TCalculator* tape = nullptr;
    LineIndex lineIndex = kNoLine;
    std::string tableColumnId;
    int tableColumnNumber = 0;
};

class TTapeTableColumnInfoList {
public:
    // Adds one item per line with both TCID and a valid TCN, in line order. A TCN that is not
    // a non-negative 32-bit number is not an assignment.
    void AddAssignedLines(const TLineStore& lines, const TCalculator* tape);

    void Add(TTapeTableColumnInfoListItem item);
    void Clear();
    bool IsEmpty() const { return items_.empty(); }
    std::size_t Count() const { return items_.size(); }

    // Cursor: First() restarts it; each returns null once the end is reached.
    const TTapeTableColumnInfoListItem* First();
    const TTapeTableColumnInfoListItem* Next();

    // The first item whose TCID equals the text exactly; null when none.
    const TTapeTableColumnInfoListItem* FindByTableColumnId(std::string_view tableColumnId) const;
    // Orders the items by TCID, byte by byte, keeping the line order among equal ids.
    void SortByTableColumnId();

private:
    std::vector<std::unique_ptr<TTapeTableColumnInfoListItem>> items_;
    std::size_t cursor_ = 0;
};

}  // namespace tally
