#pragma once
// Text measurement with Qt's font metrics, for the screen or a given paint device (a printer).

#include <QFont>
#include <QFontMetrics>

#include <optional>

#include "platform/canvas.h"

class QPaintDevice;

namespace tally {

// The Qt font of a font description; the colour is not part of a QFont.
QFont ToQFont(const TFontDescription& font);

class QtTextMeasurer : public ITextMeasurer {
public:
    // Measures for the device's resolution; without one, for the screen.
    explicit QtTextMeasurer(const QPaintDevice* device = nullptr) : device_(device) {}

    int TextWidth(const TFontDescription& font, const std::string& text) const override;
    // One line high, also for empty text.
    int TextHeight(const TFontDescription& font, const std::string& text) const override;

private:
    // The metrics of the font measured last: a print job measures every cell in one font, and
    // making the metrics costs more than measuring.
    const QFontMetrics& Metrics(const TFontDescription& font) const;

    const QPaintDevice* device_;
    mutable TFontDescription font_;
    mutable std::optional<QFontMetrics> metrics_;
};

}  // namespace tally
