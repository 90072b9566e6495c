#pragma once
// The message list: messages collected during an operation that touches many lines, shown
// together afterwards. Callers add a message and then an empty text as its separator.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tally {

class TWyn_MultMsgList {
public:
    void Add(std::string text) { texts_.push_back(std::move(text)); }
    void Clear() { texts_.clear(); }
    std::size_t Count() const { return texts_.size(); }
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
};

}  // namespace tally
