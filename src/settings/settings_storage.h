#pragma once
// The two settings files of this user: the settings file (tallyroll.ini) and the "registry"
// store (registry.ini). Both settings objects read and update them through here; an update
// reads the file, changes it and writes it back whole, so sections that belong to the other
// object, or to nobody, are kept.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/settings_locations.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"

namespace tally {

// Which file a settings object loads from and saves to.
enum class TSettingsStore : std::uint8_t { SettingsFile = 0, Registry = 1 };

// A save that did not go through: the file and why.
struct TSaveResult {
    bool Ok = true;
    std::filesystem::path File;
    std::string Reason;
    explicit operator bool() const { return Ok; }
    // "The settings could not be saved to <file>.  <Reason>."
    std::string Message() const;
};

struct TIniRead {
    bool Exists = false;
    TIniFile File;
};

class TSettingsStorage {
public:
    // Without paths (no home folder) nothing loads and every save fails.
    explicit TSettingsStorage(std::optional<TSettingsPaths> paths, const IFileCalls& calls = SystemFileCalls())
        : paths_(std::move(paths)), calls_(calls) {}

    const std::optional<TSettingsPaths>& Paths() const { return paths_; }

    // The file's contents; an unreadable file counts as missing.
    TIniRead Read(TSettingsStore store) const;
    // Reads the file (missing: empty), lets change edit it and writes it back. A file that
    // exists but cannot be read is not overwritten.
    TSaveResult Update(TSettingsStore store, const std::function<void(TIniFile&)>& change) const;

private:
    std::optional<std::filesystem::path> FileOf(TSettingsStore store) const;

    std::optional<TSettingsPaths> paths_;
    const IFileCalls& calls_;
};

}  // namespace tally
