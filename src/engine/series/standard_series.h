#pragma once
// The handler of standard calculation series: the recalculation that rebuilds a series' totals
// from its entries, the running value of the open series, and the adjacent-totals rule.

#include <string>
#include <string_view>

#include "engine/series/series_base.h"

namespace tally {

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
    // Line editing
    bool HasTotalOperator(LineIndex line) const;
    bool DeleteZeroTotalLine(LineIndex line);
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
