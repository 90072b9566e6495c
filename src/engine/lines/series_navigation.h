#pragma once
// Calculation series over the line table.
//
// A standard series runs from the line after the previous series-ending line ("Zz]}>") to the
// next series-ending line inclusive, or to the tape's last line when it is still open. A
// group or grand total range starts at its leading boundary ("[{<") and ends the series
// before it. An embedded series is the run of lines strictly between "(" and the next ")";
// its two boundary lines and the line after ")" (its external total line) belong to the
// containing series. Embedded series do not nest.
//
// The normal lines of a series are its lines that are neither boundary lines nor inside an
// embedded series; for an embedded series all its lines are normal. A zero total line is the
// last normal line of its series.
//
// Every function answers kNoLine (or nullopt, or false) for a line outside the table.

#include <optional>
#include <string>
#include <string_view>

#include "engine/lines/line_store.h"
#include "foundation/numbers/format_settings.h"

namespace tally {

inline constexpr int kDefaultSeriesDecimalPlaces = 2;
inline constexpr std::string_view kDecimalTotalType = "DE";

// True for the lines strictly between "(" and its ")".
bool IsInsideEmbeddedSeries(const TLineStore& lines, LineIndex line);
// The "(" and ")" lines of the embedded series that holds the line or that the line bounds;
// kNoLine when there is none (the trailing one also when ")" is missing).
LineIndex EmbeddedLeadingBoundary(const TLineStore& lines, LineIndex line);
LineIndex EmbeddedTrailingBoundary(const TLineStore& lines, LineIndex line);

LineIndex SeriesFirstLine(const TLineStore& lines, LineIndex line);
LineIndex SeriesLastLine(const TLineStore& lines, LineIndex line);
LineIndex FirstNormalLine(const TLineStore& lines, LineIndex line);
LineIndex LastNormalLine(const TLineStore& lines, LineIndex line);
// The neighbouring normal line of the same series; embedded series of the containing series
// are stepped over, and the search ends at the series' bounds.
LineIndex PreviousNormalLine(const TLineStore& lines, LineIndex line);
LineIndex NextNormalLine(const TLineStore& lines, LineIndex line);

// The nearest line from start (inclusive) whose kind is the given character.
LineIndex NextLineOfKind(const TLineStore& lines, LineIndex start, char kind);
LineIndex PreviousLineOfKind(const TLineStore& lines, LineIndex start, char kind);

// "Z" with an empty STYP: the zero total line of a standard series.
bool IsStandardZeroTotalLine(const TLineStore& lines, LineIndex line);
// Standard zero total lines and the "]", "}" and "z" lines.
bool ClosesStandardSeriesOrRange(const TLineStore& lines, LineIndex line);

// The line that holds the series' TT and SDP: the ")" of an embedded series (for its lines and
// boundaries), otherwise the series-ending line of the series; kNoLine for the open last
// series, whose values the tape keeps.
LineIndex SeriesEndingLine(const TLineStore& lines, LineIndex line);
// The series' total type ("DE" when TT is empty); nullopt when the series has no ending line.
std::optional<std::string> SeriesTotalType(const TLineStore& lines, LineIndex line);
// The series' decimal places: a valid SDP; else, on a zero total ending line, the digits after
// the decimal separator in its Entries; else 2. nullopt when the series has no ending line.
std::optional<int> SeriesDecimalPlaces(const TLineStore& lines, LineIndex line,
                                       char decimalSeparator = FormatSettings().DecimalSeparator);

}  // namespace tally
