#pragma once
// The texts of the ".tly" format that its writer and reader share: section headers, keys,
// column letters, the data entry option names and the escaping of values.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/tape/calculator.h"

namespace tally::tly {

inline constexpr std::string_view kVersionLine = "[Tallyroll File Version 3]";
inline constexpr std::string_view kVersionPrefix = "[Tallyroll File Version ";
inline constexpr std::string_view kVersion1Line = "[Tallyroll Tape]";
inline constexpr int kWrittenVersion = 3;
inline constexpr int kOldestReadVersion = 1;

namespace Section {
inline constexpr std::string_view kGlobal = "[GlobalParameters]";
inline constexpr std::string_view kTape = "[TapeParameters]";
inline constexpr std::string_view kReport = "[ReportParameters]";
inline constexpr std::string_view kAllTablesReport = "[AllTablesReportParameters]";
inline constexpr std::string_view kNotes = "[NoteText]";
inline constexpr std::string_view kPrintColumns = "[PrintColumns]";
inline constexpr std::string_view kTapeData = "[TapeData]";
inline constexpr std::string_view kMemoryPrefix = "MemTape";
inline constexpr std::string_view kSidePrefix = "SideTape";
inline constexpr std::string_view kAuxPrefix = "Aux ";
inline constexpr std::string_view kTablePrefix = "Table ";
}  // namespace Section

// The four sections of the memory tape, the side tape, an auxiliary tape or a table: the
// owner's prefix ("MemTape", "SideTape", "Aux B", "Table A") and a suffix, in writing order.
enum class TCompanionSection { Parameters, Report, Notes, Data };
inline constexpr std::array<std::string_view, 4> kCompanionSuffixes = {"Parameters", "ReportParameters", "NoteText",
                                                                       "Data"};
// An auxiliary tape's parameters and data sections say "TapeParameters" and "TapeData".
inline constexpr std::array<std::string_view, 4> kAuxTapeSuffixes = {"TapeParameters", "ReportParameters", "NoteText",
                                                                     "TapeData"};
std::string CompanionHeader(std::string_view prefix, TCompanionSection section, bool auxTape);

namespace Key {
inline constexpr std::string_view kDecimalSeparator = "DecimalSeparator=";
inline constexpr std::string_view kThousandSeparator = "ThousandSeparator=";
inline constexpr std::string_view kFractionLeader = "FractionLeader=";
inline constexpr std::string_view kRounding = "Rounding=";
inline constexpr std::string_view kLineNumCol = "LineNumCol=";
inline constexpr std::string_view kEntriesCol = "EntriesCol=";
inline constexpr std::string_view kSymbolsCol = "SymbolsCol=";
inline constexpr std::string_view kLinksCol = "LinksCol=";
inline constexpr std::string_view kRunTotalCol = "RunTotalCol=";
inline constexpr std::string_view kTableColsCol = "TableColsCol=";
inline constexpr std::string_view kAnnotationsCol = "AnnotationsCol=";
inline constexpr std::string_view kThousandSep = "ThousandSep=";
inline constexpr std::string_view kLastSeriesDecimals = "LastSeriesDecimals=";
inline constexpr std::string_view kLastSeriesTotalType = "LastSeriesTotalType=";
inline constexpr std::string_view kDataEntryOption = "DataEntryOption=";
inline constexpr std::string_view kShowGrandTotalItemCount = "ShowGrandTotalItemCount=";
inline constexpr std::string_view kShowGroupTotalItemCount = "ShowGroupTotalItemCount=";
inline constexpr std::string_view kShowSeriesTotalItemCount = "ShowSeriesTotalItemCount=";
inline constexpr std::string_view kTapeLabel = "TapeLabel=";
inline constexpr std::string_view kTapeLineCount = "TapeLineCount=";
inline constexpr std::string_view kTapeColNumWidth = "TapeColNumWidth=";
inline constexpr std::string_view kTitle = "Title=";
inline constexpr std::string_view kPageHeading = "PageHeading=";
inline constexpr std::string_view kShowPageNumbers = "ShowPageNumbers=";
inline constexpr std::string_view kShowColHeadings = "ShowColHeadings=";
inline constexpr std::string_view kShowColLines = "ShowColLines=";
inline constexpr std::string_view kShowRowLines = "ShowRowLines=";
inline constexpr std::string_view kShowBlankLines = "ShowBlankLines=";
inline constexpr std::string_view kLinesPerGroup = "LinesPerGroup=";
inline constexpr std::string_view kShowFilenameFooter = "ShowFilenameFooter=";
inline constexpr std::string_view kShowTapeBorderLines = "ShowTapeBorderLines=";
inline constexpr std::string_view kFontName = "FontName=";
inline constexpr std::string_view kFontSize = "FontSize=";
inline constexpr std::string_view kMarginUnits = "MarginUnits=";
inline constexpr std::string_view kLeftMargin = "LeftMargin=";
inline constexpr std::string_view kTopMargin = "TopMargin=";
inline constexpr std::string_view kRightMargin = "RightMargin=";
inline constexpr std::string_view kBottomMargin = "BottomMargin=";
inline constexpr std::string_view kPageOrientation = "PageOrientation=";
inline constexpr std::string_view kColGroupAutocalc = "ColGroupAutocalc=";
inline constexpr std::string_view kNumOfColGroups = "NumOfColGroups=";
inline constexpr std::string_view kPrintEmbedDashedLine = "PrintEmbedDashedLine=";
inline constexpr std::string_view kPrintEmbedHiliteColor = "PrintEmbedHiliteColor=";
inline constexpr std::string_view kPrintGrandTotalHiliteColor = "PrintGrandTotalHiliteColor=";
inline constexpr std::string_view kPrintGroupTotalHiliteColor = "PrintGroupTotalHiliteColor=";
inline constexpr std::string_view kEmbedPrintHiliteColor = "EmbedPrintHiliteColor=";
inline constexpr std::string_view kGrandTotalPrintHiliteColor = "GrandTotalPrintHiliteColor=";
inline constexpr std::string_view kGroupTotalPrintHiliteColor = "GroupTotalPrintHiliteColor=";
inline constexpr std::string_view kNoteLine = "NoteLine=";
inline constexpr std::string_view kPrintColNumTapeColNum = "PrintColNumTapeColNum=";
inline constexpr std::string_view kTableRowCount = "TableRowCount=";
inline constexpr std::string_view kTableColCount = "TableColCount=";
}  // namespace Key

inline constexpr std::string_view kYes = "Yes";
inline constexpr std::string_view kNo = "No";
inline std::string_view YesNo(bool on) { return on ? kYes : kNo; }
// Only "Yes" turns a flag on.
inline bool IsYes(std::string_view value) { return value == kYes; }

// The data entry options 1 to 5 by name.
inline constexpr std::array<std::string_view, 5> kDataEntryOptionNames = {
    "ManualStart", "AutoStart", "EnterKeyStart", "AutoEmbed", "AddingMachine"};

// Column letters of "TapeColNumWidth=" and "PrintColNumTapeColNum=", by column kind 0 to 7.
inline constexpr std::string_view kColumnLetters = "ESRALKFT";
char ColumnLetter(TTapeColumn column);
// The kind of a letter; kind 6 is never shown and reads as none.
std::optional<TTapeColumn> ColumnOfLetter(char letter);

// Values never hold a raw line break: CR LF is written "<CR*LF>", a lone CR "<CR>", a lone LF
// "<LF>", and a "<" that would begin one of these marks "<LT>". Reading turns the marks back;
// any other "<" stays as it is, so texts of older files read unchanged.
void AppendEscaped(std::string& out, std::string_view value);
std::string Unescape(std::string_view value);

}  // namespace tally::tly
