// The main window's view of the document's parts: a View menu that enables the memory tape, the
// side tape, auxiliary tapes and the table and shows each of them, a menu of the commands across
// tapes (taken from the document's command table), and the memory and side totals in the status
// bar.

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include <cctype>
#include <string>

#include "documents/document_command_table.h"
#include "documents/file_document.h"
#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "tapes/auxiliary_calculator_manager.h"
#include "ui/frm_calc.h"
#include "ui/frm_label_aux_tape.h"
#include "ui/qt_document_pages.h"
#include "ui/qt_text.h"
#include "ui/tape_grid.h"

namespace tally {

namespace {

QString TotalText(std::string_view caption, const std::string& total) {
    return ToQString(std::string(caption) + " " + total);
}

// The name the next auxiliary tape gets: its first free letter's.
std::string NextAuxTapeName(const TAuxiliaryCalculatorManager& tapes) {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (!tapes.IsEnabledId(letter)) return TAuxiliaryCalculatorManager::NameForId(letter);
    }
    return {};
}

}  // namespace

// A command's menu caption: its action name in words ("MemPlusEntry" is "Mem Plus Entry").
QString CommandCaption(std::string_view actionName) {
    std::string caption;
    for (std::size_t i = 0; i < actionName.size(); ++i) {
        const char letter = actionName[i];
        const bool wordStart = i > 0 && std::isupper(static_cast<unsigned char>(letter)) != 0 &&
                               std::islower(static_cast<unsigned char>(actionName[i - 1])) != 0;
        if (wordStart) caption += ' ';
        caption += letter;
    }
    return ToQString(caption);
}

namespace {

// The total of the tape's current series, as the tape reports it.
std::string TapeTotal(const TCalculator* tape) { return tape != nullptr ? tape->GetSeriesTotalText() : std::string(); }

}  // namespace

void TfrmCalc::AddViewMenu(QMenu* before) {
    QMenu* view = new QMenu(QStringLiteral("&View"), this);
    menuBar()->insertMenu(before->menuAction(), view);
    const auto command = [this](std::string_view name) { return [this, name] { RunDocumentCommand(name); }; };
    view->addAction(QStringLiteral("Enable &Memory"), this, command("EnableMemory"));
    view->addAction(QStringLiteral("Enable &Side Tape"), this, command("EnableSideTape"));
    view->addAction(QStringLiteral("New &Auxiliary Tape"), this, [this] { AddLabelledAuxTape(); });
    view->addAction(QStringLiteral("Enable Ta&ble"), this, command("EnableTable"));
    view->addSeparator();
    view->addAction(QStringLiteral("Show &Tape"), this, [this] { ShowPart("Tape"); });
    view->addAction(QStringLiteral("Show M&emory"), this, [this] { ShowPart("Memory"); });
    view->addAction(QStringLiteral("Show S&ide Tape"), this, [this] { ShowPart("Side Tape"); });
    view->addAction(QStringLiteral("Show Au&xiliary Tape"), this, [this] {
        const TCalculator* aux = Document().AuxManager().Current();
        if (aux != nullptr) ShowPart(aux->TapeName());
    });
    view->addAction(QStringLiteral("Show Tab&le"), this, [this] {
        const auto tables = Document().Tables();
        if (!tables.empty()) ShowPart(tables.front().first);
    });
}

void TfrmCalc::AddDocumentCommandsMenu(QMenu* before) {
    QMenu* commands = new QMenu(QStringLiteral("C&ommands"), this);
    menuBar()->insertMenu(before->menuAction(), commands);
    const std::pair<TDocumentCommandGroup, QString> groups[] = {
        {TDocumentCommandGroup::Memory, QStringLiteral("&Memory")},
        {TDocumentCommandGroup::SideTape, QStringLiteral("&Side Tape")},
        {TDocumentCommandGroup::Table, QStringLiteral("&Table")},
        // A recall ends as well with Enter (recalling the memory line) or Escape on the memory tape.
        {TDocumentCommandGroup::Recall, QStringLiteral("&Recall")},
    };
    for (const auto& [group, caption] : groups) {
        QMenu* items = commands->addMenu(caption);
        for (const TDocumentCommand& command : DocumentCommands()) {
            if (command.Group != group) continue;
            const std::string_view name = command.Name;
            QAction* item = items->addAction(CommandCaption(name), this, [this, name] { RunDocumentCommand(name); });
            item->setObjectName(ToQString("mni" + std::string(name)));
        }
    }
}

