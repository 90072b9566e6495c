// The line editing operations of a tape: Clear Entry, Delete Line, Insert Line, Zero Total,
// Erase Tape, Delete Series, Insert New Series and placing a number into the focus entry.
// Each works on the focus line through the current series and ends with the after-edit
// notifications and the post-edit pass.
#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/standard_series.h"
#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {

bool Refuse(std::string text) {
    Notifier().ExplainAndBeep(std::move(text));
    return false;
}

// The group or grand total line of the range that opens at a line; kNoLine when none does.
LineIndex RangeTotalLineAt(const TLineStore& lines, LineIndex opening) {
    const char kind = lines.KindOf(opening);
    if (kind != LineKind::kGroupLeading && kind != LineKind::kGrandLeading) return kNoLine;
    const char total = kind == LineKind::kGroupLeading ? LineKind::kGroupTotal : LineKind::kGrandTotal;
    const char closing = kind == LineKind::kGroupLeading ? LineKind::kGroupTrailing : LineKind::kGrandTrailing;
    for (LineIndex line = opening + 1; lines.IsLine(line) && !lines.HasKind(line, closing); ++line) {
        if (lines.HasKind(line, total)) return line;
    }
    return kNoLine;
}

// The closing line of the range that opens at a line.
LineIndex RangeClosingLine(const TLineStore& lines, LineIndex opening) {
    const char closing = lines.HasKind(opening, LineKind::kGroupLeading) ? LineKind::kGroupTrailing
                                                                         : LineKind::kGrandTrailing;
    return NextLineOfKind(lines, opening, closing);
}

}  // namespace

void TCalculator::WriteEntry(LineIndex line, std::string_view text) {
    lines_.SetEntries(line, text);
    modified_ = true;
    if (line == focusLine_ && focusColumn_ == TTapeColumn::Entries) LoadEditor();
}

void TCalculator::EmptyLastLine() {
    const LineIndex last = LastLine();
    lines_.SetEntries(last, "");
    lines_.SetCell(last, TLineColumn::Annotations, "");
    if (!lines_.Property(last, LineKey::kLinkId).empty()) {
        lines_.SetProperty(last, LineKey::kLinkId, "");
        lines_.SetCell(last, TLineColumn::Links, "");
    }
    lines_.SetProperty(last, LineKey::kTableColumnNumber, "");
    lines_.SetProperty(last, LineKey::kTableColumnId, "");
    lines_.SetCell(last, TLineColumn::TableColumns, "");
    modified_ = true;
    if (focusLine_ == last) {
        ReloadFocusLine();
        RememberFocusTexts();
    }
}

// ---- Clear Entry

bool TCalculator::CanClearEntry() const {
    return focusColumn_ == TTapeColumn::Entries && lines_.InGroup(focusLine_, LineGroup::kEntryLine) &&
           !lines_.HasKind(focusLine_ - 1, LineKind::kEmbeddedTrailing);
}

bool TCalculator::ClearEntry() {
    if (focusColumn_ != TTapeColumn::Entries) {
        return Refuse("Can not clear an entry unless it has the focus highlight.");
    }
    if (!lines_.InGroup(focusLine_, LineGroup::kEntryLine)) {
        return Refuse("Can not clear the entry of a total line, a zero total line; or of a boundary line "
                      "for an embedded series, a group total, or a grand total.");
    }
    if (lines_.HasKind(focusLine_ - 1, LineKind::kEmbeddedTrailing)) {
        return Refuse("Cannot clear the entry cell in an embedded series external total line.");
    }
    ApplyEditorText({}, 0);
    modified_ = true;
    return true;
}

// ---- Delete Line and Insert Line

bool TCalculator::DeleteLine() {
    if (currentSeries_ == nullptr) return false;
    TSeriesBase* seriesBefore = currentSeries_;
    if (currentSeries_->DeleteLine() != TEditOutcome::Done) return false;
    AfterLineDeletion(seriesBefore);
    return true;
}

void TCalculator::AfterLineDeletion(TSeriesBase* seriesBefore) {
    focusLine_ = std::clamp(focusLine_, 0, LastLine());
    ChooseCurrentSeries();
    UpdateReviewMode();
    if (currentSeries_ != seriesBefore) PostRequest(requests::SelectDifferentSeries);
    CallLineCountChange();
    AfterEditNotifications();
    PostEditPass();
}

