#include "ui/frm_calc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>

#include <algorithm>

#include "documents/file_document.h"
#include "documents/posted_requests.h"
#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"
#include "links/tape_edit_actions.h"
#include "table/table_manager.h"
#include "ui/qt_deferred_request_pump.h"
#include "ui/qt_document_pages.h"
#include "ui/tape_grid.h"

namespace tally {
namespace {

constexpr int kStartHeight = 480;

}  // namespace

TfrmCalc::TfrmCalc(TDeferredRequestQueue& requests, QWidget* parent)
    : QMainWindow(parent),
      requests_(requests),
      documentStack_(new QStackedWidget(this)) {
    new QtDeferredRequestPump(
        requests_, [this](const TDeferredRequest& request) { RunRequest(request); }, this);
    setObjectName(QStringLiteral("frmCalc"));
    ServePostedRequests(fileBus_, requests_);
    setCentralWidget(documentStack_);

    AddFileMenu();
    AddEditMenu();
    AddConfigureTapeMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mniHelpExplainLastBeep_ = help->addAction(QStringLiteral("&Explain Last Beep..."), this,
                                              [] { Notifier().ShowLastExplanation(); });
    AddViewMenu(help);
    AddDocumentCommandsMenu(help);
    AddTotalsStatusBar();

    SetDocument(CreateDocument("Untitled(1)"));
    resize(width(), kStartHeight);
    FitWidthToTape();
}

// The document goes before the window's widgets: its pages let go of its tapes first.
TfrmCalc::~TfrmCalc() { document_.reset(); }

std::unique_ptr<TTlyFile> TfrmCalc::CreateDocument(std::string fileName) const {
    return std::make_unique<TTlyFile>(DocumentSetup(std::move(fileName)));
}

TTlyFileSetup TfrmCalc::DocumentSetup(std::string fileName) const {
    TTlyFileSetup setup;
    setup.ParentBus = const_cast<TStMediator*>(&fileBus_);
    setup.Clipboard = const_cast<QtClipboard*>(&clipboard_);
    setup.OwnPages = std::make_unique<QtDocumentPages>(setup.Clipboard);
    setup.FileName = std::move(fileName);
    return setup;
}

void TfrmCalc::SetDocument(std::unique_ptr<TTlyFile> document) {
    auto& pages = dynamic_cast<QtDocumentPages&>(document->Pages());
    TTlyFile* shown = document.get();
    pages.SetAfterKey([shown] { shown->RemoveBrokenLinksAfterEdit(); });
    pages.SetTableActionRunner([shown](std::string_view action) {
        shown->TableManager().PerformAction(action);
        shown->Pages().Refresh();
    });
    documentStack_->addWidget(&pages);
    documentStack_->setCurrentWidget(&pages);
    std::swap(document_, document);
    document.reset();
    ShowCaption();
    if (documentShown_) documentShown_();
    if (mniConfigureShowLinks_ != nullptr) {
        const QSignalBlocker quiet(mniConfigureShowLinks_);
        mniConfigureShowLinks_->setChecked(document_->MainTape().IsColumnShown(TTapeColumn::Links));
    }
    pages.Refresh();
    AfterPartsChanged();
    Grid().setFocus();
}

QtDocumentPages& TfrmCalc::Pages() const { return static_cast<QtDocumentPages&>(document_->Pages()); }

TCalculator& TfrmCalc::Tape() const { return document_->CurrentTape(); }

TTapeGrid& TfrmCalc::Grid() const { return *Pages().CurrentGrid(); }

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
        document_->ShowColumn(TTapeColumn::Links, shown);
        FitWidthToTape();
    });
}

void TfrmCalc::RunEditAction(std::string_view actionName) {
    // Broken links are swept after the actions that remove lines, and the table columns no line
    // is assigned to any more go; the links are then taken as they are, so a source just copied
    // survives the arrow key that moves to its destination.
    RunTapeEditAction(Tape(), document_->LinkManager(), actionName);
    document_->AfterEditAction();
    Pages().Refresh();
    Grid().setFocus();
}

void TfrmCalc::RunRequest(const TDeferredRequest& request) {
    if (closing_) return;
    if (request.Code == requests::RecomputeWindowWidth) {
        FitWidthToTape();
    } else {
        document_->RunRequest(request);
    }
    Grid().SyncFromTape();
}

// The grid fills the window from edge to edge, but the window is never narrower than its
// caption and menus need, nor wider than the screen: beyond that the tape scrolls. A window the
// user maximized stays so.
void TfrmCalc::FitWidthToTape() {
    if (isMaximized() || isFullScreen()) return;
    int width = std::max(Grid().RequiredWidth(), MinimumWidth());
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
    // Changes are saved or dropped as the user answers; Cancel or a failed save keeps it open.
    if (!MayLetGoOfDocument()) {
        event->ignore();
        return;
    }
    closing_ = true;
    QMainWindow::closeEvent(event);
}

}  // namespace tally
