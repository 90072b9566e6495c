// The window's View menu and the memory and side totals in its status bar.

#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include <string>

#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "ui/qt_document_pages.h"
#include "ui_program.h"
#include "ui_test_registry.h"

namespace tally {

namespace {

using test::Program;

void TypeOn(TCalculator& tape, std::string_view keys) {
    for (const char key : keys) {
        if (key == '\n') {
            if (!tape.KeyDown(TTapeKey::Enter)) tape.KeyPress(TapeChar::kEnter);
        } else {
            tape.KeyPress(key);
        }
    }
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

    void viewMenuEnablesAndShowsEachPart() {
        Program program;
        auto& pages = dynamic_cast<QtDocumentPages&>(program.window.Document().Pages());
        for (const char* name : {"EnableMemory", "EnableSideTape", "NewAuxTape", "EnableTable"}) {
            program.window.RunDocumentCommand(name);
        }
        QCOMPARE(pages.count(), 5);
        const QMenu* view = nullptr;
        for (const QAction* menu : program.window.menuBar()->actions()) {
            if (menu->text() == QStringLiteral("&View")) view = menu->menu();
        }
        QVERIFY(view != nullptr);
        const std::pair<QString, std::string> shows[] = {{"Show M&emory", "Memory"},
                                                         {"Show S&ide Tape", "Side Tape"},
                                                         {"Show Au&xiliary Tape", "Aux A"},
                                                         {"Show Tab&le", "Table A"},
                                                         {"Show &Tape", "Tape"}};
        for (const auto& [item, shown] : shows) {
            for (QAction* action : view->actions()) {
                if (action->text() == item) action->trigger();
            }
            QCOMPARE(program.window.Document().VisibleName(), shown);
        }
    }
};

TALLY_REGISTER_UI_TEST(TestFrmCalcParts);

}  // namespace tally

#include "frm_calc_parts_test.moc"
