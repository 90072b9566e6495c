#pragma once
// The print preview's logic, free of the window system: the page shown and which of Next Page
// and Prev Page can run, the page bitmap's size (fitted into the window or at the screen's
// resolution when zoomed), the scroll ranges, where the bitmap is drawn and how the keys
// scroll. Pages are composed with the printer's metrics onto the bitmap's canvas, so the
// preview shows exactly the printed layout at any size.

#include <string>
#include <string_view>

#include "output/page_model.h"
#include "output/print_job.h"

namespace tally {

// The print preview window: it prepares the composer once and asks it for pages.
class IPrintPreview {
public:
    virtual ~IPrintPreview() = default;
    virtual void ShowPreview(IPageComposer& composer, TWyn_ReportProperties& report) = 0;
};

inline constexpr std::string_view kPrintPreviewCaption = "Print Preview";

// "Tallyroll Table - Print Preview" or "Tallyroll Tape - Print Preview", then " - " and the
// file's name without its folders when there is a file name.
std::string PrintPreviewCaption(bool table, std::string_view visibleName, std::string_view fileName);

enum class TPreviewKey { Up, Down, Left, Right, PageUp, PageDown, CtrlPageUp, CtrlPageDown };

class TPrintPreviewPages {
public:
    // The bitmap is drawn 10 pixels from the window's corner when zoomed.
    static constexpr int kMargin = 10;

    TPrintPreviewPages(IPageComposer& composer, IPrinter& printer, int screenDpi);

    // Prepares the composer on the bitmap's page surface (once, so a refusal is told once),
    // then shows page 1.
    void Open(ICanvas& bitmap);
    // Composes the current page on the bitmap, cleared first; a composer that refused the
    // job leaves the page empty.
    void ShowCurrentPage(ICanvas& bitmap);

    // Whether the composer took the job when the preview opened.
    bool Prepared() const { return prepared_; }
    int CurrentPage() const { return page_; }
    bool CanShowPrevPage() const { return page_ > 1; }
    bool CanShowNextPage() const { return more_; }
    // Step to the page; false (and no change) when there is none. Show the page afterwards.
    bool NextPage();
    bool PrevPage();
    bool Zoomed() const { return zoomed_; }
    void ToggleZoom() { zoomed_ = !zoomed_; }

    // The bitmap for a window's client area: zoomed, the page at the screen's resolution;
    // otherwise the page fitted into the client area less 20 pixels, in its proportions.
    TSize BitmapSize(TSize client) const;
    // The bitmap and 10 pixels around it.
    static TSize ScrollRange(TSize bitmap);
    // A tenth of the range.
    static TSize ScrollStep(TSize range);
    // Where the bitmap's corner goes: zoomed, 10 pixels from the corner less the scroll
    // position; otherwise centred.
    TPoint DrawPosition(TSize client, TSize bitmap, TPoint scroll) const;
    // The scroll position after the key: arrows by a step, Page Up and Page Down by the client
    // height, with Ctrl by the client width; never below 0 nor past the range.
    static TPoint ScrollByKey(TPreviewKey key, TPoint scroll, TSize range, TSize client);

private:
    IPageComposer& composer_;
    TWyn_PrinterPageProperties pageInches_;
    TTly_PrinterPage surface_;
    int screenDpi_;
    bool prepared_ = false;
    int page_ = 1;
    bool more_ = false;
    bool zoomed_ = false;
    int fitFactor_ = 1;
};

}  // namespace tally
