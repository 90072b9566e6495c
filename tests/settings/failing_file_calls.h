#pragma once
// File calls that make one step of a write fail the way a full disk, a failing device or a
// refused rename would. Permission bits do not stop root, so tests fail writes this way.

#include <cerrno>

#include "settings/atomic_file.h"

namespace tally::test {

enum class FailingStep { Write, PartialWrite, Fsync, Rename };

class FailingCalls : public IFileCalls {
public:
    explicit FailingCalls(FailingStep step) : step_(step) {}
    ssize_t Write(int fd, const char* data, std::size_t size) const override {
        if (step_ == FailingStep::Write) return Fail(ENOSPC);
        if (step_ == FailingStep::PartialWrite) {
            if (wrote_) return Fail(ENOSPC);
            wrote_ = true;
            return IFileCalls::Write(fd, data, size / 2);
        }
        return IFileCalls::Write(fd, data, size);
    }
    int Fsync(int fd) const override { return step_ == FailingStep::Fsync ? Fail(EIO) : IFileCalls::Fsync(fd); }
    int Rename(const char* from, const char* to) const override {
        return step_ == FailingStep::Rename ? Fail(EACCES) : IFileCalls::Rename(from, to);
    }

private:
    static int Fail(int error) {
        errno = error;
        return -1;
    }
    FailingStep step_;
    mutable bool wrote_ = false;
};

}  // namespace tally::test
