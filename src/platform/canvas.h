#pragma once
// Text measuring and drawing in device pixels (screen or printer).

#include <cstdint>
#include <string>

#include "platform/font_description.h"
#include "platform/geometry.h"

namespace tally {

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    virtual int TextWidth(const TFontDescription& font, const std::string& text) const = 0;
    virtual int TextHeight(const TFontDescription& font, const std::string& text) const = 0;
};

enum class TPenStyle : std::uint8_t { Solid, DashDot };
enum class TTextAlign : std::uint8_t { Left, Right, Centre };

inline constexpr std::uint32_t kWhite = 0xFFFFFF;

class ICanvas : public ITextMeasurer {
public:
    virtual void SetFont(const TFontDescription& font) = 0;
    virtual const TFontDescription& Font() const = 0;
    virtual void SetPen(int width, TPenStyle style) = 0;
    // Colours are 0x00BBGGRR. The brush fills cleared areas and the background of drawn text.
    virtual void SetBrushColor(std::uint32_t color) = 0;
    // The area drawing reaches: the page, or the bitmap of a preview.
    virtual TRect ClipRect() const = 0;
    // Fills the clip rectangle with the brush.
    virtual void FillClipRect() = 0;
    // One line of text aligned in the rectangle and clipped to it, on the brush colour. Every
    // character is drawn as itself: "&" is no mnemonic, and nothing in the text is a format.
    virtual void DrawText(const TRect& rect, const std::string& text, TTextAlign align) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    // The outline only.
    virtual void DrawRectangle(const TRect& rect) = 0;
};

}  // namespace tally
