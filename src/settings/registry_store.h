#pragma once
// The "registry" store: a per-user key-value store with key paths and typed values, kept in an
// ini file (one section per key path, one line per value). A value's text starts with its
// type: "dword:" 32-bit integer, "sz:" string, "double:" floating-point number
// (written to the full precision of long double, so margins read back exactly). A value
// of another type than asked for counts as missing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

namespace tally {

enum class TRegistryType { Integer, String, Double };

class TRegistryStore {
public:
    explicit TRegistryStore(TIniFile& file) : file_(file) {}

    bool KeyExists(std::string_view key) const { return file_.SectionExists(key); }
    void CreateKey(std::string_view key) { file_.AddSection(key); }
    void DeleteKey(std::string_view key) { file_.EraseSection(key); }
    // How many values the key holds, whatever their type.
    int ValueCount(std::string_view key) const;

    // The type a value is stored with; none when it is missing or its text carries no known type.
    std::optional<TRegistryType> TypeOf(std::string_view key, std::string_view name) const;
    std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const;
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;
    std::optional<long double> ReadDouble(std::string_view key, std::string_view name) const;

    void WriteInteger(std::string_view key, std::string_view name, std::int32_t value);
    void WriteString(std::string_view key, std::string_view name, std::string_view value);
    void WriteDouble(std::string_view key, std::string_view name, long double value);

private:
    std::optional<std::string> Payload(std::string_view key, std::string_view name, TRegistryType type) const;

    TIniFile& file_;
};

}  // namespace tally
