// Itemized group and grand totals: every included total stands as a content line above the
// total line, linked to its source so that it follows it, and the range adds up those lines.

#include "engine/lines/calc_params.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/total_series.h"
#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "engine/totals/total_sum.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

constexpr std::string_view kSeparatorIndicator = "=";
constexpr std::string_view kSeparatorEntries = "==========";

// A content line holds a number unless it is empty or only an operator.
bool HoldsNumber(std::string_view text) {
    if (text.size() > 2) return true;
    return !text.empty() && text.back() != '+' && text.back() != '-';
}

}  // namespace

bool TTotalSeriesBase::IsItemizedState(std::string_view state) const {
    return state == "ST" || (state == "GT" && SeriesTypeCode() == "gra");
}

void TTotalSeriesBase::SetRangeDisplay(LineIndex closing, std::string_view state) {
    displayState_ = std::string(state);
    lines_.SetProperty(closing, LineKey::kTotalDisplayState, state);
}

std::vector<TTotalSeriesBase::TLinkedItem> TTotalSeriesBase::LinkContentSources(
    const TTotalSeriesContentList& content) {
    std::vector<TLinkedItem> linked;
    TStMediator* bus = tape_.DocumentBus();
    if (bus == nullptr) return linked;
    for (const auto& item : content) {
        if (item.Indicator.empty() || item.TapeId != tape_.TapeId()) continue;
        TMedLnkMgr_SetTotalLinkSourceData_In in;
        in.Tape = &tape_;
        in.Line = item.Line + 1;
        TMedLnkMgr_SetTotalLinkSourceData_Out out;
        bus->HandleIfExists(events::LinkMgr_SetAsTotalLinkSource, &in, &out);
        if (out.Done) linked.push_back({&item, out.LinkNumber});
    }
    return linked;
}

void TTotalSeriesBase::WriteContentLines(LineIndex first, const std::vector<TLinkedItem>& linked) {
    TStMediator* bus = tape_.DocumentBus();
    LineIndex line = first;
    for (const auto& [item, number] : linked) {
        lines_.SetProperty(line, LineKey::kSeriesType, SeriesTypeCode());
        lines_.SetIndicator(line, std::string(1, item->Indicator.front()));
        TMedLnkMgr_SetTotalLinkDestData_In in;
        in.DestTape = &tape_;
        in.SourceTape = &tape_;
        in.DestLine = line + 1;
        in.SourceLine = item->Line + 1;
        in.LinkNumber = number;
        if (bus != nullptr) bus->HandleIfExists(events::LinkMgr_SetAsTotalLinkDest, &in, nullptr);
        ++line;
    }
}

void TTotalSeriesBase::CreateItemizedRange(LineIndex s, const std::vector<TLinkedItem>& linked, int decimals,
                                           std::string_view display) {
    const auto count = static_cast<LineIndex>(linked.size());
    lines_.InsertLines(s, count + 4);
    for (LineIndex line = s; line < s + count + 4; ++line) {
        lines_.SetProperty(line, LineKey::kSeriesType, SeriesTypeCode());
    }
    lines_.SetIndicator(s, std::string(1, OpeningCharacter()));
    lines_.SetIndicator(s + count + 1, kSeparatorIndicator);
    lines_.SetEntries(s + count + 1, kSeparatorEntries);
    lines_.SetIndicator(s + count + 2, std::string(1, TotalCharacter()));
    lines_.SetEntries(s + count + 2, "0.00");
    WriteClosingLine(s + count + 3, decimals, display);
    WriteContentLines(s + 1, linked);
    RecalculateItemized(s, s + count + 3, display);
}

void TTotalSeriesBase::SetDisplayState(std::string_view state) {
    if (tape_.CurrentSeries() != this || state == displayState_) return;
    if (state != "SL" && !IsItemizedState(state)) return;
    const LineIndex focus = tape_.FocusLine();
    const LineIndex opening = RangeOpeningLine(focus);
    const LineIndex closing = RangeClosingLine(focus);
    if (opening == kNoLine || closing == kNoLine || closing - opening < 2) return;
    const auto content = tape_.DetermineTotalSeriesContent(opening, SeriesTypeCode(), state);
    if (!content || content->empty()) return;
    // Content lines come only from totals that can be linked, so no line is left empty.
    const std::vector<TLinkedItem> linked = state == "SL" ? std::vector<TLinkedItem>{} : LinkContentSources(*content);
    if (state != "SL" && linked.empty()) return;
    const LineIndex oldContentLines = displayState_ == "SL" ? 0 : closing - opening - 3;
    tape_.SetFocusLine(opening + 1);
    if (state == "SL") {
        // The separator and the content lines go; the total is computed afresh from the
        // content, since the itemized sum may have left out refused steps.
        lines_.RemoveLines(opening + 1, closing - opening - 2);
        const LineIndex newClosing = opening + 2;
        lines_.SetCell(opening + 1, TLineColumn::RunningTotal, "");
        SetRangeDisplay(newClosing, "SL");
        TotalOfContent(opening + 1);
    } else {
        const auto count = static_cast<LineIndex>(linked.size());
        if (displayState_ == "SL") {
            lines_.InsertLines(opening + 1, count + 1);
            lines_.SetProperty(opening + count + 1, LineKey::kSeriesType, SeriesTypeCode());
            lines_.SetIndicator(opening + count + 1, kSeparatorIndicator);
            lines_.SetEntries(opening + count + 1, kSeparatorEntries);
        } else if (count > oldContentLines) {
            lines_.InsertLines(opening + 1, count - oldContentLines);
        } else if (count < oldContentLines) {
            lines_.RemoveLines(opening + 1, oldContentLines - count);
        }
        WriteContentLines(opening + 1, linked);
        SetRangeDisplay(opening + count + 3, state);
        RecalculateItemized(opening, opening + count + 3, state);
    }
    const LineIndex totalLine = RangeClosingLine(opening + 1) - 1;
    tape_.CallLineCountChange();
    tape_.SetFocusLine(totalLine);
    LoadSeriesState(totalLine);
    tape_.ReloadFocusLine();
    tape_.SetModified(true);
    tape_.PostEditPass();
    if (TStMediator* bus = tape_.DocumentBus()) {
        bus->HandleIfExists(events::LinkMgr_UpdateLinksDisplay, nullptr, nullptr);
        bus->HandleIfExists(events::LinkMgr_RemoveBrokenLinks, nullptr, nullptr);
    }
}

