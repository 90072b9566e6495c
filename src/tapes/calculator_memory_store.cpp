// Values into the memory tape: storing an entry or a total, preparing the line that will hold
// a linked value, closing a linked value, and keeping the last memory series closed.
#include <algorithm>

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_arithmetic.h"
#include "engine/series/standard_series.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"
#include "tapes/calculator_memory.h"
#include "tapes/open_series_reset.h"

namespace tally {
namespace {

constexpr std::string_view kTimeCapacityRefusal =
    "Storing this entry number or total number in memory would produce a memory total too big for a "
    "time value.  The memory total type is set to one of the time total types.";

// The kinds of source series a value may come from; all are stored in standard series.
bool IsSourceSeriesKind(std::string_view kind) { return kind.empty() || kind == "gro" || kind == "gra"; }

// The memory adds and subtracts only: an X, divide, P or R in front goes.
std::string WithoutTotalOperator(std::string_view entry) {
    if (!entry.empty() && IsMultiplicativeOperator(entry.front())) entry.remove_prefix(1);
    return std::string(entry);
}

std::string StoredEntryText(std::string_view entry, bool minus) {
    std::string text = WithoutTotalOperator(entry);
    if (!minus) return text;
    if (!text.empty() && text.front() == '-') {
        text.front() = '+';
    } else if (!text.empty() && text.front() == '+') {
        text.front() = '-';
    } else {
        text.insert(text.begin(), '-');
    }
    return text;
}

// A line break or other control character would split the annotation in files and records.
std::string AnnotationText(std::string_view annotation) {
    std::string text(annotation);
    std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }, ' ');
    return text;
}

}  // namespace


std::string TCalculatorMemory::SignedFocusNumber() const {
    const LineIndex line = FocusLine();
    if (!Lines().InGroup(line, LineGroup::kEntryLine) && !Lines().InGroup(line, LineGroup::kTotalLine)) return {};
    return WithoutTotalOperator(Lines().Entries(line));
}

std::optional<TCalculatorMemory::TMemorySeries> TCalculatorMemory::FindMemorySeries(std::string_view seriesKind) const {
    const TLineStore& lines = Lines();
    for (LineIndex first = 0; first < LastLine();) {
        const LineIndex last = SeriesLastLine(lines, first);
        if (last == kNoLine) break;
        const TSeriesBase* handler = SeriesClaiming(first);
        if (handler != nullptr && handler->SeriesTypeCode() == seriesKind) {
            TMemorySeries series;
            series.First = first;
            // Closed by a zero total line, or still open on the tape's last line after its total.
            if (lines.InGroup(last - 1, LineGroup::kStandardTotal) && last - 1 > first) series.TotalLine = last - 1;
            series.DecimalPlaces = SeriesDecimalPlaces(lines, first).value_or(OpenSeriesDecimalPlaces());
            // The series' own total type; its total line never carries one.
            series.TotalType = SeriesTotalType(lines, first).value_or(OpenSeriesTotalType());
            return series;
        }
        first = last + 1;
    }
    return std::nullopt;
}

void TCalculatorMemory::KeepLastSeriesClosed() {
    const LineIndex last = LastLine();
    if (IsBlank() || Lines().InGroup(last - 1, LineGroup::kZeroTotal)) return;
    // A last line that starts a series and holds no number leaves nothing to close.
    if (SeriesFirstLine(Lines(), last) == last && IsEmptyOrOperatorOnly(Lines().Entries(last))) return;
    if (!GoToLine(last + 1)) return;
    TCalculator::ZeroTotal();
    GoToLine(1);
}

void TCalculatorMemory::RefreshAll() {
    TCalculator::RefreshAll();
    KeepLastSeriesClosed();
}

bool TCalculatorMemory::FitsTimeCapacity(const TMemorySeries& series, const std::string& text) const {
    if (!IsTimeTotalType(series.TotalType)) return true;
    // The total indicator line: the value goes in right before it.
    const long double before = StandardSeries().TotalBefore(series.TotalLine - 1);
    if (!CheckOperation(text, false, before, series.DecimalPlaces, series.TotalType, RoundingMethod())) return true;
    Notifier().ExplainAndBeep(std::string(kTimeCapacityRefusal));
    Notifier().ShowLastExplanation();
    return false;
}

bool TCalculatorMemory::StartSeriesBefore(LineIndex line, int decimalPlaces, std::string_view totalType) {
    // A checked move first, so that an edit pending on the line left is handed on.
    if (!SelectCell(TTapeColumn::Entries, line)) return false;
    if (!StandardSeries().StartSeriesAt(line, decimalPlaces, totalType)) return false;
    SetFocusLine(line);
    return true;
}

