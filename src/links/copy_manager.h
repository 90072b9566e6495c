#pragma once
// TCopyManager: quick copy of another line's number into the entry being typed. The tape
// hands over the typed text ("c", an optional tape letter, optional line digits) with the key
// that ended it; after that key the main window asks the manager to carry it out (request
// 120): the source number replaces the quick copy text and the key is typed again.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "links/copy_tape.h"
#include "platform/deferred_requests.h"

namespace tally {

class TStMediator;

struct TCopyCheck {
    bool Valid = false;
    std::string Message;
};

class TCopyManager {
public:
    // The enabled tapes of the document: main, memory, side, then the auxiliary tapes.
    using TTapeList = std::function<std::vector<ICopyTape*>()>;

    explicit TCopyManager(TTapeList tapes);
    ~TCopyManager();
    TCopyManager(const TCopyManager&) = delete;
    TCopyManager& operator=(const TCopyManager&) = delete;

    // Serves the "CopyMgr_" events on the bus until destroyed.
    void RegisterEvents(TStMediator& bus);

    // Whether the quick copy text (starting at its "c") may go into the line of the tape.
    TCopyCheck CheckCopyData(char tapeId, int line, std::string_view text) const;
    // A later request replaces an earlier one.
    void StoreEntryCopyData(std::string entryText, char tapeId, int line, char key);
    bool RequestPending() const { return request_.has_value(); }
    // Carries out the stored request once; every refusal is explained and beeped.
    void DoCopyPasteWithStoredEntryData();

private:
    struct TRequest {
        std::string EntryText;
        char TapeId = 't';
        int Line = 0;
        char Key = '\0';
    };
    ICopyTape* TapeById(char tapeId) const;
    void Refuse(const std::string& message) const;

    TTapeList tapes_;
    TStMediator* bus_ = nullptr;
    std::optional<TRequest> request_;
};

// Carries out request 120 (a stored quick copy); false for any other request.
bool RunCopyRequest(TCopyManager& copies, const TDeferredRequest& request);

}  // namespace tally
