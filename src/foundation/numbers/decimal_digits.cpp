#include "foundation/numbers/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tally::numbers_detail {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr long double kPow10L[28] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr u128 Pow10U128(int n) {
    u128 r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

struct TPow128Table {
    u128 v[39];
    constexpr TPow128Table() : v() {
        for (int i = 0; i < 39; ++i) v[i] = Pow10U128(i);
    }
};
constexpr TPow128Table kPow10U128{};

// round_half_even(m * 10^k / 2^s); false when the quotient does not fit in 64 bits.
bool ScaledQuotient(std::uint64_t m, int k, int s, std::uint64_t& q) {
    const u128 t = kPow10U128.v[k];
    const auto tlo = static_cast<std::uint64_t>(t);
    const auto thi = static_cast<std::uint64_t>(t >> 64);
    const u128 p0 = static_cast<u128>(m) * tlo;
    const u128 p1 = static_cast<u128>(m) * thi;
    const u128 mid = (p0 >> 64) + static_cast<std::uint64_t>(p1);
    std::uint64_t w[5] = {static_cast<std::uint64_t>(p0), static_cast<std::uint64_t>(mid),
                          static_cast<std::uint64_t>(p1 >> 64) + static_cast<std::uint64_t>(mid >> 64),
                          0, 0};
    if (s <= 0 || s >= 192) return false;
    const int idx = s / 64;
    const int off = s % 64;
    std::uint64_t quotient = w[idx] >> off;
    if (off != 0) quotient |= w[idx + 1] << (64 - off);
    // Bits above the quotient must be zero.
    std::uint64_t above = (off != 0) ? (w[idx + 1] >> off) : w[idx + 1];
    for (int j = idx + 2; j < 5; ++j) above |= w[j];
    if (above != 0) return false;
    const int rb = s - 1;
    const bool roundBit = (w[rb / 64] >> (rb % 64)) & 1U;
    bool sticky = false;
    for (int j = 0; j < rb / 64; ++j) sticky |= (w[j] != 0);
    if (rb % 64 != 0) sticky |= (w[rb / 64] & ((std::uint64_t{1} << (rb % 64)) - 1)) != 0;
    if (roundBit && (sticky || (quotient & 1U))) {
        if (quotient == ~std::uint64_t{0}) return false;
        ++quotient;
    }
    q = quotient;
    return true;
}

TDigits18 Decompose18Slow(long double a) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 17);
    TDigits18 d;
    std::uint64_t digits = 0;
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    int exp = 0;
    if (p < res.ptr) {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, res.ptr, exp);
    }
    d.Digits = digits;
    d.PointPos = exp + 1;
    return d;
}

}  // namespace

long double Pow10(int n) noexcept {
    if (n >= 0 && n <= 27) return kPow10L[n];
    return std::pow(10.0L, static_cast<long double>(n));
}

TDigits18 Decompose18(long double a) noexcept {
    int e2 = 0;
    const long double fr = std::frexp(a, &e2);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fr, 64));
    const int dEst = static_cast<int>(std::floor((e2 - 1) * 0.301029995663981195)) + 1;
    int k = 18 - dEst;
    const int s = 64 - e2;
    for (int attempt = 0; attempt < 2 && k >= 0 && k <= 38; ++attempt, --k) {
        std::uint64_t n = 0;
        if (!ScaledQuotient(m, k, s, n)) break;
        if (n >= kPow10U64[18]) {
            if (n == kPow10U64[18] && attempt == 1) return {kPow10U64[17], 18 - k + 1};
            continue;  // one digit too many: the estimate was one low
        }
        if (n < kPow10U64[17]) break;
        return {n, 18 - k};
    }
    return Decompose18Slow(a);
}

namespace {

// Exact-operand fast path: mantissa < 2^64 and |exponent| <= 27 give a correctly rounded value.
bool FastValue(std::uint64_t mant, long long exp10, long double& value) {
    if (exp10 >= 0 && exp10 <= 27) {
        value = static_cast<long double>(mant) * kPow10L[exp10];
        return true;
    }
    if (exp10 < 0 && exp10 >= -27) {
        value = static_cast<long double>(mant) / kPow10L[-exp10];
        return true;
    }
    return false;
}

}  // namespace

