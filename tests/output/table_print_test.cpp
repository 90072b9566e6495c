// The results table on printed pages: where it differs from a tape (headings, bands after
// every LinesPerGroup rows, row heights from annotations, the footer, its refusal), its print
// selection, and pages composed again.

#include "output/tape_print_fixture.h"

#include "foundation/numbers/format_settings.h"
#include "output/table_page_composer.h"
#include "output/table_print_columns.h"
#include "table/results_table.h"

namespace tally {
namespace {

class TablePrintTest : public TapePrintTest {
protected:
    // One cell of the column in a new row at the end; answers the row.
    int AddRow(int column, const std::string& value) {
        const int row = table_.HasData() ? table_.RowCount() : 1;
        EXPECT_TRUE(table_.PutValue(column, row, value)) << value;
        return row;
    }
    void AddRows(int column, int count) {
        for (int i = 1; i <= count; ++i) AddRow(column, std::to_string(i));
    }
    void SetTableFlag(bool TTablePrintFlags::*flag, bool on) {
        TTablePrintFlags flags = layout_.TableFlags();
        flags.*flag = on;
        layout_.SetTableFlags(flags);
    }
    TPrintJobResult PrintTheTable() { return PrintTable(&table_, layout_, report_, &appBus_); }
    // The tops of the texts, each the first drawn with that content.
    std::vector<int> Tops(const TPageOperations& page, const std::vector<std::string>& texts) const {
        std::vector<int> tops;
        for (const auto& text : texts) {
            const auto* op = FindText(page, text);
            tops.push_back(op ? op->Area.Top : -1);
        }
        return tops;
    }
    static std::vector<int> Steps(const std::vector<int>& tops) {
        std::vector<int> steps;
        for (std::size_t i = 1; i < tops.size(); ++i) steps.push_back(tops[i] - tops[i - 1]);
        return steps;
    }

