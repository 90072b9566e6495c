#pragma once
// TFileManager: the open documents, in opening order, and the visible one. It numbers and
// captions them, creates, opens, saves, closes and switches them, owns the bus the documents
// send upward on and relays what they ask to the application bus, and serves the file
// commands there. A document is known by the canonical path of its file; one never saved is
// flagged untitled and captioned "Untitled(n)".
//
// The source is split by purpose: file_manager.cpp (the list, numbers, captions, identity and
// the operations on it), file_manager_files.cpp (the one place documents are read from and
// written to their files), file_manager_user.cpp (saving and closing as the user asks for it,
// with the save questions), file_manager_events.cpp (the commands on the application bus and
// the upward relays), file_manager_tape_commands.cpp (the commands to the visible document's
// current tape and tables), file_manager_snapshots.cpp (the cross-tape functions and the state
// records the window reads), file_manager_shutdown.cpp (the first document set up as the last run
// ended, and the state stored for the next run),
// file_manager_table_commands.cpp (the table's Edit and Configure Table commands and records),
// file_manager_series_state.cpp (what deleting lines would take from the table),
// file_manager_print_commands.cpp (page layout, print and preview records, the table's text export),
// file_manager_view_commands.cpp (the grids' selected cells, editors and metrics, the pages in turn),
// file_manager_edit_menu.cpp (the tape Edit menu's decisions).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/file_document.h"
#include "foundation/mediator.h"
#include "platform/notification_platform.h"
#include "settings/atomic_file.h"
#include "settings/bus_answers.h"

namespace tally {

class TApplControlData;
class TFileStateVariables;
class TFileShutdownConfig;

// Makes a document from the setup the file manager filled in (parent bus, file name, file
// number); the window adds its pages, printer and clipboard, tests their headless ones.
using TDocumentFactory = std::function<std::unique_ptr<TTlyFile>(TTlyFileSetup)>;

// The user's answers when saving and closing: the window shows its dialogs, tests script them.
class IFileManagerAsker {
public:
    virtual ~IFileManagerAsker() = default;
    // A Yes/No/Cancel question captioned "Tallyroll - Confirm" with the question icon; the
    // file manager has beeped before.
    virtual TMessageBoxAnswer AskYesNoCancel(const std::string& question) = 0;
    // The save-as dialog "Save Tallyroll File As": `offeredName` is the file name without its
    // folder (empty for an untitled document), `startFolder` the last folder (may be empty).
    // The dialog asks before overwriting an existing file. Nothing when the user cancels.
    virtual std::optional<std::string> AskSaveAsFileName(const std::string& offeredName,
                                                         const std::string& startFolder) = 0;
};

struct TFileManagerSetup {
    // Where the file commands are served and the documents' requests relayed; none: neither.
    TStMediator* ApplicationBus = nullptr;
    // Empty: documents on headless pages.
    TDocumentFactory Factory;
    // Without one every question answers Cancel and Save As has no name, so nothing unsaved
    // is lost.
    IFileManagerAsker* Asker = nullptr;
    // The reopen list and the first start folder; none: neither is kept.
    TApplControlData* Settings = nullptr;
    // The system calls a save goes through (tests make them fail); the system's when null.
    const IFileCalls* FileCalls = nullptr;
    // Opened over the first document when it names an existing file.
    std::string StartFileName;
};

// One open document as the window's file tabs and menus show it.
struct TOpenFileInfo {
    int FileNumber = 0;
    // The full path, or the untitled caption.
    std::string FileName;
    // The file name without its folder (the window caption follows "Tallyroll - ").
    std::string ShortName;
    // The tab's caption: the short name cut to 25 characters and "...".
    std::string TabCaption;
    bool Untitled = true;
    bool Modified = false;
    bool Empty = true;
    bool Visible = false;
};

// The answer of "FileMgr_GetFileMenuDecisionInfo".
class TMedFileMgr_FileMenuDecisionInfo : public TMedRecord {
public:
    bool HasTable = false;
    std::string VisibleName;
    TVisibleKind VisibleKind = TVisibleKind::MainTape;
};

// The In record of "FileMgr_SaveFileByNameAs".
class TMedFileMgr_SaveFileAs_DataIn : public TMedRecord {
public:
    std::string PresentFileName;
    std::string NewFileName;
};

// The In record of "FileMgr_PerformConfigureTapeAction": the action and the menu item's new
// checked state.
class TMedFileMgr_MenuItemToggleAction_DataIn : public TMedRecord {
public:
    std::string Action;
    bool Checked = false;
};

// The In record of "FileMgr_GetTapeLabelByTapeName" and "FileMgr_SetTapeLabelByTapeName": an
// auxiliary tape's name and its label.
class TMedFileMgr_SetTapeLabel_DataIn : public TMedRecord {
public:
    std::string TapeName;
    std::string Label;
};

inline constexpr std::string_view kSameNameRefusal = "Save not done. Another open file has the same file name.";
// Followed by a blank and the quoted name.
inline constexpr std::string_view kUnknownFileSaveRefusal = "Save not done. No open file has the name";
inline constexpr std::string_view kNoNameSaveRefusal = "Save not done. No file name was given.";
inline constexpr std::string_view kUntitledSaveRefusal = "Save not done. A file that was never saved needs a name.";
inline constexpr std::string_view kWindowCaptionPrefix = "Tallyroll - ";

class TFileManager {
public:
    static constexpr std::size_t kTabCaptionLength = 25;

