// Focus moves: the checks a series makes before the focus leaves a line, the commit of an
// edited entry on the way, review mode, paging and going to a line.
#include <algorithm>
#include <cctype>
#include <charconv>

#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/entry_checks.h"

namespace tally {
namespace {

constexpr std::string_view kViewEmptyEntryMessage =
    "Can not move to a different line when the entry with the focus highlight is empty.  You can "
    "either delete the line or enter a number.";
constexpr std::string_view kCommandEmptyEntryMessage =
    "Cannot move to a different line when the entry with the focus highlight is empty.  You can "
    "either delete the line or enter a number.";
constexpr std::string_view kIncompleteEmbeddedMessage =
    "Cannot move the focus highlight out of an incomplete embedded series.";

bool IsIncompleteEmbeddedPosition(TFocusPosition position) {
    return position == TFocusPosition::IncompleteEmbeddedLastLine ||
           position == TFocusPosition::IncompleteEmbeddedLine;
}

}  // namespace

// Follows the inserts and removals made while an entry is committed, so that a move's target
// keeps pointing at the line the user aimed at. Only changes above the target shift it.
class TCalculator::TLineShiftTracker : public TLineObserver {
public:
    TLineShiftTracker(TLineStore& lines, LineIndex target) : lines_(lines), target_(target) {
        lines_.AddObserver(this);
    }
    ~TLineShiftTracker() override { lines_.RemoveObserver(this); }
    TLineShiftTracker(const TLineShiftTracker&) = delete;
    TLineShiftTracker& operator=(const TLineShiftTracker&) = delete;

