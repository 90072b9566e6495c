#include "engine/totals/total_manager.h"

#include <vector>

#include "engine/lines/calc_params.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"

namespace tally {
namespace {

// A tape's totals are collected again while recalculating records new flags; each round
// settles at least the flags it saw, so a few rounds suffice. The bound stops a cycle.
constexpr int kMaxRoundsPerTape = 16;

bool IsDeletionFlag(const std::string& flag) { return flag == "TD" || flag == "gD" || flag == "GD"; }

// The single-line ranges a round of flags reaches, in tape order.
std::vector<LineIndex> SelectTotalsToRecalculate(const TTapeTotalInfoList& list) {
    std::vector<LineIndex> selected;
    bool groupInserted = false;
    bool grandInserted = false;
    bool refreshNextGrand = false;
    bool refreshNextGroup = false;
    for (const TTapeTotalInfoListItem& item : list) {
        const char kind = item.Indicator.empty() ? '\0' : item.Indicator.front();
        if (kind == 'g' || kind == 'G') {
            const bool isGroup = kind == 'g';
            bool refresh = false;
            if (groupInserted) {
                groupInserted = false;
                refresh = true;
            } else if (grandInserted) {
                grandInserted = false;
                refresh = true;
            } else if (IsDeletionFlag(item.StatusFlag)) {
                refresh = true;
            } else if (item.StatusFlag == "I") {
                (isGroup ? groupInserted : grandInserted) = true;
            }
            if (refresh) {
                refreshNextGrand = true;
                if (isGroup) refreshNextGroup = true;
            }
            bool& mark = isGroup ? refreshNextGroup : refreshNextGrand;
            if (mark) {
                mark = false;
                if (item.DisplayState == "SL") selected.push_back(item.Line);
            }
        } else if (!item.StatusFlag.empty()) {
            refreshNextGrand = refreshNextGroup = true;
        }
    }
    return selected;
}

}  // namespace

TTotalManager::TTotalManager(TStMediator& bus, ITotalTapes& tapes) : bus_(bus), tapes_(tapes) {
    bus_.Add(events::TotalMgr_DetermineTotalSeriesContent, [](TMedRecord* in, TMedRecord*) {
        auto* request = RecordAs<TMedTotalMgr_DetermineTotalSeriesContent_In>(in);
        if (request == nullptr || request->InfoList == nullptr || request->Content == nullptr) return;
        *request->Content = DetermineTotalSeriesContent(*request->InfoList, request->Line, request->SeriesType,
                                                        request->DisplayState);
    });
    bus_.Add(events::TotalMgr_RecordSeriesTotalStatusChange, [this](TMedRecord* in, TMedRecord*) {
        if (const auto* tape = RecordAs<TMedChar>(in)) RecordStatusChange(tape->Value);
    });
}

TTotalManager::~TTotalManager() {
    bus_.Remove(events::TotalMgr_DetermineTotalSeriesContent);
    bus_.Remove(events::TotalMgr_RecordSeriesTotalStatusChange);
}

void TTotalManager::RecordStatusChange(char tapeId) {
    if (pendingTapes_.find(tapeId) == std::string::npos) pendingTapes_.push_back(tapeId);
}

void TTotalManager::ProcessPendingTotals() {
    while (!pendingTapes_.empty()) {
        const char tapeId = pendingTapes_.front();
        TCalculator* tape = tapeId != '\0' ? tapes_.TapeById(tapeId) : nullptr;
        if (tape != nullptr) ProcessTape(*tape);
        // The letter may have come back while the tape was processed; it was handled.
        const auto at = pendingTapes_.find(tapeId);
        if (at != std::string::npos) pendingTapes_.erase(at, 1);
    }
}

void TTotalManager::ProcessTape(TCalculator& tape) {
    for (int round = 0; round < kMaxRoundsPerTape; ++round) {
        // The flags of this round; those recorded while it recalculates wait for the next.
        const std::vector<LineIndex> flagged = tape.Lines().FlaggedLines();
        if (flagged.empty()) return;
        for (LineIndex line : SelectTotalsToRecalculate(tape.CollectFlaggedSeriesTotals())) {
            tape.RecalculateTotalAt(line);
        }
        // Recalculating changes no line count, so the flagged lines still hold.
        for (LineIndex line : flagged) tape.Lines().SetProperty(line, LineKey::kTotalStatusFlag, "");
    }
}

}  // namespace tally
