#pragma once
// The handler of standard calculation series: the recalculation that rebuilds a series' totals
// from its entries, the running value of the open series, and the adjacent-totals rule.

#include <optional>
#include <string>
#include <string_view>

#include "engine/series/series_base.h"

namespace tally {

// A refusal that ends with the operators needing a total before them: the beginning, the
// divide character in force, ", P, or R" and the ending.
std::string WithOperatorList(std::string_view beginning, std::string_view ending = " operator.");

inline constexpr std::string_view kTypeNumberBeforeInsertingLine =
    "Type a number into the entry cell and complete the change by pressing the Enter key before "
    "inserting a line.";

// Which of two totals with only separator lines between them must go.
enum class TAdjacentTotal { Earlier, Later };

class TStandardSeries final : public TSeriesBase {
public:
    explicit TStandardSeries(TCalculator& tape);

    char TotalCharacter() const { return 'T'; }
    char SubtotalCharacter() const { return 'S'; }

    std::string SeriesTotalText() const override;                          // 6
    long double TotalBefore(LineIndex line) const override;                // 7
    void Recalculate(LineIndex line) override;                             // 82
    void RecalculateWithEmbedded(LineIndex line) override;                 // 83
    // Every committed entry is valid and every X, divide, P or R entry is followed by its
    // automatic total. Entries still being typed (empty or only an operator) do not count.
    bool IsSeriesConsistent(LineIndex line) const override;                // 86

    // Commits the entry typed on the tape's last line: advances the tape's running value and
    // returns the entry in its normal form. The caller has checked the entry.
    std::string ApplyEntry(std::string_view entryText);

    // Adjacent totals: when a deletion leaves two totals in a row, decides which one goes.
    // `deletedExternalTotal` tells whether the deleted line was an embedded series' external
    // total line.
    TAdjacentTotal TotalToRemove(LineIndex earlierTotal, LineIndex laterTotal,
                                 bool deletedExternalTotal) const;
    // Removes that total with its separator line (records "C" on the earlier total when the
    // later one goes before a zero total line) and recalculates; returns the first removed line.
    LineIndex RemoveAdjacentTotal(LineIndex earlierTotal, LineIndex laterTotal,
                                  bool deletedExternalTotal);
    // The total line that Delete Line on the entry line would remove with it: the total right
    // after the first line of a series, or the adjacent total that goes when the line stands
    // alone between two totals (an external total line with its embedded series). kNoLine when
    // the line would go alone.
    LineIndex TotalDeletedWith(LineIndex line) const;
    bool HasSingleEntry() const override;                                                       // 53

    // Decimal places and total types
    std::string LinesWithDecimalAccuracyReduced(LineIndex line, int decimals) const override;  // 72
    std::string LinesWithDecimalTotalTooBig(LineIndex line) const override;                    // 73
    std::string LinesWithTimeAccuracyReduced(LineIndex line, int components) const override;   // 74
    bool SetDecimalPlaces(int decimals) override;                                              // 88
    bool SetTotalType(std::string_view totalType) override;                                    // 89
    // With the tape's auto-increase option on, an entry committed on the line with more
    // decimals than its series (and not a link destination) raises the series' decimal places
    // to its own, and the series is recalculated. True when the decimal places changed.
    bool IncreaseDecimalPlacesForEntry(LineIndex line, std::string_view entryText);
    // With the tape's auto-set option on, the first entry of a series gives the series its
    // total type, and the series is recalculated. True when the total type changed.
    bool SetTotalTypeForFirstEntry(LineIndex line, std::string_view entryText);

