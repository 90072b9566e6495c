#include "settings/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "failing_file_calls.h"
#include "settings_test_folder.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public test::SettingsFolderTest {
protected:
    std::size_t FilesIn(const fs::path& folder) const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
        return count;
    }
    static std::set<std::string> NamesIn(const fs::path& folder) {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
        return names;
    }
};

// Calls that write half of the contents and then end the process (a save killed in the middle)
// or stop it (a save still running while another one happens).
class TInterruptingCalls : public IFileCalls {
public:
    explicit TInterruptingCalls(int signal) : signal_(signal) {}
    ssize_t Write(int fd, const char* data, std::size_t size) const override {
        const ssize_t written = IFileCalls::Write(fd, data, size / 2);
        ::raise(signal_);
        return written;
    }

private:
    int signal_;
};

// Starts a write of the target in a child that the signal interrupts halfway; the child is
// killed, or stays stopped until the caller kills it.
pid_t InterruptedWrite(const fs::path& target, int signal) {
    const pid_t child = ::fork();
    if (child == 0) {
        WriteFileAtomically(target, std::string(100000, 'n'), TInterruptingCalls(signal));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, signal == SIGSTOP ? WUNTRACED : 0);
    return child;
}

// Kills the child when the test is done with it, or leaves early.
class TChildKiller {
public:
    explicit TChildKiller(pid_t child) : child_(child) {}
    ~TChildKiller() { Kill(); }
    TChildKiller(const TChildKiller&) = delete;
    TChildKiller& operator=(const TChildKiller&) = delete;
    void Kill() {
        if (child_ <= 0) return;
        ::kill(child_, SIGKILL);
        int status = 0;
        ::waitpid(child_, &status, 0);
        child_ = 0;
    }

private:
    pid_t child_;
};

// Left-over files are taken for abandoned only once they are a little older than a fresh save.
void MakeOld(const fs::path& path) {
    const timespec minuteAgo{::time(nullptr) - 60, 0};
    const timespec times[2] = {minuteAgo, minuteAgo};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

TEST_F(AtomicFileTest, CreatesTheFolderAndReplacesTheFileWhole) {
    const fs::path target = root_ / "new" / "folder" / "tallyroll.ini";
    ASSERT_TRUE(WriteFileAtomically(target, "first\n"));
    ASSERT_TRUE(WriteFileAtomically(target, "second\n"));
    EXPECT_EQ(ReadText(target), "second\n");
    EXPECT_EQ(FilesIn(target.parent_path()), 1u);  // no temporary file left behind
}

TEST_F(AtomicFileTest, AFailedStepReportsTheReasonAndLeavesTheOldFileIntact) {
    struct Case {
        test::FailingStep step;
        const char* reason;
    };
    const Case cases[] = {
        {test::FailingStep::Write, "No space left on device"},
        {test::FailingStep::PartialWrite, "No space left on device"},
        {test::FailingStep::Fsync, "Input/output error"},
        {test::FailingStep::Rename, "Permission denied"},
    };
    const fs::path target = root_ / "tallyroll" / "tallyroll.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        WriteText(target, "[Old]\nKept=1\n");
        const TFileResult result = WriteFileAtomically(target, std::string(10000, 'n'), test::FailingCalls(c.step));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Reason, c.reason);
        EXPECT_EQ(ReadText(target), "[Old]\nKept=1\n");
        EXPECT_EQ(FilesIn(target.parent_path()), 1u);
    }
}

// Permission bits do not stop root, so a folder that cannot be made stands in for an
// unwritable one: its parent is a file.
TEST_F(AtomicFileTest, AFolderThatCannotBeMadeIsReported) {
    WriteText(root_ / "blocker", "a file where a folder should be");
    const TFileResult result = WriteFileAtomically(root_ / "blocker" / "tallyroll.ini", "x");
    EXPECT_FALSE(result);
    EXPECT_NE(result.Reason.find("the folder cannot be created"), std::string::npos) << result.Reason;
}

