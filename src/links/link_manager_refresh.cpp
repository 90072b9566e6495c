#include <algorithm>
#include <unordered_map>

#include "engine/lines/link_data.h"
#include "engine/series/entry_line_texts.h"
#include "foundation/notifications/notifier.h"
#include "foundation/numbers/number_texts.h"
#include "links/link_manager.h"

namespace tally {

// Shown in the message list when stored links form a circle and their refresh is cut short.
inline constexpr std::string_view kRefreshStoppedMessage =
    "The linked values could not all be updated because the links form a circle.  Unlink one of "
    "the linked lines to break the circle.";

bool IsLinkableNumberText(std::string_view numberText) {
    const std::string number = RemoveThousandSeparators(numberText);
    return IsDecimalText(number) || IsEntryFractionText(number) || IsTimeText(number);
}

void TLinkManager::TransferValue(const ILinkTape& sourceTape, int sourceLine, ILinkTape& destTape, int destLine,
                                 std::string_view destLinkData) {
    if (LinkDataFlag(destLinkData) == 'D') return;
    const std::string number = sourceTape.NumberText(sourceLine);
    if (!IsLinkableNumberText(number)) return;
    std::string operators = destTape.OperatorText(destLine);
    std::erase_if(operators, [](char c) { return c == '+' || c == '-'; });
    if (destLinkData.size() > 2 && destLinkData[2] == '-') operators += '-';
    // "-" with "-5" gives "+5", and an empty operator with "-5" gives "-5", never "+-5".
    destTape.SetEntryText(destLine, EntryWithOperator(operators, number));
    if (destTape.IsLastLine(destLine) || destTape.IsLastLineOfIncompleteEmbedded(destLine)) {
        destTape.RefreshInputLine(destLine);
    }
}

void TLinkManager::CarryAnnotation(const ILinkTape& sourceTape, int sourceLine, ILinkTape& destTape, int destLine) {
    if (!destTape.HasAnnotationColumn()) return;
    const std::string source = sourceTape.AnnotationText(sourceLine);
    const std::string carried = source.substr(0, source.find('|'));
    const std::string dest = destTape.AnnotationText(destLine);
    const std::size_t bar = dest.find('|');
    std::string result;
    if (bar == std::string::npos) {
        result = carried;
        while (!result.empty() && result.back() == ' ') result.pop_back();
    } else {
        result = carried + dest.substr(bar);
    }
    destTape.SetAnnotationText(destLine, result);
}

void TLinkManager::QueueLinkSource(std::string_view linkData) {
    const std::string_view number = LinkDataNumber(linkData);
    if (number.empty()) return;
    // A source already waiting is refreshed with its newest value when its turn comes.
    if (!queuedNumbers_.emplace(number).second) return;
    queue_.emplace_back(linkData);
}

void TLinkManager::ProcessLinkQueue() {
    if (queue_.empty() || refreshing_) return;
    refreshing_ = true;
    const TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    const auto sourceCount = static_cast<std::size_t>(
        std::count_if(picture.begin(), picture.end(), [](const auto& e) { return e.IsSource(); }));
    // Each round refreshes the sources the previous round changed. Without a circle a change
    // passes each source at most once along any path, so more rounds than sources mean a
    // circle stored in the lines (a file or clipboard record can hold one).
    const std::size_t maxRounds = sourceCount + 1;
    std::size_t round = 0;
    while (!queue_.empty()) {
        if (++round > maxRounds) {
            queue_.clear();
            queuedNumbers_.clear();
            Notifier().MessageList().Add(std::string(kRefreshStoppedMessage));
            break;
        }
        std::deque<std::string> batch;
        batch.swap(queue_);
        queuedNumbers_.clear();
        for (const std::string& linkData : batch) RefreshQueuedSource(picture, LinkDataNumber(linkData));
    }
    refreshing_ = false;
}

void TLinkManager::RefreshQueuedSource(const TMergedLinkInfoList& picture, std::string_view number) {
    const auto source = std::find_if(picture.begin(), picture.end(),
                                     [&](const auto& e) { return e.IsSource() && e.LinkNumber == number; });
    if (source == picture.end()) return;
    const ILinkTape* sourceTape = TapeById(source->TapeId);
    if (sourceTape == nullptr) return;
    // Each series holding destinations is recalculated once, after all of them have their value.
    std::vector<std::pair<char, int>> series;
    for (const TMergedLinkInfoListItem& dest : picture) {
        if (!dest.IsDestination() || dest.LinkNumber != number) continue;
        ILinkTape* destTape = TapeById(dest.TapeId);
        if (destTape == nullptr) continue;
        TransferValue(*sourceTape, source->Line, *destTape, dest.Line, destTape->LinkData(dest.Line));
        series.emplace_back(dest.TapeId, dest.Line);
    }
    std::sort(series.begin(), series.end());
    std::vector<std::pair<char, int>> recalculated;
    for (const auto& [tapeId, line] : series) {
        ILinkTape* tape = TapeById(tapeId);
        const std::pair<char, int> key{tapeId, tape->SeriesKey(line)};
        if (std::find(recalculated.begin(), recalculated.end(), key) != recalculated.end()) continue;
        recalculated.push_back(key);
        tape->RecalculateSeries(line);
    }
}

void TLinkManager::PullFromSource(const TMergedLinkInfoList& picture, const TMergedLinkInfoListItem& dest) {
    const auto source = std::find_if(picture.begin(), picture.end(),
                                     [&](const auto& e) { return e.IsSource() && e.LinkNumber == dest.LinkNumber; });
    ILinkTape* destTape = TapeById(dest.TapeId);
    if (source == picture.end() || destTape == nullptr) return;
    if (const ILinkTape* sourceTape = TapeById(source->TapeId)) {
        TransferValue(*sourceTape, source->Line, *destTape, dest.Line, destTape->LinkData(dest.Line));
    }
}

void TLinkManager::RefreshLinkDestsOfNumber(std::string_view number) {
    const TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    for (const TMergedLinkInfoListItem& dest : picture) {
        if (dest.IsDestination() && dest.LinkNumber == number) PullFromSource(picture, dest);
    }
}

void TLinkManager::RefreshLinkDest(char tapeId, int line) {
    const ILinkTape* tape = TapeById(tapeId);
    if (tape == nullptr) return;
    const TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    for (const TMergedLinkInfoListItem& dest : picture) {
        if (dest.TapeId == tapeId && dest.Line == line && dest.IsDestination()) PullFromSource(picture, dest);
    }
}

void TLinkManager::RefreshLinkDestsInSeries(char tapeId, int seriesStart) {
    const TMergedLinkInfoList picture = BuildPicture(TPictureDetail::Series);
    for (const TMergedLinkInfoListItem& dest : picture) {
        if (dest.TapeId == tapeId && dest.SeriesStart == seriesStart && dest.IsDestination()) {
            PullFromSource(picture, dest);
        }
    }
}

void TLinkManager::RefreshAllLinks() {
    TMergedLinkInfoList picture = BuildPicture(TPictureDetail::LinkData);
    SortByLinkNumber(picture);
    const TMergedLinkInfoListItem* source = nullptr;
    for (const TMergedLinkInfoListItem& entry : picture) {
        if (entry.IsSource()) source = &entry;
        if (!entry.IsDestination() || source == nullptr || source->LinkNumber != entry.LinkNumber) continue;
        const ILinkTape* sourceTape = TapeById(source->TapeId);
        ILinkTape* destTape = TapeById(entry.TapeId);
        if (sourceTape != nullptr && destTape != nullptr) {
            TransferValue(*sourceTape, source->Line, *destTape, entry.Line, destTape->LinkData(entry.Line));
        }
    }
}

}  // namespace tally
