#include "output/page_model.h"

#include <gtest/gtest.h>

#include "platform/headless_printer.h"
#include "settings/print_settings.h"

namespace tally {
namespace {

TEST(RoundHalfEvenToIntTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEvenToInt(0.5L), 0);
    EXPECT_EQ(RoundHalfEvenToInt(1.5L), 2);
    EXPECT_EQ(RoundHalfEvenToInt(2.5L), 2);
    EXPECT_EQ(RoundHalfEvenToInt(-1.5L), -2);
    EXPECT_EQ(RoundHalfEvenToInt(2.51L), 3);
}

// Printing draws at the printer's pixels less its unprintable margin; a preview maps the whole
// physical page onto its bitmap and scales the font with it, while measuring stays on the
// printer.
TEST(PrinterPageTest, PrintingShiftsByTheOffsetAndAPreviewScalesToItsBitmap) {
    HeadlessPrinter printer;  // 850 x 1100 pixels at 100 dpi, a quarter inch unprintable
    HeadlessCanvas printerCanvas;
    TTly_PrinterPage printing(printer, &printerCanvas, true);
    printing.DrawText(100, 200, 300, 216, "x", {});
    ASSERT_EQ(printerCanvas.Operations().size(), 1U);
    EXPECT_EQ(printerCanvas.Operations()[0].Area, (TRect{75, 175, 200, 16}));

    HeadlessCanvas bitmap({}, {0, 0, 425, 550});  // half size
    TTly_PrinterPage preview(printer, &bitmap, false);
    EXPECT_EQ(preview.TextWidth("xx"), 14);  // printer pixels
    preview.DrawText(100, 200, 300, 216, "x", {});
    ASSERT_EQ(bitmap.Operations().size(), 1U);
    EXPECT_EQ(bitmap.Operations()[0].Area, (TRect{50, 100, 100, 8}));
    // 550 pixels for 11 inches at 96 dots per inch: a factor of about 0.52.
    EXPECT_EQ(bitmap.Operations()[0].Font.Size, 5);
    // Exactly: 10 points at 100 dots per inch are 13.9 printer pixels, half that on the bitmap.
    EXPECT_NEAR(bitmap.Operations()[0].Font.PixelHeight, 6.94, 0.01);
    EXPECT_EQ(printerCanvas.Operations()[0].Font.PixelHeight, 0);

    // A printer pen of 4 pixels is 2 on the half-size bitmap, and stays 4 on the printer.
    preview.SetPen(4, TPenStyle::Solid);
    preview.MoveTo(0, 0);
    preview.LineTo(0, 10);
    printing.SetPen(4, TPenStyle::Solid);
    printing.MoveTo(0, 0);
    printing.LineTo(0, 10);
    EXPECT_EQ(bitmap.Operations().back().PenWidth, 2);
    EXPECT_EQ(printerCanvas.Operations().back().PenWidth, 4);
}

// The report settings another printer takes over: margins in their unit, the font and the
// orientation.
TEST(ReportPropertiesTest, SettingsCarryOverToAPrinterOfAnotherResolution) {
    HeadlessPrinter document;
    TWyn_ReportProperties report(document);
    TReportSettings settings;
    settings.MarginUnits = "mm";
    settings.LeftMargin = 30;
    settings.TopMargin = 12.7L;
    settings.FontName = "Courier";
    settings.FontSize = 12;
    settings.PageOrientation = "Landscape";
    report.Assign(settings);

    HeadlessPrinter fine(TPrinterMetrics{1700, 2200, 1600, 2100, 50, 50, 200, 200});
    TWyn_ReportProperties taken(fine);
    taken.Assign(report.Settings());
    EXPECT_EQ(fine.Orientation(), TPageOrientation::Landscape);
    EXPECT_EQ(taken.Units(), TPageUnits::Millimetres);
    EXPECT_NEAR(taken.LeftMargin(), 30, 0.2);  // 118 pixels at 100 dots per inch
    EXPECT_NEAR(taken.TopMargin(), 12.7, 0.2);
    EXPECT_EQ(taken.Font.Name, "Courier");
    EXPECT_EQ(taken.Font.Size, 12);
    taken.SetUnits(TPageUnits::Pixels);
    EXPECT_EQ(taken.LeftMargin(), 236);
}

}  // namespace
}  // namespace tally
