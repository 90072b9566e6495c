#pragma once
// The tape's page composer: lays a tape out on printed pages with its print columns, the bands
// and rules of its series, totals and ranges, and the highlights of its embedded series and
// total ranges.

#include <string>
#include <string_view>
#include <vector>

#include "output/lines_page_composer.h"
#include "output/print_preview.h"

namespace tally {

class TCalculator;
class TLineStore;
class TTapePageLayout;

// The texts the Links column starts with; they decide its printed width.
struct TLinkPrefixes {
    std::string UsedAtLine = "Used at line ";
    std::string FromLine = "From line ";
};

inline constexpr std::string_view kPageWidthTooSmall = "The page width is too small to print this Tape.";

class TTapePageComposer : public TLinesPageComposer {
public:
    TTapePageComposer(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                      TLinkPrefixes prefixes, const TStMediator* fileNameBus);

    bool ComposeTapePage(int pageNumber, TTly_PrinterPage& page) { return ComposePage(pageNumber, page); }

private:
    void FillPrintColumns(TPrintColPropList& columns) override;
    long double MeasureColumn(const TPrintColPropListItem& column, TTly_PrinterPage& page) const override;
    int AlignHeadings(TPrintColPropList& columns, TTly_PrinterPage& page) const override;
    bool HeadingsWordBreak() const override { return false; }
    TPageFurnitureFlags FurnitureFlags() const override;
    TColumnGroups ColumnGroups() const override;
    std::string PageWidthMessage() const override { return std::string(kPageWidthTooSmall); }
    std::string PageHeader() const override;
    std::string Title() const override;
    std::vector<std::string> NoteLines() const override;
    std::string FooterText(const std::string& fileName) const override;
    TPrintLine FirstLine() const override { return 0; }
    TPrintLine EndLine() const override;
    std::string CellText(TPrintLine line, const TPrintColPropListItem& column) const override;
    TPrintedCell PrintedCell(TPrintLine line, const TPrintColPropListItem& column) const override;
    int BandBottom(TPrintLine line, int top, int rowHeight) const override;
    void DrawRules(TPrintLine line, int x, int bandBottom, TTly_PrinterPage& page) const override;
    std::string NeverFitsText(TPrintLine line) const override;

    const TCalculator& tape_;
    TTapePageLayout& layout_;
    TLinkPrefixes prefixes_;
    const TLineStore& lines_;
};

// Prints the tape through the report properties' printer.
TPrintJobResult PrintTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                          const TLinkPrefixes& prefixes, const TStMediator* fileNameBus);

// Opens the preview with the tape's composer. A tape too wide for the page is refused once,
// when the preview prepares it; the preview then shows an empty page.
void PreviewTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                 const TLinkPrefixes& prefixes, const TStMediator* fileNameBus, IPrintPreview& preview);

}  // namespace tally
