#include "engine/records/tape_record.h"

#include <array>

#include "engine/lines/calc_params.h"
#include "engine/lines/line_kinds.h"

namespace tally {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kEscape = '\\';

namespace Key {
constexpr std::string_view kSessionId = "SessionId=";
constexpr std::string_view kOperation = "Operation=";
constexpr std::string_view kLineCount = "LineCount=";
constexpr std::string_view kSeriesType = "SeriesType=";
constexpr std::string_view kEntry = "Entry=";
constexpr std::string_view kLinkId = "LinkId=";
constexpr std::string_view kTableColId = "TableColId=";
constexpr std::string_view kTableColNum = "TableColNum=";
constexpr std::string_view kAnnot = "Annot=";
constexpr std::string_view kSymbol = "Symbol=";
constexpr std::string_view kCalcParams = "CalcParams=";
}  // namespace Key

constexpr std::string_view kEmbeddedSeriesType = "e";
constexpr std::array<std::string_view, 3> kTotalTypes = {"DE", "T2", "T3"};

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += EscapeRecordValue(value);
    out += kLineEnd;
}

bool HasSeriesTypeLine(TRecordKind kind) {
    return kind == TRecordKind::CalcSeries || kind == TRecordKind::EmbeddedSeries;
}

// The lines of a text one at a time, split at CR LF, CR or LF; a final line break ends the
// last line without starting another. Nothing is kept, so a huge clipboard text costs no memory.
class TRecordLines {
public:
    explicit TRecordLines(std::string_view text) : text_(text) {}
    // Nullopt after the last line.
    std::optional<std::string_view> Next() {
        if (start_ >= text_.size()) return std::nullopt;
        const std::size_t end = text_.find_first_of("\r\n", start_);
        if (end == std::string_view::npos) {
            const std::string_view line = text_.substr(start_);
            start_ = text_.size();
            return line;
        }
        const std::string_view line = text_.substr(start_, end - start_);
        start_ = end + 1;
        if (text_[end] == '\r' && start_ < text_.size() && text_[start_] == '\n') ++start_;
        return line;
    }
    // The next `count` lines; fewer when the text ends first.
    std::vector<std::string_view> Take(std::size_t count) {
        std::vector<std::string_view> lines;
        while (lines.size() < count) {
            const std::optional<std::string_view> line = Next();
            if (!line) break;
            lines.push_back(*line);
        }
        return lines;
    }

private:
    std::string_view text_;
    std::size_t start_ = 0;
};

// A header field taken by position: the line without as many characters as its key has.
std::string FieldValue(std::string_view line, std::string_view key) {
    return UnescapeRecordValue(line.size() > key.size() ? line.substr(key.size()) : std::string_view{});
}

std::string KnownOperation(std::string operation) {
    if (operation == RecordOperation::kCut || operation == RecordOperation::kCopyToSide) return operation;
    return std::string(RecordOperation::kCopy);
}

std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view{} : line.substr(0, equals + 1);
}

// The property list of a group: SDP within 0..15, TT one of the three total types.
bool WellFormedParams(const TCalcParams& params) {
    const std::string_view decimals = params.Value(LineKey::kDecimalPlaces);
    if (!decimals.empty() && !ParseBoundedInteger(decimals, 0, kMaxSeriesDecimalPlaces)) return false;
    const std::string_view totalType = params.Value(LineKey::kTotalType);
    if (totalType.empty()) return true;
    for (std::string_view known : kTotalTypes) {
        if (totalType == known) return true;
    }
    return false;
}

// Boundary lines pair up ("(" with ")", "[" with "]", "{" with "}", "<" with ">"), embedded
// series nest in nothing and close before any range boundary, and lines marked as embedded
// (STYP "e") lie from a "(" line through the external total line after its ")".
class TBoundaryCheck {
public:
    bool Accept(char kind, const TCalcParams& params) {
        const bool marked = params.Value(LineKey::kSeriesType) == kEmbeddedSeriesType;
        const bool afterTrailing = justClosedEmbedded_;
        justClosedEmbedded_ = false;
        switch (kind) {
        case LineKind::kEmbeddedLeading:
            if (inEmbedded_) return false;
            inEmbedded_ = true;
            return true;
        case LineKind::kEmbeddedTrailing:
            if (!inEmbedded_) return false;
            inEmbedded_ = false;
            justClosedEmbedded_ = true;
            return true;
        case LineKind::kGroupLeading: return Open(inGroup_);
        case LineKind::kGroupTrailing: return Close(inGroup_);
        case LineKind::kGrandLeading: return Open(inGrand_);
        case LineKind::kGrandTrailing: return Close(inGrand_);
        case LineKind::kReadLeading: return Open(inRead_);
        case LineKind::kReadTrailing: return Close(inRead_);
        default: return !marked || inEmbedded_ || afterTrailing;
        }
    }
    bool AllClosed() const { return !inEmbedded_ && !inGroup_ && !inGrand_ && !inRead_; }
    bool HasRanges() const { return rangesSeen_; }

private:
    bool Open(bool& open) {
        if (open || inEmbedded_) return false;
        rangesSeen_ = true;
        open = true;
        return true;
    }
    bool Close(bool& open) {
        if (!open || inEmbedded_) return false;
        open = false;
        return true;
    }

