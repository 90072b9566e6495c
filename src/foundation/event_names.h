#pragma once
// The names under which events are registered and sent on the mediator buses.
// Every name belongs to exactly one bus; the owner registers it, senders use the same constant.

#include <string_view>

namespace tally::events {

// Application bus, main window: status display and deferred requests.
inline constexpr std::string_view UI_PostMainFormWindowsMsg = "UI_PostMainFormWindowsMsg";
inline constexpr std::string_view UI_ShowAnnotationsState = "UI_ShowAnnotationsState";
inline constexpr std::string_view UI_ShowLineNumbersState = "UI_ShowLineNumbersState";
inline constexpr std::string_view UI_ShowLinksState = "UI_ShowLinksState";
inline constexpr std::string_view UI_ShowMemoryTotal = "UI_ShowMemoryTotal";
inline constexpr std::string_view UI_ShowMemTapeLineNum = "UI_ShowMemTapeLineNum";
inline constexpr std::string_view UI_ShowRunningTotalState = "UI_ShowRunningTotalState";
inline constexpr std::string_view UI_ShowSideTapeTotal = "UI_ShowSideTapeTotal";
inline constexpr std::string_view gstrUI_ShowTableAnnotationsState = "gstrUI_ShowTableAnnotationsState";
inline constexpr std::string_view gstrUI_ShowTableColTotalState = "gstrUI_ShowTableColTotalState";
inline constexpr std::string_view UI_ShowTableColumnsState = "UI_ShowTableColumnsState";
inline constexpr std::string_view UI_ShowTableDecimalPlacesValue = "UI_ShowTableDecimalPlacesValue";
inline constexpr std::string_view gstrUI_ShowTableLineNumbersState = "gstrUI_ShowTableLineNumbersState";
inline constexpr std::string_view UI_ShowThousandSeparatorState = "UI_ShowThousandSeparatorState";
inline constexpr std::string_view gstrUI_ShowTapeDataEntryOptionValue = "gstrUI_ShowTapeDataEntryOptionValue";
inline constexpr std::string_view UI_ShowTapeDecimalPlacesValue = "UI_ShowTapeDecimalPlacesValue";
inline constexpr std::string_view UI_ShowTapeLineCount = "UI_ShowTapeLineCount";
inline constexpr std::string_view UI_ShowTapeLineNum = "UI_ShowTapeLineNum";
inline constexpr std::string_view UI_ShowTapeTotalType = "UI_ShowTapeTotalType";
inline constexpr std::string_view UI_TeardownForMemoryEntryRecall = "UI_TeardownForMemoryEntryRecall";
inline constexpr std::string_view UI_VisibleDocumentChanged = "UI_VisibleDocumentChanged";
inline constexpr std::string_view UI_VisibleFileChanged = "UI_VisibleFileChanged";

// Application bus, file manager: commands and queries sent by the main window.
inline constexpr std::string_view FileMgr_ApplyGenlOptions = "FileMgr_ApplyGenlOptions";
inline constexpr std::string_view FileMgr_ATableColHasCurrSeriesData = "FileMgr_ATableColHasCurrSeriesData";
inline constexpr std::string_view FileMgr_ATableColHasCurrTapeData = "FileMgr_ATableColHasCurrTapeData";
inline constexpr std::string_view FileMgr_ATableColHasCurrTapeLineData = "FileMgr_ATableColHasCurrTapeLineData";
inline constexpr std::string_view FileMgr_ATableColHasMemoryData = "FileMgr_ATableColHasMemoryData";
inline constexpr std::string_view FileMgr_CanCopyCurrentTapeLine = "FileMgr_CanCopyCurrentTapeLine";
inline constexpr std::string_view FileMgr_CanDoMemEntryToEntry = "FileMgr_CanDoMemEntryToEntry";
inline constexpr std::string_view FileMgr_CloseAllFiles = "FileMgr_CloseAllFiles";
inline constexpr std::string_view FileMgr_CloseCurrentFile = "FileMgr_CloseCurrentFile";
inline constexpr std::string_view FileMgr_DisableAuxTape = "FileMgr_DisableAuxTape";
inline constexpr std::string_view FileMgr_DisableTable = "FileMgr_DisableTable";
inline constexpr std::string_view FileMgr_DoAfterStayOnTopChange = "FileMgr_DoAfterStayOnTopChange";
inline constexpr std::string_view FileMgr_DoBeforeStayOnTopChange = "FileMgr_DoBeforeStayOnTopChange";
inline constexpr std::string_view FileMgr_DoCopyPasteWithStoredEntryData = "FileMgr_DoCopyPasteWithStoredEntryData";
inline constexpr std::string_view FileMgr_DoLinkWithStoredEntryData = "FileMgr_DoLinkWithStoredEntryData";
inline constexpr std::string_view FileMgr_DoPostRecalcProcessing = "FileMgr_DoPostRecalcProcessing";
inline constexpr std::string_view FileMgr_EnableMemory = "FileMgr_EnableMemory";
inline constexpr std::string_view FileMgr_EnableNewAuxTape = "FileMgr_EnableNewAuxTape";
inline constexpr std::string_view FileMgr_EnableNewTable = "FileMgr_EnableNewTable";
inline constexpr std::string_view FileMgr_EnableSideTape = "FileMgr_EnableSideTape";
inline constexpr std::string_view FileMgr_EnsurePartlyVisibleSelectedCellsVisible = "FileMgr_EnsurePartlyVisibleSelectedCellsVisible";
inline constexpr std::string_view FileMgr_EnsureSelectedTableCellIsVisible = "FileMgr_EnsureSelectedTableCellIsVisible";
inline constexpr std::string_view FileMgr_EnsureSelectedTapeCellIsVisible = "FileMgr_EnsureSelectedTapeCellIsVisible";
inline constexpr std::string_view FileMgr_ExportCurrentTableAsTextFile = "FileMgr_ExportCurrentTableAsTextFile";
inline constexpr std::string_view FileMgr_FillCurrTablePrintColPropList = "FileMgr_FillCurrTablePrintColPropList";
inline constexpr std::string_view FileMgr_GetConfigTableMenuDecisionInfo = "FileMgr_GetConfigTableMenuDecisionInfo";
inline constexpr std::string_view FileMgr_GetCurrCalcGridsClientHeight = "FileMgr_GetCurrCalcGridsClientHeight";
inline constexpr std::string_view FileMgr_GetCurrentEntryValue = "FileMgr_GetCurrentEntryValue";
inline constexpr std::string_view FileMgr_GetCurrentFileName = "FileMgr_GetCurrentFileName";
inline constexpr std::string_view FileMgr_GetCurrentFileState = "FileMgr_GetCurrentFileState";
inline constexpr std::string_view FileMgr_GetCurrentRoundingMethod = "FileMgr_GetCurrentRoundingMethod";
inline constexpr std::string_view FileMgr_GetCurrentSeriesState = "FileMgr_GetCurrentSeriesState";
inline constexpr std::string_view FileMgr_GetCurrentTableName = "FileMgr_GetCurrentTableName";
inline constexpr std::string_view FileMgr_GetCurrentTapeDecimalPlaces = "FileMgr_GetCurrentTapeDecimalPlaces";
inline constexpr std::string_view FileMgr_GetCurrentTapeLineState = "FileMgr_GetCurrentTapeLineState";
inline constexpr std::string_view FileMgr_GetCurrentTapeTopRowNum = "FileMgr_GetCurrentTapeTopRowNum";
inline constexpr std::string_view FileMgr_GetCurrentTapeTotalType = "FileMgr_GetCurrentTapeTotalType";
inline constexpr std::string_view FileMgr_GetCurrTableColTotalType = "FileMgr_GetCurrTableColTotalType";
inline constexpr std::string_view FileMgr_GetDisablingTapeState = "FileMgr_GetDisablingTapeState";
inline constexpr std::string_view FileMgr_GetEditTableMenuDecisionInfo = "FileMgr_GetEditTableMenuDecisionInfo";
inline constexpr std::string_view FileMgr_GetEditTapeMenuDecisionInfo = "FileMgr_GetEditTapeMenuDecisionInfo";
inline constexpr std::string_view FileMgr_GetFileMenuDecisionInfo = "FileMgr_GetFileMenuDecisionInfo";
inline constexpr std::string_view FileMgr_GetLinesWithDecimalAccuracyReduced = "FileMgr_GetLinesWithDecimalAccuracyReduced";
inline constexpr std::string_view FileMgr_GetLinesWithDecimalTotalTooBig = "FileMgr_GetLinesWithDecimalTotalTooBig";
inline constexpr std::string_view FileMgr_GetLinesWithTimeAccuracyReduced = "FileMgr_GetLinesWithTimeAccuracyReduced";
inline constexpr std::string_view FileMgr_GetListOfModifiedNonEmptyFiles = "FileMgr_GetListOfModifiedNonEmptyFiles";
inline constexpr std::string_view FileMgr_GetListOfOpenFiles = "FileMgr_GetListOfOpenFiles";
inline constexpr std::string_view FileMgr_GetMaxNumOfEnabledTableDataCols = "FileMgr_GetMaxNumOfEnabledTableDataCols";
inline constexpr std::string_view FileMgr_GetMemoryEnabledState = "FileMgr_GetMemoryEnabledState";
inline constexpr std::string_view FileMgr_GetMemoryState = "FileMgr_GetMemoryState";
inline constexpr std::string_view FileMgr_GetMoreAuxCalcsAvailable = "FileMgr_GetMoreAuxCalcsAvailable";
inline constexpr std::string_view FileMgr_GetOptionsMenuDecisionInfo = "FileMgr_GetOptionsMenuDecisionInfo";
inline constexpr std::string_view FileMgr_GetPageLayoutFormParams = "FileMgr_GetPageLayoutFormParams";
inline constexpr std::string_view FileMgr_GetPrintPreviewFormInfo = "FileMgr_GetPrintPreviewFormInfo";
inline constexpr std::string_view FileMgr_GetRequiredFileDisplayWidth = "FileMgr_GetRequiredFileDisplayWidth";
inline constexpr std::string_view FileMgr_GetSideTapeState = "FileMgr_GetSideTapeState";
inline constexpr std::string_view FileMgr_GetTablesAnnotationState = "FileMgr_GetTablesAnnotationState";
inline constexpr std::string_view FileMgr_GetTableState = "FileMgr_GetTableState";
inline constexpr std::string_view FileMgr_GetTapeLabelByTapeName = "FileMgr_GetTapeLabelByTapeName";
inline constexpr std::string_view FileMgr_GetTapesAnnotationState = "FileMgr_GetTapesAnnotationState";
inline constexpr std::string_view FileMgr_GetVisibleDocPrintParams = "FileMgr_GetVisibleDocPrintParams";
inline constexpr std::string_view FileMgr_GetVisibleDocumentType = "FileMgr_GetVisibleDocumentType";
inline constexpr std::string_view FileMgr_GetVisibleFileName = "FileMgr_GetVisibleFileName";
inline constexpr std::string_view FileMgr_GoToTapeLine = "FileMgr_GoToTapeLine";
inline constexpr std::string_view FileMgr_IsCurrentFileEmpty = "FileMgr_IsCurrentFileEmpty";
inline constexpr std::string_view FileMgr_IsCurrentFileModified = "FileMgr_IsCurrentFileModified";
inline constexpr std::string_view FileMgr_IsCurrentTableUndefined = "FileMgr_IsCurrentTableUndefined";
inline constexpr std::string_view FileMgr_IsCurrTableColsTotalShowing = "FileMgr_IsCurrTableColsTotalShowing";
inline constexpr std::string_view FileMgr_IsGridIPEBugHeight = "FileMgr_IsGridIPEBugHeight";
inline constexpr std::string_view FileMgr_MoveCurrentTapeToLineNum = "FileMgr_MoveCurrentTapeToLineNum";
inline constexpr std::string_view FileMgr_MoveCurrentTapeToNextPage = "FileMgr_MoveCurrentTapeToNextPage";
inline constexpr std::string_view FileMgr_MoveCurrentTapeToNextRow = "FileMgr_MoveCurrentTapeToNextRow";
inline constexpr std::string_view FileMgr_MoveCurrentTapeToPriorPage = "FileMgr_MoveCurrentTapeToPriorPage";
inline constexpr std::string_view FileMgr_MoveCurrentTapeToPriorRow = "FileMgr_MoveCurrentTapeToPriorRow";
inline constexpr std::string_view FileMgr_NewFile = "FileMgr_NewFile";
inline constexpr std::string_view FileMgr_OnVisibleClientAreaHeightChanged = "FileMgr_OnVisibleClientAreaHeightChanged";
inline constexpr std::string_view FileMgr_OpenFile = "FileMgr_OpenFile";
inline constexpr std::string_view FileMgr_PageLayoutSettingsApplied = "FileMgr_PageLayoutSettingsApplied";
inline constexpr std::string_view FileMgr_PerformConfigureTableAction = "FileMgr_PerformConfigureTableAction";
inline constexpr std::string_view FileMgr_PerformConfigureTapeAction = "FileMgr_PerformConfigureTapeAction";
inline constexpr std::string_view FileMgr_PerformEditTableAction = "FileMgr_PerformEditTableAction";
inline constexpr std::string_view FileMgr_PerformEditTapeAction = "FileMgr_PerformEditTapeAction";
inline constexpr std::string_view FileMgr_PerformMemoryFunction = "FileMgr_PerformMemoryFunction";
inline constexpr std::string_view FileMgr_PerformSideTapeFunction = "FileMgr_PerformSideTapeFunction";
inline constexpr std::string_view FileMgr_PerformTableFunction = "FileMgr_PerformTableFunction";
inline constexpr std::string_view FileMgr_PrintPreviewVisibleDocument = "FileMgr_PrintPreviewVisibleDocument";
inline constexpr std::string_view FileMgr_PrintVisibleDocument = "FileMgr_PrintVisibleDocument";
inline constexpr std::string_view FileMgr_ResetCurrCalcInplaceEditor = "FileMgr_ResetCurrCalcInplaceEditor";
inline constexpr std::string_view FileMgr_SaveAllFiles = "FileMgr_SaveAllFiles";
inline constexpr std::string_view FileMgr_SaveCurrentFile = "FileMgr_SaveCurrentFile";
inline constexpr std::string_view FileMgr_SaveCurrentFileAs = "FileMgr_SaveCurrentFileAs";
inline constexpr std::string_view FileMgr_SaveFileByName = "FileMgr_SaveFileByName";
inline constexpr std::string_view FileMgr_SaveFileByNameAs = "FileMgr_SaveFileByNameAs";
inline constexpr std::string_view FileMgr_SelectDifferentSeriesObject = "FileMgr_SelectDifferentSeriesObject";
inline constexpr std::string_view FileMgr_SelectTableColsCell = "FileMgr_SelectTableColsCell";
inline constexpr std::string_view FileMgr_SelectTapeGridRow = "FileMgr_SelectTapeGridRow";
inline constexpr std::string_view FileMgr_SetAutoAnnotMemTotalState = "FileMgr_SetAutoAnnotMemTotalState";
inline constexpr std::string_view FileMgr_SetCurrentTapeDataEntryOption = "FileMgr_SetCurrentTapeDataEntryOption";
inline constexpr std::string_view FileMgr_SetCurrentTapeGrandTotalItemCountState = "FileMgr_SetCurrentTapeGrandTotalItemCountState";
inline constexpr std::string_view FileMgr_SetCurrentTapeGroupTotalItemCountState = "FileMgr_SetCurrentTapeGroupTotalItemCountState";
inline constexpr std::string_view FileMgr_SetCurrentTapeSeriesTotalItemCountState = "FileMgr_SetCurrentTapeSeriesTotalItemCountState";
inline constexpr std::string_view FileMgr_SetCurrentTapeTopRowNum = "FileMgr_SetCurrentTapeTopRowNum";
inline constexpr std::string_view FileMgr_SetFocusToVisibleDocument = "FileMgr_SetFocusToVisibleDocument";
inline constexpr std::string_view FileMgr_SetNumberOfTableDecimalPlaces = "FileMgr_SetNumberOfTableDecimalPlaces";
inline constexpr std::string_view FileMgr_SetRoundingMethod = "FileMgr_SetRoundingMethod";
inline constexpr std::string_view FileMgr_SetTapeColumnWidthsToFit = "FileMgr_SetTapeColumnWidthsToFit";
inline constexpr std::string_view FileMgr_SetTapeLabelByTapeName = "FileMgr_SetTapeLabelByTapeName";
inline constexpr std::string_view FileMgr_SetupForMemEntryToEntry = "FileMgr_SetupForMemEntryToEntry";
inline constexpr std::string_view FileMgr_SetVisibleDocByTapeName = "FileMgr_SetVisibleDocByTapeName";
inline constexpr std::string_view FileMgr_SpecifyTableColTotDecPlaces = "FileMgr_SpecifyTableColTotDecPlaces";
inline constexpr std::string_view FileMgr_SpecifyTapeDecimalPlaces = "FileMgr_SpecifyTapeDecimalPlaces";
inline constexpr std::string_view FileMgr_SpecifyTapeTotalType = "FileMgr_SpecifyTapeTotalType";
inline constexpr std::string_view FileMgr_TeardownForMemEntryToEntry = "FileMgr_TeardownForMemEntryToEntry";
inline constexpr std::string_view FileMgr_ToggleBackEnabledTapes = "FileMgr_ToggleBackEnabledTapes";
inline constexpr std::string_view FileMgr_ToggleBackOpenFiles = "FileMgr_ToggleBackOpenFiles";
inline constexpr std::string_view FileMgr_ToggleEnabledTapes = "FileMgr_ToggleEnabledTapes";
inline constexpr std::string_view FileMgr_ToggleOpenFiles = "FileMgr_ToggleOpenFiles";
inline constexpr std::string_view FileMgr_ViewDocument = "FileMgr_ViewDocument";
inline constexpr std::string_view FileMgr_ViewFile = "FileMgr_ViewFile";
inline constexpr std::string_view gstrFileMgr_IsMultiMsgListComplete = "gstrFileMgr_IsMultiMsgListComplete";
inline constexpr std::string_view gstrFileMgr_IsVisibleDocSelectedCellVisible = "gstrFileMgr_IsVisibleDocSelectedCellVisible";
inline constexpr std::string_view gstrFileMgr_SetCurrDocPageOrient = "gstrFileMgr_SetCurrDocPageOrient";

// Application bus, application settings.
inline constexpr std::string_view ApplCtl_ConfirmDeleteTableCol = "ApplCtl_ConfirmDeleteTableCol";
inline constexpr std::string_view ApplCtl_GetAutoIncreaseDecimalPlacesOption = "ApplCtl_GetAutoIncreaseDecimalPlacesOption";
inline constexpr std::string_view ApplCtl_GetAutoSetTotalTypeOption = "ApplCtl_GetAutoSetTotalTypeOption";
inline constexpr std::string_view ApplCtl_GetDefaultDataEntryOption = "ApplCtl_GetDefaultDataEntryOption";
inline constexpr std::string_view ApplCtl_GetEmbeddedSeriesColor = "ApplCtl_GetEmbeddedSeriesColor";
inline constexpr std::string_view ApplCtl_GetFileShutdownConfig = "ApplCtl_GetFileShutdownConfig";
inline constexpr std::string_view ApplCtl_GetGrandTotalColor = "ApplCtl_GetGrandTotalColor";
inline constexpr std::string_view ApplCtl_GetGrandTotalCreationDisplayState = "ApplCtl_GetGrandTotalCreationDisplayState";
inline constexpr std::string_view ApplCtl_GetGroupTotalColor = "ApplCtl_GetGroupTotalColor";
inline constexpr std::string_view ApplCtl_GetGroupTotalCreationDisplayState = "ApplCtl_GetGroupTotalCreationDisplayState";
inline constexpr std::string_view ApplCtl_GetMaxTableDataCols = "ApplCtl_GetMaxTableDataCols";
inline constexpr std::string_view ApplCtl_GetShowGrandTotalItemCount = "ApplCtl_GetShowGrandTotalItemCount";
inline constexpr std::string_view ApplCtl_GetShowGroupTotalItemCount = "ApplCtl_GetShowGroupTotalItemCount";
inline constexpr std::string_view ApplCtl_GetShowSeriesTotalItemCount = "ApplCtl_GetShowSeriesTotalItemCount";
inline constexpr std::string_view ApplCtl_GetStartupDecimalPlaces = "ApplCtl_GetStartupDecimalPlaces";
inline constexpr std::string_view ApplCtl_GetStartupRoundingMethod = "ApplCtl_GetStartupRoundingMethod";
inline constexpr std::string_view ApplCtl_GetTapeFocusHighlightColor = "ApplCtl_GetTapeFocusHighlightColor";
inline constexpr std::string_view ApplCtl_GetTapeScreenFont = "ApplCtl_GetTapeScreenFont";
inline constexpr std::string_view ApplCtl_GetZeroTotalLineColor = "ApplCtl_GetZeroTotalLineColor";
inline constexpr std::string_view ApplCtl_SetMaxTableDataCols = "ApplCtl_SetMaxTableDataCols";

// Application bus, page layout defaults.
inline constexpr std::string_view PLDefaults_GetDefaultTablePageHeader = "PLDefaults_GetDefaultTablePageHeader";
inline constexpr std::string_view PLDefaults_GetDefaultTableTitle = "PLDefaults_GetDefaultTableTitle";
inline constexpr std::string_view PLDefaults_GetDefaultTapePageHeader = "PLDefaults_GetDefaultTapePageHeader";
inline constexpr std::string_view PLDefaults_GetDefaultTapeTitle = "PLDefaults_GetDefaultTapeTitle";
inline constexpr std::string_view PLDefaults_GetPageLayoutDefaultsObject = "PLDefaults_GetPageLayoutDefaultsObject";

// Application bus, divide-operator rules.
inline constexpr std::string_view GloObj_GetDivideOperCharRulesObj = "GloObj_GetDivideOperCharRulesObj";

// File-manager bus, file manager: requests and status broadcasts sent by documents.
inline constexpr std::string_view FileMgr_ConfirmDeleteTableCol = "FileMgr_ConfirmDeleteTableCol";
inline constexpr std::string_view FileMgr_GetAutoIncreaseDecimalPlacesOption = "FileMgr_GetAutoIncreaseDecimalPlacesOption";
inline constexpr std::string_view FileMgr_GetAutoSetTotalTypeOption = "FileMgr_GetAutoSetTotalTypeOption";
inline constexpr std::string_view FileMgr_GetDefaultDataEntryOption = "FileMgr_GetDefaultDataEntryOption";
inline constexpr std::string_view FileMgr_GetDefaultTablePageHeader = "FileMgr_GetDefaultTablePageHeader";
inline constexpr std::string_view FileMgr_GetDefaultTableTitle = "FileMgr_GetDefaultTableTitle";
inline constexpr std::string_view FileMgr_GetDefaultTapePageHeader = "FileMgr_GetDefaultTapePageHeader";
inline constexpr std::string_view FileMgr_GetDefaultTapeTitle = "FileMgr_GetDefaultTapeTitle";
inline constexpr std::string_view FileMgr_GetDivideOperCharRulesObj = "FileMgr_GetDivideOperCharRulesObj";
inline constexpr std::string_view FileMgr_GetEmbeddedSeriesColor = "FileMgr_GetEmbeddedSeriesColor";
inline constexpr std::string_view FileMgr_GetGrandTotalColor = "FileMgr_GetGrandTotalColor";
inline constexpr std::string_view FileMgr_GetGrandTotalCreationDisplayState = "FileMgr_GetGrandTotalCreationDisplayState";
inline constexpr std::string_view FileMgr_GetGroupTotalColor = "FileMgr_GetGroupTotalColor";
inline constexpr std::string_view FileMgr_GetGroupTotalCreationDisplayState = "FileMgr_GetGroupTotalCreationDisplayState";
inline constexpr std::string_view FileMgr_GetMaxTableDataCols = "FileMgr_GetMaxTableDataCols";
inline constexpr std::string_view FileMgr_GetPageLayoutDefaultsObject = "FileMgr_GetPageLayoutDefaultsObject";
inline constexpr std::string_view FileMgr_GetShowGrandTotalItemCount = "FileMgr_GetShowGrandTotalItemCount";
inline constexpr std::string_view FileMgr_GetShowGroupTotalItemCount = "FileMgr_GetShowGroupTotalItemCount";
inline constexpr std::string_view FileMgr_GetShowSeriesTotalItemCount = "FileMgr_GetShowSeriesTotalItemCount";
inline constexpr std::string_view FileMgr_GetStartupDecimalPlaces = "FileMgr_GetStartupDecimalPlaces";
inline constexpr std::string_view FileMgr_GetStartupRoundingMethod = "FileMgr_GetStartupRoundingMethod";
inline constexpr std::string_view FileMgr_GetTapeFocusHighlightColor = "FileMgr_GetTapeFocusHighlightColor";
inline constexpr std::string_view FileMgr_GetTapeScreenFont = "FileMgr_GetTapeScreenFont";
inline constexpr std::string_view FileMgr_GetZeroTotalLineColor = "FileMgr_GetZeroTotalLineColor";
inline constexpr std::string_view FileMgr_OnFilesDocTabsNotShowing = "FileMgr_OnFilesDocTabsNotShowing";
inline constexpr std::string_view FileMgr_PostMainFormWindowsMsg = "FileMgr_PostMainFormWindowsMsg";
inline constexpr std::string_view FileMgr_SetMaxTableDataCols = "FileMgr_SetMaxTableDataCols";
inline constexpr std::string_view FileMgr_ShowAnnotationsState = "FileMgr_ShowAnnotationsState";
inline constexpr std::string_view FileMgr_ShowLineNumbersState = "FileMgr_ShowLineNumbersState";
inline constexpr std::string_view FileMgr_ShowLinksState = "FileMgr_ShowLinksState";
inline constexpr std::string_view FileMgr_ShowMemoryTotal = "FileMgr_ShowMemoryTotal";
inline constexpr std::string_view FileMgr_ShowMemTapeLineNum = "FileMgr_ShowMemTapeLineNum";
inline constexpr std::string_view FileMgr_ShowRunningTotalState = "FileMgr_ShowRunningTotalState";
inline constexpr std::string_view FileMgr_ShowSideTapeTotal = "FileMgr_ShowSideTapeTotal";
inline constexpr std::string_view FileMgr_ShowTableAnnotationsState = "FileMgr_ShowTableAnnotationsState";
inline constexpr std::string_view FileMgr_ShowTableColTotalState = "FileMgr_ShowTableColTotalState";
inline constexpr std::string_view FileMgr_ShowTableColumnsState = "FileMgr_ShowTableColumnsState";
inline constexpr std::string_view FileMgr_ShowTableDecimalPlacesValue = "FileMgr_ShowTableDecimalPlacesValue";
inline constexpr std::string_view FileMgr_ShowTableLineNumbersState = "FileMgr_ShowTableLineNumbersState";
inline constexpr std::string_view FileMgr_ShowTapeDataEntryOptionValue = "FileMgr_ShowTapeDataEntryOptionValue";
inline constexpr std::string_view FileMgr_ShowTapeDecimalPlacesValue = "FileMgr_ShowTapeDecimalPlacesValue";
inline constexpr std::string_view FileMgr_ShowTapeLineCount = "FileMgr_ShowTapeLineCount";
inline constexpr std::string_view FileMgr_ShowTapeLineNum = "FileMgr_ShowTapeLineNum";
inline constexpr std::string_view FileMgr_ShowTapeTotalType = "FileMgr_ShowTapeTotalType";
inline constexpr std::string_view FileMgr_ShowThousandSeparatorState = "FileMgr_ShowThousandSeparatorState";
inline constexpr std::string_view FileMgr_VisibleDocumentChanged = "FileMgr_VisibleDocumentChanged";

// Document bus, document.
inline constexpr std::string_view FileObj_ConfirmDeleteTableCol = "FileObj_ConfirmDeleteTableCol";
inline constexpr std::string_view FileObj_GetCalcObjectByTapeId = "FileObj_GetCalcObjectByTapeId";
inline constexpr std::string_view FileObj_GetDefaultTablePageHeader = "FileObj_GetDefaultTablePageHeader";
inline constexpr std::string_view FileObj_GetDefaultTableTitle = "FileObj_GetDefaultTableTitle";
inline constexpr std::string_view FileObj_GetDefaultTapePageHeader = "FileObj_GetDefaultTapePageHeader";
inline constexpr std::string_view FileObj_GetDefaultTapeTitle = "FileObj_GetDefaultTapeTitle";
inline constexpr std::string_view FileObj_GetMainTapeCalcObject = "FileObj_GetMainTapeCalcObject";
inline constexpr std::string_view FileObj_GetMaxTableDataCols = "FileObj_GetMaxTableDataCols";
inline constexpr std::string_view FileObj_GetStartupDecimalPlaces = "FileObj_GetStartupDecimalPlaces";
inline constexpr std::string_view FileObj_PostMainFormWindowsMsg = "FileObj_PostMainFormWindowsMsg";
inline constexpr std::string_view FileObj_SetMaxTableDataCols = "FileObj_SetMaxTableDataCols";

// Document bus, total manager.
inline constexpr std::string_view TotalMgr_DetermineTotalSeriesContent = "TotalMgr_DetermineTotalSeriesContent";
inline constexpr std::string_view TotalMgr_RecordSeriesTotalStatusChange = "TotalMgr_RecordSeriesTotalStatusChange";

// Document bus, link manager and circular-link checks.
inline constexpr std::string_view LinkMgr_PasteMultSeriesCircLink = "LinkMgr_PasteMultSeriesCircLink";
inline constexpr std::string_view LinkMgr_PasteSeriesCircLink = "LinkMgr_PasteSeriesCircLink";
inline constexpr std::string_view LinkMgr_PotentialCircLink = "LinkMgr_PotentialCircLink";
inline constexpr std::string_view LinkMgr_ZTLDeletionCircLink = "LinkMgr_ZTLDeletionCircLink";
inline constexpr std::string_view LinkMgr_GetCalcObjectByTapeId = "LinkMgr_GetCalcObjectByTapeId";
inline constexpr std::string_view LinkMgr_GetCurrentSessionId = "LinkMgr_GetCurrentSessionId";
inline constexpr std::string_view LinkMgr_GetDummyLinkDestLinkId = "LinkMgr_GetDummyLinkDestLinkId";
inline constexpr std::string_view LinkMgr_GetDummyLinkSourceLinkId = "LinkMgr_GetDummyLinkSourceLinkId";
inline constexpr std::string_view LinkMgr_GetLinkNumberList = "LinkMgr_GetLinkNumberList";
inline constexpr std::string_view LinkMgr_GetNewLinkNumber = "LinkMgr_GetNewLinkNumber";
inline constexpr std::string_view LinkMgr_IsValidLinkDataString = "LinkMgr_IsValidLinkDataString";
inline constexpr std::string_view LinkMgr_RefreshLinkDestsInSeries = "LinkMgr_RefreshLinkDestsInSeries";
inline constexpr std::string_view LinkMgr_RemoveBrokenLinks = "LinkMgr_RemoveBrokenLinks";
inline constexpr std::string_view LinkMgr_SetAsLinkDest = "LinkMgr_SetAsLinkDest";
inline constexpr std::string_view LinkMgr_SetAsLinkSource = "LinkMgr_SetAsLinkSource";
inline constexpr std::string_view LinkMgr_SetAsTotalLinkDest = "LinkMgr_SetAsTotalLinkDest";
inline constexpr std::string_view LinkMgr_SetAsTotalLinkSource = "LinkMgr_SetAsTotalLinkSource";
inline constexpr std::string_view LinkMgr_StoreEntryLinkData = "LinkMgr_StoreEntryLinkData";
inline constexpr std::string_view LinkMgr_Unlink = "LinkMgr_Unlink";
inline constexpr std::string_view LinkMgr_UpdateLinksDisplay = "LinkMgr_UpdateLinksDisplay";

// Document bus, copy manager.
inline constexpr std::string_view CopyMgr_IsValidCopyDataString = "CopyMgr_IsValidCopyDataString";
inline constexpr std::string_view CopyMgr_StoreEntryCopyData = "CopyMgr_StoreEntryCopyData";

// Document bus, table manager.
inline constexpr std::string_view TableMgr_IsTableColumnEmpty = "TableMgr_IsTableColumnEmpty";
inline constexpr std::string_view TableMgr_UpdateTableColHeading = "TableMgr_UpdateTableColHeading";

// Document bus, auxiliary tape manager.
inline constexpr std::string_view AuxMgr_GetAuxCalculatorById = "AuxMgr_GetAuxCalculatorById";
inline constexpr std::string_view AuxMgr_IsEnabledAuxTapeId = "AuxMgr_IsEnabledAuxTapeId";

}  // namespace tally::events