    void LinesInserted(LineIndex first, LineIndex count) override {
        changed_ = true;
        if (first <= target_) target_ += count;
    }
    void LinesRemoved(LineIndex first, LineIndex count) override {
        changed_ = true;
        if (first + count <= target_) {
            target_ -= count;
        } else if (first <= target_) {
            target_ = first;
        }
    }
    bool Changed() const { return changed_; }
    LineIndex Target() const { return std::clamp(target_, 0, lines_.LastLine()); }

private:
    TLineStore& lines_;
    LineIndex target_;
    bool changed_ = false;
};

bool TCalculator::IsFocusColumnAllowed(TTapeColumn column) const {
    return column == TTapeColumn::Entries ||
           ((column == TTapeColumn::Annotations || column == TTapeColumn::TableColumns) &&
            IsColumnShown(column));
}

void TCalculator::LoadEditor() {
    TLineColumn cell = TLineColumn::Entries;
    if (focusColumn_ == TTapeColumn::Annotations) cell = TLineColumn::Annotations;
    if (focusColumn_ == TTapeColumn::TableColumns) cell = TLineColumn::TableColumns;
    editor_.Text = std::string(lines_.Cell(focusLine_, cell));
    editor_.SelStart = static_cast<int>(editor_.Text.size());
    editor_.SelLength = 0;
}

void TCalculator::RememberFocusTexts() {
    focusAnnotationText_ = std::string(lines_.Annotations(focusLine_));
    focusTableColumnText_ = std::string(lines_.TableColumns(focusLine_));
    annotationEditPending_ = false;
    tableColumnEditPending_ = false;
}

void TCalculator::ReloadFocusLine() {
    focusLine_ = std::clamp(focusLine_, 0, LastLine());
    savedFocusEntry_ = std::string(lines_.Entries(focusLine_));
    LoadEditor();
}

bool TCalculator::FocusEntryChanged() const { return lines_.Entries(focusLine_) != savedFocusEntry_; }

bool TCalculator::CommitFocusEntryEdit() {
    if (IsLastLine(focusLine_) || !FocusEntryChanged() || currentSeries_ == nullptr) return true;
    const std::string edited(lines_.Entries(focusLine_));
    // An emptied entry is no number to commit here (Enter would make it a total).
    if (const std::string_view problem = CheckEntryNumber(edited); !problem.empty()) {
        Notifier().ExplainAndBeep(std::string(problem));
        return false;
    }
    if (!currentSeries_->CommitEntry(focusLine_, edited)) return false;
    ReloadFocusLine();
    return true;
}

void TCalculator::UpdateReviewMode() { reviewMode_ = !IsLastLine(focusLine_); }

void TCalculator::SetFocusLine(LineIndex line) {
    line = std::clamp(line, 0, LastLine());
    if (!reviewMode_ && !IsLastLine(line) && currentSeries_ != nullptr && IsLastLine(focusLine_)) {
        // Leaving the open series: keep its values while the focus is elsewhere.
        SetOpenSeriesDecimalPlaces(currentSeries_->DecimalPlaces());
        SetOpenSeriesTotalType(currentSeries_->TotalType());
    }
    focusLine_ = line;
    UpdateReviewMode();
    ReloadFocusLine();
    ChooseCurrentSeries();
    RememberFocusTexts();
}

void TCalculator::SetTopLine(LineIndex line) { topLine_ = std::clamp(line, 0, LastLine()); }

int TCalculator::VisibleLineCount() const {
    const int available = view_->ClientHeight() - view_->DefaultRowHeight() - view_->GridLineWidth();
    int used = 0;
    int count = 0;
    for (LineIndex line = topLine_; lines_.IsLine(line); ++line) {
        const int height = lines_.RowHeight(line) > 0 ? lines_.RowHeight(line) : view_->DefaultRowHeight();
        used += height + view_->GridLineWidth();
        if (used > available) break;
        ++count;
    }
    return std::max(count, 1);
}

void TCalculator::ScrollFocusIntoView() {
    if (focusLine_ < topLine_) {
        topLine_ = focusLine_;
    } else if (focusLine_ >= topLine_ + VisibleLineCount()) {
        topLine_ = std::max(0, focusLine_ - VisibleLineCount() + 1);
    }
}

bool TCalculator::IsFocusLinePartlyVisible() const {
    if (focusLine_ < topLine_) return false;
    // Only the rows from the top line down to the view's bottom edge are looked at.
    int rowTop = view_->DefaultRowHeight() + view_->GridLineWidth();
    for (LineIndex line = topLine_; lines_.IsLine(line) && rowTop < view_->ClientHeight(); ++line) {
        if (line == focusLine_) return true;
        const int height = lines_.RowHeight(line) > 0 ? lines_.RowHeight(line) : view_->DefaultRowHeight();
        rowTop += height + view_->GridLineWidth();
    }
    return false;
}

void TCalculator::SelectEntryAfterCommand(const TFocusEntry& before) {
    if (focusColumn_ != TTapeColumn::Entries || !lines_.IsLine(focusLine_)) return;
    const std::string_view entry = lines_.Entries(focusLine_);
    if ((focusLine_ == before.Line && entry == before.Entry) || editor_.Text != entry) return;
    if (editor_.SelLength != 0 || editor_.SelStart != static_cast<int>(entry.size())) return;
    // The operator stays: only the number after it is selected.
    std::size_t start = 0;
    while (start < entry.size() && IsStoredOperator(entry[start])) ++start;
    if (start == entry.size()) return;
    editor_.SelStart = static_cast<int>(start);
    editor_.SelLength = static_cast<int>(entry.size() - start);
}

void TCalculator::SaveEditorSelection() { savedEditorSelection_ = editor_; }

void TCalculator::RestoreEditorSelection() {
    if (!savedEditorSelection_) return;
    const int length = static_cast<int>(editor_.Text.size());
    editor_.SelStart = std::clamp(savedEditorSelection_->SelStart, 0, length);
    editor_.SelLength = std::clamp(savedEditorSelection_->SelLength, 0, length - editor_.SelStart);
    savedEditorSelection_.reset();
}

void TCalculator::HandOnPendingEdits(LineIndex line, bool queueLinkSource) {
    if (annotationEditPending_) {
        const std::string_view linkData = lines_.Property(line, LineKey::kLinkId);
        if (queueLinkSource && LinkDataRole(linkData) == 'S' && hooks_.QueueLinkSourceAtOnce) {
            hooks_.QueueLinkSourceAtOnce(std::string(linkData));
        }
        if (!lines_.Property(line, LineKey::kTableColumnId).empty() && hooks_.CommitAnnotation) {
            hooks_.CommitAnnotation(*this, line);
        }
    }
    if (tableColumnEditPending_ && hooks_.CommitTableColumn) hooks_.CommitTableColumn(*this, line);
    annotationEditPending_ = false;
    tableColumnEditPending_ = false;
}

bool TCalculator::CheckLeaveFocusLine(LineIndex target, bool byView) const {
    const TSeriesBase* series = currentSeries_;
    if (series == nullptr) return true;
    const bool lastOfEmbedded = lines_.HasKind(focusLine_ + 1, LineKind::kEmbeddedTrailing);
    if (series->IsEmptyEntryLine(focusLine_) && !lastOfEmbedded) {
        Notifier().ExplainAndBeep(std::string(byView ? kViewEmptyEntryMessage : kCommandEmptyEntryMessage));
        return false;
    }
    // An incomplete embedded series keeps the focus from its "(" line down to its last line.
    LineIndex opening = kNoLine;
    LineIndex last = kNoLine;
    if (IsIncompleteEmbeddedPosition(series->FocusPosition())) {
        opening = series->EmbeddedFirstLine() - 1;
        last = series->EmbeddedLastLine();
    } else if (lines_.HasKind(focusLine_, LineKind::kEmbeddedLeading)) {
        const LineIndex trailing = EmbeddedTrailingBoundary(lines_, focusLine_);
        if (trailing != kNoLine && !lines_.InGroup(trailing - 1, LineGroup::kTotalLine)) {
            opening = focusLine_;
            last = trailing - 1;
        }
    }
    if (opening != kNoLine && (target < opening || target > last)) {
        Notifier().ExplainAndBeep(std::string(kIncompleteEmbeddedMessage));
        return false;
    }
    return true;
}

bool TCalculator::SelectCell(TTapeColumn column, LineIndex line) {
    if (!lines_.IsLine(line) || !IsFocusColumnAllowed(column)) return false;
    if (line == focusLine_) {
        if (column != focusColumn_) {
            HandOnPendingEdits(focusLine_, true);
            focusColumn_ = column;
            LoadEditor();
            RememberFocusTexts();
        }
        return true;
    }
    return MoveFocusTo(column, line, true);
}

bool TCalculator::MoveFocusTo(TTapeColumn column, LineIndex target, bool byView) {
    target = std::clamp(target, 0, LastLine());
    if (programmaticMove_ || target == focusLine_) {
        focusColumn_ = column;
        SetFocusLine(target);
        return true;
    }
    // The handler keeps the bounds it found when the focus arrived.
    const TSeriesBase* seriesBefore = currentSeries_;
    const LineIndex seriesFirst = seriesBefore != nullptr ? seriesBefore->SeriesFirstLine() : kNoLine;
    const LineIndex seriesLast = seriesBefore != nullptr ? seriesBefore->SeriesLastLine() : kNoLine;
    const bool wasReviewing = reviewMode_;
    if (!reviewMode_) {
        if (!IsLastLine(target)) HandOnPendingEdits(focusLine_, false);
    } else {
        if (!CheckLeaveFocusLine(target, byView)) return false;
        if (FocusEntryChanged() && currentSeries_ != nullptr) {
            TLineShiftTracker tracker(lines_, target);
            const std::string entry(lines_.Entries(focusLine_));
            if (!currentSeries_->CommitEntry(focusLine_, entry)) return false;
            savedFocusEntry_ = std::string(lines_.Entries(focusLine_));
            if (tracker.Changed()) {
                // The lines moved under the move in progress: select the aimed-at line after
                // the current event instead.
                ChooseCurrentSeries();
                PostRequest(requests::SelectTapeGridRow, 0, tracker.Target() + 1);
                return false;
            }
        }
        HandOnPendingEdits(focusLine_, true);
    }
    focusColumn_ = column;
    SetFocusLine(target);
    const bool seriesChanged = !wasReviewing || currentSeries_ != seriesBefore || target < seriesFirst ||
                               target > seriesLast;
    if (seriesChanged) {
        NotifySeriesTotal(focusLine_);
        if (hooks_.OnDecimalPlacesChange) hooks_.OnDecimalPlacesChange(*this);
        if (hooks_.OnTotalTypeChange) hooks_.OnTotalTypeChange(*this);
    }
    ScrollFocusIntoView();
    if (hooks_.OnLineNumberChange) hooks_.OnLineNumberChange(*this, focusLine_ + 1);
    return true;
}

bool TCalculator::GoToLine(int lineNumber) {
    const LineIndex target = std::clamp(lineNumber, 1, LastLine() + 1) - 1;
    if (target == focusLine_) return true;
    return MoveFocusTo(focusColumn_, target, false);
}

bool TCalculator::NextPage() {
    if (IsLastLine(focusLine_)) return true;
    const LineIndex below = topLine_ + VisibleLineCount();
    if (below > LastLine()) return MoveFocusTo(focusColumn_, LastLine(), false);
    if (!MoveFocusTo(focusColumn_, below, false)) return false;
    SetTopLine(below);
    return true;
}

bool TCalculator::PriorPage() {
    if (topLine_ == 0) return MoveFocusTo(focusColumn_, 0, false);
    const int available = view_->ClientHeight() - view_->DefaultRowHeight() - view_->GridLineWidth();
    LineIndex line = topLine_;
    int used = 0;
    while (line > 0) {
        const int height = lines_.RowHeight(line - 1) > 0 ? lines_.RowHeight(line - 1) : view_->DefaultRowHeight();
        if (used + height + view_->GridLineWidth() > available) break;
        used += height + view_->GridLineWidth();
        --line;
    }
    if (!MoveFocusTo(focusColumn_, line, false)) return false;
    SetTopLine(line);
    return true;
}

std::optional<char> TCalculator::GoToLineText(std::string_view text) {
    char tape = tapeId_;
    if (!text.empty() && std::isalpha(static_cast<unsigned char>(text.front()))) {
        tape = static_cast<char>(std::tolower(static_cast<unsigned char>(text.front())));
        text.remove_prefix(1);
        if (tape != tapeId_ && !(hooks_.IsAuxTapeIdEnabled && hooks_.IsAuxTapeIdEnabled(tape))) {
            Notifier().ExplainAndBeep("Invalid tape id.");
            return std::nullopt;
        }
    }
    long long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool digitsOnly = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!digitsOnly || (error != std::errc{} && error != std::errc::result_out_of_range)) {
        Notifier().ExplainAndBeep("Invalid line number.");
        return std::nullopt;
    }
    if (tape != tapeId_) return tape;
    const int clamped = error == std::errc::result_out_of_range
                            ? LastLine() + 1
                            : static_cast<int>(std::min<long long>(number, LastLine() + 1LL));
    if (!GoToLine(clamped)) return std::nullopt;
    return tape;
}

}  // namespace tally
