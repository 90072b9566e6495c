#include "settings/tape_page_layout.h"

#include <algorithm>

#include "foundation/event_names.h"
#include "foundation/message_records.h"

namespace tally {

TTapePageLayout::TTapePageLayout(TStMediator* documentBus) : documentBus_(documentBus) { Reset(); }

void TTapePageLayout::Reset() {
    tapeFlags_ = {};
    tapeColumnGroups_ = {};
    tableFlags_ = {};
    tableColumnGroups_ = {};
    tableLinesPerGroup_ = 5;
    printFields_.clear();
}

void TTapePageLayout::SetTapeColumnGroups(bool autoCalc, std::int32_t count) {
    tapeColumnGroups_ = {autoCalc, std::max(count, 1)};
}

void TTapePageLayout::SetTableColumnGroups(bool autoCalc, std::int32_t count) {
    tableColumnGroups_ = {autoCalc, std::max(count, 1)};
}

void TTapePageLayout::SetTableLinesPerGroup(std::int32_t lines) {
    if (lines > 0) tableLinesPerGroup_ = lines;
}

const TTapeFieldsListItem* TTapePageLayout::FirstTapeField(TTapeColumn kind) const {
    const auto found = std::find_if(tapeFields_.begin(), tapeFields_.end(),
                                    [kind](const TTapeFieldsListItem& field) { return field.Kind == kind; });
    return found == tapeFields_.end() ? nullptr : &*found;
}

void TTapePageLayout::AddPrintField(TTapeColumn kind, std::int32_t printColNum) {
    if (const TTapeFieldsListItem* field = FirstTapeField(kind)) {
        tally::AddPrintField(printFields_, TPrintFieldsListItem::From(*field, printColNum));
    }
}

void TTapePageLayout::RefreshTapeFields() {
    if (!documentBus_ || !documentBus_->Exists(events::FileObj_GetMainTapeCalcObject)) return;
    TMedObjectReference tape;
    documentBus_->Handle(events::FileObj_GetMainTapeCalcObject, nullptr, &tape);
    tapeFields_.clear();
    if (tape.ObjRef) FillTapeFields(*static_cast<const TCalculator*>(tape.ObjRef), tapeFields_);
}

// Print fields follow the tape: a column that moved takes its new position, a column no
// longer shown leaves the print fields, and the rest are numbered again from 0.
void TTapePageLayout::UpdatePrintFieldsFromTape() {
    bool removed = false;
    for (std::size_t index = printFields_.size(); index-- > 0;) {
        const TTapeColumn kind = printFields_[index].Kind;
        if (const TTapeFieldsListItem* field = FirstTapeField(kind)) {
            printFields_[index].Position = field->Position;
        } else {
            const auto first = std::find_if(printFields_.begin(), printFields_.end(),
                                            [kind](const TPrintFieldsListItem& item) { return item.Kind == kind; });
            printFields_.erase(first);
            removed = true;
        }
    }
    if (!removed) return;
    std::int32_t number = 0;
    for (TPrintFieldsListItem& item : printFields_) item.PrintColNum = number++;
}

bool TTapePageLayout::FirstPrintField(TPrintFieldsListItem& item) {
    RefreshTapeFields();
    UpdatePrintFieldsFromTape();
    printWalkPosition_ = 0;
    if (!printFields_.empty()) {
        printWalkActive_ = true;
        item = printFields_.front();
        return true;
    }
    if (!tapeFields_.empty()) {
        printColumnCounter_ = 0;
        printWalkActive_ = true;
        item = TPrintFieldsListItem::From(tapeFields_.front(), 0);
        return true;
    }
    printWalkActive_ = false;
    return false;
}

bool TTapePageLayout::NextPrintField(TPrintFieldsListItem& item) {
    if (!printWalkActive_) return false;
    const std::size_t count = printFields_.empty() ? tapeFields_.size() : printFields_.size();
    if (printWalkPosition_ + 1 >= count) {
        printWalkActive_ = false;
        return false;
    }
    ++printWalkPosition_;
    if (!printFields_.empty()) {
        item = printFields_[printWalkPosition_];
    } else {
        item = TPrintFieldsListItem::From(tapeFields_[printWalkPosition_], ++printColumnCounter_);
    }
    return true;
}

std::optional<TTapeColumn> TTapePageLayout::FirstTapeFieldKind() {
    RefreshTapeFields();
    tapeWalkPosition_ = 0;
    tapeWalkActive_ = !tapeFields_.empty();
    if (!tapeWalkActive_) return std::nullopt;
    return tapeFields_.front().Kind;
}

std::optional<TTapeColumn> TTapePageLayout::NextTapeFieldKind() {
    if (!tapeWalkActive_ || tapeWalkPosition_ + 1 >= tapeFields_.size()) {
        tapeWalkActive_ = false;
        return std::nullopt;
    }
    return tapeFields_[++tapeWalkPosition_].Kind;
}

std::string TTapePageLayout::HeadingOf(TTapeColumn kind) const {
    const TTapeFieldsListItem* field = FirstTapeField(kind);
    return field ? field->Heading : std::string();
}

std::optional<TTapeColumn> TTapePageLayout::KindAtPosition(std::int32_t position) const {
    const auto found = std::find_if(tapeFields_.begin(), tapeFields_.end(),
                                    [position](const TTapeFieldsListItem& field) { return field.Position == position; });
    if (found == tapeFields_.end()) return std::nullopt;
    return found->Kind;
}

}  // namespace tally
