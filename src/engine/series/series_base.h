#pragma once
// Series handlers interpret runs of tape lines as calculation series. A tape holds one handler
// of each kind; the handler that claims the focus line loads that series' state.
//
// Virtual operations keep a fixed numbering that other parts of the program refer to:
//    3 OperatorForKey             41 IsOwnLine                  71 IsValidEntry
//    5 PositionAfterLine          45 AllowsLineInsert           82 Recalculate
//    6 SeriesTotalText            46 IsEditableEntryLine        83 RecalculateWithEmbedded
//    7 TotalBefore                47 IsEntryOrSeparatorLine     84 LoadSeriesState
//    8 OperatorKeyAllowed         48 IsEntryOrTotalLine
//   21-35 initializers            49 IsEmptyEntryLine
//   39 CanEditEntry               61 RecheckFocusPosition       86 IsSeriesConsistent
//   53 HasSingleEntry             69 EntriesEditable

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/lines/line_store.h"

namespace tally {

class TCalculator;

// Where the focus line stands in the series that claims it.
enum class TFocusPosition : std::uint8_t {
    NotClaimed = 0,
    Claimed = 1,
    TapeLastLine = 2,
    StandardSeriesLine = 3,
    IncompleteEmbeddedLastLine = 4,
    IncompleteEmbeddedLine = 5,
    CompleteEmbeddedLine = 6,
};

// How a line editing operation of a series ended.
enum class TEditOutcome {
    Refused,   // explained and beeped, or nothing to do; the lines are unchanged
    Done,      // the lines changed
    Deferred,  // posted as a command that runs after the current event
};

// How a series answers a key routed to it by the tape.
enum class TKeyAnswer {
    NotHandled,  // the tape's route goes on with its next step
    Consumed,    // the key was handled: accepted, or refused with an explanation and a beep
};

// The focus cell's editor as the key routing sees it.
struct TEditorState {
    std::string_view Text;
    int SelStart = 0;
    int SelLength = 0;
};

class TSeriesBase {
public:
    virtual ~TSeriesBase() = default;
    TSeriesBase(const TSeriesBase&) = delete;
    TSeriesBase& operator=(const TSeriesBase&) = delete;

    TCalculator& Tape() const { return tape_; }
    const std::string& SeriesTypeCode() const { return seriesTypeCode_; }

    // The handler claims a line whose STYP is its series type code, or a line inside an
    // embedded series whose container has that code.
    bool ClaimsLine(LineIndex line) const;

    bool InEmbeddedSeries() const { return inEmbeddedSeries_; }
    TFocusPosition FocusPosition() const { return focusPosition_; }
    int DecimalPlaces() const { return decimalPlaces_; }
    const std::string& TotalType() const { return totalType_; }
    LineIndex SeriesFirstLine() const { return seriesFirstLine_; }
    LineIndex SeriesLastLine() const { return seriesLastLine_; }
    LineIndex EmbeddedFirstLine() const { return embeddedFirstLine_; }
    LineIndex EmbeddedLastLine() const { return embeddedLastLine_; }
    long double EmbeddedSeriesTotal() const { return embeddedSeriesTotal_; }
    const std::string& TimeTotalText() const { return timeTotalText_; }
    const std::string& AllowedEntryCharacters() const { return allowedEntryCharacters_; }
    const std::string& OperatorKeys() const { return operatorKeys_; }

    virtual char OperatorForKey(char key) const;                         // 3
    virtual std::string SeriesTotalText() const { return {}; }            // 6
    virtual long double TotalBefore(LineIndex /*line*/) const { return 0; }  // 7
    virtual bool OperatorKeyAllowed(char key, LineIndex line) const;     // 8
    virtual bool CanEditEntry(LineIndex line) const;                     // 39
    virtual bool IsOwnLine(LineIndex line) const;                        // 41
    virtual bool AllowsLineInsert(LineIndex /*line*/) const { return true; }  // 45
    virtual bool IsEditableEntryLine(LineIndex line) const;              // 46
    virtual bool IsEntryOrSeparatorLine(LineIndex line) const;           // 47
    virtual bool IsEntryOrTotalLine(LineIndex line) const;               // 48
    virtual bool IsEmptyEntryLine(LineIndex line) const;                 // 49
    // The series at the tape's focus line (the embedded series when the focus is inside one)
    // holds exactly one entry; lines still empty or holding only an operator do not count.
    virtual bool HasSingleEntry() const { return false; }                 // 53
    // Recomputes the focus position for the line; false when the handler no longer claims it.
    virtual bool RecheckFocusPosition(LineIndex focusLine);              // 61
    virtual bool EntriesEditable() const { return true; }                 // 69
    virtual bool IsValidEntry(std::string_view entryText) const;         // 71
    virtual void Recalculate(LineIndex /*line*/) {}                      // 82
    virtual void RecalculateWithEmbedded(LineIndex line) { Recalculate(line); }  // 83
    // Whether the series that holds the line may take part in series-wide operations (a group
    // or grand total inserted before it). Group and grand total ranges always may.
    virtual bool IsSeriesConsistent(LineIndex /*line*/) const { return true; }  // 86
    // Loads the total type and decimal places of the series that holds the line.
    virtual void LoadSeriesState(LineIndex line);                        // 84

