#pragma once
// Canvas with fixed, predictable metrics that records what is drawn; page composition tests
// and the command-line tool use it.

#include <cstdint>
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

enum class TCanvasOperationKind { Text, Line, Rectangle, Fill };

struct TCanvasOperation {
    TCanvasOperationKind Kind = TCanvasOperationKind::Text;
    TRect Area;  // Line: Left/Top to Left+Width/Top+Height
    std::string Text;
    TFontDescription Font;
    TTextAlign Align = TTextAlign::Left;
    std::uint32_t Brush = kWhite;
    int PenWidth = 1;
    TPenStyle PenStyle = TPenStyle::Solid;
    friend bool operator==(const TCanvasOperation&, const TCanvasOperation&) = default;
};

class HeadlessCanvas : public ICanvas {
public:
    explicit HeadlessCanvas(TFixedFontMetrics metrics = {}, TRect clip = {0, 0, 850, 1100})
        : metrics_(metrics), clip_(clip) {}

    // Each byte is one character wide.
    int TextWidth(const TFontDescription& font, const std::string& text) const override;
    // One line high, also for empty text.
    int TextHeight(const TFontDescription& font, const std::string& text) const override;

    void SetFont(const TFontDescription& font) override { font_ = font; }
    const TFontDescription& Font() const override { return font_; }
    void SetPen(int width, TPenStyle style) override;
    void SetBrushColor(std::uint32_t color) override { brush_ = color; }
    TRect ClipRect() const override { return clip_; }
    void FillClipRect() override;
    void DrawText(const TRect& rect, const std::string& text, TTextAlign align) override;
    void DrawLine(int x1, int y1, int x2, int y2) override;
    void DrawRectangle(const TRect& rect) override;

    const std::vector<TCanvasOperation>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }

private:
    TCanvasOperation Operation(TCanvasOperationKind kind, TRect area, std::string text = {}) const;

    TFixedFontMetrics metrics_;
    TRect clip_;
    TFontDescription font_;
    std::uint32_t brush_ = kWhite;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::Solid;
    std::vector<TCanvasOperation> operations_;
};

}  // namespace tally
