// Opening a stored game for replay: reading its record file and rebuilding the final position,
// against a plain read of the same file's bytes.
#include "board/playrules.h"
#include "store/library.h"
#include "store/recordname.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

using namespace vorleth;

// A record of 300 moves (with the removals its captures cause) saved in a temporary directory.
struct StoredGame {
    QTemporaryDir directory;
    CurrentRecord record;

    StoredGame() {
        record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                       QStringLiteral("白中押勝"), QStringLiteral("6.5")};
        BoardModel model;
        std::uint32_t seed = 12345;
        while (model.play.nextMoveNumber <= 300) {
            seed = seed * 1103515245u + 12345u;
            const Point p{static_cast<int>(seed >> 16) % 19 + 1,
                          static_cast<int>(seed >> 8) % 19 + 1};
            if (model.board.cell(p) == Board::Empty)
                (void)playStone(model, p).result;
        }
        record.moveCount = 300;
        Catalogue catalogue;
        if (!saveRecord(directory.path(), catalogue, record, model.moves,
                        QDateTime(QDate(2007, 11, 5), QTime(9, 5, 3)))
                 .ok)
            qFatal("could not save the benchmark record");
    }

    QString path() const { return recordPath(directory.path(), record.fileName); }
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
    CurrentRecord record;
    record.fileName = game.record.fileName;
    MoveList moves;
    for (auto _ : run) {
        if (!readRecord(game.directory.path(), record, moves).ok)
            run.SkipWithError("cannot read");
        benchmark::DoNotOptimize(moves);
    }
}
BENCHMARK(readRecordOnly);

void readRecordAndRebuild(benchmark::State& run) {
    const StoredGame& game = storedGame();
    CurrentRecord record;
    record.fileName = game.record.fileName;
    BoardModel model;
    for (auto _ : run) {
        if (!readRecord(game.directory.path(), record, model.moves).ok)
            run.SkipWithError("cannot read");
        rebuildPosition(model, model.moves.length(), record.game.gameName);
        benchmark::DoNotOptimize(model.board);
    }
    run.counters["entries"] = model.moves.length();
}
BENCHMARK(readRecordAndRebuild);

} // namespace

BENCHMARK_MAIN();
