#include "app/cli.h"
#include "support/clirun.h"
#include "support/printers.h"

#include "board/playrules.h"
#include "export/sgfexport.h"
#include "replay/gamegenerator.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace vorleth {
namespace {

using test::CliRun;

CliRun run(const QStringList& args) {
    return test::runCliWith(args);
}

const QString testData = QStringLiteral(VORLETH_TEST_DATA);

// A record as the program reads it, with its names as whole as its file keeps them.
GameRecord readRecordFile(const QString& path) {
    const QByteArray body = test::readBytes(path);
    Result<GameRecord> read =
        decodeRecord(QFileInfo(path).fileName().chopped(recordExtension.size()), body);
    EXPECT_TRUE(read.ok) << read.error().toStdString();
    restoreFullNames(read.metadata, body);
    return read.value();
}

MoveList withoutMarkers(const MoveList& moves) {
    MoveList kept;
    for (const MoveEntry& e : moves.entries()) {
        if (e.changesBoard())
            kept.append(e);
    }
    return kept;
}

class CliExportTest : public ::testing::Test {
protected:
    QTemporaryDir temp;

    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    QString folder(const QString& name) {
        const QString path = temp.filePath(name);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }

    // Saves the record in the folder as the program would and returns its path.
    QString store(const QString& directory, GameRecord record) {
        RecordMetadata& m = record.metadata;
        m.entryCount = record.moves.length();
        m.recordDate = m.referenceDate = QStringLiteral("20240101");
        m.timeOfDay = QStringLiteral("90503");
        const QString path = recordPath(directory, recordFileName(m));
        test::writeBytes(path, encodeRecordBody(record, record.moves.length(), QDate(2024, 1, 1)));
        return path;
    }

