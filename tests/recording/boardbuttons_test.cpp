#include "recording/boardtestbase.h"

#include "shell/recovery.h"
#include "store/library.h"
#include "store/recordname.h"
#include "store/recoveryfile.h"
#include "store/workingfiles.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::BoardRecordingTest;
using test::FakeRecordingView;
using test::movesOf;
using test::quietMoves;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using Answer = Dialogs::Answer;

// ---- Buttons -------------------------------------------------------------------------------

TEST_F(BoardRecordingTest, CountingNeedsMoreThanAHundredEntries) {
    const struct {
        int entries;
        Answer answer;
        bool counts; // the counting screen takes over
    } cases[] = {{100, Answer::Ok, false}, {101, Answer::Cancel, false}, {101, Answer::Ok, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        dialogs.shown.clear();
        navigator.clear();
        model().moves = quietMoves(c.entries);
        model().play.appliedCount = c.entries;
        controller.open(ContinueGame{.entries = model().play.appliedCount});
        dialogs.answers.push_back(c.answer);
        EXPECT_EQ(controller.countTerritory(), c.counts);
        if (c.entries > 100) {
            EXPECT_EQ(dialogs.messages(), QStringList{countingQuestion});
            EXPECT_EQ(dialogs.shown.front().buttons, Dialogs::Buttons::OkCancel);
        } else {
            EXPECT_EQ(dialogs.messages(), QStringList{tooFewMovesMessage});
        }
        EXPECT_EQ(model().moves.length(), c.entries);
        EXPECT_EQ(navigator.shown,
                  c.counts ? std::vector<ScreenId>{ScreenId::Counting} : std::vector<ScreenId>{});
    }
}

// The counting screen may crash or be closed too: the game stays in the recovery file, with the
// stone played just before, until the count saves or discards it.
TEST_F(BoardRecordingTest, GoingToTheCountKeepsTheRecoveryFileWithTheLatestStone) {
    model().moves = quietMoves(101);
    model().play.appliedCount = 101;
    controller.open(ContinueGame{.entries = model().play.appliedCount});
    click(19, 19); // within the write delay
    ASSERT_TRUE(controller.countTerritory());
    const Result<RecoveredGame> read = readRecoveryFile(state.baseDirectory);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.moves, model().moves);
    EXPECT_EQ(read.moves.length(), 102);
    EXPECT_FALSE(timers.tickRunning());
    // Nothing more comes from the board that was left.
    ASSERT_TRUE(removeRecoveryFile(state.baseDirectory).ok);
    wait(1000);
    EXPECT_FALSE(QFileInfo::exists(recoveryPath()));
}

TEST_F(BoardRecordingTest, SavingWithAResultWritesTheRecordAndReturnsToTheMainMenu) {
    state.record.game.result = QStringLiteral("黒中押勝");
    state.import = {QDir(state.baseDirectory).filePath(QStringLiteral("源.txt")), true};
    test::touch(state.import.importSourcePath);
    // Even a game the count was told need not be kept is saved by this button.
    controller.open(ContinueGame{.skipSaveQuestion = true});
    click(4, 4);
    click(16, 16);
    wait(BoardRecordingController::recoveryWriteDelay);
    ASSERT_TRUE(QFileInfo::exists(recoveryPath()));
    dialogs.answers.push_back(Answer::No); // keep the source file

    EXPECT_EQ(controller.saveAndReturn(), BoardRecordingController::SaveOutcome::Saved);
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_TRUE(state.import.importSourcePath.isEmpty());
    EXPECT_FALSE(state.import.yahooImportFlag);
    EXPECT_FALSE(QFileInfo::exists(recoveryPath())) << "left by a button";
    EXPECT_FALSE(timers.tickRunning());

    const QString name = newRecordName(state.record.game, 2, state.now());
    EXPECT_EQ(state.record.fileName, name);
    MoveList read;
    CurrentRecord record;
    record.fileName = name;
    ASSERT_TRUE(readRecord(state.settings.recordDirectory, record, read).ok);
    EXPECT_EQ(read, movesOf({{404, "1"}, {1616, "2"}}));
    EXPECT_EQ(state.catalogue.count(), 1);

    wait(1000);
    EXPECT_FALSE(QFileInfo::exists(recoveryPath())) << "nothing writes it again";
}

