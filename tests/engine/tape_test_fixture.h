#pragma once
// A headless tape for tests: fixed view metrics, a notifier that records beeps and
// explanations, and a document bus that records the deferred requests the tape posts.

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "tape_fill.h"
#include "platform/headless_notification_platform.h"

namespace tally::test {

class TapeTest : public ::testing::Test {
protected:
    TapeTest() : notifier_(platform_) {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* request = RecordAs<TOsMsgVariables>(in);
            requests_.push_back(request->MessageNumber - 1024);
            requestRows_.push_back(request->SecondParam);
        });
    }

    // Replaces the tape's lines; the focus goes to the line given (the last line by default).
    void Fill(std::span<const TapeRow> rows, LineIndex focus = -1) { ReplaceTapeLines(tape_, rows, focus); }
    void Fill(std::initializer_list<TapeRow> rows, LineIndex focus = -1) { ReplaceTapeLines(tape_, rows, focus); }

    std::vector<std::string> Column(TLineColumn column) const {
        std::vector<std::string> cells;
        for (LineIndex line = 0; line < tape_.Lines().LineCount(); ++line) {
            cells.emplace_back(tape_.Lines().Cell(line, column));
        }
        return cells;
    }
    std::vector<std::string> Entries() const { return Column(TLineColumn::Entries); }
    std::vector<std::string> Indicators() const { return Column(TLineColumn::Indicator); }
    const std::string& Explanation() { return notifier_.Get().LastBeepExplanation(); }
    int Beeps() const { return platform_.BeepCount(); }
    bool Posted(int code) const {
        for (int posted : requests_) {
            if (posted == code) return true;
        }
        return false;
    }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator bus_;
    HeadlessTapeView view_{400, 20};
    TCalculator tape_{'t', &bus_, &view_};
    std::vector<int> requests_;
    std::vector<int> requestRows_;
};

using Texts = std::vector<std::string>;

// A tape, the line with the focus, and the explanation an operation there must give.
struct RefusalCase {
    std::string name;
    std::vector<TapeRow> rows;
    LineIndex focus;
    std::string refusal;
};

}  // namespace tally::test
