#include "output/tape_page_composer.h"

#include <algorithm>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "output/column_groups.h"
#include "output/tape_print_texts.h"
#include "output/text_wrap.h"
#include "settings/tape_page_layout.h"

namespace tally {

namespace {

constexpr std::string_view kLinksSample = " M999-,";
constexpr std::string_view kSampleMultilineText = "Sample Multiline Text";
constexpr std::string_view kPageNumberSample = "Page 999";

void ReplaceAll(std::string& text, char from, char to) { std::replace(text.begin(), text.end(), from, to); }

// A file name is printed as it stands, on one line: control characters become blanks.
std::string PrintableFileName(std::string name) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    }
    return name;
}

std::string NeverFitsText(LineIndex line) {
    return "**********************\r\nTape line " + std::to_string(line + 1) +
           " will not fit in the printable area of any page.  " + "Either (1) decrease the page margin sizes, " +
           "(2) set the number of printed column groups to 1, " +
           "or (3) decrease the length of the tape line's annotation.  " + "Printing of tape aborted." + "\r\n" +
           "**********************";
}

}  // namespace

TTapePageComposer::TTapePageComposer(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                                     TLinkPrefixes prefixes, const TStMediator* fileNameBus)
    : tape_(tape), layout_(layout), report_(report), prefixes_(std::move(prefixes)), fileNameBus_(fileNameBus) {}

// ---- Preparing

bool TTapePageComposer::PreparePages(TTly_PrinterPage& page) {
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
    lines_ = &tape_.Lines();
    contents_.Clear();

    TMedString fileName;
    if (fileNameBus_) fileNameBus_->HandleIfExists(events::FileMgr_GetVisibleFileName, nullptr, &fileName);
    fileName_ = PrintableFileName(fileName.Value);

    // The widths depend on the texts and the font only, so they are measured once per job and
    // a page too narrow for them is refused before anything is printed.
    BuildColumns(page);
    if (!FitColumnGroups(page)) {
        Notifier().MessageBox(std::string(kPageWidthTooSmall), CaptionInformation, TMessageBoxButtons::Ok,
                              TMessageBoxIcon::Information);
        return false;
    }
    prepared_ = true;
    return true;
}

void TTapePageComposer::BuildColumns(TTly_PrinterPage& page) {
    columns_ = TapePrintColumns(layout_);
    auto& items = columns_.Items();
    hM_ = RoundHalfEvenToInt(page.TextHeight("M"));
    wM_ = RoundHalfEvenToInt(page.TextWidth("M"));
    V_ = RoundHalfEvenToInt(0.07L * hM_);
    P_ = 4 * V_;
    H_ = wM_;
    gap_ = RoundHalfEvenToInt(0.25L * wM_);
    pw_ = page.PenWidth();

    for (TPrintColPropListItem& column : items) {
        long double width = page.TextWidth(column.Heading);
        if (column.Links && column.Kind == TTapeColumn::Links) {
            width = std::max({width, page.TextWidth(prefixes_.UsedAtLine + std::string(kLinksSample)),
                              page.TextWidth(prefixes_.FromLine + std::string(kLinksSample))});
        } else {
            for (LineIndex line = 0; line < lines_->LineCount(); ++line) {
                std::string text = TapeCellText(*lines_, line, column.Kind);
                ReplaceAll(text, TFormatSettings::kNoBreakSpace, ' ');
                width = std::max(width, page.TextWidth(text));
            }
        }
        column.Width = RoundHalfEvenToInt(width);
    }

    headingLines_ = AlignHeadingsAtBottom(columns_);

    const bool colLines = layout_.TapeFlags().ShowColLines;
    int s = colLines ? 0 : pw_;
    for (auto& column : items) {
        if (colLines) s += pw_;
        s += H_;
        column.Offset = s;
        s += column.Width + H_;
    }
    groupWidth_ = s + pw_ - 1;
}