bool TCalculator::CanSetAsLinkDest(LineIndex line) const {
    return lines_.InGroup(line, LineGroup::kEntryLine) && !lines_.HasKind(line - 1, LineKind::kEmbeddedTrailing);
}

bool TCalculator::CanInsertLine(LineIndex line) const {
    const TSeriesBase* series = SeriesClaiming(line);
    return series != nullptr && series->AllowsLineInsert(line);
}

// The common end of an edit that inserted lines: review mode follows the focus, the line
// count and the after-edit notifications go out, and the post-edit pass runs.
void TCalculator::FinishLineEdit() {
    UpdateReviewMode();
    CallLineCountChange();
    AfterEditNotifications();
    PostEditPass();
    if (hooks_.OnLineNumberChange) hooks_.OnLineNumberChange(*this, focusLine_ + 1);
}

bool TCalculator::InsertLine() {
    if (currentSeries_ == nullptr) return false;
    // A new line before an empty last line would leave two empty lines, and the focus could
    // leave neither.
    if (IsLastLine(focusLine_) && currentSeries_->IsEmptyEntryLine(focusLine_)) {
        return Refuse(std::string(kTypeNumberBeforeInsertingLine));
    }
    return InsertLineBeforeFocus();
}

bool TCalculator::InsertLineBeforeFocus() {
    if (currentSeries_ == nullptr) return false;
    const bool onLastLine = IsLastLine(focusLine_);
    if (onLastLine) {
        HandOnPendingEdits(focusLine_, false);
        reviewMode_ = true;
    } else if (annotationEditPending_ || tableColumnEditPending_) {
        // The pending edit is handed on by leaving the cell; the user inserts again after.
        TabToNextCell(true);
        return false;
    }
    if (currentSeries_->InsertLine() != TEditOutcome::Done) {
        UpdateReviewMode();
        return false;
    }
    FinishLineEdit();
    return true;
}

// ---- Zero Total

bool TCalculator::CanZeroTotal() const {
    return currentSeries_ == &StandardSeries() && StandardSeries().CanInsertZeroTotal(false);
}

bool TCalculator::ZeroTotal() {
    if (currentSeries_ != &StandardSeries()) return false;
    TStandardSeries& series = StandardSeries();
    const bool done = IsLastLine(focusLine_) ? series.CloseOpenSeries() : series.InsertZeroTotal();
    if (!done) return false;
    ChooseCurrentSeries();
    FinishLineEdit();
    return true;
}

// ---- Insert New Series

bool TCalculator::CanInsertNewSeries() const {
    if (currentSeries_ == nullptr) return false;
    if (!currentSeries_->SeriesTypeCode().empty()) return true;
    const LineIndex anchor = IsInsideEmbeddedSeries(lines_, focusLine_)
                                 ? EmbeddedLeadingBoundary(lines_, focusLine_)
                                 : focusLine_;
    const LineIndex first = SeriesFirstLine(lines_, anchor);
    const LineIndex last = SeriesLastLine(lines_, anchor);
    for (LineIndex line = first; line <= last && line != kNoLine; ++line) {
        if (!lines_.InGroup(line, LineGroup::kEntryLine)) continue;
        const std::string_view entry = lines_.Entries(line);
        if (!entry.empty() && !IsValidEntryNumber(entry)) return false;
    }
    return true;
}

