// Reading the print settings sections of a ".tly" file: the tape print settings with the main
// tape's title and heading, and the settings shared by all tables.

#include <charconv>
#include <optional>

#include "documents/tly_file_format.h"
#include "documents/tly_file_reader.h"
#include "engine/tape/calculator.h"
#include "foundation/numbers/format_settings.h"
#include "output/page_model.h"
#include "settings/tape_page_layout.h"

namespace tally {

namespace {

using namespace tly;

constexpr long double kMaxMargin = 1000;
constexpr int kMaxColumnGroups = 1000;
constexpr int kMaxLinesPerGroup = 1'000'000;

// A number written with the current decimal separator; nullopt when it is none.
std::optional<long double> ParseMargin(std::string_view text) {
    std::string plain(text);
    for (char& c : plain) {
        if (c == FormatSettings().DecimalSeparator) c = '.';
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc{} || end != plain.data() + plain.size() || !(value >= 0 && value <= kMaxMargin)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint32_t> ParseColor(std::string_view text) {
    const std::optional<int> value = ParseBoundedInteger(text, 0, 0xFFFFFF);
    if (!value) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

// Sets the flag when the key is the flag's; answers whether it was.
bool ReadFlag(std::string_view key, std::string_view value, std::string_view flagKey, bool& flag) {
    if (key != flagKey) return false;
    flag = IsYes(value);
    return true;
}

bool ReadColumnGroups(std::string_view key, std::string_view value, TColumnGroups& groups) {
    if (key == Key::kColGroupAutocalc) {
        groups.AutoCalc = IsYes(value);
    } else if (key == Key::kNumOfColGroups) {
        groups.Count = ParseBoundedInteger(value, 1, kMaxColumnGroups).value_or(groups.Count);
    } else {
        return false;
    }
    return true;
}

bool ReadColor(std::string_view key, std::string_view value, std::string_view colorKey, std::uint32_t& color) {
    if (key != colorKey) return false;
    if (const std::optional<std::uint32_t> parsed = ParseColor(value)) color = *parsed;
    return true;
}

}  // namespace

bool TTlyReader::ReadPageSetting(TWyn_ReportProperties& report, std::string_view key, std::string_view value) {
    if (key == Key::kFontName) {
        report.Font.Name = Unescape(value);
    } else if (key == Key::kFontSize) {
        if (const std::optional<int> size = ParseBoundedInteger(value, 1, kMaxPrintFontSize)) report.Font.Size = *size;
    } else if (key == Key::kMarginUnits) {
        report.SetUnits(value == kMillimetres ? TPageUnits::Millimetres : TPageUnits::Inches);
    } else if (key == Key::kLeftMargin || key == Key::kTopMargin || key == Key::kRightMargin ||
               key == Key::kBottomMargin) {
        const std::string text = convertNumbers_ ? ConvertNumberText(value) : std::string(value);
        const std::optional<long double> margin = ParseMargin(text);
        if (!margin) return true;
        if (key == Key::kLeftMargin) report.SetLeftMargin(*margin);
        if (key == Key::kTopMargin) report.SetTopMargin(*margin);
        if (key == Key::kRightMargin) report.SetRightMargin(*margin);
        if (key == Key::kBottomMargin) report.SetBottomMargin(*margin);
    } else if (key == Key::kPageOrientation) {
        report.SetOrientation(value);
    } else {
        return false;
    }
    return true;
}

void TTlyReader::ReadMainReport(std::string_view key, std::string_view value) {
    TTapePageLayout& layout = document_.PageLayout();
    if (key == Key::kTitle) return tape_->SetTitle(Unescape(value));
    if (key == Key::kPageHeading) return tape_->SetPageHeader(Unescape(value));
    if (ReadPageSetting(document_.TapeReportProps(), key, value)) return;
    if (ReadColumnGroups(key, value, columnGroups_)) {
        return layout.SetTapeColumnGroups(columnGroups_.AutoCalc, columnGroups_.Count);
    }
    TTapePrintFlags flags = layout.TapeFlags();
    const bool known = ReadFlag(key, value, Key::kShowPageNumbers, flags.ShowPageNumbers) ||
                       ReadFlag(key, value, Key::kShowColHeadings, flags.ShowColHeadings) ||
                       ReadFlag(key, value, Key::kShowColLines, flags.ShowColLines) ||
                       ReadFlag(key, value, Key::kShowRowLines, flags.ShowRowLines) ||
                       ReadFlag(key, value, Key::kShowFilenameFooter, flags.ShowFilenameFooter) ||
                       ReadFlag(key, value, Key::kShowTapeBorderLines, flags.ShowTapeBorderLines) ||
                       ReadFlag(key, value, Key::kPrintEmbedDashedLine, flags.PrintEmbedDashedLine) ||
                       ReadFlag(key, value, Key::kPrintEmbedHiliteColor, flags.PrintEmbedHiliteColor) ||
                       ReadFlag(key, value, Key::kPrintGrandTotalHiliteColor, flags.PrintGrandTotalHiliteColor) ||
                       ReadFlag(key, value, Key::kPrintGroupTotalHiliteColor, flags.PrintGroupTotalHiliteColor) ||
                       ReadColor(key, value, Key::kEmbedPrintHiliteColor, flags.EmbedPrintHiliteColor) ||
                       ReadColor(key, value, Key::kGrandTotalPrintHiliteColor, flags.GrandTotalPrintHiliteColor) ||
                       ReadColor(key, value, Key::kGroupTotalPrintHiliteColor, flags.GroupTotalPrintHiliteColor);
    if (known) layout.SetTapeFlags(flags);
}

void TTlyReader::ReadAllTablesReport(std::string_view key, std::string_view value) {
    TTapePageLayout& layout = document_.PageLayout();
    if (ReadPageSetting(document_.TableReportProps(), key, value)) return;
    if (key == Key::kLinesPerGroup) {
        if (const std::optional<int> lines = ParseBoundedInteger(value, 1, kMaxLinesPerGroup)) {
            layout.SetTableLinesPerGroup(*lines);
        }
        return;
    }
    if (ReadColumnGroups(key, value, columnGroups_)) {
        return layout.SetTableColumnGroups(columnGroups_.AutoCalc, columnGroups_.Count);
    }
    TTablePrintFlags flags = layout.TableFlags();
    const bool known = ReadFlag(key, value, Key::kShowPageNumbers, flags.ShowPageNumbers) ||
                       ReadFlag(key, value, Key::kShowColHeadings, flags.ShowColHeadings) ||
                       ReadFlag(key, value, Key::kShowColLines, flags.ShowColLines) ||
                       ReadFlag(key, value, Key::kShowRowLines, flags.ShowRowLines) ||
                       ReadFlag(key, value, Key::kShowBlankLines, flags.ShowBlankLines) ||
                       ReadFlag(key, value, Key::kShowFilenameFooter, flags.ShowFilenameFooter) ||
                       ReadFlag(key, value, Key::kShowTapeBorderLines, flags.ShowBorderLines);
    if (known) layout.SetTableFlags(flags);
}

}  // namespace tally
