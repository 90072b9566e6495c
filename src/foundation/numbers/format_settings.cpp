#include "foundation/numbers/format_settings.h"

#include "foundation/text_encoding.h"

namespace tally {

namespace numbers_detail {
constinit TFormatSettings gFormatSettings{};
}

namespace {

bool IsSpaceLike(char c) { return c == ' ' || c == TFormatSettings::kNoBreakSpace; }

// A character that would make number texts ambiguous when used as a separator.
bool Collides(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return true;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
        case '/': case ':': case '+': case '-': case '_':
        case TFormatSettings::kDivisionSign: case '\xD7':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool SetFormatSeparators(std::string_view decimalSep, std::string_view thousandSep) {
    auto& s = numbers_detail::gFormatSettings;
    bool ok = decimalSep.size() == 1 && thousandSep.size() == 1;
    char dec = ok ? decimalSep[0] : '.';
    char tho = ok ? thousandSep[0] : ',';
    if (ok && IsSpaceLike(tho)) tho = TFormatSettings::kNoBreakSpace;
    if (ok && (Collides(dec) || IsSpaceLike(dec) || Collides(tho) || dec == tho)) ok = false;
    if (!ok) {
        dec = '.';
        tho = ',';
    }
    s.DecimalSeparator = dec;
    s.ThousandSeparator = tho;
    s.Rebuild();
    return ok;
}

bool SetFormatSeparatorsUtf8(std::string_view decimalSepUtf8, std::string_view thousandSepUtf8) {
    auto toLegacy = [](std::string_view utf8, bool spaceLikeAllowed) -> std::string {
        if (spaceLikeAllowed) {
            for (std::string_view space : {"\xC2\xA0", "\xE2\x80\x87", "\xE2\x80\x89", "\xE2\x80\xAF"}) {
                if (utf8 == space) return std::string(1, TFormatSettings::kNoBreakSpace);
            }
        }
        bool lossless = true;
        std::string text = Utf8ToWindows1252(utf8, '?', &lossless);
        return lossless ? text : std::string();
    };
    return SetFormatSeparators(toLegacy(decimalSepUtf8, false), toLegacy(thousandSepUtf8, true));
}

void SetDivideOperChar(char divideChar) {
    if (divideChar != TFormatSettings::kDivisionSign && divideChar != TFormatSettings::kSlash) return;
    auto& s = numbers_detail::gFormatSettings;
    s.DivideOperChar = divideChar;
    s.Rebuild();
}

void ResetFormatSettings() { numbers_detail::gFormatSettings = TFormatSettings{}; }

}  // namespace tally
