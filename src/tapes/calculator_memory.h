#pragma once
// The memory tape: the document's memory register kept as a tape. Values arrive only through
// the memory commands, which store them as entry lines before the total of the memory series
// of their kind; the user may delete entry lines and edit annotations and table column
// numbers, and every other editing operation is refused or ignored.
//
// The source is split by purpose: calculator_memory.cpp (the refused and ignored operations,
// keys) and calculator_memory_store.cpp (storing values, lines for linked values, keeping the
// last series closed).

#include <optional>
#include <string>
#include <string_view>

#include "engine/tape/calculator.h"

namespace tally {

class TCalculatorMemory final : public TCalculator {
public:
    explicit TCalculatorMemory(TStMediator* documentBus = nullptr, ITapeView* view = nullptr);

    // ---- Storing values (calculator_memory_store.cpp)
    // Adds a value as a plus entry, or with `minus` as a minus entry, to the memory series of
    // the source's series kind ("", "gro" or "gra"; group and grand totals count as the
    // standard kind), starting that series when there is none. A leading X, divide, P or R is
    // dropped. Text the kind's handler rejects is dropped without a message; a value the memory
    // series refuses (a time total beyond the time capacity among them) is explained and leaves
    // no line behind. True when the value was stored.
    bool StoreEntry(std::string_view entryText, int decimalPlaces, std::string_view totalType,
                    std::string_view seriesKind, std::string_view annotation, bool minus);
    // Makes the empty line that is to receive a linked value (holding "-" for a minus link)
    // and puts the focus on it. False when no line could be made.
    bool PrepareLinkLine(std::string_view seriesKind, std::string_view totalType, bool minus,
                         int decimalPlaces);
    // Before the link manager links to the memory total: a linked value on the last line that
    // starts its series is closed with a zero total, any other is totalled with "=".
    bool CloseForLink(std::string_view seriesKind) override;
    // The number the focus line gives back to another tape: its Entries text without a leading
    // X, divide, P or R on an entry or total line; empty on other lines.
    std::string SignedFocusNumber() const;

    // ---- Operations of every tape, changed (calculator_memory.cpp)
    void SetDataEntryOption(int option) override;                          // 9: always 1
    bool KeyDown(TTapeKey key, TKeyModifiers modifiers = {}) override;     // 5
    bool KeyPress(char character) override;                                // 6
    bool IsTapeCommandLetter(char character) const override;               // 59
    void DoTapeCommandLetter(char character) override;                     // 66
    bool ClearEntry() override;                                            // 40
    bool DeleteLine() override;                                            // 51
    bool InsertLine() override;                                            // 57
    bool ZeroTotal() override;                                             // 68
    bool InsertNewSeries() override;                                       // 58
    bool InsertNewEmbeddedSeries() override;                               // 52
    bool CanInsertLine(LineIndex line) const override;                     // 24
    // Not the last line of a memory that holds a series: it stays empty after the closing zero
    // total.
    bool CanSetAsLinkDest(LineIndex line) const override;                  // 37
    bool CanInsertNewSeries() const override { return false; }             // 26
    bool CanInsertNewEmbeddedSeries() const override { return false; }     // 25
    bool CanDeleteEmbeddedSeries() const override { return false; }        // 17
    bool CanEmptyEmbeddedSeries() const override { return false; }         // 21
    // After the full refresh the last series is closed with a zero total again.
    void RefreshAll() override;                                            // 67
    // Pasting tape data into the memory tape is refused (63, 64, 65).
    bool PasteSeries(std::string_view sessionId);
    bool PasteLine(std::string_view sessionId);
    bool PasteTape(std::string_view sessionId);

private:
    // The memory series of a kind: its lines, its total line (where new values go in before
    // the total indicator line), its decimal places and total type.
    struct TMemorySeries {
        LineIndex First = kNoLine;
        LineIndex TotalLine = kNoLine;
        int DecimalPlaces = 2;
        std::string TotalType;
    };
    std::optional<TMemorySeries> FindMemorySeries(std::string_view seriesKind) const;
    // The last series is closed with a zero total line when it is not; the focus then goes to
    // the first line.
    void KeepLastSeriesClosed();
    // Focus on the series' total line, its decimal places raised to at least `decimalPlaces`,
    // and an hours:minutes series made hours:minutes:seconds for a text with seconds.
    bool MoveToSeriesTotal(const TMemorySeries& series, int decimalPlaces, std::string_view text);
    // A new series of four lines before the line takes the focus on its entry line.
    bool StartSeriesBefore(LineIndex line, int decimalPlaces, std::string_view totalType);
    // A time series refuses (explained, and shown at once) a value that would take its total
    // beyond the time capacity; true when the value may go in.
    bool FitsTimeCapacity(const TMemorySeries& series, const std::string& text) const;
};

}  // namespace tally
