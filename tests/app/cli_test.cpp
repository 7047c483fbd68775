#include "app/cli.h"

#include "board/playrules.h"
#include "import/sgf.h"
#include "support/clirun.h"
#include "support/figuresvg.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::CliRun;
const QDateTime morning = test::cliMorning;

CliRun run(const QStringList& args, QDateTime now = morning) {
    return test::runCliWith(args, now);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The diagram with black stones at the X points and white ones at the O points.
QString diagram(std::initializer_list<Point> blackStones,
                std::initializer_list<Point> whiteStones) {
    QStringList rows(19, QString(19, u'.'));
    for (const Point& p : blackStones)
        rows[p.row - 1][p.column - 1] = u'X';
    for (const Point& p : whiteStones)
        rows[p.row - 1][p.column - 1] = u'O';
    return rows.join(u'\n') + u'\n';
}

QStringList recordFiles(const QString& directory) {
    return QDir(directory).entryList({QStringLiteral("*.IGO")}, QDir::Files, QDir::Name);
}

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString records;
    QString sources;

    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        records = temp.filePath(QStringLiteral("records"));
        sources = temp.filePath(QStringLiteral("sgf"));
        ASSERT_TRUE(QDir().mkpath(records));
        ASSERT_TRUE(QDir().mkpath(sources));
    }

    QString source(const QString& name, const QString& sgf) {
        const QString path = QDir(sources).filePath(name);
        writeFile(path, sgf.toUtf8());
        return path;
    }

    // White's stone at qd is captured by black's seventh move, qe.
    QString captureGame() {
        return source(QStringLiteral("capture.sgf"),
                      QStringLiteral("(;FF[4]CA[UTF-8]GN[取り]PW[白 花子]PB[黒 太郎]KM[6.5]RE[B+R]"
                                     ";B[pd];W[qd];B[qc];W[dd];B[rd];W[dp];B[qe];W[])"));
    }
};

TEST_F(CliTest, UsageAndInputErrors) {
    const QString game = captureGame();
    const CliRun imported = run({QStringLiteral("import"), records, game});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    const QString record = QDir(records).filePath(imported.out.trimmed());
    const QString garbled = QDir(records).filePath(
        QStringLiteral("対局名（x）白番（a）黒番（b）勝敗（c）記録日（20240305）手数（3）時間（9050"
                       "3）参照（20240305）コミ（0）.IGO"));
    writeFile(garbled, "garbage\r\n");
    const QString notRecord = QDir(records).filePath(QStringLiteral("note.txt"));
    writeFile(notRecord, "x");
    const QString missing = temp.filePath(QStringLiteral("missing"));

    const struct {
        const char* name;
        QStringList args;
        const char* error;
    } cases[] = {
        {"no command", {}, "usage:"},
        {"unknown command", {QStringLiteral("help")}, "usage:"},
        {"list without a directory", {QStringLiteral("list")}, "usage:"},
        {"list with two directories", {QStringLiteral("list"), records, records}, "usage:"},
        {"list of a missing directory", {QStringLiteral("list"), missing}, "no such directory"},
        {"board without a file", {QStringLiteral("board")}, "usage:"},
        {"board with a negative count",
         {QStringLiteral("board"), record, QStringLiteral("-1")},
         "N must be a non-negative whole number"},
        {"board with a count that is no number",
         {QStringLiteral("board"), record, QStringLiteral("3x")},
         "N must be a non-negative whole number"},
        {"board with a huge count",
         {QStringLiteral("board"), record, QStringLiteral("99999999999")},
         "N must be a non-negative whole number"},
        {"board with too many arguments",
         {QStringLiteral("board"), record, QStringLiteral("1"), QStringLiteral("2")},
         "usage:"},
        {"board of a missing record",
         {QStringLiteral("board"), missing + QStringLiteral(".IGO")},
         "cannot read"},
        {"board of a file that is not a record",
         {QStringLiteral("board"), notRecord},
         "not a record file"},
        {"board of a garbled record",
         {QStringLiteral("board"), garbled},
         "棋譜ファイルの内容が正しくありません"},
        {"count without a file", {QStringLiteral("count")}, "usage:"},
        {"count with a count that is no number",
         {QStringLiteral("count"), record, QStringLiteral("x")},
         "N must be a non-negative whole number"},
        {"count of a missing record",
         {QStringLiteral("count"), missing + QStringLiteral(".IGO")},
         "cannot read"},
        {"count of a file that is not a record",
         {QStringLiteral("count"), notRecord},
         "not a record file"},
        {"count of a garbled record",
         {QStringLiteral("count"), garbled},
         "棋譜ファイルの内容が正しくありません"},
        {"import without files", {QStringLiteral("import"), records}, "usage:"},
        {"diagram without OUT", {QStringLiteral("diagram"), record}, "usage:"},
        {"diagram to a format it has not",
         {QStringLiteral("diagram"), record, temp.filePath(QStringLiteral("d.txt"))},
         "OUT must end in .svg, .pdf or .png"},
        {"diagram with no moves a figure",
         {QStringLiteral("diagram"), record, temp.filePath(QStringLiteral("d.svg")),
          QStringLiteral("--moves-per-figure"), QStringLiteral("0")},
         "K must be a whole number of at least 1"},
        {"diagram with the option's number missing",
         {QStringLiteral("diagram"), record, temp.filePath(QStringLiteral("d.svg")),
          QStringLiteral("--moves-per-figure")},
         "K must be a whole number of at least 1"},
        {"diagram of a missing record",
         {QStringLiteral("diagram"), missing + QStringLiteral(".IGO"),
          temp.filePath(QStringLiteral("d.svg"))},
         "cannot read"},
        {"import into a missing directory",
         {QStringLiteral("import"), missing, game},
         "no such directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::expectFailure(run(c.args), c.error);
    }
    EXPECT_EQ(recordFiles(records).size(), 2); // nothing was written by the failed imports
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("d.svg"))));
}

