#include <charconv>

#include "engine/lines/link_data.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"

namespace tally {
namespace {

struct TQuickLinkParts {
    bool Valid = false;
    char TapeId = '\0';  // '\0': the destination's own tape
    std::string Digits;
};

// "l", an optional tape letter, then digits or nothing.
TQuickLinkParts ParseQuickLink(std::string_view text) {
    TQuickLinkParts parts;
    if (text.size() <= 1 || text.front() != 'l') return parts;
    std::string rest(text.substr(1));
    for (char& c : rest) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    std::size_t at = 0;
    if (rest[0] >= 'a' && rest[0] <= 'z') parts.TapeId = rest[at++];
    for (std::size_t i = at; i < rest.size(); ++i) {
        if (rest[i] < '0' || rest[i] > '9') return parts;
    }
    parts.Digits = rest.substr(at);
    parts.Valid = true;
    return parts;
}

// The line the digits name; 0 when they name none of the tape's lines (0, beyond the tape, or
// too long to be a line number).
int LineFromDigits(std::string_view digits, const ILinkTape& tape) {
    int line = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), line);
    if (error != std::errc() || end != digits.data() + digits.size() || !tape.IsLine(line)) return 0;
    return line;
}

std::string DisabledTapeMessage(char tapeId) {
    if (tapeId == 'm') return "Cannot use line on memory tape as a Link Source.  The memory tape is not enabled.";
    if (tapeId == 's') return "Cannot use line on side tape as a Link Source.  The side tape is not enabled.";
    return "Cannot use line on unknown tape as a Link Source.";
}

std::string UpperId(char tapeId) { return LineReference(tapeId, 0).substr(0, 1); }

}  // namespace

std::string TLinkManager::QuickLinkSeriesMessage(const ILinkTape& tape) const {
    switch (tape.TapeId()) {
        case 't':
            return "Cannot use the main tape's current series total as a Link source.  The main tape's current "
                   "series does not have a final total line.";
        case 'm':
            return "Cannot use the memory tape's current series total as a Link source.  The memory tape's "
                   "current series does not have a final total line.";
        case 's':
            return "Cannot use the side tape's current series total as a Link source.  The side tape's current "
                   "series does not have a final total line.";
        default:
            return "Cannot use the " + tape.TapeName() + " tape's current series total as a Link " +
                   "source.  The tape's current series " + "does not have a final total line.";
    }
}

TQuickLinkCheck TLinkManager::CheckQuickLink(char tapeId, int line, std::string_view text) const {
    auto refuse = [](std::string message) { return TQuickLinkCheck{false, std::move(message)}; };
    const ILinkTape* destTape = TapeById(tapeId);
    const TQuickLinkParts parts = ParseQuickLink(text);
    if (!parts.Valid || destTape == nullptr) return refuse("The entry does not contain valid quick link characters.");
    const char sourceId = parts.TapeId == '\0' ? tapeId : parts.TapeId;
    const ILinkTape* tape = TapeById(sourceId);
    if (tape == nullptr) return refuse(DisabledTapeMessage(sourceId));
    int sourceLine = 0;
    std::string ref;
    if (parts.Digits.empty()) {
        sourceLine = tape->FinalTotalLine(tape->CurrentLine());
        if (sourceLine == 0) return refuse(QuickLinkSeriesMessage(*tape));
        ref = LineReference(sourceId, sourceLine);
    } else {
        sourceLine = LineFromDigits(parts.Digits, *tape);
        ref = UpperId(sourceId) + parts.Digits;
    }
    if (sourceLine == 0 || !tape->CanBeLinkSource(sourceLine)) {
        return refuse("The entry cell at line " + ref + " can not be used as a Link Source.");
    }
    if (tape->IsLastLine(sourceLine)) return refuse("The last line on a tape can not be a Link Source.");
    if (tape->IsLastLineOfIncompleteEmbedded(sourceLine)) {
        return refuse("The last line in an incomplete embedded series cannot be a Link Source.");
    }
    if (!tape->ContainsNumber(sourceLine)) {
        return refuse("The entry cell at line " + ref + " must contain a number before it can " +
                      "be used as a Link Source.");
    }
    if (LinkDataRole(tape->LinkData(sourceLine)) == 'D') {
        return refuse("The entry cell at line " + ref + " can not be used as a Link Source because " +
                      "it already is used as a Link Destination.");
    }
    if (!SeriesKindsFit(tape->SeriesKind(sourceLine), destTape->SeriesKind(line))) {
        return refuse(std::string(kSeriesKindMismatchMessage));
    }
    return {true, {}};
}

void TLinkManager::StoreQuickLink(std::string text, char tapeId, int line, char key, std::string seriesKind) {
    quickLink_ = TQuickLinkRequest{std::move(text), tapeId, line, key, std::move(seriesKind)};
}

void TLinkManager::DoLinkWithStoredEntryData() {
    if (!quickLink_) return;
    const TQuickLinkRequest request = std::move(*quickLink_);
    quickLink_.reset();
    ILinkTape* destTape = TapeById(request.TapeId);
    if (destTape == nullptr) return;
    const std::size_t l = request.EntryText.find('l');
    std::string digits;
    std::string others;
    for (std::size_t i = l == std::string::npos ? request.EntryText.size() : l + 1; i < request.EntryText.size(); ++i) {
        const char c = request.EntryText[i];
        (c >= '0' && c <= '9' ? digits : others) += c;
    }
    char sourceId = request.TapeId;
    if (!others.empty()) sourceId = others[0] >= 'A' && others[0] <= 'Z' ? static_cast<char>(others[0] - 'A' + 'a') : others[0];
    const ILinkTape* tape = TapeById(sourceId);
    if (tape == nullptr) {
        Refuse(DisabledTapeMessage(sourceId));
        return;
    }
    int sourceLine = 0;
    if (digits.empty()) {
        sourceLine = tape->FinalTotalLine(tape->CurrentLine());
        if (sourceLine == 0) {
            Refuse(QuickLinkSeriesMessage(*tape));
            return;
        }
    } else {
        sourceLine = LineFromDigits(digits, *tape);
        if (sourceLine == 0) {
            Refuse("The entry cell at line " + UpperId(sourceId) + digits + " can not be used as a Link Source.");
            return;
        }
    }
    if (!SetAsLinkSource(sourceId, sourceLine, "") || !SetAsLinkDest(request.TapeId, request.Line, "")) return;
    if (request.Line == destTape->CurrentLine()) {
        const bool totalKey = request.Key == '\r' || request.Key == '\n' || request.Key == '=';
        const bool addingMachine = destTape->DataEntryOption() == 5;
        if (addingMachine == totalKey) destTape->PutCaretAfterText();
    }
    if (request.Key != '\0') destTape->RetypeKey(request.Key);
}

}  // namespace tally
