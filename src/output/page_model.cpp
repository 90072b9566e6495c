#include "output/page_model.h"

#include <algorithm>
#include <cmath>

#include "output/text_wrap.h"
#include "settings/print_settings.h"

namespace tally {

namespace {

// Printer pixels per unit at a resolution.
long double PixelsPerUnit(TPageUnits units, int resolution) {
    switch (units) {
        case TPageUnits::Inches: return resolution;
        case TPageUnits::Millimetres: return resolution / 25.4L;
        case TPageUnits::Pixels: break;
    }
    return 1;
}

long double UnitPerPixel(TPageUnits units, int resolution) {
    const long double perUnit = PixelsPerUnit(units, resolution);
    return perUnit > 0 ? 1 / perUnit : 1;
}

bool IsUsable(const TPrinterMetrics& m) {
    return m.PhysicalWidth > 0 && m.PhysicalHeight > 0 && m.PrintableWidth > 0 && m.PrintableHeight > 0 &&
           m.DpiX > 0 && m.DpiY > 0 && m.OffsetX >= 0 && m.OffsetY >= 0 &&
           m.OffsetX + m.PrintableWidth <= m.PhysicalWidth && m.OffsetY + m.PrintableHeight <= m.PhysicalHeight;
}

}  // namespace

int RoundHalfEvenToInt(long double value) {
    const long double floor = std::floor(value);
    const long double fraction = value - floor;
    long double rounded = floor;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(floor, 2.0L) != 0)) rounded = floor + 1;
    return static_cast<int>(rounded);
}

// ---- TWyn_PrinterPageProperties

TWyn_PrinterPageProperties::TWyn_PrinterPageProperties(IPrinter& printer) : printer_(printer) {
    TWyn_PrinterPageProperties::ReadMetrics();
}

void TWyn_PrinterPageProperties::SetUnits(TPageUnits units) {
    if (units == units_) return;
    units_ = units;
    ReadMetrics();
}

void TWyn_PrinterPageProperties::ReadMetrics() {
    const TPrinterMetrics metrics = printer_.Metrics();
    metrics_ = IsUsable(metrics) ? metrics : TPrinterMetrics{};
    unitPerPixelX_ = UnitPerPixel(units_, metrics_.DpiX);
    unitPerPixelY_ = UnitPerPixel(units_, metrics_.DpiY);
}

bool TWyn_PrinterPageProperties::HasPage() const { return metrics_.PhysicalWidth > 0; }

// ---- TWyn_ReportProperties

TWyn_ReportProperties::TWyn_ReportProperties(IPrinter& printer) : TWyn_PrinterPageProperties(printer) {
    RaiseMarginsToPrintable();
}

void TWyn_ReportProperties::ReadMetrics() {
    TWyn_PrinterPageProperties::ReadMetrics();
    RaiseMarginsToPrintable();
}

void TWyn_ReportProperties::RaiseMarginsToPrintable() {
    leftMargin_ = std::max(leftMargin_, LeftUnprintable());
    rightMargin_ = std::max(rightMargin_, RightUnprintable());
    topMargin_ = std::max(topMargin_, TopUnprintable());
    bottomMargin_ = std::max(bottomMargin_, BottomUnprintable());
}

void TWyn_ReportProperties::SetOrientation(std::string_view orientation) {
    if (orientation != "Portrait" && orientation != "Landscape") return;
    orientation_ = orientation;
    ApplyOrientation();
}

void TWyn_ReportProperties::ApplyOrientation() {
    Printer().SetOrientation(orientation_ == "Landscape" ? TPageOrientation::Landscape : TPageOrientation::Portrait);
    ReadMetrics();
}

void TWyn_ReportProperties::SetLeftMargin(long double value) {
    leftMargin_ = std::max(RoundHalfEvenToInt(value / UnitPerPixelX()), LeftUnprintable());
}
void TWyn_ReportProperties::SetRightMargin(long double value) {
    rightMargin_ = std::max(RoundHalfEvenToInt(value / UnitPerPixelX()), RightUnprintable());
}
void TWyn_ReportProperties::SetTopMargin(long double value) {
    topMargin_ = std::max(RoundHalfEvenToInt(value / UnitPerPixelY()), TopUnprintable());
}
void TWyn_ReportProperties::SetBottomMargin(long double value) {
    bottomMargin_ = std::max(RoundHalfEvenToInt(value / UnitPerPixelY()), BottomUnprintable());
}

