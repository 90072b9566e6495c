#pragma once
// A private-profile (ini) file held in memory: sections of key=value lines. Section and key
// names compare case-insensitively; a value runs to the end of its line, without the blanks
// around it. Lines this program does not know (other sections and keys, comments) stay where
// they were, so a file written back keeps them in order. The text is UTF-8 and taken as bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

class TIniFile {
public:
    TIniFile() = default;
    // Reads the text of a file; lines may end in LF or CR LF, a UTF-8 byte order mark is skipped.
    static TIniFile Parse(std::string_view text);
    // The file's text with LF line ends.
    std::string Text() const;

    bool SectionExists(std::string_view section) const;
    // The value of the first key of that name in the section; none when either is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // The keys of a section in file order.
    std::vector<std::string> Keys(std::string_view section) const;
    // The names of every section in file order.
    std::vector<std::string> Sections() const;

    // Sets the first key of that name, or appends the key to the section (the section is
    // appended to the file when missing). Line breaks in the value become blanks, since a
    // value ends at the end of its line.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    // Adds an empty section when missing.
    void AddSection(std::string_view section);
    void EraseSection(std::string_view section);
    void EraseKey(std::string_view section, std::string_view key);

private:
    struct TLine {
        std::string Key;    // empty for a line that is not key=value
        std::string Value;  // the value, or the whole raw line for other lines
        bool IsEntry = false;
    };
    struct TSection {
        std::string Name;  // empty for the lines before the first section
        bool HasHeader = false;
        std::vector<TLine> Lines;
    };

    const TSection* Find(std::string_view section) const;
    TSection* Find(std::string_view section);
    TSection& FindOrAdd(std::string_view section);

    std::vector<TSection> sections_;
};

// ASCII case folding, independent of the locale.
bool EqualNoCase(std::string_view a, std::string_view b);

}  // namespace tally
