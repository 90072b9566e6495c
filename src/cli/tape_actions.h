#pragma once
// The edit actions `tallyroll-cli tape` runs by name in square brackets: the tape's edit
// actions of the main window's table ([ZeroTotal], [DeleteLine], [LineCopy], [SelPaste],
// [CopyAsLinkSource], ...) and the commands that take a value after "="
// ([SpecifyTapeDecimalPlaces=3], [SpecifyTapeTotalType=T2], [SetRoundingMethod=even]).

#include <string>
#include <string_view>

namespace tally {
class TCalculator;
class TLinkManager;
}

namespace tally::cli {

// An action text split at its first "=" into the name and the value.
struct TActionText {
    std::string_view Name;
    std::string_view Value;
    bool HasValue = false;
};
TActionText SplitAction(std::string_view text);

// Why the action text cannot run (an unknown name, a missing or unusable value); empty when
// it can.
std::string CheckTapeAction(std::string_view actionText);
// Runs an action that passed CheckTapeAction on the tape's focus line. After the actions that
// remove lines, links left without a partner are removed, as the document does.
void RunTapeAction(TCalculator& tape, TLinkManager& links, std::string_view actionText);

}  // namespace tally::cli
