// Keys the grid hands to the tape: navigation and geometry keys (key down) and typed
// characters in the Entries, Annotations and Table Columns columns (key press).
#include <algorithm>
#include <string>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "engine/tape/table_column_texts.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

constexpr int kDefaultMaxTableColumn = 20;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsControlCharacter(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// The editor text with its selection replaced by a character (Backspace: the selection, or
// the character before the caret, removed).
std::string EditedText(const TEntryEditor& editor, char character) {
    std::string text = editor.Text;
    const auto start = static_cast<std::size_t>(std::clamp(editor.SelStart, 0, static_cast<int>(text.size())));
    const auto length = std::min(static_cast<std::size_t>(std::max(editor.SelLength, 0)), text.size() - start);
    if (character == TapeChar::kBackspace) {
        if (length > 0) return text.erase(start, length);
        return start > 0 ? text.erase(start - 1, 1) : text;
    }
    return text.replace(start, length, 1, character);
}

}  // namespace

bool TCalculator::KeyDown(TTapeKey key, TKeyModifiers modifiers) {
    // The numeric pad's divide key is the divide operator wherever the caret is, never a
    // fraction's slash; in the other columns it types its "/" as any key does.
    if (key == TTapeKey::NumPadDivide) {
        if (focusColumn_ != TTapeColumn::Entries) return false;
        return RouteEntryKey(FormatSettings().DivideOperChar, false);
    }
    if (modifiers.Alt) {
        switch (key) {
            case TTapeKey::Left: ChangeFocusColumnWidth(false, modifiers.Shift); return true;
            case TTapeKey::Right: ChangeFocusColumnWidth(true, modifiers.Shift); return true;
            case TTapeKey::Up: ChangeFocusRowHeight(false, modifiers.Shift); return true;
            case TTapeKey::Down: ChangeFocusRowHeight(true, modifiers.Shift); return true;
            default: return false;
        }
    }
    const bool inEntries = focusColumn_ == TTapeColumn::Entries;
    switch (key) {
        case TTapeKey::Tab: TabToNextCell(modifiers.Shift); return true;
        case TTapeKey::Enter:
            if (inEntries) return false;  // data entry
            if (!lines_.IsLine(focusLine_ + (modifiers.Shift ? -1 : 1))) {
                FinishFocusCellEdit();
            } else {
                modifiers.Shift ? PriorLine() : NextLine();
            }
            return true;
        case TTapeKey::PageDown:
            modifiers.Ctrl ? GoToLine(LastLine() + 1) : NextPage();
            return true;
        case TTapeKey::PageUp:
            modifiers.Ctrl ? GoToLine(1) : PriorPage();
            return true;
        case TTapeKey::Down:
            if (modifiers.Ctrl || modifiers.Shift) return false;
            NextLine();
            return true;
        case TTapeKey::Up:
            if (modifiers.Ctrl || modifiers.Shift) return false;
            PriorLine();
            return true;
        case TTapeKey::Delete: return DeleteKey();
        default: return false;
    }
}

// The Delete key removes the selection or the character after the caret.
bool TCalculator::DeleteKey() {
    if (focusColumn_ == TTapeColumn::Entries) {
        if (currentSeries_ == nullptr || !lines_.InGroup(focusLine_, LineGroup::kEntryLine)) {
            Notifier().ExplainAndBeep(
                "Cannot delete characters in a total line, a zero total line, or an embedded "
                "series boundary line entries column.");
            return true;
        }
        // The series may keep an entry as it is (the adding machine's X, divide, P and R
        // entries); it explains its refusal.
        if (!currentSeries_->CanDeleteCharacters(focusLine_)) return true;
        if (lines_.HasKind(focusLine_ - 1, LineKind::kEmbeddedTrailing)) {
            // Only operator characters may go from an external total line.
            const int start = editor_.SelStart;
            const int end = editor_.SelLength > 0 ? start + editor_.SelLength : start + 1;
            bool onlyOperators = start < static_cast<int>(editor_.Text.size());
            for (int i = start; i < end && i < static_cast<int>(editor_.Text.size()); ++i) {
                if (!IsStoredOperator(editor_.Text[static_cast<std::size_t>(i)])) onlyOperators = false;
            }
            if (!onlyOperators) {
                Notifier().ExplainAndBeep(
                    "Only the arithmetic operator can be deleted from an embedded series' external "
                    "total line.");
                return true;
            }
        }
    } else {
        modified_ = true;
        (focusColumn_ == TTapeColumn::Annotations ? annotationEditPending_ : tableColumnEditPending_) = true;
    }
    if (editor_.SelLength == 0 && editor_.SelStart < static_cast<int>(editor_.Text.size())) {
        editor_.SelLength = 1;
    }
    if (editor_.SelLength > 0) ApplyEditorText(EditedText(editor_, TapeChar::kBackspace), editor_.SelStart);
    return true;
}

