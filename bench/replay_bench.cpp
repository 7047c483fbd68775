// A jump to the end of a full record (999 entries), drawing included, measured against one
// frame of a 60 Hz screen (16 ms): the replay screen shows the final position at once.

#include "../tests/replay/gamegenerator.h"

#include "interaction/dialogs.h"
#include "interaction/navigator.h"
#include "replay/replaycontroller.h"
#include "screens/replay/replayscreen.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace vorleth;

class NoNavigation : public Navigator {
public:
    void show(ScreenId, const Handover&) override {}
    void showBeside(ScreenId, const Handover&) override {}
};

// Counts nothing and draws nothing: the replay logic alone.
class NullReplayView : public ReplayView {
public:
    void drawBoard() override {}
    void drawStone(Point, const QString&) override {}
    void clearPoint(Point) override {}
    void drawMarkerDisc(Point) override {}
    void showPoint(Point) override {}
    void showMoveNumber(const QString&) override {}
    void showSideToMove(const QString&) override {}
    void showPrisoners(const QString&) override {}
    void showModeCaption(const QString&) override {}
    void showRecordInformation(const QString&) override {}
    void setTitle(const QString&) override {}
    void beep() override {}
};

class IdleTimers : public ReplayTimers {
public:
    void startStepTimer(int) override {}
    void stopStepTimer() override {}
    void startStartTimer() override {}
    void stopStartTimer() override {}
    void armPlacementTimer() override {}
    void cancelPlacementTimer() override {}
};

// A record directory holding one full record, selected as the record list selects it.
struct FullRecord {
    explicit FullRecord(int screenSize) : state(directory.path()) {
        state.settings.recordDirectory = directory.path();
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        GameRecord record;
        record.metadata.game.gameName = QStringLiteral("練習碁");
        record.moves = test::playGame(5000, 11);
        record.metadata.entryCount = record.moves.length();
        const QString name = recordFileName(record.metadata);
        if (!textfile::writeFileSafely(
                 recordPath(directory.path(), name),
                 encodeRecordBody(record, record.moves.length(), QDate(2024, 1, 1)))
                 .ok)
            qFatal("could not write the benchmark record");
        scanCatalogue(state.catalogue, directory.path());
        state.record.selectedIndex = 1;
        state.replay.stepInterval = 3000;
    }
    QTemporaryDir directory;
    SharedState state;
    SilentDialogs dialogs;
    NoNavigation navigator;
    ChosenRecord chosen() const { return {1}; }
};

void replayJumpLogicOnly(benchmark::State& s) {
    FullRecord library(640);
    NullReplayView view;
    IdleTimers timers;
    ReplayController controller(replayContext(library.state), view, timers, library.dialogs,
                                library.navigator);
    if (!controller.open(library.chosen())) {
        s.SkipWithError("record not readable");
        return;
    }
    for (auto _ : s)
        controller.jumpToFinal();
    s.counters["entries"] = library.state.board.moves.length();
}

void replayJumpOnScreen(benchmark::State& s) {
    FullRecord library(static_cast<int>(s.range(0)));
    std::unique_ptr<ReplayScreen> screen(
        ReplayScreen::open(library.state, library.chosen(), library.navigator, library.dialogs));
    if (!screen) {
        s.SkipWithError("record not readable");
        return;
    }
    screen->show();
    QCoreApplication::processEvents();
    screen->controller().setBeeps(false);
    for (auto _ : s) {
        screen->controller().jumpToFinal();
        QCoreApplication::processEvents(); // the repaint of the surface
    }
    s.counters["entries"] = library.state.board.moves.length();
}

BENCHMARK(replayJumpLogicOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(replayJumpOnScreen)->Arg(640)->Arg(800)->Unit(benchmark::kMillisecond);

} // namespace
