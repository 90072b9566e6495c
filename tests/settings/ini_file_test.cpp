#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "settings/registry_store.h"
#include "settings/setting_values.h"

namespace tally {
namespace {

TEST(IniFileTest, NamesIgnoreLetterCaseAndValuesRunToTheEndOfTheLine) {
    const TIniFile file = TIniFile::Parse(
        "\xEF\xBB\xBF[Miscellaneous Options]\r\n"
        "  CustomColors = ColorA=C0C0C0,ColorB=CCFFCC ; not a comment\r\n"
        "Title=Week 1;Week 2\r\n"
        "Empty=\r\n");
    EXPECT_EQ(file.Read("MISCELLANEOUS OPTIONS", "customcolors"), "ColorA=C0C0C0,ColorB=CCFFCC ; not a comment");
    EXPECT_EQ(file.Read("miscellaneous options", "TITLE"), "Week 1;Week 2");
    EXPECT_EQ(file.Read("Miscellaneous Options", "Empty"), "");
    EXPECT_EQ(file.Read("Miscellaneous Options", "Missing"), std::nullopt);
    EXPECT_EQ(file.Read("Other", "Title"), std::nullopt);
}

TEST(IniFileTest, WritingBackKeepsUnknownSectionsKeysAndCommentsInOrder) {
    TIniFile file = TIniFile::Parse(
        "; written by hand\n"
        "[Other Program]\n"
        "Colour=blue\n"
        "\n"
        "[Miscellaneous Options]\n"
        "FutureOption=7\n"
        "StayOnTop=0\n"
        "\n"
        "[Last]\n"
        "x=1\n");
    file.Write("miscellaneous options", "STAYONTOP", "1");
    file.Write("Miscellaneous Options", "HideKeypad", "1");
    file.Write("Tape Screen Font", "Name", "Courier");
    EXPECT_EQ(file.Text(),
              "; written by hand\n"
              "[Other Program]\n"
              "Colour=blue\n"
              "\n"
              "[Miscellaneous Options]\n"
              "FutureOption=7\n"
              "StayOnTop=1\n"
              "HideKeypad=1\n"
              "\n"
              "[Last]\n"
              "x=1\n"
              "\n"
              "[Tape Screen Font]\n"
              "Name=Courier\n");
}

TEST(IniFileTest, LineBreaksInAValueCannotStartANewKeyOrSection) {
    TIniFile file;
    file.Write("PageLayoutDefaults", "Title", "Totals\r\n[Evil]\nStayOnTop=1");
    const TIniFile reread = TIniFile::Parse(file.Text());
    EXPECT_FALSE(reread.SectionExists("Evil"));
    EXPECT_EQ(reread.Keys("PageLayoutDefaults"), std::vector<std::string>{"Title"});
}

TEST(IniFileTest, EraseSectionAndKey) {
    TIniFile file = TIniFile::Parse("[A]\nk=1\nj=2\n[Most Recently Used Files]\nMruFile1=/a\n[B]\n");
    file.EraseSection("most recently used files");
    file.EraseKey("a", "K");
    EXPECT_EQ(file.Sections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(file.Keys("A"), std::vector<std::string>{"j"});
}

TEST(RegistryStoreTest, MissingAndWrongTypeAreToldApartAndBothReadAsNothing) {
    TIniFile file = TIniFile::Parse(
        "[Software\\Orvanta\\Tallyroll]\n"
        "Number=dword:42\n"
        "Text=sz:hello: world\n"
        "Margin=double:0.75\n"
        "Untyped=42\n"
        "BadNumber=dword:4x\n");
    const TRegistryStore store(file);
    const std::string_view key = "software\\orvanta\\tallyroll";
    EXPECT_EQ(store.ReadInteger(key, "Number"), 42);
    EXPECT_EQ(store.ReadString(key, "Text"), "hello: world");
    EXPECT_EQ(store.ReadDouble(key, "Margin"), 0.75);

    EXPECT_EQ(store.TypeOf(key, "Missing"), std::nullopt);
    EXPECT_EQ(store.TypeOf(key, "Text"), TRegistryType::String);
    EXPECT_EQ(store.ReadInteger(key, "Text"), std::nullopt);     // wrong type
    EXPECT_EQ(store.ReadString(key, "Number"), std::nullopt);    // wrong type
    EXPECT_EQ(store.ReadInteger(key, "Untyped"), std::nullopt);  // no type at all
    EXPECT_EQ(store.ReadInteger(key, "BadNumber"), std::nullopt);
    EXPECT_EQ(store.ValueCount(key), 5);
}

TEST(RegistryStoreTest, WrittenValuesReadBackExactly) {
    TIniFile file;
    TRegistryStore store(file);
    store.WriteInteger("K", "Min", -2147483647 - 1);
    store.WriteString("K", "Name", "Times New Roman");
    store.WriteDouble("K", "Third", 1.0 / 3.0);
    TIniFile reread = TIniFile::Parse(file.Text());
    const TRegistryStore back(reread);
    EXPECT_EQ(back.ReadInteger("K", "Min"), -2147483647 - 1);
    EXPECT_EQ(back.ReadString("K", "Name"), "Times New Roman");
    EXPECT_EQ(back.ReadDouble("K", "Third"), 1.0 / 3.0);
}

struct MarginCase {
    const char* text;
    std::optional<long double> expected;
};

TEST(SettingValuesTest, MarginsReadWithPointOrCommaAndRefuseTheRest) {
    const MarginCase cases[] = {
        {"1.25", 1.25L}, {"1,25", 1.25L}, {" 0.5 ", 0.5L}, {"25", 25.0L}, {"0", 0.0L},
        {"abc", std::nullopt}, {"", std::nullopt}, {"1.2.3", std::nullopt}, {"-1", std::nullopt},
        {"1e3", std::nullopt}, {"1001", std::nullopt}, {"nan", std::nullopt}, {"1,000.5", std::nullopt},
    };
    for (const MarginCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseMargin(c.text), c.expected);
    }
    EXPECT_EQ(MarginText(1.0L), "1");
    EXPECT_EQ(MarginText(0.75L), "0.75");
    EXPECT_EQ(MarginText(12.7L), "12.7");
    EXPECT_EQ(ParseMargin(MarginText(0.1L)), 0.1L);
}

TEST(SettingValuesTest, IntegersAndBooleans) {
    EXPECT_EQ(ParseInteger(" -12 "), -12);
    EXPECT_EQ(ParseInteger("+7"), 7);
    EXPECT_EQ(ParseInteger("7x"), std::nullopt);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseBoolean("2"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("yes"), std::nullopt);
}

}  // namespace
}  // namespace tally
