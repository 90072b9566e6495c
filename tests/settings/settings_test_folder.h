#pragma once
// A temporary per-user configuration folder: XDG_CONFIG_HOME points at it for the test's
// lifetime, so the settings go there and never into the real home.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/settings_locations.h"
#include "settings/settings_storage.h"

namespace tally::test {

class SettingsFolderTest : public ::testing::Test {
protected:
    SettingsFolderTest() = default;
    ~SettingsFolderTest() override {
        if (oldXdg_) {
            ::setenv("XDG_CONFIG_HOME", oldXdg_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }

    const std::filesystem::path& SettingsFile() const { return paths_.SettingsFile; }
    const std::filesystem::path& RegistryFile() const { return paths_.RegistryFile; }

    static void WriteText(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string ReadText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // An existing file that the reopen list may keep.
    std::string ExistingFile(const std::string& name) const {
        const std::filesystem::path path = root_ / "documents" / name;
        WriteText(path, "x");
        return path.string();
    }

    static std::optional<std::string> CurrentXdg() {
        const char* value = std::getenv("XDG_CONFIG_HOME");
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static std::filesystem::path PointXdgAtNewFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tallyroll-settings-XXXXXX").string();
        const std::filesystem::path root = ::mkdtemp(pattern.data());
        ::setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        return root;
    }

    std::optional<std::string> oldXdg_ = CurrentXdg();
    std::filesystem::path root_ = PointXdgAtNewFolder();
    TSettingsPaths paths_ = *ResolveSettingsPaths(SystemSettingsLocations());
    TSettingsStorage storage_{paths_};
};

}  // namespace tally::test