bool TCalculator::InsertNewSeries() {
    if (!CanInsertNewSeries()) return false;
    const bool standard = currentSeries_->SeriesTypeCode().empty();
    const LineIndex anchor = IsInsideEmbeddedSeries(lines_, focusLine_)
                                 ? EmbeddedLeadingBoundary(lines_, focusLine_)
                                 : focusLine_;
    const LineIndex first = SeriesFirstLine(lines_, anchor);
    int decimals = currentSeries_->DecimalPlaces();
    std::string totalType = currentSeries_->TotalType();
    if (standard) {
        const LineIndex before = first - 1;
        if (before <= 0 || SeriesClaiming(before) != &StandardSeries()) {
            TMedInteger startup;
            startup.Value = startupDecimalPlaces_;
            if (documentBus_ != nullptr) {
                documentBus_->HandleIfExists(events::FileObj_GetStartupDecimalPlaces, nullptr, &startup);
            }
            decimals = startup.Value;
            totalType = std::string(kTotalTypeDecimal);
        } else {
            decimals = SeriesDecimalPlaces(lines_, before).value_or(kDefaultSeriesDecimalPlaces);
            totalType = SeriesTotalType(lines_, before).value_or(std::string(kTotalTypeDecimal));
        }
    }
    if (!StandardSeries().StartSeriesAt(first, decimals, totalType)) return false;
    if (standard) {
        // The series that now follows the new one feeds one range total more.
        const LineIndex followingEnd = SeriesLastLine(lines_, first + 4);
        const LineIndex rangeTotal = RangeTotalLineAt(lines_, followingEnd + 1);
        if (rangeTotal != kNoLine) RecordTotalStatusChange(rangeTotal, "I");
    }
    SetFocusLine(first);
    CallLineCountChange();
    PostEditPass();
    AfterEditNotifications();
    return true;
}

// ---- Erase Tape and Delete Series

void TCalculator::EraseTape() {
    const int decimals = currentSeries_ != nullptr ? currentSeries_->DecimalPlaces() : openDecimalPlaces_;
    const std::string totalType = currentSeries_ != nullptr ? currentSeries_->TotalType() : openTotalType_;
    lines_.RemoveLines(0, lines_.LineCount());
    lines_.InsertLines(0, 1);
    lines_.SetIndicator(0, " ");
    topLine_ = 0;
    reviewMode_ = false;
    SetOpenSeriesDecimalPlaces(decimals);
    SetOpenSeriesTotalType(totalType);
    ResetRunningValue();
    focusLine_ = 0;
    SetFocusLine(0);
    if (hooks_.OnDecimalPlacesChange) hooks_.OnDecimalPlacesChange(*this);
    if (hooks_.OnTotalTypeChange) hooks_.OnTotalTypeChange(*this);
    if (hooks_.OnLinksDisplayChange) hooks_.OnLinksDisplayChange(*this);
    if (hooks_.OnLineNumberChange) hooks_.OnLineNumberChange(*this, 1);
    CallLineCountChange();
    NotifySeriesTotal(0);
    modified_ = true;
}

bool TCalculator::DeleteSeries() {
    if (currentSeries_ == nullptr) return false;
    if (CanDeleteEmbeddedSeries()) return DeleteEmbeddedSeries();
    const LineIndex first = SeriesFirstLine(lines_, focusLine_);
    LineIndex last = SeriesLastLine(lines_, focusLine_);
    if (IsLastLine(focusLine_) && first == last) {
        ApplyEditorText({}, 0);
        modified_ = true;
        return true;
    }
    const std::string removedKind = currentSeries_->SeriesTypeCode();
    bool groupRemoved = false;
    bool grandRemoved = false;
    if (removedKind.empty() && !IsLastLine(last)) {
        // A range that collects only this series goes with it.
        const bool alone = first == 0 || lines_.InGroup(first - 1, "]}");
        if (alone && lines_.HasKind(last + 1, LineKind::kGroupLeading)) {
            const LineIndex closing = RangeClosingLine(lines_, last + 1);
            if (closing != kNoLine) {
                last = closing;
                groupRemoved = true;
            }
        }
        if (lines_.HasKind(last + 1, LineKind::kGrandLeading) &&
            (first == 0 || lines_.HasKind(first - 1, LineKind::kGrandTrailing))) {
            const LineIndex closing = RangeClosingLine(lines_, last + 1);
            if (closing != kNoLine) {
                last = closing;
                grandRemoved = true;
            }
        }
    }
    programmaticMove_ = true;
    SetFocusLine(first);
    programmaticMove_ = false;
    const LineIndex removeLast = std::min(last, LastLine() - 1);
    if (removeLast >= first) lines_.RemoveLines(first, removeLast - first + 1);
    focusLine_ = std::min(first, LastLine());
    if (IsLastLine(focusLine_)) {
        EmptyLastLine();
        ResetRunningValue();
    }
    SetFocusLine(focusLine_);
    CallLineCountChange();
    AfterEditNotifications();
    // The next range added up what went, whether it follows directly or after more series.
    const LineIndex rangeTotal = RangeTotalLineAt(lines_, lines_.StructuralLineAtOrAfter(focusLine_, "[{"));
    if (rangeTotal != kNoLine) {
        std::string flag = "TD";
        if (grandRemoved || removedKind == "gra") {
            flag = "GD";
        } else if (groupRemoved || removedKind == "gro") {
            flag = "gD";
        }
        RecordTotalStatusChange(rangeTotal, flag);
    }
    PostEditPass();
    if (hooks_.OnDecimalPlacesChange) hooks_.OnDecimalPlacesChange(*this);
    return true;
}

