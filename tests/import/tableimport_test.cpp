#include "import/tableimport.h"
#include "import/tableimporttest.h"
#include "support/scripteddialogs.h"

#include "import/sgfimport.h"
#include "store/library.h"

#include <QDateTime>
#include <QDir>

#include <optional>

namespace vorleth {
namespace {

using namespace test;

// --- importSgf -------------------------------------------------------------------------------

TEST_F(TableImportTest, YahooLayoutFileFillsTheTableEntry) {
    const QString path = sourceFrom("yahoo-layout.sgf");
    const Outcome outcome = importSgf(target());
    EXPECT_TRUE(outcome.ok);
    // The file names no character set: the user is told which one its names were read in.
    EXPECT_EQ(outcome.messages, QStringList{importNotesMessage(
                                    {}, {utf8("文字コードを Shift_JIS と推定して読みました")})});

    EXPECT_EQ(record.game.blackPlayer, utf8("黒太郎"));
    EXPECT_EQ(record.game.whitePlayer, utf8("白花子"));
    EXPECT_EQ(record.game.gameName, utf8("第1局"));
    EXPECT_EQ(record.game.komi, QStringLiteral("6.5"));
    EXPECT_EQ(record.game.result, utf8("白勝")); // the layout has no result
    expectFilledAsImport(3);
    EXPECT_EQ(tableCodes(table, 3), (std::vector<int>{1604, 416, 1616}));
    // The stale grid is gone: only the three points carry numbers.
    EXPECT_EQ(gridEntries(table),
              (std::vector<std::pair<int, int>>{{416, 2}, {1604, 1}, {1616, 3}}));
    EXPECT_TRUE(table.repeatedPlays.isEmpty());
    EXPECT_EQ(source.importSourcePath, path); // kept for the deletion question
}

TEST_F(TableImportTest, StandardFileGivesTheMainLineAndItsRepeatedPlays) {
    sourceFrom("ko-game.sgf");
    const Outcome outcome = importSgf(target());
    EXPECT_TRUE(outcome.ok);
    // The passes that end the game need no word; the variation left out does.
    EXPECT_EQ(outcome.messages,
              QStringList{importNotesMessage(
                  {}, {QStringLiteral("1 variation(s) beside the main line ignored")})});

    EXPECT_EQ(record.game, (GameInfo{utf8("コウの練習"), utf8("白川 太郎"), utf8("黒田 次郎"),
                                     utf8("黒中押勝"), QStringLiteral("6.5")}));
    expectFilledAsImport(18);
    EXPECT_EQ(tableCodes(table, 18),
              (std::vector<int>{304, 503, 403, 505, 405, 604, 1616, 404, 504, 1604, 1010, 404, 1610,
                                410, 504, 416, 404, 1717}));
    // A point played again names the first move there, however often it is played.
    EXPECT_EQ(table.repeatedPlays, (QVector<RepeatedPlay>{{12, 8}, {15, 9}, {17, 8}}));
    EXPECT_EQ(table.diagramGrid[4][4], 8);
    EXPECT_EQ(table.diagramGrid[5][4], 9);
    EXPECT_EQ(gridEntries(table).size(), 15u);
}

TEST_F(TableImportTest, RefusedFilesChangeNothing) {
    QString moves501;
    for (int n = 0; n < 501; ++n)
        moves501 += n % 2 ? QStringLiteral(";W[dp]") : QStringLiteral(";B[pd]");
    const struct {
        const char* name;
        std::optional<QByteArray> bytes; // nothing: no file at all
        bool directory;
        QString message; // empty: the missing-file message with the path
    } cases[] = {
        {"missing file", std::nullopt, false, {}},
        {"directory (取込み実行 without a file)", std::nullopt, true, {}},
        {"empty file", QByteArray(), false, noMovesMessage},
        {"text that is not SGF", "PB[x]\r\nno moves here\r\n", false, noMovesMessage},
        {"more than 500 moves", ("(;GM[1]" + moves501 + ")").toUtf8(), false, tooManyMovesMessage},
        {"board of 13 x 13", "(;SZ[13];B[dd];W[jj])", false,
         unreadableSgfMessage(QStringLiteral("board size 13 x 13: only 19 x 19 can be recorded"))},
        {"broken standard file", "(;GM[1];B[pd];W[zz])", false,
         unreadableSgfMessage(QStringLiteral("move 2 has the invalid point W[zz] at line 1"))},
        {"first move of the layout unreadable", "B[zz]\r\nW[dp]\r\n", false,
         badSgfPointMessage(QStringLiteral("B[zz]"), 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString path = m_dir.filePath(QStringLiteral("none.sgf"));
        if (c.directory)
            path = m_dir.path() + u'/';
        else if (c.bytes)
            path = sourceWith(*c.bytes);
        source.importSourcePath = path;

        const Outcome outcome = importSgf(target());
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.messages,
                  QStringList{c.message.isEmpty() ? missingSourceMessage(path) : c.message});
        expectUntouched();
        // A refused file is no import source: opening the game information again does not
        // repeat the message, and no deletion is offered for it.
        EXPECT_TRUE(source.importSourcePath.isEmpty());
    }
    EXPECT_EQ(missingSourceMessage(QStringLiteral("C:\\Vorleth\\SGF\\")),
              utf8("C:\\Vorleth\\SGF\\YAHOOファイルがありません"));
}

// From the source to a saved record, past the question about the source file: the board
// places the imported moves in turn, as it does with a diagram entry.
TEST_F(TableImportTest, RoadsFromTheSourceToASavedRecord) {
    const struct {
        const char* name;
        const char* fixture;
        bool mail;
        bool sameAsCliImport; // standard SGF: the board's game is the one vorleth-cli imports
    } cases[] = {
        {"standard SGF with a ko", "ko-game.sgf", false, true},
        {"standard SGF with a handicap", "handicap-game.sgf", false, true},
        {"Yahoo! layout", "yahoo-layout.sgf", false, false},
        {"mail text", "mail.txt", true, false},
    };
    int saved = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        record = {};
        table = {};
        board = {};
        source = {};
        QString path;
        if (c.mail) {
            const QString text = QString::fromUtf8(test::readBytes(fixture(c.fixture)));
            ASSERT_TRUE(importMailText(text, true, target()).ok);
        } else {
            path = sourceFrom(c.fixture);
            ASSERT_TRUE(importSgf(target()).ok);
        }

        BoardModel placed;
        handicapFromGameName(placed, record.game.gameName);
        if (placed.play.pendingHandicap > 0)
            placeHandicapStones(placed); // white moves first then
        for (int n = 1; n <= record.moveCount; ++n) {
            const Point p = Point::fromCode(table.tableMoves[n]);
            ASSERT_EQ(placed.board.cell(p), Board::Empty) << "move " << n;
            ASSERT_EQ(playStone(placed, p).result, PlayResult::Played) << "move " << n;
        }
        if (c.sameAsCliImport) {
            const Result<SgfImport> cli = importSgfFile(path);
            ASSERT_TRUE(cli.ok) << cli.error();
            EXPECT_EQ(placed.moves, cli.games.first().moves);
        }

        const QString directory = m_dir.filePath(QStringLiteral("records"));
        ASSERT_TRUE(QDir().mkpath(directory));
        Catalogue catalogue;
        record.game.result = QStringLiteral("黒中押勝");
        const QDateTime now(QDate(2024, 5, 6), QTime(10, 0, saved++));
        ASSERT_TRUE(saveRecord(directory, catalogue, record, placed.moves, now).ok);
        EXPECT_TRUE(
            QFile::exists(QDir(directory).filePath(record.fileName + QStringLiteral(".IGO"))));

        test::ScriptedDialogs dialogs;
        dialogs.answers = {Dialogs::Answer::Yes};
        offerSourceDeletion(source, dialogs);
        if (c.mail) {
            EXPECT_TRUE(dialogs.shown.empty()); // there is no source file
        } else {
            EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
            EXPECT_FALSE(QFile::exists(path));
            EXPECT_TRUE(source.importSourcePath.isEmpty());
        }
    }
}

// --- the Yahoo! layout, item by item -----------------------------------------------------------

TEST(SgfItems, MovesPropertiesAndTheirEnds) {
    const struct {
        const char* name;
        const char* text;
        std::vector<int> moves;
        const char* message; // "" for none
        GameInfo game;
    } cases[] = {
        {"without GN the default name",
         "PB[甲]\nPW[乙]\nB[pd]\n",
         {1604},
         "",
         {yahooGameName, utf8("乙"), utf8("甲"), {}, {}}},
        {"an empty GN keeps the default",
         "GN[]\nB[pd]\n",
         {1604},
         "",
         {yahooGameName, {}, {}, {}, {}}},
        {"a later property wins",
         "PB[甲]\nKM[0.5]\nPB[丙]\nKM[6.5]\nB[dp]\n",
         {416},
         "",
         {yahooGameName, {}, utf8("丙"), {}, QStringLiteral("6.5")}},
        {"several properties in one item",
         "(;GM[1]PB[甲]PW[乙]GN[棋聖戦]\nB[aa]\n",
         {101},
         "",
         {utf8("棋聖戦"), utf8("乙"), utf8("甲"), {}, {}}},
        {"items end at commas, blanks around them dropped",
         "  PB[甲] , B[pd],W[dp]  \n",
         {1604, 416},
         "",
         {yahooGameName, {}, utf8("甲"), {}, {}}},
        {"a double quote encloses an item",
         "\"PB[甲,乙]\"\n\"B[ss]\"\n",
         {1919},
         "",
         {yahooGameName, {}, utf8("甲,乙"), {}, {}}},
        {"a tag without its bracket drops the item's last character",
         "PB[黒太郎\nB[pd]\n",
         {1604},
         "",
         {yahooGameName, {}, utf8("黒太"), {}, {}}},
        {"a move after a node separator is no move",
         ";B[pd]\nB[dp]\n",
         {416},
         "",
         {yahooGameName, {}, {}, {}, {}}},
        {"two moves of one colour end the reading",
         "B[pd]\nB[dp]\nW[pp]\n",
         {1604},
         "2手目で黒と白が交互でなくなるため、1手目までを取り込みました",
         {yahooGameName, {}, {}, {}, {}}},
        {"handicap stones: white moves first",
         "HA[2]\nAB[pp][dd]\nW[pd]\nB[dp]\n",
         {1604, 416},
         "",
         {utf8("２子Yahoo!ゲーム 囲碁"), {}, {}, {}, {}}},
        {"handicap stones one item each",
         "AB[pp]\nAB[dd]\nW[pd]\n",
         {1604},
         "",
         {utf8("２子Yahoo!ゲーム 囲碁"), {}, {}, {}, {}}},
        {"the result in the program's words",
         "RE[W+R (130 moves)]\nB[pd]\n",
         {1604},
         "",
         {yahooGameName, {}, {}, utf8("白中押勝"), {}}},
        {"tt is a pass that ends the reading",
         "B[pd]\nW[tt]\nB[dp]\nPB[甲]\n",
         {1604},
         "",
         {yahooGameName, {}, {}, {}, {}}},
        {"an empty value is a pass too",
         "B[pd]\nW[]\nB[dp]\n",
         {1604},
         "",
         {yahooGameName, {}, {}, {}, {}}},
        {"a letter outside a..s ends it with a message",
         "B[pd]\nW[zz]\nB[dp]\n",
         {1604},
         "W[zz]0#0",
         {yahooGameName, {}, {}, {}, {}}},
        {"upper case is outside",
         "B[pd]\nW[DP]\n",
         {1604},
         "W[DP]0#0",
         {yahooGameName, {}, {}, {}, {}}},
        {"one letter is no point",
         "B[pd]\nW[p]\n",
         {1604},
         "W[p]16#16",
         {yahooGameName, {}, {}, {}, {}}},
        {"no closing bracket: the rest of the item",
         "B[pd\nW[dpx\n",
         {1604},
         "W[dpx4#0",
         {yahooGameName, {}, {}, {}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SgfItems items = readSgfItems(utf8(c.text));
        EXPECT_TRUE(items.hasMoveItems);
        EXPECT_TRUE(items.import.outcome.ok);
        EXPECT_EQ(codes(items.import.moves), c.moves);
        EXPECT_EQ(items.import.outcome.messages,
                  *c.message ? QStringList{utf8(c.message)} : QStringList{});
        EXPECT_EQ(items.import.game, c.game);
    }
}

// The layout's moves in turn, in a corner ko taken back and forth: length moves in all.
QString koFight(int length) {
    QString text;
    const char* opening[] = {"B[ba]", "W[ca]", "B[ab]", "W[bb]",
                             "B[bc]", "W[db]", "B[jj]", "W[cc]"};
    for (int n = 0; n < length; ++n) {
        text += n < 8 ? QString::fromLatin1(opening[n])
                      : QString::fromLatin1(n % 2 == 0 ? "B[cb]" : "W[bb]");
        text += u'\n';
    }
    return text;
}

TEST(SgfItems, FiveHundredMovesAndNoMore) {
    const QString text = koFight(500);
    SgfItems items = readSgfItems(text);
    EXPECT_TRUE(items.import.outcome.ok);
    EXPECT_EQ(items.import.moves.size(), 500);

    items = readSgfItems(text + QStringLiteral("W[dp]\n"));
    EXPECT_FALSE(items.import.outcome.ok);
    EXPECT_EQ(items.import.outcome.messages, QStringList{tooManyMovesMessage});
    EXPECT_TRUE(items.import.moves.isEmpty());

    EXPECT_FALSE(readSgfItems(QStringLiteral("PB[甲]\n;B[pd]\n")).hasMoveItems);
}

// --- standard SGF ------------------------------------------------------------------------------

TEST(StandardSgf, ColoursHandicapsAndWhereTheReadingStops) {
    const struct {
        const char* name;
        const char* sgf;
        std::vector<int> moves;
        QString message; // empty for none
        const char* gameName = "Yahoo!ゲーム 囲碁";
    } cases[] = {
        {"several moves a line", "(;GN[対局];B[pd];W[dp];B[pp])", {1604, 416, 1616}, {}, "対局"},
        {"EV names a game without GN", "(;EV[本因坊戦];B[pd])", {1604}, {}, "本因坊戦"},
        {"a pass in the middle",
         "(;B[pd];W[];B[dp];W[dd])",
         {1604},
         stoppedMessage(StopReason::Pass, 2)},
        {"tt is a pass as well",
         "(;B[pd];W[dp];B[tt];W[dd])",
         {1604, 416},
         stoppedMessage(StopReason::Pass, 3)},
        {"two moves of one colour",
         "(;B[pd];W[dp];W[dd];B[pp])",
         {1604, 416},
         stoppedMessage(StopReason::SameColour, 3)},
        {"passes at the end need no word", "(;B[pd];W[dp];B[];W[tt])", {1604, 416}, {}},
        {"a handicap on the program's points: white first",
         "(;HA[2]AB[pp][dd];W[pd];B[dp];W[qf])",
         {1604, 416, 1706},
         {},
         "２子Yahoo!ゲーム 囲碁"},
        {"a name announcing the handicap keeps it",
         "(;GN[三子局]AB[pp][dd][dp];W[pd])",
         {1604},
         {},
         "三子局"},
        {"an even game named like a handicap",
         "(;GN[二子の研究];B[pd])",
         {1604},
         {},
         "互先二子の研究"},
        {"the first game of two", "(;B[pd])(;B[dd])", {1604}, firstGameOnlyMessage(2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableImport import = readSgfForTable(QByteArray(c.sgf));
        EXPECT_TRUE(import.outcome.ok) << import.outcome.messages.join(u'\n');
        EXPECT_EQ(codes(import.moves), c.moves);
        EXPECT_EQ(import.outcome.messages,
                  c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(import.game.gameName, utf8(c.gameName));
    }
}

TEST(StandardSgf, GamesTheBoardCannotPlaceAreRefused) {
    const struct {
        const char* name;
        const char* sgf;
        QString message;
    } cases[] = {
        {"an even game white begins", "(;W[pd];B[dp])", wrongFirstColourMessage(false)},
        {"a handicap game black begins", "(;AB[pp][dd];B[pd];W[dp])",
         wrongFirstColourMessage(true)},
        {"a pass first", "(;B[];W[pd])", stoppedMessage(StopReason::Pass, 1)},
        {"no stone at all", "(;GN[x];B[];W[])", noMovesMessage},
        {"a problem's set-up stones", "(;AW[dd];B[pd])",
         unreadableSgfMessage(
             utf8("問題の配置（AB/AW）は総譜の表に入りません。vorleth-cli import で取り込めます"))},
        {"a handicap game black begins, in the layout", "AB[pp][dd]\nB[pd]\n",
         wrongFirstColourMessage(true)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableImport import = readSgfForTable(QByteArray(c.sgf));
        EXPECT_FALSE(import.outcome.ok);
        EXPECT_EQ(import.outcome.messages, QStringList{c.message});
        EXPECT_TRUE(import.moves.isEmpty());
    }
    EXPECT_EQ(stoppedMessage(StopReason::Pass, 1), utf8("1手目がパスのため取り込めません"));
    EXPECT_EQ(stoppedMessage(StopReason::SameColour, 41),
              utf8("41手目で黒と白が交互でなくなるため、40手目までを取り込みました"));
}

TEST(StandardSgf, EncodingsOfBothLayouts) {
    // The layout without node separators in Shift_JIS, a standard file naming its encoding.
    const TableImport layout =
        readSgfForTable(test::sjis(utf8("PB[黒太郎]\r\nB[pd]\r\nW[dp]\r\n")));
    EXPECT_EQ(layout.game.blackPlayer, utf8("黒太郎"));
    EXPECT_EQ(codes(layout.moves), (std::vector<int>{1604, 416}));

    const TableImport standard =
        readSgfForTable(test::sjis(utf8("(;CA[Shift_JIS]PW[白花子];B[pd])")));
    EXPECT_EQ(standard.game.whitePlayer, utf8("白花子"));
    EXPECT_EQ(codes(standard.moves), (std::vector<int>{1604}));
}

} // namespace
} // namespace vorleth
