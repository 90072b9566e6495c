#include "foundation/numbers/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/numbers/decimal_digits.h"
#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/rounding.h"

namespace tally {

using numbers_detail::Decompose18;
using numbers_detail::DigitCount;
using numbers_detail::kPow10U64;
using numbers_detail::WriteUnsigned;

namespace {

std::size_t WriteNonFinite(char* out, long double value) {
    const std::string_view text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    std::copy(text.begin(), text.end(), out);
    return text.size();
}

// Writes digits[0..count) with the thousand separator every three digits from the right.
char* WriteGrouped(char* out, const char* digits, std::size_t count, bool showThousands, char separator) {
    for (std::size_t i = 0; i < count; ++i) {
        if (showThousands && i > 0 && (count - i) % 3 == 0) *out++ = separator;
        *out++ = digits[i];
    }
    return out;
}

// Exponent form: first digit, further digits after the decimal separator, "E", exponent.
char* WriteExponentForm(char* out, std::uint64_t q, int exponent, bool negative, char decimalSep) {
    while (q != 0 && q % 10 == 0) q /= 10;
    char digits[24];
    const std::size_t count = static_cast<std::size_t>(WriteUnsigned(digits, q) - digits);
    if (negative) *out++ = '-';
    *out++ = digits[0];
    if (count > 1) {
        *out++ = decimalSep;
        out = std::copy(digits + 1, digits + count, out);
    }
    *out++ = 'E';
    return std::to_chars(out, out + 8, exponent).ptr;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when a time text has no digit other than 0.
bool ShowsZero(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
}

std::string WithSign(bool negative, std::string text) {
    if (negative && !text.empty() && !ShowsZero(text)) text.insert(text.begin(), '-');
    return text;
}

std::string JoinTime(std::int64_t h, std::int64_t m, std::int64_t s, bool withSeconds) {
    char buf[80];
    char* p = std::to_chars(buf, buf + 24, h).ptr;
    *p++ = ':';
    p = std::to_chars(p, p + 24, m).ptr;
    if (withSeconds) {
        *p++ = ':';
        p = std::to_chars(p, p + 24, s).ptr;
    }
    return std::string(buf, p);
}

std::string PadComponent(std::string part) {
    if (part.empty()) return "00";
    if (part.size() == 1) return "0" + part;
    std::size_t zeros = 0;
    while (part.size() - zeros > 2 && part[zeros] == '0') ++zeros;
    return part.substr(zeros);
}

// An integral value written with all its digits.
std::string IntegerText(long double value) {
    char buf[32];
    if (std::fabs(value) < 9.0e18L) {
        const auto v = static_cast<std::int64_t>(value);
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    std::string big(4960, '\0');
    const auto res = std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed, 0);
    big.resize(static_cast<std::size_t>(res.ptr - big.data()));
    return big;
}

}  // namespace

std::size_t FormatDecimalTo(char* out, long double value, int decimals, bool showThousands) noexcept {
    if (!std::isfinite(value)) return WriteNonFinite(out, value);
    decimals = std::clamp(decimals, 0, 18);
    const TFormatSettings& fs = FormatSettings();
    const long double a = std::fabs(value);
    std::uint64_t q = 0;  // |value| ~ q * 10^scale after rounding
    int scale = 0;
    if (a >= 1e-21L) {  // anything smaller is 0 at 18 decimals or fewer
        const auto d = Decompose18(a);
        const int keep = std::min(15, d.PointPos + decimals);
        if (keep >= 0) {
            const std::uint64_t unit = kPow10U64[18 - keep];
            q = d.Digits / unit;
            if ((d.Digits % unit) * 2 >= unit) ++q;  // half away from zero
            scale = d.PointPos - keep;
        }
    }
    char* p = out;
    if (q == 0) {
        *p++ = '0';
        if (decimals > 0) {
            *p++ = fs.DecimalSeparator;
            p = std::fill_n(p, decimals, '0');
        }
        return static_cast<std::size_t>(p - out);
    }
    const int qDigits = DigitCount(q);
    const int intDigits = qDigits + scale;
    if (intDigits > 15) {
        p = WriteExponentForm(p, q, intDigits - 1, value < 0, fs.DecimalSeparator);
        return static_cast<std::size_t>(p - out);
    }
    // Here scale <= 0: the digits of q end at or after the decimal point.
    char digits[24];
    WriteUnsigned(digits, q);
    const int fracAvail = -scale;
    const int intLen = qDigits - fracAvail;
    if (value < 0) *p++ = '-';
    if (intLen <= 0) {
        *p++ = '0';
    } else {
        p = WriteGrouped(p, digits, static_cast<std::size_t>(intLen), showThousands, fs.ThousandSeparator);
    }
    if (decimals > 0) {
        *p++ = fs.DecimalSeparator;
        if (intLen < 0) p = std::fill_n(p, -intLen, '0');
        const int from = std::max(intLen, 0);
        p = std::copy(digits + from, digits + qDigits, p);
        p = std::fill_n(p, decimals - fracAvail, '0');
    }
    return static_cast<std::size_t>(p - out);
}

std::string FormatDecimal(long double value, int decimals, bool showThousands) {
    char buf[kFormatBufferSize];
    return std::string(buf, FormatDecimalTo(buf, value, decimals, showThousands));
}

std::string FormatGeneral(long double value) {
    char buf[kFormatBufferSize];
    if (!std::isfinite(value)) return std::string(buf, WriteNonFinite(buf, value));
    if (value == 0) return "0";
    const TFormatSettings& fs = FormatSettings();
    const auto d = Decompose18(std::fabs(value));
    std::uint64_t q = d.Digits / 1000;
    if ((d.Digits % 1000) * 2 >= 1000) ++q;
    int pointPos = d.PointPos;
    if (q == kPow10U64[15]) {
        q = kPow10U64[14];
        ++pointPos;
    }
    char* p = buf;
    if (pointPos > 15 || pointPos < -3) {
        p = WriteExponentForm(p, q, pointPos - 1, value < 0, fs.DecimalSeparator);
        return std::string(buf, p);
    }
    while (q % 10 == 0) q /= 10;
    char digits[24];
    const int count = static_cast<int>(WriteUnsigned(digits, q) - digits);
    if (value < 0) *p++ = '-';
    if (pointPos <= 0) {
        *p++ = '0';
        *p++ = fs.DecimalSeparator;
        p = std::fill_n(p, -pointPos, '0');
        p = std::copy(digits, digits + count, p);
    } else {
        const int intLen = std::min(pointPos, count);
        p = std::copy(digits, digits + intLen, p);
        p = std::fill_n(p, pointPos - intLen, '0');
        if (count > pointPos) {
            *p++ = fs.DecimalSeparator;
            p = std::copy(digits + pointPos, digits + count, p);
        }
    }
    return std::string(buf, p);
}

std::string FormatFractionText(std::string_view text, bool showThousands) {
    const TFormatSettings& fs = FormatSettings();
    const std::size_t leader = text.find(fs.FractionLeader);
    if (leader == std::string_view::npos || leader < 1 || !IsDigit(text[leader - 1])) return std::string(text);
    if (!IsFractionText(text)) return std::string(text);
    const TFractionParts parts = SplitFraction(text);
    if (parts.Whole.empty()) return std::string(text);
    // The whole part is an integer digit run: drop leading zeros and group it by hand, which
    // is FormatDecimal(whole, 0, showThousands) for every length.
    std::size_t zeros = 0;
    while (zeros + 1 < parts.Whole.size() && parts.Whole[zeros] == '0') ++zeros;
    const std::string_view whole = std::string_view(parts.Whole).substr(zeros);
    std::string out;
    out.reserve(text.size() + whole.size() / 3 + 2);
    if (parts.Sign == '-') out.push_back('-');
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (showThousands && i > 0 && (whole.size() - i) % 3 == 0) out.push_back(fs.ThousandSeparator);
        out.push_back(whole[i]);
    }
    out.push_back(fs.FractionLeader);
    out += parts.Numerator;
    out.push_back('/');
    out += parts.Denominator;
    return out;
}

std::string DecimalToFractionText(long double value, std::int64_t denominator, bool halfEven) {
    if (!std::isfinite(value)) return {};
    std::uint64_t d = denominator < 0 ? 0 - static_cast<std::uint64_t>(denominator)
                                      : static_cast<std::uint64_t>(denominator);
    if (d == 0) d = 1;
    long double whole = std::trunc(value);
    const long double fraction = value - whole;
    const long double scaled = static_cast<long double>(d) * fraction;
    long double numerator = std::trunc(halfEven ? RoundHalfEven(scaled, 0) : RoundHalfUp(scaled, 0));
    if (d == 1) {
        whole += numerator;
        numerator = 0;
    }
    if (whole != 0) numerator = std::fabs(numerator);
    if (whole == 0 && numerator == 0) return "0";
    if (numerator == 0) return IntegerText(whole);
    char buf[24];
    const std::string denominatorText(buf, WriteUnsigned(buf, d));
    if (whole == 0) return IntegerText(numerator) + "/" + denominatorText;
    return IntegerText(whole) + FormatSettings().FractionLeader + IntegerText(numerator) + "/" + denominatorText;
}

// --- Time texts -------------------------------------------------------------------------------

std::string PadTimeText(std::string_view text) {
    const int components = TimeComponentCount(text);
    if (components == 0) return std::string(text);
    TTimeParts parts = SplitTime(text);
    std::string sign;
    if (!parts.Hours.empty() && (parts.Hours[0] == '+' || parts.Hours[0] == '-')) {
        sign.assign(1, parts.Hours[0]);
        parts.Hours.erase(0, 1);
    }
    std::string out = sign + PadComponent(parts.Hours) + ':' + PadComponent(parts.Minutes);
    if (components == 3) out += ':' + PadComponent(parts.Seconds);
    return out;
}

std::string NormalizeTimeText(std::string_view text) {
    const int components = TimeComponentCount(text);
    if (components == 0) return std::string(text);
    if (TimeTextOverflows(text)) return {};
    const bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
    const TSecondsParts s = SplitSeconds(TimeTextToSeconds(text));
    return WithSign(negative, PadTimeText(JoinTime(s.Hours, s.Minutes, s.Seconds, components == 3)));
}

std::string SecondsToHoursMinutesText(long double seconds) {
    if (SecondsOverflow(seconds)) return {};
    TSecondsParts s = SplitSeconds(seconds);
    if (s.Seconds >= 30) ++s.Minutes;
    return WithSign(seconds < 0, NormalizeTimeText(JoinTime(s.Hours, s.Minutes, 0, false)));
}

std::string SecondsToHoursMinutesSecondsText(long double seconds) {
    if (SecondsOverflow(seconds)) return {};
    const TSecondsParts s = SplitSeconds(seconds);
    return WithSign(seconds < 0, NormalizeTimeText(JoinTime(s.Hours, s.Minutes, s.Seconds, true)));
}

std::string HoursToTimeText(long double hours) {
    if (HoursOverflow(hours)) return {};
    return SecondsToHoursMinutesSecondsText(hours * 3600.0L);
}

std::string ToHoursMinutesSecondsText(std::string_view text) {
    switch (TimeComponentCount(text)) {
        case 2: return PadTimeText(std::string(text) + ":00");
        case 3: return PadTimeText(text);
        default: return std::string(text);
    }
}

std::string ToHoursMinutesText(std::string_view text) {
    if (!IsTimeText(text)) return std::string(text);
    if (TimeTextOverflows(text)) return {};
    const bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
    std::string body(text);
    if (!IsWellFormedTime(body)) body = NormalizeTimeText(body);
    if (TimeComponentCount(body) == 2) return WithSign(negative, body);
    return WithSign(negative, SecondsToHoursMinutesText(TimeTextToSeconds(body)));
}

}  // namespace tally
