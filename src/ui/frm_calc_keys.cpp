// The window's own keys, taken before the focused control sees them: Ctrl+Q and Ctrl+Shift+Q
// go through the open documents, Ctrl+A and Ctrl+Shift+A through the visible document's tapes
// and tables, and while a side calculation runs Ctrl+N ends it with a link. Ctrl+2, Ctrl+3 and
// Ctrl+4 run the locked side and table copies.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <optional>
#include <string_view>

#include "documents/file_document.h"
#include "foundation/event_names.h"
#include "ui/frm_calc.h"

namespace tally {

namespace {

// What a window key does: a file manager command sent on the application bus, or a command of
// the document's command table.
struct TWindowKeyCommand {
    std::string_view BusEvent;
    std::string_view DocumentCommand;
};

std::optional<TWindowKeyCommand> WindowKeyCommand(const QKeyEvent& key, const TTlyFile& document) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const bool shifted = modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
    if (modifiers != Qt::ControlModifier && !shifted) return std::nullopt;
    const bool hasSideTape = (document.EnabledParts() & DocumentPart::kSideTape) != 0;
    switch (key.key()) {
    case Qt::Key_Q:
        return TWindowKeyCommand{shifted ? events::FileMgr_ToggleBackOpenFiles : events::FileMgr_ToggleOpenFiles, {}};
    case Qt::Key_A:
        return TWindowKeyCommand{shifted ? events::FileMgr_ToggleBackEnabledTapes : events::FileMgr_ToggleEnabledTapes, {}};
    default:
        break;
    }
    if (shifted) return std::nullopt;
    switch (key.key()) {
    case Qt::Key_N:
        // Otherwise Ctrl+N is File > New.
        if (document.SideCalcActive()) return TWindowKeyCommand{{}, "EndSideLink"};
        break;
    case Qt::Key_4:
        if ((document.EnabledParts() & DocumentPart::kTables) != 0) return TWindowKeyCommand{{}, "CopyToTableLock"};
        break;
    case Qt::Key_3:
        if (hasSideTape) return TWindowKeyCommand{{}, "CopyToSideLock"};
        break;
    case Qt::Key_2:
        if (hasSideTape) return TWindowKeyCommand{{}, "SideToEntryLink"};
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace

bool TfrmCalc::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    // Keys for this window's widgets only: dialogs keep theirs, and the window system's own
    // delivery of the key to the widget is not counted twice.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || !files_) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const std::optional<TWindowKeyCommand> command = WindowKeyCommand(key, Document());
    if (!command) return false;
    // Claimed before any shortcut (Ctrl+N is File > New otherwise) and any editor (Ctrl+A would
    // select the cell's text); carried out when the key is pressed.
    event->accept();
    if (event->type() == QEvent::ShortcutOverride) return true;
    if (!command->BusEvent.empty()) {
        appBus_.HandleIfExists(command->BusEvent, nullptr, nullptr);
        AfterDocumentCommand();
    } else {
        RunDocumentCommand(command->DocumentCommand);
    }
    return true;
}

}  // namespace tally
