#include "engine/tape/calculator.h"
#include "engine/tape/link_manager_records.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "links/calculator_link_tape.h"
#include "links/link_manager.h"

namespace tally {

TLinkManager::~TLinkManager() {
    if (bus_ == nullptr) return;
    for (const std::string& name : registeredEvents_) bus_->Remove(name);
}

void TLinkManager::RegisterEvents(TStMediator& bus) {
    bus_ = &bus;
    auto add = [this, &bus](std::string_view name, TMedHandler handler) {
        bus.Add(name, std::move(handler));
        registeredEvents_.emplace_back(name);
    };
    auto idOf = [](const TCalculator* tape) { return tape != nullptr ? tape->TapeId() : '\0'; };

    add(events::LinkMgr_GetCalcObjectByTapeId, [this](TMedRecord* in, TMedRecord* out) {
        const auto* id = RecordAs<TMedChar>(in);
        auto* answer = RecordAs<TMedLnkMgr_CalculatorObject_Out>(out);
        if (id == nullptr || answer == nullptr) return;
        const auto* tape = dynamic_cast<TCalculatorLinkTape*>(TapeById(id->Value));
        answer->Tape = tape != nullptr ? &tape->Calculator() : nullptr;
    });
    add(events::LinkMgr_GetDummyLinkSourceLinkId, [this](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedString>(out)) answer->Value = DummySourceLinkData();
    });
    add(events::LinkMgr_GetDummyLinkDestLinkId, [this](TMedRecord* in, TMedRecord* out) {
        const auto* given = RecordAs<TMedString>(in);
        if (auto* answer = RecordAs<TMedString>(out); answer != nullptr && given != nullptr) {
            answer->Value = DummyDestLinkData(given->Value);
        }
    });
    add(events::LinkMgr_GetLinkNumberList, [this](TMedRecord* in, TMedRecord*) {
        const auto* list = RecordAs<TMedStringListPointer>(in);
        if (list == nullptr || list->List == nullptr) return;
        list->List->clear();
        for (const std::string& number : LinkNumbers()) list->List->push_back(number);
    });
    add(events::LinkMgr_GetNewLinkNumber, [this](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedString>(out)) answer->Value = NewLinkNumber();
    });
    add(events::LinkMgr_GetCurrentSessionId, [this](TMedRecord*, TMedRecord* out) {
        if (auto* answer = RecordAs<TMedString>(out)) answer->Value = sessionId_;
    });
    add(events::LinkMgr_IsValidLinkDataString, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* check = RecordAs<TMedLnkMgr_CheckValidLinkData_In>(in);
        auto* answer = RecordAs<TMedLnkMgr_CheckValidLinkData_Out>(out);
        if (check == nullptr || answer == nullptr) return;
        const TQuickLinkCheck result = CheckQuickLink(idOf(check->Tape), check->Line, check->LinkData);
        answer->Valid = result.Valid;
        answer->Message = result.Message;
    });
    add(events::LinkMgr_StoreEntryLinkData, [this, idOf](TMedRecord* in, TMedRecord*) {
        if (const auto* store = RecordAs<TMedLnkMgr_StoreEntryLinkData_In>(in)) {
            StoreQuickLink(store->EntryText, idOf(store->Tape), store->Line, store->Key, store->SeriesKind);
        }
    });
    add(events::LinkMgr_SetAsLinkSource, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* set = RecordAs<TMedLnkMgr_SetLinkData_In>(in);
        const bool done = set != nullptr && SetAsLinkSource(idOf(set->Tape), set->Line, set->FlagText);
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = done;
    });
    add(events::LinkMgr_SetAsLinkDest, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* set = RecordAs<TMedLnkMgr_SetLinkData_In>(in);
        const bool done = set != nullptr && SetAsLinkDest(idOf(set->Tape), set->Line, set->FlagText);
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = done;
    });
    add(events::LinkMgr_SetAsTotalLinkSource, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* set = RecordAs<TMedLnkMgr_SetTotalLinkSourceData_In>(in);
        auto* answer = RecordAs<TMedLnkMgr_SetTotalLinkSourceData_Out>(out);
        if (set == nullptr || answer == nullptr) return;
        const std::optional<std::string> number = SetAsTotalLinkSource(idOf(set->Tape), set->Line);
        answer->Done = number.has_value();
        answer->LinkNumber = number.value_or(std::string());
    });
    add(events::LinkMgr_SetAsTotalLinkDest, [this, idOf](TMedRecord* in, TMedRecord*) {
        if (const auto* set = RecordAs<TMedLnkMgr_SetTotalLinkDestData_In>(in)) {
            SetAsTotalLinkDest(idOf(set->DestTape), set->DestLine, idOf(set->SourceTape), set->SourceLine,
                               set->LinkNumber);
        }
    });
    add(events::LinkMgr_Unlink, [this, idOf](TMedRecord* in, TMedRecord*) {
        if (const auto* unlink = RecordAs<TMedLnkMgr_UnLinkData_In>(in)) Unlink(idOf(unlink->Tape), unlink->Line, unlink->Mode);
    });
    add(events::LinkMgr_RemoveBrokenLinks, [this](TMedRecord*, TMedRecord*) { RemoveBrokenLinks(); });
    add(events::LinkMgr_UpdateLinksDisplay, [this](TMedRecord*, TMedRecord*) { UpdateLinksDisplay(); });
    add(events::LinkMgr_RefreshLinkDestsInSeries, [this, idOf](TMedRecord* in, TMedRecord*) {
        if (const auto* refresh = RecordAs<TMedLnkMgr_RefreshLinkDestsInSeries_In>(in)) {
            RefreshLinkDestsInSeries(idOf(refresh->Tape), refresh->SeriesStart);
        }
    });
    add(events::LinkMgr_PotentialCircLink, [this, idOf](TMedRecord* in, TMedRecord* out) {
        auto* check = RecordAs<TMedLnkMgr_PotentialCircLink_In>(in);
        if (check == nullptr) return;
        const std::optional<std::string> chain = PotentialCircLink(idOf(check->Tape), check->Line, check->LinkData);
        check->Chain = chain.value_or(std::string());
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = chain.has_value();
    });
    add(events::LinkMgr_PasteSeriesCircLink, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* check = RecordAs<TMedLnkMgr_PasteSeriesCircLink_In>(in);
        auto* answer = RecordAs<TMedLnkMgr_PasteSeriesCircLink_Out>(out);
        if (check == nullptr || answer == nullptr) return;
        const std::optional<std::string> chain = PasteSeriesCircLink(idOf(check->Tape), check->LinkInfo);
        answer->Circular = chain.has_value();
        answer->Chain = chain.value_or(std::string());
    });
    add(events::LinkMgr_PasteMultSeriesCircLink, [this, idOf](TMedRecord* in, TMedRecord* out) {
        const auto* check = RecordAs<TMedLnkMgr_PasteMultipleSeriesCircLink_In>(in);
        auto* answer = RecordAs<TMedLnkMgr_PasteMultipleSeriesCircLink_Out>(out);
        if (check == nullptr || answer == nullptr) return;
        const std::optional<std::string> chain = PasteMultSeriesCircLink(
            idOf(check->Tape), check->LinkInfo,
            {check->LineCount, check->InsertLine, check->GrandRangeEnd, check->GroupRangeEnd});
        answer->Circular = chain.has_value();
        answer->Chain = chain.value_or(std::string());
    });
    add(events::LinkMgr_ZTLDeletionCircLink, [this, idOf](TMedRecord* in, TMedRecord* out) {
        auto* check = RecordAs<TMedLnkMgr_ZTLDeletionCircLink_In>(in);
        if (check == nullptr) return;
        const std::optional<std::string> chain = ZeroTotalDeletionCircLink(idOf(check->Tape), check->Line);
        check->Chain = chain.value_or(std::string());
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = chain.has_value();
    });
}

void TLinkManager::ConnectTape(TCalculator& tape) {
    TCalculatorHooks& hooks = tape.Hooks();
    // While a drain runs, the sources it queues are its own to refresh: a post-edit pass started
    // inside it sees nothing pending and cannot wait on it.
    hooks.GetPendingLinkCount = [this] { return refreshing_ ? 0 : PendingLinkCount(); };
    hooks.ProcessPendingLinks = [this] { ProcessLinkQueue(); };
    hooks.QueueLinkSource = [this](const std::string& linkData) { QueueLinkSource(linkData); };
    hooks.QueueLinkSourceAtOnce = [this](const std::string& linkData) {
        QueueLinkSource(linkData);
        ProcessLinkQueue();
    };
    hooks.RefreshLinkDestLine = [this](TCalculator& t, LineIndex line) { RefreshLinkDest(t.TapeId(), line + 1); };
    hooks.OnLinksDisplayChange = [this](TCalculator&) { UpdateLinksDisplay(); };
}

}  // namespace tally