void TWyn_ReportProperties::Assign(const TReportSettings& settings) {
    SetOrientation(settings.PageOrientation);
    if (settings.MarginUnits == kInches) SetUnits(TPageUnits::Inches);
    if (settings.MarginUnits == kMillimetres) SetUnits(TPageUnits::Millimetres);
    SetLeftMargin(settings.LeftMargin);
    SetRightMargin(settings.RightMargin);
    SetTopMargin(settings.TopMargin);
    SetBottomMargin(settings.BottomMargin);
    Font.Name = settings.FontName;
    Font.Size = settings.FontSize;
}

TReportSettings TWyn_ReportProperties::Settings() const {
    TWyn_ReportProperties inUnits(*this);
    if (inUnits.Units() == TPageUnits::Pixels) inUnits.SetUnits(TPageUnits::Inches);
    TReportSettings settings;
    settings.MarginUnits = inUnits.Units() == TPageUnits::Millimetres ? kMillimetres : kInches;
    settings.LeftMargin = inUnits.LeftMargin();
    settings.RightMargin = inUnits.RightMargin();
    settings.TopMargin = inUnits.TopMargin();
    settings.BottomMargin = inUnits.BottomMargin();
    settings.FontName = Font.Name;
    settings.FontSize = Font.Size;
    settings.PageOrientation = orientation_;
    return settings;
}

// ---- TTly_PrinterPage

TTly_PrinterPage::TTly_PrinterPage(IPrinter& printer, ICanvas* canvas, bool printing, int screenDpiY)
    : printer_(printer), canvas_(canvas), printing_(printing), screenDpiY_(screenDpiY > 0 ? screenDpiY : 96) {
    RefreshGeometry();
    SetFont(font_);
    // A pen of 1/150 inch: one pixel on a coarse device, still visible on a fine one.
    SetPen(std::max(1, RoundHalfEvenToInt(resolutionX_ / 150.0L)), TPenStyle::Solid);
}

void TTly_PrinterPage::AttachCanvas(ICanvas* canvas) {
    canvas_ = canvas;
    RefreshGeometry();
    ApplyCanvasFont();
    SetPen(penWidth_, penStyle_);
    SetBrushColor(brush_);
}

void TTly_PrinterPage::SetUnits(TPageUnits units) {
    if (units == units_) return;
    units_ = units;
    RefreshGeometry();
}

void TTly_PrinterPage::RefreshGeometry() {
    const TWyn_PrinterPageProperties printer(printer_);
    offsetX_ = printer.LeftUnprintable();
    offsetY_ = printer.TopUnprintable();
    resolutionX_ = printer.ResolutionX();
    resolutionY_ = printer.ResolutionY();
    measureScaleX_ = PixelsPerUnit(units_, resolutionX_);
    measureScaleY_ = PixelsPerUnit(units_, resolutionY_);
    if (printing_ || !canvas_ || !printer.HasPage()) {
        drawScaleX_ = measureScaleX_;
        drawScaleY_ = measureScaleY_;
        return;
    }
    // A preview maps the whole physical page onto the canvas.
    const TRect clip = canvas_->ClipRect();
    drawScaleX_ = static_cast<long double>(clip.Width) / printer.PhysicalWidth() * measureScaleX_;
    drawScaleY_ = static_cast<long double>(clip.Height) / printer.PhysicalHeight() * measureScaleY_;
    const long double pageInches = static_cast<long double>(printer.PhysicalHeight()) / resolutionY_;
    previewFontFactor_ = clip.Height / pageInches / screenDpiY_;
    ApplyCanvasFont();
}

void TTly_PrinterPage::Clear() {
    if (canvas_) canvas_->FillClipRect();
}

void TTly_PrinterPage::SetFont(const TFontDescription& font) {
    font_ = font;
    fontHeight_ = printer_.Measurer().TextHeight(font_, "M");
    fontSize_ = font_.Size;
    ApplyCanvasFont();
}

void TTly_PrinterPage::SetFontSize(int size) {
    if (size == font_.Size) return;
    TFontDescription font = font_;
    font.Size = size;
    SetFont(font);
}

