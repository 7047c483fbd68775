#include "support/printers.h"
#include "support/testfiles.h"

#include "store/recoveryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::sjis;

RecoveredGame sampleGame() {
    RecoveredGame game;
    game.record.game = {QStringLiteral("名人戦, 第1局"), QStringLiteral(" 甲 "),
                        QStringLiteral("乙"), QString(), QStringLiteral("6.5")};
    game.record.moveCount = 120;
    game.record.selectedIndex = 4;
    game.record.fileName = QStringLiteral("対局名（名人戦）白番（甲）");
    for (const auto& [code, kind] : std::initializer_list<std::pair<int, const char*>>{
             {1604, "1"}, {1717, "2"}, {1604, "+"}, {2020, "9"}, {101, "X"}})
        game.moves.append({static_cast<PointCode>(code), QString::fromUtf8(kind)});
    return game;
}

TEST(RecoveryFile, AGameReadsBackAsItWasWritten) {
    const RecoveredGame game = sampleGame();
    const std::optional<RecoveredGame> read =
        decodeRecoveredGame(encodeRecoveredGame(game.record, game.moves));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->record.game, game.record.game);
    EXPECT_EQ(read->record.moveCount, 120);
    EXPECT_EQ(read->record.selectedIndex, 4);
    EXPECT_EQ(read->record.fileName, game.record.fileName);
    EXPECT_EQ(read->moves, game.moves);
    EXPECT_FALSE(read->placement.has_value());

    // An empty game too.
    const std::optional<RecoveredGame> empty = decodeRecoveredGame(encodeRecoveredGame({}, {}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->moves.length(), 0);
}

// The program's own file keeps every name whole, whatever the code page of the record files
// could spell.
TEST(RecoveryFile, EveryCharacterOfTheNamesComesBack) {
    const QString texts[] = {
        QStringLiteral("세계대회"),
        QStringLiteral("이세돌"),
        QStringLiteral("柯洁"),
        QStringLiteral("a,b \"c\" 100%"),
        QStringLiteral(" two\r\nlines "),
        QStringLiteral("%41,%"),
        QString(),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        RecoveredGame game;
        game.record.game = {text, text, text, text, text};
        game.record.fileName = text;
        game.moves.append({1604, text.isEmpty() ? QStringLiteral("1") : text});
        const QByteArray bytes = encodeRecoveredGame(game.record, game.moves);
        EXPECT_EQ(bytes.count("\r\n"), 3) << "no line end of a text breaks a line";
        const std::optional<RecoveredGame> read = decodeRecoveredGame(bytes);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->record.game, game.record.game);
        EXPECT_EQ(read->record.fileName, text);
        EXPECT_EQ(read->moves, game.moves);
    }
}

TEST(RecoveryFile, TheFileIsUtf8WithAByteOrderMarkAndCrLf) {
    RecoveredGame game;
    game.record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                        QStringLiteral("打掛"), QStringLiteral("6.5")};
    game.moves.append({1604, QStringLiteral("1")});
    const QByteArray bytes = encodeRecoveredGame(game.record, game.moves);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" + QStringLiteral("練習碁").toUtf8()));
    EXPECT_TRUE(bytes.endsWith("\r\n1\r\n1604,1\r\n"));
}

// A file an earlier version left behind at a crash is still read.
TEST(RecoveryFile, AnEarlierWindows31JFileStillReads) {
    const QByteArray bytes = sjis(QStringLiteral("練習碁        ,甲            ,乙            ,"
                                                 "打掛          ,6.5           , 0            ,"
                                                 " 0            ,\r\n 2 \r\n 1604 ,1\r\n"
                                                 " 2020 ,9\r\n"));
    const std::optional<RecoveredGame> read = decodeRecoveredGame(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->record.game.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(read->record.game.result, QStringLiteral("打掛"));
    EXPECT_EQ(read->moves.length(), 2);
    EXPECT_EQ(read->moves.entry(2), (MoveEntry{pauseMarkerCode, QStringLiteral("9")}));
}

// Where the placement of a typed diagram stood comes back with the game.
TEST(RecoveryFile, ADiagramBeingPlacedReadsBackWithWhereItStopped) {
    const RecoveredGame game = sampleGame();
    const DiagramPlacement placements[] = {
        {{1604, 1717, 0, 505}, {{3, 1}}, {2, false}},
        {{1604, 0, 0}, {{2, 1}, {3, 2}}, {3, true}},
        {{}, {}, {0, false}},
    };
    for (const DiagramPlacement& placement : placements) {
        SCOPED_TRACE(placement.tableMoves.size());
        const std::optional<RecoveredGame> read =
            decodeRecoveredGame(encodeRecoveredGame(game.record, game.moves, placement));
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->moves, game.moves);
        EXPECT_EQ(read->placement, placement);
    }
}