    // Data entry
    //   11 EnterKeyInCompleteEmbedded       17 EnterKeyOnStandardLine
    //   12 OperatorKeyInCompleteEmbedded    18 OperatorKeyOnStandardLine
    //   13 EnterKeyInIncompleteEmbedded     19 EnterKeyOnLastLine
    //   14 OperatorKeyInIncompleteEmbedded  20 OperatorKeyOnLastLine
    //   15 EnterKeyOnLastEmbeddedLine
    //   16 OperatorKeyOnLastEmbeddedLine
    // The handlers 11 to 20 take Enter ('\r'), "=" or an operator key at the focus line, whose
    // text is the editor's; DispatchKey picks one by the focus position.
    bool ShouldAutoEmbed(char key, const TEditorState& editor) const override;               // 0
    bool ShouldAutoStart(char key, const TEditorState& editor) const override;               // 1
    TKeyAnswer RedirectKey(char key, const TEditorState& editor) override;                   // 37
    TKeyAnswer KeyInExternalTotalLine(char key, const TEditorState& editor) override;        // 38
    void WarnWhileTyping(std::string_view text) override;                                    // 50
    bool CheckDigitCapacity(char key, std::string_view newText) override;                    // 51
    TKeyAnswer PressTotalKey() override;                                                     // 52
    bool CanDeleteCharacters(LineIndex line) override;                                       // 70
    std::optional<char> KeyAllowedAt(char key, const TEditorState& editor) const override;   // 76
    TKeyAnswer DispatchKey(char key) override;                                               // 77
    std::optional<char> CheckOperatorKey(char key, const TEditorState& editor) override;     // 78
    TKeyAnswer NonEntryLineKey(char key) override;                                           // 79-81
    TKeyAnswer EnterKeyInCompleteEmbedded(char key);                                         // 11
    TKeyAnswer OperatorKeyInCompleteEmbedded(char key);                                      // 12
    TKeyAnswer EnterKeyInIncompleteEmbedded(char key);                                       // 13
    TKeyAnswer OperatorKeyInIncompleteEmbedded(char key);                                    // 14
    TKeyAnswer EnterKeyOnLastEmbeddedLine(char key);                                         // 15
    TKeyAnswer OperatorKeyOnLastEmbeddedLine(char key);                                      // 16
    TKeyAnswer EnterKeyOnStandardLine(char key);                                             // 17
    TKeyAnswer OperatorKeyOnStandardLine(char key);                                          // 18
    TKeyAnswer EnterKeyOnLastLine(char key);                                                 // 19
    TKeyAnswer OperatorKeyOnLastLine(char key);                                              // 20
    // Commits an edited line that is not the tape's last line, with the subtotals its operator
    // calls for, and recalculates its series; an empty or operator-only entry asks for a total
    // there. The focus follows the line when it was the focus line. False after a refusal.
    bool CommitEditedLine(LineIndex line, std::string_view entryText);

    // Embedded series
    //    4 RemoveEmbeddedSeries  54 DeleteEmbeddedSeries  59 ResetEmbeddedSeries
    //   44 AllowsEmbeddedInsert  60 EmptyEmbeddedSeries   63 CloseEmbeddedSeries
    //   67 InsertEmbeddedSeries
    // An embedded series may go in at the line: it is neither inside another embedded series
    // nor the opening line of an incomplete one.
    bool AllowsEmbeddedInsert(LineIndex line) const;                                           // 44
    // Opens a new embedded series at the tape's focus line, which becomes its external total
    // line, and puts the focus on the new series' empty first line. False when not done (a
    // refusal of the Insert Line that makes room is explained).
    bool InsertEmbeddedSeries();                                                               // 67
    // While an embedded series is edited (after a paste into it): its last total becomes the
    // final one and its total goes to the external total line, as when Enter completes it.
    bool CloseEmbeddedSeries();                                                                // 63
    // Before a new entry line goes in directly above the ")" of a complete embedded series:
    // the external total line keeps only its operator and the containing series drops the
    // embedded total.
    void ReopenEmbeddedSeries(LineIndex trailing);
    // The external total line after the ")" keeps only its operator, its permanent link goes,
    // and the containing series drops the embedded total.
    void DetachExternalTotal(LineIndex trailing);
    // Removes the lines from "(" to ")" of the embedded series that holds or bounds the line,
    // with its external total line unless that is the tape's last line. Returns the first
    // removed line; kNoLine when the line is not in an embedded series.
    LineIndex RemoveEmbeddedSeries(LineIndex line);                                            // 4
    // Deletes the embedded series at the tape's focus line with its external total line; an
    // external total line on the tape's last line stays, emptied. Refusals explain and beep.
    TEditOutcome DeleteEmbeddedSeries();                                                       // 54
    // Leaves the embedded series at the focus line with one empty line and no total; a complete
    // one gives its total back first. Reset (after a cut) also drops the remaining line's link
    // data, annotation and table column text. False when there is nothing to empty.
    bool ResetEmbeddedSeries();                                                                // 59
    bool EmptyEmbeddedSeries();                                                                // 60
    // The embedded series at the line holds more than one line, or an entry on its only line.
    bool HasEmbeddedContent(LineIndex line) const;

