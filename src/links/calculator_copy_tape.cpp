#include "links/calculator_copy_tape.h"

#include "engine/lines/operator_keys.h"
#include "engine/tape/calculator.h"
#include "foundation/numbers/number_texts.h"

namespace tally {

bool TCalculatorCopyTape::IsCopySource(int line) const {
    // The last line is the entry still being typed, not a committed number.
    return lines_.IsLine(line) && !lines_.IsLastLine(line) && lines_.CanBeLinkSource(line) && lines_.ContainsNumber(line);
}

std::string TCalculatorCopyTape::CopyNumber(int line) const {
    return RemoveThousandSeparators(lines_.NumberText(line));
}

bool TCalculatorCopyTape::PasteIntoEntry(int line, std::string_view number) {
    if (line != CurrentLine()) return false;
    TEntryEditor& editor = tape_.Editor();
    std::size_t operators = 0;
    while (operators < editor.Text.size() && IsStoredOperator(editor.Text[operators])) ++operators;
    if (operators >= editor.Text.size() || editor.Text[operators] != 'c') return false;
    editor.Text = editor.Text.substr(0, operators) + std::string(number);
    editor.SelStart = static_cast<int>(operators);
    editor.SelLength = 0;
    return true;
}

}  // namespace tally
