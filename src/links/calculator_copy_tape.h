#pragma once
// The copy manager's view of a TCalculator.

#include "links/calculator_link_tape.h"
#include "links/copy_tape.h"

namespace tally {

class TCalculatorCopyTape final : public ICopyTape {
public:
    explicit TCalculatorCopyTape(TCalculator& tape) : tape_(tape), lines_(tape) {}
    TCalculator& Calculator() const { return tape_; }

    char TapeId() const override { return lines_.TapeId(); }
    std::string TapeName() const override { return lines_.TapeName(); }
    int CurrentLine() const override { return lines_.CurrentLine(); }
    int LineCount() const override { return lines_.LineCount(); }
    int FinalTotalLine(int line) const override { return lines_.FinalTotalLine(line); }
    std::string SeriesKind(int line) const override { return lines_.SeriesKind(line); }
    bool IsCopySource(int line) const override;
    std::string CopyNumber(int line) const override;
    bool PasteIntoEntry(int line, std::string_view number) override;
    int DataEntryOption() const override { return lines_.DataEntryOption(); }
    void PutCaretAfterText() override { lines_.PutCaretAfterText(); }
    void RetypeKey(char key) override { lines_.RetypeKey(key); }

private:
    TCalculator& tape_;
    // The line readings the link manager's view already makes.
    TCalculatorLinkTape lines_;
};

}  // namespace tally
