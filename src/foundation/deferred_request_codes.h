#pragma once
// Codes of the requests that run after the current event. On the wire a request travels as the
// window message number kFirstUserMessage + code.

namespace tally::requests {

inline constexpr int kFirstUserMessage = 1024;

inline constexpr int SelectTapeGridRow = 101;
inline constexpr int ShowMessageList = 108;
inline constexpr int RecomputeWindowWidth = 110;
inline constexpr int ZeroTotal = 117;

}  // namespace tally::requests
