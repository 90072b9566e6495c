#pragma once
// The key notation of `tallyroll-cli tape`: every character is typed as itself, a newline is
// Enter, braces name other keys ({Enter}, {Esc}, {Tab}, {Divide} for the numeric pad's divide
// key, {SelectAll} to select the whole text of the cell, ...), square brackets run an edit
// command by its action name ([ZeroTotal]), and doubled braces or brackets type them literally.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally::cli {

enum class TNamedKey { Enter, Escape, Tab, Backspace, Delete, Up, Down, Left, Right, Home, End,
                       PageUp, PageDown, Divide, SelectAll };

struct TKeyStep {
    enum class Kind { Character, Key, Action };
    Kind StepKind = Kind::Character;
    char Character = '\0';   // Windows-1252, for Kind::Character
    TNamedKey Key = TNamedKey::Enter;
    std::string Action;      // for Kind::Action
};

struct TKeyScript {
    std::vector<TKeyStep> Steps;
    std::string Error;  // empty when the whole text was read
};

// Reads a UTF-8 key text. A character with no Windows-1252 form, an unknown key name or an
// unclosed brace or bracket stops the reading with an error that names the place.
TKeyScript ParseKeyScript(std::string_view utf8);

}  // namespace tally::cli
