#pragma once

// Positions for the reading tests: rows of text in the top left corner of an otherwise empty
// board.

#include "counting/playoutboard.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vorleth::test {

// A board from rows of '.', 'X', 'O' and 'x'; every stone is taken as living but 'x', a dead
// black stone.
struct Corner {
    PlayoutBoard board;
    std::array<bool, PlayoutBoard::points> live{};
};

inline Corner cornerOf(const char* rows) {
    Corner c;
    const QStringList lines = QString::fromLatin1(rows).split(u'\n', Qt::SkipEmptyParts);
    for (int row = 0; row < lines.size(); ++row) {
        for (int column = 0; column < lines.at(row).size(); ++column) {
            const QChar ch = lines.at(row).at(column);
            const int p = PlayoutBoard::at(column + 1, row + 1);
            if (ch == u'X' || ch == u'O' || ch == u'x') {
                c.board.setStone(p, ch == u'O' ? PlayoutBoard::White : PlayoutBoard::Black);
                c.live[p] = ch != u'x';
            }
        }
    }
    return c;
}

} // namespace vorleth::test
