#pragma once
// Everything a ".tly" file holds of a document, read from the document's model itself, one
// item a line: two documents are equal for the file when their dumps are.

#include <sstream>
#include <string>

#include "documents/tly_document_parts.h"
#include "engine/tape/calculator.h"
#include "output/page_model.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"

namespace tally::test {

inline void DumpTape(std::ostringstream& out, const ITlyDocumentParts& document, TCalculator& tape) {
    out << "tape " << tape.TapeName() << " label " << document.TapeLabel(tape) << " title " << tape.Title()
        << " heading " << tape.PageHeader() << " thousands " << tape.ShowThousands() << " option "
        << tape.DataEntryOption() << " counts " << tape.ShowSeriesTotalItemCount() << tape.ShowGroupTotalItemCount()
        << tape.ShowGrandTotalItemCount() << " open " << tape.OpenSeriesDecimalPlaces() << tape.OpenSeriesTotalType()
        << "\n";
    for (const TTapeColumn column : tape.ShownColumns()) {
        out << "column " << static_cast<int>(column) << " " << tape.ColumnWidth(column) << "\n";
    }
    for (const std::string& note : tape.NoteLines()) out << "note " << note << "\n";
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        out << line << "|" << lines.Indicator(line) << "|" << lines.Entries(line) << "|" << lines.ParamsText(line)
            << "|" << lines.Annotations(line) << "\n";
    }
}

inline std::string DumpDocument(ITlyDocumentParts& document) {
    std::ostringstream out;
    out << "rounding " << static_cast<int>(document.RoundingMethod()) << "\n";
    DumpTape(out, document, document.MainTape());
    if (TCalculator* memory = document.MemoryTape()) DumpTape(out, document, *memory);
    if (TCalculator* side = document.SideTape()) DumpTape(out, document, *side);
    for (const auto& [name, tape] : document.AuxiliaryTapes()) DumpTape(out, document, *tape);
    for (const auto& [name, table] : document.Tables()) {
        out << table->TableName() << " " << table->RowCount() << "x" << table->ColumnCount() << " "
            << table->ShowThousands() << " " << table->Title() << "|" << table->PageHeading() << "\n";
        for (const std::string& note : table->NoteLines()) out << "note " << note << "\n";
        for (const TTableSaveItem& item : table->SaveItems()) {
            out << item.Row << "," << item.Column << "," << item.Kind << "=" << item.Text << "\n";
        }
    }
    const TTapePageLayout& layout = document.PageLayout();
    const TTapePrintFlags& tapeFlags = layout.TapeFlags();
    const TTablePrintFlags& tableFlags = layout.TableFlags();
    out << "tapeflags " << tapeFlags.ShowPageNumbers << tapeFlags.ShowColHeadings << tapeFlags.ShowColLines
        << tapeFlags.ShowRowLines << tapeFlags.ShowFilenameFooter << tapeFlags.ShowTapeBorderLines
        << tapeFlags.PrintEmbedDashedLine << tapeFlags.PrintEmbedHiliteColor << tapeFlags.PrintGrandTotalHiliteColor
        << tapeFlags.PrintGroupTotalHiliteColor << " " << tapeFlags.EmbedPrintHiliteColor << " "
        << tapeFlags.GrandTotalPrintHiliteColor << " " << tapeFlags.GroupTotalPrintHiliteColor << " groups "
        << layout.TapeColumnGroups().AutoCalc << " " << layout.TapeColumnGroups().Count << "\n";
    out << "tableflags " << tableFlags.ShowPageNumbers << tableFlags.ShowColHeadings << tableFlags.ShowColLines
        << tableFlags.ShowRowLines << tableFlags.ShowBlankLines << tableFlags.ShowFilenameFooter
        << tableFlags.ShowBorderLines << " lines " << layout.TableLinesPerGroup() << " groups "
        << layout.TableColumnGroups().AutoCalc << " " << layout.TableColumnGroups().Count << "\n";
    for (const TPrintFieldsListItem& field : layout.PrintFields()) {
        out << "print " << field.PrintColNum << " " << static_cast<int>(field.Kind) << "\n";
    }
    for (TWyn_ReportProperties* report : {&document.TapeReportProps(), &document.TableReportProps()}) {
        out << "report " << static_cast<int>(report->Units()) << " " << report->LeftMargin() << " "
            << report->TopMargin() << " " << report->RightMargin() << " " << report->BottomMargin() << " "
            << report->Font.Name << " " << report->Font.Size << " " << report->Orientation() << "\n";
    }
    return out.str();
}

}  // namespace tally::test
