// Opening a stored game for replay: reading its record file and rebuilding the final position,
// against a plain read of the same file's bytes.
#include "board/playrules.h"
#include "shell/sharedstate.h"
#include "store/record.h"
#include "ui/dialogs.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

using namespace vorleth;

// A record of 300 moves (with the removals its captures cause) saved in a temporary directory.
struct StoredGame {
    QTemporaryDir directory;
    SharedState state{directory.path()};

    StoredGame() {
        state.settings.recordDirectory = directory.path();
        state.record.gameName = QStringLiteral("練習碁");
        state.record.whitePlayer = QStringLiteral("甲");
        state.record.blackPlayer = QStringLiteral("乙");
        state.record.result = QStringLiteral("白中押勝");
        state.record.komi = QStringLiteral("6.5");
        NullBoardDisplay display;
        SilentDialogs dialogs;
        std::uint32_t seed = 12345;
        while (state.board.play.nextMoveNumber <= 300) {
            seed = seed * 1103515245u + 12345u;
            const Point p{static_cast<int>(seed >> 16) % 19 + 1,
                          static_cast<int>(seed >> 8) % 19 + 1};
            if (state.board.board.cell(p) == Board::Empty)
                playStone(state.board, p, display, dialogs);
        }
        state.record.moveCount = 300;
        if (!saveRecord(state, dialogs))
            qFatal("could not save the benchmark record");
    }

    QString path() const { return recordPath(directory.path(), state.record.fileName); }
};

StoredGame& storedGame() {
    static StoredGame game;
    return game;
}

void plainRead(benchmark::State& run) {
    const QString path = storedGame().path();
    for (auto _ : run) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            run.SkipWithError("cannot open");
        QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(plainRead);

void readRecordOnly(benchmark::State& run) {
    const StoredGame& game = storedGame();
    SharedState reader(game.directory.path());
    reader.settings.recordDirectory = game.directory.path();
    reader.record.fileName = game.state.record.fileName;
    QString error;
    for (auto _ : run) {
        if (!readRecord(reader, error))
            run.SkipWithError("cannot read");
        benchmark::DoNotOptimize(reader.board.moves);
    }
}
BENCHMARK(readRecordOnly);

void readRecordAndRebuild(benchmark::State& run) {
    const StoredGame& game = storedGame();
    SharedState reader(game.directory.path());
    reader.settings.recordDirectory = game.directory.path();
    reader.record.fileName = game.state.record.fileName;
    NullBoardDisplay display;
    QString error;
    for (auto _ : run) {
        if (!readRecord(reader, error))
            run.SkipWithError("cannot read");
        rebuildPosition(reader.board, reader.board.moves.length(), reader.record.gameName, display);
        benchmark::DoNotOptimize(reader.board.board);
    }
    run.counters["entries"] = reader.board.moves.length();
}
BENCHMARK(readRecordAndRebuild);

} // namespace

BENCHMARK_MAIN();
