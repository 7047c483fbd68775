// The table entry redraws its whole grid when it loads and after a line erase, and rewrites it
// after every line edit: each must fit in one frame of a 60 Hz screen (16 ms), painting
// included, at both screen sizes. "frame" reports the mean time as a share of that frame.

#include "interaction/beeper.h"
#include "interaction/dialogs.h"
#include "interaction/navigator.h"
#include "screens/recording/tableentryscreen.h"
#include "state/sharedstate.h"
#include "ui/flexgrid.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using namespace vorleth;

constexpr double frameMs = 16.0;

class NoNavigation : public Navigator {
public:
    void show(ScreenId, const Handover&) override {}
    void showBeside(ScreenId, const Handover&) override {}
};

class Silence : public Beeper {
public:
    void soundBeeps(int) override {}
};

// A table screen of a 361-move diagram with every cell filled, loaded and on screen.
struct FullTable {
    explicit FullTable(int screenSize) : state(directory.path()) {
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        state.record.moveCount = 361;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                state.table.diagramGrid[column][row] = (row - 1) * 19 + column;
        screen = std::make_unique<TableEntryScreen>(state, navigator, dialogs, &silence);
        screen->show();
        screen->controller().load();
        QCoreApplication::processEvents();
        screen->grid()->setCurrent(10, 10);
    }
    // Paints what changed, as the next frame would.
    void paint() { screen->grid()->viewport()->repaint(); }

    QTemporaryDir directory;
    SharedState state;
    SilentDialogs dialogs;
    NoNavigation navigator;
    Silence silence;
    std::unique_ptr<TableEntryScreen> screen;
};

// Times one pass of the body on the wall clock, as the user sees it.
template <class Body> void timed(benchmark::State& s, std::chrono::nanoseconds& total, Body body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    total += std::chrono::steady_clock::now() - start;
    (void)s;
}

// The mean time of a pass as a share of one frame.
void frameShare(benchmark::State& s, std::chrono::nanoseconds total) {
    const double meanMs =
        std::chrono::duration<double, std::milli>(total).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(1, s.iterations()));
    s.counters["frame"] = meanMs / frameMs;
}

void tableRefresh(benchmark::State& s) {
    FullTable table(static_cast<int>(s.range(0)));
    std::chrono::nanoseconds total{};
    for (auto _ : s) {
        timed(s, total, [&] {
            table.screen->controller().load();
            table.paint();
        });
    }
    frameShare(s, total);
}

// "１行下げる" on a full grid, the heaviest edit but the erase (which is a refresh).
void tableLineEdit(benchmark::State& s) {
    FullTable table(static_cast<int>(s.range(0)));
    QAction* down = table.screen->findChild<QAction*>(QStringLiteral("downline"));
    const auto full = table.state.table.diagramGrid;
    std::chrono::nanoseconds total{};
    for (auto _ : s) {
        s.PauseTiming();
        table.state.table.diagramGrid = full;
        s.ResumeTiming();
        timed(s, total, [&] {
            down->trigger();
            table.paint();
        });
    }
    frameShare(s, total);
}

BENCHMARK(tableRefresh)->Arg(640)->Arg(800)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(tableLineEdit)->Arg(640)->Arg(800)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
