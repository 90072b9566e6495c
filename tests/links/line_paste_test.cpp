// Paste Line: the refusals in their order (none leaves a line behind), and what the receiving
// line takes of the record's entry, link and table column.
#include "links/line_paste.h"

#include "engine/records/tape_record.h"
#include "foundation/numbers/entry_checks.h"
#include "link_test_fixture.h"
#include "links/tape_edit_actions.h"

namespace tally::test {
namespace {

class LinePasteTest : public LinkTest {
protected:
    LinePasteTest() { SetUpTape(); }
    void SetUpTape() {
        ReplaceTapeLines(main_, {{" ", "+2.00", "LID=AS+" + Num(1)},
                                 {" ", "+", "LID=AD+" + Num(1)},
                                 {" ", "+", "LID=AS+" + Num(4)},
                                 {" ", "+", "TCID=c2,TCN=2"},
                                 {"=", "=========="},
                                 {"T", "2.00"},
                                 {"Z", "0.00", "TT=DE,SDP=2"},
                                 {" ", ""}});
    }

    void PutLine(std::string_view operation, std::string entry, std::string linkId, std::string tableColId = {},
                 std::string seriesType = {}, std::string sessionId = {}) {
        TLineRecord record;
        record.sessionId = sessionId.empty() ? manager_.SessionId() : sessionId;
        record.operation = std::string(operation);
        record.entry = std::move(entry);
        record.linkId = std::move(linkId);
        record.tableColId = std::move(tableColId);
        record.tableColNum = record.tableColId.empty() ? "" : "9";
        record.seriesType = std::move(seriesType);
        clipboard_.SetText(WriteLineRecord(record));
    }

    std::string Property(int line, std::string_view key) {
        return std::string(main_.Lines().Property(line - 1, key));
    }

