#include "output/tape_page_composer.h"

#include <algorithm>

#include "engine/tape/calculator.h"
#include "foundation/numbers/format_settings.h"
#include "output/tape_print_texts.h"
#include "settings/tape_page_layout.h"

namespace tally {

namespace {

constexpr std::string_view kLinksSample = " M999-,";

}  // namespace

TTapePageComposer::TTapePageComposer(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                                     TLinkPrefixes prefixes, const TStMediator* fileNameBus)
    : TLinesPageComposer(report, fileNameBus),
      tape_(tape),
      layout_(layout),
      prefixes_(std::move(prefixes)),
      lines_(tape.Lines()) {}

// ---- Columns

void TTapePageComposer::FillPrintColumns(TPrintColPropList& columns) { columns = TapePrintColumns(layout_); }

long double TTapePageComposer::MeasureColumn(const TPrintColPropListItem& column, TTly_PrinterPage& page) const {
    const long double heading = page.TextWidth(column.Heading);
    if (column.Links && column.Kind == TTapeColumn::Links) {
        return std::max({heading, page.TextWidth(prefixes_.UsedAtLine + std::string(kLinksSample)),
                         page.TextWidth(prefixes_.FromLine + std::string(kLinksSample))});
    }
    // Every line, the open line included.
    return std::max(heading, WidestCell(column, 0, lines_.LineCount(), page));
}

int TTapePageComposer::AlignHeadings(TPrintColPropList& columns, TTly_PrinterPage&) const {
    return AlignHeadingsAtBottom(columns);
}

// ---- Furniture

TPageFurnitureFlags TTapePageComposer::FurnitureFlags() const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    return {flags.ShowColHeadings, flags.ShowFilenameFooter, flags.ShowRowLines,
            flags.ShowPageNumbers, flags.ShowTapeBorderLines, flags.ShowColLines};
}

TColumnGroups TTapePageComposer::ColumnGroups() const { return layout_.TapeColumnGroups(); }

std::string TTapePageComposer::PageHeader() const { return tape_.PageHeader(); }

std::string TTapePageComposer::Title() const { return tape_.Title(); }

std::vector<std::string> TTapePageComposer::NoteLines() const { return tape_.NoteLines(); }

std::string TTapePageComposer::FooterText(const std::string& fileName) const {
    return tape_.TapeName() + " in " + fileName;
}

// ---- Lines

// The open line is never printed.
TPrintLine TTapePageComposer::EndLine() const { return lines_.LastLine(); }

std::string TTapePageComposer::CellText(TPrintLine line, const TPrintColPropListItem& column) const {
    return TapeCellText(lines_, line, column.Kind);
}

TPrintedCell TTapePageComposer::PrintedCell(TPrintLine line, const TPrintColPropListItem& column) const {
    TPrintedCell cell{CellText(line, column)};
    std::replace(cell.Text.begin(), cell.Text.end(), TFormatSettings::kNoBreakSpace, ' ');
    if (column.Kind != TTapeColumn::Entries) return cell;
    if (FormatSettings().FractionLeader == '_') std::replace(cell.Text.begin(), cell.Text.end(), '_', ' ');
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const std::string_view seriesType = lines_.Property(line, LineKey::kSeriesType);
    if (flags.PrintEmbedHiliteColor && seriesType == "e") cell.Background = flags.EmbedPrintHiliteColor;
    if (flags.PrintGroupTotalHiliteColor && seriesType == "gro") cell.Background = flags.GroupTotalPrintHiliteColor;
    if (flags.PrintGrandTotalHiliteColor && seriesType == "gra") cell.Background = flags.GrandTotalPrintHiliteColor;
    return cell;
}

int TTapePageComposer::BandBottom(TPrintLine line, int top, int rowHeight) const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const int base = top + V_ + rowHeight;
    const char kind = lines_.KindOf(line);
    if (flags.ShowRowLines) {
        if (KindInGroup(kind, LineGroup::kSeriesEnding)) return base + 2 * pw_ + 4 * P_ + hM_ + 2 * V_ - 1;
        return base + pw_ + 2 * P_ - 1;
    }
    if (KindInGroup(kind, LineGroup::kZeroTotal)) return base + pw_ + 2 * P_ - 1;
    if (line > 0 && lines_.HasKind(line - 1, LineKind::kEmbeddedTrailing)) {
        return flags.PrintEmbedDashedLine ? base + pw_ + 2 * P_ - 1 : base - 1;
    }
    if (kind == LineKind::kGroupTrailing) return base + 2 * pw_ + 3 * P_ - 1;
    if (kind == LineKind::kGrandTrailing) return base + 3 * pw_ + 4 * P_ - 1;
    return base - 1;
}

void TTapePageComposer::DrawRules(TPrintLine line, int x, int c, TTly_PrinterPage& page) const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const char kind = lines_.KindOf(line);
    if (flags.ShowRowLines) {
        HorizontalRule(x, c - P_ - pw_ + 1, page);
        if (KindInGroup(kind, LineGroup::kSeriesEnding)) HorizontalRule(x, c - 3 * P_ - hM_ - 2 * V_ - pw_ + 1, page);
        return;
    }
    if (KindInGroup(kind, LineGroup::kZeroTotal)) {
        HorizontalRule(x, c - P_ - pw_ + 1, page);
    } else if (line > 0 && lines_.HasKind(line - 1, LineKind::kEmbeddedTrailing)) {
        if (flags.PrintEmbedDashedLine) HorizontalRule(x, c - P_ - pw_ + 1, page, TPenStyle::DashDot);
    } else if (kind == LineKind::kGroupTrailing || kind == LineKind::kGrandTrailing) {
        const int count = kind == LineKind::kGroupTrailing ? 2 : 3;
        const int first = c - count * P_ - count * pw_ + 1;
        for (int i = 0; i < count; ++i) HorizontalRule(x, first + i * (pw_ + P_), page);
    }
}

std::string TTapePageComposer::NeverFitsText(TPrintLine line) const {
    return "**********************\r\nTape line " + std::to_string(line + 1) +
           " will not fit in the printable area of any page.  " + "Either (1) decrease the page margin sizes, " +
           "(2) set the number of printed column groups to 1, " +
           "or (3) decrease the length of the tape line's annotation.  " + "Printing of tape aborted." + "\r\n" +
           "**********************";
}

// ---- Jobs

TPrintJobResult PrintTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                          const TLinkPrefixes& prefixes, const TStMediator* fileNameBus) {
    TTapePageComposer composer(tape, layout, report, prefixes, fileNameBus);
    report.ApplyOrientation();
    return PrintJob(composer, report);
}

void PreviewTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                 const TLinkPrefixes& prefixes, const TStMediator* fileNameBus, IPrintPreview& preview) {
    TTapePageComposer composer(tape, layout, report, prefixes, fileNameBus);
    report.ApplyOrientation();
    preview.ShowPreview(composer, report);
}

}  // namespace tally
