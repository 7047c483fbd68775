// One real game typed in from its printed complete game diagram, as a user would: the numbers
// point by point into the table, then the plays on points used before into the repeated-play
// list. Placing the resulting table with the play rules, as the recording board does in its
// automatic state, must give the record that playing the game's moves gives. The diagram is
// the book's, and the one the program prints itself.

#include "recording/recordingfakes.h"
#include "screens/recording/tabletestsupport.h"
#include "support/figuresvg.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "board/playrules.h"
#include "export/figurelayout.h"
#include "export/gamefigure.h"
#include "import/sgf.h"
#include "screens/recording/repeatedplaysscreen.h"
#include "screens/recording/tableentryscreen.h"
#include "state/contexts.h"
#include "store/catalogue.h"
#include "store/library.h"
#include "store/textfile.h"
#include "store/workingfiles.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace vorleth {
namespace {

using test::stroke;

const QString dataDirectory = QStringLiteral(VORLETH_TEST_DATA "/diagram");

// A diagram as printed: the number at each point [column][row], and the notes beside it.
struct PrintedDiagram {
    std::array<std::array<int, 20>, 20> numbers{};
    QVector<RepeatedPlay> notes; // "57 at 23": move 57 played where move 23 was
};

PrintedDiagram readDiagram(const QString& path) {
    PrintedDiagram diagram;
    const QString text = QString::fromUtf8(test::readBytes(path));
    const QRegularExpression note(QStringLiteral("^(\\d+) at (\\d+)$"));
    int row = 0;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#'))
            continue;
        if (const auto m = note.match(line); m.hasMatch()) {
            diagram.notes.append({m.captured(1).toInt(), m.captured(2).toInt()});
            continue;
        }
        const QStringList cells = line.split(u' ', Qt::SkipEmptyParts);
        EXPECT_EQ(cells.size(), 19) << line;
        ++row;
        for (int column = 1; column <= std::min<int>(19, cells.size()); ++column)
            diagram.numbers[column][row] = cells[column - 1].toInt(); // "." reads as 0
    }
    EXPECT_EQ(row, 19);
    return diagram;
}

// The game's moves played one after another with the rules.
MoveList playGame(const QString& path) {
    const Result<SgfFile> file = readSgfBytes(test::readBytes(path));
    EXPECT_TRUE(file.ok) << file.error();
    const Result<SgfGame> read = sgfGame(file.collection, file.collection.roots.value(0));
    EXPECT_TRUE(read.ok) << read.error();
    BoardModel model;
    for (const SgfMove& move : read.moves) {
        EXPECT_FALSE(move.pass);
        EXPECT_EQ(model.board.cell(move.point), Board::Empty) << move.point.code();
        EXPECT_EQ(playStone(model, move.point).result, PlayResult::Played);
        EXPECT_EQ(model.play.lastMover, move.colour) << move.point.code();
    }
    return model.moves;
}

// The recording board opened on the finished table in its automatic state, as "並べる" hands
// over to it: it places every move at once, a repeated play at the point of its earlier move,
// and stops only for a move whose point it cannot tell.
MoveList placeOnTheBoard(SharedState& state) {
    test::FakeRecordingView view;
    test::VirtualRecordingTimers timers;
    test::ScriptedDialogs dialogs;
    test::RecordingNavigator navigator;
    BoardRecordingController board(boardRecordingContext(state), view, timers, dialogs, navigator);
    timers.controller = &board;
    board.open(PlaceDiagram{});
    timers.advance(BoardRecordingController::tickPeriod);
    EXPECT_EQ(view.moveNumber, QStringLiteral("終局")) << "the board stopped before the end";
    EXPECT_TRUE(dialogs.shown.empty());
    return state.board.moves;
}

const GameInfo earReddening{QStringLiteral("耳赤の一局"), QStringLiteral("井上幻庵因碩"),
                            QStringLiteral("桑原秀策"), QStringLiteral("黒2目勝"),
                            QStringLiteral("0")};

// The diagram the program prints of the game, read off its SVG by the places of its numbers.
PrintedDiagram printedByTheProgram(const MoveList& played) {
    GameRecord record;
    record.metadata.game = earReddening;
    record.moves = played;
    const QVector<GameFigure> figures = gameFigures(record);
    EXPECT_EQ(figures.size(), 1);
    const test::ReadFigure read = test::readFigureSvg(
        figureSvg(layoutFigure(figures.value(0), figureHeading(record.metadata, {}))));
    PrintedDiagram diagram;
    for (int column = 1; column <= 19; ++column)
        for (int row = 1; row <= 19; ++row)
            diagram.numbers[column][row] = read.numbers[column][row];
    for (const auto& [move, earlier] : read.notes)
        diagram.notes.append({move, earlier});
    return diagram;
}

