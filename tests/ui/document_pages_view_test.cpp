// What the document's pages on screen do for the view commands: a table's current cell scrolled
// into view, the cell editors closed and opened again with their selections while the window is
// made again, the keyboard focus and the width the widest tape needs.

#include <QLineEdit>
#include <QTest>

#include "engine/tape/calculator.h"
#include "table/results_table.h"
#include "ui/qt_document_pages.h"
#include "ui/results_table_view.h"
#include "ui/tape_grid.h"
#include "ui_test_registry.h"

namespace tally {

class TestDocumentPagesView : public QObject {
    Q_OBJECT

private slots:
    void aTablesCurrentCellIsScrolledIntoViewAndItsEditorSurvives() {
        // Sixty rows and an annotation column, the current cell far down.
        TResultsTable table;
        QVERIFY(table.SetGridSize(60, 3));
        table.SetAnnotationsShown(true);
        const int notes = table.AnnotationColumn();
        table.SetCurrentCell(notes, 50);
        QtDocumentPages pages(nullptr);
        pages.resize(300, 200);
        pages.AddTablePage(1, "Table", table);
        pages.ActivatePage(1);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        auto* view = qobject_cast<TResultsTableView*>(pages.widget(0));
        QVERIFY(view != nullptr);

        // The user scrolled away from it.
        view->scrollToTop();
        QVERIFY(!pages.IsTableCellVisible(table));
        pages.ScrollTableCellIntoView(table);
        QVERIFY(pages.IsTableCellVisible(table));

        // The user is typing an annotation when the window is made again.
        const QModelIndex current = view->currentIndex();
        view->edit(current);
        auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(current));
        QVERIFY(editor != nullptr);
        editor->setText(QStringLiteral("fuel bill"));
        editor->setSelection(5, 4);
        pages.CloseCellEditors();
        QCoreApplication::processEvents();
        QCOMPARE(view->indexWidget(current), nullptr);
        QCOMPARE(table.Cell(notes, 50), std::string("fuel bill"));

        pages.ReopenCellEditors();
        editor = qobject_cast<QLineEdit*>(view->indexWidget(current));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("fuel bill"));
        QCOMPARE(editor->selectionStart(), 5);
        QCOMPARE(editor->selectedText(), QStringLiteral("bill"));
        pages.RemovePage(1);
    }

    void tapeGridsCloseTheirEditorsTakeTheFocusAndGiveTheirWidth() {
        QtDocumentPages pages(nullptr);
        pages.resize(400, 300);
        ITapeView* view = pages.AddTapePage(1, "Tape");
        TCalculator tape('t', nullptr, view);
        pages.AttachTape(1, &tape);
        pages.ActivatePage(1);
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        auto* grid = qobject_cast<TTapeGrid*>(pages.widget(0));
        QVERIFY(grid != nullptr);

        pages.CloseCellEditors();
        QVERIFY(!grid->CellEditor()->isVisible());
        pages.ReopenCellEditors();
        QVERIFY(grid->CellEditor()->isVisible());

        pages.activateWindow();
        pages.FocusActivePage();
        QTRY_VERIFY(grid->CellEditor()->hasFocus());

        QVERIFY(pages.RequiredWidth() >= grid->RequiredWidth());
        const int narrow = pages.RequiredWidth();
        tape.SetColumnShown(TTapeColumn::RunningTotal, true);
        grid->SyncFromTape();
        QVERIFY(pages.RequiredWidth() > narrow);
        pages.AttachTape(1, nullptr);
    }
};

TALLY_REGISTER_UI_TEST(TestDocumentPagesView);

}  // namespace tally

#include "document_pages_view_test.moc"
