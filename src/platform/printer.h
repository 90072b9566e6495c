#pragma once
// What page printing needs of a printer: its page geometry, its orientation, its own text
// metrics and a document of pages to draw on.

#include "platform/canvas.h"

namespace tally {

// Device pixels.
struct TPrinterMetrics {
    int PhysicalWidth = 0;
    int PhysicalHeight = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    int OffsetX = 0;  // the unprintable margins at the left and top
    int OffsetY = 0;
    int DpiX = 0;
    int DpiY = 0;
    friend bool operator==(const TPrinterMetrics&, const TPrinterMetrics&) = default;
};

enum class TPageOrientation { Portrait, Landscape };

class IPrinter {
public:
    virtual ~IPrinter() = default;
    // Metrics for the current orientation; never 0 (without an installed printer the platform
    // stands in with a PDF printer).
    virtual TPrinterMetrics Metrics() const = 0;
    virtual void SetOrientation(TPageOrientation orientation) = 0;
    // Measures with the printer's font metrics, also before a document is begun.
    virtual const ITextMeasurer& Measurer() const = 0;
    // Starts a document with its first page; null when it cannot be started. The canvas draws
    // in device pixels with (0, 0) at the top left of the printable area.
    virtual ICanvas* BeginDocument() = 0;
    virtual void NewPage() = 0;
    // Ends the document begun; nothing when none is.
    virtual void EndDocument() = 0;
};

}  // namespace tally
