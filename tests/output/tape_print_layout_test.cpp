// Columns, page furniture, bands, rules and highlights of a printed tape page.

#include "output/tape_print_fixture.h"

#include "foundation/numbers/format_settings.h"

namespace tally {
namespace {

using Col = TTapeColumn;

TEST_F(TapePrintTest, ColumnWidthsOffsetsAndBottomAlignedHeadings) {
    for (Col column : {Col::Line, Col::Links, Col::TableColumns}) tape_.SetColumnShown(column, true);
    AddLine("+12.00");
    AddLine("+1,234.50", "T");
    TTapePageComposer composer(tape_, layout_, report_, {}, &appBus_);
    TTly_PrinterPage page(printer_, nullptr, true);
    ASSERT_TRUE(composer.PreparePages(page));

    const TColumnLayout columns = ColumnLayout(composer.PrintColumns());
    // Line: "Line"; Entries: "+1,234.50"; indicator: one character; Links: "Used at line " +
    // " M999-,"; Table Columns: "Columns", the wider heading line.
    EXPECT_EQ(columns.Widths, (std::vector<int>{28, 63, 7, 140, 49}));
    // Each column: a pen slot, then H = 7 either side.
    EXPECT_EQ(columns.Offsets, (std::vector<int>{8, 51, 129, 151, 306}));
    EXPECT_EQ(columns.Headings,
              (std::vector<std::string>{"\r\nLine", "\r\nEntries", "\r\n ", "\r\nLinks", "Table\r\nColumns"}));
    EXPECT_EQ(composer.GroupWidth(), 362);
    EXPECT_EQ(composer.GroupCount(), 1);
}

TEST_F(TapePrintTest, AnnotationsNarrowToThePageAndWrapIntoATallerRow) {
    tape_.SetColumnShown(Col::Annotations, true);
    std::string annotation = "word";
    for (int i = 1; i < 60; ++i) annotation += " word";
    AddLine("+1", "", "", annotation);
    AddLine("+2");
    TTapePageComposer composer(tape_, layout_, report_, {}, &appBus_);
    TTly_PrinterPage measuring(printer_, nullptr, true);
    ASSERT_TRUE(composer.PreparePages(measuring));
    // 2,093 pixels of annotation give up what the 651-pixel page lacks.
    EXPECT_EQ(composer.PrintColumns().Items().back().Width, 550);
    EXPECT_EQ(composer.GroupWidth(), 651);

    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    const std::string line15 = annotation.substr(0, 15 * 5 - 1);  // 15 words fit in 78 characters
    int wrapped = 0;
    for (const auto& text : Texts(Page(0))) wrapped += text == line15 ? 1 : 0;
    EXPECT_EQ(wrapped, 4);
    const auto* first = FindText(Page(0), "+1");
    const auto* second = FindText(Page(0), "+2");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->Area.Top - first->Area.Top, 4 * 16 + 1);  // four lines of text and V
}

TEST_F(TapePrintTest, FurnitureAtItsPlaces) {
    tape_.SetPageHeader("Head one;Head two");
    tape_.SetTitle("My Title");
    AddEntries(3);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    ASSERT_EQ(printer_.Pages().size(), 1U);
    const TPageOperations& page = Page(0);

    // The page header at the top left, two lines at size 8 (13 pixels high).
    const auto* head1 = FindText(page, "Head one");
    const auto* head2 = FindText(page, "Head two");
    ASSERT_TRUE(head1 && head2);
    EXPECT_EQ(head1->Area.Left, L - kOffset);
    EXPECT_EQ(head1->Area.Top, T - kOffset);
    EXPECT_EQ(head2->Area.Top, T - kOffset + 13);
    EXPECT_EQ(head1->Font.Size, 8);

    const auto* number = FindText(page, "Page 1");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->Align, TTextAlign::Right);
    EXPECT_EQ(number->Area.Left + number->Area.Width, R - kOffset);

