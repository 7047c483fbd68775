#include "replay/gamegenerator.h"
#include "replay/replayfakes.h"
#include "replay/replaytestbase.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"

#include "board/boardrenderer.h"
#include "board/playrules.h"
#include "replay/replaycontroller.h"
#include "store/library.h"

#include <QFile>

#include <functional>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::FakeReplayView;
using test::movesOf;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using test::stoneEntries;
using test::VirtualTimers;

// A game with a capture by each side: white takes the black corner stone at (19, 19) with
// entry 6 (its removal is entry 7), black takes the white stone at (1, 19) with entry 12.
MoveList captureGame() {
    return movesOf({
        {404, "1"},  // 1
        {1616, "2"}, // 2
        {1919, "1"}, // 3
        {1918, "2"}, // 4
        {1010, "1"}, // 5
        {1819, "2"}, // 6 captures (19,19)
        {1919, "+"}, // 7
        {1604, "1"}, // 8
        {119, "2"},  // 9
        {118, "1"},  // 10
        {1004, "2"}, // 11
        {219, "1"},  // 12 captures (1,19)
        {119, "+"},  // 13
        {416, "2"},  // 14
        {1016, "1"}, // 15
    });
}

int stonesLeft(const MoveList& moves, int upTo) {
    int n = 0;
    for (int i = 1; i <= upTo; ++i)
        n += moves.entry(i).isStone() ? 1 : moves.entry(i).isRemoval() ? -1 : 0;
    return n;
}

// How the fake view logs the placement of an entry.
QString placementOf(const MoveEntry& e) {
    return e.isRemoval() ? QStringLiteral("clear %1").arg(e.point)
                         : QStringLiteral("stone %1 %2").arg(e.point).arg(e.kind);
}

class ReplayControllerTest : public ::testing::Test, protected test::ReplayRig {
protected:
    void open(const QString& gameName, const MoveList& moves) {
        ASSERT_TRUE(ReplayRig::open(gameName, moves));
    }

    // Delivers the ticks of ms milliseconds.
    void wait(long long ms) { timers.advance(ms); }

    char at(int code) const {
        const Point p = Point::fromCode(code);
        return view.at(p.column, p.row);
    }

    // The stones drawn so far, in order.
    QStringList stonesDrawn() const { return view.log.filter(QStringLiteral("stone")); }

    // The first placement drawn since the log was cleared (a stone or a cleared point).
    QString firstPlacement() const {
        for (const QString& line : view.log)
            if (line.startsWith(QStringLiteral("stone")) ||
                line.startsWith(QStringLiteral("clear")))
                return line;
        return QString();
    }
};

// ---- Opening and the automatic replay ------------------------------------------------------

