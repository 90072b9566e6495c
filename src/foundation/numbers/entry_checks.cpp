#include "foundation/numbers/entry_checks.h"

#include "foundation/numbers/format_settings.h"
#include "foundation/numbers/number_texts.h"
#include "foundation/numbers/text_buffer.h"

namespace tally {

bool EntryExceedsDigitCapacity(std::string_view entryText) noexcept {
    const TFormatSettings& fs = FormatSettings();
    const numbers_detail::TStrippedText stripped(entryText, fs.ThousandSeparator, fs.TypedThousandSeparator);
    std::string_view text = stripped.View();
    while (!text.empty() && fs.IsOperatorKey(text.front())) text.remove_prefix(1);
    constexpr std::size_t kMax = static_cast<std::size_t>(kMaxSignificantDigits);
    const std::size_t sep = text.find(fs.DecimalSeparator);
    if (sep != std::string_view::npos) {
        while (!text.empty() && text.back() == '0' && text.size() - 1 > sep) text.remove_suffix(1);
        return text.size() - 1 > kMax;  // characters before plus after the separator
    }
    const std::size_t leader = text.find(fs.FractionLeader);
    if (leader != std::string_view::npos) return leader + 1 >= 16;  // position 16 or later
    const std::size_t colon = text.find(fs.TimeSeparator);
    if (colon != std::string_view::npos) return colon > kMax;  // hours part longer than 15
    return text.size() > kMax;
}

std::string_view CheckEntryNumber(std::string_view entryText) noexcept {
    if (!IsValidEntryNumber(entryText)) return kInvalidEntryNumberMessage;
    // The time test runs on the number part (operator character and thousand separators
    // removed), so an entry such as "X596523:14:08" is checked too.
    const TFormatSettings& fs = FormatSettings();
    std::string_view number = entryText;
    if (!number.empty() && fs.IsOperatorKey(number.front())) number.remove_prefix(1);
    const numbers_detail::TStrippedText stripped(number, fs.ThousandSeparator, fs.TypedThousandSeparator);
    if (TimeTextOverflows(stripped.View())) return kTimeCapacityMessage;
    return {};
}

}  // namespace tally
