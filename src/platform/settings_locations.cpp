#include "platform/settings_locations.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace tally {

namespace {

constexpr std::string_view ApplicationFolder = "tallyroll";

std::string_view EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

}  // namespace

std::optional<std::filesystem::path> UserConfigDirFrom(std::string_view xdgConfigHome,
                                                       std::string_view home) {
    if (IsAbsolute(xdgConfigHome)) {
        return std::filesystem::path(xdgConfigHome) / ApplicationFolder;
    }
    if (IsAbsolute(home)) return std::filesystem::path(home) / ".config" / ApplicationFolder;
    return std::nullopt;
}

std::optional<TSettingsPaths> ResolveSettingsPaths(const ISettingsLocations& locations) {
    TSettingsPaths paths;
    const std::filesystem::path portableFile = locations.ExecutableDir() / SettingsFileName;
    if (!locations.ExecutableDir().empty() && locations.IsWritableFile(portableFile)) {
        paths.Folder = locations.ExecutableDir();
        paths.Portable = true;
    } else if (auto userDir = locations.UserConfigDir()) {
        paths.Folder = *userDir;
    } else {
        return std::nullopt;
    }
    paths.SettingsFile = paths.Folder / SettingsFileName;
    paths.RegistryFile = paths.Folder / RegistryFileName;
    return paths;
}

std::optional<std::filesystem::path> SystemSettingsLocations::UserConfigDir() const {
    return UserConfigDirFrom(EnvironmentValue("XDG_CONFIG_HOME"), EnvironmentValue("HOME"));
}

std::filesystem::path SystemSettingsLocations::ExecutableDir() const {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

bool SystemSettingsLocations::IsWritableFile(const std::filesystem::path& path) const {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    // Opening for update neither creates nor truncates the file.
    std::fstream file(path, std::ios::in | std::ios::out);
    return file.is_open();
}

}  // namespace tally
