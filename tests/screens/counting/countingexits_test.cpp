#include "screens/counting/countingscreentest.h"

#include "store/recoveryfile.h"

#include <deque>
#include <functional>

namespace vorleth::countingtest {
namespace {

TEST_F(CountingScreenTest, SavingANewGameWritesTheCountedResultAndOffersTheSourceOnce) {
    setPosition(deadStones);
    const QString source = QDir(temp.path()).filePath(QStringLiteral("yahoo.txt"));
    test::touch(source);
    state->import = {source, true};
    open();
    correct({15, 6}, "Command5"); // the dead black stones live: 白25目半勝
    dialogs.answers = {Dialogs::Answer::Yes};
    click(screen.get(), "Command2");

    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_FALSE(QFileInfo::exists(source));
    ASSERT_EQ(recordFiles().size(), 1);

    CurrentRecord read;
    read.fileName = recordFiles().first().chopped(4);
    MoveList moves;
    ASSERT_TRUE(readRecord(recordDirectory, read, moves).ok);
    EXPECT_EQ(read.game.result, QStringLiteral("白25目半勝"));
    EXPECT_EQ(moves, state->board.moves);
    EXPECT_EQ(state->catalogue.count(), 1);
    EXPECT_EQ(state->record.selectedIndex, 1);
}

TEST_F(CountingScreenTest, AFailedSaveKeepsTheScreenTheCountAndTheSource) {
    setPosition(deadStones);
    const QString source = QDir(temp.path()).filePath(QStringLiteral("yahoo.txt"));
    test::touch(source);
    state->import = {source, true};
    const QString missing = QDir(temp.path()).filePath(QStringLiteral("gone"));
    state->settings.recordDirectory = missing;
    open();
    correct({15, 6}, "Command5");
    const QString corrected = countText();

    click(screen.get(), "Command2");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(navigator.shown.empty());
    ASSERT_EQ(dialogs.messages().size(), 1) << "no question about the source";
    EXPECT_TRUE(dialogs.messages().first().startsWith(cannotSaveRecordMessage));
    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_EQ(countText(), corrected);
    EXPECT_EQ(countedResult(), QStringLiteral("白25目半勝"));
    EXPECT_TRUE(state->record.game.result.isEmpty()) << "the game's own result, as before";
    EXPECT_TRUE(state->record.fileName.isEmpty());
    EXPECT_EQ(state->catalogue.count(), 0);

    // The correction can still be undone, and the save done once the directory is there.
    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount);
    ASSERT_TRUE(QDir().mkpath(missing));
    dialogs.shown.clear();
    dialogs.answers = {Dialogs::Answer::No};
    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_TRUE(QFileInfo::exists(source)) << "kept as answered";
    const QStringList saved = QDir(missing).entryList({QStringLiteral("*.IGO")}, QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved.first().contains(QStringLiteral("勝敗（白29目半勝）")));
}

TEST_F(CountingScreenTest, LeavingUnsavedOnPurposeSavesNothing) {
    setPosition(deadStones);
    const QString source = QDir(temp.path()).filePath(QStringLiteral("yahoo.txt"));
    test::touch(source);
    state->import = {source, true};
    open();
    dialogs.answers = {Dialogs::Answer::Ok, Dialogs::Answer::Yes};
    trigger(screen.get(), "writepass");
    EXPECT_EQ(dialogs.messages(), QStringList{skipSavingQuestion});
    EXPECT_TRUE(state->counting.skipSaveQuestion);

    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_TRUE(recordFiles().isEmpty());
    // The game is kept nowhere: its import source is not offered for deletion.
    EXPECT_EQ(dialogs.messages(), QStringList{skipSavingQuestion});
    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_FALSE(state->counting.skipSaveQuestion);
    EXPECT_EQ(state->record.moveCount, state->board.moves.length());
}

TEST_F(CountingScreenTest, TheCaptionlessMenusSetAndClearTheFlag) {
    setPosition(deadStones);
    open();
    const struct {
        const char* action;
        std::optional<Dialogs::Answer> answer;
        bool before, after;
    } steps[] = {
        {"writepass", Dialogs::Answer::Ok, false, true},
        {"writeok", std::nullopt, true, false},
        {"writepass", Dialogs::Answer::Cancel, true, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.action);
        state->counting.skipSaveQuestion = s.before;
        dialogs.shown.clear();
        if (s.answer)
            dialogs.answers = {*s.answer};
        trigger(screen.get(), s.action);
        EXPECT_EQ(state->counting.skipSaveQuestion, s.after);
        EXPECT_EQ(dialogs.shown.size(), s.answer ? 1u : 0u);
    }
    trigger(screen.get(), "help");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Help});
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::counting);
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(CountingScreenTest, LeavingWithoutSavingAsksAndReadsTheWorkingEntryBack) {
    setPosition(deadStones);
    // The diagram entry in progress before this game.
    CurrentRecord previous;
    previous.game = {QStringLiteral("前の対局"), QStringLiteral("甲"), QStringLiteral("乙"),
                     QStringLiteral("白中押勝"), QStringLiteral("5.5")};
    previous.moveCount = 2;
    TableEntryData previousTable;
    previousTable.tableMoves[1] = 1604;
    previousTable.tableMoves[2] = 404;
    ASSERT_TRUE(writeWorkingEntry(state->baseDirectory, previous, previousTable).ok);
    open();

    dialogs.answers = {Dialogs::Answer::Cancel};
    click(screen.get(), "Command1");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(navigator.shown.empty());
    EXPECT_GT(state->board.moves.length(), 0);

    dialogs.answers = {Dialogs::Answer::Ok};
    click(screen.get(), "Command1");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(),
              (QStringList{leaveWithoutSavingQuestion, leaveWithoutSavingQuestion}));
    EXPECT_EQ(state->board.moves.length(), 0);
    EXPECT_EQ(state->board.play.appliedCount, 0);
    EXPECT_EQ(state->board.play.nextMoveNumber, 0);
    EXPECT_EQ(state->record.game, previous.game);
    EXPECT_EQ(state->record.moveCount, 2);
    EXPECT_EQ(state->table.tableMoves[1], 1604);
    EXPECT_TRUE(recordFiles().isEmpty());
}

