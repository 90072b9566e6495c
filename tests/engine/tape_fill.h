#pragma once
// Replaces a tape's lines with rows described compactly and puts the focus on a line; types
// keys into a tape.

#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "engine/tape/calculator.h"
#include "lines_test_tape.h"

namespace tally::test {

// +100.00 and an embedded series of 3.00 make a complete series (lines 0-9, the embedded series
// at 1-5, its external total at 6), followed by an open series of +5.00 and the open last line.
inline std::vector<TapeRow> EmbeddedSeriesTape() {
    return {{" ", "+100.00"},
            {"(", "", "STYP=e"},
            {" ", "+3.00", "STYP=e"},
            {"=", "==========", "STYP=e"},
            {"T", "3.00", "STYP=e"},
            {")", "", "STYP=e,TT=DE,SDP=2"},
            {" ", "+3.00"},
            {"=", "=========="},
            {"T", "103.00"},
            {"Z", "0.00", "TT=DE,SDP=2"},
            {" ", "+5.00"},
            {" ", ""}};
}

// The focus goes to the line given, or to the last line when it is negative.
inline void ReplaceTapeLines(TCalculator& tape, std::span<const TapeRow> rows, LineIndex focus = -1) {
    tape.Lines().RemoveLines(0, tape.Lines().LineCount());
    FillTape(tape.Lines(), rows);
    tape.SetFocusLine(focus < 0 ? tape.LastLine() : focus);
}

inline void ReplaceTapeLines(TCalculator& tape, std::initializer_list<TapeRow> rows, LineIndex focus = -1) {
    ReplaceTapeLines(tape, std::span<const TapeRow>(rows.begin(), rows.size()), focus);
}

// Types the keys one by one ('\n' is the Enter key), calling `afterEachKey` after each, where
// the callers run the deferred requests the key posted.
inline void TypeKeys(TCalculator& tape, std::string_view keys, const std::function<void()>& afterEachKey) {
    for (const char key : keys) {
        if (key == '\n') {
            if (!tape.KeyDown(TTapeKey::Enter)) tape.KeyPress(TapeChar::kEnter);
        } else {
            tape.KeyPress(key);
        }
        afterEachKey();
    }
}

}  // namespace tally::test
