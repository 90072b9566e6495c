#include "output/lines_page_composer.h"

#include <algorithm>

#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/text_encoding.h"
#include "output/column_groups.h"
#include "output/tape_print_texts.h"
#include "output/text_wrap.h"

namespace tally {

namespace {

constexpr std::string_view kSampleMultilineText = "Sample Multiline Text";
constexpr std::string_view kPageNumberSample = "Page 999";

// A file name is the system's bytes; it prints in the program's text, on one line.
std::string PrintableFileName(const std::string& systemName) {
    std::string name = FileNameText(systemName);
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    return name;
}

}  // namespace

TLinesPageComposer::TLinesPageComposer(TWyn_ReportProperties& report, const TStMediator* fileNameBus)
    : report_(report), fileNameBus_(fileNameBus) {}

// ---- Preparing

bool TLinesPageComposer::PreparePages(TTly_PrinterPage& page) {
    prepared_ = false;
    const TPageUnits units = report_.Units();
    report_.ReadMetrics();
    page.SetFont(report_.Font);
    report_.SetUnits(TPageUnits::Pixels);
    L_ = RoundHalfEvenToInt(report_.LeftMargin());
    T_ = RoundHalfEvenToInt(report_.TopMargin()) + 1;
    R_ = RoundHalfEvenToInt(report_.PageWidth()) - RoundHalfEvenToInt(report_.RightMargin());
    B_ = RoundHalfEvenToInt(report_.PageHeight()) - RoundHalfEvenToInt(report_.BottomMargin());
    W_ = R_ - L_ + 1;
    report_.SetUnits(units);
    page.SetUnits(TPageUnits::Pixels);
    font_ = page.Font();
    flags_ = FurnitureFlags();
    contents_.Clear();

    TMedString fileName;
    if (fileNameBus_) fileNameBus_->HandleIfExists(events::FileMgr_GetVisibleFileName, nullptr, &fileName);
    fileName_ = PrintableFileName(fileName.Value);

    // The widths depend on the texts and the font only, so they are measured once per job and
    // a page too narrow for them is refused before anything is printed.
    BuildColumns(page);
    if (!FitColumnGroups(page)) {
        Notifier().MessageBox(PageWidthMessage(), CaptionInformation, TMessageBoxButtons::Ok,
                              TMessageBoxIcon::Information);
        return false;
    }
    prepared_ = true;
    return true;
}

long double TLinesPageComposer::WidestCell(const TPrintColPropListItem& column, TPrintLine first, TPrintLine end,
                                           TTly_PrinterPage& page) const {
    long double width = 0;
    for (TPrintLine line = first; line < end; ++line) {
        std::string text = CellText(line, column);
        if (text.empty()) continue;
        std::replace(text.begin(), text.end(), TFormatSettings::kNoBreakSpace, ' ');
        width = std::max(width, page.TextWidth(text));
    }
    return width;
}

void TLinesPageComposer::BuildColumns(TTly_PrinterPage& page) {
    columns_.Clear();
    FillPrintColumns(columns_);
    auto& items = columns_.Items();
    hM_ = RoundHalfEvenToInt(page.TextHeight("M"));
    wM_ = RoundHalfEvenToInt(page.TextWidth("M"));
    V_ = RoundHalfEvenToInt(0.07L * hM_);
    P_ = 4 * V_;
    H_ = wM_;
    gap_ = RoundHalfEvenToInt(0.25L * wM_);
    pw_ = page.PenWidth();

    for (TPrintColPropListItem& column : items) column.Width = RoundHalfEvenToInt(MeasureColumn(column, page));
    headingLines_ = AlignHeadings(columns_, page);

    const bool colLines = flags_.ShowColLines;
    int s = colLines ? 0 : pw_;
    for (auto& column : items) {
        if (colLines) s += pw_;
        s += H_;
        column.Offset = s;
        s += column.Width + H_;
    }
    groupWidth_ = s + pw_ - 1;
}

bool TLinesPageComposer::FitColumnGroups(TTly_PrinterPage& page) {
    auto& items = columns_.Items();
    const auto wrap = std::find_if(items.begin(), items.end(), [](const auto& column) { return column.Wrap; });
    const TColumnGroups groups = ColumnGroups();
    TColumnGroupRequest request;
    request.GroupWidth = groupWidth_;
    request.WrapWidth = wrap != items.end() ? wrap->Width : 0;
    request.SampleWidth = RoundHalfEvenToInt(page.TextWidth(std::string(kSampleMultilineText)));
    request.PrintableWidth = W_;
    request.Gap = gap_;
    request.AutoCalc = groups.AutoCalc;
    request.Count = groups.Count;
    const auto layout = LayOutColumnGroups(request);
    if (!layout) return false;
    groupCount_ = layout->Groups;
    groupWidth_ = layout->GroupWidth;
    if (wrap != items.end()) {
        const int change = layout->WrapWidth - wrap->Width;
        wrap->Width = layout->WrapWidth;
        for (auto after = wrap + 1; after != items.end(); ++after) after->Offset += change;
    }
    return true;
}

// ---- Page furniture

TLinesPageComposer::TFrame TLinesPageComposer::LayOutFurniture(int pageNumber, TTly_PrinterPage& page, bool draw) {
    const int base = font_.Size;
    const int smallSize = std::max(base - 2, 8);
    TFrame frame;
    int y = T_ - 1;
    frame.LinesBottom = B_;
    int lastHeight = 0;  // of the last element placed above the lines

    const std::string header = SemicolonsToLineBreaks(PageHeader());
    int headerRight = L_;
    if (!header.empty()) {
        page.SetFontSize(smallSize);
        headerRight = L_ + RoundHalfEvenToInt(page.TextWidth(header));
        lastHeight = RoundHalfEvenToInt(page.WrappedTextHeight(header, L_, headerRight));
        y = T_ + lastHeight;
    }
    if (flags_.ShowPageNumbers) {
        page.SetFontSize(smallSize);
        const int height = RoundHalfEvenToInt(page.TextHeight(std::string(kPageNumberSample)));
        const int pageNumberLeft = R_ - RoundHalfEvenToInt(page.TextWidth(std::string(kPageNumberSample)));
        y = std::max(y, T_ + height);
        if (header.empty()) lastHeight = height;
        frame.PageNumberArea = {pageNumberLeft, T_, R_ - pageNumberLeft, height};
    }

    const std::string notes = pageNumber == 1 ? JoinNoteLines(NoteLines()) : std::string();
    int notesTop = 0;
    int notesBottom = 0;
    if (!notes.empty()) {
        frame.HasNotes = true;
        page.SetFontSize(base);
        lastHeight = RoundHalfEvenToInt(page.TextHeight(notes));
        notesTop = y < T_ ? T_ : y + lastHeight;
        notesBottom = RoundHalfEvenToInt(notesTop + page.WrappedTextHeight(notes, L_, R_));
        if (notesBottom > B_) {
            notesBottom = B_;
            frame.Flags.NotesOverflow = true;
        }
        y = notesBottom;
    }

    const std::string title = SemicolonsToLineBreaks(Title());
    int titleTop = 0;
    int titleBottom = 0;
    bool hasTitle = false;
    if (y >= B_) frame.Flags.TitleDropped = true;
    if (!title.empty() && !frame.Flags.TitleDropped) {
        page.SetFontSize(std::min(base + 2, 14));
        const int height = RoundHalfEvenToInt(page.TextHeight(title));
        titleTop = y < T_ ? T_ : y + height;
        titleBottom = RoundHalfEvenToInt(titleTop + page.WrappedTextHeight(title, L_, R_));
        if (titleBottom > B_) {
            frame.Flags.TitleDropped = true;
        } else {
            y = titleBottom;
            hasTitle = true;
            lastHeight = height;
        }
    }

    std::string footer;
    int footerHeight = 0;
    if (flags_.ShowFilenameFooter && !fileName_.empty()) {
        footer = FooterText(fileName_);
        page.SetFontSize(smallSize);
        footerHeight = RoundHalfEvenToInt(page.TextHeight(footer));
        frame.LinesBottom = B_ - footerHeight - footerHeight;
        if (y >= B_) {
            frame.LinesBottom = B_;
            frame.Flags.FooterDropped = true;
        }
    }
    page.SetFontSize(base);

    if (flags_.ShowColHeadings) {
        frame.FrameTop = y < T_ ? T_ : y + 2 * lastHeight;
        frame.LinesTop = frame.FrameTop + pw_ + P_ + headingLines_ * hM_ + P_;
        if (frame.LinesBottom < frame.LinesTop) frame.Flags.HeadingsDoNotFit = true;
    } else {
        frame.LinesTop = y < T_ ? T_ : y + 2 * hM_;
        frame.FrameTop = frame.LinesTop;
    }
    if (frame.HasNotes && frame.LinesBottom < frame.LinesTop + 4 * P_ + 4 * hM_) frame.Flags.NotesOnly = true;

    if (draw) {
        const TTextFlags wordBreak{TTextAlign::Left, true};
        if (!header.empty()) {
            page.SetFontSize(smallSize);
            page.DrawText(L_, T_, headerRight, T_ + lastHeight, header, wordBreak);
        }
        if (!notes.empty()) {
            page.SetFontSize(base);
            page.DrawText(L_, notesTop, R_, notesBottom, notes, wordBreak);
        }
        if (hasTitle && !frame.Flags.HeadingsDoNotFit && !frame.Flags.NotesOnly) {
            page.SetFontSize(std::min(base + 2, 14));
            page.DrawText(L_, titleTop, R_, titleBottom, title, {TTextAlign::Centre, true});
        }
        if (!footer.empty() && !frame.Flags.FooterDropped) {
            page.SetFontSize(smallSize);
            page.DrawText(L_, B_ - footerHeight, R_, B_, footer, {});
        }
        page.SetFontSize(base);
    }
    return frame;
}

// ---- Lines

int TLinesPageComposer::RowHeight(TPrintLine line, TTly_PrinterPage& page) const {
    int height = hM_;
    for (const auto& column : columns_.Items()) {
        if (!column.Wrap && !column.Links) continue;
        const std::string text = CellText(line, column);
        if (text.empty()) continue;
        height = std::max(height, RoundHalfEvenToInt(page.WrappedTextHeight(text, 0, column.Width)));
    }
    return height;
}

void TLinesPageComposer::HorizontalRule(int x, int y, TTly_PrinterPage& page, TPenStyle style) const {
    page.SetPen(pw_, style);
    page.MoveTo(y, x);
    page.LineTo(y, x + groupWidth_ - 1);
    page.SetPen(pw_, TPenStyle::Solid);
}

void TLinesPageComposer::VerticalRule(int x, int top, int bottom, TTly_PrinterPage& page) const {
    page.MoveTo(top, x);
    page.LineTo(bottom, x);
}

void TLinesPageComposer::DrawLine(TPrintLine line, int x, int y, TTly_PrinterPage& page) const {
    for (const auto& column : columns_.Items()) {
        const TPrintedCell cell = PrintedCell(line, column);
        if (cell.Text.empty()) continue;
        page.SetBrushColor(cell.Background);
        const int left = x + column.Offset;
        const int right = left + column.Width;
        if (column.Wrap || column.Links) {
            page.DrawText(left, y, right, y + page.WrappedTextHeight(cell.Text, left, right), cell.Text,
                          {TTextAlign::Left, true});
        } else {
            page.DrawText(left, y, right, y + hM_, cell.Text, {column.Alignment, false});
        }
        page.SetBrushColor(kWhite);
    }
}

void TLinesPageComposer::DrawHeadings(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!flags_.ShowColHeadings || frame.Flags.HeadingsDoNotFit || frame.Flags.NotesOnly) return;
    page.MoveTo(frame.LinesTop, L_);
    page.LineTo(frame.LinesTop, x + groupWidth_ - 1);
    const auto& items = columns_.Items();
    if (items.empty()) return;
    const int top = frame.FrameTop + pw_ + P_;
    const long double height = page.TextHeight(items.front().Heading) * headingLines_;
    const TTextFlags flags{TTextAlign::Centre, HeadingsWordBreak()};
    for (const auto& column : items) {
        const int left = x + column.Offset;
        page.DrawText(left, top, left + column.Width, top + height, column.Heading, flags);
    }
}