TEST_F(CountingScreenTest, LeavingWithoutSavingReportsAMissingWorkingEntry) {
    setPosition(deadStones);
    open();
    click(screen.get(), "Command1");
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(), (QStringList{leaveWithoutSavingQuestion, noWorkingEntryMessage}));
}

// An imported game that Black won by half a point is counted and left: the count must not
// replace its real result, which a later save would then write.
TEST_F(CountingScreenTest, BackToTheBoardKeepsTheGameAndItsOwnResult) {
    setPosition(deadStones);
    state->record.game.result = QStringLiteral("黒0目半勝");
    const MoveList moves = state->board.moves;
    open();
    correct({3, 10}, "Command1"); // 白31目半勝
    EXPECT_EQ(countedResult(), QStringLiteral("白31目半勝"));
    click(screen.get(), "Command3");
    EXPECT_FALSE(screen->isVisible());
    // The board goes on from the position counted.
    const std::vector<RecordingNavigator::Call> toTheBoard{
        {false, ScreenId::BoardRecording, ContinueGame{.entries = state->board.play.appliedCount}}};
    EXPECT_EQ(navigator.calls, toTheBoard);
    EXPECT_EQ(state->record.game.result, QStringLiteral("黒0目半勝"));
    EXPECT_EQ(state->board.moves, moves);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(recordFiles().isEmpty());
}

TEST_F(CountingScreenTest, AGameFromTheLibraryIsShownAndSavedUnderItsKeptNames) {
    setPosition(deadStones);
    state->record.game.result = QStringLiteral("打掛");
    ASSERT_TRUE(saveRecord(recordDirectory, state->catalogue, state->record, state->board.moves,
                           QDateTime(QDate(2024, 1, 1), QTime(9, 5, 3)))
                    .ok);
    const QString oldName = state->record.fileName;
    // What is left in the current record from elsewhere does not name the game.
    state->record.game.gameName = QStringLiteral("別の対局");
    state->record.game.result = QString();
    state->record.fileName.clear();
    open();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
    EXPECT_TRUE(information().contains(QStringLiteral("\n勝負：打掛\n")));
    EXPECT_EQ(state->record.fileName, oldName);

    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(recordFiles().size(), 1) << "the new version replaces the old";
    EXPECT_NE(state->record.fileName, oldName);
    ASSERT_EQ(state->catalogue.count(), 1);
    EXPECT_EQ(state->catalogue.entry(1).game.result, QStringLiteral("白29目半勝"));
    EXPECT_EQ(state->catalogue.entry(1).game.gameName, QStringLiteral("練習碁"));
}

