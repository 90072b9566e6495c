#pragma once
// The tape's edit actions by their command names ("DeleteLine", "LineCut", "SelPaste",
// "GroupTotalRangeCopy", ...): the one table through which the main window's Edit menu and
// `tallyroll-cli tape` run them on the focus line of a tape. After the actions that remove
// lines, links left without a partner are removed; after Cut Line and Cut Embedded Series,
// which may take a whole series with its table column assignments, the results tables are
// refreshed as well.

#include <functional>
#include <string_view>

namespace tally {

class TCalculator;
class TLinkManager;

bool IsTapeEditAction(std::string_view name);
// Runs the action on the tape's focus line; false for an unknown name. `refreshTables` stands
// for the document's table manager and may be empty while there are no results tables.
bool RunTapeEditAction(TCalculator& tape, TLinkManager& links, std::string_view name,
                       const std::function<void()>& refreshTables = {});

}  // namespace tally
