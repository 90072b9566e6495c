// The tape on screen: the item model over the line store, the grid that routes keys and clicks
// through the tape, and the key translation between them.

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <initializer_list>
#include <string>
#include <vector>

#include "../engine/lines_test_tape.h"
#include "engine/tape/calculator.h"
#include "foundation/notifications/notifier.h"
#include "platform/headless_notification_platform.h"
#include "ui/qt_clipboard.h"
#include "ui/qt_tape_keys.h"
#include "ui/tape_grid.h"
#include "ui/tape_table_model.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

const std::string kEmptyEntryRefusal =
    "Can not move to a different line when the entry with the focus highlight is empty.  You can "
    "either delete the line or enter a number.";

// A tape shown in a grid, with a headless notifier that counts beeps.
struct TapeOnScreen {
    explicit TapeOnScreen(std::initializer_list<test::TapeRow> rows = {}) {
        if (rows.size() > 0) {
            tape.Lines().RemoveLines(0, tape.Lines().LineCount());
            test::FillTape(tape.Lines(), rows);
            tape.SetFocusLine(tape.LastLine());
        }
        grid.resize(500, 300);
        grid.AttachTape(&tape);
        grid.show();
    }
    ~TapeOnScreen() { grid.AttachTape(nullptr); }

    TTapeTableModel& Model() const { return *grid.TapeModel(); }
    QLineEdit& Editor() const { return *grid.CellEditor(); }
    QStringList Headings() const {
        QStringList headings;
        for (int column = 0; column < Model().columnCount(); ++column) {
            headings << Model().headerData(column, Qt::Horizontal).toString();
        }
        return headings;
    }
    QModelIndex Cell(LineIndex line, TTapeColumn column) const {
        return Model().index(line, Model().PositionOf(column));
    }
    bool EditorSitsOn(LineIndex line, TTapeColumn column) const {
        const QRect cell = grid.visualRect(Cell(line, column));
        return Editor().isVisible() && Editor().geometry().topLeft() == cell.topLeft() &&
               cell.contains(Editor().geometry());
    }
    void Click(LineIndex line, TTapeColumn column) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(Cell(line, column)).center());
    }

    HeadlessNotificationPlatform platform;
    TInstalledNotifier notifier{platform};
    TTapeGrid grid;
    TCalculator tape{'t', nullptr, &grid};
};

}  // namespace

class TestTapeView : public QObject {
    Q_OBJECT

private slots:
    void columnsFollowTheTapeAsInsertsAndRemoves() {
        TapeOnScreen screen;
        QCOMPARE(screen.Headings(), (QStringList{"Entries", " "}));
        QSignalSpy inserted(&screen.Model(), &QAbstractItemModel::columnsInserted);
        QSignalSpy removed(&screen.Model(), &QAbstractItemModel::columnsRemoved);
        QSignalSpy reset(&screen.Model(), &QAbstractItemModel::modelReset);

        for (TTapeColumn column : {TTapeColumn::Annotations, TTapeColumn::Line,
                                   TTapeColumn::TableColumns, TTapeColumn::RunningTotal}) {
            screen.tape.SetColumnShown(column, true);
        }
        screen.grid.SyncFromTape();
        QCOMPARE(screen.Headings(), (QStringList{"Line", "Entries", " ", "Running Total",
                                                 "Table\nColumns", "Annotations"}));
        QCOMPARE(inserted.count(), 4);
        QHeaderView* heading = screen.grid.horizontalHeader();
        for (int position = 0; position < screen.Model().columnCount(); ++position) {
            QCOMPARE(heading->sectionSize(position),
                     screen.tape.ColumnWidth(screen.Model().ColumnKind(position)));
        }

        screen.tape.SetColumnShown(TTapeColumn::Line, false);
        screen.grid.SyncFromTape();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 0);
        QCOMPARE(screen.Headings().first(), QStringLiteral("Entries"));
        QCOMPARE(reset.count(), 0);

