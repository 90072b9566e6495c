#pragma once
// Text measuring and drawing in device pixels (screen or printer).

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

class ICanvas : public ITextMeasurer {
public:
    virtual void SetFont(const TFontDescription& font) = 0;
    virtual const TFontDescription& Font() const = 0;
    // Draws the text with its top-left corner at (x, y) in the current font.
    virtual void DrawText(int x, int y, const std::string& text) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void DrawRectangle(const TRect& rect) = 0;
};

}  // namespace tally
