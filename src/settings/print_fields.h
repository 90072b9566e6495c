#pragma once
// The main tape's shown columns (tape fields) and the user's chosen print columns (print
// fields) of a document's page layout.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"

namespace tally {

enum class TFieldAlignment : std::uint8_t { Left = 0, Right = 1, Centred = 2 };

struct TTapeFieldsListItem {
    TTapeColumn Kind = TTapeColumn::Entries;
    std::int32_t Position = 0;  // the column's index on the tape
    std::string Heading;
    TFieldAlignment Alignment = TFieldAlignment::Left;
    bool Wrap = false;   // the cell text may wrap onto several printed lines
    bool Links = false;  // the cell holds link references
    friend bool operator==(const TTapeFieldsListItem&, const TTapeFieldsListItem&) = default;
};

struct TPrintFieldsListItem {
    TTapeColumn Kind = TTapeColumn::Entries;
    std::int32_t Position = 0;
    std::string Heading;
    std::int32_t PrintColNum = 0;  // 0 for the leftmost printed column
    TFieldAlignment Alignment = TFieldAlignment::Left;
    bool Wrap = false;
    bool Links = false;
    friend bool operator==(const TPrintFieldsListItem&, const TPrintFieldsListItem&) = default;

    static TPrintFieldsListItem From(const TTapeFieldsListItem& field, std::int32_t printColNum);
};

using TTapeFieldsList = std::vector<TTapeFieldsListItem>;
using TPrintFieldsList = std::vector<TPrintFieldsListItem>;

// Adds by the list's key (tape position / print column number), comparing with the first item
// only: the same key replaces it, a smaller key goes in front, any other is appended.
void AddTapeField(TTapeFieldsList& list, TTapeFieldsListItem item);
void AddPrintField(TPrintFieldsList& list, TPrintFieldsListItem item);

// Fills the list with the columns the tape shows, left to right.
void FillTapeFields(const TCalculator& tape, TTapeFieldsList& list);

}  // namespace tally
