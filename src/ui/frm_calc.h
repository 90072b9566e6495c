#pragma once
// The main window: the open documents, one tab each, held by the file manager (each document's
// tapes and table on pages with tabs at the bottom), the File, Edit, Configure Tape and Help
// menus acting on the visible document, and the runner of the deferred requests the documents
// post for after the current event.

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/mediator.h"
#include "platform/deferred_requests.h"
#include "settings/bus_answers.h"
#include "ui/file_name_chooser.h"
#include "ui/qt_clipboard.h"

class QAction;
class QKeyEvent;
class QMenu;
class QLabel;
class QTabWidget;
class QString;

namespace tally {

class IFileManagerAsker;
class QtDocumentPages;
class TApplControlData;
class TCalculator;
class TFileManager;
class TLinkManager;
class TTapeGrid;
class TTlyFile;
struct TTlyFileSetup;

// A command's menu caption: its action name in words ("MemPlusEntry" is "Mem Plus Entry").
QString CommandCaption(std::string_view actionName);

class TfrmCalc : public QMainWindow {
    Q_OBJECT

public:
    // Runs the queue's requests after each event until the window starts closing. The settings
    // (when given) keep the reopen list and the folder file dialogs start in. The application
    // bus (when given) is the one the settings answer on: the file manager serves and relays
    // there, so every document gets the settings' answers; without one the window has its own.
    explicit TfrmCalc(TDeferredRequestQueue& requests, TApplControlData* settings = nullptr,
                      TStMediator* applicationBus = nullptr, QWidget* parent = nullptr);
    ~TfrmCalc() override;
    TfrmCalc(const TfrmCalc&) = delete;
    TfrmCalc& operator=(const TfrmCalc&) = delete;

    // The visible document.
    TTlyFile& Document() const;
    TFileManager& Files() const { return *files_; }
    QTabWidget* FileTabs() const { return fileTabs_; }

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
    // The dialog View > New Auxiliary Tape asks for the new tape's label with; true with the
    // label when the user chose Ok. TfrmLabelAuxTape unless a test replaces it.
    using TAuxTapeLabelAsker = std::function<bool(const std::string& tapeName, std::string& label)>;
    void SetAuxTapeLabelAsker(TAuxTapeLabelAsker asker) { askAuxTapeLabel_ = std::move(asker); }
    // Runs a command of the document's command table by its action name, as its menu item does.
    void RunDocumentCommand(std::string_view name);

    // ---- The File menu (frm_calc_file.cpp)
    // Opens the file as a document of its own (over the only one when that is untitled, empty
    // and unchanged), or shows it when it is open already. A file that cannot be read is
    // explained in the notification window and changes nothing; false then.
    bool OpenFile(const QString& fileName);
    // Save and Save As of the File menu; false when not saved (cancelled, or failed and reported).
    bool SaveDocument();
    bool SaveDocumentAs();
    // The file dialogs of Open and Save As.
    void SetFileNameChooser(std::unique_ptr<IFileNameChooser> chooser) { chooser_ = std::move(chooser); }
    QAction* NewAction() const { return mniFileNew_; }
    QAction* OpenAction() const { return mniFileOpen_; }
    QAction* SaveAction() const { return mniFileSave_; }
    QAction* SaveAsAction() const { return mniFileSaveAs_; }
    QAction* CloseAction() const { return mniFileClose_; }
    // File > Export Table To Text File...: the visible document's table into a text file.
    QAction* ExportTableAction() const { return mniFileExportTable_; }
    // File > Print Preview...: the modal preview of the visible tape or table.
    QAction* PrintPreviewAction() const { return mniFilePrintPreview_; }
    // File > Print To Internet Document File...: the visible tape or table into an HTML file.
    QAction* InternetDocumentAction() const { return mniFileInternetDocument_; }
    // The files opened and saved last, most recent first; filled as it opens.
    QMenu* ReopenMenu() const { return mnuFileReopen_; }

    void RunRequest(const TDeferredRequest& request);
    // Fits the window to the tape's columns, within its caption's and menus' needs and the screen.
    void FitWidthToTape();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The window's own keys (frm_calc_keys.cpp), seen before the focused control's.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the caption and the menus need.
    int MinimumWidth() const;
    // The file manager's documents: on pages of their own in a tab of the window.
    std::unique_ptr<TTlyFile> CreateDocument(TTlyFileSetup setup);
    // After the file manager changed the open documents or the visible one: the tabs, the
    // caption, the menus and the focus follow.
    void ShowVisibleFile();
    // frm_calc_file.cpp
    void AddFileMenu();
    void FillReopenMenu();
    // Asks for the text file's name, then has the file manager write the table into it.
    void ExportTable();
    // Asks for the HTML file's name, then writes the visible tape or table into it; a file that
    // cannot be written is explained.
    void PrintToInternetDocument();
    void ShowCaption();
    // File names are the system's bytes; the user sees them decoded.
    static QString ShownFileName(const std::string& fileName);
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
    // View > New Auxiliary Tape: the label is asked for first; Cancel adds no tape.
    void AddLabelledAuxTape();
    // While a memory entry is recalled, Enter on a memory line carries the recall out and
    // Escape cancels it; true when the key did either.
    bool EndMemoryRecallByKey(TTlyFile& document, const TCalculator& tape, const QKeyEvent& key);
    void AfterPartsChanged();
    // The parts, the grid and the focus after a document command.
    void AfterDocumentCommand();
    QtDocumentPages& Pages() const;

    TDeferredRequestQueue& requests_;
    TApplControlData* settings_;
    // The application bus: the file manager serves its commands here and relays the documents'
    // requests; the window serves posting deferred requests and hears of visible file changes
    // and totals. Its own one unless the program gives the settings' bus.
    TStMediator ownBus_;
    TStMediator& appBus_;
    // The window's events, taken off the bus with the window.
    TBusAnswers windowEvents_;
    QtClipboard clipboard_;
    // A tab per open document, holding its pages.
    QTabWidget* fileTabs_;
    std::unique_ptr<IFileNameChooser> chooser_ = std::make_unique<QtFileNameChooser>();
    // The save questions and the save-as dialog, for the file manager.
    std::unique_ptr<IFileManagerAsker> asker_;
    TAuxTapeLabelAsker askAuxTapeLabel_;
    // Freed first: its documents' pages are the tabs' widgets.
    std::unique_ptr<TFileManager> files_;
    QAction* mniFileNew_ = nullptr;
    QAction* mniFileOpen_ = nullptr;
    QAction* mniFileSave_ = nullptr;
    QAction* mniFileSaveAs_ = nullptr;
    QAction* mniFileClose_ = nullptr;
    QAction* mniFileExportTable_ = nullptr;
    QAction* mniFilePrintPreview_ = nullptr;
    QAction* mniFileInternetDocument_ = nullptr;
    QMenu* mnuFileReopen_ = nullptr;
    QAction* mniFileExit_ = nullptr;
    std::map<std::string, QAction*, std::less<>> editActions_;
    QAction* mniConfigureShowLinks_ = nullptr;
    QAction* mniHelpExplainLastBeep_;
    QLabel* lblMemoryTotal_ = nullptr;
    QLabel* lblSideTotal_ = nullptr;
    bool closing_ = false;
};

}  // namespace tally
