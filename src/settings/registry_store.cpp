#include "settings/registry_store.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "settings/setting_values.h"

namespace tally {

namespace {

constexpr std::array<std::pair<TRegistryType, std::string_view>, 3> kTypePrefixes = {{
    {TRegistryType::Integer, "dword:"},
    {TRegistryType::String, "sz:"},
    {TRegistryType::Double, "double:"},
}};

std::string_view PrefixOf(TRegistryType type) {
    for (const auto& [candidate, prefix] : kTypePrefixes) {
        if (candidate == type) return prefix;
    }
    return {};
}

}  // namespace

int TRegistryStore::ValueCount(std::string_view key) const {
    return static_cast<int>(file_.Keys(key).size());
}

std::optional<TRegistryType> TRegistryStore::TypeOf(std::string_view key, std::string_view name) const {
    const std::optional<std::string> text = file_.Read(key, name);
    if (!text) return std::nullopt;
    for (const auto& [type, prefix] : kTypePrefixes) {
        if (text->starts_with(prefix)) return type;
    }
    return std::nullopt;
}

std::optional<std::string> TRegistryStore::Payload(std::string_view key, std::string_view name,
                                                   TRegistryType type) const {
    if (TypeOf(key, name) != type) return std::nullopt;
    return file_.Read(key, name)->substr(PrefixOf(type).size());
}

std::optional<std::int32_t> TRegistryStore::ReadInteger(std::string_view key, std::string_view name) const {
    const std::optional<std::string> payload = Payload(key, name, TRegistryType::Integer);
    return payload ? ParseInteger(*payload) : std::nullopt;
}

std::optional<std::string> TRegistryStore::ReadString(std::string_view key, std::string_view name) const {
    return Payload(key, name, TRegistryType::String);
}

std::optional<long double> TRegistryStore::ReadDouble(std::string_view key, std::string_view name) const {
    const std::optional<std::string> payload = Payload(key, name, TRegistryType::Double);
    if (!payload) return std::nullopt;
    long double value = 0;
    const char* end = payload->data() + payload->size();
    const auto result = std::from_chars(payload->data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

void TRegistryStore::WriteInteger(std::string_view key, std::string_view name, std::int32_t value) {
    file_.Write(key, name, std::string(PrefixOf(TRegistryType::Integer)) + std::to_string(value));
}

void TRegistryStore::WriteString(std::string_view key, std::string_view name, std::string_view value) {
    file_.Write(key, name, std::string(PrefixOf(TRegistryType::String)) + std::string(value));
}

void TRegistryStore::WriteDouble(std::string_view key, std::string_view name, long double value) {
    char buffer[64];
    // The shortest text that reads back as the same number.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    file_.Write(key, name, std::string(PrefixOf(TRegistryType::Double)) + std::string(buffer, result.ptr));
}

}  // namespace tally
