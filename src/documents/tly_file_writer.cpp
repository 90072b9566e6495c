// Writing a ".tly" file: the version line, then every section of the document in a fixed
// order, into one text that replaces the file atomically.

#include <charconv>
#include <cmath>

#include "documents/tly_file.h"
#include "documents/tly_file_format.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_format.h"
#include "output/page_model.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"

namespace tally {

namespace {

using namespace tly;

class TTlyWriter {
public:
    std::string& Text() { return text_; }

    void Line(std::string_view text) {
        text_.append(text);
        text_.append("\r\n");
    }
    // A key and a value that may hold any text.
    void Value(std::string_view key, std::string_view value) {
        text_.append(key);
        AppendEscaped(text_, value);
        text_.append("\r\n");
    }
    void Flag(std::string_view key, bool on) { Value(key, YesNo(on)); }
    void Number(std::string_view key, long long value) {
        text_.append(key);
        AppendNumber(value);
        text_.append("\r\n");
    }
    void AppendNumber(long long value) {
        char digits[24];
        const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
        text_.append(digits, end);
    }

private:
    std::string text_;
};

void WriteGlobal(TTlyWriter& out, const ITlyDocumentParts& document) {
    const TFormatSettings& format = FormatSettings();
    out.Line(Section::kGlobal);
    out.Value(Key::kDecimalSeparator, std::string_view(&format.DecimalSeparator, 1));
    out.Value(Key::kThousandSeparator, std::string_view(&format.ThousandSeparator, 1));
    out.Value(Key::kFractionLeader, std::string_view(&format.FractionLeader, 1));
    out.Value(Key::kRounding, document.RoundingMethod() == TRoundingMethod::Even ? "even" : "up");
}

void WriteTapeParameters(TTlyWriter& out, std::string_view header, const TCalculator& tape, std::string_view label) {
    out.Line(header);
    out.Flag(Key::kLineNumCol, tape.IsColumnShown(TTapeColumn::Line));
    out.Flag(Key::kEntriesCol, true);
    out.Flag(Key::kSymbolsCol, true);
    out.Flag(Key::kLinksCol, tape.IsColumnShown(TTapeColumn::Links));
    out.Flag(Key::kRunTotalCol, tape.IsColumnShown(TTapeColumn::RunningTotal));
    out.Flag(Key::kTableColsCol, tape.IsColumnShown(TTapeColumn::TableColumns));
    out.Flag(Key::kAnnotationsCol, tape.IsColumnShown(TTapeColumn::Annotations));
    out.Flag(Key::kThousandSep, tape.ShowThousands());
    out.Number(Key::kLastSeriesDecimals, tape.OpenSeriesDecimalPlaces());
    out.Value(Key::kLastSeriesTotalType, tape.OpenSeriesTotalType());
    const int option = tape.DataEntryOption();
    out.Value(Key::kDataEntryOption, option >= 1 && option <= 5 ? kDataEntryOptionNames[option - 1] : "");
    out.Flag(Key::kShowGrandTotalItemCount, tape.ShowGrandTotalItemCount());
    out.Flag(Key::kShowGroupTotalItemCount, tape.ShowGroupTotalItemCount());
    out.Flag(Key::kShowSeriesTotalItemCount, tape.ShowSeriesTotalItemCount());
    out.Value(Key::kTapeLabel, label);
    out.Number(Key::kTapeLineCount, tape.Lines().LineCount());
    for (const TTapeColumn column : tape.ShownColumns()) {
        std::string& text = out.Text();
        text.append(Key::kTapeColNumWidth);
        text.push_back(ColumnLetter(column));
        text.push_back(' ');
        out.AppendNumber(tape.ColumnWidth(column));
        text.append("\r\n");
    }
}

void WriteTitles(TTlyWriter& out, std::string_view title, std::string_view heading) {
    out.Value(Key::kTitle, title);
    out.Value(Key::kPageHeading, heading);
}

void WriteNotes(TTlyWriter& out, std::string_view header, const std::vector<std::string>& notes) {
    out.Line(header);
    for (const std::string& note : notes) out.Value(Key::kNoteLine, note);
}

// A margin in inches with 2 decimals, or in millimetres with 1, with the current separator.
void WriteMargin(TTlyWriter& out, std::string_view key, long double value, const TWyn_ReportProperties& report) {
    if (report.Units() == TPageUnits::Pixels) value /= report.ResolutionX() > 0 ? report.ResolutionX() : 1;
    out.Value(key, FormatDecimal(value, report.Units() == TPageUnits::Millimetres ? 1 : 2, false));
}

void WritePageSettings(TTlyWriter& out, const TWyn_ReportProperties& report) {
    out.Value(Key::kFontName, report.Font.Name);
    out.Number(Key::kFontSize, report.Font.Size);
    out.Value(Key::kMarginUnits, report.Units() == TPageUnits::Millimetres ? "mm" : "inches");
    WriteMargin(out, Key::kLeftMargin, report.LeftMargin(), report);
    WriteMargin(out, Key::kTopMargin, report.TopMargin(), report);
    WriteMargin(out, Key::kRightMargin, report.RightMargin(), report);
    WriteMargin(out, Key::kBottomMargin, report.BottomMargin(), report);
    out.Value(Key::kPageOrientation, report.Orientation());
}

void WriteColumnGroups(TTlyWriter& out, const TColumnGroups& groups) {
    out.Flag(Key::kColGroupAutocalc, groups.AutoCalc);
    if (!groups.AutoCalc) out.Number(Key::kNumOfColGroups, groups.Count);
}

void WriteReport(TTlyWriter& out, ITlyDocumentParts& document) {
    const TCalculator& tape = document.MainTape();
    const TTapePageLayout& layout = document.PageLayout();
    const TTapePrintFlags& flags = layout.TapeFlags();
    out.Line(Section::kReport);
    WriteTitles(out, tape.Title(), tape.PageHeader());
    out.Flag(Key::kShowPageNumbers, flags.ShowPageNumbers);
    out.Flag(Key::kShowColHeadings, flags.ShowColHeadings);
    out.Flag(Key::kShowColLines, flags.ShowColLines);
    out.Flag(Key::kShowRowLines, flags.ShowRowLines);
    out.Flag(Key::kShowFilenameFooter, flags.ShowFilenameFooter);
    out.Flag(Key::kShowTapeBorderLines, flags.ShowTapeBorderLines);
    WritePageSettings(out, document.TapeReportProps());
    WriteColumnGroups(out, layout.TapeColumnGroups());
    out.Flag(Key::kPrintEmbedDashedLine, flags.PrintEmbedDashedLine);
    out.Flag(Key::kPrintEmbedHiliteColor, flags.PrintEmbedHiliteColor);
    out.Flag(Key::kPrintGrandTotalHiliteColor, flags.PrintGrandTotalHiliteColor);
    out.Flag(Key::kPrintGroupTotalHiliteColor, flags.PrintGroupTotalHiliteColor);
    out.Number(Key::kEmbedPrintHiliteColor, flags.EmbedPrintHiliteColor);
    out.Number(Key::kGrandTotalPrintHiliteColor, flags.GrandTotalPrintHiliteColor);
    out.Number(Key::kGroupTotalPrintHiliteColor, flags.GroupTotalPrintHiliteColor);
}

void WriteAllTablesReport(TTlyWriter& out, ITlyDocumentParts& document) {
    const TTapePageLayout& layout = document.PageLayout();
    const TTablePrintFlags& flags = layout.TableFlags();
    out.Line(Section::kAllTablesReport);
    out.Flag(Key::kShowPageNumbers, flags.ShowPageNumbers);
    out.Flag(Key::kShowColHeadings, flags.ShowColHeadings);
    out.Flag(Key::kShowColLines, flags.ShowColLines);
    out.Flag(Key::kShowRowLines, flags.ShowRowLines);
    out.Flag(Key::kShowBlankLines, flags.ShowBlankLines);
    if (flags.ShowBlankLines) out.Number(Key::kLinesPerGroup, layout.TableLinesPerGroup());
    out.Flag(Key::kShowFilenameFooter, flags.ShowFilenameFooter);
    out.Flag(Key::kShowTapeBorderLines, flags.ShowBorderLines);
    WritePageSettings(out, document.TableReportProps());
    WriteColumnGroups(out, layout.TableColumnGroups());
}

void WritePrintColumns(TTlyWriter& out, const TTapePageLayout& layout) {
    out.Line(Section::kPrintColumns);
    for (const TPrintFieldsListItem& field : layout.PrintFields()) {
        std::string& text = out.Text();
        text.append(Key::kPrintColNumTapeColNum);
        out.AppendNumber(field.PrintColNum);
        text.push_back(' ');
        text.push_back(ColumnLetter(field.Kind));
        text.append("\r\n");
    }
}

void WriteDataLine(std::string& text, int row, char code, std::string_view value) {
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, row);
    text.append(digits, end);
    text.push_back(' ');
    text.push_back(code);
    text.push_back(' ');
    AppendEscaped(text, value);
    text.append("\r\n");
}

void WriteTapeData(TTlyWriter& out, std::string_view header, const TCalculator& tape) {
    out.Line(header);
    const TLineStore& lines = tape.Lines();
    const bool annotations = tape.IsColumnShown(TTapeColumn::Annotations);
    std::string& text = out.Text();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        const int row = line + 1;
        WriteDataLine(text, row, 'E', lines.Entries(line));
        WriteDataLine(text, row, 'S', lines.Indicator(line));
        if (const TCalcParams* params = lines.Params(line); params && !params->IsEmpty()) {
            WriteDataLine(text, row, 'C', params->Text());
        }
        if (annotations) {
            const std::string_view annotation = lines.Annotations(line);
            if (!annotation.empty()) WriteDataLine(text, row, 'A', annotation);
        }
    }
}

