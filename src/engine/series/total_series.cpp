#include "engine/series/total_series.h"

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/tape/calculator.h"
#include "engine/totals/total_sum.h"
#include "foundation/notifications/notifier.h"

namespace tally {
namespace {

// "group total" or "grand total", as the refusals name the range's lines.
std::string RangeName(const TTotalSeriesBase& series) {
    return series.SeriesTypeCode() == "gro" ? "group total" : "grand total";
}

}  // namespace

bool TTotalSeriesBase::IsEntryOrTotalLine(LineIndex line) const {
    return ClaimsLine(line) && (lines_.HasKind(line, LineKind::kGroupTotal) ||
                                lines_.HasKind(line, LineKind::kGrandTotal));
}

TKeyAnswer TTotalSeriesBase::NonEntryLineKey(char key) {
    if (key == '\t') return TKeyAnswer::Consumed;
    if (key == TapeChar::kEnter || key == '=') {
        SetDisplayState(NextDisplayState());
        return TKeyAnswer::Consumed;
    }
    if (key == TapeChar::kBackspace) {
        CanDeleteCharacters(tape_.FocusLine());
        return TKeyAnswer::Consumed;
    }
    if (StoredOperatorForKey(key) && lines_.InGroup(tape_.FocusLine(), "]}")) return TKeyAnswer::NotHandled;
    Notifier().ExplainAndBeep("Cannot change the contents of the entries column in a " + RangeName(*this) +
                              " line.");
    return TKeyAnswer::Consumed;
}

std::string_view TTotalSeriesBase::NextDisplayState() const {
    if (displayState_ == "SL") return SeriesTypeCode() == "gra" ? "GT" : "ST";
    if (displayState_ == "GT") return "ST";
    return "SL";
}

bool TTotalSeriesBase::CanDeleteCharacters(LineIndex /*line*/) {
    Notifier().ExplainAndBeep("Cannot delete characters from a " + RangeName(*this) + " line entries column.");
    return false;
}

}  // namespace tally

