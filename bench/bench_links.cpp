// Links: typing at the end of a long tape that holds many links, refreshing one source with
// many destinations, and the circular-link check on a large picture full of diamonds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench_tapes.h"
#include "engine/lines/calc_params.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "links/calculator_link_tape.h"
#include "links/circular_link_check.h"
#include "links/link_manager.h"
#include "links/link_requests.h"
#include "platform/deferred_requests.h"

namespace tally {
namespace {

constexpr int kTypedEntries = 1000;
constexpr int kLinkedPairs = 10000;

std::string LinkNumber(int n) {
    const std::string digits = std::to_string(n);
    return std::string(16 - digits.size(), '0') + digits;
}

// A document of a main and an auxiliary tape with their link manager, wired as the main
// window wires them.
class TLinkedDocument {
public:
    TLinkedDocument() {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            if (const auto* message = RecordAs<TOsMsgVariables>(in)) {
                queue_.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                             message->SecondParam});
            }
        });
        links_.RegisterEvents(bus_);
        links_.ConnectTape(main_);
        links_.ConnectTape(aux_);
        main_.SetColumnShown(TTapeColumn::Links, true);
        aux_.SetColumnShown(TTapeColumn::Links, true);
    }

    void Type(char key) {
        main_.KeyPress(key);
        queue_.Drain([this](const TDeferredRequest& request) {
            if (!RunLinkRequest(links_, request)) runner_.Run(request);
        });
    }

    TCalculator& Main() { return main_; }
    TCalculator& Aux() { return aux_; }
    TLinkManager& Links() { return links_; }

private:
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    TCalculator main_{'t', &bus_};
    TCalculator aux_{'a', &bus_};
    TTapeRequestRunner runner_{main_};
    TCalculatorLinkTape mainLink_{main_};
    TCalculatorLinkTape auxLink_{aux_};
    TLinkManager links_{[this] { return std::vector<ILinkTape*>{&mainLink_, &auxLink_}; },
                        [n = 0]() mutable { return (++n % 9973) / 10000.0; }};
};

// Links the total of every k-th closed series to the first entry of the series after it, for
// up to kLinkedPairs pairs spread over the tape.
void LinkSeriesSpreadOver(TLineStore& lines) {
    const int series = lines.LineCount() / bench::kSeriesLength - 1;
    const int pairs = std::min(kLinkedPairs, series / 2);
    const int step = series / pairs;
    for (int pair = 0; pair < pairs; ++pair) {
        const LineIndex first = pair * step * bench::kSeriesLength;
        const LineIndex total = first + bench::kEntriesPerSeries + 1;
        lines.SetProperty(total, LineKey::kLinkId, "AS+" + LinkNumber(pair));
        lines.SetProperty(first + bench::kSeriesLength, LineKey::kLinkId, "AD+" + LinkNumber(pair));
    }
}

void BM_EnterAtEndOfLinkedTape(benchmark::State& state) {
    const int lineCount = static_cast<int>(state.range(0));
    double enterSeconds = 0;
    std::int64_t enters = 0;
    for (auto _ : state) {
        TLinkedDocument document;
        bench::FillClosedSeries(document.Main().Lines(), lineCount);
        LinkSeriesSpreadOver(document.Main().Lines());
        document.Main().SetFocusLine(document.Main().LastLine());
        document.Links().UpdateLinksDisplay();
        document.Links().RemoveBrokenLinks();
        using Clock = std::chrono::steady_clock;
        double iterationSeconds = 0;
        for (int entry = 0; entry < kTypedEntries; ++entry) {
            document.Type('1');
            document.Type('2');
            const auto typed = Clock::now();
            document.Type(TapeChar::kEnter);
            document.Links().RemoveBrokenLinks();
            iterationSeconds += std::chrono::duration<double>(Clock::now() - typed).count();
            ++enters;
        }
        state.SetIterationTime(iterationSeconds);
        enterSeconds += iterationSeconds;
        state.counters["linked_lines"] = static_cast<double>(document.Main().Lines().LinkedLines().size());
    }
    state.counters["us_per_enter"] = enterSeconds * 1e6 / static_cast<double>(enters);
}

