#include "output/page_model.h"

#include <gtest/gtest.h>

#include "platform/headless_printer.h"

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
}

}  // namespace
}  // namespace tally