    // Data entry
    //    0 ShouldAutoEmbed   1 ShouldAutoStart   37 RedirectKey   38 KeyInExternalTotalLine
    //   50 WarnWhileTyping  51 CheckDigitCapacity  52 PressTotalKey  70 CanDeleteCharacters
    //   76 KeyAllowedAt  77 DispatchKey  78 CheckOperatorKey  79-81 NonEntryLineKey
    //   11-20 the Enter and operator key handlers by focus position (standard series)
    // The keys reach the focus line through the tape's route; a refusal explains and beeps.
    // The defaults are those of group and grand total series.
    virtual bool ShouldAutoEmbed(char /*key*/, const TEditorState&) const { return false; }  // 0
    virtual bool ShouldAutoStart(char /*key*/, const TEditorState&) const { return false; }  // 1
    // Auto start and auto embed: may run a command and have the key typed again.
    virtual TKeyAnswer RedirectKey(char /*key*/, const TEditorState&) { return TKeyAnswer::NotHandled; }  // 37
    // The adding machine's operator rules and the external total line's rule.
    virtual TKeyAnswer KeyInExternalTotalLine(char /*key*/, const TEditorState&) { return TKeyAnswer::NotHandled; }  // 38
    virtual void WarnWhileTyping(std::string_view /*text*/) {}          // 50
    // False (explained and beeped) when a typed digit would pass the 15-digit capacity.
    virtual bool CheckDigitCapacity(char /*key*/, std::string_view /*newText*/) { return true; }  // 51
    virtual TKeyAnswer PressTotalKey() { return TKeyAnswer::NotHandled; }  // 52
    // False (explained and beeped) when characters of the line may not be deleted.
    virtual bool CanDeleteCharacters(LineIndex /*line*/) { return false; }  // 70
    // The character to insert for the key at the caret, or nullopt when it may not go there.
    virtual std::optional<char> KeyAllowedAt(char /*key*/, const TEditorState&) const {  // 76
        return std::nullopt;
    }
    // Enter, "=" and operator keys at the focus line, by focus position.
    virtual TKeyAnswer DispatchKey(char /*key*/) { return TKeyAnswer::NotHandled; }  // 77
    // The operator to type for an operator key, or nullopt after a refusal.
    virtual std::optional<char> CheckOperatorKey(char key, const TEditorState&) { return key; }  // 78
    // Keys on lines whose Entries cell cannot be typed into.
    virtual TKeyAnswer NonEntryLineKey(char /*key*/) { return TKeyAnswer::NotHandled; }  // 79-81

    // Decimal places and total types
    //   72 LinesWithDecimalAccuracyReduced  73 LinesWithDecimalTotalTooBig
    //   74 LinesWithTimeAccuracyReduced     88 SetDecimalPlaces  89 SetTotalType
    // The queries answer line numbers separated by ", "; a handler without such lines answers
    // an empty text. The setters act on the series at the tape's focus line and answer false
    // when they refuse.
    virtual std::string LinesWithDecimalAccuracyReduced(LineIndex /*line*/, int /*decimals*/) const {
        return {};
    }
    virtual std::string LinesWithDecimalTotalTooBig(LineIndex /*line*/) const { return {}; }
    virtual std::string LinesWithTimeAccuracyReduced(LineIndex /*line*/, int /*components*/) const {
        return {};
    }
    virtual bool SetDecimalPlaces(int /*decimals*/) { return false; }
    virtual bool SetTotalType(std::string_view /*totalType*/) { return false; }