namespace tally {

LineIndex TTotalSeriesBase::RangeOpeningLine(LineIndex line) const {
    if (!ClaimsLine(line)) return kNoLine;
    return lines_.StructuralLineAtOrBefore(line, std::string(1, OpeningCharacter()));
}

LineIndex TTotalSeriesBase::RangeClosingLine(LineIndex line) const {
    if (!ClaimsLine(line)) return kNoLine;
    return lines_.StructuralLineAtOrAfter(line, std::string(1, zeroTotalCharacter_));
}

bool TTotalSeriesBase::ShowsItemCount() const {
    return TotalCharacter() == 'g' ? tape_.ShowGroupTotalItemCount() : tape_.ShowGrandTotalItemCount();
}

std::string TTotalSeriesBase::TotalIndicator(std::size_t count) const {
    std::string indicator(1, TotalCharacter());
    if (ShowsItemCount()) indicator += "(" + std::to_string(count) + ")";
    return indicator;
}

std::string TTotalSeriesBase::SeriesTotalText() const {
    const LineIndex closing = RangeClosingLine(tape_.FocusLine());
    return closing == kNoLine ? std::string{} : std::string(lines_.Entries(closing - 1));
}

void TTotalSeriesBase::LoadSeriesState(LineIndex line) {
    TSeriesBase::LoadSeriesState(line);
    const LineIndex closing = RangeClosingLine(line);
    if (closing == kNoLine) return;
    const std::string_view display = lines_.Property(closing, LineKey::kTotalDisplayState);
    const std::string_view decimalsState = lines_.Property(closing, LineKey::kTotalDecimalsState);
    displayState_ = display.empty() ? "SL" : std::string(display);
    decimalPlacesState_ = decimalsState.empty() ? "V" : std::string(decimalsState);
}

void TTotalSeriesBase::Recalculate(LineIndex line) {
    if (!ClaimsLine(line)) return;
    const LineIndex closing = RangeClosingLine(line);
    if (closing == kNoLine) return;
    const std::string_view display = lines_.Property(closing, LineKey::kTotalDisplayState);
    if (display.empty() || display == "SL") {
        TotalOfContent(line);
        return;
    }
    const LineIndex opening = RangeOpeningLine(line);
    if (opening != kNoLine) RecalculateItemized(opening, closing, std::string(display));
}

void TTotalSeriesBase::TotalOfContent(LineIndex line) {
    const LineIndex opening = RangeOpeningLine(line);
    const LineIndex closing = RangeClosingLine(line);
    if (opening == kNoLine || closing == kNoLine || closing - 1 <= opening) return;
    const LineIndex totalLine = closing - 1;
    std::string totalType = SeriesTotalType(lines_, closing).value_or(std::string(kTotalTypeDecimal));
    if (!IsKnownTotalType(totalType)) totalType = kTotalTypeDecimal;
    int decimals = SeriesDecimalPlaces(lines_, closing).value_or(kDefaultSeriesDecimalPlaces);
    const auto content = tape_.DetermineTotalSeriesContent(opening, SeriesTypeCode(), "SL");
    const std::string oldText(lines_.Entries(totalLine));
    if (!content || content->empty()) {
        lines_.SetEntries(totalLine, FormatTotal(0, totalType, decimals, tape_.ShowThousands()));
        lines_.SetIndicator(totalLine, TotalIndicator(0));
    } else {
        if (lines_.Property(closing, LineKey::kTotalDecimalsState) != "F") {
            decimals = AutoDecimalPlaces(*content);
            lines_.SetProperty(closing, LineKey::kDecimalPlaces, std::to_string(decimals));
            if (tape_.CurrentSeries() == this && ClaimsLine(tape_.FocusLine())) decimalPlaces_ = decimals;
        }
        const auto sum = SumContent(*content, totalType, decimals, tape_.RoundingMethod());
        if (!sum) {
            Notifier().MessageList().Add(std::string(IsTimeTotalType(totalType) ? "The time total at line "
                                                                                 : "The decimal total at line ") +
                                         tape_.LineName(totalLine) + " exceeds the calculator's capacity.");
            Notifier().MessageList().Add("");
        }
        lines_.SetEntries(totalLine, FormatTotal(sum.value_or(0), totalType, decimals, tape_.ShowThousands()));
        lines_.SetIndicator(totalLine, TotalIndicator(content->size()));
    }
    if (tape_.IsColumnShown(TTapeColumn::RunningTotal)) lines_.SetCell(totalLine, TLineColumn::RunningTotal, "");
    const std::string_view linkData = lines_.Property(totalLine, LineKey::kLinkId);
    if (!linkData.empty() && oldText != lines_.Entries(totalLine) && tape_.Hooks().QueueLinkSource) {
        tape_.Hooks().QueueLinkSource(std::string(linkData));
    }
}

void TTotalSeriesBase::ResetToAutoDecimals() {
    if (tape_.CurrentSeries() != this) return;
    const LineIndex focus = tape_.FocusLine();
    const LineIndex closing = RangeClosingLine(focus);
    if (closing == kNoLine) return;
    decimalPlacesState_ = "V";
    lines_.SetProperty(closing, LineKey::kTotalDecimalsState, "V");
    RecalculateFocusRange(closing);
    LoadSeriesState(focus);
    tape_.ReloadFocusLine();
    tape_.PostEditPass();
}

bool TTotalSeriesBase::CreateTotalRange(LineIndex s, const TTotalSeriesContentList& content,
                                        std::string_view display) {
    if (!lines_.IsLine(s) || content.empty()) return false;
    const int decimals = AutoDecimalPlaces(content);
    if (IsItemizedState(display)) {
        const std::vector<TLinkedItem> linked = LinkContentSources(content);
        if (!linked.empty()) {
            CreateItemizedRange(s, linked, decimals, display);
            return true;
        }
    }
    const auto sum = SumContent(content, kTotalTypeDecimal, decimals, tape_.RoundingMethod());
    if (!sum) return false;
    lines_.InsertLines(s, 3);
    for (LineIndex line = s; line < s + 3; ++line) lines_.SetProperty(line, LineKey::kSeriesType, SeriesTypeCode());
    lines_.SetIndicator(s, std::string(1, OpeningCharacter()));
    lines_.SetIndicator(s + 1, TotalIndicator(content.size()));
    lines_.SetEntries(s + 1, FormatTotal(*sum, kTotalTypeDecimal, decimals, tape_.ShowThousands()));
    WriteClosingLine(s + 2, decimals, "SL");
    return true;
}

void TTotalSeriesBase::WriteClosingLine(LineIndex closing, int decimals, std::string_view display) {
    lines_.SetIndicator(closing, std::string(1, zeroTotalCharacter_));
    lines_.SetProperty(closing, LineKey::kTotalType, kTotalTypeDecimal);
    lines_.SetProperty(closing, LineKey::kDecimalPlaces, std::to_string(decimals));
    lines_.SetProperty(closing, LineKey::kTotalDisplayState, display);
    lines_.SetProperty(closing, LineKey::kTotalDecimalsState, "V");
}

bool TTotalSeriesBase::SetDecimalPlaces(int decimals) {
    const LineIndex closing = tape_.CurrentSeries() == this ? RangeClosingLine(tape_.FocusLine()) : kNoLine;
    if (closing == kNoLine) return false;
    if (decimals == decimalPlaces_) return true;
    if (decimals < minimumDecimalPlaces_ || decimals > maximumDecimalPlaces_) return false;
    decimalPlaces_ = decimals;
    decimalPlacesState_ = "F";
    lines_.SetProperty(closing, LineKey::kDecimalPlaces, std::to_string(decimals));
    lines_.SetProperty(closing, LineKey::kTotalDecimalsState, "F");
    RecalculateFocusRange(closing);
    return true;
}

bool TTotalSeriesBase::SetTotalType(std::string_view totalType) {
    const LineIndex closing = tape_.CurrentSeries() == this ? RangeClosingLine(tape_.FocusLine()) : kNoLine;
    if (closing == kNoLine || !IsKnownTotalType(totalType)) return false;
    if (totalType == totalType_) return true;
    totalType_ = totalType;
    lines_.SetProperty(closing, LineKey::kTotalType, totalType);
    RecalculateFocusRange(closing);
    return true;
}

void TTotalSeriesBase::RecalculateFocusRange(LineIndex closing) {
    // Content lines were rounded to the old decimal places; they start again from their sources.
    const LineIndex opening = RangeOpeningLine(closing);
    if (IsItemizedState(lines_.Property(closing, LineKey::kTotalDisplayState)) && tape_.Hooks().RefreshLinkDestLine) {
        for (LineIndex line = opening + 1; line < closing - 2; ++line) tape_.Hooks().RefreshLinkDestLine(tape_, line);
    }
    Recalculate(closing);
    tape_.ReloadFocusLine();
    tape_.SetModified(true);
}

}  // namespace tally
