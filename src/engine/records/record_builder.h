#pragma once
// Builds tape data records from the lines of a tape: which lines each record holds and the
// made-up zero total lines that close an embedded series copied as a series or the open last
// series. Callers decide first whether the copy is allowed.

#include <string>
#include <string_view>

#include "engine/lines/line_store.h"
#include "engine/records/tape_record.h"

namespace tally {

// What every record writer needs to know of the writing tape.
struct TRecordSource {
    const TLineStore& lines;
    std::string sessionId;
    std::string operation;
    // Whether the tape shows its Annotations column.
    bool withAnnotations = false;
    // The decimal places and total type of the open last series, which the tape keeps.
    int openDecimals = 2;
    std::string openTotalType = "DE";
};

struct TLineRange {
    LineIndex first = kNoLine;
    LineIndex last = kNoLine;
    bool IsValid() const { return first != kNoLine && last >= first; }
};

// The series type code of a line: its STYP, or for a line inside an embedded series that of
// the containing series; "?" outside the tape or when no containing series line is found.
std::string RecordSeriesType(const TLineStore& lines, LineIndex line);

// From the line after the previous closing line ("Zz]}>") to the next closing line at or after
// the line, or the tape's last line.
TLineRange StandardSeriesRecordRange(const TLineStore& lines, LineIndex line);
// The "(" line through the external total line after its ")"; invalid when the line is not
// in a complete embedded series.
TLineRange EmbeddedSeriesRecordRange(const TLineStore& lines, LineIndex line);
// A group total range ("gro") with all series in it: from the line after the previous "]" or
// "}" to the next "]" at or after the line. A grand total range ("gra"): from the line after
// the previous "}" to the next "}". Invalid when no closing line follows.
TLineRange TotalRangeRecordRange(const TLineStore& lines, LineIndex line, std::string_view seriesType);

TLineRecord BuildLineRecord(const TRecordSource& source, LineIndex line);
// "[Calc Series]": the embedded case (the line inside an embedded series, operation not
// "copytoside") holds the embedded lines and a made-up zero total line; otherwise the whole
// standard series.
TTapeRecord BuildSeriesRecord(const TRecordSource& source, LineIndex line);
TTapeRecord BuildEmbeddedSeriesRecord(const TRecordSource& source, LineIndex line);
// "[Group Total Range]" or "[Grand Total Range]" by the series type "gro" or "gra".
TTapeRecord BuildTotalRangeRecord(const TRecordSource& source, LineIndex line, std::string_view seriesType);
TTapeRecord BuildTapeRecord(const TRecordSource& source);

// Inserts one line per group at `at` (0..LineCount()) as one block and fills its Entries,
// indicator and property list, and its annotation when `withAnnotations`.
void InsertRecordLines(TLineStore& lines, LineIndex at, const std::vector<TRecordLineGroup>& groups,
                       bool withAnnotations);

}  // namespace tally
