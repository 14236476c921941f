// One whole reading: core numbers, name records, grid, pyramid, walkthrough
// texts and the three curve values.

#include "engine/engine.h"

#include <benchmark/benchmark.h>

using namespace quadrivium;

static void BM_WholeReading(benchmark::State &state)
{
    const auto birth = DateTimeValue::fromFields(1951, 3, 6);
    const auto day = DateTimeValue::fromFields(2026, 12, 6);
    const Clock today = [] { return CivilDate{2026, 12, 6}; };
    const std::string name = "K\xe4the Gro\xdf-M\xfcllerstra\xdf" "e";
    for (auto _ : state) {
        auto reading = ComputeReading(name, birth, today, day);
        benchmark::DoNotOptimize(reading);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeReading);

static void BM_NameNumber(benchmark::State &state)
{
    const std::string name = "Lena Vogel";
    NameNumbers record;
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcNameNumber(NameMode::AllLetters, name, record));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NameNumber);

// Both rules changed: accents folded and the parts of the name looked at
// for the Y rule, which takes a second pass over the name.
static void BM_NameNumberOtherRules(benchmark::State &state)
{
    const std::string name = "Anne-Marie Lef\xe8vre Lyn Wynn";
    const LetterRules rules{AccentRule::Base, YRule::VowelIfNeeded};
    NameNumbers record;
    for (auto _ : state)
        benchmark::DoNotOptimize(CalcNameNumber(NameMode::AllLetters, name, record, rules));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NameNumberOtherRules);

BENCHMARK_MAIN();
