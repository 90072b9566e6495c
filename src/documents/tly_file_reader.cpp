#include "documents/tly_file_reader.h"

#include <algorithm>
#include <limits>

#include "documents/tly_file_format.h"
#include "engine/tape/calculator.h"
#include "foundation/numbers/format_settings.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"
#include "table/row_col_params.h"

namespace tally {

namespace {

using namespace tly;

constexpr int kMaxColumnWidth = 10000;
constexpr std::array<std::string_view, 3> kTotalTypes = {"DE", "T2", "T3"};
// The shortest data line a writer produces for a row, "1 E " and its line end.
constexpr std::uint64_t kShortestDataLine = 5;

std::optional<int> ParseCount(std::string_view text) {
    return ParseBoundedInteger(text, 0, std::numeric_limits<int>::max());
}

// The text up to the first blank, and the rest after it.
std::pair<std::string_view, std::string_view> SplitAtBlank(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

// A value as stored: the escape marks turned back only where there are any.
template <class Use>
void WithUnescaped(std::string_view value, Use use) {
    if (value.find('<') == std::string_view::npos) {
        use(value);
    } else {
        use(std::string_view(Unescape(value)));
    }
}

// Columns are named by a letter; older files give a column position instead.
bool IsLetterCode(std::string_view code) { return code.size() == 1 && !(code[0] >= '0' && code[0] <= '9'); }

// A column given by its letter, or by its position among the tape's shown columns in older files.
std::optional<TTapeColumn> ColumnOfCode(const std::vector<TTapeColumn>& shown, std::string_view code) {
    if (IsLetterCode(code)) return ColumnOfLetter(code[0]);
    const std::optional<int> position = ParseCount(code);
    if (!position || *position >= static_cast<int>(shown.size())) return std::nullopt;
    return shown[static_cast<std::size_t>(*position)];
}

}  // namespace

TTlyReader::TTlyReader(ITlyDocumentParts& document, std::uint64_t fileSize)
    : document_(document),
      sizeRowLimit_(static_cast<int>(std::min<std::uint64_t>(fileSize / kShortestDataLine + 1,
                                                             std::numeric_limits<int>::max()))),
      fileDecimal_(FormatSettings().DecimalSeparator),
      fileThousand_(FormatSettings().ThousandSeparator),
      fileLeader_(FormatSettings().FractionLeader) {}

TTlyReader::TTapeLoad& TTlyReader::LoadOf(TCalculator* tape) {
    for (TTapeLoad& load : tapeLoads_) {
        if (load.Tape == tape) return load;
    }
    return tapeLoads_.emplace_back(TTapeLoad{tape, sizeRowLimit_});
}

void TTlyReader::ReadLine(std::string_view line) {
    if (line.starts_with('[')) {
        EndSection();
        StartSection(line);
        return;
    }
    if (section_ == TSection::Ignored || line.empty()) return;
    if (section_ == TSection::TapeData) return ReadTapeDataLine(line);
    if (section_ == TSection::TableData) return ReadTableDataLine(line);

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    const std::string_view key = line.substr(0, equals + 1);
    const std::string_view value = line.substr(equals + 1);
    if (section_ == TSection::TapeNotes || section_ == TSection::TableNotes) {
        if (key == Key::kNoteLine) notes_.push_back(Unescape(value));
        return;
    }
    if (value.empty()) return;
    switch (section_) {
        case TSection::Global: ReadGlobal(key, value); break;
        case TSection::TapeParameters: ReadTapeParameter(key, value); break;
        case TSection::MainReport: ReadMainReport(key, value); break;
        case TSection::AllTablesReport: ReadAllTablesReport(key, value); break;
        case TSection::PrintColumns: ReadPrintColumn(key, value); break;
        case TSection::TableParameters: ReadTableParameter(key, value); break;
        case TSection::TapeReport:
            if (key == Key::kTitle) tape_->SetTitle(Unescape(value));
            if (key == Key::kPageHeading) tape_->SetPageHeader(Unescape(value));
            break;
        case TSection::TableReport:
            if (key == Key::kTitle) tableLoad_->Table->SetTitle(Unescape(value));
            if (key == Key::kPageHeading) tableLoad_->Table->SetPageHeading(Unescape(value));
            break;
        default: break;
    }
}

// ---- Sections

void TTlyReader::StartTapeSection(TCalculator* tape, TSection section) {
    tape_ = tape;
    tapeLoad_ = &LoadOf(tape);
    section_ = section;
    // Data lines change no shown column, so the positions older files give hold for the section.
    if (section == TSection::TapeData) dataColumns_ = tape->ShownColumns();
}

void TTlyReader::StartSection(std::string_view header) {
    section_ = TSection::Ignored;
    tape_ = nullptr;
    tapeLoad_ = nullptr;
    tableLoad_ = nullptr;
    notes_.clear();
    TCalculator& main = document_.MainTape();
    if (header == Section::kGlobal) {
        section_ = TSection::Global;
    } else if (header == Section::kTape) {
        StartTapeSection(&main, TSection::TapeParameters);
    } else if (header == Section::kReport) {
        tape_ = &main;
        columnGroups_ = document_.PageLayout().TapeColumnGroups();
        section_ = TSection::MainReport;
    } else if (header == Section::kAllTablesReport) {
        columnGroups_ = document_.PageLayout().TableColumnGroups();
        section_ = TSection::AllTablesReport;
    } else if (header == Section::kNotes) {
        StartTapeSection(&main, TSection::TapeNotes);
    } else if (header == Section::kPrintColumns) {
        document_.PageLayout().ClearPrintFields();
        document_.PageLayout().RefreshTapeFields();
        section_ = TSection::PrintColumns;
    } else if (header == Section::kTapeData) {
        StartTapeSection(&main, TSection::TapeData);
    } else if (header.size() >= 2 && header.back() == ']') {
        StartCompanionSection(header.substr(1, header.size() - 2));
    }
}

void TTlyReader::EndSection() {
    if (section_ == TSection::TapeNotes) tape_->SetNoteLines(std::move(notes_));
    if (section_ == TSection::TableNotes) {
        std::vector<std::string>& notes = tableLoad_->Table->NoteLines();
        notes.insert(notes.end(), notes_.begin(), notes_.end());
    }
    if (section_ == TSection::TableParameters) {
        TTableLoad& load = *tableLoad_;
        load.Table->SetGridSize(load.RowCount, load.ColumnCount);
    }
    notes_.clear();
    section_ = TSection::Ignored;
}

namespace {

// The index of the suffix in the list; -1 when it is none of them.
int SuffixIndex(std::string_view suffix, const std::array<std::string_view, 4>& suffixes) {
    const auto found = std::find(suffixes.begin(), suffixes.end(), suffix);
    return found == suffixes.end() ? -1 : static_cast<int>(found - suffixes.begin());
}

}  // namespace

bool TTlyReader::StartCompanionSection(std::string_view inner) {
    for (const bool memory : {true, false}) {
        const std::string_view prefix = memory ? Section::kMemoryPrefix : Section::kSidePrefix;
        if (!inner.starts_with(prefix)) continue;
        const int index = SuffixIndex(inner.substr(prefix.size()), kCompanionSuffixes);
        if (index < 0) continue;
        TCalculator* tape = memory ? document_.MemoryTape() : document_.SideTape();
        // The parameters section brings the tape; the others need it to be there.
        if (!tape && index == 0) {
            tape = memory ? &document_.EnableMemoryTape() : &document_.EnableSideTape();
            tape->SetTitle({});
            tape->SetPageHeader({});
        }
        if (tape) StartTapeSection(tape, kTapeSections[static_cast<std::size_t>(index)]);
        return true;
    }
    const std::size_t auxName = Section::kAuxPrefix.size() + 1;
    if (inner.starts_with(Section::kAuxPrefix) && inner.size() > auxName) {
        const int index = SuffixIndex(inner.substr(auxName), kAuxTapeSuffixes);
        if (index >= 0) StartAuxSection(inner.substr(0, auxName), index);
        return index >= 0;
    }
    const std::size_t tableName = Section::kTablePrefix.size() + 1;
    if (inner.starts_with(Section::kTablePrefix) && inner.size() > tableName) {
        const int index = SuffixIndex(inner.substr(tableName), kCompanionSuffixes);
        if (index >= 0) StartTableSection(inner.substr(0, tableName), index);
        return index >= 0;
    }
    return false;
}

// An auxiliary tape's sections go to the tape their header names. Its parameters section adds
// it; when the name is refused (reserved, malformed, no tape left) every section of that name
// is skipped, and a second parameters section of a tape is skipped.
void TTlyReader::StartAuxSection(std::string_view name, int section) {
    TCalculator* tape = nullptr;
    for (const auto& [tapeName, auxTape] : document_.AuxiliaryTapes()) {
        if (tapeName == name) tape = auxTape;
    }
    if (section == 0) {
        if (tape) return;
        tape = document_.AddAuxiliaryTape(name);
        if (!tape) return;
        tape->SetTitle({});
        tape->SetPageHeader({});
    }
    if (tape) StartTapeSection(tape, kTapeSections[static_cast<std::size_t>(section)]);
}

// A table's sections likewise go to the table their header names.
void TTlyReader::StartTableSection(std::string_view name, int section) {
    static constexpr std::array<TSection, 4> kTableSections = {TSection::TableParameters, TSection::TableReport,
                                                               TSection::TableNotes, TSection::TableData};
    TTableLoad* load = nullptr;
    for (TTableLoad& known : tableLoads_) {
        if (known.Table->TableName() == name) load = &known;
    }
    if (section == 0) {
        if (load) return;
        TResultsTable* table = document_.AddTable(name);
        if (!table) return;
        table->SetTitle({});
        table->SetPageHeading({});
        load = &tableLoads_.emplace_back(TTableLoad{table});
    }
    if (!load) return;
    tableLoad_ = load;
    section_ = kTableSections[static_cast<std::size_t>(section)];
}

// ---- Parameters

void TTlyReader::ReadGlobal(std::string_view key, std::string_view value) {
    if (key == Key::kRounding) {
        if (value == "up") document_.SetRoundingMethod(TRoundingMethod::Up);
        if (value == "even") document_.SetRoundingMethod(TRoundingMethod::Even);
        return;
    }
    if (value.size() != 1) return;
    if (key == Key::kDecimalSeparator) fileDecimal_ = value[0];
    if (key == Key::kThousandSeparator) fileThousand_ = value[0];
    if (key == Key::kFractionLeader) fileLeader_ = value[0];
    const TFormatSettings& format = FormatSettings();
    convertNumbers_ = fileDecimal_ != format.DecimalSeparator || fileThousand_ != format.ThousandSeparator;
}

void TTlyReader::ReadTapeParameter(std::string_view key, std::string_view value) {
    TCalculator& tape = *tape_;
    static constexpr std::array<std::pair<std::string_view, TTapeColumn>, 5> kColumnKeys = {{
        {Key::kLineNumCol, TTapeColumn::Line},
        {Key::kLinksCol, TTapeColumn::Links},
        {Key::kRunTotalCol, TTapeColumn::RunningTotal},
        {Key::kTableColsCol, TTapeColumn::TableColumns},
        {Key::kAnnotationsCol, TTapeColumn::Annotations},
    }};
    for (const auto& [columnKey, column] : kColumnKeys) {
        if (key == columnKey) return tape.SetColumnShown(column, IsYes(value));
    }
    if (key == Key::kThousandSep) {
        tape.SetShowThousands(IsYes(value));
    } else if (key == Key::kLastSeriesDecimals) {
        // The open series' decimal places, and the start-up value of the next series.
        if (const std::optional<int> decimals = ParseBoundedInteger(value, 0, kMaxSeriesDecimalPlaces)) {
            tape.SetStartupDecimalPlaces(*decimals);
            tape.SetOpenSeriesDecimalPlaces(*decimals);
        }
    } else if (key == Key::kLastSeriesTotalType) {
        for (const std::string_view totalType : kTotalTypes) {
            if (value == totalType) tape.SetOpenSeriesTotalType(totalType);
        }
    } else if (key == Key::kDataEntryOption) {
        const auto found = std::find(kDataEntryOptionNames.begin(), kDataEntryOptionNames.end(), value);
        if (found != kDataEntryOptionNames.end()) {
            tape.SetDataEntryOption(static_cast<int>(found - kDataEntryOptionNames.begin()) + 1);
        }
    } else if (key == Key::kShowGrandTotalItemCount) {
        tape.SetShowGrandTotalItemCount(IsYes(value));
    } else if (key == Key::kShowGroupTotalItemCount) {
        tape.SetShowGroupTotalItemCount(IsYes(value));
    } else if (key == Key::kShowSeriesTotalItemCount) {
        tape.SetShowSeriesTotalItemCount(IsYes(value));
    } else if (key == Key::kTapeLabel) {
        document_.SetTapeLabel(tape, Unescape(value));
    } else if (key == Key::kTapeLineCount) {
        // Bounds the rows the data lines may name; the tape grows only to the rows present.
        if (const std::optional<int> count = ParseCount(value)) tapeLoad_->RowLimit = std::min(*count, sizeRowLimit_);
    } else if (key == Key::kTapeColNumWidth) {
        ReadColumnWidth(value);
    }
}

void TTlyReader::ReadColumnWidth(std::string_view value) {
    const auto [code, widthText] = SplitAtBlank(value);
    // An unknown letter stands for the Entries column.
    const bool unknownLetter = IsLetterCode(code) && kColumnLetters.find(code[0]) == std::string_view::npos;
    const std::optional<TTapeColumn> column = unknownLetter ? TTapeColumn::Entries : ColumnOfCode(tape_->ShownColumns(), code);
    const std::optional<int> width = ParseBoundedInteger(widthText, 1, kMaxColumnWidth);
    if (column && width && tape_->IsColumnShown(*column)) tape_->SetColumnWidth(*column, *width);
}

void TTlyReader::ReadPrintColumn(std::string_view key, std::string_view value) {
    if (key != Key::kPrintColNumTapeColNum) return;
    const auto [numberText, code] = SplitAtBlank(value);
    const std::optional<int> printColumn = ParseBoundedInteger(numberText, 0, kTapeColumnKinds);
    if (!printColumn || code.empty()) return;
    TTapePageLayout& layout = document_.PageLayout();
    std::optional<TTapeColumn> kind;
    if (IsLetterCode(code)) {
        kind = ColumnOfLetter(code[0]);
    } else if (const std::optional<int> position = ParseBoundedInteger(code, 0, kTapeColumnKinds)) {
        kind = layout.KindAtPosition(*position);
    }
    if (kind) layout.AddPrintField(*kind, *printColumn);
}

void TTlyReader::ReadTableParameter(std::string_view key, std::string_view value) {
    TTableLoad& load = *tableLoad_;
    if (key == Key::kTableRowCount) load.RowCount = ParseCount(value).value_or(0);
    if (key == Key::kTableColCount) load.ColumnCount = ParseCount(value).value_or(0);
    if (key == Key::kThousandSeparator) load.Table->SetShowThousands(IsYes(value));
}

// ---- Data lines

// "row code value": the row counts from 1, the code is a column letter or, in older files, a
// column position. Rows beyond the tape's limit are ignored.
void TTlyReader::ReadTapeDataLine(std::string_view dataLine) {
    const auto [rowText, rest] = SplitAtBlank(dataLine);
    const auto [code, value] = SplitAtBlank(rest);
    const std::optional<int> row = ParseBoundedInteger(rowText, 1, tapeLoad_->RowLimit);
    if (!row || code.empty()) return;
    // "C" is the line's property list; any other code names a cell.
    std::optional<TLineColumn> column;
    if (code != "C") {
        const std::optional<TTapeColumn> kind = ColumnOfCode(dataColumns_, code);
        column = kind ? LineColumnOf(*kind) : std::nullopt;
        if (!column) return;
    }
    TLineStore& lines = tape_->Lines();
    const LineIndex line = *row - 1;
    if (line >= lines.LineCount()) lines.InsertLines(lines.LineCount(), line + 1 - lines.LineCount());
    WithUnescaped(value, [this, &lines, line, column](std::string_view text) {
        if (!column) {
            lines.SetParamsText(line, text);
        } else if (*column == TLineColumn::Entries && !text.empty()) {
            lines.SetEntries(line, EntryAsRead(text));
        } else {
            lines.SetCell(line, *column, text);
        }
    });
}

// An entry in the current separators, its divide operator the current divide character.
std::string TTlyReader::EntryAsRead(std::string_view text) const {
    std::string entry = convertNumbers_ ? ConvertNumberText(text) : std::string(text);
    if (entry[0] == TFormatSettings::kDivisionSign || entry[0] == TFormatSettings::kSlash) {
        entry[0] = FormatSettings().DivideOperChar;
    }
    return entry;
}

// "row column kind text"; cells outside the table's grid are ignored by the table.
void TTlyReader::ReadTableDataLine(std::string_view dataLine) {
    const auto [rowText, rest] = SplitAtBlank(dataLine);
    const auto [columnText, item] = SplitAtBlank(rest);
    const std::optional<int> row = ParseCount(rowText);
    const std::optional<int> column = ParseCount(columnText);
    if (!row || !column || item.empty()) return;
    TTableSaveItem cell{*row, *column, item[0], Unescape(item.size() > 2 ? item.substr(2) : std::string_view{})};
    TTableLoad& load = *tableLoad_;
    if (cell.Kind == 'P' && cell.Row == 0 && cell.Text.find("CT=AN") != std::string::npos) {
        load.AnnotationColumn = cell.Column;
    }
    if (convertNumbers_ && cell.Kind == 'T' && cell.Row != 0 && cell.Column != load.AnnotationColumn) {
        cell.Text = ConvertNumberText(cell.Text);
    }
    load.Table->LoadItem(cell);
}

std::string TTlyReader::ConvertNumberText(std::string_view text) const {
    const TFormatSettings& format = FormatSettings();
    std::string converted(text);
    if (fileThousand_ != format.ThousandSeparator) {
        std::replace(converted.begin(), converted.end(), fileThousand_, format.ThousandSeparator);
    }
    // Positions are those of the text as read, before any replacement.
    if (fileDecimal_ != format.DecimalSeparator) {
        if (const std::size_t at = text.find(fileDecimal_); at != std::string_view::npos) {
            converted[at] = format.DecimalSeparator;
        }
    }
    if (fileLeader_ != format.FractionLeader) {
        if (const std::size_t at = text.find(fileLeader_); at != std::string_view::npos) {
            converted[at] = format.FractionLeader;
        }
    }
    return converted;
}

// ---- The end

std::string TTlyReader::Finish() {
    EndSection();
    std::vector<TCalculator*> tapes{&document_.MainTape(), document_.MemoryTape(), document_.SideTape()};
    for (const auto& [name, tape] : document_.AuxiliaryTapes()) tapes.push_back(tape);
    for (TCalculator* tape : tapes) {
        if (!tape) continue;
        if (std::string reason = CheckTapeStructure(*tape); !reason.empty()) return reason;
    }
    for (TTableLoad& load : tableLoads_) load.Table->FinishLoad();
    return {};
}

}  // namespace tally
