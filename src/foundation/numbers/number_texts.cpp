#include "foundation/numbers/number_texts.h"

#include <cmath>

#include "foundation/numbers/decimal_digits.h"
#include "foundation/numbers/text_buffer.h"

namespace tally {

using numbers_detail::DigitRunValue;
using numbers_detail::HasNonZeroDigit;
using numbers_detail::ParseDecimal;
using numbers_detail::TStrippedText;
using numbers_detail::TrimBlanks;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct TFractionView {
    std::string_view Whole;  // may hold thousand separators
    std::string_view Numerator;
    std::string_view Denominator;
    bool Negative = false;
};

// The fraction test, keeping the parts. Also refuses a fraction whose value is not
// finite (digit runs beyond the range of the value type).
bool ScanFraction(std::string_view text, TFractionView& out) noexcept {
    const TFormatSettings& fs = FormatSettings();
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.find(fs.DecimalSeparator) != std::string_view::npos) return false;
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos || text.find('/', slash + 1) != std::string_view::npos) return false;
    const std::string_view denominator = TrimBlanks(text.substr(slash + 1));
    const std::string_view left = TrimBlanks(text.substr(0, slash));
    std::string_view whole, numerator;
    const std::size_t leader = left.find(fs.FractionLeader);
    if (leader != std::string_view::npos) {
        whole = left.substr(0, leader);
        numerator = TrimBlanks(left.substr(leader + 1));
    } else {
        numerator = left;
    }
    for (char c : whole) {
        if (!IsDigit(c) && !fs.IsThousandSeparator(c)) return false;
    }
    if (!IsDigitText(numerator) || !IsDigitText(denominator) || !HasNonZeroDigit(denominator)) return false;
    out.Whole = whole;
    out.Numerator = numerator;
    out.Denominator = denominator;
    out.Negative = negative;
    return true;
}

long double ValueOf(const TFractionView& f) noexcept {
    const long double whole = DigitRunValue(f.Whole, FormatSettings().ThousandSeparator);
    const long double value = DigitRunValue(f.Numerator) / DigitRunValue(f.Denominator) + whole;
    return f.Negative ? -value : value;
}

// A time component read as a decimal number; a digit run too long for the range reads as
// infinity (so that it overflows), anything else that does not read counts as 0.
long double ComponentValue(std::string_view part) noexcept {
    if (IsDigitText(part)) return DigitRunValue(part);
    long double v = 0;
    if (ParseDecimal(part, '\0', v)) return v;
    return 0;
}

}  // namespace

// --- Text tests -------------------------------------------------------------------------------

bool IsDigitText(std::string_view text) noexcept {
    if (text.empty()) return false;
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    return true;
}

bool IsDecimalText(std::string_view text) noexcept {
    long double v = 0;
    return !text.empty() && ParseDecimal(text, FormatSettings().DecimalSeparator, v);
}

bool IsFractionText(std::string_view text) noexcept {
    TFractionView f;
    return ScanFraction(text, f) && std::isfinite(ValueOf(f));
}

bool IsEntryFractionText(std::string_view text) noexcept {
    if (!IsFractionText(text)) return false;
    if (text.find(FormatSettings().FractionLeader) == std::string_view::npos) return false;
    const std::size_t slash = text.find('/');
    return slash == 0 || IsDigit(text[slash - 1]);
}

bool IsUnsignedTimeText(std::string_view text) noexcept {
    const char sep = FormatSettings().TimeSeparator;
    if (text.empty() || text[0] == '+' || text[0] == '-') return false;
    int separators = 0;
    for (char c : text) {
        if (c == sep) {
            ++separators;
        } else if (!IsDigit(c)) {
            return false;
        }
    }
    return separators == 1 || separators == 2;
}

bool IsTimeText(std::string_view text) noexcept {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    return IsUnsignedTimeText(text);
}

int TimeComponentCount(std::string_view text) noexcept {
    if (!IsTimeText(text)) return 0;
    int count = 1;
    for (char c : text) count += (c == FormatSettings().TimeSeparator) ? 1 : 0;
    return count;
}

bool IsWellFormedTime(std::string_view text) noexcept {
    const int components = TimeComponentCount(text);
    if (components == 0) return false;
    if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
    const char sep = FormatSettings().TimeSeparator;
    const std::size_t first = text.find(sep);
    const std::string_view hours = text.substr(0, first);
    std::string_view rest = text.substr(first + 1);
    if (hours.size() < 2 || (hours.size() > 2 && hours[0] == '0')) return false;
    auto belowSixty = [](std::string_view part) {
        return part.size() == 2 && IsDigitText(part) && part[0] < '6';
    };
    if (components == 2) return belowSixty(rest);
    const std::size_t second = rest.find(sep);
    return belowSixty(rest.substr(0, second)) && belowSixty(rest.substr(second + 1));
}

bool TimeTextOverflows(std::string_view text) noexcept {
    return IsTimeText(text) && SecondsOverflow(TimeTextToSeconds(text));
}

bool SecondsOverflow(long double seconds) noexcept {
    if (!std::isfinite(seconds)) return true;
    return std::trunc(std::fabs(seconds) + 0.5L) > kMaxTimeSeconds;
}