TEST_F(CliTest, DiagramOfARecord) {
    const CliRun imported = run({QStringLiteral("import"), records, captureGame()});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    const QString record = QDir(records).filePath(imported.out.trimmed());

    const QString whole = temp.filePath(QStringLiteral("取り.svg"));
    const CliRun one = run({QStringLiteral("diagram"), record, whole});
    ASSERT_EQ(one.status, 0) << one.err.toStdString();
    const test::ReadFigure figure = test::readFigureSvg(readFile(whole));
    EXPECT_EQ(figure.heading.first(), QStringLiteral("取り"));
    // White's 2 at qd stays drawn with its number though black's 7 took it.
    const struct {
        Point point;
        int number;
        char stone;
    } expected[] = {{{16, 4}, 1, 'X'}, {{17, 4}, 2, 'O'}, {{17, 3}, 3, 'X'}, {{4, 4}, 4, 'O'},
                    {{18, 4}, 5, 'X'}, {{4, 16}, 6, 'O'}, {{17, 5}, 7, 'X'}};
    for (const auto& e : expected) {
        EXPECT_EQ(figure.numbers[e.point.column][e.point.row], e.number);
        EXPECT_EQ(figure.stones[e.point.column][e.point.row], e.stone);
    }
    EXPECT_TRUE(figure.notes.isEmpty());

    const CliRun split =
        run({QStringLiteral("diagram"), record, temp.filePath(QStringLiteral("split.svg")),
             QStringLiteral("--moves-per-figure"), QStringLiteral("3")});
    ASSERT_EQ(split.status, 0) << split.err.toStdString();
    const test::ReadFigure last = test::readFigureSvg(readFile(temp.filePath("split-3.svg")));
    EXPECT_EQ(last.heading.last(), QStringLiteral("第3譜（7〜7）"));
    EXPECT_EQ(last.numbers[17][5], 7);
    EXPECT_EQ(last.stones[16][4], 'X'); // from an earlier figure, without its number
    EXPECT_EQ(last.numbers[16][4], 0);
    // White's 2, taken by 7 in this figure, is drawn as the figure starts, as books draw it.
    EXPECT_EQ(last.stones[17][4], 'O');
    EXPECT_EQ(last.numbers[17][4], 0);
}

