// One correction on the counting screen as the user makes it, drawing and repaint included,
// against one frame of a 60 Hz screen (16 ms): a left click opens the palette, a mark button
// applies the correction, a right click undoes it. Each iteration is both, so two frames.

#include "interaction/dialogs.h"
#include "interaction/navigator.h"
#include "screens/counting/countingscreen.h"
#include "screens/counting/countpalette.h"
#include "state/sharedstate.h"
#include "ui/drawingsurface.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include "benchlibrary.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vorleth;

class NoNavigation : public Navigator {
public:
    void show(ScreenId, const Handover&) override {}
    void showBeside(ScreenId, const Handover&) override {}
};

const QString& gnugoFinal = bench::gnugoFinalDiagram;

// Walls two stones thick: Black's side is one area of 133 points.
const QString walls = [] {
    QStringList rows;
    for (int row = 1; row <= 19; ++row)
        rows << QStringLiteral(".......XXOO........");
    return rows.join(u'\n');
}();

struct Scene {
    const QString* position;
    Point clicked;
    const char* button;
};
// The bottom-left black corner of the game (27 points) becomes White's; Black's whole side of
// the walls becomes seki, which is cleared point by point again on the undo.
const Scene scenes[] = {
    {&gnugoFinal, {1, 18}, "Command2"},
    {&walls, {1, 1}, "Command4"},
};

void mouse(QWidget* surface, QEvent::Type type, QPointF at, Qt::MouseButton button) {
    QMouseEvent event(type, at, surface->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
}

void correctionOnScreen(benchmark::State& s) {
    const Scene& scene = scenes[s.range(1)];
    QTemporaryDir directory;
    SharedState state(directory.path());
    state.geometry = BoardGeometry::forScreenSize(static_cast<int>(s.range(0)));
    state.board.board = parseBoardDiagram(*scene.position);
    state.record.game.komi = QStringLiteral("6.5");
    SilentDialogs dialogs;
    NoNavigation navigator;
    CountingScreen screen(state, navigator, dialogs);
    screen.show();
    QCoreApplication::processEvents();

    QWidget* surface = screen.surface();
    const QPointF at(state.geometry.pointX(scene.clicked.column) / 15.0,
                     state.geometry.pointY(scene.clicked.row) / 15.0);
    const QString before = state.record.game.result;
    for (auto _ : s) {
        mouse(surface, QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(surface, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        CountPalette* palette = screen.palette();
        if (!palette) {
            s.SkipWithError("no palette opened");
            return;
        }
        palette->findChild<QPushButton*>(QString::fromLatin1(scene.button))->click();
        QCoreApplication::processEvents();                                   // the repaint
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the palette goes
        mouse(surface, QEvent::MouseButtonPress, at, Qt::RightButton);
        mouse(surface, QEvent::MouseButtonRelease, at, Qt::RightButton);
        QCoreApplication::processEvents();
    }
    if (state.record.game.result != before)
        s.SkipWithError("the undo did not restore the count");
}

BENCHMARK(correctionOnScreen)
    ->ArgsProduct({{640, 800}, {0, 1}})
    ->ArgNames({"layout", "scene"})
    ->Unit(benchmark::kMillisecond);

} // namespace
