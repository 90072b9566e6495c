// Group and grand totals on a tape: inserting ranges, collecting the tape's series totals for
// the total manager and recalculating the totals it selects.

#include <algorithm>
#include <functional>
#include <string>

#include "engine/lines/calc_params.h"
#include "engine/series/total_series.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

// The refusal texts of inserting a range, by kind.
struct TRangeInsertTexts {
    std::string_view Name;
    std::string_view EmptyTape;
    std::string_view AtBeginning;
    std::string_view BeforeGroup;
    std::string_view BeforeGrand;
    std::string_view AfterRange;
    std::string_view ClosingKindsBefore;  // an ending of these kinds right before refuses
    std::string_view NoContent;
    std::string_view Inconsistent;
};

constexpr TRangeInsertTexts kGroupTexts{
    "group total",
    "Cannot insert a group total into an empty tape.",
    "Cannot insert a group total at the beginning of a tape.",
    "Cannot insert a group total immediately before another group total.",
    "Cannot insert a group total immediately before another group total.",
    "Cannot insert a group total immediately after a grand total or another group total.",
    "]}",
    "There are no totals to include in a group total inserted at this point.",
    "Cannot insert a group total before a calculation series with an invalid entry or a missing "
    "subtotal.  Correct the series first.",
};

constexpr TRangeInsertTexts kGrandTexts{
    "grand total",
    "Cannot insert a grand total into an empty tape.",
    "Cannot insert a grand total at the beginning of a tape.",
    "Cannot insert a grand total immediately before a group total.",
    "Cannot insert a grand total immediately before another grand total.",
    "Cannot insert a grand total immediately after another grand total.",
    "}",
    "There are no totals to include in a grand total inserted at this point.",
    "Cannot insert a grand total before a calculation series with an invalid entry or a missing "
    "subtotal.  Correct the series first.",
};

bool Refuse(std::string_view text) {
    Notifier().ExplainAndBeep(std::string(text));
    return false;
}

}  // namespace

TTapeTotalInfoList TCalculator::CollectFlaggedSeriesTotals() const {
    return tally::CollectFlaggedSeriesTotals(lines_, tapeId_);
}

std::optional<TTotalSeriesContentList> TCalculator::DetermineTotalSeriesContent(
    LineIndex line, std::string_view seriesType, std::string_view displayState) const {
    if (documentBus_ == nullptr || !documentBus_->Exists(events::TotalMgr_DetermineTotalSeriesContent)) {
        return std::nullopt;
    }
    // A range adds up only the totals after the previous range that stops it, so only that
    // stretch is collected.
    const LineIndex stop =
        lines_.StructuralLineAtOrBefore(line - 1, seriesType == "gro" ? std::string_view("]}") : std::string_view("}"));
    const TTapeTotalInfoList list = tally::CollectSeriesTotals(lines_, tapeId_, stop == kNoLine ? 0 : stop + 1, line);
    TTotalSeriesContentList content;
    TMedTotalMgr_DetermineTotalSeriesContent_In request;
    request.InfoList = &list;
    request.Content = &content;
    request.Line = line;
    request.DisplayState = displayState;
    request.SeriesType = seriesType;
    documentBus_->Handle(events::TotalMgr_DetermineTotalSeriesContent, &request, nullptr);
    return content;
}

void TCalculator::RecalculateTotalAt(LineIndex line) {
    TSeriesBase* series = SeriesClaiming(line);
    if (series == nullptr) return;
    series->Recalculate(line);
    view_->Repaint();
    if (series == currentSeries_ && SeriesClaiming(focusLine_) == series) ReloadFocusLine();
}

bool TCalculator::InsertGroupTotalAt(LineIndex line) { return InsertTotalRangeAt(line, "gro"); }

bool TCalculator::InsertGrandTotalAt(LineIndex line) { return InsertTotalRangeAt(line, "gra"); }

bool TCalculator::CanInsertGroupTotal() const { return PlanTotalRange(focusLine_, "gro").Refusal.empty(); }

bool TCalculator::CanInsertGrandTotal() const { return PlanTotalRange(focusLine_, "gra").Refusal.empty(); }

const TTotalSeriesBase* TCalculator::FocusRangeOfKind(std::string_view seriesType) const {
    const auto* range = static_cast<const TTotalSeriesBase*>(SeriesByKind(seriesType));
    if (range == nullptr || currentSeries_ != range) return nullptr;
    if (lines_.Property(focusLine_, LineKey::kSeriesType) != seriesType) return nullptr;
    const LineIndex opening = range->RangeOpeningLine(focusLine_);
    const LineIndex closing = range->RangeClosingLine(focusLine_);
    return opening != kNoLine && closing != kNoLine && closing - opening >= 2 ? range : nullptr;
}

