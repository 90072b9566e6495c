#include "cli/tape_show.h"

#include <vector>

#include "cli/cli_command.h"
#include "documents/file_document.h"
#include "engine/tape/calculator.h"
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

TShownPart FindShownPart(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape,
                         std::FILE* err) {
    using Kind = TShowChoice::Kind;
    const auto tables = document.Tables();
    TShownPart part;
    switch (choice.What) {
        case Kind::TypedTape: part.Tape = &typedTape; break;
        case Kind::Main: part.Tape = &document.MainTape(); break;
        case Kind::Memory:
            part.Tape = document.MemoryTape();
            if (part.Tape == nullptr) Missing(err, "memory tape");
            break;
        case Kind::Side:
            part.Tape = document.SideTape();
            if (part.Tape == nullptr) Missing(err, "side tape");
            break;
        case Kind::Aux:
            part.Tape = FindAuxTape(document, choice.AuxName);
            if (part.Tape == nullptr) Missing(err, "auxiliary tape '" + choice.AuxName + "'");
            break;
        case Kind::Table:
            if (tables.empty()) {
                Missing(err, "table");
            } else {
                part.Table = tables.front().second;
            }
            break;
        case Kind::TypedAndTable:
        case Kind::All: WriteLine(err, "tallyroll-cli tape: this prints one tape or the table, not several parts"); break;
    }
    return part;
}

bool PrintShown(TTlyFile& document, const TShowChoice& choice, const TCalculator& typedTape, std::FILE* out,
                std::FILE* err) {
    using Kind = TShowChoice::Kind;
    const auto tables = document.Tables();
    switch (choice.What) {
        case Kind::TypedAndTable:
            if (tables.empty()) return Missing(err, "table");
            PrintTape(typedTape, out);
            WriteLine(out, "");
            PrintTable(*tables.front().second, out);
            return true;
        case Kind::All:
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
        default: break;
    }
    const TShownPart part = FindShownPart(document, choice, typedTape, err);
    if (part.Tape != nullptr) PrintTape(*part.Tape, out);
    if (part.Table != nullptr) PrintTable(*part.Table, out);
    return part.Tape != nullptr || part.Table != nullptr;
}

}  // namespace tally::cli
