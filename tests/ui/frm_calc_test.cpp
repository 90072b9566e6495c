// The main window: its caption and menus, the focus at start, and the deferred requests a tape
// posts running after the current event.

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>

#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "ui/tape_grid.h"
#include "ui/tape_table_model.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

using test::Program;

QStringList MenuTexts(const QMenuBar& bar) {
    QStringList texts;
    for (const QAction* menu : bar.actions()) {
        texts << menu->text();
        for (const QAction* item : menu->menu()->actions()) texts << "  " + item->text();
    }
    return texts;
}

}  // namespace

class TestFrmCalc : public QObject {
    Q_OBJECT

private slots:
    void startsWithAnUntitledTapeAndTheFocusInItsEntriesCell() {
        Program program;
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(1)"));
        QCOMPARE(MenuTexts(*program.window.menuBar()),
                 (QStringList{"&File", "  Print Tape To &Printer...", "  E&xit", "&Help", "  &Explain Last Beep..."}));
        QVERIFY(QTest::qWaitForWindowActive(&program.window));
        QCOMPARE(QApplication::focusWidget(), program.window.Grid().CellEditor());
        const TTapeTableModel& model = *program.window.Grid().TapeModel();
        QCOMPARE(program.window.Grid().currentIndex(),
                 model.index(0, model.PositionOf(TTapeColumn::Entries)));
        // Every column shows without a horizontal scroll bar.
        QVERIFY(program.window.Grid().viewport()->width() >= program.window.Grid().horizontalHeader()->length());
    }

    void explainLastBeepShowsTheLastExplanation() {
        Program program;
        Notifier().ExplainAndBeep("Can not delete the last line.");
        program.window.ExplainLastBeepAction()->trigger();
        TfrmMultipleMsg* window = program.notifications.NotificationWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->Text(), QStringLiteral("Can not delete the last line."));
    }

    void collectedMessagesShowAfterTheEventAsParagraphs() {
        Program program;
        Notifier().MessageList().Add("Attempting invalid division operation at line T3.");
        Notifier().MessageList().Add("");
        Notifier().MessageList().Add("Total too big at line T9.");
        Notifier().MessageList().Add("");
        program.window.Tape().ShowCollectedMessages();
        QVERIFY(!program.notifications.NotificationWindow());

        QCoreApplication::processEvents();
        TfrmMultipleMsg* window = program.notifications.NotificationWindow();
        QVERIFY(window);
        QCOMPARE(window->Text(), QStringLiteral("Attempting invalid division operation at line T3.\n\n"
                                                "Total too big at line T9.\n"));
        QCOMPARE(Notifier().MessageList().Count(), 0u);
    }

    void rowSelectionRequestMovesTheFocusAfterTheEvent() {
        Program program;
        TCalculator& tape = program.window.Tape();
        tape.Lines().InsertLines(0, 3);
        for (LineIndex line = 0; line < 3; ++line) tape.Lines().SetEntries(line, "+1.00");
        tape.SetFocusLine(tape.LastLine());
        program.window.Grid().SyncFromTape();

        tape.PostRequest(requests::SelectTapeGridRow, 0, 2);  // row 2 is line 2
        QCOMPARE(tape.FocusLine(), 3);
        QCoreApplication::processEvents();
        QCOMPARE(tape.FocusLine(), 1);
        QCOMPARE(program.window.Grid().currentIndex().row(), 1);
        QCOMPARE(program.window.Grid().CellEditor()->text(), QStringLiteral("+1.00"));
    }

    void requestsAreDroppedOnceClosingBegins() {
        Program program;
        Notifier().MessageList().Add("Never shown.");
        program.window.Tape().ShowCollectedMessages();
        program.window.close();
        QCoreApplication::processEvents();
        QVERIFY(!program.notifications.NotificationWindow());
        Notifier().MessageList().Clear();
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalc);

}  // namespace tally

#include "frm_calc_test.moc"
