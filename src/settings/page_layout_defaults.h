#pragma once
// The initial print settings of new and reset documents: show flags, column groups, highlight
// colours, font, margins and their unit, page orientation, and the default titles and page
// headings of tapes and tables. Loaded at start-up from the same store as the application
// settings; changed and saved only by the six "Save ... As Default" commands.

#include <string>
#include <vector>

#include "settings/bus_answers.h"
#include "settings/print_settings.h"
#include "settings/setting_fields.h"
#include "settings/settings_storage.h"

namespace tally {

class TTapePageLayout;

class TPageLayoutDefaults {
public:
    // Registers the defaults' events on the bus (none when null); the storage must outlive it.
    TPageLayoutDefaults(TStMediator* bus, const TSettingsStorage& storage);
    TPageLayoutDefaults(const TPageLayoutDefaults&) = delete;
    TPageLayoutDefaults& operator=(const TPageLayoutDefaults&) = delete;

    TSettingsStore SettingsStore = TSettingsStore::SettingsFile;

    TTapePrintFlags Tape;
    TColumnGroups TapeColumnGroups;
    TReportSettings TapeReport;
    std::string TapeTitle;
    std::string TapePageHeader;

    TTablePrintFlags Table;
    TColumnGroups TableColumnGroups;
    std::int32_t TableLinesPerGroup = 5;
    TReportSettings TableReport;
    std::string TableTitle;
    std::string TablePageHeader;

    // Loads from the selected store; a missing file or key keeps the values.
    void Load();
    // Saves every value into the selected store, creating the file and its folder when missing.
    TSaveResult Save();

    // The six "Save ... As Default" commands: each takes one group of values and saves.
    TSaveResult SaveTapeTitleAsDefault(const std::string& title, const std::string& pageHeader);
    TSaveResult SaveTapePageLayoutAsDefault(const TTapePrintFlags& flags, const TReportSettings& report);
    // The number is stored as 1 when the groups are calculated automatically.
    TSaveResult SaveTapeColumnGroupsAsDefault(bool autoCalc, std::int32_t count);
    TSaveResult SaveTableTitleAsDefault(const std::string& title, const std::string& pageHeader);
    TSaveResult SaveTablePageLayoutAsDefault(const TTablePrintFlags& flags, std::int32_t linesPerGroup,
                                             const TReportSettings& report);
    TSaveResult SaveTableColumnGroupsAsDefault(bool autoCalc, std::int32_t count);

    // Copies the defaults into a document's page layout and report settings.
    void ApplyTo(TTapePageLayout& layout, TReportSettings& tapeReport, TReportSettings& tableReport) const;

private:
    std::vector<TSettingField> Fields();

    TBusAnswers answers_;
    const TSettingsStorage& storage_;
};

}  // namespace tally
