// The file manager on the buses: what documents ask upward is relayed to the settings, the
// page layout defaults, the global objects and the window on the application bus; the file
// and document commands are served there.

#include <utility>

#include "documents/file_manager.h"
#include "documents/file_manager_handlers.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/message_records.h"
#include "links/tape_edit_actions.h"
#include "settings/appl_records.h"

namespace tally {

namespace ev = events;

namespace {

// The window recomputes its width once a document's tab strip is gone.
constexpr int kRecomputeWidthAfterTabsHidden = 125;

// The Configure Tape actions that show or hide a column on every tape of the document.
constexpr std::pair<std::string_view, TTapeColumn> kColumnActions[] = {
    {"EnableAnnots", TTapeColumn::Annotations}, {"ShowLineNums", TTapeColumn::Line},
    {"ShowLinks", TTapeColumn::Links},          {"ShowRunningTotal", TTapeColumn::RunningTotal},
    {"ShowTableCols", TTapeColumn::TableColumns},
};

constexpr std::pair<std::string_view, std::string_view> kUpwardRelays[] = {
    {ev::FileMgr_ConfirmDeleteTableCol, ev::ApplCtl_ConfirmDeleteTableCol},
    {ev::FileMgr_GetAutoIncreaseDecimalPlacesOption, ev::ApplCtl_GetAutoIncreaseDecimalPlacesOption},
    {ev::FileMgr_GetAutoSetTotalTypeOption, ev::ApplCtl_GetAutoSetTotalTypeOption},
    {ev::FileMgr_GetDefaultDataEntryOption, ev::ApplCtl_GetDefaultDataEntryOption},
    {ev::FileMgr_GetEmbeddedSeriesColor, ev::ApplCtl_GetEmbeddedSeriesColor},
    {ev::FileMgr_GetGrandTotalColor, ev::ApplCtl_GetGrandTotalColor},
    {ev::FileMgr_GetGrandTotalCreationDisplayState, ev::ApplCtl_GetGrandTotalCreationDisplayState},
    {ev::FileMgr_GetGroupTotalColor, ev::ApplCtl_GetGroupTotalColor},
    {ev::FileMgr_GetGroupTotalCreationDisplayState, ev::ApplCtl_GetGroupTotalCreationDisplayState},
    {ev::FileMgr_GetMaxTableDataCols, ev::ApplCtl_GetMaxTableDataCols},
    {ev::FileMgr_SetMaxTableDataCols, ev::ApplCtl_SetMaxTableDataCols},
    {ev::FileMgr_GetShowGrandTotalItemCount, ev::ApplCtl_GetShowGrandTotalItemCount},
    {ev::FileMgr_GetShowGroupTotalItemCount, ev::ApplCtl_GetShowGroupTotalItemCount},
    {ev::FileMgr_GetShowSeriesTotalItemCount, ev::ApplCtl_GetShowSeriesTotalItemCount},
    {ev::FileMgr_GetStartupDecimalPlaces, ev::ApplCtl_GetStartupDecimalPlaces},
    {ev::FileMgr_GetStartupRoundingMethod, ev::ApplCtl_GetStartupRoundingMethod},
    {ev::FileMgr_GetTapeFocusHighlightColor, ev::ApplCtl_GetTapeFocusHighlightColor},
    {ev::FileMgr_GetTapeScreenFont, ev::ApplCtl_GetTapeScreenFont},
    {ev::FileMgr_GetZeroTotalLineColor, ev::ApplCtl_GetZeroTotalLineColor},
    {ev::FileMgr_GetDefaultTablePageHeader, ev::PLDefaults_GetDefaultTablePageHeader},
    {ev::FileMgr_GetDefaultTableTitle, ev::PLDefaults_GetDefaultTableTitle},
    {ev::FileMgr_GetDefaultTapePageHeader, ev::PLDefaults_GetDefaultTapePageHeader},
    {ev::FileMgr_GetDefaultTapeTitle, ev::PLDefaults_GetDefaultTapeTitle},
    {ev::FileMgr_GetPageLayoutDefaultsObject, ev::PLDefaults_GetPageLayoutDefaultsObject},
    {ev::FileMgr_GetDivideOperCharRulesObj, ev::GloObj_GetDivideOperCharRulesObj},
    {ev::FileMgr_PostMainFormWindowsMsg, ev::UI_PostMainFormWindowsMsg},
    {ev::FileMgr_ShowAnnotationsState, ev::UI_ShowAnnotationsState},
    {ev::FileMgr_ShowLineNumbersState, ev::UI_ShowLineNumbersState},
    {ev::FileMgr_ShowLinksState, ev::UI_ShowLinksState},
    {ev::FileMgr_ShowMemoryTotal, ev::UI_ShowMemoryTotal},
    {ev::FileMgr_ShowMemTapeLineNum, ev::UI_ShowMemTapeLineNum},
    {ev::FileMgr_ShowRunningTotalState, ev::UI_ShowRunningTotalState},
    {ev::FileMgr_ShowSideTapeTotal, ev::UI_ShowSideTapeTotal},
    {ev::FileMgr_ShowTableAnnotationsState, ev::gstrUI_ShowTableAnnotationsState},
    {ev::FileMgr_ShowTableColTotalState, ev::gstrUI_ShowTableColTotalState},
    {ev::FileMgr_ShowTableColumnsState, ev::UI_ShowTableColumnsState},
    {ev::FileMgr_ShowTableDecimalPlacesValue, ev::UI_ShowTableDecimalPlacesValue},
    {ev::FileMgr_ShowTableLineNumbersState, ev::gstrUI_ShowTableLineNumbersState},
    {ev::FileMgr_ShowTapeDataEntryOptionValue, ev::gstrUI_ShowTapeDataEntryOptionValue},
    {ev::FileMgr_ShowTapeDecimalPlacesValue, ev::UI_ShowTapeDecimalPlacesValue},
    {ev::FileMgr_ShowTapeLineCount, ev::UI_ShowTapeLineCount},
    {ev::FileMgr_ShowTapeLineNum, ev::UI_ShowTapeLineNum},
    {ev::FileMgr_ShowTapeTotalType, ev::UI_ShowTapeTotalType},
    {ev::FileMgr_ShowThousandSeparatorState, ev::UI_ShowThousandSeparatorState},
    {ev::FileMgr_VisibleDocumentChanged, ev::UI_VisibleDocumentChanged},
};

}  // namespace

void TFileManager::RegisterUpwardRelays() {
    if (applicationBus_ == nullptr) return;
    for (const auto& relay : kUpwardRelays) {
        upward_.Add(relay.first, [this, target = relay.second](TMedRecord* in, TMedRecord* out) {
            applicationBus_->HandleIfExists(target, in, out);
        });
    }
    upward_.Add(ev::FileMgr_OnFilesDocTabsNotShowing, [this](TMedRecord*, TMedRecord*) {
        if (Count() > 1) return;
        TOsMsgVariables message;
        message.MessageNumber = requests::kFirstUserMessage + kRecomputeWidthAfterTabsHidden;
        applicationBus_->HandleIfExists(ev::UI_PostMainFormWindowsMsg, &message, nullptr);
    });
}

void TFileManager::RegisterCommands() {
    // Files.
    commands_.Add(ev::FileMgr_NewFile, [this](TMedRecord*, TMedRecord*) { NewFile(); });
    commands_.Add(ev::FileMgr_OpenFile, [this](TMedRecord* in, TMedRecord* out) {
        const auto* name = RecordAs<TMedString>(in);
        const bool opened = name != nullptr && OpenFile(name->Value);
        if (auto* answer = RecordAs<TMedBoolean>(out)) answer->Value = opened;
    });
    commands_.Add(ev::FileMgr_CloseCurrentFile, [this](TMedRecord*, TMedRecord*) { CloseCurrentFile(); });
    commands_.Add(ev::FileMgr_SaveCurrentFile, [this](TMedRecord*, TMedRecord*) { SaveVisible(); });
    commands_.Add(ev::FileMgr_SaveCurrentFileAs, WithValue<TMedString>([this](const std::string& name) {
                      if (std::string failure = SaveFileAs(Visible(), name); !failure.empty()) ShowSaveRefusal(failure);
                  }));
    commands_.Add(ev::FileMgr_SaveFileByName, WithValue<TMedString>([this](const std::string& name) {
                      TTlyFile* document = FindByName(name);
                      if (document == nullptr || IsUntitled(*document)) return;
                      if (std::string failure = SaveFile(*document); !failure.empty()) ShowSaveRefusal(failure);
                  }));
    commands_.Add(ev::FileMgr_SaveFileByNameAs, [this](TMedRecord* in, TMedRecord* out) {
        const auto* names = RecordAs<TMedFileMgr_SaveFileAs_DataIn>(in);
        auto* answer = RecordAs<TMedString>(out);
        if (names == nullptr) return;
        std::string failure = SaveFileByNameAs(names->PresentFileName, names->NewFileName);
        if (answer != nullptr) answer->Value = std::move(failure);
    });
    const auto fillList = [this](bool changedOnly) {
        return [this, changedOnly](TMedRecord*, TMedRecord* out) {
            auto* answer = RecordAs<TMedStringListPointer>(out);
            if (answer == nullptr || answer->List == nullptr) return;
            answer->List->clear();
            for (const TOpenFile& file : files_) {
                if (!changedOnly || NeedsSaveQuestion(*file.Document)) answer->List->push_back(file.Document->FileName());
            }
        };
    };
    commands_.Add(ev::FileMgr_GetListOfOpenFiles, fillList(false));
    commands_.Add(ev::FileMgr_GetListOfModifiedNonEmptyFiles, fillList(true));
    commands_.Add(ev::FileMgr_GetCurrentFileName, Answering<TMedString>([this] { return Visible().FileName(); }));
    commands_.Add(ev::FileMgr_GetVisibleFileName, Answering<TMedString>([this] { return Visible().FileName(); }));
    commands_.Add(ev::FileMgr_IsCurrentFileEmpty, Answering<TMedBoolean>([this] { return Visible().IsEmpty(); }));
    commands_.Add(ev::FileMgr_IsCurrentFileModified, Answering<TMedBoolean>([this] { return Visible().IsModified(); }));
    commands_.Add(ev::FileMgr_ViewFile, WithValue<TMedInteger>([this](std::int32_t number) { ViewFile(number); }));
    commands_.Add(ev::FileMgr_ToggleOpenFiles, [this](TMedRecord*, TMedRecord*) { ToggleOpenFiles(true); });
    commands_.Add(ev::FileMgr_ToggleBackOpenFiles, [this](TMedRecord*, TMedRecord*) { ToggleOpenFiles(false); });
    commands_.Add(ev::FileMgr_GetFileMenuDecisionInfo, [this](TMedRecord*, TMedRecord* out) {
        auto* info = RecordAs<TMedFileMgr_FileMenuDecisionInfo>(out);
        if (info == nullptr) return;
        info->HasTable = (Visible().EnabledParts() & DocumentPart::kTables) != 0;
        info->VisibleName = Visible().VisibleName();
        info->VisibleKind = Visible().VisibleKind();
    });

    // The visible document's parts.
    commands_.Add(ev::FileMgr_EnableMemory, WithValue<TMedBoolean>([this](bool on) { Visible().EnableMemory(on); }));
    commands_.Add(ev::FileMgr_EnableSideTape, WithValue<TMedBoolean>([this](bool on) { Visible().EnableSide(on); }));
    commands_.Add(ev::FileMgr_EnableNewAuxTape, Answering<TMedString>([this] { return Visible().AddAuxTape(); }));
    commands_.Add(ev::FileMgr_DisableAuxTape,
                  WithValue<TMedString>([this](const std::string& name) { Visible().RemoveAuxTape(name); }));
    commands_.Add(ev::FileMgr_EnableNewTable, Answering<TMedString>([this] { return Visible().AddTableNamed(); }));
    commands_.Add(ev::FileMgr_DisableTable,
                  WithValue<TMedString>([this](const std::string& name) { Visible().RemoveTable(name); }));
    commands_.Add(ev::FileMgr_GetVisibleDocumentType,
                  Answering<TMedInteger>([this] { return static_cast<std::int32_t>(Visible().VisibleKind()); }));
    commands_.Add(ev::FileMgr_SetVisibleDocByTapeName,
                  WithValue<TMedString>([this](const std::string& name) { Visible().ShowByName(name); }));
    commands_.Add(ev::FileMgr_GoToTapeLine,
                  WithValue<TMedString>([this](const std::string& text) { Visible().GoToTapeLine(text); }));
    commands_.Add(ev::FileMgr_SetRoundingMethod, WithValue<TMedInteger>([this](std::int32_t method) {
                      if (method == 0 || method == 1) Visible().SetRoundingMethod(static_cast<TRoundingMethod>(method));
                  }));
    // The visible document's current tape.
    commands_.Add(ev::FileMgr_PerformEditTapeAction, WithValue<TMedString>([this](const std::string& action) {
                      TTlyFile& document = Visible();
                      if (!RunTapeEditAction(document.CurrentTape(), document.LinkManager(), action)) return;
                      document.AfterEditAction();
                      document.Pages().Refresh();
                  }));
    commands_.Add(ev::FileMgr_PerformConfigureTapeAction, [this](TMedRecord* in, TMedRecord*) {
        const auto* toggle = RecordAs<TMedFileMgr_MenuItemToggleAction_DataIn>(in);
        if (toggle == nullptr) return;
        if (toggle->Action == "ShowThousSep") Visible().ShowThousands(toggle->Checked);
        for (const auto& [action, column] : kColumnActions) {
            if (toggle->Action == action) Visible().ShowColumn(column, toggle->Checked);
        }
    });
    commands_.Add(ev::FileMgr_PageLayoutSettingsApplied,
                  [this](TMedRecord*, TMedRecord*) { Visible().SetStructureModified(); });
    commands_.Add(ev::gstrFileMgr_SetCurrDocPageOrient, WithValue<TMedInteger>([this](std::int32_t orientation) {
                      if (orientation == 0 || orientation == 1) {
                          Visible().SetVisiblePageOrientation(orientation == 1 ? "Landscape" : "Portrait");
                      }
                  }));
    commands_.Add(ev::FileMgr_ApplyGenlOptions, [this](TMedRecord* in, TMedRecord*) {
        const auto* options = RecordAs<TGenlOptionsVariables>(in);
        if (options == nullptr) return;
        for (const TOpenFile& file : files_) file.Document->ApplyGeneralOptions(*options);
    });
    commands_.Add(ev::FileMgr_GetCurrentRoundingMethod,
                  Answering<TMedInteger>([this] { return static_cast<std::int32_t>(Visible().RoundingMethod()); }));
}

}  // namespace tally
