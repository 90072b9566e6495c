#include "ui/print/preview_page_image.h"

#include <QPainter>

#include <cmath>

#include "ui/print/qt_canvas.h"

namespace tally {

QImage PreviewPageImage(TPrintPreviewPages& pages, TSize size, int screenDpi, bool opening) {
    QImage image(size.Width, size.Height, QImage::Format_RGB32);
    // The image's resolution is the screen's, so the canvas's fonts come out at screen size.
    const int dotsPerMeter = static_cast<int>(std::lround(screenDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QtCanvas canvas(painter, image);
        if (opening) {
            pages.Open(canvas);
        } else {
            pages.ShowCurrentPage(canvas);
        }
    }
    return image;
}

}  // namespace tally