// Types the diagram into the table and its notes into the repeated-play list as a user does,
// then places the table on the recording board: the record must be the game's.
void typeInAndPlace(const PrintedDiagram& diagram, const MoveList& played) {
    test::TableState t;
    SharedState& state = t.state;
    state.record.game = earReddening;
    state.record.moveCount = 325;
    state.table.clearDiagramGrid(); // as the main menu's table entry leaves it
    state.table.tableMoves.fill(0);
    test::CountingBeeper beeper;

    // The table: row by row, the number of each point, the right arrow to the next point and
    // Enter at the end of the row.
    auto table = std::make_unique<TableEntryScreen>(state, t.navigator, t.dialogs, &beeper);
    table->show();
    test::fire(test::child<QTimer>(table.get(), "Timer1"));
    FlexGrid* grid = table->grid();
    for (int row = 1; row <= 19; ++row) {
        ASSERT_EQ(grid->currentGridRow(), row);
        ASSERT_EQ(grid->currentGridColumn(), 1);
        for (int column = 1; column <= 19; ++column) {
            if (const int n = diagram.numbers[column][row])
                test::typeDigits(grid, n);
            if (column < 19)
                stroke(grid, Qt::Key_Right);
        }
        stroke(grid, Qt::Key_Return);
    }
    EXPECT_EQ(state.table.diagramGrid, diagram.numbers);
    EXPECT_EQ(test::child<QLineEdit>(table.get(), "errmsg")->text(), QString());
    EXPECT_TRUE(beeper.runs.empty());
    EXPECT_TRUE(t.dialogs.shown.empty());

    test::click(table.get(), "Command1"); // 並べる
    test::settle();
    ASSERT_EQ(t.navigator.shown, std::vector<ScreenId>{ScreenId::RepeatedPlays});
    // Every move has the point it was first played on, and the noted ones none yet.
    for (int m = 1; m <= 325; ++m) {
        const bool noted = std::any_of(diagram.notes.cbegin(), diagram.notes.cend(),
                                       [m](const RepeatedPlay& p) { return p.moveNumber == m; });
        const Point p = Point::fromCode(state.table.tableMoves[m]);
        if (noted) {
            EXPECT_EQ(state.table.tableMoves[m], 0) << m;
        } else {
            EXPECT_EQ(diagram.numbers[p.column][p.row], m) << m;
        }
    }
    // The working file holds the table, for "前回入力の再現".
    CurrentRecord recalled;
    TableEntryData recalledTable;
    ASSERT_TRUE(readWorkingEntry(state.baseDirectory, recalled, recalledTable).ok);
    EXPECT_EQ(recalled.game, state.record.game);
    EXPECT_EQ(recalled.moveCount, 325);
    EXPECT_EQ(recalledTable.tableMoves, state.table.tableMoves);

    // The notes: the earlier move typed on each row, or "*" where the ko repeats the one two
    // rows above.
    auto repeated = std::make_unique<RepeatedPlaysScreen>(state, t.navigator, t.dialogs);
    repeated->show();
    FlexGrid* list = repeated->grid();
    ASSERT_EQ(list->rows(), diagram.notes.size());
    int stars = 0;
    for (int row = 1; row <= list->rows(); ++row) {
        const RepeatedPlay& note = diagram.notes[row - 1];
        ASSERT_EQ(list->text(row, 0), QString::number(note.moveNumber));
        ASSERT_EQ(list->currentGridRow(), row);
        if (row >= 3 && diagram.notes[row - 3].earlierMove == note.earlierMove) {
            stroke(list, Qt::Key_Asterisk);
            ++stars;
        } else {
            test::typeDigits(list, note.earlierMove);
        }
        stroke(list, Qt::Key_Return);
    }
    EXPECT_GT(stars, 20);
    EXPECT_TRUE(t.dialogs.shown.empty());
    test::click(repeated.get(), "Command1"); // 並べる
    test::settle();
    EXPECT_EQ(t.navigator.shown.back(), ScreenId::BoardRecording);
    EXPECT_EQ(state.table.repeatedPlays, diagram.notes);
    TableEntryData readBack;
    ASSERT_TRUE(readRepeatedPlays(state.baseDirectory, readBack).ok);
    EXPECT_EQ(readBack.repeatedPlays, diagram.notes);

    // Placed by the recording board, the table gives the game's record, and so does the saved
    // file.
    const MoveList placed = placeOnTheBoard(state);
    EXPECT_EQ(placed, played);

    QTemporaryDir records;
    ASSERT_TRUE(records.isValid());
    Catalogue catalogue;
    CurrentRecord record = state.record;
    const QDateTime savedAt(QDate(2024, 5, 1), QTime(10, 0));
    ASSERT_TRUE(saveRecord(records.path(), catalogue, record, placed, savedAt).ok);
    CurrentRecord reread;
    reread.fileName = record.fileName;
    MoveList saved;
    ASSERT_TRUE(readRecord(records.path(), reread, saved).ok);
    EXPECT_EQ(saved, played);
}

TEST(TableEntryOfARealGame, TheEarReddeningGameTypedInFromItsDiagram) {
    const PrintedDiagram diagram =
        readDiagram(dataDirectory + QStringLiteral("/ear-reddening.diagram"));
    const MoveList played = playGame(dataDirectory + QStringLiteral("/ear-reddening.sgf"));
    ASSERT_EQ(std::count_if(played.entries().cbegin(), played.entries().cend(),
                            [](const MoveEntry& e) { return e.isStone(); }),
              325);
    ASSERT_EQ(diagram.notes.size(), 38);
    typeInAndPlace(diagram, played);
}

// The program's own printed diagram is the book's, and typed back in gives the same record.
TEST(TableEntryOfARealGame, TheProgramsPrintedDiagramTypedBackIn) {
    const MoveList played = playGame(dataDirectory + QStringLiteral("/ear-reddening.sgf"));
    const PrintedDiagram printed = printedByTheProgram(played);
    const PrintedDiagram book =
        readDiagram(dataDirectory + QStringLiteral("/ear-reddening.diagram"));
    EXPECT_EQ(printed.numbers, book.numbers);
    EXPECT_EQ(printed.notes, book.notes);
    typeInAndPlace(printed, played);
}

} // namespace
} // namespace vorleth