// ---- Deleting and emptying embedded series

bool TCalculator::CanDeleteEmbeddedSeries() const {
    return currentSeries_ == &StandardSeries() && lines_.Property(focusLine_, LineKey::kSeriesType) == "e";
}

bool TCalculator::CanEmptyEmbeddedSeries() const {
    return CanDeleteEmbeddedSeries() && StandardSeries().HasEmbeddedContent(focusLine_);
}

bool TCalculator::DeleteEmbeddedSeries() {
    if (!CanDeleteEmbeddedSeries()) return false;
    TSeriesBase* seriesBefore = currentSeries_;
    if (StandardSeries().DeleteEmbeddedSeries() != TEditOutcome::Done) return false;
    AfterLineDeletion(seriesBefore);
    return true;
}

bool TCalculator::EmptyEmbeddedSeries() {
    return CanEmptyEmbeddedSeries() && StandardSeries().EmptyEmbeddedSeries();
}

// ---- Placing a number

bool TCalculator::PlaceNumberChecks(std::string_view text) const {
    if (currentSeries_ == nullptr || !currentSeries_->IsEditableEntryLine(focusLine_)) {
        return Refuse("Can not place a number into the entries column of the line containing the focus "
                      "highlight.");
    }
    if (text.empty()) return Refuse("Attempting to insert nothing into the entries column.");
    const std::string& allowed = currentSeries_->AllowedEntryCharacters();
    const bool acceptable = std::all_of(text.begin(), text.end(), [&](char c) {
        return allowed.find(c) != std::string::npos || c == ' ';
    });
    if (!acceptable) {
        return Refuse("Text \"" + std::string(text.substr(0, 30)) + "\" is invalid in the entries column.");
    }
    const std::string_view focusEntry = lines_.Entries(focusLine_);
    if (!focusEntry.empty() && !IsOperatorOnlyEntry(focusEntry)) {
        return Refuse("The entry with the focus highlight must be blank, or contain only an operator "
                      "character, in order to receive a number.");
    }
    return true;
}

bool TCalculator::PlaceNumber(std::string_view text) {
    if (!PlaceNumberChecks(text)) return false;
    const std::string_view focusEntry = lines_.Entries(focusLine_);

    char incomingOperator = '\0';
    if (!text.empty() && IsMultiplicativeOperator(text.front())) {
        incomingOperator = text.front();
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    char focusOperator = '\0';
    if (!focusEntry.empty() && IsMultiplicativeOperator(focusEntry.front())) {
        focusOperator = focusEntry.front();
        if (focusEntry.size() > 1 && focusEntry[1] == '-') negative = !negative;
    } else if (focusEntry == "-") {
        negative = !negative;
    }
    const char op = focusOperator != '\0' ? focusOperator : (focusEntry.empty() ? incomingOperator : '\0');
    std::string entry;
    if (op != '\0') {
        entry += op;
        if (negative) entry += '-';
    } else {
        entry += negative ? '-' : '+';
    }
    entry += text;

    // The composed entry must pass before anything is written.
    TStandardSeries* standard = currentSeries_ == &StandardSeries() ? &StandardSeries() : nullptr;
    if (standard == nullptr || !standard->CheckEntry(focusLine_, entry)) return false;
    const bool openLine = IsLastLine(focusLine_) || lines_.HasKind(focusLine_ + 1, LineKind::kEmbeddedTrailing);
    if (openLine) {
        WriteEntry(focusLine_, entry);
        return true;
    }
    if (!standard->CommitEntry(focusLine_, entry)) return false;
    AfterEditNotifications();
    PostEditPass();
    return true;
}

}  // namespace tally
