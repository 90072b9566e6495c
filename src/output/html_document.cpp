#include "output/html_document.h"

#include <cstdint>
#include <vector>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/text_encoding.h"
#include "output/tape_print_texts.h"
#include "settings/tape_page_layout.h"
#include "settings/tly_text_file.h"
#include "table/results_table.h"

namespace tally {

namespace {

constexpr std::string_view kCharsetMeta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEmptyCell = "&nbsp;";
constexpr std::string_view kSpacerCell = "    <td>&nbsp;</td>";

// Appends the entity of "&", the double quote, ">" or "<"; false for any other character.
bool AppendEntity(std::string& out, char c) {
    switch (c) {
        case '&': out += "&amp;"; return true;
        case '"': out += "&quot;"; return true;
        case '>': out += "&gt;"; return true;
        case '<': out += "&lt;"; return true;
        default: return false;
    }
}

// HTML has no place for control characters; they are written as blanks.
bool IsControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

// Appends a text of the program (Windows-1252), escaped, in UTF-8.
void AppendText(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (AppendEntity(out, c)) continue;
        if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) {
            out += c;
            continue;
        }
        const char32_t codePoint = Windows1252ToUnicode(static_cast<unsigned char>(c));
        AppendUtf8(out, IsControl(codePoint) ? U' ' : codePoint);
    }
}

// Appends a file name (the system's bytes, UTF-8 here), escaped; a malformed byte sequence
// shows as U+FFFD.
void AppendFileName(std::string& out, std::string_view systemName) {
    const std::string name = ValidUtf8(systemName);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool c1Control = byte == 0xC2 && i + 1 < name.size() &&
                               static_cast<unsigned char>(name[i + 1]) < 0xA0;  // U+0080..U+009F
        if (c1Control) {
            out += ' ';
            ++i;
        } else if (!AppendEntity(out, name[i])) {
            out += byte < 0x80 && IsControl(byte) ? ' ' : name[i];
        }
    }
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The pieces of a text between its separators, in order, the empty ones included.
std::vector<std::string_view> Pieces(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return pieces;
        start = end + separator.size();
    }
}

// A title or page header: its pieces between ";" without the empty ones, joined by "<br>".
void AppendSemicolonLines(std::string& out, std::string_view text) {
    bool first = true;
    for (const std::string_view piece : Pieces(text, ";")) {
        if (piece.empty()) continue;
        if (!first) out += "<br>";
        AppendText(out, piece);
        first = false;
    }
}

// A text whose line breaks become "<br>".
void AppendLines(std::string& out, std::string_view text) {
    bool first = true;
    for (const std::string_view piece : Pieces(text, kLineBreak)) {
        if (!first) out += "<br>";
        AppendText(out, piece);
        first = false;
    }
}

// A cell's text, or a no-break space when it holds nothing but blanks (an empty cell would
// lose its borders).
void AppendCell(std::string& out, std::string_view text) {
    if (TrimBlanks(text).empty()) {
        out += kEmptyCell;
    } else {
        AppendText(out, text);
    }
}

std::string_view AlignmentValue(TTextAlign alignment) {
    switch (alignment) {
        case TTextAlign::Right: return "\"right\"";
        case TTextAlign::Centre: return "\"center\"";
        case TTextAlign::Left: break;
    }
    return "\"left\"";
}

// 0x00BBGGRR as "RRGGBB".
std::string HexColour(std::uint32_t colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const int shift : {0, 8, 16}) {
        const unsigned part = (colour >> shift) & 0xFF;
        hex += kDigits[part >> 4];
        hex += kDigits[part & 0xF];
    }
    return hex;
}

std::string VisibleFileName(const TStMediator* fileNameBus) {
    TMedString name;
    if (fileNameBus != nullptr) fileNameBus->HandleIfExists(events::FileMgr_GetVisibleFileName, nullptr, &name);
    return name.Value;
}

