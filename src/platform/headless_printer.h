#pragma once
// A printer without a device: fixed metrics and text measurement, every page recorded as the
// operations drawn on it.

#include <vector>

#include "platform/headless_canvas.h"
#include "platform/printer.h"

namespace tally {

class HeadlessPrinter : public IPrinter {
public:
    // A portrait page of 8.5 by 11 inches at 100 dots per inch, a quarter inch unprintable.
    static constexpr TPrinterMetrics kLetter100Dpi{850, 1100, 800, 1050, 25, 25, 100, 100};

    explicit HeadlessPrinter(TPrinterMetrics portrait = kLetter100Dpi, TFixedFontMetrics font = {});

    TPrinterMetrics Metrics() const override;
    void SetOrientation(TPageOrientation orientation) override { orientation_ = orientation; }
    const ITextMeasurer& Measurer() const override { return measurer_; }
    ICanvas* BeginDocument() override;
    void NewPage() override;
    void EndDocument() override;

    TPageOrientation Orientation() const { return orientation_; }
    // Refuses the next documents (a printer that cannot start one).
    void SetFailing(bool failing) { failing_ = failing; }
    bool InDocument() const { return inDocument_; }
    int DocumentCount() const { return documentCount_; }
    // The pages of the last document, each the operations drawn on it.
    const std::vector<std::vector<TCanvasOperation>>& Pages() const { return pages_; }

private:
    void KeepPage();

    TPrinterMetrics portrait_;
    TFixedFontMetrics font_;
    TPageOrientation orientation_ = TPageOrientation::Portrait;
    HeadlessCanvas measurer_;
    HeadlessCanvas canvas_;
    std::vector<std::vector<TCanvasOperation>> pages_;
    bool failing_ = false;
    bool inDocument_ = false;
    int documentCount_ = 0;
};

}  // namespace tally
