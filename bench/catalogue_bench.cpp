// Scanning the record directory and putting it in the default order, against a plain listing of
// the same directory's names in the same run. Counters: "vs_unsorted" is the ratio of wall-clock
// times to QDir::entryList without sorting, "vs_sorted" the ratio to QDir::entryList in QDir's own
// name order (what a Qt program gets by default); "cpu_" the same ratios of this thread's
// processor time. listing_ms: the unsorted listing's own wall-clock time.
#include "store/catalogue.h"

#include "benchlibrary.h"

#include <QDir>

#include <benchmark/benchmark.h>

using namespace vorleth;

namespace {

using bench::recordDirectory;
using bench::Referenced;
using bench::timed;
using bench::Timing;

void BM_ScanAndDefaultSort(benchmark::State& state) {
    const QString directory =
        recordDirectory(static_cast<int>(state.range(0)), Referenced::OnRecordDate);
    Timing scanTotal;
    Timing unsortedTotal;
    Timing sortedTotal;
    for (auto _ : state) {
        Catalogue catalogue;
        RecordListState list;
        const Timing scan = timed([&] {
            scanCatalogue(catalogue, directory);
            applyDefaultOrder(catalogue, list);
        });
        benchmark::DoNotOptimize(list.displayOrder.data());
        state.SetIterationTime(scan.wall);
        scanTotal += scan;
        unsortedTotal += timed([&] {
            const QStringList names = QDir(directory).entryList(QDir::Files, QDir::Unsorted);
            benchmark::DoNotOptimize(names.size());
        });
        sortedTotal += timed([&] {
            const QStringList names = QDir(directory).entryList(QDir::Files);
            benchmark::DoNotOptimize(names.size());
        });
    }
    state.counters["vs_unsorted"] = scanTotal.wall / unsortedTotal.wall;
    state.counters["vs_sorted"] = scanTotal.wall / sortedTotal.wall;
    state.counters["cpu_vs_unsorted"] = scanTotal.cpu / unsortedTotal.cpu;
    state.counters["cpu_vs_sorted"] = scanTotal.cpu / sortedTotal.cpu;
    state.counters["listing_ms"] = 1000 * unsortedTotal.wall / state.iterations();
}
BENCHMARK(BM_ScanAndDefaultSort)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
