#include "recording/boardtestbase.h"

#include "store/library.h"
#include "store/recordname.h"

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
    open();

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
    open();
    click(10, 10);
    EXPECT_EQ(view.log.first(), QStringLiteral("board"));
    EXPECT_EQ(view.at(10, 10), 'X');
}

TEST_F(BoardRecordingTest, PressesOffTheGridOrOnAStoneAreIgnored) {
    open();
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
    open();
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
    open();
    click(16, 16); // a handicap point: taken by the handicap, so nothing is played
    EXPECT_EQ(view.stones(), 3);
    EXPECT_TRUE(model().moves.entries().isEmpty());
    click(10, 10);
    EXPECT_EQ(model().moves, movesOf({{1010, "2"}}));
}

TEST_F(BoardRecordingTest, RightReleaseTakesBackTheLastStoneAndWhatItCaptured) {
    open();
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
        open();
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

// ---- Continuing a game handed over ----------------------------------------------------------

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
    state.record.game.gameName = QStringLiteral("二子局");
    state.record.moveCount = 5;
    model().moves = moves;
    // The replay stopped before the last stone; a game from the library is never left unasked,
    // whatever the count was told.
    controller.open(ContinueGame{.entries = 6, .skipSaveQuestion = true});

    EXPECT_EQ(tableState(), 0);
    EXPECT_EQ(state.record.moveCount, 4) << "the stones played, as the replay counts them";
    EXPECT_TRUE(view.information.contains(QStringLiteral("手数:4")));
    EXPECT_EQ(
        model().moves,
        movesOf(
            {{201, "1"}, {101, "2"}, {102, "1"}, {101, "+"}, {pauseMarkerCode, "9"}, {1010, "2"}}))
        << "the pause marker kept, the rest of the list gone";
    EXPECT_EQ(view.at(16, 16), 'X') << "the handicap of the game name";
    EXPECT_EQ(view.at(1, 1), '.');
    EXPECT_EQ(view.moveNumber, QStringLiteral("5手目"));
    EXPECT_EQ(view.prisoners, prisonersText(0, 1));

    click(5, 5);
    EXPECT_EQ(view.at(5, 5), 'X');
    controller.restoreOpening();
    EXPECT_EQ(model().moves.length(), 6);
    EXPECT_EQ(model().moves.entry(5), (MoveEntry{pauseMarkerCode, QStringLiteral("9")}));
    EXPECT_EQ(view.at(5, 5), '.');

    dialogs.answers.push_back(Dialogs::Answer::Cancel);
    EXPECT_FALSE(controller.returnWithoutSaving());
    EXPECT_EQ(dialogs.messages(), QStringList{discardQuestion});
}

// ---- Diagram moves placed automatically ----------------------------------------------------

TEST_F(BoardRecordingTest, ADiagramOf120MovesIsPlacedAtOnceOnOpeningAndEnds) {
    const QVector<Point> points = quietPoints(120);
    diagram(codes(points));
    open();

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
    open();
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
    open();

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
    EXPECT_EQ(tableState(), 0) << "the placed diagram records clicks as any game does";
    EXPECT_FALSE(timers.tickRunning());

    // The moves that fill the neutral points before counting: black 9, then white 10.
    click(3, 3);
    click(3, 4);
    EXPECT_EQ(view.at(3, 3), 'X');
    EXPECT_EQ(view.at(3, 4), 'O');
    EXPECT_EQ(model().moves.length(), 11);
    controller.rightRelease();
    EXPECT_EQ(view.at(3, 4), '.');
    EXPECT_TRUE(controller.returnWithoutSaving());
}

// A diagram move whose point is taken (a mistyped cell, a repeated play naming the wrong
// move) stops the placement at that move, as a move without a point does, and says why; the
// user's click gives it its point and its own colour, and the rest follows in theirs.
struct OccupiedCase {
    const char* what;
    QVector<int> diagram;
    QVector<RepeatedPlay> repeatedPlays;
    struct Stop {
        QString moveNumber; // teme while waiting
        bool message; // 同じ場所には打てません (not for a move the diagram leaves open)
        Point click;
    };
    QVector<Stop> stops;
    MoveList moves; // at the end
};

class OccupiedDiagramPointTest : public BoardRecordingTest,
                                 public testing::WithParamInterface<OccupiedCase> {};

