#include "links/tape_edit_actions.h"

#include "engine/lines/calc_params.h"
#include "engine/series/total_series.h"
#include "engine/sorting/segment_sort.h"
#include "engine/tape/calculator.h"
#include "links/line_paste.h"
#include "links/link_manager.h"
#include "links/selection_commands.h"
#include "links/tape_copy.h"
#include "links/tape_paste.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

using TEditAction = void (*)(TCalculator&, TLinkManager&);

struct TEditActionEntry {
    std::string_view Name;
    TEditAction Run;
    bool RemovesLines = false;
    // The selection commands edit at the caret and leave it where the edit ends.
    bool KeepsCaret = false;
};

int FocusLineNumber(const TCalculator& t) { return t.FocusLine() + 1; }

// Delete Series, when the focus line is a line of a range of that kind.
void DeleteRangeOfKind(TCalculator& t, std::string_view seriesType) {
    if (t.Lines().Property(t.FocusLine(), LineKey::kSeriesType) == seriesType) t.DeleteSeries();
}

// The range handler of the kind when it holds the focus.
TTotalSeriesBase* CurrentRangeOfKind(TCalculator& t, std::string_view seriesType) {
    auto* range = static_cast<TTotalSeriesBase*>(t.SeriesByKind(seriesType));
    return range != nullptr && t.CurrentSeries() == range ? range : nullptr;
}

void ResetRangeToAutoDecimals(TCalculator& t) {
    for (std::string_view kind : {"gro", "gra"}) {
        if (TTotalSeriesBase* range = CurrentRangeOfKind(t, kind)) range->ResetToAutoDecimals();
    }
}

void SetRangeDisplay(TCalculator& t, std::string_view seriesType, std::string_view state) {
    if (TTotalSeriesBase* range = CurrentRangeOfKind(t, seriesType)) range->SetDisplayState(state);
}

// The copy commands write the document's clipboard; without one there is nothing to copy to.
template <class Copy>
void WithCopier(TCalculator& t, TLinkManager& links, Copy copy) {
    if (IClipboard* clipboard = t.Clipboard()) {
        TTapeCopier copier(t, *clipboard, links.SessionId());
        copy(copier);
    }
}

// The paste commands read the document's clipboard; without one there is nothing to paste.
template <class Paste>
void WithPaster(TCalculator& t, TLinkManager& links, Paste paste) {
    if (IClipboard* clipboard = t.Clipboard()) {
        TTapePaster paster(t, *clipboard, links);
        paste(paster);
    }
}

