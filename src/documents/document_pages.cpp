#include "documents/document_pages.h"

#include <algorithm>

#include "engine/tape/calculator.h"

namespace tally {

ITapeView* HeadlessDocumentPages::AddTapePage(TDocumentPageId id, std::string_view caption) {
    pages_.push_back({id, std::string(caption), std::make_unique<HeadlessTapeView>()});
    return pages_.back().View.get();
}

void HeadlessDocumentPages::AttachTape(TDocumentPageId id, TCalculator* tape) {
    for (TPage& page : pages_) {
        if (page.Id == id) page.Tape = tape;
    }
}

int HeadlessDocumentPages::RequiredWidth() const {
    int widest = 0;
    for (const TPage& page : pages_) {
        if (page.Tape == nullptr) continue;
        int width = 0;
        for (const TTapeColumn column : page.Tape->ShownColumns()) {
            width += page.Tape->ColumnWidth(column) + page.View->GridLineWidth();
        }
        widest = std::max(widest, width);
    }
    return widest;
}

void HeadlessDocumentPages::AddTablePage(TDocumentPageId id, std::string_view caption, TResultsTable&) {
    pages_.push_back({id, std::string(caption), nullptr});
}

void HeadlessDocumentPages::RemovePage(TDocumentPageId id) {
    std::erase_if(pages_, [id](const TPage& page) { return page.Id == id; });
}

bool HeadlessDocumentPages::ClickPage(TDocumentPageId id) { return AskUserSelection(id); }

std::vector<std::string> HeadlessDocumentPages::Captions() const {
    std::vector<std::string> captions;
    for (const TPage& page : pages_) captions.push_back(page.Caption);
    return captions;
}

TDocumentPageId HeadlessDocumentPages::PageWithCaption(std::string_view caption) const {
    const auto found = std::find_if(pages_.begin(), pages_.end(), [caption](const TPage& page) { return page.Caption == caption; });
    return found == pages_.end() ? -1 : found->Id;
}

}  // namespace tally