bool TTapePageComposer::FitColumnGroups(TTly_PrinterPage& page) {
    auto& items = columns_.Items();
    const auto wrap = std::find_if(items.begin(), items.end(), [](const auto& column) { return column.Wrap; });
    TColumnGroupRequest request;
    request.GroupWidth = groupWidth_;
    request.WrapWidth = wrap != items.end() ? wrap->Width : 0;
    request.SampleWidth = RoundHalfEvenToInt(page.TextWidth(std::string(kSampleMultilineText)));
    request.PrintableWidth = W_;
    request.Gap = gap_;
    request.AutoCalc = layout_.TapeColumnGroups().AutoCalc;
    request.Count = layout_.TapeColumnGroups().Count;
    const auto groups = LayOutColumnGroups(request);
    if (!groups) return false;
    groupCount_ = groups->Groups;
    groupWidth_ = groups->GroupWidth;
    if (wrap != items.end()) {
        const int change = groups->WrapWidth - wrap->Width;
        wrap->Width = groups->WrapWidth;
        for (auto after = wrap + 1; after != items.end(); ++after) after->Offset += change;
    }
    return true;
}

// ---- Page furniture

TTapePageComposer::TFrame TTapePageComposer::LayOutFurniture(int pageNumber, TTly_PrinterPage& page, bool draw) {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const int base = font_.Size;
    const int smallSize = std::max(base - 2, 8);
    TFrame frame;
    int y = T_ - 1;
    frame.LinesBottom = B_;
    int lastHeight = 0;  // of the last element placed above the lines

    const std::string header = SemicolonsToLineBreaks(tape_.PageHeader());
    int headerRight = L_;
    if (!header.empty()) {
        page.SetFontSize(smallSize);
        headerRight = L_ + RoundHalfEvenToInt(page.TextWidth(header));
        lastHeight = RoundHalfEvenToInt(page.WrappedTextHeight(header, L_, headerRight));
        y = T_ + lastHeight;
    }
    if (flags.ShowPageNumbers) {
        page.SetFontSize(smallSize);
        const int height = RoundHalfEvenToInt(page.TextHeight(std::string(kPageNumberSample)));
        const int pageNumberLeft = R_ - RoundHalfEvenToInt(page.TextWidth(std::string(kPageNumberSample)));
        y = std::max(y, T_ + height);
        if (header.empty()) lastHeight = height;
        frame.PageNumberArea = {pageNumberLeft, T_, R_ - pageNumberLeft, height};
    }

    const std::string notes = pageNumber == 1 ? JoinNoteLines(tape_.NoteLines()) : std::string();
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

    const std::string title = SemicolonsToLineBreaks(tape_.Title());
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
    if (flags.ShowFilenameFooter && !fileName_.empty()) {
        footer = tape_.TapeName() + " in " + fileName_;
        page.SetFontSize(smallSize);
        footerHeight = RoundHalfEvenToInt(page.TextHeight(footer));
        frame.LinesBottom = B_ - footerHeight - footerHeight;
        if (y >= B_) {
            frame.LinesBottom = B_;
            frame.Flags.FooterDropped = true;
        }
    }
    page.SetFontSize(base);

    if (flags.ShowColHeadings) {
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

int TTapePageComposer::RowHeight(LineIndex line, TTly_PrinterPage& page) const {
    int height = hM_;
    for (const auto& column : columns_.Items()) {
        if (!column.Wrap && !column.Links) continue;
        const std::string text = TapeCellText(*lines_, line, column.Kind);
        if (text.empty()) continue;
        height = std::max(height, RoundHalfEvenToInt(page.WrappedTextHeight(text, 0, column.Width)));
    }
    return height;
}

int TTapePageComposer::BandBottom(LineIndex line, int top, int rowHeight) const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const int base = top + V_ + rowHeight;
    const char kind = lines_->KindOf(line);
    if (flags.ShowRowLines) {
        if (KindInGroup(kind, LineGroup::kSeriesEnding)) return base + 2 * pw_ + 4 * P_ + hM_ + 2 * V_ - 1;
        return base + pw_ + 2 * P_ - 1;
    }
    if (KindInGroup(kind, LineGroup::kZeroTotal)) return base + pw_ + 2 * P_ - 1;
    if (line > 0 && lines_->HasKind(line - 1, LineKind::kEmbeddedTrailing)) {
        return flags.PrintEmbedDashedLine ? base + pw_ + 2 * P_ - 1 : base - 1;
    }
    if (kind == LineKind::kGroupTrailing) return base + 2 * pw_ + 3 * P_ - 1;
    if (kind == LineKind::kGrandTrailing) return base + 3 * pw_ + 4 * P_ - 1;
    return base - 1;
}

void TTapePageComposer::HorizontalRule(int x, int y, TTly_PrinterPage& page, TPenStyle style) const {
    page.SetPen(pw_, style);
    page.MoveTo(y, x);
    page.LineTo(y, x + groupWidth_ - 1);
    page.SetPen(pw_, TPenStyle::Solid);
}

void TTapePageComposer::VerticalRule(int x, int top, int bottom, TTly_PrinterPage& page) const {
    page.MoveTo(top, x);
    page.LineTo(bottom, x);
}

void TTapePageComposer::DrawRules(LineIndex line, int x, int c, TTly_PrinterPage& page) const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const char kind = lines_->KindOf(line);
    if (flags.ShowRowLines) {
        HorizontalRule(x, c - P_ - pw_ + 1, page);
        if (KindInGroup(kind, LineGroup::kSeriesEnding)) HorizontalRule(x, c - 3 * P_ - hM_ - 2 * V_ - pw_ + 1, page);
        return;
    }
    if (KindInGroup(kind, LineGroup::kZeroTotal)) {
        HorizontalRule(x, c - P_ - pw_ + 1, page);
    } else if (line > 0 && lines_->HasKind(line - 1, LineKind::kEmbeddedTrailing)) {
        if (flags.PrintEmbedDashedLine) HorizontalRule(x, c - P_ - pw_ + 1, page, TPenStyle::DashDot);
    } else if (kind == LineKind::kGroupTrailing || kind == LineKind::kGrandTrailing) {
        const int count = kind == LineKind::kGroupTrailing ? 2 : 3;
        const int first = c - count * P_ - count * pw_ + 1;
        for (int i = 0; i < count; ++i) HorizontalRule(x, first + i * (pw_ + P_), page);
    }
}

