#include "recording/boardtestbase.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::BoardRecordingTest;
using test::movesOf;
using test::played;
using test::quietMoves;
using test::quietPoints;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using Answer = Dialogs::Answer;

// ---- Opening, the tick and the mouse -------------------------------------------------------

TEST_F(BoardRecordingTest, AFreshGameOpensEmptyAndTheFirstTickDrawsTheBoard) {
    state.record.game.result = QStringLiteral("打掛");
    state.record.moveCount = 7;
    model().moves = movesOf({{404, "1"}});
    model().play.appliedCount = 1;
    state.table.tablePosition = 12;
    state.table.diagramGrid[4][4] = 3;
    controller.open();

    EXPECT_EQ(view.title, QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
    EXPECT_EQ(view.information,
              QStringLiteral("練習碁\r\n白：山田\r\n黒：佐藤\r\n勝負：打掛\r\n手数:7\r\nコミ:6.5"));
    EXPECT_EQ(model().moves.length(), 0);
    EXPECT_EQ(model().play.appliedCount, 0);
    EXPECT_EQ(model().play.nextMoveNumber, 1);
    EXPECT_EQ(state.table.tablePosition, 0);
    EXPECT_EQ(state.table.diagramGrid[4][4], 0) << "the diagram grid is cleared";
    EXPECT_EQ(timers.tickPeriod, 500);
    EXPECT_EQ(view.boardDrawings, 0);

    wait(500);
    EXPECT_EQ(view.boardDrawings, 1);
    wait(500);
    EXPECT_EQ(view.boardDrawings, 1) << "drawn once";

    click(4, 4);
    click(16, 16);
    EXPECT_EQ(view.at(4, 4), 'X');
    EXPECT_EQ(view.at(16, 16), 'O');
    EXPECT_EQ(view.moveNumber, QStringLiteral("3手目"));
    EXPECT_EQ(view.sideToMove, QStringLiteral("黒番"));
    EXPECT_EQ(view.shownPoint, (Point{16, 16}));
    EXPECT_EQ(model().moves, movesOf({{404, "1"}, {1616, "2"}}));
    EXPECT_EQ(model().play.appliedCount, 2);
}

TEST_F(BoardRecordingTest, AClickBeforeTheFirstTickDrawsTheBoardFirst) {
    controller.open();
    click(10, 10);
    EXPECT_EQ(view.log.first(), QStringLiteral("board"));
    EXPECT_EQ(view.at(10, 10), 'X');
}

TEST_F(BoardRecordingTest, PressesOffTheGridOrOnAStoneAreIgnored) {
    controller.open();
    click(4, 4);
    const MoveList before = model().moves;
    const double c = state.geometry.cellSize;
    const struct {
        const char* what;
        double x, y;
    } presses[] = {
        {"on the stone", state.geometry.pointX(4), state.geometry.pointY(4)},
        {"left of the board", state.geometry.pointX(1) - c * 0.6, state.geometry.pointY(5)},
        {"below the board", state.geometry.pointX(5), state.geometry.pointY(19) + c * 0.6},
        {"beside the board", state.geometry.pointX(19) + c * 3, state.geometry.pointY(10)},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.what);
        controller.leftPress(p.x, p.y);
        EXPECT_EQ(model().moves, before);
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BoardRecordingTest, HandicapOfTheGameNameGoesDownAtTheFirstTickAndWhitePlaysFirst) {
    state.record.game.gameName = QStringLiteral("二子局");
    handicapFromGameName(model(), state.record.game.gameName); // as "次に" does
    controller.open();
    EXPECT_EQ(view.stones(), 0);
    wait(500);
    EXPECT_EQ(view.at(16, 16), 'X');
    EXPECT_EQ(view.at(4, 4), 'X');
    EXPECT_EQ(view.stones(), 2);
    click(10, 10);
    EXPECT_EQ(view.at(10, 10), 'O');
    EXPECT_EQ(model().moves, movesOf({{1010, "2"}}));
    EXPECT_EQ(view.moveNumber, QStringLiteral("2手目"));
}

// A click that comes before the tick must not put the first stone under the handicap.
TEST_F(BoardRecordingTest, AClickBeforeTheTickPlacesAWaitingHandicapFirst) {
    state.record.game.gameName = QStringLiteral("三子局");
    handicapFromGameName(model(), state.record.game.gameName);
    controller.open();
    click(16, 16); // a handicap point: taken by the handicap, so nothing is played
    EXPECT_EQ(view.stones(), 3);
    EXPECT_TRUE(model().moves.entries().isEmpty());
    click(10, 10);
    EXPECT_EQ(model().moves, movesOf({{1010, "2"}}));
}

TEST_F(BoardRecordingTest, RightReleaseTakesBackTheLastStoneAndWhatItCaptured) {
    controller.open();
    // Black surrounds the white stone at (1, 1) and takes it.
    for (const Point& p : {Point{2, 1}, Point{1, 1}, Point{1, 2}})
        click(p);
    ASSERT_EQ(view.at(1, 1), '.');
    ASSERT_EQ(view.prisoners, prisonersText(0, 1));
    controller.rightRelease();
    EXPECT_EQ(view.at(1, 1), 'O');
    EXPECT_EQ(view.at(1, 2), '.');
    EXPECT_EQ(view.prisoners, prisonersText(0, 0));
    EXPECT_EQ(model().moves, movesOf({{201, "1"}, {101, "2"}}));
    click(1, 2);
    EXPECT_EQ(view.at(1, 2), 'X') << "black is to play again";

    for (int i = 0; i < 5; ++i)
        controller.rightRelease();
    EXPECT_EQ(model().moves.length(), 0);
    EXPECT_EQ(model().play.appliedCount, 0);
    EXPECT_EQ(view.stones(), 0);
}

// The clicks take turns from black; the last one is judged. A stone that would have no liberty
// and take nothing is refused with a message and the same side plays on; a capture on the
// stone's last liberty, the ko take and the retake at once are plays.
TEST_F(BoardRecordingTest, ASuicideClickIsRefusedWithAMessage) {
    const QVector<Point> ko{{2, 1}, {3, 1}, {1, 2}, {2, 2}, {2, 3}, {4, 2}, {10, 10}, {3, 3}};
    const struct {
        const char* what;
        QVector<Point> clicks;
        bool refused;
        int prisoners; // white's and black's together after the last click
    } cases[] = {
        {"black into the corner between two white stones",
         {{10, 10}, {2, 1}, {10, 11}, {1, 2}, {1, 1}},
         true,
         0},
        {"white inside four black stones",
         {{10, 9}, {19, 19}, {9, 10}, {19, 18}, {11, 10}, {18, 19}, {10, 11}, {10, 10}},
         true,
         0},
        {"black takes two white stones with its last liberty",
         {{3, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {10, 10}, {1, 1}},
         false,
         2},
        {"the ko take", ko + QVector<Point>{{3, 2}}, false, 1},
        {"the ko retaken at once", ko + QVector<Point>{{3, 2}, {2, 2}}, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        model() = BoardModel{};
        dialogs.shown.clear();
        controller.open();
        for (qsizetype i = 0; i + 1 < c.clicks.size(); ++i)
            click(c.clicks[i]);
        ASSERT_TRUE(dialogs.shown.empty());
        const MoveList before = model().moves;
        const QString side = view.sideToMove;
        const Point last = c.clicks.last();
        click(last);
        const PlayState& play = model().play;
        if (c.refused) {
            EXPECT_EQ(dialogs.messages(),
                      QStringList{QStringLiteral("そこには打てません（自殺手）")});
            EXPECT_EQ(model().moves, before);
            EXPECT_EQ(model().board.cell(last), Board::Empty);
            EXPECT_EQ(view.at(last.column, last.row), '.');
            EXPECT_EQ(view.sideToMove, side) << "the same side is still to play";
        } else {
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_NE(model().board.cell(last), Board::Empty);
            EXPECT_NE(view.at(last.column, last.row), '.');
            EXPECT_EQ(play.prisonersWhite + play.prisonersBlack, c.prisoners);
        }
    }
}

// ---- Continuing (state 99) -----------------------------------------------------------------

TEST_F(BoardRecordingTest, ContinuingRebuildsTheHandedOverEntriesAndRecordsOn) {
    const MoveList moves = movesOf({
        {201, "1"},
        {101, "2"},
        {102, "1"},
        {101, "+"},
        {pauseMarkerCode, "9"},
        {1010, "2"},
        {1011, "1"},
    });
    state.shell.entryMode = 1;
    state.table.skipSaveQuestion = true;
    state.record.game.gameName = QStringLiteral("二子局");
    state.record.moveCount = 5;
    model().moves = moves;
    model().play.appliedCount = 6; // the replay stopped before the last stone
    state.table.boardScreenState = 99;
    controller.open();

    EXPECT_EQ(tableState(), 0);
    EXPECT_EQ(state.record.moveCount, 0);
    EXPECT_FALSE(state.table.skipSaveQuestion) << "coming from the replay";
    EXPECT_TRUE(view.information.contains(QStringLiteral("手数:0")));
    EXPECT_EQ(model().moves, movesOf({{201, "1"}, {101, "2"}, {102, "1"}, {101, "+"}, {1010, "2"}}))
        << "the markers dropped, the rest of the list gone";
    EXPECT_EQ(view.at(16, 16), 'X') << "the handicap of the game name";
    EXPECT_EQ(view.at(1, 1), '.');
    EXPECT_EQ(view.moveNumber, QStringLiteral("5手目"));
    EXPECT_EQ(view.prisoners, prisonersText(0, 1));

    click(5, 5);
    EXPECT_EQ(view.at(5, 5), 'X');
    controller.restoreOpening();
    EXPECT_EQ(model().moves.length(), 5);
    EXPECT_EQ(view.at(5, 5), '.');
}

// ---- Diagram moves placed automatically ----------------------------------------------------

TEST_F(BoardRecordingTest, ADiagramOf120MovesIsPlacedAtOnceOnOpeningAndEnds) {
    const QVector<Point> points = quietPoints(120);
    diagram(codes(points));
    controller.open();

    EXPECT_EQ(view.moveNumber, endedMoveText);
    EXPECT_EQ(model().moves.length(), 120);
    EXPECT_EQ(boardDiagram(model().board), boardDiagram(played(points).board));
    EXPECT_EQ(view.diagram(), boardDiagram(model().board));
    EXPECT_EQ(tableState(), 0) << "in table entry the opening leaves the state at 0";
    EXPECT_EQ(timers.tickPeriod, 500) << "the opening starts the tick again";

    // Counting is offered.
    dialogs.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(controller.countTerritory());
    EXPECT_EQ(dialogs.messages(), QStringList{countingQuestion});

    // Clicking records further moves.
    click(10, 10);
    EXPECT_EQ(model().moves.length(), 121);
}

TEST_F(BoardRecordingTest, AHandicapDiagramStartsWithTheStonesAndAWhiteMove) {
    state.record.game.gameName = QStringLiteral("三子局");
    handicapFromGameName(model(), state.record.game.gameName);
    diagram({1010, 1011});
    controller.open();
    EXPECT_EQ(view.at(16, 16), 'X');
    EXPECT_EQ(view.at(4, 4), 'X');
    EXPECT_EQ(view.at(4, 16), 'X');
    EXPECT_EQ(model().moves, movesOf({{1010, "2"}, {1011, "1"}}));
}

TEST_F(BoardRecordingTest, RepeatedPlaysAreResolvedFromTheListOrWaitForAClick) {
    // Black 3 takes white 2 at (1, 1); black 5 is played there again, its point given by the
    // repeated-play list (the point of move 2); move 7 has no point and is in no list.
    state.table.repeatedPlays = {{5, 2}, {9, 3}};
    diagram({201, 101, 102, 1010, 0, 1515, 0, 1616});
    controller.open();

    EXPECT_EQ(model().moves, movesOf({{201, "1"},
                                      {101, "2"},
                                      {102, "1"},
                                      {101, "+"},
                                      {1010, "2"},
                                      {101, "1"},
                                      {1515, "2"}}));
    EXPECT_EQ(state.table.tableMoves[5], 101);
    EXPECT_EQ(tableState(), 2) << "the board waits for the point of move 7";
    EXPECT_EQ(view.moveNumber, QStringLiteral("7手目"));

    // The click gives move 7 its point; placement goes on at once with move 8.
    click(9, 9);
    EXPECT_EQ(tableState(), 1);
    EXPECT_EQ(timers.tickPeriod, 1);
    wait(1);
    EXPECT_EQ(view.at(9, 9), 'X');
    EXPECT_EQ(view.at(16, 16), 'O');
    EXPECT_EQ(view.moveNumber, endedMoveText);
    EXPECT_EQ(tableState(), 1) << "a pass started by the tick leaves the state at 1";
    EXPECT_FALSE(timers.tickRunning());

    // Clicks are ignored now; take-back and the buttons still work.
    click(3, 3);
    EXPECT_EQ(view.at(3, 3), '.');
    controller.rightRelease();
    EXPECT_EQ(view.at(16, 16), '.');
    EXPECT_TRUE(controller.returnWithoutSaving());
}

TEST_F(BoardRecordingTest, AnOccupiedDiagramPointSkipsItsMove) {
    diagram({1010, 1111, 1010, 1212});
    state.shell.entryMode = 3; // outside table entry the pass goes on at the next tick
    controller.open();
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {1111, "2"}}));
    EXPECT_EQ(tableState(), 1);
    wait(500);
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {1111, "2"}, {1212, "1"}}));
    EXPECT_EQ(view.moveNumber, endedMoveText);
}

