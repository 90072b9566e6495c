// The memory functions of a document: values, totals and links into the memory tape, the memory
// total and memory entries back into the current tape, and the automatic annotation of memory
// totals.

#include <algorithm>
#include <initializer_list>

#include "documents/cross_tape_commands.h"
#include "documents/file_document.h"
#include "engine/lines/line_kinds.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/series/entry_line_texts.h"
#include "engine/series/series_base.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"
#include "links/link_manager.h"
#include "tapes/calculator_memory.h"

namespace tally {

namespace {

// The current series' decimal places and total type: the series' own, not its total line's.
int SeriesDecimals(const TCalculator& tape) {
    return tape.CurrentSeries() != nullptr ? tape.CurrentSeries()->DecimalPlaces() : tape.OpenSeriesDecimalPlaces();
}

std::string SeriesTotalType(const TCalculator& tape) {
    const std::string type =
        tape.CurrentSeries() != nullptr ? tape.CurrentSeries()->TotalType() : tape.OpenSeriesTotalType();
    return type.empty() ? std::string(kDecimalTotalType) : type;
}

std::string FocusAnnotation(const TCalculator& tape) {
    if (!tape.IsColumnShown(TTapeColumn::Annotations)) return {};
    return std::string(tape.Lines().Annotations(tape.FocusLine()));
}

// Non-empty parts joined by single blanks.
std::string JoinWords(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const std::string_view part : parts) {
        if (part.empty()) continue;
        if (!joined.empty()) joined += ' ';
        joined += part;
    }
    return joined;
}

bool IsDecimalNumber(std::string_view text, char decimalSeparator) {
    if (!text.empty() && text.front() == '-') text.remove_prefix(1);
    if (text.empty() || std::count(text.begin(), text.end(), decimalSeparator) > 1) return false;
    return std::all_of(text.begin(), text.end(),
                       [decimalSeparator](char c) { return (c >= '0' && c <= '9') || c == decimalSeparator; });
}

}  // namespace

std::string AnnotationValueText(std::string_view entries) {
    const TFormatSettings& format = FormatSettings();
    std::string text = RemoveThousandSeparators(entries);
    // The operator is not part of the value; a minus sign is.
    while (!text.empty() && (text.front() == '+' || IsMultiplicativeOperator(text.front()))) text.erase(0, 1);
    if (!IsDecimalNumber(text, format.DecimalSeparator) ||
        text.find(format.DecimalSeparator) == std::string::npos) {
        return text;
    }
    while (text.back() == '0') text.pop_back();
    if (text.back() == format.DecimalSeparator) text += '0';
    return text;
}

void SetLineAnnotation(TCalculator& tape, LineIndex line, std::string_view annotation) {
    TLineStore& lines = tape.Lines();
    lines.SetCell(line, TLineColumn::Annotations, annotation);
    if (!lines.Property(line, LineKey::kTableColumnId).empty() && tape.Hooks().CommitAnnotation) {
        tape.Hooks().CommitAnnotation(tape, line);
    }
    if (line == tape.FocusLine()) tape.ReloadFocusLine();
    tape.SetModified(true);
}

TCalculator* TCrossTapeCommands::MemoryForCommand() const {
    TCalculator* memory = document_.MemoryTape();
    return memory != nullptr && memory != &document_.CurrentTape() ? memory : nullptr;
}

void TCrossTapeCommands::FillEmptyAnnotation(TCalculator& tape, std::string_view annotation) {
    if (!tape.Lines().Annotations(tape.FocusLine()).empty() || annotation.empty()) return;
    SetLineAnnotation(tape, tape.FocusLine(), annotation);
}

// ---- Values into memory

void TCrossTapeCommands::MemStoreEntry(bool minus) {
    auto* memory = static_cast<TCalculatorMemory*>(MemoryForCommand());
    if (memory == nullptr) return;
    const TCalculator& tape = document_.CurrentTape();
    const LineIndex focus = tape.FocusLine();
    memory->StoreEntry(tape.Lines().Entries(focus), SeriesDecimals(tape), SeriesTotalType(tape),
                       SeriesKindOf(tape, focus), FocusAnnotation(tape), minus);
}

void TCrossTapeCommands::MemStoreEntryLink(bool minus) {
    auto* memory = static_cast<TCalculatorMemory*>(MemoryForCommand());
    if (memory == nullptr) return;
    TCalculator& tape = document_.CurrentTape();
    const LineIndex focus = tape.FocusLine();
    if (!document_.LinkManager().SetAsLinkSource(tape.TapeId(), focus + 1, "")) return;
    if (!memory->PrepareLinkLine(SeriesKindOf(tape, focus), SeriesTotalType(tape), minus, SeriesDecimals(tape))) {
        // The source waits for a destination that will not come.
        document_.LinkManager().Unlink(tape.TapeId(), focus + 1, 'u');
        return;
    }
    document_.LinkManager().SetAsLinkDest(memory->TapeId(), memory->FocusLine() + 1, "");
    document_.KeepLinkState();
}

void TCrossTapeCommands::MemStoreTotal(bool minus) {
    if (MemoryForCommand() != nullptr) StoreTotalFrom(document_.CurrentTape(), minus);
}

