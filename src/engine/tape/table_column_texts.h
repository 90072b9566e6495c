#pragma once
// Refusals of a number typed into a line's Table Columns cell; the tape's key check and the
// table manager's check of the finished cell give the same texts.

#include <string>

namespace tally {

inline std::string TableColumnAboveMaximumText(int maximum) {
    return "The number you are trying to enter exceeds the maximum table column number of " +
           std::to_string(maximum) + ".  (You can change this maximum number " +
           "by changing the maximum number of table DATA " + "columns allowed in the General Options window.)";
}

// There is no column 0: the first table column is column 1.
inline constexpr const char* kTableColumnBelowMinimumText =
    "The number you are trying to enter is below the minimum table column number of 1.";

}  // namespace tally
