#include "output/standalone_tape_print.h"

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "output/tape_page_composer.h"
#include "settings/print_settings.h"
#include "settings/tape_page_layout.h"

namespace tally {

TPrintJobResult PrintStandaloneTape(const TCalculator& tape, IPrinter& printer, const TReportSettings& settings,
                                    const std::string& fileName) {
    // The page layout reads the printed columns from the main tape on its document bus.
    TStMediator documentBus;
    documentBus.Add(events::FileObj_GetMainTapeCalcObject, [&tape](TMedRecord*, TMedRecord* out) {
        if (auto* reference = RecordAs<TMedObjectReference>(out)) reference->ObjRef = const_cast<TCalculator*>(&tape);
    });
    TStMediator fileNameBus;
    fileNameBus.Add(events::FileMgr_GetVisibleFileName, [&fileName](TMedRecord*, TMedRecord* out) {
        if (auto* name = RecordAs<TMedString>(out)) name->Value = fileName;
    });
    TTapePageLayout layout(&documentBus);
    TWyn_ReportProperties report(printer);
    report.Assign(settings);
    return PrintTape(tape, layout, report, {}, &fileNameBus);
}

}  // namespace tally
