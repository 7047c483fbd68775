#include "replay/replaytestbase.h"
#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "recording/endofgamecontroller.h"
#include "recording/gameinfocontroller.h"
#include "state/contexts.h"
#include "store/library.h"
#include "store/recordname.h"
#include "store/recoveryfile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::movesOf;
using test::RecordingNavigator;
using test::ScriptedDialogs;

class EndOfGameTest : public ::testing::Test {
protected:
    EndOfGameTest() {
        state.record.game = {QStringLiteral("練習碁"), QStringLiteral("山田"),
                             QStringLiteral("佐藤"), QStringLiteral("打掛"), QStringLiteral("6.5")};
        state.board.moves = movesOf({{404, "1"}, {1616, "2"}});
        EXPECT_TRUE(writeRecoveryFile(state.baseDirectory, state.record, state.board.moves).ok);
    }

    // The record saved under the current record's name, read back.
    MoveList savedMoves() {
        CurrentRecord record;
        record.fileName = state.record.fileName;
        MoveList moves;
        EXPECT_TRUE(readRecord(state.settings.recordDirectory, record, moves).ok);
        return moves;
    }
    bool recoveryKept() const { return recoveryFileExists(state.baseDirectory); }

    test::RecordLibrary library;
    SharedState& state = library.state;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    EndOfGameController controller{endOfGameContext(state), dialogs, navigator};
};

TEST_F(EndOfGameTest, TheListsOfferTheResultsAdjournedFirstAndTheMargins) {
    const QStringList results = endOfGameResults();
    ASSERT_EQ(results.size(), 13);
    EXPECT_EQ(results.first(), QStringLiteral("打掛"));
    EXPECT_EQ(results.mid(1, 5), gameInfoResults().mid(0, 5));
    EXPECT_EQ(results.mid(6), gameInfoResults().mid(6));
    EXPECT_EQ(marginItems().size(), 30);
}

TEST_F(EndOfGameTest, SavingTakesTheChosenResultWithItsMargin) {
    const struct {
        QString resultBox;
        QString marginBox;
        QString earlier;
        QString saved;
    } cases[] = {
        {QStringLiteral("黒勝"), QStringLiteral("0.5"), QStringLiteral("打掛"),
         QStringLiteral("黒半目勝")},
        {QStringLiteral("白勝"), QStringLiteral("6.5"), QStringLiteral("打掛"),
         QStringLiteral("白6目半勝")},
        {QStringLiteral("白中押勝"), QStringLiteral("3.5"), QStringLiteral("打掛"),
         QStringLiteral("白中押勝")},
        {QString(), QStringLiteral("3.5"), QStringLiteral("打掛"), QStringLiteral("打掛")},
        {QString(), QString(), QString(), QString()},
        // A win whose margin nobody gave is a win, not one by 0 points.
        {QStringLiteral("黒勝"), QString(), QStringLiteral("打掛"), QStringLiteral("黒勝")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.resultBox + u'|' + c.earlier).toStdString());
        test::RecordLibrary library;
        SharedState& s = library.state;
        s.record.game = {QStringLiteral("練習碁"), QStringLiteral("山田"), QStringLiteral("佐藤"),
                         c.earlier, QStringLiteral("6.5")};
        s.board.moves = movesOf({{404, "1"}});
        ScriptedDialogs dialogs;
        RecordingNavigator navigator;
        EndOfGameController endOfGame{endOfGameContext(s), dialogs, navigator};
        EXPECT_TRUE(endOfGame.save(c.resultBox, c.marginBox));
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(s.record.game.result, c.saved);
        EXPECT_EQ(extractField(s.record.fileName, resultKey), c.saved);
        EXPECT_TRUE(QFileInfo::exists(recordPath(s.settings.recordDirectory, s.record.fileName)));
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    }
}

TEST_F(EndOfGameTest, AMarginThatIsNoNumberIsToldAndNothingIsSaved) {
    for (const char* margin : {"xyz", "-2", "2.25"}) {
        SCOPED_TRACE(margin);
        dialogs.shown.clear();
        EXPECT_FALSE(controller.save(QStringLiteral("白勝"), QString::fromUtf8(margin)));
        EXPECT_EQ(dialogs.messages(), QStringList{marginNotNumberMessage});
        EXPECT_EQ(state.record.game.result, QStringLiteral("打掛"));
        EXPECT_TRUE(state.record.fileName.isEmpty());
        EXPECT_TRUE(navigator.shown.empty());
        EXPECT_TRUE(recoveryKept());
    }
}

TEST_F(EndOfGameTest, ASavedGameLeavesTheBoardAndItsRecoveryFile) {
    ASSERT_TRUE(recoveryKept());
    EXPECT_TRUE(controller.save(QStringLiteral("黒中押勝"), QString()));
    EXPECT_EQ(savedMoves(), state.board.moves);
    EXPECT_FALSE(recoveryKept());
}

TEST_F(EndOfGameTest, LeavingWithoutSavingAsksNothingAndSavesNothing) {
    EXPECT_TRUE(controller.leaveWithoutSaving());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_TRUE(QDir(state.settings.recordDirectory)
                    .entryList({QStringLiteral("*.IGO")}, QDir::Files)
                    .isEmpty());
    EXPECT_FALSE(recoveryKept());
}

TEST_F(EndOfGameTest, AFailedSaveIsReportedAndTheScreenStaysWithTheGameAsItWas) {
    const QString name =
        newRecordName({QStringLiteral("練習碁"), QStringLiteral("山田"), QStringLiteral("佐藤"),
                       QStringLiteral("白6目半勝"), QStringLiteral("6.5")},
                      2, state.now());
    test::touch(recordPath(state.settings.recordDirectory, name));
    EXPECT_FALSE(controller.save(QStringLiteral("白勝"), QStringLiteral("6.5")));
    EXPECT_EQ(dialogs.messages(), QStringList{sameNameExistsMessage + name + recordExtension});
    EXPECT_TRUE(navigator.shown.empty());
    EXPECT_EQ(state.record.game.result, QStringLiteral("打掛"));
    EXPECT_TRUE(state.record.fileName.isEmpty());
    EXPECT_TRUE(recoveryKept());

    // Trying again with another result works.
    EXPECT_TRUE(controller.save(QStringLiteral("白勝"), QStringLiteral("7.5")));
    EXPECT_EQ(state.record.game.result, QStringLiteral("白7目半勝"));
    EXPECT_EQ(savedMoves(), state.board.moves);
}

TEST_F(EndOfGameTest, AnImportedGameOffersToDeleteItsSourceAfterSaving) {
    const QString source = QDir(state.baseDirectory).filePath(QStringLiteral("源.sgf"));
    test::touch(source);
    state.import = {source, true};
    dialogs.answers.push_back(Dialogs::Answer::Yes);
    EXPECT_TRUE(controller.save(QStringLiteral("持碁"), QString()));
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_FALSE(QFileInfo::exists(source));
}

TEST_F(EndOfGameTest, HelpIsCodeEleven) {
    controller.showHelp();
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::endOfGame);
    EXPECT_TRUE(navigator.shown.empty());
}

} // namespace
} // namespace vorleth