constexpr TEditActionEntry kEditActions[] = {
    {"ZeroTotal", [](TCalculator& t, TLinkManager&) { t.ZeroTotal(); }},
    {"DeleteLine", [](TCalculator& t, TLinkManager&) { t.DeleteLine(); }, true},
    {"InsertLine", [](TCalculator& t, TLinkManager&) { t.InsertLine(); }},
    {"ClearEntry", [](TCalculator& t, TLinkManager&) { t.ClearEntry(); }},
    {"EraseTape", [](TCalculator& t, TLinkManager&) { t.EraseTape(); }, true},
    {"DeleteSeries", [](TCalculator& t, TLinkManager&) { t.DeleteSeries(); }, true},
    {"InsertNewSeries", [](TCalculator& t, TLinkManager&) { t.InsertNewSeries(); }},
    {"InsertNewEmbeddedSeries", [](TCalculator& t, TLinkManager&) { t.InsertNewEmbeddedSeries(); }},
    // Deleting or emptying an embedded series removes lines that may carry links, like
    // deleting a line.
    {"DeleteEmbeddedSeries", [](TCalculator& t, TLinkManager&) { t.DeleteEmbeddedSeries(); }, true},
    {"EmptyEmbeddedSeries", [](TCalculator& t, TLinkManager&) { t.EmptyEmbeddedSeries(); }, true},
    {"SortSmallToLarge", [](TCalculator& t, TLinkManager&) { SortTapeSegment(t, TSortDirection::SmallToLarge); }},
    {"SortLargeToSmall", [](TCalculator& t, TLinkManager&) { SortTapeSegment(t, TSortDirection::LargeToSmall); }},
    {"CopyAsLinkSource",
     [](TCalculator& t, TLinkManager& links) { links.SetAsLinkSource(t.TapeId(), FocusLineNumber(t), ""); }},
    {"PasteAsLinkDest",
     [](TCalculator& t, TLinkManager& links) { links.SetAsLinkDest(t.TapeId(), FocusLineNumber(t), ""); }},
    {"Unlink", [](TCalculator& t, TLinkManager& links) { links.Unlink(t.TapeId(), FocusLineNumber(t), 'u'); }},
    {"InsertGroupTotal", [](TCalculator& t, TLinkManager&) { t.InsertGroupTotalAt(t.FocusLine()); }},
    {"InsertGrandTotal", [](TCalculator& t, TLinkManager&) { t.InsertGrandTotalAt(t.FocusLine()); }},
    {"DeleteGroupTotal", [](TCalculator& t, TLinkManager&) { DeleteRangeOfKind(t, "gro"); }, true},
    {"DeleteGrandTotal", [](TCalculator& t, TLinkManager&) { DeleteRangeOfKind(t, "gra"); }, true},
    {"TotalSeriesDecStatusToVar", [](TCalculator& t, TLinkManager&) { ResetRangeToAutoDecimals(t); }},
    {"GroupTotalAsSingleLine", [](TCalculator& t, TLinkManager&) { SetRangeDisplay(t, "gro", "SL"); }, true},
    {"GroupTotalItemizedBySeries", [](TCalculator& t, TLinkManager&) { SetRangeDisplay(t, "gro", "ST"); }},
    {"GrandTotalAsSingleLine", [](TCalculator& t, TLinkManager&) { SetRangeDisplay(t, "gra", "SL"); }, true},
    {"GrandTotalItemizedByGroup", [](TCalculator& t, TLinkManager&) { SetRangeDisplay(t, "gra", "GT"); }, true},
    {"GrandTotalItemizedBySeries", [](TCalculator& t, TLinkManager&) { SetRangeDisplay(t, "gra", "ST"); }, true},
    {"SelCut", [](TCalculator& t, TLinkManager&) { SelCut(t); }, false, true},
    {"SelCopy", [](TCalculator& t, TLinkManager&) { SelCopy(t); }, false, true},
    {"SelPaste", [](TCalculator& t, TLinkManager&) { SelPaste(t); }, false, true},
    {"SelDelete", [](TCalculator& t, TLinkManager&) { SelDelete(t); }, false, true},
    {"LineCopy", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyLine(); }); }},
    {"SeriesCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopySeries("copy"); }); }},
    {"EmbeddedSeriesCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyEmbeddedSeries(); }); }},
    {"GroupTotalRangeCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyTotalRange("gro"); }); }},
    {"GrandTotalRangeCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyTotalRange("gra"); }); }},
    {"TapeCopy", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyTape(); }); }},
    {"LineCut", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutLine(); }); }, true},
    {"SeriesCut", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutSeries(); }); },
     true},
    {"EmbeddedSeriesCut",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutEmbeddedSeries(); }); },
     true},
    {"GroupTotalRangeCut",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutTotalRange("gro"); }); },
     true},
    {"GrandTotalRangeCut",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutTotalRange("gra"); }); },
     true},
    {"TapeCut", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutTape(); }); }, true},
    {"LinePaste",
     [](TCalculator& t, TLinkManager& l) {
         if (IClipboard* clipboard = t.Clipboard()) TLinePaster(t, *clipboard, l).PasteLine();
     }},
    // A pasted series may carry destinations of sources that no longer exist.
    {"SeriesPaste",
     [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteSeries(); }); }, true},
    {"EmbeddedSeriesPaste",
     [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteEmbeddedSeries(); }); },
     true},
    // The range pastes are the tape paste, which takes a tape or either range.
    {"GroupTotalRangePaste",
     [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteTape(); }); }},
    {"GrandTotalRangePaste",
     [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteTape(); }); }},
    {"TapePaste", [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteTape(); }); }},
};

const TEditActionEntry* FindEditAction(std::string_view name) {
    for (const TEditActionEntry& action : kEditActions) {
        if (action.Name == name) return &action;
    }
    return nullptr;
}

}  // namespace

bool IsTapeEditAction(std::string_view name) { return FindEditAction(name) != nullptr; }

bool RunTapeEditAction(TCalculator& tape, TLinkManager& links, std::string_view name) {
    const TEditActionEntry* action = FindEditAction(name);
    if (action == nullptr) return false;
    const TCalculator::TFocusEntry before = tape.FocusEntry();
    action->Run(tape, links);
    if (action->RemovesLines) links.RemoveBrokenLinks();
    if (!action->KeepsCaret) tape.SelectEntryAfterCommand(before);
    return true;
}

}  // namespace tally