    // Creates the first document (untitled, configured from the settings' shutdown state
    // unless a start file opens over it) and makes it visible.
    explicit TFileManager(TFileManagerSetup setup);
    ~TFileManager();
    TFileManager(const TFileManager&) = delete;
    TFileManager& operator=(const TFileManager&) = delete;

    // ---- The list (file_manager.cpp)
    int Count() const { return static_cast<int>(files_.size()); }
    TTlyFile& Visible() const { return *files_[visible_].Document; }
    // Null when no open document has the number.
    TTlyFile* DocumentByNumber(int fileNumber) const;
    // Every open document in opening order.
    std::vector<TOpenFileInfo> OpenFiles() const;
    TOpenFileInfo VisibleFile() const;
    // "Tallyroll - " and the visible file's name without its folder.
    std::string WindowCaption() const;
    // The folder of the last file opened, saved or closed; the start folder of file dialogs.
    const std::string& LastFolder() const { return lastFolder_; }
    TStMediator& FileBus() { return fileBus_; }
    // Leaving the program: the visible document's parts and shown columns go into the
    // settings, for the first document of the next run (file_manager_shutdown.cpp).
    void StoreShutdownState() const;

    // ---- Operations the commands run (file_manager.cpp); none asks the user anything.
    // An untitled document, made visible.
    TTlyFile& NewFile();
    // Shows an open document with that file instead of opening it twice. A file that cannot
    // be opened is explained and beeped, shown at once, and answers false.
    bool OpenFile(const std::string& fileName);
    // The same without the checks before reading and without telling the user: answers
    // `Cannot open file "<name>".` and the reader's reason when the file cannot be read, empty
    // when it was opened or shown. For callers that report failures their own way.
    std::string OpenFileQuietly(const std::string& fileName);
    // Closes the visible document without asking; the only one is reset to an untitled one.
    void CloseCurrentFile();
    bool ViewFile(int fileNumber);
    // The next (previous) document, wrapping around.
    void ToggleOpenFiles(bool forward);

    // ---- Saving without asking (file_manager_files.cpp). Each answers why the save did not
    // happen, empty when it did; a failed write keeps the document modified and its name.
    // Saves the document to its file; an untitled document has none and is not saved.
    std::string SaveFile(TTlyFile& document);
    // Saves under the new name; only a save that went through gives the document the name,
    // the caption and the reopen entry. Refused when another open document has that file.
    std::string SaveFileAs(TTlyFile& document, const std::string& newFileName);
    // "FileMgr_SaveFileByNameAs": the document known by the present name is saved under the
    // new one.
    std::string SaveFileByNameAs(const std::string& presentFileName, const std::string& newFileName);
    // Saves and table exports asked for that wrote no file: refused, failed, or with nobody to
    // name the file. The command-line tool ends with a failure status when there were any.
    int WritesNotDone() const { return writesNotDone_; }
    // File > Export Table To Text File, before it asks for a name: when the visible document's
    // table has nothing to export, says so and answers true.
    bool ReportNothingToExport();

    // ---- As the user asks for it (file_manager_user.cpp); each answers whether it went ahead.
    // Save: an untitled document runs Save As.
    bool SaveVisible();
    // Save As: the asker gives the name; a refusal is shown in a "Tallyroll - Notify" box.
    bool SaveVisibleAs();
    // Close: a changed document is asked about first; Yes saves, and a save that did not
    // happen stops the close.
    bool CloseVisible();
    // Leaving the program: the changed documents are asked about; Cancel or a save that did
    // not happen keeps the program open.
    bool QueryExit();

