// The file manager's commands to the visible document's current tape (its series' decimal
// places and total type, its options, its focus and scrolling), to its auxiliary tape labels
// and to its tables, served on the application bus.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "engine/series/series_base.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "table/results_table.h"
#include "table/table_manager.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally {

namespace ev = events;

namespace {

// The item count flags of a tape's total lines, one per command.
using TItemCountGetter = bool (TCalculator::*)() const;
using TItemCountSetter = void (TCalculator::*)(bool);
struct TItemCountEvent {
    std::string_view Event;
    TItemCountGetter Get;
    TItemCountSetter Set;
};

// Grid row 0 is the heading row, so line n is shown in row n + 1.
LineIndex LineOfGridRow(std::int32_t row) {
    return static_cast<LineIndex>(std::clamp<std::int64_t>(std::int64_t{row} - 1, 0, std::numeric_limits<LineIndex>::max()));
}

}  // namespace

void TFileManager::RegisterTapeCommands() {
    // The current series of the visible document's current tape.
    commands_.Add(ev::FileMgr_GetCurrentTapeDecimalPlaces, Answering<TMedInteger>([this] {
                      const TSeriesBase* series = Visible().CurrentTape().CurrentSeries();
                      return series != nullptr ? series->DecimalPlaces() : 0;
                  }));
    commands_.Add(ev::FileMgr_GetCurrentTapeTotalType, Answering<TMedString>([this] {
                      const TSeriesBase* series = Visible().CurrentTape().CurrentSeries();
                      return series != nullptr ? series->TotalType() : std::string();
                  }));
    commands_.Add(ev::FileMgr_SpecifyTapeDecimalPlaces, WithValue<TMedInteger>([this](std::int32_t decimals) {
                      TSeriesBase* series = Visible().CurrentTape().CurrentSeries();
                      if (series != nullptr && series->SetDecimalPlaces(decimals)) Visible().Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_SpecifyTapeTotalType, WithValue<TMedString>([this](const std::string& totalType) {
                      TSeriesBase* series = Visible().CurrentTape().CurrentSeries();
                      if (series != nullptr && series->SetTotalType(totalType)) Visible().Pages().Refresh();
                  }));

    // The current tape's options. The item count flags are stored in the file, so a change
    // marks the tape modified.
    commands_.Add(ev::FileMgr_SetCurrentTapeDataEntryOption, WithValue<TMedInteger>([this](std::int32_t option) {
                      Visible().CurrentTape().SetDataEntryOption(option);
                  }));
    const TItemCountEvent itemCountEvents[] = {
        {ev::FileMgr_SetCurrentTapeSeriesTotalItemCountState, &TCalculator::ShowSeriesTotalItemCount,
         &TCalculator::SetShowSeriesTotalItemCount},
        {ev::FileMgr_SetCurrentTapeGroupTotalItemCountState, &TCalculator::ShowGroupTotalItemCount,
         &TCalculator::SetShowGroupTotalItemCount},
        {ev::FileMgr_SetCurrentTapeGrandTotalItemCountState, &TCalculator::ShowGrandTotalItemCount,
         &TCalculator::SetShowGrandTotalItemCount},
    };
    for (const TItemCountEvent& itemCount : itemCountEvents) {
        commands_.Add(itemCount.Event, WithValue<TMedBoolean>([this, itemCount](bool on) {
                          TCalculator& tape = Visible().CurrentTape();
                          if ((tape.*itemCount.Get)() == on) return;
                          (tape.*itemCount.Set)(on);
                          // The total lines already on the tape show or drop their counts now.
                          tape.RefreshAll();
                          tape.SetModified(true);
                          Visible().Pages().Refresh();
                      }));
    }

    // The focus and the scrolling of the current tape.
    commands_.Add(ev::FileMgr_MoveCurrentTapeToLineNum, WithValue<TMedInteger>([this](std::int32_t lineNumber) {
                      Visible().CurrentTape().GoToLine(lineNumber);
                  }));
    commands_.Add(ev::FileMgr_MoveCurrentTapeToNextRow,
                  [this](TMedRecord*, TMedRecord*) { Visible().CurrentTape().NextLine(); });
    commands_.Add(ev::FileMgr_MoveCurrentTapeToPriorRow,
                  [this](TMedRecord*, TMedRecord*) { Visible().CurrentTape().PriorLine(); });
    commands_.Add(ev::FileMgr_MoveCurrentTapeToNextPage,
                  [this](TMedRecord*, TMedRecord*) { Visible().CurrentTape().NextPage(); });
    commands_.Add(ev::FileMgr_MoveCurrentTapeToPriorPage,
                  [this](TMedRecord*, TMedRecord*) { Visible().CurrentTape().PriorPage(); });
    commands_.Add(ev::FileMgr_GetCurrentTapeTopRowNum,
                  Answering<TMedLongint>([this] { return Visible().CurrentTape().TopLine() + 1; }));
    commands_.Add(ev::FileMgr_SetCurrentTapeTopRowNum, WithValue<TMedLongint>([this](std::int32_t row) {
                      Visible().CurrentTape().SetTopLine(LineOfGridRow(row));
                  }));
    commands_.Add(ev::FileMgr_GetCurrentEntryValue, Answering<TMedString>([this] {
                      const TCalculator& tape = Visible().CurrentTape();
                      if (tape.FocusColumn() != TTapeColumn::Entries) return std::string();
                      return std::string(tape.Lines().Entries(tape.FocusLine()));
                  }));

    // Auxiliary tapes.
    commands_.Add(ev::FileMgr_GetMoreAuxCalcsAvailable,
                  Answering<TMedBoolean>([this] { return Visible().AuxManager().MoreAvailable(); }));
    commands_.Add(ev::FileMgr_GetTapeLabelByTapeName, [this](TMedRecord* in, TMedRecord* out) {
        const auto* name = RecordAs<TMedString>(in);
        auto* answer = RecordAs<TMedString>(out);
        if (name == nullptr || answer == nullptr) return;
        const TCalculator* tape = Visible().AuxManager().FindByName(name->Value);
        answer->Value = tape != nullptr ? Visible().TapeLabel(*tape) : std::string();
    });
    commands_.Add(ev::FileMgr_SetTapeLabelByTapeName, [this](TMedRecord* in, TMedRecord*) {
        const auto* label = RecordAs<TMedFileMgr_SetTapeLabel_DataIn>(in);
        if (label == nullptr) return;
        TCalculator* tape = Visible().AuxManager().FindByName(label->TapeName);
        if (tape == nullptr) return;
        Visible().SetTapeLabel(*tape, label->Label);
        tape->SetModified(true);
    });

    // Tables.
    commands_.Add(ev::FileMgr_GetCurrentTableName, Answering<TMedString>([this] {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      return table != nullptr ? table->TableName() : std::string();
                  }));
    commands_.Add(ev::FileMgr_IsCurrentTableUndefined, Answering<TMedBoolean>([this] {
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      return table == nullptr || table->DataColumnCount() == 0;
                  }));
    commands_.Add(ev::FileMgr_GetMaxNumOfEnabledTableDataCols, Answering<TMedInteger>([this] {
                      int most = 0;
                      for (const TOpenFile& file : files_) {
                          for (const auto& table : file.Document->TableManager().Tables()) {
                              most = std::max(most, table->DataColumnCount());
                          }
                      }
                      return most;
                  }));

    // Saving and closing every file goes through the window one document at a time, with its
    // questions; these two are accepted and do nothing.
    commands_.Add(ev::FileMgr_SaveAllFiles, [](TMedRecord*, TMedRecord*) {});
    commands_.Add(ev::FileMgr_CloseAllFiles, [](TMedRecord*, TMedRecord*) {});
}

}  // namespace tally
