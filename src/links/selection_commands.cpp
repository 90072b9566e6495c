#include "links/selection_commands.h"

#include <algorithm>
#include <string>

#include "engine/lines/line_kinds.h"
#include "engine/series/series_base.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "links/tape_copy.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

bool RefuseSilently() {
    Notifier().ExplainAndBeep({});
    return false;
}

bool InAnnotations(const TCalculator& tape) {
    return tape.FocusColumn() == TTapeColumn::Annotations && tape.IsColumnShown(TTapeColumn::Annotations);
}

bool InEntries(const TCalculator& tape) { return tape.FocusColumn() == TTapeColumn::Entries; }

std::string SelectedText(const TEntryEditor& editor) {
    const int size = static_cast<int>(editor.Text.size());
    const int start = std::clamp(editor.SelStart, 0, size);
    const int length = std::clamp(editor.SelLength, 0, size - start);
    return editor.Text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

}  // namespace

bool CanPasteToEntry(const TCalculator& tape, LineIndex line) {
    const TLineStore& lines = tape.Lines();
    const TSeriesBase* series = tape.SeriesClaiming(line);
    return series != nullptr && series->EntriesEditable() && lines.InGroup(line, LineGroup::kEntryLine) &&
           !lines.HasKind(line - 1, LineKind::kEmbeddedTrailing);
}

bool CanCutSelection(const TCalculator& tape) {
    return InAnnotations(tape) || (InEntries(tape) && MayCutEntryText(tape, tape.FocusLine()));
}

bool CanDeleteSelection(const TCalculator& tape) { return CanCutSelection(tape); }

bool CanCopySelection(const TCalculator& tape) {
    return InAnnotations(tape) || (InEntries(tape) && IsCopyableLine(tape, tape.FocusLine()));
}

bool CanPasteSelection(const TCalculator& tape) {
    return InAnnotations(tape) || (InEntries(tape) && CanPasteToEntry(tape, tape.FocusLine()));
}

bool IsAcceptableEntryText(const TCalculator& tape, std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    const TSeriesBase* series = tape.SeriesClaiming(tape.FocusLine());
    if (series == nullptr || text.empty()) return false;
    const std::string& allowed = series->AllowedEntryCharacters();
    return std::all_of(text.begin(), text.end(), [&](char c) { return allowed.find(c) != std::string::npos || c == ' '; });
}

bool SelCopy(TCalculator& tape) {
    if (!CanCopySelection(tape)) return RefuseSilently();
    const std::string selected = SelectedText(tape.Editor());
    if (selected.empty() || tape.Clipboard() == nullptr) return false;
    tape.Clipboard()->SetText(selected);
    return true;
}

bool SelDelete(TCalculator& tape) {
    if (!CanDeleteSelection(tape)) return RefuseSilently();
    // The Delete key removes the selection (or the character after the caret) with the checks
    // of the column.
    const std::string before = tape.Editor().Text;
    tape.KeyDown(TTapeKey::Delete);
    if (tape.Editor().Text == before) return false;
    tape.SetModified(true);
    return true;
}

bool SelCut(TCalculator& tape) {
    if (!CanCutSelection(tape)) return RefuseSilently();
    const std::string selected = SelectedText(tape.Editor());
    if (selected.empty() || tape.Clipboard() == nullptr) return false;
    const std::string before = tape.Editor().Text;
    tape.KeyDown(TTapeKey::Delete);
    // The text is on the clipboard only when it really left the cell.
    if (tape.Editor().Text == before) return false;
    tape.Clipboard()->SetText(selected);
    tape.SetModified(true);
    return true;
}

bool SelPaste(TCalculator& tape) {
    if (!CanPasteSelection(tape) || tape.Clipboard() == nullptr) return RefuseSilently();
    if (InEntries(tape) && !IsAcceptableEntryText(tape, tape.Clipboard()->GetText())) return RefuseSilently();
    // Ctrl+V: in the Entries column each character passes the typing checks, in the
    // Annotations column line breaks become blanks.
    const std::string before = tape.Editor().Text;
    tape.KeyPress(TapeChar::kCtrlV);
    return tape.Editor().Text != before;
}

}  // namespace tally