TEST_F(BoardRecordingTest, AnOpenResultLeadsToTheEndOfGameScreenAndTheBoardStays) {
    for (const QString& result : {QString(), QStringLiteral("打掛")}) {
        SCOPED_TRACE(result.toStdString());
        navigator.clear();
        state.record.game.result = result;
        open();
        click(4, 4);
        EXPECT_EQ(controller.saveAndReturn(), BoardRecordingController::SaveOutcome::EndOfGame);
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::EndOfGame});
        EXPECT_EQ(model().moves.length(), 1);
        EXPECT_TRUE(timers.tickRunning());
    }
}

// Whatever keeps the record file from being written, the game stays on the board to be saved
// again.
TEST_F(BoardRecordingTest, ASaveThatFailsKeepsTheGameOnTheBoard) {
    const GameInfo game{QStringLiteral("練習碁"), QStringLiteral("山田"), QStringLiteral("佐藤"),
                        QStringLiteral("白中押勝"), QStringLiteral("6.5")};
    const QString name = newRecordName(game, 1, state.now());
    struct Case {
        const char* what;
        std::function<void(SharedState&)> arrange;
        QString message;
    };
    const Case cases[] = {
        {"a file of the same name",
         [&](SharedState& s) { test::touch(recordPath(s.settings.recordDirectory, name)); },
         sameNameExistsMessage + name + recordExtension},
        {"a directory that cannot be written",
         [](SharedState& s) {
             s.settings.recordDirectory =
                 QDir(s.baseDirectory).filePath(QStringLiteral("無い/ところ"));
         },
         cannotSaveRecordMessage + name + recordExtension},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordLibrary library;
        SharedState& s = library.state;
        s.record.game = game;
        c.arrange(s);
        ScriptedDialogs dialogs;
        RecordingNavigator navigator;
        FakeRecordingView view;
        test::VirtualRecordingTimers timers;
        BoardRecordingController board{boardRecordingContext(s), view, timers, dialogs, navigator};
        timers.controller = &board;
        board.open();
        board.leftPress(s.geometry.pointX(4), s.geometry.pointY(4));

        EXPECT_EQ(board.saveAndReturn(), BoardRecordingController::SaveOutcome::Stayed);
        EXPECT_EQ(dialogs.messages(), QStringList{c.message});
        EXPECT_TRUE(navigator.shown.empty());
        EXPECT_EQ(s.board.moves, movesOf({{404, "1"}}));
        EXPECT_TRUE(s.record.fileName.isEmpty());
        EXPECT_EQ(s.record.selectedIndex, 0);
        EXPECT_EQ(s.catalogue.count(), 0);
        EXPECT_TRUE(timers.tickRunning());
        // Still recording, and still kept for a crash.
        board.leftPress(s.geometry.pointX(5), s.geometry.pointY(5));
        EXPECT_EQ(s.board.moves.length(), 2);
        timers.advance(BoardRecordingController::recoveryWriteDelay);
        EXPECT_TRUE(recoveryFileExists(s.baseDirectory));
    }
}

