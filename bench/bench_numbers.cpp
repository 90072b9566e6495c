// Entry numbers on the hot path of recalculation: each operation must stay under 1 microsecond.
// Results: docs/performance.md.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "foundation/numbers/numbers.h"

namespace {

using namespace tally;

const std::array<const char*, 8> kEntryTexts = {"1,234.56", "17", "0.125", "-2,345,678.9", "1 3/4", "12 1/8",
                                                "1:30", "12:05:09"};
const std::array<const char*, 8> kDecimalTexts = {"1,234.56", "17", "0.125", "-2,345,678.9", "3.14159",
                                                  "100000", "0.000123", "98765.4321"};
const std::array<long double, 8> kValues = {1234567.891L, 2.345L, -0.125L, 17.0L, 0.000123L, -98765.4321L,
                                            123456789012.345L, 0.5L};

void BM_EntryNumberValue_Mixed(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EntryNumberValue(kEntryTexts[i++ & 7]));
    }
}
BENCHMARK(BM_EntryNumberValue_Mixed);

void BM_EntryNumberValue_Decimal(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EntryNumberValue(kDecimalTexts[i++ & 7]));
    }
}
BENCHMARK(BM_EntryNumberValue_Decimal);

void BM_FormatDecimal(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = FormatDecimal(kValues[i++ & 7], 2, true);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatDecimal);

void BM_FormatDecimalTo(benchmark::State& state) {
    std::size_t i = 0;
    char buf[kFormatBufferSize];
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatDecimalTo(buf, kValues[i++ & 7], 2, true));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormatDecimalTo);

void BM_RoundHalfUp(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundHalfUp(kValues[i++ & 7], 2));
    }
}
BENCHMARK(BM_RoundHalfUp);

void BM_RoundHalfEven(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundHalfEven(kValues[i++ & 7], 2));
    }
}
BENCHMARK(BM_RoundHalfEven);

void BM_IsValidEntryNumber(benchmark::State& state) {
    const std::array<const char*, 8> entries = {"+1,234.56", "-17", "X0.125", "+ 3/4", "+1 3/4", "+1:30",
                                                "+abc", "3/4"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(IsValidEntryNumber(entries[i++ & 7]));
    }
}
BENCHMARK(BM_IsValidEntryNumber);

// A million-line recalculation in miniature: value, round, format per line.
void BM_RecalculateLines(benchmark::State& state) {
    const auto lines = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> texts(lines);
    for (std::size_t k = 0; k < lines; ++k) texts[k] = kDecimalTexts[k & 7];
    char buf[kFormatBufferSize];
    for (auto _ : state) {
        long double total = 0;
        for (const std::string& t : texts) {
            total = RoundHalfUp(total + EntryNumberValue(t), 2);
            benchmark::DoNotOptimize(FormatDecimalTo(buf, total, 2, true));
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lines));
}
BENCHMARK(BM_RecalculateLines)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);

}  // namespace
