#pragma once

// The ko the tests share: at the top left, black at (3, 2) takes the white stone at (2, 2),
// and white at (2, 2) takes the black one back at once.
//   . X O
//   X O . O
//   . X O

#include "board/board.h"

#include <QString>

namespace vorleth::test {

inline const QString koDiagram = QStringLiteral(".XO..\nXO.O.\n.XO..");
inline constexpr Point koTake{3, 2};   // black takes
inline constexpr Point koRetake{2, 2}; // white takes back

// The diagram's stones as SGF moves in reading order, each in its own colour.
inline QString koSgfMoves() {
    QString moves;
    const Board board = parseBoardDiagram(koDiagram);
    for (int row = 1; row <= 19; ++row) {
        for (int column = 1; column <= 19; ++column) {
            const Board::Cell cell = board.cell(column, row);
            if (cell == Board::Empty)
                continue;
            moves += QStringLiteral(";%1[%2%3]")
                         .arg(QChar(cell == Board::Black ? u'B' : u'W'))
                         .arg(QChar(u'a' + column - 1))
                         .arg(QChar(u'a' + row - 1));
        }
    }
    return moves;
}

} // namespace vorleth::test
