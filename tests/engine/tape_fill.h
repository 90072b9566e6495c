#pragma once
// Replaces a tape's lines with rows described compactly and puts the focus on a line.

#include <initializer_list>
#include <span>

#include "engine/tape/calculator.h"
#include "lines_test_tape.h"

namespace tally::test {

// The focus goes to the line given, or to the last line when it is negative.
inline void ReplaceTapeLines(TCalculator& tape, std::span<const TapeRow> rows, LineIndex focus = -1) {
    tape.Lines().RemoveLines(0, tape.Lines().LineCount());
    FillTape(tape.Lines(), rows);
    tape.SetFocusLine(focus < 0 ? tape.LastLine() : focus);
}

inline void ReplaceTapeLines(TCalculator& tape, std::initializer_list<TapeRow> rows, LineIndex focus = -1) {
    ReplaceTapeLines(tape, std::span<const TapeRow>(rows.begin(), rows.size()), focus);
}

}  // namespace tally::test
