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

class TTapeCopier {
public:
    TTapeCopier(TCalculator& tape, IClipboard& clipboard, std::string sessionId)
        : tape_(tape), clipboard_(clipboard), sessionId_(std::move(sessionId)) {}

    bool CanCopyLine(LineIndex line) const;
    // "[Tape Line]" with operation "copy"; refusal "Can not copy from line T12.".
    bool CopyLineAt(LineIndex line);
    bool CopyLine();
    // "[Calc Series]" of the focus line's series; target "copy" or "copytoside".
    bool CopySeries(std::string_view target);
    bool CopyEmbeddedSeries();
    bool CopyTape();

    // The cuts write their record with operation "cut" and then remove what they copied. When
    // the removal is refused the previous clipboard text comes back, so no "cut" record is left
    // naming a line that stays on the tape.
    bool CutLine();
    bool CutSeries();
    bool CutEmbeddedSeries();
    bool CutTape();

    // A series is complete when it ends with a zero total or a total line, or with the open
    // last line after a total line; valid when each of its entries is.
    bool IsSeriesCompleteAndValid(LineIndex line) const;
    // Not empty, ends properly and every entry line holds a valid entry.
    bool CanCopyTape() const;

private:
    bool IsEntryValid(LineIndex line) const;
    bool AreEntriesValid(LineIndex first, LineIndex last) const;
    TRecordSource Source(std::string_view operation) const;
    bool Write(const std::string& text);
    bool CutWith(const std::string& text, const std::function<bool()>& remove);
    bool CanCopyEmbeddedSeries(LineIndex line) const;
    // The first line of its series followed by "=" and a total line whose table column, if
    // any, is empty: cutting it leaves nothing of the series worth keeping.
    bool IsOnlyEntryOfSeries(LineIndex line) const;

    TCalculator& tape_;
    IClipboard& clipboard_;
    std::string sessionId_;
};

}  // namespace tally
