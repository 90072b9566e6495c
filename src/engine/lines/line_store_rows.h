#pragma once
// The row storage of the line table: rows in fixed blocks of 512, so that appending a line
// never moves the rows already there (a million-line tape would otherwise be copied whole
// each time a contiguous array outgrows its capacity), while indexing stays one shift and
// one mask. Slots past the last row are kept blank, ready for the next append.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace tally {

template <class Row>
class TBlockRows {
public:
    TBlockRows() = default;
    TBlockRows(TBlockRows&& other) noexcept
        : blocks_(std::move(other.blocks_)), size_(std::exchange(other.size_, 0)) {}
    TBlockRows& operator=(TBlockRows&& other) noexcept {
        blocks_ = std::move(other.blocks_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }

    std::size_t size() const { return size_; }
    Row& operator[](std::size_t i) { return blocks_[i >> kBlockBits][i & kBlockMask]; }
    const Row& operator[](std::size_t i) const { return blocks_[i >> kBlockBits][i & kBlockMask]; }

    void Resize(std::size_t size) {
        for (std::size_t i = size; i < size_; ++i) (*this)[i] = Row{};
        const std::size_t blockCount = (size + kBlockSize - 1) >> kBlockBits;
        if (blockCount < blocks_.size()) blocks_.resize(blockCount);
        while (blocks_.size() < blockCount) blocks_.push_back(std::make_unique<Row[]>(kBlockSize));
        size_ = size;
    }

    // Opens count blank rows at `at`, moving the rows behind them down.
    void InsertBlank(std::size_t at, std::size_t count) {
        Resize(size_ + count);
        for (std::size_t i = size_; i-- > at + count;) (*this)[i] = std::move((*this)[i - count]);
        for (std::size_t i = at; i < at + count; ++i) (*this)[i] = Row{};
    }

    void Erase(std::size_t first, std::size_t count) {
        for (std::size_t i = first; i + count < size_; ++i) (*this)[i] = std::move((*this)[i + count]);
        Resize(size_ - count);
    }

    // Moves count rows from first so that the first of them ends at `to`.
    void Move(std::size_t first, std::size_t count, std::size_t to) {
        std::vector<Row> moving;
        moving.reserve(count);
        for (std::size_t i = first; i < first + count; ++i) moving.push_back(std::move((*this)[i]));
        if (to < first) {
            for (std::size_t i = first + count; i-- > to + count;) (*this)[i] = std::move((*this)[i - count]);
        } else {
            for (std::size_t i = first; i < to; ++i) (*this)[i] = std::move((*this)[i + count]);
        }
        for (std::size_t i = 0; i < count; ++i) (*this)[to + i] = std::move(moving[i]);
    }

private:
    static constexpr std::size_t kBlockBits = 9;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockBits;
    static constexpr std::size_t kBlockMask = kBlockSize - 1;

    std::vector<std::unique_ptr<Row[]>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace tally
