#include "shell/startup.h"
#include "state/sharedstate.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::readBytes;
using test::touch;
using test::writeBytes;

const QString installGuide = QStringLiteral("qrc:/site/Vorleth/installsetsumei/install.html");

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        base = QDir(m_temp.path()).filePath(QStringLiteral("Vorleth"));
    }
    QString path(const QString& name) const { return QDir(base).filePath(name); }

    QTemporaryDir m_temp;
    QString base;
};

TEST_F(StartUpTest, FirstRunCreatesEverythingAndChoosesTheInstallationGuide) {
    SharedState state(base);
    const StartUpOutcome outcome = startUp(state);

    for (const char* name : {"", "SGF", "Pelloq", "Pelloq写真"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(QFileInfo(path(QString::fromUtf8(name))).isDir());
    }
    EXPECT_TRUE(outcome.firstRun);
    EXPECT_TRUE(outcome.openBrowser);
    EXPECT_EQ(state.shell.browserStartAddress, installGuide);

    // "<base>/Pelloq,<base>/Pelloq写真, 0 , 0 , 0 , 0 , 0 , 0 " in Windows-31J.
    const QByteArray b = base.toUtf8(); // an ASCII temporary path
    EXPECT_EQ(readBytes(path(QStringLiteral("棋譜.dev"))),
              b + "/Pelloq," + b + "/Pelloq\x8e\xca\x90\x5e, 0 , 0 , 0 , 0 , 0 , 0 \r\n");
    EXPECT_EQ(state.settings.recordDirectory, path(QStringLiteral("Pelloq")));
    EXPECT_EQ(state.settings.photoDirectory, path(QStringLiteral("Pelloq写真")));
    EXPECT_EQ(state.settings.screenSize, 0);
    EXPECT_FALSE(state.geometry.large());
    EXPECT_EQ(state.geometry.cellSize, 250);
}

TEST_F(StartUpTest, LaterRunReadsTheSettingsBackWithoutTheGuide) {
    {
        SharedState first(base);
        startUp(first);
    }
    // Settings as the setup and screen-size screens leave them.
    const QByteArray line = "/srv/games,PASS, 800 , 0 , 0 , 0 , 0 , 0 \r\n";
    writeBytes(path(QStringLiteral("棋譜.dev")), line);

    SharedState state(base);
    const StartUpOutcome outcome = startUp(state);
    EXPECT_FALSE(outcome.firstRun);
    EXPECT_FALSE(outcome.openBrowser);
    EXPECT_TRUE(state.shell.browserStartAddress.isEmpty());
    EXPECT_EQ(state.settings.recordDirectory, QStringLiteral("/srv/games"));
    EXPECT_EQ(state.settings.photoDirectory, QStringLiteral("PASS"));
    EXPECT_EQ(state.settings.screenSize, 800);
    EXPECT_TRUE(state.geometry.large());
    EXPECT_EQ(readBytes(path(QStringLiteral("棋譜.dev"))), line);
}

TEST_F(StartUpTest, AnyDirectoryAlreadyThereMeansNoFirstRun) {
    for (const char* existing : {"", "SGF", "Pelloq", "Pelloq写真"}) {
        SCOPED_TRACE(existing);
        QTemporaryDir temp;
        const QString b = QDir(temp.path()).filePath(QStringLiteral("Vorleth"));
        ASSERT_TRUE(QDir().mkpath(QDir(b).filePath(QString::fromUtf8(existing))));
        SharedState state(b);
        const StartUpOutcome outcome = startUp(state);
        EXPECT_FALSE(outcome.firstRun);
        EXPECT_TRUE(state.shell.browserStartAddress.isEmpty());
        EXPECT_TRUE(QFileInfo(QDir(b).filePath(QStringLiteral("Pelloq写真"))).isDir());
    }
}

TEST_F(StartUpTest, AnUnwritableSettingsFileDoesNotStopStartUp) {
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("棋譜.dev"))));
    SharedState state(base);
    state.settings.screenSize = 800;
    const StartUpOutcome outcome = startUp(state);
    EXPECT_TRUE(outcome.settingsRead.rewritten);
    EXPECT_FALSE(outcome.settingsRead.rewrite.ok);
    EXPECT_EQ(state.settings.recordDirectory, path(QStringLiteral("Pelloq")));
    EXPECT_TRUE(state.geometry.large());
}

