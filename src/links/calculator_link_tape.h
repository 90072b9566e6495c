#pragma once
// The link manager's view of a TCalculator.

#include "links/link_tape.h"

namespace tally {

class TCalculator;

class TCalculatorLinkTape : public ILinkTape {
public:
    explicit TCalculatorLinkTape(TCalculator& tape) : tape_(tape) {}
    TCalculator& Calculator() const { return tape_; }

    char TapeId() const override;
    std::string TapeName() const override;
    int CurrentLine() const override;
    int LineCount() const override;
    std::string LinkData(int line) const override;
    void SetLinkData(int line, std::string_view linkData) override;
    std::vector<int> LinkedLines() const override;
    std::uint64_t LinkGeneration() const override;
    void CollectLinkInfo(std::vector<TTapeLinkInfoListItem>& items, bool withDummyLinks) const override;
    std::string EntryText(int line) const override;
    std::string NumberText(int line) const override;
    std::string OperatorText(int line) const override;
    bool HasAnnotationColumn() const override;
    std::string AnnotationText(int line) const override;
    void SetAnnotationText(int line, std::string_view text) override;
    std::string LineKind(int line) const override;
    std::string SeriesKind(int line) const override;
    int SeriesKey(int line) const override;
    int FinalTotalLine(int line) const override;
    int RangeStartAt(int line, bool grand) const override;
    bool CanBeLinkSource(int line) const override;
    bool CanBeLinkDest(int line) const override;
    bool CloseForLink(std::string_view seriesKind) override;
    bool ContainsNumber(int line) const override;
    bool IsLastLineOfIncompleteEmbedded(int line) const override;
    bool HasTableColumn(int line) const override;
    void UpdateTableColumnHeading(int line) override;
    bool ShowsLinksColumn() const override;
    void SetLinksCell(int line, std::string_view text) override;
    void SetEntryText(int line, std::string_view text) override;
    void RecalculateSeries(int line) override;
    void CommitPendingEdit(int line) override;
    void RefreshInputLine(int line) override;
    void RestoreEditor() override;
    int DataEntryOption() const override;
    void PutCaretAfterText() override;
    void RetypeKey(char key) override;

private:
    TTapeLinkInfoListItem InfoOf(int line) const;

    TCalculator& tape_;
};

}  // namespace tally