TEST_F(ReplayControllerTest, OpeningShowsTheEmptyBoardAtOnceAndStepsOneIntervalLater) {
    open(QStringLiteral("練習碁"), captureGame());
    EXPECT_EQ(view.title, QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
    EXPECT_EQ(view.information,
              QStringLiteral("練習碁\r\n白：山田\r\n黒：佐藤\r\n手数  13\r\n白中押勝"));
    EXPECT_EQ(view.caption, QStringLiteral("自動で打つ"));
    EXPECT_EQ(view.boardDrawings, 0);

    wait(1);
    EXPECT_EQ(view.boardDrawings, 1);
    EXPECT_EQ(view.moveNumber, QStringLiteral("0手目"));
    EXPECT_EQ(view.prisoners, QStringLiteral("上蛤\r\n  白：0\r\n  黒：0"));

    wait(2999); // t = 3000
    EXPECT_EQ(view.log, QStringList{QStringLiteral("board")});
    wait(1); // the step tick, one interval after the start tick
    EXPECT_EQ(view.log.last(), QStringLiteral("disc 404"));
    EXPECT_EQ(view.shownPoint, (Point{4, 4}));
    EXPECT_EQ(view.beeps, 0);

    wait(299);
    EXPECT_EQ(at(404), 'C') << "the disc stays until the placement";
    wait(1);
    EXPECT_EQ(at(404), 'X');
    EXPECT_EQ(view.moveNumber, QStringLiteral("1手目"));
    EXPECT_EQ(view.sideToMove, QStringLiteral("白番"));
    EXPECT_EQ(view.beeps, 1);

    wait(3000);
    EXPECT_EQ(at(1616), 'O');
    EXPECT_EQ(view.sideToMove, QStringLiteral("黒番"));
}

TEST_F(ReplayControllerTest, TheDiscAnnouncesStonesOnlyAboveOneSecond) {
    struct Case {
        int interval;
        bool disc;
    };
    open(QStringLiteral("練習碁"), captureGame());
    wait(1);
    for (const Case c : {Case{3000, true}, Case{10000, true}, Case{5000, true}, Case{2000, true},
                         Case{1000, false}, Case{500, false}}) {
        SCOPED_TRACE(c.interval);
        view.log.clear();
        const int before = state.board.play.appliedCount;
        controller.chooseInterval(c.interval);
        wait(c.interval);
        const int announced = state.board.play.appliedCount;
        ASSERT_EQ(announced, before + 1);
        const QString code = QString::number(state.board.moves.entry(announced).point);
        EXPECT_EQ(view.log.contains(QStringLiteral("disc ") + code), c.disc);
        wait(ReplayController::placementDelay);
        EXPECT_TRUE(stonesDrawn().last().startsWith(QStringLiteral("stone ") + code));
    }
}

TEST_F(ReplayControllerTest, ReplaysToTheEndWithRemovalsInTheSameBurstAndThenEnds) {
    const MoveList moves = captureGame();
    open(QStringLiteral("練習碁"), moves);
    controller.chooseInterval(500);
    wait(1 + 500 * 11 + 300); // eleven steps: entries 1..6 with 7, then 8..12 with 13
    EXPECT_EQ(state.board.play.appliedCount, 13);
    EXPECT_EQ(at(1919), '.');
    EXPECT_EQ(at(119), '.');
    EXPECT_EQ(view.prisoners, QStringLiteral("上蛤\r\n  白：1\r\n  黒：1"));
    wait(1000);
    EXPECT_EQ(view.moveNumber, QStringLiteral("13手目"));
    EXPECT_NE(view.caption, endedCaption);
    wait(500);
    EXPECT_EQ(view.caption, endedCaption);
    EXPECT_FALSE(timers.stepRunning());
    EXPECT_EQ(state.board.play.appliedCount, moves.length() + 1);
}

TEST_F(ReplayControllerTest, RemovalsAtTheVeryEndComeWithTheCapturingMove) {
    open(QStringLiteral("練習碁"), movesOf({{101, "2"}, {201, "1"}, {102, "1"}, {101, "+"}}));
    controller.chooseInterval(500);
    wait(1 + 3 * 500 + 300);
    EXPECT_EQ(at(101), '.');
    EXPECT_EQ(state.board.play.appliedCount, 4);
    EXPECT_EQ(state.board.play.prisonersBlack, 1);
    wait(200);
    EXPECT_EQ(view.caption, endedCaption);
}

TEST_F(ReplayControllerTest, ALeftClickInAutomaticModeOnlyRestartsTheCountdown) {
    open(QStringLiteral("練習碁"), captureGame());
    wait(2000);
    controller.leftClick();
    wait(2999);
    EXPECT_EQ(state.board.play.appliedCount, 0);
    EXPECT_EQ(view.log, QStringList{QStringLiteral("board")});
    wait(1);
    EXPECT_EQ(state.board.play.appliedCount, 1);
}

// ---- Problem set-up and pause markers ------------------------------------------------------

TEST_F(ReplayControllerTest, ProblemsAndJosekiOpenWithTheirSetUpAndWaitForClicks) {
    MoveList moves;
    for (int i = 1; i <= 12; ++i)
        moves.append({static_cast<PointCode>((2 + i) * 100 + 10),
                      i % 2 ? QStringLiteral("1") : QStringLiteral("2")});
    moves.append({pauseMarkerCode, QStringLiteral("9")}); // 13
    moves.append({101, QStringLiteral("2")});             // 14
    moves.append({201, QStringLiteral("1")});             // 15
    moves.append({102, QStringLiteral("1")});             // 16 captures (1,1)
    moves.append({101, QStringLiteral("+")});             // 17
    moves.append({1616, QStringLiteral("2")});            // 18

    struct Case {
        const char* name;
        bool setUp;
    };
    for (const Case c :
         {Case{"詰め碁　死活", true}, Case{"定石　星", true}, Case{"練習碁", false}}) {
        SCOPED_TRACE(c.name);
        test::ReplayRig rig;
        ASSERT_TRUE(rig.open(QString::fromUtf8(c.name), moves));
        const PlayState& play = rig.state.board.play;
        const ReplaySettings& replay = rig.state.replay;

        rig.timers.advance(1);
        EXPECT_EQ(rig.view.stones(), c.setUp ? 12 : 0);
        EXPECT_EQ(rig.view.moveNumber,
                  c.setUp ? QStringLiteral("12手目") : QStringLiteral("0手目"));
        EXPECT_EQ(play.appliedCount, c.setUp ? 12 : 0);

        rig.timers.advance(3000);
        if (!c.setUp) {
            // Without the set-up the replay runs from the first entry up to the marker.
            EXPECT_EQ(play.appliedCount, 1);
            rig.timers.advance(11 * 3000 + 300);
            EXPECT_EQ(rig.view.stones(), 12);
            rig.timers.advance(3000);
        }
        EXPECT_EQ(play.appliedCount, 13);
        EXPECT_EQ(rig.view.caption, QStringLiteral("どちらも打つ"));
        EXPECT_EQ(replay.replayMode, 3);
        EXPECT_EQ(replay.stepInterval, 1000);
        EXPECT_FALSE(rig.timers.stepRunning());
        rig.timers.advance(10000);
        EXPECT_EQ(play.appliedCount, 13) << "paused until a click";

        // Each click places one entry with the removals that follow it.
        rig.controller.leftClick();
        EXPECT_EQ(rig.view.at(1, 1), 'O');
        rig.timers.advance(2000);
        EXPECT_EQ(play.appliedCount, 14);
        rig.controller.leftClick();
        EXPECT_EQ(rig.view.at(2, 1), 'X');
        rig.timers.advance(2000);
        rig.controller.leftClick();
        EXPECT_EQ(rig.view.at(1, 2), 'X');
        EXPECT_EQ(rig.view.at(1, 1), '.');
        EXPECT_EQ(play.appliedCount, 17);
        // After the capture the next move follows by itself, one second later.
        rig.timers.advance(1 + 1000 + ReplayController::placementDelay);
        EXPECT_EQ(rig.view.at(16, 16), 'O');
        rig.timers.advance(10000);
        EXPECT_EQ(play.appliedCount, 18);
        rig.controller.leftClick();
        EXPECT_EQ(rig.view.caption, endedCaption);
    }
}

// ---- Handicap ------------------------------------------------------------------------------

TEST_F(ReplayControllerTest, HandicapStonesOfTheGameNameStayAfterAJump) {
    open(QStringLiteral("五子局"), movesOf({{1717, "2"}, {1515, "1"}, {303, "2"}, {1503, "1"}}));
    auto checkHandicap = [&] {
        for (int code : {1616, 404, 416, 1604, 1010})
            EXPECT_EQ(at(code), 'X') << code;
    };
    wait(1);
    checkHandicap();
    EXPECT_EQ(view.stones(), 5);
    EXPECT_EQ(state.board.play.pendingHandicap, 0);

    wait(3000 + 300);
    EXPECT_EQ(at(1717), 'O') << "white plays first";
    controller.jumpToFinal();
    checkHandicap();
    EXPECT_EQ(view.stones(), 5 + 4);
    EXPECT_EQ(view.moveNumber, QStringLiteral("5手目"));
}

// ---- Click modes ---------------------------------------------------------------------------

TEST_F(ReplayControllerTest, ClickForBlackWaitsAfterWhiteUnlessWhitesReplyCaptured) {
    state.replay.replayMode = 1;
    open(QStringLiteral("練習碁"), captureGame());
    EXPECT_EQ(view.caption, QStringLiteral("黒番で打つ"));
    EXPECT_FALSE(timers.stepRunning());

    wait(1 + 3000 + 300); // the start tick starts the step timer: black's first move
    EXPECT_EQ(at(404), 'X');
    wait(3000);
    EXPECT_EQ(at(1616), 'O');
    wait(2700); // the tick after white's move waits
    EXPECT_EQ(state.board.play.appliedCount, 2);
    EXPECT_FALSE(timers.stepRunning());
    wait(20000);
    EXPECT_EQ(state.board.play.appliedCount, 2);

    // Without a capture: black by the click, white's reply an interval and 300 ms later, then wait.
    controller.leftClick();
    EXPECT_EQ(at(1919), 'X');
    wait(3000);
    EXPECT_EQ(at(1918), '.');
    wait(301);
    EXPECT_EQ(at(1918), 'O');
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 4);
    EXPECT_FALSE(timers.stepRunning());

    // With a capture in white's reply black's next move follows automatically.
    controller.leftClick();
    EXPECT_EQ(at(1010), 'X');
    wait(3301);
    EXPECT_EQ(at(1819), 'O');
    EXPECT_EQ(at(1919), '.');
    EXPECT_EQ(state.board.play.prisonersWhite, 1);
    wait(3000);
    EXPECT_EQ(at(1604), 'X') << "no click needed after a capture";
    wait(3000);
    EXPECT_EQ(at(119), 'O');
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 9);
    EXPECT_FALSE(timers.stepRunning());
}