void TLinesPageComposer::DrawColumnLines(int x, int group, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!flags_.ShowColLines || frame.Flags.NotesOnly) return;
    const auto& items = columns_.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == 0 && group == 1) continue;
        VerticalRule(x + items[i].Offset - H_ - pw_, frame.FrameTop, frame.LinesBottom, page);
    }
    if (group < groupCount_) VerticalRule(x + groupWidth_ - pw_, frame.FrameTop, frame.LinesBottom, page);
}

void TLinesPageComposer::DrawGroupEdges(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (flags_.ShowColLines || frame.Flags.NotesOnly) return;
    VerticalRule(x + groupWidth_ - 1, frame.FrameTop, frame.LinesBottom, page);
    VerticalRule(x + groupWidth_ + gap_, frame.FrameTop, frame.LinesBottom, page);
}

void TLinesPageComposer::DrawBorder(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!flags_.ShowBorderLines || frame.Flags.NotesOverflow || frame.Flags.NotesOnly) return;
    page.DrawRectangle(L_, frame.FrameTop, x + groupWidth_ - 1, frame.LinesBottom);
}

void TLinesPageComposer::DrawPageNumber(int pageNumber, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!flags_.ShowPageNumbers) return;
    const TRect& area = frame.PageNumberArea;
    page.SetFontSize(std::max(font_.Size - 2, 8));
    page.DrawText(area.Left, area.Top, area.Left + area.Width, area.Top + area.Height,
                  "Page " + std::to_string(pageNumber), {TTextAlign::Right, false});
    page.SetFontSize(font_.Size);
}

