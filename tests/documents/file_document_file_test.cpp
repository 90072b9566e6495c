// The document saving itself and being opened from its file: a fresh document takes the
// place of the open one only when the whole file was read; a failed save keeps the work marked
// as modified and the old file as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "documents/file_document.h"
#include "documents/posted_requests.h"
#include "documents/tly_document_dump.h"
#include "documents/tly_full_document.h"
#include "documents/tly_test_files.h"
#include "foundation/event_names.h"
#include "engine/tape_route_typing.h"
#include "links/link_test_fixture.h"
#include "settings/failing_file_calls.h"
#include "platform/ordinary_user.h"

namespace tally::test {
namespace {

class DocumentFileTest : public ::testing::Test {
protected:
    DocumentFileTest() : notifier_(platform_) { ServePostedRequests(fileBus_, queue_); }

    // Every document gets pages of its own, as the window gives each document its page control.
    TTlyFileSetup DocumentSetup() {
        TTlyFileSetup setup;
        setup.ParentBus = &fileBus_;
        setup.Clipboard = &clipboard_;
        setup.OwnPages = std::make_unique<HeadlessDocumentPages>();
        return setup;
    }

    // Types into the tapes of one document, running the requests they post as the window does.
    struct TTypist {
        DocumentFileTest& Test;
        TTlyFile& Document;
        void Type(TCalculator& tape, std::string_view keys) {
            TypeKeys(tape, keys, [this] { RunRequests(Document.MainTape()); });
        }
        void RunRequests(TCalculator&) {
            Test.queue_.Drain([this](const TDeferredRequest& request) { Document.RunRequest(request); });
        }
    };