// Move 5 of the diagram would be black's stone without a liberty: placement stops at it with
// the message, the user's click puts it where it really went, and placement goes on.
TEST_F(BoardRecordingTest, ASuicidalDiagramPointWaitsForAClickWithAMessage) {
    diagram({1010, 201, 1011, 102, 101, 1515});
    controller.open();
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {201, "2"}, {1011, "1"}, {102, "2"}}));
    EXPECT_EQ(dialogs.messages(), QStringList{suicideMessage()});
    EXPECT_EQ(tableState(), 2);
    EXPECT_EQ(view.moveNumber, QStringLiteral("5手目"));
    EXPECT_EQ(view.at(1, 1), '.');

    click(5, 5);
    wait(BoardRecordingController::tickPeriod);
    EXPECT_EQ(model().moves,
              movesOf({{1010, "1"}, {201, "2"}, {1011, "1"}, {102, "2"}, {505, "1"}, {1515, "2"}}));
    EXPECT_EQ(view.moveNumber, endedMoveText);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(BoardRecordingTest, DiagramMovesAlternateWhateverTheProblemMode) {
    diagram({1010, 1111});
    model().play.placementMode = 1;
    controller.open();
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {1111, "2"}}));
    EXPECT_EQ(model().play.placementMode, 1);
}

