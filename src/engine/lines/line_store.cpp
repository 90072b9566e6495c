#include "engine/lines/line_store.h"

#include <algorithm>
#include <iterator>
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

TLineStore::TLineStore() = default;
TLineStore::~TLineStore() = default;

TLineStore::TLineStore(TLineStore&& other) noexcept : rows_(std::move(other.rows_)) {}

TLineStore& TLineStore::operator=(TLineStore&& other) noexcept {
    rows_ = std::move(other.rows_);
    return *this;
}

void TLineStore::Reserve(LineIndex count) {
    if (count > 0) rows_.reserve(static_cast<std::size_t>(count));
}

template <class Notify>
void TLineStore::NotifyAll(Notify notify) {
    for (TLineObserver* observer : observers_) notify(*observer);
}

void TLineStore::InsertLines(LineIndex at, LineIndex count) {
    if (at < 0 || at > LineCount() || count <= 0) return;
    NotifyAll([&](TLineObserver& o) { o.BeforeLinesInserted(at, count); });
    if (at == LineCount()) {
        rows_.resize(rows_.size() + static_cast<std::size_t>(count));
    } else {
        std::vector<Row> blank(static_cast<std::size_t>(count));
        rows_.insert(rows_.begin() + at, std::make_move_iterator(blank.begin()),
                     std::make_move_iterator(blank.end()));
    }
    NotifyAll([&](TLineObserver& o) { o.LinesInserted(at, count); });
}

void TLineStore::RemoveLines(LineIndex first, LineIndex count) {
    if (!IsLine(first) || count <= 0) return;
    count = std::min(count, LineCount() - first);
    NotifyAll([&](TLineObserver& o) { o.BeforeLinesRemoved(first, count); });
    rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
    NotifyAll([&](TLineObserver& o) { o.LinesRemoved(first, count); });
}

void TLineStore::MoveLines(LineIndex first, LineIndex count, LineIndex to) {
    if (!IsLine(first) || count <= 0 || count > LineCount() - first) return;
    if (to < 0 || to > LineCount() - count || to == first) return;
    const auto begin = rows_.begin();
    if (to < first) {
        std::rotate(begin + to, begin + first, begin + first + count);
    } else {
        std::rotate(begin + first, begin + first + count, begin + to + count);
    }
    const LineIndex low = std::min(first, to);
    const LineIndex high = std::max(first, to) + count - 1;
    NotifyAll([&](TLineObserver& o) { o.LinesChanged(low, high); });
}

void TLineStore::SwapLines(LineIndex a, LineIndex b) {
    if (!IsLine(a) || !IsLine(b) || a == b) return;
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
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
        case TLineColumn::Indicator: row.indicator.Assign(text); break;
        case TLineColumn::RunningTotal: row.runningTotal.Assign(text); break;
        default:
            if (text.empty() && !row.rare) return;
            EnsureRare(row).TextOf(column)->assign(text);
            DropRareIfEmpty(row);
            break;
    }
    NotifyAll([&](TLineObserver& o) { o.CellChanged(line, column); });
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
    EnsureRare(row).params.SetValue(key, value);
    DropRareIfEmpty(row);
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
    EnsureRare(row).params = std::move(params);
    DropRareIfEmpty(row);
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
