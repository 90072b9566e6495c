// The results table on screen: a table filled from a tape through the table manager, its
// totals row, headings that follow annotations, the in-place annotation editor and the
// confirmation before a column with data goes.

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <string>

#include "../engine/tape_fill.h"
#include "engine/tape/calculator.h"
#include "foundation/mediator.h"
#include "foundation/notifications/notifier.h"
#include "platform/deferred_requests.h"
#include "platform/headless_notification_platform.h"
#include "table/table_manager.h"
#include "ui/qt_notification_platform.h"
#include "ui/results_table_view.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

// A tape of three entries whose first two lines feed table columns 1 and 2, and the table
// shown in a view after two copies.
struct TableOnScreen {
    explicit TableOnScreen(INotificationPlatform& platform) : notifier(platform) {
        test::ReplaceTapeLines(tape, {{" ", "12.5", "TT=DE"}, {" ", "+7"}, {" ", "+1"}, {" ", ""}});
        tape.SetColumnShown(TTapeColumn::TableColumns, true);
        tape.SetColumnShown(TTapeColumn::Annotations, true);
        tape.Lines().SetCell(0, TLineColumn::Annotations, "Rent;March");
        tape.Lines().SetCell(1, TLineColumn::Annotations, "Fuel");
        manager.Tapes().MainTape = [this] { return &tape; };
        manager.ConnectTape(tape);
        manager.CreateTable();
        Assign(0, "1");
        Assign(1, "2");
        manager.CopyEntriesToTable();
        tape.Lines().SetEntries(1, "+8");
        manager.CopyEntriesToTable();
        view.resize(500, 300);
        view.AttachTable(manager.CurrentTable());
        view.SetActionRunner([this](std::string_view action) { manager.PerformAction(action); });
        view.show();
    }
    ~TableOnScreen() { view.AttachTable(nullptr); }

    void Assign(LineIndex line, const std::string& column) {
        tape.Lines().SetCell(line, TLineColumn::TableColumns, column);
        manager.ApplyTableColumnCell(tape, line);
    }
    TResultsTableModel& Model() const { return *view.TableModel(); }
    QString Text(int row, int column) const { return Model().index(row, column).data().toString(); }
    QString Heading(int column) const { return Model().headerData(column, Qt::Horizontal).toString(); }

    TInstalledNotifier notifier;
    TStMediator bus;
    TCalculator tape{'t', &bus};
    TTableManager manager{&bus};
    TResultsTableView view;
};

}  // namespace

