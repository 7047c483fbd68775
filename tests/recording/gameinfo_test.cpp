#include "replay/replaytestbase.h"
#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "import/tableimport.h"
#include "recording/gameinfocontroller.h"
#include "state/contexts.h"
#include "store/workingfiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::RecordingNavigator;
using test::ScriptedDialogs;

// The boxes as the screen would hold them: filled by the controller, typed into by the test.
class FakeGameInfoView : public GameInfoView {
public:
    void setTableEntryMenusVisible(bool visible) override { menusVisible = visible; }
    void fill(const GameInfoLists& l, const GameInfoBoxes& shown) override {
        lists = l;
        typed = shown;
        ++fills;
    }
    GameInfoBoxes boxes() const override { return typed; }

    bool menusVisible = false;
    GameInfoLists lists;
    GameInfoBoxes typed = [] {
        GameInfoBoxes boxes;
        boxes.komi = defaultKomiText;
        return boxes;
    }();
    int fills = 0;
};

class GameInfoTest : public ::testing::Test {
protected:
    GameInfoTest() { state.shell.entryMode = 3; }

    void open() { controller.open(); }
    void type(const QString& gameName, const QString& white, const QString& black) {
        view.typed.gameName = gameName;
        view.typed.whitePlayer = white;
        view.typed.blackPlayer = black;
    }

    test::RecordLibrary library;
    SharedState& state = library.state;
    FakeGameInfoView view;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    GameInfoController controller{gameInfoContext(state), view, dialogs, navigator};
};

TEST_F(GameInfoTest, OpeningOffersTheLibrarysNamesAndShowsTheRecordsFields) {
    library.store(QStringLiteral("棋聖戦"), test::movesOf({{404, "1"}}));
    state.catalogue.reset();
    state.record.game = {QStringLiteral("名人戦"), QStringLiteral("甲"), QString(),
                         QStringLiteral("白中押勝"), QStringLiteral("5.5")};
    state.record.moveCount = 287;
    open();

    EXPECT_EQ(view.lists.gameNames,
              (QStringList{QStringLiteral("全て"), QStringLiteral("棋聖戦")}));
    EXPECT_EQ(view.lists.playerNames, (QStringList{QStringLiteral("全て"), QStringLiteral("山田"),
                                                   QStringLiteral("佐藤")}));
    EXPECT_EQ(view.lists.results, gameInfoResults());
    EXPECT_EQ(view.lists.results.size(), 13);
    EXPECT_EQ(view.lists.results.first(), QStringLiteral("白勝"));
    EXPECT_EQ(view.lists.margins.size(), 30);
    EXPECT_EQ(view.lists.margins.mid(0, 3),
              (QStringList{QStringLiteral("0.5"), QStringLiteral("1.0"), QStringLiteral("1.5")}));
    EXPECT_EQ(view.lists.margins.last(), QStringLiteral("15.0"));
    EXPECT_EQ(view.lists.hundreds, (QStringList{"0", "1", "2", "3"}));
    EXPECT_EQ(view.lists.digits.size(), 10);

    EXPECT_EQ(view.typed.gameName, QStringLiteral("名人戦"));
    EXPECT_EQ(view.typed.whitePlayer, QStringLiteral("甲"));
    EXPECT_TRUE(view.typed.blackPlayer.isEmpty());
    EXPECT_EQ(view.typed.result, QStringLiteral("白中押勝"));
    EXPECT_TRUE(view.typed.margin.isEmpty());
    EXPECT_EQ((QStringList{view.typed.hundreds, view.typed.tens, view.typed.units}),
              (QStringList{"2", "8", "7"}));
    EXPECT_EQ(view.typed.komi, QStringLiteral("5.5")) << "the game's own komi";

    // A game without a komi yet starts with the usual one.
    state.record.game.komi.clear();
    open();
    EXPECT_EQ(view.typed.komi, defaultKomiText);
}

TEST_F(GameInfoTest, TheTableEntryMenusShowOnlyInTableEntry) {
    for (const int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        state.shell.entryMode = mode;
        open();
        EXPECT_EQ(view.menusVisible, mode == 2);
    }
}

