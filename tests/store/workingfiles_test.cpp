#include "store/workingfiles.h"

#include "state/sharedstate.h"
#include "support/printers.h"
#include "support/testfiles.h"
#include "support/workedexample.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <ostream>

namespace vorleth {
namespace {

using test::readBytes;
using test::sjis;
using test::sp;
using test::writeBytes;

class WorkingFiles : public ::testing::Test {
protected:
    QTemporaryDir temp;
    SharedState state{temp.path()};
    QStringList shown; // what the operations reported for the user, in order

    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    bool keep(const Outcome& outcome) {
        shown << outcome.messages;
        return outcome.ok;
    }
    bool writeEntry(const SharedState& s) {
        return keep(writeWorkingEntry(s.baseDirectory, s.record, s.table));
    }
    bool readEntry(SharedState& s) {
        return keep(readWorkingEntry(s.baseDirectory, s.record, s.table));
    }
    bool writePlays(const SharedState& s) {
        return keep(writeRepeatedPlays(s.baseDirectory, s.table));
    }
    bool readPlays(SharedState& s) { return keep(readRepeatedPlays(s.baseDirectory, s.table)); }
    bool writePlaceholder(const SharedState& s) {
        return keep(writeWorkingEntryPlaceholder(s.baseDirectory));
    }

    QString entryFile() const { return temp.filePath(QStringLiteral("棋譜.ENT")); }
    QString playsFile() const { return temp.filePath(QStringLiteral("棋譜.ENT2")); }