TEST_F(ReplayControllerTest, ClickForWhiteWaitsAfterBlack) {
    state.replay.replayMode = 2;
    open(QStringLiteral("練習碁"), captureGame());
    wait(1 + 3000 + 300); // black's first move comes by itself
    EXPECT_EQ(at(404), 'X');
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 1);
    controller.leftClick();
    EXPECT_EQ(at(1616), 'O');
    wait(3301);
    EXPECT_EQ(at(1919), 'X');
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 3);
}

TEST_F(ReplayControllerTest, ClickForEveryMovePlacesOneMoveAndFollowsOnAfterACapture) {
    open(QStringLiteral("練習碁"), captureGame());
    controller.chooseClickMode(3);
    EXPECT_EQ(view.caption, QStringLiteral("どちらも打つ"));
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 0);
    for (int move = 1; move <= 5; ++move) {
        controller.leftClick();
        EXPECT_EQ(view.stones(), move);
        wait(5000);
        EXPECT_EQ(view.stones(), move) << "waits after a move that captured nothing";
    }
    controller.leftClick(); // white captures the corner stone
    EXPECT_EQ(at(1819), 'O');
    EXPECT_EQ(at(1919), '.');
    EXPECT_EQ(state.board.play.appliedCount, 7);
    wait(1 + 3000 + 300);
    EXPECT_EQ(at(1604), 'X') << "the move after a capture follows one interval later";
    wait(10000);
    EXPECT_EQ(state.board.play.appliedCount, 8);
}

