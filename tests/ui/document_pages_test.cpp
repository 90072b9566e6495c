// The window's document on pages: tabs at the bottom only with more than one page, a tab the
// document refuses to leave, and replacing the document shown.

#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "documents/file_document.h"
#include "engine/lines/calc_params.h"
#include "engine/tape/calculator.h"
#include "ui/qt_document_pages.h"
#include "ui/tape_grid.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

class TestDocumentPages : public QObject {
    Q_OBJECT

private slots:
    void tabsShowWithASecondPageAndFollowTheDocument() {
        test::Program program;
        auto& pages = dynamic_cast<QtDocumentPages&>(program.window.Document().Pages());
        QCOMPARE(pages.count(), 1);
        QVERIFY(!pages.tabBar()->isVisible());
        QCOMPARE(pages.tabPosition(), QTabWidget::South);

        TTlyFile& document = program.window.Document();
        document.EnableMemory(true);
        QCOMPARE(pages.count(), 2);
        QCOMPARE(pages.tabText(1), QStringLiteral("&Memory"));
        QVERIFY(pages.tabBar()->isVisible());

        // A click on the tab makes the memory tape current; its grid is the window's grid.
        pages.setCurrentIndex(1);
        QCOMPARE(document.VisibleKind(), TVisibleKind::MemoryTape);
        QCOMPARE(&program.window.Tape(), document.MemoryTape());
        QCOMPARE(program.window.Grid().Tape(), document.MemoryTape());

        // Leaving during a recall is refused and the memory page stays.
        document.SetMemoryRecallActive(true);
        pages.setCurrentIndex(0);
        QCOMPARE(pages.currentIndex(), 1);
        QCOMPARE(program.notifications.Beeps().back(), std::string(kLeaveMemoryDuringRecallText));
        document.SetMemoryRecallActive(false);

        document.EnableMemory(false);
        QCOMPARE(pages.count(), 1);
        QVERIFY(!pages.tabBar()->isVisible());
        QCOMPARE(&program.window.Tape(), &document.MainTape());
    }

    void aTableGetsItsOwnPage() {
        test::Program program;
        TTlyFile& document = program.window.Document();
        auto& pages = dynamic_cast<QtDocumentPages&>(document.Pages());
        QCOMPARE(document.AddTableNamed(), std::string("Table A"));
        QCOMPARE(pages.tabText(1), QStringLiteral("Table"));
        pages.setCurrentIndex(1);
        QCOMPARE(document.VisibleKind(), TVisibleKind::Table);
        // Commands still act on the main tape, whose grid the window keeps.
        QCOMPARE(program.window.Grid().Tape(), &document.MainTape());
    }

    // The copied source waits for its destination without one: the keys that move there must
    // not take it for a broken link.
    void aCopiedLinkSourceSurvivesTheKeysThatMoveToItsDestination() {
        test::Program program;
        TCalculator& tape = program.window.Tape();
        QTest::keyClicks(program.window.Grid().CellEditor(), QStringLiteral("5+1+"));
        tape.SetFocusLine(0);
        program.window.Grid().SyncFromTape();
        program.window.CopyAsLinkSourceAction()->trigger();
        QTest::keyClick(program.window.Grid().CellEditor(), Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(tape.FocusLine(), 1);
        program.window.PasteAsLinkDestAction()->trigger();
        QVERIFY(!tape.Lines().Property(0, LineKey::kLinkId).empty());
        QCOMPARE(std::string(tape.Lines().Entries(1)), std::string("+5.00"));
    }

    void aNewDocumentTakesTheWindowsKeysAndRequests() {
        test::Program program;
        for (const char key : std::string("5+")) program.window.Tape().KeyPress(key);
        program.window.NewAction()->trigger();
        TTlyFile* shown = &program.window.Document();
        shown->EnableSide(true);
        QCOMPARE(program.window.windowTitle(), QStringLiteral("Tallyroll - Untitled(2)"));
        QVERIFY(program.window.Tape().Lines().Entries(0).empty());
        QCOMPARE(program.window.Grid().Tape(), &shown->MainTape());
        // Keys reach the new document's tape and its requests run.
        QTest::keyClicks(program.window.Grid().CellEditor(), QStringLiteral("7\r"));
        QCoreApplication::processEvents();
        QCOMPARE(std::string(shown->MainTape().Lines().Entries(0)), std::string("+7.00"));
    }
};

TALLY_REGISTER_UI_TEST(TestDocumentPages);

}  // namespace tally

#include "document_pages_test.moc"
