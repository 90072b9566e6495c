#include "engine/lines/link_data.h"

namespace tally {

bool IsWellFormedLinkData(std::string_view linkData) noexcept {
    if (linkData.size() <= 18) return false;
    if (linkData[0] != 'A' && linkData[0] != 'P') return false;
    if (linkData[1] != 'S' && linkData[1] != 'D') return false;
    if (linkData[2] != '+' && linkData[2] != '-') return false;
    for (std::size_t i = 3; i < 19; ++i) {
        if (linkData[i] < '0' || linkData[i] > '9') return false;
    }
    // Exactly 16 digits: the character after them, if any, is no digit.
    return linkData.size() == 19 || linkData[19] < '0' || linkData[19] > '9';
}

char LinkDataRole(std::string_view linkData) noexcept {
    return IsWellFormedLinkData(linkData) ? linkData[1] : '\0';
}

std::string_view LinkDataNumber(std::string_view linkData) noexcept {
    return IsWellFormedLinkData(linkData) ? linkData.substr(3, 16) : std::string_view{};
}

char LinkDataFlag(std::string_view linkData) noexcept {
    return IsWellFormedLinkData(linkData) && linkData.size() == 21 && linkData[19] == ',' ? linkData[20] : '\0';
}

}  // namespace tally