TEST_F(ReplayControllerTest, AnIntervalMenuResumesTheAutomaticReplayFromAClickMode) {
    open(QStringLiteral("練習碁"), captureGame());
    controller.chooseClickMode(3);
    wait(5000);
    controller.leftClick();
    wait(5000);
    ASSERT_EQ(state.board.play.appliedCount, 1);
    controller.chooseInterval(2000);
    EXPECT_EQ(view.caption, QStringLiteral("自動で打つ"));
    EXPECT_EQ(state.replay.replayMode, 0);
    wait(2000 + 300);
    EXPECT_EQ(at(1616), 'O');
    wait(2000 + 300);
    EXPECT_EQ(at(1919), 'X');
}

// A click that steps while an announced entry waits for its placement: the placement is made
// first, and nothing is placed twice or skipped.
TEST_F(ReplayControllerTest, AStepClickDuringAPendingPlacementPlacesEveryEntryOnce) {
    open(QStringLiteral("練習碁"), captureGame());
    controller.chooseClickMode(3);
    for (int move = 1; move <= 6; ++move)
        controller.leftClick(); // the sixth captures: the next move follows automatically
    wait(3000 + 100);
    ASSERT_TRUE(controller.placementPending());
    controller.leftClick();
    EXPECT_FALSE(controller.placementPending());
    wait(10000);
    EXPECT_EQ(stonesDrawn(),
              (QStringList{"stone 404 1", "stone 1616 2", "stone 1919 1", "stone 1918 2",
                           "stone 1010 1", "stone 1819 2", "stone 1604 1", "stone 119 2"}));
    EXPECT_EQ(view.moveNumber, QStringLiteral("8手目"));
    EXPECT_EQ(state.board.play.appliedCount, 9);
}

// ---- Stop targets --------------------------------------------------------------------------

TEST_F(ReplayControllerTest, APointTargetEndsTheReplayAfterAPlacementThere) {
    struct Case {
        const char* answer;
        int setAfter; // the target is given once this many entries are placed
        int stopsAfter;
    };
    const Case cases[] = {
        {"10 10", 0, 5}, // a stone on the point
        {"19 19", 3, 7}, // a removal on the point
        {"18 19", 0, 7}, // a stone there that captures elsewhere ends after its removals
    };
    const MoveList moves = captureGame();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        test::ReplayRig rig;
        ASSERT_TRUE(rig.open(QStringLiteral("練習碁"), moves));
        rig.controller.chooseInterval(500);
        const PlayState& play = rig.state.board.play;
        for (int tick = 0; tick < 1000 && play.appliedCount < c.setAfter; ++tick)
            rig.timers.advance(100);
        ASSERT_GE(play.appliedCount, c.setAfter) << "the replay did not get that far";
        rig.timers.advance(ReplayController::placementDelay);
        rig.dialogs.inputs.push_back(QString::fromUtf8(c.answer));
        rig.controller.askPointTarget();

        rig.timers.advance(100000);
        EXPECT_EQ(rig.view.caption, endedCaption);
        EXPECT_EQ(rig.view.stones(), stonesLeft(moves, c.stopsAfter));
        const Point next = Point::fromCode(moves.entry(c.stopsAfter + 1).point);
        EXPECT_EQ(rig.view.at(next.column, next.row), '.') << "nothing after the target";
        EXPECT_GT(play.appliedCount, moves.length());
    }
}

TEST_F(ReplayControllerTest, TheEndedReplayCountsOnAndShowsTheEndAgain) {
    const MoveList moves = movesOf({{404, "1"}, {1616, "2"}});
    open(QStringLiteral("練習碁"), moves);
    wait(1 + 3 * 3000);
    EXPECT_EQ(view.caption, endedCaption);
    EXPECT_EQ(state.board.play.appliedCount, 3);
    controller.leftClick();
    wait(3000);
    EXPECT_EQ(state.board.play.appliedCount, 4);
    EXPECT_EQ(view.caption, endedCaption);
}

// ---- Jumps ---------------------------------------------------------------------------------

class ReplayJumpTest : public ReplayControllerTest {
protected:
    void SetUp() override {
        moves = test::playGame(150, 8);
        ASSERT_EQ(stoneEntries(moves, moves.length()), 150);
        ASSERT_GT(moves.length(), 150) << "the game should capture";
        open(QStringLiteral("練習碁"), moves);
        rebuilt.moves = moves;
        rebuildPosition(rebuilt, moves.length(), QString());
    }

    MoveList moves;
    BoardModel rebuilt; // the final position by the play rules
};

