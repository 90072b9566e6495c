#pragma once
// One tape: its lines, columns, focus cell and in-place editor, the tape-wide settings the
// series arithmetic reads, the running value of the open last series, the three series
// handlers that interpret runs of lines, and the editing operations the user reaches on a tape.
//
// The source is split by purpose: calculator.cpp (set-up, series choice, notifications, the
// post-edit pass), calculator_columns.cpp, calculator_focus.cpp (focus moves, review mode,
// paging), calculator_keys.cpp and calculator_editing.cpp.
//
// Operations keep a fixed numbering that other parts of the program refer to; those the memory
// and side tapes change are virtual:
//    3 GetSeriesTotalText        24 CanInsertLine              58 InsertNewSeries
//    4 GetSeriesFinalTotalText   26 CanInsertNewSeries         59 IsTapeCommandLetter
//    5 KeyDown                   40 ClearEntry                 66 DoTapeCommandLetter
//    6 KeyPress                  51 DeleteLine                 67 RefreshAll
//    7 SelectCell                57 InsertLine                 68 ZeroTotal
//    8 GetCellColor                                            69 NotifySeriesTotal
//    9 SetDataEntryOption

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"
#include "engine/series/series_arithmetic.h"
#include "engine/tape/tape_view.h"
#include "engine/totals/total_lists.h"

namespace tally {

class IClipboard;
class TStMediator;
class TSeriesBase;
class TStandardSeries;
class TTotalSeriesBase;

// Column kinds of a tape; bit k of the column set stands for kind k.
enum class TTapeColumn : std::uint8_t {
    Entries = 0,
    Indicator = 1,
    RunningTotal = 2,
    Annotations = 3,
    Line = 4,
    Links = 5,
    TableColumns = 7,
};
inline constexpr int kTapeColumnKinds = 8;
// The line store's cell a column shows; none for the Line column, which is the line's number.
std::optional<TLineColumn> LineColumnOf(TTapeColumn column);

// Keys the grid hands to KeyDown; characters go to KeyPress.
enum class TTapeKey {
    Tab, Enter, PageUp, PageDown, Up, Down, Left, Right, Delete, NumPadDivide, Other
};
struct TKeyModifiers {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

// Control characters that reach KeyPress.
namespace TapeChar {
inline constexpr char kCtrlC = '\x03';
inline constexpr char kCtrlV = '\x16';
inline constexpr char kCtrlX = '\x18';
inline constexpr char kBackspace = '\x08';
inline constexpr char kEnter = '\r';
inline constexpr char kEscape = '\x1B';
}  // namespace TapeChar

// The in-place editor of the focus cell: its text, caret and selection.
struct TEntryEditor {
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
};

// The data entry options of a tape: how a series starts and whether the operator comes
// before or after the number.
namespace DataEntryOption {
inline constexpr int kManualStart = 1;
inline constexpr int kAutoStart = 2;
inline constexpr int kEnterKeyStart = 3;
inline constexpr int kAutoEmbed = 4;
inline constexpr int kAddingMachine = 5;
}  // namespace DataEntryOption

// Colours as 0x00BBGGRR.
struct TTapeColors {
    std::uint32_t EmbeddedSeries = 0xFFFFFF;
    std::uint32_t GrandTotal = 0xFFFFFF;
    std::uint32_t GroupTotal = 0xFFFFFF;
    std::uint32_t ZeroTotal = 0xFFFFFF;
};

class TCalculator;

// Callbacks the document attaches to a tape; a hook that is not set is skipped and its answer
// takes the default noted.
struct TCalculatorHooks {
    std::function<void(TCalculator&)> OnEntryCommitted;
    std::function<void(TCalculator&)> OnDataEntryOptionChange;
    std::function<void(TCalculator&)> OnDecimalPlacesChange;
    std::function<int()> GetPendingLinkCount;            // 0 when unset
    std::function<int()> GetMaxTableColumn;              // 20 when unset
    std::function<bool(char)> IsAuxTapeIdEnabled;        // false when unset
    std::function<void()> ProcessPendingLinks;
    std::function<void(TCalculator&)> ProcessPendingTotals;
    std::function<void(TCalculator&, LineIndex)> RefreshLinkDestLine;
    // Refresh the destinations of a link source now / add it to the refresh queue.
    std::function<void(const std::string& linkData)> QueueLinkSourceAtOnce;
    std::function<void(const std::string& linkData)> QueueLinkSource;
    std::function<void(TCalculator&, LineIndex)> CommitAnnotation;
    std::function<void(TCalculator&, LineIndex)> CommitTableColumn;
    std::function<void(TCalculator&)> OnLineCountChange;
    std::function<void(TCalculator&, int lineNumber)> OnLineNumberChange;
    std::function<void(TCalculator&)> OnTotalTypeChange;
    std::function<void(TCalculator&)> OnLinksDisplayChange;
    std::function<void(TCalculator&, LineIndex seriesStart)> RefreshTotalLinkDests;
    std::function<void(TCalculator&, const std::string& totalText)> OnSeriesTotalChange;
};

class TCalculator {
public:
    // Without a view the tape uses one of fixed metrics.
    explicit TCalculator(char tapeId = 't', TStMediator* documentBus = nullptr,
                         ITapeView* view = nullptr);
    virtual ~TCalculator();
    TCalculator(const TCalculator&) = delete;
    TCalculator& operator=(const TCalculator&) = delete;