TEST_F(StartUpTest, ClearsSortDirectionsImportStateAndCurrentRecord) {
    SharedState state(base);
    state.recordList.sortDirectionFlags.fill(true);
    state.import.importSourcePath = QStringLiteral("/tmp/a.sgf");
    state.import.yahooImportFlag = true;
    state.record.fileName = QStringLiteral("x");
    state.record.selectedIndex = 3;
    startUp(state);
    for (bool flag : state.recordList.sortDirectionFlags)
        EXPECT_FALSE(flag);
    EXPECT_TRUE(state.import.importSourcePath.isEmpty());
    EXPECT_FALSE(state.import.yahooImportFlag);
    EXPECT_TRUE(state.record.fileName.isEmpty());
    EXPECT_EQ(state.record.selectedIndex, 0);
}

// Every value the reset touches, and a few it must leave alone, set to something non-initial.
void dirty(SharedState& state) {
    state.record = CurrentRecord{QStringLiteral("f"),
                                 {QStringLiteral("g"), QStringLiteral("w"), QStringLiteral("b"),
                                  QStringLiteral("r"), QStringLiteral("6.5")},
                                 120,
                                 7};
    for (int i = 0; i < 5; ++i)
        state.catalogue.append(RecordMetadata{});
    state.catalogue.gameNames = QStringList{QStringLiteral("全て"), QStringLiteral("x")};
    state.catalogue.playerNames = QStringList{QStringLiteral("全て"), QStringLiteral("y")};
    state.board.play.placementMode = 2;
    state.board.play.pendingHandicap = 4;
    state.board.play.lastMover = QStringLiteral("1");
    state.board.play.appliedCount = 9;
    state.board.play.nextMoveNumber = 10;
    state.board.play.prisonersWhite = 3;
    state.board.play.prisonersBlack = 2;
    state.board.moves.append({1604, QStringLiteral("1")});
    state.table.diagramGrid[4][5] = 11;
    state.counting.skipSaveQuestion = true;
    state.table.tablePosition = 40;
    state.table.tablePrefilled = true;
    state.table.tableMoves[1] = 1604;
    state.table.tableMoves[500] = 404;
    state.settings = Settings{QStringLiteral("/r"), QStringLiteral("/p/"), 800};
    state.shell.entryMode = 2;
    state.shell.slideshowIndex = 3;
    state.recordList.gameNameFilter = QStringList{QStringLiteral("棋")};
    state.recordList.playerFilter = QStringList{QStringLiteral("甲")};
    state.recordList.sortMode = 6;
    state.replay.stepInterval = 1500;
    state.replay.beepCount = 2;
    state.replay.gridDrawn = true;
    // A problem record switched the replay to click by click.
    state.replay.replayMode = 3;
    state.replay.stopMoveNumber = 60;
}

void expectCurrentStateReset(const SharedState& state) {
    EXPECT_TRUE(state.record.fileName.isEmpty());
    EXPECT_EQ(state.record.game, GameInfo{});
    EXPECT_EQ(state.record.moveCount, 0);
    EXPECT_EQ(state.record.selectedIndex, 0);
    EXPECT_EQ(state.board.play.placementMode, 0);
    EXPECT_EQ(state.board.play.pendingHandicap, 0);
    EXPECT_TRUE(state.board.play.lastMover.isEmpty());
    EXPECT_FALSE(state.counting.skipSaveQuestion) << "a new game is asked about again";
    EXPECT_EQ(state.table.tablePosition, 0);
    EXPECT_FALSE(state.table.tablePrefilled);
    // The next ordinary game steps by itself again instead of waiting for clicks.
    EXPECT_EQ(state.replay.replayMode, 0);
    EXPECT_EQ(state.replay, ReplaySettings{});
}

TEST_F(StartUpTest, ResetCurrentStateKeepsSettingsEntryModeAndMoves) {
    SharedState state(base);
    dirty(state);
    resetCurrentState(state);

    expectCurrentStateReset(state);
    EXPECT_EQ(state.catalogue.count(), 0);
    EXPECT_TRUE(state.catalogue.gameNames.isEmpty());
    EXPECT_TRUE(state.catalogue.playerNames.isEmpty());

    EXPECT_EQ(state.settings.recordDirectory, QStringLiteral("/r"));
    EXPECT_EQ(state.settings.screenSize, 800);
    EXPECT_EQ(state.shell.entryMode, 2);
    EXPECT_EQ(state.board.moves.length(), 1);
    EXPECT_EQ(state.board.play.appliedCount, 9);
    EXPECT_EQ(state.table.tableMoves[1], 1604);
}

