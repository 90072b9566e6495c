#include "settings/appl_control_data.h"

#include <array>

#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "settings/print_settings.h"
#include "settings/setting_values.h"

namespace tally {

namespace {

constexpr std::string_view kConfirmSection = "Confirmation Options";
constexpr std::string_view kMiscSection = "Miscellaneous Options";
constexpr std::string_view kFontSection = "Tape Screen Font";
constexpr std::string_view kMruSection = "Most Recently Used Files";
constexpr std::string_view kMainKey = "Software\\Orvanta\\Tallyroll";
constexpr std::string_view kFontKey = "Software\\Orvanta\\Tallyroll\\TapeScreenFont";
constexpr std::string_view kMruKey = "Software\\Orvanta\\Tallyroll\\MRUFiles";
constexpr std::string_view kMruPrefix = "MruFile";

constexpr std::array<std::string_view, 6> kDataEntryCodes = {"", "Manual", "AutoStart", "EnterKey",
                                                             "AutoEmbed", "AddingMachine"};

bool IsGrandTotalDisplayState(std::string_view state) { return state == "SL" || state == "GT" || state == "ST"; }
bool IsGroupTotalDisplayState(std::string_view state) { return state == "SL" || state == "ST"; }
bool IsColor(std::uint32_t color) { return color <= kMaxColor; }

// "up" 0, "even" 1, other texts none.
std::optional<int> RoundingMethodOf(std::string_view text) {
    if (EqualNoCase(text, "up")) return 0;
    if (EqualNoCase(text, "even")) return 1;
    return std::nullopt;
}

void SetColorIfValid(std::uint32_t& field, std::uint32_t color) {
    if (IsColor(color)) field = color;
}

std::string MruName(std::size_t position) { return std::string(kMruPrefix) + std::to_string(position); }

}  // namespace

TScreenColorDefaults ScreenColorDefaults(int colorDepth) {
    if (colorDepth >= 16) return {0xCCFFCC, 0xFDCF9D, 0xFEE4C2};
    if (colorDepth >= 8) return {0xC0DCC0, 0xC0C0C0, 0xF0CAA6};
    return {0x00FF00, 0xC0C0C0, 0x00FFFF};
}

std::string_view DataEntryOptionCode(int option) {
    return (option >= 0 && option < static_cast<int>(kDataEntryCodes.size())) ? kDataEntryCodes[option] : "";
}

int DataEntryOptionOf(std::string_view code) {
    for (std::size_t option = 1; option < kDataEntryCodes.size(); ++option) {
        if (EqualNoCase(code, kDataEntryCodes[option])) return static_cast<int>(option);
    }
    return 0;
}

TApplControlData::TApplControlData(TStMediator* bus, const TSettingsStorage& storage, int colorDepth)
    : answers_(bus),
      storage_(storage),
      screenDefaults_(ScreenColorDefaults(colorDepth)),
      embeddedSeriesColor_(screenDefaults_.EmbeddedSeries),
      grandTotalColor_(screenDefaults_.GrandTotal),
      groupTotalColor_(screenDefaults_.GroupTotal) {
    RegisterEvents();
}

TApplControlData::~TApplControlData() = default;

void TApplControlData::RegisterEvents() {
    namespace ev = events;
    answers_.Answer<TMedBoolean>(ev::ApplCtl_ConfirmDeleteTableCol, [this] { return ConfirmDeleteTableColumn; });
    answers_.Answer<TMedBoolean>(ev::ApplCtl_GetAutoIncreaseDecimalPlacesOption,
                                 [this] { return AutoIncreaseDecimalPlaces; });
    answers_.Answer<TMedBoolean>(ev::ApplCtl_GetAutoSetTotalTypeOption, [this] { return AutosetTotalType; });
    answers_.Answer<TMedInteger>(ev::ApplCtl_GetDefaultDataEntryOption, [this] { return defaultDataEntry_; });
    answers_.Answer<TMedColor>(ev::ApplCtl_GetEmbeddedSeriesColor, [this] { return embeddedSeriesColor_; });
    answers_.Add(ev::ApplCtl_GetFileShutdownConfig, [this](TMedRecord*, TMedRecord* out) {
        if (auto* config = RecordAs<TFileShutdownConfig>(out)) *config = FileShutdownConfig();
    });
    answers_.Answer<TMedColor>(ev::ApplCtl_GetGrandTotalColor, [this] { return grandTotalColor_; });
    answers_.Answer<TMedString>(ev::ApplCtl_GetGrandTotalCreationDisplayState,
                                [this] { return grandTotalDisplayState_; });
    answers_.Answer<TMedColor>(ev::ApplCtl_GetGroupTotalColor, [this] { return groupTotalColor_; });
    answers_.Answer<TMedString>(ev::ApplCtl_GetGroupTotalCreationDisplayState,
                                [this] { return groupTotalDisplayState_; });
    answers_.Answer<TMedInteger>(ev::ApplCtl_GetMaxTableDataCols, [this] { return maxTableDataCols_; });
    answers_.Answer<TMedBoolean>(ev::ApplCtl_GetShowGrandTotalItemCount, [this] { return ShowGrandTotalItemCount; });
    answers_.Answer<TMedBoolean>(ev::ApplCtl_GetShowGroupTotalItemCount, [this] { return ShowGroupTotalItemCount; });
    answers_.Answer<TMedBoolean>(ev::ApplCtl_GetShowSeriesTotalItemCount,
                                 [this] { return ShowSeriesTotalItemCount; });
    answers_.Answer<TMedInteger>(ev::ApplCtl_GetStartupDecimalPlaces, [this] { return startupDecimals_; });
    answers_.Answer<TMedInteger>(ev::ApplCtl_GetStartupRoundingMethod, [this] { return startupRoundingMethod_; });
    answers_.Answer<TMedColor>(ev::ApplCtl_GetTapeFocusHighlightColor, [this] { return focusHLColor_; });
    answers_.Add(ev::ApplCtl_GetTapeScreenFont, [this](TMedRecord*, TMedRecord* out) {
        if (auto* font = RecordAs<TMedFont>(out)) font->Font = tapeScreenFont_;
    });
    answers_.Answer<TMedColor>(ev::ApplCtl_GetZeroTotalLineColor, [this] { return ztlColor_; });
    answers_.Add(ev::ApplCtl_SetMaxTableDataCols, [this](TMedRecord* in, TMedRecord*) {
        if (const auto* columns = RecordAs<TMedInteger>(in)) SetMaxTableDataCols(columns->Value);
    });
}

void TApplControlData::SetDefaultDataEntry(int option) {
    if (option >= 0 && option < static_cast<int>(kDataEntryCodes.size())) defaultDataEntry_ = option;
}

void TApplControlData::SetMaxTableDataCols(std::int32_t columns) {
    if (columns >= 1) maxTableDataCols_ = columns;
}

void TApplControlData::SetStartupDecimals(int places) {
    if (places >= 0 && places <= kMaxStartupDecimals) startupDecimals_ = places;
}

void TApplControlData::SetStartupRoundingMethod(int method) {
    if (method == 0 || method == 1) startupRoundingMethod_ = method;
}

void TApplControlData::SetFocusHLColor(std::uint32_t color) { SetColorIfValid(focusHLColor_, color); }
void TApplControlData::SetZTLColor(std::uint32_t color) { SetColorIfValid(ztlColor_, color); }
void TApplControlData::SetEmbeddedSeriesColor(std::uint32_t color) { SetColorIfValid(embeddedSeriesColor_, color); }
void TApplControlData::SetGrandTotalColor(std::uint32_t color) { SetColorIfValid(grandTotalColor_, color); }
void TApplControlData::SetGroupTotalColor(std::uint32_t color) { SetColorIfValid(groupTotalColor_, color); }

void TApplControlData::SetGrandTotalCreationDisplayState(std::string_view state) {
    if (IsGrandTotalDisplayState(state)) grandTotalDisplayState_ = state;
}

void TApplControlData::SetGroupTotalCreationDisplayState(std::string_view state) {
    if (IsGroupTotalDisplayState(state)) groupTotalDisplayState_ = state;
}

void TApplControlData::SetTapeScreenFont(const TFontDescription& font) {
    const TFontDescription old = tapeScreenFont_;
    tapeScreenFont_ = font;
    if (!IsFontName(font.Name)) tapeScreenFont_.Name = old.Name;
    if (font.Size < 1 || font.Size > kMaxFontSize) tapeScreenFont_.Size = old.Size;
}

TFileShutdownConfig TApplControlData::FileShutdownConfig() const {
    TFileShutdownConfig config;
    config.AuxTapeIds = AuxTapeIds;
    config.TableIds = TableIds;
    config.AnnotationsEnabled = AnnotationsEnabled;
    config.MemoryEnabled = MemoryEnabled;
    config.ShowingLineNumbers = ShowingLineNumbers;
    config.ShowingLinks = ShowingLinks;
    config.ShowingRunningTotal = ShowingRunningTotal;
    config.ShowingTableColumns = ShowingTableColumns;
    config.ShowingThousandSeparator = ShowingThousandSeparator;
    config.SideTapeEnabled = SideTapeEnabled;
    return config;
}

TGenlOptionsVariables TApplControlData::GenlOptionsVariables() const {
    TGenlOptionsVariables options;
    options.AutoIncreaseDecimalPlaces = AutoIncreaseDecimalPlaces;
    options.AutoSetTotalType = AutosetTotalType;
    options.EmbeddedSeriesColor = embeddedSeriesColor_;
    options.GrandTotalColor = grandTotalColor_;
    options.GroupTotalColor = groupTotalColor_;
    options.GrandTotalCreationDisplayState = grandTotalDisplayState_;
    options.GroupTotalCreationDisplayState = groupTotalDisplayState_;
    options.FocusHighlightColor = focusHLColor_;
    options.TapeScreenFont = tapeScreenFont_;
    options.ZeroTotalLineColor = ztlColor_;
    return options;
}

// Every stored value but the reopen list and its length, the rounding method and the data
// entry option, whose texts need their own rules.
std::vector<TSettingField> TApplControlData::Fields() {
    const auto confirm = [](std::string_view name, bool* target, bool loadDefault) {
        return TSettingField{kConfirmSection, kMainKey, name, target, loadDefault};
    };
    const auto misc = [](std::string_view name, TFieldTarget target, TFieldDefault loadDefault) {
        return TSettingField{kMiscSection, kMainKey, name, target, loadDefault};
    };
    const auto color = [&misc](std::string_view name, std::uint32_t* target, std::uint32_t loadDefault) {
        return misc(name, TColorField{target}, loadDefault);
    };
    const auto state = [](std::string_view name, std::string* target, bool (*valid)(std::string_view)) {
        TSettingField field{kMiscSection, kMainKey, name, target, std::string_view("SL")};
        field.ValidText = valid;
        return field;
    };
    TSettingField maxTableDataCols = misc("MaxTableDataCols", &maxTableDataCols_, std::int32_t{20});
    maxTableDataCols.Min = 1;
    TSettingField startupDecimals = misc("StartupDecimals", &startupDecimals_, std::int32_t{2});
    startupDecimals.Min = 0;
    startupDecimals.Max = kMaxStartupDecimals;
    TSettingField fontName{kFontSection, kFontKey, "Name", &tapeScreenFont_.Name, std::string_view("System")};
    fontName.ValidText = IsFontName;
    TSettingField fontSize{kFontSection, kFontKey, "Size", &tapeScreenFont_.Size, std::int32_t{10}};
    fontSize.Min = 1;
    fontSize.Max = kMaxFontSize;

    return {
        confirm("ConfirmDeleteLine", &ConfirmDeleteLine, false),
        confirm("ConfirmDeleteSeries", &ConfirmDeleteSeries, true),
        confirm("ConfirmDisableAnnot", &ConfirmDisableAnnot, true),
        confirm("ConfirmEraseTape", &ConfirmEraseTape, true),
        confirm("ConfirmDeleteTableLine", &ConfirmDeleteTableLine, false),
        confirm("ConfirmDeleteTableColumn", &ConfirmDeleteTableColumn, true),
        confirm("ConfirmEmptyResetTable", &ConfirmEmptyResetTable, true),
        misc("CustomColors", &CustomColors, std::string_view("ColorA=C0C0C0,ColorB=CCFFCC,ColorC=FEE4C2,ColorD=FDCF9D")),
        color("FocusHLColor", &focusHLColor_, 0xFFFF00),
        color("ZTLColor", &ztlColor_, 0xC0C0C0),
        color("EmbeddedSeriesColor", &embeddedSeriesColor_, 0),
        color("GrandTotalColor", &grandTotalColor_, 0),
        color("GroupTotalColor", &groupTotalColor_, 0),
        state("GrandTotalCreationDisplayState", &grandTotalDisplayState_, IsGrandTotalDisplayState),
        state("GroupTotalCreationDisplayState", &groupTotalDisplayState_, IsGroupTotalDisplayState),
        misc("FormHeight", &FormHeight, std::int32_t{-1}),
        misc("FormLeft", &FormLeft, std::int32_t{-1}),
        misc("FormTop", &FormTop, std::int32_t{-1}),
        misc("HideBottomPanel", &HideBottomPanel, false),
        misc("HideKeypad", &HideKeypad, false),
        misc("HideNonessentialMenus", &HideNonessentialMenus, false),
        misc("StayOnTop", &StayOnTop, false),
        misc("MemoryEnabled", &MemoryEnabled, false),
        misc("SideTapeEnabled", &SideTapeEnabled, false),
        misc("AnnotationsEnabled", &AnnotationsEnabled, false),
        misc("ShowingLineNumbers", &ShowingLineNumbers, false),
        misc("ShowingLinks", &ShowingLinks, false),
        misc("ShowingRunningTotal", &ShowingRunningTotal, false),
        misc("ShowingTableAnnotations", &ShowingTableAnnotations, false),
        misc("ShowingTableColumns", &ShowingTableColumns, false),
        misc("ShowingTableLineNumbers", &ShowingTableLineNumbers, false),
        misc("ShowingThousandSeparator", &ShowingThousandSeparator, true),
        maxTableDataCols,
        startupDecimals,
        misc("ShowGrandTotalItemCount", &ShowGrandTotalItemCount, false),
        misc("ShowGroupTotalItemCount", &ShowGroupTotalItemCount, false),
        misc("ShowSeriesTotalItemCount", &ShowSeriesTotalItemCount, false),
        misc("AutoIncreaseDecimalPlaces", &AutoIncreaseDecimalPlaces, false),
        misc("AutoStartNewCalc", &AutoStartNewCalc, false),
        misc("AutosetTotalType", &AutosetTotalType, true),
        misc("AuxTapeIds", &AuxTapeIds, std::string_view()),
        misc("TableIds", &TableIds, std::string_view()),
        fontName,
        fontSize,
        TSettingField{kFontSection, kFontKey, "Bold", &tapeScreenFont_.Bold, true},
        // A file without the entry gives the upright font a new program starts with.
        TSettingField{kFontSection, kFontKey, "Italic", &tapeScreenFont_.Italic, false},
    };
}

void TApplControlData::Load() {
    TIniRead read = storage_.Read(SettingsStore);
    if (read.Exists) {
        if (SettingsStore == TSettingsStore::SettingsFile) {
            LoadFromIni(read.File);
        } else if (const TRegistryStore store(read.File); store.KeyExists(kMainKey)) {
            LoadFromRegistry(store);
        }
    }
    ApplyPostLoadFixes();
    ReopenListChanged();
}

void TApplControlData::LoadFromIni(const TIniFile& file) {
    LoadFieldsFromIni(file, Fields());
    SetMaxMRUFiles(ParseInteger(file.Read(kMiscSection, "MaxMRUFiles").value_or("")).value_or(TReopenList::kDefaultLength));
    startupRoundingMethod_ = RoundingMethodOf(file.Read(kMiscSection, "StartupRoundingMethod").value_or("up"))
                                 .value_or(startupRoundingMethod_);
    defaultDataEntry_ = DataEntryOptionOf(file.Read(kMiscSection, "DefaultDataEntry").value_or(""));

    // The list ends at the first empty or missing name; reading stops once the list is full.
    reopenList_.Clear();
    const std::size_t keyCount = file.Keys(kMruSection).size();
    for (std::size_t position = 1; position <= keyCount && static_cast<int>(ReopenList().size()) < MaxMRUFiles();
         ++position) {
        const std::string name = file.Read(kMruSection, MruName(position)).value_or("");
        if (name.empty()) break;
        if (ReopenFileExists(name)) reopenList_.Append(name);
    }
}

void TApplControlData::LoadFromRegistry(const TRegistryStore& store) {
    LoadFieldsFromRegistry(store, Fields());
    if (auto length = store.ReadInteger(kMainKey, "MaxMRUFiles")) SetMaxMRUFiles(*length);
    if (auto method = store.ReadString(kMainKey, "StartupRoundingMethod")) {
        startupRoundingMethod_ = RoundingMethodOf(*method).value_or(startupRoundingMethod_);
    }
    defaultDataEntry_ = DataEntryOptionOf(store.ReadString(kMainKey, "DefaultDataEntry").value_or(""));

    if (!store.KeyExists(kMruKey)) return;
    reopenList_.Clear();
    const int valueCount = store.ValueCount(kMruKey);
    for (int position = 1; position <= valueCount && static_cast<int>(ReopenList().size()) < MaxMRUFiles();
         ++position) {
        const std::string name = store.ReadString(kMruKey, MruName(static_cast<std::size_t>(position))).value_or("");
        if (ReopenFileExists(name)) reopenList_.Append(name);
    }
}

void TApplControlData::ApplyPostLoadFixes() {
    if (defaultDataEntry_ == 0) defaultDataEntry_ = AutoStartNewCalc ? 2 : 1;
    if (embeddedSeriesColor_ == 0) embeddedSeriesColor_ = screenDefaults_.EmbeddedSeries;
    if (grandTotalColor_ == 0) grandTotalColor_ = screenDefaults_.GrandTotal;
    if (groupTotalColor_ == 0) groupTotalColor_ = screenDefaults_.GroupTotal;
}

TSaveResult TApplControlData::Save() {
    DropMissingReopenFiles();
    return storage_.Update(SettingsStore, [this](TIniFile& file) {
        if (SettingsStore == TSettingsStore::SettingsFile) {
            SaveToIni(file);
        } else {
            TRegistryStore store(file);
            SaveToRegistry(store);
        }
    });
}

void TApplControlData::SaveToIni(TIniFile& file) {
    SaveFieldsToIni(file, Fields());
    file.Write(kMiscSection, "MaxMRUFiles", std::to_string(MaxMRUFiles()));
    file.Write(kMiscSection, "StartupRoundingMethod", startupRoundingMethod_ == 1 ? "even" : "up");
    if (defaultDataEntry_ == 0) {
        file.EraseKey(kMiscSection, "DefaultDataEntry");
    } else {
        file.Write(kMiscSection, "DefaultDataEntry", DataEntryOptionCode(defaultDataEntry_));
    }
    file.EraseSection(kMruSection);
    file.AddSection(kMruSection);
    for (std::size_t position = 0; position < ReopenList().size(); ++position) {
        file.Write(kMruSection, MruName(position + 1), ReopenList()[position]);
    }
}

void TApplControlData::SaveToRegistry(TRegistryStore& store) {
    store.CreateKey(kMainKey);
    SaveFieldsToRegistry(store, Fields());
    store.WriteInteger(kMainKey, "MaxMRUFiles", MaxMRUFiles());
    store.WriteString(kMainKey, "StartupRoundingMethod", startupRoundingMethod_ == 1 ? "even" : "up");
    if (defaultDataEntry_ != 0) store.WriteString(kMainKey, "DefaultDataEntry", DataEntryOptionCode(defaultDataEntry_));
    store.DeleteKey(kMruKey);
    store.CreateKey(kMruKey);
    for (std::size_t position = 0; position < ReopenList().size(); ++position) {
        store.WriteString(kMruKey, MruName(position + 1), ReopenList()[position]);
    }
}

}  // namespace tally
