#include "settings/setting_fields.h"

#include <algorithm>
#include <optional>

#include "foundation/text_encoding.h"
#include "settings/setting_values.h"

namespace tally {

namespace {

template <class... Ts>
struct TOverloaded : Ts... {
    using Ts::operator()...;
};
// Clang before 17 does not deduce aggregate template arguments by itself.
template <class... Ts>
TOverloaded(Ts...) -> TOverloaded<Ts...>;

// The value a field takes from a raw integer: none when refused.
std::optional<std::int32_t> CheckedInteger(const TSettingField& field, std::int64_t value) {
    if (InRange(value, field.Min, field.Max)) return static_cast<std::int32_t>(value);
    if (!field.Clamp) return std::nullopt;
    return static_cast<std::int32_t>(std::clamp(value, field.Min, field.Max));
}

bool IsColor(std::int64_t value) { return InRange(value, 0, kMaxColor); }

std::optional<std::string> CheckedText(const TSettingField& field, std::string_view utf8) {
    std::string text = Utf8ToWindows1252(utf8);
    if (field.ValidText && !field.ValidText(text)) return std::nullopt;
    return text;
}

// Stores a value read from a store when it passes the field's check; answers whether it did.
struct TFieldAssign {
    const TSettingField& field;
    bool Assign(bool value) const {
        *std::get<bool*>(field.Target) = value;
        return true;
    }
    bool AssignInteger(std::int64_t value) const {
        if (auto* target = std::get_if<std::int32_t*>(&field.Target)) {
            const auto checked = CheckedInteger(field, value);
            if (checked) **target = *checked;
            return checked.has_value();
        }
        if (auto* target = std::get_if<TColorField>(&field.Target)) {
            if (IsColor(value)) *target->Value = static_cast<std::uint32_t>(value);
            return IsColor(value);
        }
        if (std::holds_alternative<bool*>(field.Target)) return Assign(value != 0);
        return false;
    }
    bool AssignMargin(long double value) const {
        if (!IsValidMargin(value)) return false;
        *std::get<long double*>(field.Target) = value;
        return true;
    }
    bool AssignText(std::string_view utf8) const {
        const auto checked = CheckedText(field, utf8);
        if (checked) *std::get<std::string*>(field.Target) = *checked;
        return checked.has_value();
    }
};

void AssignLoadDefault(const TSettingField& field) {
    std::visit(TOverloaded{
                   [&](bool* target) { *target = std::get<bool>(field.LoadDefault); },
                   [&](std::int32_t* target) { *target = std::get<std::int32_t>(field.LoadDefault); },
                   [&](TColorField target) { *target.Value = std::get<std::uint32_t>(field.LoadDefault); },
                   [&](long double* target) { *target = std::get<long double>(field.LoadDefault); },
                   [&](std::string* target) { *target = std::get<std::string_view>(field.LoadDefault); },
               },
               field.Target);
}

bool LoadIniValue(const TSettingField& field, const std::string& text) {
    const TFieldAssign assign{field};
    if (std::holds_alternative<std::string*>(field.Target)) return assign.AssignText(text);
    if (std::holds_alternative<long double*>(field.Target)) {
        const auto margin = ParseMargin(text);
        return margin && assign.AssignMargin(*margin);
    }
    const auto integer = ParseInteger(text);
    return integer && assign.AssignInteger(*integer);
}

void LoadRegistryValue(const TSettingField& field, const TRegistryStore& store) {
    const TFieldAssign assign{field};
    if (std::holds_alternative<std::string*>(field.Target)) {
        if (auto text = store.ReadString(field.Key, field.Name)) assign.AssignText(*text);
    } else if (std::holds_alternative<long double*>(field.Target)) {
        if (auto margin = store.ReadDouble(field.Key, field.Name)) assign.AssignMargin(*margin);
    } else if (auto integer = store.ReadInteger(field.Key, field.Name)) {
        assign.AssignInteger(*integer);
    }
}

}  // namespace

bool InRange(std::int64_t value, std::int64_t min, std::int64_t max) { return value >= min && value <= max; }

void LoadFieldsFromIni(const TIniFile& file, std::span<const TSettingField> fields) {
    for (const TSettingField& field : fields) {
        const std::optional<std::string> text = file.Read(field.Section, field.Name);
        if (!text || !LoadIniValue(field, *text)) AssignLoadDefault(field);
    }
}

void LoadFieldsFromRegistry(const TRegistryStore& store, std::span<const TSettingField> fields) {
    for (const TSettingField& field : fields) LoadRegistryValue(field, store);
}

void SaveFieldsToIni(TIniFile& file, std::span<const TSettingField> fields) {
    for (const TSettingField& field : fields) {
        const std::string text = std::visit(
            TOverloaded{
                [](bool* value) { return BooleanText(*value); },
                [](std::int32_t* value) { return std::to_string(*value); },
                [](TColorField value) { return std::to_string(*value.Value); },
                [](long double* value) { return MarginText(*value); },
                [](std::string* value) { return Windows1252ToUtf8(*value); },
            },
            field.Target);
        file.Write(field.Section, field.Name, text);
    }
}

void SaveFieldsToRegistry(TRegistryStore& store, std::span<const TSettingField> fields) {
    for (const TSettingField& field : fields) {
        std::visit(TOverloaded{
                       [&](bool* value) { store.WriteInteger(field.Key, field.Name, *value ? 1 : 0); },
                       [&](std::int32_t* value) { store.WriteInteger(field.Key, field.Name, *value); },
                       [&](TColorField value) {
                           store.WriteInteger(field.Key, field.Name, static_cast<std::int32_t>(*value.Value));
                       },
                       [&](long double* value) {
                           store.WriteDouble(field.Key, field.Name, *value);
                       },
                       [&](std::string* value) {
                           store.WriteString(field.Key, field.Name, Windows1252ToUtf8(*value));
                       },
                   },
                   field.Target);
    }
}

}  // namespace tally