        // Dragging a column's edge gives the tape its new width.
        const int entries = screen.Model().PositionOf(TTapeColumn::Entries);
        heading->resizeSection(entries, 211);
        QCOMPARE(screen.tape.ColumnWidth(TTapeColumn::Entries), 211);
    }

    void cellsShowTheTapeAlignedAndColoured() {
        TapeOnScreen screen({{" ", "+12.00"}, {" ", "X2.00"}, {"=", "=========="}, {"T", "24.00"},
                             {"Z", "0.00", "TT=DE,SDP=2"}, {"g", "5.00", "STYP=gro"}, {" ", ""}});
        TTapeColors colours;
        colours.ZeroTotal = 0x0000FF;   // red, held as 0x00BBGGRR
        colours.GroupTotal = 0xFF0000;  // blue
        screen.tape.SetColors(colours);
        screen.tape.SetColumnShown(TTapeColumn::Line, true);
        screen.tape.SetColumnShown(TTapeColumn::Annotations, true);
        screen.grid.SyncFromTape();
        const TTapeTableModel& model = screen.Model();

        const QModelIndex first = screen.Cell(0, TTapeColumn::Entries);
        QCOMPARE(first.data().toString(), QStringLiteral("+12.00"));
        QCOMPARE(first.data(TTapeTableModel::EntryOperatorRole).toString(), QStringLiteral("+"));
        QCOMPARE(first.data(TTapeTableModel::EntryNumberRole).toString(), QStringLiteral("12.00"));
        QCOMPARE(screen.Cell(1, TTapeColumn::Entries).data(TTapeTableModel::EntryOperatorRole).toString(),
                 QStringLiteral("X"));
        // Totals and rules are not split: their text has no operator.
        QVERIFY(!screen.Cell(3, TTapeColumn::Entries).data(TTapeTableModel::EntryOperatorRole).isValid());
        QVERIFY(!screen.Cell(2, TTapeColumn::Entries).data(TTapeTableModel::EntryOperatorRole).isValid());
        QCOMPARE(screen.Cell(3, TTapeColumn::Line).data().toString(), QStringLiteral("4"));
        QCOMPARE(screen.Cell(3, TTapeColumn::Indicator).data().toString(), QStringLiteral("T"));

        auto alignment = [&](TTapeColumn column) {
            return screen.Cell(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(TTapeColumn::Entries), Qt::Alignment(Qt::AlignRight));
        QCOMPARE(alignment(TTapeColumn::Line), Qt::Alignment(Qt::AlignRight));
        QCOMPARE(alignment(TTapeColumn::Indicator), Qt::Alignment(Qt::AlignHCenter));
        QCOMPARE(alignment(TTapeColumn::Annotations), Qt::Alignment(Qt::AlignLeft));

        auto background = [&](LineIndex line) {
            return model.index(line, 0).data(Qt::BackgroundRole).value<QBrush>().color();
        };
        QCOMPARE(background(4), QColor(Qt::red));
        QCOMPARE(background(5), QColor(Qt::blue));
        QCOMPARE(background(0), QColor(Qt::white));
    }

    void lineChangesReachTheViewAsRowSignals() {
        TapeOnScreen screen({{" ", "+1.00"}, {" ", "+2.00"}, {" ", ""}});
        TLineStore& lines = screen.tape.Lines();
        QSignalSpy inserted(&screen.Model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&screen.Model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&screen.Model(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&screen.Model(), &QAbstractItemModel::modelReset);
        QSignalSpy layout(&screen.Model(), &QAbstractItemModel::layoutChanged);

        lines.SetRowHeight(0, 44);
        QCOMPARE(screen.grid.rowHeight(0), 44);

        lines.InsertLines(0, 2);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 0);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1);
        QCOMPARE(screen.Model().rowCount(), 5);
        // The height went down with its line.
        QCOMPARE(screen.grid.rowHeight(2), 44);
        QCOMPARE(screen.grid.rowHeight(0), screen.grid.DefaultRowHeight());

        lines.SetEntries(3, "+7.00");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), screen.Cell(3, TTapeColumn::Entries));
        QCOMPARE(screen.Cell(3, TTapeColumn::Entries).data().toString(), QStringLiteral("+7.00"));

        lines.RemoveLines(1, 2);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 1);
        QCOMPARE(removed.at(0).at(2).toInt(), 2);
        QCOMPARE(screen.Cell(1, TTapeColumn::Entries).data().toString(), QStringLiteral("+7.00"));
        QCOMPARE(reset.count() + layout.count(), 0);
    }

    void editorMirrorsTheTapesEditor() {
        TapeOnScreen screen;
        TEntryEditor& state = screen.tape.Editor();
        state = {"123.45", 1, 3};
        screen.grid.SyncFromTape();
        QCOMPARE(screen.Editor().text(), QStringLiteral("123.45"));
        QCOMPARE(screen.Editor().selectionStart(), 1);
        QCOMPARE(screen.Editor().selectedText(), QStringLiteral("23."));
        QCOMPARE(screen.Editor().alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignRight));
        QVERIFY(screen.EditorSitsOn(0, TTapeColumn::Entries));

        // Caret keys the tape leaves to the editor come back as the tape's selection.
        QTest::keyClick(&screen.Editor(), Qt::Key_Home);
        QCOMPARE(state.SelStart, 0);
        QCOMPARE(state.SelLength, 0);
        QTest::keyClick(&screen.Editor(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(&screen.Editor(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(state.SelStart, 0);
        QCOMPARE(state.SelLength, 2);
        QCOMPARE(state.Text, std::string("123.45"));
    }

    void typedKeysGoThroughTheTape() {
        TapeOnScreen screen;
        QTest::keyClicks(&screen.Editor(), QStringLiteral("12.5"));
        QCOMPARE(screen.tape.Lines().Entries(0), std::string_view("12.5"));
        QCOMPARE(screen.Editor().text(), QStringLiteral("12.5"));
        QTest::keyClick(&screen.Editor(), Qt::Key_Backspace);
        QCOMPARE(screen.tape.Lines().Entries(0), std::string_view("12."));
        QCOMPARE(screen.Cell(0, TTapeColumn::Entries).data().toString(), QStringLiteral("12."));

        // A character the program's character set cannot hold is refused.
        QTest::sendKeyEvent(QTest::Click, &screen.Editor(), Qt::Key_unknown,
                            QString::fromUtf16(u"\u4E2D"), Qt::NoModifier);
        QCOMPARE(screen.platform.BeepCount(), 1);
        QCOMPARE(screen.tape.Lines().Entries(0), std::string_view("12."));

        // Tab goes to the Table Columns cell, where the tape refuses anything but digits.
        screen.tape.SetColumnShown(TTapeColumn::TableColumns, true);
        screen.grid.SyncFromTape();
        QTest::keyClick(&screen.Editor(), Qt::Key_Tab);
        QCOMPARE(screen.tape.FocusColumn(), TTapeColumn::TableColumns);
        QCOMPARE(screen.grid.currentIndex(), screen.Cell(0, TTapeColumn::TableColumns));
        QTest::keyClick(&screen.Editor(), Qt::Key_X);
        QCOMPARE(screen.platform.BeepCount(), 2);
        QCOMPARE(Notifier().LastBeepExplanation(),
                 std::string("Only digits are permitted in the Table Columns column."));
        QCOMPARE(screen.Editor().text(), QString());
        QTest::keyClick(&screen.Editor(), Qt::Key_7);
        QCOMPARE(screen.tape.Lines().TableColumns(0), std::string_view("7"));
        QCOMPARE(screen.Editor().text(), QStringLiteral("7"));

        // Alt with the arrows sizes the focus column and line; the grid takes the tape's sizes.
        const int width = screen.tape.ColumnWidth(TTapeColumn::TableColumns);
        QTest::keyClick(&screen.Editor(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(screen.grid.columnWidth(screen.Model().PositionOf(TTapeColumn::TableColumns)),
                 width + 5 * screen.grid.TextWidth("9"));
        QTest::keyClick(&screen.Editor(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(screen.grid.rowHeight(0), screen.grid.DefaultRowHeight() + screen.grid.TextHeight("M"));
        QVERIFY(screen.EditorSitsOn(0, TTapeColumn::TableColumns));
    }

    void pasteKeysGoThroughTheTapesChecks() {
        TapeOnScreen screen;
        QtClipboard clipboard;
        screen.tape.SetClipboard(&clipboard);
        screen.tape.SetColumnShown(TTapeColumn::Annotations, true);
        screen.tape.SelectCell(TTapeColumn::Annotations, 0);
        screen.grid.SyncFromTape();
        clipboard.SetText("Rent\r\nMarch");
        QTest::keyClick(&screen.Editor(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(screen.tape.Lines().Annotations(0), std::string_view("Rent  March"));
        QCOMPARE(screen.Editor().text(), QStringLiteral("Rent  March"));
    }

    void focusMovesFollowTheTapesAnswer_data() {
        QTest::addColumn<bool>("focusEntryEmpty");
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<int>("expectedFocus");
        QTest::newRow("allowed, mouse") << false << true << 0;
        QTest::newRow("allowed, Up key") << false << false << 0;
        QTest::newRow("refused, mouse") << true << true << 1;
        QTest::newRow("refused, Up key") << true << false << 1;
    }
    void focusMovesFollowTheTapesAnswer() {
        QFETCH(bool, focusEntryEmpty);
        QFETCH(bool, byMouse);
        QFETCH(int, expectedFocus);
        TapeOnScreen screen({{" ", "+5.00"}, {" ", focusEntryEmpty ? "" : "+4.00"}, {" ", "+3.00"}, {" ", ""}});
        screen.tape.SetFocusLine(1);
        screen.grid.SyncFromTape();
        QVERIFY(screen.tape.InReviewMode());

        if (byMouse) {
            screen.Click(0, TTapeColumn::Entries);
        } else {
            QTest::keyClick(&screen.Editor(), Qt::Key_Up);
        }
        QCOMPARE(screen.tape.FocusLine(), expectedFocus);
        QCOMPARE(screen.grid.currentIndex(), screen.Cell(expectedFocus, TTapeColumn::Entries));
        QCOMPARE(screen.Editor().text(), screen.Cell(expectedFocus, TTapeColumn::Entries).data().toString());
        QVERIFY(screen.EditorSitsOn(expectedFocus, TTapeColumn::Entries));
        QCOMPARE(screen.platform.BeepCount(), focusEntryEmpty ? 1 : 0);
        QCOMPARE(Notifier().LastBeepExplanation(), focusEntryEmpty ? kEmptyEntryRefusal : std::string());
    }

    void focusFarDownIsScrolledIntoView() {
        TapeOnScreen screen;
        screen.tape.Lines().InsertLines(0, 500);
        screen.tape.SetFocusLine(screen.tape.LastLine());
        screen.grid.SyncFromTape();
        const QRect focus = screen.grid.visualRect(screen.Cell(screen.tape.LastLine(), TTapeColumn::Entries));
        QVERIFY(screen.grid.viewport()->rect().contains(focus));
        QCOMPARE(screen.tape.TopLine(), screen.grid.rowAt(0));

        // Scrolling by the scroll bar tells the tape its new top line.
        screen.grid.scrollToTop();
        QCOMPARE(screen.tape.TopLine(), 0);
    }

    void keysTranslateForTheTape_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tapeKey");
        QTest::addColumn<QString>("shiftCtrlAlt");
        QTest::addColumn<int>("character");  // -1 none, -2 refused as outside Windows-1252
        using K = TTapeKey;
        const int none = -1;
        QTest::newRow("digit") << int(Qt::Key_1) << 0 << "1" << int(K::Other) << "---" << int('1');
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r" << int(K::Enter) << "---" << int('\r');
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r"
                                      << int(K::Enter) << "---" << int('\r');
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << ""
                                   << int(K::Tab) << "S--" << none;
        QTest::newRow("keypad divide") << int(Qt::Key_Slash) << int(Qt::KeypadModifier) << "/"
                                       << int(K::NumPadDivide) << "---" << int('/');
        QTest::newRow("slash") << int(Qt::Key_Slash) << 0 << "/" << int(K::Other) << "---" << int('/');
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16"
                                << int(K::Other) << "-C-" << 0x16;
        QTest::newRow("Ctrl+V, no text") << int(Qt::Key_V) << int(Qt::ControlModifier) << ""
                                         << int(K::Other) << "-C-" << 0x16;
        QTest::newRow("Shift+Insert pastes") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << ""
                                             << int(K::Other) << "S--" << 0x16;
        QTest::newRow("Ctrl+Insert copies") << int(Qt::Key_Insert) << int(Qt::ControlModifier) << ""
                                            << int(K::Other) << "-C-" << 0x03;
        QTest::newRow("Alt+Shift+Left") << int(Qt::Key_Left) << int(Qt::AltModifier | Qt::ShiftModifier)
                                        << "" << int(K::Left) << "S-A" << none;
        QTest::newRow("Alt+letter") << int(Qt::Key_F) << int(Qt::AltModifier) << "f" << int(K::Other)
                                    << "--A" << none;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "\x1B" << int(K::Other) << "---" << 0x1B;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << "\b" << int(K::Other) << "---" << 0x08;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << "\x7F" << int(K::Delete) << "---" << none;
        QTest::newRow("euro") << int(Qt::Key_unknown) << 0 << QString::fromUtf16(u"\u20AC")
                              << int(K::Other) << "---" << 0x80;
        QTest::newRow("divide sign") << int(Qt::Key_division) << 0 << QString::fromUtf16(u"\u00F7")
                                     << int(K::Other) << "---" << 0xF7;
        QTest::newRow("CJK") << int(Qt::Key_unknown) << 0 << QString::fromUtf16(u"\u4E2D")
                             << int(K::Other) << "---" << -2;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << "" << int(K::Other) << "---" << none;
    }
    void keysTranslateForTheTape() {
        QFETCH(int, qtKey);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, tapeKey);
        QFETCH(QString, shiftCtrlAlt);
        QFETCH(int, character);
        const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(modifiers), text);
        const TTapeKeyInput input = TranslateKey(event);
        QCOMPARE(int(input.Key), tapeKey);
        const QString flags = QString(input.Modifiers.Shift ? "S" : "-") + (input.Modifiers.Ctrl ? "C" : "-") +
                              (input.Modifiers.Alt ? "A" : "-");
        QCOMPARE(flags, shiftCtrlAlt);
        QCOMPARE(input.Unrepresentable, character == -2);
        QCOMPARE(input.Character.has_value(), character >= 0);
        if (character >= 0) QCOMPARE(static_cast<unsigned char>(*input.Character), character);
    }
};

TALLY_REGISTER_UI_TEST(TestTapeView);

}  // namespace tally

#include "tape_view_test.moc"
