#pragma once
// A print job: the printer document driven by a page composer, page after page.

#include "output/page_model.h"

namespace tally {

// Lays out and draws pages on request; it keeps its state between the calls of one job or
// one preview.
class IPageComposer {
public:
    virtual ~IPageComposer() = default;
    // Page 0: prepares the job on the page surface. False when there is nothing that can be
    // printed; the composer has told the user why.
    virtual bool PreparePages(TTly_PrinterPage& page) = 0;
    // Page 1 or more: composes and draws it; answers whether more pages follow.
    virtual bool ComposePage(int pageNumber, TTly_PrinterPage& page) = 0;
};

enum class TPrintJobResult {
    Printed,
    Refused,  // the composer found nothing printable; no document was begun
    Failed,   // the printer has no usable page or could not begin a document
};

// Prepares the composer, then begins the printer document and composes pages 1, 2, ... while
// more follow. The document is ended in every case, also when an error escapes.
TPrintJobResult PrintJob(IPageComposer& composer, TWyn_ReportProperties& report);

}  // namespace tally
