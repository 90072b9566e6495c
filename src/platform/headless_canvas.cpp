#include "platform/headless_canvas.h"

#include <algorithm>

namespace tally {

namespace {

int ScaleToFontSize(int pixelsAt10Points, int fontSize) {
    const long long scaled = (static_cast<long long>(pixelsAt10Points) * fontSize + 5) / 10;
    return static_cast<int>(std::max(1LL, scaled));
}

}  // namespace

int HeadlessCanvas::TextWidth(const TFontDescription& font, const std::string& text) const {
    return static_cast<int>(text.size()) * ScaleToFontSize(metrics_.CharWidth, font.Size);
}

int HeadlessCanvas::TextHeight(const TFontDescription& font, const std::string&) const {
    return ScaleToFontSize(metrics_.LineHeight, font.Size);
}

void HeadlessCanvas::SetPen(int width, TPenStyle style) {
    penWidth_ = std::max(1, width);
    penStyle_ = style;
}

TCanvasOperation HeadlessCanvas::Operation(TCanvasOperationKind kind, TRect area, std::string text) const {
    return {kind, area, std::move(text), font_, TTextAlign::Left, brush_, penWidth_, penStyle_};
}

void HeadlessCanvas::FillClipRect() { operations_.push_back(Operation(TCanvasOperationKind::Fill, clip_)); }

void HeadlessCanvas::DrawText(const TRect& rect, const std::string& text, TTextAlign align) {
    TCanvasOperation operation = Operation(TCanvasOperationKind::Text, rect, text);
    operation.Align = align;
    operations_.push_back(std::move(operation));
}

void HeadlessCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    operations_.push_back(Operation(TCanvasOperationKind::Line, {x1, y1, x2 - x1, y2 - y1}));
}

void HeadlessCanvas::DrawRectangle(const TRect& rect) {
    operations_.push_back(Operation(TCanvasOperationKind::Rectangle, rect));
}

}  // namespace tally
