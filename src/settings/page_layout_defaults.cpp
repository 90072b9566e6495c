#include "settings/page_layout_defaults.h"

#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "settings/tape_page_layout.h"

namespace tally {

namespace {

constexpr std::string_view kSection = "PageLayoutDefaults";
constexpr std::string_view kKey = "Software\\Orvanta\\Tallyroll\\PageLayoutDefaults";

TColumnGroups ColumnGroupsToSave(bool autoCalc, std::int32_t count) {
    return {autoCalc, autoCalc ? 1 : std::max(count, 1)};
}

}  // namespace

TPageLayoutDefaults::TPageLayoutDefaults(TStMediator* bus, const TSettingsStorage& storage)
    : answers_(bus), storage_(storage) {
    namespace ev = events;
    answers_.Add(ev::PLDefaults_GetPageLayoutDefaultsObject, [this](TMedRecord*, TMedRecord* out) {
        if (auto* reference = RecordAs<TMedObjectReference>(out)) reference->ObjRef = this;
    });
    answers_.Answer<TMedString>(ev::PLDefaults_GetDefaultTapeTitle, [this] { return TapeTitle; });
    answers_.Answer<TMedString>(ev::PLDefaults_GetDefaultTapePageHeader, [this] { return TapePageHeader; });
    answers_.Answer<TMedString>(ev::PLDefaults_GetDefaultTableTitle, [this] { return TableTitle; });
    answers_.Answer<TMedString>(ev::PLDefaults_GetDefaultTablePageHeader, [this] { return TablePageHeader; });
}

std::vector<TSettingField> TPageLayoutDefaults::Fields() {
    const auto field = [](std::string_view name, TFieldTarget target, TFieldDefault loadDefault) {
        return TSettingField{kSection, kKey, name, target, loadDefault};
    };
    const auto color = [&field](std::string_view name, std::uint32_t* target) {
        return field(name, TColorField{target}, std::uint32_t{0xC0C0C0});
    };
    const auto text = [&field](std::string_view name, std::string* target, std::string_view loadDefault,
                               bool (*valid)(std::string_view)) {
        TSettingField result = field(name, target, loadDefault);
        result.ValidText = valid;
        return result;
    };
    const auto atLeastOne = [&field](std::string_view name, std::int32_t* target, std::int32_t loadDefault,
                                     bool clamp) {
        TSettingField result = field(name, target, loadDefault);
        result.Min = 1;
        result.Clamp = clamp;
        return result;
    };
    const auto fontSize = [&field](std::string_view name, std::int32_t* target) {
        TSettingField result = field(name, target, std::int32_t{10});
        result.Min = 1;
        result.Max = kMaxPrintFontSize;
        return result;
    };
    return {
        field("AutoCalcColGroups", &TapeColumnGroups.AutoCalc, true),
        field("PrintEmbedDashedLine", &Tape.PrintEmbedDashedLine, false),
        field("PrintEmbedHiliteColor", &Tape.PrintEmbedHiliteColor, true),
        field("PrintGroupTotalHiliteColor", &Tape.PrintGroupTotalHiliteColor, false),
        field("PrintGrandTotalHiliteColor", &Tape.PrintGrandTotalHiliteColor, false),
        field("ShowColumnHeadings", &Tape.ShowColHeadings, true),
        field("ShowFilenameFooter", &Tape.ShowFilenameFooter, true),
        field("ShowHorzLines", &Tape.ShowRowLines, false),
        field("ShowPageNumbers", &Tape.ShowPageNumbers, true),
        field("ShowTapeBorderLines", &Tape.ShowTapeBorderLines, true),
        field("ShowVertLines", &Tape.ShowColLines, true),
        color("EmbedPrintHiliteColor", &Tape.EmbedPrintHiliteColor),
        color("GroupTotalPrintHiliteColor", &Tape.GroupTotalPrintHiliteColor),
        color("GrandTotalPrintHiliteColor", &Tape.GrandTotalPrintHiliteColor),
        field("BottomMargin", &TapeReport.BottomMargin, 1.0L),
        field("LeftMargin", &TapeReport.LeftMargin, 1.0L),
        field("RightMargin", &TapeReport.RightMargin, 1.0L),
        field("TopMargin", &TapeReport.TopMargin, 1.0L),
        fontSize("FontSize", &TapeReport.FontSize),
        atLeastOne("NumberOfColGroups", &TapeColumnGroups.Count, 1, true),
        text("FontName", &TapeReport.FontName, "Arial", IsFontName),
        text("MarginUnits", &TapeReport.MarginUnits, kInches, IsMarginUnit),
        field("PageHeader", &TapePageHeader, std::string_view()),
        text("PageOrientation", &TapeReport.PageOrientation, "Portrait", IsPageOrientation),
        field("Title", &TapeTitle, std::string_view()),
        field("ShowTableBorderLines", &Table.ShowBorderLines, true),
        field("AutoCalcTableColGroups", &TableColumnGroups.AutoCalc, true),
        field("ShowTableBlankLines", &Table.ShowBlankLines, false),
        field("ShowTableColumnHeadings", &Table.ShowColHeadings, true),
        field("ShowTableFilenameFooter", &Table.ShowFilenameFooter, true),
        field("ShowTableHorzLines", &Table.ShowRowLines, false),
        field("ShowTablePageNumbers", &Table.ShowPageNumbers, true),
        field("ShowTableVertLines", &Table.ShowColLines, true),
        field("TableBottomMargin", &TableReport.BottomMargin, 1.0L),
        field("TableLeftMargin", &TableReport.LeftMargin, 1.0L),
        field("TableRightMargin", &TableReport.RightMargin, 1.0L),
        field("TableTopMargin", &TableReport.TopMargin, 1.0L),
        fontSize("TableFontSize", &TableReport.FontSize),
        atLeastOne("TableLinesPerGroup", &TableLinesPerGroup, 5, false),
        atLeastOne("TableNumberOfColGroups", &TableColumnGroups.Count, 1, true),
        text("TableFontName", &TableReport.FontName, "Arial", IsFontName),
        text("TableMarginUnits", &TableReport.MarginUnits, kInches, IsMarginUnit),
        field("TablePageHeader", &TablePageHeader, std::string_view()),
        text("TablePageOrientation", &TableReport.PageOrientation, "Portrait", IsPageOrientation),
        field("TableTitle", &TableTitle, std::string_view()),
    };
}

void TPageLayoutDefaults::Load() {
    TIniRead read = storage_.Read(SettingsStore);
    if (!read.Exists) return;
    if (SettingsStore == TSettingsStore::SettingsFile) {
        LoadFieldsFromIni(read.File, Fields());
        return;
    }
    if (const TRegistryStore store(read.File); store.KeyExists(kKey)) LoadFieldsFromRegistry(store, Fields());
}

TSaveResult TPageLayoutDefaults::Save() {
    return storage_.Update(SettingsStore, [this](TIniFile& file) {
        if (SettingsStore == TSettingsStore::SettingsFile) {
            SaveFieldsToIni(file, Fields());
        } else {
            TRegistryStore store(file);
            store.CreateKey(kKey);
            SaveFieldsToRegistry(store, Fields());
        }
    });
}

TSaveResult TPageLayoutDefaults::SaveTapeTitleAsDefault(const std::string& title, const std::string& pageHeader) {
    TapeTitle = title;
    TapePageHeader = pageHeader;
    return Save();
}

TSaveResult TPageLayoutDefaults::SaveTapePageLayoutAsDefault(const TTapePrintFlags& flags,
                                                             const TReportSettings& report) {
    Tape = flags;
    TapeReport.AssignValid(report);
    return Save();
}

TSaveResult TPageLayoutDefaults::SaveTapeColumnGroupsAsDefault(bool autoCalc, std::int32_t count) {
    TapeColumnGroups = ColumnGroupsToSave(autoCalc, count);
    return Save();
}

TSaveResult TPageLayoutDefaults::SaveTableTitleAsDefault(const std::string& title, const std::string& pageHeader) {
    TableTitle = title;
    TablePageHeader = pageHeader;
    return Save();
}

TSaveResult TPageLayoutDefaults::SaveTablePageLayoutAsDefault(const TTablePrintFlags& flags,
                                                              std::int32_t linesPerGroup,
                                                              const TReportSettings& report) {
    Table = flags;
    if (linesPerGroup >= 1) TableLinesPerGroup = linesPerGroup;
    TableReport.AssignValid(report);
    return Save();
}

TSaveResult TPageLayoutDefaults::SaveTableColumnGroupsAsDefault(bool autoCalc, std::int32_t count) {
    TableColumnGroups = ColumnGroupsToSave(autoCalc, count);
    return Save();
}

void TPageLayoutDefaults::ApplyTo(TTapePageLayout& layout, TReportSettings& tapeReport,
                                  TReportSettings& tableReport) const {
    layout.SetTapeFlags(Tape);
    layout.SetTapeColumnGroups(TapeColumnGroups.AutoCalc, TapeColumnGroups.Count);
    tapeReport.AssignValid(TapeReport);
    layout.SetTableFlags(Table);
    layout.SetTableColumnGroups(TableColumnGroups.AutoCalc, TableColumnGroups.Count);
    layout.SetTableLinesPerGroup(TableLinesPerGroup);
    tableReport.AssignValid(TableReport);
}

}  // namespace tally
