#include "engine/lines/comma_text.h"

#include <algorithm>

namespace tally {

namespace {

constexpr char kQuote = '"';

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Characters 1..32 are skipped around items. A NUL outside quotes is skipped as well: it
// ends an unquoted item, and leaving it in place would stall the reader.
bool IsSkippable(char c) {
    return IsBlankOrControl(c);
}

bool NeedsQuotes(std::string_view item) {
    return std::any_of(item.begin(), item.end(),
                       [](char c) { return IsBlankOrControl(c) || c == kQuote || c == ','; });
}

void AppendQuoted(std::string& out, std::string_view item) {
    out += kQuote;
    for (char c : item) {
        if (c == kQuote) out += kQuote;
        out += c;
    }
    out += kQuote;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string CommaTextFromItems(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        // Reading drops nothing but a trailing empty item, so a last empty item is quoted;
        // a list of one empty item thus becomes "".
        const bool emptyLast = items[i].empty() && i + 1 == items.size();
        if (emptyLast || NeedsQuotes(items[i])) {
            AppendQuoted(out, items[i]);
        } else {
            out += items[i];
        }
    }
    return out;
}

std::vector<std::string> ItemsFromCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    const std::size_t end = text.size();
    auto skipBlanks = [&] {
        while (pos < end && IsSkippable(text[pos])) ++pos;
    };
    skipBlanks();
    while (pos < end) {
        std::string item;
        if (text[pos] == kQuote) {
            ++pos;
            while (pos < end) {
                if (text[pos] == kQuote) {
                    if (pos + 1 < end && text[pos + 1] == kQuote) {
                        item += kQuote;
                        pos += 2;
                        continue;
                    }
                    ++pos;  // the closing quote
                    break;
                }
                item += text[pos++];
            }
        } else {
            const std::size_t start = pos;
            while (pos < end && !IsBlankOrControl(text[pos]) && text[pos] != ',') ++pos;
            item.assign(text.substr(start, pos - start));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (pos < end && text[pos] == ',') {
            ++pos;
            skipBlanks();
        }
    }
    return items;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool SplitNameValue(std::string_view item, std::string_view& name, std::string_view& value) {
    const std::size_t eq = item.find('=');
    if (eq == std::string_view::npos) return false;
    name = item.substr(0, eq);
    value = item.substr(eq + 1);
    return true;
}

std::string_view ValueOfName(const std::vector<std::string>& items, std::string_view name) {
    for (const std::string& item : items) {
        std::string_view itemName;
        std::string_view value;
        if (SplitNameValue(item, itemName, value) && SameName(itemName, name)) return value;
    }
    return {};
}

void SetValueOfName(std::vector<std::string>& items, std::string_view name, std::string_view value) {
    for (auto it = items.begin(); it != items.end(); ++it) {
        std::string_view itemName;
        std::string_view oldValue;
        if (!SplitNameValue(*it, itemName, oldValue) || !SameName(itemName, name)) continue;
        if (value.empty()) {
            items.erase(it);
        } else {
            *it = std::string(name) + '=' + std::string(value);
        }
        return;
    }
    if (!value.empty()) items.push_back(std::string(name) + '=' + std::string(value));
}

}  // namespace tally
