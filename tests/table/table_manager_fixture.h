#pragma once
// A table manager hand-wired to a main tape and a memory tape on one document bus, with a
// notifier that records beeps and message boxes, a clipboard, and ids drawn from a counter.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "engine/tape_fill.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "platform/clipboard.h"
#include "platform/headless_notification_platform.h"
#include "table/table_manager.h"

namespace tally::test {

class TableManagerTest : public ::testing::Test {
protected:
    TableManagerTest() : notifier_(platform_) {
        bus_.Add(events::FileObj_GetMaxTableDataCols, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedInteger>(out)->Value = maxDataColumns_;
        });
        bus_.Add(events::FileObj_ConfirmDeleteTableCol, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedBoolean>(out)->Value = confirmDelete_;
        });
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* request = RecordAs<TOsMsgVariables>(in);
            requests_.push_back({request->MessageNumber, request->SecondParam});
        });
        manager_.Tapes().MainTape = [this] { return &tape_; };
        manager_.Tapes().MemoryTape = [this] { return memoryEnabled_ ? &memory_ : nullptr; };
        manager_.SetRandomSource([this] { return static_cast<long double>(++draws_) / 100.0L; });
        manager_.ConnectTape(tape_);
        manager_.ConnectTape(memory_);
        manager_.CreateTable();
        for (TCalculator* tape : {&tape_, &memory_}) {
            tape->SetColumnShown(TTapeColumn::TableColumns, true);
            tape->SetColumnShown(TTapeColumn::Annotations, true);
        }
    }

    TResultsTable& Table() { return *manager_.CurrentTable(); }

    // Types the text into the line's Table Columns cell (replacing what it held) and leaves the
    // cell, which hands the cell to the manager.
    void TypeColumn(TCalculator& tape, LineIndex line, const std::string& text) {
        tape.SetFocusLine(line);
        ASSERT_TRUE(tape.SelectCell(TTapeColumn::TableColumns, line));
        tape.Editor().SelStart = 0;
        tape.Editor().SelLength = static_cast<int>(tape.Editor().Text.size());
        if (text.empty()) tape.KeyPress(TapeChar::kBackspace);
        for (const char c : text) tape.KeyPress(c);
        tape.SelectCell(TTapeColumn::Entries, line);
    }
    void TypeColumn(LineIndex line, const std::string& text) { TypeColumn(tape_, line, text); }

    std::string Assignment(const TCalculator& tape, LineIndex line) const {
        return std::string(tape.Lines().Property(line, LineKey::kTableColumnNumber)) + "|" +
               std::string(tape.Lines().TableColumns(line));
    }
    std::string Assignment(LineIndex line) const { return Assignment(tape_, line); }
    std::vector<std::string> Headings() {
        std::vector<std::string> headings;
        for (int column = 1; column < Table().ColumnCount(); ++column) headings.push_back(Table().Heading(column));
        return headings;
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int column = 1; column < Table().ColumnCount(); ++column) cells.push_back(Table().Cell(column, row));
        return cells;
    }
    const std::string& Explanation() { return notifier_.Get().LastBeepExplanation(); }

    struct Request {
        int number;
        int line;
    };

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_;
    HeadlessClipboard clipboard_;
    TStMediator bus_;
    TCalculator tape_{'t', &bus_};
    TCalculator memory_{'m', &bus_};
    TTableManager manager_{&bus_, &clipboard_};
    int maxDataColumns_ = 20;
    bool confirmDelete_ = true;
    bool memoryEnabled_ = true;
    int draws_ = 0;
    std::vector<Request> requests_;
};

// Three entries and a total: lines 0..2 enter 5, +7 and 1:30; line 3 is open.
inline const std::vector<TapeRow> kThreeEntries = {
    {" ", "5", "TT=DE"}, {" ", "+7"}, {" ", "+1:30"}, {" ", ""},
};

}  // namespace tally::test
