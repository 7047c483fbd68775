// Renders the main screens offscreen into PNG files for the README:
//   vorleth-screenshots OUTDIR
// It works in a temporary base directory filled with a small library of its own.
#include "app/screens.h"
#include "import/sgfimport.h"
#include "interaction/dialogs.h"
#include "screens/replay/replayscreen.h"
#include "state/sharedstate.h"
#include "store/library.h"
#include "ui/platform.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

namespace {

using namespace vorleth;

struct LibraryGame {
    const char* sgf;
    const char* gameName;
    const char* white;
    const char* black;
    const char* result;
    QDateTime savedAt;
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget* screen, const QDir& out, const QString& name) {
    settle();
    if (!screen)
        return false;
    const bool ok = screen->grab().save(out.filePath(name));
    std::printf("%s %s\n", ok ? "wrote" : "failed", qPrintable(out.filePath(name)));
    return ok;
}

// A few games under varied names, so the list has something to sort and narrow.
bool fillLibrary(SharedState& state) {
    const QDir data(QStringLiteral(VORLETH_SOURCE_DIR "/tests/data"));
    const LibraryGame games[] = {
        {"sgf/own-game-1.sgf",
         "春季大会",
         "山田",
         "佐藤",
         "白6目半勝",
         {{2026, 4, 12}, {14, 5, 0}}},
        {"sgf/own-game-2.sgf",
         "４子局 研究会",
         "先生",
         "鈴木",
         "黒中押勝",
         {{2026, 5, 3}, {9, 30, 0}}},
        {"sgf/own-game-1.sgf", "新春杯", "高橋", "田中", "黒3目勝", {{2026, 1, 5}, {20, 15, 0}}},
        {"sgf/own-game-1.sgf",
         "春の例会",
         "伊藤",
         "山田",
         "白中押勝",
         {{2026, 3, 21}, {16, 40, 0}}},
        {"diagram/ear-reddening.sgf",
         "耳赤の一局",
         "井上因碩",
         "本因坊秀策",
         "黒2目勝",
         {{2026, 6, 1}, {19, 0, 0}}},
        // A game played to its end, with the neutral points filled: the one most recently
        // looked at, replayed, continued and counted below.
        {"sgf/gnugo-selfplay-3.sgf",
         "自己対局",
         "GNU Go",
         "GNU Go",
         "黒26目半勝",
         {{2026, 6, 2}, {21, 0, 0}}},
    };
    for (const LibraryGame& g : games) {
        const Result<SgfImport> imported = importSgfFile(data.filePath(QString::fromUtf8(g.sgf)));
        if (!imported.ok || imported.games.isEmpty())
            return false;
        CurrentRecord record;
        record.game = {QString::fromUtf8(g.gameName), QString::fromUtf8(g.white),
                       QString::fromUtf8(g.black), QString::fromUtf8(g.result),
                       imported.games.first().game.komi.isEmpty()
                           ? QStringLiteral("6.5")
                           : imported.games.first().game.komi};
        record.moveCount = imported.games.first().moveCount;
        if (!saveRecord(state.settings.recordDirectory, state.catalogue, record,
                        imported.games.first().moves, g.savedAt)
                 .ok)
            return false;
    }
    state.clock = [] { return QDateTime(QDate(2026, 12, 1), QTime(21, 0)); };
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    applyJapaneseFont(app);
    if (argc != 2) {
        std::fputs("usage: vorleth-screenshots OUTDIR\n", stderr);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    QTemporaryDir base;
    // An existing base directory: a later run, so no installation guide opens.
    for (const char* sub : {"SGF", "Pelloq", "Pelloq写真"})
        QDir(base.path()).mkpath(QString::fromUtf8(sub));

    SharedState state(base.path());
    SilentDialogs dialogs;
    state.settings.recordDirectory = QDir(base.path()).filePath(QStringLiteral("Pelloq"));
    if (!fillLibrary(state)) {
        std::fputs("vorleth-screenshots: could not build the sample library\n", stderr);
        return 1;
    }

    ScreenRegistry screens;
    registerScreens(screens, state, dialogs);
    bool ok = true;

    screens.show(ScreenId::Start);
    ok &= save(screens.current(), out, QStringLiteral("main-menu.png"));

    screens.current()->close();
    screens.show(ScreenId::RecordList);
    ok &= save(screens.current(), out, QStringLiteral("record-list.png"));

    // The most recently referenced game, replayed to its end.
    screens.current()->close();
    screens.show(ScreenId::Replay, ChosenRecord{state.recordList.displayOrder.value(0, 1)});
    settle();
    auto* replay = qobject_cast<ReplayScreen*>(screens.current());
    if (!replay)
        return 1;
    replay->controller().jumpToFinal();
    ok &= save(replay, out, QStringLiteral("replay-board.png"));

    // The same game continued on the recording board, then counted.
    replay->controller().continuePlaying();
    replay->close();
    settle();
    ok &= save(screens.current(), out, QStringLiteral("recording-board.png"));
    if (auto* count = screens.current()->findChild<QPushButton*>(QStringLiteral("Command3")))
        count->click(); // 地の計算, confirmed
    settle();
    ok &= save(screens.current(), out, QStringLiteral("counting.png"));

    // Its diagram, as the table entry shows a game typed in from a printed diagram: each point
    // with the number of the first move played there.
    const MoveList moves = state.board.moves;
    screens.current()->close();
    state.table.clearDiagramGrid();
    state.table.tableMoves.fill(0);
    int number = 0;
    for (const MoveEntry& e : moves.entries()) {
        if (!e.isStone())
            continue;
        ++number;
        const Point p = Point::fromCode(e.point);
        if (p.onBoard() && state.table.diagramGrid[p.column][p.row] == 0)
            state.table.diagramGrid[p.column][p.row] = number;
    }
    state.record.moveCount = number;
    screens.show(ScreenId::TableEntry);
    settle();
    ok &= save(screens.current(), out, QStringLiteral("table-entry.png"));
    return ok ? 0 : 1;
}
