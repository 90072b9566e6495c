// Typing at the end of a tape: 1,000 entries ("12", Enter) typed into the last line of tapes
// of 1,000 to 1,000,000 lines through the tape's key route, with the deferred requests drained
// after every key as the main window does. The time reported is that of the Enter keys alone
// (the commit, the total lines and the new last line), per 1,000 Enters, with the cost of one
// Enter and of one digit as counters.
//
// Two shapes: many short closed series before the open one (the usual tape), and one long
// open series that the typed entries extend (the worst case for finding a series' bounds).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench_tapes.h"
#include "engine/tape/calculator.h"
#include "engine/tape/tape_request_runner.h"
#include "foundation/deferred_request_codes.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "platform/deferred_requests.h"

namespace tally {
namespace {

constexpr int kTypedEntries = 1000;

// A tape wired as in the main window: its requests queue on the document bus and run after
// each key.
class TTypingTape {
public:
    TTypingTape() {
        bus_.Add(events::FileObj_PostMainFormWindowsMsg, [this](TMedRecord* in, TMedRecord*) {
            if (const auto* message = RecordAs<TOsMsgVariables>(in)) {
                queue_.Post({message->MessageNumber - requests::kFirstUserMessage, message->FirstParam,
                             message->SecondParam});
            }
        });
    }

    template <typename Fill>
    void Build(int lineCount, Fill fill) {
        fill(tape_.Lines(), lineCount);
        tape_.SetFocusLine(tape_.LastLine());
    }

    void Type(char key) {
        tape_.KeyPress(key);
        queue_.Drain([this](const TDeferredRequest& request) { runner_.Run(request); });
    }

    const TCalculator& Tape() const { return tape_; }

private:
    TStMediator bus_;
    TDeferredRequestQueue queue_;
    TCalculator tape_{'t', &bus_};
    TTapeRequestRunner runner_{tape_};
};

template <typename Fill>
void TypeEntriesAtEnd(benchmark::State& state, Fill fill) {
    const int lineCount = static_cast<int>(state.range(0));
    double enterSeconds = 0;
    double digitSeconds = 0;
    std::int64_t enters = 0;
    for (auto _ : state) {
        TTypingTape typing;
        typing.Build(lineCount, fill);
        using Clock = std::chrono::steady_clock;
        double iterationEnterSeconds = 0;
        for (int entry = 0; entry < kTypedEntries; ++entry) {
            const auto start = Clock::now();
            typing.Type('1');
            typing.Type('2');
            const auto typed = Clock::now();
            typing.Type(TapeChar::kEnter);
            const auto entered = Clock::now();
            digitSeconds += std::chrono::duration<double>(typed - start).count();
            iterationEnterSeconds += std::chrono::duration<double>(entered - typed).count();
            ++enters;
        }
        state.SetIterationTime(iterationEnterSeconds);
        enterSeconds += iterationEnterSeconds;
        benchmark::DoNotOptimize(typing.Tape().Lines().LineCount());
    }
    state.counters["us_per_enter"] = enterSeconds * 1e6 / static_cast<double>(enters);
    state.counters["us_per_digit"] = digitSeconds * 1e6 / static_cast<double>(2 * enters);
}

void BM_TypeAtEndOfClosedSeries(benchmark::State& state) { TypeEntriesAtEnd(state, bench::FillClosedSeries); }
void BM_TypeAtEndOfOpenSeries(benchmark::State& state) { TypeEntriesAtEnd(state, bench::FillOpenSeries); }

BENCHMARK(BM_TypeAtEndOfClosedSeries)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime();
BENCHMARK(BM_TypeAtEndOfOpenSeries)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(3)->UseManualTime();

}  // namespace
}  // namespace tally
