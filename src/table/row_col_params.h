#pragma once
// The property text of a table heading cell (column properties) or of a row's first cell (row
// properties): NAME=value pairs written and read as comma text. Reading a missing key gives
// the empty text; writing an empty value removes the pair; a new key is appended.

#include <string>
#include <string_view>
#include <vector>

namespace tally {

namespace TableKey {
inline constexpr std::string_view kColumnType = "CT";       // "LN" line numbers, "AN" annotations
inline constexpr std::string_view kColumnId = "TCID";       // 16 digits: a data column
inline constexpr std::string_view kTotalType = "TT";        // "D", "2T", "3T" while a total shows
inline constexpr std::string_view kUserDecimals = "USDP";   // decimals of the total set by the user
inline constexpr std::string_view kRawTotal = "AT";         // decimal text, seconds, or too big
inline constexpr std::string_view kPrintSelected = "USPC";  // "Y": chosen for printing
inline constexpr std::string_view kLastSort = "S";          // "A" or "D"
inline constexpr std::string_view kRowType = "RT";          // "TIL" / "TNL": the total rows
}  // namespace TableKey

class TRowColParams {
public:
    TRowColParams() = default;
    explicit TRowColParams(std::string_view commaText) { SetText(commaText); }

    const std::string& Text() const { return text_; }
    void SetText(std::string_view commaText);
    bool IsEmpty() const { return text_.empty(); }

    std::string_view Value(std::string_view key) const;
    void SetValue(std::string_view key, std::string_view value);

private:
    std::vector<std::string> items_;
    std::string text_;
};

}  // namespace tally
