#pragma once
// TWyn_TextFile: a line-oriented text file for the document file, its version check and the
// text outputs. Lines end with CR LF when written; reading takes CR LF and bare LF.
//
// Reading goes through a buffer, so a line costs one search for its end. Writing collects the
// lines and hands them over at Close: a file opened for writing is replaced atomically (a
// temporary file in the same folder, synced, renamed over it), so a failed write leaves the
// old file as it was.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "settings/atomic_file.h"

namespace tally {

class TWyn_TextFile {
public:
    enum Mode : std::uint8_t { kRead = 0, kWrite = 1, kAppend = 2 };
    enum Error : std::uint8_t {
        kNoError = 0, kFileNotFound = 1, kFileNotOpen = 2, kAlreadyOpen = 3, kNotOpenForWriting = 4,
        kNotOpenForReading = 5, kCannotOpen = 6
    };

    explicit TWyn_TextFile(const IFileCalls& calls = SystemFileCalls());
    ~TWyn_TextFile();
    TWyn_TextFile(const TWyn_TextFile&) = delete;
    TWyn_TextFile& operator=(const TWyn_TextFile&) = delete;

    bool Open(const std::string& fileName, Mode mode);
    // Makes the next line the current one; at the end of the file the current line is empty.
    // True when the file was open for reading.
    bool ReadLine();
    // Lines read from now on keep at most this many characters; the rest of a longer line is
    // skipped (for a look at a file that may not be text at all).
    void SetLineLimit(std::size_t limit) { lineLimit_ = limit; }
    // Writes the text and a CR LF; the text becomes the current line.
    bool WriteLine(std::string_view text);
    // Closes an open file; for writing and appending this is when the lines reach the disk, and
    // a failure there is answered with its reason.
    TFileResult Close();
    void ClearError();

    bool AtEnd() const { return atEnd_; }
    Error LastError() const { return lastError_; }
    const std::string& LastErrorText() const { return lastErrorText_; }
    bool IsOpen() const { return open_; }
    Mode OpenMode() const { return mode_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& CurrentLine() const { return currentLine_; }
    // The size of the file open for reading, as it was when opened.
    std::uint64_t FileSize() const { return fileSize_; }
    // An operating system failure while reading; empty when there was none.
    const std::string& ReadFailure() const { return readFailure_; }
    // Why the last Open refused an existing path (kCannotOpen), as the system words it:
    // "Permission denied", "Is a directory"; empty after any other outcome.
    const std::string& OpenFailure() const { return openFailure_; }

private:
    void SetError(Error error);
    int OpenForReading(const std::string& fileName);
    void FailOpen(std::string reason);
    bool FillBuffer();
    void Reset();

    const IFileCalls& calls_;
    bool atEnd_ = false;
    Error lastError_ = kNoError;
    std::string lastErrorText_;
    bool open_ = false;
    Mode mode_ = kRead;
    std::string fileName_;
    std::string currentLine_;
    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
    std::string readFailure_;
    std::string openFailure_;
    std::unique_ptr<char[]> buffer_;
    std::size_t bufferStart_ = 0;
    std::size_t bufferEnd_ = 0;
    bool endOfFile_ = false;
    std::string pending_;  // the lines written since Open
    std::size_t lineLimit_ = static_cast<std::size_t>(-1);
};

}  // namespace tally
