// Page breaks, the page-contents records, column groups down the page, and the jobs.

#include "output/tape_print_fixture.h"

#include <stdexcept>


namespace tally {
namespace {

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const auto& text : texts) joined += text + " ";
    return joined;
}

TEST_F(TapePrintTest, EveryLineOnceAndPageThreeAloneEqualsPageThreeOfAWholeRun) {
    tape_.SetPageHeader("Header");
    tape_.SetTitle("Title");
    tape_.SetNoteLines({"A note that ", "continues.", "", "Second paragraph"});
    layout_.SetTapeColumnGroups(false, 1);
    AddEntries(150);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    ASSERT_GE(printer_.Pages().size(), 4U);
    EXPECT_TRUE(HasText(Page(0), "A note that continues."));
    EXPECT_FALSE(HasText(Page(2), "A note that continues."));
    for (int i = 1; i <= 150; ++i) {
        int seen = 0;
        for (const auto& page : printer_.Pages()) seen += HasText(page, "+" + std::to_string(i)) ? 1 : 0;
        EXPECT_EQ(seen, 1) << "line " << i;
    }

    // A new job asked for page 3 first lays out pages 1 and 2, notes included, without drawing.
    TTapePageComposer composer(tape_, layout_, report_, {}, &appBus_);
    HeadlessCanvas canvas({}, {0, 0, 800, 1050});
    TTly_PrinterPage page(printer_, &canvas, true);
    ASSERT_TRUE(composer.PreparePages(page));
    EXPECT_TRUE(composer.ComposePage(3, page));
    EXPECT_EQ(canvas.Operations(), Page(2));
}

TEST_F(TapePrintTest, PagesComposedAgainAreRecordedOnceAndDrawnAlike) {
    AddEntries(120);
    layout_.SetTapeColumnGroups(false, 1);
    TTapePageComposer composer(tape_, layout_, report_, {}, &appBus_);
    HeadlessCanvas canvas({}, {0, 0, 800, 1050});
    TTly_PrinterPage page(printer_, &canvas, true);
    ASSERT_TRUE(composer.PreparePages(page));
    std::vector<TPageOperations> drawn;
    for (int number : {1, 2, 1, 2}) {
        canvas.ClearOperations();
        EXPECT_TRUE(composer.ComposePage(number, page));
        drawn.push_back(canvas.Operations());
    }
    EXPECT_EQ(drawn[0], drawn[2]);
    EXPECT_EQ(drawn[1], drawn[3]);
    const auto& records = composer.PageContents().Items();
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0], (TPageContentsListItem{1, 0}));
    EXPECT_EQ(records[1].Page, 2);
    EXPECT_EQ(records[2].Page, 3);
    EXPECT_TRUE(HasText(drawn[1], "+" + std::to_string(records[1].FirstLine + 1)));
    EXPECT_FALSE(HasText(drawn[0], "+" + std::to_string(records[1].FirstLine + 1)));
}

TEST_F(TapePrintTest, LinesRunDownOneColumnGroupThenTheNext) {
    AddEntries(120);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);  // automatic: seven narrow groups fit
    ASSERT_EQ(printer_.Pages().size(), 1U);
    const auto* first = FindText(Page(0), "+1");
    ASSERT_TRUE(first);
    const TCanvasOperation* top2 = nullptr;
    for (int i = 2; i <= 120 && !top2; ++i) {
        const auto* op = FindText(Page(0), "+" + std::to_string(i));
        if (op && op->Area.Top == first->Area.Top) top2 = op;
    }
    ASSERT_TRUE(top2);
    // Entries and indicator make a group 86 pixels wide; the gap is 2.
    EXPECT_EQ(top2->Area.Left - first->Area.Left, 88);
}

TEST_F(TapePrintTest, NotesThatLeaveNoRoomMakeANotesOnlyFirstPage) {
    tape_.SetNoteLines(std::vector<std::string>(50, "Note"));
    AddEntries(3);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 2U);
    const auto rectangles = [](const TPageOperations& page) {
        return std::count_if(page.begin(), page.end(),
                             [](const auto& op) { return op.Kind == TCanvasOperationKind::Rectangle; });
    };
    EXPECT_TRUE(HasText(Page(0), "Note"));
    EXPECT_FALSE(HasText(Page(0), "+1"));
    EXPECT_FALSE(HasText(Page(0), "Entries"));
    EXPECT_EQ(rectangles(Page(0)), 0);
    EXPECT_TRUE(HasText(Page(1), "+1"));
    EXPECT_FALSE(HasText(Page(1), "Note"));
    EXPECT_EQ(rectangles(Page(1)), 1);
}

TEST_F(TapePrintTest, ALineTallerThanAnyPageEndsTheJobWithAnExplanation) {
    tape_.SetColumnShown(TTapeColumn::Annotations, true);
    AddLine("+1");
    std::string annotation;
    for (int i = 0; i < 2000; ++i) annotation += "word ";
    AddLine("+2", "", "", annotation);
    AddLine("+3");
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 1U);
    const std::string texts = Joined(Texts(Page(0)));
    EXPECT_NE(texts.find("Tape line 2 will not fit in the printable area of any page."), std::string::npos);
    EXPECT_TRUE(HasText(Page(0), "+1"));
    EXPECT_FALSE(HasText(Page(0), "+2"));
    EXPECT_FALSE(HasText(Page(0), "+3"));
}