bool TCalculator::CanDeleteRange(std::string_view seriesType) const {
    return currentSeries_ != nullptr && lines_.Property(focusLine_, LineKey::kSeriesType) == seriesType;
}

bool TCalculator::CanResetRangeDecimals(std::string_view seriesType) const {
    const TTotalSeriesBase* range = FocusRangeOfKind(seriesType);
    return range != nullptr && range->DecimalPlacesState() != "V";
}

bool TCalculator::CanShowRangeAs(std::string_view seriesType) const {
    const TTotalSeriesBase* range = FocusRangeOfKind(seriesType);
    if (range == nullptr) return false;
    const auto content = DetermineTotalSeriesContent(range->RangeOpeningLine(focusLine_), seriesType, "SL");
    return content && !content->empty();
}

std::string TCalculator::FocusRangeDisplayState(std::string_view seriesType) const {
    const TTotalSeriesBase* range = FocusRangeOfKind(seriesType);
    return range != nullptr ? range->DisplayState() : std::string();
}

bool TCalculator::CanDeleteGrandTotal() const { return CanDeleteRange("gra"); }

bool TCalculator::CanDeleteGroupTotal() const { return CanDeleteRange("gro"); }

bool TCalculator::CanResetGrandTotalDecimals() const { return CanResetRangeDecimals("gra"); }

bool TCalculator::CanResetGroupTotalDecimals() const { return CanResetRangeDecimals("gro"); }

bool TCalculator::CanShowGrandTotalAs() const { return CanShowRangeAs("gra"); }

bool TCalculator::CanShowGroupTotalAs() const { return CanShowRangeAs("gro"); }

bool TCalculator::SetGroupTotalCreationDisplayState(std::string_view state) {
    if (state != "SL" && state != "ST") return false;
    groupTotalCreationDisplay_ = state;
    return true;
}

bool TCalculator::SetGrandTotalCreationDisplayState(std::string_view state) {
    if (state != "SL" && state != "GT" && state != "ST") return false;
    grandTotalCreationDisplay_ = state;
    return true;
}

TCalculator::TRangeInsertPlan TCalculator::PlanTotalRange(LineIndex line, std::string_view seriesType) const {
    const TRangeInsertTexts& texts = seriesType == "gro" ? kGroupTexts : kGrandTexts;
    TRangeInsertPlan plan;
    const TSeriesBase* focusSeries = SeriesClaiming(line);
    if (!lines_.IsLine(line) || SeriesByKind(seriesType) == nullptr) {
        plan.Refusal = texts.AtBeginning;
        return plan;
    }
    if (documentBus_ == nullptr || !documentBus_->Exists(events::TotalMgr_DetermineTotalSeriesContent)) {
        plan.Refusal = "Group and grand totals are not available for this tape.";
        return plan;
    }
    if (focusSeries != nullptr && !focusSeries->IsSeriesConsistent(line)) {
        plan.Refusal = texts.Inconsistent;
        return plan;
    }
    const std::string& display = seriesType == "gro" ? groupTotalCreationDisplay_ : grandTotalCreationDisplay_;
    plan.Refusal = [&]() -> std::string {
        if (IsBlank()) return std::string(texts.EmptyTape);
        if (line == 0) return std::string(texts.AtBeginning);
        const LineIndex previousEnd = lines_.StructuralLineAtOrBefore(line - 1, LineGroup::kSeriesEnding);
        const LineIndex s = previousEnd == kNoLine ? 0 : previousEnd + 1;
        if (s == 0) return std::string(texts.AtBeginning);
        if (lines_.HasKind(s, LineKind::kGroupLeading)) return std::string(texts.BeforeGroup);
        if (lines_.HasKind(s, LineKind::kGrandLeading) && seriesType == "gra") return std::string(texts.BeforeGrand);
        if (lines_.InGroup(s - 1, texts.ClosingKindsBefore)) return std::string(texts.AfterRange);
        auto content = DetermineTotalSeriesContent(s, seriesType, display);
        if (!content || content->empty()) return std::string(texts.NoContent);
        plan.SeriesStart = s;
        plan.Content = std::move(*content);
        return {};
    }();
    return plan;
}

