// Zero Total, Erase Tape, Delete Series, Insert New Series and placing a number on a headless
// tape: the main paths and every refusal with its text.
#include "engine/lines/calc_params.h"
#include "engine/series/standard_series.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"
#include "tape_test_fixture.h"

namespace tally {
namespace {

using test::TapeRow;
using test::Texts;

const std::string kDivide = "\xF7";

class EditingSeriesTest : public test::TapeTest {
protected:
    // The rows recalculated as a typed tape would be, with the focus on the line given.
    void FillRecalculated(std::span<const TapeRow> rows, LineIndex focus = -1) {
        Fill(rows, focus);
        tape_.StandardSeries().Recalculate(tape_.LastLine());
        tape_.SetFocusLine(tape_.FocusLine());
    }
    void FillRecalculated(std::initializer_list<TapeRow> rows, LineIndex focus = -1) {
        FillRecalculated(std::span<const TapeRow>(rows.begin(), rows.size()), focus);
    }
    void Type(const std::string& text) {
        for (char c : text) tape_.KeyPress(c);
    }
};

TEST_F(EditingSeriesTest, ZeroTotalOnTheLastLineCommitsTheEntryOnceAndClosesTheSeries) {
    tape_.SetDataEntryOption(3);
    FillRecalculated({{" ", "+12.00"}, {" ", ""}});
    Type("+3");
    ASSERT_TRUE(tape_.ZeroTotal());
    EXPECT_EQ(Entries(), (Texts{"+12.00", "+3.00", "==========", "15.00", "0.00", ""}));
    EXPECT_EQ(Indicators(), (Texts{" ", " ", "=", "T", "Z", " "}));
    EXPECT_EQ(tape_.RunningValue(), 0);
    EXPECT_EQ(tape_.FocusLine(), 5);
    EXPECT_FALSE(tape_.InReviewMode());
    EXPECT_FALSE(Posted(117));  // no second Zero Total queued

    // A total already ends the open series: only the zero total line is added.
    FillRecalculated({{" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {" ", ""}});
    ASSERT_TRUE(tape_.ZeroTotal());
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "T", "Z", " "}));
}

TEST_F(EditingSeriesTest, ZeroTotalOnTheLastLineRefusesAnEmptyFirstLineOrABadEntry) {
    const std::string firstLine = "The first line in a calculation series can not be a zero total line.";
    for (const std::string& entry : {std::string(), std::string("+"), std::string("X")}) {
        SCOPED_TRACE(entry);
        FillRecalculated({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00"}, {" ", entry}});
        EXPECT_FALSE(tape_.ZeroTotal());
        EXPECT_EQ(Explanation(), firstLine);
        EXPECT_EQ(tape_.Lines().LineCount(), 5);
    }
    FillRecalculated({{" ", "+12.00"}, {" ", ""}});
    Type(kDivide + "0");
    EXPECT_FALSE(tape_.ZeroTotal());
    EXPECT_EQ(Explanation(), "Can not divide by zero.");
    EXPECT_EQ(tape_.Lines().LineCount(), 2);
    EXPECT_EQ(tape_.RunningValue(), 12);
}

TEST_F(EditingSeriesTest, ZeroTotalOnAnEarlierLineRefusalsInOrder) {
    const std::vector<test::RefusalCase> cases = {
        {"first line", {{" ", ""}, {" ", "+1"}, {" ", ""}}, 0,
         "The first line in a calculation series can not be a zero total line."},
        {"entry holds a number", {{" ", "+1"}, {" ", "+2"}, {" ", ""}}, 1,
         "The entry with the focus highlight must be empty to insert a zero total line."},
        {"before a total", {{" ", "+1"}, {" ", ""}, {"=", "=========="}, {"T", ""}, {"Z", ""}, {" ", ""}}, 1,
         "A zero total line cannot immediately precede a subtotal line or total line."},
        {"before a zero total", {{" ", "+1"}, {"=", "=========="}, {"T", ""}, {" ", ""}, {"Z", ""}, {" ", ""}}, 3,
         "A zero total line cannot immediately precede another zero total line."},
        {"before a multiplication", {{" ", "+1"}, {" ", ""}, {" ", "X2"}, {" ", ""}}, 1,
         "A zero total line cannot immediately precede a line containing a X, " + kDivide + ", P, or R operator."},
    };
    for (const test::RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        FillRecalculated(c.rows, c.focus);
        const Texts before = Entries();
        EXPECT_FALSE(tape_.CanZeroTotal());
        EXPECT_FALSE(tape_.ZeroTotal());
        EXPECT_EQ(Explanation(), c.refusal);
        EXPECT_EQ(Entries(), before);
    }
}

TEST_F(EditingSeriesTest, ZeroTotalOnAnEarlierLineSplitsTheSeries) {
    FillRecalculated({{" ", "+10"}, {" ", ""}, {" ", "+3"}, {" ", ""}}, 1);
    ASSERT_TRUE(tape_.CanZeroTotal());
    ASSERT_TRUE(tape_.ZeroTotal());
    EXPECT_EQ(Entries(), (Texts{"+10.00", "==========", "10.00", "0.00", "+3.00", ""}));
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "T", "Z", " ", " "}));
    EXPECT_EQ(tape_.FocusLine(), 3);
    EXPECT_EQ(tape_.RunningValue(), 3);