TEST_F(TapePrintTest, ATapeOfOnlyTheOpenLinePrintsOnePageOfFurniture) {
    AddLine("");  // an unfinished entry: printed, but not the open line after it
    tape_.Lines().RemoveLines(0);
    ASSERT_EQ(tape_.Lines().LineCount(), 1);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 1U);
    EXPECT_TRUE(HasText(Page(0), "Page 1"));
    EXPECT_TRUE(HasText(Page(0), "Tape in Untitled(1)"));
}

// Opens the preview as the window does, on fixed-metrics bitmaps: half the page, then the
// window made larger.
class PagingPreview : public IPrintPreview {
public:
    explicit PagingPreview(IPrinter& printer) : printer_(printer) {}
    void ShowPreview(IPageComposer& composer, TWyn_ReportProperties&) override {
        ++shown;
        TPrintPreviewPages pages(composer, printer_, 96);
        HeadlessCanvas half({}, {0, 0, 425, 550});
        pages.Open(half);
        prepared = pages.Prepared();
        nextPage = pages.CanShowNextPage();
        HeadlessCanvas resized({}, {0, 0, 850, 1100});
        pages.ShowCurrentPage(resized);
        afterResize = resized.Operations();
    }
    int shown = 0;
    bool prepared = false;
    bool nextPage = true;
    TPageOperations afterResize;

private:
    IPrinter& printer_;
};

TEST_F(TapePrintTest, APageTooNarrowIsRefusedOnceBeforeAnythingIsPrinted) {
    TReportSettings narrow;
    narrow.LeftMargin = 4;
    narrow.RightMargin = 4;  // 51 pixels left for a group 86 wide
    report_.Assign(narrow);
    AddEntries(3);
    EXPECT_EQ(Print(), TPrintJobResult::Refused);
    EXPECT_EQ(printer_.DocumentCount(), 0);
    ASSERT_EQ(platform_.MessageBoxes().size(), 1U);
    EXPECT_EQ(platform_.MessageBoxes()[0].Text, "The page width is too small to print this Tape.");
    EXPECT_EQ(platform_.MessageBoxes()[0].Caption, "Tallyroll - Information");
    EXPECT_EQ(platform_.MessageBoxes()[0].Buttons, TMessageBoxButtons::Ok);

    // The preview tells it once when it opens and then shows an empty page, also resized.
    PagingPreview preview(printer_);
    PreviewTape(tape_, layout_, report_, {}, &appBus_, preview);
    EXPECT_EQ(preview.shown, 1);
    EXPECT_FALSE(preview.prepared);
    EXPECT_FALSE(preview.nextPage);
    EXPECT_EQ(platform_.MessageBoxes().size(), 2U);
    ASSERT_EQ(preview.afterResize.size(), 1U);
    EXPECT_EQ(preview.afterResize[0].Kind, TCanvasOperationKind::Fill);
}

TEST_F(TapePrintTest, PreviewOpensWithTheComposerWhenThePageFits) {
    AddEntries(3);
    PagingPreview preview(printer_);
    PreviewTape(tape_, layout_, report_, {}, &appBus_, preview);
    EXPECT_EQ(preview.shown, 1);
    EXPECT_TRUE(preview.prepared);
    EXPECT_FALSE(preview.nextPage);
    EXPECT_TRUE(HasText(preview.afterResize, "+3"));
    EXPECT_TRUE(platform_.MessageBoxes().empty());
}

TEST_F(TapePrintTest, APrinterWithoutAPageFailsTheJobWithoutDividingByZero) {
    HeadlessPrinter none(TPrinterMetrics{});
    TWyn_ReportProperties report(none);
    report.Assign(TReportSettings{});
    EXPECT_FALSE(report.HasPage());
    EXPECT_EQ(report.PageWidth(), 0);
    AddEntries(3);
    EXPECT_EQ(PrintTape(tape_, layout_, report, {}, &appBus_), TPrintJobResult::Failed);
    EXPECT_EQ(none.DocumentCount(), 0);
}

class ThrowingComposer : public IPageComposer {
public:
    bool PreparePages(TTly_PrinterPage&) override { return true; }
    bool ComposePage(int pageNumber, TTly_PrinterPage&) override {
        if (pageNumber == 2) throw std::runtime_error("composing failed");
        return true;
    }
};

TEST_F(TapePrintTest, AnErrorWhileComposingEndsThePrinterDocument) {
    ThrowingComposer composer;
    EXPECT_THROW(PrintJob(composer, report_), std::runtime_error);
    EXPECT_FALSE(printer_.InDocument());
    EXPECT_EQ(printer_.Pages().size(), 2U);
}

TEST_F(TapePrintTest, ReportMarginsStayOutsideTheUnprintableArea) {
    TReportSettings settings;
    settings.LeftMargin = 0.1L;   // inside the quarter inch the printer cannot reach
    settings.TopMargin = 0.5L;
    settings.PageOrientation = "Landscape";
    report_.Assign(settings);
    EXPECT_EQ(report_.LeftMargin(), 0.25L);
    EXPECT_EQ(report_.TopMargin(), 0.5L);
    EXPECT_EQ(printer_.Orientation(), TPageOrientation::Landscape);
    EXPECT_EQ(report_.PageWidth(), 11.0L);
    report_.SetOrientation("Sideways");
    EXPECT_EQ(report_.Orientation(), "Landscape");
}

}  // namespace
}  // namespace tally
