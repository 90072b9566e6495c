// A document's tape or table printed on the printer that prints, with the document's own page
// layout and report settings.

#include "output/tape_print_fixture.h"

#include "output/print_source.h"
#include "table/results_table.h"

namespace tally {
namespace {

class PrintSourceTest : public TapePrintTest {
protected:
    // Letter at 200 dots per inch, a quarter inch unprintable.
    static constexpr TPrinterMetrics kLetter200Dpi{1700, 2200, 1600, 2100, 50, 50, 200, 200};

    TPrintSource TapeSource() { return {false, &tape_, nullptr, &layout_, &report_, {}, &appBus_}; }

    HeadlessPrinter fine_{kLetter200Dpi};
};

TEST_F(PrintSourceTest, TheTapePrintsWithTheDocumentsLayoutAtThePrintersResolution) {
    tape_.SetColumnShown(TTapeColumn::RunningTotal, true);
    AddEntries(2);
    tape_.Lines().SetCell(0, TLineColumn::RunningTotal, "1.00");
    TReportSettings settings;
    settings.LeftMargin = 2;
    settings.FontSize = 12;
    settings.PageOrientation = "Landscape";
    report_.Assign(settings);
    SetFlag(&TTapePrintFlags::ShowPageNumbers, false);
    fileName_ = "Doc.tly";

    ASSERT_EQ(PrintSource(TapeSource(), fine_), TPrintJobResult::Printed);
    ASSERT_EQ(fine_.Pages().size(), 1U);
    const TPageOperations& page = fine_.Pages()[0];
    EXPECT_EQ(fine_.Orientation(), TPageOrientation::Landscape);
    EXPECT_FALSE(HasText(page, "Page 1"));
    EXPECT_TRUE(HasText(page, "Tape in Doc.tly"));
    EXPECT_TRUE(HasText(page, "Running Total"));
    EXPECT_TRUE(HasText(page, "1.00"));
    // The line under the headings starts at the 2-inch margin: 400 pixels, less the unprintable 50.
    const auto rules = Lines(page, true);
    ASSERT_FALSE(rules.empty());
    EXPECT_EQ(rules.front().Area.Left, 350);
    EXPECT_EQ(FindText(page, "+1")->Font.Size, 12);
    // The document keeps its own printer and settings.
    EXPECT_EQ(report_.LeftMargin(), 2);
    EXPECT_EQ(printer_.DocumentCount(), 0);
}

TEST_F(PrintSourceTest, MarginsWiderThanThePageAreRefused) {
    AddEntries(2);
    TReportSettings settings;
    settings.LeftMargin = 5;
    settings.RightMargin = 5;
    report_.Assign(settings);
    EXPECT_EQ(PrintSource(TapeSource(), fine_), TPrintJobResult::Refused);
    EXPECT_EQ(fine_.DocumentCount(), 0);
    ASSERT_EQ(platform_.MessageBoxes().size(), 1U);
    EXPECT_EQ(platform_.MessageBoxes()[0].Text, "The page width is too small to print this Tape.");
}

TEST_F(PrintSourceTest, TheTablePrintsWithItsFooterAndIncompleteSourcesPrintNothing) {
    TResultsTable table;
    table.AddDataColumn("id1", 1, "Amount");
    ASSERT_TRUE(table.PutValue(1, 1, "12.50"));
    TPrintSource source{true, nullptr, &table, &layout_, &report_, {}, &appBus_};
    ASSERT_EQ(PrintSource(source, fine_), TPrintJobResult::Printed);
    EXPECT_TRUE(HasText(fine_.Pages()[0], "12.50"));
    EXPECT_TRUE(HasText(fine_.Pages()[0], "Table in Untitled(1)"));

    source.Layout = nullptr;
    EXPECT_EQ(PrintSource(source, fine_), TPrintJobResult::Failed);
    EXPECT_EQ(PrintSource({false, nullptr, nullptr, &layout_, &report_, {}, &appBus_}, fine_), TPrintJobResult::Failed);
    EXPECT_EQ(fine_.DocumentCount(), 1);
}

}  // namespace
}  // namespace tally