// A game of GNU Go against itself (scripts/gnugo_selfplay.py, seed 3, komi 6.5), 218 stones
// until both passed, in GTP coordinates from Black's first move. GNU Go scores its end B+26.5
// under Japanese rules, with 7 stones taken by White during the game.
const char* const gnugoGame =
    "D4 Q16 P3 K5 C17 D6 F4 C4 C3 C5 B3 C10 R14 R3 Q5 S5 R11 F16 C14 N3 L3 O17 S16 R17 M17 "
    "S17 J17 N5 J4 R6 N2 O2 O3 M2 N4 M3 M4 K4 K3 P2 M5 N6 J5 R9 A6 K6 M6 O4 M7 O8 O5 P4 O7 "
    "P5 P6 Q3 J7 J1 H2 J15 M15 S15 S14 R16 F14 G15 J13 N10 L10 N12 L12 E10 P11 D13 O9 O10 "
    "P10 N9 N7 F12 P9 N8 P8 D14 G14 C15 B15 E15 R8 S8 Q8 H13 S7 O15 O13 S9 R7 B14 C16 C13 "
    "A16 H17 J16 H14 H18 J12 H7 B7 J2 T14 S11 Q6 T13 K13 H10 F7 E17 G17 G18 H16 N18 O18 G8 "
    "K16 K17 N14 N13 T15 L16 B6 K1 P14 J11 S13 P13 R13 O19 P19 N19 Q18 K12 H12 F9 E9 G7 F6 "
    "F8 A5 E8 K15 D8 C8 D9 D10 L13 K14 S6 R5 T5 T4 T6 S3 G6 B4 A3 D16 D17 E5 E4 S12 L2 T11 "
    "T10 T12 S10 F10 Q13 Q14 N16 E16 C9 B9 C7 B8 D7 N17 L18 R12 Q12 R15 F5 E6 N15 O14 A4 A7 "
    "O16 P16 C6 D5 F17 H11 J10 G10 G9 M1 L1 M14 L15 M13 M12 Q7 P7 A14 A15 L14 E7 B5";

// While the game is counted, the recording board's recovery file is all there is of it: only
// a save or a confirmed discard ends it. The close box goes back to the board.
TEST_F(CountingScreenTest, TheRecoveryFileStaysUntilTheCountSavesOrDiscardsTheGame) {
    using Answer = Dialogs::Answer;
    const struct {
        const char* what;
        std::function<void(CountingScreen*)> leave;
        std::deque<Answer> answers;
        bool kept;
        ScreenId next; // what is shown next, if anything
        bool closed;
    } cases[] = {
        {"保管して対局に戻る",
         [](CountingScreen* s) { click(s, "Command2"); },
         {},
         false,
         ScreenId::Start,
         true},
        {"保管せずにメインメニュー",
         [](CountingScreen* s) { click(s, "Command1"); },
         {Answer::Ok},
         false,
         ScreenId::Start,
         true},
        {"保管せずにメインメニュー, cancelled",
         [](CountingScreen* s) { click(s, "Command1"); },
         {Answer::Cancel},
         true,
         ScreenId::Start,
         false},
        {"writepass, then 保管して対局に戻る",
         [](CountingScreen* s) {
             trigger(s, "writepass");
             click(s, "Command2");
         },
         {Answer::Ok},
         false,
         ScreenId::Start,
         true},
        {"対局画面に戻る",
         [](CountingScreen* s) { click(s, "Command3"); },
         {},
         true,
         ScreenId::BoardRecording,
         true},
        {"the close box",
         [](CountingScreen* s) { s->close(); },
         {},
         true,
         ScreenId::BoardRecording,
         true},
    };
    setPosition(deadStones);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state->record.fileName.clear();
        navigator.clear();
        ASSERT_TRUE(writeRecoveryFile(state->baseDirectory, state->record, state->board.moves).ok);
        const MoveList moves = state->board.moves;
        open();
        dialogs.answers = c.answers;
        c.leave(screen.get());
        settle();
        EXPECT_EQ(recoveryFileExists(state->baseDirectory), c.kept);
        EXPECT_EQ(screen->isVisible(), !c.closed);
        if (c.closed) {
            EXPECT_EQ(navigator.shown, std::vector<ScreenId>{c.next});
        } else {
            EXPECT_TRUE(navigator.shown.empty());
        }
        if (c.next == ScreenId::BoardRecording) {
            EXPECT_TRUE(std::holds_alternative<ContinueGame>(navigator.calls.back().handover));
            EXPECT_EQ(readRecoveryFile(state->baseDirectory).moves, moves);
        }
        // The game may be gone from the board now; the next case starts from the same one.
        setPosition(deadStones);
        for (const QString& f : recordFiles())
            QFile::remove(QDir(recordDirectory).filePath(f));
    }
}

