#pragma once
// Whole-file reads and writes for the settings files. A write goes to a temporary file in the
// target's folder, is flushed and synced, then renamed over the target, so a failure at any
// step leaves the old file as it was.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace tally {

// The outcome of a file operation: Ok, or the reason it failed as a sentence fragment.
struct TFileResult {
    bool Ok = true;
    std::string Reason;
    static TFileResult Failure(std::string reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return Ok; }
};

// The system calls a write goes through; tests replace some to make a step fail.
class IFileCalls {
public:
    virtual ~IFileCalls() = default;
    virtual ssize_t Write(int fd, const char* data, std::size_t size) const;
    virtual int Fsync(int fd) const;
    virtual int Rename(const char* from, const char* to) const;
};

const IFileCalls& SystemFileCalls();

// Writes the whole contents, creating missing folders first. The new file keeps the mode of
// the file it replaces; a symbolic link keeps pointing at its target, which gets the contents.
// The temporary file, ".<start of the name>.tallyroll-save-<hash of the name>-XXXXXX", stays
// behind only when the program is killed during the write; the next successful write of the
// same file removes those.
TFileResult WriteFileAtomically(const std::filesystem::path& target, std::string_view contents,
                                const IFileCalls& calls = SystemFileCalls());

// Settings files larger than this are not read: they are not ours.
inline constexpr std::size_t kMaxSettingsFileSize = 1 << 20;

struct TFileText {
    bool Exists = false;
    std::string Text;
    TFileResult Result;  // a failed read of an existing file
};

// Reads a whole file of at most maxSize bytes; a missing file is not a failure.
TFileText ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize = kMaxSettingsFileSize);

}  // namespace tally
