#include "platform/headless_printer.h"

#include <utility>

namespace tally {

HeadlessPrinter::HeadlessPrinter(TPrinterMetrics portrait, TFixedFontMetrics font)
    : portrait_(portrait), font_(font), measurer_(font), canvas_(font) {}

TPrinterMetrics HeadlessPrinter::Metrics() const {
    if (orientation_ == TPageOrientation::Portrait) return portrait_;
    TPrinterMetrics turned = portrait_;
    std::swap(turned.PhysicalWidth, turned.PhysicalHeight);
    std::swap(turned.PrintableWidth, turned.PrintableHeight);
    std::swap(turned.OffsetX, turned.OffsetY);
    std::swap(turned.DpiX, turned.DpiY);
    return turned;
}

ICanvas* HeadlessPrinter::BeginDocument() {
    if (failing_ || inDocument_) return nullptr;
    const TPrinterMetrics metrics = Metrics();
    canvas_ = HeadlessCanvas(font_, {0, 0, metrics.PrintableWidth, metrics.PrintableHeight});
    pages_.clear();
    inDocument_ = true;
    ++documentCount_;
    return &canvas_;
}

void HeadlessPrinter::KeepPage() {
    pages_.push_back(canvas_.Operations());
    canvas_.ClearOperations();
}

void HeadlessPrinter::NewPage() {
    if (inDocument_) KeepPage();
}

void HeadlessPrinter::EndDocument() {
    if (!inDocument_) return;
    KeepPage();
    inDocument_ = false;
}

}  // namespace tally
