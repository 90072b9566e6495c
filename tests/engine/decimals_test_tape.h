#pragma once
// A headless tape with a notifier that records explanations, filled row by row, for the tests
// of decimal places, total types, rounding and sorting.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"
#include "lines_test_tape.h"
#include "platform/headless_notification_platform.h"

namespace tally::test {

using Lines = std::vector<std::string>;

class TapeFixture : public ::testing::Test {
protected:
    TapeFixture() : notifier_(platform_) {}

    // Replaces the lines and puts the focus on `focus` (the last line when negative).
    void Fill(std::initializer_list<TapeRow> rows, LineIndex focus = -1) {
        tape_.Lines().RemoveLines(0, tape_.Lines().LineCount());
        FillTape(tape_.Lines(), rows);
        tape_.SetFocusLine(focus < 0 ? tape_.LastLine() : focus);
    }

    Lines Column(TLineColumn column) const {
        Lines cells;
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            cells.emplace_back(tape_.Lines().Cell(line, column));
        }
        return cells;
    }
    Lines Entries() const { return Column(TLineColumn::Entries); }
    const std::string& Explanation() { return notifier_.Get().LastBeepExplanation(); }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    TCalculator tape_{'t', &bus_};
};

}  // namespace tally::test
