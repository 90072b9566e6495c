#pragma once
// A Qt key event as the tape takes it: a key for its key-down handler and, when the key types
// one, the Windows-1252 character for its key-press handler.

#include <optional>

#include "engine/tape/calculator.h"

class QKeyEvent;

namespace tally {

struct TTapeKeyInput {
    TTapeKey Key = TTapeKey::Other;
    TKeyModifiers Modifiers;
    // The typed character: printable text, Enter, Escape, Backspace or a Ctrl+letter control
    // character (Shift+Insert and Ctrl+Insert type those of Ctrl+V and Ctrl+C). None for keys
    // that type nothing (arrows, Delete, Tab, function keys).
    std::optional<char> Character;
    // The key typed a character that Windows-1252 cannot hold; it is refused.
    bool Unrepresentable = false;
};

TTapeKeyInput TranslateKey(const QKeyEvent& event);

}  // namespace tally
