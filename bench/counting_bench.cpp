// The count of a finished game: the territory determination of its final position, and one
// correction made on the counting screen (logic only, no drawing), against a 16 ms frame.
#include "benchlibrary.h"
#include "counting/correction.h"
#include "counting/territory.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vorleth;

const Board finalPosition = parseBoardDiagram(bench::gnugoFinalDiagram);

void countFinalPosition(benchmark::State& state) {
    for (auto _ : state) {
        const CountOutcome outcome = countPosition(finalPosition);
        benchmark::DoNotOptimize(outcome.counters);
    }
}
BENCHMARK(countFinalPosition)->Unit(benchmark::kMicrosecond);

// Black's bottom-left area (27 points) turned into White's and back: one correction and its undo,
// each with its flood, counter moves, redraw list and rebuilt count text.
void correctionAndUndo(benchmark::State& state) {
    CountingSession session;
    session.start(finalPosition, 3, 3, QStringLiteral("6.5"));
    const Point corner{1, 18};
    if (session.grid().at(corner) != CountMark::BlackTerritory) {
        state.SkipWithError("the bottom-left corner is not Black's territory");
        return;
    }
    qsizetype redrawn = 0;
    for (auto _ : state) {
        session.leftButtonDown(corner);
        session.leftButtonUp();
        session.pickMark(CountMark::WhiteTerritory);
        redrawn = session.activated().size();
        benchmark::DoNotOptimize(session.undo());
    }
    state.counters["points"] = static_cast<double>(redrawn);
}
BENCHMARK(correctionAndUndo)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
