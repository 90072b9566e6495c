#pragma once
// Builds a line table from a compact description: one {Indicator, Entries, property text} row
// per line.

#include <initializer_list>
#include <string>

#include "engine/lines/line_store.h"

namespace tally::test {

struct TapeRow {
    std::string indicator;
    std::string entries;
    std::string properties = {};
};

inline void FillTape(TLineStore& lines, std::initializer_list<TapeRow> rows) {
    lines.InsertLines(0, static_cast<LineIndex>(rows.size()));
    LineIndex line = 0;
    for (const TapeRow& row : rows) {
        lines.SetIndicator(line, row.indicator);
        lines.SetEntries(line, row.entries);
        lines.SetParamsText(line, row.properties);
        ++line;
    }
}

}  // namespace tally::test