TEST_F(ReplayJumpTest, JumpToTheEndInTheMiddleOfTheReplayShowsTheFinalPositionAtOnce) {
    controller.chooseInterval(500);
    wait(1 + 500 * 40);
    ASSERT_GT(state.board.play.prisonersWhite + state.board.play.prisonersBlack, 0);
    controller.jumpToFinal();
    EXPECT_FALSE(timers.stepRunning());
    EXPECT_EQ(view.diagram(), boardDiagram(rebuilt.board));
    EXPECT_EQ(view.moveNumber, QStringLiteral("151手目"));
    EXPECT_EQ(view.prisoners,
              replayPrisonersText(rebuilt.play.prisonersWhite, rebuilt.play.prisonersBlack))
        << "prisoners recounted from zero";
    int lastStone = moves.length();
    while (!moves.entry(lastStone).isStone())
        --lastStone;
    EXPECT_EQ(view.sideToMove, sideToMoveText(moves.entry(lastStone).kind));
    EXPECT_EQ(state.board.play.appliedCount, moves.length());

    // The jump stays put; a click restarts the step timer, whose next tick ends the replay.
    wait(10000);
    EXPECT_NE(view.caption, endedCaption);
    controller.leftClick();
    wait(500);
    EXPECT_EQ(view.caption, endedCaption);
}

TEST_F(ReplayJumpTest, AJumpCancelsThePlacementPendingAtThatMoment) {
    struct Case {
        const char* name;
        std::function<void()> jump;
        int limit;
    };
    const Case cases[] = {
        {"最終譜まで", [&] { controller.jumpToFinal(); }, moves.length()},
        {"間隔なし", [&] { controller.jumpWithoutInterval(); }, moves.length()},
        {"指定した手番まで 10",
         [&] {
             dialogs.inputs.push_back(QStringLiteral("10"));
             controller.askMoveTarget();
         },
         10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // From the 20th move on, with no target left: the next tick announces an entry.
        dialogs.inputs.push_back(QStringLiteral("20"));
        controller.askMoveTarget();
        state.replay.stopMoveNumber = 999;
        controller.chooseInterval(3000);
        wait(3000 + 100); // announced, not yet placed
        ASSERT_TRUE(controller.placementPending());
        const int pending = state.board.play.appliedCount;
        ASSERT_GT(pending, 10);
        view.log.clear();
        c.jump();
        const QString moveBox = view.moveNumber;
        const QString prisonersBox = view.prisoners;
        const int drawn = stonesDrawn().size();
        wait(ReplayController::placementDelay);
        EXPECT_EQ(stonesDrawn().size(), drawn) << "nothing placed after the jump";
        EXPECT_EQ(view.moveNumber, moveBox);
        EXPECT_EQ(view.prisoners, prisonersBox);
        EXPECT_EQ(view.moveNumber, replayMoveNumberText(stoneEntries(moves, c.limit) + 1));
        BoardModel expected;
        expected.moves = moves;
        rebuildPosition(expected, c.limit, QString());
        EXPECT_EQ(view.diagram(), boardDiagram(expected.board));
    }
}

TEST_F(ReplayJumpTest, AJumpThatStopsAtATargetLeavesTheCursorThere) {
    // The 60th stone and a point target on a stone well before it.
    int sixtieth = 0;
    for (int i = 1, stones = 0; i <= moves.length() && !sixtieth; ++i)
        if (moves.entry(i).isStone() && ++stones == 60)
            sixtieth = i;
    dialogs.inputs.push_back(QStringLiteral("60"));
    controller.askMoveTarget();
    EXPECT_EQ(view.moveNumber, replayMoveNumberText(stoneEntries(moves, 60) + 1));

    controller.jumpWithoutInterval(); // keeps the target of 60 moves
    EXPECT_EQ(view.moveNumber, QStringLiteral("61手目"));
    EXPECT_EQ(state.board.play.appliedCount, sixtieth);

    // Later steps continue from the position shown: the next entry is the one after it.
    view.log.clear();
    controller.leftClick();
    wait(3000 + 300);
    EXPECT_EQ(firstPlacement(), placementOf(moves.entry(sixtieth + 1)));
    EXPECT_EQ(state.board.play.appliedCount, moves.length() + 1)
        << "the move target is still reached";

    controller.jumpToFinal(); // clears the move target
    EXPECT_EQ(view.moveNumber, QStringLiteral("151手目"));
    EXPECT_EQ(view.diagram(), boardDiagram(rebuilt.board));
}

TEST_F(ReplayJumpTest, APointTargetStopsAJumpAtTheStoneOnThatPoint) {
    int target = 40;
    while (!moves.entry(target).isStone())
        ++target;
    const Point p = Point::fromCode(moves.entry(target).point);
    int first = target;
    for (int i = 1; i < target; ++i)
        if (moves.entry(i).point == moves.entry(target).point) {
            first = i;
            break;
        }
    dialogs.inputs.push_back(QStringLiteral("%1 %2").arg(p.column).arg(p.row));
    controller.askPointTarget();
    controller.jumpToFinal();
    EXPECT_EQ(state.board.play.appliedCount, first);
    EXPECT_EQ(view.moveNumber, replayMoveNumberText(stoneEntries(moves, first) + 1));

    wait(10000);
    view.log.clear();
    controller.leftClick();
    wait(3000 + 300);
    EXPECT_EQ(firstPlacement(), placementOf(moves.entry(first + 1)));
}

// ---- The target dialogs --------------------------------------------------------------------

TEST_F(ReplayControllerTest, PointTargetDialog) {
    struct Case {
        std::optional<QString> answer; // nothing: cancelled
        bool message;
        int column;
        int row;
        bool byDefault = false; // the default answer is taken as offered
    };
    const Case cases[] = {
        {std::nullopt, false, 15, 10, true},     {QStringLiteral("20 5"), true, 99, 5},
        {QStringLiteral("5 0"), true, 5, 99},    {QStringLiteral("15  10"), true, 99, 99},
        {QStringLiteral("15"), true, 99, 99},    {std::nullopt, true, 99, 99},
        {QStringLiteral("x 7"), true, 99, 7},    {QStringLiteral("4.5 18.5"), false, 4, 18},
        {QStringLiteral("1 19"), false, 1, 19},  {QStringLiteral("0.9 18.6"), true, 99, 19},
        {QStringLiteral("3 19.2"), true, 3, 99},
    };
    open(QStringLiteral("練習碁"), captureGame());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("(cancelled)")).toStdString());
        state.replay.stopColumn = 99;
        state.replay.stopRow = 99;
        dialogs.shown.clear();
        dialogs.prompts.clear();
        if (!c.byDefault)
            dialogs.inputs.push_back(c.answer);
        controller.askPointTarget();
        EXPECT_EQ(dialogs.prompts, QStringList{pointTargetPrompt});
        EXPECT_EQ(dialogs.messages(), c.message ? QStringList{pointTargetError} : QStringList{});
        EXPECT_EQ(state.replay.stopColumn, c.column);
        EXPECT_EQ(state.replay.stopRow, c.row);
    }
    EXPECT_TRUE(timers.stepRunning()) << "the replay is not interrupted";
}