bool ParseDecimal(std::string_view text, char decimalSep, long double& value) noexcept {
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Mantissa digits.
    std::uint64_t mant = 0;
    int sigDigits = 0;        // significant digits read into mant
    long long scale = 0;      // value = mant * 10^(scale + exponent)
    long long pendingZeros = 0;
    bool anyDigit = false;
    bool seenSep = false;
    bool exact = true;        // all significant digits fit in mant
    const std::size_t mantStart = i;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (seenSep) --scale;
            if (c == '0') {
                if (sigDigits > 0) ++pendingZeros;
                continue;
            }
            // Flush the zeros between significant digits.
            if (sigDigits + pendingZeros + 1 > 19) {
                exact = false;
                // Keep counting scale for the slow path; value not used.
                sigDigits += static_cast<int>(pendingZeros) + 1;
                pendingZeros = 0;
                continue;
            }
            for (; pendingZeros > 0; --pendingZeros) mant *= 10;
            mant = mant * 10 + static_cast<std::uint64_t>(c - '0');
            ++sigDigits;
        } else if (c == decimalSep && !seenSep) {
            seenSep = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return false;
    const std::size_t mantEnd = i;
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNeg = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNeg = text[i] == '-';
            ++i;
        }
        if (i >= n) return false;
        for (; i < n; ++i) {
            const char c = text[i];
            if (c < '0' || c > '9') return false;
            if (exponent < 1000000000LL) exponent = exponent * 10 + (c - '0');
        }
        if (expNeg) exponent = -exponent;
    }
    if (i != n) return false;
    if (sigDigits == 0) {
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    // Trailing zeros (pendingZeros) multiply the mantissa by 10 each.
    long double v = 0;
    if (exact && FastValue(mant, scale + pendingZeros + exponent, v)) {
        value = negative ? -v : v;
        return true;
    }
    // Slow path: std::from_chars on a normalized copy ("." separator, no "+").
    std::string copy;
    copy.reserve(n + 2);
    for (std::size_t j = mantStart; j < mantEnd; ++j) copy.push_back(text[j] == decimalSep ? '.' : text[j]);
    copy += 'e';
    copy += std::to_string(exponent);
    long double parsed = 0;
    const auto res = std::from_chars(copy.data(), copy.data() + copy.size(), parsed);
    if (res.ec == std::errc::result_out_of_range) {
        // Magnitude estimate: decimal position of the first significant digit.
        long long intDigits = 0;
        bool sep = false, sig = false;
        long long leadFracZeros = 0;
        for (std::size_t j = mantStart; j < mantEnd; ++j) {
            const char c = text[j];
            if (c == decimalSep) { sep = true; continue; }
            if (c != '0') sig = true;
            if (!sep && sig) ++intDigits;
            if (sep && !sig) ++leadFracZeros;
        }
        const long long pos = (intDigits > 0 ? intDigits : -leadFracZeros) + exponent;
        if (pos > 0) return false;  // overflow: not a finite number
        value = negative ? -0.0L : 0.0L;
        return true;
    }
    if (res.ec != std::errc() || !std::isfinite(parsed)) return false;
    value = negative ? -parsed : parsed;
    return true;
}

long double DigitRunValue(std::string_view digits, char skip) noexcept {
    std::uint64_t mant = 0;
    int count = 0;
    bool big = false;
    for (char c : digits) {
        if (c == skip && skip != '\0') continue;
        if (c < '0' || c > '9') continue;
        if (count == 0 && c == '0') continue;
        if (++count > 19) {
            big = true;
            break;
        }
        mant = mant * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (!big) return static_cast<long double>(mant);
    std::string copy;
    copy.reserve(digits.size());
    for (char c : digits) {
        if (c >= '0' && c <= '9') copy.push_back(c);
    }
    long double v = 0;
    const auto res = std::from_chars(copy.data(), copy.data() + copy.size(), v);
    if (res.ec != std::errc() || !std::isfinite(v)) return std::numeric_limits<long double>::infinity();
    return v;
}

bool HasNonZeroDigit(std::string_view digits) noexcept {
    for (char c : digits) {
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

int DigitCount(std::uint64_t value) noexcept {
    int n = 1;
    while (n < 20 && value >= kPow10U64[n]) ++n;
    return n;
}

char* WriteUnsigned(char* out, std::uint64_t value) noexcept {
    return std::to_chars(out, out + 20, value).ptr;
}

}  // namespace tally::numbers_detail
