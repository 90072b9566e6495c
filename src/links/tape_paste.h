#pragma once
// The tape's multi-line paste commands: a calculation series before the focus line's series,
// and a whole tape or a group or grand total range before it. Each decides every refusal,
// the circle check included, before a line is inserted, so a refused paste leaves the tape
// and the clipboard as they were.

#include <string_view>

#include "engine/lines/line_store.h"
#include "engine/records/tape_record.h"
#include "links/paste_links.h"

namespace tally {

class TCalculator;
class IClipboard;
class TLinkManager;

// The menu tests of the pastes at the focus line for the clipboard's text: true exactly when
// the text holds a record of the kind and the paste's checks of the place pass. Whether the
// pasted links would close a circle is decided by the paste itself, which explains it.
bool CanPasteSeries(const TCalculator& tape, std::string_view clipboardText);
bool CanPasteEmbeddedSeries(const TCalculator& tape, std::string_view clipboardText);
// For an "[Entire Tape]", "[Group Total Range]" or "[Grand Total Range]" record (the kind the
// menu item names); Paste Tape takes all three.
bool CanPasteTape(const TCalculator& tape, std::string_view clipboardText, TRecordKind kind);

class TTapePaster {
public:
    TTapePaster(TCalculator& tape, IClipboard& clipboard, TLinkManager& links)
        : tape_(tape), clipboard_(clipboard), links_(links) {}

    // "[Calc Series]" before the first line of the focus line's series.
    bool PasteSeries();
    // "[Entire Tape]", "[Group Total Range]" or "[Grand Total Range]" before the first line of
    // the focus line's series.
    bool PasteTape();
    // "[Embedded Series]" into the focus line (its last group, the external total), with the
    // embedded lines before it; a new line takes it before a "(" line or a line with a number.
    bool PasteEmbeddedSeries();

private:
    // Rewrites links and table columns by the paste case and asks whether the block, inserted
    // at `at`, would close a circle of links; false (explained) when it would.
    bool PrepareBlock(TTapeRecord& record, TPasteTarget target, LineIndex at, int lineCount,
                      std::string_view circleText);
    bool PasteSeriesIntoEmptyEmbedded(TTapeRecord& record, LineIndex blank);
    void InsertBlock(const TTapeRecord& record, LineIndex at);
    void Finish(const TTapeRecord& record, LineIndex at);

    TCalculator& tape_;
    IClipboard& clipboard_;
    TLinkManager& links_;
};

}  // namespace tally
