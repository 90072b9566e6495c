#include "engine/lines/line_store.h"

#include <algorithm>
#include <utility>

namespace tally {

struct TLineStore::RareCells {
    std::string links;
    std::string annotations;
    std::string tableColumns;
    TCalcParams params;
    int height = 0;

    bool IsEmpty() const {
        return links.empty() && annotations.empty() && tableColumns.empty() && params.IsEmpty() && height == 0;
    }
    std::string* TextOf(TLineColumn column) {
        switch (column) {
            case TLineColumn::Links: return &links;
            case TLineColumn::Annotations: return &annotations;
            case TLineColumn::TableColumns: return &tableColumns;
            default: return nullptr;
        }
    }
};

namespace {

bool IsStructuralKind(char kind) {
    return KindInGroup(kind, TLineStore::kStructuralKinds);
}

}  // namespace

TLineStore::TLineStore() = default;
TLineStore::~TLineStore() = default;

TLineStore::TLineStore(TLineStore&& other) noexcept
    : rows_(std::move(other.rows_)),
      structural_(std::move(other.structural_)),
      linked_(std::move(other.linked_)),
      linkGeneration_(other.linkGeneration_ + 1) {}

TLineStore& TLineStore::operator=(TLineStore&& other) noexcept {
    rows_ = std::move(other.rows_);
    structural_ = std::move(other.structural_);
    linked_ = std::move(other.linked_);
    linkGeneration_ = std::max(linkGeneration_, other.linkGeneration_) + 1;
    return *this;
}

template <class Notify>
void TLineStore::NotifyAll(Notify notify) {
    for (TLineObserver* observer : observers_) notify(*observer);
}

void TLineStore::InsertLines(LineIndex at, LineIndex count) {
    if (at < 0 || at > LineCount() || count <= 0) return;
    NotifyAll([&](TLineObserver& o) { o.BeforeLinesInserted(at, count); });
    rows_.InsertBlank(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
    // Blank lines are entry lines: only the later structural lines move.
    for (auto it = std::lower_bound(structural_.begin(), structural_.end(), at); it != structural_.end(); ++it) {
        *it += count;
    }
    const auto firstMoved = std::lower_bound(linked_.begin(), linked_.end(), at);
    if (firstMoved != linked_.end()) ++linkGeneration_;
    for (auto it = firstMoved; it != linked_.end(); ++it) *it += count;
    NotifyAll([&](TLineObserver& o) { o.LinesInserted(at, count); });
}

void TLineStore::RemoveLines(LineIndex first, LineIndex count) {
    if (!IsLine(first) || count <= 0) return;
    count = std::min(count, LineCount() - first);
    NotifyAll([&](TLineObserver& o) { o.BeforeLinesRemoved(first, count); });
    rows_.Erase(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
    const auto removed = std::lower_bound(structural_.begin(), structural_.end(), first);
    const auto after = std::lower_bound(removed, structural_.end(), first + count);
    for (auto it = after; it != structural_.end(); ++it) *it -= count;
    structural_.erase(removed, after);
    const auto linkedRemoved = std::lower_bound(linked_.begin(), linked_.end(), first);
    const auto linkedAfter = std::lower_bound(linkedRemoved, linked_.end(), first + count);
    if (linkedRemoved != linked_.end()) ++linkGeneration_;
    for (auto it = linkedAfter; it != linked_.end(); ++it) *it -= count;
    linked_.erase(linkedRemoved, linkedAfter);
    NotifyAll([&](TLineObserver& o) { o.LinesRemoved(first, count); });
}

void TLineStore::MoveLines(LineIndex first, LineIndex count, LineIndex to) {
    if (!IsLine(first) || count <= 0 || count > LineCount() - first) return;
    if (to < 0 || to > LineCount() - count || to == first) return;
    rows_.Move(static_cast<std::size_t>(first), static_cast<std::size_t>(count), static_cast<std::size_t>(to));
    const LineIndex low = std::min(first, to);
    const LineIndex high = std::max(first, to) + count - 1;
    ReindexLines(low, high);
    ReindexLinkedLines(low, high);
    NotifyAll([&](TLineObserver& o) { o.LinesChanged(low, high); });
}

void TLineStore::SwapLines(LineIndex a, LineIndex b) {
    if (!IsLine(a) || !IsLine(b) || a == b) return;
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    // After the swap each line's old kind is the other line's kind.
    IndexKindChange(a, KindOf(b), KindOf(a));
    IndexKindChange(b, KindOf(a), KindOf(b));
    ReindexLinkedLines(std::min(a, b), std::min(a, b));
    ReindexLinkedLines(std::max(a, b), std::max(a, b));
    NotifyAll([&](TLineObserver& o) {
        o.LinesChanged(a, a);
        o.LinesChanged(b, b);
    });
}

std::string_view TLineStore::Cell(LineIndex line, TLineColumn column) const {
    if (!IsLine(line)) return {};
    const Row& row = rows_[static_cast<std::size_t>(line)];
    switch (column) {
        case TLineColumn::Entries: return row.entries.View();
        case TLineColumn::Indicator: return row.indicator.View();
        case TLineColumn::RunningTotal: return row.runningTotal.View();
        default: break;
    }
    if (!row.rare) return {};
    return *row.rare->TextOf(column);
}

void TLineStore::SetCell(LineIndex line, TLineColumn column, std::string_view text) {
    if (!IsLine(line)) return;
    Row& row = rows_[static_cast<std::size_t>(line)];
    switch (column) {
        case TLineColumn::Entries: row.entries.Assign(text); break;
        case TLineColumn::Indicator: {
            const char oldKind = KindOfIndicator(row.indicator.View());
            row.indicator.Assign(text);
            IndexKindChange(line, oldKind, KindOfIndicator(row.indicator.View()));
            break;
        }
        case TLineColumn::RunningTotal: row.runningTotal.Assign(text); break;
        default:
            if (text.empty() && !row.rare) return;
            EnsureRare(row).TextOf(column)->assign(text);
            DropRareIfEmpty(row);
            break;
    }
    NotifyAll([&](TLineObserver& o) { o.CellChanged(line, column); });
}

LineIndex TLineStore::StructuralLineAtOrBefore(LineIndex line, std::string_view group) const {
    if (line < 0) return kNoLine;
    auto it = std::upper_bound(structural_.begin(), structural_.end(), line);
    while (it != structural_.begin()) {
        --it;
        if (KindInGroup(KindOf(*it), group)) return *it;
    }
    return kNoLine;
}

LineIndex TLineStore::StructuralLineAtOrAfter(LineIndex line, std::string_view group) const {
    for (auto it = std::lower_bound(structural_.begin(), structural_.end(), line); it != structural_.end(); ++it) {
        if (KindInGroup(KindOf(*it), group)) return *it;
    }
    return kNoLine;
}

void TLineStore::IndexKindChange(LineIndex line, char oldKind, char newKind) {
    const bool was = IsStructuralKind(oldKind);
    const bool is = IsStructuralKind(newKind);
    if (was == is) return;
    if (is) {
        // Lines are mostly marked in order, so the end is the usual place.
        if (structural_.empty() || structural_.back() < line) {
            structural_.push_back(line);
        } else {
            structural_.insert(std::lower_bound(structural_.begin(), structural_.end(), line), line);
        }
    } else {
        structural_.erase(std::lower_bound(structural_.begin(), structural_.end(), line));
    }
}

void TLineStore::ReindexLines(LineIndex first, LineIndex last) {
    const auto begin = std::lower_bound(structural_.begin(), structural_.end(), first);
    const auto end = std::upper_bound(begin, structural_.end(), last);
    std::vector<LineIndex> found;
    for (LineIndex line = first; line <= last; ++line) {
        if (IsStructuralKind(KindOf(line))) found.push_back(line);
    }
    const auto at = structural_.erase(begin, end);
    structural_.insert(at, found.begin(), found.end());
}

void TLineStore::IndexLinkChange(LineIndex line, std::string_view oldLinkData) {
    const std::string_view newLinkData = Property(line, LineKey::kLinkId);
    if (oldLinkData == newLinkData) return;
    ++linkGeneration_;
    if (oldLinkData.empty() == newLinkData.empty()) return;
    if (!newLinkData.empty()) {
        if (linked_.empty() || linked_.back() < line) {
            linked_.push_back(line);
        } else {
            linked_.insert(std::lower_bound(linked_.begin(), linked_.end(), line), line);
        }
    } else {
        linked_.erase(std::lower_bound(linked_.begin(), linked_.end(), line));
        // The Links cell describes the link data; without it there is nothing to describe.
        Row& row = rows_[static_cast<std::size_t>(line)];
        if (row.rare) {
            row.rare->links.clear();
            DropRareIfEmpty(row);
        }
    }
}

void TLineStore::ReindexLinkedLines(LineIndex first, LineIndex last) {
    const auto begin = std::lower_bound(linked_.begin(), linked_.end(), first);
    const auto end = std::upper_bound(begin, linked_.end(), last);
    std::vector<LineIndex> found;
    for (LineIndex line = first; line <= last; ++line) {
        if (!Property(line, LineKey::kLinkId).empty()) found.push_back(line);
    }
    if (begin == end && found.empty()) return;
    ++linkGeneration_;
    const auto at = linked_.erase(begin, end);
    linked_.insert(at, found.begin(), found.end());
}

const TCalcParams* TLineStore::Params(LineIndex line) const {
    if (!IsLine(line)) return nullptr;
    const Row& row = rows_[static_cast<std::size_t>(line)];
    if (!row.rare || row.rare->params.IsEmpty()) return nullptr;
    return &row.rare->params;
}

std::string_view TLineStore::Property(LineIndex line, std::string_view key) const {
    const TCalcParams* params = Params(line);
    return params ? params->Value(key) : std::string_view{};
}

void TLineStore::SetProperty(LineIndex line, std::string_view key, std::string_view value) {
    if (!IsLine(line)) return;
    Row& row = rows_[static_cast<std::size_t>(line)];
    if (value.empty() && !row.rare) return;
    const bool linkKey = key == LineKey::kLinkId;
    const std::string oldLinkData(linkKey ? Property(line, key) : std::string_view{});
    EnsureRare(row).params.SetValue(key, value);
    DropRareIfEmpty(row);
    if (linkKey) IndexLinkChange(line, oldLinkData);
    NotifyAll([&](TLineObserver& o) { o.LinesChanged(line, line); });
}

std::string TLineStore::ParamsText(LineIndex line) const {
    const TCalcParams* params = Params(line);
    return params ? params->Text() : std::string{};
}

void TLineStore::SetParamsText(LineIndex line, std::string_view commaText) {
    SetParams(line, TCalcParams::FromText(commaText));
}

void TLineStore::SetParams(LineIndex line, TCalcParams params) {
    if (!IsLine(line)) return;
    Row& row = rows_[static_cast<std::size_t>(line)];
    if (params.IsEmpty() && !row.rare) return;
    const std::string oldLinkData(Property(line, LineKey::kLinkId));
    EnsureRare(row).params = std::move(params);
    DropRareIfEmpty(row);
    IndexLinkChange(line, oldLinkData);
    NotifyAll([&](TLineObserver& o) { o.LinesChanged(line, line); });
}

int TLineStore::RowHeight(LineIndex line) const {
    if (!IsLine(line)) return 0;
    const Row& row = rows_[static_cast<std::size_t>(line)];
    return row.rare ? row.rare->height : 0;
}

void TLineStore::SetRowHeight(LineIndex line, int height) {
    if (!IsLine(line)) return;
    Row& row = rows_[static_cast<std::size_t>(line)];
    height = std::max(height, 0);
    if (height == RowHeight(line)) return;
    EnsureRare(row).height = height;
    DropRareIfEmpty(row);
    NotifyAll([&](TLineObserver& o) { o.RowHeightChanged(line); });
}

void TLineStore::AddObserver(TLineObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
        observers_.push_back(observer);
    }
}

void TLineStore::RemoveObserver(TLineObserver* observer) {
    std::erase(observers_, observer);
}

TLineStore::RareCells& TLineStore::EnsureRare(Row& row) {
    if (!row.rare) row.rare = std::make_unique<RareCells>();
    return *row.rare;
}

void TLineStore::DropRareIfEmpty(Row& row) {
    if (row.rare && row.rare->IsEmpty()) row.rare.reset();
}

}  // namespace tally
