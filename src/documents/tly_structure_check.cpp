// The structure check of a loaded tape: every line kind is known, embedded series and total
// ranges are closed in order, and the last line is an entry line.

#include <string>

#include "documents/tly_file_reader.h"
#include "engine/tape/calculator.h"

namespace tally {

namespace {

// Every kind a tape may hold, those only read included.
constexpr std::string_view kKnownKinds = " STZ=()[]g{}Gz<>HBDhbd";

}  // namespace

std::string CheckTapeStructure(TCalculator& tape) {
    TLineStore& lines = tape.Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        if (kKnownKinds.find(lines.KindOf(line)) == std::string_view::npos) {
            return "line " + tape.LineName(line) + " has an unknown line indicator";
        }
    }
    // Only boundary lines matter from here on, and the store keeps an index of those.
    LineIndex openEmbedded = kNoLine;
    LineIndex openRange = kNoLine;
    for (LineIndex line = lines.StructuralLineAtOrAfter(0, LineGroup::kBoundary); line != kNoLine;
         line = lines.StructuralLineAtOrAfter(line + 1, LineGroup::kBoundary)) {
        if (line >= lines.LineCount()) break;
        const char kind = lines.KindOf(line);
        const std::string name = tape.LineName(line);
        if (kind == LineKind::kEmbeddedLeading) {
            if (openEmbedded != kNoLine) return "line " + name + " starts an embedded series inside another one";
            openEmbedded = line;
        } else if (kind == LineKind::kEmbeddedTrailing) {
            if (openEmbedded == kNoLine) return "line " + name + " ends an embedded series that was not started";
            openEmbedded = kNoLine;
        } else if (KindInGroup(kind, LineGroup::kLeadingRangeBoundary)) {
            if (openRange != kNoLine || openEmbedded != kNoLine) {
                return "line " + name + " starts a total range inside another series";
            }
            openRange = line;
        } else {
            if (openRange == kNoLine) return "line " + name + " ends a total range that was not started";
            openRange = kNoLine;
        }
    }
    if (openEmbedded != kNoLine) {
        return "the embedded series at line " + tape.LineName(openEmbedded) + " is not ended";
    }
    if (openRange != kNoLine) return "the total range at line " + tape.LineName(openRange) + " is not ended";
    // New entries are typed on the last line, so a tape always ends with an entry line.
    if (lines.LineCount() == 0 || !lines.InGroup(lines.LastLine(), LineGroup::kEntryLine)) {
        lines.InsertLines(lines.LineCount());
    }
    return {};
}

}  // namespace tally