bool TCalculator::InsertTotalRangeAt(LineIndex line, std::string_view seriesType) {
    TRangeInsertPlan plan = PlanTotalRange(line, seriesType);
    if (!plan.Refusal.empty()) return Refuse(plan.Refusal);
    const TRangeInsertTexts& texts = seriesType == "gro" ? kGroupTexts : kGrandTexts;
    auto* handler = static_cast<TTotalSeriesBase*>(SeriesByKind(seriesType));
    const std::string& display = seriesType == "gro" ? groupTotalCreationDisplay_ : grandTotalCreationDisplay_;
    const LineIndex s = plan.SeriesStart;
    const bool atLastLine = IsLastLine(s);
    if (!handler->CreateTotalRange(s, plan.Content, display)) {
        return Refuse("The " + std::string(texts.Name) +
                      " would exceed the calculator's capacity; it was not inserted.");
    }
    CallLineCountChange();
    modified_ = true;
    if (display != "SL" && documentBus_ != nullptr) {
        documentBus_->HandleIfExists(events::LinkMgr_UpdateLinksDisplay, nullptr, nullptr);
    }
    if (atLastLine) {
        // The range went in above the open last line: the focus follows it there by the move
        // a focus change runs, which tells the views of the line, series and settings.
        MoveFocusTo(focusColumn_, LastLine(), false);
        AfterEditNotifications();
        PostEditPass();
        return true;
    }
    const LineIndex totalLine = handler->RangeClosingLine(s) - 1;
    SetFocusLine(totalLine);
    AfterEditNotifications();
    RecordTotalStatusChange(totalLine, "I");
    PostEditPass();
    return true;
}

}  // namespace tally

namespace tally {
namespace {

bool IsItemized(std::string_view display) { return display == "ST" || display == "GT"; }
bool IsDeletionFlag(std::string_view flag) { return flag == "TD" || flag == "gD" || flag == "GD"; }

// The ranges (by index into the list) whose content lines the flags may have changed.
std::vector<std::size_t> ItemizedRangesToRefresh(const TTapeTotalInfoList& list) {
    std::vector<std::size_t> refresh;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t nextGrand = kNone;
    std::size_t nextGroup = kNone;  // with no grand total between
    auto refreshIf = [&](std::size_t index, bool wanted) {
        if (index != kNone && wanted) refresh.push_back(index);
    };
    auto itemizedGrand = [&] { return nextGrand != kNone && IsItemized(list[nextGrand].DisplayState); };
    auto groupBySeries = [&] { return nextGroup != kNone && list[nextGroup].DisplayState == "ST"; };
    for (std::size_t i = list.size(); i-- > 0;) {
        const TTapeTotalInfoListItem& item = list[i];
        if (item.Indicator.empty()) continue;
        const char kind = item.Indicator.front();
        const std::string& flag = item.StatusFlag;
        if (kind == 'T' && (flag == "I" || (flag == "C" && item.LinkId.empty()))) {
            refreshIf(nextGrand, itemizedGrand());
            refreshIf(nextGroup, groupBySeries());
        } else if (kind == 'g' && IsDeletionFlag(flag)) {
            refreshIf(nextGrand, itemizedGrand());
            refreshIf(i, item.DisplayState == "ST");
        } else if ((kind == 'g' || kind == 'G') && flag == "I") {
            refreshIf(nextGrand, itemizedGrand());
            refreshIf(nextGroup, groupBySeries());
        } else if (kind == 'G' && IsDeletionFlag(flag)) {
            refreshIf(i, IsItemized(item.DisplayState));
        }
        if (kind == 'g') nextGroup = i;
        if (kind == 'G') {
            nextGrand = i;
            nextGroup = kNone;
        }
    }
    // From the bottom up, so that a refresh never moves a range still to be refreshed.
    std::sort(refresh.begin(), refresh.end(), std::greater<>());
    refresh.erase(std::unique(refresh.begin(), refresh.end()), refresh.end());
    return refresh;
}

}  // namespace

void TCalculator::RefreshChangedItemizedTotals() {
    if (lines_.FlaggedLines().empty()) return;
    const TTapeTotalInfoList list = CollectFlaggedSeriesTotals();
    bool refreshed = false;
    for (const std::size_t index : ItemizedRangesToRefresh(list)) {
        const TTapeTotalInfoListItem& item = list[index];
        auto* handler = static_cast<TTotalSeriesBase*>(SeriesByKind(item.SeriesType));
        if (handler == nullptr) continue;
        const LineIndex opening = handler->RangeOpeningLine(item.Line);
        if (opening == kNoLine) continue;
        const auto content = DetermineTotalSeriesContent(opening, item.SeriesType, item.DisplayState);
        if (!content || content->empty()) continue;
        handler->RefreshItemizedContent(item.Line, *content);
        handler->Recalculate(opening + 1);
        refreshed = true;
    }
    if (!refreshed) return;
    CallLineCountChange();
    if (hooks_.OnLinksDisplayChange) hooks_.OnLinksDisplayChange(*this);
    if (SeriesClaiming(focusLine_) != nullptr) ReloadFocusLine();
    if (documentBus_ != nullptr) {
        documentBus_->HandleIfExists(events::LinkMgr_UpdateLinksDisplay, nullptr, nullptr);
        documentBus_->HandleIfExists(events::LinkMgr_RemoveBrokenLinks, nullptr, nullptr);
    }
}

}  // namespace tally
