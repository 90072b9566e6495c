// The file manager's page layout, print and print preview commands, and the export of the
// current table to a text file, served on the application bus. The window prints from the
// records these fill; the print commands themselves leave the output to it.

#include <string>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "documents/file_manager_print_records.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/link_manager.h"
#include "output/print_lists.h"
#include "output/table_print_columns.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally {

namespace ev = events;

void TFileManager::RegisterPrintCommands() {
    commands_.Add(ev::FileMgr_GetPrintPreviewFormInfo, [this](TMedRecord*, TMedRecord* out) {
        auto* info = RecordAs<TMedFileMgr_PrintPreviewFormInfo>(out);
        if (info == nullptr) return;
        const TTlyFile& document = Visible();
        info->FileName = document.FileName();
        info->VisibleName = document.VisibleName();
        info->VisibleKind = document.VisibleKind();
    });
    commands_.Add(ev::FileMgr_GetVisibleDocPrintParams, [this](TMedRecord*, TMedRecord* out) {
        auto* params = RecordAs<TMedVisibleDocPrintParams>(out);
        if (params == nullptr) return;
        TTlyFile& document = Visible();
        params->VisibleKind = document.VisibleKind();
        const bool table = document.VisibleKind() == TVisibleKind::Table;
        params->Tape = table ? nullptr : &document.CurrentTape();
        params->Table = table ? document.TableManager().CurrentTable() : nullptr;
        params->PageLayout = &document.PageLayout();
        params->ReportProps = table ? &document.TableReportProps() : &document.TapeReportProps();
        params->UsedAtLinePrefix = kLinksUsedAtPrefix;
        params->FromLinePrefix = kLinksFromPrefix;
        params->LinksSampleText = std::string(kLinksUsedAtPrefix) + " " + "M999-";
        params->EntriesColumn = document.MainTape().ColumnPosition(TTapeColumn::Entries);
    });
    commands_.Add(ev::FileMgr_GetPageLayoutFormParams, [this](TMedRecord*, TMedRecord* out) {
        auto* params = RecordAs<TMedPageLayoutFormParams>(out);
        if (params == nullptr) return;
        TTlyFile& document = Visible();
        params->CurrentTape = &document.CurrentTape();
        params->MainTape = &document.MainTape();
        params->MemoryTape = document.MemoryTape();
        params->SideTape = document.SideTape();
        params->TableManager = &document.TableManager();
        params->AuxManager = &document.AuxManager();
        params->PageLayout = &document.PageLayout();
        params->TapeReportProps = &document.TapeReportProps();
        params->TableReportProps = &document.TableReportProps();
        params->VisibleKind = document.VisibleKind();
        params->FileName = document.FileName();
    });
    commands_.Add(ev::FileMgr_FillCurrTablePrintColPropList, [this](TMedRecord* in, TMedRecord*) {
        auto* list = RecordAs<TMedPrintColPropList>(in);
        if (list == nullptr || list->List == nullptr) return;
        list->List->Clear();
        const TResultsTable* table = Visible().TableManager().CurrentTable();
        if (table != nullptr) FillTablePrintColumns(*table, *list->List);
    });
    // Printing, the HTML and Word outputs and the preview are the window's, from the records
    // above; the commands are accepted and do nothing.
    commands_.Add(ev::FileMgr_PrintVisibleDocument, [](TMedRecord*, TMedRecord*) {});
    commands_.Add(ev::FileMgr_PrintPreviewVisibleDocument, [](TMedRecord*, TMedRecord*) {});

    // No table, a table without data or one that cannot be written is reported.
    commands_.Add(ev::FileMgr_ExportCurrentTableAsTextFile, WithValue<TMedString>([this](const std::string& fileName) {
                      if (ReportNothingToExport()) {
                          ++writesNotDone_;
                          return;
                      }
                      const TResultsTable* table = Visible().TableManager().CurrentTable();
                      if (const TFileResult written = table->ExportAsTextFile(fileName, fileCalls_); !written) {
                          ReportFailure(NotDone(CannotExportTableMessage(fileName, written.Reason)));
                      }
                  }));
}

TPrintSource VisiblePrintSource(const TStMediator& applicationBus) {
    TMedVisibleDocPrintParams params;
    applicationBus.HandleIfExists(ev::FileMgr_GetVisibleDocPrintParams, nullptr, &params);
    TPrintSource source;
    source.IsTable = params.VisibleKind == TVisibleKind::Table;
    source.Tape = params.Tape;
    source.Table = params.Table;
    source.Layout = params.PageLayout;
    source.ReportProps = params.ReportProps;
    source.Prefixes = {params.UsedAtLinePrefix, params.FromLinePrefix};
    source.FileNameBus = &applicationBus;
    return source;
}

}  // namespace tally
