#pragma once
// The tape's copy commands: each checks that what the focus line belongs to may be copied and
// then replaces the clipboard text with its record in one step. Refusals explain (or not)
// and beep as each command's rules say; "nothing happens" refusals stay silent.

#include <functional>
#include <string>
#include <string_view>

#include "engine/lines/line_store.h"
#include "engine/records/record_builder.h"

namespace tally {

class TCalculator;
class IClipboard;

// Every entry line from first to last holds a valid entry (the open last line excepted).
bool AreEntriesValid(const TCalculator& tape, LineIndex first, LineIndex last);
// Every entry of the line's series is valid.
bool IsSeriesValid(const TCalculator& tape, LineIndex line);
// An entry or total line, not a boundary line, with a valid entry.
bool IsCopyableLine(const TCalculator& tape, LineIndex line);
// The line's entry text may be cut: an entry line of a standard series, not an embedded
// series' external total line, holding a valid entry.
bool MayCutEntryText(const TCalculator& tape, LineIndex line);
// A series is complete when it ends with a zero total or a total line, or with the open last
// line after a total line; valid when each of its entries is. Inside an embedded series it is
// the embedded series' content.
bool IsSeriesCompleteAndValid(const TCalculator& tape, LineIndex line);

// The menu tests of the copy commands on the focus line: true exactly when the command's
// checks pass. Each cut runs the same checks as its copy (Cut Line: MayCutEntryText), and
// then its removal may still be refused by the deletion rules, which explain why.
// Copy Series: not a line of a group or grand total range, not a boundary line, and the
// series is complete and valid.
bool CanCopySeries(const TCalculator& tape);
// Copy Embedded Series: a line of an embedded series that ends with a total, valid throughout.
bool CanCopyEmbeddedSeries(const TCalculator& tape);
// Copy Group or Grand Total Range ("gro", "gra"): a line of a well-formed range of the kind.
bool CanCopyTotalRange(const TCalculator& tape, std::string_view seriesType);
// Copy Tape: not empty, ends properly and every entry line holds a valid entry.
bool CanCopyTape(const TCalculator& tape);

class TTapeCopier {
public:
    TTapeCopier(TCalculator& tape, IClipboard& clipboard, std::string sessionId)
        : tape_(tape), clipboard_(clipboard), sessionId_(std::move(sessionId)) {}

    bool CanCopyLine(LineIndex line) const { return IsCopyableLine(tape_, line); }
    // "[Tape Line]" with operation "copy"; refusal "Can not copy from line T12.".
    bool CopyLineAt(LineIndex line);
    bool CopyLine();
    // "[Calc Series]" of the focus line's series; target "copy" or "copytoside".
    bool CopySeries(std::string_view target);
    bool CopyEmbeddedSeries();
    // "[Group Total Range]" for "gro", "[Grand Total Range]" for "gra", when the focus line is
    // a line of such a range; otherwise nothing happens.
    bool CopyTotalRange(std::string_view seriesType);
    bool CopyTape();

    // The cuts write their record with operation "cut" and then remove what they copied. When
    // the removal is refused the previous clipboard text comes back, so no "cut" record is left
    // naming a line that stays on the tape.
    bool CutLine();
    bool CutSeries();
    bool CutEmbeddedSeries();
    // Removes the range with all its series. A group range that was the whole content of the
    // grand range after it takes that grand range along.
    bool CutTotalRange(std::string_view seriesType);
    bool CutTape();

private:
    TRecordSource Source(std::string_view operation) const;
    bool Write(const std::string& text);
    bool CutWith(const std::string& text, const std::function<bool()>& remove);
    // Removes the lines of a cut range and re-evaluates the tape as after a deletion.
    void RemoveRange(TLineRange range, bool groupRange);
    // The first line of its series followed by "=" and a total line whose table column, if
    // any, is empty: cutting it leaves nothing of the series worth keeping.
    bool IsOnlyEntryOfSeries(LineIndex line) const;

    TCalculator& tape_;
    IClipboard& clipboard_;
    std::string sessionId_;
};

}  // namespace tally
