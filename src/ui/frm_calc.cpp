#include "ui/frm_calc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "links/calculator_copy_tape.h"
#include "links/calculator_link_tape.h"
#include "links/copy_manager.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "links/tape_edit_actions.h"
#include "ui/print/print_tape_command.h"
#include "ui/qt_deferred_request_pump.h"
#include "ui/tape_grid.h"

namespace tally {
namespace {

constexpr int kStartHeight = 480;

}  // namespace

TfrmCalc::TfrmCalc(TDeferredRequestQueue& requests, QWidget* parent)
    : QMainWindow(parent),
      requests_(requests),
      grid_(new TTapeGrid(this)) {
    new QtDeferredRequestPump(
        requests_, [this](const TDeferredRequest& request) { RunRequest(request); }, this);
    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Tallyroll - Untitled(1)"));

    documentBus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
        if (const auto* message = RecordAs<TOsMsgVariables>(in)) {
            requests_.Post({message->MessageNumber - requests::kFirstUserMessage,
                            message->FirstParam, message->SecondParam});
        }
    });
    tape_ = std::make_unique<TCalculator>('t', &documentBus_, grid_);
    tape_->SetClipboard(&clipboard_);
    tapeRequests_ = std::make_unique<TTapeRequestRunner>(*tape_);
    linkTape_ = std::make_unique<TCalculatorLinkTape>(*tape_);
    links_ = std::make_unique<TLinkManager>([this] { return std::vector<ILinkTape*>{linkTape_.get()}; },
                                            ProgramRandomFraction(), &clipboard_);
    links_->RegisterEvents(documentBus_);
    links_->ConnectTape(*tape_);
    copyTape_ = std::make_unique<TCalculatorCopyTape>(*tape_, *links_);
    copies_ = std::make_unique<TCopyManager>([this] { return std::vector<ICopyTape*>{copyTape_.get()}; });
    copies_->RegisterEvents(documentBus_);
    checkedLinkGeneration_ = tape_->Lines().LinkGeneration();
    grid_->AttachTape(tape_.get());
    grid_->SetAfterKey([this] { RemoveBrokenLinksAfterEdit(); });
    setCentralWidget(grid_);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Print Tape To &Printer..."), this,
                    [this] { PrintTapeToPrinter(this, *tape_, "Untitled(1)"); });
    mniFileExit_ = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    AddEditMenu();
    AddConfigureTapeMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mniHelpExplainLastBeep_ = help->addAction(QStringLiteral("&Explain Last Beep..."), this,
                                              [] { Notifier().ShowLastExplanation(); });

    resize(width(), kStartHeight);
    FitWidthToTape();
    grid_->setFocus();
}

TfrmCalc::~TfrmCalc() {
    // The grid watches the tape's lines, so it lets go before the tape goes.
    grid_->AttachTape(nullptr);
}

void TfrmCalc::AddEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddEditItem(*edit, QStringLiteral("Cu&t"), "SelCut");
    AddEditItem(*edit, QStringLiteral("&Copy"), "SelCopy");
    AddEditItem(*edit, QStringLiteral("&Paste"), "SelPaste");
    AddEditItem(*edit, QStringLiteral("&Delete"), "SelDelete");
    edit->addSeparator();
    AddEditItem(*edit, QStringLiteral("Cut &Line"), "LineCut");
    AddEditItem(*edit, QStringLiteral("Copy L&ine"), "LineCopy");
    AddEditItem(*edit, QStringLiteral("Paste Li&ne"), "LinePaste");
    AddEditItem(*edit, QStringLiteral("Cut &Series"), "SeriesCut");
    AddEditItem(*edit, QStringLiteral("Copy S&eries"), "SeriesCopy");
    AddEditItem(*edit, QStringLiteral("Paste Se&ries"), "SeriesPaste");
    AddEditItem(*edit, QStringLiteral("Cut T&ape"), "TapeCut");
    AddEditItem(*edit, QStringLiteral("Copy Tap&e"), "TapeCopy");
    AddEditItem(*edit, QStringLiteral("Paste Tape"), "TapePaste");
    QMenu* embedded = edit->addMenu(QStringLiteral("E&mbedded"));
    AddEditItem(*embedded, QStringLiteral("Cu&t"), "EmbeddedSeriesCut");
    AddEditItem(*embedded, QStringLiteral("&Copy"), "EmbeddedSeriesCopy");
    AddEditItem(*embedded, QStringLiteral("&Paste"), "EmbeddedSeriesPaste");
    edit->addSeparator();
    AddEditItem(*edit, QStringLiteral("C&opy Line As Link Source"), "CopyAsLinkSource");
    AddEditItem(*edit, QStringLiteral("&Paste Line As Link Destination"), "PasteAsLinkDest");
    AddEditItem(*edit, QStringLiteral("&Unlink"), "Unlink");
}

