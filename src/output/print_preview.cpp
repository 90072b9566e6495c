#include "output/print_preview.h"

#include <algorithm>

namespace tally {

std::string PrintPreviewCaption(bool table, std::string_view visibleName, std::string_view fileName) {
    std::string caption = table ? "Tallyroll Table - " : "Tallyroll " + std::string(visibleName) + " - ";
    caption += kPrintPreviewCaption;
    if (!fileName.empty()) {
        const std::size_t slash = fileName.find_last_of('/');
        caption += " - " + std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
    }
    return caption;
}

TPrintPreviewPages::TPrintPreviewPages(IPageComposer& composer, IPrinter& printer, int screenDpi)
    : composer_(composer),
      pageInches_(printer),
      surface_(printer, nullptr, false, screenDpi),
      screenDpi_(screenDpi > 0 ? screenDpi : 96) {
    pageInches_.SetUnits(TPageUnits::Inches);
}

void TPrintPreviewPages::Open(ICanvas& bitmap) {
    page_ = 1;
    surface_.AttachCanvas(&bitmap);
    prepared_ = composer_.PreparePages(surface_);
    ShowCurrentPage(bitmap);
}

void TPrintPreviewPages::ShowCurrentPage(ICanvas& bitmap) {
    surface_.AttachCanvas(&bitmap);
    surface_.SetBrushColor(kWhite);
    surface_.Clear();
    more_ = composer_.ComposePage(page_, surface_);
    // The bitmap's canvas lives only while it is drawn on.
    surface_.AttachCanvas(nullptr);
}

bool TPrintPreviewPages::NextPage() {
    if (!more_) return false;
    ++page_;
    return true;
}

bool TPrintPreviewPages::PrevPage() {
    if (page_ < 2) return false;
    --page_;
    return true;
}

TSize TPrintPreviewPages::BitmapSize(TSize client) const {
    const long double width = pageInches_.PageWidth();
    const long double height = pageInches_.PageHeight();
    if (width <= 0 || height <= 0) return {1, 1};
    if (zoomed_) return {RoundHalfEvenToInt(screenDpi_ * width), RoundHalfEvenToInt(screenDpi_ * height)};
    const long double ratio = height / width;
    TSize size;
    if (client.Width > 0 && ratio < static_cast<long double>(client.Height) / client.Width) {
        size.Width = (client.Width - 2 * kMargin) * fitFactor_;
        size.Height = RoundHalfEvenToInt(ratio * size.Width);
    } else {
        size.Height = (client.Height - 2 * kMargin) * fitFactor_;
        size.Width = RoundHalfEvenToInt(size.Height / ratio);
    }
    // A window smaller than its margins still gets a page of one pixel.
    return {std::max(size.Width, 1), std::max(size.Height, 1)};
}

TSize TPrintPreviewPages::ScrollRange(TSize bitmap) {
    return {bitmap.Width + 2 * kMargin, bitmap.Height + 2 * kMargin};
}

TSize TPrintPreviewPages::ScrollStep(TSize range) {
    return {RoundHalfEvenToInt(range.Width / 10.0L), RoundHalfEvenToInt(range.Height / 10.0L)};
}

TPoint TPrintPreviewPages::DrawPosition(TSize client, TSize bitmap, TPoint scroll) const {
    if (zoomed_) return {kMargin - scroll.X, kMargin - scroll.Y};
    if (fitFactor_ == 1) return {(client.Width - bitmap.Width) / 2, (client.Height - bitmap.Height) / 2};
    return {kMargin, kMargin};
}

TPoint TPrintPreviewPages::ScrollByKey(TPreviewKey key, TPoint scroll, TSize range, TSize client) {
    const TSize step = ScrollStep(range);
    TPoint moved = scroll;
    switch (key) {
        case TPreviewKey::Up: moved.Y -= step.Height; break;
        case TPreviewKey::Down: moved.Y += step.Height; break;
        case TPreviewKey::Left: moved.X -= step.Width; break;
        case TPreviewKey::Right: moved.X += step.Width; break;
        case TPreviewKey::PageUp: moved.Y -= client.Height; break;
        case TPreviewKey::PageDown: moved.Y += client.Height; break;
        case TPreviewKey::CtrlPageUp: moved.X -= client.Width; break;
        case TPreviewKey::CtrlPageDown: moved.X += client.Width; break;
    }
    moved.X = std::clamp(moved.X, 0, std::max(0, range.Width - client.Width));
    moved.Y = std::clamp(moved.Y, 0, std::max(0, range.Height - client.Height));
    return moved;
}

}  // namespace tally
