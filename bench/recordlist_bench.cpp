// Opening the record list on a large library: the screen's whole entry (scan, game-name list,
// default order, rows) and its first display offscreen, against the scan alone in the same run.
// Counters: "vs_scan" is the ratio of wall-clock times (open / scan), "cpu_vs_scan" the ratio of
// this thread's processor time; scan_ms and open_ms are the mean wall-clock times.
#include "screens/store/recordlistscreen.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"

#include "benchlibrary.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace vorleth;

namespace {

using bench::recordDirectory;
using bench::Referenced;
using bench::timed;
using bench::Timing;

class NoNavigation : public Navigator {
public:
    void show(ScreenId, const Handover&) override {}
    void showBeside(ScreenId, const Handover&) override {}
};

void BM_OpenRecordList(benchmark::State& state) {
    const QString directory = recordDirectory(static_cast<int>(state.range(0)), Referenced::Spread);
    SharedState shared(directory);
    shared.settings.recordDirectory = directory;
    NoNavigation navigator;
    Timing scanTotal;
    Timing openTotal;
    for (auto _ : state) {
        Catalogue scanned;
        scanTotal += timed([&] { scanCatalogue(scanned, directory); });
        benchmark::DoNotOptimize(scanned.entries.data());

        // A fresh start as the main menu leaves it: nothing scanned, no name list built.
        shared.catalogue = Catalogue();
        shared.recordList = RecordListState();
        RecordListScreen* screen = nullptr;
        const Timing open = timed([&] {
            screen = new RecordListScreen(shared, navigator);
            screen->show();
            QApplication::processEvents();
        });
        openTotal += open;
        state.SetIterationTime(open.wall);
        delete screen;
        QApplication::processEvents();
    }
    state.counters["vs_scan"] = openTotal.wall / scanTotal.wall;
    state.counters["cpu_vs_scan"] = openTotal.cpu / scanTotal.cpu;
    state.counters["scan_ms"] = 1000 * scanTotal.wall / state.iterations();
    state.counters["open_ms"] = 1000 * openTotal.wall / state.iterations();
}
BENCHMARK(BM_OpenRecordList)
    ->Arg(1000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
