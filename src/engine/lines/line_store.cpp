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

bool IsRangeKind(char kind) {
    return KindInGroup(kind, TLineStore::kRangeKinds);
}

}  // namespace

TLineStore::TLineStore() = default;
TLineStore::~TLineStore() = default;

TLineStore::TLineStore(TLineStore&& other) noexcept
    : rows_(std::move(other.rows_)),
      structural_(std::move(other.structural_)),
      ranges_(std::move(other.ranges_)),
      linked_(std::move(other.linked_)),
      flagged_(std::move(other.flagged_)),
      assigned_(std::move(other.assigned_)),
      linkGeneration_(other.linkGeneration_ + 1) {}

TLineStore& TLineStore::operator=(TLineStore&& other) noexcept {
    rows_ = std::move(other.rows_);
    structural_ = std::move(other.structural_);
    ranges_ = std::move(other.ranges_);
    linked_ = std::move(other.linked_);
    flagged_ = std::move(other.flagged_);
    assigned_ = std::move(other.assigned_);
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
    // Blank lines are entry lines without properties: only the later indexed lines move.
    structural_.Inserted(at, count);
    ranges_.Inserted(at, count);
    flagged_.Inserted(at, count);
    assigned_.Inserted(at, count);
    if (linked_.Inserted(at, count)) ++linkGeneration_;
    NotifyAll([&](TLineObserver& o) { o.LinesInserted(at, count); });
}

void TLineStore::RemoveLines(LineIndex first, LineIndex count) {
    if (!IsLine(first) || count <= 0) return;
    count = std::min(count, LineCount() - first);
    NotifyAll([&](TLineObserver& o) { o.BeforeLinesRemoved(first, count); });
    rows_.Erase(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
    structural_.Removed(first, count);
    ranges_.Removed(first, count);
    flagged_.Removed(first, count);
    assigned_.Removed(first, count);
    if (linked_.Removed(first, count)) ++linkGeneration_;
    NotifyAll([&](TLineObserver& o) { o.LinesRemoved(first, count); });
}

void TLineStore::MoveLines(LineIndex first, LineIndex count, LineIndex to) {
    if (!IsLine(first) || count <= 0 || count > LineCount() - first) return;
    if (to < 0 || to > LineCount() - count || to == first) return;
    rows_.Move(static_cast<std::size_t>(first), static_cast<std::size_t>(count), static_cast<std::size_t>(to));
    const LineIndex low = std::min(first, to);
    const LineIndex high = std::max(first, to) + count - 1;
    ReindexLines(low, high);
    NotifyAll([&](TLineObserver& o) { o.LinesChanged(low, high); });
}

void TLineStore::SwapLines(LineIndex a, LineIndex b) {
    if (!IsLine(a) || !IsLine(b) || a == b) return;
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    ReindexLines(a, a);
    ReindexLines(b, b);
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
            if (KindOfIndicator(row.indicator.View()) != oldKind) IndexKindChange(line, KindOfIndicator(text));
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

const TSortedLineSet& TLineStore::IndexFor(std::string_view group) const {
    const bool rangeKindsOnly = std::all_of(group.begin(), group.end(), IsRangeKind);
    return rangeKindsOnly && !group.empty() ? ranges_ : structural_;
}

LineIndex TLineStore::StructuralLineAtOrBefore(LineIndex line, std::string_view group) const {
    if (line < 0) return kNoLine;
    const TSortedLineSet& index = IndexFor(group);
    auto it = index.UpperBound(line);
    while (it != index.begin()) {
        --it;
        if (KindInGroup(KindOf(*it), group)) return *it;
    }
    return kNoLine;
}

LineIndex TLineStore::StructuralLineAtOrAfter(LineIndex line, std::string_view group) const {
    const TSortedLineSet& index = IndexFor(group);
    for (auto it = index.LowerBound(line); it != index.end(); ++it) {
        if (KindInGroup(KindOf(*it), group)) return *it;
    }
    return kNoLine;
}

void TLineStore::IndexKindChange(LineIndex line, char newKind) {
    structural_.Set(line, IsStructuralKind(newKind));
    ranges_.Set(line, IsRangeKind(newKind));
}

void TLineStore::ReindexLines(LineIndex first, LineIndex last) {
    structural_.Rebuild(first, last, [this](LineIndex line) { return IsStructuralKind(KindOf(line)); });
    ranges_.Rebuild(first, last, [this](LineIndex line) { return IsRangeKind(KindOf(line)); });
    flagged_.Rebuild(first, last, [this](LineIndex line) { return !Property(line, LineKey::kTotalStatusFlag).empty(); });
    assigned_.Rebuild(first, last, [this](LineIndex line) { return !Property(line, LineKey::kTableColumnId).empty(); });
    if (linked_.Rebuild(first, last, [this](LineIndex line) { return !Property(line, LineKey::kLinkId).empty(); })) {
        ++linkGeneration_;
    }
}

void TLineStore::IndexFlagChange(LineIndex line) {
    flagged_.Set(line, !Property(line, LineKey::kTotalStatusFlag).empty());
}

void TLineStore::IndexAssignmentChange(LineIndex line) {
    assigned_.Set(line, !Property(line, LineKey::kTableColumnId).empty());
}

void TLineStore::IndexLinkChange(LineIndex line, std::string_view oldLinkData) {
    const std::string_view newLinkData = Property(line, LineKey::kLinkId);
    if (oldLinkData == newLinkData) return;
    ++linkGeneration_;
    linked_.Set(line, !newLinkData.empty());
    if (newLinkData.empty()) {
        // The Links cell describes the link data; without it there is nothing to describe.
        Row& row = rows_[static_cast<std::size_t>(line)];
        if (row.rare) {
            row.rare->links.clear();
            DropRareIfEmpty(row);
        }
    }
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
    if (key == LineKey::kTotalStatusFlag) IndexFlagChange(line);
    if (key == LineKey::kTableColumnId) IndexAssignmentChange(line);
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
    IndexFlagChange(line);
    IndexAssignmentChange(line);
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