TEST(RecoveryFile, ContentThatDoesNotReadBackWholeIsRefused) {
    const RecoveredGame game = sampleGame();
    const QByteArray good = encodeRecoveredGame(game.record, game.moves);
    QList<QByteArray> lines = good.split('\n');
    lines.removeLast(); // after the last line end
    auto joined = [](QList<QByteArray> l) { return l.join('\n') + '\n'; };
    ASSERT_TRUE(decodeRecoveredGame(joined(lines)).has_value());

    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"an entry missing", joined(lines.mid(0, lines.size() - 1))},
        {"an entry too many", joined(lines) + " 404 ,1\r\n"},
        {"a count that is no number",
         [&] {
             auto l = lines;
             l[1] = "five\r";
             return joined(l);
         }()},
        {"a point that is no number",
         [&] {
             auto l = lines;
             l[2] = "16a4,1\r";
             return joined(l);
         }()},
        {"an entry without a kind",
         [&] {
             auto l = lines;
             l[2] = " 1604 ,\r";
             return joined(l);
         }()},
        {"a header field missing",
         [&] {
             auto l = lines;
             l[0] = l[0].left(l[0].lastIndexOf(',')) + "\r";
             return joined(l);
         }()},
        {"bytes that are not Windows-31J", "\x82\r\n 0 \r\n"},
        {"bytes that are not UTF-8 behind the mark", "\xEF\xBB\xBF\x82\r\n0\r\n"},
        {"a text with a broken escape",
         [&] {
             auto l = lines;
             l[0] = l[0].left(3) + "%G1" + l[0].mid(3);
             return joined(l);
         }()},
        {"a line after the entries that is no placement", joined(lines) + "x\r\n"},
        {"a placement without its diagram", joined(lines) + "placement,1,0\r\n"},
        {"a placement beyond its diagram",
         joined(lines) + "placement,3,0\r\ndiagram,1604,1717\r\nrepeated\r\n"},
        {"a repeated play without its earlier move",
         joined(lines) + "placement,1,0\r\ndiagram,1604,0\r\nrepeated,2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(decodeRecoveredGame(c.bytes).has_value());
    }
}

TEST(RecoveryFile, WrittenReadAndRemovedInTheBaseDirectory) {
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    EXPECT_FALSE(recoveryFileExists(base.path()));
    EXPECT_TRUE(removeRecoveryFile(base.path()).ok) << "no file is no failure";

    const RecoveredGame game = sampleGame();
    ASSERT_TRUE(writeRecoveryFile(base.path(), game.record, game.moves).ok);
    EXPECT_TRUE(recoveryFileExists(base.path()));
    EXPECT_EQ(recoveryFilePath(base.path()),
              QDir(base.path()).filePath(QStringLiteral("棋譜.REC")));
    const Result<RecoveredGame> read = readRecoveryFile(base.path());
    EXPECT_TRUE(read.ok);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.moves, game.moves);

    EXPECT_TRUE(removeRecoveryFile(base.path()).ok);
    EXPECT_FALSE(recoveryFileExists(base.path()));
    const Result<RecoveredGame> missing = readRecoveryFile(base.path());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.messages,
              QStringList{cannotReadRecoveryFileMessage + recoveryFilePath(base.path())});
}

TEST(RecoveryFile, AWriteThatFailsIsReported) {
    QTemporaryDir base;
    const QString missing = QDir(base.path()).filePath(QStringLiteral("無い"));
    const Outcome written = writeRecoveryFile(missing, {}, {});
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.messages,
              QStringList{cannotWriteRecoveryFileMessage + recoveryFilePath(missing)});
}

} // namespace
} // namespace vorleth