// Taking back a stone that captured while diagram moves are placed: one table move to take
// again, not one per restored stone (those are moves still on the board; taking them again
// could play one a second time on a point a later capture emptied).
TEST_F(BoardRecordingTest, TakingBackDuringTheDiagramStepsBackOneMovePerStone) {
    // Black 3 takes white 2; black 5 plays on the point of move 2 again; move 6 waits.
    state.table.repeatedPlays = {{5, 2}};
    diagram({201, 101, 102, 1010, 0, 0});
    controller.open();
    ASSERT_EQ(tableState(), 2);
    ASSERT_EQ(state.table.tablePosition, 6);
    controller.rightRelease(); // black 5
    EXPECT_EQ(state.table.tablePosition, 5);
    controller.rightRelease(); // white 4
    controller.rightRelease(); // black 3, and white 2 comes back
    EXPECT_EQ(state.table.tablePosition, 3);
    EXPECT_EQ(view.at(1, 1), 'O');

    // The waiting board takes a click for move 3 and goes on from move 4.
    click(1, 2);
    wait(1);
    EXPECT_EQ(model().moves,
              movesOf({{201, "1"}, {101, "2"}, {102, "1"}, {101, "+"}, {1010, "2"}, {101, "1"}}));
    EXPECT_EQ(tableState(), 2) << "move 6 still has no point";
}

