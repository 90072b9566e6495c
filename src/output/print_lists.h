#pragma once
// The lists a print job keeps: the columns it prints and the first line of every page it has
// met, so that a later page starts from its recorded line instead of laying out the pages
// before it again.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "platform/canvas.h"

namespace tally {

struct TPrintColPropListItem {
    std::int32_t OrderKey = 0;
    std::int32_t GridColumn = 0;  // the column's index on the tape
    TTapeColumn Kind = TTapeColumn::Entries;
    std::string Heading;
    TTextAlign Alignment = TTextAlign::Left;
    bool Wrap = false;   // the cell text is wrapped (Annotations)
    bool Links = false;  // the Links column
    std::int32_t Width = 1;   // pixels
    std::int32_t Offset = 1;  // pixels from the column group's left edge
};

// Adding compares with the first item only: its order key replaces it, a smaller key goes in
// front, any other is appended.
class TPrintColPropList {
public:
    void Add(TPrintColPropListItem item);
    void Clear() { items_.clear(); }
    bool Empty() const { return items_.empty(); }
    std::vector<TPrintColPropListItem>& Items() { return items_; }
    const std::vector<TPrintColPropListItem>& Items() const { return items_; }

private:
    std::vector<TPrintColPropListItem> items_;
};

struct TPageContentsListItem {
    std::int32_t Page = 0;
    std::int32_t FirstLine = 0;  // line index
    friend bool operator==(const TPageContentsListItem&, const TPageContentsListItem&) = default;
};

// Pages in ascending order, each recorded once: a page laid out again keeps its first record.
class TPageContentsList {
public:
    void Add(TPageContentsListItem item);
    void Clear() { items_.clear(); }
    bool Empty() const { return items_.empty(); }
    std::optional<TPageContentsListItem> Find(std::int32_t page) const;
    std::optional<TPageContentsListItem> Last() const;
    const std::vector<TPageContentsListItem>& Items() const { return items_; }

private:
    std::vector<TPageContentsListItem> items_;
};

}  // namespace tally
