#pragma once
// What `tallyroll-cli tape --show WHAT` prints of the document: one tape, the table, or every
// tape and the table as blocks headed "# NAME" (the name the View menu gives it) and ended by
// an empty line.

#include <cstdio>
#include <string>
#include <string_view>

namespace tally {
class TCalculator;
class TResultsTable;
class TStMediator;
class TTlyFile;
}  // namespace tally

namespace tally::cli {

struct TShowChoice {
    enum class Kind {
        TypedTape,  // the tape typed on: main, or the one --tape names ("tape", the default)
        Main,
        Memory,
        Side,
        Aux,            // AuxName: the tape's name ("Aux A") or its label
        Table,
        TypedAndTable,  // "tape,table": the typed tape, an empty line, the table
        All,
    };
    Kind What = Kind::TypedTape;
    std::string AuxName;
};

// False for an unknown choice.
bool ParseShowChoice(std::string_view text, TShowChoice& choice);

// A line with the headings of the shown columns, then one line per tape line, cells separated
// by tabs.
void PrintTape(const TCalculator& tape, std::FILE* out);

// Prints the choice; false, with the reason on `err`, when the document lacks that part.
bool PrintShown(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape, std::FILE* out,
                std::FILE* err);

// True when the choice names one tape or the table (not "all" nor "tape,table").
bool NamesOnePart(const TShowChoice& choice);

// The one tape or table a choice names.
struct TShownPart {
    const TCalculator* Tape = nullptr;
    const TResultsTable* Table = nullptr;
};

// False, with the reason on `err`, when the document lacks the part or the choice names
// several parts.
bool FindShownPart(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape, TShownPart& part,
                   std::FILE* err);

// Writes the tape or the table the choice names into an HTML file, with the document's page
// layout; the footer names the file the bus answers. False, with the reason on `err`, when
// the document lacks that part or the file cannot be written.
bool WriteShownHtml(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape,
                    const TStMediator& fileNameBus, const std::string& htmlFile, std::FILE* err);

}  // namespace tally::cli
