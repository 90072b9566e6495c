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

int QtTextMeasurer::TextWidth(const TFontDescription& font, const std::string& text) const {
    return MetricsFor(font, device_).horizontalAdvance(ToQString(text));
}

int QtTextMeasurer::TextHeight(const TFontDescription& font, const std::string&) const {
    return MetricsFor(font, device_).height();
}

}  // namespace tally
