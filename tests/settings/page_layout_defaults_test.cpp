#include "settings/page_layout_defaults.h"

#include <gtest/gtest.h>

#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "settings/tape_page_layout.h"
#include "settings_test_folder.h"

namespace tally {
namespace {

namespace ev = events;

class PageLayoutDefaultsTest : public test::SettingsFolderTest {
protected:
    TPageLayoutDefaults& LoadedFrom(const std::string& text, TSettingsStore store = TSettingsStore::SettingsFile) {
        WriteText(store == TSettingsStore::Registry ? RegistryFile() : SettingsFile(), text);
        defaults_.reset();
        defaults_ = std::make_unique<TPageLayoutDefaults>(&bus_, storage_);
        defaults_->SettingsStore = store;
        defaults_->Load();
        return *defaults_;
    }

    TStMediator bus_;
    std::unique_ptr<TPageLayoutDefaults> defaults_;
};

TTapePrintFlags ChangedTapeFlags() {
    TTapePrintFlags flags;
    flags.PrintEmbedDashedLine = true;
    flags.PrintEmbedHiliteColor = false;
    flags.PrintGroupTotalHiliteColor = flags.PrintGrandTotalHiliteColor = true;
    flags.ShowColHeadings = flags.ShowFilenameFooter = flags.ShowPageNumbers = false;
    flags.ShowTapeBorderLines = flags.ShowColLines = false;
    flags.ShowRowLines = true;
    flags.EmbedPrintHiliteColor = 0x111111;
    flags.GroupTotalPrintHiliteColor = 0x222222;
    flags.GrandTotalPrintHiliteColor = 0x333333;
    return flags;
}

TTablePrintFlags ChangedTableFlags() {
    TTablePrintFlags flags;
    flags.ShowBlankLines = flags.ShowRowLines = true;
    flags.ShowColHeadings = flags.ShowFilenameFooter = flags.ShowPageNumbers = false;
    flags.ShowBorderLines = flags.ShowColLines = false;
    return flags;
}

TReportSettings Report(std::string unit, long double margin, std::string font, std::string orientation) {
    return {std::move(unit), margin, margin + 0.25L, margin + 0.5L, margin + 0.75L, std::move(font), 12,
            std::move(orientation)};
}

// Every group set through its "Save ... As Default" command.
void SaveEveryGroup(TPageLayoutDefaults& d) {
    ASSERT_TRUE(d.SaveTapeTitleAsDefault("Weekly;Totals", "Page \xA7"));
    ASSERT_TRUE(d.SaveTapePageLayoutAsDefault(ChangedTapeFlags(), Report("mm", 12.7L, "Courier", "Landscape")));
    ASSERT_TRUE(d.SaveTapeColumnGroupsAsDefault(false, 3));
    ASSERT_TRUE(d.SaveTableTitleAsDefault("Table", "Heading"));
    ASSERT_TRUE(d.SaveTablePageLayoutAsDefault(ChangedTableFlags(), 9, Report("inches", 0.1L, "Mono", "Landscape")));
    ASSERT_TRUE(d.SaveTableColumnGroupsAsDefault(false, 4));
}

void ExpectSameDefaults(const TPageLayoutDefaults& a, const TPageLayoutDefaults& b) {
    EXPECT_EQ(a.Tape, b.Tape);
    EXPECT_EQ(a.TapeColumnGroups, b.TapeColumnGroups);
    EXPECT_EQ(a.TapeReport, b.TapeReport);
    EXPECT_EQ(a.TapeTitle, b.TapeTitle);
    EXPECT_EQ(a.TapePageHeader, b.TapePageHeader);
    EXPECT_EQ(a.Table, b.Table);
    EXPECT_EQ(a.TableColumnGroups, b.TableColumnGroups);
    EXPECT_EQ(a.TableLinesPerGroup, b.TableLinesPerGroup);
    EXPECT_EQ(a.TableReport, b.TableReport);
    EXPECT_EQ(a.TableTitle, b.TableTitle);
    EXPECT_EQ(a.TablePageHeader, b.TablePageHeader);
}

TEST_F(PageLayoutDefaultsTest, AFileWithoutTheSectionGivesEveryValueItsDefault) {
    TPageLayoutDefaults& defaults = LoadedFrom("[Miscellaneous Options]\nStayOnTop=1\n");
    ExpectSameDefaults(defaults, TPageLayoutDefaults(nullptr, storage_));
    ASSERT_TRUE(defaults.Save());
    EXPECT_EQ(ReadText(SettingsFile()),
              "[Miscellaneous Options]\n"
              "StayOnTop=1\n"
              "\n"
              "[PageLayoutDefaults]\n"
              "AutoCalcColGroups=1\n"
              "PrintEmbedDashedLine=0\n"
              "PrintEmbedHiliteColor=1\n"
              "PrintGroupTotalHiliteColor=0\n"
              "PrintGrandTotalHiliteColor=0\n"
              "ShowColumnHeadings=1\n"
              "ShowFilenameFooter=1\n"
              "ShowHorzLines=0\n"
              "ShowPageNumbers=1\n"
              "ShowTapeBorderLines=1\n"
              "ShowVertLines=1\n"
              "EmbedPrintHiliteColor=12632256\n"
              "GroupTotalPrintHiliteColor=12632256\n"
              "GrandTotalPrintHiliteColor=12632256\n"
              "BottomMargin=1\n"
              "LeftMargin=1\n"
              "RightMargin=1\n"
              "TopMargin=1\n"
              "FontSize=10\n"
              "NumberOfColGroups=1\n"
              "FontName=Arial\n"
              "MarginUnits=inches\n"
              "PageHeader=\n"
              "PageOrientation=Portrait\n"
              "Title=\n"
              "ShowTableBorderLines=1\n"
              "AutoCalcTableColGroups=1\n"
              "ShowTableBlankLines=0\n"
              "ShowTableColumnHeadings=1\n"
              "ShowTableFilenameFooter=1\n"
              "ShowTableHorzLines=0\n"
              "ShowTablePageNumbers=1\n"
              "ShowTableVertLines=1\n"
              "TableBottomMargin=1\n"
              "TableLeftMargin=1\n"
              "TableRightMargin=1\n"
              "TableTopMargin=1\n"
              "TableFontSize=10\n"
              "TableLinesPerGroup=5\n"
              "TableNumberOfColGroups=1\n"
              "TableFontName=Arial\n"
              "TableMarginUnits=inches\n"
              "TablePageHeader=\n"
              "TablePageOrientation=Portrait\n"
              "TableTitle=\n");
}

TEST_F(PageLayoutDefaultsTest, EveryValueRoundTripsThroughBothStores) {
    for (TSettingsStore store : {TSettingsStore::SettingsFile, TSettingsStore::Registry}) {
        SCOPED_TRACE(static_cast<int>(store));
        TPageLayoutDefaults saved(nullptr, storage_);
        saved.SettingsStore = store;
        SaveEveryGroup(saved);
        TPageLayoutDefaults loaded(nullptr, storage_);
        loaded.SettingsStore = store;
        loaded.Load();
        ExpectSameDefaults(loaded, saved);
        EXPECT_EQ(loaded.TapeReport.LeftMargin, 12.7L);
        EXPECT_EQ(loaded.TapeReport.MarginUnits, "mm");
    }
    const std::string registry = ReadText(RegistryFile());
    EXPECT_NE(registry.find("[Software\\Orvanta\\Tallyroll\\PageLayoutDefaults]"), std::string::npos);
    EXPECT_NE(registry.find("\nTableTitle=sz:Table\n"), std::string::npos);
    EXPECT_NE(registry.find("\nTitle=sz:Weekly;Totals\n"), std::string::npos);
    EXPECT_NE(registry.find("\nTableNumberOfColGroups=dword:4\n"), std::string::npos);
    EXPECT_NE(registry.find("\nNumberOfColGroups=dword:3\n"), std::string::npos);
    EXPECT_NE(registry.find("\nLeftMargin=double:12.7\n"), std::string::npos);
}

// Margins are written with "." whatever the locale, and a file written elsewhere with ","
// still reads as written instead of falling back to 1.
TEST_F(PageLayoutDefaultsTest, MarginsReadWithPointOrCommaAndAreWrittenWithPoint) {
    TPageLayoutDefaults& defaults = LoadedFrom(
        "[PageLayoutDefaults]\nLeftMargin=1,5\nRightMargin=0.75\nTopMargin=two\nBottomMargin=-1\nTableLeftMargin=\n");
    EXPECT_EQ(defaults.TapeReport.LeftMargin, 1.5L);
    EXPECT_EQ(defaults.TapeReport.RightMargin, 0.75L);
    EXPECT_EQ(defaults.TapeReport.TopMargin, 1.0L);
    EXPECT_EQ(defaults.TapeReport.BottomMargin, 1.0L);
    EXPECT_EQ(defaults.TableReport.LeftMargin, 1.0L);
    ASSERT_TRUE(defaults.Save());
    EXPECT_NE(ReadText(SettingsFile()).find("\nLeftMargin=1.5\nRightMargin=0.75\n"), std::string::npos);
}

TEST_F(PageLayoutDefaultsTest, InvalidLoadedValuesKeepTheirRanges) {
    TPageLayoutDefaults& defaults = LoadedFrom(
        "[PageLayoutDefaults]\nNumberOfColGroups=0\nTableNumberOfColGroups=-7\nTableLinesPerGroup=0\n"
        "FontSize=0\nTableFontSize=100000\nFontName=\nMarginUnits=furlongs\nPageOrientation=Sideways\n"
        "EmbedPrintHiliteColor=-1\n");
    EXPECT_EQ(defaults.TapeColumnGroups.Count, 1);
    EXPECT_EQ(defaults.TableColumnGroups.Count, 1);
    EXPECT_EQ(defaults.TableLinesPerGroup, 5);
    EXPECT_EQ(defaults.TapeReport.FontSize, 10);
    EXPECT_EQ(defaults.TableReport.FontSize, 10);
    EXPECT_EQ(defaults.TapeReport.FontName, "Arial");
    EXPECT_EQ(defaults.TapeReport.MarginUnits, "inches");
    EXPECT_EQ(defaults.TapeReport.PageOrientation, "Portrait");
    EXPECT_EQ(defaults.Tape.EmbedPrintHiliteColor, 0xC0C0C0u);
}

TEST_F(PageLayoutDefaultsTest, ARegistryValueOfAnotherTypeLeavesTheField) {
    TPageLayoutDefaults& defaults = LoadedFrom(
        "[Software\\Orvanta\\Tallyroll\\PageLayoutDefaults]\nLeftMargin=sz:2\nTopMargin=double:0.5\n"
        "Title=dword:3\nShowPageNumbers=dword:0\n",
        TSettingsStore::Registry);
    EXPECT_EQ(defaults.TapeReport.LeftMargin, 1.0L);
    EXPECT_EQ(defaults.TapeReport.TopMargin, 0.5L);
    EXPECT_EQ(defaults.TapeTitle, "");
    EXPECT_FALSE(defaults.Tape.ShowPageNumbers);
}

// On the first run there is no settings file yet; saving a default creates the folder and
// the file instead of dropping the default without a word.
TEST_F(PageLayoutDefaultsTest, SavingADefaultOnTheFirstRunCreatesTheFile) {
    ASSERT_FALSE(std::filesystem::exists(SettingsFile().parent_path()));
    TPageLayoutDefaults defaults(nullptr, storage_);
    ASSERT_TRUE(defaults.SaveTapeTitleAsDefault("Budget", ""));
    EXPECT_NE(ReadText(SettingsFile()).find("[PageLayoutDefaults]\n"), std::string::npos);
    TPageLayoutDefaults loaded(nullptr, storage_);
    loaded.Load();
    EXPECT_EQ(loaded.TapeTitle, "Budget");
}

TEST_F(PageLayoutDefaultsTest, EachCommandSetsOnlyItsGroup) {
    TPageLayoutDefaults defaults(nullptr, storage_);
    const TPageLayoutDefaults untouched(nullptr, storage_);
    ASSERT_TRUE(defaults.SaveTableColumnGroupsAsDefault(false, 6));
    EXPECT_EQ(defaults.TableColumnGroups, (TColumnGroups{false, 6}));
    ASSERT_TRUE(defaults.SaveTapeColumnGroupsAsDefault(true, 6));
    EXPECT_EQ(defaults.TapeColumnGroups, (TColumnGroups{true, 1}));  // automatic: stored as 1
    ASSERT_TRUE(defaults.SaveTapePageLayoutAsDefault(ChangedTapeFlags(), Report("cubits", 2, "", "Upside")));
    EXPECT_EQ(defaults.Tape, ChangedTapeFlags());
    EXPECT_EQ(defaults.TapeReport.LeftMargin, 2.0L);
    EXPECT_EQ(defaults.TapeReport.MarginUnits, "inches");      // invalid unit refused
    EXPECT_EQ(defaults.TapeReport.FontName, "Arial");          // empty name refused
    EXPECT_EQ(defaults.TapeReport.PageOrientation, "Portrait");
    EXPECT_EQ(defaults.Table, untouched.Table);
    EXPECT_EQ(defaults.TableReport, untouched.TableReport);
    EXPECT_EQ(defaults.TapeTitle, "");
}

TEST_F(PageLayoutDefaultsTest, AFailedSaveIsReported) {
    WriteText(root_ / "tallyroll", "a file where the folder belongs");
    TPageLayoutDefaults defaults(nullptr, storage_);
    const TSaveResult result = defaults.SaveTableTitleAsDefault("T", "H");
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message().find(SettingsFile().string()), std::string::npos);
}

TEST_F(PageLayoutDefaultsTest, EventsAnswerWithTheDefaults) {
    {
        TPageLayoutDefaults defaults(&bus_, storage_);
        defaults.TapeTitle = "tape title";
        defaults.TapePageHeader = "tape heading";
        defaults.TableTitle = "table title";
        defaults.TablePageHeader = "table heading";
        const auto text = [this](std::string_view name) {
            TMedString out;
            bus_.Handle(name, nullptr, &out);
            return out.Value;
        };
        EXPECT_EQ(text(ev::PLDefaults_GetDefaultTapeTitle), "tape title");
        EXPECT_EQ(text(ev::PLDefaults_GetDefaultTapePageHeader), "tape heading");
        EXPECT_EQ(text(ev::PLDefaults_GetDefaultTableTitle), "table title");
        EXPECT_EQ(text(ev::PLDefaults_GetDefaultTablePageHeader), "table heading");
        TMedObjectReference object;
        bus_.Handle(ev::PLDefaults_GetPageLayoutDefaultsObject, nullptr, &object);
        EXPECT_EQ(object.ObjRef, &defaults);
    }
    EXPECT_FALSE(bus_.Exists(ev::PLDefaults_GetDefaultTapeTitle));
}

TEST_F(PageLayoutDefaultsTest, ApplyingTheDefaultsToADocument) {
    TPageLayoutDefaults defaults(nullptr, storage_);
    defaults.Tape = ChangedTapeFlags();
    defaults.TapeColumnGroups = {false, 3};
    defaults.TapeReport = Report("mm", 20, "Courier", "Landscape");
    defaults.Table = ChangedTableFlags();
    defaults.TableColumnGroups = {false, 2};
    defaults.TableLinesPerGroup = 8;
    defaults.TableReport = Report("inches", 0.5L, "Mono", "Portrait");

    TTapePageLayout layout(nullptr);
    TReportSettings tapeReport, tableReport;
    defaults.ApplyTo(layout, tapeReport, tableReport);
    EXPECT_EQ(layout.TapeFlags(), ChangedTapeFlags());
    EXPECT_EQ(layout.TapeColumnGroups(), (TColumnGroups{false, 3}));
    EXPECT_EQ(layout.TableFlags(), ChangedTableFlags());
    EXPECT_EQ(layout.TableColumnGroups(), (TColumnGroups{false, 2}));
    EXPECT_EQ(layout.TableLinesPerGroup(), 8);
    EXPECT_EQ(tapeReport, defaults.TapeReport);
    EXPECT_EQ(tableReport, defaults.TableReport);

    // A report keeps a unit it cannot take.
    defaults.TapeReport.MarginUnits = "points";
    defaults.ApplyTo(layout, tapeReport, tableReport);
    EXPECT_EQ(tapeReport.MarginUnits, "mm");
}

// A margin is kept in its unit and becomes pixels only for the printer at hand, so printing
// on a printer of another resolution keeps its size on paper.
TEST(MarginPixelsTest, ConvertsAtThePrintersResolution) {
    struct Case {
        long double margin;
        const char* unit;
        int dpi;
        std::int32_t pixels;
    };
    const Case cases[] = {
        {1.0L, "inches", 600, 600}, {1.0L, "inches", 300, 300}, {0.5L, "inches", 203, 102},
        {25.4L, "mm", 300, 300},    {10.0L, "mm", 600, 236},    {0.0L, "mm", 600, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + c.unit);
        EXPECT_EQ(MarginPixels(c.margin, c.unit, c.dpi), c.pixels);
    }
}

}  // namespace
}  // namespace tally
