#pragma once
// The side tape: a scratch tape for a calculation made on the side and brought back into the
// line being worked on. It knows only the command letters "m" and "e" (its own total cannot
// be recalled into itself), and starts each side calculation after the previous one.

#include <string>
#include <string_view>

#include "engine/tape/calculator.h"

namespace tally {

class TSideCalculator final : public TCalculator {
public:
    explicit TSideCalculator(TStMediator* documentBus = nullptr, ITapeView* view = nullptr);

    bool IsTapeCommandLetter(char character) const override;               // 59
    void DoTapeCommandLetter(char character) override;                     // 66

    // Makes the last line ready for a new calculation, closing the previous calculation with a
    // zero total when it needs one. The working line's series kind may be a group or grand
    // total kind; the side calculation is a standard series all the same, since only those take
    // typed entries. False, explained and beeped, when an uncommitted change waits on an
    // earlier line, the focus cannot leave its line, or the previous calculation cannot be
    // closed.
    bool BeginSideCalculation(std::string_view seriesKind);
};

// The check the working tape makes on its focus line's series before it is copied to the side
// tape. False with the reason the document explains.
bool CanCopySeriesToSide(const TCalculator& workingTape, std::string& reason);

}  // namespace tally
