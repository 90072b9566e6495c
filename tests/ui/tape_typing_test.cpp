// Typing into the main window's tape as a user does: key events into the grid's editor, the
// deferred requests running from the event loop after each key, and the lines, the model rows
// and the editor following.

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/lines/line_kinds.h"
#include "engine/tape/calculator.h"
#include "ui/tape_grid.h"
#include "ui/tape_table_model.h"
#include "ui_program.h"
#include "ui_test_registry.h"

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace tally {

namespace {

using Rows = std::vector<std::string>;

const std::string kSeparator = "=|==========";

// The window's tape as typed into through its grid.
struct TypedTape : test::Program {
    TTapeGrid& Grid() const { return window.Grid(); }
    TTapeTableModel& Model() const { return *Grid().TapeModel(); }
    QLineEdit& Editor() const { return *Grid().CellEditor(); }
    TCalculator& Tape() const { return window.Tape(); }

    // One key event per character, '\n' being the Enter key; the event loop runs between keys,
    // so the requests a key posts are done before the next key, as when the user types.
    void Type(const QString& keys) {
        for (const QChar key : keys) {
            if (key == QLatin1Char('\n')) {
                QTest::keyClick(&Editor(), Qt::Key_Return);
            } else {
                QTest::keyClicks(&Editor(), QString(key));
            }
            QCoreApplication::processEvents();
        }
    }

    // Each model row as "indicator|entries", read through the model as the view reads it.
    Rows ModelRows() const {
        const int indicator = Model().PositionOf(TTapeColumn::Indicator);
        const int entries = Model().PositionOf(TTapeColumn::Entries);
        Rows rows;
        for (int row = 0; row < Model().rowCount(); ++row) {
            rows.push_back((Model().index(row, indicator).data().toString() + "|" +
                            Model().index(row, entries).data().toString())
                               .toStdString());
        }
        return rows;
    }

    // The editor shows the focus cell's text and sits on it, inside the viewport.
    void CheckEditorOnFocusLine() const {
        const QModelIndex focus = Model().index(Tape().FocusLine(), Model().PositionOf(TTapeColumn::Entries));
        QCOMPARE(Grid().currentIndex(), focus);
        QCOMPARE(Editor().text(), focus.data().toString());
        QCOMPARE(Editor().geometry().topLeft(), Grid().visualRect(focus).topLeft());
        QVERIFY(Grid().viewport()->rect().contains(Editor().geometry()));
    }
};

// A cell as drawn, grid lines left out.
QImage CellImage(TTapeGrid& grid, const QModelIndex& cell) {
    grid.viewport()->repaint();
    return grid.viewport()->grab(grid.visualRect(cell).adjusted(1, 1, -2, -2)).toImage();
}

// The dark (text) pixels in the columns from x to x + width.
int DarkPixels(const QImage& image, int x, int width) {
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int column = x; column < x + width && column < image.width(); ++column) {
            if (qGray(image.pixel(column, y)) < 128) ++dark;
        }
    }
    return dark;
}

// How wide the dark pixels spread.
int InkWidth(const QImage& image) {
    int left = image.width();
    int right = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (DarkPixels(image, x, 1) == 0) continue;
        left = std::min(left, x);
        right = x;
    }
    return right < left ? 0 : right - left + 1;
}

std::string KeypressRefusal(char key) {
    return "Keypress \"" + std::string(1, key) +
           "\" not valid in this entry position.  If you are trying to enter a fraction, make sure "
           "the numerator is preceded by a single space (or underscore if appropriate).";
}

}  // namespace

