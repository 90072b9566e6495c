#pragma once
// A font as the core describes it to the platform.

#include <cstdint>
#include <string>

namespace tally {

struct TFontDescription {
    std::string Name = "System";
    int Size = 10;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint32_t Color = 0x000000;  // 0x00BBGGRR
    // Above 0: the height in the device's pixels, which the point size only approximates (the
    // scaled font of a print preview).
    double PixelHeight = 0;
    friend bool operator==(const TFontDescription&, const TFontDescription&) = default;
};

}  // namespace tally
