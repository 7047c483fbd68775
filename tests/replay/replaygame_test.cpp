#include "replay/replayfakes.h"
#include "replay/replaytestbase.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"

#include "board/playrules.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace vorleth {
namespace {

// A three-stone handicap game of 230 moves with 77 removals, some of them whole groups, as
// the program stores it.
const QString gameFile = QStringLiteral(
    "対局名（三子局　研究会）白番（高橋）黒番（中村）勝敗（白中押勝）記録日（20231105）手数（307）"
    "時間（211437）参照（20231105）コミ（0）");

// Replaying the stored game to its end, however it is driven, leaves the position and the
// prisoners that the play rules give for the whole record.
TEST(ReplayRealGame, EveryWayToTheEndGivesThePositionOfTheRebuiltRecord) {
    struct Case {
        const char* way;
        std::function<void(ReplayController&, test::VirtualTimers&)> drive;
    };
    const Case cases[] = {
        {"automatic steps",
         [](ReplayController& controller, test::VirtualTimers& timers) {
             controller.chooseInterval(500);
             while (controller.modeCaption() != endedCaption)
                 timers.advance(500);
         }},
        {"clicks",
         [](ReplayController& controller, test::VirtualTimers& timers) {
             controller.chooseClickMode(3);
             while (controller.modeCaption() != endedCaption) {
                 controller.leftClick();
                 timers.advance(1100);
             }
         }},
        {"jump to the end",
         [](ReplayController& controller, test::VirtualTimers&) { controller.jumpToFinal(); }},
        {"automatic steps, then \"間隔なし\" half way",
         [](ReplayController& controller, test::VirtualTimers& timers) {
             controller.chooseInterval(1000);
             timers.advance(150000);
             controller.jumpWithoutInterval();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        test::RecordLibrary library;
        SharedState& state = library.state;
        ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(VORLETH_TEST_DATA "/replay"))
                                    .filePath(gameFile + QStringLiteral(".IGO")),
                                recordPath(library.directory.path(), gameFile)));
        library.select(gameFile);
        test::FakeReplayView view;
        test::VirtualTimers timers;
        test::ScriptedDialogs dialogs;
        test::RecordingNavigator navigator;
        ReplayController controller{replayContext(state), view, timers, dialogs, navigator};
        timers.controller = &controller;
        ASSERT_TRUE(controller.open(library.chosen()));
        ASSERT_EQ(state.board.moves.length(), 307);
        EXPECT_TRUE(view.information.contains(QStringLiteral("手数  230")));
        timers.advance(1);

        c.drive(controller, timers);

        BoardModel rebuilt;
        rebuilt.moves = state.board.moves;
        NullBoardView display;
        rebuildPosition(rebuilt, rebuilt.moves.length(), state.record.game.gameName, display);
        EXPECT_EQ(view.diagram(), boardDiagram(rebuilt.board));
        EXPECT_EQ(state.board.play.prisonersWhite, rebuilt.play.prisonersWhite);
        EXPECT_EQ(state.board.play.prisonersBlack, rebuilt.play.prisonersBlack);
        EXPECT_EQ(view.prisoners,
                  replayPrisonersText(rebuilt.play.prisonersWhite, rebuilt.play.prisonersBlack));
        EXPECT_EQ(rebuilt.play.prisonersWhite + rebuilt.play.prisonersBlack, 77);
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

} // namespace
} // namespace vorleth
