#pragma once
// Internal: small text buffers that avoid heap allocation for the short texts of entries.

#include <cstddef>
#include <string>
#include <string_view>

namespace tally::numbers_detail {

inline std::string_view TrimBlanks(std::string_view text) noexcept {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A text with every `remove` character taken out; no copy when there is none, a stack buffer
// for short texts, the heap only for long ones.
class TStrippedText {
public:
    TStrippedText(std::string_view text, char remove) : TStrippedText(text, remove, remove) {}
    // Removes both characters (a separator and the character typed for it).
    TStrippedText(std::string_view text, char remove, char alsoRemove) {
        if (text.find(remove) == std::string_view::npos && text.find(alsoRemove) == std::string_view::npos) {
            view_ = text;
            return;
        }
        char* out = buffer_;
        if (text.size() > sizeof buffer_) {
            heap_.resize(text.size());
            out = heap_.data();
        }
        std::size_t n = 0;
        for (char c : text) {
            if (c != remove && c != alsoRemove) out[n++] = c;
        }
        view_ = std::string_view(out, n);
    }
    TStrippedText(const TStrippedText&) = delete;
    TStrippedText& operator=(const TStrippedText&) = delete;
    std::string_view View() const noexcept { return view_; }

private:
    char buffer_[64];
    std::string heap_;
    std::string_view view_;
};

// Append-only buffer, on the stack up to 48 characters.
class TSmallBuffer {
public:
    TSmallBuffer() = default;
    TSmallBuffer(const TSmallBuffer&) = delete;
    TSmallBuffer& operator=(const TSmallBuffer&) = delete;
    void Push(char c) {
        if (heap_.empty() && size_ < sizeof buffer_) {
            buffer_[size_++] = c;
            return;
        }
        if (heap_.empty()) heap_.assign(buffer_, size_);
        heap_.push_back(c);
    }
    std::string_view View() const noexcept {
        return heap_.empty() ? std::string_view(buffer_, size_) : std::string_view(heap_);
    }

private:
    char buffer_[48];
    std::size_t size_ = 0;
    std::string heap_;
};

}  // namespace tally::numbers_detail
