#pragma once
// The print choices shared by the page layout defaults and a document's page layout, and the
// report settings (margins in their unit, font, orientation) of a document's tape or table
// printout. Margins stay in inches or millimetres; they become printer pixels only inside a
// print job, at that printer's resolution.

#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// Colours as 0x00BBGGRR.
struct TTapePrintFlags {
    bool PrintEmbedDashedLine = false;
    bool PrintEmbedHiliteColor = true;
    bool PrintGroupTotalHiliteColor = false;
    bool PrintGrandTotalHiliteColor = false;
    bool ShowColHeadings = true;
    bool ShowFilenameFooter = true;
    bool ShowRowLines = false;
    bool ShowPageNumbers = true;
    bool ShowTapeBorderLines = true;
    bool ShowColLines = true;
    std::uint32_t EmbedPrintHiliteColor = 0xC0C0C0;
    std::uint32_t GroupTotalPrintHiliteColor = 0xC0C0C0;
    std::uint32_t GrandTotalPrintHiliteColor = 0xC0C0C0;
    friend bool operator==(const TTapePrintFlags&, const TTapePrintFlags&) = default;
};

struct TTablePrintFlags {
    bool ShowBlankLines = false;
    bool ShowColHeadings = true;
    bool ShowFilenameFooter = true;
    bool ShowRowLines = false;
    bool ShowPageNumbers = true;
    bool ShowBorderLines = true;
    bool ShowColLines = true;
    friend bool operator==(const TTablePrintFlags&, const TTablePrintFlags&) = default;
};

// Column groups: calculated automatically, or the number given (at least 1).
struct TColumnGroups {
    bool AutoCalc = true;
    std::int32_t Count = 1;
    friend bool operator==(const TColumnGroups&, const TColumnGroups&) = default;
};

inline constexpr std::string_view kInches = "inches";
inline constexpr std::string_view kMillimetres = "mm";
bool IsMarginUnit(std::string_view unit);
bool IsPageOrientation(std::string_view orientation);
bool IsFontName(std::string_view name);
inline constexpr std::int32_t kMaxPrintFontSize = 400;

struct TReportSettings {
    std::string MarginUnits{kInches};
    long double LeftMargin = 1.0L;
    long double RightMargin = 1.0L;
    long double TopMargin = 1.0L;
    long double BottomMargin = 1.0L;
    std::string FontName = "Arial";
    std::int32_t FontSize = 10;
    std::string PageOrientation = "Portrait";
    friend bool operator==(const TReportSettings&, const TReportSettings&) = default;

    // Takes every value of the other settings that is valid: the unit "inches" or "mm",
    // margins from 0 to 1000, a font name that is not empty, a size from 1 to 400, the
    // orientation "Portrait" or "Landscape". The others keep their value.
    void AssignValid(const TReportSettings& from);
};

// A margin in printer pixels at the given resolution (dots per inch), halves to even.
std::int32_t MarginPixels(long double margin, std::string_view unit, int dotsPerInch);

}  // namespace tally
