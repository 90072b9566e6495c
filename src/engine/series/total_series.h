#pragma once
// Handlers of group total and grand total ranges. Their lines are computed from the series
// totals they collect, never typed into.

#include <string>
#include <string_view>
#include <vector>

#include "engine/series/series_base.h"
#include "engine/totals/total_lists.h"

namespace tally {

class TTotalSeriesBase : public TSeriesBase {
public:
    // "V" automatic (recomputed from the content) or "F" set by the user.
    const std::string& DecimalPlacesState() const { return decimalPlacesState_; }
    // "SL" single line, "ST" itemized by series totals, "GT" itemized by group totals.
    const std::string& DisplayState() const { return displayState_; }

    bool CanEditEntry(LineIndex) const override { return false; }                 // 39
    bool IsOwnLine(LineIndex) const override { return false; }                    // 41
    bool AllowsLineInsert(LineIndex) const override { return false; }             // 45
    bool IsEditableEntryLine(LineIndex) const override { return false; }          // 46
    bool IsEntryOrSeparatorLine(LineIndex) const override { return false; }       // 47
    bool IsEntryOrTotalLine(LineIndex line) const override;                       // 48
    bool IsEmptyEntryLine(LineIndex) const override { return false; }             // 49
    bool EntriesEditable() const override { return false; }                       // 69
    // Keys on range lines: Enter and "=" switch the display, no key changes a line's text. An
    // operator key on the range's closing line is left to the tape, which carries it into the
    // next series.
    TKeyAnswer NonEntryLineKey(char key) override;                                // 79-81
    bool CanDeleteCharacters(LineIndex line) override;                            // 70
    std::string SeriesTotalText() const override;                                 // 6
    // Single line: the total from the content the total manager picks.
    void Recalculate(LineIndex line) override;                                    // 82
    void LoadSeriesState(LineIndex line) override;                                // 84

    // Writes the single-line total of the range that holds the line.
    void TotalOfContent(LineIndex line);                                          // 92
    // Inserts a range at line s over the content, shown as the display state says ("SL", or
    // itemized "ST", "GT"). False, with nothing inserted, when the content is empty or a
    // single-line sum passes the calculator's capacity. Content lines need link sources: when
    // none of the content can be one, the range is shown as a single line.
    bool CreateTotalRange(LineIndex s, const TTotalSeriesContentList& content,
                          std::string_view display = "SL");                     // 93

    // Back to automatic decimal places ("Reset To Auto Decimals") for the focus range.
    void ResetToAutoDecimals();
    // The focus range's decimal places (then fixed, "F") and total type; the range is
    // recalculated, its content lines first reloaded from their sources.
    bool SetDecimalPlaces(int decimals) override;                                 // 88
    bool SetTotalType(std::string_view totalType) override;                       // 89

    // Shows the focus range as a single line ("SL") or itemized ("ST", "GT" for grand totals).
    // Nothing happens when this is not the current series, the state is in force, or the range
    // would have no content.
    void SetDisplayState(std::string_view state);                                 // 87
    // Rebuilds the content lines of an itemized range over the content; the caller recalculates.
    void RefreshItemizedContent(LineIndex line, const TTotalSeriesContentList& content);  // 94

    // The range's lines around a line of it; kNoLine outside a range of this kind.
    LineIndex RangeOpeningLine(LineIndex line) const;
    LineIndex RangeClosingLine(LineIndex line) const;

protected:
    using TSeriesBase::TSeriesBase;
    std::string InitEntryLineCharacters() const override { return "T"; }

private:
    // An included total whose line was made a total-link source, with its link number.
    struct TLinkedItem {
        const TTotalSeriesContentListItem* Item;
        std::string LinkNumber;
    };
    // Makes each item's line a total-link source; items that cannot be one are left out, so
    // the range gets exactly one content line per linked item.
    std::vector<TLinkedItem> LinkContentSources(const TTotalSeriesContentList& content);
    // Writes the linked items into the content lines from first on as total-link destinations.
    void WriteContentLines(LineIndex first, const std::vector<TLinkedItem>& linked);
    // Inserts an itemized range at line s with one content line per linked item.
    void CreateItemizedRange(LineIndex s, const std::vector<TLinkedItem>& linked, int decimals,
                             std::string_view display);
    // After the focus range's decimal places or total type changed.
    void RecalculateFocusRange(LineIndex closing);
    // Writes the range's properties onto its closing line.
    void WriteClosingLine(LineIndex closing, int decimals, std::string_view display);
    // Itemized: the sum of the content lines, rewritten in normal form, onto the total line.
    void RecalculateItemized(LineIndex opening, LineIndex closing, std::string_view display);
    void SetRangeDisplay(LineIndex closing, std::string_view state);
    bool IsItemizedState(std::string_view state) const;
    // The display Enter or "=" switches to: group SL, ST; grand SL, GT, ST; then back to SL.
    std::string_view NextDisplayState() const;
    char OpeningCharacter() const { return zeroTotalCharacter_ == ']' ? '[' : '{'; }
    char TotalCharacter() const { return totalCharacters_.empty() ? 'g' : totalCharacters_.front(); }
    bool ShowsItemCount() const;
    std::string TotalIndicator(std::size_t count) const;
    std::string decimalPlacesState_ = "V";
    std::string displayState_ = "SL";
};

class TGroupTotalSeries final : public TTotalSeriesBase {
public:
    explicit TGroupTotalSeries(TCalculator& tape) : TTotalSeriesBase(tape) { Initialize(); }

protected:
    std::string InitSeriesTypeCode() const override { return "gro"; }
    char InitZeroTotalCharacter() const override { return ']'; }
    std::string InitTotalCharacters() const override { return "g"; }
};

class TGrandTotalSeries final : public TTotalSeriesBase {
public:
    explicit TGrandTotalSeries(TCalculator& tape) : TTotalSeriesBase(tape) { Initialize(); }

protected:
    std::string InitSeriesTypeCode() const override { return "gra"; }
    char InitZeroTotalCharacter() const override { return '}'; }
    std::string InitTotalCharacters() const override { return "G"; }
    std::string InitEntryLineCharacters() const override { return "Tg"; }
};

}  // namespace tally
