#pragma once
// Codes of the requests that run after the current event. On the wire a request travels as the
// window message number kFirstUserMessage + code.

namespace tally::requests {

inline constexpr int kFirstUserMessage = 1024;

inline constexpr int SelectTapeGridRow = 101;
inline constexpr int MemoryTotalToEntry = 103;
inline constexpr int SideToEntry = 104;
inline constexpr int ShowMessageList = 108;
inline constexpr int RecomputeWindowWidth = 110;
inline constexpr int RecallMemoryEntry = 111;
// The "ZeroTotal" edit action. A second number other than 0 is a character to type again
// once the zero total is in place (the automatic start of a new series).
inline constexpr int ZeroTotal = 117;
inline constexpr int LinkWithStoredEntryData = 119;
inline constexpr int CopyWithStoredEntryData = 120;
// Select the Table Columns cell of the line given as the second number.
inline constexpr int SelectTableColumnsCell = 122;
inline constexpr int SelectDifferentSeries = 128;
// Insert a new embedded series, then type the character given as the second number when it
// is not 0.
inline constexpr int InsertNewEmbeddedSeriesCommand = 129;
// Delete Series, asked from an embedded series' boundary line / from any other line.
inline constexpr int DeleteEmbeddedSeriesCommand = 130;
inline constexpr int DeleteSeriesCommand = 132;
inline constexpr int InsertNewSeriesCommand = 133;

}  // namespace tally::requests