void TTotalSeriesBase::RefreshItemizedContent(LineIndex line, const TTotalSeriesContentList& content) {
    const LineIndex opening = RangeOpeningLine(line);
    const LineIndex closing = RangeClosingLine(line);
    if (content.empty() || opening == kNoLine || closing == kNoLine) return;
    if (!IsItemizedState(lines_.Property(closing, LineKey::kTotalDisplayState))) return;
    const LineIndex first = opening + 1;
    const LineIndex separator = closing - 2;
    if (separator < first || lines_.Indicator(separator) != kSeparatorIndicator) return;
    const std::vector<TLinkedItem> linked = LinkContentSources(content);
    const LineIndex existing = separator - first;
    const auto count = static_cast<LineIndex>(linked.size());
    if (count < existing) lines_.RemoveLines(first, existing - count);
    if (count > existing) lines_.InsertLines(first, count - existing);
    WriteContentLines(first, linked);
    if (tape_.CurrentSeries() == this && ClaimsLine(tape_.FocusLine())) LoadSeriesState(tape_.FocusLine());
    tape_.SetModified(true);
}

void TTotalSeriesBase::RecalculateItemized(LineIndex opening, LineIndex closing, std::string_view display) {
    const LineIndex totalLine = closing - 1;
    std::string totalType = SeriesTotalType(lines_, closing).value_or(std::string(kTotalTypeDecimal));
    if (!IsKnownTotalType(totalType)) totalType = kTotalTypeDecimal;
    int decimals = SeriesDecimalPlaces(lines_, closing).value_or(kDefaultSeriesDecimalPlaces);
    if (lines_.Property(closing, LineKey::kTotalDecimalsState) != "F") {
        const auto content = tape_.DetermineTotalSeriesContent(opening, SeriesTypeCode(), display);
        if (content && !content->empty()) {
            decimals = AutoDecimalPlaces(*content);
            lines_.SetProperty(closing, LineKey::kDecimalPlaces, std::to_string(decimals));
            if (tape_.CurrentSeries() == this && ClaimsLine(tape_.FocusLine())) decimalPlaces_ = decimals;
        }
    }
    const bool showRunning = tape_.IsColumnShown(TTapeColumn::RunningTotal);
    long double sum = 0;
    std::size_t count = 0;
    for (LineIndex line = opening + 1; line < totalLine; ++line) {
        const std::string text(lines_.Entries(line));
        if (lines_.Indicator(line) == kSeparatorIndicator || !HoldsNumber(text)) continue;
        const TEntryOperand operand = SplitEntryOperand(text);
        lines_.SetEntries(line, NormalFormEntry(operand, totalType, decimals, tape_.RoundingMethod(), tape_.ShowThousands()));
        const TOperationResult step = EvaluateOperation(SplitEntryOperand(lines_.Entries(line)), false, sum, decimals,
                                                        totalType, tape_.RoundingMethod());
        if (step.Refusal) {
            Notifier().MessageList().Add(step.Refusal->MessageForLine(tape_.LineName(line)));
            Notifier().MessageList().Add("");
        } else {
            sum = step.Total;
        }
        if (showRunning) lines_.SetCell(line, TLineColumn::RunningTotal, FormatTotal(sum, totalType, decimals, tape_.ShowThousands()));
        ++count;
    }
    const std::string text = FormatTotal(sum, totalType, decimals, tape_.ShowThousands());
    const std::string_view linkData = lines_.Property(totalLine, LineKey::kLinkId);
    if (!linkData.empty() && RemoveThousandSeparators(lines_.Entries(totalLine)) != RemoveThousandSeparators(text) &&
        tape_.Hooks().QueueLinkSource) {
        tape_.Hooks().QueueLinkSource(std::string(linkData));
    }
    lines_.SetEntries(totalLine, text);
    if (showRunning) lines_.SetCell(totalLine, TLineColumn::RunningTotal, text);
    lines_.SetIndicator(totalLine, TotalIndicator(count));
}

}  // namespace tally