void WriteCompanionTape(TTlyWriter& out, ITlyDocumentParts& document, std::string_view prefix, bool auxTape,
                        const TCalculator& tape) {
    WriteTapeParameters(out, CompanionHeader(prefix, TCompanionSection::Parameters, auxTape), tape,
                        document.TapeLabel(tape));
    out.Line(CompanionHeader(prefix, TCompanionSection::Report, auxTape));
    WriteTitles(out, tape.Title(), tape.PageHeader());
    WriteNotes(out, CompanionHeader(prefix, TCompanionSection::Notes, auxTape), tape.NoteLines());
    WriteTapeData(out, CompanionHeader(prefix, TCompanionSection::Data, auxTape), tape);
}

void WriteTable(TTlyWriter& out, std::string_view name, TResultsTable& table) {
    out.Line(CompanionHeader(name, TCompanionSection::Parameters, false));
    out.Number(Key::kTableRowCount, table.RowCount());
    out.Number(Key::kTableColCount, table.ColumnCount());
    out.Flag(Key::kThousandSeparator, table.ShowThousands());
    out.Line(CompanionHeader(name, TCompanionSection::Report, false));
    WriteTitles(out, table.Title(), table.PageHeading());
    WriteNotes(out, CompanionHeader(name, TCompanionSection::Notes, false), table.NoteLines());
    out.Line(CompanionHeader(name, TCompanionSection::Data, false));
    std::string& text = out.Text();
    for (const TTableSaveItem& item : table.SaveItems()) {
        if (item.Text.empty()) continue;
        out.AppendNumber(item.Row);
        text.push_back(' ');
        out.AppendNumber(item.Column);
        text.push_back(' ');
        text.push_back(item.Kind);
        text.push_back(' ');
        AppendEscaped(text, item.Text);
        text.append("\r\n");
    }
}

}  // namespace