    TResultsTable table_;
};

// Headings are as wide as their widest word, wrap at blanks inside their column and line up at
// the bottom.
TEST_F(TablePrintTest, HeadingsWrapAtTheirWordsAndLineUpAtTheBottom) {
    table_.AddDataColumn("id1", 1, "Net Amount");
    table_.AddDataColumn("id2", 2, "C2");
    AddRow(1, "1.50");
    table_.PutValue(2, 1, "12.00");
    AddRow(1, "2.00");
    table_.SetLineNumbersShown(true);
    TTablePageComposer composer(&table_, layout_, report_, &appBus_);
    TTly_PrinterPage page(printer_, nullptr, true);
    ASSERT_TRUE(composer.PreparePages(page));

    const TColumnLayout columns = ColumnLayout(composer.PrintColumns());
    // "Line"; "Amount", the wider word, over "1.50"; "12.00" under "C2".
    EXPECT_EQ(columns.Widths, (std::vector<int>{28, 42, 35}));
    EXPECT_EQ(columns.Offsets, (std::vector<int>{8, 51, 108}));
    EXPECT_EQ(columns.Headings, (std::vector<std::string>{"\r\nLine", "Net Amount", "\r\nC2"}));
    EXPECT_EQ(composer.GroupWidth(), 150);

    ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
    const auto* net = FindText(Page(0), "Net");
    const auto* amount = FindText(Page(0), "Amount");
    const auto* c2 = FindText(Page(0), "C2");
    ASSERT_TRUE(net && amount && c2);
    EXPECT_EQ(net->Align, TTextAlign::Centre);
    EXPECT_EQ(amount->Area.Top, net->Area.Top + 16);
    EXPECT_EQ(c2->Area.Top, amount->Area.Top);
    // Numbers stand right aligned under their headings.
    EXPECT_EQ(FindText(Page(0), "12.00")->Align, TTextAlign::Right);
}

// Rows are hM + V apart; every LinesPerGroup rows an empty band of hM + 2V follows, and with
// row lines every row is ruled and the band is closed by a second rule.
TEST_F(TablePrintTest, RowBandsAndRulesFollowLinesPerGroup) {
    struct Case {
        bool RowLines;
        bool BlankLines;
        std::vector<int> Steps;
        int Rules;
    };
    const Case cases[] = {
        {false, false, {17, 17, 17, 17, 17, 17}, 0},
        {false, true, {17, 17, 35, 17, 17, 35}, 0},
        {true, false, {26, 26, 26, 26, 26, 26}, 7},
        {true, true, {26, 26, 53, 26, 26, 53}, 9},
    };
    table_.AddDataColumn("id1", 1, "C1");
    AddRows(1, 7);
    layout_.SetTableLinesPerGroup(3);
    for (const Case& c : cases) {
        SetTableFlag(&TTablePrintFlags::ShowRowLines, c.RowLines);
        SetTableFlag(&TTablePrintFlags::ShowBlankLines, c.BlankLines);
        ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
        const std::vector<int> tops = Tops(Page(0), {"1", "2", "3", "4", "5", "6", "7"});
        EXPECT_EQ(Steps(tops), c.Steps) << c.RowLines << c.BlankLines;
        // Less the line under the headings.
        EXPECT_EQ(Lines(Page(0), true).size() - 1, static_cast<std::size_t>(c.Rules)) << c.RowLines << c.BlankLines;
        if (c.RowLines && c.BlankLines) {
            // Row 3's band ends 52 pixels below its top: rules 4 and 31 pixels above that.
            std::vector<int> ruleTops;
            for (const auto& rule : Lines(Page(0), true)) ruleTops.push_back(rule.Area.Top);
            EXPECT_NE(std::find(ruleTops.begin(), ruleTops.end(), tops[2] + 48), ruleTops.end());
            EXPECT_NE(std::find(ruleTops.begin(), ruleTops.end(), tops[2] + 21), ruleTops.end());
        }
    }
}

// A long annotation wraps inside its column and makes its row taller; the row's other cells
// stay on its first line.
TEST_F(TablePrintTest, ALongAnnotationMakesItsRowTaller) {
    table_.AddDataColumn("id1", 1, "C1");
    AddRows(1, 2);
    table_.SetAnnotationsShown(true);
    std::string annotation = "word";
    for (int i = 1; i < 60; ++i) annotation += " word";
    ASSERT_TRUE(table_.SetAnnotation(1, annotation));
    ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
    std::vector<const TCanvasOperation*> pieces;
    for (const auto& op : Page(0)) {
        if (op.Kind == TCanvasOperationKind::Text && op.Text.starts_with("word")) pieces.push_back(&op);
    }
    ASSERT_GT(pieces.size(), 1U);
    const auto* first = FindText(Page(0), "1");
    const auto* second = FindText(Page(0), "2");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(pieces.front()->Area.Top, first->Area.Top);
    EXPECT_EQ(second->Area.Top - first->Area.Top, static_cast<int>(pieces.size()) * 16 + 1);
}

TEST_F(TablePrintTest, FurnitureComesFromTheTableAndTheFooterNamesItsFile) {
    table_.AddDataColumn("id1", 1, "C1");
    AddRows(1, 2);
    table_.SetTitle("Costs;2024");
    table_.SetPageHeading("Budget");
    table_.NoteLines() = {"A note"};
    fileName_ = "/home/me/budget.tly";
    for (const bool footer : {true, false}) {
        SetTableFlag(&TTablePrintFlags::ShowFilenameFooter, footer);
        ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
        EXPECT_EQ(HasText(Page(0), "Table in /home/me/budget.tly"), footer);
        for (const char* text : {"Costs", "2024", "Budget", "A note", "Page 1"}) {
            EXPECT_TRUE(HasText(Page(0), text)) << text;
        }
    }
}

TEST_F(TablePrintTest, APageTooNarrowIsRefusedOnceWithTheTablesOwnText) {
    table_.AddDataColumn("id1", 1, "A heading of many words");
    AddRow(1, "123,456,789.00");
    TReportSettings narrow;
    narrow.LeftMargin = 4;
    narrow.RightMargin = 4;
    report_.Assign(narrow);
    EXPECT_EQ(PrintTheTable(), TPrintJobResult::Refused);
    EXPECT_EQ(printer_.DocumentCount(), 0);
    ASSERT_EQ(platform_.MessageBoxes().size(), 1U);
    EXPECT_EQ(platform_.MessageBoxes()[0].Text, "The page width is too small to print this table.");
    EXPECT_EQ(platform_.MessageBoxes()[0].Caption, "Tallyroll - Information");

    // The preview tells it when it opens, then shows an empty page at every size.
    TTablePageComposer composer(&table_, layout_, report_, &appBus_);
    TPrintPreviewPages pages(composer, printer_, 96);
    for (const TRect clip : {TRect{0, 0, 425, 550}, TRect{0, 0, 300, 388}, TRect{0, 0, 850, 1100}}) {
        HeadlessCanvas bitmap({}, clip);
        if (clip.Width == 425) {
            pages.Open(bitmap);
        } else {
            pages.ShowCurrentPage(bitmap);
        }
        EXPECT_EQ(bitmap.Operations().size(), 1U);  // cleared
    }
    EXPECT_FALSE(pages.CanShowNextPage());
    EXPECT_EQ(platform_.MessageBoxes().size(), 2U);
}

TEST_F(TablePrintTest, ARowThatCanNeverFitEndsTheJobWithAnExplanation) {
    table_.AddDataColumn("id1", 1, "C1");
    AddRows(1, 3);
    table_.SetAnnotationsShown(true);
    std::string annotation;
    for (int i = 0; i < 2000; ++i) annotation += "word ";
    ASSERT_TRUE(table_.SetAnnotation(2, annotation));
    ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 1U);
    std::string texts;
    for (const auto& text : Texts(Page(0))) texts += text + " ";
    EXPECT_NE(texts.find("Table line 2 will not fit in the printable area of any page."), std::string::npos);
    EXPECT_NE(texts.find("or (5) select a subset of the table's columns to print."), std::string::npos);
    EXPECT_TRUE(HasText(Page(0), "1"));
    EXPECT_FALSE(HasText(Page(0), "3"));
}

// The page layout dialog's checks: every column checked removes the selection, otherwise the
// checked columns alone print, and none checked prints them all.
TEST_F(TablePrintTest, PrintSelectionDecidesThePrintedColumns) {
    for (int column = 1; column <= 3; ++column) {
        table_.AddDataColumn("id" + std::to_string(column), column, std::string(1, static_cast<char>('A' + column - 1)));
    }
    const auto printed = [this] {
        TPrintColPropList list;
        FillTablePrintColumns(table_, list);
        std::string headings;
        for (const auto& column : list.Items()) headings += column.Heading;
        return headings;
    };
    const auto checks = [](bool a, bool b, bool c) {
        return std::vector<TTablePrintSelection>{{1, "A", a}, {2, "B", b}, {3, "C", c}};
    };
    table_.ApplyPrintChecks(checks(false, true, false));
    EXPECT_EQ(printed(), "B");
    table_.ApplyPrintChecks(checks(true, true, true));
    EXPECT_EQ(printed(), "ABC");
    table_.SetPrintSelection(1, true);  // one column chosen again: only the checks decide
    table_.ApplyPrintChecks(checks(true, true, true));
    EXPECT_EQ(printed(), "ABC");
    table_.ApplyPrintChecks(checks(false, false, false));
    EXPECT_EQ(printed(), "ABC");

    // One selected column prints alone, in as many groups as fit.
    table_.ApplyPrintChecks(checks(false, true, false));
    AddRows(2, 100);
    TTablePageComposer composer(&table_, layout_, report_, &appBus_);
    TTly_PrinterPage page(printer_, nullptr, true);
    ASSERT_TRUE(composer.PreparePages(page));
    ASSERT_EQ(composer.PrintColumns().Items().size(), 1U);
    EXPECT_EQ(composer.GroupCount(), 651 / (composer.GroupWidth() + 2));
    ASSERT_EQ(PrintTheTable(), TPrintJobResult::Printed);
    EXPECT_TRUE(HasText(Page(0), "B"));
    EXPECT_FALSE(HasText(Page(0), "A"));
}

TEST_F(TablePrintTest, FractionLeaderPrintsAsABlankOutsideTheAnnotations) {
    ASSERT_TRUE(SetFormatSeparators(".", " "));
    table_.AddDataColumn("id1", 1, "C1");
    AddRow(1, "1_1/2");
    table_.SetAnnotationsShown(true);
    ASSERT_TRUE(table_.SetAnnotation(1, "keep_this"));
    EXPECT_EQ(PrintTheTable(), TPrintJobResult::Printed);
    ResetFormatSettings();
    EXPECT_TRUE(HasText(Page(0), "1 1/2"));
    EXPECT_TRUE(HasText(Page(0), "keep_this"));
}

TEST_F(TablePrintTest, WithoutATableTheJobEndsAfterAnEmptyPage) {
    EXPECT_EQ(PrintTable(nullptr, layout_, report_, &appBus_), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 1U);
    EXPECT_TRUE(Page(0).empty());
}

// A preview composes its page again for every resize and zoom: the same page at any bitmap
// size, each page start recorded once.
TEST_F(TablePrintTest, PagesComposedAgainAtOtherSizesAreRecordedOnce) {
    table_.AddDataColumn("id1", 1, "C1");
    AddRows(1, 150);
    layout_.SetTableColumnGroups(false, 1);
    TTablePageComposer composer(&table_, layout_, report_, &appBus_);
    TPrintPreviewPages pages(composer, printer_, 96);
    HeadlessCanvas small({}, {0, 0, 425, 550});
    pages.Open(small);
    ASSERT_TRUE(pages.NextPage());
    std::vector<TPageOperations> drawn;
    for (const int width : {425, 850, 425}) {
        HeadlessCanvas bitmap({}, {0, 0, width, width * 1100 / 850});
        pages.ShowCurrentPage(bitmap);
        drawn.push_back(bitmap.Operations());
    }
    EXPECT_EQ(drawn[0], drawn[2]);
    const auto& records = composer.PageContents().Items();
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0], (TPageContentsListItem{1, 1}));
    EXPECT_EQ(records[1].Page, 2);
    EXPECT_EQ(records[2].Page, 3);
    EXPECT_TRUE(HasText(drawn[1], std::to_string(records[1].FirstLine)));
    EXPECT_FALSE(HasText(drawn[1], std::to_string(records[2].FirstLine)));
}

}  // namespace
}  // namespace tally
