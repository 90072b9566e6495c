// The memory tape's changes to the operations of every tape: its data entry option stays 1,
// its entries take no typing, and the commands that would add or remove anything but entry
// lines are refused or ignored.
#include "tapes/calculator_memory.h"

#include "engine/lines/series_navigation.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"

namespace tally {
namespace {

bool Refuse(std::string text) {
    Notifier().ExplainAndBeep(std::move(text));
    return false;
}

// Refused keys are consumed, so the view does not apply them.
bool RefuseKey(std::string text) {
    Notifier().ExplainAndBeep(std::move(text));
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TCalculatorMemory::TCalculatorMemory(TStMediator* documentBus, ITapeView* view)
    : TCalculator('m', documentBus, view) {
    SetTapeName("Memory");
}

void TCalculatorMemory::SetDataEntryOption(int /*option*/) {}

bool TCalculatorMemory::KeyDown(TTapeKey key, TKeyModifiers modifiers) {
    if (FocusColumn() == TTapeColumn::Entries) {
        if (key == TTapeKey::Delete) return RefuseKey("Can not delete entry characters from the memory tape.");
        // The numeric pad's divide key types like any other key, and is refused like one.
        if (key == TTapeKey::NumPadDivide) return KeyPress(FormatSettings().DivideOperChar);
    }
    return TCalculator::KeyDown(key, modifiers);
}

bool TCalculatorMemory::KeyPress(char character) {
    switch (FocusColumn()) {
        case TTapeColumn::Entries:
            switch (character) {
                case TapeChar::kCtrlC: return TCalculator::KeyPress(character);
                case TapeChar::kCtrlV: return RefuseKey("Can not paste data to a memory tape entry.");
                case TapeChar::kCtrlX: return RefuseKey("Can not cut data from a memory tape entry.");
                case '\t': return true;
                default: return RefuseKey("Cannot enter data into a memory tape entry.");
            }
        case TTapeColumn::TableColumns:
            // The memory tape words the digits rule in lower case; the line rules and the
            // maximum column number are those of every tape.
            if (character != TapeChar::kEnter && character != TapeChar::kEscape &&
                character != TapeChar::kBackspace && !IsDigit(character)) {
                Notifier().ClearLastBeepExplanation();
                return RefuseKey("Only digits are permitted in the table columns column.");
            }
            return TCalculator::KeyPress(character);
        default: return TCalculator::KeyPress(character);
    }
}

bool TCalculatorMemory::IsTapeCommandLetter(char /*character*/) const { return false; }

void TCalculatorMemory::DoTapeCommandLetter(char /*character*/) {}

bool TCalculatorMemory::ClearEntry() {
    return Refuse("Cannot clear the contents of an entry cell on the memory tape.");
}

bool TCalculatorMemory::DeleteLine() {
    if (Lines().InGroup(FocusLine(), LineGroup::kEntryLine)) return TCalculator::DeleteLine();
    if (Lines().InGroup(FocusLine(), LineGroup::kZeroTotal)) {
        return Refuse("Can not delete the zero total line from the memory tape.");
    }
    return Refuse("Can not delete the total line from the memory tape.");
}

bool TCalculatorMemory::InsertLine() {
    if (CurrentSeries() == nullptr || IsLastLine(FocusLine()) ||
        Lines().InGroup(FocusLine(), LineGroup::kZeroTotal)) {
        return false;
    }
    return TCalculator::InsertLine();
}

bool TCalculatorMemory::ZeroTotal() { return Refuse("Cannot zero the memory tape total"); }

bool TCalculatorMemory::InsertNewSeries() {
    return Refuse("Can not insert a calculation series into the memory tape.");
}

bool TCalculatorMemory::InsertNewEmbeddedSeries() {
    return Refuse("Cannot insert an embedded calculation series into the memory tape.");
}

bool TCalculatorMemory::CanInsertLine(LineIndex line) const {
    if (!Lines().IsLine(line) || IsBlank() || IsLastLine(line) ||
        Lines().InGroup(line, LineGroup::kZeroTotal)) {
        return false;
    }
    return TCalculator::CanInsertLine(line);
}

bool TCalculatorMemory::CanSetAsLinkDest(LineIndex line) const {
    // The only line of a memory that has nothing stored yet may hold the "-" of a minus link.
    if (IsLastLine(line) && line > 0) return false;
    return TCalculator::CanSetAsLinkDest(line);
}

bool TCalculatorMemory::PasteSeries(std::string_view /*sessionId*/) {
    return Refuse("Can not paste a calculation series to the memory tape.");
}

bool TCalculatorMemory::PasteLine(std::string_view /*sessionId*/) {
    return Refuse("Can not paste a tape line to the memory tape.");
}

bool TCalculatorMemory::PasteTape(std::string_view /*sessionId*/) {
    return Refuse("Can not paste a tape to the memory tape.");
}

}  // namespace tally