TEST_F(ReplayControllerTest, MoveTargetDialog) {
    const MoveList moves = test::playGame(150, 8);
    ASSERT_EQ(stoneEntries(moves, 40), 37) << "three removals among the first 40 entries";
    open(QStringLiteral("練習碁"), moves);
    ASSERT_EQ(state.record.moveCount, moves.length());

    constexpr int cancelled = -1;
    struct Case {
        std::optional<QString> answer; // nothing: cancelled
        int target;                    // 0: refused; cancelled: nothing happens, nothing said
    };
    const Case cases[] = {
        {QStringLiteral("0"), 0},     {QString::number(moves.length() + 1), 0},
        {std::nullopt, cancelled},    {QString(), 0},
        {QStringLiteral("abc"), 0},   {QStringLiteral("0.4"), 0},
        {QStringLiteral("40"), 40},   {QString::number(moves.length()), moves.length()},
        {QStringLiteral("12.5"), 12}, {QStringLiteral("13.5"), 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or(QStringLiteral("(cancelled)")).toStdString());
        dialogs.shown.clear();
        dialogs.prompts.clear();
        view.boardDrawings = 0;
        view.log.clear();
        state.replay.stopMoveNumber = 999;
        dialogs.inputs.push_back(c.answer);
        controller.askMoveTarget();
        EXPECT_EQ(dialogs.prompts, QStringList{moveTargetPrompt});
        if (c.target <= 0) {
            EXPECT_EQ(dialogs.messages(),
                      c.target == cancelled ? QStringList{} : QStringList{moveTargetError});
            EXPECT_EQ(state.replay.stopMoveNumber, 999);
            EXPECT_EQ(view.boardDrawings, 0);
            continue;
        }
        EXPECT_TRUE(dialogs.messages().isEmpty());
        const int n = c.target;
        EXPECT_EQ(state.replay.stopMoveNumber, n);
        EXPECT_EQ(view.boardDrawings, 1);
        EXPECT_EQ(view.moveNumber, replayMoveNumberText(stoneEntries(moves, n) + 1));
        EXPECT_FALSE(timers.stepRunning());
        if (n == 40) {
            EXPECT_EQ(view.moveNumber, QStringLiteral("38手目"));
        }
        // When the N-th entry is a stone that captures, the stones it takes go with it, so
        // that the board never shows a capture half done.
        int removalsAfter = 0;
        while (n + removalsAfter < moves.length() && moves.entry(n).isStone() &&
               moves.entry(n + removalsAfter + 1).isRemoval())
            ++removalsAfter;
        EXPECT_EQ(view.stones(), stonesLeft(moves, n) - removalsAfter);
    }
    // The default answer, taken as offered.
    ASSERT_GE(moves.length(), 100);
    dialogs.inputs.clear();
    controller.askMoveTarget();
    EXPECT_EQ(state.replay.stopMoveNumber, 100);
}

// ---- Leaving, continuing, deleting ---------------------------------------------------------

