#include "settings/reopen_list.h"

#include <algorithm>
#include <system_error>

namespace tally {

bool ReopenFileExists(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(name, error);
}

void TReopenList::Add(const std::string& name) {
    if (name.empty()) return;
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found != names_.end()) {
        std::rotate(names_.begin(), found, std::next(found));
        return;
    }
    if (static_cast<int>(names_.size()) >= maxLength_) names_.resize(static_cast<std::size_t>(maxLength_ - 1));
    names_.insert(names_.begin(), name);
}

void TReopenList::SetMaxLength(int length) {
    maxLength_ = std::clamp(length, kMinLength, kMaxLength);
    if (static_cast<int>(names_.size()) > maxLength_) names_.resize(static_cast<std::size_t>(maxLength_));
}

void TReopenList::Append(const std::string& name) {
    if (name.empty() || static_cast<int>(names_.size()) >= maxLength_) return;
    if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.push_back(name);
}

void TReopenList::DropMissing() { std::erase_if(names_, [](const std::string& name) { return !ReopenFileExists(name); }); }

std::string TReopenList::MostRecentFolder() const {
    if (names_.empty()) return {};
    return std::filesystem::path(names_.front()).parent_path().string();
}

}  // namespace tally
