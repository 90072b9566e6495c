#include "links/link_manager.h"

#include <algorithm>
#include <utility>

#include "engine/lines/link_data.h"
#include "foundation/notifications/notifier.h"
#include "links/circular_link_check.h"

namespace tally {

bool SeriesKindsFit(std::string_view sourceKind, std::string_view destKind) {
    auto isOpen = [](std::string_view kind) {
        return kind.empty() || kind == "gro" || kind == "groc" || kind == "gra" || kind == "grac";
    };
    return sourceKind == destKind || (isOpen(sourceKind) && isOpen(destKind));
}

TLinkManager::TLinkManager(TTapeList tapes, TRandomFraction random, IClipboard* clipboard)
    : tapes_(std::move(tapes)), random_(std::move(random)), clipboard_(clipboard) {
    sessionId_ = DrawLinkNumber(random_);
}

ILinkTape* TLinkManager::TapeById(char tapeId) const {
    for (ILinkTape* tape : tapes_()) {
        if (tape->TapeId() == tapeId) return tape;
    }
    return nullptr;
}

bool TLinkManager::Refuse(std::string text) const {
    Notifier().ExplainAndBeep(std::move(text));
    return false;
}

// ---- Picture

TMergedLinkInfoListItem TLinkManager::MergedItem(const TTapeLinkInfoListItem& item) {
    TMergedLinkInfoListItem merged;
    merged.TapeId = item.TapeId;
    merged.InOrdinarySeries = item.InOrdinarySeries;
    merged.Line = item.Line;
    merged.OwnLine = item.OwnLine;
    merged.SeriesStart = item.SeriesStart;
    merged.RangeStart = item.RangeStart;
    merged.SeriesKind = item.SeriesKind;
    merged.TotalSeriesData = item.TotalSeriesData;
    merged.LineKind = item.LineKind;
    SplitLinkData(item.LinkData, merged);
    return merged;
}

TMergedLinkInfoList TLinkManager::BuildPicture(TPictureDetail detail) {
    TMergedLinkInfoList picture;
    if (detail == TPictureDetail::LinkData) {
        for (const ILinkTape* tape : tapes_()) {
            for (const int line : tape->LinkedLines()) {
                TMergedLinkInfoListItem& entry = picture.emplace_back();
                entry.TapeId = tape->TapeId();
                entry.Line = line;
                SplitLinkData(tape->LinkData(line), entry);
            }
        }
        return picture;
    }
    const bool withDummyLinks = detail == TPictureDetail::SeriesAndDummyLinks;
    std::vector<TTapeLinkInfoListItem> items;
    for (const ILinkTape* tape : tapes_()) {
        items.clear();
        tape->CollectLinkInfo(items, withDummyLinks);
        std::set<std::string, std::less<>> tapeNumbers;
        if (withDummyLinks) {
            for (const TTapeLinkInfoListItem& item : items) tapeNumbers.emplace(LinkDataNumber(item.LinkData));
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            TTapeLinkInfoListItem& item = items[i];
            if (item.LinkData.empty() && withDummyLinks && item.LineKind == "T" && i + 1 < items.size()) {
                // A dummy pair: the source, then its destination on the line after ")".
                item.LinkData = WithLinkNumber(DummySourceLinkData(), DrawUnusedLinkNumber(random_, tapeNumbers));
                items[i + 1].LinkData = DummyDestLinkData(item.LinkData);
            }
            picture.push_back(MergedItem(item));
        }
    }
    return picture;
}

TMergedLinkInfoListItem TLinkManager::PictureItemOf(const ILinkTape& tape, int line, std::string_view linkData) const {
    TTapeLinkInfoListItem item;
    item.TapeId = tape.TapeId();
    item.Line = line;
    item.SeriesStart = tape.SeriesKey(line);
    item.SeriesKind = tape.SeriesKind(line);
    item.LineKind = tape.LineKind(line);
    item.LinkData = std::string(linkData);
    return MergedItem(item);
}

std::optional<std::string> TLinkManager::CheckCircle(const TMergedLinkInfoList& picture) {
    std::optional<std::string> chain = CheckCircularLinks(picture);
    lastChain_ = chain.value_or(std::string());
    return chain;
}

// ---- Numbers

std::set<std::string, std::less<>> TLinkManager::LinkNumbers() const {
    std::set<std::string, std::less<>> numbers;
    for (const ILinkTape* tape : tapes_()) {
        for (const int line : tape->LinkedLines()) {
            const std::string linkData = tape->LinkData(line);
            const std::string_view number = LinkDataNumber(linkData);
            if (!number.empty()) numbers.emplace(number);
        }
    }
    return numbers;
}

std::string TLinkManager::NewLinkNumber() {
    std::set<std::string, std::less<>> taken = LinkNumbers();
    return DrawUnusedLinkNumber(random_, taken);
}

std::string TLinkManager::DummySourceLinkData() { return MakeLinkData('P', 'S', '+', DrawLinkNumber(random_), 'D'); }

std::string TLinkManager::DummyDestLinkData(std::string_view linkData) const {
    if (!IsWellFormedLinkData(linkData)) return {};
    return MakeLinkData('P', 'D', '+', LinkDataNumber(linkData), 'D');
}

// ---- Marking a source

bool TLinkManager::SetAsLinkSource(char tapeId, int line, std::string_view flag) {
    ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return false;
    const std::string ref = LineReference(tapeId, line);
    if (!tape->IsLine(line) || !tape->CanBeLinkSource(line)) {
        return Refuse("The entry cell at line " + ref + " can not be used as a Link Source.");
    }
    if (tape->IsLastLine(line)) return Refuse("The last line on a tape can not be a Link Source.");
    if (tape->IsLastLineOfIncompleteEmbedded(line)) {
        return Refuse("The last line in an incomplete embedded series cannot be a Link Source.");
    }
    if (!tape->ContainsNumber(line)) {
        return Refuse("The entry cell at line " + ref + " must contain a number before it can be used as a " +
                      "Link Source.");
    }
    std::string linkData = tape->LinkData(line);
    if (linkData.empty()) {
        linkData = MakeLinkData('P', 'S', '+', NewLinkNumber(), flag.size() == 1 ? flag.front() : '\0');
        tape->SetLinkData(line, linkData);
    } else if (LinkDataRole(linkData) == 'S') {
        if (flag == "P" && LinkDataFlag(linkData) != 'P') {
            linkData = WithLinkFlag(WithLinkFlag(linkData, ""), "P");
            tape->SetLinkData(line, linkData);
        }
    } else if (LinkDataRole(linkData) == 'D') {
        return Refuse("The entry cell at line " + ref + " can not be used as a Link Source because it already " +
                      "is used as a Link Destination.");
    } else {
        return Refuse("The entry cell at line " + ref + " can not be used as a Link Source because of " +
                      "a program error.");
    }
    // A permanent pair made by a tape itself leaves the source the user copied pending after it.
    if (flag == "P" && !permanentPairPending_) userPendingSource_ = pendingSource_;
    permanentPairPending_ = flag == "P";
    pendingSource_ = TPendingSource{linkData, tapeId, tape->SeriesKind(line)};
    return true;
}

// ---- Pasting a destination

bool TLinkManager::SetAsLinkDest(char tapeId, int line, std::string_view flag) {
    const bool done = PasteLinkDest(tapeId, line, flag);
    if (flag == "P" && permanentPairPending_) {
        pendingSource_ = std::exchange(userPendingSource_, std::nullopt);
        permanentPairPending_ = false;
    }
    return done;
}

bool TLinkManager::PasteLinkDest(char tapeId, int line, std::string_view flag) {
    ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return false;
    if (!pendingSource_) return Refuse("A Link Source has not been specified for this Link Destination.");
    if (TapeById(pendingSource_->TapeId) == nullptr) {
        return Refuse("The tape containing the entry specified as the Link Source for this Link Destination is "
                      "no longer enabled.");
    }
    const std::string number = std::to_string(line);
    const std::string present = tape->LinkData(line);
    if (LinkDataRole(present) == 'D' && LinkDataFlag(present) == 'P') {
        return Refuse("The entry cell at line " + number + " is a permanent Link Destination. Its Link " +
                      "Source cannot be changed.");
    }
    // A permanent destination is the external total line of an embedded series, which the user
    // may not link to but its own series links to its total.
    if (!tape->IsLine(line) || (flag != "P" && !tape->CanBeLinkDest(line))) {
        return Refuse("The entry cell at line " + number + " can not be a Link Destination.");
    }
    if (!SeriesKindsFit(pendingSource_->SeriesKind, tape->SeriesKind(line))) {
        return Refuse(std::string(kSeriesKindMismatchMessage));
    }
    tape->CommitPendingEdit(line);
    const std::string pendingNumber(LinkDataNumber(pendingSource_->LinkData));
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
    auto findLine = [&picture, tapeId](int at) {
        return std::find_if(picture.begin(), picture.end(),
                            [&](const auto& e) { return e.TapeId == tapeId && e.Line == at; });
    };
    auto hasPartner = [&picture](const TMergedLinkInfoListItem& entry) {
        return std::any_of(picture.begin(), picture.end(), [&](const auto& e) {
            return e.LinkNumber == entry.LinkNumber && e.Role != entry.Role && !e.LinkNumber.empty();
        });
    };
    if (const auto own = findLine(line); own != picture.end()) {
        if (own->IsSource() && hasPartner(*own)) {
            tape->RestoreEditor();
            return Refuse("The entry cell at line " + number + " can not be used as a Link Destination because it " +
                          "already is used as a Link Source.");
        }
        if (own->IsDestination() && own->LinkNumber != pendingNumber && hasPartner(*own)) {
            Unlink(tapeId, line, 'u');
            picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
        }
        if (const auto again = findLine(line); again != picture.end()) picture.erase(again);
    }
    const auto source = std::find_if(picture.begin(), picture.end(), [&](const auto& e) {
        return e.IsSource() && e.LinkNumber == pendingNumber;
    });
    if (source == picture.end()) {
        return Refuse("The line containing the entry specified as the Link Source for this Link Destination is no "
                      "longer present; or else the Link Source has been unlinked.  Recopy a line as a Link Source "
                      "before pasting as a Link Destination.");
    }
    const char sourceTapeId = source->TapeId;
    const int sourceLine = source->Line;
    const std::string entry = tape->EntryText(line);
    const char sign = (entry.size() > 0 && entry[0] == '-') || (entry.size() > 1 && entry[1] == '-') ? '-' : '+';
    const std::string destData = MakeLinkData('A', 'D', sign, pendingNumber, flag.size() == 1 ? flag.front() : '\0');
    picture.push_back(PictureItemOf(*tape, line, destData));
    if (const std::optional<std::string> chain = CheckCircle(picture)) {
        tape->RestoreEditor();
        return Refuse("Can not use line " + LineReference(tapeId, line) + " as a Link Destination for line " +
                      LineReference(sourceTapeId, sourceLine) + ".  It would create a Circular Link between the " +
                      "following lines: " + *chain);
    }
    ILinkTape* sourceTape = TapeById(sourceTapeId);
    if (pendingSource_->LinkData[0] == 'P') {
        pendingSource_->LinkData = WithLinkState(pendingSource_->LinkData, 'A');
        sourceTape->SetLinkData(sourceLine, WithLinkState(sourceTape->LinkData(sourceLine), 'A'));
    }
    tape->SetLinkData(line, destData);
    TransferValue(*sourceTape, sourceLine, *tape, line, destData);
    CarryAnnotation(*sourceTape, sourceLine, *tape, line);
    if (tape->HasTableColumn(line)) tape->UpdateTableColumnHeading(line);
    UpdateLinksDisplay();
    const bool last = tape->IsLastLine(line);
    const bool lastOfIncomplete = tape->IsLastLineOfIncompleteEmbedded(line);
    // The memory takes the value into a series of its own; other tapes show or count it.
    const bool takenOver = tapeId == 'm' && tape->CloseForLink(pendingSource_->SeriesKind);
    if (!takenOver && (last || lastOfIncomplete) && line == tape->CurrentLine()) {
        tape->RefreshInputLine(line);
    } else if (!takenOver && (!last || lastOfIncomplete)) {
        tape->RecalculateSeries(line);
    }
    ProcessLinkQueue();
    return true;
}

// ---- Total links

std::optional<std::string> TLinkManager::SetAsTotalLinkSource(char tapeId, int line) {
    ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr || !tape->IsLine(line)) return std::nullopt;
    std::string linkData = tape->LinkData(line);
    if (linkData.empty()) {
        linkData = MakeLinkData('A', 'S', '+', NewLinkNumber(), 'P');
    } else if (LinkDataRole(linkData) == 'S') {
        linkData = WithLinkState(linkData, 'A');
        if (LinkDataFlag(linkData) != 'P') linkData = WithLinkFlag(WithLinkFlag(linkData, ""), "P");
    } else {
        return std::nullopt;
    }
    tape->SetLinkData(line, linkData);
    return std::string(LinkDataNumber(linkData));
}