struct THeading {
    std::string Text;
    TTextAlign Alignment = TTextAlign::Centre;
};

// What a tape's and a table's document share: the texts above and below the table.
struct TPageTexts {
    std::string_view Title;
    std::string_view PageHeader;
    const std::vector<std::string>* NoteLines = nullptr;
    std::string_view FirstParagraphTag;  // the first notes paragraph opens with it
    std::string_view Kind;               // " Tape " or " Table ", for a page without a title
    bool BorderLines = false;
    bool RowLines = false;
    bool ColLines = false;
};

// The document's lines, written through one reused line buffer.
class THtmlWriter {
public:
    // Opening for writing only starts collecting the lines: the file is written, or refused,
    // when it is closed.
    THtmlWriter(const std::string& fileName, const IFileCalls& calls) : fileName_(fileName), file_(calls) {
        file_.Open(fileName, TWyn_TextFile::kWrite);
    }

    void Line(std::string_view text) { file_.WriteLine(text); }
    // The buffer, emptied, to compose the next line in.
    std::string& Compose() {
        line_.clear();
        return line_;
    }
    void WriteComposed() { file_.WriteLine(line_); }

    void Begin(const TPageTexts& texts);
    void TableHeadings(const std::vector<THeading>& headings);
    void RepeatedRow(std::string_view cell, std::size_t columns);
    void End(std::string_view footerPrefix, const std::string& footerFileName);
    TFileResult Close() { return file_.Close(); }

private:
    void Notes(const std::vector<std::string>& noteLines, std::string_view firstTag);

    const std::string& fileName_;
    TWyn_TextFile file_;
    std::string line_;
};

void THtmlWriter::Begin(const TPageTexts& texts) {
    Line("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">");
    Line("<html>");
    Line("<head>");
    Line(kCharsetMeta);
    std::string& title = Compose();
    title += "<title>";
    if (texts.Title.empty()) {
        AppendText(title, "Tallyroll");
        AppendText(title, texts.Kind);
        const std::size_t slash = fileName_.rfind('/');
        AppendFileName(title, slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1));
    } else {
        AppendText(title, texts.Title.substr(0, texts.Title.find(';')));
    }
    title += "</title>";
    WriteComposed();
    Line("</head>");
    Line("<body>");
    if (!texts.PageHeader.empty()) {
        std::string& header = Compose();
        header += "<p><font size=\"-1\">";
        AppendSemicolonLines(header, texts.PageHeader);
        header += "</font></p>";
        WriteComposed();
    }
    if (texts.NoteLines != nullptr && !texts.NoteLines->empty()) Notes(*texts.NoteLines, texts.FirstParagraphTag);

    std::string& tag = Compose();
    tag += "<table border=";
    tag += (texts.BorderLines || texts.RowLines || texts.ColLines) ? "\"1\"" : "\"0\"";
    tag += " frame=";
    tag += texts.BorderLines ? "\"box\"" : "\"void\"";
    tag += " rules=";
    tag += (texts.RowLines && texts.ColLines) ? "\"all\""
           : texts.RowLines                  ? "\"rows\""
           : texts.ColLines                  ? "\"cols\""
                                             : "\"none\"";
    tag += " cellspacing=\"0\" cellpadding=\"3\">";
    WriteComposed();
    if (!texts.Title.empty()) {
        std::string& caption = Compose();
        caption += "<caption><font size=\"+1\">";
        AppendSemicolonLines(caption, texts.Title);
        caption += "</font></caption>";
        WriteComposed();
    }
}

