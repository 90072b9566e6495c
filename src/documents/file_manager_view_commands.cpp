// The file manager's view commands on the application bus: keeping the selected cells of the
// grids in view and their editors in place, the grid metrics the window asks for, the keyboard
// focus, the window being made again, going through a document's pages, and the passes and
// lists of the visible document's current tape.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "engine/series/series_base.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/link_manager.h"
#include "table/table_manager.h"

namespace tally {

namespace ev = events;

namespace {

constexpr std::pair<std::string_view, std::int32_t> kStoredRequestEvents[] = {
    {ev::FileMgr_DoCopyPasteWithStoredEntryData, requests::CopyWithStoredEntryData},
    {ev::FileMgr_DoLinkWithStoredEntryData, requests::LinkWithStoredEntryData},
};

// A grid row number as a line of the tape: row 0 is the heading, so row n shows line n - 1.
std::optional<LineIndex> LineOfRow(std::int32_t row) {
    if (row < 1) return std::nullopt;
    return static_cast<LineIndex>(row - 1);
}

// The grid counts a row as shown while only its bottom grid line is cut off. Whether the
// heading row and the rows shown from the top line, each with its grid line, end exactly one
// pixel below the client area: the height at which the grid's editor is misplaced.
bool IsEditorMisplacingHeight(const TCalculator& tape) {
    const ITapeView& view = tape.View();
    const int gridLine = view.GridLineWidth();
    const int limit = view.ClientHeight() + gridLine;
    int bottom = view.DefaultRowHeight() + gridLine;
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = tape.TopLine(); lines.IsLine(line); ++line) {
        const int height = lines.RowHeight(line) > 0 ? lines.RowHeight(line) : view.DefaultRowHeight();
        if (bottom + height + gridLine > limit) break;
        bottom += height + gridLine;
    }
    return bottom == view.ClientHeight() + 1;
}

// The table shown on the visible page; null while a tape is shown.
const TResultsTable* VisibleTable(const TTlyFile& document) {
    return document.VisibleKind() == TVisibleKind::Table ? document.TableManager().CurrentTable() : nullptr;
}

// The series handler's list query at the current tape's focus line; empty without a series.
template <class Query>
TMedHandler CurrentSeriesList(TFileManager& files, Query query) {
    return [&files, query](TMedRecord* in, TMedRecord* out) {
        auto* answer = RecordAs<TMedString>(out);
        if (answer == nullptr) return;
        const TCalculator& tape = files.Visible().CurrentTape();
        const TSeriesBase* series = tape.CurrentSeries();
        answer->Value = series != nullptr ? query(*series, tape.FocusLine(), in) : std::string();
    };
}

std::int32_t IntegerIn(TMedRecord* in) {
    const auto* value = RecordAs<TMedInteger>(in);
    return value != nullptr ? value->Value : 0;
}

}  // namespace

