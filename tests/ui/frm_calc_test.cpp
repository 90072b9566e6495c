// The main window: its caption and menus, the focus at start, and the deferred requests a tape
// posts running after the current event.

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <string>

#include "engine/lines/calc_params.h"
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
                 (QStringList{"&File", "  &New", "  &Open...", "  &Save", "  Save &As...", "  &Close", "  &Reopen", "  ",
                              "  Print Tape To &Printer...", "  Print To &Internet Document File...",
                              "  Print Pre&view...", "  Export &Table To Text File...", "  ", "  E&xit",
                              "&Edit", "  Cu&t", "  &Copy",
                              "  &Paste", "  &Delete", "  ", "  Cut &Line", "  Copy L&ine", "  Paste Li&ne",
                              "  Cut &Series", "  Copy S&eries", "  Paste Se&ries", "  Cut T&ape", "  Copy Tap&e",
                              "  Paste Tape", "  E&mbedded", "  ", "  C&opy Line As Link Source",
                              "  &Paste Line As Link Destination", "  &Unlink", "&Configure Tape", "  Show &Links",
                              "&View", "  Enable &Memory", "  Enable &Side Tape", "  New &Auxiliary Tape",
                              "  Enable Ta&ble", "  ", "  Show &Tape", "  Show M&emory", "  Show S&ide Tape",
                              "  Show Au&xiliary Tape", "  Show Tab&le", "C&ommands", "  &Memory", "  &Side Tape",
                              "  &Table", "  &Recall", "&Help", "  &Explain Last Beep..."}));
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

    void explainLastBeepWithoutExplanationSaysSo() {
        Program program;
        program.window.ExplainLastBeepAction()->trigger();
        TfrmMultipleMsg* window = program.notifications.NotificationWindow();
        QVERIFY(window);
        QCOMPARE(window->Text(), QStringLiteral("There is no explanation for the last beep."));
    }

    // Opened by the command, the window takes the keys; Enter, Escape and "Ok" close it and the
    // keys go back to the tape, which none of them reached.
    void explainLastBeepTakesTheFocusAndGivesItBack_data() {
        QTest::addColumn<int>("key");  // 0: click "Ok"
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Ok") << 0;
    }
    void explainLastBeepTakesTheFocusAndGivesItBack() {
        QFETCH(int, key);
        Program program;
        QVERIFY(QTest::qWaitForWindowActive(&program.window));
        QTest::keyClicks(program.window.Grid().CellEditor(), QStringLiteral("12+5q"));
        QCoreApplication::processEvents();
        const int lines = program.window.Tape().Lines().LineCount();
        program.window.ExplainLastBeepAction()->trigger();
        QPointer<TfrmMultipleMsg> window = program.notifications.NotificationWindow();
        QVERIFY(window);
        QTRY_COMPARE(QApplication::activeWindow(), window.data());
        QCOMPARE(QApplication::focusWidget(), window->OkButton());

        if (key == 0) {
            QTest::mouseClick(window->OkButton(), Qt::LeftButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        }
        QVERIFY(!program.notifications.IsNotificationWindowOpen());
        QTRY_COMPARE(QApplication::activeWindow(), &program.window);
        QCOMPARE(QApplication::focusWidget(), program.window.Grid().CellEditor());
        QCOMPARE(program.window.Tape().Lines().LineCount(), lines);
        QCOMPARE(program.window.Tape().Editor().Text, std::string("+5"));
    }

    // Messages shown while the user types leave the keys with the tape.
    void collectedMessagesLeaveTheFocusWithTheTape() {
        Program program;
        QVERIFY(QTest::qWaitForWindowActive(&program.window));
        Notifier().MessageList().Add("Total too big at line T9.");
        program.window.Tape().ShowCollectedMessages();
        QCoreApplication::processEvents();
        QVERIFY(program.notifications.NotificationWindow());
        QTest::qWait(50);
        QCOMPARE(QApplication::activeWindow(), &program.window);
        QCOMPARE(QApplication::focusWidget(), program.window.Grid().CellEditor());
    }

    // Wide enough for its caption and menus at start, never wider than the screen, and a
    // maximized window stays maximized when the tape widens.
    void windowWidthFollowsTheTapeWithinTheScreen() {
        Program program;
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        const QFontMetrics caption(QApplication::font("QMdiSubWindowTitleBar"));
        QVERIFY(program.window.width() > caption.horizontalAdvance(program.window.windowTitle()));
        QVERIFY(program.window.width() >= program.window.menuBar()->sizeHint().width());

        QLineEdit* editor = program.window.Grid().CellEditor();
        const int available = program.window.screen()->availableGeometry().width();
        for (int step = 0; step < 60; ++step) {
            QTest::keyClick(editor, Qt::Key_Right, Qt::AltModifier);
            QCoreApplication::processEvents();
        }
        QVERIFY(program.window.Grid().horizontalHeader()->length() > available);
        QVERIFY(program.window.frameGeometry().width() <= available);

        program.window.showMaximized();
        QTRY_VERIFY(program.window.isMaximized());
        const int maximized = program.window.width();
        QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
        QCoreApplication::processEvents();
        QVERIFY(program.window.isMaximized());
        QCOMPARE(program.window.width(), maximized);
    }

    // A window wider than the tape's columns shows paper up to its right edge, with the rows'
    // lines running on; the columns keep the tape's widths.
    void thePaperFillsAWindowWiderThanTheColumns() {
        Program program;
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        TTapeGrid& grid = program.window.Grid();
        const int columns = grid.horizontalHeader()->length();
        const int entriesWidth = program.window.Tape().ColumnWidth(TTapeColumn::Entries);
        program.window.resize(grid.RequiredWidth() + 200, program.window.height());
        QTRY_VERIFY(grid.viewport()->width() > columns + 150);
        QCOMPARE(grid.horizontalHeader()->length(), columns);
        QCOMPARE(program.window.Tape().ColumnWidth(TTapeColumn::Entries), entriesWidth);
        const QImage shown = grid.viewport()->grab().toImage();
        const int x = grid.viewport()->width() - 10;
        const int firstRowMiddle = grid.rowViewportPosition(0) + grid.rowHeight(0) / 2;
        QCOMPARE(shown.pixelColor(x, firstRowMiddle), grid.palette().color(QPalette::Base));
        const int firstRowLine = grid.rowViewportPosition(0) + grid.rowHeight(0) - 1;
        QVERIFY(shown.pixelColor(x, firstRowLine) != grid.palette().color(QPalette::Base));
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

    void quickCopyIsCarriedOutAfterTheKeyThatEndedIt() {
        Program program;
        TCalculator& tape = program.window.Tape();
        for (const char key : std::string("5+c1")) tape.KeyPress(key);
        tape.KeyPress('+');
        QCOMPARE(tape.Editor().Text, std::string("+c1"));  // not before the event has finished
        QCoreApplication::processEvents();
        QCOMPARE(std::string(tape.Lines().Entries(1)), std::string("+5.00"));
        QCOMPARE(tape.Editor().Text, std::string("+"));
    }

    // Copy Line puts the line record on the system clipboard; Paste Line on the open line takes
    // its number, and the grid shows it.
    void aLineIsCopiedAndPastedThroughTheEditMenu() {
        Program program;
        TCalculator& tape = program.window.Tape();
        for (const char key : std::string("12.5+3")) tape.KeyPress(key);
        tape.KeyPress(TapeChar::kEnter);
        tape.KeyPress(TapeChar::kEnter);
        QCoreApplication::processEvents();
        QCOMPARE(tape.Lines().LineCount(), 6);
        tape.SetFocusLine(0);
        program.window.EditAction("LineCopy")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("[Tape Line]\r\nSessionId=")));
        tape.SetFocusLine(5);
        program.window.EditAction("LinePaste")->trigger();
        QCOMPARE(std::string(tape.Lines().Entries(5)), std::string("12.50"));
        const TTapeTableModel& model = *program.window.Grid().TapeModel();
        QCOMPARE(model.data(model.index(5, model.PositionOf(TTapeColumn::Entries))).toString(), QStringLiteral("12.50"));
        QCOMPARE(program.window.Grid().CellEditor()->text(), QStringLiteral("12.50"));
        // Paste Series finds no series on the clipboard: nothing happens.
        program.window.EditAction("SeriesPaste")->trigger();
        QCOMPARE(tape.Lines().LineCount(), 6);
    }

    // The selection items act on the text selected in the cell editor.
    void theSelectedEntryTextIsCutAndPastedThroughTheEditMenu() {
        Program program;
        TCalculator& tape = program.window.Tape();
        for (const char key : std::string("12.5")) tape.KeyPress(key);
        program.window.Grid().SyncFromTape();
        QLineEdit* editor = program.window.Grid().CellEditor();
        editor->setSelection(1, 2);
        program.window.EditAction("SelCut")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2."));
        QCOMPARE(editor->text(), QStringLiteral("15"));
        editor->setCursorPosition(2);
        program.window.EditAction("SelPaste")->trigger();
        QCOMPARE(editor->text(), QStringLiteral("152."));
        QCOMPARE(std::string(tape.Lines().Entries(0)), std::string("152."));
    }

    void linksShowInTheirColumnAndRefusalsReachTheNotificationWindow() {
        Program program;
        TCalculator& tape = program.window.Tape();
        tape.Lines().InsertLines(0, 2);
        tape.Lines().SetEntries(0, "+5.00");
        tape.Lines().SetEntries(1, "+1.00");
        tape.SetFocusLine(1);
        program.window.ShowLinksAction()->setChecked(true);
        const TTapeTableModel& model = *program.window.Grid().TapeModel();
        const int links = model.PositionOf(TTapeColumn::Links);
        QVERIFY(links >= 0);

        // A refusal while the notification window is open shows there at once.
        Notifier().ShowLastExplanation();
        program.window.PasteAsLinkDestAction()->trigger();
        QCOMPARE(program.notifications.Beeps().back(),
                 std::string("A Link Source has not been specified for this Link Destination."));
        QCOMPARE(program.notifications.NotificationWindow()->Text(),
                 QStringLiteral("A Link Source has not been specified for this Link Destination."));

        tape.SetFocusLine(0);
        program.window.CopyAsLinkSourceAction()->trigger();
        // The arrow key to the destination line leaves the copied source alone.
        QTest::keyClick(program.window.Grid().CellEditor(), Qt::Key_Down);
        QCOMPARE(tape.FocusLine(), 1);
        program.window.PasteAsLinkDestAction()->trigger();
        QCOMPARE(model.data(model.index(0, links)).toString(), QStringLiteral("Used at line  2"));
        QCOMPARE(model.data(model.index(1, links)).toString(), QStringLiteral("From line  1"));
        QCOMPARE(model.data(model.index(1, model.PositionOf(TTapeColumn::Entries))).toString(), QStringLiteral("+5.00"));
        program.window.UnlinkAction()->trigger();
        QCOMPARE(model.data(model.index(0, links)).toString(), QString());
    }

    // A command that removes a link's source leaves no half link on the destination.
    void aRemovedSourceTakesItsLinkOffTheDestination() {
        Program program;
        TCalculator& tape = program.window.Tape();
        const std::pair<std::string, std::string> rows[] = {
            {" ", "+5.00"}, {"=", "=========="}, {"T", "5.00"}, {"Z", "0.00"}, {" ", "+1.00"}};
        tape.Lines().InsertLines(0, 5);
        for (LineIndex line = 0; line < 5; ++line) {
            tape.Lines().SetIndicator(line, rows[line].first);
            tape.Lines().SetEntries(line, rows[line].second);
        }
        program.window.ShowLinksAction()->setChecked(true);
        tape.SetFocusLine(0);
        program.window.CopyAsLinkSourceAction()->trigger();
        tape.SetFocusLine(4);
        program.window.PasteAsLinkDestAction()->trigger();
        QVERIFY(!tape.Lines().Property(4, LineKey::kLinkId).empty());

        tape.SetFocusLine(0);
        tape.PostRequest(requests::DeleteSeriesCommand);
        QCoreApplication::processEvents();
        QCOMPARE(std::string(tape.Lines().Entries(0)), std::string("+5.00"));
        QCOMPARE(std::string(tape.Lines().Property(0, LineKey::kLinkId)), std::string());
        QCOMPARE(std::string(tape.Lines().Links(0)), std::string());
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