    TBeepRecordingPlatform platform_;
    TInstalledNotifier notifier_;
    TStMediator fileBus_;
    TDeferredRequestQueue queue_;
    HeadlessClipboard clipboard_;
    TTempFolder folder_;
};

TEST_F(DocumentFileTest, AFullDocumentSavesAndOpensEqualAndSavesAgainToTheSameBytes) {
    TTlyFile original(DocumentSetup());
    TTypist typist{*this, original};
    FillFullDocument(original, typist);
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(original.IsModified());
    EXPECT_FALSE(original.HasFile());
    // Without a file of its own there is nothing to save to.
    EXPECT_FALSE(original.Save().Ok);
    EXPECT_FALSE(std::filesystem::exists(original.FileName()));

    const std::string first = folder_.File("first.tly");
    const TTlyFileResult saved = original.SaveAs(first);
    ASSERT_TRUE(saved.Ok) << saved.Reason;
    EXPECT_EQ(original.FileName(), first);
    EXPECT_TRUE(original.HasFile());
    EXPECT_FALSE(original.IsModified());

    TOpenedTlyFile opened = OpenTlyFile(DocumentSetup(), first);
    ASSERT_TRUE(opened.Document) << opened.Reason;
    TTlyFile& copy = *opened.Document;
    EXPECT_EQ(copy.FileName(), first);
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(copy.EnabledParts(), original.EnabledParts());
    EXPECT_EQ(DumpDocument(copy), DumpDocument(original));

    const std::string second = folder_.File("second.tly");
    ASSERT_TRUE(copy.SaveAs(second).Ok);
    EXPECT_EQ(ReadBytes(second), ReadBytes(first));
}

// The file's tables and auxiliary tapes are read as parts, not added as by the user: the table
// column stays as saved and the document opens on its main tape, without telling the window.
TEST_F(DocumentFileTest, OpeningKeepsTheSavedColumnsAndShowsTheMainTape) {
    TTlyFile original(DocumentSetup());
    TTypist{*this, original}.Type(original.MainTape(), "12+3\n");
    ASSERT_EQ(original.AddTableNamed(), "Table A");
    ASSERT_FALSE(original.AddAuxTape().empty());
    EXPECT_EQ(original.VisibleKind(), TVisibleKind::AuxTape);
    original.ShowColumn(TTapeColumn::TableColumns, false);
    ASSERT_TRUE(original.ShowByName("Tape"));
    const std::string file = folder_.File("parts.tly");
    ASSERT_TRUE(original.SaveAs(file).Ok);

    auto fresh = std::make_unique<TTlyFile>(DocumentSetup());
    std::vector<std::string> upward;
    for (const std::string_view event : {events::FileMgr_ShowTableColumnsState, events::FileMgr_VisibleDocumentChanged}) {
        fileBus_.Add(event, [&upward, event](TMedRecord*, TMedRecord*) { upward.emplace_back(event); });
    }
    TOpenedTlyFile opened = OpenTlyFileInto(std::move(fresh), file);
    ASSERT_TRUE(opened.Document) << opened.Reason;
    TTlyFile& copy = *opened.Document;
    EXPECT_EQ(copy.EnabledParts(), original.EnabledParts());
    for (const TCalculator* tape : copy.EnabledTapes()) {
        EXPECT_FALSE(tape->IsColumnShown(TTapeColumn::TableColumns)) << tape->TapeName();
    }
    EXPECT_EQ(copy.VisibleKind(), TVisibleKind::MainTape);
    EXPECT_EQ(copy.VisibleName(), "Tape");
    EXPECT_EQ(&copy.CurrentTape(), &copy.MainTape());
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(upward, std::vector<std::string>{});
}

TEST_F(DocumentFileTest, AFailedOpenAnswersNoDocumentAndLeavesTheOpenOneAsItWas) {
    TTlyFile open(DocumentSetup());
    TTypist{*this, open}.Type(open.MainTape(), "12+3\n");
    const std::string name = open.FileName();
    const std::string content = DumpDocument(open);

    // A stored circle of links: line 1 takes its value from line 3, which totals line 1.
    TTlyFile circle(DocumentSetup());
    ReplaceTapeLines(circle.MainTape(), {{" ", "+1.00", Lid("AD+", 1)},
                                         {"=", "=========="},
                                         {"T", "1.00", Lid("AS+", 1)},
                                         {"Z", "0.00"},
                                         {" ", ""}});
    const std::string circleFile = folder_.File("circle.tly");
    ASSERT_TRUE(circle.SaveAs(circleFile).Ok);
    const std::string notOurs = folder_.File("notes.tly");
    WriteBytes(notOurs, "shopping list\r\n");

    struct Case {
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {folder_.File("missing.tly"),
         "Cannot open file \"" + folder_.File("missing.tly") + "\".  The file does not exist."},
        {notOurs, "Cannot open file \"" + notOurs + "\".  It is not a Tallyroll file."},
        {folder_.Path().string(),
         "Cannot open file \"" + folder_.Path().string() + "\".  It cannot be read: Is a directory."},
        {circleFile, "Cannot open file \"" + circleFile + "\".  The links in the file form a circle: T1 to T3 to T1."},
    };
    for (const Case& c : cases) {
        const TOpenedTlyFile opened = OpenTlyFile(DocumentSetup(), c.file);
        EXPECT_EQ(opened.Document, nullptr) << c.file;
        EXPECT_EQ(CannotOpenFileMessage(c.file, opened.Reason), c.message);
    }
    EXPECT_EQ(open.FileName(), name);
    EXPECT_EQ(DumpDocument(open), content);
    EXPECT_TRUE(open.IsModified());
}

TEST_F(DocumentFileTest, AFailedSaveKeepsTheOldFileTheNameAndTheModifiedFlag) {
    TTlyFile document(DocumentSetup());
    const std::string target = folder_.File("kept.tly");
    ASSERT_TRUE(document.SaveAs(target).Ok);
    const std::string oldBytes = ReadBytes(target);
    TTypist{*this, document}.Type(document.MainTape(), "7+8\n");
    document.EnableMemory(true);
    ASSERT_TRUE(document.IsModified());

    for (const FailingStep step : {FailingStep::Write, FailingStep::Fsync, FailingStep::Rename}) {
        const TTlyFileResult saved = document.Save(FailingCalls(step));
        EXPECT_FALSE(saved.Ok);
        EXPECT_FALSE(saved.Reason.empty());
        EXPECT_TRUE(document.IsModified());
        EXPECT_TRUE(document.MainTape().IsModified());
        EXPECT_EQ(ReadBytes(target), oldBytes);
    }
    const TTlyFileResult elsewhere = document.SaveAs(folder_.File("other.tly"), FailingCalls(FailingStep::Rename));
    EXPECT_FALSE(elsewhere.Ok);
    EXPECT_EQ(document.FileName(), target);
    EXPECT_EQ(CannotSaveFileMessage(target, "Permission denied"),
              "Cannot save file \"" + target + "\".  Permission denied.");
}

TEST_F(DocumentFileTest, ASaveIntoAReadOnlyFolderFailsAndKeepsTheModifiedFlag) {
    namespace fs = std::filesystem;
    TTlyFile document(DocumentSetup());
    TTypist{*this, document}.Type(document.MainTape(), "7+8\n");
    const fs::path locked = folder_.Path() / "locked";
    fs::create_directory(locked);
    fs::permissions(folder_.Path(), fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    const TTlyFileResult refused = [&] {
        const test::TAsOrdinaryUser ordinary;
        return document.SaveAs((locked / "new.tly").string());
    }();
    EXPECT_FALSE(refused.Ok);
    EXPECT_FALSE(document.HasFile());
    EXPECT_TRUE(document.IsModified());
    EXPECT_FALSE(std::filesystem::exists(locked / "new.tly"));
}

}  // namespace
}  // namespace tally::test
