// Opening documents: into the only empty document or beside the open ones, one document per
// file however it is named, and files that cannot be opened.

#include "documents/file_manager_fixture.h"

#include <filesystem>

namespace tally {
namespace {

using test::FileManagerTest;

TEST_F(FileManagerTest, AFileOpensIntoTheOnlyEmptyUnchangedDocument) {
    const std::string fileName = DocumentFile("sums.tly", "12\n");
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(fileName));
    const TOpenFileInfo opened = manager.VisibleFile();
    EXPECT_EQ(manager.Count(), 1);
    EXPECT_EQ(opened.FileNumber, 1);
    EXPECT_EQ(opened.FileName, Canonical(fileName));
    EXPECT_EQ(opened.TabCaption, "sums.tly");
    EXPECT_FALSE(opened.Untitled);
    EXPECT_FALSE(opened.Modified);
    EXPECT_EQ(Entries(manager.Visible()).front(), "+12.00");
    EXPECT_EQ(manager.WindowCaption(), "Tallyroll - sums.tly");
    EXPECT_EQ(settings_.ReopenList(), std::vector<std::string>{Canonical(fileName)});
    EXPECT_EQ(manager.LastFolder(), std::filesystem::path(Canonical(fileName)).parent_path().string());
}

// An empty document with an unsaved change (here a part enabled) is kept, with its title.
TEST_F(FileManagerTest, AFileOpensBesideAnEmptyDocumentWithUnsavedChanges) {
    const std::string fileName = DocumentFile("beside.tly", "1\n");
    TFileManager& manager = Manager();
    manager.Visible().MainTape().SetTitle("Budget");
    manager.Visible().EnableMemory(true);
    ASSERT_TRUE(manager.Visible().IsEmpty());
    ASSERT_TRUE(manager.OpenFile(fileName));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Untitled(1)", "beside.tly"}));
    EXPECT_EQ(manager.VisibleFile().FileNumber, 2);
    EXPECT_EQ(manager.DocumentByNumber(1)->MainTape().Title(), "Budget");
}

TEST_F(FileManagerTest, AFileOpensBesideADocumentThatHoldsSomething) {
    const std::string fileName = DocumentFile("second.tly", "2\n");
    TFileManager& manager = Manager();
    Type(manager.Visible(), "9\n");
    ASSERT_TRUE(manager.OpenFile(fileName));
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Entries(*manager.DocumentByNumber(1)).front(), "+9.00");
}

// However the name reaches the file, an open file is shown again, never opened twice.
TEST_F(FileManagerTest, OpeningAnOpenFileByAnotherNameShowsItsDocument) {
    const std::string fileName = DocumentFile("once.tly", "4\n");
    std::filesystem::create_directory(folder_.Path() / "sub");
    std::filesystem::create_symlink(fileName, folder_.Path() / "sub" / "link.tly");
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(fileName));
    manager.NewFile();
    Type(manager.Visible(), "1\n");
    for (const std::string& other : {folder_.File("sub/../once.tly"), folder_.File("sub/link.tly"),
                                     folder_.File("./once.tly")}) {
        SCOPED_TRACE(other);
        manager.ViewFile(2);
        ASSERT_TRUE(manager.OpenFile(other));
        EXPECT_EQ(manager.Count(), 2);
        EXPECT_EQ(manager.VisibleFile().FileNumber, 1);
    }
    // Saving the second document over that file is refused: the open one would overwrite it.
    manager.ViewFile(2);
    EXPECT_EQ(manager.SaveFileAs(manager.Visible(), folder_.File("sub/link.tly")), kSameNameRefusal);
    EXPECT_TRUE(manager.Visible().IsModified());
}

// A file whose name begins with "Untitled" is a file like any other.
TEST_F(FileManagerTest, ARelativeFileNamedUntitledIsARealFile) {
    const std::string fileName = DocumentFile("Untitled(1)", "6\n");
    test::TWorkingFolder inFolder(folder_.Path());
    TFileManager& manager = Manager();
    Type(manager.Visible(), "1\n");
    ASSERT_TRUE(manager.OpenFile("Untitled(1)"));
    ASSERT_EQ(manager.Count(), 2);
    TTlyFile& opened = manager.Visible();
    EXPECT_FALSE(manager.VisibleFile().Untitled);
    EXPECT_EQ(Entries(opened).front(), "+6.00");
    // It saves to its file; the untitled document of the same caption has none.
    Type(opened, "7\n");
    EXPECT_EQ(manager.SaveFile(opened), "");
    EXPECT_FALSE(opened.IsModified());
    manager.ViewFile(1);
    EXPECT_EQ(manager.SaveFile(manager.Visible()), kUntitledSaveRefusal);
    EXPECT_TRUE(manager.Visible().IsModified());
}

