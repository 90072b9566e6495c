#pragma once
// A document wired by hand for the ".tly" file tests: a main tape with a total manager, memory
// and side tapes made on demand, auxiliary tapes from an auxiliary tape manager, results
// tables, a page layout and the two report properties on a headless printer. Keys typed into
// a tape run the requests they post after each key, as the window would.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "documents/tly_document_dump.h"
#include "documents/tly_document_parts.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "engine/tape_fill.h"
#include "engine/totals/total_manager.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "output/page_model.h"
#include "platform/deferred_requests.h"
#include "platform/headless_printer.h"
#include "settings/tape_page_layout.h"
#include "table/results_table.h"
#include "tapes/auxiliary_calculator_manager.h"
#include "tapes/calculator_memory.h"
#include "tapes/side_calculator.h"

namespace tally::test {

class TTestDocument : public ITlyDocumentParts, public ITotalTapes {
public:
    TTestDocument() {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            const auto* message = RecordAs<TOsMsgVariables>(in);
            queue_.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                         message->SecondParam});
        });
        bus_.Add(events::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedObjectReference>(out)->ObjRef = &main_;
        });
        ConnectTape(main_);
        for (TWyn_ReportProperties* report : {&tapeReport_, &tableReport_}) {
            report->SetUnits(TPageUnits::Inches);
            for (auto set : {&TWyn_ReportProperties::SetLeftMargin, &TWyn_ReportProperties::SetRightMargin,
                             &TWyn_ReportProperties::SetTopMargin, &TWyn_ReportProperties::SetBottomMargin}) {
                (report->*set)(1.0L);
            }
        }
    }

    // ---- ITlyDocumentParts
    TCalculator& MainTape() override { return main_; }
    TCalculator* MemoryTape() override { return memory_.get(); }
    TCalculator* SideTape() override { return side_.get(); }
    TCalculator& EnableMemoryTape() override {
        if (!memory_) ConnectTape(*(memory_ = std::make_unique<TCalculatorMemory>(&bus_)));
        return *memory_;
    }
    TCalculator& EnableSideTape() override {
        if (!side_) ConnectTape(*(side_ = std::make_unique<TSideCalculator>(&bus_)));
        return *side_;
    }
    std::vector<std::pair<std::string, TCalculator*>> AuxiliaryTapes() override {
        std::vector<std::pair<std::string, TCalculator*>> tapes;
        for (int index = 0; index < aux_.Count(); ++index) {
            tapes.emplace_back(aux_.TapeAt(index)->TapeName(), aux_.TapeAt(index));
        }
        return tapes;
    }
    TCalculator* AddAuxiliaryTape(std::string_view tapeName) override {
        TCalculator* tape = aux_.CreateByName(tapeName);
        if (tape) ConnectTape(*tape);
        return tape;
    }
    std::string TapeLabel(const TCalculator& tape) const override { return aux_.Label(&tape); }
    void SetTapeLabel(const TCalculator& tape, std::string label) override { aux_.SetLabel(&tape, std::move(label)); }
    std::vector<std::pair<std::string, TResultsTable*>> Tables() override {
        std::vector<std::pair<std::string, TResultsTable*>> tables;
        for (const auto& table : tables_) tables.emplace_back(table->TableName(), table.get());
        return tables;
    }
    TResultsTable* AddTable(std::string_view tableName) override {
        if (tableName.size() != 7 || !tableName.starts_with("Table ") || tables_.size() >= 26) return nullptr;
        for (const auto& table : tables_) {
            if (table->TableName() == tableName) return nullptr;
        }
        auto& table = tables_.emplace_back(std::make_unique<TResultsTable>());
        table->SetTableName(std::string(tableName));
        return table.get();
    }
    TTapePageLayout& PageLayout() override { return layout_; }
    TWyn_ReportProperties& TapeReportProps() override { return tapeReport_; }
    TWyn_ReportProperties& TableReportProps() override { return tableReport_; }
    TRoundingMethod RoundingMethod() const override { return rounding_; }
    void SetRoundingMethod(TRoundingMethod method) override { rounding_ = method; }
    std::string FinishLoad() override {
        ++finishLoadCalls_;
        if (!recalculateOnFinish_) return finishLoadAnswer_;
        for (TCalculator* tape : AllTapes()) {
            tape->RefreshAll();
            RunRequests(*tape);
            tape->SetModified(false);
        }
        return finishLoadAnswer_;
    }

    // ---- ITotalTapes
    TCalculator* TapeById(char tapeId) override {
        for (TCalculator* tape : AllTapes()) {
            if (tape->TapeId() == tapeId) return tape;
        }
        return nullptr;
    }

    std::vector<TCalculator*> AllTapes() {
        std::vector<TCalculator*> tapes{&main_};
        if (memory_) tapes.push_back(memory_.get());
        if (side_) tapes.push_back(side_.get());
        for (const auto& [name, tape] : AuxiliaryTapes()) tapes.push_back(tape);
        return tapes;
    }

    // Keys one by one ('\n' is Enter), the requests they post run after each.
    void Type(TCalculator& tape, std::string_view keys) {
        TypeKeys(tape, keys, [this, &tape] { RunRequests(tape); });
    }
    void RunRequests(TCalculator& tape) {
        TTapeRequestRunner runner(tape);
        queue_.Drain([&runner](const TDeferredRequest& request) { runner.Run(request); });
    }

    // Everything the file holds, read from the model itself, one item a line.
    std::string Dump() { return DumpDocument(*this); }

    int finishLoadCalls_ = 0;
    std::string finishLoadAnswer_;
    // Off, an opened document keeps its lines exactly as read (the benchmarks time the file alone).
    bool recalculateOnFinish_ = true;

private:
    void ConnectTape(TCalculator& tape) {
        tape.Hooks().ProcessPendingTotals = [this](TCalculator&) { totals_.ProcessPendingTotals(); };
        aux_.ConnectTape(tape);
    }

    HeadlessPrinter printer_;
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    TCalculator main_{'t', &bus_};
    std::unique_ptr<TCalculatorMemory> memory_;
    std::unique_ptr<TSideCalculator> side_;
    TAuxiliaryCalculatorManager aux_{&bus_};
    std::vector<std::unique_ptr<TResultsTable>> tables_;
    TTotalManager totals_{bus_, *this};
    TTapePageLayout layout_{&bus_};
    TWyn_ReportProperties tapeReport_{printer_};
    TWyn_ReportProperties tableReport_{printer_};
    TRoundingMethod rounding_ = TRoundingMethod::Up;
};

}  // namespace tally::test
