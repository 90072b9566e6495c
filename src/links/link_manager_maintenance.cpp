#include <algorithm>
#include <functional>
#include <map>

#include "engine/lines/calc_params.h"
#include "engine/lines/link_data.h"
#include "engine/records/tape_record.h"
#include "links/link_manager.h"
#include "platform/clipboard.h"

namespace tally {
namespace {

// The link data strings held by cut tape data on the clipboard: they keep their partners on
// the tapes alive until the paste.
std::vector<std::string> CutLinkData(std::string_view text) {
    std::vector<std::string> found;
    for (const std::string& properties : CutRecordPropertyTexts(text)) {
        std::string linkData(TCalcParams::FromText(properties).Value(LineKey::kLinkId));
        if (IsWellFormedLinkData(linkData)) found.push_back(std::move(linkData));
    }
    return found;
}

// One end of a link as the other end's Links cell names it: the line, with its tape's letter
// when on another tape, and "-" when the destination takes the source's value negated.
std::string PartnerReference(const TMergedLinkInfoListItem& partner, char ownTapeId, char destSign) {
    std::string ref =
        partner.TapeId == ownTapeId ? std::to_string(partner.Line) : LineReference(partner.TapeId, partner.Line);
    if (destSign == '-') ref += '-';
    return ref;
}

}  // namespace

void TLinkManager::ClearLink(ILinkTape& tape, int line) {
    tape.SetLinkData(line, "");
    tape.SetLinksCell(line, "");
}

TLinkManager::TLinkSnapshot TLinkManager::Snapshot(bool withClipboard) const {
    TLinkSnapshot snapshot;
    for (const ILinkTape* tape : tapes_()) {
        snapshot.Generations.emplace_back(tape->TapeId(), tape->LinkGeneration());
        snapshot.ShowsLinks.push_back(tape->ShowsLinksColumn());
    }
    if (withClipboard && clipboard_ != nullptr) snapshot.ClipboardHash = std::hash<std::string>{}(clipboard_->GetText());
    return snapshot;
}

// ---- Unlink

void TLinkManager::Unlink(char tapeId, int line, char mode) {
    ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr || tape->LinkData(line).empty()) return;
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    const auto own = std::find_if(picture.begin(), picture.end(),
                                  [&](const auto& e) { return e.TapeId == tapeId && e.Line == line; });
    if (own == picture.end()) return;
    const TMergedLinkInfoListItem entry = *own;
    std::vector<const TMergedLinkInfoListItem*> dests;
    const TMergedLinkInfoListItem* source = nullptr;
    for (const TMergedLinkInfoListItem& e : picture) {
        if (e.LinkNumber != entry.LinkNumber || e.LinkNumber.empty()) continue;
        if (e.IsDestination()) dests.push_back(&e);
        if (e.IsSource() && source == nullptr) source = &e;
    }
    if (entry.IsDestination()) {
        if (mode == 'u' && entry.Flag == 'P') return;
        ClearLink(*tape, line);
        if (source != nullptr && dests.size() == 1) {
            if (ILinkTape* sourceTape = TapeById(source->TapeId)) ClearLink(*sourceTape, source->Line);
        }
    } else if (entry.IsSource()) {
        bool allCleared = true;
        for (const TMergedLinkInfoListItem* dest : dests) {
            if (entry.Flag == 'P' && mode == 'u' && dest->Flag == 'P') {
                allCleared = false;
                continue;
            }
            if (ILinkTape* destTape = TapeById(dest->TapeId)) ClearLink(*destTape, dest->Line);
        }
        if (allCleared) ClearLink(*tape, line);
    } else {
        ClearLink(*tape, line);
    }
    UpdateLinksDisplay();
}

// ---- Broken links

void TLinkManager::RemoveBrokenLinks() {
    TLinkSnapshot snapshot = Snapshot(true);
    if (brokenCheckedSnapshot_ == snapshot) return;
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    if (clipboard_ != nullptr) {
        for (const std::string& linkData : CutLinkData(clipboard_->GetText())) {
            TMergedLinkInfoListItem held;
            held.TapeId = '#';
            SplitLinkData(linkData, held);
            picture.push_back(std::move(held));
        }
    }
    SortByLinkNumber(picture);
    bool removed = false;
    const TMergedLinkInfoListItem* lastSource = nullptr;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const TMergedLinkInfoListItem& entry = picture[i];
        bool broken = false;
        if (entry.IsSource()) {
            lastSource = &entry;
            broken = i + 1 == picture.size() || !picture[i + 1].IsDestination() ||
                     picture[i + 1].LinkNumber != entry.LinkNumber;
        } else {
            broken = lastSource == nullptr || lastSource->LinkNumber != entry.LinkNumber;
        }
        if (!broken || entry.TapeId == '#') continue;
        if (ILinkTape* tape = TapeById(entry.TapeId)) {
            ClearLink(*tape, entry.Line);
            removed = true;
        }
    }
    if (removed) UpdateLinksDisplay();
    brokenCheckedSnapshot_ = Snapshot(true);
}

// ---- Links column

void TLinkManager::UpdateLinksDisplay() {
    TLinkSnapshot snapshot = Snapshot(false);
    if (displayedSnapshot_ == snapshot) return;
    if (std::none_of(snapshot.ShowsLinks.begin(), snapshot.ShowsLinks.end(), [](bool shown) { return shown; })) {
        return;
    }
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    SortByLinkNumber(picture);
    // Every linked line's text, empty unless an active link gives it one.
    std::map<std::pair<char, int>, std::string> texts;
    for (const TMergedLinkInfoListItem& entry : picture) texts[{entry.TapeId, entry.Line}];
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const TMergedLinkInfoListItem& source = picture[i];
        if (!source.IsSource() || source.State != 'A') continue;
        std::string used;
        for (std::size_t j = i + 1; j < picture.size() && picture[j].LinkNumber == source.LinkNumber; ++j) {
            const TMergedLinkInfoListItem& dest = picture[j];
            if (!dest.IsDestination() || dest.State != 'A') continue;
            used += (used.empty() ? "" : ", ") + PartnerReference(dest, source.TapeId, dest.Sign);
            texts[{dest.TapeId, dest.Line}] =
                std::string(kLinksFromPrefix) + " " + PartnerReference(source, dest.TapeId, dest.Sign);
        }
        if (!used.empty()) texts[{source.TapeId, source.Line}] = std::string(kLinksUsedAtPrefix) + " " + used;
    }
    for (ILinkTape* tape : tapes_()) {
        if (!tape->ShowsLinksColumn()) continue;
        for (auto it = texts.lower_bound({tape->TapeId(), 0});
             it != texts.end() && it->first.first == tape->TapeId(); ++it) {
            tape->SetLinksCell(it->first.second, it->second);
        }
    }
    displayedSnapshot_ = std::move(snapshot);
}

}  // namespace tally
