// Opening hand-made ".tly" files: versions, separators, companion sections, and the numbers,
// rows and structures a file may get wrong.

#include <gtest/gtest.h>

#include "documents/tly_file.h"
#include "documents/tly_test_document.h"
#include "documents/tly_test_files.h"
#include "foundation/numbers/format_settings.h"

namespace tally {
namespace {

using test::TTestDocument;

constexpr std::string_view kVersion3 = "[Tallyroll File Version 3]\n";

// Each line as "indicator|entries|annotation".
std::vector<std::string> Rows(const TCalculator& tape) {
    std::vector<std::string> rows;
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        rows.push_back(std::string(lines.Indicator(line)) + "|" + std::string(lines.Entries(line)) + "|" +
                       std::string(lines.Annotations(line)));
    }
    return rows;
}

class TlyFileReadTest : public ::testing::Test {
protected:
    ~TlyFileReadTest() override { ResetFormatSettings(); }

    // Writes the text (lines end with "\n", turned into CR LF unless bareLf) and opens it.
    TTlyFileResult Open(std::string_view text, bool bareLf = false) {
        std::string bytes;
        for (const char c : text) {
            if (c == '\n' && !bareLf) bytes.push_back('\r');
            bytes.push_back(c);
        }
        const std::string file = folder_.File("hand.tly");
        test::WriteBytes(file, bytes);
        return LoadTlyFile(document_, file);
    }