TEST_F(FileManagerTest, AFileThatCannotBeOpenedIsExplainedAndChangesNothing) {
    const std::string missing = folder_.File("missing.tly");
    const std::string notOurs = folder_.File("notes.txt");
    test::WriteBytes(notOurs, "shopping list\r\n");
    const std::string later = folder_.File("later.tly");
    test::WriteBytes(later, "[Tallyroll File Version 4]\r\n");
    const std::string broken = folder_.File("broken.tly");
    test::WriteBytes(broken, "[Tallyroll File Version 3]\r\n[TapeData]\r\n1 E +1.00\r\n1 S Q\r\n2 E \r\n2 S \r\n");
    struct Case {
        std::string fileName;
        std::string message;
    };
    const Case cases[] = {
        {missing, "File \"" + missing + "\" does not exist."},
        // A file name is the system's UTF-8; the message quotes it in the program's own text.
        {folder_.File("Caf\xC3\xA9.tly"), "File \"" + folder_.File("Caf\xE9.tly") + "\" does not exist."},
        {notOurs, "File \"" + notOurs + "\" is not a Tallyroll file."},
        {folder_.Path().string(), "File \"" + folder_.Path().string() + "\" is not a Tallyroll file."},
        {later, "File \"" + later +
                    "\" was created by a later version of Tallyroll.  This version of Tallyroll cannot open it.  To "
                    "use this file, download and install the latest version of Tallyroll."},
    };
    TFileManager& manager = Manager();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const int beeps = platform_.BeepCount();
        EXPECT_FALSE(manager.OpenFile(c.fileName));
        EXPECT_EQ(Shown(), c.message);
        EXPECT_TRUE(platform_.WindowVisible());
        EXPECT_EQ(platform_.BeepCount(), beeps + 1);
    }
    EXPECT_FALSE(manager.OpenFile(broken));
    EXPECT_EQ(Shown(), "Cannot open file \"" + broken + "\".  Line T1 has an unknown line indicator.");
    EXPECT_EQ(manager.Count(), 1);
    EXPECT_TRUE(manager.VisibleFile().Untitled);
    EXPECT_TRUE(settings_.ReopenList().empty());
}

TEST_F(FileManagerTest, OpeningQuietlyAnswersTheReadersMessageAndTypingGoesOnAtTheEndOfTheFile) {
    TFileManager& manager = Manager();
    const std::string missing = folder_.File("missing.tly");
    EXPECT_EQ(manager.OpenFileQuietly(missing), "Cannot open file \"" + missing + "\".  The file does not exist.");
    EXPECT_EQ(platform_.BeepCount(), 0);
    EXPECT_FALSE(platform_.WindowVisible());
    EXPECT_EQ(manager.Count(), 1);

    const std::string fileName = DocumentFile("sums.tly", "4+5+");
    EXPECT_EQ(manager.OpenFileQuietly(fileName), "");
    EXPECT_EQ(manager.VisibleFile().FileName, Canonical(fileName));
    Type(manager.Visible(), "6+");
    const std::vector<std::string> entries = Entries(manager.Visible());
    ASSERT_GE(entries.size(), 3U);
    EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.begin() + 3),
              (std::vector<std::string>{"+4.00", "+5.00", "+6.00"}));
}

TEST_F(FileManagerTest, AStartFileOpensIntoTheFirstDocument) {
    const std::string fileName = DocumentFile("start.tly", "8\n");
    settings_.MemoryEnabled = true;
    TFileManager& manager = Manager(fileName);
    EXPECT_EQ(manager.Count(), 1);
    EXPECT_EQ(manager.VisibleFile().FileName, Canonical(fileName));
    // The last run's set-up is for a new document, not for a file.
    EXPECT_EQ(manager.Visible().MemoryTape(), nullptr);
}

}  // namespace
}  // namespace tally
