#include "engine/totals/total_lists.h"

#include <algorithm>
#include <optional>

#include "engine/lines/calc_params.h"
#include "engine/lines/line_kinds.h"

namespace tally {

namespace {

// The item of the series that the ending line closes; nullopt for an ending with no total line
// before it (damaged data may start with one) and for kinds that report no total.
std::optional<TTapeTotalInfoListItem> TotalInfoAt(const TLineStore& lines, char tapeId, LineIndex end,
                                                  LineIndex rangeStart) {
    if (end <= 0) return std::nullopt;
    const std::string_view type = lines.Property(end, LineKey::kSeriesType);
    if (!type.empty() && type != "gro" && type != "gra") return std::nullopt;
    const LineIndex line = end - 1;
    TTapeTotalInfoListItem item;
    item.TapeId = tapeId;
    item.Line = line;
    item.RangeStart = type.empty() ? -1 : rangeStart;
    item.LinkId = lines.Property(line, LineKey::kLinkId);
    item.SeriesType = lines.Property(line, LineKey::kSeriesType);
    item.Indicator = lines.Indicator(line);
    item.Entries = lines.Entries(line);
    item.StatusFlag = lines.Property(line, LineKey::kTotalStatusFlag);
    if (!type.empty()) item.DisplayState = lines.Property(end, LineKey::kTotalDisplayState);
    return item;
}

}  // namespace

TTapeTotalInfoList CollectSeriesTotals(const TLineStore& lines, char tapeId, LineIndex first, LineIndex last) {
    TTapeTotalInfoList list;
    LineIndex groupStart = std::max(first, 0);
    LineIndex grandStart = groupStart;
    for (LineIndex end = lines.StructuralLineAtOrAfter(groupStart, LineGroup::kSeriesEnding);
         end != kNoLine && (last == kNoLine || end <= last);
         end = lines.StructuralLineAtOrAfter(end + 1, LineGroup::kSeriesEnding)) {
        const std::string_view type = lines.Property(end, LineKey::kSeriesType);
        const LineIndex rangeStart = type == "gra" ? grandStart : groupStart;
        if (auto item = TotalInfoAt(lines, tapeId, end, rangeStart)) list.push_back(std::move(*item));
        if (type == "gro") groupStart = end + 1;
        if (type == "gra") groupStart = grandStart = end + 1;
    }
    return list;
}

TTapeTotalInfoList CollectFlaggedSeriesTotals(const TLineStore& lines, char tapeId) {
    std::vector<LineIndex> endings;
    for (const LineIndex flagged : lines.FlaggedLines()) {
        const LineIndex end = flagged + 1;
        if (!lines.InGroup(end, LineGroup::kSeriesEnding)) continue;
        endings.push_back(end);
        for (const std::string_view closing : {"]", "}"}) {
            const LineIndex next = lines.StructuralLineAtOrAfter(end + 1, closing);
            if (next != kNoLine) endings.push_back(next);
        }
    }
    std::sort(endings.begin(), endings.end());
    endings.erase(std::unique(endings.begin(), endings.end()), endings.end());
    TTapeTotalInfoList list;
    for (const LineIndex end : endings) {
        const bool grand = lines.Property(end, LineKey::kSeriesType) == "gra";
        const LineIndex previous = lines.StructuralLineAtOrBefore(end - 1, grand ? "}" : "]}");
        if (auto item = TotalInfoAt(lines, tapeId, end, previous == kNoLine ? 0 : previous + 1)) {
            list.push_back(std::move(*item));
        }
    }
    return list;
}

namespace {

bool StartsWith(const std::string& text, std::string_view chars) {
    return !text.empty() && chars.find(text.front()) != std::string_view::npos;
}

}  // namespace

TTotalSeriesContentList DetermineTotalSeriesContent(const TTapeTotalInfoList& unsortedList, LineIndex line,
                                                    std::string_view seriesType,
                                                    std::string_view displayState) {
    TTotalSeriesContentList content;
    if (unsortedList.empty()) return content;
    // A tape's list comes in line order already; only another list is copied and sorted.
    const auto byTapeAndLine = [](const auto& a, const auto& b) {
        return a.TapeId != b.TapeId ? a.TapeId < b.TapeId : a.Line < b.Line;
    };
    TTapeTotalInfoList sorted;
    if (!std::is_sorted(unsortedList.begin(), unsortedList.end(), byTapeAndLine)) {
        sorted = unsortedList;
        std::stable_sort(sorted.begin(), sorted.end(), byTapeAndLine);
    }
    const TTapeTotalInfoList& infoList = sorted.empty() ? unsortedList : sorted;
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
