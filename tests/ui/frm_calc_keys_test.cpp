// The window's own keys: they act before the focused cell editor sees them, whichever widget of
// the window has the focus.

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <string>
#include <string_view>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "documents/file_manager.h"
#include "engine/tape/calculator.h"
#include "ui/tape_grid.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

using test::Program;
using test::TypeOn;

void PressInCell(TfrmCalc& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window.Grid().CellEditor(), key, modifiers);
    QCoreApplication::processEvents();
}

}  // namespace

class TestFrmCalcKeys : public QObject {
    Q_OBJECT

private slots:
    // Ctrl+Q goes to the next open document and Ctrl+Shift+Q back, wrapping around; the caption
    // follows and the cell editor keeps nothing of the key.
    void ctrlQCyclesThroughTheOpenDocuments() {
        Program program;
        TfrmCalc& window = program.window;
        window.Files().NewFile();
        window.Files().NewFile();
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyroll - Untitled(3)"));
        const std::pair<Qt::KeyboardModifiers, const char*> steps[] = {
            {Qt::ControlModifier, "Untitled(1)"},
            {Qt::ControlModifier, "Untitled(2)"},
            {Qt::ControlModifier | Qt::ShiftModifier, "Untitled(1)"},
            {Qt::ControlModifier | Qt::ShiftModifier, "Untitled(3)"},
        };
        for (const auto& [modifiers, shown] : steps) {
            PressInCell(window, Qt::Key_Q, modifiers);
            QCOMPARE(window.windowTitle(), QStringLiteral("Tallyroll - ") + QLatin1String(shown));
            // The tab brought forward is the visible document's.
            QVERIFY(window.Files().OpenFiles().at(static_cast<std::size_t>(window.FileTabs()->currentIndex())).Visible);
            QVERIFY(window.Grid().CellEditor()->text().isEmpty());
        }
    }

    // Ctrl+A shows the document's next tape, not the cell's text selected; Ctrl+Shift+A the one before.
    void ctrlACyclesThroughTheDocumentsTapes() {
        Program program;
        TfrmCalc& window = program.window;
        window.RunDocumentCommand("EnableMemory");
        window.RunDocumentCommand("EnableSideTape");
        window.Document().ShowByName("Tape");
        const std::pair<Qt::KeyboardModifiers, const char*> steps[] = {
            {Qt::ControlModifier, "Memory"},
            {Qt::ControlModifier, "Side Tape"},
            {Qt::ControlModifier, "Tape"},
            {Qt::ControlModifier | Qt::ShiftModifier, "Side Tape"},
        };
        for (const auto& [modifiers, shown] : steps) {
            PressInCell(window, Qt::Key_A, modifiers);
            QCOMPARE(window.Document().VisibleName(), std::string(shown));
            QCOMPARE(window.Tape().TapeName(), std::string(shown));
        }
    }

    // While a side calculation runs Ctrl+N ends it with a link; otherwise it is File > New.
    void ctrlNEndsASideCalculationOrMakesANewDocument() {
        Program program;
        TfrmCalc& window = program.window;
        window.RunDocumentCommand("EnableSideTape");
        TypeOn(window.Tape(), "1+");
        window.RunDocumentCommand("BeginSide");
        QVERIFY(window.Document().SideCalcActive());
        TypeOn(window.Tape(), "4+5\n");
        PressInCell(window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(!window.Document().SideCalcActive());
        QCOMPARE(window.Files().Count(), 1);
        QCOMPARE(std::string(window.Document().MainTape().Lines().Entries(1)), std::string("+9.00"));

        PressInCell(window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(window.Files().Count(), 2);
    }

    // Ctrl+3 and Ctrl+4 set the side and table copy locks once those parts exist; before, the
    // keys do nothing.
    void ctrl3AndCtrl4SetTheCopyLocksOfTheDocumentsParts() {
        Program program;
        TfrmCalc& window = program.window;
        const TCrossTapeCommands& commands = window.Document().Commands();
        PressInCell(window, Qt::Key_3, Qt::ControlModifier);
        PressInCell(window, Qt::Key_4, Qt::ControlModifier);
        QVERIFY(!commands.CopyToSideLock());
        QVERIFY(!commands.CopyToTableLock());
        QVERIFY(window.Grid().CellEditor()->text().isEmpty());

        window.RunDocumentCommand("EnableSideTape");
        window.RunDocumentCommand("EnableTable");
        window.Document().ShowByName("Tape");
        PressInCell(window, Qt::Key_3, Qt::ControlModifier);
        QVERIFY(commands.CopyToSideLock());
        PressInCell(window, Qt::Key_4, Qt::ControlModifier);
        QVERIFY(commands.CopyToTableLock());
    }

    void commandsMenuShowsActionNamesInWords() {
        Program program;
        const QAction* item = program.window.findChild<QAction*>(QStringLiteral("mniMemPlusEntryLink"));
        QVERIFY(item != nullptr);
        QCOMPARE(item->text(), QStringLiteral("Mem Plus Entry Link"));
        QCOMPARE(CommandCaption("CopyToSideUnlock"), QStringLiteral("Copy To Side Unlock"));
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcKeys);

}  // namespace tally

#include "frm_calc_keys_test.moc"