TEST_F(CliTest, ImportListAndBoard) {
    const QString game = captureGame();
    const QString later =
        source(QStringLiteral("later.sgf"), QStringLiteral("(;EV[棋戦];PB[乙];B[jj])"));
    const QString small = source(QStringLiteral("small.sgf"), QStringLiteral("(;SZ[13];B[aa])"));

    const CliRun first = run({QStringLiteral("import"), records, game});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    const QString name = QStringLiteral(
        "対局名（取り）白番（白花子）黒番（黒太郎）勝敗（黒中押勝）記録日（20240305）手数（8）"
        "時間（90503）参照（20240305）コミ（6.5）");
    EXPECT_EQ(first.out, name + QStringLiteral(".IGO\n"));
    EXPECT_TRUE(first.err.isEmpty());

    // One file fails, the other is saved; only the failure is an error.
    const CliRun second =
        run({QStringLiteral("import"), records, small, later}, morning.addSecs(3600));
    EXPECT_EQ(second.status, 1);
    EXPECT_EQ(second.out.count(u'\n'), 1);
    EXPECT_TRUE(second.out.startsWith(QStringLiteral("対局名（棋戦）白番（）黒番（乙）")))
        << second.out.toStdString();
    EXPECT_EQ(second.err,
              small + QStringLiteral(": board size 13 x 13: only 19 x 19 can be recorded\n"));
    EXPECT_EQ(recordFiles(records).size(), 2);

    const CliRun list = run({QStringLiteral("list"), records});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.out.split(u'\n');
    ASSERT_EQ(lines.size(), 4) << list.out.toStdString(); // header, two records, final LF
    EXPECT_EQ(lines.at(0), QStringLiteral("position\tgameName\twhitePlayer\tblackPlayer\tresult\t"
                                          "entryCount\trecordDate\ttimeOfDay\treferenceDate\tkomi\t"
                                          "fileName"));
    // Most recently referenced first; positions follow the file names' order.
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("2\t棋戦\t\t乙\t\t1\t20240305\t100503\t")))
        << lines.at(1).toStdString();
    EXPECT_EQ(lines.at(2), QStringLiteral("1\t取り\t白花子\t黒太郎\t黒中押勝\t8\t20240305\t90503\t"
                                          "20240305\t6.5\t") +
                               name);
    EXPECT_TRUE(lines.at(3).isEmpty());

    const QString record = QDir(records).filePath(name + QStringLiteral(".IGO"));
    const Point pd{16, 4}, qd{17, 4}, qc{17, 3}, dd{4, 4}, rd{18, 4}, dp{4, 16}, qe{17, 5};
    const struct {
        const char* count; // empty: all entries
        QString board;
        const char* tail;
    } positions[] = {
        {"", diagram({pd, qc, rd, qe}, {dd, dp}), "prisoners black=1 white=0\nnext 8\n"},
        {"7", diagram({pd, qc, rd, qe}, {qd, dd, dp}), "prisoners black=0 white=0\nnext 8\n"},
        {"2", diagram({pd}, {qd}), "prisoners black=0 white=0\nnext 3\n"},
        {"0", diagram({}, {}), "prisoners black=0 white=0\nnext 1\n"},
        {"100", diagram({pd, qc, rd, qe}, {dd, dp}), "prisoners black=1 white=0\nnext 8\n"},
    };
    for (const auto& p : positions) {
        SCOPED_TRACE(p.count);
        QStringList args{QStringLiteral("board"), record};
        if (*p.count)
            args << QString::fromLatin1(p.count);
        const CliRun board = run(args);
        ASSERT_EQ(board.status, 0) << board.err.toStdString();
        EXPECT_EQ(board.out, p.board + QString::fromLatin1(p.tail));
    }
}

