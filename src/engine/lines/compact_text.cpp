#include "engine/lines/compact_text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tally {

TCompactText::TCompactText() noexcept {
    SetEmpty();
}

TCompactText::TCompactText(std::string_view text) {
    SetEmpty();
    Assign(text);
}

TCompactText::TCompactText(const TCompactText& other) {
    SetEmpty();
    Assign(other.View());
}

TCompactText::TCompactText(TCompactText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetEmpty();
}

TCompactText& TCompactText::operator=(const TCompactText& other) {
    if (this != &other) Assign(other.View());
    return *this;
}

TCompactText& TCompactText::operator=(TCompactText&& other) noexcept {
    if (this != &other) {
        ReleaseHeap();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.SetEmpty();
    }
    return *this;
}

TCompactText::~TCompactText() {
    ReleaseHeap();
}

void TCompactText::Assign(std::string_view text) {
    const std::size_t size = std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max());
    if (size <= kInlineCapacity) {
        // Copy first: the text may point into this object's own heap block.
        unsigned char copy[kInlineCapacity];
        if (size > 0) std::memcpy(copy, text.data(), size);
        ReleaseHeap();
        if (size > 0) std::memcpy(bytes_, copy, size);
        bytes_[kTagIndex] = static_cast<unsigned char>(size);
        return;
    }
    char* data = new char[size];
    std::memcpy(data, text.data(), size);
    ReleaseHeap();
    const auto size32 = static_cast<std::uint32_t>(size);
    std::memcpy(bytes_, &data, sizeof data);
    std::memcpy(bytes_ + sizeof data, &size32, sizeof size32);
    bytes_[kTagIndex] = kHeapTag;
}

void TCompactText::Clear() noexcept {
    ReleaseHeap();
    SetEmpty();
}

void TCompactText::ReleaseHeap() noexcept {
    if (!IsHeap()) return;
    delete[] HeapData();
    SetEmpty();
}

void TCompactText::SetEmpty() noexcept {
    std::memset(bytes_, 0, sizeof bytes_);
}

}  // namespace tally