TEST_F(BoardRecordingTest, LeavingWithoutSavingAsksOnlyWhenThereIsSomethingToLose) {
    const QString entry = workingEntryPath(state.baseDirectory);
    struct Case {
        const char* what;
        int clicks;
        bool skipQuestion;
        Answer answer;
        bool leaves;
        QStringList messages;
    };
    const Case cases[] = {
        {"an empty board", 0, false, Answer::Ok, true, {noWorkingEntryMessage}},
        {"cancelled", 2, false, Answer::Cancel, false, {discardQuestion}},
        {"confirmed", 2, false, Answer::Ok, true, {discardQuestion, noWorkingEntryMessage}},
        {"after counting", 2, true, Answer::Ok, true, {noWorkingEntryMessage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.shown.clear();
        navigator.clear();
        // The count hands the game back with its "need not be kept".
        controller.open(c.skipQuestion ? Handover{ContinueGame{.skipSaveQuestion = true}}
                                       : Handover{});
        for (int i = 0; i < c.clicks; ++i)
            click(i + 1, 1);
        wait(BoardRecordingController::recoveryWriteDelay);
        dialogs.answers.push_back(c.answer);
        EXPECT_EQ(controller.returnWithoutSaving(), c.leaves);
        EXPECT_EQ(dialogs.messages(), c.messages);
        EXPECT_EQ(navigator.shown.size(), c.leaves ? 1u : 0u);
        EXPECT_EQ(model().moves.length(), c.leaves ? 0 : c.clicks);
        EXPECT_EQ(QFileInfo::exists(recoveryPath()), !c.leaves);
        if (!c.leaves) {
            EXPECT_EQ(dialogs.shown.front().buttons, Dialogs::Buttons::OkCancelDefaultCancel);
        }
    }
    // With a working entry there, it is read back into the record over the main menu.
    test::writeBytes(entry, test::sjis(QStringLiteral("前回の碁,甲,乙,白勝, 2 ,6.5\r\n 404 \r\n "
                                                      "1616 \r\n")));
    dialogs.shown.clear();
    open();
    EXPECT_TRUE(controller.returnWithoutSaving());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(state.record.game.gameName, QStringLiteral("前回の碁"));
    EXPECT_EQ(state.table.tableMoves[2], 1616);
}

// A discarded import is saved nowhere: its source is the only copy, and nobody is asked to
// delete it (a Yes given anyway would find no question).
TEST_F(BoardRecordingTest, DiscardingAnImportedGameKeepsItsSourceUnasked) {
    const QString source = QDir(state.baseDirectory).filePath(QStringLiteral("源.txt"));
    state.import = {source, true};
    test::touch(source);
    open();
    click(4, 4);
    dialogs.answers = {Answer::Ok, Answer::Yes}; // discard the game; yes to anything after
    EXPECT_TRUE(controller.returnWithoutSaving());
    EXPECT_FALSE(dialogs.messages().contains(sourceDeletionQuestion));
    EXPECT_EQ(dialogs.messages().first(), discardQuestion);
    EXPECT_TRUE(QFileInfo::exists(source));
}

TEST_F(BoardRecordingTest, HelpShowsCodeTenBesideTheBoard) {
    open();
    controller.showHelp();
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::boardRecording);
    EXPECT_TRUE(navigator.shown.empty());
}

// ---- The recovery file ---------------------------------------------------------------------

TEST_F(BoardRecordingTest, TheRecoveryFileFollowsTheGameAFewTimesASecond) {
    state.record.fileName = QStringLiteral("前の名前");
    state.record.selectedIndex = 3;
    open();
    wait(BoardRecordingController::recoveryWriteDelay);
    ASSERT_TRUE(QFileInfo::exists(recoveryPath())) << "the game information from the start";

    int writes = 0;
    QByteArray last = test::readBytes(recoveryPath());
    auto countWrite = [&] {
        const QByteArray now = test::readBytes(recoveryPath());
        if (now != last)
            ++writes;
        last = now;
    };
    // Four stones within one write delay make one write.
    for (int i = 1; i <= 4; ++i) {
        click(i, 10);
        wait(50);
        countWrite();
    }
    wait(BoardRecordingController::recoveryWriteDelay);
    countWrite();
    EXPECT_EQ(writes, 1);

    const Result<RecoveredGame> read = readRecoveryFile(state.baseDirectory);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.moves, model().moves);
    EXPECT_EQ(read.record.game, state.record.game);
    EXPECT_EQ(read.record.fileName, QStringLiteral("前の名前"));

    // A take-back, a pause, a study copy: each is kept.
    controller.rightRelease();
    wait(BoardRecordingController::recoveryWriteDelay);
    EXPECT_EQ(readRecoveryFile(state.baseDirectory).moves.length(), 3);
    controller.addPause();
    wait(BoardRecordingController::recoveryWriteDelay);
    EXPECT_EQ(readRecoveryFile(state.baseDirectory).moves.length(), 4);
    controller.restoreOpening();
    wait(BoardRecordingController::recoveryWriteDelay);
    EXPECT_EQ(readRecoveryFile(state.baseDirectory).moves.length(), 0);
}

