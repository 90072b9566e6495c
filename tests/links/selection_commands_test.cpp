// The selection commands on the focus cell's editor: what they cut, copy, paste and delete in
// the Entries and Annotations columns, and their silent refusals elsewhere.
#include "links/selection_commands.h"

#include "link_test_fixture.h"

namespace tally::test {
namespace {

class SelectionCommandsTest : public LinkTest {
protected:
    SelectionCommandsTest() {
        main_.SetClipboard(&clipboard_);
        main_.SetColumnShown(TTapeColumn::Annotations, true);
        ReplaceTapeLines(main_, {{" ", "+12.50"}, {"=", "=========="}, {"T", "12.50"}, {"Z", "0.00"}, {" ", ""}});
    }
    void Select(LineIndex line, TTapeColumn column, int start, int length) {
        main_.SetFocusLine(line);
        ASSERT_TRUE(main_.SelectCell(column, line));
        main_.Editor().SelStart = start;
        main_.Editor().SelLength = length;
    }
};

TEST_F(SelectionCommandsTest, EntriesAndAnnotationsTakeTheSelectedText) {
    main_.Lines().SetCell(0, TLineColumn::Annotations, "rent");
    using TCommand = bool (*)(TCalculator&);
    struct Case {
        const char* name;
        TCommand command;
        TTapeColumn column;
        std::string clipboardBefore, editorAfter, clipboardAfter;
    };
    const Case cases[] = {
        {"copy entry", SelCopy, TTapeColumn::Entries, "x", "+12.50", "12"},
        {"cut entry", SelCut, TTapeColumn::Entries, "x", "+.50", "12"},
        {"delete entry", SelDelete, TTapeColumn::Entries, "x", "+.50", "x"},
        {"paste entry", SelPaste, TTapeColumn::Entries, "34", "+34.50", "34"},
        {"copy annotation", SelCopy, TTapeColumn::Annotations, "x", "rent", "en"},
        {"cut annotation", SelCut, TTapeColumn::Annotations, "x", "rt", "en"},
        {"paste annotation", SelPaste, TTapeColumn::Annotations, "a\r\nb", "ra  bt", "a  b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main_.Lines().SetEntries(0, "+12.50");
        main_.Lines().SetCell(0, TLineColumn::Annotations, "rent");
        clipboard_.SetText(c.clipboardBefore);
        Select(0, c.column, 1, 2);
        main_.SetModified(false);
        EXPECT_TRUE(c.command(main_));
        EXPECT_EQ(main_.Editor().Text, c.editorAfter);
        EXPECT_EQ(main_.IsModified(), c.command != SelCopy);
        EXPECT_EQ(clipboard_.GetText(), c.clipboardAfter);
        EXPECT_EQ(platform_.BeepCount(), 0);
    }
}

TEST_F(SelectionCommandsTest, RefusalsBeepWithoutExplanationAndChangeNothing) {
    main_.SetColumnShown(TTapeColumn::TableColumns, true);
    using TCommand = bool (*)(TCalculator&);
    struct Case {
        const char* name;
        TCommand command;
        LineIndex line;
        TTapeColumn column;
        std::string clipboard;
    };
    const Case cases[] = {
        {"cut a total", SelCut, 2, TTapeColumn::Entries, "x"},
        {"delete a total", SelDelete, 2, TTapeColumn::Entries, "x"},
        {"paste into a total", SelPaste, 2, TTapeColumn::Entries, "5"},
        {"copy a separator line", SelCopy, 1, TTapeColumn::Entries, "x"},
        {"paste a record into an entry", SelPaste, 4, TTapeColumn::Entries, "[Tape Line]\r\nSessionId=1"},
        {"cut a table column cell", SelCut, 0, TTapeColumn::TableColumns, "x"},
        {"paste into a table column cell", SelPaste, 0, TTapeColumn::TableColumns, "3"},
    };
    int beeps = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clipboard_.SetText(c.clipboard);
        Select(c.line, c.column, 0, 2);
        const std::string before = main_.Editor().Text;
        EXPECT_FALSE(c.command(main_));
        EXPECT_EQ(platform_.BeepCount(), ++beeps);
        EXPECT_EQ(Explanation(), "");
        EXPECT_EQ(main_.Editor().Text, before);
        EXPECT_EQ(clipboard_.GetText(), c.clipboard);
    }
    // A total can be copied from, as Copy Line copies it.
    clipboard_.SetText("x");
    Select(2, TTapeColumn::Entries, 0, 2);
    EXPECT_TRUE(SelCopy(main_));
    EXPECT_EQ(clipboard_.GetText(), "12");
}


// The clipboard is entry text when the focus series takes each of its characters; Paste in the
// Entries column goes ahead exactly then.
TEST_F(SelectionCommandsTest, EntryTextTestAgreesWithPaste) {
    struct Case {
        std::string text;
        bool acceptable;
    };
    const Case cases[] = {
        {"34", true},
        {"34\r\n", true},
        {"", false},
        {"\r\n", false},
        {"3x4", false},
        {"3\r\n4", false},
        {"[Tape Line]\r\nSessionId=1\r\n", false},
        {std::string(1'000'000, 'q'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        main_.Lines().SetEntries(0, "+12.50");
        clipboard_.SetText(c.text);
        Select(0, TTapeColumn::Entries, 1, 2);
        EXPECT_EQ(IsAcceptableEntryText(main_, c.text), c.acceptable);
        EXPECT_EQ(SelPaste(main_), c.acceptable);
    }
}

}  // namespace
}  // namespace tally::test
