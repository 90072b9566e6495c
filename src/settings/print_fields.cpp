#include "settings/print_fields.h"

#include <array>

namespace tally {

namespace {

template <class Item, class Key>
void AddByKey(std::vector<Item>& list, Item item, Key key) {
    if (list.empty()) {
        list.push_back(std::move(item));
    } else if (key(list.front()) == key(item)) {
        list.front() = std::move(item);
    } else if (key(item) < key(list.front())) {
        list.insert(list.begin(), std::move(item));
    } else {
        list.push_back(std::move(item));
    }
}

struct TColumnLayout {
    TTapeColumn Kind;
    TFieldAlignment Alignment;
    bool Wrap;
    bool Links;
};

// The order the tape adds its columns in; with the Line column going in front, the list ends
// up in left-to-right order.
constexpr std::array<TColumnLayout, 7> kTapeFieldOrder = {{
    {TTapeColumn::Entries, TFieldAlignment::Right, false, false},
    {TTapeColumn::Indicator, TFieldAlignment::Centred, false, false},
    {TTapeColumn::Links, TFieldAlignment::Left, false, true},
    {TTapeColumn::RunningTotal, TFieldAlignment::Right, false, false},
    {TTapeColumn::TableColumns, TFieldAlignment::Centred, false, false},
    {TTapeColumn::Annotations, TFieldAlignment::Left, true, false},
    {TTapeColumn::Line, TFieldAlignment::Right, false, false},
}};

}  // namespace

TPrintFieldsListItem TPrintFieldsListItem::From(const TTapeFieldsListItem& field, std::int32_t printColNum) {
    return {field.Kind, field.Position, field.Heading, printColNum, field.Alignment, field.Wrap, field.Links};
}

void AddTapeField(TTapeFieldsList& list, TTapeFieldsListItem item) {
    AddByKey(list, std::move(item), [](const TTapeFieldsListItem& field) { return field.Position; });
}

void AddPrintField(TPrintFieldsList& list, TPrintFieldsListItem item) {
    AddByKey(list, std::move(item), [](const TPrintFieldsListItem& field) { return field.PrintColNum; });
}

void FillTapeFields(const TCalculator& tape, TTapeFieldsList& list) {
    for (const TColumnLayout& column : kTapeFieldOrder) {
        if (!tape.IsColumnShown(column.Kind)) continue;
        AddTapeField(list, {column.Kind, tape.ColumnPosition(column.Kind), std::string(TCalculator::ColumnHeading(column.Kind)),
                            column.Alignment, column.Wrap, column.Links});
    }
}

}  // namespace tally
