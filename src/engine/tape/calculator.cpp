#include "engine/tape/calculator.h"

#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/standard_series.h"
#include "engine/series/total_series.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_format.h"

namespace tally {

TCalculator::TCalculator(char tapeId, TStMediator* documentBus, ITapeView* view)
    : tapeId_(tapeId), documentBus_(documentBus) {
    if (view == nullptr) {
        ownView_ = std::make_unique<HeadlessTapeView>();
        view = ownView_.get();
    }
    view_ = view;
    lines_.InsertLines(0, 1);
    lines_.SetIndicator(0, " ");
    for (int kind = 0; kind < kTapeColumnKinds; ++kind) {
        columnWidths_[static_cast<std::size_t>(kind)] =
            DefaultColumnWidth(static_cast<TTapeColumn>(kind));
    }
    series_.push_back(std::make_unique<TStandardSeries>(*this));
    series_.push_back(std::make_unique<TGroupTotalSeries>(*this));
    series_.push_back(std::make_unique<TGrandTotalSeries>(*this));
    SetFocusLine(0);
}

TCalculator::~TCalculator() = default;

std::string TCalculator::LineName(LineIndex line) const {
    const char upper = (tapeId_ >= 'a' && tapeId_ <= 'z') ? static_cast<char>(tapeId_ - 'a' + 'A')
                                                          : tapeId_;
    return upper + std::to_string(line + 1);
}

void TCalculator::SetDataEntryOption(int option) {
    // A code outside 1 to 5 (a damaged file, a wrong command) leaves the option as it is.
    if (option == dataEntryOption_ || option < DataEntryOption::kManualStart ||
        option > DataEntryOption::kAddingMachine) {
        return;
    }
    dataEntryOption_ = option;
    modified_ = true;
    if (hooks_.OnDataEntryOptionChange) hooks_.OnDataEntryOptionChange(*this);
}

void TCalculator::SetOpenSeriesDecimalPlaces(int decimals) {
    openDecimalPlaces_ = std::clamp(decimals, 0, kMaxSeriesDecimalPlaces);
}

void TCalculator::SetRunningValue(long double value, std::string timeText) {
    runningValue_ = value;
    runningTimeText_ = std::move(timeText);
}

TStandardSeries& TCalculator::StandardSeries() const {
    return static_cast<TStandardSeries&>(*series_.front());
}

TSeriesBase* TCalculator::SeriesByKind(std::string_view seriesTypeCode) const {
    for (const auto& series : series_) {
        if (series->SeriesTypeCode() == seriesTypeCode) return series.get();
    }
    return nullptr;
}

TSeriesBase* TCalculator::SeriesClaiming(LineIndex line) const {
    for (const auto& series : series_) {
        if (series->ClaimsLine(line)) return series.get();
    }
    return nullptr;
}

void TCalculator::ChooseCurrentSeries() {
    currentSeries_ = SeriesClaiming(focusLine_);
    if (currentSeries_ != nullptr) {
        currentSeries_->RecheckFocusPosition(focusLine_);
        currentSeries_->LoadSeriesState(focusLine_);
    }
}

std::string TCalculator::OpenSeriesValueText() const {
    if (IsTimeTotalType(openTotalType_)) return runningTimeText_;
    return FormatDecimal(runningValue_, openDecimalPlaces_, showThousands_);
}

// The value of a series as shown on the line that ends it; for the open series the running
// value in its total type.
std::string TCalculator::SeriesTotalTextAt(LineIndex line) const {
    const LineIndex last = SeriesLastLine(lines_, line);
    if (last == kNoLine) return {};
    if (IsInsideEmbeddedSeries(lines_, line)) {
        const TSeriesBase* series = SeriesClaiming(line);
        return series != nullptr ? series->SeriesTotalText() : std::string{};
    }
    if (lines_.InGroup(last, LineGroup::kZeroTotal)) return std::string(lines_.Entries(last - 1));
    if (lines_.InGroup(last, LineGroup::kTotalLine)) return std::string(lines_.Entries(last));
    if (IsLastLine(last)) return OpenSeriesValueText();
    const int decimals = currentSeries_ != nullptr ? currentSeries_->DecimalPlaces() : openDecimalPlaces_;
    return FormatDecimal(0, decimals, showThousands_);
}

std::string TCalculator::GetSeriesTotalText() const { return SeriesTotalTextAt(focusLine_); }

std::string TCalculator::GetSeriesFinalTotalText() const {
    const LineIndex last = SeriesLastLine(lines_, focusLine_);
    if (last == kNoLine) return {};
    if (lines_.InGroup(last, LineGroup::kEndsSeriesOrEmbedded)) {
        return std::string(lines_.Entries(last - 1));
    }
    if (IsLastLine(last)) return OpenSeriesValueText();
    return {};
}

void TCalculator::NotifySeriesTotal(LineIndex line) {
    if (hooks_.OnSeriesTotalChange) hooks_.OnSeriesTotalChange(*this, SeriesTotalTextAt(line));
}

void TCalculator::CallLineCountChange() {
    if (hooks_.OnLineCountChange) hooks_.OnLineCountChange(*this);
}

// Line numbers are the rows' positions, so the grid shows them without a renumbering pass.
void TCalculator::AfterEditNotifications() {
    NotifySeriesTotal(focusLine_);
    if (hooks_.OnDecimalPlacesChange) hooks_.OnDecimalPlacesChange(*this);
    if (hooks_.OnTotalTypeChange) hooks_.OnTotalTypeChange(*this);
    RememberFocusTexts();
    if (hooks_.OnLinksDisplayChange) hooks_.OnLinksDisplayChange(*this);
    modified_ = true;
}

void TCalculator::PostEditPass() {
    auto linksPending = [this] { return hooks_.GetPendingLinkCount && hooks_.GetPendingLinkCount() > 0; };
    auto processLinks = [this] {
        if (hooks_.ProcessPendingLinks) hooks_.ProcessPendingLinks();
    };
    auto processTotals = [this] {
        RefreshChangedItemizedTotals();
        if (hooks_.ProcessPendingTotals) hooks_.ProcessPendingTotals(*this);
    };
    // Each round may queue more work for the other kind: links carried by a round change
    // series totals that the totals of the next round add up, so a round that processed links
    // is always followed by one more. Stored data may link in a circle through totals; the
    // rounds are bounded. Between rounds the view repaints, which never delivers input.
    constexpr int kMaxRounds = 64;
    if (linksPending()) processLinks();
    for (int round = 0; round < kMaxRounds; ++round) {
        processTotals();
        view_->Repaint();
        if (!linksPending()) break;
        processLinks();
    }
    if (Notifier().MessageList().Count() > 0) ShowCollectedMessages();
}

void TCalculator::RefreshAll() {
    LineIndex line = 0;
    while (lines_.IsLine(line) && !IsLastLine(line)) {
        TSeriesBase* series = SeriesClaiming(line);
        if (series != nullptr) series->RecalculateWithEmbedded(line);
        const LineIndex last = SeriesLastLine(lines_, line);
        if (last == kNoLine) break;
        line = std::max(last, line) + 1;
    }
    PostEditPass();
    ChooseCurrentSeries();
    UpdateReviewMode();
    CallLineCountChange();
    NotifySeriesTotal(focusLine_);
    PostRequest(requests::RecomputeWindowWidth);
}

void TCalculator::RecordTotalStatusChange(LineIndex line, std::string_view flag) {
    if (!lines_.IsLine(line)) return;
    if (lines_.Property(line, LineKey::kTotalStatusFlag).empty()) {
        lines_.SetProperty(line, LineKey::kTotalStatusFlag, flag);
    }
    if (documentBus_ == nullptr) return;
    TMedChar tape;
    tape.Value = tapeId_;
    documentBus_->HandleIfExists(events::TotalMgr_RecordSeriesTotalStatusChange, &tape, nullptr);
}

void TCalculator::PostRequest(int code, int firstParam, int secondParam) const {
    if (documentBus_ == nullptr) return;
    TOsMsgVariables request;
    request.MessageNumber = requests::kFirstUserMessage + code;
    request.FirstParam = firstParam;
    request.SecondParam = secondParam;
    documentBus_->HandleIfExists(events::FileObj_PostMainFormWindowsMsg, &request, nullptr);
}

void TCalculator::ShowCollectedMessages() { PostRequest(requests::ShowMessageList); }

bool TCalculator::IsTableColumnEmpty(std::string_view tableColumnId) const {
    if (tableColumnId.empty() || documentBus_ == nullptr) return true;
    TMedString in;
    in.Value = tableColumnId;
    TMedBoolean out;
    out.Value = true;
    documentBus_->HandleIfExists(events::TableMgr_IsTableColumnEmpty, &in, &out);
    return out.Value;
}

std::uint32_t TCalculator::GetCellColor(LineIndex line) const {
    constexpr std::uint32_t kDefault = 0xFFFFFF;
    if (!lines_.IsLine(line)) return kDefault;
    const std::string_view type = lines_.Property(line, LineKey::kSeriesType);
    if (type == "gra") return colors_.GrandTotal;
    if (type == "gro") return colors_.GroupTotal;
    if (type == "e") return colors_.EmbeddedSeries;
    if (lines_.InGroup(line, LineGroup::kZeroTotal)) return colors_.ZeroTotal;
    return kDefault;
}

}  // namespace tally
