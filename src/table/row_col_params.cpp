#include "table/row_col_params.h"

#include "engine/lines/comma_text.h"

namespace tally {

void TRowColParams::SetText(std::string_view commaText) {
    items_ = ItemsFromCommaText(commaText);
    text_ = CommaTextFromItems(items_);
}

std::string_view TRowColParams::Value(std::string_view key) const { return ValueOfName(items_, key); }

void TRowColParams::SetValue(std::string_view key, std::string_view value) {
    SetValueOfName(items_, key, value);
    text_ = CommaTextFromItems(items_);
}

}  // namespace tally
