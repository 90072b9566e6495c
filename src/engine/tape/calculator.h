#pragma once
// One tape: its lines, the tape-wide settings the series arithmetic reads, the running value of
// the open last series, and the three series handlers that interpret runs of lines.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/lines/line_store.h"
#include "engine/series/series_arithmetic.h"

namespace tally {

class TStMediator;
class TSeriesBase;
class TStandardSeries;

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

// Callbacks the document attaches to a tape; a hook that is not set is skipped.
struct TCalculatorHooks {
    // Add a link source's data string to the link refresh queue.
    std::function<void(const std::string& linkData)> QueueLinkSource;
};

class TCalculator {
public:
    explicit TCalculator(char tapeId = 't', TStMediator* documentBus = nullptr);
    virtual ~TCalculator();
    TCalculator(const TCalculator&) = delete;
    TCalculator& operator=(const TCalculator&) = delete;

    TLineStore& Lines() { return lines_; }
    const TLineStore& Lines() const { return lines_; }
    LineIndex LastLine() const { return lines_.LastLine(); }
    bool IsLastLine(LineIndex line) const { return line == lines_.LastLine(); }

    char TapeId() const { return tapeId_; }
    // A line as messages name it: the upper-case tape id and the line number, e.g. "T12".
    std::string LineName(LineIndex line) const;

    TStMediator* DocumentBus() const { return documentBus_; }
    TCalculatorHooks& Hooks() { return hooks_; }

    TRoundingMethod RoundingMethod() const { return roundingMethod_; }
    void SetRoundingMethod(TRoundingMethod method) { roundingMethod_ = method; }
    bool ShowThousands() const { return showThousands_; }
    void SetShowThousands(bool on) { showThousands_ = on; }

    bool IsColumnShown(TTapeColumn column) const;
    void SetColumnShown(TTapeColumn column, bool shown);

    bool ShowSeriesTotalItemCount() const { return showSeriesTotalItemCount_; }
    void SetShowSeriesTotalItemCount(bool on) { showSeriesTotalItemCount_ = on; }
    bool AutoIncreaseDecimalPlaces() const { return autoIncreaseDecimalPlaces_; }
    void SetAutoIncreaseDecimalPlaces(bool on) { autoIncreaseDecimalPlaces_ = on; }

    // Decimal places and total type of the open series, the one that runs to the last line and
    // has no closing line to hold them.
    int OpenSeriesDecimalPlaces() const { return openDecimalPlaces_; }
    void SetOpenSeriesDecimalPlaces(int decimals);
    const std::string& OpenSeriesTotalType() const { return openTotalType_; }
    void SetOpenSeriesTotalType(std::string_view totalType) { openTotalType_ = totalType; }

    // The value of the open series on the last line, and its time text.
    long double RunningValue() const { return runningValue_; }
    const std::string& RunningTimeText() const { return runningTimeText_; }
    void SetRunningValue(long double value, std::string timeText);
    void ResetRunningValue() { SetRunningValue(0, "00:00:00"); }

    // Focus line of the tape; the current series handler is the first that claims it.
    LineIndex FocusLine() const { return focusLine_; }
    void SetFocusLine(LineIndex line);
    TSeriesBase* CurrentSeries() const { return currentSeries_; }
    TStandardSeries& StandardSeries() const;
    // The handler of a series kind: "" standard, "gro" group total, "gra" grand total.
    TSeriesBase* SeriesByKind(std::string_view seriesTypeCode) const;
    // The first handler that claims the line; null when none does.
    TSeriesBase* SeriesClaiming(LineIndex line) const;

    // Writes a total status flag into the line's TLSF when it is empty, and tells the total
    // manager that this tape has a change to process.
    void RecordTotalStatusChange(LineIndex line, std::string_view flag);
    // Asks the main window to show the collected messages after the current event.
    void ShowCollectedMessages();
    // Whether the table column of an assignment holds data; true when nobody can tell.
    bool IsTableColumnEmpty(std::string_view tableColumnId) const;

private:
    TLineStore lines_;
    char tapeId_;
    TStMediator* documentBus_;
    TCalculatorHooks hooks_;
    TRoundingMethod roundingMethod_ = TRoundingMethod::Up;
    bool showThousands_ = true;
    std::uint8_t columnSet_ = 0b11;
    bool showSeriesTotalItemCount_ = false;
    bool autoIncreaseDecimalPlaces_ = false;
    int openDecimalPlaces_ = 2;
    std::string openTotalType_ = "DE";
    long double runningValue_ = 0;
    std::string runningTimeText_ = "00:00:00";
    LineIndex focusLine_ = 0;
    std::vector<std::unique_ptr<TSeriesBase>> series_;
    TSeriesBase* currentSeries_ = nullptr;
};

}  // namespace tally
