#pragma once
// A settings object describes its stored values as a table of fields; one loader and one
// writer per store then handle every field alike. A value read from a store passes the same
// check as the object's setter: a settings file value that fails it (or is missing) gives the
// field's load default, a registry value that fails it (or is missing, or of another type)
// leaves the field as it is.
//
// Texts are Windows-1252 inside the program and UTF-8 in the files.

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/ini_file.h"
#include "settings/registry_store.h"

namespace tally {

struct TColorField {
    std::uint32_t* Value;
};

using TFieldTarget = std::variant<bool*, std::int32_t*, TColorField, long double*, std::string*>;
using TFieldDefault = std::variant<bool, std::int32_t, std::uint32_t, long double, std::string_view>;

struct TSettingField {
    std::string_view Section;   // the settings file's section
    std::string_view Key;       // the registry's key path
    std::string_view Name;
    TFieldTarget Target;
    TFieldDefault LoadDefault;  // given by a settings file without the value
    // Integers: the accepted range; out of range is refused, or clamped when Clamp is set.
    std::int64_t Min = std::numeric_limits<std::int32_t>::min();
    std::int64_t Max = std::numeric_limits<std::int32_t>::max();
    bool Clamp = false;
    // Texts: which are accepted; null accepts every text.
    bool (*ValidText)(std::string_view) = nullptr;
};

void LoadFieldsFromIni(const TIniFile& file, std::span<const TSettingField> fields);
void LoadFieldsFromRegistry(const TRegistryStore& store, std::span<const TSettingField> fields);
void SaveFieldsToIni(TIniFile& file, std::span<const TSettingField> fields);
void SaveFieldsToRegistry(TRegistryStore& store, std::span<const TSettingField> fields);

// The range check of integer fields, for setters that share it.
bool InRange(std::int64_t value, std::int64_t min, std::int64_t max);

}  // namespace tally
