#pragma once
// The results table's page composer. It lays the table's rows out as the tape's composer lays
// out tape lines, with the table's own ways: headings as wide as their widest word and
// wrapped inside their column, row heights from the annotation cell, an empty band after every
// LinesPerGroup rows when blank lines are chosen, and the footer "Table in " and the file name.

#include <string>
#include <string_view>
#include <vector>

#include "output/lines_page_composer.h"
#include "output/print_preview.h"

namespace tally {

class TResultsTable;
class TTapePageLayout;

inline constexpr std::string_view kTablePageWidthTooSmall = "The page width is too small to print this table.";

class TTablePageComposer : public TLinesPageComposer {
public:
    // Without a table nothing is printed: the job ends after an empty first page.
    TTablePageComposer(const TResultsTable* table, TTapePageLayout& layout, TWyn_ReportProperties& report,
                       const TStMediator* fileNameBus);

    bool ComposePage(int pageNumber, TTly_PrinterPage& page) override;
    bool ComposeTablePage(int pageNumber, TTly_PrinterPage& page) { return ComposePage(pageNumber, page); }

private:
    void FillPrintColumns(TPrintColPropList& columns) override;
    long double MeasureColumn(const TPrintColPropListItem& column, TTly_PrinterPage& page) const override;
    int AlignHeadings(TPrintColPropList& columns, TTly_PrinterPage& page) const override;
    bool HeadingsWordBreak() const override { return true; }
    TPageFurnitureFlags FurnitureFlags() const override;
    TColumnGroups ColumnGroups() const override;
    std::string PageWidthMessage() const override { return std::string(kTablePageWidthTooSmall); }
    std::string PageHeader() const override;
    std::string Title() const override;
    std::vector<std::string> NoteLines() const override;
    std::string FooterText(const std::string& fileName) const override { return "Table in " + fileName; }
    TPrintLine FirstLine() const override { return 1; }
    TPrintLine EndLine() const override;
    std::string CellText(TPrintLine row, const TPrintColPropListItem& column) const override;
    TPrintedCell PrintedCell(TPrintLine row, const TPrintColPropListItem& column) const override;
    int BandBottom(TPrintLine row, int top, int rowHeight) const override;
    void DrawRules(TPrintLine row, int x, int bandBottom, TTly_PrinterPage& page) const override;
    std::string NeverFitsText(TPrintLine row) const override;
    // After every LinesPerGroup rows, when blank lines are chosen.
    bool EndsRowGroup(TPrintLine row) const;

    const TResultsTable* table_;
    TTapePageLayout& layout_;
};

// Prints the table (none: one empty page) through the report properties' printer.
TPrintJobResult PrintTable(const TResultsTable* table, TTapePageLayout& layout, TWyn_ReportProperties& report,
                           const TStMediator* fileNameBus);

// Opens the preview with the table's composer. A table too wide for the page is refused once,
// when the preview prepares it; the preview then shows an empty page.
void PreviewTable(const TResultsTable* table, TTapePageLayout& layout, TWyn_ReportProperties& report,
                  const TStMediator* fileNameBus, IPrintPreview& preview);

}  // namespace tally