// ---- "手番を指示" ------------------------------------------------------------------------------

// Black 7 takes white 2 at (1, 1) in a ko; move 8, white's retake on that point, has no point
// in the diagram and the board waits for it.
class RepeatedPlayByNumberTest : public BoardRecordingTest {
protected:
    void SetUp() override {
        diagram({102, 101, 1010, 301, 1111, 202, 201, 0, 1313});
        controller.open();
        ASSERT_EQ(tableState(), 2);
        ASSERT_EQ(state.table.tablePosition, 8);
        ASSERT_EQ(view.at(1, 1), '.');
    }
};

TEST_F(RepeatedPlayByNumberTest, AnswersWithoutAFreePointKeepTheBoardWaiting) {
    const struct {
        std::optional<QString> answer; // nothing: cancelled
        QString message;               // empty: none
    } cases[] = {
        {QStringLiteral(" 3"), samePointMessage},      // black 3 is still on (10, 10)
        {QStringLiteral(" 8"), noEarlierMoveMessage},  // the move waited for
        {QStringLiteral(" 99"), noEarlierMoveMessage}, // beyond every move
        {QStringLiteral("-3"), noEarlierMoveMessage},
        {QStringLiteral(" "), QString()},
        {QStringLiteral("abc"), QString()},
        {std::nullopt, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("(cancelled)")).toStdString());
        dialogs.shown.clear();
        dialogs.prompts.clear();
        dialogs.inputs.push_back(c.answer);
        controller.indicateRepeatedPlay();
        EXPECT_EQ(dialogs.prompts, QStringList{repeatedPlayPrompt});
        EXPECT_EQ(dialogs.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(tableState(), 2);
        EXPECT_EQ(state.table.tablePosition, 8);
        EXPECT_EQ(model().moves.length(), 8);
    }
}

