#pragma once
// A set of line numbers in ascending order that the line store keeps current as lines are
// inserted, removed and moved: the lines of some kinds, or the lines that carry some property.
// Appending at the end, the usual case, is O(1) amortized; a change in the middle costs the
// members after it.

#include <algorithm>
#include <vector>

namespace tally {

using LineIndex = int;
inline constexpr LineIndex kNoLine = -1;

class TSortedLineSet {
public:
    using const_iterator = std::vector<LineIndex>::const_iterator;

    const std::vector<LineIndex>& Lines() const { return lines_; }
    const_iterator begin() const { return lines_.begin(); }
    const_iterator end() const { return lines_.end(); }
    // The first member at or after the line.
    const_iterator LowerBound(LineIndex line) const { return std::lower_bound(lines_.begin(), lines_.end(), line); }
    // The first member after the line.
    const_iterator UpperBound(LineIndex line) const { return std::upper_bound(lines_.begin(), lines_.end(), line); }

    // Adds or removes the line; true when its membership changed.
    bool Set(LineIndex line, bool member) {
        const auto at = std::lower_bound(lines_.begin(), lines_.end(), line);
        const bool was = at != lines_.end() && *at == line;
        if (was == member) return false;
        if (member) {
            lines_.insert(at, line);
        } else {
            lines_.erase(at);
        }
        return true;
    }

    // count lines were inserted at `at`; true when a member moved.
    bool Inserted(LineIndex at, LineIndex count) {
        const auto first = std::lower_bound(lines_.begin(), lines_.end(), at);
        for (auto it = first; it != lines_.end(); ++it) *it += count;
        return first != lines_.end();
    }

    // count lines from `first` were removed; true when a member went or moved.
    bool Removed(LineIndex first, LineIndex count) {
        const auto removed = std::lower_bound(lines_.begin(), lines_.end(), first);
        const auto after = std::lower_bound(removed, lines_.end(), first + count);
        for (auto it = after; it != lines_.end(); ++it) *it -= count;
        const bool changed = removed != lines_.end();
        lines_.erase(removed, after);
        return changed;
    }

    // The lines first..last were rearranged: their members are found again with isMember(line).
    // True when a member was or is among them.
    template <class IsMember>
    bool Rebuild(LineIndex first, LineIndex last, IsMember isMember) {
        const auto begin = std::lower_bound(lines_.begin(), lines_.end(), first);
        const auto end = std::upper_bound(begin, lines_.end(), last);
        std::vector<LineIndex> found;
        for (LineIndex line = first; line <= last; ++line) {
            if (isMember(line)) found.push_back(line);
        }
        if (begin == end && found.empty()) return false;
        const auto at = lines_.erase(begin, end);
        lines_.insert(at, found.begin(), found.end());
        return true;
    }

private:
    std::vector<LineIndex> lines_;
};

}  // namespace tally