    bool inEmbedded_ = false;
    bool justClosedEmbedded_ = false;
    bool inGroup_ = false;
    bool inGrand_ = false;
    bool inRead_ = false;
    bool rangesSeen_ = false;
};

bool WellFormedBody(const TTapeRecord& record) {
    TBoundaryCheck boundaries;
    for (const TRecordLineGroup& group : record.groups) {
        if (group.symbol.empty()) return false;
        const TCalcParams params = TCalcParams::FromText(group.calcParams);
        if (!WellFormedParams(params)) return false;
        if (!boundaries.Accept(KindOfIndicator(group.symbol), params)) return false;
    }
    if (!boundaries.AllClosed()) return false;
    switch (record.kind) {
    case TRecordKind::CalcSeries:
        return !boundaries.HasRanges();
    case TRecordKind::EmbeddedSeries: {
        // "(" line, its content, ")" line and the external total line.
        const std::size_t count = record.groups.size();
        if (count < 3 || boundaries.HasRanges()) return false;
        if (!IndicatorHasKind(record.groups.front().symbol, LineKind::kEmbeddedLeading)) return false;
        return IndicatorHasKind(record.groups[count - 2].symbol, LineKind::kEmbeddedTrailing);
    }
    default:
        return true;
    }
}

}  // namespace

std::string_view RecordHeader(TRecordKind kind) {
    switch (kind) {
    case TRecordKind::TapeLine: return "[Tape Line]";
    case TRecordKind::CalcSeries: return "[Calc Series]";
    case TRecordKind::EmbeddedSeries: return "[Embedded Series]";
    case TRecordKind::GroupTotalRange: return "[Group Total Range]";
    case TRecordKind::GrandTotalRange: return "[Grand Total Range]";
    case TRecordKind::EntireTape: return "[Entire Tape]";
    }
    return {};
}

bool HasRecordHeader(std::string_view text, TRecordKind kind) {
    return text.starts_with(RecordHeader(kind));
}

std::optional<TRecordKind> RecordKindOf(std::string_view text) {
    for (TRecordKind kind : {TRecordKind::TapeLine, TRecordKind::CalcSeries, TRecordKind::EmbeddedSeries,
                             TRecordKind::GroupTotalRange, TRecordKind::GrandTotalRange, TRecordKind::EntireTape}) {
        if (HasRecordHeader(text, kind)) return kind;
    }
    return std::nullopt;
}

std::string EscapeRecordValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case kEscape: out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

std::string UnescapeRecordValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != kEscape || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[++i];
        if (next == 'r') {
            out += '\r';
        } else if (next == 'n') {
            out += '\n';
        } else if (next == kEscape) {
            out += kEscape;
        } else {
            // Not an escape this program writes: keep both characters.
            out += c;
            out += next;
        }
    }
    return out;
}

std::string WriteLineRecord(const TLineRecord& record) {
    std::string out;
    out += RecordHeader(TRecordKind::TapeLine);
    out += kLineEnd;
    AppendLine(out, Key::kSessionId, record.sessionId);
    AppendLine(out, Key::kOperation, record.operation);
    AppendLine(out, Key::kEntry, record.entry);
    AppendLine(out, Key::kLinkId, record.linkId);
    AppendLine(out, Key::kTableColId, record.tableColId);
    AppendLine(out, Key::kTableColNum, record.tableColNum);
    AppendLine(out, Key::kAnnot, record.annot);
    AppendLine(out, Key::kSeriesType, record.seriesType);
    return out;
}

std::string WriteTapeRecord(const TTapeRecord& record) {
    std::string out;
    out.reserve(64 + record.groups.size() * 48);
    out += RecordHeader(record.kind);
    out += kLineEnd;
    AppendLine(out, Key::kSessionId, record.sessionId);
    AppendLine(out, Key::kOperation, record.operation);
    AppendLine(out, Key::kLineCount, std::to_string(record.groups.size()));
    if (HasSeriesTypeLine(record.kind)) AppendLine(out, Key::kSeriesType, record.seriesType);
    for (const TRecordLineGroup& group : record.groups) {
        AppendLine(out, Key::kEntry, group.entry);
        AppendLine(out, Key::kSymbol, group.symbol);
        if (!group.calcParams.empty()) AppendLine(out, Key::kCalcParams, group.calcParams);
        if (record.withAnnotations) AppendLine(out, Key::kAnnot, group.annot);
    }
    return out;
}

