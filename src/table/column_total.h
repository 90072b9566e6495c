#pragma once
// The total under a table column: one addition step shared by the running total (a value put
// into the column) and the full recomputation (every cell from the top), and the decimals a
// column total shows.

#include <string>
#include <string_view>

#include "engine/series/series_arithmetic.h"

namespace tally {

inline constexpr std::string_view kSumIsTooBig = "sum is too big";

// Column total types as the table stores them.
inline constexpr std::string_view kColumnTotalDecimal = "D";
inline constexpr std::string_view kColumnTotalHoursMinutes = "2T";
inline constexpr std::string_view kColumnTotalHoursMinutesSeconds = "3T";

// "DE", "T2", "T3" to "D", "2T", "3T"; empty for anything else.
std::string_view ColumnTotalTypeFor(std::string_view seriesTotalType);
// The way back: "D", "2T", "3T" to "DE", "T2", "T3"; empty for anything else.
std::string_view SeriesTotalTypeFor(std::string_view columnTotalType);

// The total type a column's first data cell calls for: "2T" / "3T" for a time of two / three
// parts, "D" for everything else (empty, decimal, fraction).
std::string_view DetectColumnTotalType(std::string_view firstCell);

// A cell's own decimals: digits after the separator of a decimal, 6 for a fraction or time,
// 0 otherwise (thousand separators are ignored).
int CellDecimals(std::string_view cell);

// The decimals a total shows: user decimals when set (0 when not all digits), else those of
// the shown total text.
int ColumnTotalDecimals(std::string_view userDecimals, std::string_view shownTotal);

// A table cell that is a number: a decimal, fraction or time text once thousand separators go.
bool IsTableNumberText(std::string_view text);
// The value a table cell counts as when sorting: decimal, fraction, time in hours; 0 otherwise.
long double TableCellValue(std::string_view text);

struct TColumnTotal {
    std::string Raw;    // AT: decimal text, seconds for time totals, or kSumIsTooBig
    std::string Shown;  // the total number line's text
};

struct TColumnTotalRules {
    bool UserDecimals = false;
    int Decimals = 0;
    std::string_view Type = kColumnTotalDecimal;
    TRoundingMethod Method = TRoundingMethod::Up;
    bool ShowThousands = true;
};

// Adds one cell's text to the total. An empty text changes nothing; once too big the total
// stays so; a decimal written with an exponent, a decimal overflow or a time overflow makes
// it too big.
void AddToColumnTotal(TColumnTotal& total, std::string_view value, const TColumnTotalRules& rules);

}  // namespace tally
