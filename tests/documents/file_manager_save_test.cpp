// Saving: Save As gives the document its name only once the file is written, Save on an
// untitled document runs Save As, refused and failed saves leave everything as it was.

#include "documents/file_manager_fixture.h"

#include <filesystem>

#include "foundation/message_records.h"
#include "platform/ordinary_user.h"

namespace tally {
namespace {

namespace ev = events;
using test::FileManagerTest;

TEST_F(FileManagerTest, SaveAsNamesTheDocumentAndALaterSaveWritesToThatFile) {
    TFileManager& manager = Manager();
    manager.NewFile();
    Type(manager.Visible(), "3\n");
    const std::string fileName = folder_.File("first.tly");
    ASSERT_EQ(manager.SaveFileAs(manager.Visible(), fileName), "");
    const TOpenFileInfo saved = manager.VisibleFile();
    EXPECT_EQ(saved.FileNumber, 2);
    EXPECT_EQ(saved.FileName, Canonical(fileName));
    EXPECT_EQ(saved.TabCaption, "first.tly");
    EXPECT_FALSE(saved.Untitled);
    EXPECT_FALSE(saved.Modified);
    EXPECT_EQ(settings_.ReopenList(), std::vector<std::string>{Canonical(fileName)});

    Type(manager.Visible(), "4\n");
    EXPECT_EQ(manager.SaveFile(manager.Visible()), "");
    TTlyFile reread;
    ASSERT_TRUE(LoadTlyFile(reread, fileName).Ok);
    EXPECT_EQ(Entries(reread), Entries(manager.Visible()));
    // Saved under its own present name, it is saved again.
    Type(manager.Visible(), "5\n");
    EXPECT_EQ(manager.SaveFileAs(manager.Visible(), fileName), "");
    EXPECT_FALSE(manager.Visible().IsModified());
}

// "FileMgr_SaveFileByName" saves the document with that file, wherever it stands in the list;
// an untitled one has no file and is left alone.
TEST_F(FileManagerTest, SaveByNameSavesThatDocumentOnly) {
    TFileManager& manager = Manager();
    const std::string fileName = folder_.File("named.tly");
    ASSERT_EQ(manager.SaveFileAs(manager.Visible(), fileName), "");
    TTlyFile& named = manager.Visible();
    Type(named, "7\n");
    TTlyFile& untitled = manager.NewFile();
    Type(untitled, "8\n");

    TMedString name;
    name.Value = untitled.FileName();
    appBus_.Handle(ev::FileMgr_SaveFileByName, &name, nullptr);
    EXPECT_TRUE(untitled.IsModified());
    EXPECT_EQ(std::filesystem::directory_iterator(folder_.Path())->path().filename(), "named.tly");

    name.Value = named.FileName();
    appBus_.Handle(ev::FileMgr_SaveFileByName, &name, nullptr);
    EXPECT_FALSE(named.IsModified());
    EXPECT_TRUE(untitled.IsModified());
    TTlyFile reread;
    ASSERT_TRUE(LoadTlyFile(reread, fileName).Ok);
    EXPECT_EQ(Entries(reread), Entries(named));
}

// The file, the caption and the reopen list follow only a save that went through.
TEST_F(FileManagerTest, AFailedSaveAsKeepsTheNameTheChangesAndTheOldFile) {
    const std::string old = DocumentFile("old.tly", "1\n");
    const std::string oldBytes = test::ReadBytes(old);
    TFileManager& manager = Manager();
    manager.NewFile();
    Type(manager.Visible(), "2\n");
    calls_.Failing = true;
    const std::string failure = manager.SaveFileAs(manager.Visible(), old);
    EXPECT_TRUE(failure.starts_with("Cannot save file \"" + Canonical(old) + "\".  ")) << failure;
    const TOpenFileInfo kept = manager.VisibleFile();
    EXPECT_EQ(kept.FileName, "Untitled(2)");
    EXPECT_TRUE(kept.Untitled);
    EXPECT_TRUE(kept.Modified);
    EXPECT_EQ(test::ReadBytes(old), oldBytes);
    EXPECT_TRUE(settings_.ReopenList().empty());
    EXPECT_EQ(manager.LastFolder(), "");
}

TEST_F(FileManagerTest, SavingUnderTheNameOfAnotherOpenFileIsRefused) {
    const std::string taken = DocumentFile("taken.tly", "1\n");
    const std::string takenBytes = test::ReadBytes(taken);
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(taken));
    manager.NewFile();
    Type(manager.Visible(), "2\n");
    TMedFileMgr_SaveFileAs_DataIn names;
    names.PresentFileName = "Untitled(2)";
    names.NewFileName = taken;
    TMedString answer;
    appBus_.Handle(ev::FileMgr_SaveFileByNameAs, &names, &answer);
    EXPECT_EQ(answer.Value, kSameNameRefusal);
    EXPECT_EQ(test::ReadBytes(taken), takenBytes);
    EXPECT_TRUE(manager.VisibleFile().Untitled);