void TFileManager::RegisterViewCommands() {
    // The selected cells in view and the editors over them.
    commands_.Add(ev::FileMgr_EnsureSelectedTapeCellIsVisible, [this](TMedRecord*, TMedRecord*) {
        TCalculator& tape = Visible().CurrentTape();
        tape.ScrollFocusIntoView();
        tape.ResetEditor();
        Visible().Pages().Refresh();
    });
    commands_.Add(ev::FileMgr_EnsureSelectedTableCellIsVisible, [this](TMedRecord*, TMedRecord*) {
        if (const TResultsTable* table = Visible().TableManager().CurrentTable()) {
            Visible().Pages().ScrollTableCellIntoView(*table);
        }
    });
    commands_.Add(ev::FileMgr_EnsurePartlyVisibleSelectedCellsVisible, [this](TMedRecord*, TMedRecord*) {
        for (const TOpenFile& file : files_) {
            for (TCalculator* tape : file.Document->EnabledTapes()) tape->ScrollFocusIntoView();
            file.Document->Pages().Refresh();
        }
    });
    commands_.Add(ev::FileMgr_ResetCurrCalcInplaceEditor, [this](TMedRecord*, TMedRecord*) {
        if (const TResultsTable* table = VisibleTable(Visible())) {
            Visible().Pages().ResetTableEditor(*table);
            return;
        }
        Visible().CurrentTape().ResetEditor();
        Visible().Pages().Refresh();
    });
    commands_.Add(ev::FileMgr_OnVisibleClientAreaHeightChanged, [this](TMedRecord*, TMedRecord*) {
        IDocumentPages& pages = Visible().Pages();
        if (const TResultsTable* table = VisibleTable(Visible())) {
            if (pages.IsTableCellVisible(*table)) pages.ResetTableEditor(*table);
            return;
        }
        TCalculator& tape = Visible().CurrentTape();
        if (!tape.IsFocusLinePartlyVisible()) return;
        tape.ResetEditor();
        pages.Refresh();
    });
    commands_.Add(ev::gstrFileMgr_IsVisibleDocSelectedCellVisible, Answering<TMedBoolean>([this] {
                      if (const TResultsTable* table = VisibleTable(Visible())) {
                          return Visible().Pages().IsTableCellVisible(*table);
                      }
                      return Visible().CurrentTape().IsFocusLinePartlyVisible();
                  }));

    // Selecting a row of the current tape's grid: a move the tape refuses is explained there.
    commands_.Add(ev::FileMgr_SelectTapeGridRow, WithValue<TMedLongint>([this](std::int32_t row) {
                      const std::optional<LineIndex> line = LineOfRow(row);
                      if (!line) return;
                      TCalculator& tape = Visible().CurrentTape();
                      tape.SelectCell(tape.FocusColumn(), *line);
                      Visible().Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_SelectTableColsCell, WithValue<TMedLongint>([this](std::int32_t row) {
                      const std::optional<LineIndex> line = LineOfRow(row);
                      if (!line) return;
                      TCalculator& tape = Visible().CurrentTape();
                      // Only on the row the focus reached.
                      if (tape.SelectCell(tape.FocusColumn(), *line)) tape.SelectCell(TTapeColumn::TableColumns, *line);
                      Visible().Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_SetTapeColumnWidthsToFit, [this](TMedRecord*, TMedRecord*) {
        Visible().CurrentTape().FitColumnWidths();
        Visible().Pages().Refresh();
    });

    // The window's focus, metrics and widths.
    commands_.Add(ev::FileMgr_SetFocusToVisibleDocument,
                  [this](TMedRecord*, TMedRecord*) { Visible().Pages().FocusActivePage(); });
    commands_.Add(ev::FileMgr_GetCurrCalcGridsClientHeight,
                  Answering<TMedInteger>([this] { return Visible().CurrentTape().View().ClientHeight(); }));
    commands_.Add(ev::FileMgr_IsGridIPEBugHeight,
                  Answering<TMedBoolean>([this] { return IsEditorMisplacingHeight(Visible().CurrentTape()); }));
    commands_.Add(ev::FileMgr_GetRequiredFileDisplayWidth, Answering<TMedInteger>([this] {
                      int widest = 0;
                      for (const TOpenFile& file : files_) {
                          widest = std::max(widest, file.Document->Pages().RequiredWidth());
                      }
                      return widest;
                  }));

    // The window is made again around the documents: the editors close before and open after,
    // with their selections.
    commands_.Add(ev::FileMgr_DoBeforeStayOnTopChange, [this](TMedRecord*, TMedRecord*) {
        Visible().CurrentTape().SaveEditorSelection();
        Visible().Pages().CloseCellEditors();
    });
    commands_.Add(ev::FileMgr_DoAfterStayOnTopChange, [this](TMedRecord*, TMedRecord*) {
        for (const TOpenFile& file : files_) {
            TTlyFile& document = *file.Document;
            document.CurrentTape().RestoreEditorSelection();
            document.Pages().ReopenCellEditors();
            document.RedrawTabs();
        }
    });

    // The visible document's pages in turn.
    commands_.Add(ev::FileMgr_ToggleEnabledTapes, [this](TMedRecord*, TMedRecord*) { Visible().ShowNextPage(true); });
    commands_.Add(ev::FileMgr_ToggleBackEnabledTapes,
                  [this](TMedRecord*, TMedRecord*) { Visible().ShowNextPage(false); });

    // The current tape's passes and the stored requests of the copy and link managers.
    commands_.Add(ev::FileMgr_SelectDifferentSeriesObject,
                  [this](TMedRecord*, TMedRecord*) { Visible().CurrentTape().ChooseCurrentSeries(); });
    commands_.Add(ev::FileMgr_DoPostRecalcProcessing, [this](TMedRecord*, TMedRecord*) {
        Visible().CurrentTape().PostEditPass();
        Visible().Pages().Refresh();
    });
    // They run as the requests the tapes post for them, with the link upkeep after.
    for (const auto& stored : kStoredRequestEvents) {
        commands_.Add(stored.first, [this, code = stored.second](TMedRecord*, TMedRecord*) {
            Visible().RunRequest({code});
            Visible().Pages().Refresh();
        });
    }
    commands_.Add(ev::gstrFileMgr_IsMultiMsgListComplete,
                  Answering<TMedBoolean>([this] {
                      const TLinkManager& links = Visible().LinkManager();
                      return !links.IsRefreshing() && links.PendingLinkCount() == 0;
                  }));

    // The lines a change of decimal places or total type would affect, for the window's warnings.
    commands_.Add(ev::FileMgr_GetLinesWithDecimalAccuracyReduced,
                  CurrentSeriesList(*this, [](const TSeriesBase& series, LineIndex line, TMedRecord* in) {
                      return series.LinesWithDecimalAccuracyReduced(line, IntegerIn(in));
                  }));
    commands_.Add(ev::FileMgr_GetLinesWithDecimalTotalTooBig,
                  CurrentSeriesList(*this, [](const TSeriesBase& series, LineIndex line, TMedRecord*) {
                      return series.LinesWithDecimalTotalTooBig(line);
                  }));
    commands_.Add(ev::FileMgr_GetLinesWithTimeAccuracyReduced,
                  CurrentSeriesList(*this, [](const TSeriesBase& series, LineIndex line, TMedRecord* in) {
                      return series.LinesWithTimeAccuracyReduced(line, IntegerIn(in));
                  }));

    // The window shows documents through "FileMgr_ViewFile"; this one is accepted and does
    // nothing.
    commands_.Add(ev::FileMgr_ViewDocument, [](TMedRecord*, TMedRecord*) {});
}

}  // namespace tally
