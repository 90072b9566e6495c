// The tape's own part of the key route in the Entries column: refusals, the explanation
// cleared by each key, copy, cut and paste, Escape, the column widening, command letters,
// the repeated operator, the carrying of a key into the next series and the Delete key.
#include "tape_route_typing.h"

#include "foundation/numbers/entry_checks.h"

namespace tally {
namespace {

using test::KeypressRefusal;
using test::Rows;

constexpr std::string_view kPasteRefusedLine =
    "Cannot paste to the entries column of a total line, a zero total line, a group total line, a "
    "grand total line; or a boundary line for an embedded series, a group total, or a grand total.";
constexpr std::string_view kNoNumbersHere =
    "Cannot enter numbers into the entries column of a total line, a zero total line, or a boundary "
    "line for an embedded series.";

class TapeRouteTest : public test::TypingTest {
protected:
    // A closed series, then the empty last line.
    void FillClosedSeries(LineIndex focus = -1) {
        Fill({{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00", "TT=DE,SDP=2"}, {" ", ""}},
             focus);
    }
};

TEST_F(TapeRouteTest, ARefusedKeyExplainsAndTheNextAcceptedKeyClearsTheExplanation) {
    Type("q");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{KeypressRefusal('q')}));
    EXPECT_EQ(tape_.Editor().Text, "");
    Type("5");
    EXPECT_EQ(Explanation(), "");
    EXPECT_EQ(tape_.Editor().Text, "5");
    EXPECT_EQ(Beeps().size(), 1U);
}

// A selection is copied by the editor; with nothing selected the tape copies the whole cell.
TEST_F(TapeRouteTest, CopyIsLeftToTheEditorAndCutOnlyFromEntriesThatCanBeTyped) {
    Type("12");
    clipboard_.SetText("old");
    tape_.Editor().SelStart = 0;
    tape_.Editor().SelLength = 1;
    EXPECT_FALSE(tape_.KeyPress(TapeChar::kCtrlC));
    EXPECT_EQ(clipboard_.GetText(), "old");
    tape_.Editor().SelLength = 0;
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlC));
    EXPECT_EQ(clipboard_.GetText(), "12");
    EXPECT_EQ(tape_.Editor().Text, "12");
    EXPECT_FALSE(tape_.KeyPress(TapeChar::kCtrlX));
    EXPECT_TRUE(Beeps().empty());
    FillClosedSeries(2);
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlX));
    EXPECT_EQ(Explanation(),
              "Cannot cut the entry contents from:\r\n  --  a total line\r\n  --  a zero total line\r\n"
              "  --  an external total line\r\n  --  a boundary line\r\n  --  a group total line\r\n"
              "  --  a grand total line.");
    EXPECT_EQ(tape_.Lines().Entries(2), "5.00");
}

// Pasted text passes the checks of typed keys: what may stand at the caret, the 15-digit
// capacity and the first-entry operator. A refused paste leaves the entry as it was.
TEST_F(TapeRouteTest, PastedTextPassesTheChecksOfTypedKeys) {
    struct Case {
        std::string before;
        std::string clipboard;
        std::string after;
        std::string refusal;
    };
    const std::string capacity(kDigitCapacityMessage);
    for (const Case& c : {
             Case{"", "1,234.5\r\n", "1,234.5", ""},
             Case{"+1", "23", "+123", ""},
             Case{"", "123456789012345", "123456789012345", ""},
             Case{"", "12345678901234567890", "", capacity},
             Case{"", "0.1234567890123456789", "", capacity},
             Case{"+12345678901234", "56", "+12345678901234", capacity},
             Case{"", "12a4", "", "Clipboard text \"12a4\" not valid in the entries column."},
             // No control character reaches the explanation.
             Case{"", "12\r\n3\t4", "", "Clipboard text \"12  3 4\" not valid in the entries column."},
             Case{"", "X5", "", "Operator \"X\" is not valid in the first entry of a calculation series."},
         }) {
        SCOPED_TRACE(c.clipboard);
        Fill({{" ", c.before}});
        clipboard_.SetText(c.clipboard);
        Beeps().clear();
        EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlV));
        EXPECT_EQ(tape_.Editor().Text, c.after);
        EXPECT_EQ(tape_.Lines().Entries(0), c.after);
        EXPECT_EQ(Beeps(), c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal});
    }
    FillClosedSeries(2);
    clipboard_.SetText("7");
    tape_.KeyPress(TapeChar::kCtrlV);
    EXPECT_EQ(Explanation(), kPasteRefusedLine);
    EXPECT_EQ(tape_.Lines().Entries(2), "5.00");
}

TEST_F(TapeRouteTest, PastedAnnotationsLoseEveryLineBreakAndControlCharacter) {
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    ASSERT_TRUE(tape_.SelectCell(TTapeColumn::Annotations, 0));
    clipboard_.SetText("a\tb\rc\x01" "d\r\ne\nf");
    EXPECT_TRUE(tape_.KeyPress(TapeChar::kCtrlV));
    EXPECT_EQ(tape_.Lines().Annotations(0), "a b c d  e f");
    EXPECT_EQ(clipboard_.GetText(), "a\tb\rc\x01" "d  e\nf");
}