TEST_F(RepeatedPlayByNumberTest, TheNumberOfAMoveWhoseStoneIsGoneGivesItsPoint) {
    dialogs.inputs.push_back(QStringLiteral("２")); // full-width digits count too
    controller.indicateRepeatedPlay();
    EXPECT_EQ(dialogs.inputTitles, QStringList{QStringLiteral("今の手番 8")});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(state.table.tableMoves[8], 101);
    EXPECT_EQ(tableState(), 1);
    EXPECT_EQ(timers.tickPeriod, 1);
    wait(1);
    EXPECT_EQ(model().moves.entry(9), (MoveEntry{101, white}));
    EXPECT_EQ(model().moves.entry(10), (MoveEntry{201, QStringLiteral("+")})) << "the ko retaken";
    EXPECT_EQ(model().moves.entry(11), (MoveEntry{1313, black}));
    EXPECT_EQ(view.moveNumber, endedMoveText);
}

TEST_F(BoardRecordingTest, RepeatedPlayByNumberOutsideTheWaitDoesNothing) {
    controller.open();
    click(4, 4);
    controller.indicateRepeatedPlay();
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(tableState(), 0);
    EXPECT_EQ(model().moves.length(), 1);
}

// ---- Problem-setting modes, pause, handicap menu ---------------------------------------------