    TLinePaster paster_{main_, clipboard_, manager_};
};

TEST_F(LinePasteTest, RefusalsComeInOrderAndLeaveTheTapeAsItWas) {
    struct Case {
        LineIndex focus;
        std::string operation, entry, linkId, tableColId, seriesType;
        std::string explanation;
    };
    const std::string source9 = "AS+" + Num(9);
    const Case cases[] = {
        {3, "cut", "+1.00", "", "c9", "",
         "Cannot paste a cut tape line containing a table column assignment to another tape line containing a table "
         "column assignment.  Paste the cut line somewhere else to avoid losing the table column assignment."},
        {3, "cut", "+1.00", source9, "", "",
         "Cannot paste a cut tape line containing a Link Source to another tape line containing a Table column "
         "assignment.  Paste the cut line somewhere else to avoid losing the Link Source."},
        {1, "copy", "+1.00", "AD+" + Num(1), "", "",
         "Cannot paste a Link Destination line to another Link Destination line, both of which have the same line as "
         "a Link Source."},
        {1, "copy", "+1.00", "AS+" + Num(1), "", "", "Cannot paste a Link Source line to one of its own Link Destination lines."},
        {2, "copy", "+1.00", "AD+" + Num(4), "", "", "Cannot paste a Link Destination line to its own Link Source line."},
        {2, "copy", "+1.00", "AS+" + Num(4), "", "", "Paste not done due to program logic error."},
        {1, "cut", "+1.00", source9, "", "",
         "Cannot paste a cut tape line containing a Link Source to another tape line that is linked.  Paste the cut "
         "line somewhere else to avoid losing the Link Source."},
        {0, "copy", "+1.00", "", "", "c",
         "The number on the clipboard (+1.00) is incompatible with the total type of the calculation series "
         "containing the focus highlight."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.explanation);
        PutLine(c.operation, c.entry, c.linkId, c.tableColId, c.seriesType);
        const std::string record = clipboard_.GetText();
        main_.SetFocusLine(c.focus);
        EXPECT_FALSE(paster_.PasteLine());
        EXPECT_EQ(Explanation(), c.explanation);
        EXPECT_EQ(main_.Lines().LineCount(), 8);
        EXPECT_EQ(Entry(main_, c.focus + 1), c.focus == 0 ? "+2.00" : "+");
        EXPECT_EQ(clipboard_.GetText(), record);
    }
    clipboard_.SetText("no record");
    EXPECT_FALSE(paster_.PasteLine());
    EXPECT_EQ(Explanation(), "Can not paste a tape line when the clipboard does notcontain a tape line.");
}

TEST_F(LinePasteTest, FirstLineOfASeriesLosesOnlyALeadingPlus) {
    struct Case {
        std::string entry, expected;
    };
    for (const Case& c : {Case{"+3.00", "3.00"}, Case{"-3.00", "-3.00"}}) {
        PutLine("copy", c.entry, "");
        main_.SetFocusLine(7);
        ASSERT_TRUE(paster_.PasteLine());
        EXPECT_EQ(Entry(main_, 8), c.expected);
    }
}

TEST_F(LinePasteTest, LineHoldingANumberGetsANewLineBeforeIt) {
    PutLine("copy", "+5.00", "");
    main_.SetFocusLine(0);
    ASSERT_TRUE(paster_.PasteLine());
    EXPECT_EQ(main_.Lines().LineCount(), 9);
    // Committed like a typed entry, which writes its operator.
    EXPECT_EQ(Entry(main_, 1), "+5.00");
    EXPECT_EQ(Entry(main_, 2), "+2.00");
    EXPECT_EQ(LinkOf(main_, 2), "AS+" + Num(1));
}

TEST_F(LinePasteTest, AQuickCopyTextInTheFocusEntryGivesWay) {
    struct Case {
        std::string typed, expected;
    };
    for (const Case& c : {Case{"c12", "5.00"}, Case{"-c3", "-5.00"}, Case{"+ct", "+5.00"}}) {
        SCOPED_TRACE(c.typed);
        PutLine("copy", "+5.00", "");
        main_.SetFocusLine(7);
        main_.WriteEntry(7, c.typed);
        ASSERT_TRUE(paster_.PasteLine());
        EXPECT_EQ(main_.Lines().LineCount(), 8) << "no new line for a quick copy text";
        EXPECT_EQ(Entry(main_, 8), c.expected);
    }
}

TEST_F(LinePasteTest, ANumberTheSeriesRefusesLeavesNoLineBehind) {
    PutLine("copy", "\xF7" "0.00", "");
    main_.SetFocusLine(0);
    EXPECT_TRUE(CanPasteLine(main_, clipboard_.GetText(), manager_.SessionId()));
    EXPECT_FALSE(paster_.PasteLine());
    EXPECT_EQ(Explanation(), "Can not divide by zero.");
    EXPECT_EQ(main_.Lines().LineCount(), 8);
    EXPECT_EQ(Entry(main_, 1), "+2.00");
}

// A destination receiving a paste lets go of its source only when its new number is taken: a
// number refused by the menu test or by the series' arithmetic leaves the link pair as it was.
TEST_F(LinePasteTest, AReceivingDestinationLeavesItsSourceOnlyWhenTheNumberIsTaken) {
    struct Case {
        const char* name;
        std::string operatorOnly, entry;
        bool canPaste, pasted;
        std::string entryAfter, explanation;
    };
    const Case cases[] = {
        {"no number", "+", "+5..00", false, false, "+", std::string(kInvalidEntryNumberMessage)},
        {"a division by zero", "\xF7", "+0.00", true, false, "\xF7", "Can not divide by zero."},
        {"a number", "+", "+5.00", true, true, "+5.00", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpTape();
        main_.WriteEntry(1, c.operatorOnly);
        PutLine("copy", c.entry, "");
        main_.SetFocusLine(1);
        EXPECT_EQ(CanPasteLine(main_, clipboard_.GetText(), manager_.SessionId()), c.canPaste);
        EXPECT_EQ(paster_.PasteLine(), c.pasted);
        if (!c.pasted) {
            EXPECT_NE(Explanation().find(c.explanation), std::string::npos);
        }
        EXPECT_EQ(Entry(main_, 2), c.entryAfter);
        EXPECT_EQ(LinkOf(main_, 1), c.pasted ? "" : "AS+" + Num(1));
        EXPECT_EQ(LinkOf(main_, 2), c.pasted ? "" : "AD+" + Num(1));
    }
}

TEST_F(LinePasteTest, APastedLineInsideTheTapeIsCommittedAndTotalled) {
    main_.SetColumnShown(TTapeColumn::Annotations, true);
    // The focus may stand in the Annotations column, whose text is then no entry to commit.
    for (const TTapeColumn focusColumn : {TTapeColumn::Entries, TTapeColumn::Annotations}) {
        SCOPED_TRACE(static_cast<int>(focusColumn));
        ReplaceTapeLines(main_, {{" ", "+2.00"}, {" ", ""}, {"=", "=========="}, {"T", "2.00"}, {"Z", "0.00"}, {" ", ""}},
                         1);
        main_.Lines().SetCell(1, TLineColumn::Annotations, "c2 is a note");
        ASSERT_TRUE(main_.SelectCell(focusColumn, 1));
        PutLine("copy", "+5.00", "");
        ASSERT_TRUE(paster_.PasteLine());
        EXPECT_EQ(main_.Lines().LineCount(), 6);
        EXPECT_EQ(Entry(main_, 2), "+5.00");
        EXPECT_EQ(Entry(main_, 4), "7.00");
        EXPECT_FALSE(main_.FocusEntryChanged());
    }
}

TEST_F(LinePasteTest, CopiedDestinationJoinsItsSourceOnlyWithinTheDocument) {
    PutLine("copy", "+2.00", "AD+" + Num(1));
    main_.SetFocusLine(7);
    ASSERT_TRUE(paster_.PasteLine());
    EXPECT_EQ(LinkDataNumber(LinkOf(main_, 8)), Num(1));
    EXPECT_EQ(LinkDataRole(LinkOf(main_, 8)), 'D');
    // The open line keeps the destination's number as the text it was given.
    EXPECT_EQ(main_.SavedFocusEntry(), "2.00");

    ReplaceTapeLines(main_, {{" ", ""}});
    PutLine("copy", "+2.00", "AD+" + Num(1), "", "", "9999999999999999");
    main_.SetFocusLine(0);
    ASSERT_TRUE(paster_.PasteLine());
    EXPECT_EQ(LinkOf(main_, 1), "");
}

TEST_F(LinePasteTest, CutLineHandsOverItsTableColumnAndClearsTheClipboard) {
    PutLine("cut", "+2.00", "", "c7");
    main_.SetFocusLine(7);
    ASSERT_TRUE(paster_.PasteLine());
    EXPECT_EQ(Property(8, LineKey::kTableColumnId), "c7");
    EXPECT_EQ(clipboard_.GetText(), "");
    // A copied one leaves its table column behind.
    ReplaceTapeLines(main_, {{" ", ""}});
    PutLine("copy", "+2.00", "", "c7");
    main_.SetFocusLine(0);
    ASSERT_TRUE(paster_.PasteLine());
    EXPECT_EQ(Property(1, LineKey::kTableColumnId), "");
    EXPECT_NE(clipboard_.GetText(), "");
}


// The menu test of Paste Line says yes exactly when the paste, run on the same tape, fills a
// line; asking never beeps.
TEST_F(LinePasteTest, PasteLineMenuTestAgreesWithThePaste) {
    main_.SetClipboard(&clipboard_);
    struct Case {
        const char* name;
        LineIndex focus;
        std::string operation, entry, linkId, seriesType, sessionId;
        bool expected;
    };
    const Case cases[] = {
        {"into the open last line", 7, "copy", "+5.00", "", "", "", true},
        {"before a line with a number", 0, "copy", "+5.00", "", "", "", true},
        {"into an operator beside a table column", 3, "copy", "+5.00", "", "", "", true},
        {"a source from another document", 7, "copy", "+1.00", "AS+" + Num(1), "", "9999999999999999", true},
        {"before a total indicator line", 4, "copy", "+5.00", "", "", "", true},
        {"a destination onto a destination of its source", 1, "copy", "+1.00", "AD+" + Num(1), "", "", false},
        {"an incompatible total type", 7, "copy", "+1.00", "", "c", "", false},
    };
    auto lineTexts = [this] {
        std::vector<std::string> texts;
        for (LineIndex line = 0; line <= main_.LastLine(); ++line) texts.emplace_back(main_.Lines().Entries(line));
        return texts;
    };
    auto check = [&](const std::string& name, LineIndex focus, bool expected) {
        SCOPED_TRACE(name);
        main_.SetFocusLine(focus);
        const int beeps = platform_.BeepCount();
        const bool can = CanPasteLine(main_, clipboard_.GetText(), manager_.SessionId());
        EXPECT_EQ(platform_.BeepCount(), beeps);
        EXPECT_EQ(can, expected);
        const auto before = lineTexts();
        ASSERT_TRUE(RunTapeEditAction(main_, manager_, "LinePaste"));
        EXPECT_EQ(lineTexts() != before, can);
    };
    for (const Case& c : cases) {
        SetUpTape();
        PutLine(c.operation, c.entry, c.linkId, {}, c.seriesType, c.sessionId);
        check(c.name, c.focus, c.expected);
    }
    // A line record cut short is none.
    PutLine("copy", "+5.00", "");
    clipboard_.SetText(clipboard_.GetText().substr(0, 40));
    check("a record cut short", 7, false);
    clipboard_.SetText("12.50");
    check("a foreign text", 7, false);
}

}  // namespace
}  // namespace tally::test
