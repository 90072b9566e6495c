#pragma once
// Sorting a tape segment: the run of adjacent entry lines around the focus line, reordered by
// the values of their entries. Whole lines move: every cell, the property list and the row
// height travel with their line; the series is then recalculated.

#include <optional>
#include <string_view>

#include "engine/lines/line_store.h"

namespace tally {

class TCalculator;

// The stored numbers are those of the edit actions' direction argument.
enum class TSortDirection { LargeToSmall = 0, SmallToLarge = 1 };

inline constexpr std::string_view kSingleLineSegmentText = "A single line Tape Segment is not sortable.";
inline constexpr std::string_view kFocusNotInSegmentText =
    "The Tape Line containing the focus highlight is not within a Tape Segment.";
inline constexpr std::string_view kEmptySegmentText = "The specified Tape Segment is empty and not sortable.";
inline constexpr std::string_view kSegmentOperatorsText =
    "The specified Tape Segment contains arithmetic operators other than + or - and is not sortable.";
inline constexpr std::string_view kSegmentInvalidEntryText =
    "The specified Tape Segment contains an entry that is not a valid number and is not sortable.";

struct TTapeSegment {
    LineIndex First = kNoLine;
    LineIndex Last = kNoLine;
};

// The segment around the line; nullopt when the line has none. The tape's open last line
// never belongs to a segment.
std::optional<TTapeSegment> TapeSegmentAround(const TCalculator& tape, LineIndex line);
// Every line of the segment adds or subtracts (or has no operator) and has a number text.
bool IsSegmentSortable(const TLineStore& lines, TTapeSegment segment);
// The menu test: a sortable segment of valid numbers lies around the focus line.
bool CanSortTapeSegment(const TCalculator& tape);

// The value a line is ordered by: the entry as its series reads it, the sign of "+" or "-"
// included, times in hours; 0 for a text that is not a number.
long double SegmentSortValue(std::string_view entryText);

// Sorts the segment around the focus line. A changed focus entry is committed first, so that
// the sort works on what the user sees. A refusal explains, beeps and leaves the lines
// unchanged (apart from that commit); the result tells whether the segment was sorted.
bool SortTapeSegment(TCalculator& tape, TSortDirection direction);

}  // namespace tally
