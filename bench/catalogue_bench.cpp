// Scanning the record directory and putting it in the default order, against a plain listing of
// the same directory's names in the same run. Counters: "vs_unsorted" is the ratio of wall-clock
// times to QDir::entryList without sorting, "vs_sorted" the ratio to QDir::entryList in QDir's own
// name order (what a Qt program gets by default); "cpu_" the same ratios of this thread's
// processor time. listing_ms: the unsorted listing's own wall-clock time.
#include "store/catalogue.h"

#include "benchlibrary.h"

#include <QDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <string>

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
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Every heading in turn on one scanned library, and the shown rows after each: the slowest of
// the seven (slowest_ms) and each heading's own time (col1_ms .. col7_ms), wall-clock.
void BM_SortEachHeading(benchmark::State& state) {
    const QString directory =
        recordDirectory(static_cast<int>(state.range(0)), Referenced::OnRecordDate);
    Catalogue catalogue;
    RecordListState list;
    enterRecordList(catalogue, list, directory);
    std::array<double, 8> perColumn{};
    double slowest = 0;
    for (auto _ : state) {
        double total = 0;
        for (int column = 1; column <= 7; ++column) {
            const Timing sort = timed([&] {
                clickHeading(catalogue, list, column);
                const QVector<int> shown = shownPositions(catalogue, list);
                benchmark::DoNotOptimize(shown.data());
            });
            perColumn[column] += sort.wall;
            slowest = std::max(slowest, sort.wall);
            total += sort.wall;
        }
        state.SetIterationTime(total);
    }
    state.counters["slowest_ms"] = 1000 * slowest;
    for (int column = 1; column <= 7; ++column)
        state.counters["col" + std::to_string(column) + "_ms"] =
            1000 * perColumn[column] / state.iterations();
}
BENCHMARK(BM_SortEachHeading)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Narrowing the shown rows to the games whose name starts with the first record's first
// character, as a chooser's filter does.
void BM_NarrowByPrefix(benchmark::State& state) {
    const QString directory =
        recordDirectory(static_cast<int>(state.range(0)), Referenced::OnRecordDate);
    Catalogue catalogue;
    RecordListState list;
    enterRecordList(catalogue, list, directory);
    list.gameNameFilter = {catalogue.text(1, EntryText::GameName).first(1).toString()};
    for (auto _ : state) {
        const Timing narrow = timed([&] {
            const QVector<int> shown = shownPositions(catalogue, list);
            benchmark::DoNotOptimize(shown.data());
        });
        state.SetIterationTime(narrow.wall);
    }
}
BENCHMARK(BM_NarrowByPrefix)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
