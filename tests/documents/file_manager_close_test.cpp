// Closing a document and leaving the program: the save questions, their answers, and a save
// that did not happen stopping the close.

#include "documents/file_manager_fixture.h"

namespace tally {
namespace {

using test::FileManagerTest;
using Answer = TMessageBoxAnswer;

std::string ChangedQuestion(const std::string& name) {
    return "File \"" + name + "\" changed.  \r\nDo you want to save the changes?";
}

class FileManagerCloseTest : public FileManagerTest {
protected:
    // Two documents: an untitled one, and the file "kept.tly" with a change, shown.
    void OpenChangedFile() {
        fileName_ = DocumentFile("kept.tly", "1\n");
        oldBytes_ = test::ReadBytes(fileName_);
        Type(Manager().Visible(), "9\n");
        ASSERT_TRUE(Manager().OpenFile(fileName_));
        Type(Manager().Visible(), "2\n");
    }
    std::string fileName_;
    std::string oldBytes_;
};

TEST_F(FileManagerCloseTest, ClosingAChangedFileAsksAndFollowsTheAnswer) {
    struct Case {
        Answer answer;
        bool closed;
        bool saved;
    };
    for (const Case& c : {Case{Answer::Yes, true, true}, Case{Answer::No, true, false},
                          Case{Answer::Cancel, false, false}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        manager_.reset();
        asker_.Questions.clear();
        OpenChangedFile();
        TFileManager& manager = Manager();
        asker_.Answers.push_back(c.answer);
        const int beeps = platform_.BeepCount();
        EXPECT_EQ(manager.CloseVisible(), c.closed);
        EXPECT_EQ(asker_.Questions, std::vector<std::string>{ChangedQuestion("kept.tly")});
        EXPECT_EQ(platform_.BeepCount(), beeps + 1);
        EXPECT_EQ(manager.Count(), c.closed ? 1 : 2);
        EXPECT_EQ(test::ReadBytes(fileName_) != oldBytes_, c.saved);
        if (c.closed) {
            EXPECT_EQ(settings_.ReopenList().front(), Canonical(fileName_));
            EXPECT_EQ(manager.VisibleFile().FileNumber, 1);
        }
    }
}

TEST_F(FileManagerCloseTest, AnUnchangedDocumentOrAnEmptyUntitledOneClosesWithoutAQuestion) {
    TFileManager& manager = Manager();
    manager.Visible().EnableMemory(true);  // changed, but untitled and empty
    manager.NewFile();
    EXPECT_TRUE(manager.CloseVisible());
    EXPECT_TRUE(manager.CloseVisible());
    EXPECT_TRUE(asker_.Questions.empty());
    EXPECT_EQ(manager.Count(), 1);
}

// A failed save counts as not saved: the document stays open with its changes.
TEST_F(FileManagerCloseTest, AFailedSaveStopsTheCloseAndKeepsTheChanges) {
    OpenChangedFile();
    TFileManager& manager = Manager();
    calls_.Failing = true;
    asker_.Answers.push_back(Answer::Yes);
    EXPECT_FALSE(manager.CloseVisible());
    EXPECT_EQ(manager.Count(), 2);
    EXPECT_TRUE(manager.VisibleFile().Modified);
    EXPECT_EQ(test::ReadBytes(fileName_), oldBytes_);
    ASSERT_EQ(platform_.MessageBoxes().size(), 1u);
    EXPECT_TRUE(platform_.MessageBoxes()[0].Text.starts_with("Cannot save file \"" + Canonical(fileName_) + "\"."));
    // Yes on an untitled document asks for a name; cancelling the dialog stops the close too.
    manager.ViewFile(1);
    asker_.Answers.push_back(Answer::Yes);
    EXPECT_FALSE(manager.CloseVisible());
    EXPECT_EQ(manager.Count(), 2);
    EXPECT_EQ(asker_.OfferedNames, std::vector<std::string>{""});
}

TEST_F(FileManagerCloseTest, LeavingWithOneChangedFileAsksAboutIt) {
    OpenChangedFile();
    TFileManager& manager = Manager();
    manager.ViewFile(1);
    asker_.Answers.push_back(Answer::No);
    ASSERT_TRUE(manager.CloseVisible());  // the untitled one, unsaved
    asker_.Questions.clear();
    asker_.Answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(manager.QueryExit());
    EXPECT_TRUE(manager.QueryExit());
    EXPECT_EQ(asker_.Questions, std::vector<std::string>(2, ChangedQuestion("kept.tly")));
    EXPECT_NE(test::ReadBytes(fileName_), oldBytes_);
    EXPECT_TRUE(manager.QueryExit());  // nothing changed any more
    EXPECT_EQ(asker_.Questions.size(), 2u);
}

TEST_F(FileManagerCloseTest, LeavingWithSeveralChangedFilesAsksFirstAboutAllThenAboutEach) {
    OpenChangedFile();
    TFileManager& manager = Manager();
    const std::string all = "Files \r\n\"Untitled(1)\", \"kept.tly\" changed.  \r\n"
                            "Do you want to save one or more of the changed files?";
    // Cancel to the first single question keeps the program open and both documents.
    asker_.Answers = {Answer::Yes, Answer::Cancel};
    EXPECT_FALSE(manager.QueryExit());
    EXPECT_EQ(asker_.Questions, (std::vector<std::string>{all, ChangedQuestion("Untitled(1)")}));
    EXPECT_EQ(manager.Count(), 2);
    // No to the question about all leaves without saving.
    asker_.Questions.clear();
    asker_.Answers = {Answer::No};
    EXPECT_TRUE(manager.QueryExit());
    EXPECT_EQ(asker_.Questions, std::vector<std::string>{all});
    EXPECT_EQ(test::ReadBytes(fileName_), oldBytes_);
    // No to the first, Yes to the second: only the file is saved, and the program may end.
    asker_.Questions.clear();
    asker_.Answers = {Answer::Yes, Answer::No, Answer::Yes};
    EXPECT_TRUE(manager.QueryExit());
    EXPECT_EQ(asker_.Questions, (std::vector<std::string>{all, ChangedQuestion("Untitled(1)"), ChangedQuestion("kept.tly")}));
    EXPECT_NE(test::ReadBytes(fileName_), oldBytes_);
    EXPECT_TRUE(manager.DocumentByNumber(1)->IsModified());
}

TEST_F(FileManagerCloseTest, AFailedSaveWhenLeavingKeepsTheProgramOpen) {
    OpenChangedFile();
    TFileManager& manager = Manager();
    manager.ViewFile(1);
    asker_.Answers.push_back(Answer::No);
    ASSERT_TRUE(manager.CloseVisible());
    calls_.Failing = true;
    asker_.Answers = {Answer::Yes};
    EXPECT_FALSE(manager.QueryExit());
    EXPECT_TRUE(manager.VisibleFile().Modified);
    EXPECT_EQ(test::ReadBytes(fileName_), oldBytes_);
}

// An emptied file is a change to its file: it is asked about like any other.
TEST_F(FileManagerCloseTest, AFileEmptiedSinceItWasSavedIsAskedAbout) {
    OpenChangedFile();
    TFileManager& manager = Manager();
    manager.Visible().MainTape().EraseTape();
    ASSERT_TRUE(manager.Visible().IsEmpty());
    asker_.Answers = {Answer::Cancel};
    EXPECT_FALSE(manager.CloseVisible());
    EXPECT_EQ(asker_.Questions, std::vector<std::string>{ChangedQuestion("kept.tly")});
}

}  // namespace
}  // namespace tally
