// The window's View menu and the memory and side totals in its status bar.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <string>

#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "tapes/auxiliary_calculator_manager.h"
#include "ui/qt_document_pages.h"
#include "ui/tape_grid.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

using test::Program;
using test::TypeOn;

// The View menu's item with this caption; fails the test when there is none.
QAction* ViewMenuItem(const TfrmCalc& window, const QString& caption) {
    for (const QAction* menu : window.menuBar()->actions()) {
        if (menu->text() != QStringLiteral("&View")) continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == caption) return item;
        }
    }
    qFatal("no View menu item %s", qPrintable(caption));
}

}  // namespace

class TestFrmCalcParts : public QObject {
    Q_OBJECT

private slots:
    void memoryTotalShowsInTheStatusBar() {
        Program program;
        QLabel& memory = *program.window.MemoryTotalLabel();
        QLabel& side = *program.window.SideTotalLabel();
        QVERIFY(!memory.isVisible());
        QVERIFY(!side.isVisible());

        program.window.RunDocumentCommand("EnableMemory");
        QVERIFY(memory.isVisible());
        TypeOn(program.window.Tape(), "12+5\n");
        program.window.RunDocumentCommand("MemPlusTotal");
        QCOMPARE(memory.text(), QStringLiteral("Mem: 17.00"));
        program.window.RunDocumentCommand("MemPlusTotal");
        QCOMPARE(memory.text(), QStringLiteral("Mem: 34.00"));

        program.window.RunDocumentCommand("EnableSideTape");
        QVERIFY(side.isVisible());
        QCOMPARE(side.text(), QStringLiteral("Side: 0.00"));
        program.window.RunDocumentCommand("DisableMemory");
        QVERIFY(!memory.isVisible());
    }

    // After the recall is set up, Enter on a memory line brings its entry into the tape the
    // recall came from, and Escape goes back to it with the entry left empty.
    void enterOrEscapeOnTheMemoryTapeEndsARecall() {
        const std::pair<Qt::Key, std::string> cases[] = {
            {Qt::Key_Return, "+17.00"}, {Qt::Key_Enter, "+17.00"}, {Qt::Key_Escape, ""}};
        for (const auto& [key, recalled] : cases) {
            Program program;
            TfrmCalc& window = program.window;
            window.RunDocumentCommand("EnableMemory");
            TypeOn(window.Tape(), "12+5\n");
            window.RunDocumentCommand("MemPlusTotal");
            TCalculator& main = window.Document().MainTape();
            const LineIndex focus = main.FocusLine();
            window.RunDocumentCommand("SetupForMemEntryToEntry");
            QCOMPARE(&window.Tape(), window.Document().MemoryTape());
            QTest::keyClick(window.Grid().CellEditor(), key);
            QVERIFY(!window.Document().MemoryRecallActive());
            QCOMPARE(&window.Tape(), &main);
            QCOMPARE(window.Document().VisibleName(), std::string("Tape"));
            QCOMPARE(std::string(main.Lines().Entries(focus)), recalled);
            // The memory tape kept its entry.
            QCOMPARE(window.MemoryTotalLabel()->text(), QStringLiteral("Mem: 17.00"));
        }
    }

    // View > New Auxiliary Tape asks for the label of the tape it is about to add; Cancel adds none.
    void newAuxiliaryTapeAsksForItsLabel() {
        const std::pair<bool, std::size_t> cases[] = {{true, 1}, {false, 0}};
        for (const auto& [ok, tapes] : cases) {
            Program program;
            std::string asked;
            program.window.SetAuxTapeLabelAsker([&asked, ok](const std::string& tapeName, std::string& label) {
                asked = tapeName;
                label = "Rent";
                return ok;
            });
            ViewMenuItem(program.window, QStringLiteral("New &Auxiliary Tape"))->trigger();
            QCOMPARE(asked, std::string("Aux A"));
            TTlyFile& document = program.window.Document();
            QCOMPARE(document.AuxiliaryTapes().size(), tapes);
            if (tapes == 0) continue;
            const TCalculator& tape = *document.AuxManager().FindByName("Aux A");
            QCOMPARE(document.TapeLabel(tape), std::string("Rent"));
            QCOMPARE(&program.window.Tape(), &tape);
        }
    }

    void viewMenuEnablesAndShowsEachPart() {
        Program program;
        auto& pages = dynamic_cast<QtDocumentPages&>(program.window.Document().Pages());
        for (const char* name : {"EnableMemory", "EnableSideTape", "NewAuxTape", "EnableTable"}) {
            program.window.RunDocumentCommand(name);
        }
        QCOMPARE(pages.count(), 5);
        const std::pair<QString, std::string> shows[] = {{"Show M&emory", "Memory"},
                                                         {"Show S&ide Tape", "Side Tape"},
                                                         {"Show Au&xiliary Tape", "Aux A"},
                                                         {"Show Tab&le", "Table A"},
                                                         {"Show &Tape", "Tape"}};
        for (const auto& [item, shown] : shows) {
            ViewMenuItem(program.window, item)->trigger();
            QCOMPARE(program.window.Document().VisibleName(), shown);
        }
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcParts);

}  // namespace tally

#include "frm_calc_parts_test.moc"
