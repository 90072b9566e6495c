#include "engine/totals/total_lists.h"

#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/lines/line_kinds.h"

namespace tally {

TTapeTotalInfoList CollectSeriesTotals(const TLineStore& lines, char tapeId, LineIndex first, LineIndex last) {
    TTapeTotalInfoList list;
    LineIndex groupStart = std::max(first, 0);
    LineIndex grandStart = groupStart;
    for (LineIndex end = lines.StructuralLineAtOrAfter(groupStart, LineGroup::kSeriesEnding);
         end != kNoLine && (last == kNoLine || end <= last);
         end = lines.StructuralLineAtOrAfter(end + 1, LineGroup::kSeriesEnding)) {
        // Damaged data may start with an ending line; there is no total line before it.
        if (end == 0) continue;
        const std::string_view type = lines.Property(end, LineKey::kSeriesType);
        TTapeTotalInfoListItem item;
        if (type == "gro") {
            item.RangeStart = groupStart;
            groupStart = end + 1;
        } else if (type == "gra") {
            item.RangeStart = grandStart;
            groupStart = grandStart = end + 1;
        } else if (!type.empty()) {
            continue;
        }
        const LineIndex line = end - 1;
        item.TapeId = tapeId;
        item.Line = line;
        item.LinkId = lines.Property(line, LineKey::kLinkId);
        item.SeriesType = lines.Property(line, LineKey::kSeriesType);
        item.Indicator = lines.Indicator(line);
        item.Entries = lines.Entries(line);
        item.StatusFlag = lines.Property(line, LineKey::kTotalStatusFlag);
        if (!type.empty()) item.DisplayState = lines.Property(end, LineKey::kTotalDisplayState);
        list.push_back(std::move(item));
    }
    return list;
}

namespace {

bool StartsWith(const std::string& text, std::string_view chars) {
    return !text.empty() && chars.find(text.front()) != std::string_view::npos;
}

}  // namespace

TTotalSeriesContentList DetermineTotalSeriesContent(TTapeTotalInfoList& infoList, LineIndex line,
                                                    std::string_view seriesType,
                                                    std::string_view displayState) {
    TTotalSeriesContentList content;
    if (infoList.empty()) return content;
    std::stable_sort(infoList.begin(), infoList.end(), [](const auto& a, const auto& b) {
        return a.TapeId != b.TapeId ? a.TapeId < b.TapeId : a.Line < b.Line;
    });
    // The nearest item before the line.
    std::ptrdiff_t found = -1;
    for (std::ptrdiff_t i = std::ssize(infoList) - 1; i >= 0; --i) {
        if (infoList[static_cast<std::size_t>(i)].Line < line) {
            found = i;
            break;
        }
    }
    if (found < 0) return content;
    const std::string_view stops = seriesType == "gro" ? "gG" : "G";
    if (StartsWith(infoList[static_cast<std::size_t>(found)].Indicator, stops)) return content;
    std::ptrdiff_t first = 0;
    for (std::ptrdiff_t i = found - 1; i >= 0; --i) {
        if (StartsWith(infoList[static_cast<std::size_t>(i)].Indicator, stops)) {
            first = i + 1;
            break;
        }
    }
    // Itemized by group: the group totals and every item after the last of them.
    std::ptrdiff_t fromLastGroup = -1;
    if (displayState == "GT") {
        for (std::ptrdiff_t i = first; i <= found; ++i) {
            if (StartsWith(infoList[static_cast<std::size_t>(i)].Indicator, "g")) fromLastGroup = i;
        }
    }
    for (std::ptrdiff_t i = first; i <= found; ++i) {
        const TTapeTotalInfoListItem& item = infoList[static_cast<std::size_t>(i)];
        if (item.Indicator.empty()) continue;
        const bool picked = fromLastGroup >= 0 ? (i > fromLastGroup || StartsWith(item.Indicator, "g"))
                            : displayState == "GT" ? true
                                                   : StartsWith(item.Indicator, "T");
        if (picked) content.push_back({item.TapeId, item.Line, item.LinkId, item.Indicator, item.Entries});
    }
    return content;
}

}  // namespace tally