    // The single record an import of sgf into a fresh folder saves.
    QString importOnce(const QString& sgf, const QString& folderName) {
        const QString directory = folder(folderName);
        const CliRun imported = run({QStringLiteral("import"), directory, sgf});
        EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
        EXPECT_EQ(imported.out.count(u'\n'), 1) << imported.out.toStdString();
        return QDir(directory).filePath(imported.out.trimmed());
    }
};

TEST_F(CliExportTest, UsageAndInputErrors) {
    const QString records = folder(QStringLiteral("records"));
    GameRecord game;
    game.metadata.game.gameName = QStringLiteral("練習碁");
    game.moves.append({1604, black});
    const QString record = store(records, game);
    const QString garbled = QDir(records).filePath(
        QStringLiteral("対局名（x）白番（a）黒番（b）勝敗（c）記録日（20240305）手数（3）時間（9050"
                       "3）参照（20240305）コミ（0）.IGO"));
    test::writeBytes(garbled, "garbage\r\n");
    const QString notRecord = QDir(records).filePath(QStringLiteral("note.txt"));
    test::writeBytes(notRecord, "x");
    const QString existing = temp.filePath(QStringLiteral("kept.sgf"));
    test::writeBytes(existing, "kept");

    const struct {
        const char* name;
        QStringList args;
        const char* error;
    } cases[] = {
        {"no file", {QStringLiteral("export")}, "usage:"},
        {"too many arguments", {QStringLiteral("export"), record, existing, existing}, "usage:"},
        {"missing record",
         {QStringLiteral("export"), temp.filePath(QStringLiteral("missing.IGO"))},
         "cannot read"},
        {"not a record", {QStringLiteral("export"), notRecord}, "not a record file"},
        {"garbled record",
         {QStringLiteral("export"), garbled},
         "棋譜ファイルの内容が正しくありません"},
        {"output in a missing folder",
         {QStringLiteral("export"), record, temp.filePath(QStringLiteral("no/such/g.sgf"))},
         "cannot write"},
        {"output onto a folder", {QStringLiteral("export"), record, records}, "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::expectFailure(run(c.args), c.error);
    }
    EXPECT_EQ(test::readBytes(existing), QByteArray("kept"));
    EXPECT_FALSE(QFileInfo::exists(temp.filePath(QStringLiteral("no"))));
}

TEST_F(CliExportTest, StandardOutputOrFileAndWarnings) {
    const QString records = folder(QStringLiteral("records"));
    GameRecord game;
    game.metadata.game.gameName = QStringLiteral("練習碁");
    game.metadata.game.result = QStringLiteral("黒中押勝");
    // Black's fourth stone at aa has no liberty and captures nothing: the record keeps it.
    for (const MoveEntry& e : {MoveEntry{201, white}, MoveEntry{1616, black}, MoveEntry{102, white},
                               MoveEntry{101, black}})
        game.moves.append(e);
    const QString record = store(records, game);

    const CliRun toOut = run({QStringLiteral("export"), record});
    ASSERT_EQ(toOut.status, 0) << toOut.err.toStdString();
    EXPECT_TRUE(toOut.out.startsWith(QStringLiteral("(;FF[4]CA[UTF-8]")))
        << toOut.out.toStdString();
    EXPECT_TRUE(toOut.out.contains(QStringLiteral("GN[練習碁]")));
    EXPECT_TRUE(toOut.out.contains(QStringLiteral("RE[B+R]")));
    EXPECT_TRUE(toOut.out.contains(QStringLiteral(";B[aa];AB[aa]"))) << toOut.out.toStdString();
    EXPECT_EQ(toOut.err,
              QStringLiteral("vorleth-cli: %1: warning: %2\n")
                  .arg(record, exportSgf(readRecordFile(record)).issues.first().description()));

    const QString out = temp.filePath(QStringLiteral("練習碁.sgf"));
    test::writeBytes(out, "older content that is longer than the new one, to be replaced whole");
    const CliRun toFile = run({QStringLiteral("export"), record, out});
    ASSERT_EQ(toFile.status, 0) << toFile.err.toStdString();
    EXPECT_TRUE(toFile.out.isEmpty());
    EXPECT_EQ(toFile.err, toOut.err);
    EXPECT_EQ(QString::fromUtf8(test::readBytes(out)), toOut.out);
}

// Records of our own: the 307-entry three-stone handicap game of the replay tests, the two
// games of the SGF tests saved as records, and a generated game with long names, blanks and
// pause markers. Export, then import: the same entries (markers aside), names, komi, result.
TEST_F(CliExportTest, ExportThenImportGivesTheSameGame) {
    const QString records = folder(QStringLiteral("records"));
    QStringList originals;
    originals << QDir(testData + QStringLiteral("/replay"))
                     .entryInfoList({QStringLiteral("*.IGO")}, QDir::Files)
                     .first()
                     .filePath();
    originals << importOnce(testData + QStringLiteral("/sgf/own-game-1.sgf"),
                            QStringLiteral("own1"));
    originals << importOnce(testData + QStringLiteral("/sgf/own-game-2.sgf"),
                            QStringLiteral("own2"));
    for (const unsigned seed : {7u, 11u}) {
        GameRecord generated;
        RecordMetadata& m = generated.metadata;
        m.game.gameName = seed == 7 ? QStringLiteral("第12回 囲碁まつり 決勝戦 [A]")
                                    : QStringLiteral("二子局 研究会/2024");
        m.game.whitePlayer = QStringLiteral("山田 太郎 (アマ六段)");
        m.game.blackPlayer = QStringLiteral("佐藤\\花子");
        m.game.result = seed == 7 ? QStringLiteral("白6目半勝") : QStringLiteral("黒中押勝");
        m.game.komi = seed == 7 ? QStringLiteral("6.5") : QStringLiteral("0");
        generated.moves = test::playGame(220, seed, m.game.gameName);
        MoveList withMarkers;
        for (int i = 1; i <= generated.moves.length(); ++i) {
            withMarkers.append(generated.moves.entry(i));
            if (i % 50 == 0 && generated.moves.entry(i).isStone())
                withMarkers.append({pauseMarkerCode, QStringLiteral("9")});
        }
        ASSERT_GT(withMarkers.length(), generated.moves.length());
        generated.moves = withMarkers;
        originals << store(records, generated);
    }

    int number = 0;
    for (const QString& original : originals) {
        SCOPED_TRACE(original.toStdString());
        const GameRecord before = readRecordFile(original);
        const QString sgf = temp.filePath(QStringLiteral("game%1.sgf").arg(++number));
        const CliRun exported = run({QStringLiteral("export"), original, sgf});
        ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
        EXPECT_TRUE(exported.err.isEmpty()) << exported.err.toStdString();

        const GameRecord after =
            readRecordFile(importOnce(sgf, QStringLiteral("back%1").arg(number)));
        const RecordMetadata& b = before.metadata;
        const RecordMetadata& a = after.metadata;
        EXPECT_EQ(a.game.gameName, b.game.gameName);
        EXPECT_EQ(a.game.whitePlayer, b.game.whitePlayer);
        EXPECT_EQ(a.game.blackPlayer, b.game.blackPlayer);
        EXPECT_EQ(a.game.komi, b.game.komi);
        EXPECT_EQ(a.game.result, b.game.result);
        EXPECT_EQ(after.moves, withoutMarkers(before.moves));
        EXPECT_FALSE(after.moves.entries().isEmpty());
    }
}

// Problems with their set-up, and results with or without a standard form: what the program
// exports, it imports back the same.
TEST_F(CliExportTest, ProblemsAndEveryResultComeBackWhole) {
    auto entries = [](std::initializer_list<std::pair<PointCode, const char*>> list) {
        MoveList moves;
        for (const auto& [code, kind] : list)
            moves.append({code, QString::fromLatin1(kind)});
        return moves;
    };
    // Set-up stones in the order the exported set-up lists them: black, then white, each by
    // column. White's first move after the set-up takes the black stone at (1, 3).
    const MoveList problem = entries({{103, "1"},
                                      {202, "1"},
                                      {301, "1"},
                                      {104, "2"},
                                      {203, "2"},
                                      {302, "2"},
                                      {401, "2"},
                                      {pauseMarkerCode, "9"},
                                      {201, "1"},
                                      {102, "2"},
                                      {103, "+"},
                                      {1010, "1"}});
    const MoveList joseki = entries({{404, "1"}, {pauseMarkerCode, "9"}, {303, "2"}, {304, "1"}});
    const MoveList game = entries({{1604, "1"}, {416, "2"}, {1616, "1"}});
    const struct {
        const char* gameName;
        const MoveList& moves;
        const char* result;
        const char* back; // the result once imported again
    } cases[] = {
        {"詰め碁 第1問", problem, "黒先白死", "黒先白死"},
        {"定石 星", joseki, "定石", "定石"},
        {"練習", game, "打掛", "打掛"},
        {"練習", game, "黒勝", "黒勝"},
        {"練習", game, "持碁", "持碁"},
        {"練習", game, "白3目半勝", "白3目半勝"},
        {"練習", game, "White wins by resignation", "白中押勝"},
        {"練習", game, "白の反則勝ち", "白の反則勝ち"},
        {"練習", game, "B+R (199 moves)", "黒中押勝"},
    };
    const QString records = folder(QStringLiteral("records"));
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.gameName) + " / " + c.result);
        GameRecord record;
        record.metadata.game = {QString::fromUtf8(c.gameName), QStringLiteral("甲"),
                                QStringLiteral("乙"), QString::fromUtf8(c.result),
                                QStringLiteral("6.5")};
        record.moves = c.moves;
        const QString original = store(records, record);
        const QString sgf = temp.filePath(QStringLiteral("whole%1.sgf").arg(++number));
        const CliRun exported = run({QStringLiteral("export"), original, sgf});
        ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
        const GameRecord after =
            readRecordFile(importOnce(sgf, QStringLiteral("whole%1").arg(number)));
        EXPECT_EQ(after.metadata.game.gameName, QString::fromUtf8(c.gameName));
        EXPECT_EQ(after.metadata.game.result, QString::fromUtf8(c.back));
        EXPECT_EQ(after.metadata.game.komi, QStringLiteral("6.5"));
        EXPECT_EQ(after.moves, c.moves);
    }
}

