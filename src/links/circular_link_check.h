#pragma once
// The circular-link check: would the link picture make a line's value depend on itself?
//
// A dependency edge runs from a line to a line whose value it feeds: from a link source to
// each destination of its number, from a destination to every later total line of its series
// that is itself a link source, and from a destination to the group and grand total lines
// whose ranges cover it. The search is a depth-first search over those edges that marks the
// lines it has finished with, so it costs time linear in the edges, also on the diamonds that
// group and grand totals make.

#include <optional>
#include <string>
#include <vector>

#include "links/link_picture.h"

namespace tally {

enum class TLinkEdgeKind {
    SourceToDestination,
    DestinationToSeriesTotal,
    DestinationToRangeTotal,  // group and grand totals covering the destination
};

struct TLinkParentChildListItem {
    char ChildTape = '\0';
    int ChildLine = 0;
    char ParentTape = '\0';
    int ParentLine = 0;
    TLinkEdgeKind Kind = TLinkEdgeKind::SourceToDestination;
};

// The dependency edges of a picture, in the order they are found.
std::vector<TLinkParentChildListItem> BuildLinkEdges(const TMergedLinkInfoList& picture);

// The first circle among the edges, searched from each parent in (tape, line) order and along
// each parent's edges in the order given, as a chain "T5 to M3 to T5"; nullopt without one.
std::optional<std::string> FindCircularChain(std::vector<TLinkParentChildListItem> edges);

// Both steps together.
std::optional<std::string> CheckCircularLinks(const TMergedLinkInfoList& picture);

}  // namespace tally
