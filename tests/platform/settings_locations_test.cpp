#include "platform/settings_locations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/ordinary_user.h"

namespace tally {
namespace {

namespace fs = std::filesystem;

struct ConfigDirCase {
    const char* name;
    const char* xdgConfigHome;
    const char* home;
    std::optional<fs::path> expected;
};

void PrintTo(const ConfigDirCase& c, std::ostream* os) { *os << c.name; }

class UserConfigDirTest : public ::testing::TestWithParam<ConfigDirCase> {};

TEST_P(UserConfigDirTest, FollowsTheXdgRules) {
    const ConfigDirCase& c = GetParam();
    EXPECT_EQ(UserConfigDirFrom(c.xdgConfigHome, c.home), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserConfigDirTest,
    ::testing::Values(
        ConfigDirCase{"XdgConfigHomeWins", "/cfg", "/home/ann", fs::path("/cfg/tallyroll")},
        ConfigDirCase{"UnsetXdgFallsBackToHome", "", "/home/ann",
                      fs::path("/home/ann/.config/tallyroll")},
        ConfigDirCase{"RelativeXdgIsIgnored", "cfg", "/home/ann",
                      fs::path("/home/ann/.config/tallyroll")},
        ConfigDirCase{"NoHomeNoFolder", "", "", std::nullopt},
        ConfigDirCase{"RelativeHomeNoFolder", "", "home/ann", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolveSettingsPathsTest, PerUserFolderWhenNoWritablePortableFile) {
    HeadlessSettingsLocations locations(fs::path("/home/ann/.config/tallyroll"), "/opt/tallyroll");
    const auto paths = ResolveSettingsPaths(locations);
    ASSERT_TRUE(paths);
    EXPECT_FALSE(paths->Portable);
    EXPECT_EQ(paths->SettingsFile, "/home/ann/.config/tallyroll/tallyroll.ini");
    EXPECT_EQ(paths->RegistryFile, "/home/ann/.config/tallyroll/registry.ini");
}

TEST(ResolveSettingsPathsTest, WritablePortableFileBesideTheExecutableWins) {
    HeadlessSettingsLocations locations(fs::path("/home/ann/.config/tallyroll"), "/media/usb");
    locations.MarkWritable("/media/usb/tallyroll.ini");
    const auto paths = ResolveSettingsPaths(locations);
    ASSERT_TRUE(paths);
    EXPECT_TRUE(paths->Portable);
    EXPECT_EQ(paths->SettingsFile, "/media/usb/tallyroll.ini");
    EXPECT_EQ(paths->RegistryFile, "/media/usb/registry.ini");
}

TEST(ResolveSettingsPathsTest, NoFolderAtAllGivesNone) {
    HeadlessSettingsLocations locations(std::nullopt, "/opt/tallyroll");
    EXPECT_FALSE(ResolveSettingsPaths(locations));
    locations.MarkWritable("/opt/tallyroll/tallyroll.ini");
    EXPECT_TRUE(ResolveSettingsPaths(locations));
}

class SystemSettingsLocationsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tallyroll_locations_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder / "tallyroll.ini", fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
    SystemSettingsLocations system;
};

TEST_F(SystemSettingsLocationsTest, WritableMeansAnExistingRegularFileThatOpensForUpdate) {
    const fs::path file = folder / "tallyroll.ini";
    EXPECT_FALSE(system.IsWritableFile(file));
    EXPECT_FALSE(fs::exists(file));  // the check creates nothing

    const std::string content = "[Settings]\r\n";
    std::ofstream(file) << content;
    EXPECT_TRUE(system.IsWritableFile(file));
    EXPECT_EQ(fs::file_size(file), content.size());  // nor truncates

    EXPECT_FALSE(system.IsWritableFile(folder));
}

TEST_F(SystemSettingsLocationsTest, ReadOnlyFileIsNotWritable) {
    const fs::path file = folder / "tallyroll.ini";
    std::ofstream(file) << "x";
    const fs::perms readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(folder, fs::perms::others_exec, fs::perm_options::add);
    // Run by root, the check is made as an ordinary user, whom permission bits stop.
    for (const bool canWrite : {false, true}) {
        SCOPED_TRACE(canWrite);
        fs::permissions(file, canWrite ? readable | writable : readable);
        const test::TAsOrdinaryUser ordinary;
        EXPECT_EQ(system.IsWritableFile(file), canWrite);
    }
}

TEST_F(SystemSettingsLocationsTest, ExecutableDirIsTheFolderOfTheRunningProgram) {
    const fs::path dir = system.ExecutableDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_EQ(dir, fs::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace tally