    // A present name that no open document has is answered, not taken for a save.
    names.PresentFileName = folder_.File("nowhere.tly");
    names.NewFileName = folder_.File("new.tly");
    appBus_.Handle(ev::FileMgr_SaveFileByNameAs, &names, &answer);
    EXPECT_EQ(answer.Value, "Save not done. No open file has the name \"" + names.PresentFileName + "\".");
    EXPECT_FALSE(std::filesystem::exists(names.NewFileName));

    names.PresentFileName = "Untitled(2)";
    appBus_.Handle(ev::FileMgr_SaveFileByNameAs, &names, &answer);
    EXPECT_EQ(answer.Value, "");
    EXPECT_EQ(manager.VisibleFile().FileName, Canonical(names.NewFileName));
}

// Save on a document never saved asks for a name; without one nothing is written.
TEST_F(FileManagerTest, SaveOnAnUntitledDocumentRunsSaveAs) {
    test::TWorkingFolder inFolder(folder_.Path());
    TFileManager& manager = Manager();
    Type(manager.Visible(), "5\n");
    appBus_.Handle(ev::FileMgr_SaveCurrentFile, nullptr, nullptr);
    EXPECT_EQ(asker_.OfferedNames, std::vector<std::string>{""});
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "Untitled(1)"));
    EXPECT_TRUE(manager.VisibleFile().Modified);

    asker_.Names.push_back(folder_.File("named.tly"));
    EXPECT_TRUE(manager.SaveVisible());
    EXPECT_EQ(manager.VisibleFile().TabCaption, "named.tly");
    EXPECT_FALSE(manager.VisibleFile().Modified);
    // The next Save As offers the file's name in its folder.
    asker_.Names.push_back(std::nullopt);
    EXPECT_FALSE(manager.SaveVisibleAs());
    EXPECT_EQ(asker_.OfferedNames.back(), "named.tly");
    EXPECT_EQ(asker_.StartFolders.back(), std::filesystem::path(Canonical(folder_.File("named.tly"))).parent_path());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1);
}

TEST_F(FileManagerTest, ASaveAsRefusalIsShownInANotifyBox) {
    const std::string taken = DocumentFile("taken.tly", "1\n");
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(taken));
    manager.NewFile();
    Type(manager.Visible(), "2\n");
    asker_.Names.push_back(taken);
    EXPECT_FALSE(manager.SaveVisibleAs());
    ASSERT_EQ(platform_.MessageBoxes().size(), 1u);
    EXPECT_EQ(platform_.MessageBoxes()[0].Text, kSameNameRefusal);
    EXPECT_EQ(platform_.MessageBoxes()[0].Caption, "Tallyroll - Notify");
    EXPECT_EQ(platform_.MessageBoxes()[0].Icon, TMessageBoxIcon::Warning);
}

TEST_F(FileManagerTest, ASaveIntoAReadOnlyFolderFailsAndKeepsTheDocumentModified) {
    namespace fs = std::filesystem;
    const std::string fileName = DocumentFile("locked.tly", "1\n");
    TFileManager& manager = Manager();
    ASSERT_TRUE(manager.OpenFile(fileName));
    Type(manager.Visible(), "2\n");
    fs::permissions(folder_.Path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const bool saved = [&] {
        const test::TAsOrdinaryUser ordinary;
        return manager.SaveVisible();
    }();
    fs::permissions(folder_.Path(), fs::perms::owner_all);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(manager.VisibleFile().Modified);
    ASSERT_EQ(platform_.MessageBoxes().size(), 1u);
    EXPECT_EQ(platform_.MessageBoxes()[0].Text,
              "Cannot save file \"" + Canonical(fileName) + "\".  Permission denied.");
}

}  // namespace
}  // namespace tally