// A link made by the user on a tape holding the pairs above: mark an entry as the source, paste
// it on the open last line (the picture is built and checked for circles), then unlink it.
void BM_LinkCommandsOnLinkedTape(benchmark::State& state) {
    const int lineCount = static_cast<int>(state.range(0));
    TLinkedDocument document;
    bench::FillClosedSeries(document.Main().Lines(), lineCount);
    LinkSeriesSpreadOver(document.Main().Lines());
    document.Main().SetFocusLine(document.Main().LastLine());
    const int last = document.Main().LastLine() + 1;
    for (auto _ : state) {
        document.Links().SetAsLinkSource('t', 2, "");
        document.Links().SetAsLinkDest('t', last, "");
        document.Links().Unlink('t', last, 'u');
    }
    state.counters["linked_lines"] = static_cast<double>(document.Main().Lines().LinkedLines().size());
}

// One source on the main tape; its 1,000 destinations open 1,000 closed series of the
// auxiliary tape, each recalculated when the source changes.
void BM_RefreshSourceWithManyDestinations(benchmark::State& state) {
    const int destinations = static_cast<int>(state.range(0));
    TLinkedDocument document;
    document.Main().Lines().InsertLines(0, 1);
    document.Main().Lines().SetEntries(0, "+5.00");
    document.Main().Lines().SetProperty(0, LineKey::kLinkId, "AS+" + LinkNumber(1));
    TLineStore& aux = document.Aux().Lines();
    bench::FillClosedSeries(aux, destinations * bench::kSeriesLength + 1);
    for (int series = 0; series < destinations; ++series) {
        aux.SetProperty(series * bench::kSeriesLength, LineKey::kLinkId, "AD+" + LinkNumber(1));
    }
    int value = 0;
    for (auto _ : state) {
        document.Main().Lines().SetEntries(0, "+" + std::to_string(++value % 1000) + ".00");
        document.Links().QueueLinkSource("AS+" + LinkNumber(1));
        document.Links().ProcessLinkQueue();
    }
    state.counters["destinations"] = static_cast<double>(destinations);
}

// Series i's total is a source whose destinations open series i+1 and i+2: every total is
// reached along two paths from the one before it, so paths multiply like Fibonacci numbers
// while links and lines grow linearly.
TMergedLinkInfoList DiamondPicture(int links) {
    TMergedLinkInfoList picture;
    const int series = links / 2;
    auto entry = [](int line, int seriesStart, char role, int number, const char* kind) {
        TMergedLinkInfoListItem item;
        item.TapeId = 't';
        item.Line = line;
        item.SeriesStart = seriesStart;
        item.State = 'A';
        item.Role = role;
        item.Sign = '+';
        item.LinkNumber = LinkNumber(number);
        item.LineKind = kind;
        return item;
    };
    // Series i occupies lines 4i+1 .. 4i+4: two destinations, then the total at 4i+3.
    for (int i = 0; i < series; ++i) {
        const int start = 4 * i + 1;
        picture.push_back(entry(start + 2, start, 'S', i, "T"));
        if (i >= 1) picture.push_back(entry(start, start, 'D', i - 1, " "));
        if (i >= 2) picture.push_back(entry(start + 1, start, 'D', i - 2, " "));
    }
    return picture;
}

void BM_CircleCheckOnDiamonds(benchmark::State& state) {
    const TMergedLinkInfoList picture = DiamondPicture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckCircularLinks(picture));
    }
    state.counters["entries"] = static_cast<double>(picture.size());
}

BENCHMARK(BM_EnterAtEndOfLinkedTape)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkCommandsOnLinkedTape)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshSourceWithManyDestinations)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CircleCheckOnDiamonds)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tally
