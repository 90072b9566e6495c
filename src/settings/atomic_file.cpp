#include "settings/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tally {

namespace {

namespace fs = std::filesystem;

std::string ErrnoText(int error) { return std::generic_category().message(error); }

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
// The part of the file's name a temporary name repeats, so the user can tell whose it is.
constexpr std::size_t kNameStartInTemporary = 32;
// A temporary file this young may belong to a save that has created it and not yet locked it.
constexpr std::time_t kStaleAfterSeconds = 2;

// The file a write replaces: a symbolic link (or a chain of them) is followed to the file it
// names, so the link stays a link and its target gets the new contents.
TFileResult ResolveLinks(const fs::path& target, fs::path& resolved) {
    resolved = target;
    for (int hops = 0;; ++hops) {
        struct stat status {};
        // A missing file is created under its name; any other failure shows in the write.
        if (::lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return {};
        if (hops == kMaxLinkHops) return TFileResult::Failure(ErrnoText(ELOOP));
        std::error_code error;
        const fs::path next = fs::read_symlink(resolved, error);
        if (error) return TFileResult::Failure(error.message());
        resolved = next.is_absolute() ? next : resolved.parent_path() / next;
    }
}

// FNV-1a: a stable hash of the file's name, the same in every run and build.
std::uint64_t NameHash(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

// ".<start of the name>.tallyroll-save-<hash of the whole name>-": short enough for any legal
// name, recognisable, and the same for every save of one file, so a later save finds the
// temporary files of its killed predecessors and nobody else's.
std::string TemporaryPrefix(const std::string& fileName) {
    std::size_t start = std::min(fileName.size(), kNameStartInTemporary);
    // Cut before a character, never inside one.
    while (start > 0 && start < fileName.size() && (static_cast<unsigned char>(fileName[start]) & 0xC0) == 0x80) {
        --start;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hash(16, '0');
    std::uint64_t value = NameHash(fileName);
    for (std::size_t i = hash.size(); i-- > 0; value >>= 4) hash[i] = kHex[value & 0xF];
    return "." + fileName.substr(0, start) + ".tallyroll-save-" + hash + "-";
}

constexpr std::string_view kUniqueSuffix = "XXXXXX";

// Closes the descriptor and removes the temporary file unless the write went through. The
// descriptor holds a lock on the file for as long as the save runs; a save that was killed
// let go of it, which tells a later save that the file is left over.
class TTemporaryFile {
public:
    TTemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) { ::flock(fd_, LOCK_EX | LOCK_NB); }
    ~TTemporaryFile() {
        ::close(fd_);
        if (!kept_) ::unlink(path_.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    int fd_;
    std::string path_;
    bool kept_ = false;
};

TFileResult WriteAll(const IFileCalls& calls, int fd, std::string_view contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t written = calls.Write(fd, contents.data() + done, contents.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return TFileResult::Failure(ErrnoText(errno));
        }
        if (written == 0) return TFileResult::Failure(ErrnoText(EIO));
        done += static_cast<std::size_t>(written);
    }
    return {};
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Removes the file when it is a temporary file no save holds any more: a regular file, not
// locked, a little older than a save needs to lock its own, and still the file that was looked at.
void RemoveIfAbandoned(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        std::time(nullptr) - opened.st_mtime >= kStaleAfterSeconds && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
        ::unlink(path.c_str());
    }
    ::close(fd);
}

// Temporary files that earlier saves of the same file left behind when they were killed.
void RemoveStaleTemporaries(const fs::path& folder, const std::string& prefix) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + kUniqueSuffix.size() && name.starts_with(prefix)) {
            RemoveIfAbandoned(it->path());
        }
    }
}

}  // namespace

ssize_t IFileCalls::Write(int fd, const char* data, std::size_t size) const {
    return ::write(fd, data, size);
}
int IFileCalls::Fsync(int fd) const { return ::fsync(fd); }
int IFileCalls::Rename(const char* from, const char* to) const { return std::rename(from, to); }

const IFileCalls& SystemFileCalls() {
    static const IFileCalls calls;
    return calls;
}

TFileResult WriteFileAtomically(const fs::path& target, std::string_view contents, const IFileCalls& calls) {
    fs::path file;
    if (TFileResult resolved = ResolveLinks(target, file); !resolved) return resolved;
    const fs::path folder = file.parent_path();
    std::error_code error;
    if (!folder.empty()) {
        fs::create_directories(folder, error);
        if (error) return TFileResult::Failure("the folder cannot be created: " + error.message());
    }
    const std::string prefix = TemporaryPrefix(file.filename().string());
    std::string pattern = (folder / (prefix + std::string(kUniqueSuffix))).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return TFileResult::Failure(ErrnoText(errno));
    TTemporaryFile temporary(fd, pattern);

    struct stat old {};
    const mode_t mode = ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(temporary.Fd(), mode);

    if (TFileResult written = WriteAll(calls, temporary.Fd(), contents); !written) return written;
    if (calls.Fsync(temporary.Fd()) != 0) return TFileResult::Failure(ErrnoText(errno));
    // Renamed while still open and locked, so no other save takes it for a left-over file.
    if (calls.Rename(temporary.Path().c_str(), file.c_str()) != 0) return TFileResult::Failure(ErrnoText(errno));
    temporary.Keep();
    const fs::path place = folder.empty() ? fs::path(".") : folder;
    SyncFolder(place);
    RemoveStaleTemporaries(place, prefix);
    return {};
}

TFileText ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
    TFileText file;
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return file;
    file.Exists = true;
    if (!std::filesystem::is_regular_file(status)) {
        file.Result = TFileResult::Failure("it is not a file");
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.Result = TFileResult::Failure(ErrnoText(errno));
        return file;
    }
    // Read one byte past the limit to tell a full-size file from a larger one.
    file.Text.resize(maxSize + 1);
    in.read(file.Text.data(), static_cast<std::streamsize>(file.Text.size()));
    if (in.bad()) {
        file.Text.clear();
        file.Result = TFileResult::Failure("it cannot be read");
        return file;
    }
    file.Text.resize(static_cast<std::size_t>(in.gcount()));
    if (file.Text.size() > maxSize) {
        file.Text.clear();
        file.Result = TFileResult::Failure("it is larger than " + std::to_string(maxSize) + " bytes");
    }
    return file;
}

}  // namespace tally
