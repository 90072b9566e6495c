#pragma once
// The tape's edit actions by their command names ("DeleteLine", "LineCut", "SelPaste",
// "GroupTotalRangeCopy", ...): the one table through which the main window's Edit menu and
// `tallyroll-cli tape` run them on the focus line of a tape. After the actions that remove
// lines, links left without a partner are removed. The results tables are the document's to
// keep up after an action.

#include <string_view>

namespace tally {

class TCalculator;
class TLinkManager;

bool IsTapeEditAction(std::string_view name);
// Runs the action on the tape's focus line; false for an unknown name.
bool RunTapeEditAction(TCalculator& tape, TLinkManager& links, std::string_view name);

}  // namespace tally
