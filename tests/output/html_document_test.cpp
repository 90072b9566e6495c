// A tape and the results table as HTML documents: whole documents compared with the files in
// tests/output/html (set TALLYROLL_UPDATE_GOLDEN=1 to write them anew, then read the
// difference), each also read by an HTML parser; the table tag for every choice of lines; and
// writes that fail.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "documents/tly_test_files.h"
#include "foundation/numbers/format_settings.h"
#include "output/html_document.h"
#include "output/tape_print_fixture.h"
#include "settings/failing_file_calls.h"
#include "table/results_table.h"

namespace tally {
namespace {

using Col = TTapeColumn;

const std::filesystem::path kGoldenFolder = std::filesystem::path(TALLYROLL_TESTS_DIR) / "output" / "html";

std::string Contents(const std::string& fileName) { return ReadWholeFile(fileName, std::size_t{1} << 24).Text; }

// What the HTML parser of libxml2 reports on the file: empty when it reads it without an error
// or a warning.
std::string ParserComplaints(const std::string& fileName) {
    const std::string command = "xmllint --html --noout '" + fileName + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return "xmllint could not be started";
    std::string output;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, count);
    const int status = ::pclose(pipe);
    if (status != 0 && output.empty()) output = "xmllint failed (is libxml2-utils installed?)";
    return output;
}

class HtmlDocumentTest : public TapePrintTest {
protected:
    ~HtmlDocumentTest() override { ResetFormatSettings(); }

    std::string WriteTape(const std::string& name = "tape.htm") {
        const std::string file = folder_.File(name);
        const TFileResult written = WriteTapeHtml(file, tape_, layout_, &appBus_);
        EXPECT_TRUE(written.Ok) << written.Reason;
        return file;
    }
    std::string WriteTable(const std::string& name = "table.htm") {
        const std::string file = folder_.File(name);
        const TFileResult written = WriteTableHtml(file, table_, layout_, &appBus_);
        EXPECT_TRUE(written.Ok) << written.Reason;
        return file;
    }

    // The file's bytes equal the golden file's, and the parser finds nothing to complain of.
    void ExpectGolden(const std::string& file, const std::string& goldenName) {
        const std::string actual = Contents(file);
        const std::filesystem::path golden = kGoldenFolder / (goldenName + ".htm");
        if (std::getenv("TALLYROLL_UPDATE_GOLDEN") != nullptr) {
            ASSERT_TRUE(WriteFileAtomically(golden, actual));
        }
        EXPECT_EQ(actual, Contents(golden.string())) << "differs from " << golden;
        EXPECT_EQ(ParserComplaints(file), "") << goldenName;
    }

    void SetTableFlags(const std::function<void(TTablePrintFlags&)>& change) {
        TTablePrintFlags flags = layout_.TableFlags();
        change(flags);
        layout_.SetTableFlags(flags);
    }
    void SetTapeFlags(const std::function<void(TTapePrintFlags&)>& change) {
        TTapePrintFlags flags = layout_.TapeFlags();
        change(flags);
        layout_.SetTapeFlags(flags);
    }

    LineIndex AddCells(std::string entries, std::string indicator, std::string runningTotal,
                       std::string seriesType = "", std::string annotation = "") {
        const LineIndex line = AddLine(std::move(entries), std::move(indicator), std::move(seriesType),
                                       std::move(annotation));
        tape_.Lines().SetCell(line, TLineColumn::RunningTotal, runningTotal);
        return line;
    }

    // A series, a zero total, a group range, a grand range, an embedded series and a series
    // closed by an old file's ">" line.
    void AddSeriesOfEveryKind() {
        AddCells("+1,250.50", " ", "1,250.50", "", "Rent");
        AddCells("+380.25", " ", "1,630.75");
        AddCells("==========", "=", "");
        AddCells("1,630.75", "T", "1,630.75");
        AddCells("0.00", "Z", "");
        AddCells("", "[", "", "gro");
        AddCells("+10.00", " ", "10.00", "gro");
        AddCells("10.00", "T", "10.00", "gro");
        AddCells("0.00", "Z", "", "gro");
        AddCells("10.00", "g", "", "gro");
        AddCells("", "]", "", "gro");
        AddCells("", "{", "", "gra");
        AddCells("10.00", "G", "", "gra");
        AddCells("", "}", "", "gra");
        AddCells("+2.00", " ", "2.00");
        AddCells("", "(", "", "e");
        AddCells("+3.00", " ", "3.00", "e");
        AddCells("X4.00", " ", "12.00", "e");
        AddCells("12.00", "T", "12.00", "e");
        AddCells("", ")", "", "e");
        AddCells("+12.00", " ", "14.00", "", "from the brackets");
        AddCells("14.00", "T", "14.00");
        AddCells("", ">", "");
    }

