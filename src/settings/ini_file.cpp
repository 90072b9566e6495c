#include "settings/ini_file.h"

#include <algorithm>
#include <utility>

namespace tally {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Names and values are single-line; anything else would split them on the next read.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return std::string(Trim(line));
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

TIniFile TIniFile::Parse(std::string_view text) {
    TIniFile ini;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    ini.sections_.push_back({});
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (raw.ends_with('\r')) raw.remove_suffix(1);

        const std::string_view line = Trim(raw);
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            const std::string_view name = Trim(line.substr(1, line.find(']') - 1));
            ini.sections_.push_back({std::string(name), true, {}});
            continue;
        }
        const auto equals = line.find('=');
        const bool isComment = line.starts_with(';') || line.starts_with('#');
        if (equals != std::string_view::npos && equals > 0 && !isComment) {
            ini.sections_.back().Lines.push_back(
                {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1))), true});
        } else {
            ini.sections_.back().Lines.push_back({{}, std::string(raw), false});
        }
    }
    return ini;
}

std::string TIniFile::Text() const {
    std::string text;
    for (const TSection& section : sections_) {
        if (section.HasHeader) text += "[" + section.Name + "]\n";
        for (const TLine& line : section.Lines) {
            text += line.IsEntry ? line.Key + "=" + line.Value : line.Value;
            text += '\n';
        }
    }
    return text;
}

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
    for (const TSection& candidate : sections_) {
        if (candidate.HasHeader && EqualNoCase(candidate.Name, section)) return &candidate;
    }
    return nullptr;
}

TIniFile::TSection* TIniFile::Find(std::string_view section) {
    return const_cast<TSection*>(std::as_const(*this).Find(section));
}

TIniFile::TSection& TIniFile::FindOrAdd(std::string_view section) {
    if (TSection* found = Find(section)) return *found;
    // A blank line sets the new section off from the one before it.
    if (!sections_.empty()) {
        std::vector<TLine>& last = sections_.back().Lines;
        const bool endsBlank = !last.empty() && !last.back().IsEntry && Trim(last.back().Value).empty();
        if ((sections_.back().HasHeader || !last.empty()) && !endsBlank) last.push_back({});
    }
    sections_.push_back({OneLine(section), true, {}});
    return sections_.back();
}

bool TIniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

std::optional<std::string> TIniFile::Read(std::string_view section, std::string_view key) const {
    const TSection* found = Find(section);
    if (!found) return std::nullopt;
    for (const TLine& line : found->Lines) {
        if (line.IsEntry && EqualNoCase(line.Key, key)) return line.Value;
    }
    return std::nullopt;
}

std::vector<std::string> TIniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const TSection* found = Find(section)) {
        for (const TLine& line : found->Lines) {
            if (line.IsEntry) keys.push_back(line.Key);
        }
    }
    return keys;
}

std::vector<std::string> TIniFile::Sections() const {
    std::vector<std::string> names;
    for (const TSection& section : sections_) {
        if (section.HasHeader) names.push_back(section.Name);
    }
    return names;
}

void TIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    TSection& target = FindOrAdd(section);
    for (TLine& line : target.Lines) {
        if (line.IsEntry && EqualNoCase(line.Key, key)) {
            line.Value = OneLine(value);
            return;
        }
    }
    // New keys go after the section's last entry, before any blank lines that end it.
    auto position = target.Lines.end();
    while (position != target.Lines.begin() && !std::prev(position)->IsEntry &&
           Trim(std::prev(position)->Value).empty()) {
        --position;
    }
    target.Lines.insert(position, {OneLine(key), OneLine(value), true});
}

void TIniFile::AddSection(std::string_view section) { FindOrAdd(section); }

void TIniFile::EraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const TSection& s) { return s.HasHeader && EqualNoCase(s.Name, section); });
}

void TIniFile::EraseKey(std::string_view section, std::string_view key) {
    if (TSection* found = Find(section)) {
        std::erase_if(found->Lines, [&](const TLine& line) { return line.IsEntry && EqualNoCase(line.Key, key); });
    }
}

}  // namespace tally