// One line a paragraph: a single line break inside it becomes "<br>", two or more end it.
void THtmlWriter::Notes(const std::vector<std::string>& noteLines, std::string_view firstTag) {
    const std::string joined = JoinNoteLines(noteLines);
    std::string_view text = joined;
    while (text.starts_with(kLineBreak)) text.remove_prefix(kLineBreak.size());
    if (text.empty()) return;
    std::string_view tag = firstTag;
    std::vector<std::string_view> paragraph;
    const auto writeParagraph = [&] {
        if (paragraph.empty()) return;
        std::string& line = Compose();
        line += tag;
        for (std::size_t i = 0; i < paragraph.size(); ++i) {
            if (i > 0) line += "<br>";
            AppendText(line, paragraph[i]);
        }
        line += "</p>";
        WriteComposed();
        paragraph.clear();
        tag = "<p>";
    };
    // An empty piece stands between two line breaks in a row.
    for (const std::string_view piece : Pieces(text, kLineBreak)) {
        if (piece.empty()) {
            writeParagraph();
        } else {
            paragraph.push_back(piece);
        }
    }
    writeParagraph();
}

void THtmlWriter::TableHeadings(const std::vector<THeading>& headings) {
    Line("<thead>");
    Line("<tr>");
    for (const THeading& heading : headings) {
        std::string& line = Compose();
        line += "    <th align=";
        line += AlignmentValue(heading.Alignment);
        line += '>';
        if (TrimBlanks(heading.Text).empty()) {
            line += kEmptyCell;
        } else {
            AppendLines(line, heading.Text);
        }
        line += "</th>";
        WriteComposed();
    }
    Line("</tr>");
    Line("</thead>");
}

// A row of the same cell in every column: the rule rows of a tape and the spacers of a table.
void THtmlWriter::RepeatedRow(std::string_view cell, std::size_t columns) {
    Line("<tr>");
    for (std::size_t i = 0; i < columns; ++i) Line(cell);
    Line("</tr>");
}

// Closes the table and the document; the footer names the file when there is one.
void THtmlWriter::End(std::string_view footerPrefix, const std::string& footerFileName) {
    Line("</tbody>");
    Line("</table>");
    if (!footerFileName.empty()) {
        std::string& footer = Compose();
        footer += "<p><font size=\"-1\">";
        AppendText(footer, footerPrefix);
        AppendFileName(footer, footerFileName);
        footer += "</font></p>";
        WriteComposed();
    }
    Line("</body>");
    Line("</html>");
}

// The rule row's cell under a line that closes a series: space with row lines (the rows are
// ruled already), else a rule as heavy as the printed page's.
std::string_view RuleCell(char kind, bool rowLines) {
    if (rowLines) return kSpacerCell;
    if (KindInGroup(kind, LineGroup::kZeroTotal)) return "    <td><hr size=\"1\" noshade></td>";
    if (kind == LineKind::kGroupTrailing) return "    <td><hr size=\"3\" noshade></td>";
    if (kind == LineKind::kGrandTrailing) return "    <td><hr size=\"5\" noshade></td>";
    return "    <td><hr></td>";
}

// The Entries cell's background: the highlight of the line's embedded series, group or grand
// total range, when that highlight is on.
std::string EntriesBackground(std::string_view seriesType, const TTapePrintFlags& flags) {
    const auto attribute = [](std::uint32_t colour) { return " bgcolor=\"#" + HexColour(colour) + "\""; };
    if (seriesType == "e") return flags.PrintEmbedHiliteColor ? attribute(flags.EmbedPrintHiliteColor) : "";
    if (seriesType == "gro") return flags.PrintGroupTotalHiliteColor ? attribute(flags.GroupTotalPrintHiliteColor) : "";
    if (seriesType == "gra") return flags.PrintGrandTotalHiliteColor ? attribute(flags.GrandTotalPrintHiliteColor) : "";
    return {};
}

void ReplaceUnderscores(std::string& text) {
    for (char& c : text) {
        if (c == '_') c = ' ';
    }
}

}  // namespace