    // ---- Lines and identity
    TLineStore& Lines() { return lines_; }
    const TLineStore& Lines() const { return lines_; }
    LineIndex LastLine() const { return lines_.LastLine(); }
    bool IsLastLine(LineIndex line) const { return line == lines_.LastLine(); }
    // Nothing typed: the one open line, empty.
    bool IsBlank() const { return lines_.LineCount() == 1 && lines_.Entries(0).empty(); }
    char TapeId() const { return tapeId_; }
    void SetTapeId(char id) { tapeId_ = id; }
    const std::string& TapeName() const { return tapeName_; }
    void SetTapeName(std::string name) { tapeName_ = std::move(name); }
    // Printed above the lines: the page header and the title (";" separates their lines) on
    // every page, the note lines on the first.
    const std::string& PageHeader() const { return pageHeader_; }
    void SetPageHeader(std::string text) { pageHeader_ = std::move(text); }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string text) { title_ = std::move(text); }
    const std::vector<std::string>& NoteLines() const { return noteLines_; }
    void SetNoteLines(std::vector<std::string> lines) { noteLines_ = std::move(lines); }
    // A line as messages name it: the upper-case tape id and the line number, e.g. "T12".
    std::string LineName(LineIndex line) const;
    TStMediator* DocumentBus() const { return documentBus_; }
    TCalculatorHooks& Hooks() { return hooks_; }
    ITapeView& View() const { return *view_; }
    void SetClipboard(IClipboard* clipboard) { clipboard_ = clipboard; }
    IClipboard* Clipboard() const { return clipboard_; }