// A link keeps pointing where it did and its target gets the contents, wherever it lies.
TEST_F(AtomicFileTest, AWriteThroughASymbolicLinkReplacesItsTarget) {
    struct Case {
        const char* name;
        std::vector<std::pair<fs::path, fs::path>> links;  // link, what it points at
        fs::path written;                                   // the name written to
        fs::path target;                                    // the file that gets the contents
    };
    const fs::path real = root_ / "real";
    const Case cases[] = {
        {"relative link into another folder", {{root_ / "link.ini", "real/target.ini"}}, root_ / "link.ini",
         real / "target.ini"},
        {"absolute link", {{root_ / "link.ini", real / "target.ini"}}, root_ / "link.ini", real / "target.ini"},
        {"chain of links", {{root_ / "first.ini", "second.ini"}, {root_ / "second.ini", "real/target.ini"}},
         root_ / "first.ini", real / "target.ini"},
        {"link to a file not there yet", {{root_ / "link.ini", "real/new.ini"}}, root_ / "link.ini", real / "new.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& entry : fs::directory_iterator(root_)) fs::remove_all(entry.path());
        fs::create_directories(real);
        if (c.target.filename() == "target.ini") WriteText(c.target, "old\n");
        for (const auto& [link, pointed] : c.links) fs::create_symlink(pointed, link);

        ASSERT_TRUE(WriteFileAtomically(c.written, "new\n"));
        EXPECT_EQ(ReadText(c.target), "new\n");
        for (const auto& [link, pointed] : c.links) {
            EXPECT_TRUE(fs::is_symlink(link)) << link;
            EXPECT_EQ(fs::read_symlink(link), pointed);
        }
        EXPECT_EQ(FilesIn(real), 1u);
        EXPECT_EQ(FilesIn(root_), c.links.size() + 1);
    }
    // Links that point at each other name no file: refused, and nothing is written.
    for (const auto& entry : fs::directory_iterator(root_)) fs::remove_all(entry.path());
    fs::create_symlink("b.ini", root_ / "a.ini");
    fs::create_symlink("a.ini", root_ / "b.ini");
    const TFileResult loop = WriteFileAtomically(root_ / "a.ini", "x");
    EXPECT_FALSE(loop);
    EXPECT_EQ(loop.Reason, "Too many levels of symbolic links");
    EXPECT_EQ(FilesIn(root_), 2u);
}

// Linux allows names of up to 255 bytes; the temporary name must not be longer than that.
TEST_F(AtomicFileTest, NamesUpToTheLongestLegalOneAreWritten) {
    for (const std::size_t length : {std::size_t{248}, std::size_t{252}, std::size_t{255}}) {
        SCOPED_TRACE(length);
        const fs::path folder = root_ / std::to_string(length);
        const fs::path target = folder / (std::string(length - 4, 'n') + ".tly");
        ASSERT_TRUE(WriteFileAtomically(target, "first\n"));
        ASSERT_TRUE(WriteFileAtomically(target, "second\n"));
        EXPECT_EQ(ReadText(target), "second\n");
        EXPECT_EQ(FilesIn(folder), 1u);
    }
}

// A killed write leaves its temporary file under a name that tells whose it is; the next
// write of the same file removes it, and leaves alone the left-overs of other files, a save
// that is still running and files that are not ours.
TEST_F(AtomicFileTest, AWriteRemovesWhatKilledWritesOfTheSameFileLeftBehind) {
    const fs::path folder = root_ / "files";
    const fs::path target = folder / "tallyroll.ini";
    WriteText(target, "old\n");
    WriteText(folder / "other.ini", "other\n");
    WriteText(folder / ".tallyroll.ini.AbC123", "not ours");
    std::set<std::string> known = NamesIn(folder);
    const std::set<std::string> ours = known;
    // The one file the last step added.
    const auto added = [&] {
        std::set<std::string> now = NamesIn(folder);
        for (const std::string& name : known) now.erase(name);
        known = NamesIn(folder);
        return now.size() == 1 ? *now.begin() : std::string("(" + std::to_string(now.size()) + " files)");
    };

    InterruptedWrite(target, SIGKILL);
    const std::string killed = added();
    EXPECT_TRUE(killed.starts_with(".tallyroll.ini.tallyroll-save-")) << killed;
    EXPECT_EQ(ReadText(target), "old\n");
    InterruptedWrite(folder / "other.ini", SIGKILL);
    const std::string otherKilled = added();
    TChildKiller running(InterruptedWrite(target, SIGSTOP));
    const std::string stillRunning = added();
    for (const std::string& name : known) MakeOld(folder / name);

    ASSERT_TRUE(WriteFileAtomically(target, "new\n"));
    std::set<std::string> expected = ours;
    expected.insert({otherKilled, stillRunning});
    EXPECT_EQ(NamesIn(folder), expected);

    // Once that save is killed too, its file goes with the next write.
    running.Kill();
    MakeOld(folder / stillRunning);
    ASSERT_TRUE(WriteFileAtomically(target, "newer\n"));
    expected.erase(stillRunning);
    EXPECT_EQ(NamesIn(folder), expected);
    EXPECT_EQ(ReadText(target), "newer\n");
}

// The temporary name repeats the start of the file's name, cut between characters.
TEST_F(AtomicFileTest, ATemporaryNameRepeatsWholeCharactersOfTheName) {
    const std::string e = "\xC3\xA9";  // é in UTF-8
    std::string name = "a";
    for (int i = 0; i < 126; ++i) name += e;
    const fs::path folder = root_ / "accents";
    fs::create_directories(folder);
    InterruptedWrite(folder / name, SIGKILL);
    const std::set<std::string> names = NamesIn(folder);
    ASSERT_EQ(names.size(), 1u);
    std::string start = "a";
    for (int i = 0; i < 15; ++i) start += e;
    EXPECT_TRUE(names.begin()->starts_with("." + start + ".tallyroll-save-")) << *names.begin();
    EXPECT_LE(names.begin()->size(), 255u);
}

TEST_F(AtomicFileTest, ReadingRefusesOversizedFilesAndFolders) {
    const fs::path big = root_ / "big.ini";
    WriteText(big, std::string(kMaxSettingsFileSize + 1, 'x'));
    const TFileText tooBig = ReadWholeFile(big);
    EXPECT_TRUE(tooBig.Exists);
    EXPECT_FALSE(tooBig.Result);
    EXPECT_TRUE(tooBig.Text.empty());

    WriteText(big, std::string(kMaxSettingsFileSize, 'x'));
    EXPECT_TRUE(ReadWholeFile(big).Result);
    EXPECT_FALSE(ReadWholeFile(root_).Result);
    EXPECT_FALSE(ReadWholeFile(root_ / "missing.ini").Exists);
}

}  // namespace
}  // namespace tally
