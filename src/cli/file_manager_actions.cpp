#include "cli/file_manager_actions.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "cli/cli_command.h"
#include "cli/tape_actions.h"
#include "documents/file_manager.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/text_encoding.h"

namespace tally::cli {
namespace {

// What a command takes and answers, as far as a text on the command line can carry it.
// File names are the system's bytes (UTF-8), the other texts the program's own (Windows-1252,
// as the key script reads them): a file name typed in a value is converted back, and one
// answered is quoted as a text.
enum class TInKind { None, String, FileName, Integer, Longint, Boolean, ActionToggle, TwoTexts, TwoFileNames };
enum class TOutKind { None, String, FileName, Integer, Longint, Boolean, FileNameList };

struct TFileManagerCommand {
    std::string_view Event;
    TInKind In;
    TOutKind Out;
};

// The file manager's commands whose records are plain values, by event name. The snapshot
// records (the menus' decision records, the file state) are for the window.
constexpr TFileManagerCommand kCommands[] = {
    {events::FileMgr_ATableColHasCurrSeriesData, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_ATableColHasCurrTapeData, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_ATableColHasCurrTapeLineData, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_ATableColHasMemoryData, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_CanCopyCurrentTapeLine, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_CanDoMemEntryToEntry, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_CloseAllFiles, TInKind::None, TOutKind::None},
    {events::FileMgr_CloseCurrentFile, TInKind::None, TOutKind::None},
    {events::FileMgr_DisableAuxTape, TInKind::String, TOutKind::None},
    {events::FileMgr_DisableTable, TInKind::String, TOutKind::None},
    {events::FileMgr_DoAfterStayOnTopChange, TInKind::None, TOutKind::None},
    {events::FileMgr_DoBeforeStayOnTopChange, TInKind::None, TOutKind::None},
    {events::FileMgr_DoCopyPasteWithStoredEntryData, TInKind::None, TOutKind::None},
    {events::FileMgr_DoLinkWithStoredEntryData, TInKind::None, TOutKind::None},
    {events::FileMgr_DoPostRecalcProcessing, TInKind::None, TOutKind::None},
    {events::FileMgr_EnableMemory, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_EnableNewAuxTape, TInKind::None, TOutKind::String},
    {events::FileMgr_EnableNewTable, TInKind::None, TOutKind::String},
    {events::FileMgr_EnableSideTape, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_EnsurePartlyVisibleSelectedCellsVisible, TInKind::None, TOutKind::None},
    {events::FileMgr_EnsureSelectedTableCellIsVisible, TInKind::None, TOutKind::None},
    {events::FileMgr_EnsureSelectedTapeCellIsVisible, TInKind::None, TOutKind::None},
    {events::FileMgr_ExportCurrentTableAsTextFile, TInKind::FileName, TOutKind::None},
    {events::FileMgr_GetCurrCalcGridsClientHeight, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetCurrTableColTotalType, TInKind::None, TOutKind::String},
    {events::FileMgr_GetCurrentEntryValue, TInKind::None, TOutKind::String},
    {events::FileMgr_GetCurrentFileName, TInKind::None, TOutKind::FileName},
    {events::FileMgr_GetCurrentRoundingMethod, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetCurrentTableName, TInKind::None, TOutKind::String},
    {events::FileMgr_GetCurrentTapeDecimalPlaces, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetCurrentTapeTopRowNum, TInKind::None, TOutKind::Longint},
    {events::FileMgr_GetCurrentTapeTotalType, TInKind::None, TOutKind::String},
    {events::FileMgr_GetLinesWithDecimalAccuracyReduced, TInKind::Integer, TOutKind::String},
    {events::FileMgr_GetLinesWithDecimalTotalTooBig, TInKind::None, TOutKind::String},
    {events::FileMgr_GetLinesWithTimeAccuracyReduced, TInKind::Integer, TOutKind::String},
    {events::FileMgr_GetListOfModifiedNonEmptyFiles, TInKind::None, TOutKind::FileNameList},
    {events::FileMgr_GetListOfOpenFiles, TInKind::None, TOutKind::FileNameList},
    {events::FileMgr_GetMaxNumOfEnabledTableDataCols, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetMoreAuxCalcsAvailable, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_GetRequiredFileDisplayWidth, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetTapeLabelByTapeName, TInKind::String, TOutKind::String},
    {events::FileMgr_GetVisibleDocumentType, TInKind::None, TOutKind::Integer},
    {events::FileMgr_GetVisibleFileName, TInKind::None, TOutKind::FileName},
    {events::FileMgr_GoToTapeLine, TInKind::String, TOutKind::None},
    {events::FileMgr_IsCurrTableColsTotalShowing, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_IsCurrentFileEmpty, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_IsCurrentFileModified, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_IsCurrentTableUndefined, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_IsGridIPEBugHeight, TInKind::None, TOutKind::Boolean},
    {events::FileMgr_MoveCurrentTapeToLineNum, TInKind::Integer, TOutKind::None},
    {events::FileMgr_MoveCurrentTapeToNextPage, TInKind::None, TOutKind::None},
    {events::FileMgr_MoveCurrentTapeToNextRow, TInKind::None, TOutKind::None},
    {events::FileMgr_MoveCurrentTapeToPriorPage, TInKind::None, TOutKind::None},
    {events::FileMgr_MoveCurrentTapeToPriorRow, TInKind::None, TOutKind::None},
    {events::FileMgr_NewFile, TInKind::None, TOutKind::None},
    {events::FileMgr_OnVisibleClientAreaHeightChanged, TInKind::None, TOutKind::None},
    {events::FileMgr_OpenFile, TInKind::FileName, TOutKind::Boolean},
    {events::FileMgr_PageLayoutSettingsApplied, TInKind::None, TOutKind::None},
    {events::FileMgr_PerformConfigureTableAction, TInKind::ActionToggle, TOutKind::None},
    {events::FileMgr_PerformConfigureTapeAction, TInKind::ActionToggle, TOutKind::None},
    {events::FileMgr_PerformEditTableAction, TInKind::String, TOutKind::None},
    {events::FileMgr_PerformEditTapeAction, TInKind::String, TOutKind::None},
    {events::FileMgr_PerformMemoryFunction, TInKind::String, TOutKind::None},
    {events::FileMgr_PerformSideTapeFunction, TInKind::String, TOutKind::None},
    {events::FileMgr_PerformTableFunction, TInKind::String, TOutKind::None},
    {events::FileMgr_PrintPreviewVisibleDocument, TInKind::None, TOutKind::None},
    {events::FileMgr_ResetCurrCalcInplaceEditor, TInKind::None, TOutKind::None},
    {events::FileMgr_SaveAllFiles, TInKind::None, TOutKind::None},
    {events::FileMgr_SaveCurrentFile, TInKind::None, TOutKind::None},
    {events::FileMgr_SaveCurrentFileAs, TInKind::FileName, TOutKind::None},
    {events::FileMgr_SaveFileByName, TInKind::FileName, TOutKind::None},
    {events::FileMgr_SaveFileByNameAs, TInKind::TwoFileNames, TOutKind::String},
    {events::FileMgr_SelectDifferentSeriesObject, TInKind::None, TOutKind::None},
    {events::FileMgr_SelectTableColsCell, TInKind::Longint, TOutKind::None},
    {events::FileMgr_SelectTapeGridRow, TInKind::Longint, TOutKind::None},
    {events::FileMgr_SetAutoAnnotMemTotalState, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_SetCurrentTapeDataEntryOption, TInKind::Integer, TOutKind::None},
    {events::FileMgr_SetCurrentTapeGrandTotalItemCountState, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_SetCurrentTapeGroupTotalItemCountState, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_SetCurrentTapeSeriesTotalItemCountState, TInKind::Boolean, TOutKind::None},
    {events::FileMgr_SetCurrentTapeTopRowNum, TInKind::Longint, TOutKind::None},
    {events::FileMgr_SetFocusToVisibleDocument, TInKind::None, TOutKind::None},
    {events::FileMgr_SetNumberOfTableDecimalPlaces, TInKind::None, TOutKind::None},
    {events::FileMgr_SetRoundingMethod, TInKind::Integer, TOutKind::None},
    {events::FileMgr_SetTapeColumnWidthsToFit, TInKind::None, TOutKind::None},
    {events::FileMgr_SetTapeLabelByTapeName, TInKind::TwoTexts, TOutKind::None},
    {events::FileMgr_SetVisibleDocByTapeName, TInKind::String, TOutKind::None},
    {events::FileMgr_SetupForMemEntryToEntry, TInKind::None, TOutKind::Integer},
    {events::FileMgr_SpecifyTableColTotDecPlaces, TInKind::Integer, TOutKind::None},
    {events::FileMgr_SpecifyTapeDecimalPlaces, TInKind::Integer, TOutKind::None},
    {events::FileMgr_SpecifyTapeTotalType, TInKind::String, TOutKind::None},
    {events::FileMgr_TeardownForMemEntryToEntry, TInKind::None, TOutKind::None},
    {events::FileMgr_ToggleBackEnabledTapes, TInKind::None, TOutKind::None},
    {events::FileMgr_ToggleBackOpenFiles, TInKind::None, TOutKind::None},
    {events::FileMgr_ToggleEnabledTapes, TInKind::None, TOutKind::None},
    {events::FileMgr_ToggleOpenFiles, TInKind::None, TOutKind::None},
    {events::FileMgr_ViewDocument, TInKind::None, TOutKind::None},
    {events::FileMgr_ViewFile, TInKind::Integer, TOutKind::None},
    {events::gstrFileMgr_IsMultiMsgListComplete, TInKind::None, TOutKind::Boolean},
    {events::gstrFileMgr_IsVisibleDocSelectedCellVisible, TInKind::None, TOutKind::Boolean},
    {events::gstrFileMgr_SetCurrDocPageOrient, TInKind::Integer, TOutKind::None},
};

const TFileManagerCommand* FindCommand(std::string_view event) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [event](const TFileManagerCommand& command) { return command.Event == event; });
    return found == std::end(kCommands) ? nullptr : found;
}