    test::TTempFolder folder_;
    TTestDocument document_;
};

TEST_F(TlyFileReadTest, VersionsOneToThreeAreReadAlikeAndOthersRefused) {
    const std::string body = "[TapeData]\n1 E +2.00\n1 S  \n2 E \n2 S \n";
    struct Case {
        std::string firstLine;
        bool ours;  // a file of this program, of some version
        bool ok;    // and one this program reads
    };
    for (const Case& c : {Case{"[Tallyroll Tape]", true, true}, Case{"[Tallyroll File Version 2]", true, true},
                          Case{"[Tallyroll File Version 3]", true, true},
                          Case{"[Tallyroll File Version 4]", true, false},
                          Case{"[Tallyroll File Version 2a]", false, false},
                          Case{"[Tallyroll File Version ]", false, false},
                          Case{"Tallyroll File Version 3", false, false}, Case{"", false, false}}) {
        SCOPED_TRACE(c.firstLine);
        TTestDocument document;
        const std::string file = folder_.File("version.tly");
        test::WriteBytes(file, c.firstLine + "\r\n" + body);
        const TTlyFileResult result = LoadTlyFile(document, file);
        EXPECT_EQ(result.Ok, c.ok) << result.Reason;
        EXPECT_EQ(result.Reason.empty(), c.ok);
        int version = -1;
        EXPECT_EQ(IsFileOfThisProgram(file, version), c.ours);
        if (c.ok) {
            EXPECT_EQ(version, c.firstLine == "[Tallyroll Tape]" ? 1 : c.firstLine[24] - '0');
            EXPECT_EQ(Rows(document.MainTape()), (std::vector<std::string>{" |+2.00|", "||"}));
        }
    }
    int version = 0;
    EXPECT_FALSE(IsFileOfThisProgram(folder_.File("missing.tly"), version));
    EXPECT_EQ(TlyFileVersion("[Tallyroll File Version 99999999999]"), 0);
    EXPECT_EQ(TlyFileVersion("[Tallyroll File Version 12]"), 12);
    EXPECT_FALSE(LoadTlyFile(document_, folder_.File("missing.tly")).Ok);
}

TEST_F(TlyFileReadTest, BareLineFeedsReadLikeCrLf) {
    const std::string text = std::string(kVersion3) +
                             "[TapeParameters]\nAnnotationsCol=Yes\n[TapeData]\n1 E +2.00\n1 S  \n1 A note\n2 E \n2 S \n";
    ASSERT_TRUE(Open(text, true).Ok);
    EXPECT_EQ(Rows(document_.MainTape()), (std::vector<std::string>{" |+2.00|note", "||"}));
}

TEST_F(TlyFileReadTest, NumbersWrittenWithOtherSeparatorsAreConverted) {
    const std::string text = std::string(kVersion3) +
                             "[GlobalParameters]\nDecimalSeparator=,\nThousandSeparator=.\nFractionLeader= \n"
                             "[ReportParameters]\nMarginUnits=inches\nLeftMargin=1,50\n"
                             "[TapeData]\n1 E +1.234,5\n1 S  \n2 E /2\n2 S  \n3 E \n3 S \n"
                             "[Table AParameters]\nTableRowCount=3\nTableColCount=3\n"
                             "[Table AData]\n0 1 P CT=DA,TCID=c1\n0 2 P CT=AN\n1 1 T 1.234,5\n1 2 T 1.234,5\n";
    const TTlyFileResult opened = Open(text);
    ASSERT_TRUE(opened.Ok) << opened.Reason;
    // (The tape shows its entries with their series' decimal places.)
    EXPECT_EQ(document_.MainTape().Lines().Entries(0), "+1,234.50");
    // A slash as divide operator becomes the current divide character.
    EXPECT_EQ(document_.MainTape().Lines().Entries(1), "\xF7" "2.00");
    EXPECT_DOUBLE_EQ(static_cast<double>(document_.TapeReportProps().LeftMargin()), 1.5);
    TResultsTable& table = *document_.Tables().at(0).second;
    EXPECT_EQ(table.Cell(1, 1), "1,234.5");
    // The annotation column keeps its text as written.
    EXPECT_EQ(table.Cell(2, 1), "1.234,5");

    // The annotation column belongs to that table of that file: the next file's table, whose
    // column 2 is a data column, gets it converted.
    TTestDocument next;
    const std::string other = std::string(kVersion3) +
                              "[GlobalParameters]\nDecimalSeparator=,\nThousandSeparator=.\n"
                              "[Table AParameters]\nTableRowCount=3\nTableColCount=3\n"
                              "[Table AData]\n0 1 P CT=DA,TCID=c1\n0 2 P CT=DA,TCID=c2\n1 2 T 2,5\n";
    const std::string file = folder_.File("other.tly");
    std::string bytes;
    for (const char c : other) {
        if (c == '\n') bytes.push_back('\r');
        bytes.push_back(c);
    }
    test::WriteBytes(file, bytes);
    ASSERT_TRUE(LoadTlyFile(next, file).Ok);
    EXPECT_EQ(next.Tables().at(0).second->Cell(2, 1), "2.5");
}

TEST_F(TlyFileReadTest, ValuesAreReadAsTheFormatSaysAndBadNumbersIgnored) {
    const std::string text = std::string(kVersion3) +
                             "[TapeParameters]\nLastSeriesDecimals=99\nLastSeriesTotalType=XX\nDataEntryOption=Fast\n"
                             "TapeColNumWidth=E -5\nTapeColNumWidth=A 50\nTapeColNumWidth=1 60\n"
                             "[ReportParameters]\nShowPageNumbers=yes\nMarginUnits=MM\nFontSize=0\nFontName=Courier\n"
                             "LeftMargin=-1.00\nTopMargin=abc\nPageOrientation=Sideways\n"
                             "[AllTablesReportParameters]\nMarginUnits=mm\nRightMargin=12.0\n"
                             "[SomethingNew]\n1 E +7.00\nTitle=not mine\n"
                             "[TapeData]\n1 E +2.00\n1 S  \n";
    TCalculator& main = document_.MainTape();
    const int entriesWidth = main.ColumnWidth(TTapeColumn::Entries);
    const TTlyFileResult opened = Open(text);
    ASSERT_TRUE(opened.Ok) << opened.Reason;
    EXPECT_EQ(main.OpenSeriesDecimalPlaces(), 2);
    EXPECT_EQ(main.OpenSeriesTotalType(), "DE");
    EXPECT_EQ(main.DataEntryOption(), 1);
    EXPECT_EQ(main.ColumnWidth(TTapeColumn::Entries), entriesWidth);
    // A hidden column's width is ignored; a position (older files) names a shown column.
    EXPECT_NE(main.ColumnWidth(TTapeColumn::Annotations), 50);
    EXPECT_EQ(main.ColumnWidth(TTapeColumn::Indicator), 60);
    EXPECT_FALSE(document_.PageLayout().TapeFlags().ShowPageNumbers);
    const TWyn_ReportProperties& tapeReport = document_.TapeReportProps();
    EXPECT_EQ(tapeReport.Units(), TPageUnits::Inches);
    EXPECT_EQ(tapeReport.Font.Size, 10);
    EXPECT_EQ(tapeReport.Font.Name, "Courier");
    EXPECT_DOUBLE_EQ(static_cast<double>(tapeReport.LeftMargin()), 1.0);
    EXPECT_EQ(tapeReport.Orientation(), "Portrait");
    EXPECT_EQ(document_.TableReportProps().Units(), TPageUnits::Millimetres);
    EXPECT_NEAR(static_cast<double>(document_.TableReportProps().RightMargin()), 12.0, 0.2);
    EXPECT_TRUE(main.Title().empty());
    // The unknown section's lines went nowhere; the tape ends with an empty entry line.
    EXPECT_EQ(Rows(main), (std::vector<std::string>{" |+2.00|"}));

    // The open series' values set the open series and the next series' start.
    ASSERT_TRUE(Open(std::string(kVersion3) +
                     "[TapeParameters]\nLastSeriesDecimals=3\nLastSeriesTotalType=T2\nTapeColNumWidth=Q 77\n")
                    .Ok);
    // An unknown letter stands for the Entries column.
    EXPECT_EQ(main.ColumnWidth(TTapeColumn::Entries), 77);
    EXPECT_EQ(main.OpenSeriesDecimalPlaces(), 3);
    EXPECT_EQ(main.StartupDecimalPlaces(), 3);
    EXPECT_EQ(main.OpenSeriesTotalType(), "T2");
}

TEST_F(TlyFileReadTest, RowsGrowOnlyToTheRowsPresentWithinTheirBounds) {
    struct Case {
        std::string name;
        std::string data;
        std::vector<std::string> rows;
    };
    const std::vector<Case> cases = {
        {"huge count", "TapeLineCount=2147483647\n[TapeData]\n1 E +1.00\n1 S  \n2 E \n2 S \n", {" |+1.00|", "||"}},
        {"count zero", "TapeLineCount=0\n[TapeData]\n1 E +1.00\n1 S  \n", {" ||"}},
        {"negative count", "TapeLineCount=-5\n[TapeData]\n1 E +1.00\n1 S  \n", {" |+1.00|"}},
        {"rows beyond the count", "TapeLineCount=1\n[TapeData]\n1 E +1.00\n1 S  \n7 E +2.00\n", {" |+1.00|"}},
        {"rows beyond the file", "[TapeData]\n1 E +1.00\n1 S  \n99999999 E +2.00\n", {" |+1.00|"}},
        {"bad row numbers", "[TapeData]\n0 E +3.00\n-1 E +3.00\nx E +3.00\n1 E +1.00\n1 S  \n", {" |+1.00|"}},
        {"no blanks and unknown codes", "[TapeData]\n1\n1 E\n1 Q +3.00\n1 9 +3.00\n2 E +1.00\n", {" ||", "|+1.00|"}},
        // Older files give a column's position among the shown columns: line number, entries,
        // indicator, annotations here.
        {"positions of shown columns",
         "LineNumCol=Yes\nLinksCol=No\nRunTotalCol=No\nTableColsCol=No\nAnnotationsCol=Yes\n"
         "[TapeData]\n1 1 +1.00\n1 2  \n1 3 note\n1 4 lost\n1 0 5\n",
         {" |+1.00|note"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestDocument document;
        const std::string file = folder_.File("rows.tly");
        std::string bytes = std::string(kVersion3) + "[TapeParameters]\n" + c.data;
        test::WriteBytes(file, bytes);
        ASSERT_TRUE(LoadTlyFile(document, file).Ok);
        EXPECT_EQ(Rows(document.MainTape()), c.rows);
    }
}

TEST_F(TlyFileReadTest, SectionsGoToTheTapeTheirHeaderNamesOrAreSkipped) {
    const std::string text = std::string(kVersion3) +
                             "[MemTapeData]\n1 E +9.00\n1 S  \n"
                             "[SideTapeReportParameters]\nTitle=lost\n"
                             "[Aux HTapeParameters]\nTapeLabel=reserved\n[Aux HTapeData]\n1 E +8.00\n1 S  \n"
                             "[Aux BTapeParameters]\nTapeLabel=Bee\n"
                             "[Aux CTapeParameters]\nTapeLabel=Cee\n"
                             "[Aux BTapeData]\n1 E +1.00\n1 S  \n"
                             "[Aux CTapeData]\n1 E +2.00\n1 S  \n"
                             "[Aux BTapeParameters]\nTapeLabel=twice\n"
                             "[Aux BReportParameters]\nTitle=Bee title\n"
                             "[Table BData]\n1 1 T 5\n"
                             "[Table AParameters]\nTableRowCount=2\nTableColCount=2\n"
                             "[Table ANoteText]\nNoteLine=a note\n"
                             "[Table AData]\n1 1 T 5\n9 9 T 6\n1 99999999999 T 7\n-1 1 T 8\n";
    const TTlyFileResult opened = Open(text);
    ASSERT_TRUE(opened.Ok) << opened.Reason;
    EXPECT_EQ(document_.MemoryTape(), nullptr);
    EXPECT_EQ(document_.SideTape(), nullptr);
    const auto aux = document_.AuxiliaryTapes();
    ASSERT_EQ(aux.size(), 2u);
    EXPECT_EQ(aux[0].first, "Aux B");
    EXPECT_EQ(document_.TapeLabel(*aux[0].second), "Bee");
    EXPECT_EQ(aux[0].second->Title(), "Bee title");
    EXPECT_EQ(Rows(*aux[0].second), (std::vector<std::string>{" |+1.00|"}));
    EXPECT_EQ(document_.TapeLabel(*aux[1].second), "Cee");
    EXPECT_EQ(Rows(*aux[1].second), (std::vector<std::string>{" |+2.00|"}));
    const auto tables = document_.Tables();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].first, "Table A");
    EXPECT_EQ(tables[0].second->NoteLines(), (std::vector<std::string>{"a note"}));
    // Cells outside the table's grid are dropped.
    EXPECT_EQ(tables[0].second->RowCount(), 2);
    EXPECT_EQ(tables[0].second->Cell(1, 1), "5");
}

TEST_F(TlyFileReadTest, BrokenStructuresAreRefusedWithTheLineAndRepairedWhereSafe) {
    struct Case {
        std::string name;
        std::string data;
        std::string reason;  // empty: accepted
    };
    const std::vector<Case> cases = {
        {"unknown indicator", "1 E +1.00\n1 S Q\n2 E \n2 S \n", "line T1 has an unknown line indicator"},
        {"embedded end alone", "1 E \n1 S )\n2 E \n2 S \n", "line T1 ends an embedded series that was not started"},
        {"embedded never ended", "1 E \n1 S (\n2 E +1.00\n2 S  \n", "the embedded series at line T1 is not ended"},
        {"embedded inside embedded", "1 S (\n2 S (\n3 S )\n4 S )\n5 S  \n",
         "line T2 starts an embedded series inside another one"},
        {"range end alone", "1 S ]\n2 S  \n", "line T1 ends a total range that was not started"},
        {"range never ended", "1 S [\n2 S g\n", "the total range at line T1 is not ended"},
        {"range inside range", "1 S {\n2 S [\n3 S ]\n4 S }\n", "line T2 starts a total range inside another series"},
        {"last line a total", "1 E +1.00\n1 S  \n2 E 1.00\n2 S T\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTestDocument document;
        const std::string file = folder_.File("broken.tly");
        test::WriteBytes(file, std::string(kVersion3) + "[TapeData]\n" + c.data);
        const TTlyFileResult result = LoadTlyFile(document, file);
        EXPECT_EQ(result.Reason, c.reason);
        EXPECT_EQ(result.Ok, c.reason.empty());
        EXPECT_EQ(document.finishLoadCalls_, c.reason.empty() ? 1 : 0);
        if (c.reason.empty()) {
            EXPECT_EQ(Rows(document.MainTape()).back(), "||");
        }
    }
    // The document's own refusal (a stored circle of links) fails the load with its reason.
    document_.finishLoadAnswer_ = "a circle of links: T1 to T2 to T1";
    const TTlyFileResult refused = Open(std::string(kVersion3));
    EXPECT_FALSE(refused.Ok);
    EXPECT_EQ(refused.Reason, "a circle of links: T1 to T2 to T1");
}

}  // namespace
}  // namespace tally