TEST_P(OccupiedDiagramPointTest, StopsAtTheMoveWithAMessageAndGoesOnInTheRightColours) {
    const OccupiedCase& c = GetParam();
    state.table.repeatedPlays = c.repeatedPlays;
    diagram(c.diagram);
    open();
    for (const OccupiedCase::Stop& stop : c.stops) {
        SCOPED_TRACE(stop.moveNumber.toStdString());
        ASSERT_EQ(tableState(), 2);
        EXPECT_EQ(view.moveNumber, stop.moveNumber);
        EXPECT_EQ(dialogs.messages(), stop.message ? QStringList{samePointMessage} : QStringList{});
        dialogs.shown.clear();
        click(stop.click);
        wait(1);
    }
    EXPECT_EQ(model().moves, c.moves);
    EXPECT_EQ(view.moveNumber, endedMoveText);
    EXPECT_EQ(tableState(), 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Move 5 of the diagram would be black's stone without a liberty: placement stops at it with
// the message, the user's click puts it where it really went, and placement goes on.
TEST_F(BoardRecordingTest, ASuicidalDiagramPointWaitsForAClickWithAMessage) {
    diagram({1010, 201, 1011, 102, 101, 1515});
    open();
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

INSTANTIATE_TEST_SUITE_P(
    Diagrams, OccupiedDiagramPointTest,
    testing::Values(OccupiedCase{"a cell typed twice, met as the board opens",
                                 {1010, 1111, 1010, 1212},
                                 {},
                                 {{QStringLiteral("3手目"), true, {5, 5}}},
                                 movesOf({{1010, "1"}, {1111, "2"}, {505, "1"}, {1212, "2"}})},
                    OccupiedCase{
                        "a cell typed twice, met after a click let the placement go on",
                        {1010, 0, 1111, 1010, 1212},
                        {},
                        {{QStringLiteral("2手目"), false, {3, 3}},
                         {QStringLiteral("4手目"), true, {5, 5}}},
                        movesOf({{1010, "1"}, {303, "2"}, {1111, "1"}, {505, "2"}, {1212, "1"}})},
                    OccupiedCase{"a repeated play naming a move whose stone is still there",
                                 {1010, 1111, 0, 1212},
                                 {{3, 1}},
                                 {{QStringLiteral("3手目"), true, {5, 5}}},
                                 movesOf({{1010, "1"}, {1111, "2"}, {505, "1"}, {1212, "2"}})}),
    [](const testing::TestParamInfo<OccupiedCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(BoardRecordingTest, DiagramMovesAlternateWhateverTheProblemMode) {
    diagram({1010, 1111, 0, 1212});
    model().play.placementMode = 1;
    open();
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {1111, "2"}}));
    EXPECT_EQ(model().play.placementMode, 1);
    // The click that gives move 3 its point plays the diagram's colour too.
    ASSERT_EQ(tableState(), 2);
    click(5, 5);
    wait(1);
    EXPECT_EQ(model().moves, movesOf({{1010, "1"}, {1111, "2"}, {505, "1"}, {1212, "2"}}));
    EXPECT_EQ(state.table.tableMoves[3], 505) << "a later repeated play of move 3 finds it";
}

// Taking back a stone that captured while diagram moves are placed: one table move to take
// again, not one per restored stone (those are moves still on the board; taking them again
// could play one a second time on a point a later capture emptied).
TEST_F(BoardRecordingTest, TakingBackDuringTheDiagramStepsBackOneMovePerStone) {
    // Black 3 takes white 2; black 5 plays on the point of move 2 again; move 6 waits.
    state.table.repeatedPlays = {{5, 2}};
    diagram({201, 101, 102, 1010, 0, 0});
    open();
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
        open();
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
    open();
    click(4, 4);
    controller.indicateRepeatedPlay();
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(tableState(), 0);
    EXPECT_EQ(model().moves.length(), 1);
}

// ---- Problem-setting modes, pause, handicap menu ---------------------------------------------

TEST_F(BoardRecordingTest, ProblemModesChooseTheColourOfEveryClick) {
    open();
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
    open();
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
    open();
    wait(500);
    controller.chooseHandicap(9);
    EXPECT_EQ(view.stones(), 0);
    wait(500);
    EXPECT_EQ(view.stones(), 9);
    click(1, 1);
    EXPECT_EQ(view.at(1, 1), 'O');
}

// The game name is where a record keeps its handicap: the menu's stones go into it as they go
// down, so that the saved game is replayed, counted and exported with them.
TEST_F(BoardRecordingTest, TheHandicapMenuPutsItsStonesIntoTheGameNameOrRefuses) {
    const struct {
        const char* gameName;
        bool stoneFirst; // a stone is played before the menu is chosen
        int chosen;
        QString message; // empty: none
        const char* nameAfter;
        int stones; // on the board after the next tick, the played stone included
    } cases[] = {
        {"練習碁", false, 2, {}, "２子練習碁", 2},
        {"練習碁", false, 9, {}, "９子練習碁", 9},
        {"三子局", false, 3, {}, "三子局", 3},
        {"４子局", false, 4, {}, "４子局", 4},
        {"三子局", false, 2, handicapNameConflictMessage(3), "三子局", 0},
        {"練習碁", true, 2, handicapAfterMovesMessage, "練習碁", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.gameName) + " " + std::to_string(c.chosen));
        state.record.game.gameName = QString::fromUtf8(c.gameName);
        dialogs.shown.clear();
        open();
        wait(500);
        if (c.stoneFirst)
            click(1, 1);
        controller.chooseHandicap(c.chosen);
        wait(500);
        EXPECT_EQ(dialogs.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(state.record.game.gameName, QString::fromUtf8(c.nameAfter));
        EXPECT_TRUE(view.information.startsWith(QString::fromUtf8(c.nameAfter)));
        EXPECT_TRUE(view.title.contains(QString::fromUtf8(c.nameAfter)));
        EXPECT_EQ(view.stones(), c.stones);
        wait(BoardRecordingController::recoveryWriteDelay);
        EXPECT_EQ(readRecoveryFile(state.baseDirectory).record.game.gameName,
                  QString::fromUtf8(c.nameAfter));
    }
}

// Saved with the menu's handicap, the record rebuilds to the board it was saved from.
TEST_F(BoardRecordingTest, AGameWithTheMenusHandicapIsSavedWithIt) {
    state.record.game.result = QStringLiteral("白中押勝");
    open();
    controller.chooseHandicap(2);
    wait(500);
    click(3, 3);
    click(10, 10);
    const QString board = boardDiagram(model().board);
    ASSERT_EQ(controller.saveAndReturn(), BoardRecordingController::SaveOutcome::Saved);

    CurrentRecord record;
    record.fileName = state.record.fileName;
    MoveList read;
    ASSERT_TRUE(readRecord(state.settings.recordDirectory, record, read).ok);
    EXPECT_EQ(record.game.gameName, QStringLiteral("２子練習碁"));
    BoardModel replayed;
    replayed.moves = read;
    rebuildPosition(replayed, read.length(), record.game.gameName);
    EXPECT_EQ(boardDiagram(replayed.board), board);
    EXPECT_EQ(read.entry(1).kind, white);
}

// After automatic placement has stopped the tick, a handicap chosen would otherwise never go
// down.
TEST_F(BoardRecordingTest, TheHandicapMenuStartsATickThatPlacementStopped) {
    diagram({0, 1010});
    open();
    click(5, 5); // move 1, which the diagram leaves open
    wait(1);     // the tick's pass places move 2, reaches the end and stops the tick
    ASSERT_FALSE(timers.tickRunning());
    // Both taken back: a handicap may go down before the first stone.
    controller.rightRelease();
    controller.rightRelease();
    controller.chooseHandicap(2);
    wait(500);
    EXPECT_EQ(view.at(4, 4), 'X');
}

// A stored record continued from its start and given a handicap is another game: the stored one
// stays as it is, and the count cannot take its name back.
TEST_F(BoardRecordingTest, AStoredRecordGivenAHandicapIsSavedAsANewRecord) {
    state.record.game.result = QStringLiteral("白中押勝");
    open();
    ASSERT_EQ(controller.saveAndReturn(), BoardRecordingController::SaveOutcome::Saved);
    const QString stored = state.record.fileName;
    ASSERT_GT(state.record.selectedIndex, 0);
    const QByteArray storedBytes =
        test::readBytes(recordPath(state.settings.recordDirectory, stored));

    BoardRecordingController board{boardRecordingContext(state), view, timers, dialogs, navigator};
    timers.controller = &board;
    // As "続きを打つ" at the start of the replay hands over.
    board.open(ContinueGame{.entries = model().play.appliedCount});
    board.chooseHandicap(3);
    wait(500);
    EXPECT_EQ(state.record.selectedIndex, 0);
    board.leftPress(state.geometry.pointX(3), state.geometry.pointY(3));
    ASSERT_EQ(board.saveAndReturn(), BoardRecordingController::SaveOutcome::Saved);
    EXPECT_NE(state.record.fileName, stored);
    EXPECT_EQ(test::readBytes(recordPath(state.settings.recordDirectory, stored)), storedBytes);
    EXPECT_EQ(extractField(state.record.fileName, gameNameKey), QStringLiteral("３子練習碁"));
}

// ---- Study copies --------------------------------------------------------------------------

TEST_F(BoardRecordingTest, AKeptCopyComesBackWithThePrisonersOfItsPosition) {
    open();
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

TEST_F(BoardRecordingTest, ReturningToACopyNeverKeptSaysSoAndKeepsTheGame) {
    open();
    click(4, 4);
    controller.addPause();
    wait(BoardRecordingController::recoveryWriteDelay);
    const MoveList before = model().moves;
    controller.restoreKeptCopy();
    EXPECT_EQ(dialogs.messages(), QStringList{nothingKeptMessage});
    EXPECT_EQ(model().moves, before);
    EXPECT_EQ(view.at(4, 4), 'X');
    wait(BoardRecordingController::recoveryWriteDelay);
    EXPECT_EQ(readRecoveryFile(state.baseDirectory).moves, before);

    // An empty game kept is a copy like any other.
    controller.restoreOpening();
    controller.keepCopy();
    click(5, 5);
    dialogs.shown.clear();
    controller.restoreKeptCopy();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(model().moves.length(), 0);
}

TEST_F(BoardRecordingTest, AKeptProblemComesBackWithItsPauseMarkers) {
    open();
    click(4, 4);
    controller.addPause();
    click(5, 5);
    controller.keepCopy();
    const MoveList kept = model().moves;
    click(6, 6);
    controller.restoreKeptCopy();
    EXPECT_EQ(model().moves, kept);
    EXPECT_EQ(model().play.appliedCount, kept.length());
}

} // namespace
} // namespace vorleth
