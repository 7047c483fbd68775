// The estimate of a finished game's count, against the 0.2 s a position it may take on one
// core; the enclosure searches on the same position for scale. GNU Go's own time for judging
// positions is measured by estimate_compare on generated games.
#include "benchlibrary.h"
#include "counting/estimate.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vorleth;

const Board finalPosition = parseBoardDiagram(bench::gnugoFinalDiagram);

void estimateFinalPosition(benchmark::State& state) {
    EstimateOptions options;
    options.playouts = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const CountOutcome outcome = estimatePosition(finalPosition, options);
        benchmark::DoNotOptimize(outcome.counters);
    }
}
BENCHMARK(estimateFinalPosition)
    ->Arg(EstimateOptions{}.playouts)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond);

void traditionalFinalPosition(benchmark::State& state) {
    for (auto _ : state) {
        const CountOutcome outcome = firstGuess(finalPosition, CountGuess::Traditional);
        benchmark::DoNotOptimize(outcome.counters);
    }
}
BENCHMARK(traditionalFinalPosition)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
