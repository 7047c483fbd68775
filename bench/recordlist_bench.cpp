// Opening the record list on a large library: the screen's whole entry (scan, game-name list,
// default order, rows) and its first display offscreen, against the scan alone in the same run.
// Counters: "vs_scan" is the ratio of wall-clock times (open / scan), "cpu_vs_scan" the ratio of
// this thread's processor time; scan_ms and open_ms are the mean wall-clock times.
// bytes_per_record: what the open screen keeps (catalogue, name list, order, rows) in resident
// memory a record; peak_per_record: the highest resident memory during the open above what was
// resident before it, a record (both from the first iteration, Linux only).
#include "screens/store/recordlistscreen.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"

#include "benchlibrary.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <fstream>
#include <string>

using namespace vorleth;

namespace {

using bench::recordDirectory;
using bench::Referenced;
using bench::timed;
using bench::Timing;

// Resident memory now and at its highest (bytes) since the last resetPeak, from /proc.
struct Resident {
    double now = 0;
    double peak = 0;
};
Resident resident() {
    Resident r;
    std::ifstream status("/proc/self/status");
    std::string key;
    double kilobytes = 0;
    while (status >> key) {
        if (key == "VmRSS:" && status >> kilobytes)
            r.now = 1024 * kilobytes;
        else if (key == "VmHWM:" && status >> kilobytes)
            r.peak = 1024 * kilobytes;
    }
    return r;
}
// Freed memory given back first, so that what the open keeps is counted rather than reused.
void resetPeak() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    std::ofstream("/proc/self/clear_refs") << "5";
}

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
        benchmark::DoNotOptimize(scanned.count());

        // A fresh start as the main menu leaves it: nothing scanned, no name list built.
        shared.catalogue = Catalogue();
        shared.recordList = RecordListState();
        scanned = Catalogue();
        const bool first = openTotal.wall == 0;
        resetPeak();
        const Resident before = resident();
        RecordListScreen* screen = nullptr;
        const Timing open = timed([&] {
            screen = new RecordListScreen(shared, navigator);
            screen->show();
            QApplication::processEvents();
        });
        openTotal += open;
        if (first) {
            const Resident after = resident();
            const double records = static_cast<double>(state.range(0));
            state.counters["bytes_per_record"] = (after.now - before.now) / records;
            state.counters["peak_per_record"] = (after.peak - before.now) / records;
        }
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
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