std::optional<std::int32_t> NumberValue(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return number;
}

std::optional<bool> BooleanValue(std::string_view text) {
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    return std::nullopt;
}

// "first<separator>second"; nothing without the separator.
std::optional<std::pair<std::string_view, std::string_view>> TwoParts(std::string_view text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) return std::nullopt;
    return std::pair{text.substr(0, at), text.substr(at + 1)};
}

// The In record made from the value; null when the value does not fit the command.
std::unique_ptr<TMedRecord> InRecord(TInKind kind, std::string_view value) {
    switch (kind) {
        case TInKind::None: return nullptr;
        case TInKind::String:
        case TInKind::FileName: {
            auto record = std::make_unique<TMedString>();
            record->Value = kind == TInKind::FileName ? Windows1252ToUtf8(value) : std::string(value);
            return record;
        }
        case TInKind::Integer:
        case TInKind::Longint: {
            const std::optional<std::int32_t> number = NumberValue(value);
            if (!number) return nullptr;
            if (kind == TInKind::Integer) {
                auto record = std::make_unique<TMedInteger>();
                record->Value = *number;
                return record;
            }
            auto record = std::make_unique<TMedLongint>();
            record->Value = *number;
            return record;
        }
        case TInKind::Boolean: {
            const std::optional<bool> on = BooleanValue(value);
            if (!on) return nullptr;
            auto record = std::make_unique<TMedBoolean>();
            record->Value = *on;
            return record;
        }
        case TInKind::ActionToggle: {
            const auto parts = TwoParts(value, ',');
            const std::optional<bool> checked = parts ? BooleanValue(parts->second) : std::nullopt;
            if (!checked) return nullptr;
            auto record = std::make_unique<TMedFileMgr_MenuItemToggleAction_DataIn>();
            record->Action = std::string(parts->first);
            record->Checked = *checked;
            return record;
        }
        case TInKind::TwoFileNames: {
            const auto parts = TwoParts(value, '|');
            if (!parts) return nullptr;
            auto record = std::make_unique<TMedFileMgr_SaveFileAs_DataIn>();
            record->PresentFileName = Windows1252ToUtf8(parts->first);
            record->NewFileName = Windows1252ToUtf8(parts->second);
            return record;
        }
        case TInKind::TwoTexts: {
            const auto parts = TwoParts(value, '|');
            if (!parts) return nullptr;
            auto record = std::make_unique<TMedFileMgr_SetTapeLabel_DataIn>();
            record->TapeName = std::string(parts->first);
            record->Label = std::string(parts->second);
            return record;
        }
    }
    return nullptr;
}

