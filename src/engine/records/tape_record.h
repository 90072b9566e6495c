#pragma once
// Tape data records: the plain-text form in which lines, series, embedded series, total ranges
// and whole tapes travel over the clipboard. A record is a header line followed by KEY=value
// lines; each line ends with CR LF.
//
// Values never hold a raw line break: CR, LF and the escape character itself are written as
// "\r", "\n" and "\\" and turned back when read, so a multi-line annotation stays one value.
//
// Clipboard text is outside input. The readers accept a record only when its header fields are
// all present, its line count is a decimal number from 1 up to kMaxRecordLineGroups that
// equals the number of "Entry=" groups, and every group is well formed (see ReadTapeRecord);
// anything else reads as "no record".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

enum class TRecordKind { TapeLine, CalcSeries, EmbeddedSeries, GroupTotalRange, GrandTotalRange, EntireTape };

// "[Tape Line]", "[Calc Series]", ...
std::string_view RecordHeader(TRecordKind kind);
// True when the text starts with the kind's header (further characters may follow).
bool HasRecordHeader(std::string_view text, TRecordKind kind);
// The kind whose header the text starts with; nullopt for any other text. Only the first
// characters are looked at, so a long foreign text costs nothing.
std::optional<TRecordKind> RecordKindOf(std::string_view text);

namespace RecordOperation {
inline constexpr std::string_view kCopy = "copy";
inline constexpr std::string_view kCut = "cut";
inline constexpr std::string_view kCopyToSide = "copytoside";
}  // namespace RecordOperation

// The largest number of line groups a record may announce.
inline constexpr int kMaxRecordLineGroups = 2'000'000;

// "[Tape Line]": one line with its link and table column, without indicator or other properties.
struct TLineRecord {
    std::string sessionId;
    std::string operation;
    std::string entry;
    std::string linkId;
    std::string tableColId;
    std::string tableColNum;
    std::string annot;
    std::string seriesType;

    bool operator==(const TLineRecord&) const = default;
};

// One line of a multi-line record.
struct TRecordLineGroup {
    std::string entry;
    std::string symbol;
    std::string calcParams;
    std::string annot;

    bool operator==(const TRecordLineGroup&) const = default;
};

// Every kind but "[Tape Line]". seriesType is written only for series and embedded series.
struct TTapeRecord {
    TRecordKind kind = TRecordKind::CalcSeries;
    std::string sessionId;
    std::string operation;
    std::string seriesType;
    // Whether the writing tape showed its Annotations column: then every group has "Annot=".
    bool withAnnotations = false;
    std::vector<TRecordLineGroup> groups;

    bool operator==(const TTapeRecord&) const = default;
};

std::string WriteLineRecord(const TLineRecord& record);
std::string WriteTapeRecord(const TTapeRecord& record);

// Nullopt unless the text is a complete, well-formed record of that kind. An operation other
// than "copy", "cut" and "copytoside" reads as "copy", so a record of unknown origin never
// passes as a cut that may move link sources.
std::optional<TLineRecord> ReadLineRecord(std::string_view text);
std::optional<TTapeRecord> ReadTapeRecord(std::string_view text, TRecordKind kind);

// The property lists of the lines a cut record on the clipboard holds (a line record's link and
// table column as LID and TCID); empty when the text is no well-formed cut record. Links and
// table columns held this way stay alive until the paste.
std::vector<std::string> CutRecordPropertyTexts(std::string_view clipboardText);

// The escaping of values (exposed for the document file and tests).
std::string EscapeRecordValue(std::string_view value);
std::string UnescapeRecordValue(std::string_view value);

}  // namespace tally
