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

void HeadlessCanvas::DrawText(int x, int y, const std::string& text) {
    operations_.push_back({TCanvasOperationKind::Text, {x, y, 0, 0}, text, font_});
}

void HeadlessCanvas::DrawLine(int x1, int y1, int x2, int y2) {
    operations_.push_back({TCanvasOperationKind::Line, {x1, y1, x2 - x1, y2 - y1}, {}, font_});
}

void HeadlessCanvas::DrawRectangle(const TRect& rect) {
    operations_.push_back({TCanvasOperationKind::Rectangle, rect, {}, font_});
}

}  // namespace tally
