#include "settings/tly_text_file.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tally {

namespace {

constexpr std::size_t kReadBufferSize = 1 << 16;

std::string_view ErrorText(TWyn_TextFile::Error error) {
    switch (error) {
        case TWyn_TextFile::kFileNotFound: return "File not found.";
        case TWyn_TextFile::kCannotOpen: return "File cannot be opened.";
        case TWyn_TextFile::kFileNotOpen: return "File is not open.";
        case TWyn_TextFile::kAlreadyOpen: return "File is already open.";
        case TWyn_TextFile::kNotOpenForWriting: return "File not open for writing.";
        case TWyn_TextFile::kNotOpenForReading: return "File not open for reading.";
        case TWyn_TextFile::kNoError: break;
    }
    return {};
}

bool IsExistingFile(const std::string& fileName) {
    struct stat status {};
    return ::stat(fileName.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

TWyn_TextFile::TWyn_TextFile(const IFileCalls& calls) : calls_(calls) {}

// An open file is closed, so the lines written so far reach the disk.
TWyn_TextFile::~TWyn_TextFile() { Close(); }

void TWyn_TextFile::SetError(Error error) {
    lastError_ = error;
    lastErrorText_ = ErrorText(error);
    openFailure_.clear();
}

void TWyn_TextFile::ClearError() { SetError(kNoError); }

void TWyn_TextFile::Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    open_ = false;
    mode_ = kRead;
    fileName_.clear();
    currentLine_.clear();
    atEnd_ = false;
    fileSize_ = 0;
    readFailure_.clear();
    buffer_.reset();
    bufferStart_ = bufferEnd_ = 0;
    endOfFile_ = false;
    pending_.clear();
    pending_.shrink_to_fit();
    ClearError();
}

bool TWyn_TextFile::Open(const std::string& fileName, Mode mode) {
    if (open_) {
        SetError(kAlreadyOpen);
        return false;
    }
    if (mode == kAppend && !IsExistingFile(fileName)) {
        SetError(kFileNotFound);
        return false;
    }
    if (mode == kRead) {
        const int fd = OpenForReading(fileName);
        if (fd < 0) return false;
        fd_ = fd;
        buffer_ = std::make_unique<char[]>(kReadBufferSize);
        bufferStart_ = bufferEnd_ = 0;
        endOfFile_ = false;
        atEnd_ = !FillBuffer();
    } else {
        atEnd_ = true;
    }
    fileName_ = fileName;
    mode_ = mode;
    open_ = true;
    ClearError();
    return true;
}

// The descriptor of a regular file, its size noted, or -1 with the error set: a missing file is
// not found, any other refusal keeps the system's reason.
int TWyn_TextFile::OpenForReading(const std::string& fileName) {
    // Without waiting, so a pipe without a writer is refused below instead of blocking here.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            SetError(kFileNotFound);
        } else {
            FailOpen(std::generic_category().message(error));
        }
        return -1;
    }
    struct stat status {};
    std::string refusal;
    if (::fstat(fd, &status) != 0) {
        refusal = std::generic_category().message(errno);
    } else if (S_ISDIR(status.st_mode)) {
        refusal = std::generic_category().message(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        refusal = "Not a regular file";
    }
    if (refusal.empty() && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        refusal = std::generic_category().message(errno);
    }
    if (refusal.empty()) {
        fileSize_ = static_cast<std::uint64_t>(status.st_size);
        return fd;
    }
    ::close(fd);
    FailOpen(std::move(refusal));
    return -1;
}

void TWyn_TextFile::FailOpen(std::string reason) {
    SetError(kCannotOpen);
    openFailure_ = std::move(reason);
}

// Reads more of the file behind what is left in the buffer; false when nothing is left at all.
bool TWyn_TextFile::FillBuffer() {
    if (bufferStart_ < bufferEnd_) return true;
    bufferStart_ = bufferEnd_ = 0;
    while (!endOfFile_) {
        const ssize_t got = ::read(fd_, buffer_.get(), kReadBufferSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            readFailure_ = std::generic_category().message(errno);
            endOfFile_ = true;
            break;
        }
        if (got == 0) {
            endOfFile_ = true;
            break;
        }
        bufferEnd_ = static_cast<std::size_t>(got);
        return true;
    }
    return false;
}

bool TWyn_TextFile::ReadLine() {
    if (!open_) {
        SetError(kFileNotOpen);
        return false;
    }
    if (mode_ != kRead) {
        SetError(kNotOpenForReading);
        return false;
    }
    currentLine_.clear();
    if (atEnd_) return true;
    while (FillBuffer()) {
        const char* start = buffer_.get() + bufferStart_;
        const std::size_t available = bufferEnd_ - bufferStart_;
        const void* newline = std::memchr(start, '\n', available);
        const std::size_t length =
            newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) : available;
        currentLine_.append(start, std::min(length, lineLimit_ - std::min(lineLimit_, currentLine_.size())));
        bufferStart_ += newline ? length + 1 : length;
        if (newline) break;
    }
    if (!currentLine_.empty() && currentLine_.back() == '\r') currentLine_.pop_back();
    atEnd_ = !FillBuffer();
    return true;
}

bool TWyn_TextFile::WriteLine(std::string_view text) {
    if (!open_) {
        SetError(kFileNotOpen);
        return false;
    }
    if (mode_ == kRead) {
        SetError(kNotOpenForWriting);
        return false;
    }
    pending_.append(text);
    pending_.append("\r\n");
    currentLine_.assign(text);
    return true;
}

TFileResult TWyn_TextFile::Close() {
    if (!open_) return {};
    TFileResult result;
    if (mode_ == kWrite) {
        result = WriteFileAtomically(fileName_, pending_, calls_);
    } else if (mode_ == kAppend) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(fileName_, error);
        TFileText old = ReadWholeFile(fileName_, error ? 0 : static_cast<std::size_t>(size));
        result = old.Result;
        if (result) result = WriteFileAtomically(fileName_, old.Text + pending_, calls_);
    }
    Reset();
    return result;
}

}  // namespace tally