TEST_F(GameInfoTest, MoveCountDigits) {
    const struct {
        int moveCount;
        QStringList digits;
    } cases[] = {
        {0, {"0", "0", "0"}},   {7, {"0", "0", "7"}},   {125, {"1", "2", "5"}},
        {287, {"2", "8", "7"}}, {399, {"3", "9", "9"}}, {1234, {"2", "3", "4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moveCount);
        EXPECT_EQ(moveCountDigits(c.moveCount), c.digits);
    }
}

TEST_F(GameInfoTest, NextComposesAWinByPointsWithItsMargin) {
    const struct {
        const char* result;
        const char* margin;
        const char* saved;
    } cases[] = {
        {"白勝", "6.5", "白6目半勝"},       {"白勝", "0.5", "白半目勝"},
        {"白勝", "3.0", "白3目勝"},         {"黒勝", "", "黒勝"},
        {"黒中押勝", "6.5", "黒中押勝"},    {"打掛", "2.5", "打掛"},
        {"黒勝", "１２．５", "黒12目半勝"}, {"白勝", " 7 ", "白7目勝"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        open();
        type(QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"));
        view.typed.result = QString::fromUtf8(c.result);
        view.typed.margin = QString::fromUtf8(c.margin);
        EXPECT_TRUE(controller.next());
        EXPECT_EQ(state.record.game.result, QString::fromUtf8(c.saved));
    }
}

TEST_F(GameInfoTest, EachMissingNameIsAskedForInTurnAndTheResultIsComposedOnce) {
    open();
    view.typed.result = QStringLiteral("白勝");
    view.typed.margin = QStringLiteral("6.5");
    const struct {
        QString gameName, white, black;
        QString message;
    } cases[] = {
        {QString(), QStringLiteral("甲"), QStringLiteral("乙"), gameNameNeededMessage},
        {QStringLiteral("練習碁"), QString(), QStringLiteral("乙"), whitePlayerNeededMessage},
        {QStringLiteral("練習碁"), QStringLiteral("甲"), QString(), blackPlayerNeededMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        state.record.game = {};
        dialogs.shown.clear();
        type(c.gameName, c.white, c.black);
        EXPECT_FALSE(controller.next());
        EXPECT_EQ(dialogs.messages(), QStringList{c.message});
        EXPECT_TRUE(navigator.shown.empty());
    }
    // The box still reads 白勝 and is composed afresh, not on top of the earlier composition.
    EXPECT_EQ(state.record.game.result, QStringLiteral("白6目半勝"));
    type(QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"));
    EXPECT_TRUE(controller.next());
    EXPECT_EQ(state.record.game.result, QStringLiteral("白6目半勝"));
}

TEST_F(GameInfoTest, AnEmptyBoxKeepsTheFieldItHeld) {
    state.record.game = {QStringLiteral("取込碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                         QString(), QStringLiteral("6.5")};
    open();
    type(QString(), QString(), QString());
    view.typed.komi = QStringLiteral("7.5");
    EXPECT_TRUE(controller.next());
    EXPECT_EQ(state.record.game,
              (GameInfo{QStringLiteral("取込碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                        QString(), QStringLiteral("7.5")}));
}

TEST_F(GameInfoTest, TheMoveDigitsSetTheMoveCountUnlessAllAreZero) {
    const struct {
        QStringList digits;
        int moveCount;
    } cases[] = {
        {{"1", "2", "5"}, 125}, {{"0", "0", "0"}, 42}, {{"", "", "9"}, 9},
        {{"5", "0", "0"}, 500}, {{"", "３", ""}, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits.join(u'/').toStdString());
        state.record.moveCount = 42;
        open();
        type(QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"));
        view.typed.hundreds = c.digits[0];
        view.typed.tens = c.digits[1];
        view.typed.units = c.digits[2];
        EXPECT_TRUE(controller.next());
        EXPECT_EQ(state.record.moveCount, c.moveCount);
    }
}

// A margin, komi or move count that is not a number the game can have is told, and "次に"
// changes nothing: no field, no move count, no hand-over.
TEST_F(GameInfoTest, BoxesThatHoldNoNumberOfTheirKindChangeNothing) {
    const struct {
        const char* name;
        const char* margin;
        const char* komi;
        QStringList digits;
        QString message;
    } cases[] = {
        {"margin in letters", "xyz", "6.5", {"1", "2", "0"}, marginNotNumberMessage},
        {"negative margin", "-3", "6.5", {"1", "2", "0"}, marginNotNumberMessage},
        {"margin of a quarter point", "3.25", "6.5", {"1", "2", "0"}, marginNotNumberMessage},
        {"komi in letters", "6.5", "abc", {"1", "2", "0"}, komiNotNumberMessage},
        {"komi with words after it", "6.5", "6.5目", {"1", "2", "0"}, komiNotNumberMessage},
        {"komi of a quarter point", "6.5", "6.75", {"1", "2", "0"}, komiNotNumberMessage},
        {"negative move count", "6.5", "6.5", {"", "", "-5"}, moveCountOutOfRangeMessage()},
        {"two digits in one box", "6.5", "6.5", {"", "12", "0"}, moveCountOutOfRangeMessage()},
        {"a letter for a digit", "6.5", "6.5", {"x", "3", ""}, moveCountOutOfRangeMessage()},
        {"more moves than the table holds",
         "6.5",
         "6.5",
         {"5", "0", "1"},
         moveCountOutOfRangeMessage()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        navigator.clear();
        state.record.game = {QStringLiteral("前の碁"), QStringLiteral("丙"), QStringLiteral("丁"),
                             QStringLiteral("打掛"), QStringLiteral("5.5")};
        state.record.moveCount = 42;
        open();
        type(QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"));
        view.typed.result = QStringLiteral("白勝");
        view.typed.margin = QString::fromUtf8(c.margin);
        view.typed.komi = QString::fromUtf8(c.komi);
        view.typed.hundreds = c.digits[0];
        view.typed.tens = c.digits[1];
        view.typed.units = c.digits[2];
        EXPECT_FALSE(controller.next());
        EXPECT_EQ(dialogs.messages(), QStringList{c.message});
        EXPECT_TRUE(navigator.shown.empty());
        EXPECT_EQ(state.record.game,
                  (GameInfo{QStringLiteral("前の碁"), QStringLiteral("丙"), QStringLiteral("丁"),
                            QStringLiteral("打掛"), QStringLiteral("5.5")}));
        EXPECT_EQ(state.record.moveCount, 42);
    }
    EXPECT_EQ(moveCountOutOfRangeMessage(),
              QStringLiteral("手数は 0 から 500 までの数で入力してください"));

    // "戻る" does not take a move count the table cannot hold either.
    dialogs.shown.clear();
    view.typed.units = QStringLiteral("-5");
    EXPECT_FALSE(controller.back());
    EXPECT_EQ(dialogs.messages(), QStringList{moveCountOutOfRangeMessage()});
    EXPECT_EQ(state.record.moveCount, 42);
}

TEST_F(GameInfoTest, TheKomiTakesWholeAndHalfPointsReverseKomiAndFullWidthDigits) {
    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {
        {"6.5", "6.5"}, {"0", "0"},  {"-6.5", "-6.5"}, {"５．５", "5.5"},
        {" 7 ", "7"},   {"+3", "3"}, {"7.0", "7.0"},   {"", "5.5"}, // empty keeps the komi
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.shown.clear();
        state.record.game.komi = QStringLiteral("5.5");
        open();
        type(QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"));
        view.typed.komi = QString::fromUtf8(c.typed);
        EXPECT_TRUE(controller.next());
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(state.record.game.komi, QString::fromUtf8(c.kept));
    }
}

TEST_F(GameInfoTest, NextLeadsToTheBoardOrTheTable) {
    const struct {
        int entryMode;
        int moveCount;
        std::optional<ScreenId> next;
    } cases[] = {
        {3, 0, ScreenId::BoardRecording},
        {3, 120, ScreenId::BoardRecording},
        {2, 120, ScreenId::TableEntry},
        {2, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entryMode * 1000 + c.moveCount);
        navigator.clear();
        dialogs.shown.clear();
        state.shell.entryMode = c.entryMode;
        state.record.moveCount = 0;
        open();
        type(QStringLiteral("二子局"), QStringLiteral("甲"), QStringLiteral("乙"));
        const QStringList digits = moveCountDigits(c.moveCount);
        view.typed.hundreds = digits[0];
        view.typed.tens = digits[1];
        view.typed.units = digits[2];
        EXPECT_EQ(controller.next(), c.next.has_value());
        EXPECT_EQ(navigator.lastShown(), c.next);
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(state.board.play.pendingHandicap, 2);
        if (c.next == ScreenId::BoardRecording) {
            EXPECT_EQ(navigator.calls.back().handover, Handover{}) << "a fresh game";
        }
    }
}

TEST_F(GameInfoTest, BackKeepsWhatWasTypedAndReturnsToTheMainMenu) {
    state.record.game.result = QStringLiteral("打掛");
    open();
    type(QStringLiteral("練習碁"), QString(), QStringLiteral("乙"));
    view.typed.result = QStringLiteral("白勝");
    view.typed.margin = QStringLiteral("6.5");
    view.typed.hundreds = QStringLiteral("0");
    view.typed.tens = QStringLiteral("0");
    view.typed.units = QStringLiteral("0");
    state.record.moveCount = 50;
    EXPECT_TRUE(controller.back());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_TRUE(dialogs.shown.empty()) << "nothing is checked";
    EXPECT_EQ(state.record.game.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(state.record.game.result, QStringLiteral("白勝")) << "no margin composed";
    EXPECT_EQ(state.record.moveCount, 0) << "the digit boxes say 0";
}

TEST_F(GameInfoTest, RecallingTheLastEntryFillsTheBoxesTheTableAndTheDiagramGrid) {
    state.shell.entryMode = 2;
    state.record.game.gameName = QStringLiteral("練習碁");
    state.record.moveCount = 3;
    state.table.tableMoves[1] = 1604;
    state.table.tableMoves[2] = 1717;
    state.table.tableMoves[3] = 0;
    ASSERT_TRUE(writeWorkingEntry(state.baseDirectory, state.record, state.table).ok);
    state.record = {};
    state.table.tableMoves.fill(0);
    state.table.diagramGrid[10][10] = 77; // left from another diagram
    state.board.moves = test::movesOf({{404, "1"}});
    state.board.play.appliedCount = 1;
    open();
    const int fills = view.fills;

    controller.recallLastEntry();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(view.fills, fills + 1) << "the opening is repeated";
    EXPECT_EQ(view.typed.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(view.typed.units, QStringLiteral("3"));
    EXPECT_TRUE(state.table.tablePrefilled);
    EXPECT_EQ(state.table.tableMoves[2], 1717);
    EXPECT_EQ(state.table.diagramGrid[16][4], 1);
    EXPECT_EQ(state.table.diagramGrid[17][17], 2);
    EXPECT_EQ(state.table.diagramGrid[10][10], 0);
    EXPECT_EQ(state.board.moves.length(), 0);
    EXPECT_EQ(state.board.play.appliedCount, 0);
}

// "前回入力の再現" after an SGF import: the recalled entry is the user's own diagram. The file is
// not imported again over it, the repeated plays are those of 棋譜.ENT2 (the import's pairs
// go), and there is no import source left to offer for deletion.
TEST_F(GameInfoTest, RecallingAfterAnImportGivesTheEntryOfTheWorkingFiles) {
    state.shell.entryMode = 2;
    state.record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                         QStringLiteral("白中押勝"), QStringLiteral("6.5")};
    state.record.moveCount = 3;
    state.table.tableMoves[1] = 1604;
    state.table.tableMoves[2] = 1717;
    state.table.tableMoves[3] = 1604; // a working file naming a point twice: move 1 keeps it
    ASSERT_TRUE(writeWorkingEntry(state.baseDirectory, state.record, state.table).ok);
    state.table.repeatedPlays = {{3, 1}};
    ASSERT_TRUE(writeRepeatedPlays(state.baseDirectory, state.table).ok);
    state.record = {};
    state.table = {};

    state.import.importSourcePath = QStringLiteral(VORLETH_TEST_DATA "/import/ko-game.sgf");
    open();
    ASSERT_EQ(view.typed.gameName, QStringLiteral("コウの練習"));
    ASSERT_TRUE(state.import.yahooImportFlag);
    ASSERT_FALSE(state.table.repeatedPlays.isEmpty());
    dialogs.shown.clear();

    controller.recallLastEntry();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(state.import.importSourcePath.isEmpty());
    EXPECT_FALSE(state.import.yahooImportFlag) << "the repeated plays are read from 棋譜.ENT2";
    EXPECT_TRUE(state.table.repeatedPlays.isEmpty()) << "the import's pairs are gone";
    EXPECT_EQ(view.typed.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(state.record.moveCount, 3);
    std::vector<std::pair<int, int>> grid;
    for (int column = 0; column < 20; ++column) {
        for (int row = 0; row < 20; ++row) {
            if (state.table.diagramGrid[column][row] != 0)
                grid.emplace_back(column * 100 + row, state.table.diagramGrid[column][row]);
        }
    }
    EXPECT_EQ(grid, (std::vector<std::pair<int, int>>{{1604, 1}, {1717, 2}}));

    // Opening the screen again shows the recalled entry, not the file once more.
    open();
    EXPECT_EQ(view.typed.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(state.table.tableMoves[2], 1717);
}

TEST_F(GameInfoTest, RecallingWithoutAWorkingEntrySaysSoAndChangesNothing) {
    state.shell.entryMode = 2;
    state.record.game.gameName = QStringLiteral("今の碁");
    open();
    const int fills = view.fills;
    controller.recallLastEntry();
    EXPECT_EQ(dialogs.messages(), QStringList{noWorkingEntryMessage});
    EXPECT_EQ(view.fills, fills);
    EXPECT_EQ(state.record.game.gameName, QStringLiteral("今の碁"));
    EXPECT_FALSE(state.table.tablePrefilled);
}

// The import menus in table entry: the SGF chooser takes over for a file; pasted mail text
// fills the boxes at once; and an opening while an import source is set imports it.
TEST_F(GameInfoTest, TheImportsFillTheGameAndHelpIsCodeNine) {
    state.shell.entryMode = 2;
    open();
    EXPECT_TRUE(controller.importSgfFile());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::SgfChooser});

    const int fills = view.fills;
    controller.importPastedText(QString(), false);
    EXPECT_EQ(dialogs.messages(), (QStringList{QString(), copyMailMessage}));
    EXPECT_EQ(view.fills, fills) << "nothing imported, nothing shown anew";

    dialogs.shown.clear();
    QFile mail(QStringLiteral(VORLETH_TEST_DATA "/import/mail.txt"));
    ASSERT_TRUE(mail.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(mail.readAll());
    controller.importPastedText(text, true);
    EXPECT_EQ(dialogs.messages().value(0), text) << "the text is shown first, as it was pasted";
    EXPECT_EQ(view.fills, fills + 1);
    EXPECT_EQ(view.typed.gameName, yahooGameName);
    EXPECT_EQ(view.typed.blackPlayer, QStringLiteral("甲"));
    EXPECT_EQ(view.typed.whitePlayer, QStringLiteral("乙"));
    EXPECT_EQ(state.table.tableMoves[1], 1604);
    EXPECT_TRUE(state.table.tablePrefilled);

    // The chooser chose a file and opened this screen again: the opening imports it.
    dialogs.shown.clear();
    state.import.importSourcePath = QStringLiteral(VORLETH_TEST_DATA "/import/ko-game.sgf");
    open();
    EXPECT_EQ(view.typed.gameName, QStringLiteral("コウの練習"));
    EXPECT_EQ(view.typed.blackPlayer, QStringLiteral("黒田 次郎"));
    EXPECT_EQ(state.record.game.komi, QStringLiteral("6.5"));
    EXPECT_TRUE(state.import.yahooImportFlag);

    controller.showHelp();
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::gameInfo);
}

} // namespace
} // namespace vorleth