// GTP's vertex ("D16") as a point: columns A..T without I, rows counted from the bottom.
std::optional<Point> gtpPoint(const QString& vertex) {
    static const QString columns = QStringLiteral("ABCDEFGHJKLMNOPQRST");
    const qsizetype column = columns.indexOf(vertex.left(1).toUpper());
    bool ok = false;
    const int row = vertex.mid(1).toInt(&ok);
    if (column < 0 || !ok || row < 1 || row > 19)
        return std::nullopt;
    return Point{static_cast<int>(column) + 1, 20 - row};
}

// GNU Go reads the exported game and reports the final position and the prisoners in the same
// form as `vorleth-cli board`.
TEST_F(CliExportTest, GnuGoReachesTheSamePositionAndPrisoners) {
    const QString record = QDir(testData + QStringLiteral("/replay"))
                               .entryInfoList({QStringLiteral("*.IGO")}, QDir::Files)
                               .first()
                               .filePath();
    const QString sgf = temp.filePath(QStringLiteral("game.sgf"));
    const CliRun exported = run({QStringLiteral("export"), record, sgf});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    ASSERT_TRUE(exported.err.isEmpty()) << exported.err.toStdString();

    // Debian installs games in /usr/games, which is not always on the search path.
    QString program = QStandardPaths::findExecutable(QStringLiteral("gnugo"));
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(QStringLiteral("gnugo"), {"/usr/games"});
    ASSERT_FALSE(program.isEmpty())
        << "GNU Go (gnugo) is not installed: install the package gnugo (scripts/vorleth.sh does)";
    QProcess gnugo;
    gnugo.start(program, {QStringLiteral("--mode"), QStringLiteral("gtp")});
    ASSERT_TRUE(gnugo.waitForStarted(30000))
        << "GNU Go could not be started: " << gnugo.errorString().toStdString();
    gnugo.write(QStringLiteral("1 loadsgf %1\n2 list_stones black\n3 list_stones white\n"
                               "4 captures black\n5 captures white\n6 quit\n")
                    .arg(sgf)
                    .toUtf8());
    gnugo.closeWriteChannel();
    const bool finished = gnugo.waitForFinished(60000);
    if (!finished)
        gnugo.kill();
    ASSERT_TRUE(finished) << "GNU Go did not answer within a minute";
    const QString answers = QString::fromUtf8(gnugo.readAllStandardOutput());

    // "=N value" per command; "?N message" for a failure.
    std::map<int, QString> replies;
    static const QRegularExpression reply(QStringLiteral(R"(^([=?])(\d+)[ \t]*(.*)$)"),
                                          QRegularExpression::MultilineOption);
    for (auto it = reply.globalMatch(answers); it.hasNext();) {
        const auto m = it.next();
        ASSERT_EQ(m.captured(1), QStringLiteral("=")) << answers.toStdString();
        replies[m.captured(2).toInt()] = m.captured(3).trimmed();
    }
    ASSERT_EQ(replies.size(), 6u) << answers.toStdString();

    QStringList rows(19, QString(19, u'.'));
    for (const auto& [command, mark] : {std::pair{2, u'X'}, std::pair{3, u'O'}}) {
        for (const QString& vertex : replies[command].split(u' ', Qt::SkipEmptyParts)) {
            const std::optional<Point> p = gtpPoint(vertex);
            ASSERT_TRUE(p.has_value()) << vertex.toStdString();
            rows[p->row - 1][p->column - 1] = mark;
        }
    }
    const QString gnugoBoard =
        rows.join(u'\n') +
        QStringLiteral("\nprisoners black=%1 white=%2\n").arg(replies[4], replies[5]);

    const CliRun board = run({QStringLiteral("board"), record});
    ASSERT_EQ(board.status, 0) << board.err.toStdString();
    // Without the program's "next" line, which GNU Go has no counterpart for.
    const QString ours = board.out.left(board.out.indexOf(QStringLiteral("next ")));
    EXPECT_EQ(gnugoBoard, ours);
    EXPECT_GT(replies[4].toInt() + replies[5].toInt(), 0); // the game has captures to compare
}

} // namespace
} // namespace vorleth