void TTapePageComposer::DrawLine(LineIndex line, int x, int y, TTly_PrinterPage& page) const {
    const TTapePrintFlags& flags = layout_.TapeFlags();
    const bool blankLeader = FormatSettings().FractionLeader == '_';
    for (const auto& column : columns_.Items()) {
        std::string text = TapeCellText(*lines_, line, column.Kind);
        ReplaceAll(text, TFormatSettings::kNoBreakSpace, ' ');
        std::uint32_t background = kWhite;
        if (column.Kind == TTapeColumn::Entries) {
            if (blankLeader) ReplaceAll(text, '_', ' ');
            const std::string_view seriesType = lines_->Property(line, LineKey::kSeriesType);
            if (flags.PrintEmbedHiliteColor && seriesType == "e") background = flags.EmbedPrintHiliteColor;
            if (flags.PrintGroupTotalHiliteColor && seriesType == "gro") background = flags.GroupTotalPrintHiliteColor;
            if (flags.PrintGrandTotalHiliteColor && seriesType == "gra") background = flags.GrandTotalPrintHiliteColor;
        }
        if (text.empty()) continue;
        page.SetBrushColor(background);
        const int left = x + column.Offset;
        const int right = left + column.Width;
        if (column.Wrap || column.Links) {
            page.DrawText(left, y, right, y + page.WrappedTextHeight(text, left, right), text, {TTextAlign::Left, true});
        } else {
            page.DrawText(left, y, right, y + hM_, text, {column.Alignment, false});
        }
        page.SetBrushColor(kWhite);
    }
}

void TTapePageComposer::DrawHeadings(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!layout_.TapeFlags().ShowColHeadings || frame.Flags.HeadingsDoNotFit || frame.Flags.NotesOnly) return;
    page.MoveTo(frame.LinesTop, L_);
    page.LineTo(frame.LinesTop, x + groupWidth_ - 1);
    const auto& items = columns_.Items();
    if (items.empty()) return;
    const int top = frame.FrameTop + pw_ + P_;
    const long double height = page.TextHeight(items.front().Heading) * headingLines_;
    for (const auto& column : items) {
        const int left = x + column.Offset;
        page.DrawText(left, top, left + column.Width, top + height, column.Heading, {TTextAlign::Centre, false});
    }
}