// Walls two stones thick split the board; black captures a white stone in the corner and
// leaves another one dead in its area.
TEST_F(CliTest, CountOfTheFinalPosition) {
    QString moves;
    const auto move = [&moves](char colour, int column, int row) {
        moves += QStringLiteral(";%1[%2%3]")
                     .arg(QLatin1Char(colour))
                     .arg(QLatin1Char(char('a' + column - 1)))
                     .arg(QLatin1Char(char('a' + row - 1)));
    };
    for (int row = 1; row <= 19; ++row) {
        move('B', 8, row);
        move('W', 10, row);
        move('B', 9, row);
        move('W', 11, row);
    }
    move('B', 2, 1);
    move('W', 1, 1);
    move('B', 1, 2); // takes the stone at (1, 1)
    move('W', 3, 10);
    const QString game = source(QStringLiteral("walls.sgf"),
                                QStringLiteral("(;GN[地]PW[白]PB[黒]KM[6.5]") + moves + u')');
    const CliRun imported = run({QStringLiteral("import"), records, game});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    const QString record = QDir(records).filePath(imported.out.trimmed());

    QString marks;
    for (int row = 1; row <= 19; ++row) {
        QString line = QStringLiteral("bbbbbbbXXOOwwwwwwww\n");
        if (row == 1)
            line[1] = u'X';
        if (row == 2)
            line[0] = u'X';
        if (row == 10)
            line[2] = u'o';
        marks += line;
    }
    const CliRun count = run({QStringLiteral("count"), record});
    ASSERT_EQ(count.status, 0) << count.err.toStdString();
    EXPECT_EQ(count.out, marks + QStringLiteral("最終譜の白地=152＋途中の上蛤=0\n"
                                                "          ＋最終譜の上蛤X2=0\n"
                                                "最終譜の黒地=130＋途中の上蛤=1\n"
                                                "          ＋最終譜の上蛤X2=2\n"
                                                "コミ\u30006.5\n"
                                                "白地\u3000152\u3000黒地\u3000133\u3000差 -25.5\n"
                                                "白25目半勝\n"
                                                "result 白25目半勝\n"));

    // The enclosure searches give the same count of the finished walls.
    const CliRun design = run({QStringLiteral("count"), QStringLiteral("--design"), record});
    ASSERT_EQ(design.status, 0) << design.err.toStdString();
    EXPECT_EQ(design.out, count.out);

    // Before the walls are complete the enclosure searches find nothing closed.
    const CliRun early =
        run({QStringLiteral("count"), record, QStringLiteral("4"), QStringLiteral("--design")});
    ASSERT_EQ(early.status, 0) << early.err.toStdString();
    EXPECT_TRUE(early.out.startsWith(QStringLiteral(".......XXOO........\n")))
        << early.out.toStdString();
    EXPECT_TRUE(early.out.endsWith(QStringLiteral("result 白6目半勝\n")))
        << early.out.toStdString();
}

TEST_F(CliTest, SameNameInTheSameSecondIsStampedLater) {
    const QString game = captureGame();
    const QString collection =
        source(QStringLiteral("pair.sgf"), QStringLiteral("(;GN[対];B[pd])(;GN[対];B[dd])"));
    const CliRun r = run({QStringLiteral("import"), records, game, game, collection});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList saved = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_TRUE(saved.at(0).contains(QStringLiteral("時間（90503）")));
    EXPECT_TRUE(saved.at(1).contains(QStringLiteral("時間（90504）"))) << saved.at(1).toStdString();
    EXPECT_EQ(recordFiles(records).size(), 4);
}

// The diagram turned a quarter to the right, as the board is shown: its left column becomes
// its top row.
QString turnedQuarterRight(const QString& diagram) {
    const QStringList rows = diagram.split(u'\n', Qt::SkipEmptyParts);
    QStringList turned;
    for (int row = 0; row < rows.size(); ++row) {
        QString line;
        for (int column = 0; column < rows.size(); ++column)
            line.append(rows.at(rows.size() - 1 - column).at(row));
        turned << line;
    }
    return turned.join(u'\n') + u'\n';
}

// Games of our own making, written for these tests (not historical records): a 230-move even
// game in UTF-8 with comments, escapes, passes and variations, a four-stone handicap game in
// Shift_JIS without CA whose names contain bytes that look like backslashes, and a two-stone
// game with the stones on the other diagonal (AB[pd][dp]) and blanks inside point values
// (W[rj ]). Each ".position" file holds the final position worked out by a separate program.
// The encoding of a file without CA is guessed and said; a file too short to tell is refused
// and leaves nothing behind.
TEST_F(CliTest, ImportSaysTheGuessedEncodingAndRefusesWhatItCannotTell) {
    QStringEncoder eucJp("EUC-JP");
    const QString guessed = QDir(sources).filePath(QStringLiteral("guessed.sgf"));
    writeFile(guessed, eucJp.encode(QStringLiteral(
                           "(;GM[1]FF[4]GN[本因坊戦第1局]PB[井山裕太]PW[一力遼]KM[6.5]RE[B+R]"
                           "C[黒の中押し勝ち。白は左辺の黒を取りに行ったが、うまくいかなかった]"
                           ";B[pd];W[dp];B[pp];W[dd])")));
    const QString tooShort = QDir(sources).filePath(QStringLiteral("short.sgf"));
    writeFile(tooShort, eucJp.encode(QStringLiteral("(;PW[井山];B[pd])")));

    const CliRun imported = run({QStringLiteral("import"), records, guessed, tooShort});
    EXPECT_EQ(imported.status, 1);
    const QStringList err = imported.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(err.size(), 2) << imported.err;
    EXPECT_EQ(err.at(0),
              guessed + QStringLiteral(": warning: 文字コードを EUC-JP と推定して読みました"));
    EXPECT_TRUE(err.at(1).startsWith(
        tooShort + QStringLiteral(": 文字コードを判定できないため取り込めません")))
        << err.at(1);
    const QStringList saved = recordFiles(records);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved.first().contains(QStringLiteral("井山裕太"))) << saved.first();
    EXPECT_EQ(imported.out.trimmed(), saved.first());
}

