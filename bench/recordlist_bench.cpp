// Opening the record list on a large library: the screen's whole entry (scan, game-name list,
// default order, rows) and its first display offscreen, against the scan alone in the same run.
// Counters: "vs_scan" is the ratio of wall-clock times (open / scan), "cpu_vs_scan" the ratio of
// this thread's processor time; scan_ms and open_ms are the mean wall-clock times.
#include "shell/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordlistscreen.h"

#include <QApplication>
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

QString dateText(int year, int month, int day) {
    return QStringLiteral("%1%2%3")
        .arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

// A file name as the program saves it; the fields vary the way a real library's do.
QString recordFileName(int i) {
    const QString recorded = dateText(2000 + (i / 336) % 10, 1 + (i / 28) % 12, 1 + (i * 7) % 28);
    const QString referenced = dateText(2007 + (i / 13) % 3, 1 + (i * 5) % 12, 1 + (i * 11) % 28);
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
        .arg(event, white, black, kResults[i % kResults.size()], recorded,
             QString::number(50 + (i * 37) % 300), time, referenced, QStringLiteral("6.5"));
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

class NoNavigation : public Navigator {
public:
    void show(ScreenId) override {}
    void showBeside(ScreenId) override {}
};

void BM_OpenRecordList(benchmark::State& state) {
    const QString directory = recordDirectory(static_cast<int>(state.range(0)));
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

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