    // After a total the empty line itself becomes the zero total line.
    FillRecalculated({{" ", "+10"}, {"=", "=========="}, {"T", "10.00"}, {" ", ""}, {" ", "+3"}, {" ", ""}}, 3);
    ASSERT_TRUE(tape_.ZeroTotal());
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "T", "Z", " ", " "}));
    EXPECT_EQ(tape_.Lines().Property(2, LineKey::kTotalStatusFlag), "I");
    EXPECT_EQ(tape_.Lines().Property(3, LineKey::kDecimalPlaces), "2");
}

TEST_F(EditingSeriesTest, EraseTapeLeavesOneEmptyLineAndKeepsTheSeriesSettings) {
    FillRecalculated({{" ", "+10"}, {"=", "=========="}, {"T", ""}, {"Z", "0.000", "SDP=3,TT=T3"}, {" ", "+7"}, {" ", ""}}, 0);
    std::vector<int> lineNumbers;
    tape_.Hooks().OnLineNumberChange = [&](TCalculator&, int number) { lineNumbers.push_back(number); };
    tape_.EraseTape();
    EXPECT_EQ(Entries(), (Texts{""}));
    EXPECT_EQ(tape_.FocusLine(), 0);
    EXPECT_FALSE(tape_.InReviewMode());
    EXPECT_EQ(tape_.RunningValue(), 0);
    EXPECT_EQ(tape_.OpenSeriesDecimalPlaces(), 3);
    EXPECT_EQ(tape_.OpenSeriesTotalType(), "T3");
    EXPECT_EQ(lineNumbers, (std::vector<int>{1}));
}

TEST_F(EditingSeriesTest, DeleteSeriesRemovesTheFocusSeriesAndRangesThatCollectOnlyIt) {
    const std::vector<TapeRow> twoClosed = {{" ", "+1"}, {"=", "=========="}, {"T", ""}, {"Z", "0.00"},
                                            {" ", "+2"}, {"=", "=========="}, {"T", ""}, {"Z", "0.00"}};
    std::vector<TapeRow> rows = twoClosed;
    rows.push_back({"[", "", "STYP=gro"});
    rows.push_back({"g", "", "STYP=gro"});
    rows.push_back({"]", "", "STYP=gro"});
    rows.push_back({" ", ""});
    FillRecalculated(rows, 5);
    ASSERT_TRUE(tape_.DeleteSeries());
    EXPECT_EQ(Indicators(), (Texts{" ", "=", "T", "Z", "[", "g", "]", " "}));
    EXPECT_EQ(tape_.FocusLine(), 4);
    EXPECT_EQ(tape_.Lines().Property(5, LineKey::kTotalStatusFlag), "TD");

    // The only series of a range takes the range along.
    FillRecalculated({{" ", "+1"}, {"=", "=========="}, {"T", ""}, {"Z", "0.00"}, {"[", "", "STYP=gro"},
              {"g", "", "STYP=gro"}, {"]", "", "STYP=gro"}, {" ", "+5"}, {" ", ""}},
             0);
    ASSERT_TRUE(tape_.DeleteSeries());
    EXPECT_EQ(Entries(), (Texts{"+5.00", ""}));

    // The open series goes up to the last line, which is emptied.
    FillRecalculated({{" ", "+1.00"}, {"=", "=========="}, {"T", "1.00"}, {"Z", "0.00"}, {" ", "+7"}, {" ", "+8"}, {" ", ""}}, 5);
    ASSERT_TRUE(tape_.DeleteSeries());
    EXPECT_EQ(Entries(), (Texts{"+1.00", "==========", "1.00", "0.00", ""}));
    EXPECT_EQ(tape_.RunningValue(), 0);
    EXPECT_FALSE(tape_.InReviewMode());
}

// Where the decimal separator is "," and the thousand separator a blank, "+0.00" is no number.
TEST_F(EditingSeriesTest, ANewSeriesAndANewLineStartFromAZeroInTheDecimalSeparatorInForce) {
    struct TResetFormat {
        ~TResetFormat() { ResetFormatSettings(); }
    } resetAtEnd;
    ASSERT_TRUE(SetFormatSeparators(",", " "));
    FillRecalculated({{" ", "+7,00"}, {"=", "=========="}, {"T", "7,00"}, {"Z", "0,00"}, {" ", ""}}, 0);
    ASSERT_TRUE(tape_.InsertNewSeries());
    EXPECT_EQ(Entries()[0], "+0,00");
    EXPECT_TRUE(IsValidEntryNumber(Entries()[0]));
    tape_.SetFocusLine(4);  // "+7,00"; an operator key there opens a line after it
    Type("+");
    EXPECT_EQ(tape_.FocusLine(), 5);
    EXPECT_EQ(tape_.SavedFocusEntry(), "+0,00");
}