TEST_F(BoardRecordingTest, ProblemModesChooseTheColourOfEveryClick) {
    controller.open();
    controller.chooseProblemMode(ProblemMode::BlackRepeated);
    click(1, 1);
    click(2, 2);
    click(3, 3);
    EXPECT_EQ(model().moves, movesOf({{101, "1"}, {202, "1"}, {303, "1"}}));

    controller.chooseProblemMode(ProblemMode::AlternateWhiteNext);
    EXPECT_EQ(view.sideToMove, QStringLiteral("白番"));
    click(4, 4);
    click(5, 5);
    EXPECT_EQ(model().moves.entry(4).kind, white);
    EXPECT_EQ(model().moves.entry(5).kind, black);

    controller.chooseProblemMode(ProblemMode::WhiteRepeated);
    click(6, 6);
    click(7, 7);
    EXPECT_EQ(model().moves.entry(6).kind, white);
    EXPECT_EQ(model().moves.entry(7).kind, white);

    controller.chooseProblemMode(ProblemMode::AlternateBlackNext);
    EXPECT_EQ(view.sideToMove, QStringLiteral("黒番"));
    click(8, 8);
    click(9, 9);
    EXPECT_EQ(model().moves.entry(8).kind, black);
    EXPECT_EQ(model().moves.entry(9).kind, white);
}

TEST_F(BoardRecordingTest, APauseAddsOneMarkerAndChangesNothingShown) {
    controller.open();
    click(4, 4);
    const QString picture = view.diagram();
    const QString moveBox = view.moveNumber;
    controller.addPause();
    EXPECT_EQ(model().moves, movesOf({{404, "1"}, {pauseMarkerCode, "9"}}));
    EXPECT_EQ(model().play.appliedCount, 2);
    EXPECT_EQ(view.diagram(), picture);
    EXPECT_EQ(view.moveNumber, moveBox);
    click(5, 5);
    EXPECT_EQ(model().moves.entry(3).kind, white);
}

TEST_F(BoardRecordingTest, TheHandicapMenuPlacesItsStonesAtTheNextTick) {
    controller.open();
    wait(500);
    controller.chooseHandicap(9);
    EXPECT_EQ(view.stones(), 0);
    wait(500);
    EXPECT_EQ(view.stones(), 9);
    click(1, 1);
    EXPECT_EQ(view.at(1, 1), 'O');
}

// After automatic placement has stopped the tick, a handicap chosen would otherwise never go
// down.
TEST_F(BoardRecordingTest, TheHandicapMenuStartsATickThatPlacementStopped) {
    diagram({1010});
    state.shell.entryMode = 3;
    controller.open();
    wait(500); // the tick's pass reaches the end and stops the tick
    ASSERT_FALSE(timers.tickRunning());
    controller.chooseHandicap(2);
    wait(500);
    EXPECT_EQ(view.at(4, 4), 'X');
}

// ---- Study copies --------------------------------------------------------------------------

TEST_F(BoardRecordingTest, AKeptCopyComesBackWithThePrisonersOfItsPosition) {
    controller.open();
    // Black takes a white stone at (1, 1): one prisoner.
    for (const Point& p : {Point{2, 1}, Point{1, 1}, Point{1, 2}})
        click(p);
    controller.keepCopy();
    const QString kept = view.diagram();
    const MoveList keptMoves = model().moves;
    // Five more moves, white taking the black stone at (19, 19).
    for (const Point& p : {Point{10, 10}, Point{19, 19}, Point{19, 18}, Point{5, 5}, Point{18, 19}})
        click(p);
    ASSERT_EQ(view.prisoners, prisonersText(1, 1));

    controller.restoreKeptCopy();
    EXPECT_EQ(view.diagram(), kept);
    EXPECT_EQ(model().moves, keptMoves);
    EXPECT_EQ(view.prisoners, prisonersText(0, 1));
    EXPECT_EQ(view.moveNumber, QStringLiteral("4手目"));
    EXPECT_EQ(view.sideToMove, QStringLiteral("白番"));

    controller.restoreOpening();
    EXPECT_EQ(model().moves.length(), 0);
    EXPECT_EQ(view.stones(), 0);
    EXPECT_EQ(view.prisoners, prisonersText(0, 0));
}

TEST_F(BoardRecordingTest, ReturningToACopyNeverKeptEmptiesTheBoard) {
    controller.open();
    click(4, 4);
    controller.restoreKeptCopy();
    EXPECT_EQ(model().moves.length(), 0);
    EXPECT_EQ(view.stones(), 0);
}

} // namespace
} // namespace vorleth