// A crash while a typed diagram is being placed: the game comes back with its names whole, its
// pause marker, and the placement waiting where it stopped.
TEST_F(BoardRecordingTest, AGameBeingPlacedFromADiagramComesBackWhereItStopped) {
    state.record.game = {QStringLiteral("세계대회"), QStringLiteral("이세돌"),
                         QStringLiteral("柯洁"), QString(), QStringLiteral("7.5")};
    diagram({1010, 0, 1111});
    open();
    ASSERT_EQ(tableState(), 2);
    controller.addPause();
    wait(BoardRecordingController::recoveryWriteDelay);
    const GameInfo game = state.record.game;
    const MoveList moves = model().moves;

    // The next start of the program, in a state as fresh as the crash left it.
    state.record = {};
    state.board = {};
    state.table = {};
    state.shell.recoveryOffered = false;
    const std::optional<ContinueGame> continued = offerRecovery(state, dialogs);
    ASSERT_TRUE(continued);
    BoardRecordingController board{boardRecordingContext(state), view, timers, dialogs, navigator};
    timers.controller = &board;
    board.open(*continued);

    EXPECT_EQ(state.record.game, game);
    EXPECT_EQ(model().moves, moves) << "the pause marker too";
    EXPECT_EQ(board.state(), 2);
    EXPECT_EQ(view.moveNumber, QStringLiteral("2手目"));
    board.leftPress(state.geometry.pointX(3), state.geometry.pointY(3));
    timers.advance(1);
    EXPECT_EQ(model().moves,
              movesOf({{1010, "1"}, {pauseMarkerCode, "9"}, {303, "2"}, {1111, "1"}}));
    EXPECT_EQ(board.state(), 0);
    EXPECT_EQ(view.moveNumber, endedMoveText);
}

TEST_F(BoardRecordingTest, ClosingTheWindowKeepsTheLatestMoveForRecovery) {
    open();
    click(4, 4);
    click(5, 5);
    controller.closing(); // before the write delay is up
    const Result<RecoveredGame> read = readRecoveryFile(state.baseDirectory);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.moves.length(), 2);
    EXPECT_FALSE(timers.tickRunning());
}

TEST_F(BoardRecordingTest, WhileTheEndOfGameScreenIsOnTopTheBoardWritesNothing) {
    open();
    click(4, 4);
    ASSERT_EQ(controller.saveAndReturn(), BoardRecordingController::SaveOutcome::EndOfGame);
    controller.suspendRecovery();
    EXPECT_EQ(readRecoveryFile(state.baseDirectory).moves.length(), 1)
        << "the latest change is written before";
    // The end-of-game screen saved the game and removed the file.
    ASSERT_TRUE(removeRecoveryFile(state.baseDirectory).ok);
    controller.leftFromEndOfGame();
    controller.resumeRecovery();
    wait(1000);
    controller.closing();
    EXPECT_FALSE(QFileInfo::exists(recoveryPath()));
}

TEST_F(BoardRecordingTest, AFailingRecoveryWriteIsToldOnce) {
    state.baseDirectory = QDir(library.directory.path()).filePath(QStringLiteral("無い"));
    BoardRecordingController board{boardRecordingContext(state), view, timers, dialogs, navigator};
    timers.controller = &board;
    board.open();
    for (int i = 1; i <= 3; ++i) {
        board.leftPress(state.geometry.pointX(i), state.geometry.pointY(1));
        timers.advance(BoardRecordingController::recoveryWriteDelay);
    }
    EXPECT_EQ(dialogs.messages(),
              QStringList{cannotWriteRecoveryFileMessage + recoveryFilePath(state.baseDirectory)});
    EXPECT_EQ(state.board.moves.length(), 3);
}

} // namespace
} // namespace vorleth
