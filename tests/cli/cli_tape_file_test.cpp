// tallyroll-cli tape saves the document after the keys (--save) and starts from a saved one
// (--open): what was typed comes back with every part, and failures end with status 1.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/tape_run.h"

namespace {

using tally::test::RunResult;
using tally::test::RunTape;

class CliTapeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("TALLYROLL_CLI") == nullptr) GTEST_SKIP() << "TALLYROLL_CLI is not set";
        std::string pattern = (std::filesystem::temp_directory_path() / "cli_tape_file_XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override {
        std::error_code error;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, error);
    }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    static std::string Bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder_;
};

TEST_F(CliTapeFileTest, ASavedDocumentOpensWithEveryPartAndTypingGoesOnAtTheEnd) {
    const std::string first = File("budget.tly");
    const RunResult typed =
        RunTape({"--save", first, "--keys",
                 "5+[EnableMemory][EnableSideTape][NewAuxTape=Rent]7+8\n[View=Tape]1\n[EnableTable]"});
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(typed.err, "");

    const RunResult opened = RunTape({"--open", first, "--show", "all", "--keys", "2\n"});
    EXPECT_EQ(opened.status, 0);
    EXPECT_EQ(opened.err, "");
    EXPECT_EQ(opened.out,
              "# Tape\nEntries\t \tTable Columns\n+5.00\t \t\n+1.00\t \t\n==========\t=\t\n6.00\tS\t\n"
              "+2.00\t \t\n==========\t=\t\n8.00\tT\t\n\t \t\n\n"
              "# Memory\nEntries\t \tTable Columns\n\t \t\n\n"
              "# Side Tape\nEntries\t \tTable Columns\n\t \t\n\n"
              "# Aux A\nEntries\t \tTable Columns\n+7.00\t \t\n+8.00\t \t\n==========\t=\t\n15.00\tT\t\n\t \t\n\n"
              "# Table A\n\n");

    // Opened and saved without a key, the document writes the same bytes.
    const std::string second = File("again.tly");
    const RunResult resaved = RunTape({"--open", first, "--save", second, "--keys", ""});
    EXPECT_EQ(resaved.status, 0) << resaved.err;
    EXPECT_EQ(Bytes(second), Bytes(first));
}

TEST_F(CliTapeFileTest, AFileThatCannotBeOpenedOrSavedEndsWithStatusOne) {
    const std::string notFolder = File("plain.txt");
    std::ofstream(notFolder) << "not a folder\n";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"--open", File("missing.tly"), "--keys", "1\n"},
         "Cannot open file \"" + File("missing.tly") + "\".  The file does not exist.\n"},
        {{"--open", notFolder, "--keys", "1\n"},
         "Cannot open file \"" + notFolder + "\".  It is not a Tallyroll file.\n"},
        {{"--save", notFolder + "/x.tly", "--keys", "1\n"}, "Cannot save file \"" + notFolder + "/x.tly\".  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const RunResult r = RunTape(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(r.err.back(), '\n');
    }
    EXPECT_FALSE(std::filesystem::exists(notFolder + "/x.tly"));
}

// A save that a command asked for and that did not happen fails the run once the keys are
// typed and the tape printed; the file keeps its bytes. The tool runs as an ordinary user, who
// may read the locked folder but not write into it.
TEST_F(CliTapeFileTest, ASaveACommandAskedForThatDidNotHappenEndsWithStatusOne) {
    namespace fs = std::filesystem;
    const std::string notFolder = File("plain.txt");
    std::ofstream(notFolder) << "not a folder\n";
    fs::create_directory(folder_ / "locked");
    const std::string kept = File("locked/kept.tly");
    ASSERT_EQ(RunTape({"--save", kept, "--keys", "1\n"}).status, 0);
    const std::string keptBytes = Bytes(kept);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder_, readOnly, fs::perm_options::add);
    fs::permissions(folder_ / "locked", readOnly);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"--keys", "1\n[FileMgr_SaveCurrentFile]"}, "message: Save not done. No file name was given.\n"},
        {{"--open", kept, "--keys", "2\n[FileMgr_SaveCurrentFile]"},
         "message: Cannot save file \"" + kept + "\".  Permission denied.\n"},
        {{"--keys", "1\n[FileMgr_SaveCurrentFileAs=" + notFolder + "/x.tly]"},
         "message: Cannot save file \"" + notFolder + "/x.tly\".  "},
        {{"--keys", "1\n[FileMgr_SaveFileByNameAs=Untitled(1)|" + File("locked/new.tly") + "]"},
         "answer: FileMgr_SaveFileByNameAs=Cannot save file \"" + File("locked/new.tly") + "\".  Permission denied.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const RunResult r = RunTape(c.args, "", true);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
        EXPECT_TRUE(r.out.starts_with("Entries\t \n+1.00\t \n")) << r.out;
    }
    EXPECT_EQ(Bytes(kept), keptBytes);
    fs::permissions(folder_ / "locked", fs::perms::owner_all);
}

// Saved through a symbolic link, the file it points at gets the document and the link stays.
TEST_F(CliTapeFileTest, SavingThroughASymbolicLinkWritesTheFileItPointsAt) {
    namespace fs = std::filesystem;
    fs::create_directory(folder_ / "real");
    const std::string target = File("real/budget.tly");
    const std::string link = File("budget.tly");
    ASSERT_EQ(RunTape({"--save", target, "--keys", "1+2\n"}).status, 0);
    fs::create_symlink("real/budget.tly", link);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--open", link, "--save", link, "--keys", "5\n"},
          {"--open", link, "--keys", "6\n[FileMgr_SaveCurrentFileAs=" + link + "]"},
          {"--save", link, "--keys", "7\n"}}) {
        SCOPED_TRACE(args.back());
        const RunResult saved = RunTape(args);
        ASSERT_EQ(saved.status, 0) << saved.err;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), "real/budget.tly");
        EXPECT_EQ(RunTape({"--open", target, "--keys", ""}).out, saved.out);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), {}), 1);
    }
}

// Linux allows names of up to 255 bytes.
TEST_F(CliTapeFileTest, NamesOfUpTo255BytesAreSavedAndOpened) {
    for (const std::size_t length : {std::size_t{248}, std::size_t{255}}) {
        SCOPED_TRACE(length);
        const std::string name = File(std::string(length - 4, 'n') + ".tly");
        const RunResult saved = RunTape({"--save", name, "--keys", "1+2\n"});
        ASSERT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(RunTape({"--open", name, "--keys", ""}).out, saved.out);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 2);
}

}  // namespace
