#include "ui/frm_calc.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
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
    grid_->AttachTape(tape_.get());
    setCentralWidget(grid_);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Print Tape To &Printer..."), this,
                    [this] { PrintTapeToPrinter(this, *tape_, "Untitled(1)"); });
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

// The grid fills the window from edge to edge.
void TfrmCalc::FitWidthToTape() { resize(grid_->RequiredWidth(), height()); }

void TfrmCalc::closeEvent(QCloseEvent* event) {
    closing_ = true;
    QMainWindow::closeEvent(event);
}

}  // namespace tally