void TTly_PrinterPage::ApplyCanvasFont() {
    if (!canvas_) return;
    TFontDescription canvasFont = font_;
    if (!printing_) {
        canvasFont.Size = std::max(1, RoundHalfEvenToInt(fontSize_ * previewFontFactor_));
        // The exact height keeps the text in proportion with the page at every bitmap size.
        canvasFont.PixelHeight = static_cast<double>(fontSize_ * resolutionY_ / 72.0L * PreviewScaleY());
    }
    canvas_->SetFont(canvasFont);
}

long double TTly_PrinterPage::PreviewScaleX() const { return measureScaleX_ > 0 ? drawScaleX_ / measureScaleX_ : 1; }

long double TTly_PrinterPage::PreviewScaleY() const { return measureScaleY_ > 0 ? drawScaleY_ / measureScaleY_ : 1; }

int TTly_PrinterPage::PrinterWidth(std::string_view text) const {
    return printer_.Measurer().TextWidth(font_, std::string(text));
}

long double TTly_PrinterPage::TextWidth(const std::string& text) const {
    int widest = 0;
    for (const std::string& line : SplitTextLines(text)) widest = std::max(widest, PrinterWidth(line));
    return widest / measureScaleX_;
}

long double TTly_PrinterPage::TextHeight(const std::string& text) const {
    return printer_.Measurer().TextHeight(font_, text) / measureScaleY_;
}

std::vector<std::string> TTly_PrinterPage::WrapLines(std::string_view text, long double left, long double right) const {
    const int width = RoundHalfEvenToInt(right * measureScaleX_) - RoundHalfEvenToInt(left * measureScaleX_);
    return WrapTextLines(text, width, [this](std::string_view piece) { return PrinterWidth(piece); });
}

long double TTly_PrinterPage::WrappedTextHeight(std::string_view text, long double left, long double right) const {
    return WrapLines(text, left, right).size() * TextHeight(std::string(text));
}

int TTly_PrinterPage::DeviceX(long double x) const {
    return RoundHalfEvenToInt(x * drawScaleX_) - (printing_ ? offsetX_ : 0);
}

int TTly_PrinterPage::DeviceY(long double y) const {
    return RoundHalfEvenToInt(y * drawScaleY_) - (printing_ ? offsetY_ : 0);
}

long double TTly_PrinterPage::DrawText(long double left, long double top, long double right, long double bottom,
                                       std::string_view text, TTextFlags flags) {
    const std::vector<std::string> lines = flags.WordBreak ? WrapLines(text, left, right) : SplitTextLines(text);
    const long double lineHeight = TextHeight(std::string(text));
    if (canvas_) {
        const int x1 = DeviceX(left);
        const int x2 = DeviceX(right);
        const int yBottom = DeviceY(bottom);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int y1 = DeviceY(top + i * lineHeight);
            if (i > 0 && y1 >= yBottom) break;  // clipped at the rectangle's bottom
            const int y2 = DeviceY(top + (i + 1) * lineHeight);
            canvas_->DrawText({x1, y1, x2 - x1, y2 - y1}, lines[i], flags.Align);
        }
    }
    return lines.size() * lineHeight;
}

void TTly_PrinterPage::MoveTo(long double vertical, long double horizontal) {
    penX_ = DeviceX(horizontal);
    penY_ = DeviceY(vertical);
}

void TTly_PrinterPage::LineTo(long double vertical, long double horizontal) {
    const int x = DeviceX(horizontal);
    const int y = DeviceY(vertical);
    if (canvas_) canvas_->DrawLine(penX_, penY_, x, y);
    penX_ = x;
    penY_ = y;
}

void TTly_PrinterPage::DrawRectangle(long double left, long double top, long double right, long double bottom) {
    if (!canvas_) return;
    const int x1 = DeviceX(left);
    const int y1 = DeviceY(top);
    canvas_->DrawRectangle({x1, y1, DeviceX(right) - x1, DeviceY(bottom) - y1});
}

void TTly_PrinterPage::SetPen(int width, TPenStyle style) {
    penWidth_ = std::max(1, width);
    penStyle_ = style;
    // A preview draws the printer's pen at the bitmap's scale.
    const int canvasWidth = printing_ ? penWidth_ : std::max(1, RoundHalfEvenToInt(penWidth_ * PreviewScaleX()));
    if (canvas_) canvas_->SetPen(canvasWidth, penStyle_);
}

void TTly_PrinterPage::SetBrushColor(std::uint32_t color) {
    brush_ = color;
    if (canvas_) canvas_->SetBrushColor(color);
}

}  // namespace tally
