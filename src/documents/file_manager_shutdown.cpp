// How the program was left: the visible document's parts and shown columns are stored in the
// settings at the end of a run, and the first new document of the next run is set up so.

#include <cctype>

#include "documents/file_manager.h"
#include "foundation/event_names.h"
#include "settings/appl_control_data.h"
#include "settings/appl_records.h"
#include "table/results_table.h"
#include "table/table_manager.h"

namespace tally {

namespace {

// Auxiliary tapes are named "Aux " and tables "Table " followed by their upper-case id.
constexpr std::string_view kAuxPrefix = "Aux ";
constexpr std::string_view kTablePrefix = "Table ";

std::string NameOfId(std::string_view prefix, char id) {
    return std::string(prefix) + static_cast<char>(std::toupper(static_cast<unsigned char>(id)));
}

char IdOfName(std::string_view prefix, const std::string& name) {
    const std::size_t at = prefix.size();
    return name.size() > at ? static_cast<char>(std::tolower(static_cast<unsigned char>(name[at]))) : '\0';
}

}  // namespace

void TFileManager::ApplyStartConfig(TTlyFile& document) {
    if (applicationBus_ == nullptr) return;
    TFileShutdownConfig config;
    if (!applicationBus_->HandleIfExists(events::ApplCtl_GetFileShutdownConfig, nullptr, &config)) return;
    if (config.MemoryEnabled) document.EnableMemory(true);
    if (config.SideTapeEnabled) document.EnableSide(true);
    for (const char id : config.AuxTapeIds) document.AddAuxTape(NameOfId(kAuxPrefix, id));
    for (const char id : config.TableIds) document.AddTableNamed(NameOfId(kTablePrefix, id));
    document.ShowColumn(TTapeColumn::Annotations, config.AnnotationsEnabled);
    document.ShowColumn(TTapeColumn::Line, config.ShowingLineNumbers);
    document.ShowColumn(TTapeColumn::Links, config.ShowingLinks);
    document.ShowColumn(TTapeColumn::RunningTotal, config.ShowingRunningTotal);
    document.ShowColumn(TTapeColumn::TableColumns, config.ShowingTableColumns);
    document.ShowThousands(config.ShowingThousandSeparator);
    document.ShowTape(document.MainTape());
    // Taking over the last run's set-up is no change of the new document.
    document.ClearModified();
}

void TFileManager::StoreShutdownState() const {
    if (settings_ == nullptr) return;
    TTlyFile& document = Visible();
    TApplControlData& settings = *settings_;
    settings.MemoryEnabled = document.MemoryTape() != nullptr;
    settings.SideTapeEnabled = document.SideTape() != nullptr;
    settings.AuxTapeIds.clear();
    for (const auto& [name, tape] : document.AuxiliaryTapes()) {
        if (const char id = IdOfName(kAuxPrefix, name); id != '\0') settings.AuxTapeIds += id;
    }
    settings.TableIds.clear();
    for (const auto& [name, table] : document.Tables()) {
        if (const char id = IdOfName(kTablePrefix, name); id != '\0') settings.TableIds += id;
    }
    const TCalculator& main = document.MainTape();
    settings.AnnotationsEnabled = main.IsColumnShown(TTapeColumn::Annotations);
    settings.ShowingLineNumbers = main.IsColumnShown(TTapeColumn::Line);
    settings.ShowingLinks = main.IsColumnShown(TTapeColumn::Links);
    settings.ShowingRunningTotal = main.IsColumnShown(TTapeColumn::RunningTotal);
    settings.ShowingTableColumns = main.IsColumnShown(TTapeColumn::TableColumns);
    settings.ShowingThousandSeparator = main.ShowThousands();
    const TResultsTable* table = document.TableManager().CurrentTable();
    settings.ShowingTableAnnotations = table != nullptr && table->AnnotationColumn() != 0;
    settings.ShowingTableLineNumbers = table != nullptr && table->LineNumberColumn() != 0;
}

}  // namespace tally
