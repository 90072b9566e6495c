#pragma once
// The drawing canvas over a QPainter, in the device pixels of the painter's device.

#include <QColor>

#include "platform/canvas.h"
#include "ui/qt_text_measurer.h"

class QPainter;
class QPaintDevice;

namespace tally {

QColor ToQColor(std::uint32_t bgr);

class QtCanvas : public ICanvas {
public:
    // The painter must be active on the device for as long as the canvas draws.
    QtCanvas(QPainter& painter, const QPaintDevice& device);

    int TextWidth(const TFontDescription& font, const std::string& text) const override;
    int TextHeight(const TFontDescription& font, const std::string& text) const override;
    void SetFont(const TFontDescription& font) override;
    const TFontDescription& Font() const override { return font_; }
    void SetPen(int width, TPenStyle style) override;
    void SetBrushColor(std::uint32_t color) override { brush_ = color; }
    TRect ClipRect() const override;
    void FillClipRect() override;
    void DrawText(const TRect& rect, const std::string& text, TTextAlign align) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawRectangle(const TRect& rect) override;

private:
    QPainter& painter_;
    const QPaintDevice& device_;
    QtTextMeasurer measurer_;
    TFontDescription font_;
    std::uint32_t brush_ = kWhite;
};

}  // namespace tally
