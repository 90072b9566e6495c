#include "cli/tape_actions.h"

#include <charconv>
#include <optional>

#include "engine/decimals/tape_decimals.h"
#include "engine/lines/calc_params.h"
#include "engine/series/total_series.h"
#include "engine/series/series_arithmetic.h"
#include "engine/sorting/segment_sort.h"
#include "engine/tape/calculator.h"
#include "links/link_manager.h"
#include "links/tape_copy.h"
#include "links/line_paste.h"
#include "links/tape_paste.h"
#include "platform/clipboard.h"

namespace tally::cli {

TActionText SplitAction(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {text, {}, false};
    return {text.substr(0, equals), text.substr(equals + 1), true};
}

namespace {

std::optional<int> DecimalPlacesValue(std::string_view value) {
    int decimals = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), decimals);
    if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return decimals;
}

std::optional<TRoundingMethod> RoundingValue(std::string_view value) {
    if (value == "up") return TRoundingMethod::Up;
    if (value == "even") return TRoundingMethod::Even;
    return std::nullopt;
}

using TPlainAction = void (*)(TCalculator&, TLinkManager&);

struct TPlainActionEntry {
    std::string_view Name;
    TPlainAction Run;
    bool RemovesLines = false;
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

constexpr TPlainActionEntry kPlainActions[] = {
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
    {"LineCopy", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyLine(); }); }},
    {"SeriesCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopySeries("copy"); }); }},
    {"EmbeddedSeriesCopy",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyEmbeddedSeries(); }); }},
    {"TapeCopy", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CopyTape(); }); }},
    {"LineCut", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutLine(); }); }, true},
    {"SeriesCut", [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutSeries(); }); },
     true},
    {"EmbeddedSeriesCut",
     [](TCalculator& t, TLinkManager& l) { WithCopier(t, l, [](TTapeCopier& c) { c.CutEmbeddedSeries(); }); }, true},
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
    {"TapePaste", [](TCalculator& t, TLinkManager& l) { WithPaster(t, l, [](TTapePaster& p) { p.PasteTape(); }); }},
};

constexpr std::string_view kDecimalPlaces = "SpecifyTapeDecimalPlaces";
constexpr std::string_view kTotalType = "SpecifyTapeTotalType";
constexpr std::string_view kRounding = "SetRoundingMethod";

const TPlainActionEntry* FindPlainAction(std::string_view name) {
    for (const TPlainActionEntry& action : kPlainActions) {
        if (action.Name == name) return &action;
    }
    return nullptr;
}

}  // namespace

std::string CheckTapeAction(std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    if (FindPlainAction(action.Name) != nullptr) {
        return action.HasValue ? "action " + shown + " takes no value" : std::string();
    }
    const bool valued = action.Name == kDecimalPlaces || action.Name == kTotalType || action.Name == kRounding;
    if (!valued) return "unknown action " + shown;
    if (!action.HasValue) return "action " + shown + " needs a value after \"=\"";
    // Decimal places outside 0..15 and unknown total types reach the tape, which refuses them
    // with its own explanation; only values that are not of the right form are errors here.
    if (action.Name == kDecimalPlaces && !DecimalPlacesValue(action.Value)) {
        return "action " + shown + " needs a whole number";
    }
    if (action.Name == kRounding && !RoundingValue(action.Value)) {
        return "action " + shown + " needs up or even";
    }
    return {};
}

void RunTapeAction(TCalculator& tape, TLinkManager& links, std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    if (const TPlainActionEntry* plain = FindPlainAction(action.Name)) {
        plain->Run(tape, links);
        if (plain->RemovesLines) links.RemoveBrokenLinks();
    } else if (action.Name == kDecimalPlaces) {
        SpecifyTapeDecimalPlaces(tape, *DecimalPlacesValue(action.Value));
    } else if (action.Name == kTotalType) {
        SpecifyTapeTotalType(tape, action.Value);
    } else if (action.Name == kRounding) {
        ChangeRoundingMethod(tape, *RoundingValue(action.Value));
    }
}

}  // namespace tally::cli
