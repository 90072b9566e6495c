#pragma once
// The page model of printed output: the printer's page geometry, a document's report
// properties (orientation, font, margins) and the drawing surface of one page, which measures
// with the printer's font metrics and draws on the printer or on a preview bitmap.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/printer.h"

namespace tally {

struct TReportSettings;

enum class TPageUnits : std::uint8_t { Inches = 0, Millimetres = 1, Pixels = 2 };

// Round to the nearest integer, a half to the even neighbour.
int RoundHalfEvenToInt(long double value);

// The current printer's page, in device pixels and in the chosen units.
class TWyn_PrinterPageProperties {
public:
    explicit TWyn_PrinterPageProperties(IPrinter& printer);
    virtual ~TWyn_PrinterPageProperties() = default;

    TPageUnits Units() const { return units_; }
    // Reads the metrics again when the units change.
    virtual void SetUnits(TPageUnits units);
    // A printer that reports no usable page leaves every metric 0 and the unit factors 1, so
    // nothing divides by zero; HasPage() then answers false.
    virtual void ReadMetrics();
    bool HasPage() const;

    IPrinter& Printer() const { return printer_; }
    int PhysicalWidth() const { return metrics_.PhysicalWidth; }
    int PhysicalHeight() const { return metrics_.PhysicalHeight; }
    int PrintableWidth() const { return metrics_.PrintableWidth; }
    int PrintableHeight() const { return metrics_.PrintableHeight; }
    int LeftUnprintable() const { return metrics_.OffsetX; }
    int RightUnprintable() const { return metrics_.PhysicalWidth - metrics_.PrintableWidth - metrics_.OffsetX; }
    int TopUnprintable() const { return metrics_.OffsetY; }
    int BottomUnprintable() const { return metrics_.PhysicalHeight - metrics_.PrintableHeight - metrics_.OffsetY; }
    int ResolutionX() const { return metrics_.DpiX; }
    int ResolutionY() const { return metrics_.DpiY; }
    long double UnitPerPixelX() const { return unitPerPixelX_; }
    long double UnitPerPixelY() const { return unitPerPixelY_; }

    // In the current units.
    long double PageWidth() const { return PhysicalWidth() * unitPerPixelX_; }
    long double PageHeight() const { return PhysicalHeight() * unitPerPixelY_; }
    long double LeftOffset() const { return LeftUnprintable() * unitPerPixelX_; }
    long double TopOffset() const { return TopUnprintable() * unitPerPixelY_; }

private:
    IPrinter& printer_;
    TPageUnits units_ = TPageUnits::Pixels;
    TPrinterMetrics metrics_;
    long double unitPerPixelX_ = 1;
    long double unitPerPixelY_ = 1;
};

// A document's report properties for its tapes or its table: orientation, font and margins.
// Margins are kept in device pixels and never lie inside the printer's unprintable margin.
class TWyn_ReportProperties : public TWyn_PrinterPageProperties {
public:
    explicit TWyn_ReportProperties(IPrinter& printer);

    void ReadMetrics() override;

    const std::string& Orientation() const { return orientation_; }
    // "Portrait" or "Landscape"; other texts are ignored. A new value goes to the printer.
    void SetOrientation(std::string_view orientation);
    // Gives the printer the orientation again and re-reads the metrics (before every job).
    void ApplyOrientation();

    TFontDescription Font{"Arial", 10};

    // In the current units.
    long double LeftMargin() const { return leftMargin_ * UnitPerPixelX(); }
    long double RightMargin() const { return rightMargin_ * UnitPerPixelX(); }
    long double TopMargin() const { return topMargin_ * UnitPerPixelY(); }
    long double BottomMargin() const { return bottomMargin_ * UnitPerPixelY(); }
    void SetLeftMargin(long double value);
    void SetRightMargin(long double value);
    void SetTopMargin(long double value);
    void SetBottomMargin(long double value);

    // Takes a document's report settings: orientation, font, and the margins in their unit,
    // which becomes the current unit.
    void Assign(const TReportSettings& settings);
    // The settings as Assign takes them: margins in the current unit (inches while it is
    // pixels), so that another printer can take them over at its own resolution.
    TReportSettings Settings() const;

private:
    void RaiseMarginsToPrintable();

    std::string orientation_ = "Portrait";
    std::int32_t leftMargin_ = 0;
    std::int32_t rightMargin_ = 0;
    std::int32_t topMargin_ = 0;
    std::int32_t bottomMargin_ = 0;
};

// How text is drawn into a rectangle.
struct TTextFlags {
    TTextAlign Align = TTextAlign::Left;
    bool WordBreak = false;
};

// One drawing surface: the printer's canvas while printing, a bitmap's canvas in a preview.
// Positions are in the page's units; text is always measured on the printer, so a preview
// shows exactly the printed layout.
class TTly_PrinterPage {
public:
    // The canvas may be attached later (a job measures before its document begins). In a
    // preview the canvas's clip rectangle stands for the whole physical page.
    TTly_PrinterPage(IPrinter& printer, ICanvas* canvas, bool printing, int screenDpiY = 96);

    void AttachCanvas(ICanvas* canvas);
    bool Printing() const { return printing_; }
    TPageUnits Units() const { return units_; }
    void SetUnits(TPageUnits units);
    void RefreshGeometry();

    // Fills the canvas's clip rectangle with the brush.
    void Clear();
    const TFontDescription& Font() const { return font_; }
    void SetFont(const TFontDescription& font);
    void SetFontSize(int size);
    int FontHeight() const { return fontHeight_; }
    long double PreviewFontFactor() const { return previewFontFactor_; }

    // In units, measured with the printer's metrics. A text of several lines is as wide as its
    // widest line.
    long double TextWidth(const std::string& text) const;
    long double TextHeight(const std::string& text) const;
    // The lines of a text wrapped into the width from left to right (units).
    std::vector<std::string> WrapLines(std::string_view text, long double left, long double right) const;
    long double WrappedTextHeight(std::string_view text, long double left, long double right) const;
    // Draws the text into the rectangle (units); answers the height drawn in units. Without
    // word break a line break still starts a new line.
    long double DrawText(long double left, long double top, long double right, long double bottom,
                         std::string_view text, TTextFlags flags);
    // Vertical position first, then horizontal, as the page's pen moves.
    void MoveTo(long double vertical, long double horizontal);
    void LineTo(long double vertical, long double horizontal);
    void DrawRectangle(long double left, long double top, long double right, long double bottom);

    int PenWidth() const { return penWidth_; }
    void SetPen(int width, TPenStyle style);
    void SetBrushColor(std::uint32_t color);

private:
    // Bitmap pixels per printer pixel in a preview; 1 while printing.
    long double PreviewScaleX() const;
    long double PreviewScaleY() const;
    int DeviceX(long double x) const;
    int DeviceY(long double y) const;
    int PrinterWidth(std::string_view text) const;
    void ApplyCanvasFont();

    IPrinter& printer_;
    ICanvas* canvas_;
    TPageUnits units_ = TPageUnits::Pixels;
    TFontDescription font_{"Arial", 10};
    bool printing_;
    long double drawScaleX_ = 1;
    long double drawScaleY_ = 1;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int fontHeight_ = 0;
    int fontSize_ = 10;
    long double previewFontFactor_ = 1;
    int resolutionX_ = 0;
    int resolutionY_ = 0;
    long double measureScaleX_ = 1;
    long double measureScaleY_ = 1;
    int screenDpiY_;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::Solid;
    std::uint32_t brush_ = kWhite;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace tally