std::optional<TLineRecord> ReadLineRecord(std::string_view text) {
    if (!HasRecordHeader(text, TRecordKind::TapeLine)) return std::nullopt;
    constexpr std::size_t kRecordLines = 9;
    const std::vector<std::string_view> lines = TRecordLines(text).Take(kRecordLines);
    if (lines.size() < kRecordLines) return std::nullopt;
    TLineRecord record;
    record.sessionId = FieldValue(lines[1], Key::kSessionId);
    record.operation = KnownOperation(FieldValue(lines[2], Key::kOperation));
    record.entry = FieldValue(lines[3], Key::kEntry);
    record.linkId = FieldValue(lines[4], Key::kLinkId);
    record.tableColId = FieldValue(lines[5], Key::kTableColId);
    record.tableColNum = FieldValue(lines[6], Key::kTableColNum);
    record.annot = FieldValue(lines[7], Key::kAnnot);
    record.seriesType = FieldValue(lines[8], Key::kSeriesType);
    // A line copy never carries the side tape's operation.
    if (record.operation == RecordOperation::kCopyToSide) record.operation = RecordOperation::kCopy;
    return record;
}

std::optional<TTapeRecord> ReadTapeRecord(std::string_view text, TRecordKind kind) {
    if (kind == TRecordKind::TapeLine || !HasRecordHeader(text, kind)) return std::nullopt;
    TRecordLines reader(text);
    const std::size_t bodyStart = HasSeriesTypeLine(kind) ? 5 : 4;
    const std::vector<std::string_view> lines = reader.Take(bodyStart);
    if (lines.size() < bodyStart) return std::nullopt;
    const std::optional<int> lineCount =
        ParseBoundedInteger(FieldValue(lines[3], Key::kLineCount), 1, kMaxRecordLineGroups);
    if (!lineCount) return std::nullopt;

    TTapeRecord record;
    record.kind = kind;
    record.sessionId = FieldValue(lines[1], Key::kSessionId);
    record.operation = KnownOperation(FieldValue(lines[2], Key::kOperation));
    if (HasSeriesTypeLine(kind)) record.seriesType = FieldValue(lines[4], Key::kSeriesType);
    for (std::optional<std::string_view> next = reader.Next(); next; next = reader.Next()) {
        const std::string_view line = *next;
        const std::string_view key = KeyOf(line);
        if (key == Key::kEntry) {
            // More groups than announced: the count is wrong, so is the record.
            if (record.groups.size() == static_cast<std::size_t>(*lineCount)) return std::nullopt;
            record.groups.emplace_back();
            record.groups.back().entry = UnescapeRecordValue(line.substr(key.size()));
            continue;
        }
        if (record.groups.empty()) continue;
        TRecordLineGroup& group = record.groups.back();
        if (key == Key::kSymbol) {
            group.symbol = UnescapeRecordValue(line.substr(key.size()));
        } else if (key == Key::kCalcParams) {
            group.calcParams = UnescapeRecordValue(line.substr(key.size()));
        } else if (key == Key::kAnnot) {
            group.annot = UnescapeRecordValue(line.substr(key.size()));
            record.withAnnotations = true;
        }
    }
    if (record.groups.size() != static_cast<std::size_t>(*lineCount)) return std::nullopt;
    if (!WellFormedBody(record)) return std::nullopt;
    return record;
}

std::vector<std::string> CutRecordPropertyTexts(std::string_view clipboardText) {
    std::vector<std::string> texts;
    if (const auto line = ReadLineRecord(clipboardText)) {
        if (line->operation != RecordOperation::kCut) return texts;
        TCalcParams params;
        params.SetValue(LineKey::kLinkId, line->linkId);
        params.SetValue(LineKey::kTableColumnId, line->tableColId);
        texts.push_back(params.Text());
        return texts;
    }
    for (TRecordKind kind : {TRecordKind::CalcSeries, TRecordKind::EmbeddedSeries, TRecordKind::GroupTotalRange,
                             TRecordKind::GrandTotalRange, TRecordKind::EntireTape}) {
        const auto record = ReadTapeRecord(clipboardText, kind);
        if (!record) continue;
        if (record->operation != RecordOperation::kCut) return texts;
        for (const TRecordLineGroup& group : record->groups) {
            if (!group.calcParams.empty()) texts.push_back(group.calcParams);
        }
        return texts;
    }
    return texts;
}

}  // namespace tally
