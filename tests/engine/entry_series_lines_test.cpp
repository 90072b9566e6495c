// Keys on lines other than the tape's last line: committing an edited entry with its automatic
// subtotals, the operator key that opens a new line, and the keys refused on total, separator
// and range lines.
#include "foundation/numbers/entry_checks.h"
#include "tape_route_typing.h"

namespace tally {
namespace {

using test::Rows;

const std::string kSep = "=|==========|";

class EarlierLineTest : public test::TypingTest {
protected:
    // 12 + 5 + 3 = 20, focus on the line given, whose text is replaced by typing.
    void FillSeries(LineIndex focus) {
        Fill({{" ", "+12.00"}, {" ", "+5.00"}, {" ", "+3.00"}, {"=", "=========="}, {"T", "20.00"}, {" ", ""}},
             focus);
        tape_.Editor().SelStart = 0;
        tape_.Editor().SelLength = static_cast<int>(tape_.Editor().Text.size());
    }
};

TEST_F(EarlierLineTest, EnterCommitsTheEditWithTheSubtotalsItsOperatorNeeds) {
    struct Case {
        std::string name;
        LineIndex line;
        std::string keys;
        Rows rows;
        std::string refusal;
    };
    for (const Case& c : {
             Case{"a plain change recalculates", 1, "6\n",
                  {" |+12.00|12.00", " |+6.00|18.00", " |+3.00|21.00", kSep, "T|21.00|21.00", " ||"}, ""},
             Case{"a product gets a subtotal before it", 2, "X2\n",
                  {" |+12.00|12.00", " |+5.00|17.00", kSep, "S|17.00|17.00", " |X2.00|34.00", kSep, "T|34.00|34.00",
                   " ||"},
                  ""},
             Case{"a product after the first entry needs a subtotal after it", 1, "X2\n",
                  {" |+12.00|12.00", " |X2.00|24.00", kSep, "S|24.00|24.00", " |+3.00|27.00", kSep, "T|27.00|27.00",
                   " ||"},
                  ""},
             Case{"an emptied entry becomes a subtotal", 1, "\b\n",
                  {" |+12.00|12.00", kSep, "S|12.00|12.00", " |+3.00|15.00", kSep, "T|15.00|15.00", " ||"}, ""},
             Case{"an emptied first entry is refused", 0, "\b\n",
                  {" ||", " |+5.00|", " |+3.00|", kSep, "T|20.00|", " ||"},
                  "The first line of a calculation series can not be a total line."},
             Case{"a total cannot come right before another", 2, "\b\n",
                  {" |+12.00|", " |+5.00|", " ||", kSep, "T|20.00|", " ||"},
                  "A total line can not immediately precede another total line."},
             Case{"another operator on an operator-only entry is refused", 1, "+-",
                  {" |+12.00|", " |+|", " |+3.00|", kSep, "T|20.00|", " ||"}, std::string(kInvalidEntryNumberMessage)},
         }) {
        SCOPED_TRACE(c.name);
        FillSeries(c.line);
        Beeps().clear();
        Type(c.keys);
        EXPECT_EQ(TapeRows(), c.rows);
        EXPECT_EQ(Beeps(), c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal});
    }
}

// The commit on the way out inserts a subtotal above the target; the focus still reaches the
// line aimed at.
TEST_F(EarlierLineTest, LeavingAnEditedLineCommitsItWithItsSubtotals) {
    FillSeries(2);
    Type("X2");
    tape_.KeyDown(TTapeKey::Down);
    RunRequests();
    EXPECT_EQ(TapeRows(), (Rows{" |+12.00|12.00", " |+5.00|17.00", kSep, "S|17.00|17.00", " |X2.00|34.00", kSep,
                                "T|34.00|34.00", " ||"}));
    EXPECT_EQ(tape_.FocusLine(), 5);
}

TEST_F(EarlierLineTest, EnterOnAnUnchangedLineDoesNothing) {
    FillSeries(1);
    tape_.Editor().SelLength = 0;
    const Rows before = TapeRows();
    Type("\n");
    EXPECT_EQ(TapeRows(), before);
    EXPECT_TRUE(Beeps().empty());
    EXPECT_EQ(tape_.FocusLine(), 1);
}

// The new line starts from the operator; dropping its typing leaves zero, a valid entry.
TEST_F(EarlierLineTest, AnOperatorKeyAfterTheNumberOpensANewLineBelow) {
    FillSeries(1);
    tape_.Editor().SelLength = 0;
    Type("+");
    EXPECT_EQ(tape_.FocusLine(), 2);
    EXPECT_EQ(tape_.Editor().Text, "+");
    EXPECT_EQ(tape_.SavedFocusEntry(), "+0.00");
    Type("4\n");
    EXPECT_EQ(TapeRows(), (Rows{" |+12.00|12.00", " |+5.00|17.00", " |+4.00|21.00", " |+3.00|24.00", kSep,
                                "T|24.00|24.00", " ||"}));
}

TEST_F(EarlierLineTest, KeysOnTotalAndSeparatorLines) {
    const std::string noNumbers =
        "Cannot enter numbers into the entries column of a total line, a zero total line, or a boundary line "
        "for an embedded series.";
    const std::string noDeleting =
        "Cannot delete characters in a total line, a zero total line, or an embedded series boundary line "
        "entries column.";
    struct Case {
        LineIndex line;
        char key;
        std::string refusal;
        LineIndex newLine;  // where a new entry line with the key's operator took the focus; -1 none
    };
    for (const Case& c : {Case{4, '7', noNumbers, -1}, Case{4, '\b', noDeleting, -1}, Case{4, '\r', noNumbers, -1},
                          Case{4, '\t', "", -1}, Case{4, 'a', "", 5}, Case{3, '*', "", 5}}) {
        SCOPED_TRACE(std::string(1, c.key) + " on line " + std::to_string(c.line));
        FillSeries(c.line);
        Beeps().clear();
        tape_.KeyPress(c.key);
        RunRequests();
        EXPECT_EQ(Beeps(), c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal});
        if (c.newLine < 0) {
            EXPECT_EQ(tape_.Lines().LineCount(), 6);
            continue;
        }
        EXPECT_EQ(tape_.FocusLine(), c.newLine);
        EXPECT_EQ(tape_.Lines().Indicator(c.newLine), " ");
        EXPECT_EQ(tape_.Editor().Text, std::string(1, c.key == 'a' ? '+' : 'X'));
        EXPECT_EQ(tape_.Lines().Entries(c.newLine + 1), "");  // the open last line below
    }
}

