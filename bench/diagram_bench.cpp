// A real game of 325 moves drawn as one complete game diagram and written as PDF, as
// "棋譜図を保存" does; the figure must be ready well within a user's wait (100 ms).
// Usage: diagram_bench [benchmark options]

#include "export/figurelayout.h"
#include "export/gamefigure.h"
#include "import/sgf.h"
#include "ui/figurewriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace vorleth;

GameRecord earReddeningGame() {
    QFile file(QStringLiteral(VORLETH_SOURCE_DIR "/tests/data/diagram/ear-reddening.sgf"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the game");
    const Result<SgfFile> sgf = readSgfBytes(file.readAll());
    const Result<SgfGame> read = sgfGame(sgf.collection, sgf.collection.roots.value(0));
    GameRecord record;
    record.metadata.game = {QStringLiteral("耳赤の一局"), QStringLiteral("井上幻庵因碩"),
                            QStringLiteral("桑原秀策"), QStringLiteral("黒2目勝"),
                            QStringLiteral("0")};
    record.metadata.recordDate = QStringLiteral("18460911");
    // Captures are left out: the figure numbers points by first play whatever stands there.
    for (const SgfMove& move : read.moves)
        record.moves.append({move.point.code(), move.colour});
    return record;
}

void BM_WholeGameAsPdf(benchmark::State& state) {
    const GameRecord record = earReddeningGame();
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("figure.pdf"));
    for (auto _ : state) {
        QVector<FigurePage> pages;
        for (const GameFigure& figure : gameFigures(record))
            pages.append(layoutFigure(figure, figureHeading(record.metadata, figure)));
        if (writeFigures(pages, path))
            state.SkipWithError("cannot write the PDF");
    }
    state.counters["moves"] = double(record.moves.length());
}
BENCHMARK(BM_WholeGameAsPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