std::string TCrossTapeCommands::MemTotalAnnotation(const TCalculator& tape) const {
    const TLineStore& lines = tape.Lines();
    const LineIndex focus = tape.FocusLine();
    const std::string value = AnnotationValueText(lines.Entries(focus));
    if (!tape.IsColumnShown(TTapeColumn::Annotations)) {
        return autoAnnotateMemTotal_ ? JoinWords({"using", value, "as variable"}) : std::string();
    }
    const LineIndex totalLine = SeriesTotalLineOf(tape, focus);
    const std::string_view start = totalLine != kNoLine ? lines.Annotations(totalLine) : std::string_view();
    if (!autoAnnotateMemTotal_) return std::string(start);
    const std::string_view focusAnnotation = lines.Annotations(focus);
    if (start.empty() && focusAnnotation.empty()) return JoinWords({"using", value, "as variable"});
    return JoinWords({start, value, focusAnnotation});
}

void TCrossTapeCommands::StoreTotalFrom(TCalculator& source, bool minus) {
    auto* memory = static_cast<TCalculatorMemory*>(document_.MemoryTape());
    if (memory == nullptr || memory == &source) return;
    memory->StoreEntry(source.GetSeriesFinalTotalText(), SeriesDecimals(source), SeriesTotalType(source),
                       SeriesKindOf(source, source.FocusLine()), MemTotalAnnotation(source), minus);
}

// Like every memory function, the locks need the memory tape, and another tape shown.
void TCrossTapeCommands::SetMemPlusTotalLock(bool on) {
    if (MemoryForCommand() == nullptr) return;
    memPlusTotalLock_ = on;
    if (on) memMinusTotalLock_ = false;
}

void TCrossTapeCommands::SetMemMinusTotalLock(bool on) {
    if (MemoryForCommand() == nullptr) return;
    memMinusTotalLock_ = on;
    if (on) memPlusTotalLock_ = false;
}

void TCrossTapeCommands::SetAutoAnnotateMemTotal(bool on) {
    autoAnnotateMemTotal_ = on;
    const TCalculator* memory = document_.MemoryTape();
    if (on && memory != nullptr && !memory->IsColumnShown(TTapeColumn::Annotations)) {
        document_.ShowColumn(TTapeColumn::Annotations, true);
    }
}

// ---- Values back from memory

void TCrossTapeCommands::MemTotalToEntry() {
    TCalculator* memory = MemoryForCommand();
    if (memory == nullptr) return;
    TCalculator& tape = document_.CurrentTape();
    if (!tape.PlaceNumber(memory->GetSeriesTotalText())) return;
    const LineIndex totalLine = SeriesTotalLineOf(*memory, memory->FocusLine());
    if (totalLine != kNoLine) FillEmptyAnnotation(tape, memory->Lines().Annotations(totalLine));
}

void TCrossTapeCommands::MemTotalToEntryLink() {
    TCalculator* memory = MemoryForCommand();
    if (memory == nullptr) return;
    const LineIndex totalLine = SeriesTotalLineOf(*memory, memory->FocusLine());
    if (totalLine == kNoLine) {
        Notifier().ExplainAndBeep(std::string(kNoMemoryTotalToLinkText));
        return;
    }
    LinkInto(*memory, totalLine, document_.CurrentTape());
}

void TCrossTapeCommands::MemEntryToEntry() {
    auto* memory = static_cast<TCalculatorMemory*>(MemoryForCommand());
    if (memory == nullptr) return;
    TCalculator& tape = document_.CurrentTape();
    if (!tape.PlaceNumber(memory->SignedFocusNumber())) return;
    FillEmptyAnnotation(tape, memory->Lines().Annotations(memory->FocusLine()));
}

// ---- The memory tape itself

void TCrossTapeCommands::MemClear() {
    TCalculator* memory = document_.MemoryTape();
    if (memory == nullptr) return;
    memory->EraseTape();
    RefreshLinksAndTables();
}

void TCrossTapeCommands::MemDeleteLine() {
    TCalculator* memory = document_.MemoryTape();
    if (memory == nullptr || memory != &document_.CurrentTape()) return;
    memory->DeleteLine();
    RefreshLinksAndTables();
}

// ---- Recalling a memory entry

bool TCrossTapeCommands::CanDoMemEntryToEntry() const {
    const TCalculator* memory = MemoryForCommand();
    const TCalculator& tape = document_.CurrentTape();
    return memory != nullptr && IsEmptyOrOperatorOnly(tape.Lines().Entries(tape.FocusLine()));
}

int TCrossTapeCommands::SetupForMemEntryToEntry() {
    TCalculator* memory = MemoryForCommand();
    if (document_.MemoryRecallActive() || memory == nullptr) return 0;
    recallReturnTape_ = &document_.CurrentTape();
    document_.SetMemoryRecallActive(true);
    document_.ShowTape(*memory);
    const int line = memory->FocusLine() + 1;
    if (memory->Lines().LineCount() - 4 >= line) return line;
    memory->SetFocusLine(0);
    return 1;
}

void TCrossTapeCommands::TeardownForMemEntryToEntry() {
    if (!document_.MemoryRecallActive() || document_.MemoryTape() == nullptr) return;
    document_.SetMemoryRecallActive(false);
    if (recallReturnTape_ != nullptr) document_.ShowTape(*recallReturnTape_);
    recallReturnTape_ = nullptr;
}

}  // namespace tally