TEST_F(EditingSeriesTest, InsertNewSeriesTakesStartupOrPreviousSeriesSettings) {
    bus_.Add(events::FileObj_GetStartupDecimalPlaces, [](TMedRecord*, TMedRecord* out) {
        RecordAs<TMedInteger>(out)->Value = 4;
    });
    FillRecalculated({{" ", "+10"}, {"=", "=========="}, {"T", ""}, {"Z", "0.000", "SDP=3"}, {" ", "+7"}, {" ", ""}}, 0);
    ASSERT_TRUE(tape_.CanInsertNewSeries());
    ASSERT_TRUE(tape_.InsertNewSeries());
    const Texts entries = Entries();
    EXPECT_EQ(Texts(entries.begin(), entries.begin() + 4), (Texts{"+0.0000", "==========", "0.0000", "0.0000"}));
    EXPECT_EQ(tape_.FocusLine(), 0);
    EXPECT_EQ(tape_.Lines().Property(3, LineKey::kDecimalPlaces), "4");

    tape_.SetFocusLine(8);  // the open series after the three-decimal one
    ASSERT_TRUE(tape_.InsertNewSeries());
    EXPECT_EQ(Entries()[8], "+0.000");
    EXPECT_EQ(tape_.FocusLine(), 8);

    FillRecalculated({{" ", "+abc"}, {" ", ""}}, 0);
    EXPECT_FALSE(tape_.CanInsertNewSeries());
    EXPECT_FALSE(tape_.InsertNewSeries());
    EXPECT_EQ(tape_.Lines().LineCount(), 2);
}

TEST_F(EditingSeriesTest, PlacingANumberComposesOperatorAndSign) {
    struct Case {
        std::string focusEntry;
        std::string incoming;
        std::string expected;
    };
    for (const Case& c : {Case{"-", "12.5", "-12.5"}, Case{"X", "-3", "X-3"}, Case{"", "X3", "X3"},
                          Case{"", "-4", "-4"}, Case{"+", "X3", "+3"}, Case{"X-", "-2", "X2"},
                          Case{"", "7", "+7"}, Case{"-", "-7", "+7"}}) {
        SCOPED_TRACE(c.focusEntry + " " + c.incoming);
        FillRecalculated({{" ", "+10.00"}, {" ", c.focusEntry}});
        ASSERT_TRUE(tape_.PlaceNumber(c.incoming));
        EXPECT_EQ(Entries()[1], c.expected);
        EXPECT_EQ(tape_.Editor().Text, c.expected);
    }
}

TEST_F(EditingSeriesTest, PlacingANumberOnAnEarlierLineCommitsItAndARefusedEntryIsNotWritten) {
    FillRecalculated({{" ", "+10"}, {" ", ""}, {" ", "+1"}, {" ", ""}}, 1);
    ASSERT_TRUE(tape_.PlaceNumber("5"));
    EXPECT_EQ(Entries(), (Texts{"+10.00", "+5.00", "+1.00", ""}));
    EXPECT_EQ(tape_.RunningValue(), 16);

    // Dividing by zero is refused before anything is written, on the last line and earlier.
    for (LineIndex focus : {1, 3}) {
        FillRecalculated({{" ", "+10"}, {" ", kDivide}, {" ", "+1"}, {" ", kDivide}}, focus);
        EXPECT_FALSE(tape_.PlaceNumber("0"));
        EXPECT_EQ(Explanation(), "Can not divide by zero.");
        EXPECT_EQ(Entries()[static_cast<std::size_t>(focus)], kDivide);
    }
}

TEST_F(EditingSeriesTest, PlacingANumberRefusals) {
    struct Case {
        LineIndex focus;
        std::string text;
        std::string refusal;
    };
    for (const Case& c : {
             Case{2, "5", "Can not place a number into the entries column of the line containing the focus highlight."},
             Case{4, "", "Attempting to insert nothing into the entries column."},
             Case{4, "12a", "Text \"12a\" is invalid in the entries column."},
             Case{4, "1234567890123456789012345678901234567890?",
                  "Text \"123456789012345678901234567890\" is invalid in the entries column."},
             Case{0, "5", "The entry with the focus highlight must be blank, or contain only an operator "
                          "character, in order to receive a number."}}) {
        SCOPED_TRACE(c.text);
        FillRecalculated({{" ", "+10"}, {"=", "=========="}, {"T", ""}, {"Z", "0.00"}, {" ", ""}}, c.focus);
        const Texts before = Entries();
        EXPECT_FALSE(tape_.PlaceNumber(c.text));
        EXPECT_EQ(Explanation(), c.refusal);
        EXPECT_EQ(Entries(), before);
    }
}

}  // namespace
}  // namespace tally
