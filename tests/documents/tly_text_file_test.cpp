// The line-oriented text file: its refusals with their texts, line ends, and the end of file.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "documents/tly_test_files.h"
#include "platform/ordinary_user.h"
#include "settings/tly_text_file.h"

namespace tally {
namespace {

TEST(TextFile, RefusalsKeepTheirTexts) {
    test::TTempFolder folder;
    const std::string name = folder.File("text.txt");
    TWyn_TextFile file;
    EXPECT_FALSE(file.ReadLine());
    EXPECT_EQ(file.LastErrorText(), "File is not open.");
    EXPECT_FALSE(file.WriteLine("x"));
    EXPECT_EQ(file.LastError(), TWyn_TextFile::kFileNotOpen);
    EXPECT_FALSE(file.Open(name, TWyn_TextFile::kRead));
    EXPECT_EQ(file.LastErrorText(), "File not found.");
    EXPECT_FALSE(file.Open(name, TWyn_TextFile::kAppend));
    EXPECT_EQ(file.LastErrorText(), "File not found.");

    ASSERT_TRUE(file.Open(name, TWyn_TextFile::kWrite));
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(file.LastErrorText(), "");
    EXPECT_FALSE(file.Open(name, TWyn_TextFile::kWrite));
    EXPECT_EQ(file.LastErrorText(), "File is already open.");
    EXPECT_FALSE(file.ReadLine());
    EXPECT_EQ(file.LastErrorText(), "File not open for reading.");
    EXPECT_TRUE(file.WriteLine("first"));
    EXPECT_EQ(file.CurrentLine(), "first");
    EXPECT_TRUE(file.Close().Ok);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.FileName(), "");

    ASSERT_TRUE(file.Open(name, TWyn_TextFile::kAppend));
    EXPECT_TRUE(file.WriteLine("second"));
    EXPECT_TRUE(file.Close().Ok);
    EXPECT_EQ(test::ReadBytes(name), "first\r\nsecond\r\n");
    // Destroying an open file closes it.
    {
        TWyn_TextFile dropped;
        ASSERT_TRUE(dropped.Open(name, TWyn_TextFile::kAppend));
        dropped.WriteLine("third");
    }
    EXPECT_EQ(test::ReadBytes(name), "first\r\nsecond\r\nthird\r\n");

    ASSERT_TRUE(file.Open(name, TWyn_TextFile::kRead));
    EXPECT_FALSE(file.WriteLine("x"));
    EXPECT_EQ(file.LastErrorText(), "File not open for writing.");
    file.ClearError();
    EXPECT_EQ(file.LastError(), TWyn_TextFile::kNoError);
}

// Only a missing file is "not found"; a path that exists but cannot be read as a file keeps the
// system's reason, and a pipe is refused without waiting for a writer.
TEST(TextFile, OpeningForReadingTellsAMissingFileFromOneThatCannotBeRead) {
    test::TTempFolder folder;
    const std::string plain = folder.File("plain.txt");
    test::WriteBytes(plain, "x\r\n");
    const std::string pipe = folder.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    struct Case {
        std::string path;
        TWyn_TextFile::Error error;
        std::string failure;
    };
    std::vector<Case> cases = {
        {folder.File("missing.txt"), TWyn_TextFile::kFileNotFound, ""},
        {plain + "/inside.txt", TWyn_TextFile::kFileNotFound, ""},
        {folder.Path().string(), TWyn_TextFile::kCannotOpen, "Is a directory"},
        {pipe, TWyn_TextFile::kCannotOpen, "Not a regular file"},
    };
    const std::string locked = folder.File("locked.txt");
    test::WriteBytes(locked, "x\r\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    cases.push_back({locked, TWyn_TextFile::kCannotOpen, "Permission denied"});
    // Permission bits do not stop root: the files are opened as an ordinary user.
    namespace fs = std::filesystem;
    fs::permissions(folder.Path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    const test::TAsOrdinaryUser ordinary;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        TWyn_TextFile file;
        EXPECT_FALSE(file.Open(c.path, TWyn_TextFile::kRead));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.LastError(), c.error);
        EXPECT_EQ(file.OpenFailure(), c.failure);
        // The reason goes with the next outcome.
        ASSERT_TRUE(file.Open(plain, TWyn_TextFile::kRead));
        EXPECT_EQ(file.OpenFailure(), "");
    }
}

TEST(TextFile, ReadsCrLfAndBareLfLinesAndKnowsTheEnd) {
    test::TTempFolder folder;
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string longLine(200'000, 'x');
    for (const Case& c : {Case{"", {}}, Case{"a\r\nb\r\n", {"a", "b"}}, Case{"a\nb", {"a", "b"}},
                          Case{"a\r\n\r\nlone\rcr\n", {"a", "", "lone\rcr"}},
                          Case{longLine + "\n" + "z", {longLine, "z"}}}) {
        SCOPED_TRACE(c.bytes.size());
        const std::string name = folder.File("lines.txt");
        test::WriteBytes(name, c.bytes);
        TWyn_TextFile file;
        ASSERT_TRUE(file.Open(name, TWyn_TextFile::kRead));
        std::vector<std::string> lines;
        while (!file.AtEnd()) {
            ASSERT_TRUE(file.ReadLine());
            lines.push_back(file.CurrentLine());
        }
        EXPECT_EQ(lines, c.lines);
        ASSERT_TRUE(file.ReadLine());
        EXPECT_EQ(file.CurrentLine(), "");
    }

    // A line limit keeps the start of a long line and goes on after its end.
    const std::string name = folder.File("long.txt");
    test::WriteBytes(name, longLine + "\r\nnext\r\n");
    TWyn_TextFile file;
    ASSERT_TRUE(file.Open(name, TWyn_TextFile::kRead));
    file.SetLineLimit(5);
    ASSERT_TRUE(file.ReadLine());
    EXPECT_EQ(file.CurrentLine(), "xxxxx");
    ASSERT_TRUE(file.ReadLine());
    EXPECT_EQ(file.CurrentLine(), "next");
    EXPECT_TRUE(file.AtEnd());
}

}  // namespace
}  // namespace tally