bool HoursOverflow(long double hours) noexcept { return SecondsOverflow(hours * 3600.0L); }

bool IsValidEntryNumber(std::string_view text) noexcept {
    const TFormatSettings& fs = FormatSettings();
    if (!text.empty() && fs.IsOperatorKey(text[0])) text.remove_prefix(1);
    const TStrippedText stripped(text, fs.ThousandSeparator, fs.TypedThousandSeparator);
    const std::string_view number = stripped.View();
    return IsDecimalText(number) || IsEntryFractionText(number) || IsTimeText(number);
}

// --- Conversions ------------------------------------------------------------------------------

long double EntryNumberValue(std::string_view text) noexcept {
    const TFormatSettings& fs = FormatSettings();
    const TStrippedText stripped(text, fs.ThousandSeparator, fs.TypedThousandSeparator);
    const std::string_view number = stripped.View();
    if (number.empty()) return 0;
    long double value = 0;
    if (ParseDecimal(number, fs.DecimalSeparator, value)) {
        // fall through to the zero fix below
    } else if (IsEntryFractionText(number)) {
        value = FractionValue(number);
    } else if (IsTimeText(number)) {
        value = TimeTextToSeconds(number) / 3600.0L;
    } else {
        return 0;
    }
    return value == 0 ? 0.0L : value;
}

long double FractionValue(std::string_view text) noexcept {
    TFractionView f;
    if (!ScanFraction(text, f)) return 0;
    const long double value = ValueOf(f);
    if (!std::isfinite(value)) return 0;
    return value == 0 ? 0.0L : value;
}

TFractionParts SplitFraction(std::string_view text) {
    const TFormatSettings& fs = FormatSettings();
    TFractionParts parts;
    text = TrimBlanks(text);
    if (!text.empty() && text[0] == '-') parts.Sign = '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    std::string_view pieces[3];
    int count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == fs.FractionLeader || text[i] == '/') {
            if (i > start) {
                if (count < 3) pieces[count] = text.substr(start, i - start);
                ++count;
            }
            start = i + 1;
        }
    }
    if (count == 2) {
        parts.Numerator = pieces[0];
        parts.Denominator = pieces[1];
    } else if (count == 3) {
        parts.Whole = RemoveThousandSeparators(pieces[0]);
        parts.Numerator = pieces[1];
        parts.Denominator = pieces[2];
    }
    return parts;
}

TTimeParts SplitTime(std::string_view text) {
    const char sep = FormatSettings().TimeSeparator;
    TTimeParts parts;
    std::string* component[3] = {&parts.Hours, &parts.Minutes, &parts.Seconds};
    int index = 0;
    for (char c : text) {
        if (c == sep) {
            if (index < 2) ++index;
        } else if (IsDigit(c) || c == '+' || c == '-') {
            component[index]->push_back(c);
        }
    }
    // "+" becomes "+0", "-" becomes "-0", an empty part "0".
    for (std::string* part : component) {
        if (part->empty() || (part == &parts.Hours && (*part == "+" || *part == "-"))) part->push_back('0');
    }
    return parts;
}

long double TimeTextToSeconds(std::string_view text) noexcept {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // SplitTime without allocating: each component is gathered into a small buffer.
    const char sep = FormatSettings().TimeSeparator;
    long double total = 0;
    static constexpr long double kFactor[3] = {3600.0L, 60.0L, 1.0L};
    int index = 0;
    std::size_t i = 0;
    while (index < 3) {
        numbers_detail::TSmallBuffer part;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == sep) {
                if (index < 2) break;
            } else if (IsDigit(c) || c == '+' || c == '-') {
                part.Push(c);
            }
        }
        if (i < text.size()) ++i;  // past the separator
        total += ComponentValue(part.View()) * kFactor[index];
        ++index;
    }
    if (negative) total = -total;
    return total == 0 ? 0.0L : total;
}

long double TimeTextToHours(std::string_view text) noexcept { return TimeTextToSeconds(text) / 3600.0L; }

TSecondsParts SplitSeconds(long double seconds) noexcept {
    TSecondsParts parts;
    const long double s = std::fabs(seconds);
    if (!std::isfinite(s) || s >= 9.0e18L) return parts;
    const long double hours = std::trunc(s / 3600.0L);
    const long double r = s - hours * 3600.0L;
    const long double minutes = std::trunc(r / 60.0L);
    parts.Hours = static_cast<std::int64_t>(hours);
    parts.Minutes = static_cast<std::int64_t>(minutes);
    parts.Seconds = static_cast<std::int64_t>(std::trunc(r - minutes * 60.0L + 0.5L));
    return parts;
}

long double CheckedSeconds(long double seconds) {
    if (SecondsOverflow(seconds)) throw ETimeValueOverflow();
    return seconds;
}

std::string RemoveThousandSeparators(std::string_view text) {
    const TFormatSettings& fs = FormatSettings();
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (!fs.IsThousandSeparator(c)) out.push_back(c);
    }
    return out;
}

}  // namespace tally
