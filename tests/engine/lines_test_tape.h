#pragma once
// Builds a line table from a compact description: one {Indicator, Entries, property text} row
// per line.

#include <initializer_list>
#include <span>
#include <string>

#include "engine/lines/line_store.h"

namespace tally::test {

struct TapeRow {
    std::string indicator;
    std::string entries;
    std::string properties = {};
};

// Appends the rows after the lines already there (none, for a fresh table).
inline void FillTape(TLineStore& lines, std::span<const TapeRow> rows) {
    LineIndex line = lines.LineCount();
    lines.InsertLines(line, static_cast<LineIndex>(rows.size()));
    for (const TapeRow& row : rows) {
        lines.SetIndicator(line, row.indicator);
        lines.SetEntries(line, row.entries);
        lines.SetParamsText(line, row.properties);
        ++line;
    }
}

inline void FillTape(TLineStore& lines, std::initializer_list<TapeRow> rows) {
    FillTape(lines, std::span<const TapeRow>(rows.begin(), rows.size()));
}

}  // namespace tally::test
