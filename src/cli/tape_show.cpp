#include "cli/tape_show.h"

#include <vector>

#include "cli/cli_command.h"
#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "output/html_document.h"
#include "table/results_table.h"
#include "tapes/auxiliary_calculator_manager.h"

namespace tally::cli {
namespace {

constexpr std::string_view kAuxPrefix = "aux:";

void PrintTable(const TResultsTable& table, std::FILE* out) {
    for (const std::string& line : table.TextExportLines()) WriteLine(out, line);
}

void PrintBlock(std::string_view name, std::FILE* out) { WriteLine(out, "# " + std::string(name)); }

// The auxiliary tape with that name or label; null when there is none.
const TCalculator* FindAuxTape(TTlyFile& document, std::string_view name) {
    for (const auto& [tapeName, tape] : document.AuxiliaryTapes()) {
        if (tapeName == name || document.AuxManager().Label(tape) == name) return tape;
    }
    return nullptr;
}

bool Missing(std::FILE* err, std::string_view what) {
    WriteLine(err, "tallyroll-cli tape: the document has no " + std::string(what));
    return false;
}

}  // namespace

bool FindShownPart(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape, TShownPart& part,
                   std::FILE* err) {
    using Kind = TShowChoice::Kind;
    switch (choice.What) {
        case Kind::TypedTape: part.Tape = &typedTape; return true;
        case Kind::Main: part.Tape = &document.MainTape(); return true;
        case Kind::Memory:
            part.Tape = document.MemoryTape();
            return part.Tape != nullptr || Missing(err, "memory tape");
        case Kind::Side:
            part.Tape = document.SideTape();
            return part.Tape != nullptr || Missing(err, "side tape");
        case Kind::Aux:
            part.Tape = FindAuxTape(document, choice.AuxName);
            return part.Tape != nullptr || Missing(err, "auxiliary tape '" + choice.AuxName + "'");
        case Kind::Table: {
            const auto tables = document.Tables();
            if (tables.empty()) return Missing(err, "table");
            part.Table = tables.front().second;
            return true;
        }
        case Kind::TypedAndTable:
        case Kind::All: break;
    }
    return false;
}

bool ParseShowChoice(std::string_view text, TShowChoice& choice) {
    using Kind = TShowChoice::Kind;
    struct TNamed {
        std::string_view Text;
        Kind What;
    };
    static constexpr TNamed kChoices[] = {{"tape", Kind::TypedTape}, {"main", Kind::Main},     {"memory", Kind::Memory},
                                          {"side", Kind::Side},      {"table", Kind::Table},   {"all", Kind::All},
                                          {"tape,table", Kind::TypedAndTable}};
    for (const TNamed& named : kChoices) {
        if (text == named.Text) {
            choice = {named.What, {}};
            return true;
        }
    }
    if (text.starts_with(kAuxPrefix) && text.size() > kAuxPrefix.size()) {
        choice = {Kind::Aux, std::string(text.substr(kAuxPrefix.size()))};
        return true;
    }
    return false;
}

void PrintTape(const TCalculator& tape, std::FILE* out) {
    const std::vector<TTapeColumn> columns = tape.ShownColumns();
    std::string heading;
    for (const TTapeColumn column : columns) {
        if (!heading.empty()) heading += '\t';
        std::string text(TCalculator::ColumnHeading(column));
        // A two-line heading is printed on one line.
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
            text.replace(at, 2, " ");
        }
        heading += text;
    }
    WriteLine(out, heading);
    const TLineStore& lines = tape.Lines();
    for (LineIndex line = 0; line < lines.LineCount(); ++line) {
        std::string row;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) row += '\t';
            switch (columns[i]) {
                case TTapeColumn::Line: row += std::to_string(line + 1); break;
                case TTapeColumn::Entries: row += lines.Entries(line); break;
                case TTapeColumn::Indicator: row += lines.Indicator(line); break;
                case TTapeColumn::Links: row += lines.Links(line); break;
                case TTapeColumn::RunningTotal: row += lines.RunningTotal(line); break;
                case TTapeColumn::Annotations: row += lines.Annotations(line); break;
                case TTapeColumn::TableColumns: row += lines.TableColumns(line); break;
            }
        }
        WriteLine(out, row);
    }
}

bool PrintShown(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape, std::FILE* out,
                std::FILE* err) {
    using Kind = TShowChoice::Kind;
    if (NamesOnePart(choice)) {
        TShownPart part;
        if (!FindShownPart(document, choice, typedTape, part, err)) return false;
        if (part.Tape != nullptr) PrintTape(*part.Tape, out);
        if (part.Table != nullptr) PrintTable(*part.Table, out);
        return true;
    }
    const auto tables = document.Tables();
    if (choice.What == Kind::TypedAndTable) {
        if (tables.empty()) return Missing(err, "table");
        PrintTape(typedTape, out);
        WriteLine(out, "");
        PrintTable(*tables.front().second, out);
        return true;
    }
    for (const TCalculator* tape : document.EnabledTapes()) {
        PrintBlock(tape->TapeName(), out);
        PrintTape(*tape, out);
        WriteLine(out, "");
    }
    for (const auto& [name, table] : tables) {
        PrintBlock(name, out);
        PrintTable(*table, out);
        WriteLine(out, "");
    }
    return true;
}

bool NamesOnePart(const TShowChoice& choice) {
    return choice.What != TShowChoice::Kind::TypedAndTable && choice.What != TShowChoice::Kind::All;
}

bool WriteShownHtml(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape,
                    const TStMediator& fileNameBus, const std::string& htmlFile, std::FILE* err) {
    TShownPart part;
    if (!FindShownPart(document, choice, typedTape, part, err)) return false;
    const TFileResult written = part.Table != nullptr
                                    ? WriteTableHtml(htmlFile, *part.Table, document.PageLayout(), &fileNameBus)
                                    : WriteTapeHtml(htmlFile, *part.Tape, document.PageLayout(), &fileNameBus);
    if (!written) WriteLine(err, CannotWriteInternetDocumentMessage(htmlFile, written.Reason));
    return written.Ok;
}

}  // namespace tally::cli
