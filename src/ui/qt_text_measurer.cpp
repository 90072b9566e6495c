#include "ui/qt_text_measurer.h"

#include <QFontMetrics>

#include "ui/qt_text.h"

namespace tally {

namespace {

QFontMetrics MetricsFor(const TFontDescription& font, const QPaintDevice* device) {
    return device ? QFontMetrics(ToQFont(font), device) : QFontMetrics(ToQFont(font));
}

}  // namespace

QFont ToQFont(const TFontDescription& font) {
    QFont qfont(ToQString(font.Name));
    if (font.Size > 0) qfont.setPointSize(font.Size);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setStrikeOut(font.StrikeOut);
    return qfont;
}

const QFontMetrics& QtTextMeasurer::Metrics(const TFontDescription& font) const {
    if (!metrics_ || font != font_) {
        metrics_.emplace(MetricsFor(font, device_));
        font_ = font;
    }
    return *metrics_;
}

int QtTextMeasurer::TextWidth(const TFontDescription& font, const std::string& text) const {
    return Metrics(font).horizontalAdvance(ToQString(text));
}

int QtTextMeasurer::TextHeight(const TFontDescription& font, const std::string&) const {
    return Metrics(font).height();
}

}  // namespace tally