bool TCalculator::KeyPress(char character) {
    if (character == TapeChar::kCtrlC) {
        // A selection the editor copies; with nothing selected the whole cell is copied.
        if (editor_.SelLength > 0) return false;
        if (clipboard_ != nullptr) clipboard_->SetText(editor_.Text);
        return true;
    }
    switch (focusColumn_) {
        case TTapeColumn::Annotations: return KeyPressAnnotations(character);
        case TTapeColumn::TableColumns: return KeyPressTableColumns(character);
        default: return RouteEntryKey(character, false);
    }
}

void TCalculator::TypeIntoEditor(char character) {
    const int caret = character == TapeChar::kBackspace && editor_.SelLength == 0
                          ? std::max(editor_.SelStart - 1, 0)
                          : editor_.SelStart + (character == TapeChar::kBackspace ? 0 : 1);
    ApplyEditorText(EditedText(editor_, character), caret);
}

void TCalculator::ApplyEditorText(std::string text, int caret) {
    editor_.Text = std::move(text);
    editor_.SelStart = std::clamp(caret, 0, static_cast<int>(editor_.Text.size()));
    editor_.SelLength = 0;
    TLineColumn cell = TLineColumn::Entries;
    if (focusColumn_ == TTapeColumn::Annotations) cell = TLineColumn::Annotations;
    if (focusColumn_ == TTapeColumn::TableColumns) cell = TLineColumn::TableColumns;
    lines_.SetCell(focusLine_, cell, editor_.Text);
}

bool TCalculator::KeyPressAnnotations(char character) {
    if (character == TapeChar::kCtrlC) return false;
    modified_ = true;
    annotationEditPending_ = true;
    if (character == TapeChar::kEnter || character == '\n') return true;
    if (character == TapeChar::kEscape) {
        ApplyEditorText(focusAnnotationText_, static_cast<int>(focusAnnotationText_.size()));
        return true;
    }
    if (character == TapeChar::kCtrlV) {
        if (clipboard_ == nullptr) return true;
        std::string text = clipboard_->GetText();
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
            text.replace(at, 2, "  ");
        }
        clipboard_->SetText(text);
        // A lone CR or LF, a tab or any other control character would split or garble the
        // annotation in files, records and printouts: each becomes a blank.
        std::replace_if(text.begin(), text.end(), IsControlCharacter, ' ');
        std::string edited = editor_.Text;
        const auto start = static_cast<std::size_t>(std::clamp(editor_.SelStart, 0, static_cast<int>(edited.size())));
        edited.replace(start, std::min<std::size_t>(static_cast<std::size_t>(std::max(editor_.SelLength, 0)), edited.size() - start), text);
        ApplyEditorText(std::move(edited), static_cast<int>(start + text.size()));
        return true;
    }
    if (character == TapeChar::kBackspace || static_cast<unsigned char>(character) >= 0x20) {
        TypeIntoEditor(character);
    }
    return true;
}