TEST_F(CliTest, RealGamesReplayToTheirFinalPosition) {
    const QString data = QStringLiteral(VORLETH_TEST_DATA "/sgf/");
    const struct {
        const char* file;
        const char* gameName;
        int handicap;
        bool turned; // a quarter to the right, to bring the handicap onto the program's points
        QStringList warnings;
    } games[] = {
        {"own-game-1", "自作の対局 一", 0, false, {"2 variation(s) beside the main line ignored"}},
        {"own-game-2",
         "４子表彰記念対局",
         4,
         false,
         {"文字コードを Shift_JIS と推定して読みました"}},
        {"own-game-3",
         "２子自作の置碁",
         2,
         true,
         {"1 variation(s) beside the main line ignored",
          "board turned a quarter to the right so that the 2 handicap stones stand on the "
          "program's points",
          "result RE[W+?] kept as written"}},
    };
    for (const auto& g : games) {
        SCOPED_TRACE(g.file);
        const QString path = data + QString::fromLatin1(g.file) + QStringLiteral(".sgf");
        const CliRun imported = run({QStringLiteral("import"), records, path});
        ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
        QString expectedErr;
        for (const QString& warning : g.warnings)
            expectedErr += path + QStringLiteral(": warning: ") + warning + u'\n';
        EXPECT_EQ(imported.err, expectedErr);
        const QStringList output = imported.out.trimmed().split(u'\t');
        EXPECT_EQ(output.size(), g.turned ? 2 : 1) << imported.out.toStdString();
        EXPECT_EQ(output.value(1),
                  g.turned ? QStringLiteral("board turned a quarter to the right") : QString());
        const QString saved = output.first();
        EXPECT_TRUE(saved.startsWith(QStringLiteral("対局名（") +
                                     QString::fromUtf8(g.gameName).remove(u' ') + u'）'))
            << saved.toStdString();

        // The same moves played on a fresh board, straight from the file.
        const Result<SgfFile> file = readSgfBytes(readFile(path));
        ASSERT_TRUE(file.ok) << file.error().toStdString();
        const Result<SgfGame> read = sgfGame(file.collection, file.collection.roots.first());
        ASSERT_TRUE(read.ok) << read.error().toStdString();
        BoardModel model;
        int setupStones = 0;
        for (const SgfSetup& s : read.setups) {
            for (const Point& p : s.black) {
                model.board.setCell(p, black);
                ++setupStones;
            }
        }
        EXPECT_EQ(setupStones, g.handicap);
        for (const SgfMove& m : read.moves) {
            if (m.pass)
                continue;
            model.play.placementMode = m.colour == black ? 1 : 2;
            ASSERT_EQ(playStone(model, m.point).result, PlayResult::Played);
        }
        const QString diagram = boardDiagram(model.board);
        const QString replayed = (g.turned ? turnedQuarterRight(diagram) : diagram) +
                                 QStringLiteral("prisoners black=%1 white=%2\nnext %3\n")
                                     .arg(model.play.prisonersBlack)
                                     .arg(model.play.prisonersWhite)
                                     .arg(model.play.nextMoveNumber);

        const CliRun board = run({QStringLiteral("board"), QDir(records).filePath(saved)});
        ASSERT_EQ(board.status, 0) << board.err.toStdString();
        EXPECT_EQ(board.out, replayed);
        EXPECT_EQ(board.out, QString::fromUtf8(readFile(data + QString::fromLatin1(g.file) +
                                                        QStringLiteral(".position"))));
    }
}

} // namespace
} // namespace vorleth
