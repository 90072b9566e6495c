#pragma once
// What a paste keeps of the links and table column assignments in a record: the paste case
// (by session id and operation), and the record's property lists rewritten before any line is
// inserted: internal links renumbered, lone sources and destinations unlinked, table columns
// dropped, as the case asks.

#include <set>
#include <string>
#include <string_view>

#include "engine/records/tape_record.h"
#include "links/link_data_codec.h"

namespace tally {

enum class TPasteCase { Cut, Copy, SideCopy, Foreign };
enum class TPasteTarget { Series, EmptyEmbeddedSeries, EmbeddedSeries, TapeOrRange };

// A record from another document is foreign whatever its operation.
TPasteCase ClassifyPaste(const TTapeRecord& record, std::string_view sessionId);

struct TPasteRules {
    bool renumberInternal = false;
    // Replace every link number already in use in the receiving document (foreign tapes).
    bool replaceNumbersInUse = false;
    bool unlinkLoneSources = false;
    bool unlinkLoneDests = false;
    bool keepTableColumns = false;
    // Sources lose the 'P' flag.
    bool dropSourceFlag = false;
};
TPasteRules PasteRulesFor(TPasteTarget target, TPasteCase pasteCase);

// Rewrites the "CalcParams=" values of the record by the rules. `numbersInUse` holds the link
// numbers on the receiving document's tapes; new numbers are drawn outside it and added to it.
// Link data that is not well formed is removed: it could only come from a damaged record.
void PreparePastedProperties(TTapeRecord& record, const TPasteRules& rules,
                             std::set<std::string, std::less<>>& numbersInUse, const TRandomFraction& random);

// Equal series type codes, or both among "", "gro", "groc", "gra" and "grac".
bool AreSeriesTypesCompatible(std::string_view a, std::string_view b);

// A pasted number that begins a series loses a leading "+" only: a "-" is its sign.
std::string WithoutLeadingPlus(std::string text);

}  // namespace tally
