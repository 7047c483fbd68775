#include "board/board.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

TEST(BoardDiagram, ReadsBackWhatItPrints) {
    Board board;
    board.setCell({1, 1}, Board::Black);
    board.setCell({19, 1}, Board::White);
    board.setCell({10, 10}, Board::Black);
    board.setCell({1, 19}, Board::White);
    board.setCell({19, 19}, Board::Black);
    const QString text = boardDiagram(board);
    EXPECT_EQ(boardDiagram(parseBoardDiagram(text)), text);
}

TEST(BoardDiagram, ShortLinesAndOtherCharactersLeavePointsEmpty) {
    const struct {
        const char* diagram;
        QVector<Point> black;
        QVector<Point> white;
    } cases[] = {
        {"", {}, {}},
        {"...X", {{4, 1}}, {}},
        {"X\n\nO", {{1, 1}}, {{1, 3}}},
        {"x+oX?O", {{4, 1}}, {{6, 1}}},
        {"...................X", {}, {}}, // column 20 is off the board
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.diagram);
        Board expected;
        for (const Point& p : c.black)
            expected.setCell(p, Board::Black);
        for (const Point& p : c.white)
            expected.setCell(p, Board::White);
        EXPECT_EQ(boardDiagram(parseBoardDiagram(QString::fromUtf8(c.diagram))).toStdString(),
                  boardDiagram(expected).toStdString());
    }
    // Row 20 is off the board too.
    EXPECT_EQ(boardDiagram(parseBoardDiagram(QString(19, u'\n') + u'X')), boardDiagram(Board()));
}

} // namespace
} // namespace vorleth