TEST_F(ReplayControllerTest, LeavingTouchesTheRecordOnlyAfterMoveThirty) {
    MoveList moves;
    for (int i = 1; i <= 40; ++i)
        moves.append({static_cast<PointCode>((i % 19 + 1) * 100 + (i / 19) * 3 + 1),
                      i % 2 ? QStringLiteral("1") : QStringLiteral("2")});
    enum class Action { List, Start, Continue };
    struct Case {
        Action action;
        int clicks;
        bool touched;
        ScreenId next;
    };
    const Case cases[] = {
        {Action::List, 30, false, ScreenId::RecordList},
        {Action::List, 31, true, ScreenId::RecordList},
        {Action::Start, 30, false, ScreenId::Start},
        {Action::Start, 31, true, ScreenId::Start},
        {Action::Continue, 31, false, ScreenId::BoardRecording},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicks);
        test::ReplayRig rig;
        ASSERT_TRUE(rig.open(QStringLiteral("練習碁"), moves));
        const QString name = rig.state.record.fileName;
        rig.controller.chooseClickMode(3);
        for (int i = 0; i < c.clicks; ++i)
            rig.controller.leftClick();
        ASSERT_EQ(rig.state.board.play.nextMoveNumber, c.clicks);

        bool handedOver = false;
        switch (c.action) {
        case Action::List:
            handedOver = rig.controller.backToRecordList();
            break;
        case Action::Start:
            handedOver = rig.controller.backToStart();
            break;
        case Action::Continue:
            handedOver = rig.controller.continuePlaying();
            EXPECT_EQ(rig.navigator.calls.back().handover,
                      Handover{ContinueGame{.entries = c.clicks}});
            EXPECT_EQ(rig.state.board.play.appliedCount, c.clicks);
            break;
        }
        EXPECT_TRUE(handedOver);
        EXPECT_EQ(rig.navigator.shown, std::vector<ScreenId>{c.next});
        const QString touchedName = touchedFileName(name, rig.state.now());
        ASSERT_NE(touchedName, name);
        EXPECT_EQ(rig.library.exists(touchedName), c.touched);
        EXPECT_EQ(rig.library.exists(name), !c.touched);
        if (c.action == Action::Continue) {
            // Continued from its middle: a new game, saved beside the stored record.
            EXPECT_TRUE(rig.state.record.fileName.isEmpty());
            EXPECT_EQ(rig.state.record.selectedIndex, 0);
        } else {
            EXPECT_EQ(rig.state.record.fileName, c.touched ? touchedName : name);
        }
        EXPECT_FALSE(rig.timers.stepRunning() || rig.timers.startDue || rig.timers.placementDue);
    }
}

TEST_F(ReplayControllerTest, ContinuingAnEndedReplayHandsOverTheWholeRecord) {
    const MoveList moves = captureGame();
    open(QStringLiteral("練習碁"), moves);
    controller.jumpToFinal();
    controller.leftClick();
    wait(3000 * 3);
    ASSERT_GT(state.board.play.appliedCount, moves.length());
    EXPECT_TRUE(controller.continuePlaying());
    EXPECT_EQ(state.board.play.appliedCount, moves.length());
    EXPECT_EQ(state.board.moves, moves);
}

