#pragma once
// The tapes the tape benchmarks run on: many short closed series (the usual shape) or one
// long open series (the worst case for finding a series' bounds).

#include <string>

#include "engine/lines/line_store.h"

namespace tally::bench {

inline constexpr int kEntriesPerSeries = 10;
inline constexpr int kSeriesLength = kEntriesPerSeries + 3;

// An entry such as "+345.25", varying with the line.
inline std::string EntryText(LineIndex line) {
    std::string text = "+";
    text += std::to_string(100 + line % 900);
    text += ".25";
    return text;
}

// Writes the line at position `at` (0 to kSeriesLength - 1) of a closed series of ten entries
// with their separator, total and zero total line.
inline void WriteClosedSeriesLine(TLineStore& lines, LineIndex line, int at) {
    if (at < kEntriesPerSeries) {
        lines.SetIndicator(line, " ");
        lines.SetEntries(line, EntryText(line));
    } else if (at == kEntriesPerSeries) {
        lines.SetIndicator(line, "=");
        lines.SetEntries(line, "==========");
    } else if (at == kEntriesPerSeries + 1) {
        lines.SetIndicator(line, "T");
        lines.SetEntries(line, "1,022.50");
    } else {
        lines.SetIndicator(line, "Z");
        lines.SetEntries(line, "0.00");
        lines.SetParamsText(line, "TT=DE,SDP=2");
    }
}

// Replaces the lines with lineCount lines: closed series of ten entries with their separator,
// total and zero total line, then the empty last line.
inline void FillClosedSeries(TLineStore& lines, int lineCount) {
    lines.RemoveLines(0, lines.LineCount());
    lines.InsertLines(0, lineCount);
    for (LineIndex line = 0; line + 1 < lineCount; ++line) WriteClosedSeriesLine(lines, line, line % kSeriesLength);
    lines.SetIndicator(lineCount - 1, " ");
}

// Replaces the lines with one open series of entries running to the empty last line.
inline void FillOpenSeries(TLineStore& lines, int lineCount) {
    lines.RemoveLines(0, lines.LineCount());
    lines.InsertLines(0, lineCount);
    for (LineIndex line = 0; line + 1 < lineCount; ++line) {
        lines.SetIndicator(line, " ");
        lines.SetEntries(line, EntryText(line));
    }
    lines.SetIndicator(lineCount - 1, " ");
}

}  // namespace tally::bench
