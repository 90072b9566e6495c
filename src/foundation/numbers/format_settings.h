#pragma once
// Process-wide format characters of the number rules and the character sets derived
// from them. They are set once at start-up (desktop program: from the locale; tests and the CLI:
// explicitly) and read on every number test, so reading them is a plain reference to a global.
// Texts are Windows-1252 bytes.

#include <cstddef>
#include <string_view>

namespace tally {

class TFormatSettings {
public:
    static constexpr char kDivisionSign = '\xF7';  // the division sign
    static constexpr char kSlash = '/';
    static constexpr char kNoBreakSpace = '\xA0';

    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char TimeSeparator = ':';
    char FractionLeader = ' ';
    char FractionSlash = '/';
    char DivideOperChar = kDivisionSign;
    // Where the thousand separator is the no-break space, a plain blank typed or read between
    // digits stands for it; otherwise this is the thousand separator itself.
    char TypedThousandSeparator = ',';

    // Derived character sets, rebuilt by every setter.
    std::string_view OperatorKeys() const noexcept { return {operatorKeys_, operatorKeysLen_}; }
    static constexpr std::string_view Digits() noexcept { return "0123456789"; }
    std::string_view FractionChars() const noexcept { return {fractionChars_, 2}; }
    std::string_view AllowedEntryChars() const noexcept { return {allowedChars_, allowedLen_}; }

    bool IsOperatorKey(char c) const noexcept {
        return c == '+' || c == '-' || c == DivideOperChar || c == 'X' || c == 'R' || c == 'P';
    }
    bool IsThousandSeparator(char c) const noexcept { return c == ThousandSeparator || c == TypedThousandSeparator; }
    bool IsAllowedEntryChar(char c) const noexcept {
        return AllowedEntryChars().find(c) != std::string_view::npos;
    }

    constexpr TFormatSettings() noexcept { Rebuild(); }
    // Recomputes the fraction leader and the derived sets from the separators and divide char.
    constexpr void Rebuild() noexcept {
        TimeSeparator = ':';
        FractionSlash = '/';
        FractionLeader = (ThousandSeparator == ' ' || ThousandSeparator == kNoBreakSpace) ? '_' : ' ';
        TypedThousandSeparator = ThousandSeparator == kNoBreakSpace ? ' ' : ThousandSeparator;
        std::size_t n = 0;
        for (char c : {'+', '-', DivideOperChar, 'X', 'R', 'P'}) operatorKeys_[n++] = c;
        operatorKeysLen_ = n;
        fractionChars_[0] = FractionLeader;
        fractionChars_[1] = FractionSlash;
        n = 0;
        for (std::size_t i = 0; i < operatorKeysLen_; ++i) allowedChars_[n++] = operatorKeys_[i];
        for (char c : Digits()) allowedChars_[n++] = c;
        allowedChars_[n++] = fractionChars_[0];
        allowedChars_[n++] = fractionChars_[1];
        allowedChars_[n++] = TimeSeparator;
        allowedChars_[n++] = ThousandSeparator;
        allowedChars_[n++] = DecimalSeparator;
        allowedLen_ = n;
    }

private:
    char operatorKeys_[8] = {};
    std::size_t operatorKeysLen_ = 0;
    char fractionChars_[2] = {};
    char allowedChars_[32] = {};
    std::size_t allowedLen_ = 0;
};

namespace numbers_detail {
extern constinit TFormatSettings gFormatSettings;
}

// The settings in force. Cheap: a reference to a constant-initialized global.
inline const TFormatSettings& FormatSettings() noexcept { return numbers_detail::gFormatSettings; }

// Sets the decimal and thousand separators from Windows-1252 texts. An empty, multi-byte or
// colliding separator (a digit, a letter, a control character, one of "/ : + - _", the division
// or multiplication sign, a blank
// as decimal separator, or both equal) makes both fall back to "." and ",". A space-like
// thousand separator (blank or no-break space) becomes the no-break space, and the fraction
// leader becomes "_". Returns false when the fallback was applied.
bool SetFormatSeparators(std::string_view decimalSep, std::string_view thousandSep);

// Same from UTF-8 texts (the locale's, or command-line arguments): the Unicode space characters
// used as group separators (U+0020, U+00A0, U+2007, U+2009, U+202F) count as space-like; other
// characters are converted to Windows-1252, and one that has no Windows-1252 form falls back.
bool SetFormatSeparatorsUtf8(std::string_view decimalSepUtf8, std::string_view thousandSepUtf8);

// Sets the divide operator character (the division sign or "/"; anything else is ignored) and
// rebuilds the sets.
void SetDivideOperChar(char divideChar);

// Back to the defaults: ".", "," and the division sign.
void ResetFormatSettings();

}  // namespace tally
