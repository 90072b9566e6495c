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

private:
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
