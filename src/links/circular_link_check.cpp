#include "links/circular_link_check.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <unordered_map>

namespace tally {
namespace {

bool IsTotalLineKind(char kind) { return kind != '\0' && kTotalLineKinds.find(kind) != std::string_view::npos; }
bool IsRangeTotalKind(char kind) { return kind == 'g' || kind == 'G'; }

// The picture is read through orders of indices, so its entries are never copied or moved.
using TOrder = std::vector<std::size_t>;

void AddEdge(std::vector<TLinkParentChildListItem>& edges, const TMergedLinkInfoListItem& parent,
             const TMergedLinkInfoListItem& child, TLinkEdgeKind kind) {
    edges.push_back({child.TapeId, child.Line, parent.TapeId, parent.Line, kind});
}

TOrder Ordered(const TMergedLinkInfoList& picture, bool (*before)(const TMergedLinkInfoListItem&,
                                                                  const TMergedLinkInfoListItem&)) {
    TOrder order(picture.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return before(picture[a], picture[b]); });
    return order;
}

// Source -> each destination of its number.
void AddSourceEdges(const TMergedLinkInfoList& picture, std::vector<TLinkParentChildListItem>& edges) {
    const TOrder order = Ordered(picture, ByLinkNumber);
    const TMergedLinkInfoListItem* source = nullptr;
    for (const std::size_t i : order) {
        const TMergedLinkInfoListItem& entry = picture[i];
        if (entry.IsSource()) {
            source = &entry;
        } else if (entry.IsDestination() && source != nullptr && source->LinkNumber == entry.LinkNumber) {
            AddEdge(edges, *source, entry, TLinkEdgeKind::SourceToDestination);
        }
    }
}

bool SameSeries(const TMergedLinkInfoListItem& a, const TMergedLinkInfoListItem& b) {
    return a.TapeId == b.TapeId && a.SeriesStart == b.SeriesStart;
}

// Destination -> each later total line of its series that is a link source. `order` sorts the
// picture by tape, series and line.
void AddSeriesTotalEdges(const TMergedLinkInfoList& picture, const TOrder& order,
                         std::vector<TLinkParentChildListItem>& edges) {
    std::vector<std::size_t> totalSources;
    for (std::size_t begin = 0; begin < order.size();) {
        std::size_t end = begin;
        totalSources.clear();
        while (end < order.size() && SameSeries(picture[order[begin]], picture[order[end]])) {
            const TMergedLinkInfoListItem& entry = picture[order[end]];
            if (entry.IsSource() && IsTotalLineKind(entry.Kind())) totalSources.push_back(end);
            ++end;
        }
        for (std::size_t d = begin; d < end; ++d) {
            if (!picture[order[d]].IsDestination()) continue;
            for (auto it = std::upper_bound(totalSources.begin(), totalSources.end(), d); it != totalSources.end();
                 ++it) {
                AddEdge(edges, picture[order[d]], picture[order[*it]], TLinkEdgeKind::DestinationToSeriesTotal);
            }
        }
        begin = end;
    }
}

// Destination -> the group and grand total lines covering it. `order` sorts the picture by
// tape, series and line.
void AddRangeTotalEdges(const TMergedLinkInfoList& picture, const TOrder& order,
                        std::vector<TLinkParentChildListItem>& edges) {
    std::vector<std::size_t> rangeTotals;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (IsRangeTotalKind(picture[order[i]].Kind())) rangeTotals.push_back(i);
    }
    if (rangeTotals.empty()) return;
    for (std::size_t d = 0; d < order.size(); ++d) {
        const TMergedLinkInfoListItem& dest = picture[order[d]];
        if (!dest.IsDestination() || !dest.InOrdinarySeries) continue;
        for (const std::size_t q : rangeTotals) {
            const TMergedLinkInfoListItem& total = picture[order[q]];
            if (total.TapeId != dest.TapeId) continue;
            bool covers = false;
            if (dest.OwnLine == -1) {
                covers = q > d && total.RangeStart <= dest.Line;
            } else {
                const bool groupOrGrand = total.Kind() == 'G' || (total.Kind() == 'g' && total.SeriesKind == "gro");
                covers = groupOrGrand && total.RangeStart <= dest.OwnLine && dest.OwnLine < total.SeriesStart;
            }
            if (covers) AddEdge(edges, dest, total, TLinkEdgeKind::DestinationToRangeTotal);
        }
    }
}

