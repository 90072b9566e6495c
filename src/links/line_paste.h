#pragma once
// Paste Line: a "[Tape Line]" record into the focus line, or into a new line before it. Every
// refusal is decided before a line is inserted, so a refused paste leaves no empty line.

namespace tally {

class TCalculator;
class IClipboard;
class TLinkManager;

class TLinePaster {
public:
    TLinePaster(TCalculator& tape, IClipboard& clipboard, TLinkManager& links)
        : tape_(tape), clipboard_(clipboard), links_(links) {}

    bool PasteLine();

private:
    TCalculator& tape_;
    IClipboard& clipboard_;
    TLinkManager& links_;
};

}  // namespace tally
