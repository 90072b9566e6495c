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
    // An entry or total line with a valid number, and that number without operator or
    // thousand separators. A line outside the tape is not copyable.
    virtual bool IsCopySource(int line) const = 0;
    virtual std::string CopyNumber(int line) const = 0;
    // Replaces the quick copy text in the entry being typed on the line with the number, keeping
    // the operator characters before it; false when the line is not being typed on.
    virtual bool PasteIntoEntry(int line, std::string_view number) = 0;
    virtual int DataEntryOption() const = 0;
    virtual void PutCaretAfterText() = 0;
    // The key that ended the entry, through the tape's key route.
    virtual void RetypeKey(char key) = 0;
};

}  // namespace tally
