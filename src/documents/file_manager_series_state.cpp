// What deleting, cutting or erasing lines of the visible document's current tape would take
// from its table: the series and tape line states at the focus line, and whether the focus
// line, its series, the tape or the memory tape feed a table column that holds data. The window
// reads them before it asks the user to confirm such a command.
//
// Every answer reads only the lines assigned to table columns (the line store's index of them)
// and finds series bounds through the store's index of structural lines, so none walks a tape.

#include <string>
#include <string_view>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "documents/file_manager_table_records.h"
#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/standard_series.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "table/table_manager.h"

namespace tally {

namespace ev = events;

namespace {

// The kinds that end a calculation series or a group or grand total range.
constexpr std::string_view kSeriesEndingKinds = "Zz]}>";

struct TLineRange {
    LineIndex First = 0;
    LineIndex Last = -1;
};

// The content lines of the embedded series opening at the line: up to its ")", or for one
// without its ")" up to the line that stops it.
TLineRange EmbeddedContent(const TLineStore& lines, LineIndex opening) {
    const LineIndex stop = lines.StructuralLineAtOrAfter(opening + 1);
    return {opening + 1, (stop == kNoLine ? lines.LineCount() : stop) - 1};
}

// The lines the focus line's series covers: inside an embedded series (or on its boundaries)
// its content lines; otherwise from the line after the nearest series end above the line (or
// the first line) to the first series end at or after it (or the last line).
TLineRange SeriesRangeAt(const TLineStore& lines, LineIndex line) {
    if (const LineIndex opening = EmbeddedLeadingBoundary(lines, line); opening != kNoLine) {
        return EmbeddedContent(lines, opening);
    }
    const LineIndex above = lines.StructuralLineAtOrBefore(line - 1, kSeriesEndingKinds);
    const LineIndex below = lines.StructuralLineAtOrAfter(line, kSeriesEndingKinds);
    return {above == kNoLine ? 0 : above + 1, below == kNoLine ? lines.LastLine() : below};
}

// The total line deleting the line would take along, as the tape's standard series decides it;
// kNoLine when the line would go alone or a total series holds the focus.
LineIndex TotalDeletedWith(const TCalculator& tape, LineIndex line) {
    if (tape.CurrentSeries() != &tape.StandardSeries()) return kNoLine;
    return tape.StandardSeries().TotalDeletedWith(line);
}

bool HasColumnId(const TLineStore& lines, LineIndex line) {
    return !lines.Property(line, LineKey::kTableColumnId).empty();
}

// "leading" when the total stands above the line, else "trailing".
std::string_view TotalPosition(LineIndex total, LineIndex line) { return total < line ? "leading" : "trailing"; }

void FillSeriesState(const TTlyFile& document, TMedFileMgr_SeriesStateVariables& state) {
    state = TMedFileMgr_SeriesStateVariables();
    const TCalculator& tape = document.CurrentTape();
    const TLineStore& lines = tape.Lines();
    const TTableManager& tables = document.TableManager();
    const LineIndex focus = tape.FocusLine();

    const TLineRange series = SeriesRangeAt(lines, focus);
    // Any line of the series counts, not only the first assigned one: each assigned line's
    // column goes when the series does.
    state.SeriesFeedsTable = tables.AnyLineFeedsData(lines, series.First, series.Last);

    const LineIndex opening = EmbeddedLeadingBoundary(lines, focus);
    const LineIndex closing = opening != kNoLine ? EmbeddedTrailingBoundary(lines, focus) : kNoLine;
    const LineIndex external = closing != kNoLine ? closing + 1 : kNoLine;
    if (lines.IsLine(external)) {
        const LineIndex total = tape.IsLastLine(external) ? kNoLine : TotalDeletedWith(tape, external);
        state.ExternalTotalFeedsTable = tables.LineFeedsData(lines, external) ||
                                        (total != kNoLine && tables.LineFeedsData(lines, total));
        if (total != kNoLine && HasColumnId(lines, total)) {
            state.AdjacentTotalText =
                std::string(TotalPosition(total, external)) + " (at line " + std::to_string(total + 1) + ")";
        }
    }

    if (const TSeriesBase* handler = tape.CurrentSeries()) {
        state.HasSingleEntry = handler->HasSingleEntry();
        state.InEmbeddedSeries = handler->InEmbeddedSeries();
        state.InGroupOrGrandTotalSeries = !handler->SeriesTypeCode().empty();
    }
}

void FillTapeLineState(const TTlyFile& document, TMedFileMgr_TapeLineStateVariables& state) {
    state = TMedFileMgr_TapeLineStateVariables();
    const TCalculator& tape = document.CurrentTape();
    const TLineStore& lines = tape.Lines();
    const TTableManager& tables = document.TableManager();
    const LineIndex focus = tape.FocusLine();

    state.ExternalTotalLine = focus > 0 && lines.HasKind(focus - 1, LineKind::kEmbeddedTrailing);
    if (state.ExternalTotalLine) {
        // Any content line counts: the whole embedded series goes with its external total line.
        if (const LineIndex opening = EmbeddedLeadingBoundary(lines, focus - 1); opening != kNoLine) {
            state.EmbeddedAboveFeedsTable = tables.AnyLineFeedsData(lines, opening + 1, focus - 2);
        }
    }
    const bool separator = lines.HasKind(focus, LineKind::kSeparator);
    state.LineFeedsTable = tables.LineFeedsData(lines, separator ? focus + 1 : focus);
    if (!tape.IsLastLine(focus) && lines.HasKind(focus + 1, LineKind::kSeparator)) {
        const LineIndex total = TotalDeletedWith(tape, focus);
        if (total != kNoLine) {
            state.AdjacentTotalFeedsTable = tables.LineFeedsData(lines, total);
            if (HasColumnId(lines, total)) state.AdjacentTotalPosition = TotalPosition(total, focus);
        }
    }
    state.LastLine = tape.IsLastLine(focus);
}

}  // namespace

void TFileManager::RegisterSeriesState() {
    commands_.Add(ev::FileMgr_GetCurrentSeriesState,
                  Filling<TMedFileMgr_SeriesStateVariables>(
                      [this](TMedFileMgr_SeriesStateVariables& state) { FillSeriesState(Visible(), state); }));
    commands_.Add(ev::FileMgr_GetCurrentTapeLineState,
                  Filling<TMedFileMgr_TapeLineStateVariables>(
                      [this](TMedFileMgr_TapeLineStateVariables& state) { FillTapeLineState(Visible(), state); }));

    // Whether a table column holds a value taken from the focus line, its series, the current
    // tape or the memory tape.
    commands_.Add(ev::FileMgr_ATableColHasCurrTapeLineData, Answering<TMedBoolean>([this] {
                      const TCalculator& tape = Visible().CurrentTape();
                      return Visible().TableManager().LineFeedsData(tape.Lines(), tape.FocusLine());
                  }));
    commands_.Add(ev::FileMgr_ATableColHasCurrSeriesData, Answering<TMedBoolean>([this] {
                      const TCalculator& tape = Visible().CurrentTape();
                      const TLineRange series = SeriesRangeAt(tape.Lines(), tape.FocusLine());
                      return Visible().TableManager().AnyLineFeedsData(tape.Lines(), series.First, series.Last);
                  }));
    commands_.Add(ev::FileMgr_ATableColHasCurrTapeData, Answering<TMedBoolean>([this] {
                      const TLineStore& lines = Visible().CurrentTape().Lines();
                      return Visible().TableManager().AnyLineFeedsData(lines, 0, lines.LastLine());
                  }));
    commands_.Add(ev::FileMgr_ATableColHasMemoryData, Answering<TMedBoolean>([this] {
                      const TCalculator* memory = Visible().MemoryTape();
                      if (memory == nullptr) return false;
                      return Visible().TableManager().AnyLineFeedsData(memory->Lines(), 0, memory->Lines().LastLine());
                  }));
}

}  // namespace tally
