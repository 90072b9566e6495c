#pragma once
// What the copy manager needs of a tape. Lines are numbered from 1.

#include <string>
#include <string_view>

namespace tally {

class ICopyTape {
public:
    virtual ~ICopyTape() = default;

    virtual char TapeId() const = 0;
    virtual std::string TapeName() const = 0;
    virtual int CurrentLine() const = 0;
    virtual int LineCount() const = 0;
    virtual int FinalTotalLine(int line) const = 0;      // 0 when the series has none
    virtual std::string SeriesKind(int line) const = 0;  // STYP, "e" replaced by the enclosing kind
    // An entry or total line with a valid number. A line outside the tape is not copyable.
    virtual bool IsCopySource(int line) const = 0;
    // Copies the line onto the clipboard as a "[Tape Line]" record (Copy Line); a refusal is
    // explained.
    virtual bool CopyLineAt(int line) = 0;
    // Pastes the clipboard's line into the focus line (Paste Line), which first takes a quick
    // copy text out of the entry; false when refused.
    virtual bool PasteLine() = 0;
    virtual int DataEntryOption() const = 0;
    virtual void PutCaretAfterText() = 0;
    // The key that ended the entry, through the tape's key route.
    virtual void RetypeKey(char key) = 0;
};

}  // namespace tally
