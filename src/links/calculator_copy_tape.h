#pragma once
// The copy manager's view of a TCalculator: its lines as the link manager reads them, and
// the tape's Copy Line and Paste Line on the tape's clipboard.

#include "links/calculator_link_tape.h"
#include "links/copy_tape.h"

namespace tally {

class TLinkManager;

class TCalculatorCopyTape final : public ICopyTape {
public:
    TCalculatorCopyTape(TCalculator& tape, TLinkManager& links) : tape_(tape), links_(links), lines_(tape) {}
    TCalculator& Calculator() const { return tape_; }

    char TapeId() const override { return lines_.TapeId(); }
    std::string TapeName() const override { return lines_.TapeName(); }
    int CurrentLine() const override { return lines_.CurrentLine(); }
    int LineCount() const override { return lines_.LineCount(); }
    int FinalTotalLine(int line) const override { return lines_.FinalTotalLine(line); }
    std::string SeriesKind(int line) const override { return lines_.SeriesKind(line); }
    bool IsCopySource(int line) const override;
    bool CopyLineAt(int line) override;
    bool PasteLine() override;
    int DataEntryOption() const override { return lines_.DataEntryOption(); }
    void PutCaretAfterText() override { lines_.PutCaretAfterText(); }
    void RetypeKey(char key) override { lines_.RetypeKey(key); }

private:
    TCalculator& tape_;
    TLinkManager& links_;
    // The line readings the link manager's view already makes.
    TCalculatorLinkTape lines_;
};

}  // namespace tally
