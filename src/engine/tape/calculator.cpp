#include "engine/tape/calculator.h"

#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "engine/series/total_series.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"

namespace tally {

TCalculator::TCalculator(char tapeId, TStMediator* documentBus)
    : tapeId_(tapeId), documentBus_(documentBus) {
    lines_.InsertLines(0, 1);
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

bool TCalculator::IsColumnShown(TTapeColumn column) const {
    return (columnSet_ >> static_cast<int>(column)) & 1U;
}

void TCalculator::SetColumnShown(TTapeColumn column, bool shown) {
    const auto bit = static_cast<std::uint8_t>(1U << static_cast<int>(column));
    columnSet_ = shown ? (columnSet_ | bit) : (columnSet_ & ~bit);
}

void TCalculator::SetOpenSeriesDecimalPlaces(int decimals) {
    openDecimalPlaces_ = std::clamp(decimals, 0, kMaxSeriesDecimalPlaces);
}

void TCalculator::SetRunningValue(long double value, std::string timeText) {
    runningValue_ = value;
    runningTimeText_ = std::move(timeText);
}

void TCalculator::SetFocusLine(LineIndex line) {
    focusLine_ = std::clamp(line, 0, lines_.LastLine());
    currentSeries_ = SeriesClaiming(focusLine_);
    if (currentSeries_ != nullptr) {
        currentSeries_->RecheckFocusPosition(focusLine_);
        currentSeries_->LoadSeriesState(focusLine_);
    }
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

void TCalculator::ShowCollectedMessages() {
    if (documentBus_ == nullptr) return;
    TOsMsgVariables request;
    request.MessageNumber = requests::kFirstUserMessage + requests::ShowMessageList;
    documentBus_->HandleIfExists(events::FileObj_PostMainFormWindowsMsg, &request, nullptr);
}

bool TCalculator::IsTableColumnEmpty(std::string_view tableColumnId) const {
    if (tableColumnId.empty() || documentBus_ == nullptr) return true;
    TMedString in;
    in.Value = tableColumnId;
    TMedBoolean out;
    out.Value = true;
    documentBus_->HandleIfExists(events::TableMgr_IsTableColumnEmpty, &in, &out);
    return out.Value;
}

}  // namespace tally