void TfrmCalc::AddEditItem(QMenu& menu, const QString& caption, std::string_view actionName) {
    const std::string name(actionName);
    editActions_[name] = menu.addAction(caption, this, [this, name] { RunEditAction(name); });
}

QAction* TfrmCalc::EditAction(std::string_view actionName) const {
    const auto found = editActions_.find(actionName);
    return found == editActions_.end() ? nullptr : found->second;
}

void TfrmCalc::AddConfigureTapeMenu() {
    QMenu* configure = menuBar()->addMenu(QStringLiteral("&Configure Tape"));
    mniConfigureShowLinks_ = configure->addAction(QStringLiteral("Show &Links"));
    mniConfigureShowLinks_->setCheckable(true);
    connect(mniConfigureShowLinks_, &QAction::toggled, this, [this](bool shown) {
        tape_->SetColumnShown(TTapeColumn::Links, shown);
        links_->UpdateLinksDisplay();
        grid_->SyncFromTape();
        FitWidthToTape();
    });
}

void TfrmCalc::RunEditAction(std::string_view actionName) {
    // The table sweeps broken links after the actions that remove lines. The others leave the
    // links as they made them: a source just copied has no destination yet, and the next key
    // (an arrow to the destination line) must not sweep it away.
    RunTapeEditAction(*tape_, *links_, actionName);
    checkedLinkGeneration_ = tape_->Lines().LinkGeneration();
    grid_->SyncFromTape();
    grid_->setFocus();
}

void TfrmCalc::RunRequest(const TDeferredRequest& request) {
    if (closing_) return;
    if (request.Code == requests::RecomputeWindowWidth) {
        FitWidthToTape();
    } else if (!RunLinkRequest(*links_, request) && !RunCopyRequest(*copies_, request)) {
        tapeRequests_->Run(request);
    }
    RemoveBrokenLinksAfterEdit();
    grid_->SyncFromTape();
}

void TfrmCalc::RemoveBrokenLinksAfterEdit() {
    // The line store counts every change of link data and every move of a linked line, so an
    // edit that touched no link costs nothing here.
    if (tape_->Lines().LinkGeneration() == checkedLinkGeneration_) return;
    links_->RemoveBrokenLinks();
    checkedLinkGeneration_ = tape_->Lines().LinkGeneration();
}

// The grid fills the window from edge to edge, but the window is never narrower than its
// caption and menus need, nor wider than the screen: beyond that the tape scrolls. A window the
// user maximized stays so.
void TfrmCalc::FitWidthToTape() {
    if (isMaximized() || isFullScreen()) return;
    int width = std::max(grid_->RequiredWidth(), MinimumWidth());
    if (const QScreen* shown = screen()) {
        const int frame = frameGeometry().width() - geometry().width();
        width = std::min(width, shown->availableGeometry().width() - frame);
    }
    resize(width, height());
}

int TfrmCalc::MinimumWidth() const {
    // The caption, with room for the title bar's icon and buttons.
    constexpr int kTitleBarControls = 120;
    const int caption = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle());
    return std::max(caption + kTitleBarControls, menuBar()->sizeHint().width());
}

void TfrmCalc::closeEvent(QCloseEvent* event) {
    closing_ = true;
    QMainWindow::closeEvent(event);
}

}  // namespace tally
