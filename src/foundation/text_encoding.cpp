#include "foundation/text_encoding.h"

#include <cstdint>

namespace tally {

namespace {

// Code points of 0x80..0x9F; the undefined bytes map to the C1 control of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

// Decodes one UTF-8 sequence at text[i]; advances i. Returns false for a malformed sequence
// (then i has moved past the offending byte).
bool DecodeUtf8(std::string_view text, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i++]);
    if (b0 < 0x80) {
        cp = b0;
        return true;
    }
    int extra;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1; cp = b0 & 0x1F; min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2; cp = b0 & 0x0F; min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3; cp = b0 & 0x07; min = 0x10000;
    } else {
        return false;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size()) return false;
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (b & 0x3F);
        ++i;
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    return true;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char32_t Windows1252ToUnicode(unsigned char byte) noexcept {
    if (byte >= 0x80 && byte < 0xA0) return kHigh[byte - 0x80];
    return byte;
}

bool UnicodeToWindows1252(char32_t cp, char& byte) noexcept {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        byte = static_cast<char>(cp);
        return true;
    }
    for (int k = 0; k < 32; ++k) {
        if (kHigh[k] == cp) {
            byte = static_cast<char>(0x80 + k);
            return true;
        }
    }
    return false;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) AppendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToWindows1252(std::string_view utf8, char replacement, bool* lossless) {
    std::string out;
    out.reserve(utf8.size());
    bool clean = true;
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        char byte = replacement;
        if (!DecodeUtf8(utf8, i, cp) || !UnicodeToWindows1252(cp, byte)) {
            byte = replacement;
            clean = false;
        }
        out.push_back(byte);
    }
    if (lossless) *lossless = clean;
    return out;
}

std::string ValidUtf8(std::string_view bytes) {
    constexpr char32_t kReplacementCharacter = 0xFFFD;
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        AppendUtf8(out, DecodeUtf8(bytes, i, cp) ? cp : kReplacementCharacter);
    }
    return out;
}

}  // namespace tally
