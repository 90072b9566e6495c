#include "links/link_picture.h"

#include <algorithm>
#include <tuple>

#include "engine/lines/link_data.h"

namespace tally {

void SplitLinkData(std::string_view linkData, TMergedLinkInfoListItem& item) {
    item.State = item.Role = item.Sign = item.Flag = '\0';
    item.LinkNumber.clear();
    if (!IsWellFormedLinkData(linkData)) return;
    item.State = linkData[0];
    item.Role = linkData[1];
    item.Sign = linkData[2];
    item.LinkNumber = std::string(LinkDataNumber(linkData));
    if (linkData.size() == 21) item.Flag = linkData[20];
}

bool ByLinkNumber(const TMergedLinkInfoListItem& a, const TMergedLinkInfoListItem& b) {
    // Role descending: 'S' before 'D'.
    return std::tie(a.LinkNumber, b.Role) < std::tie(b.LinkNumber, a.Role);
}

bool ByTapeSeriesAndLine(const TMergedLinkInfoListItem& a, const TMergedLinkInfoListItem& b) {
    return std::tie(a.TapeId, a.SeriesStart, a.Line) < std::tie(b.TapeId, b.SeriesStart, b.Line);
}

void SortByLinkNumber(TMergedLinkInfoList& picture) { std::stable_sort(picture.begin(), picture.end(), ByLinkNumber); }

std::string LineReference(char tapeId, int line) {
    const char upper = (tapeId >= 'a' && tapeId <= 'z') ? static_cast<char>(tapeId - 'a' + 'A') : tapeId;
    return upper + std::to_string(line);
}

}  // namespace tally