    // Line numbers, two data columns (one of them headed on two lines, with a total), the
    // annotation column; three data rows and the total rows.
    void FillTable() {
        table_.AddDataColumn("id1", 1, "Amount");
        table_.AddDataColumn("id2", 2, "  Net;Amount ");
        table_.SetLineNumbersShown(true);
        table_.SetAnnotationsShown(true);
        table_.SetCurrentCell(2, 1);
        table_.SetCurrentColumnTotalShown(true);
        ASSERT_TRUE(table_.PutValue(2, 1, "1,000.00"));
        ASSERT_TRUE(table_.PutValue(3, 1, "-2.50"));
        ASSERT_TRUE(table_.PutValue(2, 2, "12.25"));
        ASSERT_TRUE(table_.PutValue(2, 3, "1.50"));
        ASSERT_TRUE(table_.SetAnnotation(1, "first row"));
    }

    test::TTempFolder folder_;
    TResultsTable table_;
};

// Title, page header, notes, padded headings, rule rows under every kind of closing line, the
// embedded series highlighted and the footer, with the default choices.
TEST_F(HtmlDocumentTest, TapeWithItsTextsAndEveryClosingLine) {
    for (Col column : {Col::Line, Col::RunningTotal, Col::TableColumns, Col::Annotations}) {
        tape_.SetColumnShown(column, true);
    }
    tape_.SetTitle("Household;December 2026");
    tape_.SetPageHeader("Head one;;Head two");
    tape_.SetNoteLines({"", "", "First note, ", "running on.", "Second line.", "", "", "New paragraph.", ""});
    fileName_ = "/home/user/budget.tly";
    AddSeriesOfEveryKind();
    ExpectGolden(WriteTape(), "tape_texts_and_rules");
}

// Row lines and no column lines, border, headings or footer; every highlight on in its own
// colour; print columns chosen in another order than the tape's.
TEST_F(HtmlDocumentTest, TapeWithRowLinesHighlightsAndChosenColumns) {
    for (Col column : {Col::Line, Col::RunningTotal, Col::Annotations}) tape_.SetColumnShown(column, true);
    SetTapeFlags([](TTapePrintFlags& flags) {
        flags.ShowRowLines = true;
        flags.ShowColLines = false;
        flags.ShowTapeBorderLines = false;
        flags.ShowColHeadings = false;
        flags.ShowFilenameFooter = false;
        flags.PrintGroupTotalHiliteColor = true;
        flags.PrintGrandTotalHiliteColor = true;
        flags.EmbedPrintHiliteColor = 0x0000FF;       // red
        flags.GroupTotalPrintHiliteColor = 0x00FF00;  // green
        flags.GrandTotalPrintHiliteColor = 0x563412;
    });
    layout_.RefreshTapeFields();
    layout_.AddPrintField(Col::Annotations, 0);
    layout_.AddPrintField(Col::Entries, 1);
    layout_.AddPrintField(Col::Line, 2);
    AddSeriesOfEveryKind();
    ExpectGolden(WriteTape(), "tape_row_lines_highlights");
}

// Without a title the title names the target file; a hostile target name, footer name,
// annotation, page header and notes reach the page escaped; letters beyond ASCII arrive as
// UTF-8 (the file name's own letters included, a malformed byte as U+FFFD); control characters
// become blanks; with "_" as fraction leader an entry's "_" becomes a blank.
TEST_F(HtmlDocumentTest, TapeWithHostileAndNonAsciiTexts) {
    ASSERT_TRUE(SetFormatSeparators(".", " "));
    tape_.SetColumnShown(Col::Annotations, true);
    tape_.SetPageHeader("<i>R\xE9sum\xE9</i> & \"co\"");
    tape_.SetNoteLines({"Notes </p><script>x()</script> \x80 5"});
    fileName_ = "/tmp/<b>&\"\xD0\x96\xFF\x01\".tly";
    AddLine("+1_1/2", " ", "", "<script>alert(\"x&y\")</script>");
    AddLine("\xF7" "3", " ", "", "caf\xE9 \xF7 na\xEFve \x01\x7F end");
    AddLine("0.50", "T", "", "a\xA0" "b");
    ExpectGolden(WriteTape("a&b <script>\"\xC3\xA9\".htm"), "tape_hostile_and_non_ascii");
}

// A tape whose only line is the open line: the head, the texts and an empty table body.
TEST_F(HtmlDocumentTest, TapeOfTheOpenLineOnly) {
    tape_.SetTitle("Empty");
    ExpectGolden(WriteTape(), "tape_open_line_only");
}

// Title, page header, notes (the first paragraph opens with "<p>"), trimmed centred headings,
// the total rows, the footer.
TEST_F(HtmlDocumentTest, TableWithItsTextsAndTotalRows) {
    FillTable();
    table_.SetTitle("Results;2026");
    table_.SetPageHeading("Table head");
    table_.NoteLines() = {"One note.", "", "Two."};
    fileName_ = "/home/user/budget.tly";
    ExpectGolden(WriteTable(), "table_texts_and_totals");
}

// With blank lines every two rows a spacer row follows rows 2 and 4 of six, not the last; row
// lines without column lines or border; no headings or footer; only the selected columns.
TEST_F(HtmlDocumentTest, TableWithSpacerRowsAndSelectedColumns) {
    FillTable();
    ASSERT_TRUE(table_.PutValue(2, 4, "7.00"));  // four data rows and the two total rows
    table_.SetPrintSelection(2, true);
    table_.SetPrintSelection(4, true);
    layout_.SetTableLinesPerGroup(2);
    SetTableFlags([](TTablePrintFlags& flags) {
        flags.ShowBlankLines = true;
        flags.ShowRowLines = true;
        flags.ShowColLines = false;
        flags.ShowBorderLines = false;
        flags.ShowColHeadings = false;
        flags.ShowFilenameFooter = false;
    });
    ExpectGolden(WriteTable(), "table_spacer_rows");
}

// A hostile heading, annotation and file names, escaped; the title falls back to the target's
// name; "_" in a number becomes a blank, in the annotation it stays.
TEST_F(HtmlDocumentTest, TableWithHostileAndNonAsciiTexts) {
    ASSERT_TRUE(SetFormatSeparators(".", " "));
    table_.AddDataColumn("id1", 1, "<b>&\"\xF7\"</b>");
    table_.SetAnnotationsShown(true);
    ASSERT_TRUE(table_.PutValue(1, 1, "1_1/2"));
    ASSERT_TRUE(table_.SetAnnotation(1, "</td></tr></table><script>x_y(\"&\")</script> \xE9\x80"));
    fileName_ = "/tmp/<x>&y.tly";
    ExpectGolden(WriteTable("r\xC3\xA9sultat <&>.htm"), "table_hostile_and_non_ascii");
}

// The table tag follows the border, row and column line choices of a tape and of a table alike.
TEST_F(HtmlDocumentTest, TableTagForEveryChoiceOfLines) {
    struct TCase {
        bool Border, Rows, Cols;
        std::string Tag;
    };
    const TCase cases[] = {
        {false, false, false, R"(<table border="0" frame="void" rules="none" cellspacing="0" cellpadding="3">)"},
        {true, false, false, R"(<table border="1" frame="box" rules="none" cellspacing="0" cellpadding="3">)"},
        {false, true, false, R"(<table border="1" frame="void" rules="rows" cellspacing="0" cellpadding="3">)"},
        {false, false, true, R"(<table border="1" frame="void" rules="cols" cellspacing="0" cellpadding="3">)"},
        {true, true, false, R"(<table border="1" frame="box" rules="rows" cellspacing="0" cellpadding="3">)"},
        {true, false, true, R"(<table border="1" frame="box" rules="cols" cellspacing="0" cellpadding="3">)"},
        {false, true, true, R"(<table border="1" frame="void" rules="all" cellspacing="0" cellpadding="3">)"},
        {true, true, true, R"(<table border="1" frame="box" rules="all" cellspacing="0" cellpadding="3">)"},
    };
    AddLine("+1");
    FillTable();
    for (const TCase& c : cases) {
        SetTapeFlags([&c](TTapePrintFlags& flags) {
            flags.ShowTapeBorderLines = c.Border;
            flags.ShowRowLines = c.Rows;
            flags.ShowColLines = c.Cols;
        });
        SetTableFlags([&c](TTablePrintFlags& flags) {
            flags.ShowBorderLines = c.Border;
            flags.ShowRowLines = c.Rows;
            flags.ShowColLines = c.Cols;
        });
        const std::string tag = "\r\n" + c.Tag + "\r\n";
        EXPECT_NE(Contents(WriteTape()).find(tag), std::string::npos) << c.Tag;
        EXPECT_NE(Contents(WriteTable()).find(tag), std::string::npos) << c.Tag;
    }
}

// A file that cannot be written answers why and leaves the file it was to replace as it was.
TEST_F(HtmlDocumentTest, FailedWriteAnswersTheReasonAndKeepsTheOldFile) {
    AddLine("+1");
    FillTable();
    const std::string existing = folder_.File("existing.htm");
    ASSERT_TRUE(WriteFileAtomically(existing, "old"));
    using test::FailingStep;
    for (const FailingStep step :
         {FailingStep::Write, FailingStep::PartialWrite, FailingStep::Fsync, FailingStep::Rename}) {
        for (const TFileResult& result : {WriteTapeHtml(existing, tape_, layout_, &appBus_, test::FailingCalls(step)),
                                          WriteTableHtml(existing, table_, layout_, &appBus_, test::FailingCalls(step))}) {
            EXPECT_FALSE(result.Ok);
            EXPECT_FALSE(result.Reason.empty());
        }
        EXPECT_EQ(Contents(existing), "old");
    }
    const TFileResult onFolder = WriteTapeHtml(folder_.Path().string(), tape_, layout_, &appBus_);
    EXPECT_FALSE(onFolder.Ok);
    EXPECT_FALSE(onFolder.Reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder_.Path()));
}

}  // namespace
}  // namespace tally
