#include "ui/frm_calc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

#include "documents/file_document.h"
#include "documents/file_manager.h"
#include "documents/posted_requests.h"
#include "engine/tape/calculator.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "links/link_manager.h"
#include "links/tape_edit_actions.h"
#include "settings/appl_control_data.h"
#include "table/table_manager.h"
#include "ui/qt_deferred_request_pump.h"
#include "ui/qt_document_pages.h"
#include "ui/qt_text_measurer.h"
#include "ui/tape_grid.h"

namespace tally {
namespace {

constexpr int kStartHeight = 480;

}  // namespace

TfrmCalc::TfrmCalc(TDeferredRequestQueue& requests, TApplControlData* settings, TStMediator* applicationBus,
                   QWidget* parent)
    : QMainWindow(parent),
      requests_(requests),
      settings_(settings),
      appBus_(applicationBus != nullptr ? *applicationBus : ownBus_),
      windowEvents_(&appBus_),
      fileTabs_(new QTabWidget(this)) {
    new QtDeferredRequestPump(
        requests_, [this](const TDeferredRequest& request) { RunRequest(request); }, this);
    setObjectName(QStringLiteral("frmCalc"));
    ServePostedRequests(appBus_, requests_, events::UI_PostMainFormWindowsMsg);
    windowEvents_.Add(events::UI_VisibleFileChanged, [this](TMedRecord*, TMedRecord*) {
        if (files_) ShowVisibleFile();
    });
    // With one document open the window looks as it did with one: no file tabs.
    fileTabs_->setDocumentMode(true);
    fileTabs_->setTabBarAutoHide(true);
    // A tab the user brings forward (a click, Ctrl+Tab) makes its document the visible one. Heard
    // after the event: a tab also goes while the file manager frees a document, and the file
    // manager then shows the tabs its own choice.
    connect(
        fileTabs_, &QTabWidget::currentChanged, this,
        [this] {
            if (!files_) return;
            for (const TOpenFileInfo& file : files_->OpenFiles()) {
                const QWidget* pages = &dynamic_cast<QtDocumentPages&>(files_->DocumentByNumber(file.FileNumber)->Pages());
                if (pages == fileTabs_->currentWidget() && !file.Visible) files_->ViewFile(file.FileNumber);
            }
        },
        Qt::QueuedConnection);
    setCentralWidget(fileTabs_);

    AddFileMenu();
    AddEditMenu();
    AddConfigureTapeMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mniHelpExplainLastBeep_ = help->addAction(QStringLiteral("&Explain Last Beep..."), this,
                                              [] { Notifier().ShowLastExplanation(); });
    AddViewMenu(help);
    AddDocumentCommandsMenu(help);
    AddTotalsStatusBar();

    TFileManagerSetup setup;
    setup.ApplicationBus = &appBus_;
    setup.Factory = [this](TTlyFileSetup documentSetup) { return CreateDocument(std::move(documentSetup)); };
    setup.Asker = asker_.get();
    setup.Settings = settings_;
    files_ = std::make_unique<TFileManager>(std::move(setup));
    ShowVisibleFile();
    resize(width(), kStartHeight);
    FitWidthToTape();
    qApp->installEventFilter(this);
}

// The documents go before the window's widgets: their pages let go of their tapes first.
TfrmCalc::~TfrmCalc() {
    if (settings_ != nullptr) settings_->SetReopenListObserver(nullptr);
    files_.reset();
    appBus_.Remove(events::UI_PostMainFormWindowsMsg);
}

std::unique_ptr<TTlyFile> TfrmCalc::CreateDocument(TTlyFileSetup setup) {
    setup.Clipboard = &clipboard_;
    auto ownPages = std::make_unique<QtDocumentPages>(setup.Clipboard);
    // Every tape's grid shows the settings' tape font from its start, so the tapes measure
    // their columns with it.
    TMedFont font;
    if (appBus_.HandleIfExists(events::ApplCtl_GetTapeScreenFont, nullptr, &font)) ownPages->SetTapeFont(ToQFont(font.Font));
    setup.OwnPages = std::move(ownPages);
    auto document = std::make_unique<TTlyFile>(std::move(setup));
    auto& pages = dynamic_cast<QtDocumentPages&>(document->Pages());
    TTlyFile* made = document.get();
    pages.SetAfterKey([made] { made->RemoveBrokenLinksAfterEdit(); });
    pages.SetKeyFilter([this, made](TCalculator& tape, const QKeyEvent& key) { return EndMemoryRecallByKey(*made, tape, key); });
    pages.SetTableActionRunner([made](std::string_view action) {
        made->TableManager().PerformAction(action);
        made->Pages().Refresh();
    });
    return document;
}

void TfrmCalc::ShowVisibleFile() {
    const std::vector<TOpenFileInfo> files = files_->OpenFiles();
    int visible = 0;
    {
        const QSignalBlocker quiet(fileTabs_);
        // The tabs of closed documents went with their pages; the others are put in order.
        for (int i = 0; i < static_cast<int>(files.size()); ++i) {
            QWidget* pages = &dynamic_cast<QtDocumentPages&>(files_->DocumentByNumber(files[i].FileNumber)->Pages());
            const QString caption = ShownFileName(files[i].TabCaption);
            const int at = fileTabs_->indexOf(pages);
            if (at < 0) {
                fileTabs_->insertTab(i, pages, caption);
            } else {
                if (at != i) fileTabs_->tabBar()->moveTab(at, i);
                fileTabs_->setTabText(i, caption);
            }
            if (files[i].Visible) visible = i;
        }
        fileTabs_->setCurrentIndex(visible);
    }
    ShowCaption();
    if (mniConfigureShowLinks_ != nullptr) {
        const QSignalBlocker quiet(mniConfigureShowLinks_);
        mniConfigureShowLinks_->setChecked(Document().MainTape().IsColumnShown(TTapeColumn::Links));
    }
    Pages().Refresh();
    AfterPartsChanged();
    Grid().setFocus();
}

TTlyFile& TfrmCalc::Document() const { return files_->Visible(); }

QtDocumentPages& TfrmCalc::Pages() const { return static_cast<QtDocumentPages&>(Document().Pages()); }

TCalculator& TfrmCalc::Tape() const { return Document().CurrentTape(); }

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
        Document().ShowColumn(TTapeColumn::Links, shown);
        FitWidthToTape();
    });
}

void TfrmCalc::RunEditAction(std::string_view actionName) {
    // Broken links are swept after the actions that remove lines, and the table columns no line
    // is assigned to any more go; the links are then taken as they are, so a source just copied
    // survives the arrow key that moves to its destination.
    RunTapeEditAction(Tape(), Document().LinkManager(), actionName);
    Document().AfterEditAction();
    Pages().Refresh();
    Grid().setFocus();
}

void TfrmCalc::RunRequest(const TDeferredRequest& request) {
    if (closing_) return;
    if (request.Code == requests::RecomputeWindowWidth) {
        FitWidthToTape();
    } else {
        Document().RunRequest(request);
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
    if (!files_->QueryExit()) {
        event->ignore();
        return;
    }
    // The parts enabled now are the next run's start; the program saves the settings after.
    files_->StoreShutdownState();
    closing_ = true;
    QMainWindow::closeEvent(event);
}

}  // namespace tally