void TTapePageComposer::DrawColumnLines(int x, int group, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!layout_.TapeFlags().ShowColLines || frame.Flags.NotesOnly) return;
    const auto& items = columns_.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i == 0 && group == 1) continue;
        VerticalRule(x + items[i].Offset - H_ - pw_, frame.FrameTop, frame.LinesBottom, page);
    }
    if (group < groupCount_) VerticalRule(x + groupWidth_ - pw_, frame.FrameTop, frame.LinesBottom, page);
}

void TTapePageComposer::DrawGroupEdges(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (layout_.TapeFlags().ShowColLines || frame.Flags.NotesOnly) return;
    VerticalRule(x + groupWidth_ - 1, frame.FrameTop, frame.LinesBottom, page);
    VerticalRule(x + groupWidth_ + gap_, frame.FrameTop, frame.LinesBottom, page);
}

void TTapePageComposer::DrawBorder(int x, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!layout_.TapeFlags().ShowTapeBorderLines || frame.Flags.NotesOverflow || frame.Flags.NotesOnly) return;
    page.DrawRectangle(L_, frame.FrameTop, x + groupWidth_ - 1, frame.LinesBottom);
}

void TTapePageComposer::DrawPageNumber(int pageNumber, const TFrame& frame, TTly_PrinterPage& page) const {
    if (!layout_.TapeFlags().ShowPageNumbers) return;
    const TRect& area = frame.PageNumberArea;
    page.SetFontSize(std::max(font_.Size - 2, 8));
    page.DrawText(area.Left, area.Top, area.Left + area.Width, area.Top + area.Height,
                  "Page " + std::to_string(pageNumber), {TTextAlign::Right, false});
    page.SetFontSize(font_.Size);
}

void TTapePageComposer::DrawNeverFits(LineIndex line, int y, TTly_PrinterPage& page) const {
    const std::string text = NeverFitsText(line);
    const int height = RoundHalfEvenToInt(page.WrappedTextHeight(text, L_, R_));
    const int top = height < B_ - y ? B_ - height : y;
    page.DrawText(L_, top, R_, top + height, text, {TTextAlign::Left, true});
}

// ---- Composing a page

// Where the line flow stands: the page being laid out, its frame, the column group and the
// top of the next line.
struct TTapePageComposer::TFlow {
    int Page = 1;
    TFrame Frame;
    int Group = 1;
    int X = 0;
    int Y = 0;
};

bool TTapePageComposer::ComposeTapePage(int pageNumber, TTly_PrinterPage& page) {
    if (!prepared_ || pageNumber < 1) return false;
    page.SetBrushColor(kWhite);
    page.Clear();
    page.RefreshGeometry();
    page.SetFont(font_);
    page.SetPen(pw_, TPenStyle::Solid);

    if (contents_.Empty()) contents_.Add({1, 0});
    const TPageContentsListItem start = contents_.Find(pageNumber).value_or(*contents_.Last());
    TFlow flow;
    LineIndex line = start.FirstLine;
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

    const LineIndex openLine = lines_->LastLine();  // the open line is never printed
    bool pageFinished = false;
    while (line < openLine && !pageFinished) {
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
    return line < openLine;
}

// ---- Jobs

TPrintJobResult PrintTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                          const TLinkPrefixes& prefixes, const TStMediator* fileNameBus) {
    TTapePageComposer composer(tape, layout, report, prefixes, fileNameBus);
    report.ApplyOrientation();
    return PrintJob(composer, report);
}

bool PreviewTape(const TCalculator& tape, TTapePageLayout& layout, TWyn_ReportProperties& report,
                 const TLinkPrefixes& prefixes, const TStMediator* fileNameBus, IPrintPreview& preview) {
    TTapePageComposer composer(tape, layout, report, prefixes, fileNameBus);
    report.ApplyOrientation();
    TTly_PrinterPage measuring(report.Printer(), nullptr, true);
    if (!composer.PreparePages(measuring)) return false;
    preview.ShowPreview(composer, report);
    return true;
}

}  // namespace tally
