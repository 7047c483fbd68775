#include "support/printers.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "shell/recovery.h"
#include "shell/startup.h"
#include "state/sharedstate.h"
#include "store/recordname.h"
#include "store/recoveryfile.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::ScriptedDialogs;
using Answer = Dialogs::Answer;

class RecoveryOfferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        state = std::make_unique<SharedState>(temp.path());
        startUp(*state); // directories, settings and the reset of a start-up
        game.record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                            QString(), QStringLiteral("6.5")};
        game.moves.append({1604, QStringLiteral("1")});
        game.moves.append({1717, QStringLiteral("2")});
    }
    void leaveFile() {
        ASSERT_TRUE(writeRecoveryFile(state->baseDirectory, game.record, game.moves).ok);
    }
    bool fileThere() const { return recoveryFileExists(state->baseDirectory); }

    QTemporaryDir temp;
    std::unique_ptr<SharedState> state;
    RecoveredGame game;
    ScriptedDialogs dialogs;
};

TEST_F(RecoveryOfferTest, WithoutAFileNothingIsAsked) {
    EXPECT_FALSE(offerRecovery(*state, dialogs));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(RecoveryOfferTest, YesPutsTheGameOnTheBoardToContinue) {
    leaveFile();
    state->shell.entryMode = 1;
    dialogs.answers.push_back(Answer::Yes);
    const std::optional<ContinueGame> continued = offerRecovery(*state, dialogs);
    ASSERT_TRUE(continued);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, recoveryQuestion);
    EXPECT_EQ(dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(state->shell.entryMode, boardEntryMode);
    EXPECT_EQ(state->record.game, game.record.game);
    EXPECT_EQ(state->record.selectedIndex, 0);
    EXPECT_EQ(state->board.moves, game.moves);
    EXPECT_EQ(state->board.play.appliedCount, 2);
    EXPECT_EQ(continued->entries, 2) << "the board goes on after every entry";
    EXPECT_FALSE(continued->placement) << "a game recorded by clicks";
    EXPECT_TRUE(fileThere()) << "the board keeps it until it is left";
}

TEST_F(RecoveryOfferTest, AContinuedRecordFindsItsFileInTheLibraryAgain) {
    // The record continued from the replay, and another one before it in the listing.
    const QString directory = state->settings.recordDirectory;
    const QString name = QStringLiteral("対局名（練習碁）白番（甲）黒番（乙）");
    test::touch(recordPath(directory, QStringLiteral("対局名（別の碁）")));
    test::touch(recordPath(directory, name));
    game.record.fileName = name;
    game.record.selectedIndex = 7; // its place in the catalogue of the run that crashed
    leaveFile();
    EXPECT_TRUE(offerRecovery(*state, dialogs));
    EXPECT_EQ(state->record.fileName, name);
    ASSERT_GT(state->record.selectedIndex, 0);
    EXPECT_EQ(state->catalogue.entry(state->record.selectedIndex).fileName, name);

    // Gone from the library: saved as a new record.
    ASSERT_TRUE(QFile::remove(recordPath(directory, name)));
    state->shell.recoveryOffered = false;
    EXPECT_TRUE(offerRecovery(*state, dialogs));
    EXPECT_EQ(state->record.selectedIndex, 0);
}

TEST_F(RecoveryOfferTest, NoDeletesTheFile) {
    leaveFile();
    dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(offerRecovery(*state, dialogs));
    EXPECT_FALSE(fileThere());
    EXPECT_EQ(state->board.moves.length(), 0);
}

TEST_F(RecoveryOfferTest, OnlyTheFirstStartUpOfARunAsks) {
    leaveFile();
    dialogs.answers.push_back(Answer::Yes);
    EXPECT_TRUE(offerRecovery(*state, dialogs));
    EXPECT_FALSE(offerRecovery(*state, dialogs));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(RecoveryOfferTest, AnUnreadableFileIsReportedAndKept) {
    test::writeBytes(recoveryFilePath(state->baseDirectory), "not a game");
    EXPECT_FALSE(offerRecovery(*state, dialogs));
    EXPECT_EQ(dialogs.messages(),
              QStringList{cannotReadRecoveryFileMessage + recoveryFilePath(state->baseDirectory)});
    EXPECT_TRUE(fileThere());
}

} // namespace
} // namespace vorleth