std::string ValueShape(TInKind kind) {
    switch (kind) {
        case TInKind::None: return {};
        case TInKind::String: return "a text";
        case TInKind::FileName: return "a file name";
        case TInKind::Integer:
        case TInKind::Longint: return "a whole number";
        case TInKind::Boolean: return "true or false";
        case TInKind::ActionToggle: return "an action, a comma and true or false";
        case TInKind::TwoTexts: return "two texts separated by |";
        case TInKind::TwoFileNames: return "two file names separated by |";
    }
    return {};
}

}  // namespace

bool IsFileManagerAction(std::string_view actionText) {
    const std::string_view name = SplitAction(actionText).Name;
    return name.starts_with("FileMgr_") || name.starts_with("gstrFileMgr_");
}

std::string CheckFileManagerAction(std::string_view actionText) {
    const TActionText action = SplitAction(actionText);
    const std::string shown = "[" + std::string(actionText) + "]";
    const TFileManagerCommand* command = FindCommand(action.Name);
    if (command == nullptr) return "action " + shown + " is not a file manager command the tool can send";
    if (command->In == TInKind::None) return action.HasValue ? "action " + shown + " takes no value" : std::string();
    if (!action.HasValue) return "action " + shown + " needs " + ValueShape(command->In);
    // Texts and file names always read (an empty one too); the other values must parse.
    if (InRecord(command->In, action.Value) == nullptr) {
        return "action " + shown + " needs " + ValueShape(command->In);
    }
    return {};
}

