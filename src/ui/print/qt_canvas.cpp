#include "ui/print/qt_canvas.h"

#include <QPaintDevice>
#include <QPainter>

#include "ui/qt_text.h"

namespace tally {

QColor ToQColor(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QtCanvas::QtCanvas(QPainter& painter, const QPaintDevice& device)
    : painter_(painter), device_(device), measurer_(&device) {
    SetPen(1, TPenStyle::Solid);
}

int QtCanvas::TextWidth(const TFontDescription& font, const std::string& text) const {
    return measurer_.TextWidth(font, text);
}

int QtCanvas::TextHeight(const TFontDescription& font, const std::string& text) const {
    return measurer_.TextHeight(font, text);
}

void QtCanvas::SetFont(const TFontDescription& font) {
    font_ = font;
    QFont qfont(ToQFont(font), &device_);
    if (font.PixelHeight > 0 && device_.logicalDpiY() > 0) qfont.setPointSizeF(font.PixelHeight * 72 / device_.logicalDpiY());
    painter_.setFont(qfont);
}

void QtCanvas::SetPen(int width, TPenStyle style) {
    QPen pen(Qt::black, width, style == TPenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine, Qt::FlatCap);
    painter_.setPen(pen);
}

TRect QtCanvas::ClipRect() const { return {0, 0, device_.width(), device_.height()}; }

void QtCanvas::FillClipRect() {
    const TRect clip = ClipRect();
    painter_.fillRect(QRect(clip.Left, clip.Top, clip.Width, clip.Height), ToQColor(brush_));
}

void QtCanvas::DrawText(const TRect& rect, const std::string& text, TTextAlign align) {
    const QRect area(rect.Left, rect.Top, rect.Width, rect.Height);
    const QString qtext = ToQString(text);
    // A preview's scaled font may come out a little wider than the printer's text it stands
    // for: it may reach past its rectangle rather than lose a character.
    int flags = Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    if (align == TTextAlign::Left) flags |= Qt::AlignLeft;
    if (align == TTextAlign::Right) flags |= Qt::AlignRight;
    if (align == TTextAlign::Centre) flags |= Qt::AlignHCenter;
    if (brush_ != kWhite) {
        // The text's own extent gets the background colour, as on a highlighted cell.
        painter_.fillRect(painter_.boundingRect(area, flags, qtext).intersected(area), ToQColor(brush_));
    }
    painter_.drawText(area, flags, qtext);
}

void QtCanvas::DrawLine(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

void QtCanvas::DrawRectangle(const TRect& rect) {
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(QRect(rect.Left, rect.Top, rect.Width, rect.Height));
    painter_.restore();
}

}  // namespace tally