    // ---- Lookups by name (file_manager.cpp)
    // The document with exactly this file name or untitled caption, else the one whose file
    // this is; null when none.
    TTlyFile* FindByName(const std::string& fileName) const;
    // The saved document whose file this is (paths compared canonically); null when none.
    TTlyFile* FindFile(const std::string& fileName) const;
    bool IsUntitled(const TTlyFile& document) const;

private:
    struct TOpenFile {
        std::unique_ptr<TTlyFile> Document;
        bool Untitled = true;
    };

    // file_manager.cpp
    int NextFileNumber() const;
    std::unique_ptr<TTlyFile> CreateDocument(std::string fileName, int fileNumber);
    int IndexOf(const TTlyFile& document) const;
    TOpenFileInfo Info(int index) const;
    void MakeVisible(int index);
    void VisibleFileChanged();
    void Remember(const std::string& fileName);
    // Why OpenFile refuses the file before reading it: missing, not a file of this program, or
    // written by a later version; empty when it may be read.
    static std::string CheckFileToOpen(const std::string& fileName);
    // file_manager_shutdown.cpp
    void ApplyStartConfig(TTlyFile& document);

    // file_manager_files.cpp: the one place documents meet their files.
    // A fresh document from the factory, named after the canonical path, read from the file;
    // null with the message to show when it cannot be read.
    std::unique_ptr<TTlyFile> ReadDocument(const std::string& fileName, int fileNumber, std::string& failure);
    // Writes the document through its own SaveAs: only a write that went through clears its
    // modified flags and names it after the file. Answers the failure text, empty on success.
    std::string WriteDocument(TTlyFile& document, const std::string& fileName);
    // Counts a save or export that did not happen; answers its reason.
    std::string NotDone(std::string reason);
    // Reports a failure to the user: explained, beeped and shown at once.
    static void ReportFailure(std::string text);
    // Shows why a save the user asked for did not happen, in a "Tallyroll - Notify" box.
    static void ShowSaveRefusal(const std::string& text);

    // file_manager_user.cpp
    bool NeedsSaveQuestion(const TTlyFile& document) const;
    TMessageBoxAnswer Ask(const std::string& question);
    // Asks about one changed document; false when the user cancelled or the save failed.
    bool AskAndSave(int index);

    // file_manager_events.cpp
    void RegisterUpwardRelays();
    void RegisterCommands();
    // file_manager_tape_commands.cpp: the visible document's current tape and tables.
    void RegisterTapeCommands();
    // file_manager_snapshots.cpp: the cross-tape functions and the state snapshots.
    void RegisterDocumentFunctions();
    void RegisterSnapshots();
    // file_manager_table_commands.cpp: the table's Edit and Configure Table menus.
    void RegisterTableCommands();
    // file_manager_series_state.cpp: what the focus line, its series and the tapes feed the table.
    void RegisterSeriesState();
    // file_manager_print_commands.cpp: page layout, printing and the table's text export.
    void RegisterPrintCommands();
    // file_manager_view_commands.cpp: the grids' selected cells, editors and metrics, the pages in turn.
    void RegisterViewCommands();
    // file_manager_edit_menu.cpp: the items of the tape's Edit menu that apply.
    void RegisterEditMenu();
    // Whether any open document passes the test; with `othersOnly`, any but the visible one.
    bool AnyDocument(bool (*test)(const TTlyFile&), bool othersOnly = false) const;
    void FillFileState(TFileStateVariables& state) const;

    // Freed last: the documents register on it.
    TStMediator fileBus_;
    TStMediator* applicationBus_;
    TDocumentFactory factory_;
    IFileManagerAsker* asker_;
    TApplControlData* settings_;
    const IFileCalls& fileCalls_;
    std::string lastFolder_;
    TBusAnswers upward_{&fileBus_};
    TBusAnswers commands_;
    std::vector<TOpenFile> files_;
    int visible_ = 0;
    int writesNotDone_ = 0;
};

// The canonical absolute form of a file name: symbolic links, "." and ".." resolved as far as
// the path exists. Two names of one file give the same text.
std::string CanonicalFileName(const std::string& fileName);
// The name without its folder.
std::string ShortFileName(const std::string& fileName);
// What a file tab shows: the short name cut to 25 characters and "...".
std::string FileTabCaption(const std::string& shortName);

}  // namespace tally