// The recording board rebuilds the position from the entries handed over; they must give the
// board the replay shows, never a capture half done.
TEST_F(ReplayControllerTest, ContinuingHandsOverExactlyThePositionShown) {
    const MoveList moves = captureGame(); // entry 6 captures (19, 19), its removal is entry 7
    struct Case {
        const char* what;
        std::function<void(ReplayController&, ScriptedDialogs&, VirtualTimers&)> reach;
    };
    const Case cases[] = {
        {"pressed between the announcement of the capturing stone and its placement",
         [](ReplayController&, ScriptedDialogs&, VirtualTimers& timers) {
             timers.advance(1 + 3000 * 6 + 100);
             ASSERT_TRUE(timers.controller->placementPending());
         }},
        {"a jump to a move target on the capturing stone",
         [](ReplayController& c, ScriptedDialogs& dialogs, VirtualTimers& timers) {
             timers.advance(1);
             dialogs.inputs.push_back(QStringLiteral("6"));
             c.askMoveTarget();
         }},
        {"a jump stopped by a point target on the capturing stone",
         [](ReplayController& c, ScriptedDialogs& dialogs, VirtualTimers& timers) {
             timers.advance(1);
             dialogs.inputs.push_back(QStringLiteral("18 19"));
             c.askPointTarget();
             c.jumpToFinal();
         }},
        {"the automatic replay stopped by a point target on the capturing stone",
         [](ReplayController& c, ScriptedDialogs& dialogs, VirtualTimers& timers) {
             dialogs.inputs.push_back(QStringLiteral("18 19"));
             c.askPointTarget();
             timers.advance(1 + 3000 * 7);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordLibrary library;
        FakeReplayView view;
        VirtualTimers timers;
        ScriptedDialogs dialogs;
        RecordingNavigator navigator;
        ReplayController controller{replayContext(library.state), view, timers, dialogs, navigator};
        timers.controller = &controller;
        library.store(QStringLiteral("練習碁"), moves);
        ASSERT_TRUE(controller.open(library.chosen()));
        c.reach(controller, dialogs, timers);

        EXPECT_TRUE(controller.continuePlaying());
        EXPECT_EQ(view.at(19, 19), '.') << "the replay shows the capture done";
        EXPECT_FALSE(timers.stepRunning() || timers.startDue || timers.placementDue);
        EXPECT_EQ(library.state.board.play.appliedCount, 7);
        EXPECT_EQ(navigator.calls.back().handover, Handover{ContinueGame{.entries = 7}});
        BoardModel rebuilt;
        rebuilt.moves = library.state.board.moves;
        rebuildPosition(rebuilt, library.state.board.play.appliedCount, QString());
        EXPECT_EQ(boardDiagram(rebuilt.board), view.diagram());
    }
}

TEST_F(ReplayControllerTest, DeletionAsksFirstAndRemovesFileAndCatalogueEntry) {
    library.store(QStringLiteral("別の碁"), movesOf({{404, "1"}}));
    const QString name = library.store(QStringLiteral("練習碁"), captureGame());
    ASSERT_TRUE(controller.open(library.chosen()));
    ASSERT_EQ(state.catalogue.count(), 2);

    dialogs.answers.push_back(Dialogs::Answer::Cancel);
    EXPECT_FALSE(controller.deleteRecord());
    EXPECT_EQ(dialogs.shown.at(0).text, deleteConfirmation);
    EXPECT_EQ(dialogs.shown.at(0).buttons, Dialogs::Buttons::OkCancelDefaultCancel);
    EXPECT_TRUE(library.exists(name));
    EXPECT_EQ(state.catalogue.count(), 2);
    EXPECT_TRUE(navigator.calls.empty());
    EXPECT_TRUE(timers.stepRunning()) << "the replay goes on";

    dialogs.answers.push_back(Dialogs::Answer::Ok);
    EXPECT_TRUE(controller.deleteRecord());
    EXPECT_FALSE(library.exists(name));
    ASSERT_EQ(state.catalogue.count(), 1);
    EXPECT_EQ(state.catalogue.entry(1).game.gameName, QStringLiteral("別の碁"));
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_FALSE(timers.stepRunning());
    EXPECT_EQ(state.record.fileName, name) << "deleting does not touch the record";
}

TEST_F(ReplayControllerTest, AFileThatCannotBeDeletedIsReportedAndTheReplayStays) {
    const QString name = library.store(QStringLiteral("練習碁"), captureGame());
    ASSERT_TRUE(controller.open(library.chosen()));
    ASSERT_TRUE(QFile::remove(recordPath(library.directory.path(), name)));
    dialogs.answers.push_back(Dialogs::Answer::Ok);
    EXPECT_FALSE(controller.deleteRecord());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.startsWith(recordDeletionFailedMessage));
    EXPECT_TRUE(navigator.calls.empty());
}

TEST_F(ReplayControllerTest, HelpShowsCodeFiveBesideTheReplay) {
    open(QStringLiteral("練習碁"), captureGame());
    controller.showHelp();
    EXPECT_EQ(navigator.calls, (std::vector<RecordingNavigator::Call>{
                                   {true, ScreenId::Help, HelpTopic{helpcode::replay}}}));
    EXPECT_TRUE(timers.stepRunning());
}

TEST_F(ReplayControllerTest, BeepsFollowTheSoundMenu) {
    open(QStringLiteral("練習碁"), captureGame());
    controller.setBeeps(false);
    controller.jumpToFinal();
    EXPECT_EQ(view.beeps, 0);
    controller.setBeeps(true);
    controller.jumpToFinal();
    EXPECT_EQ(view.beeps, 13);
}

// ---- Unreadable records --------------------------------------------------------------------

TEST_F(ReplayControllerTest, ARecordThatCannotBeReadIsReportedAndNothingIsDrawn) {
    struct Case {
        const char* name;
        std::function<void(const QString& path)> spoil;
    };
    const Case cases[] = {
        {"missing", [](const QString& path) { QFile::remove(path); }},
        {"cut short",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             file.resize(file.size() / 2);
         }},
        {"not a record",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write("hello\r\n");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ReplayRig rig;
        const QString name = rig.library.store(QStringLiteral("練習碁"), captureGame());
        c.spoil(recordPath(rig.library.directory.path(), name));
        rig.state.board.moves = movesOf({{1010, "1"}}); // what an earlier screen left

        EXPECT_FALSE(rig.controller.open(rig.library.chosen()));
        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_TRUE(rig.dialogs.shown[0].text.contains(name));
        EXPECT_EQ(rig.navigator.shown, std::vector<ScreenId>{ScreenId::RecordList});
        EXPECT_FALSE(rig.timers.stepRunning() || rig.timers.startDue || rig.timers.placementDue);
        EXPECT_TRUE(rig.view.log.isEmpty());
        EXPECT_EQ(rig.state.board.moves, movesOf({{1010, "1"}})) << "nothing half read";
    }
}

} // namespace
} // namespace vorleth
