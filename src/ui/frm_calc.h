#pragma once
// The main window: one tape in its grid with the links between its lines, the File, Edit,
// Configure Tape and Help menus, and the runner of the deferred requests that the tape posts
// for after the current event.

#include <QMainWindow>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/mediator.h"
#include "platform/deferred_requests.h"
#include "ui/qt_clipboard.h"

class QAction;
class QMenu;
class QString;

namespace tally {

class TCalculator;
class TCalculatorCopyTape;
class TCalculatorLinkTape;
class TCopyManager;
class TLinkManager;
class TTapeGrid;
class TTapeRequestRunner;

class TfrmCalc : public QMainWindow {
    Q_OBJECT

public:
    // Runs the queue's requests after each event until the window starts closing.
    explicit TfrmCalc(TDeferredRequestQueue& requests, QWidget* parent = nullptr);
    ~TfrmCalc() override;
    TfrmCalc(const TfrmCalc&) = delete;
    TfrmCalc& operator=(const TfrmCalc&) = delete;

    TCalculator& Tape() const { return *tape_; }
    TTapeGrid& Grid() const { return *grid_; }
    QAction* ExplainLastBeepAction() const { return mniHelpExplainLastBeep_; }
    QAction* ExitAction() const { return mniFileExit_; }
    // The Edit menu's item that runs the tape edit action of that name ("LineCopy", ...).
    QAction* EditAction(std::string_view actionName) const;
    QAction* CopyAsLinkSourceAction() const { return EditAction("CopyAsLinkSource"); }
    QAction* PasteAsLinkDestAction() const { return EditAction("PasteAsLinkDest"); }
    QAction* UnlinkAction() const { return EditAction("Unlink"); }
    QAction* ShowLinksAction() const { return mniConfigureShowLinks_; }

    void RunRequest(const TDeferredRequest& request);
    // Fits the window to the tape's columns, within its caption's and menus' needs and the screen.
    void FitWidthToTape();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the caption and the menus need.
    int MinimumWidth() const;
    void AddEditMenu();
    void AddEditItem(QMenu& menu, const QString& caption, std::string_view actionName);
    void AddConfigureTapeMenu();
    // Runs a tape edit action by its name on the tape's focus line and shows the result.
    void RunEditAction(std::string_view actionName);
    // After a key or request that moved or removed linked lines, links whose other end went
    // with a removed line are taken off the line left behind.
    void RemoveBrokenLinksAfterEdit();

    TDeferredRequestQueue& requests_;
    // Until documents exist the window keeps the bus the tape sends on, and serves the one
    // event a tape needs of it: posting a deferred request.
    TStMediator documentBus_;
    QtClipboard clipboard_;
    TTapeGrid* grid_;
    std::unique_ptr<TCalculator> tape_;
    std::unique_ptr<TTapeRequestRunner> tapeRequests_;
    std::unique_ptr<TCalculatorLinkTape> linkTape_;
    std::unique_ptr<TLinkManager> links_;
    std::unique_ptr<TCalculatorCopyTape> copyTape_;
    std::unique_ptr<TCopyManager> copies_;
    std::uint64_t checkedLinkGeneration_ = 0;
    QAction* mniFileExit_;
    std::map<std::string, QAction*, std::less<>> editActions_;
    QAction* mniConfigureShowLinks_ = nullptr;
    QAction* mniHelpExplainLastBeep_;
    bool closing_ = false;
};

}  // namespace tally
