#include "settings/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tally {

namespace {

std::string ErrnoText(int error) { return std::generic_category().message(error); }

// Closes the descriptor and removes the temporary file unless the write went through.
class TTemporaryFile {
public:
    TTemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~TTemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_) ::unlink(path_.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
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
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
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

TFileResult WriteFileAtomically(const std::filesystem::path& target, std::string_view contents,
                                const IFileCalls& calls) {
    const std::filesystem::path folder = target.parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
        if (error) return TFileResult::Failure("the folder cannot be created: " + error.message());
    }
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return TFileResult::Failure(ErrnoText(errno));
    TTemporaryFile temporary(fd, pattern);

    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(temporary.Fd(), mode);

    if (TFileResult written = WriteAll(calls, temporary.Fd(), contents); !written) return written;
    if (calls.Fsync(temporary.Fd()) != 0) return TFileResult::Failure(ErrnoText(errno));
    if (temporary.Close() != 0) return TFileResult::Failure(ErrnoText(errno));
    if (calls.Rename(temporary.Path().c_str(), target.c_str()) != 0) {
        return TFileResult::Failure(ErrnoText(errno));
    }
    temporary.Keep();
    SyncFolder(folder.empty() ? std::filesystem::path(".") : folder);
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