class TestResultsTableView : public QObject {
    Q_OBJECT

private slots:
    void showsATableFilledFromATapeWithItsTotalsRow() {
        HeadlessNotificationPlatform platform;
        TableOnScreen screen(platform);
        QCOMPARE(screen.Model().columnCount(), 2);
        QCOMPARE(screen.Model().rowCount(), 2);
        QCOMPARE(screen.Heading(0), QStringLiteral("Rent\nMarch"));
        QCOMPARE(screen.Heading(1), QStringLiteral("Fuel"));
        QCOMPARE(screen.Text(0, 0), QStringLiteral("12.5"));
        QCOMPARE(screen.Text(1, 1), QStringLiteral("8"));
        const auto alignment = screen.Model().index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        QCOMPARE(alignment & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        // A total under the second column: the indicator line and the total line appear.
        screen.view.setCurrentIndex(screen.Model().index(0, 1));
        QCOMPARE(screen.manager.CurrentTable()->CurrentColumn(), 2);
        screen.manager.PerformAction("ShowColTotal", true);
        QCOMPARE(screen.Model().rowCount(), 4);
        QCOMPARE(screen.Text(2, 1), QStringLiteral("=========="));
        QCOMPARE(screen.Text(3, 1), QStringLiteral("15"));
        QCOMPARE(screen.Text(3, 0), QString());
        QVERIFY(screen.Model().index(3, 1).data(Qt::FontRole).value<QFont>().bold());
        // Another copy lands above the totals and the total follows.
        screen.manager.CopyEntriesToTable();
        QCOMPARE(screen.Model().rowCount(), 5);
        QCOMPARE(screen.Text(4, 1), QStringLiteral("23"));
        QCOMPARE(screen.view.columnWidth(0), screen.manager.CurrentTable()->ColumnWidth(1));
    }

    void anEditedAnnotationBecomesTheHeading() {
        HeadlessNotificationPlatform platform;
        TableOnScreen screen(platform);
        QSignalSpy headings(&screen.Model(), &QAbstractItemModel::headerDataChanged);
        // The user edits the annotation of line 2 on the tape and leaves the cell.
        screen.tape.SetFocusLine(1);
        QVERIFY(screen.tape.SelectCell(TTapeColumn::Annotations, 1));
        for (const char c : std::string(";Diesel|car")) screen.tape.KeyPress(c);
        screen.tape.SelectCell(TTapeColumn::Entries, 1);
        QCOMPARE(screen.Heading(1), QStringLiteral("Fuel\nDiesel"));
        QVERIFY(headings.count() >= 1);
        // Ctrl+Right moves the column, and the tape lines follow.
        screen.view.setCurrentIndex(screen.Model().index(0, 0));
        QTest::keyClick(&screen.view, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(screen.Heading(1), QStringLiteral("Rent\nMarch"));
        QCOMPARE(screen.tape.Lines().TableColumns(0), std::string_view("2"));
        QCOMPARE(screen.tape.Lines().TableColumns(1), std::string_view("1"));
    }

    void annotationCellsOpenTheInPlaceEditor() {
        HeadlessNotificationPlatform platform;
        TableOnScreen screen(platform);
        screen.manager.PerformAction("EnableAnnots", true);
        QCOMPARE(screen.Heading(2), QStringLiteral("Annotations"));
        QVERIFY(!(screen.Model().flags(screen.Model().index(0, 0)) & Qt::ItemIsEditable));
        const QModelIndex note = screen.Model().index(1, 2);
        QVERIFY(screen.Model().flags(note) & Qt::ItemIsEditable);
        screen.view.setCurrentIndex(note);
        // Typing on the cell opens the editor with that key.
        QTest::keyClick(&screen.view, Qt::Key_P);
        auto* editor = qobject_cast<QLineEdit*>(screen.view.indexWidget(note));
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, QStringLiteral("aid "));
        editor->insert(QStringLiteral("\u20AC"));
        QTest::keyClick(editor, Qt::Key_Return);  // the delegate commits after the event
        QTRY_COMPARE(screen.Text(1, 2), QStringLiteral("paid \u20AC"));
        QCOMPARE(screen.manager.CurrentTable()->Cell(3, 2), std::string("paid \x80"));
        // Outside the editor: Enter goes up and down the rows, Esc restores the row's text as it
        // was when the row was entered, Alt+Right widens the annotation column.
        screen.view.setFocus();
        QTest::keyClick(&screen.view, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(screen.view.currentIndex().row(), 0);
        screen.manager.CurrentTable()->SetAnnotation(1, "changed");
        QTest::keyClick(&screen.view, Qt::Key_Escape);
        QCOMPARE(screen.Text(0, 2), QString());
        const int width = screen.view.columnWidth(2);
        QTest::keyClick(&screen.view, Qt::Key_Right, Qt::AltModifier);
        QVERIFY(screen.view.columnWidth(2) > width);
    }

    void removingAColumnWithDataAsksInABoxCaptionedConfirm() {
        TDeferredRequestQueue queue;
        QtNotificationPlatform platform(queue);
        TableOnScreen screen(platform);
        QString caption;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            caption = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        screen.Assign(0, "");
        QCOMPARE(caption, QStringLiteral("Tallyroll - Confirm"));
        QCOMPARE(text, QStringLiteral("Confirm delete of table column that contains \r\ndata.  The data in the table "
                                      "column \r\nwill be lost if you proceed."));
        QCOMPARE(screen.Model().columnCount(), 2);
        QCOMPARE(screen.tape.Lines().TableColumns(0), std::string_view("1"));
    }
};

TALLY_REGISTER_UI_TEST(TestResultsTableView);

}  // namespace tally

#include "results_table_view_test.moc"
