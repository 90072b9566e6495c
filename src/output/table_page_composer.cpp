#include "output/table_page_composer.h"

#include <algorithm>

#include "foundation/numbers/format_settings.h"
#include "output/table_print_columns.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"

namespace tally {

namespace {

std::string WithoutLeadingBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// A heading wraps at blanks inside its column: one of several lines is as wide as its widest
// line, a heading of one line as its widest word.
long double HeadingWidth(const std::string& heading, TTly_PrinterPage& page) {
    const std::string text = WithoutLeadingBlanks(heading);
    if (text.find_first_of("\r\n") != std::string::npos) return page.TextWidth(text);
    long double widest = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) widest = std::max(widest, page.TextWidth(text.substr(at, end - at)));
        at = end + 1;
    }
    return widest;
}

}  // namespace

TTablePageComposer::TTablePageComposer(const TResultsTable* table, TTapePageLayout& layout,
                                       TWyn_ReportProperties& report, const TStMediator* fileNameBus)
    : TLinesPageComposer(report, fileNameBus), table_(table), layout_(layout) {}

bool TTablePageComposer::ComposePage(int pageNumber, TTly_PrinterPage& page) {
    if (table_ == nullptr) return false;
    return TLinesPageComposer::ComposePage(pageNumber, page);
}

// ---- Columns

void TTablePageComposer::FillPrintColumns(TPrintColPropList& columns) {
    if (table_ != nullptr) FillTablePrintColumns(*table_, columns);
}

long double TTablePageComposer::MeasureColumn(const TPrintColPropListItem& column, TTly_PrinterPage& page) const {
    return std::max(HeadingWidth(column.Heading, page), WidestCell(column, 1, table_->RowCount(), page));
}

int TTablePageComposer::AlignHeadings(TPrintColPropList& list, TTly_PrinterPage& page) const {
    auto& columns = list.Items();
    const long double lineHeight = page.TextHeight("M");
    std::vector<int> counts;
    int lines = 0;
    for (auto& column : columns) {
        column.Heading = WithoutLeadingBlanks(column.Heading);
        const long double height = page.WrappedTextHeight(column.Heading, 0, column.Width);
        counts.push_back(RoundHalfEvenToInt(height / lineHeight));
        lines = std::max(lines, counts.back());
    }
    if (lines == 1) return lines;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        for (int missing = lines - counts[i]; missing > 0; --missing) columns[i].Heading.insert(0, "\r\n");
    }
    return lines;
}

// ---- Furniture

TPageFurnitureFlags TTablePageComposer::FurnitureFlags() const {
    const TTablePrintFlags& flags = layout_.TableFlags();
    return {flags.ShowColHeadings, flags.ShowFilenameFooter, flags.ShowRowLines,
            flags.ShowPageNumbers, flags.ShowBorderLines,   flags.ShowColLines};
}

TColumnGroups TTablePageComposer::ColumnGroups() const { return layout_.TableColumnGroups(); }

std::string TTablePageComposer::PageHeader() const { return table_ ? table_->PageHeading() : std::string(); }

std::string TTablePageComposer::Title() const { return table_ ? table_->Title() : std::string(); }

std::vector<std::string> TTablePageComposer::NoteLines() const {
    return table_ ? table_->NoteLines() : std::vector<std::string>();
}

// ---- Rows

// Every row after the heading row; a table has no open line.
TPrintLine TTablePageComposer::EndLine() const { return table_ ? table_->RowCount() : 1; }

std::string TTablePageComposer::CellText(TPrintLine row, const TPrintColPropListItem& column) const {
    return table_->Cell(column.GridColumn, row);
}

TPrintedCell TTablePageComposer::PrintedCell(TPrintLine row, const TPrintColPropListItem& column) const {
    TPrintedCell cell{CellText(row, column)};
    std::replace(cell.Text.begin(), cell.Text.end(), TFormatSettings::kNoBreakSpace, ' ');
    if (!column.Wrap && FormatSettings().FractionLeader == '_') {
        std::replace(cell.Text.begin(), cell.Text.end(), '_', ' ');
    }
    return cell;
}

bool TTablePageComposer::EndsRowGroup(TPrintLine row) const {
    return layout_.TableFlags().ShowBlankLines && row % layout_.TableLinesPerGroup() == 0;
}

int TTablePageComposer::BandBottom(TPrintLine row, int top, int rowHeight) const {
    const bool rowLines = layout_.TableFlags().ShowRowLines;
    int c = top + V_ + rowHeight - 1;
    if (rowLines) c += pw_ + 2 * P_;
    if (EndsRowGroup(row)) {
        c += hM_ + 2 * V_;
        if (rowLines) c += pw_ + 2 * P_;
    }
    return c;
}

void TTablePageComposer::DrawRules(TPrintLine row, int x, int c, TTly_PrinterPage& page) const {
    if (!layout_.TableFlags().ShowRowLines) return;
    HorizontalRule(x, c - P_ - pw_ + 1, page);
    if (EndsRowGroup(row)) HorizontalRule(x, c - 3 * P_ - 2 * V_ - hM_ - 2 * pw_ + 1, page);
}

std::string TTablePageComposer::NeverFitsText(TPrintLine row) const {
    return "**********************\r\nTable line " + std::to_string(row) +
           " will not fit in the printable area of any page.  " + "Either (1) decrease the page margin sizes, " +
           "(2) set the number of printed column groups to 1, " +
           "(3) decrease the length of the table line's annotation, " +
           "(4) select a smaller font to print the table, " +
           "or (5) select a subset of the table's columns to print.  " + "Printing of table aborted." + "\r\n" +
           "**********************";
}

// ---- Jobs

TPrintJobResult PrintTable(const TResultsTable* table, TTapePageLayout& layout, TWyn_ReportProperties& report,
                           const TStMediator* fileNameBus) {
    TTablePageComposer composer(table, layout, report, fileNameBus);
    report.ApplyOrientation();
    return PrintJob(composer, report);
}

void PreviewTable(const TResultsTable* table, TTapePageLayout& layout, TWyn_ReportProperties& report,
                  const TStMediator* fileNameBus, IPrintPreview& preview) {
    TTablePageComposer composer(table, layout, report, fileNameBus);
    report.ApplyOrientation();
    preview.ShowPreview(composer, report);
}

}  // namespace tally