void TLinkManager::SetAsTotalLinkDest(char destTapeId, int destLine, char sourceTapeId, int sourceLine,
                                      std::string_view number) {
    ILinkTape* dest = TapeById(destTapeId);
    ILinkTape* source = TapeById(sourceTapeId);
    if (dest == nullptr || source == nullptr || !dest->IsLine(destLine) || !source->IsLine(sourceLine) ||
        !IsLinkNumber(number)) {
        return;
    }
    const std::string numberText = source->NumberText(sourceLine);
    if (!IsLinkableNumberText(numberText)) return;
    dest->SetLinkData(destLine, MakeLinkData('A', 'D', '+', number, 'P'));
    dest->SetEntryText(destLine, numberText);
    CarryAnnotation(*source, sourceLine, *dest, destLine);
}

// ---- Circle checks for the tapes

std::optional<std::string> TLinkManager::PotentialCircLink(char tapeId, int line, std::string_view linkData) {
    const ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return std::nullopt;
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
    std::erase_if(picture, [&](const auto& e) { return e.TapeId == tapeId && e.Line == line; });
    picture.push_back(PictureItemOf(*tape, line, linkData));
    return CheckCircle(picture);
}

std::optional<std::string> TLinkManager::ZeroTotalDeletionCircLink(char tapeId, int line) {
    const ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return std::nullopt;
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
    // The series after the zero total line joins the one that holds it.
    const int joined = tape->SeriesKey(line);
    const int following = tape->IsLine(line + 1) ? tape->SeriesKey(line + 1) : 0;
    for (TMergedLinkInfoListItem& entry : picture) {
        if (entry.TapeId == tapeId && following > line && entry.SeriesStart == following) entry.SeriesStart = joined;
    }
    return CheckCircle(picture);
}

