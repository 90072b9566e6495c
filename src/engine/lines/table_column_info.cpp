#include "engine/lines/table_column_info.h"

#include <algorithm>

namespace tally {

void TTapeTableColumnInfoList::AddAssignedLines(const TLineStore& lines, const TCalculator* tape) {
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        const TCalcParams* params = lines.Params(line);
        if (!params) continue;
        const std::string_view columnId = params->Value(LineKey::kTableColumnId);
        const std::optional<int> columnNumber = params->TableColumnNumber();
        if (columnId.empty() || !columnNumber) continue;
        Add({tape, line, std::string(columnId), *columnNumber});
    }
}

void TTapeTableColumnInfoList::Add(TTapeTableColumnInfoListItem item) {
    items_.push_back(std::make_unique<TTapeTableColumnInfoListItem>(std::move(item)));
}

void TTapeTableColumnInfoList::Clear() {
    items_.clear();
    cursor_ = 0;
}

const TTapeTableColumnInfoListItem* TTapeTableColumnInfoList::First() {
    cursor_ = 0;
    return items_.empty() ? nullptr : items_.front().get();
}

const TTapeTableColumnInfoListItem* TTapeTableColumnInfoList::Next() {
    if (cursor_ < items_.size()) ++cursor_;
    return cursor_ < items_.size() ? items_[cursor_].get() : nullptr;
}

const TTapeTableColumnInfoListItem* TTapeTableColumnInfoList::FindByTableColumnId(
    std::string_view tableColumnId) const {
    for (const auto& item : items_) {
        if (item->tableColumnId == tableColumnId) return item.get();
    }
    return nullptr;
}

void TTapeTableColumnInfoList::SortByTableColumnId() {
    // std::string compares its characters as unsigned char: an ordinal comparison.
    std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
        return a->tableColumnId < b->tableColumnId;
    });
}

}  // namespace tally