class TestTapeTyping : public QObject {
    Q_OBJECT

private slots:
    void typedSeriesShowOnTheTape_data() {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Rows>("beeps");
        QTest::newRow("Enter totals the series")
            << 1 << "12+5\n" << Rows{" |+12.00", " |+5.00", kSeparator, "T|17.00", " |"} << Rows{};
        QTest::newRow("a product is totalled at once")
            << 1 << "12X3+" << Rows{" |+12.00", " |X3.00", kSeparator, "T|36.00", " |+"} << Rows{};
        QTest::newRow("Enter after a total closes the series")
            << 1 << "12+5\n\n"
            << Rows{" |+12.00", " |+5.00", kSeparator, "T|17.00", "Z|0.00", " |"} << Rows{};
        QTest::newRow("a number after a total starts a new series (auto start)")
            << 2 << "5\n7\n"
            << Rows{" |+5.00", kSeparator, "T|5.00", "Z|0.00", " |+7.00", kSeparator, "T|7.00", " |"}
            << Rows{};
        QTest::newRow("a third decimal place in a two-decimal series is rounded")
            << 1 << "1.234\n" << Rows{" |+1.23", kSeparator, "T|1.23", " |"}
            << Rows{"Entering more decimal places than specified.  The number will be rounded unless the decimal "
                    "places setting is increased."};
        QTest::newRow("a refused key changes nothing")
            << 1 << "12q" << Rows{" |12"} << Rows{KeypressRefusal('q')};
        QTest::newRow("a refused first operator")
            << 1 << "X" << Rows{" |"}
            << Rows{"Operator \"X\" is not valid in the first entry of a calculation series."};
    }
    void typedSeriesShowOnTheTape() {
        QFETCH(int, option);
        QFETCH(QString, keys);
        QFETCH(Rows, rows);
        QFETCH(Rows, beeps);
        TypedTape tape;
        tape.Tape().SetDataEntryOption(option);
        tape.Type(keys);
        QCOMPARE(tape.ModelRows(), rows);
        QCOMPARE(tape.notifications.Beeps(), beeps);
        tape.CheckEditorOnFocusLine();
        QCOMPARE(tape.Tape().FocusLine(), tape.Tape().LastLine());
    }

