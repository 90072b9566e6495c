#include "links/copy_manager.h"

#include <charconv>

#include "engine/lines/link_data.h"
#include "engine/tape/calculator.h"
#include "engine/tape/copy_manager_records.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"

namespace tally {
namespace {

constexpr std::string_view kNotQuickCopy = "The entry does not contain valid quick copy characters.";
constexpr std::string_view kSeriesKindMismatch =
    "A number in the calculation series containing the specified Copy source cannot be used in the "
    "calculation series containing the specified Copy Destination.";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The tape's line the digits name; 0 when they name none (0, beyond the tape, or too long for
// a line number).
int LineFromDigits(std::string_view digits, const ICopyTape& tape) {
    int line = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), line);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return 0;
    return line >= 1 && line <= tape.LineCount() ? line : 0;
}

// The refusal for a tape letter with no enabled tape; the typed check and the carried out
// request word it differently.
std::string DisabledTapeMessage(char tapeId, std::string_view cannot) {
    const std::string start = std::string(cannot) + " use line on ";
    if (tapeId == 'm') return start + "memory tape as a Copy source.  The memory tape is not enabled.";
    if (tapeId == 's') return start + "side tape as a Copy source.  The side tape is not enabled.";
    return start + "unknown tape as a Copy source.";
}

std::string NoFinalTotalMessage(const ICopyTape& tape) {
    switch (tape.TapeId()) {
        case 't':
            return "Cannot use the main tape's current series total as a Copy source.  The main tape's current "
                   "series does not have a final total line.";
        case 'm':
            return "Cannot use the memory tape's current series total as a Copy source.  The memory tape's "
                   "current series does not have a final total line.";
        case 's':
            return "Cannot use the side tape's current series total as a Copy source.  The side tape's current "
                   "series does not have a final total line.";
        default:
            return "Cannot use the " + tape.TapeName() + " tape's current series total as a Copy " +
                   "source.  The tape's current series " + "does not have a final total line.";
    }
}

std::string NotCopyableMessage(const std::string& lineName) {
    return "The entry cell at line " + lineName + " cannot be used as a Copy source.";
}

std::string UpperId(char tapeId) { return LineReference(tapeId, 0).substr(0, 1); }

// The source line the digits name, or without digits the final total line of the tape's
// current series; Line 0 when there is none.
struct TSourceLine {
    int Line = 0;
    std::string Name;  // as messages name it, e.g. "T12"
    bool NoFinalTotal = false;
};

TSourceLine FindSourceLine(const ICopyTape& tape, const std::string& digits) {
    TSourceLine source;
    if (digits.empty()) {
        source.Line = tape.FinalTotalLine(tape.CurrentLine());
        source.NoFinalTotal = source.Line == 0;
        source.Name = LineReference(tape.TapeId(), source.Line);
    } else {
        source.Line = LineFromDigits(digits, tape);
        source.Name = UpperId(tape.TapeId()) + digits;
    }
    return source;
}

}  // namespace

TCopyManager::TCopyManager(TTapeList tapes) : tapes_(std::move(tapes)) {}

TCopyManager::~TCopyManager() {
    if (bus_ == nullptr) return;
    bus_->Remove(events::CopyMgr_IsValidCopyDataString);
    bus_->Remove(events::CopyMgr_StoreEntryCopyData);
}

void TCopyManager::RegisterEvents(TStMediator& bus) {
    bus_ = &bus;
    bus.Add(events::CopyMgr_IsValidCopyDataString, [this](TMedRecord* in, TMedRecord* out) {
        const auto* check = RecordAs<TMedCopyMgr_CheckValidCopyData_In>(in);
        auto* answer = RecordAs<TMedCopyMgr_CheckValidCopyData_Out>(out);
        if (check == nullptr || answer == nullptr) return;
        const TCopyCheck result =
            CheckCopyData(check->Tape != nullptr ? check->Tape->TapeId() : '\0', check->Line, check->CopyData);
        answer->Valid = result.Valid;
        answer->Message = result.Message;
    });
    bus.Add(events::CopyMgr_StoreEntryCopyData, [this](TMedRecord* in, TMedRecord*) {
        const auto* store = RecordAs<TMedCopyMgr_StoreEntryCopyData_In>(in);
        if (store == nullptr || store->Tape == nullptr) return;
        StoreEntryCopyData(store->EntryText, store->Tape->TapeId(), store->Line, store->Key);
    });
}

