#include "board/board.h"

#include <QStringList>

namespace vorleth {

QString Board::cellText(Point p) const {
    switch (cell(p)) {
    case Black:
        return black;
    case White:
        return white;
    default:
        return QString();
    }
}

Board::Cell Board::cellFor(const QString& colour) {
    if (colour == black)
        return Black;
    if (colour == white)
        return White;
    return Empty;
}

void Board::clearCells() {
    for (auto& column : m_cells)
        column.fill(Empty);
}

void Board::clearStamps() {
    for (auto& column : visitStamp)
        column.fill(0);
    stampCounter = 0;
}

QString boardDiagram(const Board& board) {
    QString text;
    text.reserve(20 * 19);
    for (int row = 1; row <= 19; ++row) {
        for (int column = 1; column <= 19; ++column) {
            switch (board.cell(column, row)) {
            case Board::Black:
                text.append(u'X');
                break;
            case Board::White:
                text.append(u'O');
                break;
            default:
                text.append(u'.');
                break;
            }
        }
        text.append(u'\n');
    }
    return text;
}

Board parseBoardDiagram(const QString& diagram) {
    Board board;
    const QStringList rows = diagram.split(u'\n');
    for (int row = 1; row <= 19 && row <= rows.size(); ++row) {
        const QString& text = rows.at(row - 1);
        for (int column = 1; column <= 19 && column <= text.size(); ++column) {
            const QChar c = text.at(column - 1);
            if (c == u'X')
                board.setCell({column, row}, Board::Black);
            else if (c == u'O')
                board.setCell({column, row}, Board::White);
        }
    }
    return board;
}

} // namespace vorleth