    // ---- Settings
    TRoundingMethod RoundingMethod() const { return roundingMethod_; }
    void SetRoundingMethod(TRoundingMethod method) { roundingMethod_ = method; }
    bool ShowThousands() const { return showThousands_; }
    void SetShowThousands(bool on) { showThousands_ = on; }
    bool ShowSeriesTotalItemCount() const { return showSeriesTotalItemCount_; }
    void SetShowSeriesTotalItemCount(bool on) { showSeriesTotalItemCount_ = on; }
    bool ShowGroupTotalItemCount() const { return showGroupTotalItemCount_; }
    void SetShowGroupTotalItemCount(bool on) { showGroupTotalItemCount_ = on; }
    bool ShowGrandTotalItemCount() const { return showGrandTotalItemCount_; }
    void SetShowGrandTotalItemCount(bool on) { showGrandTotalItemCount_ = on; }
    bool AutoIncreaseDecimalPlaces() const { return autoIncreaseDecimalPlaces_; }
    void SetAutoIncreaseDecimalPlaces(bool on) { autoIncreaseDecimalPlaces_ = on; }
    bool AutoSetTotalType() const { return autoSetTotalType_; }
    void SetAutoSetTotalType(bool on) { autoSetTotalType_ = on; }
    int DataEntryOption() const { return dataEntryOption_; }
    virtual void SetDataEntryOption(int option);                          // 9
    const TTapeColors& Colors() const { return colors_; }
    void SetColors(const TTapeColors& colors) { colors_ = colors; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // ---- Columns (calculator_columns.cpp)
    bool IsColumnShown(TTapeColumn column) const;
    // Shows or hides a column; Entries and the indicator column always stay. Keeps the focus
    // line and the top line, marks the tape modified and asks for a new window width.
    void SetColumnShown(TTapeColumn column, bool shown);
    // The shown columns from left to right, and a column's position among them (-1 hidden).
    std::vector<TTapeColumn> ShownColumns() const;
    int ColumnPosition(TTapeColumn column) const;
    static std::string_view ColumnHeading(TTapeColumn column);
    int ColumnWidth(TTapeColumn column) const;
    void SetColumnWidth(TTapeColumn column, int width);
    // The larger of the heading's and the sample's text width, plus 5 pixels.
    int DefaultColumnWidth(TTapeColumn column) const;
    void RestoreColumnWidth(TTapeColumn column) { SetColumnWidth(column, DefaultColumnWidth(column)); }
    // Every shown column as wide as its default width or its widest cell (plus 5 pixels),
    // narrower or wider; the Annotations column, whose text wraps, keeps its width. Asks for a
    // new window width when a width changed.
    void FitColumnWidths();
    // Widens a column that is too narrow for a text (plus 5 pixels) and asks for a new window
    // width; a wide enough column stays as it is.
    void WidenColumnFor(TTapeColumn column, std::string_view text);

    // ---- Open series and running value
    // Decimal places and total type of the open series, the one that runs to the last line and
    // has no closing line to hold them.
    int OpenSeriesDecimalPlaces() const { return openDecimalPlaces_; }
    void SetOpenSeriesDecimalPlaces(int decimals);
    const std::string& OpenSeriesTotalType() const { return openTotalType_; }
    void SetOpenSeriesTotalType(std::string_view totalType) { openTotalType_ = totalType; }
    int StartupDecimalPlaces() const { return startupDecimalPlaces_; }
    void SetStartupDecimalPlaces(int decimals) { startupDecimalPlaces_ = decimals; }
    long double RunningValue() const { return runningValue_; }
    const std::string& RunningTimeText() const { return runningTimeText_; }
    void SetRunningValue(long double value, std::string timeText);
    void ResetRunningValue() { SetRunningValue(0, "00:00:00"); }
    std::string GetSeriesTotalText() const;                               // 3
    std::string GetSeriesFinalTotalText() const;                          // 4

    // ---- Series handlers
    TSeriesBase* CurrentSeries() const { return currentSeries_; }
    TStandardSeries& StandardSeries() const;
    // The handler of a series kind: "" standard, "gro" group total, "gra" grand total.
    TSeriesBase* SeriesByKind(std::string_view seriesTypeCode) const;
    // The first handler that claims the line; null when none does.
    TSeriesBase* SeriesClaiming(LineIndex line) const;
    // Chooses the current series for the focus line again.
    void ChooseCurrentSeries();

    // ---- Focus, editor, review mode (calculator_focus.cpp)
    LineIndex FocusLine() const { return focusLine_; }
    TTapeColumn FocusColumn() const { return focusColumn_; }
    // Puts the focus on a line without the focus-move checks (the tape's own moves), loads
    // the editor and chooses the current series.
    void SetFocusLine(LineIndex line);
    TEntryEditor& Editor() { return editor_; }
    const TEntryEditor& Editor() const { return editor_; }
    // The focus line's Entries text as it was when the focus arrived or was last committed.
    const std::string& SavedFocusEntry() const { return savedFocusEntry_; }
    bool FocusEntryChanged() const;
    // A changed entry on an earlier line goes through the entry check and is committed, as when
    // the focus leaves it; an invalid one is refused (explained). True when nothing is pending.
    bool CommitFocusEntryEdit();
    bool InReviewMode() const { return reviewMode_; }
    LineIndex TopLine() const { return topLine_; }
    void SetTopLine(LineIndex line);
    // Lines wholly visible from the top line, by row heights and the view's client height.
    int VisibleLineCount() const;
    // Moves the top line as little as needed for the focus line to be wholly visible.
    void ScrollFocusIntoView();
    // Whether some of the focus line's row lies in the view below the heading row.
    bool IsFocusLinePartlyVisible() const;
    // The editor shows the focus cell's text again, the caret at its end.
    void ResetEditor() { LoadEditor(); }
    // The focus line and its entry before a command, for SelectEntryAfterCommand.
    struct TFocusEntry {
        LineIndex Line = kNoLine;
        std::string Entry;
    };
    TFocusEntry FocusEntry() const { return {focusLine_, std::string(lines_.Entries(focusLine_))}; }
    // After a command run on the tape (from a menu or by name, not one that typing asked for):
    // when it moved the focus to another line or wrote the focus entry, the number shown is
    // selected, so that a digit typed next replaces it instead of joining it.
    void SelectEntryAfterCommand(const TFocusEntry& before);
    // The editor's selection is kept while the window is made again (its grid is made anew),
    // and put back afterwards, within the editor's text; a restore without a saved one does
    // nothing.
    void SaveEditorSelection();
    void RestoreEditorSelection();
    // The grid's cell selection: may the focus go to this cell? Refusals explain and beep.
    bool SelectCell(TTapeColumn column, LineIndex line);                 // 7
    // Navigation; each move the series refuses explains and beeps and returns false.
    bool GoToLine(int lineNumber);
    bool NextPage();
    bool PriorPage();
    bool NextLine() { return SelectCell(focusColumn_, focusLine_ + 1); }
    bool PriorLine() { return SelectCell(focusColumn_, focusLine_ - 1); }
    // "FileMgr_GoToTapeLine": digits, or a tape id letter and digits. Another tape's letter is
    // returned for the document to show that tape; nullopt after a refusal.
    std::optional<char> GoToLineText(std::string_view text);
    std::uint32_t GetCellColor(LineIndex line) const;                      // 8

    // ---- Keys (calculator_keys.cpp); each returns whether the key was consumed.
    virtual bool KeyDown(TTapeKey key, TKeyModifiers modifiers = {});      // 5
    virtual bool KeyPress(char character);                                 // 6
    // A key typed again after a deferred step (a zero total, a new embedded series): the
    // route of KeyPress without the auto start and auto embed redirect, so it cannot loop.
    bool RetypeKey(char character);
    virtual bool IsTapeCommandLetter(char character) const;                // 59
    virtual void DoTapeCommandLetter(char character);                      // 66

    // ---- Editing operations (calculator_editing.cpp); false when refused or not performed.
    virtual bool ClearEntry();                                             // 40
    virtual bool DeleteLine();                                             // 51
    virtual bool InsertLine();                                             // 57
    virtual bool ZeroTotal();                                              // 68
    virtual bool InsertNewSeries();                                        // 58
    void EraseTape();
    bool DeleteSeries();
    // Places a number (an operator may precede it) into the focus entry; false when refused.
    bool PlaceNumber(std::string_view text);
    virtual bool CanInsertLine(LineIndex line) const;                      // 24
    virtual bool CanInsertNewSeries() const;                               // 26
    // An entry line, except the external total line of an embedded series, whose value its
    // embedded series gives.
    virtual bool CanSetAsLinkDest(LineIndex line) const;                   // 37
    // A tape that keeps linked values in series of its own (the memory) closes the series of
    // the line that has just received one; other tapes leave that to the link manager (false).
    virtual bool CloseForLink(std::string_view /*seriesKind*/) { return false; }
    bool CanClearEntry() const;
    bool CanZeroTotal() const;

    // ---- Embedded series (calculator_embedded.cpp; deleting and emptying in
    //      calculator_editing.cpp)
    //   17 CanDeleteEmbeddedSeries  21 CanEmptyEmbeddedSeries
    //   25 CanInsertNewEmbeddedSeries  52 InsertNewEmbeddedSeries
    virtual bool CanInsertNewEmbeddedSeries() const;                       // 25
    // Opens a new embedded series at the focus line; refusals explain and beep.
    virtual bool InsertNewEmbeddedSeries();                                // 52
    // The focus line belongs to an embedded series (boundary lines included).
    virtual bool CanDeleteEmbeddedSeries() const;                          // 17
    // ... and that embedded series is more than one empty line.
    virtual bool CanEmptyEmbeddedSeries() const;                           // 21
    // Deletes the embedded series at the focus line with its external total line (Delete
    // Series on an embedded line does the same); refusals explain and beep.
    bool DeleteEmbeddedSeries();
    // Leaves the embedded series at the focus line with one empty line.
    bool EmptyEmbeddedSeries();
    // The text the focus entry counts as changed against.
    void SetSavedFocusEntry(std::string text) { savedFocusEntry_ = std::move(text); }

    // ---- Group and grand totals (calculator_totals.cpp)
    // Insert a range before the series that holds the line; refusals explain and beep.
    bool InsertGroupTotalAt(LineIndex line);                               // 55
    bool InsertGrandTotalAt(LineIndex line);                               // 53
    // The menu tests of inserting at the focus line: true exactly when the insertion would not
    // be refused.
    bool CanInsertGroupTotal() const;                                      // 23
    bool CanInsertGrandTotal() const;                                      // 22
    // The menu tests of the commands on the range that holds the focus line: true exactly
    // when the command would change it. Delete: the focus line is in a range of the kind.
    bool CanDeleteGrandTotal() const;                                      // 19
    bool CanDeleteGroupTotal() const;                                      // 20
    // Reset to automatic decimal places: the range's decimal places are fixed.
    bool CanResetGrandTotalDecimals() const;                               // 35
    bool CanResetGroupTotalDecimals() const;                               // 36
    // Show as: the range has totals to show, so that another display state can be built.
    bool CanShowGrandTotalAs() const;                                      // 38
    bool CanShowGroupTotalAs() const;                                      // 39
    // How the range of the kind ("gro", "gra") that holds the focus line is shown: "SL", "ST"
    // or "GT"; empty when the focus is not in such a range.
    std::string FocusRangeDisplayState(std::string_view seriesType) const;
    // How a new range of the kind is shown: group "SL" or "ST", grand "SL", "GT" or "ST".
    const std::string& GroupTotalCreationDisplayState() const { return groupTotalCreationDisplay_; }
    const std::string& GrandTotalCreationDisplayState() const { return grandTotalCreationDisplay_; }
    // False, with the state in force kept, for a state the kind does not have.
    bool SetGroupTotalCreationDisplayState(std::string_view state);
    bool SetGrandTotalCreationDisplayState(std::string_view state);
    // The totals the recorded status flags may reach (see tally::CollectFlaggedSeriesTotals).
    TTapeTotalInfoList CollectFlaggedSeriesTotals() const;
    // The totals a range of the kind ("gro", "gra") standing before the line includes, as the
    // total manager picks them; nullopt when no total manager serves this tape.
    std::optional<TTotalSeriesContentList> DetermineTotalSeriesContent(
        LineIndex line, std::string_view seriesType, std::string_view displayState) const;
    // Recalculates the series or range that holds the line.
    void RecalculateTotalAt(LineIndex line);
    // Rebuilds the content lines of the itemized ranges that recorded status flags may have
    // changed. Runs first in the post-edit pass; the flags stay for the total manager.
    void RefreshChangedItemizedTotals();

    // ---- After edits (calculator.cpp)
    void NotifySeriesTotal(LineIndex line);                                // 69
    // The common tail of the editing operations.
    void AfterEditNotifications();
    void FinishLineEdit();
    // Brings group and grand totals and link destinations up to date and shows collected
    // messages.
    void PostEditPass();
    virtual void RefreshAll();                                             // 67
    void CallLineCountChange();

    // ---- Services for the series handlers and the document
    // Writes a total status flag into the line's TLSF when it is empty, and tells the total
    // manager that this tape has a change to process.
    void RecordTotalStatusChange(LineIndex line, std::string_view flag);
    // Posts a deferred request to the main window when the document bus has the event.
    void PostRequest(int code, int firstParam = 0, int secondParam = 0) const;
    // Asks the main window to show the collected messages after the current event.
    void ShowCollectedMessages();
    // Whether the table column of an assignment holds data; true when nobody can tell.
    bool IsTableColumnEmpty(std::string_view tableColumnId) const;
    // Review mode is on while the focus is on any line but the last. (Moves that leave the last
    // line through SetFocusLine first keep the open series' decimal places and total type.)
    void UpdateReviewMode();
    // Writes a committed or placed text into the line and, on the focus line, the editor.
    void WriteEntry(LineIndex line, std::string_view text);
    // Empties the tape's last line: entry, editor, annotation, link data and table column.
    void EmptyLastLine();
    // After a change of the focus line's content: the editor and the remembered texts follow.
    void ReloadFocusLine();

private:
    std::string SeriesTotalTextAt(LineIndex line) const;
    std::string OpenSeriesValueText() const;
    // calculator_focus.cpp
    bool MoveFocusTo(TTapeColumn column, LineIndex target, bool byView);
    bool CheckLeaveFocusLine(LineIndex target, bool byView) const;
    void HandOnPendingEdits(LineIndex line, bool queueLinkSource);
    void RememberFocusTexts();
    void LoadEditor();
    bool IsFocusColumnAllowed(TTapeColumn column) const;
    // calculator_keys.cpp
    bool TabToNextCell(bool backwards);
    // Hands on the focus cell's pending edit where no move does it; false (the focus stays).
    bool FinishFocusCellEdit();
    void ChangeFocusColumnWidth(bool wider, bool fine);
    void ChangeFocusRowHeight(bool taller, bool fine);
    bool KeyPressAnnotations(char character);
    bool KeyPressTableColumns(char character);
    void TypeIntoEditor(char character);
    // calculator_entry_route.cpp: the route of a key typed into the Entries column
    bool RouteEntryKey(char key, bool retyped);
    bool RouteEntryLineKey(char key, bool retyped);
    bool TypeAcceptedKey(char key, bool retyped);
    bool RepeatOperatorEmbeds(char key);
    bool CarryKeyToNextSeries(char key);
    // Insert Line without the command's refusal of an empty last line: a carried key fills the
    // new line at once.
    bool InsertLineBeforeFocus();
    bool RefuseKeypress(char key);
    bool PasteIntoEntry();
    bool CutFromEntry();
    bool IsExternalTotalFocusLine() const;
    bool DeleteKey();
    // Puts a text into the editor and the focus cell, caret at the given place.
    void ApplyEditorText(std::string text, int caret);
    // calculator_editing.cpp
    bool PlaceNumberChecks(std::string_view text) const;
    void AfterLineDeletion(TSeriesBase* seriesBefore);
    // calculator_totals.cpp
    // Where a range of the kind inserted at a line goes and what it adds up, or why it may not.
    struct TRangeInsertPlan {
        std::string Refusal;  // empty when the range may be inserted
        LineIndex SeriesStart = kNoLine;
        TTotalSeriesContentList Content;
    };
    TRangeInsertPlan PlanTotalRange(LineIndex line, std::string_view seriesType) const;
    // The range handler of the kind when it holds the focus in a well-formed range.
    const TTotalSeriesBase* FocusRangeOfKind(std::string_view seriesType) const;
    bool CanDeleteRange(std::string_view seriesType) const;
    bool CanResetRangeDecimals(std::string_view seriesType) const;
    bool CanShowRangeAs(std::string_view seriesType) const;
    bool InsertTotalRangeAt(LineIndex line, std::string_view seriesType);
    // Enter or "=" right after a zero total line or a group total range inserts a range.
    bool InsertRangeByEnter(char key);

    class TLineShiftTracker;

    TLineStore lines_;
    char tapeId_;
    std::string tapeName_ = "Tape";
    std::string pageHeader_;
    std::string title_;
    std::vector<std::string> noteLines_;
    TStMediator* documentBus_;
    std::unique_ptr<HeadlessTapeView> ownView_;
    ITapeView* view_;
    IClipboard* clipboard_ = nullptr;
    TCalculatorHooks hooks_;

    bool annotationEditPending_ = false;
    bool tableColumnEditPending_ = false;
    bool modified_ = false;
    bool programmaticMove_ = false;
    bool reviewMode_ = false;
    bool autoIncreaseDecimalPlaces_ = false;
    bool showSeriesTotalItemCount_ = false;
    bool showGroupTotalItemCount_ = false;
    bool showGrandTotalItemCount_ = false;
    bool autoSetTotalType_ = true;
    bool showThousands_ = true;
    TRoundingMethod roundingMethod_ = TRoundingMethod::Up;
    int dataEntryOption_ = 1;
    TTapeColors colors_;
    int startupDecimalPlaces_ = 2;
    std::string groupTotalCreationDisplay_ = "SL";
    std::string grandTotalCreationDisplay_ = "SL";

    std::uint8_t columnSet_ = 0b11;
    std::array<int, kTapeColumnKinds> columnWidths_{};

    int openDecimalPlaces_ = 2;
    std::string openTotalType_ = "DE";
    long double runningValue_ = 0;
    std::string runningTimeText_ = "00:00:00";

    LineIndex focusLine_ = 0;
    TTapeColumn focusColumn_ = TTapeColumn::Entries;
    LineIndex topLine_ = 0;
    TEntryEditor editor_;
    std::optional<TEntryEditor> savedEditorSelection_;
    std::string savedFocusEntry_;
    std::string focusAnnotationText_;
    std::string focusTableColumnText_;

    std::vector<std::unique_ptr<TSeriesBase>> series_;
    TSeriesBase* currentSeries_ = nullptr;
};

}  // namespace tally