    // Line editing
    //   55 DeleteLine  66 InsertLine  68 StartSeriesAt  90 CanInsertZeroTotal  91 InsertZeroTotal
    // They act on the tape's focus line. The defaults are those of group and grand total
    // series: deleting any of their lines and inserting on a range's opening line become the
    // deferred Delete Series and Insert New Series commands.
    // Commits an edited entry of a line of this series: the entry check, the operation check,
    // then the running value on the tape's last line or the line's text and a recalculation
    // elsewhere. A refusal explains and beeps and changes nothing.
    virtual bool CommitEntry(LineIndex /*line*/, std::string_view /*entryText*/) { return false; }
    virtual TEditOutcome DeleteLine();                                   // 55
    virtual TEditOutcome InsertLine();                                   // 66
    // Inserts a new series of four lines before the line: "+0" with the decimal places, its
    // total indicator line, its total and its zero total line.
    virtual bool StartSeriesAt(LineIndex /*line*/, int /*decimals*/,
                               std::string_view /*totalType*/) {         // 68
        return false;
    }
    virtual bool CanInsertZeroTotal(bool /*explain*/) const { return false; }  // 90
    virtual bool InsertZeroTotal() { return false; }                     // 91

protected:
    explicit TSeriesBase(TCalculator& tape);
    // Runs the initializers in their fixed order; the concrete handler calls it from its
    // constructor, when its overrides are in place.
    void Initialize();

    // Initializers 21 to 35.
    virtual int InitMaximumDecimalPlaces() const { return 15; }              // 21
    virtual int InitMinimumDecimalPlaces() const { return 0; }               // 22
    virtual int InitDefaultDecimalPlaces() const { return 2; }               // 23
    virtual std::string InitMinusCharacters() const { return "-"; }          // 24
    virtual std::string InitMultiplicativeOperators() const;                 // 25
    virtual std::string InitEntryLineCharacters() const { return " "; }      // 26
    virtual char InitZeroTotalCharacter() const { return 'Z'; }              // 27
    virtual std::string InitSeriesTypeCode() const { return ""; }            // 28
    virtual std::string InitOperatorsTakingMinus() const;                    // 29
    virtual std::string InitOperatorKeysNeedingPrevious() const;             // 30
    virtual std::string InitTotalCharacters() const { return "ST"; }         // 31
    virtual std::string InitAllowedEntryCharacters() const;                  // 32
    virtual std::string InitOperatorCharacters() const;                      // 33
    virtual std::string InitOperatorKeys() const;                            // 34
    virtual std::string InitTotalTypes() const { return "DE,T2,T3"; }        // 35

    // The series kind of a line: its STYP, or its container's inside an embedded series.
    std::string_view SeriesKindOf(LineIndex line) const;
    bool IsExternalTotalLine(LineIndex line) const;
    bool IsEntryLineOfThisKind(LineIndex line) const;

    TCalculator& tape_;
    TLineStore& lines_;
    bool inEmbeddedSeries_ = false;
    char zeroTotalCharacter_ = 'Z';
    TFocusPosition focusPosition_ = TFocusPosition::NotClaimed;
    long double embeddedSeriesTotal_ = 0;
    int decimalPlaces_ = 2;
    int defaultDecimalPlaces_ = 2;
    int savedDecimalPlaces_ = 2;
    int maximumDecimalPlaces_ = 15;
    int minimumDecimalPlaces_ = 0;
    LineIndex embeddedFirstLine_ = kNoLine;
    LineIndex embeddedLastLine_ = kNoLine;
    LineIndex seriesFirstLine_ = kNoLine;
    LineIndex seriesLastLine_ = kNoLine;
    std::string totalType_ = "DE";
    std::string minusCharacters_;
    std::string operatorsTakingMinus_;
    std::string savedEntryText_;
    std::string externalTotalText_;
    std::string timeTotalText_ = "00:00:00";
    std::string savedTotalType_;
    std::string entryLineCharacters_;
    std::string focusEntryText_;
    std::string seriesTypeCode_;
    std::string multiplicativeOperators_;
    std::string operatorKeysNeedingPrevious_;
    std::string totalCharacters_;
    std::string allowedEntryCharacters_;
    std::string operatorCharacters_;
    std::string operatorKeys_;
    std::string totalTypes_;
};

}  // namespace tally
