#pragma once
// Canvas with fixed, predictable metrics that records what is drawn; page composition tests
// and the command-line tool use it.

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tally {

// Metrics of a 10-point font; other sizes scale proportionally (rounded to the nearest
// pixel, at least 1).
struct TFixedFontMetrics {
    int CharWidth = 7;
    int LineHeight = 16;
};

enum class TCanvasOperationKind { Text, Line, Rectangle };

struct TCanvasOperation {
    TCanvasOperationKind Kind = TCanvasOperationKind::Text;
    TRect Area;  // Text: position only; Line: Left/Top to Left+Width/Top+Height
    std::string Text;
    TFontDescription Font;
    friend bool operator==(const TCanvasOperation&, const TCanvasOperation&) = default;
};

class HeadlessCanvas : public ICanvas {
public:
    explicit HeadlessCanvas(TFixedFontMetrics metrics = {}) : metrics_(metrics) {}

    // Each byte is one character wide.
    int TextWidth(const TFontDescription& font, const std::string& text) const override;
    // One line high, also for empty text.
    int TextHeight(const TFontDescription& font, const std::string& text) const override;

    void SetFont(const TFontDescription& font) override { font_ = font; }
    const TFontDescription& Font() const override { return font_; }
    void DrawText(int x, int y, const std::string& text) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawRectangle(const TRect& rect) override;

    const std::vector<TCanvasOperation>& Operations() const { return operations_; }

private:
    TFixedFontMetrics metrics_;
    TFontDescription font_;
    std::vector<TCanvasOperation> operations_;
};

}  // namespace tally