void RunFileManagerAction(TStMediator& applicationBus, std::string_view actionText, std::FILE* err) {
    const TActionText action = SplitAction(actionText);
    const TFileManagerCommand* command = FindCommand(action.Name);
    if (command == nullptr) return;
    const std::unique_ptr<TMedRecord> in = InRecord(command->In, action.Value);
    TMedString text;
    TMedInteger integer;
    TMedLongint longint;
    TMedBoolean boolean;
    std::vector<std::string> list;
    TMedStringListPointer listPointer;
    listPointer.List = &list;
    TMedRecord* out = nullptr;
    switch (command->Out) {
        case TOutKind::None: break;
        case TOutKind::String:
        case TOutKind::FileName: out = &text; break;
        case TOutKind::Integer: out = &integer; break;
        case TOutKind::Longint: out = &longint; break;
        case TOutKind::Boolean: out = &boolean; break;
        case TOutKind::FileNameList: out = &listPointer; break;
    }
    if (!applicationBus.HandleIfExists(command->Event, in.get(), out)) {
        std::fprintf(err, "tallyroll-cli tape: [%.*s] is not served\n", static_cast<int>(action.Name.size()),
                     action.Name.data());
        return;
    }
    std::string answer;
    switch (command->Out) {
        case TOutKind::None: return;
        case TOutKind::String: answer = text.Value; break;
        case TOutKind::FileName: answer = FileNameText(text.Value); break;
        case TOutKind::Integer: answer = std::to_string(integer.Value); break;
        case TOutKind::Longint: answer = std::to_string(longint.Value); break;
        case TOutKind::Boolean: answer = boolean.Value ? "true" : "false"; break;
        case TOutKind::FileNameList:
            for (const std::string& item : list) answer += (answer.empty() ? "" : "; ") + FileNameText(item);
            break;
    }
    WriteLine(err, "answer: " + std::string(action.Name) + "=" + answer);
}

}  // namespace tally::cli
