#include "engine/series/series_base.h"

#include "engine/lines/calc_params.h"
#include "engine/lines/operator_keys.h"
#include "engine/lines/series_navigation.h"
#include "engine/tape/calculator.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"

namespace tally {
namespace {
constexpr std::string_view kEmbeddedSeriesType = "e";
}

TSeriesBase::TSeriesBase(TCalculator& tape) : tape_(tape), lines_(tape.Lines()) {}

void TSeriesBase::Initialize() {
    defaultDecimalPlaces_ = InitDefaultDecimalPlaces();
    minusCharacters_ = InitMinusCharacters();
    multiplicativeOperators_ = InitMultiplicativeOperators();
    entryLineCharacters_ = InitEntryLineCharacters();
    maximumDecimalPlaces_ = InitMaximumDecimalPlaces();
    minimumDecimalPlaces_ = InitMinimumDecimalPlaces();
    zeroTotalCharacter_ = InitZeroTotalCharacter();
    seriesTypeCode_ = InitSeriesTypeCode();
    operatorsTakingMinus_ = InitOperatorsTakingMinus();
    operatorKeysNeedingPrevious_ = InitOperatorKeysNeedingPrevious();
    totalCharacters_ = InitTotalCharacters();
    operatorCharacters_ = InitOperatorCharacters();
    operatorKeys_ = InitOperatorKeys();
    // Built last: it includes the operator characters.
    allowedEntryCharacters_ = InitAllowedEntryCharacters();
    totalTypes_ = InitTotalTypes();
}

std::string TSeriesBase::InitMultiplicativeOperators() const {
    return std::string{'X', FormatSettings().DivideOperChar, 'P', 'R'};
}

std::string TSeriesBase::InitOperatorsTakingMinus() const { return InitMultiplicativeOperators(); }

std::string TSeriesBase::InitOperatorKeysNeedingPrevious() const {
    return std::string(kOperatorKeysNeedingPrevious);
}

std::string TSeriesBase::InitAllowedEntryCharacters() const {
    const TFormatSettings& format = FormatSettings();
    std::string allowed = operatorCharacters_;
    allowed += TFormatSettings::Digits();
    allowed += format.FractionChars();
    allowed += format.TimeSeparator;
    allowed += format.ThousandSeparator;
    allowed += format.DecimalSeparator;
    return allowed;
}

std::string TSeriesBase::InitOperatorCharacters() const {
    return std::string{'+', '-', 'X', FormatSettings().DivideOperChar, 'P', 'R'};
}

std::string TSeriesBase::InitOperatorKeys() const { return "+aA-*xX\xD7\xF7/rRpP"; }

std::string_view TSeriesBase::SeriesKindOf(LineIndex line) const {
    const std::string_view type = lines_.Property(line, LineKey::kSeriesType);
    if (type != kEmbeddedSeriesType) return type;
    // An embedded series belongs to the series around it: the one its external total line
    // (after ")") is part of, or failing that the line before "(".
    const LineIndex trailing = EmbeddedTrailingBoundary(lines_, line);
    if (trailing != kNoLine && lines_.IsLine(trailing + 1)) {
        return lines_.Property(trailing + 1, LineKey::kSeriesType);
    }
    const LineIndex leading = EmbeddedLeadingBoundary(lines_, line);
    if (leading != kNoLine && lines_.IsLine(leading - 1) &&
        lines_.Property(leading - 1, LineKey::kSeriesType) != kEmbeddedSeriesType) {
        return lines_.Property(leading - 1, LineKey::kSeriesType);
    }
    return {};
}

bool TSeriesBase::ClaimsLine(LineIndex line) const {
    return lines_.IsLine(line) && SeriesKindOf(line) == seriesTypeCode_;
}

bool TSeriesBase::IsExternalTotalLine(LineIndex line) const {
    return lines_.HasKind(line - 1, LineKind::kEmbeddedTrailing);
}

bool TSeriesBase::IsEntryLineOfThisKind(LineIndex line) const {
    return lines_.IsLine(line) && lines_.InGroup(line, LineGroup::kEntryLine) &&
           SeriesKindOf(line) == seriesTypeCode_;
}

char TSeriesBase::OperatorForKey(char key) const {
    return StoredOperatorForKey(key).value_or('\0');
}

bool TSeriesBase::OperatorKeyAllowed(char key, LineIndex line) const {
    if (operatorKeysNeedingPrevious_.find(key) == std::string::npos) return true;
    return PreviousNormalLine(lines_, line) != kNoLine;
}

bool TSeriesBase::IsOwnLine(LineIndex line) const {
    return IsEntryLineOfThisKind(line) && !IsExternalTotalLine(line);
}

bool TSeriesBase::CanEditEntry(LineIndex line) const {
    return IsOwnLine(line) && IsValidEntry(lines_.Entries(line));
}

bool TSeriesBase::IsEditableEntryLine(LineIndex line) const { return IsOwnLine(line); }

bool TSeriesBase::IsEntryOrSeparatorLine(LineIndex line) const {
    return IsEntryLineOfThisKind(line) || lines_.HasKind(line, LineKind::kSeparator);
}

bool TSeriesBase::IsEntryOrTotalLine(LineIndex line) const {
    return IsEntryLineOfThisKind(line) || lines_.InGroup(line, totalCharacters_);
}

bool TSeriesBase::IsEmptyEntryLine(LineIndex line) const {
    if (!IsEntryLineOfThisKind(line)) return false;
    const std::string_view entry = lines_.Entries(line);
    return entry.empty() || IsOperatorOnlyEntry(entry);
}

bool TSeriesBase::IsValidEntry(std::string_view entryText) const {
    return IsValidEntryNumber(entryText);
}

bool TSeriesBase::RecheckFocusPosition(LineIndex focusLine) {
    if (!ClaimsLine(focusLine)) {
        focusPosition_ = TFocusPosition::NotClaimed;
        return false;
    }
    inEmbeddedSeries_ = IsInsideEmbeddedSeries(lines_, focusLine);
    seriesFirstLine_ = tally::SeriesFirstLine(lines_, focusLine);
    seriesLastLine_ = tally::SeriesLastLine(lines_, focusLine);
    embeddedFirstLine_ = embeddedLastLine_ = kNoLine;
    if (tape_.IsLastLine(focusLine)) {
        focusPosition_ = TFocusPosition::TapeLastLine;
    } else if (inEmbeddedSeries_) {
        embeddedFirstLine_ = EmbeddedLeadingBoundary(lines_, focusLine) + 1;
        const LineIndex trailing = EmbeddedTrailingBoundary(lines_, focusLine);
        embeddedLastLine_ = trailing == kNoLine ? lines_.LastLine() : trailing - 1;
        if (lines_.InGroup(embeddedLastLine_, LineGroup::kTotalLine)) {
            focusPosition_ = TFocusPosition::CompleteEmbeddedLine;
        } else if (focusLine == embeddedLastLine_) {
            focusPosition_ = TFocusPosition::IncompleteEmbeddedLastLine;
        } else {
            focusPosition_ = TFocusPosition::IncompleteEmbeddedLine;
        }
    } else {
        focusPosition_ = TFocusPosition::StandardSeriesLine;
    }
    return true;
}

void TSeriesBase::LoadSeriesState(LineIndex line) {
    const auto totalType = SeriesTotalType(lines_, line);
    const auto decimals = SeriesDecimalPlaces(lines_, line);
    totalType_ = totalType ? *totalType : tape_.OpenSeriesTotalType();
    decimalPlaces_ = decimals ? *decimals : tape_.OpenSeriesDecimalPlaces();
}

}  // namespace tally