TEST_F(EarlierLineTest, OnlyTheOperatorOfAnExternalTotalLineChanges) {
    const std::string onlyOperator =
        "Only the arithmetic operator can be changed in an embedded series' external total line.";
    Fill({{"(", "", "STYP=e"}, {" ", "+7.00", "STYP=e"}, {"=", "==========", "STYP=e"}, {"T", "7.00", "STYP=e"},
          {")", "", "STYP=e,TT=DE,SDP=2"}, {" ", "+7.00"}, {" ", ""}},
         5);
    Type("5\b");
    EXPECT_EQ(Beeps(), (std::vector<std::string>{onlyOperator, onlyOperator}));
    EXPECT_EQ(tape_.Editor().Text, "+7.00");
    tape_.Editor().SelStart = 0;
    tape_.Editor().SelLength = 1;
    Beeps().clear();
    Type("-");
    EXPECT_TRUE(Beeps().empty());
    EXPECT_EQ(tape_.Editor().Text, "-7.00");
}

TEST_F(EarlierLineTest, GroupAndGrandTotalLinesRefuseChanges) {
    Fill({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00", "SDP=2"},
          {"[", "", "STYP=gro"}, {"g", "1.00", "STYP=gro"}, {"]", "", "STYP=gro"},
          {"{", "", "STYP=gra"}, {"G", "1.00", "STYP=gra"}, {"}", "", "STYP=gra"}, {" ", ""}});
    struct Case {
        LineIndex line;
        char key;
        std::string refusal;
    };
    for (const Case& c : {Case{5, '\b', "Cannot delete characters from a group total line entries column."},
                          Case{8, '\b', "Cannot delete characters from a grand total line entries column."},
                          Case{5, '7', "Cannot change the contents of the entries column in a group total line."},
                          Case{8, '+', "Cannot change the contents of the entries column in a grand total line."},
                          Case{4, 'X', "Cannot change the contents of the entries column in a group total line."},
                          Case{5, '\t', ""}}) {
        SCOPED_TRACE(std::to_string(c.line) + c.key);
        tape_.SetFocusLine(c.line);
        Beeps().clear();
        tape_.KeyPress(c.key);
        EXPECT_EQ(Beeps(), c.refusal.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.refusal});
        EXPECT_EQ(tape_.Lines().LineCount(), 11);
    }
}

}  // namespace
}  // namespace tally