TFileResult WriteTapeHtml(const std::string& fileName, const TCalculator& tape, TTapePageLayout& layout,
                          const TStMediator* fileNameBus, const IFileCalls& calls) {
    TPrintColPropList columns = TapePrintColumns(layout);
    AlignHeadingsAtBottom(columns);
    const TTapePrintFlags& flags = layout.TapeFlags();
    THtmlWriter html(fileName, calls);
    html.Begin({tape.Title(), tape.PageHeader(), &tape.NoteLines(), "<P>", " Tape ", flags.ShowTapeBorderLines,
                flags.ShowRowLines, flags.ShowColLines});
    const auto& items = columns.Items();
    if (flags.ShowColHeadings && !items.empty()) {
        std::vector<THeading> headings;
        for (const auto& column : items) headings.push_back({column.Heading, column.Alignment});
        html.TableHeadings(headings);
    }
    html.Line("<tbody>");
    const TLineStore& lines = tape.Lines();
    const bool blankLeader = FormatSettings().FractionLeader == '_';
    // The open line, the last, is not written.
    for (LineIndex line = 0; !items.empty() && line < lines.LastLine(); ++line) {
        html.Line("<tr valign=\"top\">");
        for (const auto& column : items) {
            std::string text = TapeCellText(lines, line, column.Kind);
            std::string& cell = html.Compose();
            cell += "    <td align=";
            cell += AlignmentValue(column.Alignment);
            if (column.Kind == TTapeColumn::Entries) {
                if (blankLeader) ReplaceUnderscores(text);
                cell += EntriesBackground(lines.Property(line, LineKey::kSeriesType), flags);
            }
            cell += '>';
            AppendCell(cell, text);
            cell += "</td>";
            html.WriteComposed();
        }
        html.Line("</tr>");
        const char kind = lines.KindOf(line);
        if (KindInGroup(kind, LineGroup::kSeriesEnding)) html.RepeatedRow(RuleCell(kind, flags.ShowRowLines), items.size());
    }
    const std::string footerFile = flags.ShowFilenameFooter ? VisibleFileName(fileNameBus) : std::string();
    html.End(tape.TapeName() + " in ", footerFile);
    return html.Close();
}

TFileResult WriteTableHtml(const std::string& fileName, const TResultsTable& table, const TTapePageLayout& layout,
                           const TStMediator* fileNameBus, const IFileCalls& calls) {
    const std::vector<TTablePrintColumn> columns = table.PrintColumnList();
    const TTablePrintFlags& flags = layout.TableFlags();
    THtmlWriter html(fileName, calls);
    html.Begin({table.Title(), table.PageHeading(), &table.NoteLines(), "<p>", " Table ", flags.ShowBorderLines,
                flags.ShowRowLines, flags.ShowColLines});
    if (flags.ShowColHeadings && !columns.empty()) {
        std::vector<THeading> headings;
        for (const TTablePrintColumn& column : columns) headings.push_back({std::string(TrimBlanks(column.Heading))});
        html.TableHeadings(headings);
    }
    html.Line("<tbody>");
    const bool blankLeader = FormatSettings().FractionLeader == '_';
    const int linesPerGroup = layout.TableLinesPerGroup();
    for (int row = 1; !columns.empty() && row < table.RowCount(); ++row) {
        html.Line("<tr valign=\"top\">");
        for (const TTablePrintColumn& column : columns) {
            std::string text = table.Cell(column.Column, row);
            if (blankLeader && !column.IsAnnotation) ReplaceUnderscores(text);
            std::string& cell = html.Compose();
            cell += "    <td align=";
            cell += AlignmentValue(column.IsAnnotation ? TTextAlign::Left : TTextAlign::Right);
            cell += '>';
            AppendCell(cell, text);
            cell += "</td>";
            html.WriteComposed();
        }
        html.Line("</tr>");
        const bool lastRow = row + 1 == table.RowCount();
        if (flags.ShowBlankLines && row % linesPerGroup == 0 && !lastRow) html.RepeatedRow(kSpacerCell, columns.size());
    }
    const std::string footerFile = flags.ShowFilenameFooter ? VisibleFileName(fileNameBus) : std::string();
    html.End("Table in ", footerFile);
    return html.Close();
}

}  // namespace tally