ICopyTape* TCopyManager::TapeById(char tapeId) const {
    for (ICopyTape* tape : tapes_()) {
        if (tape->TapeId() == tapeId) return tape;
    }
    return nullptr;
}

void TCopyManager::Refuse(const std::string& message) const { Notifier().ExplainAndBeep(message); }

TCopyCheck TCopyManager::CheckCopyData(char tapeId, int line, std::string_view text) const {
    auto refuse = [](std::string message) { return TCopyCheck{false, std::move(message)}; };
    if (text.size() <= 1 || text.front() != 'c') return refuse(std::string(kNotQuickCopy));
    std::string rest(text.substr(1));
    for (char& c : rest) c = LowerAscii(c);
    char sourceId = tapeId;
    if (rest.front() >= 'a' && rest.front() <= 'z') {
        sourceId = rest.front();
        rest.erase(0, 1);
    }
    for (const char c : rest) {
        if (!IsDigit(c)) return refuse(std::string(kNotQuickCopy));
    }
    const ICopyTape* tape = TapeById(sourceId);
    if (tape == nullptr) return refuse(DisabledTapeMessage(sourceId, "Cannot"));
    const TSourceLine source = FindSourceLine(*tape, rest);
    if (source.NoFinalTotal) return refuse(NoFinalTotalMessage(*tape));
    if (source.Line == 0 || !tape->IsCopySource(source.Line)) return refuse(NotCopyableMessage(source.Name));
    const ICopyTape* receiving = TapeById(tapeId);
    if (receiving == nullptr || !SeriesKindsFit(tape->SeriesKind(source.Line), receiving->SeriesKind(line))) {
        return refuse(std::string(kSeriesKindMismatch));
    }
    return {true, {}};
}

void TCopyManager::StoreEntryCopyData(std::string entryText, char tapeId, int line, char key) {
    request_ = TRequest{std::move(entryText), tapeId, line, key};
}

void TCopyManager::DoCopyPasteWithStoredEntryData() {
    if (!request_) return;
    const TRequest request = std::move(*request_);
    request_.reset();
    ICopyTape* receiving = TapeById(request.TapeId);
    const std::size_t c = request.EntryText.find('c');
    if (receiving == nullptr || c == std::string::npos || c + 1 >= request.EntryText.size()) return;
    std::string digits;
    std::string letters;
    for (std::size_t i = c + 1; i < request.EntryText.size(); ++i) {
        const char ch = request.EntryText[i];
        (IsDigit(ch) ? digits : letters) += ch;
    }
    const char sourceId = letters.empty() ? request.TapeId : LowerAscii(letters.front());
    ICopyTape* source = TapeById(sourceId);
    if (source == nullptr) return Refuse(DisabledTapeMessage(sourceId, "Can not"));
    const TSourceLine found = FindSourceLine(*source, digits);
    if (found.NoFinalTotal) {
        return Refuse(sourceId == 'm' ? "Cannot use the memory tape total as a Copy source.  The memory tape "
                                        "does not have a final total line."
                                      : NoFinalTotalMessage(*source));
    }
    const int sourceLine = found.Line;
    if (sourceLine == 0 || !source->IsCopySource(sourceLine)) return Refuse(NotCopyableMessage(found.Name));
    // Series kinds that do not fit are refused by the paste.
    bool caretToEnd = false;
    if (receiving->CurrentLine() == request.Line) {
        const bool totalKey = request.Key == TapeChar::kEnter || request.Key == '\n' || request.Key == '=';
        const bool addingMachine = receiving->DataEntryOption() == DataEntryOption::kAddingMachine;
        caretToEnd = addingMachine == totalKey;
    }
    // The line goes over the clipboard, where it stays, into the entry that held the request.
    if (!source->CopyLineAt(sourceLine)) return;
    if (receiving->CurrentLine() != request.Line || !receiving->PasteLine()) return;
    if (caretToEnd) receiving->PutCaretAfterText();
    if (request.Key != '\0') receiving->RetypeKey(request.Key);
}

bool RunCopyRequest(TCopyManager& copies, const TDeferredRequest& request) {
    if (request.Code != requests::CopyWithStoredEntryData) return false;
    copies.DoCopyPasteWithStoredEntryData();
    return true;
}

}  // namespace tally
