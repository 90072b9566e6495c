#pragma once
// The Edit menu's selection commands on the focus cell's in-place editor: cut, copy, paste and
// delete of the selected text in the Entries column and the shown Annotations column. The text
// goes through the tape's own key handling, so a pasted entry passes the checks a typed one
// does and an annotation edit is committed when the focus leaves the line. Every refusal of
// the command itself beeps with an empty explanation.

#include <string_view>

#include "engine/lines/line_store.h"

namespace tally {

class TCalculator;

// The series of the line accepts pasted text in its Entries cell: an entry line of a series
// whose entries are typed into, not an embedded series' external total line.
bool CanPasteToEntry(const TCalculator& tape, LineIndex line);
// Annotations: yes; Entries: the focus entry text may be cut; other columns: no.
bool CanCutSelection(const TCalculator& tape);
bool CanDeleteSelection(const TCalculator& tape);
// Annotations: yes; Entries: the focus line could be copied as a line.
bool CanCopySelection(const TCalculator& tape);
// Annotations: yes; Entries: CanPasteToEntry for the focus line.
bool CanPasteSelection(const TCalculator& tape);
// Every character of the text (its final line breaks aside) is one the focus line's series
// accepts in an entry, or a blank; false for an empty text. Paste in the Entries column takes
// no other text.
bool IsAcceptableEntryText(const TCalculator& tape, std::string_view text);

// False when refused or when there is nothing to do.
bool SelCut(TCalculator& tape);
bool SelCopy(TCalculator& tape);
bool SelPaste(TCalculator& tape);
bool SelDelete(TCalculator& tape);

}  // namespace tally
