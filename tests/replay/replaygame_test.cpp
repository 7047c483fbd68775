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
             // 307 entries; the bound only stops a replay that never ends.
             for (int step = 0; step < 1000 && controller.modeCaption() != endedCaption; ++step)
                 timers.advance(500);
             ASSERT_EQ(controller.modeCaption(), endedCaption) << "the replay never ended";
         }},
        {"clicks",
         [](ReplayController& controller, test::VirtualTimers& timers) {
             controller.chooseClickMode(3);
             for (int click = 0; click < 1000 && controller.modeCaption() != endedCaption;
                  ++click) {
                 controller.leftClick();
                 timers.advance(1100);
             }
             ASSERT_EQ(controller.modeCaption(), endedCaption) << "the replay never ended";
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
        test::ReplayRig rig;
        SharedState& state = rig.state;
        test::FakeReplayView& view = rig.view;
        ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(VORLETH_TEST_DATA "/replay"))
                                    .filePath(gameFile + QStringLiteral(".IGO")),
                                recordPath(rig.library.directory.path(), gameFile)));
        rig.library.select(gameFile);
        ASSERT_TRUE(rig.controller.open(rig.library.chosen()));
        ASSERT_EQ(state.board.moves.length(), 307);
        EXPECT_TRUE(view.information.contains(QStringLiteral("手数  230")));
        rig.timers.advance(1);

        c.drive(rig.controller, rig.timers);

        BoardModel rebuilt;
        rebuilt.moves = state.board.moves;
        rebuildPosition(rebuilt, rebuilt.moves.length(), state.record.game.gameName);
        EXPECT_EQ(view.diagram(), boardDiagram(rebuilt.board));
        EXPECT_EQ(state.board.play.prisonersWhite, rebuilt.play.prisonersWhite);
        EXPECT_EQ(state.board.play.prisonersBlack, rebuilt.play.prisonersBlack);
        EXPECT_EQ(view.prisoners,
                  replayPrisonersText(rebuilt.play.prisonersWhite, rebuilt.play.prisonersBlack));
        EXPECT_EQ(rebuilt.play.prisonersWhite + rebuilt.play.prisonersBlack, 77);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
}

} // namespace
} // namespace vorleth
