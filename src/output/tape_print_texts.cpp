#include "output/tape_print_texts.h"

#include <algorithm>

#include "engine/lines/line_store.h"
#include "settings/tape_page_layout.h"

namespace tally {

namespace {

TTextAlign ToTextAlign(TFieldAlignment alignment) {
    switch (alignment) {
        case TFieldAlignment::Right: return TTextAlign::Right;
        case TFieldAlignment::Centred: return TTextAlign::Centre;
        case TFieldAlignment::Left: break;
    }
    return TTextAlign::Left;
}

int LineCountOf(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\r')) + 1; }

}  // namespace

TPrintColPropList TapePrintColumns(TTapePageLayout& layout) {
    TPrintColPropList columns;
    TPrintFieldsListItem field;
    for (bool more = layout.FirstPrintField(field); more; more = layout.NextPrintField(field)) {
        columns.Add({field.PrintColNum, field.Position, field.Kind, field.Heading, ToTextAlign(field.Alignment),
                     field.Wrap, field.Links});
    }
    return columns;
}

std::string TapeCellText(const TLineStore& lines, LineIndex line, TTapeColumn kind) {
    switch (kind) {
        case TTapeColumn::Line: return std::to_string(line + 1);
        case TTapeColumn::Entries: return std::string(lines.Entries(line));
        case TTapeColumn::Indicator: return std::string(lines.Indicator(line));
        case TTapeColumn::Links: return std::string(lines.Links(line));
        case TTapeColumn::RunningTotal: return std::string(lines.RunningTotal(line));
        case TTapeColumn::Annotations: return std::string(lines.Annotations(line));
        case TTapeColumn::TableColumns: return std::string(lines.TableColumns(line));
    }
    return {};
}

std::string JoinNoteLines(const std::vector<std::string>& noteLines) {
    std::string text;
    for (const std::string& line : noteLines) {
        if (line.empty()) {
            text += "\r\n";
        } else if (line.back() == ' ') {
            text += line;
        } else {
            text += line + "\r\n";
        }
    }
    return text;
}

int AlignHeadingsAtBottom(TPrintColPropList& columns) {
    int lines = 1;
    for (const auto& column : columns.Items()) lines = std::max(lines, LineCountOf(column.Heading));
    for (auto& column : columns.Items()) {
        for (int missing = lines - LineCountOf(column.Heading); missing > 0; --missing) {
            column.Heading.insert(0, "\r\n");
        }
    }
    return lines;
}

}  // namespace tally