bool TCalculator::KeyPressTableColumns(char character) {
    Notifier().ClearLastBeepExplanation();
    if (character == TapeChar::kEnter) return true;
    if (character == TapeChar::kEscape) {
        ApplyEditorText(focusTableColumnText_, static_cast<int>(focusTableColumnText_.size()));
        return true;
    }
    auto refuse = [](std::string text) {
        Notifier().ExplainAndBeep(std::move(text));
        return true;
    };
    if (!IsDigit(character) && character != TapeChar::kBackspace) {
        return refuse("Only digits are permitted in the Table Columns column.");
    }
    const char kind = lines_.KindOf(focusLine_);
    const std::string_view seriesType = lines_.Property(focusLine_, LineKey::kSeriesType);
    if (kind == LineKind::kSeparator) {
        return refuse("A total indicator line cannot be assigned to a table column.");
    }
    if (KindInGroup(kind, LineGroup::kZeroTotal)) {
        return refuse("A zero total line cannot be assigned to a table column.");
    }
    if (KindInGroup(kind, LineGroup::kBoundary)) {
        return refuse("A series boundary line cannot be assigned to a table column.");
    }
    if (seriesType == "gra" && kind != LineKind::kGrandTotal) {
        return refuse("Only the grand total line within a grand total series can be assigned to a table column.");
    }
    if (seriesType == "gro" && kind != LineKind::kGroupTotal) {
        return refuse("Only the group total line within a group total series can be assigned to a table column.");
    }
    const std::string edited = EditedText(editor_, character);
    if (IsDigit(character)) {
        const int maximum = hooks_.GetMaxTableColumn ? hooks_.GetMaxTableColumn() : kDefaultMaxTableColumn;
        const std::optional<int> number = ParseBoundedInteger(edited, 0, maximum);
        if (!number) return refuse(TableColumnAboveMaximumText(maximum));
        if (*number == 0) return refuse(kTableColumnBelowMinimumText);
    }
    modified_ = true;
    tableColumnEditPending_ = true;
    TypeIntoEditor(character);
    return true;
}

bool TCalculator::TabToNextCell(bool backwards) {
    std::vector<TTapeColumn> order{TTapeColumn::Entries};
    if (IsColumnShown(TTapeColumn::TableColumns)) order.push_back(TTapeColumn::TableColumns);
    if (IsColumnShown(TTapeColumn::Annotations)) order.push_back(TTapeColumn::Annotations);
    const auto at = std::find(order.begin(), order.end(), focusColumn_);
    const int index = at == order.end() ? 0 : static_cast<int>(at - order.begin());
    const int next = index + (backwards ? -1 : 1);
    if (next >= 0 && next < static_cast<int>(order.size())) {
        return SelectCell(order[static_cast<std::size_t>(next)], focusLine_);
    }
    const LineIndex line = focusLine_ + (backwards ? -1 : 1);
    if (!lines_.IsLine(line)) return FinishFocusCellEdit();
    return SelectCell(backwards ? order.back() : order.front(), line);
}

bool TCalculator::FinishFocusCellEdit() {
    // No cell to go to: the edit of this one is done all the same, as leaving it would do.
    HandOnPendingEdits(focusLine_, true);
    RememberFocusTexts();
    return false;
}

void TCalculator::ChangeFocusColumnWidth(bool wider, bool fine) {
    const int step = view_->TextWidth("9") * (fine ? 1 : 5);
    const int width = ColumnWidth(focusColumn_) + (wider ? step : -step);
    SetColumnWidth(focusColumn_, std::max(width, step));
    PostRequest(requests::RecomputeWindowWidth);
}

void TCalculator::ChangeFocusRowHeight(bool taller, bool fine) {
    const int step = fine ? 1 : view_->TextHeight("M");
    const int current = lines_.RowHeight(focusLine_) > 0 ? lines_.RowHeight(focusLine_) : view_->DefaultRowHeight();
    const int height = std::max(current + (taller ? step : -step), view_->DefaultRowHeight());
    lines_.SetRowHeight(focusLine_, height == view_->DefaultRowHeight() ? 0 : height);
    modified_ = true;
    view_->Repaint();
}

bool TCalculator::IsTapeCommandLetter(char character) const {
    return character == 'e' || character == 'm' || character == 's';
}

void TCalculator::DoTapeCommandLetter(char character) {
    switch (character) {
        case 'm': PostRequest(requests::MemoryTotalToEntry); break;
        case 's': PostRequest(requests::SideToEntry); break;
        case 'e': PostRequest(requests::RecallMemoryEntry); break;
        default: break;
    }
}

}  // namespace tally