    // Line editing
    // The checks of a commit alone: entry number, then the operation at the line.
    bool CheckEntry(LineIndex line, std::string_view entryText) const;
    bool CommitEntry(LineIndex line, std::string_view entryText) override;
    TEditOutcome DeleteLine() override;                                                        // 55
    TEditOutcome InsertLine() override;                                                        // 66
    bool StartSeriesAt(LineIndex line, int decimals, std::string_view totalType) override;     // 68
    bool CanInsertZeroTotal(bool explain) const override;                                      // 90
    bool InsertZeroTotal() override;                                                           // 91
    // Closes the open series on the tape's last line with its total and a zero total line.
    bool CloseOpenSeries();

private:
    // Data entry (standard_series_entry.cpp, standard_series_adding_machine.cpp)
    bool IsAddingMachine() const;
    // The checks of an entry on the tape's last line, then its commit into the running value
    // with the subtotal before a multiplicative entry; the focus follows the line.
    bool CommitOpenEntry(std::string_view entryText);
    // A separator and a total line of the kind ("S" or "T") at the line; inside an embedded
    // series they join it. Returns the total line.
    LineIndex AddTotalLines(LineIndex at, char totalKind);
    // The total line shows the tape's running value.
    void ShowRunningValue(LineIndex line);
    // The open series ends in a total on the line after the focus line (or on the focus line
    // itself when it holds no entry); a new empty last line takes the focus.
    void TotalOpenSeries(bool onFocusLine);
    // A new entry line at the line takes the focus with the operator typed into it; its saved
    // entry is zero, so dropping the typing leaves a valid entry.
    void StartEntryLineWith(LineIndex at, char storedOperator);
    void AppendEmptyLastLine();
    // A subtotal goes in before the line and, unless a separator follows it, after it.
    void InsertSubtotalsAround(LineIndex& line, std::string_view entryText);
    // A typed quick link ('l') or quick copy ('c') goes to its manager with the key that ended
    // it; a quick link the link manager refuses is explained and stays in the editor.
    TKeyAnswer HandOverLineReference(char command, char key);
    bool StoreQuickLink(char key);
    bool StoreQuickCopy(char key);
    void ApplyLinkRulesToEdit(LineIndex line, std::string_view oldText, std::string_view newText);
    // An empty or operator-only entry committed on an earlier line asks for a total there.
    bool CommitTotalRequest(LineIndex line);
    // Adding machine
    TKeyAnswer AddingMachineEditKey(char key, const TEditorState& editor);
    TKeyAnswer AddingMachineOperatorKey(char key);
    TKeyAnswer AddingMachineNonEntryKey(char key);
    // The number becomes the first entry of a new embedded series, and the key is typed again
    // there. With `fromFocusEntry` the number leaves the focus line, which becomes the external
    // total line.
    TKeyAnswer EmbedNumber(char key, std::string_view numberText, bool fromFocusEntry);
    // The number of the nearest entry above the line in its series; empty when there is none.
    std::string PreviousEntryNumber(LineIndex line) const;

    // Embedded series
    bool IsCompleteEmbeddedSeries(LineIndex trailing) const;
    // Empty and Reset: the series at the focus line keeps one cleared line.
    bool ClearEmbeddedSeries(bool reset);
    // Removing the embedded series would leave its external total line first in the containing
    // series, in front of a multiplicative entry: explains and beeps, and answers true.
    bool RefuseLeadingExternalTotal(LineIndex external) const;
    // The checks and the automatic subtotal of an entry committed on the open last line of an
    // embedded series; writes the entry in its normal form. The line follows inserted lines.
    bool CommitOpenEmbeddedEntry(LineIndex& line, std::string_view entryText);
    // The embedded series ends in its total: the focus goes to the external total line, which
    // takes the total, and on the tape's last line that line is committed like an entry.
    void CompleteEmbeddedSeries(LineIndex trailing);
    // The external total line of a complete embedded series: its operator and the total.
    void WriteExternalTotal(LineIndex trailing);
    // Links the total line before ")" to the external total line permanently; false when no
    // link manager serves the tape or it refused.
    bool LinkExternalTotal(LineIndex trailing);
    // The external total line is the permanent destination of the total line, refreshed by a
    // link manager.
    bool ExternalTotalFollowsLink(LineIndex trailing) const;
    // Enter and operator keys on an embedded line other than the open last one.
    TKeyAnswer EnterKeyOnEarlierEmbeddedLine(char key);
    TKeyAnswer OperatorKeyOnEarlierEmbeddedLine(char key);
    // After an embedded line changed: the external total line and the containing series follow.
    void AfterEmbeddedLineChange(LineIndex trailing);
    // After a line of the embedded series opening at `opening` was deleted; a series that lost
    // its total is open again.
    void AfterEmbeddedLineDeletion(LineIndex opening, bool wasComplete);

    // Line editing
    bool HasTotalOperator(LineIndex line) const;
    bool DeleteZeroTotalLine(LineIndex line);
    // The chain of lines that deleting the zero total line would join into a circle of links;
    // nothing when the link manager sees none or is not there.
    std::optional<std::string> ZeroTotalDeletionCircle(LineIndex line) const;
    // Asks the link manager to remove the line's link.
    void UnlinkLine(LineIndex line);
    bool DeleteTotalLines(LineIndex line);
    TEditOutcome DeleteEntryLine(LineIndex line);
    TEditOutcome DeleteExternalTotalLine(LineIndex line, bool firstLine, bool totalFollows);
    void MakeZeroTotalLine(LineIndex line, int decimals, std::string_view totalType);

    // The total indicator with the item count when the tape shows it.
    std::string TotalIndicator(int itemCount) const;
    void MarkFinalTotal(LineIndex line, int itemCount);
    bool ApplyLineOperation(long double& total, std::string_view entryText, int decimals,
                            std::string_view totalType) const;
    void RecalculateRange(LineIndex first, LineIndex last, bool embedded);
    bool IsLinkSource(LineIndex line) const;
    bool HasFilledTableColumn(LineIndex line) const;
};

}  // namespace tally
