#include "ui/qt_tape_keys.h"

#include <QKeyEvent>

#include "ui/qt_text.h"

namespace tally {
namespace {

TTapeKey KeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return TTapeKey::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return TTapeKey::Enter;
        case Qt::Key_PageUp: return TTapeKey::PageUp;
        case Qt::Key_PageDown: return TTapeKey::PageDown;
        case Qt::Key_Up: return TTapeKey::Up;
        case Qt::Key_Down: return TTapeKey::Down;
        case Qt::Key_Left: return TTapeKey::Left;
        case Qt::Key_Right: return TTapeKey::Right;
        case Qt::Key_Delete: return TTapeKey::Delete;
        case Qt::Key_Slash:
            return event.modifiers().testFlag(Qt::KeypadModifier) ? TTapeKey::NumPadDivide
                                                                   : TTapeKey::Other;
        default: return TTapeKey::Other;
    }
}

}  // namespace

TTapeKeyInput TranslateKey(const QKeyEvent& event) {
    TTapeKeyInput input;
    input.Key = KeyOf(event);
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    input.Modifiers.Shift = modifiers.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
    input.Modifiers.Ctrl = modifiers.testFlag(Qt::ControlModifier);
    input.Modifiers.Alt = modifiers.testFlag(Qt::AltModifier);

    const int key = event.key();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: input.Character = TapeChar::kEnter; return input;
        case Qt::Key_Escape: input.Character = TapeChar::kEscape; return input;
        case Qt::Key_Backspace: input.Character = TapeChar::kBackspace; return input;
        case Qt::Key_Insert:
            // The editor's own paste and copy keys type Ctrl+V and Ctrl+C, so a paste goes
            // through the tape's checks like any other.
            if (input.Modifiers.Shift && !input.Modifiers.Ctrl) input.Character = TapeChar::kCtrlV;
            if (input.Modifiers.Ctrl && !input.Modifiers.Shift) input.Character = TapeChar::kCtrlC;
            return input;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete: return input;
        default: break;
    }
    // Alt combinations are commands for the window, not typing.
    if (input.Modifiers.Alt && !input.Modifiers.Ctrl) return input;
    if (input.Modifiers.Ctrl) {
        // Ctrl+letter types its control character whatever text the platform attached.
        if (key >= Qt::Key_A && key <= Qt::Key_Z) input.Character = static_cast<char>(key - Qt::Key_A + 1);
        return input;
    }
    const QString text = event.text();
    if (text.isEmpty()) return input;
    if (text == QStringLiteral("\r") || text == QStringLiteral("\n")) {
        input.Key = TTapeKey::Enter;
        input.Character = TapeChar::kEnter;
        return input;
    }
    bool ok = false;
    const std::string bytes = FromQString(text, &ok);
    if (!ok) {
        input.Unrepresentable = true;
        return input;
    }
    const auto byte = static_cast<unsigned char>(bytes.front());
    if (bytes.size() == 1 && byte >= 0x20 && byte != 0x7F) input.Character = bytes.front();
    return input;
}

}  // namespace tally