bool TCalculatorMemory::MoveToSeriesTotal(const TMemorySeries& series, int decimalPlaces, std::string_view text) {
    if (!SelectCell(TTapeColumn::Entries, series.TotalLine) || CurrentSeries() == nullptr) return false;
    TSeriesBase& handler = *CurrentSeries();
    if (handler.DecimalPlaces() < decimalPlaces && handler.SetDecimalPlaces(decimalPlaces) && Hooks().OnDecimalPlacesChange) {
        Hooks().OnDecimalPlacesChange(*this);
    }
    const std::string number = SplitEntryOperand(text).NumberText;
    if (handler.TotalType() == kTotalTypeHoursMinutes && IsTimeText(number) && TimeComponentCount(number) == 3 &&
        handler.SetTotalType(kTotalTypeHoursMinutesSeconds) && Hooks().OnTotalTypeChange) {
        Hooks().OnTotalTypeChange(*this);
    }
    return true;
}

bool TCalculatorMemory::StoreEntry(std::string_view entryText, int decimalPlaces, std::string_view totalType,
                                   std::string_view seriesKind, std::string_view annotation, bool minus) {
    if (!IsSourceSeriesKind(seriesKind)) return false;
    const TSeriesBase* checker = SeriesByKind(seriesKind);
    if (checker == nullptr || !checker->IsValidEntry(entryText)) return false;
    const std::string text = StoredEntryText(entryText, minus);

    KeepLastSeriesClosed();
    const std::optional<TMemorySeries> series = FindMemorySeries("");
    if (series && (series->TotalLine == kNoLine || !FitsTimeCapacity(*series, text))) return false;

    const LineIndex countBefore = Lines().LineCount();
    bool placed = false;
    if (IsBlank()) {
        placed = StartSeriesBefore(0, decimalPlaces, totalType);
    } else if (series) {
        // The insert may be refused; the value must then not land on the total line.
        placed = MoveToSeriesTotal(*series, decimalPlaces, text) && InsertLine();
    } else {
        placed = StartSeriesBefore(LastLine(), decimalPlaces, totalType);
    }
    if (!placed) return false;

    const LineIndex line = FocusLine();
    if (IsColumnShown(TTapeColumn::Annotations)) Lines().SetCell(line, TLineColumn::Annotations, AnnotationText(annotation));
    WriteEntry(line, text);
    if (!StandardSeries().CommitEntry(line, text)) {
        // The commit explained why; the new lines go again, so that no empty or zero entry is
        // left behind.
        Lines().RemoveLines(line, Lines().LineCount() - countBefore);
        SetFocusLine(std::min(line, LastLine()));
        StandardSeries().Recalculate(FocusLine());
        FinishLineEdit();
        return false;
    }
    FinishLineEdit();
    return true;
}

bool TCalculatorMemory::PrepareLinkLine(std::string_view seriesKind, std::string_view totalType, bool minus,
                                        int decimalPlaces) {
    if (!IsSourceSeriesKind(seriesKind)) return false;
    KeepLastSeriesClosed();
    const std::optional<TMemorySeries> series = FindMemorySeries("");
    if (series) {
        if (series->TotalLine == kNoLine || !MoveToSeriesTotal(*series, decimalPlaces, {}) || !InsertLine()) {
            return false;
        }
    } else {
        if (!GoToLine(LastLine() + 1)) return false;
        ResetOpenSeriesAtLastLine(*this);
        SetOpenSeriesDecimalPlaces(decimalPlaces);
        if (IsKnownTotalType(totalType)) SetOpenSeriesTotalType(totalType);
        ChooseCurrentSeries();
        if (Hooks().OnDecimalPlacesChange) Hooks().OnDecimalPlacesChange(*this);
        if (Hooks().OnTotalTypeChange) Hooks().OnTotalTypeChange(*this);
    }
    if (minus) WriteEntry(FocusLine(), "-");
    return true;
}

bool TCalculatorMemory::CloseForLink(std::string_view seriesKind) {
    if (!IsSourceSeriesKind(seriesKind)) return false;
    const LineIndex focus = FocusLine();
    if (IsLastLine(focus) && SeriesFirstLine(Lines(), focus) == focus) {
        ResetOpenSeriesAtLastLine(*this);
        // The tape's own zero total: the memory's refusal is for the user's command.
        if (!TCalculator::ZeroTotal()) return false;
        return GoToLine(1);
    }
    // "=" through the data entry route totals the open series or commits the linked line.
    if (!SelectCell(TTapeColumn::Entries, focus)) return false;
    const std::string linked(Lines().Entries(focus));
    if (!FocusEntryChanged() && !IsLastLine(focus) && CurrentSeries() != nullptr) {
        // The link manager has shown the value as committed already: the series counts it
        // without taking it for an overtyped destination.
        const bool committed = CurrentSeries()->CommitEntry(focus, linked);
        FinishLineEdit();
        return committed;
    }
    // The editor takes up what was written into the line; it counts as changed against the
    // empty entry (or "-") the line was prepared with.
    WriteEntry(focus, linked);
    return RetypeKey('=');
}

}  // namespace tally
