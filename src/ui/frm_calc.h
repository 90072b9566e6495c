#pragma once
// The main window: one document (its tapes and table on pages with tabs at the bottom), the
// File, Edit, Configure Tape and Help menus, and the runner of the deferred requests that the
// document posts for after the current event.

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/mediator.h"
#include "platform/deferred_requests.h"
#include "ui/file_name_chooser.h"
#include "ui/qt_clipboard.h"

class QAction;
class QMenu;
class QLabel;
class QStackedWidget;
class QString;

namespace tally {

class QtDocumentPages;
class TCalculator;
class TLinkManager;
class TTapeGrid;
class TTlyFile;
struct TTlyFileSetup;

class TfrmCalc : public QMainWindow {
    Q_OBJECT

public:
    // Runs the queue's requests after each event until the window starts closing.
    explicit TfrmCalc(TDeferredRequestQueue& requests, QWidget* parent = nullptr);
    ~TfrmCalc() override;
    TfrmCalc(const TfrmCalc&) = delete;
    TfrmCalc& operator=(const TfrmCalc&) = delete;

    // A new document that the window can show: on pages of its own, under the window's bus.
    std::unique_ptr<TTlyFile> CreateDocument(std::string fileName) const;
    // Shows the document in place of the one shown, which is freed. It must come from
    // CreateDocument.
    void SetDocument(std::unique_ptr<TTlyFile> document);
    // Runs for each document shown from then on (the settings give it their tape font and colours).
    void SetDocumentShownHook(std::function<void()> hook) { documentShown_ = std::move(hook); }
    TTlyFile& Document() const { return *document_; }

    // The tape commands act on, and the grid of the page shown (of the main tape while the
    // table is shown).
    TCalculator& Tape() const;
    TTapeGrid& Grid() const;
    QAction* ExplainLastBeepAction() const { return mniHelpExplainLastBeep_; }
    QAction* ExitAction() const { return mniFileExit_; }
    // The Edit menu's item that runs the tape edit action of that name ("LineCopy", ...).
    QAction* EditAction(std::string_view actionName) const;
    QAction* CopyAsLinkSourceAction() const { return EditAction("CopyAsLinkSource"); }
    QAction* PasteAsLinkDestAction() const { return EditAction("PasteAsLinkDest"); }
    QAction* UnlinkAction() const { return EditAction("Unlink"); }
    QAction* ShowLinksAction() const { return mniConfigureShowLinks_; }
    // The status bar's memory and side tape totals, shown while their tapes are enabled.
    QLabel* MemoryTotalLabel() const { return lblMemoryTotal_; }
    QLabel* SideTotalLabel() const { return lblSideTotal_; }
    // Runs a command of the document's command table by its action name, as its menu item does.
    void RunDocumentCommand(std::string_view name);

    // ---- The document's file (frm_calc_file.cpp)
    // Reads the file into a new document that takes the place of the one shown. A file that
    // cannot be read is reported in a message box and changes nothing; false then, and when the
    // user keeps a changed document shown.
    bool OpenFile(const QString& fileName);
    // Save and Save As of the File menu; false when not saved (cancelled, or failed and reported).
    bool SaveDocument();
    bool SaveDocumentAs();
    // The file dialogs of Open and Save As.
    void SetFileNameChooser(std::unique_ptr<IFileNameChooser> chooser) { chooser_ = std::move(chooser); }
    QAction* OpenAction() const { return mniFileOpen_; }
    QAction* SaveAction() const { return mniFileSave_; }
    QAction* SaveAsAction() const { return mniFileSaveAs_; }

    void RunRequest(const TDeferredRequest& request);
    // Fits the window to the tape's columns, within its caption's and menus' needs and the screen.
    void FitWidthToTape();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the caption and the menus need.
    int MinimumWidth() const;
    TTlyFileSetup DocumentSetup(std::string fileName) const;
    // frm_calc_file.cpp
    void AddFileMenu();
    void ShowCaption();
    // Whether the document shown may give way to another or close with the window: unchanged,
    // or saved or dropped as the user answers.
    bool MayLetGoOfDocument();
    void AddEditMenu();
    void AddEditItem(QMenu& menu, const QString& caption, std::string_view actionName);
    void AddConfigureTapeMenu();
    // Runs a tape edit action by its name on the tape's focus line and shows the result.
    void RunEditAction(std::string_view actionName);
    // The parts of the document (frm_calc_parts.cpp): the View menu that enables and shows
    // them, the menu of the commands across tapes, and the memory and side totals.
    void AddViewMenu(QMenu* before);
    void AddDocumentCommandsMenu(QMenu* before);
    void AddTotalsStatusBar();
    void ShowPart(std::string_view name);
    void AfterPartsChanged();
    QtDocumentPages& Pages() const;

    TDeferredRequestQueue& requests_;
    // Until the file manager exists the window keeps the bus a document sends upward on, and
    // serves the one event a document needs of it: posting a deferred request.
    TStMediator fileBus_;
    QtClipboard clipboard_;
    // Holds the pages of the document shown.
    QStackedWidget* documentStack_;
    std::unique_ptr<TTlyFile> document_;
    std::unique_ptr<IFileNameChooser> chooser_ = std::make_unique<QtFileNameChooser>();
    // Where Open and Save As start: the folder of the file last opened or saved.
    QString lastFolder_;
    std::function<void()> documentShown_;
    QAction* mniFileOpen_ = nullptr;
    QAction* mniFileSave_ = nullptr;
    QAction* mniFileSaveAs_ = nullptr;
    QAction* mniFileExit_ = nullptr;
    std::map<std::string, QAction*, std::less<>> editActions_;
    QAction* mniConfigureShowLinks_ = nullptr;
    QAction* mniHelpExplainLastBeep_;
    QLabel* lblMemoryTotal_ = nullptr;
    QLabel* lblSideTotal_ = nullptr;
    bool closing_ = false;
};

}  // namespace tally