Point gtpPoint(const QString& vertex) {
    static const QString letters = QStringLiteral("ABCDEFGHJKLMNOPQRST"); // no I
    return {static_cast<int>(letters.indexOf(vertex.at(0))) + 1, 20 - vertex.mid(1).toInt()};
}

// From the recording board's last stone to a saved result: the game is played through the
// play rules as the board screen records it, counted, corrected, saved and read back.
TEST_F(CountingScreenTest, FromABoardOfMoreThanAHundredMovesToASavedResult) {
    BoardModel& model = state->board;
    model.play.nextMoveNumber = 1;
    for (const QString& vertex : QString::fromLatin1(gnugoGame).split(u' ')) {
        const Point p = gtpPoint(vertex);
        ASSERT_EQ(model.board.cell(p), Board::Empty) << vertex.toStdString();
        ASSERT_EQ(playStone(model, p).result, PlayResult::Played);
    }
    ASSERT_GT(model.play.appliedCount, 100);
    ASSERT_EQ(model.play.prisonersWhite, 7);
    ASSERT_EQ(model.play.prisonersBlack, 0);
    state->record.game = {QStringLiteral("自己対局"), QStringLiteral("GNU Go"),
                          QStringLiteral("GNU Go"), QString(), QStringLiteral("6.5")};
    state->record.moveCount = 218;
    open();

    // Unassisted, the count agrees with GNU Go's own score of the game.
    EXPECT_EQ(countedResult(), QStringLiteral("黒26目半勝"));
    EXPECT_EQ(countText().section(u'\n', 5, 5), QStringLiteral("白地　83　黒地　116　差 26.5"));

    // The user holds the three white stones at K6..K4 (10, 14..16) alive after all: Black loses
    // their six points, and then thinks better of it.
    ASSERT_EQ(state->counting.session.grid().at(10, 14), CountMark::DeadWhite);
    correct({10, 14}, "Command1"); // 白石
    EXPECT_EQ(countedResult(), QStringLiteral("黒20目半勝"));
    clickAt({10, 14}, Qt::RightButton);
    EXPECT_EQ(countedResult(), QStringLiteral("黒26目半勝"));
    // The dead black stone at (18, 4) is called a seki point instead: White loses its two.
    correct({18, 4}, "Command4");
    const QString result = countedResult();
    EXPECT_EQ(result, QStringLiteral("黒28目半勝"));

    click(screen.get(), "Command2");
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    ASSERT_EQ(recordFiles().size(), 1);
    CurrentRecord read;
    read.fileName = recordFiles().first().chopped(4);
    MoveList moves;
    ASSERT_TRUE(readRecord(recordDirectory, read, moves).ok);
    EXPECT_EQ(read.game.result, result);
    EXPECT_EQ(read.game.gameName, QStringLiteral("自己対局"));
    EXPECT_EQ(moves, model.moves);

    // The saved game rebuilds to the position that was counted.
    BoardModel rebuilt;
    rebuilt.moves = moves;
    rebuildPosition(rebuilt, moves.length(), read.game.gameName);
    EXPECT_EQ(boardDiagram(rebuilt.board), boardDiagram(model.board));
}

} // namespace
} // namespace vorleth::countingtest
