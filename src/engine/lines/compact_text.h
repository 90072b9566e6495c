#pragma once
// A 16-byte text for the cells every tape line has. Texts up to 15 characters live inside the
// object (typical entries, indicators and totals); longer ones go to an exact-size heap block.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace tally {

class TCompactText {
public:
    static constexpr std::size_t kInlineCapacity = 15;

    TCompactText() noexcept;
    explicit TCompactText(std::string_view text);
    TCompactText(const TCompactText& other);
    TCompactText(TCompactText&& other) noexcept;
    TCompactText& operator=(const TCompactText& other);
    TCompactText& operator=(TCompactText&& other) noexcept;
    ~TCompactText();

    // Valid until the text is changed or destroyed.
    std::string_view View() const noexcept {
        if (IsHeap()) return {HeapData(), HeapSize()};
        return {reinterpret_cast<const char*>(bytes_), bytes_[kTagIndex]};
    }
    bool IsEmpty() const noexcept { return View().empty(); }
    // Texts longer than 4 GiB - 1 are cut to that length.
    void Assign(std::string_view text);
    void Clear() noexcept;

private:
    static constexpr unsigned char kHeapTag = 0xFF;
    static constexpr std::size_t kTagIndex = kInlineCapacity;

    bool IsHeap() const noexcept { return bytes_[kTagIndex] == kHeapTag; }
    char* HeapData() const noexcept {
        char* data = nullptr;
        std::memcpy(&data, bytes_, sizeof data);
        return data;
    }
    std::uint32_t HeapSize() const noexcept {
        std::uint32_t size = 0;
        std::memcpy(&size, bytes_ + sizeof(char*), sizeof size);
        return size;
    }
    void ReleaseHeap() noexcept;
    void SetEmpty() noexcept;

    // Inline: characters in bytes 0..14, length in byte 15. Heap: pointer in bytes 0..7,
    // length in bytes 8..11, kHeapTag in byte 15.
    alignas(8) unsigned char bytes_[16];
};

static_assert(sizeof(TCompactText) == 16);

}  // namespace tally
