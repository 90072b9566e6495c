#include "links/calculator_copy_tape.h"

#include "engine/tape/calculator.h"
#include "links/line_paste.h"
#include "links/link_manager.h"
#include "links/tape_copy.h"
#include "platform/clipboard.h"

namespace tally {

bool TCalculatorCopyTape::IsCopySource(int line) const {
    // The last line is the entry still being typed, not a committed number.
    return lines_.IsLine(line) && !lines_.IsLastLine(line) && lines_.CanBeLinkSource(line) && lines_.ContainsNumber(line);
}

bool TCalculatorCopyTape::CopyLineAt(int line) {
    IClipboard* clipboard = tape_.Clipboard();
    return clipboard != nullptr && TTapeCopier(tape_, *clipboard, links_.SessionId()).CopyLineAt(line - 1);
}

bool TCalculatorCopyTape::PasteLine() {
    IClipboard* clipboard = tape_.Clipboard();
    return clipboard != nullptr && TLinePaster(tape_, *clipboard, links_).PasteLine();
}

}  // namespace tally
