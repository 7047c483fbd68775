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

    // An empty game too.
    const std::optional<RecoveredGame> empty = decodeRecoveredGame(encodeRecoveredGame({}, {}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->moves.length(), 0);
}

TEST(RecoveryFile, TheFileIsTextLikeTheWorkingFiles) {
    RecoveredGame game;
    game.record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                        QStringLiteral("打掛"), QStringLiteral("6.5")};
    game.moves.append({1604, QStringLiteral("1")});
    const QByteArray bytes = encodeRecoveredGame(game.record, game.moves);
    EXPECT_TRUE(bytes.startsWith(sjis(QStringLiteral("練習碁"))));
    EXPECT_TRUE(bytes.endsWith("\r\n 1 \r\n 1604 ,1\r\n"));
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
    const RecoveryReadResult read = readRecoveryFile(base.path());
    EXPECT_TRUE(read.outcome.ok);
    ASSERT_TRUE(read.game.has_value());
    EXPECT_EQ(read.game->moves, game.moves);

    EXPECT_TRUE(removeRecoveryFile(base.path()).ok);
    EXPECT_FALSE(recoveryFileExists(base.path()));
    const RecoveryReadResult missing = readRecoveryFile(base.path());
    EXPECT_FALSE(missing.game.has_value());
    EXPECT_EQ(missing.outcome.messages,
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
