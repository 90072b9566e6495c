#pragma once
// Writing link data strings (state, role, sign, 16-digit link number, optional ",flag") and
// drawing link numbers.

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "engine/lines/link_data.h"

namespace tally {

inline constexpr std::size_t kLinkNumberDigits = 16;

std::string MakeLinkData(char state, char role, char sign, std::string_view number, char flag = '\0');
// Each leaves the string unchanged when the new letter or number is not allowed or the string
// is not well formed.
std::string WithLinkState(std::string_view linkData, char state);
std::string WithLinkSign(std::string_view linkData, char sign);
std::string WithLinkNumber(std::string_view linkData, std::string_view number);
// "P" or "D" adds (or, on a flagged string, for "D" replaces) the flag; "" removes it.
std::string WithLinkFlag(std::string_view linkData, std::string_view flag);

bool IsLinkNumber(std::string_view text);

// A uniform fraction in [0, 1).
using TRandomFraction = std::function<double()>;
// The program's generator: one per run, seeded once from the clock.
TRandomFraction ProgramRandomFraction();

// Sixteen digits from the generator's fraction.
std::string DrawLinkNumber(const TRandomFraction& random);
// A number not in `taken`; the number is added to `taken`, so that the numbers drawn in one
// step differ from each other too.
std::string DrawUnusedLinkNumber(const TRandomFraction& random, std::set<std::string, std::less<>>& taken);

}  // namespace tally
