// Scanning the record directory and putting it in the default order, against a plain listing of
// the same directory's names in the same run. Counters: "vs_unsorted" is the ratio of wall-clock
// times to QDir::entryList without sorting, "vs_sorted" the ratio to QDir::entryList in QDir's own
// name order (what a Qt program gets by default); "cpu_" the same ratios of this thread's
// processor time. listing_ms: the unsorted listing's own wall-clock time.
#include "store/catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <map>
#include <memory>

using namespace vorleth;

namespace {

const QStringList kSurnames = {"山田", "鈴木", "佐藤", "田中", "高橋", "伊藤", "渡辺", "中村",
                               "小林", "加藤", "吉田", "山本", "松本", "井上", "木村", "林"};
const QStringList kGivenNames = {"一郎", "二段", "花子", "太郎", "健", "三段", "次郎", "初段"};
const QStringList kEvents = {"春季大会", "秋季大会", "新春杯", "例会",     "名人戦",
                             "本因坊戦", "練習碁",   "置碁",   "ネット碁", "研究会"};
const QStringList kResults = {"白中押勝",  "黒中押勝",   "白6目半勝", "黒2目半勝",
                              "白1目半勝", "黒時間切勝", "ジゴ"};

// A file name as the program saves it; the fields vary the way a real library's do.
QString recordFileName(int i) {
    const int day = 1 + (i * 7) % 28;
    const int month = 1 + (i / 28) % 12;
    const int year = 2000 + (i / 336) % 10;
    const QString date = QStringLiteral("%1%2%3")
                             .arg(year)
                             .arg(month, 2, 10, QLatin1Char('0'))
                             .arg(day, 2, 10, QLatin1Char('0'));
    const int seconds = (i * 7919) % 86400;
    const QString time = QStringLiteral("%1%2%3")
                             .arg(seconds / 3600)
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString white = kSurnames[i % kSurnames.size()] + kGivenNames[i / 3 % kGivenNames.size()];
    const QString black =
        kSurnames[i / 5 % kSurnames.size()] + kGivenNames[i / 7 % kGivenNames.size()];
    const QString event = kEvents[i / 11 % kEvents.size()] + QString::number(i / 97 % 30);
    return QStringLiteral("対局名（%1）白番（%2）黒番（%3）勝敗（%4）記録日（%5）手数（%6）"
                          "時間（%7）参照（%8）コミ（%9）.IGO")
        .arg(event, white, black, kResults[i % kResults.size()], date,
             QString::number(50 + (i * 37) % 300), time, date, QStringLiteral("6.5"));
}

// One directory per size, filled on first use and kept for the whole run.
QString recordDirectory(int count) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> directories;
    std::unique_ptr<QTemporaryDir>& dir = directories[count];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QDir target(dir->path());
        for (int i = 0; i < count; ++i) {
            QFile file(target.filePath(recordFileName(i)));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot create %s", qPrintable(file.fileName()));
        }
    }
    return dir->path();
}

// Wall-clock and processor time of one piece of work. The processor time (of this thread, system
// calls included) is steadier when other programs share the machine.
struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing& operator+=(const Timing& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Timing timed(const auto& work) {
    const double cpuStart = threadSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), threadSeconds() - cpuStart};
}

void BM_ScanAndDefaultSort(benchmark::State& state) {
    const QString directory = recordDirectory(static_cast<int>(state.range(0)));
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
