#pragma once
// Reading a ".tly" file into a fresh document: the sections in any order, each header matched
// to the tape or table it names; lines of sections whose owner is missing are skipped. Every
// number read is checked, and a tape grows only to the rows its data lines name, within a
// bound that the file's size sets.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <deque>
#include <vector>

#include "documents/tly_document_parts.h"
#include "settings/print_settings.h"

namespace tally {

class TWyn_ReportProperties;
enum class TTapeColumn : std::uint8_t;

class TTlyReader {
public:
    // fileSize bounds the rows a tape may grow to.
    TTlyReader(ITlyDocumentParts& document, std::uint64_t fileSize);

    // Every line after the version line, without its line end.
    void ReadLine(std::string_view line);
    // After the last line: ends the open section, checks and repairs the tapes' structure and
    // completes the tables. Answers the reason the content is refused, empty when accepted.
    std::string Finish();

private:
    enum class TSection {
        Ignored, Global, TapeParameters, MainReport, AllTablesReport, TapeReport, TapeNotes, PrintColumns,
        TapeData, TableParameters, TableReport, TableNotes, TableData
    };
    // What the four sections of the memory, side or an auxiliary tape hold, in writing order.
    static constexpr std::array<TSection, 4> kTapeSections = {TSection::TapeParameters, TSection::TapeReport,
                                                              TSection::TapeNotes, TSection::TapeData};
    struct TTapeLoad {
        TCalculator* Tape = nullptr;
        int RowLimit = 0;  // the highest row number a data line may name
    };
    struct TTableLoad {
        TResultsTable* Table = nullptr;
        int RowCount = 0;
        int ColumnCount = 0;
        int AnnotationColumn = -1;  // found in this table's heading properties, -1 while none
    };

    void StartSection(std::string_view header);
    void EndSection();
    void StartTapeSection(TCalculator* tape, TSection section);
    bool StartCompanionSection(std::string_view inner);
    void StartTableSection(std::string_view name, int section);
    void StartAuxSection(std::string_view name, int section);

    void ReadGlobal(std::string_view key, std::string_view value);
    void ReadTapeParameter(std::string_view key, std::string_view value);
    void ReadColumnWidth(std::string_view value);
    void ReadMainReport(std::string_view key, std::string_view value);
    void ReadAllTablesReport(std::string_view key, std::string_view value);
    bool ReadPageSetting(TWyn_ReportProperties& report, std::string_view key, std::string_view value);
    void ReadPrintColumn(std::string_view key, std::string_view value);
    void ReadTapeDataLine(std::string_view line);
    void ReadTableParameter(std::string_view key, std::string_view value);
    void ReadTableDataLine(std::string_view line);

    // A number text written with the file's separators, in the current ones.
    std::string ConvertNumberText(std::string_view text) const;
    std::string EntryAsRead(std::string_view text) const;
    TTapeLoad& LoadOf(TCalculator* tape);

    ITlyDocumentParts& document_;
    int sizeRowLimit_;
    char fileDecimal_;
    char fileThousand_;
    char fileLeader_;
    bool convertNumbers_ = false;

    TSection section_ = TSection::Ignored;
    TCalculator* tape_ = nullptr;
    TTapeLoad* tapeLoad_ = nullptr;
    TTableLoad* tableLoad_ = nullptr;
    // The shown columns of the tape whose data section is read.
    std::vector<TTapeColumn> dataColumns_;
    std::vector<std::string> notes_;
    TColumnGroups columnGroups_;
    std::deque<TTapeLoad> tapeLoads_;
    std::deque<TTableLoad> tableLoads_;
};

// Checks the line kinds and boundaries of a loaded tape and ends it with an empty entry line
// when its last line is no entry line. Answers why the tape is refused, empty when accepted.
std::string CheckTapeStructure(TCalculator& tape);

}  // namespace tally