class MainActionTest : public StartUpTest {
protected:
    void SetUp() override {
        StartUpTest::SetUp();
        recordDirectory = path(QStringLiteral("games"));
        ASSERT_TRUE(QDir().mkpath(recordDirectory));
        touch(QDir(recordDirectory)
                  .filePath(QStringLiteral("対局名（棋聖戦）白番（甲）黒番（乙）.igo")));
        touch(QDir(recordDirectory)
                  .filePath(QStringLiteral("対局名（本因坊戦）白番（丙）黒番（丁）.IGO")));
        touch(QDir(recordDirectory).filePath(QStringLiteral("notes.txt")));
    }
    SharedState prepared() {
        SharedState state(base);
        dirty(state);
        state.settings.recordDirectory = recordDirectory;
        return state;
    }
    void expectCatalogueRebuilt(const SharedState& state) {
        ASSERT_EQ(state.catalogue.count(), 2);
        // Catalogue order: file names ascending.
        EXPECT_EQ(state.catalogue.gameNames,
                  (QStringList{QStringLiteral("全て"), QStringLiteral("本因坊戦"),
                               QStringLiteral("棋聖戦")}));
        EXPECT_TRUE(state.catalogue.playerNames.isEmpty());
    }
    QString recordDirectory;
};

TEST_F(MainActionTest, BrowseAfterATableEntryStartsUnfiltered) {
    SharedState state = prepared();
    ASSERT_TRUE(prepareTableEntry(state));
    prepareBrowse(state);

    EXPECT_EQ(state.shell.entryMode, 1);
    EXPECT_TRUE(state.recordList.gameNameFilter.isEmpty());
    EXPECT_TRUE(state.recordList.playerFilter.isEmpty());
    EXPECT_EQ(state.recordList.sortMode, 0);
    EXPECT_EQ(state.board.moves.length(), 0);
    EXPECT_EQ(state.board.play.appliedCount, 0);
    EXPECT_EQ(state.board.play.nextMoveNumber, 0);
    EXPECT_EQ(state.board.play.prisonersWhite, 0);
    EXPECT_EQ(state.board.play.prisonersBlack, 0);
    // The replay settings are back to their defaults; the list and the replay set the
    // interval and the beeps again as they open.
    EXPECT_EQ(state.replay, ReplaySettings{});
    EXPECT_EQ(state.shell.slideshowIndex, 0);
    expectCurrentStateReset(state);
    // The record list scans as it opens; browsing leaves the catalogue cleared for it.
    EXPECT_EQ(state.catalogue.count(), 0);
    EXPECT_EQ(state.settings.screenSize, 800);
}

TEST_F(MainActionTest, TableEntryClearsTheDiagramGridAndMoves) {
    SharedState state = prepared();
    ASSERT_TRUE(prepareTableEntry(state));
    EXPECT_EQ(state.shell.entryMode, 2);
    for (const auto& column : state.table.diagramGrid)
        for (auto stamp : column)
            ASSERT_EQ(stamp, 0);
    for (int m = 0; m <= 500; ++m)
        ASSERT_EQ(state.table.tableMoves[m], 0) << m;
    expectCurrentStateReset(state);
    expectCatalogueRebuilt(state);
    // Filters belong to the record list; only browsing clears them.
    EXPECT_EQ(state.recordList.gameNameFilter.size(), 1);
}

TEST_F(MainActionTest, BoardEntryKeepsTheTableAndMoveList) {
    SharedState state = prepared();
    ASSERT_TRUE(prepareBoardEntry(state));
    EXPECT_EQ(state.shell.entryMode, 3);
    EXPECT_EQ(state.table.tableMoves[1], 1604);
    EXPECT_EQ(state.board.moves.length(), 1);
    expectCurrentStateReset(state);
    expectCatalogueRebuilt(state);
}

TEST_F(MainActionTest, AMissingRecordDirectoryIsReported) {
    SharedState state = prepared();
    state.settings.recordDirectory = path(QStringLiteral("nowhere"));
    EXPECT_FALSE(prepareBoardEntry(state));
    EXPECT_EQ(state.shell.entryMode, 3);
}

} // namespace
} // namespace vorleth
