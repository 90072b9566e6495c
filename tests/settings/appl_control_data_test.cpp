#include "settings/appl_control_data.h"

#include <gtest/gtest.h>

#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "failing_file_calls.h"
#include "settings_test_folder.h"

namespace tally {
namespace {

namespace ev = events;

class ApplControlDataTest : public test::SettingsFolderTest {
protected:
    // Loads a settings file with the text into fresh settings.
    TApplControlData& LoadedFrom(const std::string& text, TSettingsStore store = TSettingsStore::SettingsFile) {
        WriteText(store == TSettingsStore::Registry ? RegistryFile() : SettingsFile(), text);
        settings_.reset();  // its events go before the new settings register theirs
        settings_ = std::make_unique<TApplControlData>(&bus_, storage_);
        settings_->SettingsStore = store;
        settings_->Load();
        return *settings_;
    }

    TStMediator bus_;
    std::unique_ptr<TApplControlData> settings_;
};

TEST_F(ApplControlDataTest, AnEmptySettingsFileGivesEveryKeyItsDefault) {
    TApplControlData& settings = LoadedFrom("");
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(ReadText(SettingsFile()),
              "[Confirmation Options]\n"
              "ConfirmDeleteLine=0\n"
              "ConfirmDeleteSeries=1\n"
              "ConfirmDisableAnnot=1\n"
              "ConfirmEraseTape=1\n"
              "ConfirmDeleteTableLine=0\n"
              "ConfirmDeleteTableColumn=1\n"
              "ConfirmEmptyResetTable=1\n"
              "\n"
              "[Miscellaneous Options]\n"
              "CustomColors=ColorA=C0C0C0,ColorB=CCFFCC,ColorC=FEE4C2,ColorD=FDCF9D\n"
              "FocusHLColor=16776960\n"
              "ZTLColor=12632256\n"
              "EmbeddedSeriesColor=13434828\n"
              "GrandTotalColor=16633757\n"
              "GroupTotalColor=16704706\n"
              "GrandTotalCreationDisplayState=SL\n"
              "GroupTotalCreationDisplayState=SL\n"
              "FormHeight=-1\n"
              "FormLeft=-1\n"
              "FormTop=-1\n"
              "HideBottomPanel=0\n"
              "HideKeypad=0\n"
              "HideNonessentialMenus=0\n"
              "StayOnTop=0\n"
              "MemoryEnabled=0\n"
              "SideTapeEnabled=0\n"
              "AnnotationsEnabled=0\n"
              "ShowingLineNumbers=0\n"
              "ShowingLinks=0\n"
              "ShowingRunningTotal=0\n"
              "ShowingTableAnnotations=0\n"
              "ShowingTableColumns=0\n"
              "ShowingTableLineNumbers=0\n"
              "ShowingThousandSeparator=1\n"
              "MaxTableDataCols=20\n"
              "StartupDecimals=2\n"
              "ShowGrandTotalItemCount=0\n"
              "ShowGroupTotalItemCount=0\n"
              "ShowSeriesTotalItemCount=0\n"
              "AutoIncreaseDecimalPlaces=0\n"
              "AutoStartNewCalc=0\n"
              "AutosetTotalType=1\n"
              "AuxTapeIds=\n"
              "TableIds=\n"
              "MaxMRUFiles=5\n"
              "StartupRoundingMethod=up\n"
              "DefaultDataEntry=Manual\n"
              "\n"
              "[Tape Screen Font]\n"
              "Name=System\n"
              "Size=10\n"
              "Bold=1\n"
              "Italic=0\n"
              "\n"
              "[Most Recently Used Files]\n");
}

// Every value set away from its default, so a round trip that drops one shows.
void SetEveryValue(TApplControlData& s, const std::vector<std::string>& reopen) {
    s.AnnotationsEnabled = s.AutoIncreaseDecimalPlaces = s.AutoStartNewCalc = true;
    s.AutosetTotalType = false;
    s.ShowGrandTotalItemCount = s.ShowGroupTotalItemCount = s.ShowSeriesTotalItemCount = true;
    s.CustomColors = "ColorA=123456";
    s.ConfirmDeleteLine = s.ConfirmDeleteTableLine = true;
    s.ConfirmEraseTape = s.ConfirmDisableAnnot = s.ConfirmDeleteSeries = false;
    s.ConfirmDeleteTableColumn = s.ConfirmEmptyResetTable = false;
    s.AuxTapeIds = "AB";
    s.TableIds = "t";
    s.FormHeight = 600;
    s.FormLeft = -20;
    s.FormTop = 40;
    s.HideBottomPanel = s.HideKeypad = s.HideNonessentialMenus = s.MemoryEnabled = true;
    s.ShowingLineNumbers = s.ShowingLinks = s.ShowingRunningTotal = s.ShowingTableAnnotations = true;
    s.ShowingTableColumns = s.ShowingTableLineNumbers = s.SideTapeEnabled = s.StayOnTop = true;
    s.ShowingThousandSeparator = false;
    s.SetDefaultDataEntry(5);
    s.SetMaxTableDataCols(33);
    s.SetStartupDecimals(15);
    s.SetStartupRoundingMethod(1);
    s.SetFocusHLColor(0x010203);
    s.SetZTLColor(0x040506);
    s.SetEmbeddedSeriesColor(0x070809);
    s.SetGrandTotalColor(0x0A0B0C);
    s.SetGroupTotalColor(0x0D0E0F);
    s.SetGrandTotalCreationDisplayState("GT");
    s.SetGroupTotalCreationDisplayState("ST");
    s.SetTapeScreenFont({.Name = "Caf\xE9 Mono", .Size = 14, .Bold = false, .Italic = true});
    s.SetMaxMRUFiles(7);
    for (auto name = reopen.rbegin(); name != reopen.rend(); ++name) s.AddToReopenList(*name);
}

// Every value as text, for comparing two settings objects.
std::vector<std::string> Snapshot(const TApplControlData& s) {
    const auto b = [](bool value) { return std::string(value ? "1" : "0"); };
    std::vector<std::string> values = {
        b(s.AnnotationsEnabled), b(s.AutoIncreaseDecimalPlaces), b(s.AutoStartNewCalc), b(s.AutosetTotalType),
        b(s.ShowGrandTotalItemCount), b(s.ShowGroupTotalItemCount), b(s.ShowSeriesTotalItemCount), s.CustomColors,
        b(s.ConfirmDeleteLine), b(s.ConfirmEraseTape), b(s.ConfirmDisableAnnot), b(s.ConfirmDeleteSeries),
        b(s.ConfirmDeleteTableLine), b(s.ConfirmDeleteTableColumn), b(s.ConfirmEmptyResetTable), s.AuxTapeIds,
        s.TableIds, std::to_string(s.FormHeight), std::to_string(s.FormLeft), std::to_string(s.FormTop),
        b(s.HideBottomPanel), b(s.HideKeypad), b(s.HideNonessentialMenus), b(s.MemoryEnabled),
        b(s.ShowingLineNumbers), b(s.ShowingLinks), b(s.ShowingRunningTotal), b(s.ShowingTableAnnotations),
        b(s.ShowingTableColumns), b(s.ShowingTableLineNumbers), b(s.ShowingThousandSeparator),
        b(s.SideTapeEnabled), b(s.StayOnTop), std::to_string(s.DefaultDataEntry()),
        std::to_string(s.MaxTableDataCols()), std::to_string(s.StartupDecimals()),
        std::to_string(s.StartupRoundingMethod()), std::to_string(s.FocusHLColor()), std::to_string(s.ZTLColor()),
        std::to_string(s.EmbeddedSeriesColor()), std::to_string(s.GrandTotalColor()),
        std::to_string(s.GroupTotalColor()), s.GrandTotalCreationDisplayState(), s.GroupTotalCreationDisplayState(),
        s.TapeScreenFont().Name, std::to_string(s.TapeScreenFont().Size), b(s.TapeScreenFont().Bold),
        b(s.TapeScreenFont().Italic), std::to_string(s.MaxMRUFiles()),
    };
    values.insert(values.end(), s.ReopenList().begin(), s.ReopenList().end());
    return values;
}

TEST_F(ApplControlDataTest, EveryValueRoundTripsThroughBothStores) {
    const std::vector<std::string> reopen = {ExistingFile("b\xC3\xA4r.tly"), ExistingFile("two.tly")};
    for (TSettingsStore store : {TSettingsStore::SettingsFile, TSettingsStore::Registry}) {
        SCOPED_TRACE(static_cast<int>(store));
        TStMediator otherBus;
        TApplControlData saved(&otherBus, storage_);
        saved.SettingsStore = store;
        SetEveryValue(saved, reopen);
        ASSERT_TRUE(saved.Save());

        TApplControlData loaded(&bus_, storage_);
        loaded.SettingsStore = store;
        loaded.Load();
        EXPECT_EQ(Snapshot(loaded), Snapshot(saved));
        EXPECT_EQ(loaded.ReopenList(), reopen);
    }
    // Each store went to its own file, and the settings file keeps its font name in UTF-8.
    EXPECT_NE(ReadText(SettingsFile()).find("Name=Caf\xC3\xA9 Mono\n"), std::string::npos);
    EXPECT_NE(ReadText(RegistryFile()).find("[Software\\Orvanta\\Tallyroll\\MRUFiles]"), std::string::npos);
}

TEST_F(ApplControlDataTest, EventsAnswerFromTheSettingsAndGoAwayWithThem) {
    {
        TApplControlData settings(&bus_, storage_);
        SetEveryValue(settings, {});
        const auto integer = [this](std::string_view name) {
            TMedInteger out;
            bus_.Handle(name, nullptr, &out);
            return out.Value;
        };
        const auto boolean = [this](std::string_view name) {
            TMedBoolean out{};
            out.Value = true;
            bus_.Handle(name, nullptr, &out);
            return out.Value;
        };
        const auto color = [this](std::string_view name) {
            TMedColor out;
            bus_.Handle(name, nullptr, &out);
            return out.Value;
        };
        const auto text = [this](std::string_view name) {
            TMedString out;
            bus_.Handle(name, nullptr, &out);
            return out.Value;
        };
        EXPECT_FALSE(boolean(ev::ApplCtl_ConfirmDeleteTableCol));
        EXPECT_TRUE(boolean(ev::ApplCtl_GetAutoIncreaseDecimalPlacesOption));
        EXPECT_FALSE(boolean(ev::ApplCtl_GetAutoSetTotalTypeOption));
        EXPECT_EQ(integer(ev::ApplCtl_GetDefaultDataEntryOption), 5);
        EXPECT_EQ(color(ev::ApplCtl_GetEmbeddedSeriesColor), 0x070809u);
        EXPECT_EQ(color(ev::ApplCtl_GetGrandTotalColor), 0x0A0B0Cu);
        EXPECT_EQ(text(ev::ApplCtl_GetGrandTotalCreationDisplayState), "GT");
        EXPECT_EQ(color(ev::ApplCtl_GetGroupTotalColor), 0x0D0E0Fu);
        EXPECT_EQ(text(ev::ApplCtl_GetGroupTotalCreationDisplayState), "ST");
        EXPECT_EQ(integer(ev::ApplCtl_GetMaxTableDataCols), 33);
        EXPECT_TRUE(boolean(ev::ApplCtl_GetShowGrandTotalItemCount));
        EXPECT_TRUE(boolean(ev::ApplCtl_GetShowGroupTotalItemCount));
        EXPECT_TRUE(boolean(ev::ApplCtl_GetShowSeriesTotalItemCount));
        EXPECT_EQ(integer(ev::ApplCtl_GetStartupDecimalPlaces), 15);
        EXPECT_EQ(integer(ev::ApplCtl_GetStartupRoundingMethod), 1);
        EXPECT_EQ(color(ev::ApplCtl_GetTapeFocusHighlightColor), 0x010203u);
        EXPECT_EQ(color(ev::ApplCtl_GetZeroTotalLineColor), 0x040506u);
        TMedFont font;
        bus_.Handle(ev::ApplCtl_GetTapeScreenFont, nullptr, &font);
        EXPECT_EQ(font.Font, settings.TapeScreenFont());
        TFileShutdownConfig config;
        bus_.Handle(ev::ApplCtl_GetFileShutdownConfig, nullptr, &config);
        EXPECT_EQ(config.AuxTapeIds, "AB");
        EXPECT_TRUE(config.ShowingRunningTotal);
        EXPECT_FALSE(config.ShowingThousandSeparator);

        TMedInteger columns;
        columns.Value = 40;
        bus_.Handle(ev::ApplCtl_SetMaxTableDataCols, &columns, nullptr);
        EXPECT_EQ(settings.MaxTableDataCols(), 40);
        columns.Value = 0;
        bus_.Handle(ev::ApplCtl_SetMaxTableDataCols, &columns, nullptr);
        EXPECT_EQ(settings.MaxTableDataCols(), 40);
    }
    EXPECT_FALSE(bus_.Exists(ev::ApplCtl_GetStartupDecimalPlaces));
    EXPECT_FALSE(bus_.Exists(ev::ApplCtl_SetMaxTableDataCols));
}

TEST_F(ApplControlDataTest, PostLoadFixes) {
    struct Case {
        const char* name;
        std::string misc;
        int dataEntry;
        std::uint32_t grandTotalColor;
    };
    const Case cases[] = {
        {"NoOptionNoAutoStart", "", 1, 0xFDCF9D},
        {"NoOptionAutoStart", "AutoStartNewCalc=1\n", 2, 0xFDCF9D},
        {"OptionWinsOverAutoStart", "AutoStartNewCalc=1\nDefaultDataEntry=EnterKey\n", 3, 0xFDCF9D},
        {"BlackGrandTotalGetsTheDefault", "GrandTotalColor=0\n", 1, 0xFDCF9D},
        {"OtherColourStays", "GrandTotalColor=255\n", 1, 0x0000FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TApplControlData& settings = LoadedFrom("[Miscellaneous Options]\n" + c.misc);
        EXPECT_EQ(settings.DefaultDataEntry(), c.dataEntry);
        EXPECT_EQ(settings.GrandTotalColor(), c.grandTotalColor);
    }
}

TEST_F(ApplControlDataTest, ScreenDepthGivesTheColourDefaults) {
    WriteText(SettingsFile(), "[Miscellaneous Options]\nEmbeddedSeriesColor=0\nGroupTotalColor=0\n");
    TApplControlData settings(nullptr, storage_, 8);
    settings.Load();
    EXPECT_EQ(settings.EmbeddedSeriesColor(), 0xC0DCC0u);
    EXPECT_EQ(settings.GroupTotalColor(), 0xF0CAA6u);
    EXPECT_EQ(ScreenColorDefaults(4).GroupTotal, 0x00FFFFu);
}

// A value out of range or of the wrong form passes through the setter's check: the length and
// the font size can never leave their ranges, whatever the file says.
TEST_F(ApplControlDataTest, InvalidLoadedValuesAreClampedOrIgnored) {
    struct Case {
        std::string line;
        std::function<std::string(const TApplControlData&)> value;
        std::string expected;
    };
    const auto maxMru = [](const TApplControlData& s) { return std::to_string(s.MaxMRUFiles()); };
    const auto decimals = [](const TApplControlData& s) { return std::to_string(s.StartupDecimals()); };
    const auto entry = [](const TApplControlData& s) { return std::to_string(s.DefaultDataEntry()); };
    const auto size = [](const TApplControlData& s) { return std::to_string(s.TapeScreenFont().Size); };
    const auto name = [](const TApplControlData& s) { return s.TapeScreenFont().Name; };
    const auto grand = [](const TApplControlData& s) { return std::to_string(s.GrandTotalColor()); };
    const auto rounding = [](const TApplControlData& s) { return std::to_string(s.StartupRoundingMethod()); };
    const auto state = [](const TApplControlData& s) { return s.GroupTotalCreationDisplayState(); };
    const auto columns = [](const TApplControlData& s) { return std::to_string(s.MaxTableDataCols()); };
    const Case cases[] = {
        {"[Miscellaneous Options]\nMaxMRUFiles=40", maxMru, "35"},
        {"[Miscellaneous Options]\nMaxMRUFiles=0", maxMru, "1"},
        {"[Miscellaneous Options]\nMaxMRUFiles=-2147483648", maxMru, "1"},
        {"[Miscellaneous Options]\nMaxMRUFiles=many", maxMru, "5"},
        {"[Miscellaneous Options]\nStartupDecimals=16", decimals, "2"},
        {"[Miscellaneous Options]\nStartupDecimals=-1", decimals, "2"},
        {"[Miscellaneous Options]\nStartupDecimals=15", decimals, "15"},
        {"[Miscellaneous Options]\nDefaultDataEntry=Sometimes", entry, "1"},
        {"[Miscellaneous Options]\nDefaultDataEntry=AddingMachine", entry, "5"},
        {"[Tape Screen Font]\nSize=0", size, "10"},
        {"[Tape Screen Font]\nSize=-4", size, "10"},
        {"[Tape Screen Font]\nSize=99999", size, "10"},
        {"[Tape Screen Font]\nName=", name, "System"},
        {"[Miscellaneous Options]\nGrandTotalColor=-16777201", grand, "16633757"},
        {"[Miscellaneous Options]\nGrandTotalColor=16777216", grand, "16633757"},
        {"[Miscellaneous Options]\nStartupRoundingMethod=sideways", rounding, "0"},
        {"[Miscellaneous Options]\nStartupRoundingMethod=even", rounding, "1"},
        {"[Miscellaneous Options]\nGroupTotalCreationDisplayState=GT", state, "SL"},
        {"[Miscellaneous Options]\nMaxTableDataCols=0", columns, "20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.value(LoadedFrom(c.line + "\n")), c.expected);
    }
}

TEST_F(ApplControlDataTest, SettersKeepTheirRanges) {
    TApplControlData settings(nullptr, storage_);
    settings.SetStartupDecimals(16);
    settings.SetDefaultDataEntry(6);
    settings.SetStartupRoundingMethod(2);
    settings.SetZTLColor(0xFF000000);
    settings.SetGrandTotalCreationDisplayState("XX");
    settings.SetTapeScreenFont({.Name = "", .Size = 0});
    EXPECT_EQ(settings.StartupDecimals(), 2);
    EXPECT_EQ(settings.DefaultDataEntry(), 0);
    EXPECT_EQ(settings.StartupRoundingMethod(), 0);
    EXPECT_EQ(settings.ZTLColor(), 0xC0C0C0u);
    EXPECT_EQ(settings.GrandTotalCreationDisplayState(), "SL");
    EXPECT_EQ(settings.TapeScreenFont().Name, "System");
    EXPECT_EQ(settings.TapeScreenFont().Size, 10);
}

TEST_F(ApplControlDataTest, RegistryValuesOfAnotherTypeCountAsMissing) {
    TApplControlData& settings = LoadedFrom(
        "[Software\\Orvanta\\Tallyroll]\n"
        "StartupDecimals=sz:4\n"
        "MaxTableDataCols=dword:30\n"
        "StayOnTop=dword:1\n"
        "DefaultDataEntry=dword:3\n"
        "[Software\\Orvanta\\Tallyroll\\TapeScreenFont]\n"
        "Size=dword:0\n"
        "Name=sz:Mono\n",
        TSettingsStore::Registry);
    EXPECT_EQ(settings.StartupDecimals(), 2);      // wrong type: unchanged
    EXPECT_EQ(settings.MaxTableDataCols(), 30);
    EXPECT_TRUE(settings.StayOnTop);
    EXPECT_EQ(settings.DefaultDataEntry(), 1);     // not a text: 0, then the post-load fix
    EXPECT_EQ(settings.TapeScreenFont().Size, 10);  // refused by the range
    EXPECT_EQ(settings.TapeScreenFont().Name, "Mono");
    EXPECT_TRUE(settings.ReopenList().empty());    // no MRUFiles key
}

TEST_F(ApplControlDataTest, WithoutTheMainRegistryKeyNothingLoads) {
    TApplControlData& settings = LoadedFrom("[Software\\Orvanta\\Tallyroll\\TapeScreenFont]\nSize=dword:20\n",
                                            TSettingsStore::Registry);
    EXPECT_EQ(settings.TapeScreenFont().Size, 10);
}

TEST_F(ApplControlDataTest, TheReopenListLoadsExistingFilesUpToTheFirstGapAndTheMaximum) {
    const std::string a = ExistingFile("a.tly"), b = ExistingFile("b.tly"), c = ExistingFile("c.tly");
    TApplControlData& settings = LoadedFrom(
        "[Miscellaneous Options]\nMaxMRUFiles=2\n"
        "[Most Recently Used Files]\n"
        "MruFile1=" + a + "\nMruFile2=/no/such/file.tly\nMruFile3=" + a + "\nMruFile4=" + b +
        "\nMruFile5=" + c + "\n");
    EXPECT_EQ(settings.ReopenList(), (std::vector<std::string>{a, b}));

    TApplControlData& gap = LoadedFrom("[Most Recently Used Files]\nMruFile1=" + a + "\nMruFile2=\nMruFile3=" + b + "\n");
    EXPECT_EQ(gap.ReopenList(), std::vector<std::string>{a});
}

TEST_F(ApplControlDataTest, SavingDropsMissingFilesFromTheReopenList) {
    const std::string kept = ExistingFile("kept.tly");
    const std::string gone = ExistingFile("gone.tly");
    TApplControlData settings(nullptr, storage_);
    settings.AddToReopenList(kept);
    settings.AddToReopenList(gone);
    std::filesystem::remove(gone);
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(settings.ReopenList(), std::vector<std::string>{kept});
    EXPECT_NE(ReadText(SettingsFile()).find("[Most Recently Used Files]\nMruFile1=" + kept + "\n"), std::string::npos);
    EXPECT_EQ(ReadText(SettingsFile()).find("MruFile2"), std::string::npos);
}

TEST_F(ApplControlDataTest, SavingKeepsWhatOthersWroteIntoTheFile) {
    WriteText(SettingsFile(), "[PageLayoutDefaults]\nTitle=Mine\n[Miscellaneous Options]\nFutureOption=3\n");
    TApplControlData settings(nullptr, storage_);
    ASSERT_TRUE(settings.Save());
    const std::string text = ReadText(SettingsFile());
    EXPECT_EQ(text.find("[PageLayoutDefaults]\nTitle=Mine\n"), 0u);
    EXPECT_NE(text.find("FutureOption=3\n"), std::string::npos);
}

TEST_F(ApplControlDataTest, AFailedSaveIsReportedWithTheFileAndReasonAndTheOldFileStays) {
    WriteText(SettingsFile(), "[Miscellaneous Options]\nStartupDecimals=4\n");
    const test::FailingCalls fullDisk(test::FailingStep::Write);
    const TSettingsStorage failing(paths_, fullDisk);
    TApplControlData settings(nullptr, failing);
    const TSaveResult result = settings.Save();
    EXPECT_FALSE(result);
    EXPECT_EQ(result.File, SettingsFile());
    EXPECT_EQ(result.Message(),
              "The settings could not be saved to " + SettingsFile().string() + ".  No space left on device.");
    EXPECT_EQ(ReadText(SettingsFile()), "[Miscellaneous Options]\nStartupDecimals=4\n");
}

// Permission bits do not stop root, so a settings folder whose place is taken by a file
// stands in for a folder nobody may write into.
TEST_F(ApplControlDataTest, ASaveWhereTheFolderCannotBeMadeIsReported) {
    WriteText(root_ / "tallyroll", "not a folder");
    TApplControlData settings(nullptr, storage_);
    const TSaveResult result = settings.Save();
    EXPECT_FALSE(result);
    EXPECT_NE(result.Message().find(SettingsFile().string()), std::string::npos);
    EXPECT_NE(result.Reason.find("cannot be created"), std::string::npos);
    EXPECT_EQ(ReadText(root_ / "tallyroll"), "not a folder");
}

// A settings file kept elsewhere and linked into the settings folder stays linked: the save
// goes into the file the link points at.
TEST_F(ApplControlDataTest, ASettingsFileThatIsALinkStaysOne) {
    const std::filesystem::path kept = root_ / "dotfiles" / "tallyroll.ini";
    WriteText(kept, "[Miscellaneous Options]\nStartupDecimals=4\n");
    std::filesystem::create_directories(SettingsFile().parent_path());
    std::filesystem::create_symlink(kept, SettingsFile());
    TApplControlData settings(nullptr, storage_);
    settings.Load();
    EXPECT_EQ(settings.StartupDecimals(), 4);
    settings.SetStartupDecimals(6);
    ASSERT_TRUE(settings.Save());
    EXPECT_TRUE(std::filesystem::is_symlink(SettingsFile()));
    EXPECT_NE(ReadText(kept).find("StartupDecimals=6\n"), std::string::npos);
}

TEST(ApplControlDataNoHomeTest, WithoutASettingsFolderNothingLoadsAndSavingSaysWhy) {
    const TSettingsStorage nowhere(std::nullopt);
    TApplControlData settings(nullptr, nowhere);
    settings.Load();
    EXPECT_EQ(settings.DefaultDataEntry(), 1);
    const TSaveResult result = settings.Save();
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Message(),
              "The settings could not be saved.  There is no settings folder: neither XDG_CONFIG_HOME nor HOME is set.");
}

TEST_F(ApplControlDataTest, AnUnreadableSettingsFileIsNotOverwritten) {
    const std::string huge(kMaxSettingsFileSize + 1, ';');
    WriteText(SettingsFile(), huge);
    TApplControlData settings(nullptr, storage_);
    settings.Load();
    EXPECT_EQ(settings.StartupDecimals(), 2);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(ReadText(SettingsFile()).size(), huge.size());
}

struct ReopenCase {
    const char* name;
    int max;
    std::vector<std::string> start;  // most recent first
    std::function<void(TReopenList&)> change;
    std::vector<std::string> expected;
};

TEST(ReopenListTest, Rules) {
    const std::vector<std::string> five = {"e", "d", "c", "b", "a"};
    const ReopenCase cases[] = {
        {"AddToEmpty", 5, {}, [](TReopenList& l) { l.Add("a"); }, {"a"}},
        {"SixthDropsTheOldest", 5, five, [](TReopenList& l) { l.Add("f"); }, {"f", "e", "d", "c", "b"}},
        {"KnownNameMovesToTop", 5, five, [](TReopenList& l) { l.Add("b"); }, {"b", "e", "d", "c", "a"}},
        {"TopStaysTop", 5, five, [](TReopenList& l) { l.Add("e"); }, five},
        {"EmptyNameIgnored", 5, five, [](TReopenList& l) { l.Add(""); }, five},
        {"ShrinkingDropsTheOldest", 5, five, [](TReopenList& l) { l.SetMaxLength(2); }, {"e", "d"}},
        {"ZeroMeansOne", 5, five, [](TReopenList& l) { l.SetMaxLength(0); }, {"e"}},
        {"GrowingKeepsAll", 5, five, [](TReopenList& l) { l.SetMaxLength(40); }, five},
    };
    for (const ReopenCase& c : cases) {
        SCOPED_TRACE(c.name);
        TReopenList list;
        list.SetMaxLength(c.max);
        for (auto name = c.start.rbegin(); name != c.start.rend(); ++name) list.Add(*name);
        c.change(list);
        EXPECT_EQ(list.Names(), c.expected);
    }
    TReopenList list;
    list.SetMaxLength(40);
    EXPECT_EQ(list.MaxLength(), 35);
    list.SetMaxLength(-3);
    EXPECT_EQ(list.MaxLength(), 1);
    EXPECT_EQ(list.MostRecentFolder(), "");
    list.Add("/home/ann/sums/week.tly");
    EXPECT_EQ(list.MostRecentFolder(), "/home/ann/sums");
}

}  // namespace
}  // namespace tally
