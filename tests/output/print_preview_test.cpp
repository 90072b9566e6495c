// The print preview's paging, its page sizes fitted and zoomed, scrolling by keys, where the
// page is drawn, and its caption.

#include "output/tape_print_fixture.h"

#include "output/print_preview.h"

namespace tally {
namespace {

class PrintPreviewTest : public TapePrintTest {
protected:
    // A tape of that many pages, one column group a page.
    void FillPages(int pages) {
        layout_.SetTapeColumnGroups(false, 1);
        AddEntries(50 * pages - 10);
    }
    TTapePageComposer composer_{tape_, layout_, report_, {}, &appBus_};
    TPrintPreviewPages pages_{composer_, printer_, 96};
    HeadlessCanvas bitmap_{{}, {0, 0, 216, 280}};
};

// Prev Page is off on page 1, Next Page only while more pages follow.
TEST_F(PrintPreviewTest, PagingFollowsTheComposersAnswers) {
    FillPages(3);
    pages_.Open(bitmap_);
    EXPECT_TRUE(pages_.Prepared());
    struct State {
        int Page;
        bool Prev;
        bool Next;
    };
    std::vector<State> states{{pages_.CurrentPage(), pages_.CanShowPrevPage(), pages_.CanShowNextPage()}};
    const auto step = [&](bool next) {
        EXPECT_TRUE(next ? pages_.NextPage() : pages_.PrevPage());
        pages_.ShowCurrentPage(bitmap_);
        states.push_back({pages_.CurrentPage(), pages_.CanShowPrevPage(), pages_.CanShowNextPage()});
    };
    step(true);
    step(true);
    EXPECT_FALSE(pages_.NextPage());
    step(false);
    step(false);
    EXPECT_FALSE(pages_.PrevPage());
    const std::vector<std::tuple<int, bool, bool>> expected{
        {1, false, true}, {2, true, true}, {3, true, false}, {2, true, true}, {1, false, true}};
    ASSERT_EQ(states.size(), expected.size());
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(std::make_tuple(states[i].Page, states[i].Prev, states[i].Next), expected[i]) << i;
    }
    EXPECT_TRUE(HasText(bitmap_.Operations(), "Page 1"));
}

TEST_F(PrintPreviewTest, AOnePageTapeDisablesBothPagingCommands) {
    AddEntries(3);
    pages_.Open(bitmap_);
    EXPECT_FALSE(pages_.CanShowPrevPage());
    EXPECT_FALSE(pages_.CanShowNextPage());
    EXPECT_FALSE(pages_.NextPage());
}

// The page of 8.5 x 11 inches: fitted into the client area less 20 pixels in its proportions,
// or zoomed at the screen's 96 pixels per inch; turned, it is 11 x 8.5.
TEST_F(PrintPreviewTest, TheBitmapFitsTheWindowOrShowsThePageAtItsSize) {
    struct Case {
        TSize Client;
        bool Zoomed;
        TSize Bitmap;
    };
    const Case cases[] = {
        {{438, 300}, false, {216, 280}},  // the designed window: the height decides
        {{300, 800}, false, {280, 362}},  // a tall window: the width decides
        {{10, 10}, false, {1, 1}},        // smaller than its margins
        {{438, 300}, true, {816, 1056}},
    };
    for (const Case& c : cases) {
        if (pages_.Zoomed() != c.Zoomed) pages_.ToggleZoom();
        EXPECT_EQ(pages_.BitmapSize(c.Client), c.Bitmap) << c.Client.Width << "x" << c.Client.Height;
    }
    report_.SetOrientation("Landscape");
    TPrintPreviewPages turned(composer_, printer_, 96);
    turned.ToggleZoom();
    EXPECT_EQ(turned.BitmapSize({438, 300}), (TSize{1056, 816}));
}

TEST_F(PrintPreviewTest, ThePageIsCentredWhenFittedAndScrollsWhenZoomed) {
    EXPECT_EQ(pages_.DrawPosition({438, 300}, {216, 280}, {0, 0}), (TPoint{111, 10}));
    pages_.ToggleZoom();
    EXPECT_EQ(pages_.DrawPosition({438, 300}, {816, 1056}, {0, 0}), (TPoint{10, 10}));
    EXPECT_EQ(pages_.DrawPosition({438, 300}, {816, 1056}, {30, 50}), (TPoint{-20, -40}));
}

// Zoomed on the designed window: a range of 836 x 1076 with steps of 84 and 108.
TEST_F(PrintPreviewTest, KeysScrollByStepsAndPagesWithinTheRange) {
    const TSize range = TPrintPreviewPages::ScrollRange({816, 1056});
    EXPECT_EQ(range, (TSize{836, 1076}));
    EXPECT_EQ(TPrintPreviewPages::ScrollStep(range), (TSize{84, 108}));
    const TSize client{438, 300};
    struct Case {
        TPreviewKey Key;
        TPoint From;
        TPoint To;
    };
    const Case cases[] = {
        {TPreviewKey::Down, {0, 0}, {0, 108}},
        {TPreviewKey::Up, {0, 50}, {0, 0}},          // not below 0
        {TPreviewKey::Down, {0, 700}, {0, 776}},     // not past the range
        {TPreviewKey::Right, {0, 0}, {84, 0}},
        {TPreviewKey::Left, {84, 0}, {0, 0}},
        {TPreviewKey::PageDown, {0, 0}, {0, 300}},
        {TPreviewKey::PageUp, {0, 500}, {0, 200}},
        {TPreviewKey::CtrlPageDown, {0, 0}, {398, 0}},  // a client width, at most the range
        {TPreviewKey::CtrlPageUp, {398, 20}, {0, 20}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TPrintPreviewPages::ScrollByKey(c.Key, c.From, range, client), c.To) << static_cast<int>(c.Key);
    }
    // A fitted page has nothing to scroll.
    const TSize fitted = TPrintPreviewPages::ScrollRange({216, 280});
    EXPECT_EQ(TPrintPreviewPages::ScrollByKey(TPreviewKey::Down, {0, 0}, fitted, client), (TPoint{0, 0}));
}

TEST(PrintPreviewCaptionTest, NamesTheTapeOrTableAndTheFile) {
    EXPECT_EQ(PrintPreviewCaption(false, "Tape", "/home/me/budget.tly"), "Tallyroll Tape - Print Preview - budget.tly");
    EXPECT_EQ(PrintPreviewCaption(false, "Aux A", ""), "Tallyroll Aux A - Print Preview");
    EXPECT_EQ(PrintPreviewCaption(true, "Table A", "Untitled(1)"), "Tallyroll Table - Print Preview - Untitled(1)");
}

}  // namespace
}  // namespace tally
