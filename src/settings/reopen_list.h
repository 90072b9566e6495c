#pragma once
// The reopen list: full names of recently used files, most recent first, at most a maximum of
// 1 to 35 names. Names are file names of this system, kept as their bytes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tally {

class TReopenList {
public:
    static constexpr int kMinLength = 1;
    static constexpr int kMaxLength = 35;
    static constexpr int kDefaultLength = 5;

    const std::vector<std::string>& Names() const { return names_; }
    int MaxLength() const { return maxLength_; }

    // Puts the name at the top: a name already listed moves there, a new one drops the oldest
    // when the list is full.
    void Add(const std::string& name);
    // Clamps to 1 to 35 and drops the names beyond the new maximum.
    void SetMaxLength(int length);
    // Appends a name read from a store: skipped when already listed or the list is full.
    void Append(const std::string& name);
    void Clear() { names_.clear(); }
    // Removes every name whose file no longer exists.
    void DropMissing();
    // The folder of the most recent file; empty when the list is.
    std::string MostRecentFolder() const;

private:
    std::vector<std::string> names_;
    int maxLength_ = kDefaultLength;
};

// Whether a name from the reopen list names an existing file.
bool ReopenFileExists(const std::string& name);

}  // namespace tally
