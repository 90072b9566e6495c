// libFuzzer target for the tape data record readers: any clipboard text must read as a
// well-formed record or as none, without crash, hang or unbounded allocation. A record that is
// accepted must also survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/records/tape_record.h"

namespace {

constexpr tally::TRecordKind kMultiLineKinds[] = {
    tally::TRecordKind::CalcSeries,      tally::TRecordKind::EmbeddedSeries,
    tally::TRecordKind::GroupTotalRange, tally::TRecordKind::GrandTotalRange,
    tally::TRecordKind::EntireTape,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto line = tally::ReadLineRecord(text)) {
        if (tally::ReadLineRecord(tally::WriteLineRecord(*line)) != line) std::abort();
    }
    for (tally::TRecordKind kind : kMultiLineKinds) {
        const auto record = tally::ReadTapeRecord(text, kind);
        if (record && tally::ReadTapeRecord(tally::WriteTapeRecord(*record), kind) != record) std::abort();
    }
    return 0;
}
