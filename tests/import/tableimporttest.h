#pragma once

// The program-wide values the imports fill, holding what earlier work left in them, and the
// checks the import tests share.

#include "import/tableimport.h"
#include "support/printers.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vorleth::test {

inline QString fixture(const char* name) {
    return QStringLiteral(VORLETH_TEST_DATA "/import/") + QString::fromUtf8(name);
}

inline QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

inline std::vector<int> codes(const QVector<PointCode>& moves) {
    return {moves.begin(), moves.end()};
}

inline std::vector<int> tableCodes(const TableEntryData& table, int count) {
    return {table.tableMoves.begin() + 1, table.tableMoves.begin() + 1 + count};
}

// Every point the diagram grid gives a move number, as (code, number) pairs.
inline std::vector<std::pair<int, int>> gridEntries(const TableEntryData& table) {
    std::vector<std::pair<int, int>> entries;
    for (int column = 0; column < 20; ++column) {
        for (int row = 0; row < 20; ++row) {
            if (table.diagramGrid[column][row] != 0)
                entries.emplace_back(column * 100 + row, table.diagramGrid[column][row]);
        }
    }
    return entries;
}

// The program-wide values an import fills, holding what earlier work left in them.
// Earlier work in every value an import fills.
class TableImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        record.fileName = QStringLiteral("対局名（前の対局）");
        record.game = {QStringLiteral("前の対局"), QStringLiteral("前白"), QStringLiteral("前黒"),
                       QStringLiteral("白勝"), QStringLiteral("0")};
        record.moveCount = 7;
        record.selectedIndex = 3;
        table.tableMoves.fill(1111);
        for (auto& column : table.diagramGrid)
            column.fill(99);
        table.repeatedPlays = {{5, 1}};
        board.moves.append({1604, black});
        board.moves.append({416, white});
        board.play.appliedCount = 2;
    }

    ImportTarget target() { return {record, table, board, source}; }

    // A copy of a fixture in the temporary directory, as the import source.
    QString sourceFrom(const char* name) {
        const QString path = m_dir.filePath(QString::fromUtf8(name));
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(fixture(name), path));
        source.importSourcePath = path;
        return path;
    }
    QString sourceWith(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("written.sgf"));
        test::writeBytes(path, bytes);
        source.importSourcePath = path;
        return path;
    }

    // Nothing of what the earlier work left has changed.
    void expectUntouched() {
        EXPECT_EQ(record.game.gameName, QStringLiteral("前の対局"));
        EXPECT_EQ(record.game.whitePlayer, QStringLiteral("前白"));
        EXPECT_EQ(record.moveCount, 7);
        EXPECT_EQ(record.selectedIndex, 3);
        EXPECT_EQ(table.tableMoves[1], 1111);
        EXPECT_EQ(table.diagramGrid[10][10], 99);
        EXPECT_EQ(table.repeatedPlays.size(), 1);
        EXPECT_FALSE(table.tablePrefilled);
        EXPECT_EQ(board.moves.length(), 2);
        EXPECT_EQ(board.play.appliedCount, 2);
        EXPECT_FALSE(source.yahooImportFlag);
    }

    // What every import does besides the moves.
    void expectFilledAsImport(int moveCount) {
        EXPECT_EQ(record.moveCount, moveCount);
        EXPECT_EQ(record.selectedIndex, 0);
        EXPECT_TRUE(record.fileName.isEmpty());
        EXPECT_TRUE(table.tablePrefilled);
        EXPECT_EQ(board.moves.length(), 0);
        EXPECT_EQ(board.play.appliedCount, 0);
        EXPECT_TRUE(source.yahooImportFlag);
        for (int n = moveCount + 1; n <= TableEntryData::maxMoves; ++n)
            ASSERT_EQ(table.tableMoves[n], 0) << n;
    }

    QTemporaryDir m_dir;
    CurrentRecord record;
    TableEntryData table;
    BoardModel board;
    ImportSource source;
};

} // namespace vorleth::test
