#include "output/print_lists.h"

#include <algorithm>

namespace tally {

void TPrintColPropList::Add(TPrintColPropListItem item) {
    if (items_.empty()) {
        items_.push_back(std::move(item));
    } else if (items_.front().OrderKey == item.OrderKey) {
        items_.front() = std::move(item);
    } else if (item.OrderKey < items_.front().OrderKey) {
        items_.insert(items_.begin(), std::move(item));
    } else {
        items_.push_back(std::move(item));
    }
}

namespace {

auto ByPage(const TPageContentsListItem& item, std::int32_t page) { return item.Page < page; }

}  // namespace

void TPageContentsList::Add(TPageContentsListItem item) {
    const auto at = std::lower_bound(items_.begin(), items_.end(), item.Page, ByPage);
    if (at != items_.end() && at->Page == item.Page) return;
    items_.insert(at, item);
}

std::optional<TPageContentsListItem> TPageContentsList::Find(std::int32_t page) const {
    const auto at = std::lower_bound(items_.begin(), items_.end(), page, ByPage);
    if (at == items_.end() || at->Page != page) return std::nullopt;
    return *at;
}

std::optional<TPageContentsListItem> TPageContentsList::Last() const {
    if (items_.empty()) return std::nullopt;
    return items_.back();
}

}  // namespace tally