std::optional<std::string> TLinkManager::PasteSeriesCircLink(char tapeId, const TTapeLinkInfoList& items) {
    if (TapeById(tapeId) == nullptr) return std::nullopt;
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
    for (TTapeLinkInfoListItem item : items) {
        item.TapeId = tapeId;
        picture.push_back(MergedItem(item));
    }
    return CheckCircle(picture);
}

std::optional<std::string> TLinkManager::PasteMultSeriesCircLink(char tapeId, TTapeLinkInfoList items,
                                                                 const TPastedBlock& block) {
    const ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return std::nullopt;
    const int shift = block.InsertLine - 1;
    for (TTapeLinkInfoListItem& item : items) {
        item.TapeId = tapeId;
        item.Line += shift;
        item.SeriesStart += shift;
        if (item.OwnLine != -1) item.OwnLine += shift;
        const char kind = item.LineKind.empty() ? '\0' : item.LineKind.front();
        const bool groupTotal = kind == 'g' && item.SeriesKind == "gro";
        if (groupTotal || kind == 'G') {
            // A range that starts with the block joins the range the block lands in.
            item.RangeStart = item.RangeStart == 1 ? tape->RangeStartAt(block.InsertLine, kind == 'G')
                                                   : item.RangeStart + shift;
        }
    }
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::SeriesAndDummyLinks);
    const int rangeEnd = std::max(block.GrandRangeEnd, block.GroupRangeEnd);
    for (TMergedLinkInfoListItem& entry : picture) {
        if (entry.TapeId != tapeId || entry.Line < block.InsertLine) continue;
        entry.Line += block.LineCount;
        entry.SeriesStart += block.LineCount;
        const bool groupTotal = entry.SeriesKind == "gro" && entry.Kind() == 'g';
        const bool grandTotal = entry.Kind() == 'G';
        if (entry.RangeStart > block.InsertLine) {
            entry.RangeStart += block.LineCount;
        } else if (groupTotal && rangeEnd > 0) {
            entry.RangeStart = block.InsertLine + rangeEnd;
        } else if (grandTotal && block.GrandRangeEnd > 0) {
            entry.RangeStart = block.InsertLine + block.GrandRangeEnd;
        }
    }
    for (const TTapeLinkInfoListItem& item : items) picture.push_back(MergedItem(item));
    return CheckCircle(picture);
}

}  // namespace tally
