#pragma once
// How many copies of the print columns (column groups) fit side by side on a page, and how
// wide the wrapped column and each group become.

#include <optional>

namespace tally {

struct TColumnGroupRequest {
    int GroupWidth = 0;      // G: one group at the columns' natural widths
    int WrapWidth = 0;       // the first wrapped column's width; 0 when there is none
    int SampleWidth = 0;     // the narrowest a wrapped column is made: "Sample Multiline Text"
    int PrintableWidth = 0;  // W
    int Gap = 0;             // between groups
    bool AutoCalc = true;
    int Count = 1;           // the groups asked for when not calculated automatically
};

struct TColumnGroupLayout {
    int Groups = 1;
    int GroupWidth = 0;
    int WrapWidth = 0;
    friend bool operator==(const TColumnGroupLayout&, const TColumnGroupLayout&) = default;
};

// nullopt when not one group fits, even with the wrapped column at its narrowest. Divisions
// truncate toward zero.
std::optional<TColumnGroupLayout> LayOutColumnGroups(const TColumnGroupRequest& request);

}  // namespace tally