    const auto* title = FindText(page, "My Title");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->Align, TTextAlign::Centre);
    EXPECT_EQ(title->Font.Size, 12);

    const auto* footer = FindText(page, "Tape in Untitled(1)");
    ASSERT_TRUE(footer);
    EXPECT_EQ(footer->Area.Top, B - 13 - kOffset);
}

struct FlagCase {
    const char* Name;
    bool TTapePrintFlags::*Flag;
    // What the flag shows: a text, or else the count of operations of a kind.
    const char* Text;
    TCanvasOperationKind Kind;
    bool Vertical;
};

class TapePrintFlagTest : public TapePrintTest, public ::testing::WithParamInterface<FlagCase> {
protected:
    int Shown(const TPageOperations& page) const {
        const FlagCase& c = GetParam();
        if (c.Text) return HasText(page, c.Text) ? 1 : 0;
        if (c.Kind == TCanvasOperationKind::Line) return static_cast<int>(Lines(page, !c.Vertical).size());
        return static_cast<int>(std::count_if(page.begin(), page.end(), [&](const auto& op) { return op.Kind == c.Kind; }));
    }
};

TEST_P(TapePrintFlagTest, FlagShowsAndHidesItsElement) {
    AddEntries(3);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    EXPECT_GT(Shown(Page(0)), 0);
    SetFlag(GetParam().Flag, false);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    EXPECT_EQ(Shown(Page(0)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, TapePrintFlagTest,
    ::testing::Values(FlagCase{"PageNumbers", &TTapePrintFlags::ShowPageNumbers, "Page 1", {}, false},
                      FlagCase{"Footer", &TTapePrintFlags::ShowFilenameFooter, "Tape in Untitled(1)", {}, false},
                      FlagCase{"ColHeadings", &TTapePrintFlags::ShowColHeadings, "Entries", {}, false},
                      FlagCase{"Border", &TTapePrintFlags::ShowTapeBorderLines, nullptr,
                               TCanvasOperationKind::Rectangle, false},
                      FlagCase{"ColLines", &TTapePrintFlags::ShowColLines, nullptr, TCanvasOperationKind::Line, true}),
    [](const auto& info) { return std::string(info.param.Name); });

struct BandCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Lines;  // indicator, series type
    int Ruled;                                                // line number
    bool Dashed;
    bool RowLines;
    std::vector<int> Rules;  // below the ruled line's top
    int NextTop;             // where the line after it starts
    TPenStyle Style = TPenStyle::Solid;
};

class TapePrintBandTest : public TapePrintTest, public ::testing::WithParamInterface<BandCase> {
protected:
    // Line 28, Entries 49 ("Entries"), indicator 7 pixels wide.
    static constexpr int kGroupWidth = 129;
};

TEST_P(TapePrintBandTest, RulesAndBandHeightFollowTheLineKind) {
    const BandCase& c = GetParam();
    tape_.SetColumnShown(Col::Line, true);
    SetFlag(&TTapePrintFlags::PrintEmbedDashedLine, c.Dashed);
    SetFlag(&TTapePrintFlags::ShowRowLines, c.RowLines);
    for (const auto& [indicator, seriesType] : c.Lines) AddLine("+1", indicator, seriesType);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    const TPageOperations& page = Page(0);
    const auto* ruled = FindText(page, std::to_string(c.Ruled));
    const auto* next = FindText(page, std::to_string(c.Ruled + 1));
    ASSERT_TRUE(ruled && next);
    const int top = ruled->Area.Top;
    EXPECT_EQ(next->Area.Top - top, c.NextTop);
    std::vector<int> rules;
    for (const auto& rule : Lines(page, true)) {
        if (rule.Area.Top < top || rule.Area.Top >= next->Area.Top) continue;
        rules.push_back(rule.Area.Top - top);
        EXPECT_EQ(rule.PenStyle, c.Style);
        EXPECT_EQ(rule.Area.Left, L - kOffset);
        EXPECT_EQ(rule.Area.Width, kGroupWidth - 1);  // across the whole group
    }
    std::sort(rules.begin(), rules.end());
    EXPECT_EQ(rules, c.Rules);
}

// hM = 16, V = 1, P = 4, pen 1: a plain line takes V + hM = 17 pixels.
INSTANTIATE_TEST_SUITE_P(
    Kinds, TapePrintBandTest,
    ::testing::Values(
        BandCase{"Entry", {{"", ""}, {"", ""}, {"", ""}}, 2, false, false, {}, 17},
        BandCase{"ZeroTotal", {{"", ""}, {"Z", ""}, {"", ""}}, 2, false, false, {21}, 26},
        BandCase{"GroupRange", {{"[", "gro"}, {"]", "gro"}, {"", ""}}, 2, false, false, {21, 26}, 31},
        BandCase{"GrandRange", {{"{", "gra"}, {"}", "gra"}, {"", ""}}, 2, false, false, {21, 26, 31}, 36},
        BandCase{"AfterEmbeddedDashed", {{"(", "e"}, {"", "e"}, {")", "e"}, {"", ""}, {"", ""}}, 4, true, false,
                 {21}, 26, TPenStyle::DashDot},
        BandCase{"AfterEmbeddedPlain", {{"(", "e"}, {"", "e"}, {")", "e"}, {"", ""}, {"", ""}}, 4, false, false, {},
                 17},
        BandCase{"RowLinesEntry", {{"", ""}, {"T", ""}, {"", ""}}, 2, false, true, {21}, 26},
        BandCase{"RowLinesClosing", {{"", ""}, {"Z", ""}, {"", ""}}, 2, false, true, {22, 48}, 53}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TapePrintTest, EntriesHighlightedBySeriesTypeWhenItsFlagIsOn) {
    tape_.SetColumnShown(Col::Line, true);
    AddLine("+5", "", "e");
    AddLine("+6", "", "gro");
    AddLine("+7", "", "gra");
    const auto brushes = [this] {
        EXPECT_EQ(Print(), TPrintJobResult::Printed);
        std::vector<std::uint32_t> result;
        for (const char* text : {"+5", "+6", "+7", "1"}) {
            const auto* op = FindText(Page(0), text);
            result.push_back(op ? op->Brush : 1);
        }
        return result;
    };
    EXPECT_EQ(brushes(), (std::vector<std::uint32_t>{0xC0C0C0, kWhite, kWhite, kWhite}));

    TTapePrintFlags flags = layout_.TapeFlags();
    flags.PrintEmbedHiliteColor = false;
    flags.PrintGroupTotalHiliteColor = true;
    flags.GroupTotalPrintHiliteColor = 0x00FF00;
    flags.PrintGrandTotalHiliteColor = true;
    flags.GrandTotalPrintHiliteColor = 0x0000FF;
    layout_.SetTapeFlags(flags);
    EXPECT_EQ(brushes(), (std::vector<std::uint32_t>{kWhite, 0x00FF00, 0x0000FF, kWhite}));
}

TEST_F(TapePrintTest, FractionLeaderAndNoBreakSpacesPrintAsBlanks) {
    ASSERT_TRUE(SetFormatSeparators(".", " "));
    AddLine("+1_1/2", "", "", "a\xA0note");
    tape_.SetColumnShown(Col::Annotations, true);
    EXPECT_EQ(Print(), TPrintJobResult::Printed);
    ResetFormatSettings();
    EXPECT_TRUE(HasText(Page(0), "+1 1/2"));
    EXPECT_TRUE(HasText(Page(0), "a note"));
}

TEST_F(TapePrintTest, FooterPrintsTheFileNameAsItStands) {
    fileName_ = "C:\\a&b\r\n%s.tly";
    AddEntries(1);
    ASSERT_EQ(Print(), TPrintJobResult::Printed);
    EXPECT_TRUE(HasText(Page(0), "Tape in C:\\a&b  %s.tly"));
}

}  // namespace
}  // namespace tally