TEST_F(TapeRouteTest, EscapeDropsTheUncommittedChangeOfAnEarlierLine) {
    FillClosedSeries(0);
    Type("\b\b9");
    EXPECT_EQ(tape_.Editor().Text, "+5.9");
    Type("\x1B");
    EXPECT_EQ(tape_.Editor().Text, "+5.00");
    EXPECT_EQ(tape_.Lines().Entries(0), "+5.00");
    EXPECT_FALSE(tape_.FocusEntryChanged());
    EXPECT_TRUE(Beeps().empty());
}

TEST_F(TapeRouteTest, ATextWiderThanTheEntriesColumnWidensIt) {
    const int width = tape_.ColumnWidth(TTapeColumn::Entries);  // 14 characters of 7 pixels, plus 5
    Type("12345678901234");
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), width);
    EXPECT_TRUE(posted_.empty());
    Type("5");
    EXPECT_EQ(tape_.ColumnWidth(TTapeColumn::Entries), 15 * 7 + 5);
    EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::RecomputeWindowWidth}));
    EXPECT_EQ(tape_.Editor().Text, "123456789012345");
}

TEST_F(TapeRouteTest, CommandLettersAndARepeatedOperatorPostTheirRequests) {
    Type("m");
    Type("e");
    EXPECT_EQ(PostedCodes(), (std::vector<int>{requests::MemoryTotalToEntry, requests::RecallMemoryEntry}));
    EXPECT_EQ(tape_.Editor().Text, "");
    posted_.clear();
    Type("++");
    ASSERT_EQ(PostedCodes(), (std::vector<int>{requests::InsertNewEmbeddedSeriesCommand}));
    EXPECT_EQ(posted_.front().SecondParam, 0);
}

TEST_F(TapeRouteTest, AnOperatorOnAZeroTotalLineStartsANewLineBelowIt) {
    FillClosedSeries(3);
    Type("q");
    EXPECT_EQ(Explanation(), kNoNumbersHere);
    Type("+");
    EXPECT_EQ(TapeRows(), (Rows{" |+5.00|", "=|==========|", "T|5.00|", "Z|0.00|", " |+|", " ||"}));
    EXPECT_EQ(tape_.FocusLine(), 4);
    EXPECT_EQ(tape_.Editor().Text, "+");
}

// The key would be the first entry of the next series: an operator that needs a value before
// it is refused before any line goes in.
TEST_F(TapeRouteTest, AnOperatorThatCannotStartASeriesLeavesTheZeroTotalLineAlone) {
    for (const char key : std::string("Xx*/rp")) {
        SCOPED_TRACE(key);
        FillClosedSeries(3);
        Beeps().clear();
        Type(std::string(1, key));
        ASSERT_EQ(Beeps().size(), 1U);
        EXPECT_EQ(Beeps().front().rfind("Operator \"", 0), 0U);
        EXPECT_NE(Beeps().front().find("\" is not valid in the first entry of a calculation series."), std::string::npos);
        EXPECT_EQ(TapeRows(), (Rows{" |+5.00|", "=|==========|", "T|5.00|", "Z|0.00|", " ||"}));
        EXPECT_EQ(tape_.FocusLine(), 3);
    }
}

// A refusal names a control key instead of quoting it raw; Escape on the last line drops what
// is typed there.
TEST_F(TapeRouteTest, RefusalsNameControlKeysAndEscapeClearsTheLastLine) {
    struct Case {
        std::string keys;
        std::vector<std::string> beeps;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"\n", {test::KeypressRefusal("Enter")}, ""},
        {"12\x1B", {}, ""},
        {"\x1B", {}, ""},
        {"+\x1B" "5", {}, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        tape_.EraseTape();
        Beeps().clear();
        Type(c.keys);
        EXPECT_EQ(Beeps(), c.beeps);
        EXPECT_EQ(tape_.Editor().Text, c.text);
        EXPECT_EQ(tape_.Lines().LineCount(), 1);
    }
}

TEST_F(TapeRouteTest, DeleteKeyRefusesOnLinesThatCannotBeTyped) {
    FillClosedSeries(2);
    EXPECT_TRUE(tape_.KeyDown(TTapeKey::Delete));
    EXPECT_EQ(Explanation(),
              "Cannot delete characters in a total line, a zero total line, or an embedded series "
              "boundary line entries column.");
    EXPECT_EQ(tape_.Lines().Entries(2), "5.00");
    tape_.SetFocusLine(0);
    tape_.Editor().SelStart = 0;
    EXPECT_TRUE(tape_.KeyDown(TTapeKey::Delete));
    EXPECT_EQ(tape_.Editor().Text, "5.00");
}

}  // namespace
}  // namespace tally
