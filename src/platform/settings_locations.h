#pragma once
// Where the settings files live. The per-user folder is $XDG_CONFIG_HOME/tallyroll (default
// ~/.config/tallyroll); a writable tallyroll.ini beside the executable is used instead when
// present (portable install). The "registry" store, registry.ini, sits in the same folder.

#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

namespace tally {

inline constexpr std::string_view SettingsFileName = "tallyroll.ini";
inline constexpr std::string_view RegistryFileName = "registry.ini";

class ISettingsLocations {
public:
    virtual ~ISettingsLocations() = default;
    // The per-user folder; none when the environment names no usable home.
    virtual std::optional<std::filesystem::path> UserConfigDir() const = 0;
    virtual std::filesystem::path ExecutableDir() const = 0;
    // Whether the path is an existing regular file this process may write.
    virtual bool IsWritableFile(const std::filesystem::path& path) const = 0;
};

struct TSettingsPaths {
    std::filesystem::path Folder;
    std::filesystem::path SettingsFile;
    std::filesystem::path RegistryFile;
    bool Portable = false;
};

// The per-user folder from the environment's values: $XDG_CONFIG_HOME/tallyroll when it is an
// absolute path (relative values are ignored, as the XDG rules ask), else $HOME/.config/tallyroll
// when HOME is absolute, else none.
std::optional<std::filesystem::path> UserConfigDirFrom(std::string_view xdgConfigHome,
                                                       std::string_view home);

// The files to use; none when there is neither a portable file nor a per-user folder.
std::optional<TSettingsPaths> ResolveSettingsPaths(const ISettingsLocations& locations);

// Locations of the running program: environment variables and /proc/self/exe.
class SystemSettingsLocations : public ISettingsLocations {
public:
    std::optional<std::filesystem::path> UserConfigDir() const override;
    std::filesystem::path ExecutableDir() const override;
    bool IsWritableFile(const std::filesystem::path& path) const override;
};

// Fixed locations for tests and the command-line tool; no file is writable unless marked so.
class HeadlessSettingsLocations : public ISettingsLocations {
public:
    HeadlessSettingsLocations(std::optional<std::filesystem::path> userConfigDir,
                              std::filesystem::path executableDir)
        : userConfigDir_(std::move(userConfigDir)), executableDir_(std::move(executableDir)) {}

    std::optional<std::filesystem::path> UserConfigDir() const override { return userConfigDir_; }
    std::filesystem::path ExecutableDir() const override { return executableDir_; }
    bool IsWritableFile(const std::filesystem::path& path) const override {
        return writableFile_ && *writableFile_ == path;
    }

    void MarkWritable(std::filesystem::path path) { writableFile_ = std::move(path); }

private:
    std::optional<std::filesystem::path> userConfigDir_;
    std::filesystem::path executableDir_;
    std::optional<std::filesystem::path> writableFile_;
};

}  // namespace tally