TTlyFileResult SaveTlyFile(ITlyDocumentParts& document, const std::string& fileName, const IFileCalls& calls) {
    TTlyWriter out;
    TCalculator& main = document.MainTape();
    out.Text().reserve(static_cast<std::size_t>(main.Lines().LineCount()) * 40 + 4096);
    out.Line(kVersionLine);
    WriteGlobal(out, document);
    WriteTapeParameters(out, Section::kTape, main, document.TapeLabel(main));
    WriteReport(out, document);
    WriteAllTablesReport(out, document);
    WriteNotes(out, Section::kNotes, main.NoteLines());
    WritePrintColumns(out, document.PageLayout());
    WriteTapeData(out, Section::kTapeData, main);
    if (const TCalculator* memory = document.MemoryTape()) {
        WriteCompanionTape(out, document, Section::kMemoryPrefix, false, *memory);
    }
    if (const TCalculator* side = document.SideTape()) {
        WriteCompanionTape(out, document, Section::kSidePrefix, false, *side);
    }
    for (const auto& [name, tape] : document.AuxiliaryTapes()) WriteCompanionTape(out, document, name, true, *tape);
    for (const auto& [name, table] : document.Tables()) WriteTable(out, name, *table);

    const TFileResult written = WriteFileAtomically(fileName, out.Text(), calls);
    return {written.Ok, written.Reason};
}

}  // namespace tally