std::uint64_t NodeKey(char tape, int line) {
    return (static_cast<std::uint64_t>(static_cast<unsigned char>(tape)) << 32) | static_cast<std::uint32_t>(line);
}

}  // namespace

std::vector<TLinkParentChildListItem> BuildLinkEdges(const TMergedLinkInfoList& picture) {
    std::vector<TLinkParentChildListItem> edges;
    AddSourceEdges(picture, edges);
    const TOrder bySeries = Ordered(picture, ByTapeSeriesAndLine);
    AddSeriesTotalEdges(picture, bySeries, edges);
    AddRangeTotalEdges(picture, bySeries, edges);
    return edges;
}

std::optional<std::string> FindCircularChain(std::vector<TLinkParentChildListItem> edges) {
    std::stable_sort(edges.begin(), edges.end(), [](const auto& a, const auto& b) {
        return std::tie(a.ParentTape, a.ParentLine) < std::tie(b.ParentTape, b.ParentLine);
    });
    // Number the lines; a parent's edges are the run [firstEdge, firstEdge of the next parent).
    std::unordered_map<std::uint64_t, int> ids;
    std::vector<std::pair<char, int>> nodes;
    auto idOf = [&](char tape, int line) {
        const auto [it, added] = ids.try_emplace(NodeKey(tape, line), static_cast<int>(nodes.size()));
        if (added) nodes.emplace_back(tape, line);
        return it->second;
    };
    std::vector<int> parentOf(edges.size());
    std::vector<int> childOf(edges.size());
    for (std::size_t e = 0; e < edges.size(); ++e) {
        parentOf[e] = idOf(edges[e].ParentTape, edges[e].ParentLine);
        childOf[e] = idOf(edges[e].ChildTape, edges[e].ChildLine);
    }
    constexpr std::size_t kNoEdge = static_cast<std::size_t>(-1);
    std::vector<std::size_t> firstEdge(nodes.size(), kNoEdge);
    for (std::size_t e = edges.size(); e-- > 0;) firstEdge[static_cast<std::size_t>(parentOf[e])] = e;

    enum : std::uint8_t { kWhite, kGrey, kBlack };
    std::vector<std::uint8_t> colour(nodes.size(), kWhite);
    std::vector<int> pathIndex(nodes.size(), -1);
    struct Step {
        int Node;
        std::size_t NextEdge;
    };
    std::vector<Step> path;
    auto enter = [&](int node) {
        colour[static_cast<std::size_t>(node)] = kGrey;
        pathIndex[static_cast<std::size_t>(node)] = static_cast<int>(path.size());
        path.push_back({node, firstEdge[static_cast<std::size_t>(node)]});
    };
    for (std::size_t e = 0; e < edges.size(); ++e) {
        if (e > 0 && parentOf[e] == parentOf[e - 1]) continue;  // one start per distinct parent
        if (colour[static_cast<std::size_t>(parentOf[e])] != kWhite) continue;
        enter(parentOf[e]);
        while (!path.empty()) {
            Step& top = path.back();
            const bool hasEdge = top.NextEdge != kNoEdge && top.NextEdge < edges.size() &&
                                 parentOf[top.NextEdge] == top.Node;
            if (!hasEdge) {
                colour[static_cast<std::size_t>(top.Node)] = kBlack;
                path.pop_back();
                continue;
            }
            const int child = childOf[top.NextEdge++];
            const std::uint8_t childColour = colour[static_cast<std::size_t>(child)];
            if (childColour == kGrey) {
                std::string chain;
                for (std::size_t i = static_cast<std::size_t>(pathIndex[static_cast<std::size_t>(child)]);
                     i < path.size(); ++i) {
                    const auto& [tape, line] = nodes[static_cast<std::size_t>(path[i].Node)];
                    chain += LineReference(tape, line) + " to ";
                }
                const auto& [tape, line] = nodes[static_cast<std::size_t>(child)];
                return chain + LineReference(tape, line);
            }
            if (childColour == kWhite) enter(child);
        }
    }
    return std::nullopt;
}

std::optional<std::string> CheckCircularLinks(const TMergedLinkInfoList& picture) {
    return FindCircularChain(BuildLinkEdges(picture));
}

}  // namespace tally
