#include "cli/key_script.h"

#include <array>
#include <utility>

#include "foundation/text_encoding.h"

namespace tally::cli {
namespace {

constexpr std::array<std::pair<std::string_view, TNamedKey>, 15> kKeyNames{{
    {"Enter", TNamedKey::Enter},   {"Esc", TNamedKey::Escape},     {"Tab", TNamedKey::Tab},
    {"Backspace", TNamedKey::Backspace}, {"Delete", TNamedKey::Delete}, {"Up", TNamedKey::Up},
    {"Down", TNamedKey::Down},     {"Left", TNamedKey::Left},      {"Right", TNamedKey::Right},
    {"Home", TNamedKey::Home},     {"End", TNamedKey::End},        {"PgUp", TNamedKey::PageUp},
    {"PgDn", TNamedKey::PageDown}, {"Divide", TNamedKey::Divide},
    {"SelectAll", TNamedKey::SelectAll},
}};

std::optional<TNamedKey> KeyByName(std::string_view name) {
    for (const auto& [keyName, key] : kKeyNames) {
        if (keyName == name) return key;
    }
    return std::nullopt;
}

TKeyStep CharacterStep(char c) {
    TKeyStep step;
    step.Character = c;
    return step;
}

}  // namespace

TKeyScript ParseKeyScript(std::string_view utf8) {
    TKeyScript script;
    bool lossless = true;
    const std::string text = Utf8ToWindows1252(utf8, '?', &lossless);
    if (!lossless) {
        script.Error = "the keys hold a character that cannot be typed into a tape";
        return script;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool opens = c == '{' || c == '[';
        const bool closes = c == '}' || c == ']';
        if ((opens || closes) && i + 1 < text.size() && text[i + 1] == c) {
            script.Steps.push_back(CharacterStep(c));
            ++i;
            continue;
        }
        if (closes) {
            script.Error = "unmatched \"" + std::string(1, c) + "\" at character " + std::to_string(i + 1);
            return script;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF is one Enter
        if (c == '\n' || c == '\r') {
            TKeyStep step;
            step.StepKind = TKeyStep::Kind::Key;
            step.Key = TNamedKey::Enter;
            script.Steps.push_back(step);
            continue;
        }
        if (!opens) {
            script.Steps.push_back(CharacterStep(c));
            continue;
        }
        const char close = c == '{' ? '}' : ']';
        const std::size_t end = text.find(close, i + 1);
        if (end == std::string::npos) {
            script.Error = "unclosed \"" + std::string(1, c) + "\" at character " + std::to_string(i + 1);
            return script;
        }
        const std::string_view name = std::string_view(text).substr(i + 1, end - i - 1);
        TKeyStep step;
        if (c == '{') {
            const auto key = KeyByName(name);
            if (!key) {
                script.Error = "unknown key {" + std::string(name) + "}";
                return script;
            }
            step.StepKind = TKeyStep::Kind::Key;
            step.Key = *key;
        } else {
            if (name.empty()) {
                script.Error = "empty action [] at character " + std::to_string(i + 1);
                return script;
            }
            step.StepKind = TKeyStep::Kind::Action;
            step.Action = name;
        }
        script.Steps.push_back(std::move(step));
        i = end;
    }
    return script;
}

}  // namespace tally::cli
