#pragma once
// The print preview's page as an image: the current page composed onto a white bitmap of the
// size given, with the printer's metrics, for a screen of that many pixels per inch.

#include <QImage>

#include "output/print_preview.h"

namespace tally {

// Opening prepares the composer first (once per preview) and shows page 1.
QImage PreviewPageImage(TPrintPreviewPages& pages, TSize size, int screenDpi, bool opening);

}  // namespace tally
