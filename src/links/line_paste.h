#pragma once
// Paste Line: a "[Tape Line]" record into the focus line, or into a new line before it. Every
// refusal is decided before a line is inserted, so a refused paste leaves no empty line.

#include <string>
#include <string_view>

#include "engine/lines/line_store.h"

namespace tally {

class TCalculator;
class IClipboard;
class TLinkManager;

// The menu test of Paste Line at the focus line for the clipboard's text and the document's
// session id: true exactly when the text is a "[Tape Line]" record and the paste's checks of
// the receiving line pass. Whether the pasted link would close a circle, and whether the
// series takes the number, are decided by the paste itself, which explains them.
bool CanPasteLine(const TCalculator& tape, std::string_view clipboardText, std::string_view sessionId);

class TLinePaster {
public:
    TLinePaster(TCalculator& tape, IClipboard& clipboard, TLinkManager& links)
        : tape_(tape), clipboard_(clipboard), links_(links) {}

    bool PasteLine();

private:
    // Commits the pasted number as the "=" key would; false (the line restored) when the
    // series refuses it.
    bool CommitAsTotalKey(LineIndex line, const std::string& formerEntry);
    void PassOnDestinationValue(LineIndex line);

    TCalculator& tape_;
    IClipboard& clipboard_;
    TLinkManager& links_;
};

}  // namespace tally