void TfrmCalc::AddTotalsStatusBar() {
    lblMemoryTotal_ = new QLabel(statusBar());
    lblMemoryTotal_->setObjectName(QStringLiteral("lblMemoryTotal"));
    lblSideTotal_ = new QLabel(statusBar());
    lblSideTotal_->setObjectName(QStringLiteral("lblSideTotal"));
    statusBar()->addWidget(lblMemoryTotal_);
    statusBar()->addWidget(lblSideTotal_);
    const auto show = [](QLabel* label, std::string_view caption) {
        return [label, caption](TMedRecord* in, TMedRecord*) {
            if (const auto* total = RecordAs<TMedString>(in)) label->setText(TotalText(caption, total->Value));
        };
    };
    windowEvents_.Add(events::UI_ShowMemoryTotal, show(lblMemoryTotal_, "Mem:"));
    windowEvents_.Add(events::UI_ShowSideTapeTotal, show(lblSideTotal_, "Side:"));
}

void TfrmCalc::AddLabelledAuxTape() {
    TTlyFile& document = Document();
    const std::string name = NextAuxTapeName(document.AuxManager());
    // With no tape left to add the document refuses as it does for the command.
    if (name.empty() || !document.AuxManager().MoreAvailable()) {
        RunDocumentCommand("NewAuxTape");
        return;
    }
    std::string label;
    const bool ok = askAuxTapeLabel_ ? askAuxTapeLabel_(name, label) : TfrmLabelAuxTape::Edit(name, label, this);
    if (!ok) return;
    if (document.AddAuxTape(name).empty()) return;
    if (const TCalculator* tape = document.AuxManager().FindByName(name); tape != nullptr && !label.empty()) {
        document.SetTapeLabel(*tape, label);
    }
    AfterDocumentCommand();
}

void TfrmCalc::RunDocumentCommand(std::string_view name) {
    PerformDocumentCommand(Document(), name);
    AfterDocumentCommand();
}

void TfrmCalc::AfterDocumentCommand() {
    AfterPartsChanged();
    Grid().SyncFromTape();
    Grid().setFocus();
}

void TfrmCalc::ShowPart(std::string_view name) {
    // Leaving a tape a side calculation or a memory recall holds is refused, with a beep.
    Document().ShowByName(name, true);
    Grid().SyncFromTape();
    Grid().setFocus();
}

bool TfrmCalc::EndMemoryRecallByKey(TTlyFile& document, const TCalculator& tape, const QKeyEvent& key) {
    if (!document.MemoryRecallActive() || &tape != document.MemoryTape()) return false;
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const bool recall = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!recall && key.key() != Qt::Key_Escape) return false;
    // The memory tape's focus line is the one picked; the recall goes back to its tape first.
    RunDocumentCommand("TeardownForMemEntryToEntry");
    if (recall) RunDocumentCommand("MemEntryToEntry");
    return true;
}

void TfrmCalc::AfterPartsChanged() {
    if (lblMemoryTotal_ != nullptr) {
        const TCalculator* memory = Document().MemoryTape();
        lblMemoryTotal_->setVisible(memory != nullptr);
        lblMemoryTotal_->setText(TotalText("Mem:", TapeTotal(memory)));
        const TCalculator* side = Document().SideTape();
        lblSideTotal_->setVisible(side != nullptr);
        lblSideTotal_->setText(TotalText("Side:", TapeTotal(side)));
    }
    FitWidthToTape();
}

}  // namespace tally
