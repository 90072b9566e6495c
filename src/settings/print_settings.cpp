#include "settings/print_settings.h"

#include <cmath>

#include "settings/setting_values.h"

namespace tally {

bool IsMarginUnit(std::string_view unit) { return unit == kInches || unit == kMillimetres; }
bool IsPageOrientation(std::string_view orientation) { return orientation == "Portrait" || orientation == "Landscape"; }
bool IsFontName(std::string_view name) { return !name.empty(); }

void TReportSettings::AssignValid(const TReportSettings& from) {
    if (IsMarginUnit(from.MarginUnits)) MarginUnits = from.MarginUnits;
    for (auto margin : {&TReportSettings::LeftMargin, &TReportSettings::RightMargin, &TReportSettings::TopMargin,
                        &TReportSettings::BottomMargin}) {
        if (IsValidMargin(from.*margin)) this->*margin = from.*margin;
    }
    if (IsFontName(from.FontName)) FontName = from.FontName;
    if (from.FontSize >= 1 && from.FontSize <= kMaxPrintFontSize) FontSize = from.FontSize;
    if (IsPageOrientation(from.PageOrientation)) PageOrientation = from.PageOrientation;
}

std::int32_t MarginPixels(long double margin, std::string_view unit, int dotsPerInch) {
    const long double inches = unit == kMillimetres ? margin / 25.4L : margin;
    return static_cast<std::int32_t>(std::nearbyint(inches * dotsPerInch));
}

}  // namespace tally