void TLinesPageComposer::DrawNeverFits(TPrintLine line, int y, TTly_PrinterPage& page) const {
    const std::string text = NeverFitsText(line);
    const int height = RoundHalfEvenToInt(page.WrappedTextHeight(text, L_, R_));
    const int top = height < B_ - y ? B_ - height : y;
    page.DrawText(L_, top, R_, top + height, text, {TTextAlign::Left, true});
}

// ---- Composing a page

// Where the line flow stands: the page being laid out, its frame, the column group and the
// top of the next line.
struct TLinesPageComposer::TFlow {
    int Page = 1;
    TFrame Frame;
    int Group = 1;
    int X = 0;
    int Y = 0;
};

bool TLinesPageComposer::ComposePage(int pageNumber, TTly_PrinterPage& page) {
    if (!prepared_ || pageNumber < 1) return false;
    page.SetBrushColor(kWhite);
    page.Clear();
    page.RefreshGeometry();
    page.SetFont(font_);
    page.SetPen(pw_, TPenStyle::Solid);

    if (contents_.Empty()) contents_.Add({1, FirstLine()});
    const TPageContentsListItem start = contents_.Find(pageNumber).value_or(*contents_.Last());
    TFlow flow;
    TPrintLine line = start.FirstLine;
    // Pages before the one asked for are laid out with their own furniture, without drawing.
    const auto startPage = [&](int number) {
        flow.Page = number;
        const bool drawing = number == pageNumber;
        flow.Frame = LayOutFurniture(number, page, drawing);
        flow.Group = 1;
        flow.X = L_;
        if (drawing) {
            DrawHeadings(flow.X, flow.Frame, page);
            DrawColumnLines(flow.X, flow.Group, flow.Frame, page);
        }
        flow.Y = flow.Frame.LinesTop + P_;
    };
    startPage(start.Page);

    const TPrintLine end = EndLine();
    bool pageFinished = false;
    while (line < end && !pageFinished) {
        const bool drawing = flow.Page == pageNumber;
        const int rowHeight = RowHeight(line, page);
        const int c = BandBottom(line, flow.Y, rowHeight);
        const TFrame& frame = flow.Frame;
        const bool firstPageWithNotes = flow.Page == 1 && frame.HasNotes;
        if (!firstPageWithNotes && c - flow.Y > frame.LinesBottom - (frame.LinesTop + P_)) {
            if (drawing) DrawNeverFits(line, flow.Y, page);
            return false;
        }
        const bool notesOnly = firstPageWithNotes && frame.Flags.NotesOnly;
        if (notesOnly || (c > frame.LinesBottom && flow.Group >= groupCount_)) {
            // The line starts the next page.
            contents_.Add({flow.Page + 1, line});
            if (drawing) {
                pageFinished = true;
            } else {
                startPage(flow.Page + 1);
            }
            continue;
        }
        if (c > frame.LinesBottom) {
            if (drawing) DrawGroupEdges(flow.X, frame, page);
            ++flow.Group;
            flow.X += groupWidth_ + gap_;
            if (drawing) {
                DrawHeadings(flow.X, frame, page);
                DrawColumnLines(flow.X, flow.Group, frame, page);
            }
            flow.Y = frame.LinesTop + P_;
            continue;  // the same line at the top of the next group
        }
        if (drawing) {
            DrawLine(line, flow.X, flow.Y, page);
            DrawRules(line, flow.X, c, page);
        }
        flow.Y = c + V_;
        ++line;
    }
    if (flow.Page == pageNumber) {
        DrawBorder(flow.X, flow.Frame, page);
        DrawPageNumber(pageNumber, flow.Frame, page);
    }
    return line < end;
}

}  // namespace tally
