#pragma once
// Shared by the memory and side tapes: the tape's last line becomes the start of a new open
// series.

namespace tally {

class TCalculator;

// The last line starts a new standard series with a running value of zero, and the current
// series is chosen again. Group and grand total kinds of a source are started as standard
// series: their handlers take no typed entries, so a line of theirs could never receive the
// value it is prepared for. The open series keeps its decimal places and total type; the
// callers set them.
void ResetOpenSeriesAtLastLine(TCalculator& tape);

}  // namespace tally