    // The numeric pad's divide key types the divide operator itself, and the key after it is
    // typed as it is.
    void keypadDivideKeyDivides_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Rows>("beeps");
        QTest::newRow("after a number")
            << "100" << Rows{" |+100.00", " |\xC3\xB7" "4.00", kSeparator, "T|25.00", " |"} << Rows{};
        QTest::newRow("first in a series")
            << "" << Rows{" |4"}
            << Rows{"Operator \"\xF7\" is not valid in the first entry of a calculation series."};
    }
    void keypadDivideKeyDivides() {
        QFETCH(QString, before);
        QFETCH(Rows, rows);
        QFETCH(Rows, beeps);
        TypedTape tape;
        tape.Type(before);
        QTest::keyClick(&tape.Editor(), Qt::Key_Slash, Qt::KeypadModifier);
        QCoreApplication::processEvents();
        tape.Type(before.isEmpty() ? "4" : "4\n");
        QCOMPARE(tape.ModelRows(), rows);
        QCOMPARE(tape.notifications.Beeps(), beeps);
        tape.CheckEditorOnFocusLine();
    }

    // Totals and running totals wider than their column widen it (text width plus 5), and the
    // window follows.
    void wideNumbersWidenTheirColumns() {
        TypedTape tape;
        tape.Tape().SetColumnShown(TTapeColumn::RunningTotal, true);
        tape.Grid().SyncFromTape();
        tape.Type("99999999999999+99999999999999\n");
        QCoreApplication::processEvents();
        const std::string total = "199,999,999,999,998.00";
        QCOMPARE(tape.ModelRows().at(3), "T|" + total);
        for (const TTapeColumn kind : {TTapeColumn::Entries, TTapeColumn::RunningTotal}) {
            const int width = tape.Grid().columnWidth(tape.Model().PositionOf(kind));
            QVERIFY(width >= tape.Grid().TextWidth(total) + 5);
            QCOMPARE(tape.Tape().ColumnWidth(kind), width);
        }
        QVERIFY(tape.Grid().viewport()->width() >= tape.Grid().horizontalHeader()->length());
        // Drawn whole: the ink spans about the text's own ink (its advance less the bearings,
        // which are wide in a bold tape font).
        const QModelIndex cell = tape.Model().index(3, tape.Model().PositionOf(TTapeColumn::Entries));
        const int textInk = tape.Grid().fontMetrics().boundingRect(QString::fromStdString(total)).width();
        QVERIFY(InkWidth(CellImage(tape.Grid(), cell)) >= textInk - 3);
    }

    // The zero total that Enter on the empty line after a total asks for is made after the key
    // event, by the request the window runs from the event loop.
    void zeroTotalArrivesAfterTheKeyEvent() {
        TypedTape tape;
        tape.Type("12+5\n");
        const Rows totalled = tape.ModelRows();
        QTest::keyClick(&tape.Editor(), Qt::Key_Return);
        QCOMPARE(tape.ModelRows(), totalled);
        QTRY_COMPARE(tape.Model().rowCount(), 6);
        QCOMPARE(tape.ModelRows().at(4), std::string("Z|0.00"));
        tape.CheckEditorOnFocusLine();
    }

    // Copy is the editor's own: the selection goes to the clipboard and the tape is unchanged.
    // With nothing selected, the whole cell is copied.
    void copyKeysCopyTheEditorsSelection_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("onTotalLine");
        QTest::addColumn<int>("selected");  // characters selected from the start; -1 for all
        QTest::addColumn<QString>("copied");
        QTest::newRow("Ctrl+C, typed entry") << int(Qt::Key_C) << false << -1 << "1234.5";
        QTest::newRow("Ctrl+Insert, typed entry") << int(Qt::Key_Insert) << false << -1 << "1234.5";
        QTest::newRow("Ctrl+C, part of the entry") << int(Qt::Key_C) << false << 2 << "12";
        QTest::newRow("Ctrl+C, nothing selected") << int(Qt::Key_C) << false << 0 << "1234.5";
        QTest::newRow("Ctrl+Insert, nothing selected") << int(Qt::Key_Insert) << false << 0 << "1234.5";
        QTest::newRow("Ctrl+C, total line") << int(Qt::Key_C) << true << -1 << "1,235.50";
        QTest::newRow("Ctrl+C, total line, nothing selected") << int(Qt::Key_C) << true << 0 << "1,235.50";
    }
    void copyKeysCopyTheEditorsSelection() {
        QFETCH(int, key);
        QFETCH(bool, onTotalLine);
        QFETCH(int, selected);
        QFETCH(QString, copied);
        TypedTape tape;
        tape.Type(onTotalLine ? "1234.5+1\n" : "1234.5");
        if (onTotalLine) {
            QTest::keyClick(&tape.Editor(), Qt::Key_Up);
            QCOMPARE(tape.Tape().Lines().KindOf(tape.Tape().FocusLine()), LineKind::kTotal);
        }
        const Rows before = tape.ModelRows();
        QApplication::clipboard()->setText(QStringLiteral("old"));
        if (selected < 0) {
            tape.Editor().selectAll();
        } else if (selected > 0) {
            tape.Editor().setSelection(0, selected);
        } else {
            tape.Editor().deselect();
        }
        QTest::keyClick(&tape.Editor(), Qt::Key(key), Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::clipboard()->text(), copied);
        QCOMPARE(tape.ModelRows(), before);
        QCOMPARE(tape.notifications.Beeps(), Rows{});
    }

    // A rule wider than its cell is cut at the edge like paper, not ended with "...": its right
    // end is drawn about as densely as the rest.
    void totalRuleIsCutNotShortened() {
        TypedTape tape;
        tape.Type("12+5\n");
        tape.Tape().SetColumnWidth(TTapeColumn::Entries, tape.Grid().TextWidth("=====") + 5);
        tape.Grid().SyncFromTape();
        const int entries = tape.Model().PositionOf(TTapeColumn::Entries);
        const QImage rule = CellImage(tape.Grid(), tape.Model().index(2, entries));
        const int quarter = rule.width() / 4;
        const int averageQuarter = DarkPixels(rule, 0, rule.width()) / 4;
        QVERIFY(averageQuarter > 0);
        QVERIFY(DarkPixels(rule, rule.width() - quarter, quarter) * 2 > averageQuarter);
    }

    // An item count makes the indicator wider than the column's default; the column, and the
    // window with it, grow to show it whole.
    void itemCountIndicatorsShowWhole() {
        TypedTape tape;
        tape.Tape().SetShowSeriesTotalItemCount(true);
        const int indicator = tape.Model().PositionOf(TTapeColumn::Indicator);
        const int before = tape.Grid().columnWidth(indicator);
        tape.Type("1+2+3+4+5+6+7+8+9+10\n");
        QCOMPARE(tape.ModelRows().at(11), std::string("T(10)|55.00"));
        const int width = tape.Grid().columnWidth(indicator);
        QVERIFY(width > before);
        QCOMPARE(width, tape.Grid().TextWidth("T(10)") + 5);
        QCOMPARE(tape.Tape().ColumnWidth(TTapeColumn::Indicator), width);
        QVERIFY(tape.Grid().viewport()->width() >= tape.Grid().horizontalHeader()->length());
        // Drawn whole, not as "T(…": the ink spans the text's width, side bearings aside.
        QVERIFY(InkWidth(CellImage(tape.Grid(), tape.Model().index(11, indicator))) >=
                tape.Grid().TextWidth("T(10)") - 3);
    }
};

TALLY_REGISTER_UI_TEST(TestTapeTyping);

}  // namespace tally

#include "tape_typing_test.moc"
