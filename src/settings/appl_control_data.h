#pragma once
// The application-wide settings: the general options, the main window's geometry and display
// choices, the reopen list, and the configuration the program had when it was last closed.
// Answers the settings events of the application bus; loads from and saves to the store its
// SettingsStore selects. Values with a range are set through setters that keep them in it,
// and every loaded value passes the same checks.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/font_description.h"
#include "settings/appl_records.h"
#include "settings/bus_answers.h"
#include "settings/reopen_list.h"
#include "settings/setting_fields.h"
#include "settings/settings_storage.h"

namespace tally {

// Default colours of the total and embedded series lines by the display's colour depth (bits
// per pixel times colour planes).
struct TScreenColorDefaults {
    std::uint32_t EmbeddedSeries;
    std::uint32_t GrandTotal;
    std::uint32_t GroupTotal;
};
TScreenColorDefaults ScreenColorDefaults(int colorDepth);

// Data entry option codes in the stores: "Manual" 1 ... "AddingMachine" 5; 0 is "not set".
std::string_view DataEntryOptionCode(int option);
int DataEntryOptionOf(std::string_view code);

class TApplControlData {
public:
    static constexpr int kMaxStartupDecimals = 15;
    static constexpr int kMaxFontSize = 400;

    // Registers the settings events on the bus (none when null); the storage must outlive it.
    TApplControlData(TStMediator* bus, const TSettingsStorage& storage, int colorDepth = 24);
    ~TApplControlData();
    TApplControlData(const TApplControlData&) = delete;
    TApplControlData& operator=(const TApplControlData&) = delete;

    // Plain options: any value is valid.
    bool AnnotationsEnabled = false;
    bool AutoIncreaseDecimalPlaces = false;
    bool AutoStartNewCalc = false;
    bool AutosetTotalType = true;
    bool ShowGrandTotalItemCount = false;
    bool ShowGroupTotalItemCount = false;
    bool ShowSeriesTotalItemCount = false;
    std::string CustomColors;
    bool ConfirmDeleteLine = false;
    bool ConfirmEraseTape = true;
    bool ConfirmDisableAnnot = true;
    bool ConfirmDeleteSeries = true;
    bool ConfirmDeleteTableLine = false;
    bool ConfirmDeleteTableColumn = true;
    bool ConfirmEmptyResetTable = true;
    std::string AuxTapeIds;
    std::string TableIds;
    std::int32_t FormHeight = -1;  // -1: not set
    std::int32_t FormLeft = -1;
    std::int32_t FormTop = -1;
    bool HideBottomPanel = false;
    bool HideKeypad = false;
    bool HideNonessentialMenus = false;
    bool MemoryEnabled = false;
    bool ShowingLineNumbers = false;
    bool ShowingLinks = false;
    bool ShowingRunningTotal = false;
    bool ShowingTableAnnotations = false;
    bool ShowingTableColumns = false;
    bool ShowingTableLineNumbers = false;
    bool ShowingThousandSeparator = true;
    bool SideTapeEnabled = false;
    bool StayOnTop = false;
    TSettingsStore SettingsStore = TSettingsStore::SettingsFile;

    // Default data entry option 0 to 5 (0: not set); other values are ignored.
    int DefaultDataEntry() const { return defaultDataEntry_; }
    void SetDefaultDataEntry(int option);
    // 1 and more; other values are ignored.
    std::int32_t MaxTableDataCols() const { return maxTableDataCols_; }
    void SetMaxTableDataCols(std::int32_t columns);
    // 0 to 15; other values are ignored.
    int StartupDecimals() const { return startupDecimals_; }
    void SetStartupDecimals(int places);
    // 0 up, 1 even; other values are ignored.
    int StartupRoundingMethod() const { return startupRoundingMethod_; }
    void SetStartupRoundingMethod(int method);
    // Colours 0x00BBGGRR; values with the high byte set are ignored.
    std::uint32_t FocusHLColor() const { return focusHLColor_; }
    void SetFocusHLColor(std::uint32_t color);
    std::uint32_t ZTLColor() const { return ztlColor_; }
    void SetZTLColor(std::uint32_t color);
    std::uint32_t EmbeddedSeriesColor() const { return embeddedSeriesColor_; }
    void SetEmbeddedSeriesColor(std::uint32_t color);
    std::uint32_t GrandTotalColor() const { return grandTotalColor_; }
    void SetGrandTotalColor(std::uint32_t color);
    std::uint32_t GroupTotalColor() const { return groupTotalColor_; }
    void SetGroupTotalColor(std::uint32_t color);
    // "SL", "GT" or "ST" / "SL" or "ST"; other texts are ignored.
    const std::string& GrandTotalCreationDisplayState() const { return grandTotalDisplayState_; }
    void SetGrandTotalCreationDisplayState(std::string_view state);
    const std::string& GroupTotalCreationDisplayState() const { return groupTotalDisplayState_; }
    void SetGroupTotalCreationDisplayState(std::string_view state);
    // An empty name or a size outside 1 to 400 keeps the old name or size.
    const TFontDescription& TapeScreenFont() const { return tapeScreenFont_; }
    void SetTapeScreenFont(const TFontDescription& font);

    // The reopen list. The observer is told after every change that may alter it (the window
    // keeps its Reopen menu current with it).
    const std::vector<std::string>& ReopenList() const { return reopenList_.Names(); }
    int MaxMRUFiles() const { return reopenList_.MaxLength(); }
    void SetMaxMRUFiles(int length) {
        reopenList_.SetMaxLength(length);
        ReopenListChanged();
    }
    void AddToReopenList(const std::string& fileName) {
        reopenList_.Add(fileName);
        ReopenListChanged();
    }
    void DropMissingReopenFiles() {
        reopenList_.DropMissing();
        ReopenListChanged();
    }
    std::string MostRecentFolder() const { return reopenList_.MostRecentFolder(); }
    void SetReopenListObserver(std::function<void()> observer) { reopenListObserver_ = std::move(observer); }

    TFileShutdownConfig FileShutdownConfig() const;
    TGenlOptionsVariables GenlOptionsVariables() const;

    // Loads from the selected store; a missing file or key keeps the values. Then applies the
    // fixes every load ends with.
    void Load();
    // Saves everything into the selected store, creating the file (and its folder) when missing.
    TSaveResult Save();

private:
    std::vector<TSettingField> Fields();
    void LoadFromIni(const TIniFile& file);
    void LoadFromRegistry(const TRegistryStore& store);
    void ApplyPostLoadFixes();
    void SaveToIni(TIniFile& file);
    void SaveToRegistry(TRegistryStore& store);
    void RegisterEvents();
    void ReopenListChanged() const {
        if (reopenListObserver_) reopenListObserver_();
    }

    TBusAnswers answers_;
    const TSettingsStorage& storage_;
    TScreenColorDefaults screenDefaults_;
    int defaultDataEntry_ = 0;
    std::int32_t maxTableDataCols_ = 20;
    int startupDecimals_ = 2;
    int startupRoundingMethod_ = 0;
    std::uint32_t focusHLColor_ = 0xFFFF00;
    std::uint32_t ztlColor_ = 0xC0C0C0;
    std::uint32_t embeddedSeriesColor_;
    std::uint32_t grandTotalColor_;
    std::uint32_t groupTotalColor_;
    std::string grandTotalDisplayState_ = "SL";
    std::string groupTotalDisplayState_ = "SL";
    TFontDescription tapeScreenFont_{.Name = "System", .Size = 10, .Bold = true};
    TReopenList reopenList_;
    std::function<void()> reopenListObserver_;
};

}  // namespace tally
