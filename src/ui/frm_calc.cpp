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
    grid_->AttachTape(tape_.get());
    setCentralWidget(grid_);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mniFileExit_ = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
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

void TfrmCalc::RunRequest(const TDeferredRequest& request) {
    if (closing_) return;
    if (request.Code == requests::RecomputeWindowWidth) {
        FitWidthToTape();
    } else {
        tapeRequests_->Run(request);
    }
    grid_->SyncFromTape();
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