    void enterWorkedExample() {
        state.record.game = test::workedExampleGame;
        state.record.moveCount = int(test::workedExampleMoves.size());
        for (std::size_t i = 0; i < test::workedExampleMoves.size(); ++i)
            state.table.tableMoves[i + 1] = test::workedExampleMoves[i];
    }
};

// The values a read may change (table points 1..points), to compare before and after.
struct Restored {
    QStringList texts; // game name, white, black, result, komi
    int moveCount;
    QVector<int> tableMoves;
    friend bool operator==(const Restored&, const Restored&) = default;
};

void PrintTo(const Restored& r, std::ostream* os) {
    *os << r.texts.join(u'|').toStdString() << " moves " << r.moveCount << " points";
    for (const int p : r.tableMoves)
        *os << ' ' << p;
}

Restored restored(const SharedState& s, int points = TableEntryData::maxMoves) {
    const auto& moves = s.table.tableMoves;
    return {{s.record.game.gameName, s.record.game.whitePlayer, s.record.game.blackPlayer,
             s.record.game.result, s.record.game.komi},
            s.record.moveCount,
            QVector<int>(moves.begin() + 1, moves.begin() + 1 + points)};
}

TEST_F(WorkingFiles, WorkedExampleIsWrittenInZonesAndRestoredExactly) {
    enterWorkedExample();
    ASSERT_TRUE(writeEntry(state));

    const QByteArray line1 = sjis("練習碁") + sp(8) + "," + sp(13) + sjis("甲") + sp(12) + "," +
                             sp(13) + sjis("乙") + sp(12) + "," + sp(13) + sjis("白中押勝") +
                             sp(6) + "," + sp(13) + " 3 " + sp(11) + "," + sp(13) + "6.5\r\n";
    EXPECT_EQ(readBytes(entryFile()), line1 + " 1604 \r\n 1717 \r\n 404 \r\n");

    SharedState other(temp.path());
    other.table.tableMoves[4] = 55; // beyond the entry: not touched
    ASSERT_TRUE(readEntry(other));
    EXPECT_TRUE(shown.isEmpty());
    Restored expected = restored(state);
    expected.tableMoves[3] = 55; // position 4
    EXPECT_EQ(restored(other), expected);
}

TEST_F(WorkingFiles, AnUnplacedRepeatedPlayAndAFullTableRoundTrip) {
    struct Case {
        const char* label;
        int moveCount;
        int pointsWritten;
    };
    for (const Case c : {Case{"unplaced repeated play", 3, 3}, Case{"500 moves", 500, 500},
                         Case{"more moves than the table holds", 620, 500}}) {
        SCOPED_TRACE(c.label);
        enterWorkedExample();
        state.record.moveCount = c.moveCount;
        for (int i = 1; i <= TableEntryData::maxMoves; ++i)
            state.table.tableMoves[i] = 100 + i % 19 + 1;
        state.table.tableMoves[2] = 0;
        ASSERT_TRUE(writeEntry(state));
        const QList<QByteArray> lines = readBytes(entryFile()).split('\n');
        EXPECT_EQ(lines.size(), 1 + c.pointsWritten + 1);
        EXPECT_EQ(lines[2], " 0 \r");

        SharedState other(temp.path());
        ASSERT_TRUE(readEntry(other));
        EXPECT_EQ(restored(other, c.pointsWritten), restored(state, c.pointsWritten));
    }
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(WorkingFiles, RepeatedPlaysAreWrittenOnePerLineAndReadBackInOrder) {
    state.table.repeatedPlays = {{57, 23}, {88, 41}};
    ASSERT_TRUE(writePlays(state));
    EXPECT_EQ(readBytes(playsFile()), " 57 " + sp(10) + "," + sp(13) + " 23 \r\n" + " 88 " +
                                          sp(10) + "," + sp(13) + " 41 \r\n");

    SharedState other(temp.path());
    other.table.repeatedPlays = {{1, 1}};
    ASSERT_TRUE(readPlays(other));
    EXPECT_EQ(other.table.repeatedPlays, (QVector<RepeatedPlay>{{57, 23}, {88, 41}}));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(WorkingFiles, MissingFiles) {
    enterWorkedExample();
    const Restored before = restored(state);
    EXPECT_FALSE(readEntry(state));
    EXPECT_EQ(shown,
              QStringList{QStringLiteral("前回登録したファイルがありません。"
                                         "通常の登録をするかサンプルをダウンロードしてください")});
    EXPECT_EQ(restored(state), before);

    // No repeated plays were ever typed: an empty list, and nothing to tell.
    shown.clear();
    state.table.repeatedPlays = {{57, 23}};
    EXPECT_TRUE(readPlays(state));
    EXPECT_TRUE(state.table.repeatedPlays.isEmpty());
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(WorkingFiles, ThePlaceholderIsWrittenInZonesAndReadsAsNoMoves) {
    ASSERT_TRUE(writePlaceholder(state));
    const QByteArray line1 = sjis("対局名") + sp(8) + "," + sp(13) + sjis("白番") + sp(10) + "," +
                             sp(13) + sjis("黒番") + sp(10) + "," + sp(13) + sjis("勝敗") + sp(10) +
                             "," + sp(13) + sjis("手数") + ",\r\n";
    EXPECT_EQ(readBytes(entryFile()), line1 + "0\r\n");

    enterWorkedExample();
    ASSERT_TRUE(readEntry(state));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(state.record.game.gameName, QStringLiteral("対局名"));
    EXPECT_EQ(state.record.game.whitePlayer, QStringLiteral("白番"));
    EXPECT_EQ(state.record.game.blackPlayer, QStringLiteral("黒番"));
    EXPECT_EQ(state.record.game.result, QStringLiteral("勝敗"));
    EXPECT_EQ(state.record.moveCount, 0);
    EXPECT_EQ(state.record.game.komi, QString());
}

TEST_F(WorkingFiles, AnEntryFromAnotherWriterIsReadWhateverItsBlanks) {
    // Blanks placed otherwise, a quoted name holding a comma, numbers without their blanks.
    SharedState other(QStringLiteral(VORLETH_TEST_DATA "/working"));
    ASSERT_TRUE(readEntry(other));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(other.record.game.gameName, QStringLiteral("春の例会, 第二局"));
    EXPECT_EQ(other.record.game.whitePlayer, QStringLiteral("山田"));
    EXPECT_EQ(other.record.game.blackPlayer, QStringLiteral("田中"));
    EXPECT_EQ(other.record.game.result, QStringLiteral("黒中押勝"));
    EXPECT_EQ(other.record.moveCount, 2);
    EXPECT_EQ(other.record.game.komi, QStringLiteral("6.5"));
    EXPECT_EQ(other.table.tableMoves[1], 1604);
    EXPECT_EQ(other.table.tableMoves[2], 0);
}

TEST_F(WorkingFiles, AnUnreadableEntryShowsTheMessageAndChangesNothing) {
    struct Case {
        const char* label;
        QByteArray content;
    };
    const Case cases[] = {
        {"five fields", "a,b,c,d, 1 \r\n 1604 \r\n"},
        {"fewer points than moves", "a,b,c,d, 3 ,6.5\r\n 1604 \r\n 1717 \r\n"},
        {"a point that is not a number", "a,b,c,d, 2 ,6.5\r\n 1604 \r\n 17x7 \r\n"},
        {"a point beyond 16 bits", "a,b,c,d, 1 ,6.5\r\n 40000 \r\n"},
        {"a negative move count", "a,b,c,d,-2 ,6.5\r\n 1604 \r\n 1717 \r\n"},
        {"bytes that are not Windows-31J", "\x82,b,c,d, 0 ,6.5\r\n"},
        {"a directory in the way", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(entryFile()).removeRecursively();
        QFile::remove(entryFile());
        if (c.content.isEmpty())
            ASSERT_TRUE(QDir().mkpath(entryFile()));
        else
            writeBytes(entryFile(), c.content);
        enterWorkedExample();
        shown.clear();
        const Restored before = restored(state);

        EXPECT_FALSE(readEntry(state));
        EXPECT_EQ(shown, QStringList{noWorkingEntryMessage});
        EXPECT_EQ(restored(state), before);
    }
}

TEST_F(WorkingFiles, AnEmptyEntryChangesNothingWithoutAMessage) {
    writeBytes(entryFile(), QByteArray());
    enterWorkedExample();
    const Restored before = restored(state);
    EXPECT_TRUE(readEntry(state)) << "nothing to read is no failure";
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(restored(state), before);
}

// Pairs left over from another entry could place this diagram's moves on wrong points.
TEST_F(WorkingFiles, UnreadableRepeatedPlaysAreReportedAndLeaveTheListEmpty) {
    struct Case {
        const char* label;
        QByteArray content;
    };
    const Case cases[] = {
        {"an odd number of fields", " 57 , 23 \r\n 88 \r\n"},
        {"a field without a number", " 57 , x \r\n"},
        {"bytes that are not Windows-31J", " 57 , 23 \x82\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(playsFile(), c.content);
        state.table.repeatedPlays = {{12, 3}};
        shown.clear();
        EXPECT_FALSE(readPlays(state));
        EXPECT_EQ(shown, QStringList{cannotReadWorkingFileMessage + playsFile()});
        EXPECT_TRUE(state.table.repeatedPlays.isEmpty());
    }
}

TEST_F(WorkingFiles, AFailedWriteIsReported) {
    SharedState lost(temp.filePath(QStringLiteral("missing")));
    lost.table.repeatedPlays = {{57, 23}};
    EXPECT_FALSE(writeEntry(lost));
    EXPECT_FALSE(writePlays(lost));
    EXPECT_FALSE(writePlaceholder(lost));
    const QString entry = workingEntryPath(lost.baseDirectory);
    EXPECT_EQ(shown,
              (QStringList{cannotWriteWorkingFileMessage + entry,
                           cannotWriteWorkingFileMessage + repeatedPlaysPath(lost.baseDirectory),
                           cannotWriteWorkingFileMessage + entry}));

    shown.clear();
    ASSERT_TRUE(QDir().mkpath(playsFile()));
    state.table.repeatedPlays = {{57, 23}};
    EXPECT_FALSE(writePlays(state));
    EXPECT_EQ(shown, QStringList{cannotWriteWorkingFileMessage + playsFile()});
}

} // namespace
} // namespace vorleth
